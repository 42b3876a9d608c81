# Sourced by the end-to-end test scripts: a display and a Wine desktop of the
# test's own, the driver program inside that desktop, the mouse and keys of a
# person (xdotool), screenshots, and cleanup on every way out.
#
# Needs VESPERKIT_BIN (the build folder; programs in $VESPERKIT_BIN/bin).
# VESPERKIT_PREFIX chooses the Wine prefix, as for every Windows test.
# Artefacts (screenshots, the desktop reports, Wine's output) are kept in
# $VESPERKIT_BIN/e2e-artifacts/<test name>.

set -uo pipefail

E2E_NAME=$(basename "$0" .sh)
E2E_BIN=${VESPERKIT_BIN:?VESPERKIT_BIN must name the build folder}/bin
E2E_ARTIFACTS=$VESPERKIT_BIN/e2e-artifacts
E2E_WORK=$E2E_ARTIFACTS/$E2E_NAME
E2E_DESKTOP=Vesperkit-$E2E_NAME
E2E_SIZE=1024x768
E2E_DRIVER=$E2E_BIN/vesperkit_e2e_driver.exe
E2E_LOOKS=0
LOOK=
XVFB_PID=
DESKTOP_XID=
DESKTOP_X=0
DESKTOP_Y=0

source "$(dirname "${BASH_SOURCE[0]}")/../../scripts/wine-env"

rm -rf "$E2E_WORK"
mkdir -p "$E2E_WORK"

log() { printf '%s %s\n' "$(date +%H:%M:%S)" "$*"; }

fail() {
  log "FAIL: $*"
  [ -n "$LOOK" ] && [ -f "$LOOK" ] && { echo "--- last desktop report ($LOOK):"; cat "$LOOK"; }
  exit 1
}

e2e_cleanup() {
  local status=$?
  touch "$E2E_WORK/release"
  wineserver -k >/dev/null 2>&1
  wineserver -w >/dev/null 2>&1
  if [ -n "$XVFB_PID" ]; then
    kill "$XVFB_PID" 2>/dev/null
    wait "$XVFB_PID" 2>/dev/null
  fi
  log "artefacts: $E2E_WORK"
  exit $status
}
trap e2e_cleanup EXIT
trap 'exit 1' INT TERM

# An Xvfb of the test's own on the first free display of 150..179.
start_display() {
  local n
  for n in $(seq 150 179); do
    [ -e "/tmp/.X$n-lock" ] && continue
    Xvfb ":$n" -screen 0 "${E2E_SIZE}x24" -nolisten tcp >"$E2E_WORK/xvfb.log" 2>&1 </dev/null &
    XVFB_PID=$!
    export DISPLAY=":$n"
    local _
    for _ in $(seq 1 50); do
      if xdpyinfo >/dev/null 2>&1; then
        log "display $DISPLAY"
        return 0
      fi
      kill -0 "$XVFB_PID" 2>/dev/null || break
      sleep 0.1
    done
    kill "$XVFB_PID" 2>/dev/null
    wait "$XVFB_PID" 2>/dev/null
    XVFB_PID=
  done
  fail "no free X display in :150..:179"
}

# A fresh Wine session in the prefix: nothing left over from earlier tests.
start_wine() {
  wineserver -k >/dev/null 2>&1
  wineserver -w >/dev/null 2>&1
  wine_prefix_ready
}

# The Windows path of a file of the test (drive Z: is the Unix root).
winpath() { printf 'Z:%s' "${1//\//\\}"; }

# Runs the driver (or another program) in the test's desktop, in the background.
in_desktop() {
  wine explorer "/desktop=$E2E_DESKTOP,$E2E_SIZE" "$@" >>"$E2E_WORK/wine.log" 2>&1 </dev/null &
}

# wait_until SECONDS DESCRIPTION COMMAND...: runs COMMAND until it succeeds.
wait_until() {
  local seconds=$1 what=$2
  shift 2
  local deadline=$((SECONDS + seconds))
  while ! "$@"; do
    [ $SECONDS -ge $deadline ] && fail "waited ${seconds}s for: $what"
    sleep 0.3
  done
}

file_exists() { [ -s "$1" ]; }

