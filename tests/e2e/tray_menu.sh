#!/usr/bin/env bash
# One copy of the program, used as a person would: it starts resident with one
# tray icon whose tip is "Vesperkit" and shows no window and no taskbar entry;
# a right-click opens the tray menu with Set Sleep Time as its default item and
# Start and Stop Timer disabled (compared pixel for pixel with reference menus
# drawn in the same desktop); the access keys of the disabled items do
# nothing, and so do a left click and a double click on the icon; Exit removes
# the icon, releases the components and ends the process. The screenshot of
# the open menu is kept as tray-menu.png.
source "$(dirname "$0")/e2e-lib.sh"

start_display
start_wine
regsvr "" PowerControlDouble.dll ProcessControlDouble.dll
class_registered "$POWER_CLSID" && class_registered "$PROCESS_CLSID" || fail "the doubles are not registered"
RECORD=$E2E_WORK/calls.log
# The calls of a start: both components made, PowerControl asked whether the
# machine hibernates (for the Set Sleep Time dialog's mode list).
STARTED=$'PowerControl.Created\nProcessControl.Created\nPowerControl.HibernateSupported'
export VESPERKIT_RECORD_FILE
VESPERKIT_RECORD_FILE=$(winpath "$RECORD")

hold_desktop
wait_until 60 "the empty tray" tray_shows 0
launch APP "$(winpath "$E2E_BIN/vesperkit.exe")"
log "vesperkit.exe started, pid $APP_PID"

# Resident: one icon with the tip, both components created, nothing on show.
wait_until 60 "one tray icon" tray_shows 1
[ "$(tray_tips)" = "Vesperkit" ] || fail "tip is '$(tray_tips)', not 'Vesperkit'"
[ -z "$(visible_windows_of "$APP_PID")" ] || fail "visible windows: $(visible_windows_of "$APP_PID")"
[ "$(shown_task_buttons)" -eq 1 ] || fail "the taskbar shows more than its Start button"
# That check can see an entry: an ordinary window gets one while it is shown.
in_desktop "$E2E_DRIVER" window "$(winpath "$E2E_WORK/ordinary.shown")" "$(winpath "$E2E_WORK/ordinary.release")"
wait_until 30 "an ordinary window" file_exists "$E2E_WORK/ordinary.shown"
task_buttons_shown() { look; [ "$(shown_task_buttons)" -eq "$1" ]; }
wait_until 30 "a taskbar entry for an ordinary window" task_buttons_shown 2
touch "$E2E_WORK/ordinary.release"
wait_until 30 "the ordinary window's entry to go" task_buttons_shown 1
has_ended "$APP_STATUS" && fail "the program ended at once"
[ "$(cat "$RECORD")" = "$STARTED" ] || fail "calls: $(cat "$RECORD")"
read -r ICON_X ICON_Y <<<"$(tray_icon_centre 1)"
log "icon at $ICON_X,$ICON_Y"

screenshot "$E2E_WORK/tray.png"
convert "$E2E_WORK/tray.png" -crop "16x16+$((ICON_X - 8))+$((ICON_Y - 8))" +repage "$E2E_WORK/icon.png"
[ "$(convert "$E2E_WORK/icon.png" -format '%k' info:)" -gt 2 ] || fail "the tray icon shows no image"

# The tip shows while the pointer rests on the icon.
xdotool mousemove "$ICON_X" "$ICON_Y"
tooltip_shown() { look; [ "$(visible_tooltips)" -eq 1 ]; }
wait_until 30 "the tip on hover" tooltip_shown
screenshot "$E2E_WORK/tray-tip.png"

# Opens the program's menu with a right-click on its icon.
open_menu() {
  open_menu_at "$ICON_X" "$ICON_Y"
  [ "$MENU_PID" = "$APP_PID" ] || fail "the menu belongs to $MENU_EXE ($MENU_PID), not to the program"
}

open_menu
log "menu at $MENU_RECT"
screenshot "$E2E_WORK/tray-menu.png"
keep_screenshot "$E2E_WORK/tray-menu.png"
crop "$E2E_WORK/tray-menu.png" $MENU_RECT "$E2E_WORK/menu-program.png"
choose_in_menu Escape
has_ended "$APP_STATUS" && fail "closing the menu ended the program"

