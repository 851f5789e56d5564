#!/usr/bin/env bash
# End to end, as a user works: the built program copied into a fresh folder,
# started on the X display, driven with real X events (xdotool), and the
# section file's bytes checked after each step. Exits 77 (skipped) when there
# is no display or no xdotool.
#   e2e_profilara.sh PATH_TO_PROFILARA
set -uo pipefail

program=$1
[ -n "${DISPLAY:-}" ] || { echo "no DISPLAY: skipped"; exit 77; }
command -v xdotool >/dev/null || { echo "no xdotool: skipped"; exit 77; }

work=$(mktemp -d)
pid=
cleanup() {
    [ -n "$pid" ] && kill "$pid" 2>/dev/null
    rm -rf "$work"
}
trap cleanup EXIT
cp "$program" "$work/profilara"
file="$work/ComputoPersonalizzato.txt"
export QT_QPA_PLATFORM=xcb

fail() {
    echo "FAIL: $*"
    exit 1
}

# The file's expected bytes from its lines (each ends in CR LF).
expect_lines() {
    local line
    for line in "$@"; do printf '%s\r\n' "$line"; done
}

# Waits until the file holds exactly the expected lines.
expect_file() {
    local want
    want=$(mktemp)
    expect_lines "$@" >"$want"
    for _ in $(seq 100); do
        cmp -s "$want" "$file" && { rm -f "$want"; return 0; }
        sleep 0.1
    done
    echo "expected:"; cat -A "$want"; echo "found:"; cat -A "$file"
    rm -f "$want"
    fail "section file differs"
}

empty11=("" "" "" "" "" "" "" "" "" "" "")

start() {
    (cd "$work" && exec ./profilara) &
    pid=$!
}

main_window() {
    window=$(timeout 15 xdotool search --sync --onlyvisible --name '^Profilara$' | head -n 1)
    [ -n "$window" ] || fail "the window did not appear"
    sleep 0.5
}

click() { # x y in the window's client area
    xdotool mousemove --window "$window" "$1" "$2"
    sleep 0.15
    xdotool click 1
    sleep 0.15
}

key() {
    xdotool key "$@"
    sleep 0.15
}

type_text() {
    xdotool type --delay 20 "$1"
    sleep 0.1
}

# Grid cell centres: the grid's data rows start below its 40-pixel header.
cell() { # row column
    local x
    if [ "$2" -eq 0 ]; then x=99; else x=$((26 + 147 + ($2 - 1) * 97 + 48)); fi
    click "$x" $((482 + ($1 - 1) * 20))
}

count_box() { click 176 417; key ctrl+a BackSpace; }

# --- A start without a file: the message comes first, then the 18-line file.
start
dialog=$(timeout 15 xdotool search --sync --onlyvisible --name '^Attenzione$' | head -n 1)
[ -n "$dialog" ] || fail "no message about the missing file"
[ -e "$file" ] && fail "the file was written before the message was dismissed"
xdotool windowfocus --sync "$dialog"
key Return
main_window
expect_file "${empty11[@]}" " 1 " "" "" "" "" "" ""

# --- Changing the count: three areas, editing begins on the first cell.
count_box
type_text 3
key Return
expect_file "${empty11[@]}" " 3 " "" "" "" "" "" "" "" "" "" "" "" "" "" "" "" "" "" ""

# --- Editing values with Enter, which saves and moves to the next cell.
type_text SABBIA; key Return
type_text 0.3; key Return
expect_file "${empty11[@]}" " 3 " SABBIA 0.3 "" "" "" "" "" "" "" "" "" "" "" "" "" "" "" ""
cell 2 0
type_text REINTERRO; key Return
# Escape abandons the entry.
type_text scartato; key Escape
cell 3 5
type_text A.03; key Return
expect_file "${empty11[@]}" " 3 " SABBIA 0.3 "" "" "" "" REINTERRO "" "" "" "" "" "" "" "" "" "" A.03

# --- Lowering the count drops area 3 from the file; raising it brings it back.
count_box; type_text 2; key Return
expect_file "${empty11[@]}" " 2 " SABBIA 0.3 "" "" "" "" REINTERRO "" "" "" "" ""
count_box; type_text 3; key Return
expect_file "${empty11[@]}" " 3 " SABBIA 0.3 "" "" "" "" REINTERRO "" "" "" "" "" "" "" "" "" "" A.03

# --- An unconfirmed entry is dropped by "Esci", which ends the program.
cell 1 1
type_text 9.99
click 624 588
for _ in $(seq 50); do kill -0 "$pid" 2>/dev/null || break; sleep 0.1; done
kill -0 "$pid" 2>/dev/null && fail "Esci did not end the program"
pid=
expect_file "${empty11[@]}" " 3 " SABBIA 0.3 "" "" "" "" REINTERRO "" "" "" "" "" "" "" "" "" "" A.03

# --- A start with a file rewrites it in its own form (count line with blanks).
printf 'intestazione\r\n\r\n\r\n\r\n\r\n\r\n\r\n\r\n\r\n\r\n\r\n1\r\nSABBIA\r\n0.3\r\n0.2\r\n0.1\r\n0.5\r\nA.01\r\n' >"$file"
start
main_window
expect_file intestazione "" "" "" "" "" "" "" "" "" "" " 1 " SABBIA 0.3 0.2 0.1 0.5 A.01
click 624 588
for _ in $(seq 50); do kill -0 "$pid" 2>/dev/null || break; sleep 0.1; done
kill -0 "$pid" 2>/dev/null && fail "Esci did not end the program"
pid=

echo "end-to-end: passed"