# Keeps the desktop open until the test ends, so that the tray can be seen
# after the last copy of the program has gone.
hold_desktop() {
  in_desktop "$E2E_DRIVER" hold "$(winpath "$E2E_WORK/release")"
  wait_until 60 "the desktop window" desktop_window_known
}

desktop_window_known() {
  local info
  info=$(xwininfo -name "$E2E_DESKTOP - Wine desktop" 2>/dev/null) || return 1
  DESKTOP_XID=$(awk '/Window id:/ {print $4}' <<<"$info")
  DESKTOP_X=$(awk '/Absolute upper-left X/ {print $4}' <<<"$info")
  DESKTOP_Y=$(awk '/Absolute upper-left Y/ {print $4}' <<<"$info")
  [ -n "$DESKTOP_XID" ] && [ -n "$DESKTOP_X" ] && [ -n "$DESKTOP_Y" ]
}

# Asks the driver what the desktop shows; LOOK names the report.
look() {
  E2E_LOOKS=$((E2E_LOOKS + 1))
  LOOK=$E2E_WORK/look-$(printf %03d $E2E_LOOKS).txt
  rm -f "$LOOK"
  # Under load Wine's explorer now and then fails to start a program
  # ("ShellExecuteEx failed: Internal error"): one more start is allowed.
  local attempt deadline
  for attempt in 1 2; do
    in_desktop "$E2E_DRIVER" look "$(winpath "$LOOK")"
    deadline=$((SECONDS + 30))
    until [ -f "$LOOK" ]; do
      [ $SECONDS -ge $deadline ] && break
      sleep 0.2
    done
    [ -f "$LOOK" ] && return 0
    log "the driver wrote no desktop report (start $attempt)"
  done
  fail "the driver wrote no desktop report"
}

# Lines of the last report of one kind (first field), without that field.
facts() { awk -F'\t' -v kind="$1" '$1 == kind' "$LOOK" | cut -f2-; }
count_facts() { facts "$1" | grep -c . ; }

tray_icon_count() { count_facts tray; }
# Tips of the icons, one a line.
tray_tips() { facts tray | cut -f5; }
# Centre of icon N (1-based) in X screen coordinates: "X Y".
tray_icon_centre() {
  facts tray | sed -n "${1}p" | awk -F'\t' -v dx="$DESKTOP_X" -v dy="$DESKTOP_Y" \
    '{ printf "%d %d\n", dx + int(($1 + $3) / 2), dy + int(($2 + $4) / 2) }'
}
visible_windows_of() { facts window | awk -F'\t' -v pid="$1" '$2 == pid && $3 == 1'; }
visible_tooltips() { facts tooltip | grep -c . ; }

# Conditions for wait_until; each takes a fresh look.
tray_shows() { look; [ "$(tray_icon_count)" -eq "$1" ]; }
one_menu_without_tip() { look; [ "$(count_facts menu)" -eq 1 ] && [ "$(visible_tooltips)" -eq 0 ]; }
no_menu() { look; [ "$(count_facts menu)" -eq 0 ]; }

# Right-clicks at X,Y, then moves the pointer away so that no tip covers
# the menu, and waits for the pop-up menu: MENU_EXE, MENU_PID and MENU_RECT
# ("left top right bottom") describe it.
open_menu_at() {
  xdotool mousemove "$1" "$2" click 3 mousemove $(($1 - 400)) $(($2 - 400))
  wait_until 30 "a pop-up menu after a right-click at $1,$2" one_menu_without_tip
  local left top right bottom
  IFS=$'\t' read -r MENU_EXE MENU_PID left top right bottom <<<"$(facts menu)"
  MENU_RECT="$left $top $right $bottom"
}

# Presses KEY in the open menu, then waits until no menu is open.
choose_in_menu() {
  press_key_in "$MENU_EXE" $MENU_RECT "$1"
  wait_until 30 "the menu to close after '$1'" no_menu
}

# Starts the program in the desktop through the driver; the variables
# named <name>_STATUS (status file) and <name>_PID are set.
launch() {
  local name=$1
  shift
  local status=$E2E_WORK/$name.status
  in_desktop "$E2E_DRIVER" launch "$(winpath "$status")" "$@"
  wait_until 60 "$name to start" file_exists "$status"
  grep -q '^pid' "$status" || fail "$name could not be started: $(cat "$status")"
  printf -v "${name}_STATUS" '%s' "$status"
  printf -v "${name}_PID" '%s' "$(awk -F'\t' '$1 == "pid" {print $2}' "$status")"
}