# Reference menus drawn by the driver at the same point: the expected look
# must match the program's menu exactly, and each wrong look must not, which
# shows the comparison can tell them apart.
reference_menu() {  # NAME DEFAULT START STOP
  local name=$1 shown=$E2E_WORK/ref-$1.shown result=$E2E_WORK/ref-$1.result
  in_desktop "$E2E_DRIVER" menu "$(winpath "$shown")" "$(winpath "$result")" \
    $((ICON_X - DESKTOP_X)) $((ICON_Y - DESKTOP_Y)) "$2" "$3" "$4"
  wait_until 30 "reference menu $name" file_exists "$shown"
  local rect
  rect=$(cut -f2- "$shown" | tr '\t' ' ')
  wait_until 30 "reference menu $name without a tip" one_menu_without_tip
  screenshot "$E2E_WORK/ref-$name-screen.png"
  crop "$E2E_WORK/ref-$name-screen.png" $rect "$E2E_WORK/menu-$name.png"
  press_key_in vesperkit_e2e_driver.exe $rect Escape
  wait_until 30 "reference menu $name to close" file_exists "$result"
  REF_RECT=$rect
}

reference_menu expected timeset 0 0
[ "$REF_RECT" = "$MENU_RECT" ] || fail "the menu covers $MENU_RECT, the expected one $REF_RECT"
difference=$(pixel_difference "$E2E_WORK/menu-program.png" "$E2E_WORK/menu-expected.png")
[ "$difference" -eq 0 ] || fail "the menu differs from the expected one in $difference pixels"
log "the menu matches: Set Sleep Time default, Start and Stop disabled"

for wrong in "start-default start 0 0" "no-default none 0 0" "timer-items-enabled timeset 1 1"; do
  set -- $wrong
  reference_menu "$@"
  if [ "$REF_RECT" = "$MENU_RECT" ]; then
    difference=$(pixel_difference "$E2E_WORK/menu-program.png" "$E2E_WORK/menu-$1.png")
    [ "$difference" -gt 0 ] || fail "the comparison cannot tell the menu from the '$1' look"
  fi
  log "the '$1' look differs, as it must"
done

# Left click and double click do nothing. The program handles the icon's
# messages in order, so once a later right-click has opened the menu, the
# clicks before it have had their (lack of) effect.
xdotool mousemove "$ICON_X" "$ICON_Y" click 1 sleep 0.3 click --repeat 2 --delay 80 1
open_menu
[ -z "$(visible_windows_of "$APP_PID" | grep -v '#32768')" ] || fail "a click showed: $(visible_windows_of "$APP_PID")"
choose_in_menu Escape
[ "$(cat "$RECORD")" = "$STARTED" ] || fail "a click called: $(cat "$RECORD")"
log "left click and double click did nothing"

# The access keys of the disabled items close the menu and do nothing else.
for key in t p; do
  open_menu
  choose_in_menu "$key"
  [ "$(tray_icon_count)" -eq 1 ] || fail "'$key' changed the tray"
  has_ended "$APP_STATUS" && fail "'$key' ended the program"
  [ "$(cat "$RECORD")" = "$STARTED" ] || fail "'$key' called: $(cat "$RECORD")"
  log "'$key' on a disabled item did nothing"
done

# Exit: the icon goes, the components are released, the process ends with 0.
open_menu
choose_in_menu e
wait_until 60 "the program to end" has_ended "$APP_STATUS"
[ "$(exit_code "$APP_STATUS")" = 0 ] || fail "exit code $(exit_code "$APP_STATUS")"
look
[ "$(count_facts traywindow)" -eq 1 ] || fail "the desktop's tray is gone"
[ "$(tray_icon_count)" -eq 0 ] || fail "the icon stayed after Exit"
[ -z "$(facts window | awk -F'\t' -v pid="$APP_PID" '$2 == pid')" ] || fail "windows of the program remain"
expected=$STARTED$'\nPowerControl.Released\nProcessControl.Released'
[ "$(cat "$RECORD")" = "$expected" ] || fail "calls: $(cat "$RECORD")"
log "Exit removed the icon and ended the program"
log "PASS"
