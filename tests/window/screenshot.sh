#!/usr/bin/env bash
# Starts the built program on the X display with a three-area section, takes
# a picture of its window and closes it with its own Esci button; then does
# the same with the desktop's logical DPI at 72 (as on macOS), whose picture
# must be the same pixel for pixel.
#   screenshot.sh <profilara executable> <output png>
# The 72-dpi picture is written beside the output, as <output>-72dpi.png.
set -euo pipefail

exe=$1
out=$2

if [ -z "${DISPLAY:-}" ]; then
    echo "No X display (DISPLAY is not set): no screenshot taken. Run the tests under xvfb-run."
    exit 77
fi
for tool in xdotool import identify compare timeout; do
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

# shoot PNG [VAR=VALUE...]: one run of the program, in that environment, on
# a fresh copy of the section.
shoot() {
    local png=$1
    shift
    write_example_section "$dir"
    env QT_QPA_PLATFORM=xcb "$@" "$dir/profilara" &
    pid=$!

    local wid
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

    mkdir -p "$(dirname "$png")"
    timeout 20 import -window "$wid" "$png"
    local size
    size=$(identify -format '%wx%h' "$png")
    if [ "$size" != 700x603 ]; then
        echo "The screenshot is $size, not the window's 700x603." >&2
        exit 1
    fi
    echo "Screenshot of window $wid: $png"

    # Esci, the button at (560, 576) sized 129 x 25.
    xdotool mousemove --window "$wid" 624 588 click 1
    if ! timeout 10 tail --pid="$pid" -f /dev/null; then
        echo "Profilara did not close on Esci." >&2
        exit 1
    fi
    wait "$pid"
    pid=
}

shoot "$out"
at72="${out%.png}-72dpi.png"
shoot "$at72" QT_FONT_DPI=72

# compare prints the number of pixels that differ.
if ! differing=$(compare -metric AE "$out" "$at72" null: 2>&1); then
    echo "At 72 dpi the window differs from the one at the default DPI in $differing pixels." >&2
    exit 1
fi