# The exit code of a launched program once it has ended, else nothing.
exit_code() { awk -F'\t' '$1 == "exit" {print $2}' "$1"; }
has_ended() { [ -n "$(exit_code "$1")" ]; }

# Screen coordinates of a rectangle "left top right bottom" of the desktop.
x_geometry() {
  local left=$1 top=$2 right=$3 bottom=$4
  printf '%dx%d+%d+%d' $((right - left)) $((bottom - top)) $((DESKTOP_X + left)) $((DESKTOP_Y + top))
}

screenshot() { import -window root "$1" >/dev/null 2>&1 || fail "no screenshot $1"; }

# Keeps a screenshot where people look for it: beside the tests' folders.
keep_screenshot() { cp "$1" "$E2E_ARTIFACTS/$(basename "$1")"; }

# crop SHOT RECT... OUT: the rectangle "left top right bottom" of a screenshot.
crop() {
  local shot=$1 out=$6
  convert "$shot" -crop "$(x_geometry "$2" "$3" "$4" "$5")" +repage "$out" || fail "cannot crop $shot"
}

# press_key_in EXE LEFT TOP RIGHT BOTTOM KEY: presses KEY in the top-level
# window (menu, dialog) of program EXE that covers that rectangle. Wine draws
# each top-level window of a virtual desktop in an X window of its own; a key
# event sent to that X window reaches it even when programs started in the
# desktop since have left the X keyboard focus where keys no longer arrive.
# The key goes up in the desktop's X window, which outlives the menu or box
# the key closes: a release Wine never sees leaves the key down for Wine, and
# the next message box then closes by itself.
press_key_in() {
  local exe=$1 key=$6
  local geometry window
  geometry=$(x_geometry "$2" "$3" "$4" "$5")
  window=$(xwininfo -root -tree | grep -F "(\"$exe\" \"$exe\")" | grep -F " $geometry " | awk '{print $1}' | head -1)
  [ -n "$window" ] || fail "no X window of $exe at $geometry"
  # (xdotool complains about the focus Xvfb reports; that is harmless)
  xdotool keydown --window "$window" "$key" 2>/dev/null || fail "cannot press $key"
  xdotool keyup --window "$DESKTOP_XID" "$key" 2>/dev/null || fail "cannot release $key"
}

# Clicks with the left button at the centre of "left top right bottom".
click_centre() {
  xdotool mousemove $((DESKTOP_X + ($1 + $3) / 2)) $((DESKTOP_Y + ($2 + $4) / 2)) click 1
}

# Registers (or with /u unregisters) component DLLs of the build.
regsvr() {
  local flag=$1 dll
  shift
  for dll in "$@"; do
    wine regsvr32 /s $flag "$(winpath "$E2E_BIN/$dll")" >>"$E2E_WORK/wine.log" 2>&1 || fail "regsvr32 $flag $dll"
  done
}

class_registered() { wine reg query "HKCR\\CLSID\\$1" >/dev/null 2>&1; }

readonly POWER_CLSID='{45499485-FBF0-4D44-9B6C-0C6693FF2ECB}'
readonly PROCESS_CLSID='{C913EC9D-9067-4BF9-BBE0-2C5054D29F2E}'

# The program's forms and their controls, as the driver's report gives them.
# The program's visible form holding a control with this text (exactly, or
# at its start with a trailing '*'): "form left top right bottom".
form_with() {
  local handle
  handle=$(facts control | awk -F'\t' -v t="$1" \
    '(substr(t, length(t)) == "*" ? index($7, substr(t, 1, length(t) - 1)) == 1 : $7 == t) {print $1; exit}')
  [ -n "$handle" ] && facts form | awk -F'\t' -v h="$handle" '$3 == h {print $3, $4, $5, $6, $7; exit}'
}
form_shown() { look; [ -n "$(form_with "$1")" ]; }
form_gone() { look; [ -z "$(form_with "$1")" ]; }
# "left top right bottom" of the visible control of that class and text (of
# the form with that handle).
control_rect() { facts control | awk -F'\t' -v c="$1" -v t="$2" '$6 == c && $7 == t {print $2, $3, $4, $5; exit}'; }
control_rect_in() { facts control | awk -F'\t' -v f="$1" -v c="$2" -v t="$3" '$1 == f && $6 == c && $7 == t {print $2, $3, $4, $5; exit}'; }
control_text() { facts control | awk -F'\t' -v c="$1" 'tolower($6) == tolower(c) {print $7}' | sed -n "${2}p"; }

