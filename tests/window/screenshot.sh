#!/usr/bin/env bash
# Starts the built program on the X display with a three-area section, takes
# a picture of its window and closes it with its own Esci button.
#   screenshot.sh <profilara executable> <output png>
set -euo pipefail

exe=$1
out=$2

if [ -z "${DISPLAY:-}" ]; then
    echo "No X display (DISPLAY is not set): no screenshot taken. Run the tests under xvfb-run."
    exit 77
fi
for tool in xdotool import identify timeout; do
    if ! command -v "$tool" >/dev/null; then
        echo "$tool is not installed: no screenshot taken."
        exit 77
    fi
done

dir=$(mktemp -d)
pid=
cleanup() {
    if [ -n "$pid" ] && kill -0 "$pid" 2>/dev/null; then
        kill "$pid" 2>/dev/null || true
    fi
    rm -rf "$dir"
}
trap cleanup EXIT

# The program reads its section file from its own folder.
cp "$exe" "$dir/profilara"
. "$(dirname "$0")/../example_section.sh"
write_example_section "$dir"

QT_QPA_PLATFORM=xcb "$dir/profilara" &
pid=$!

wid=$(timeout 20 xdotool search --sync --onlyvisible --name '^Profilara$' | head -n 1) || true
if [ -z "$wid" ]; then
    echo "The Profilara window did not appear within 20 s." >&2
    exit 1
fi
sleep 1 # the start-up sequence fills the grid right after the window is shown
if ! kill -0 "$pid" 2>/dev/null; then
    echo "Profilara ended before the screenshot." >&2
    exit 1
fi

mkdir -p "$(dirname "$out")"
timeout 20 import -window "$wid" "$out"
size=$(identify -format '%wx%h' "$out")
if [ "$size" != 700x603 ]; then
    echo "The screenshot is $size, not the window's 700x603." >&2
    exit 1
fi
echo "Screenshot of window $wid: $out"

# Esci, the button at (560, 576) sized 129 x 25.
xdotool mousemove --window "$wid" 624 588 click 1
if ! timeout 10 tail --pid="$pid" -f /dev/null; then
    echo "Profilara did not close on Esci." >&2
    exit 1
fi
wait "$pid"
pid=
