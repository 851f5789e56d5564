#!/usr/bin/env bash
# Runs a Windows Qt Test program under Wine for ctest, which names this
# script as the emulator of the cross-built tests. Under Wine a console
# program's standard output can get lost, so the test writes its log to a
# file, printed here; the exit code is the test's.
#   wine-test.sh PROGRAM.exe [TEST ARGUMENTS...]
# The Wine prefix comes from the environment that ./package-windows sets
# (WINEPREFIX); the folders of the DLLs and of Qt's plugins from the test's
# own (PROFILARA_WINE_DLL_DIRS, separated by colons, and
# PROFILARA_WINE_PLUGIN_DIR), which become Wine's DLL and plugin paths.
set -uo pipefail
program=$1
shift
path=
IFS=: read -ra dirs <<<"${PROFILARA_WINE_DLL_DIRS:-}"
for dir in "${dirs[@]}"; do
    path="$path${path:+;}$(winepath -w "$dir" 2>/dev/null)"
done
export WINEPATH=$path
QT_PLUGIN_PATH=$(winepath -w "${PROFILARA_WINE_PLUGIN_DIR:-/}" 2>/dev/null)
export QT_PLUGIN_PATH
log=$(mktemp --suffix=.txt)
trap 'rm -f "$log"' EXIT
wine "$program" "$@" -o "$(winepath -w "$log" 2>/dev/null),txt"
status=$?
cat "$log"
exit "$status"
