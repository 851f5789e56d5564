#!/usr/bin/env bash
# The running program as a screen reader reads it: the built program started
# in a fresh folder with the example section, inside a session bus of its own
# that carries the accessibility bus (at-spi2-core), read by atspi_read.py
# with pyatspi. Exits 77 (skipped) when the display or a tool is missing.
#   e2e_accessibility.sh PATH_TO_PROFILARA
set -uo pipefail

python=/usr/bin/python3 # Debian's, which has pyatspi
launcher=$(ls /usr/libexec/at-spi-bus-launcher /usr/lib/at-spi2-core/at-spi-bus-launcher 2>/dev/null | head -n 1)
skip() { echo "$*: skipped"; exit 77; }
[ -n "${DISPLAY:-}" ] || skip "no DISPLAY"
[ -n "$launcher" ] || skip "no at-spi-bus-launcher"
for tool in dbus-run-session xdotool; do command -v $tool >/dev/null || skip "no $tool"; done
"$python" -c 'import pyatspi' 2>/dev/null || skip "no pyatspi for $python"
[ -n "${PROFILARA_ATSPI_SESSION:-}" ] || exec dbus-run-session -- env PROFILARA_ATSPI_SESSION=1 bash "$0" "$@"

here=$(cd "$(dirname "$0")" && pwd)
work=$(mktemp -d)
"$launcher" --launch-immediately &
pids=$!
trap 'kill $pids 2>/dev/null; rm -rf "$work"' EXIT

cp "$1" "$work/profilara"
. "$here/../example_section.sh"
write_example_section "$work"
(cd "$work" && QT_QPA_PLATFORM=xcb QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 exec ./profilara) &
pids="$pids $!"
timeout 60 "$python" "$here/atspi_read.py"
