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
E2E_LOOKS=0 LOOK= XVFB_PID= DESKTOP_XID= DESKTOP_X=0 DESKTOP_Y=0
readonly POWER_CLSID='{45499485-FBF0-4D44-9B6C-0C6693FF2ECB}'
readonly PROCESS_CLSID='{C913EC9D-9067-4BF9-BBE0-2C5054D29F2E}'

source "$(dirname "${BASH_SOURCE[0]}")/../../scripts/wine-env"
rm -rf "$E2E_WORK"
mkdir -p "$E2E_WORK"

log() { printf '%s %s\n' "$(date +%H:%M:%S)" "$*"; }

fail() {
  log "FAIL: $*"
  [ -f "${LOOK:-}" ] && { echo "--- last desktop report ($LOOK):"; cat "$LOOK"; }
  exit 1
}

e2e_cleanup() {
  local status=$?
  touch "$E2E_WORK/release"
  wineserver -k >/dev/null 2>&1
  wineserver -w >/dev/null 2>&1
  [ -n "$XVFB_PID" ] && kill "$XVFB_PID" 2>/dev/null && wait "$XVFB_PID" 2>/dev/null
  log "artefacts: $E2E_WORK"
  exit $status
}
trap e2e_cleanup EXIT
trap 'exit 1' INT TERM

# An Xvfb of the test's own, whatever display the caller has.
start_display() {
  unset DISPLAY
  ensure_display || fail "no X display"
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
in_desktop() { wine explorer "/desktop=$E2E_DESKTOP,$E2E_SIZE" "$@" >>"$E2E_WORK/wine.log" 2>&1 </dev/null & }

# wait_until SECONDS DESCRIPTION COMMAND...: runs COMMAND until it succeeds.
wait_until() {
  local deadline=$((SECONDS + $1)) what=$2
  shift 2
  until "$@"; do
    [ $SECONDS -ge $deadline ] && fail "waited for: $what"
    sleep 0.3
  done
}

# Keeps the desktop open until the test ends, so that the tray can be seen
# after the last copy of the program has gone.
hold_desktop() {
  in_desktop "$E2E_DRIVER" hold "$(winpath "$E2E_WORK/release")"
  wait_until 60 "the desktop window" desktop_window_known
}
desktop_window_known() {
  local info
  info=$(xwininfo -name "$E2E_DESKTOP - Wine desktop" 2>/dev/null) || return 1
  read -r DESKTOP_XID DESKTOP_X DESKTOP_Y <<<"$(awk '/Window id:/ {id = $4} /Absolute upper-left X/ {x = $4}
    /Absolute upper-left Y/ {y = $4} END {print id, x, y}' <<<"$info")"
  [ -n "$DESKTOP_Y" ]
}

# Asks the driver what the desktop shows; LOOK names the report.
look() {
  E2E_LOOKS=$((E2E_LOOKS + 1))
  LOOK=$E2E_WORK/look-$(printf %03d $E2E_LOOKS).txt
  # Under load Wine's explorer now and then fails to start a program
  # ("ShellExecuteEx failed: Internal error"): one more start is allowed.
  local attempt deadline
  for attempt in 1 2; do
    in_desktop "$E2E_DRIVER" look "$(winpath "$LOOK")"
    deadline=$((SECONDS + 30))
    until [ -f "$LOOK" ] || [ $SECONDS -ge $deadline ]; do sleep 0.2; done
    [ -f "$LOOK" ] && return 0
    log "the driver wrote no desktop report (start $attempt)"
  done
  fail "the driver wrote no desktop report"
}

# Lines of the last report of one kind (first field), without that field.
facts() { awk -F'\t' -v kind="$1" '$1 == kind' "$LOOK" | cut -f2-; }
tray_icon_count() { facts tray | grep -c . ; }
tray_tips() { facts tray | cut -f5; }
# Centre of icon N (1-based) in X screen coordinates: "X Y".
tray_icon_centre() {
  facts tray | sed -n "${1}p" | awk -F'\t' -v dx="$DESKTOP_X" -v dy="$DESKTOP_Y" \
    '{ printf "%d %d\n", dx + int(($1 + $3) / 2), dy + int(($2 + $4) / 2) }'
}
# The visible top-level windows of that class (and title, when given):
# "pid handle left top right bottom title", one a line.
shown() {
  facts window | awk -F'\t' -v c="$1" -v t="${2-}" '$2 == 1 && $4 == c && (t == "" || $9 == t) {
    print $1, $3, $5, $6, $7, $8, $9 }'
}
visible_windows_of() { facts window | awk -F'\t' -v pid="$1" '$1 == pid && $2 == 1'; }

