#!/usr/bin/env bash
# Runs a command as a program runs while a screen reader listens: inside a
# session bus of its own that carries the accessibility bus (at-spi2-core),
# on the X display, with Qt's bridge to that bus on. Exits 77 (skipped)
# when the display or a tool is missing.
#   under_atspi_bus.sh COMMAND [ARGUMENTS...]
set -uo pipefail

launcher=$(ls /usr/libexec/at-spi-bus-launcher /usr/lib/at-spi2-core/at-spi-bus-launcher 2>/dev/null | head -n 1)
skip() { echo "$*: skipped"; exit 77; }
[ -n "${DISPLAY:-}" ] || skip "no DISPLAY"
[ -n "$launcher" ] || skip "no at-spi-bus-launcher"
command -v dbus-run-session >/dev/null || skip "no dbus-run-session"
[ -n "${PROFILARA_ATSPI_SESSION:-}" ] || exec dbus-run-session -- env PROFILARA_ATSPI_SESSION=1 bash "$0" "$@"

"$launcher" --launch-immediately &
launched=$!
trap 'kill $launched 2>/dev/null' EXIT
QT_QPA_PLATFORM=xcb QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 "$@"
