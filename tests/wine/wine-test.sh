#!/usr/bin/env bash
# Runs a Windows Qt Test program under Wine for ctest, which names this
# script as the emulator of the cross-built tests. Under Wine a console
# program's standard output can get lost, so the test writes its log to a
# file, printed here; the exit code is the test's.
#   wine-test.sh PROGRAM.exe [TEST ARGUMENTS...]
# The Wine prefix, the DLL path and the plugin path come from the
# environment that ./package-windows sets (WINEPREFIX, WINEPATH,
# QT_PLUGIN_PATH).
set -uo pipefail
program=$1
shift
log=$(mktemp --suffix=.txt)
trap 'rm -f "$log"' EXIT
wine "$program" "$@" -o "$(winepath -w "$log" 2>/dev/null),txt"
status=$?
cat "$log"
exit "$status"
