#!/usr/bin/env bash
# Two copies of the program run side by side, each with its own icon, menu
# and components: a second start adds a second icon, and Exit from one icon
# ends only the copy that owns it and removes only its icon.
source "$(dirname "$0")/e2e-lib.sh"

start_display
start_wine
regsvr "" PowerControlDouble.dll ProcessControlDouble.dll
hold_desktop
wait_until 60 "the empty tray" tray_shows 0

VESPERKIT_RECORD_FILE=$(winpath "$E2E_WORK/first-calls.log") launch FIRST "$(winpath "$E2E_BIN/vesperkit.exe")"
wait_until 60 "the first icon" tray_shows 1
VESPERKIT_RECORD_FILE=$(winpath "$E2E_WORK/second-calls.log") launch SECOND "$(winpath "$E2E_BIN/vesperkit.exe")"
wait_until 60 "the second icon" tray_shows 2
log "two copies running: $FIRST_PID and $SECOND_PID"

[ "$(tray_tips)" = $'Vesperkit\nVesperkit' ] || fail "tips: $(tray_tips)"
[ -z "$(visible_windows_of "$FIRST_PID")$(visible_windows_of "$SECOND_PID")" ] || fail "a copy shows a window"
[ "$(shown_task_buttons)" -eq 1 ] || fail "the taskbar shows more than its Start button"
started=$'PowerControl.Created\nProcessControl.Created\nPowerControl.HibernateSupported'
for copy in first second; do
  [ "$(cat "$E2E_WORK/$copy-calls.log")" = "$started" ] ||
    fail "$copy copy's calls: $(cat "$E2E_WORK/$copy-calls.log")"
done
screenshot "$E2E_WORK/two-icons.png"

# Whose is icon N? The copy whose menu a right-click on it opens.
owner_of_icon() {
  local x y
  look
  read -r x y <<<"$(tray_icon_centre "$1")"
  open_menu_at "$x" "$y"
  printf -v "OWNER_$1" '%s' "$MENU_PID"
  choose_in_menu Escape
}
owner_of_icon 1
owner_of_icon 2
[ "$(printf '%s\n' "$OWNER_1" "$OWNER_2" | sort)" = "$(printf '%s\n' "$FIRST_PID" "$SECOND_PID" | sort)" ] ||
  fail "icons answer for $OWNER_1 and $OWNER_2, not for $FIRST_PID and $SECOND_PID"
log "each copy answers on its own icon"

# Exit through the icon of the first copy: only the first copy ends.
look
n=1
[ "$OWNER_1" = "$FIRST_PID" ] || n=2
read -r X Y <<<"$(tray_icon_centre "$n")"
open_menu_at "$X" "$Y"
[ "$MENU_PID" = "$FIRST_PID" ] || fail "the menu belongs to $MENU_PID"
choose_in_menu e
wait_until 60 "the first copy to end" has_ended "$FIRST_STATUS"
[ "$(exit_code "$FIRST_STATUS")" = 0 ] || fail "first copy's exit code $(exit_code "$FIRST_STATUS")"
wait_until 30 "one icon left" tray_shows 1
has_ended "$SECOND_STATUS" && fail "the second copy ended too"
tail -n 2 "$E2E_WORK/first-calls.log" | tr '\n' ' ' | grep -q '^PowerControl.Released ProcessControl.Released $' ||
  fail "first copy's calls: $(cat "$E2E_WORK/first-calls.log")"
[ "$(cat "$E2E_WORK/second-calls.log")" = "$started" ] || fail "second copy's calls: $(cat "$E2E_WORK/second-calls.log")"
log "Exit ended the first copy only"

# The icon left is the second copy's, and its Exit empties the tray.
read -r X Y <<<"$(tray_icon_centre 1)"
open_menu_at "$X" "$Y"
[ "$MENU_PID" = "$SECOND_PID" ] || fail "the remaining icon answers for $MENU_PID"
choose_in_menu e
wait_until 60 "the second copy to end" has_ended "$SECOND_STATUS"
[ "$(exit_code "$SECOND_STATUS")" = 0 ] || fail "second copy's exit code $(exit_code "$SECOND_STATUS")"
wait_until 30 "an empty tray" tray_shows 0
log "PASS"