# keys_in_window "LEFT TOP RIGHT BOTTOM" KEY...: presses keys (xdotool names)
# one after another in the program's window there, which stays open: each
# goes down and up in its X window.
keys_in_window() {
  local rect=$1 window key
  shift
  # Found by its place: Wine does not always pass on to the X window the size
  # a form took while hidden, and the X window follows a moment later.
  local place deadline=$((SECONDS + 10))
  place=$(x_geometry $rect)
  place=+${place#*+}
  until window=$(xwininfo -root -tree | grep -F '("vesperkit.exe" "vesperkit.exe")' |
    awk -v p="$place" '{for (i = 1; i <= NF; i++) if ($i ~ /^[0-9]+x[0-9]+\+/ && index($i, p) == length($i) - length(p) + 1) {print $1; exit}}') &&
    [ -n "$window" ]; do
    [ $SECONDS -ge $deadline ] && fail "no X window of the program at $rect"
    sleep 0.2
  done
  for key in "$@"; do
    xdotool key --window "$window" "$key" 2>/dev/null || fail "cannot press $key"
    sleep 0.2
  done
}
# Clicks the visible control of that class and text.
click_control() {
  local l t r b
  read -r l t r b <<<"$(control_rect "$1" "$2")"
  [ -n "$b" ] || fail "no $1 '$2' to click"
  click_centre "$l" "$t" "$r" "$b"
}

# In the Set Sleep Time dialog at DIALOG_RECT, arranged by time and date with
# the focus on its option button (so Tab leads to the time box): types the
# time's digits, then replaces the cancel period's 30 by SECONDS.
type_time_and_cancel_period() {
  local l t r b
  keys_in_window "$DIALOG_RECT" Tab $(sed 's/./& /g' <<<"$1")
  read -r l t r b <<<"$(control_rect Edit 30)"
  [ -n "$b" ] || fail "no cancel period box showing 30"
  xdotool mousemove $((DESKTOP_X + (l + r) / 2)) $((DESKTOP_Y + (t + b) / 2)) click --repeat 2 --delay 80 1
  keys_in_window "$DIALOG_RECT" "$2"
}

# Opens Set Sleep Time from the tray menu of the program (APP_PID, its icon at
# ICON_X, ICON_Y); DIALOG_RECT is where the dialog shows.
open_set_sleep_time() {
  open_menu_at "$ICON_X" "$ICON_Y"
  [ "$MENU_PID" = "$APP_PID" ] || fail "the menu belongs to $MENU_EXE, not to the program"
  choose_in_menu s
  wait_until 30 "the Set Sleep Time dialog" form_shown "Set by Time Period"
  read -r _ DIALOG_RECT <<<"$(form_with "Set by Time Period")"
}

# "handle left top right bottom" of the program's visible form with that title.
form_titled() { facts form | awk -F'\t' -v t="$1" '$8 == t {print $3, $4, $5, $6, $7; exit}'; }
titled_shown() { look; [ -n "$(form_titled "$1")" ]; }
titled_gone() { look; [ -z "$(form_titled "$1")" ]; }
# "left top right bottom" of the visible message box with that title.
message_box_rect() { facts dialog | awk -F'\t' -v t="$1" '$7 == t {print $3, $4, $5, $6; exit}'; }
message_box_shown() { look; [ -n "$(message_box_rect "$1")" ]; }
message_box_gone() { look; [ -z "$(message_box_rect "$1")" ]; }

# No settings of the program left in the prefix by an earlier test.
forget_settings() {
  local key
  for key in 'HKLM\Software\Quillfield Systems Ltd' 'HKLM\Software\Wow6432Node\Quillfield Systems Ltd'; do
    wine reg delete "$key" /f >/dev/null 2>&1
  done
}
