# Sourced by the scripts that drive Profilara under Wine on the X display:
# failing, waiting for a window, keys, and the section file's bytes. The
# script sets $file, the section file it checks.

fail() {
    echo "FAIL: $*"
    exit 1
}

# Waits until the section file holds exactly the given lines, each ended by
# CR LF.
expect_file() {
    local want
    want=$(mktemp)
    printf '%s\r\n' "$@" >"$want"
    for _ in $(seq 100); do
        cmp -s "$want" "$file" && { rm -f "$want"; return 0; }
        sleep 0.1
    done
    echo "expected:"; cat -A "$want"; echo "found:"; cat -A "$file" 2>&1
    rm -f "$want"
    fail "section file differs"
}

# The folder $1 holds exactly the files named in $2 ("./a ./b/c ", in C order).
expect_files() {
    local found
    found=$(cd "$1" && find . -type f | LC_ALL=C sort | tr '\n' ' ')
    [ "$found" = "$2" ] || fail "the folder holds: $found"
}

# Waits for the window of the given title and gives it the focus; its id
# is then in $window.
window=
focus_window() {
    window=$(timeout 60 xdotool search --sync --onlyvisible --name "^$1\$" | head -n 1)
    [ -n "$window" ] || fail "no window \"$1\""
    sleep 0.5
    timeout 20 xdotool windowfocus --sync "$window" || fail "the window \"$1\" does not take the focus"
}

key() {
    xdotool key "$@"
    sleep 0.2
}

type_text() {
    xdotool type --delay 30 "$1"
    sleep 0.2
}

empty11=("" "" "" "" "" "" "" "" "" "" "")
no_area=("" "" "" "" "" "")
