#!/usr/bin/env bash
# How scripts/wine-env chooses the Windows architecture: with a 32-bit loader
# that runs, one that the kernel cannot execute, none at all, and a forced
# choice. Fake loaders stand in for Wine; nothing Windows runs here.
set -u
env_script="$(cd "$(dirname "$0")/../.." && pwd)/scripts/wine-env"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failures=0

printf '#!/bin/sh\necho wine-8.0\n' >"$work/runs"
printf '#!/bin/sh\necho "/usr/bin/wine: 40: exec: /usr/lib/wine/wine: Exec format error" >&2\nexit 126\n' >"$work/cannot"
chmod +x "$work/runs" "$work/cannot"

# plan LOADER FORCED: what a fresh shell decides, as "arch|WINEARCH|suites|not-run lines".
plan() {
  env -i PATH="$PATH" VESPERKIT_WINE32_LOADER="$1" ${2:+VESPERKIT_WINE_ARCH=$2} VESPERKIT_PREFIX="$work/prefix" \
    bash -c 'source "$0" || exit 1; wine_suite_plan
             printf "%s|%s|%s|%s|%s" "$VESPERKIT_ARCH" "$WINEARCH" "${WINEPREFIX##*/}" "${WINE_SUITES[*]}" \
               "${WINE_SUITES_NOT_RUN[*]}"' "$env_script" 2>&1
}

expect() {
  local name=$1 actual=$2 wanted=$3
  if [[ "$actual" == $wanted ]]; then echo "ok   $name"; else
    echo "FAIL $name"; echo "     got:    $actual"; echo "     wanted: $wanted"; failures=$((failures + 1))
  fi
}

expect "32-bit code runs: both suites, the product first" "$(plan "$work/runs")" \
  "i686|win32|prefix-i686|i686 x86_64|"
expect "no 32-bit execution: 64-bit suites and one line saying why" "$(plan "$work/cannot")" \
  "x86_64|win64|prefix-x86_64|x86_64|i686 Windows suites: built but not run on this machine, because its kernel runs no 32-bit code (*Exec format error)."
expect "no 32-bit loader installed" "$(plan "$work/absent")" \
  "x86_64|win64|prefix-x86_64|x86_64|i686 Windows suites: built but not run on this machine, because the 32-bit Wine loader */absent is not installed."
expect "x86_64 forced where 32-bit code runs" "$(plan "$work/runs" x86_64)" \
  "x86_64|win64|prefix-x86_64|x86_64|i686 Windows suites: built but not run, because VESPERKIT_WINE_ARCH=x86_64 chose the other architecture."
expect "an unknown architecture is refused" "$(plan "$work/runs" arm64; echo "|rc=$?")" "unknown Windows architecture 'arm64'*|rc=1"
exit $((failures > 0))
