#!/usr/bin/env bash
# The setup program in a fresh 32-bit prefix, used as an administrator would.
# A silent install puts the program, its components, the Start menu shortcut
# and the Add/Remove Programs entry in place, and no start with Windows unless
# /AUTOSTART asks for it, and the program starts from the Start menu into the
# tray (which it cannot without creating both components by class
# identifier). A
# second install over the first, while the program runs, ends it and leaves a
# working installation. A silent uninstall ends the running program, removes
# the files, the shortcut, the component registrations and the entry, and
# keeps the settings and "Files.dat".
export VESPERKIT_PREFIX=${VESPERKIT_BIN:?VESPERKIT_BIN must name the build folder}/installer-prefix
source "$(dirname "$0")/../e2e/e2e-lib.sh"
SETUP=${VESPERKIT_SETUP:?VESPERKIT_SETUP must name the setup program}
VERSION=${VESPERKIT_VERSION:?VESPERKIT_VERSION must name the version}

INSTALLED_WIN='C:\Program Files\Quillfield Systems Ltd\Vesperkit'
INSTALLED="$WINEPREFIX/drive_c/Program Files/Quillfield Systems Ltd/Vesperkit"
SHORTCUT='C:\ProgramData\Microsoft\Windows\Start Menu\Programs\Vesperkit.lnk'
SHORTCUT_FILE="$WINEPREFIX/drive_c/ProgramData/Microsoft/Windows/Start Menu/Programs/Vesperkit.lnk"
UNINSTALL_KEY='HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\Vesperkit'
RUN_KEY='HKLM\Software\Microsoft\Windows\CurrentVersion\Run'
SETTINGS_KEY='HKLM\Software\Quillfield Systems Ltd\Vesperkit\Settings'

# The data of a registry value, or nothing when it does not exist.
reg_value() {
  wine reg query "$1" /v "$2" 2>/dev/null | tr -d '\r' |
    awk -v name="$2" '$1 == name { sub(/^ *[^ ]+ +REG_[A-Z_]+ +/, ""); print }'
}

# run_setup NAME ARGS...: a silent install in the desktop, which must succeed.
run_setup() {
  local name=$1 status
  shift
  launch "$name" "$(winpath "$SETUP")" /S "$@"
  status=${name}_STATUS
  wait_until 120 "$name to finish" has_ended "${!status}"
  [ "$(exit_code "${!status}")" = 0 ] || fail "$name ended with exit code $(exit_code "${!status}")"
}

# check_installed RUN_VALUE: the installation as it must be, the start with
# Windows as given (empty: none).
check_installed() {
  local file
  for file in vesperkit.exe PowerControl.dll ProcessControl.dll; do
    cmp -s "$E2E_BIN/$file" "$INSTALLED/$file" || fail "$file is not installed"
  done
  [ -s "$INSTALLED/uninstall.exe" ] || fail "no uninstaller"
  [ -s "$SHORTCUT_FILE" ] || fail "no Start menu shortcut"
  [ "$(reg_value "$UNINSTALL_KEY" DisplayVersion)" = "$VERSION" ] || fail "the entry's version is not $VERSION"
  [ "$(reg_value "$UNINSTALL_KEY" DisplayIcon)" = "$INSTALLED_WIN\\vesperkit.exe,0" ] || fail "the entry has no icon"
  [ "$(reg_value "$UNINSTALL_KEY" QuietUninstallString)" = "\"$INSTALLED_WIN\\uninstall.exe\" /S" ] ||
    fail "the entry has no silent uninstall"
  [ "$(reg_value "$RUN_KEY" Vesperkit)" = "$1" ] || fail "start with Windows is '$(reg_value "$RUN_KEY" Vesperkit)'"
}

# The program through its shortcut, as a click in the Start menu starts it.
start_from_menu() {
  in_desktop start.exe "$SHORTCUT"
  wait_until 60 "the tray icon of the installed program" tray_shows 1
  [ "$(tray_tips)" = Vesperkit ] || fail "the tip is '$(tray_tips)'"
}

# ended_cleanly NAME: it ended as Exit ends it (not killed), and its icon went.
ended_cleanly() {
  local status=${1}_STATUS
  wait_until 60 "$1 to end" has_ended "${!status}"
  [ "$(exit_code "${!status}")" = 0 ] || fail "$1 was ended with exit code $(exit_code "${!status}")"
  wait_until 30 "an empty tray" tray_shows 0
}

start_display
rm -rf "$WINEPREFIX"
start_wine
hold_desktop

run_setup FIRST_SETUP
check_installed ""
start_from_menu
screenshot "$E2E_WORK/installed.png"
log "the installed program started from the Start menu"

run_setup SECOND_SETUP /AUTOSTART
wait_until 30 "the running program to end" tray_shows 0
[ -z "$(facts window | awk -F'\t' '$4 == "VesperkitForm"')" ] || fail "the program still runs"
check_installed "\"$INSTALLED_WIN\\vesperkit.exe\""
launch RUN "$INSTALLED_WIN\\vesperkit.exe"
wait_until 60 "the tray icon of the reinstalled program" tray_shows 1
log "a second install ended the running program and works"

wine reg add "$SETTINGS_KEY" /v CancelTime /d 45 /f >/dev/null 2>&1 || fail "cannot write a setting"
head -c 102 /dev/zero >"$INSTALLED/Files.dat"
launch UNINSTALL "$INSTALLED_WIN\\uninstall.exe" /S
ended_cleanly RUN
# The uninstaller runs on from a copy of itself and removes itself last.
uninstaller_gone() { [ ! -e "$INSTALLED/uninstall.exe" ]; }
wait_until 60 "the uninstaller to finish" uninstaller_gone
[ "$(ls "$INSTALLED")" = Files.dat ] || fail "left in the program folder: $(ls "$INSTALLED")"
[ ! -e "$SHORTCUT_FILE" ] || fail "the shortcut is left"
class_registered "$POWER_CLSID" && fail "PowerControl is still registered"
class_registered "$PROCESS_CLSID" && fail "ProcessControl is still registered"
wine reg query "$UNINSTALL_KEY" >/dev/null 2>&1 && fail "the Add/Remove Programs entry is left"
[ -z "$(reg_value "$RUN_KEY" Vesperkit)" ] || fail "the start with Windows is left"
[ "$(reg_value "$SETTINGS_KEY" CancelTime)" = 45 ] || fail "the settings were removed"
log "uninstalled; the settings and Files.dat are kept"
log "PASS"
