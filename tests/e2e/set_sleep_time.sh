#!/usr/bin/env bash
# The Set Sleep Time dialog, used as a person would: opened from the tray
# menu, switched to "Set by Time/Date", given a time already past today
# (00:00) and a cancel period of 3 seconds, and confirmed; the tray tip names
# the schedule. Start Timer arms it: the countdown opens about two seconds
# later, and once its 3 seconds are over the recording PowerControl receives
# the power action. The dialog's frames are stacked 105 twips apart in both
# arrangements, at 96 and at 144 DPI, with every control inside the dialog;
# Alt+F4 does not close it. The screenshots at 96 DPI are kept as
# set-sleep-time-period-96.png and set-sleep-time-date-96.png.
source "$(dirname "$0")/e2e-lib.sh"

readonly DPI_KEY='HKCU\Control Panel\Desktop'
# The next test in this prefix must find the screen at 96 DPI again.
restore_dpi() {
  local status=$?
  wine reg delete "$DPI_KEY" /v LogPixels /f >/dev/null 2>&1
  (exit $status)
  e2e_cleanup
}
trap restore_dpi EXIT

# check_layout DPI ARRANGEMENT: the frames shown are stacked 105 twips apart
# (one pixel either way for rounding), the buttons 105 twips below the last,
# the window as high as the arrangement's form height, and every control
# inside the window. Saves the dialog as set-sleep-time-ARRANGEMENT-DPI.png.
check_layout() {
  local dpi=$1 arrangement=$2 height
  [ "$arrangement" = date ] && height=5015 || height=4655
  local gap=$(((105 * dpi + 720) / 1440))
  read -r left top right bottom <<<"$DIALOG_RECT"
  local tops
  tops=$(facts control | awk -F'\t' '$6 == "VesperkitFrame" {print $3, $5}' | sort -n)
  [ "$(wc -l <<<"$tops")" -eq 4 ] || fail "$arrangement at $dpi DPI: frames shown: $tops"
  local ok_top
  read -r _ ok_top _ _ <<<"$(control_rect Button "&OK")"
  printf '%s\n%s %s\n' "$tops" "$ok_top" "$ok_top" | awk -v gap="$gap" -v what="$arrangement at $1 DPI" '
    NR > 1 && ($1 - below < gap - 1 || $1 - below > gap + 1) { print what ": " $1 - below " px between, not " gap; bad = 1 }
    { below = $2 }
    END { exit bad }' || fail "the frames are not stacked 105 twips apart"
  local expected=$(((height * dpi + 720) / 1440))
  [ $((bottom - top - expected)) -ge -1 ] && [ $((bottom - top - expected)) -le 1 ] ||
    fail "$arrangement at $dpi DPI: the dialog is $((bottom - top)) px high, not $expected"
  facts control | awk -F'\t' -v l="$left" -v t="$top" -v r="$right" -v b="$bottom" \
    '$2 < l || $3 < t || $4 > r || $5 > b - 3 {print; bad = 1} END {exit bad}' >"$E2E_WORK/clipped.txt" ||
    fail "$arrangement at $dpi DPI: controls outside the dialog: $(cat "$E2E_WORK/clipped.txt")"
  local shot=$E2E_WORK/set-sleep-time-$arrangement-$dpi.png
  screenshot "$E2E_WORK/screen.png"
  crop "$E2E_WORK/screen.png" $DIALOG_RECT "$shot"
  log "$arrangement at $dpi DPI: frames 105 twips apart, nothing outside the dialog"
}

# Starts the program afresh in a new Wine session; ICON_X, ICON_Y its icon,
# APP_PID its process.
start_program() {
  start_wine
  hold_desktop
  rm -f "$E2E_WORK/APP.status"
  launch APP "$(winpath "$E2E_BIN/vesperkit.exe")"
  wait_until 60 "the program's tray icon" tray_shows 1
  read -r ICON_X ICON_Y <<<"$(tray_icon_centre 1)"
}

