#!/usr/bin/env bash
# The running program as a screen reader reads it: the built program started
# in a fresh folder with a three-area section, and atspi_read.py reading it
# through the accessibility bus with pyatspi. Run inside atspi_session.sh.
# Exits 77 (skipped) when a tool is missing.
#   e2e_accessibility.sh PATH_TO_PROFILARA
set -uo pipefail

program=$1
here=$(cd "$(dirname "$0")" && pwd)
python=/usr/bin/python3 # Debian's, which has pyatspi

command -v xdotool >/dev/null || { echo "no xdotool: skipped"; exit 77; }
"$python" -c 'import pyatspi' 2>/dev/null || { echo "no pyatspi for $python: skipped"; exit 77; }

work=$(mktemp -d)
pid=
cleanup() {
    [ -n "$pid" ] && kill "$pid" 2>/dev/null
    rm -rf "$work"
}
trap cleanup EXIT

cp "$program" "$work/profilara"
. "$here/../example_section.sh"
write_example_section "$work"

(cd "$work" && exec ./profilara) &
pid=$!
timeout 20 xdotool search --sync --onlyvisible --name '^Profilara$' >/dev/null \
    || { echo "FAIL: the window did not appear"; exit 1; }

timeout 60 "$python" "$here/atspi_read.py"
