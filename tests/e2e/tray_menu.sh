#!/usr/bin/env bash
# One copy of the program, used as a person would: it starts resident with one
# tray icon whose tip is "Vesperkit", shows no window and has created both
# components; a right-click on the icon opens the program's own menu, Escape
# closes it, and Exit removes the icon, releases the components and ends the
# process with exit code 0. (What the menu holds is the binding's and the
# main form's business, tested in the Win32 and native suites.)
source "$(dirname "$0")/e2e-lib.sh"

start_display
start_wine
regsvr "" PowerControlDouble.dll ProcessControlDouble.dll
RECORD=$E2E_WORK/calls.log
export VESPERKIT_RECORD_FILE
VESPERKIT_RECORD_FILE=$(winpath "$RECORD")
calls_are() { [ "$(cat "$RECORD")" = "$1" ] || fail "calls: $(cat "$RECORD")"; }

hold_desktop
wait_until 60 "the empty tray" tray_shows 0
launch APP "$(winpath "$E2E_BIN/vesperkit.exe")"
wait_until 60 "one tray icon" tray_shows 1
[ "$(tray_tips)" = "Vesperkit" ] || fail "tip is '$(tray_tips)', not 'Vesperkit'"
[ -z "$(visible_windows_of "$APP_PID")" ] || fail "visible windows: $(visible_windows_of "$APP_PID")"
calls_are $'PowerControl.Created\nProcessControl.Created\nPowerControl.HibernateSupported'
read -r ICON_X ICON_Y <<<"$(tray_icon_centre 1)"

open_menu() {
  open_menu_at "$ICON_X" "$ICON_Y"
  [ "$MENU_PID" = "$APP_PID" ] || fail "the menu belongs to $MENU_EXE ($MENU_PID), not to the program"
}
open_menu
screenshot "$E2E_WORK/tray-menu.png"
choose_in_menu Escape
has_ended "$APP_STATUS" && fail "closing the menu ended the program"

open_menu
choose_in_menu e
wait_until 60 "the program to end" has_ended "$APP_STATUS"
[ "$(exit_code "$APP_STATUS")" = 0 ] || fail "exit code $(exit_code "$APP_STATUS")"
look
[ "$(tray_icon_count)" -eq 0 ] || fail "the icon stayed after Exit"
[ -z "$(facts window | awk -F'\t' -v pid="$APP_PID" '$2 == pid')" ] || fail "windows of the program remain"
calls_are $'PowerControl.Created\nProcessControl.Created\nPowerControl.HibernateSupported\nPowerControl.Released\nProcessControl.Released'
log "PASS"
