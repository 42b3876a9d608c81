#!/usr/bin/env bash
# The program used as a person would, through its tray icon, with a program
# of the user's running. It starts resident: one icon whose tip is
# "Vesperkit", no window. Set Sleep Time opens the dialog from the tray menu;
# its Advanced button opens the Advanced Options, where "Force Application
# Close" is checked (its warning answered) and the user's program added with
# the picker, which lists only the programs of the folder. Switched to "Set by Time/Date", given a time already past today
# (00:00) and a cancel period of 3 seconds, and confirmed, the dialog names
# the schedule in the tip; the registry holds "Force" False and "ForceList"
# True, "Files.dat" the program's one checked record. Start Timer arms it:
# the countdown opens about two seconds later, and once its 3 seconds are
# over the user's program has been ended (the real ProcessControl) and the
# recording PowerControl asked for the shutdown. Exit then removes the icon,
# releases the components and ends with exit code 0. In both arrangements
# every control is inside the dialog.
source "$(dirname "$0")/e2e-lib.sh"

readonly SETTINGS='HKLM\Software\Quillfield Systems Ltd\Vesperkit\Settings'
readonly LIST=$E2E_BIN/Files.dat
# The user's program lives in a short folder, so its path fits a record.
APPS=$(mktemp -d /tmp/vk-apps-XXXXXX)
end_test() {
  local status=$?
  rm -rf "$APPS" "$LIST"
  (exit $status)
  e2e_cleanup
}
trap end_test EXIT

# check_layout ARRANGEMENT: every control inside the dialog at the screen's
# real fonts. Keeps the dialog as set-sleep-time-ARRANGEMENT.png beside the
# tests' folders, to be looked at.
check_layout() {
  local left top right bottom
  read -r left top right bottom <<<"$DIALOG_RECT"
  facts control | awk -F'\t' -v l="$left" -v t="$top" -v r="$right" -v b="$bottom" \
    '$2 < l || $3 < t || $4 > r || $5 > b - 3 {print; bad = 1} END {exit bad}' >"$E2E_WORK/clipped.txt" ||
    fail "$1: controls outside the dialog: $(cat "$E2E_WORK/clipped.txt")"
  screenshot "$E2E_WORK/screen.png"
  crop "$E2E_WORK/screen.png" $DIALOG_RECT "$E2E_ARTIFACTS/set-sleep-time-$1.png"
  log "$1: nothing outside the dialog"
}

calls_are() { [ "$(cat "$RECORD")" = "$(printf '%s\n' "$@")" ] || fail "calls: $(cat "$RECORD")"; }
# The value's text as reg prints it.
setting() { wine reg query "$SETTINGS" /v "$1" 2>/dev/null | awk -v n="$1" '$1 == n {print $3}' | tr -d '\r'; }

start_display
start_wine
# The screen at 96 DPI, and no settings left by an earlier run: the first
# opening is a first start's.
wine reg delete 'HKCU\Control Panel\Desktop' /v LogPixels /f >/dev/null 2>&1
wine reg delete 'HKLM\Software\Quillfield Systems Ltd' /f >/dev/null 2>&1
wine reg delete 'HKLM\Software\Wow6432Node\Quillfield Systems Ltd' /f >/dev/null 2>&1
rm -f "$LIST"
regsvr "" PowerControlDouble.dll ProcessControl.dll
RECORD=$E2E_WORK/calls.log
export VESPERKIT_RECORD_FILE
VESPERKIT_RECORD_FILE=$(winpath "$RECORD")
# A schedule set for today must still be today when it is due.
while [ "$(date +%H%M)" -ge 2357 ]; do sleep 20; done
cp "$E2E_BIN/vesperkit_test_sleeper.exe" "$APPS/"
# Beside it another program and a file that is none, which the picker does not list.
echo MZ >"$APPS/zebra.exe"
echo notes >"$APPS/notes.txt"
hold_desktop
# Started in the user's programs' folder, where the picker starts.
pushd "$APPS" >/dev/null
launch APP "$(winpath "$E2E_BIN/vesperkit.exe")"
popd >/dev/null
wait_until 60 "the program's tray icon" tray_shows 1
read -r ICON_X ICON_Y <<<"$(tray_icon_centre 1)"
launch SLEEPER "$(winpath "$APPS/vesperkit_test_sleeper.exe")"
[ "$(tray_tips)" = Vesperkit ] || fail "tip is '$(tray_tips)', not 'Vesperkit'"
[ -z "$(visible_windows_of "$APP_PID")" ] || fail "visible windows: $(visible_windows_of "$APP_PID")"

# First opening, from the tray menu.
open_menu_at "$ICON_X" "$ICON_Y"
[ "$MENU_PID" = "$APP_PID" ] || fail "the menu belongs to process $MENU_PID, not to the program"
choose_in_menu s
wait_until 30 "the Set Sleep Time dialog" form_shown "Set by Time Period"
read -r _ DIALOG_RECT <<<"$(form_with "Set by Time Period")"
check_layout period

