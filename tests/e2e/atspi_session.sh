#!/usr/bin/env bash
# Runs a command as a screen reader's desktop would see it: inside a session
# bus of its own that carries the desktop's accessibility bus (at-spi2-core),
# with Qt programs on the X display and their accessibility bridge always on.
# Exits 77 (skipped) when there is no display or no accessibility bus.
#   atspi_session.sh COMMAND [ARG...]
set -uo pipefail

[ -n "${DISPLAY:-}" ] || { echo "no DISPLAY: skipped"; exit 77; }
command -v dbus-run-session >/dev/null || { echo "no dbus-run-session: skipped"; exit 77; }
launcher=
for candidate in /usr/libexec/at-spi-bus-launcher /usr/lib/at-spi2-core/at-spi-bus-launcher; do
    [ -x "$candidate" ] && launcher=$candidate && break
done
[ -n "$launcher" ] || { echo "no at-spi-bus-launcher: skipped"; exit 77; }

if [ -z "${PROFILARA_ATSPI_SESSION:-}" ]; then
    exec dbus-run-session -- env PROFILARA_ATSPI_SESSION=1 bash "$0" "$@"
fi

"$launcher" --launch-immediately &
launcher_pid=$!
trap 'kill "$launcher_pid" 2>/dev/null' EXIT

export QT_QPA_PLATFORM=xcb QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1
"$@"