# Conditions for wait_until; each takes a fresh look.
tray_shows() { look; [ "$(tray_icon_count)" -eq "$1" ]; }
one_menu_without_tip() { look; [ "$(shown '#32768' | grep -c .)" -eq 1 ] && [ -z "$(shown tooltips_class32)" ]; }
no_menu() { look; [ -z "$(shown '#32768')" ]; }

# Right-clicks at X,Y, then moves the pointer away so that no tip covers
# the menu, and waits for the pop-up menu: MENU_PID and MENU_RECT
# ("left top right bottom") describe it.
open_menu_at() {
  xdotool mousemove "$1" "$2" click 3 mousemove $(($1 - 400)) $(($2 - 400))
  wait_until 30 "a pop-up menu after a right-click at $1,$2" one_menu_without_tip
  local _ l t r b
  read -r MENU_PID _ l t r b _ <<<"$(shown '#32768')"
  MENU_RECT="$l $t $r $b"
}

# Presses KEY in the open menu, then waits until no menu is open.
choose_in_menu() {
  press_key_in $MENU_RECT "$1"
  wait_until 30 "the menu to close after '$1'" no_menu
}

# Starts the program in the desktop through the driver; the variables
# named <name>_STATUS (status file) and <name>_PID are set.
launch() {
  local name=$1 status=$E2E_WORK/$1.status
  shift
  in_desktop "$E2E_DRIVER" launch "$(winpath "$status")" "$@"
  wait_until 60 "$name to start" test -s "$status"
  grep -q '^pid' "$status" || fail "$name could not be started: $(cat "$status")"
  printf -v "${name}_STATUS" '%s' "$status"
  printf -v "${name}_PID" '%s' "$(awk -F'\t' '$1 == "pid" {print $2}' "$status")"
}

# The exit code of a launched program once it has ended, else nothing.
exit_code() { awk -F'\t' '$1 == "exit" {print $2}' "$1"; }
has_ended() { [ -n "$(exit_code "$1")" ]; }

# Screen coordinates of a rectangle "left top right bottom" of the desktop.
x_geometry() { printf '%dx%d+%d+%d' $(($3 - $1)) $(($4 - $2)) $((DESKTOP_X + $1)) $((DESKTOP_Y + $2)); }

screenshot() { import -window root "$1" >/dev/null 2>&1 || fail "no screenshot $1"; }
# crop SHOT LEFT TOP RIGHT BOTTOM OUT: a rectangle of the desktop from a screenshot.
crop() { convert "$1" -crop "$(x_geometry "$2" "$3" "$4" "$5")" +repage "$6" || fail "cannot crop $1"; }

