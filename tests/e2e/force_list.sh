#!/usr/bin/env bash
# The force list set up as a person would, through the tray: Set Sleep Time,
# Advanced, "Force Application Close" checked (its warning answered), a
# program added with the picker, both dialogs confirmed with a time already
# past today. The registry then holds "Force" False and "ForceList" True,
# "Files.dat" the program's one checked record, and the schedule, once it has
# fired, ends that program (the real ProcessControl) before the recording
# PowerControl is asked to act.
source "$(dirname "$0")/e2e-lib.sh"

readonly SETTINGS='HKLM\Software\Quillfield Systems Ltd\Vesperkit\Settings'
readonly LIST=$E2E_BIN/Files.dat
# The program to close lives in a short folder, so its path fits a record.
APPS=$(mktemp -d /tmp/vk-apps-XXXXXX)
end_test() {
  local status=$?
  rm -rf "$APPS" "$LIST"
  (exit $status)
  e2e_cleanup
}
trap end_test EXIT

# The value's text as reg prints it.
setting() { wine reg query "$SETTINGS" /v "$1" 2>/dev/null | awk -v n="$1" '$1 == n {print $3}' | tr -d '\r'; }

start_display
start_wine
forget_settings
rm -f "$LIST"
regsvr "" PowerControlDouble.dll ProcessControl.dll
RECORD=$E2E_WORK/calls.log
export VESPERKIT_RECORD_FILE
VESPERKIT_RECORD_FILE=$(winpath "$RECORD")
while [ "$(date +%H%M)" -ge 2357 ]; do sleep 20; done
cp "$E2E_BIN/vesperkit_test_sleeper.exe" "$APPS/"
hold_desktop
launch SLEEPER "$(winpath "$APPS/vesperkit_test_sleeper.exe")"
# The picker starts in the program's current folder: the programs' folder.
pushd "$APPS" >/dev/null
launch APP "$(winpath "$E2E_BIN/vesperkit.exe")"
popd >/dev/null
wait_until 60 "the program's tray icon" tray_shows 1
read -r ICON_X ICON_Y <<<"$(tray_icon_centre 1)"

open_set_sleep_time
keys_in_window "$DIALOG_RECT" alt+a
wait_until 30 "Advanced Options" titled_shown "Advanced Options"
read -r advanced_form advanced <<<"$(form_titled "Advanced Options")"
# The focus starts on "Force"; the next box is "Force Application Close".
keys_in_window "$advanced" Tab space
wait_until 30 "the warning" message_box_shown Vesperkit
warning=$(facts dialog | awk -F'\t' '$7 == "Vesperkit" {print $8; exit}')
[[ "$warning" == *"Enabling this option will force the system to shutdown."*"Use with caution!"* ]] ||
  fail "the warning says: $warning"
# Buttons that close a window are clicked: a key still held when the window
# goes would reach the window activated next.
click_centre $(facts button | awk -F'\t' '$7 == "OK" {print $3, $4, $5, $6; exit}')
wait_until 30 "the warning to close" message_box_gone Vesperkit

keys_in_window "$advanced" alt+a
wait_until 30 "the picker" titled_shown "Application List"
read -r picker_form picker <<<"$(form_titled "Application List")"
# From the folder list to the file list, whose one file is chosen; then OK.
keys_in_window "$picker" Tab Down
click_centre $(control_rect_in "$picker_form" Button "&OK")
wait_until 30 "the picker to close" titled_gone "Application List"
look
click_centre $(control_rect_in "$advanced_form" Button "&OK")
wait_until 30 "Advanced Options to close" titled_gone "Advanced Options"

click_control Button "Set by Time/Date"
wait_until 30 "the time and date frame" form_shown " Set by Time/Date"
type_time_and_cancel_period 0000 3
click_control Button "&OK"
wait_until 30 "the dialog to close" form_gone "Set by Time Period"

[ "$(setting Force) $(setting ForceList)" = "False True" ] ||
  fail "Force '$(setting Force)', ForceList '$(setting ForceList)'"
# One record: the program's full path padded with blanks to 100 bytes, then
# FF FF (checked). The folder's letters are as Windows gives them.
[ "$(stat -c %s "$LIST" 2>/dev/null)" = 102 ] || fail "Files.dat holds $(stat -c %s "$LIST" 2>/dev/null) bytes"
path=$(head -c 100 "$LIST" | sed 's/ *$//')
[ "${path,,}" = "$(winpath "$APPS/vesperkit_test_sleeper.exe" | tr '[:upper:]' '[:lower:]')" ] ||
  fail "Files.dat names '$path'"
[ "$(head -c 100 "$LIST" | tail -c $((100 - ${#path})) | tr -d ' ')" = "" ] || fail "the path is not padded with blanks"
[ "$(tail -c 2 "$LIST" | od -An -tx1 | tr -d ' ')" = ffff ] || fail "the record is not checked"
log "saved: Force False, ForceList True, Files.dat: $path"

# Start Timer: due at the first tick; after the 3 s countdown the program is
# ended, then the power action is asked for.
open_menu_at "$ICON_X" "$ICON_Y"
choose_in_menu t
power_called() { grep -q '^PowerControl.DoPowerAction$' "$RECORD"; }
wait_until 60 "the power action" power_called
wait_until 30 "the listed program to end" has_ended "$SLEEPER_STATUS"
has_ended "$APP_STATUS" && fail "Vesperkit ended itself"
expected=$'PowerControl.Created\nPowerControl.HibernateSupported\nPowerControl.AltShutdownSupported
PowerControl.PowerAction=2\nPowerControl.ForceAction=0\nPowerControl.DoPowerAction'
[ "$(cat "$RECORD")" = "$expected" ] || fail "calls: $(cat "$RECORD")"
log "the listed program was ended and the shutdown asked for"
log "PASS"