keys_in_window "$DIALOG_RECT" alt+a
wait_until 30 "Advanced Options" titled_shown "Advanced Options"
read -r advanced_form advanced <<<"$(form_titled "Advanced Options")"
# The focus starts on "Force"; the next box is "Force Application Close".
keys_in_window "$advanced" Tab space
wait_until 30 "the warning" titled_shown Vesperkit '#32770'
read -r box _ <<<"$(form_titled Vesperkit '#32770')"
# Buttons that close a window are clicked: a key still held when the window
# goes would reach the window activated next.
click_centre $(control_rect_in "$box" Button OK)
wait_until 30 "the warning to close" titled_gone Vesperkit '#32770'
keys_in_window "$advanced" alt+a
wait_until 30 "the picker" titled_shown "Application List"
read -r picker_form picker <<<"$(form_titled "Application List")"
# From the folder list to the file list, whose first file is chosen (a
# "notes.txt" listed would come before the two programs); then OK.
keys_in_window "$picker" Tab Down
click_centre $(control_rect_in "$picker_form" Button "&OK")
wait_until 30 "the picker to close" titled_gone "Application List"
look
click_centre $(control_rect_in "$advanced_form" Button "&OK")
wait_until 30 "Advanced Options to close" titled_gone "Advanced Options"

click_control Button "Set by Time/Date"
wait_until 30 "the time and date frame" form_shown " Set by Time/Date"
read -r _ DIALOG_RECT <<<"$(form_with "Set by Time Period")"
check_layout date
# From the option button Tab leads to the time box: 00:00; the cancel period
# box, its 30 chosen by a double click, gets 3.
keys_in_window "$DIALOG_RECT" Tab 0 0 0 0
read -r l t r b <<<"$(control_rect Edit 30)"
xdotool mousemove $((DESKTOP_X + (l + r) / 2)) $((DESKTOP_Y + (t + b) / 2)) click --repeat 2 --delay 80 1
keys_in_window "$DIALOG_RECT" 3
look
[ "$(control_text Edit 1) $(control_text Edit 2)" = "00:00 3" ] ||
  fail "the time box shows '$(control_text Edit 1)', the cancel period '$(control_text Edit 2)'"
click_control Button "&OK"
wait_until 30 "the dialog to close" form_gone "Set by Time Period"
# Today's date text, with Windows' own date separator on both sides.
[[ "$(tray_tips)" =~ ^"Shutdown set for 00:00 on the "([0-9]{2})([^0-9]+)([0-9]{2})([^0-9]+)([0-9]{2})$ ]] &&
  [ "${BASH_REMATCH[2]}" = "${BASH_REMATCH[4]}" ] &&
  [ "${BASH_REMATCH[1]} ${BASH_REMATCH[3]} ${BASH_REMATCH[5]}" = "$(date '+%d %m %y')" ] ||
  fail "the tip is '$(tray_tips)'"
[ "$(setting Force) $(setting ForceList)" = "False True" ] ||
  fail "Force '$(setting Force)', ForceList '$(setting ForceList)'"
# One record: the program's full path padded with blanks to 100 bytes, then
# FF FF (checked). The folder's letters are as Windows gives them.
[ "$(stat -c %s "$LIST" 2>/dev/null)" = 102 ] || fail "Files.dat holds $(stat -c %s "$LIST" 2>/dev/null) bytes"
[ "$(head -c 100 "$LIST" | tr '[:upper:]' '[:lower:]')" = "$(printf '%-100s' "$(winpath "$APPS/vesperkit_test_sleeper.exe" |
  tr '[:upper:]' '[:lower:]')")" ] || fail "Files.dat names '$(head -c 100 "$LIST")'"
[ "$(tail -c 2 "$LIST" | od -An -tx1 | tr -d ' ')" = ffff ] || fail "the record is not checked"

# Start Timer: the first tick, two seconds on, finds the schedule due.
open_menu_at "$ICON_X" "$ICON_Y"
started=$SECONDS
choose_in_menu t
wait_until 30 "the countdown" form_shown "Time until shutdown:*"
[ $((SECONDS - started)) -le 8 ] || fail "the countdown opened $((SECONDS - started)) s after Start Timer"
grep -q DoPowerAction "$RECORD" && fail "the power action came before the countdown had run"
power_called() { grep -q '^PowerControl.DoPowerAction$' "$RECORD"; }
wait_until 30 "the power action" power_called
wait_until 30 "the listed program to end" has_ended "$SLEEPER_STATUS"
calls=(PowerControl.Created PowerControl.HibernateSupported PowerControl.AltShutdownSupported
  PowerControl.PowerAction=2 PowerControl.ForceAction=0 PowerControl.DoPowerAction)
calls_are "${calls[@]}"
log "the listed program was ended and the shutdown asked for after the countdown"

open_menu_at "$ICON_X" "$ICON_Y"
choose_in_menu e
wait_until 60 "the program to end" has_ended "$APP_STATUS"
[ "$(exit_code "$APP_STATUS")" = 0 ] || fail "exit code $(exit_code "$APP_STATUS")"
look
[ "$(tray_icon_count)" -eq 0 ] || fail "the icon stayed after Exit"
calls_are "${calls[@]}" PowerControl.Released

log "PASS"