start_display
start_wine
wine reg delete "$DPI_KEY" /v LogPixels /f >/dev/null 2>&1
# No settings left by an earlier run: the first opening is a first start's.
forget_settings
regsvr "" PowerControlDouble.dll ProcessControlDouble.dll
RECORD=$E2E_WORK/calls.log
export VESPERKIT_RECORD_FILE
VESPERKIT_RECORD_FILE=$(winpath "$RECORD")
# A schedule set for today must still be today when it is due.
while [ "$(date +%H%M)" -ge 2357 ]; do sleep 20; done
start_program

# First opening: by period, 15 minutes, 30 seconds, Shutdown.
open_set_sleep_time
check_layout 96 period
keep_screenshot "$E2E_WORK/set-sleep-time-period-96.png"
[ "$(control_text ComboBox 1)" = "15 Mins" ] || fail "the period box shows '$(control_text ComboBox 1)'"
# Alt+F4 neither closes the dialog nor ends the program.
keys_in_window "$DIALOG_RECT" alt+F4
sleep 1
form_shown "Set by Time Period" && ! has_ended "$APP_STATUS" || fail "Alt+F4 closed the dialog"

click_control Button "Set by Time/Date"
wait_until 30 "the time and date frame" form_shown " Set by Time/Date"
read -r _ DIALOG_RECT <<<"$(form_with "Set by Time Period")"
check_layout 96 date
keep_screenshot "$E2E_WORK/set-sleep-time-date-96.png"

# From the option button Tab leads to the time box: 00:00; the cancel period 3.
type_time_and_cancel_period 0000 3
look
[ "$(control_text Edit 1)" = "00:00" ] || fail "the time box shows '$(control_text Edit 1)'"
[ "$(control_text Edit 2)" = "3" ] || fail "the cancel period box shows '$(control_text Edit 2)'"
click_control Button "&OK"
wait_until 30 "the dialog to close" form_gone "Set by Time Period"
# Today's date text, with Windows' own date separator on both sides.
[[ "$(tray_tips)" =~ ^"Shutdown set for 00:00 on the "([0-9]{2})([^0-9]+)([0-9]{2})([^0-9]+)([0-9]{2})$ ]] &&
  [ "${BASH_REMATCH[2]}" = "${BASH_REMATCH[4]}" ] &&
  [ "${BASH_REMATCH[1]} ${BASH_REMATCH[3]} ${BASH_REMATCH[5]}" = "$(date '+%d %m %y')" ] ||
  fail "the tip is '$(tray_tips)'"
log "confirmed: $(tray_tips)"

# Start Timer: the first tick, two seconds on, finds the schedule due.
open_menu_at "$ICON_X" "$ICON_Y"
started=$SECONDS
choose_in_menu t
wait_until 30 "the countdown" form_shown "Time until shutdown:*"
opened=$((SECONDS - started))
[ $opened -le 8 ] || fail "the countdown opened $opened s after Start Timer"
log "the countdown opened after ${opened}s: $(facts control | awk -F'\t' 'index($7, "Time until") == 1 {print $7}')"
grep -q DoPowerAction "$RECORD" && fail "the power action came before the countdown had run"
power_called() { grep -q '^PowerControl.DoPowerAction$' "$RECORD"; }
wait_until 30 "the power action" power_called
expected=$'PowerControl.Created\nProcessControl.Created\nPowerControl.HibernateSupported\nPowerControl.AltShutdownSupported
PowerControl.PowerAction=2\nPowerControl.ForceAction=0\nPowerControl.DoPowerAction'
[ "$(cat "$RECORD")" = "$expected" ] || fail "calls: $(cat "$RECORD")"
log "PowerControl received the shutdown after the countdown"

# At 144 DPI, opening where the last OK left it: by time and date.
wineserver -k >/dev/null 2>&1
wineserver -w >/dev/null 2>&1
wine reg add "$DPI_KEY" /v LogPixels /t REG_DWORD /d 144 /f >/dev/null 2>&1 || fail "cannot set 144 DPI"
start_program
open_set_sleep_time
check_layout 144 date
click_control Button "Set by Time Period"
wait_until 30 "the period frame" form_shown " Set by Time Period"
read -r _ DIALOG_RECT <<<"$(form_with "Set by Time Period")"
check_layout 144 period
log "PASS"
