#!/usr/bin/env bash
# A component that cannot be created: the program says so in a message box
# titled "Vesperkit" that names the component and tells how to get it back,
# never adds a tray icon, and ends with a non-zero exit code once the box is
# closed. First with neither component registered, then with PowerControl
# alone, where the one that was created is released again.
source "$(dirname "$0")/e2e-lib.sh"

start_display
start_wine

# Nothing of either class may be left from earlier tests.
for dll in PowerControl.dll ProcessControl.dll PowerControlDouble.dll ProcessControlDouble.dll; do
  wine regsvr32 /s /u "$(winpath "$E2E_BIN/$dll")" >>"$E2E_WORK/wine.log" 2>&1
done
class_registered "$POWER_CLSID" && fail "PowerControl is still registered"
class_registered "$PROCESS_CLSID" && fail "ProcessControl is still registered"

hold_desktop
wait_until 60 "the empty tray" tray_shows 0

dialog_of() { facts dialog | awk -F'\t' -v pid="$1" '$2 == pid'; }
dialog_shown() { look; [ -n "$(dialog_of "$1")" ]; }

# run_without NAME COMPONENT HOW: starts the program, checks the message box
# about COMPONENT and that no icon appears, then closes the box as HOW says:
# "key" presses Enter, "click" clicks its OK button.
run_without() {
  local name=$1 component=$2 how=$3
  VESPERKIT_RECORD_FILE=$(winpath "$E2E_WORK/$name-calls.log") launch "$name" "$(winpath "$E2E_BIN/vesperkit.exe")"
  local pid_var=${name}_PID status_var=${name}_STATUS
  local pid=${!pid_var} status=${!status_var}
  wait_until 60 "the message box of $name" dialog_shown "$pid"

  local exe left top right bottom title texts
  IFS=$'\t' read -r exe _ left top right bottom title texts <<<"$(dialog_of "$pid")"
  [ "$title" = "Vesperkit" ] || fail "the message box is titled '$title'"
  [[ "$texts" == *"$component"* ]] || fail "the message does not name $component: $texts"
  [[ "$texts" == *"Reinstalling Vesperkit"* ]] || fail "the message does not say how to get it back: $texts"
  log "message box: $texts"
  [ "$(tray_icon_count)" -eq 0 ] || fail "an icon was added"
  [ "$(visible_windows_of "$pid" | grep -c .)" -eq 1 ] || fail "windows: $(visible_windows_of "$pid")"
  has_ended "$status" && fail "$name ended before the box was closed"
  screenshot "$E2E_WORK/$name.png"

  if [ "$how" = key ]; then
    press_key_in "$exe" "$left" "$top" "$right" "$bottom" Return
  else
    local ok
    ok=$(facts button | awk -F'\t' -v pid="$pid" '$2 == pid && $7 == "OK" { print $3, $4, $5, $6 }')
    [ -n "$ok" ] || fail "the message box has no OK button"
    click_centre $ok
  fi
  wait_until 60 "$name to end" has_ended "$status"
  local code
  code=$(exit_code "$status")
  [ "$code" != 0 ] || fail "$name ended with exit code 0"
  look
  [ "$(tray_icon_count)" -eq 0 ] || fail "an icon is left"
  log "$name ended with exit code $code and no icon"
}

# The run closed by a key goes last: under Wine a key whose release misses its
# window can stay down and close the next message box by itself.
regsvr "" PowerControlDouble.dll
run_without POWER_ONLY ProcessControl click
[ "$(cat "$E2E_WORK/POWER_ONLY-calls.log")" = $'PowerControl.Created\nPowerControl.Released' ] ||
  fail "calls: $(cat "$E2E_WORK/POWER_ONLY-calls.log")"

regsvr /u PowerControlDouble.dll
class_registered "$POWER_CLSID" && fail "PowerControl is still registered"
run_without NOTHING_REGISTERED PowerControl key
[ ! -s "$E2E_WORK/NOTHING_REGISTERED-calls.log" ] || fail "calls: $(cat "$E2E_WORK/NOTHING_REGISTERED-calls.log")"
cp "$E2E_WORK/NOTHING_REGISTERED.png" "$E2E_ARTIFACTS/missing-component.png"
log "PASS"
