#!/usr/bin/env bash
# Neither component registered: the program says so in a message box titled
# "Vesperkit" that names PowerControl and tells how to get it back, never adds
# a tray icon, and ends with a non-zero exit code once the box is closed.
source "$(dirname "$0")/e2e-lib.sh"

start_display
start_wine
for dll in PowerControl.dll ProcessControl.dll PowerControlDouble.dll ProcessControlDouble.dll; do
  wine regsvr32 /s /u "$(winpath "$E2E_BIN/$dll")" >>"$E2E_WORK/wine.log" 2>&1
done
class_registered "$POWER_CLSID" && fail "PowerControl is still registered"
hold_desktop
wait_until 60 "the empty tray" tray_shows 0

launch APP "$(winpath "$E2E_BIN/vesperkit.exe")"
dialog_shown() { look; [ -n "$(facts dialog | awk -F'\t' -v pid="$APP_PID" '$2 == pid')" ]; }
wait_until 60 "the message box" dialog_shown
IFS=$'\t' read -r exe _ left top right bottom title texts <<<"$(facts dialog | awk -F'\t' -v pid="$APP_PID" '$2 == pid')"
[ "$title" = "Vesperkit" ] || fail "the message box is titled '$title'"
[[ "$texts" == *PowerControl*"Reinstalling Vesperkit"* ]] || fail "the message: $texts"
[ "$(tray_icon_count)" -eq 0 ] || fail "an icon was added"
has_ended "$APP_STATUS" && fail "the program ended before the box was closed"
screenshot "$E2E_WORK/missing-component.png"

press_key_in "$exe" "$left" "$top" "$right" "$bottom" Return
wait_until 60 "the program to end" has_ended "$APP_STATUS"
[ "$(exit_code "$APP_STATUS")" != 0 ] || fail "the program ended with exit code 0"
look
[ "$(tray_icon_count)" -eq 0 ] || fail "an icon is left"
log "PASS"