# The X window of the program at "left top right bottom" of the desktop. Wine
# draws each top-level window of a virtual desktop in an X window of its own;
# a key sent to that X window reaches it even where the X keyboard focus no
# longer leads. Found by its place: Wine does not always pass on to the X
# window the size a form took while hidden, and the X window follows a moment
# later.
x_window_of() {
  local place window deadline=$((SECONDS + 10))
  place=$(x_geometry "$@")
  place=+${place#*+}
  until window=$(xwininfo -root -tree | grep -F '("vesperkit.exe" "vesperkit.exe")' | awk -v p="$place" '{for (i = 1; i <= NF; i++)
      if ($i ~ /^[0-9]+x[0-9]+\+/ && index($i, p) == length($i) - length(p) + 1) {print $1; exit}}') &&
    [ -n "$window" ]; do
    [ $SECONDS -ge $deadline ] && return 1
    sleep 0.2
  done
  echo "$window"
}

# press_key_in LEFT TOP RIGHT BOTTOM KEY: presses KEY in the menu or box
# there, which the key closes. The key goes up in the desktop's X window,
# which outlives it: a release Wine never sees leaves the key down for Wine,
# and the next message box then closes by itself.
press_key_in() {
  local window
  window=$(x_window_of "$1" "$2" "$3" "$4") || fail "no X window of the program at $1 $2 $3 $4"
  # (xdotool complains about the focus Xvfb reports; that is harmless)
  xdotool keydown --window "$window" "$5" 2>/dev/null || fail "cannot press $5"
  xdotool keyup --window "$DESKTOP_XID" "$5" 2>/dev/null || fail "cannot release $5"
}

# keys_in_window "LEFT TOP RIGHT BOTTOM" KEY...: presses keys (xdotool names)
# one after another in the program's window there, which stays open: each
# goes down and up in its X window.
keys_in_window() {
  local window key
  window=$(x_window_of $1) || fail "no X window of the program at $1"
  shift
  for key in "$@"; do
    xdotool key --window "$window" "$key" 2>/dev/null || fail "cannot press $key"
    sleep 0.2
  done
}

# Clicks with the left button at the centre of "left top right bottom".
click_centre() { xdotool mousemove $((DESKTOP_X + ($1 + $3) / 2)) $((DESKTOP_Y + ($2 + $4) / 2)) click 1; }

# Registers (or with /u unregisters) component DLLs of the build.
regsvr() {
  local flag=$1 dll
  shift
  for dll in "$@"; do
    wine regsvr32 /s $flag "$(winpath "$E2E_BIN/$dll")" >>"$E2E_WORK/wine.log" 2>&1 || fail "regsvr32 $flag $dll"
  done
}
class_registered() { wine reg query "HKCR\\CLSID\\$1" >/dev/null 2>&1; }

# The program's forms and message boxes, and their controls, as the driver's
# report gives them.
# The visible form holding a control with this text (exactly, or at its start
# with a trailing '*'): "form left top right bottom".
form_with() {
  local handle
  handle=$(facts control | awk -F'\t' -v t="$1" \
    '(substr(t, length(t)) == "*" ? index($7, substr(t, 1, length(t) - 1)) == 1 : $7 == t) {print $1; exit}')
  [ -n "$handle" ] && shown VesperkitForm | awk -v h="$handle" '$2 == h {print $2, $3, $4, $5, $6; exit}'
}
form_shown() { look; [ -n "$(form_with "$1")" ]; }
form_gone() { look; [ -z "$(form_with "$1")" ]; }
# "handle left top right bottom" of the visible form (or, with the class
# given, the window of that class) with that title.
form_titled() { shown "${2:-VesperkitForm}" "$1" | awk '{print $2, $3, $4, $5, $6; exit}'; }
titled_shown() { look; [ -n "$(form_titled "$@")" ]; }
titled_gone() { look; [ -z "$(form_titled "$@")" ]; }
# "left top right bottom" of the visible control of that class and text (in
# the window with that handle).
control_rect() { control_rect_in "" "$@"; }
control_rect_in() {
  facts control | awk -F'\t' -v w="$1" -v c="$2" -v t="$3" '(w == "" || $1 == w) && $6 == c && $7 == t {
    print $2, $3, $4, $5; exit }'
}
# The text of the Nth visible control of that class.
control_text() { facts control | awk -F'\t' -v c="$1" 'tolower($6) == tolower(c) {print $7}' | sed -n "${2}p"; }
# Clicks the visible control of that class and text.
click_control() {
  local rect
  rect=$(control_rect "$1" "$2")
  [ -n "$rect" ] || fail "no $1 '$2' to click"
  click_centre $rect
}
