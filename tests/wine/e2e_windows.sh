#!/usr/bin/env bash
# The Windows program as a user gets it: the zip unpacked into a folder whose
# path has a blank and an accented letter, started under Wine on the X
# display with no Qt on any path, driven from the keyboard (xdotool), and the
# section file's bytes checked after each step. Run by ./package-windows
# --test under xvfb-run, in its Wine prefix.
#   e2e_windows.sh PROFILARA-win64.zip HOLDFILE.exe
set -uo pipefail

zip=$1
holdfile=$2
[ -n "${DISPLAY:-}" ] || { echo "FAIL: no DISPLAY"; exit 1; }

work=$(mktemp -d)
trap 'wineserver --kill 2>/dev/null; rm -rf "$work"' EXIT
folder="$work/Cartella di prova à"
mkdir -p "$folder"
unzip -q "$zip" -d "$folder" || { echo "FAIL: the zip does not unpack"; exit 1; }
exe="$folder/Profilara/profilara.exe"
file="$folder/Profilara/ComputoPersonalizzato.txt"

. "$(dirname "$0")/driving.sh"

# The zip holds the folder Profilara\ with the program, its plugins and the
# DLLs, nothing else.
[ "$(unzip -Z1 "$zip" | LC_ALL=C sort | tr '\n' ' ')" = "Profilara/ Profilara/Qt6Core.dll Profilara/Qt6Gui.dll Profilara/Qt6Widgets.dll Profilara/libgcc_s_seh-1.dll Profilara/libstdc++-6.dll Profilara/libwinpthread-1.dll Profilara/platforms/ Profilara/platforms/qwindows.dll Profilara/profilara.exe Profilara/styles/ Profilara/styles/qwindowsvistastyle.dll " ] ||
    fail "the zip holds: $(unzip -Z1 "$zip" | LC_ALL=C sort | tr '\n' ' ')"
expect_files "$folder/Profilara" "./Qt6Core.dll ./Qt6Gui.dll ./Qt6Widgets.dll ./libgcc_s_seh-1.dll ./libstdc++-6.dll ./libwinpthread-1.dll ./platforms/qwindows.dll ./profilara.exe ./styles/qwindowsvistastyle.dll "

# The exe carries its version resource: name, Italian description and the
# version the zip is named after.
version=$(basename "$zip" | sed -n 's/^Profilara-\(.*\)-win64\.zip$/\1/p')
resources="|$(strings -n 3 -el "$exe" | tr '\n' '|')"
for entry in "ProductName|Profilara|" "FileDescription|Profilara, editor della sezione tipo personalizzata di scavo|" \
             "ProductVersion|$version|"; do
    [[ "$resources" == *"|$entry"* ]] || fail "no $entry in the exe's version resource"
done

# --- No file yet: the message first, then the file beside the exe (the
# program is started from another folder).
(cd "$work" && exec wine "$exe") &
first=$!
focus_window Attenzione
[ -e "$file" ] && fail "the file was written before the message was dismissed"
key Return
focus_window Profilara
expect_file "${empty11[@]}" " 1 " "${no_area[@]}"
[ ! -e "$work/ComputoPersonalizzato.txt" ] || fail "the file was written in the current folder"

# --- Two areas from the count box, which has the focus; the editor opens on
# the first cell, and a value typed there is saved with Enter.
key ctrl+a
type_text 2
key Return
expect_file "${empty11[@]}" " 2 " "${no_area[@]}" "${no_area[@]}"
type_text SABBIA
key Return
expect_file "${empty11[@]}" " 2 " SABBIA "" "" "" "" "" "${no_area[@]}"

# --- Another Windows program holds the file open, as a reader that shares
# no deletion, while a value is confirmed: the save waits for it to let go.
type_text 0.3
marker="$work/held"
wine "$holdfile" "$(winepath -w "$file")" 700 "$(winepath -w "$marker")" &
holder=$!
for _ in $(seq 100); do [ -e "$marker" ] && break; sleep 0.05; done
[ -e "$marker" ] || fail "the holder did not open the file"
key Return
kill -0 "$holder" 2>/dev/null || fail "the holder let go before the confirmation"
wait "$holder" || fail "the holder failed"
expect_file "${empty11[@]}" " 2 " SABBIA 0.3 "" "" "" "" "${no_area[@]}"
leftover=$(cd "$folder/Profilara" && ls | grep -v -e '\.dll$' -e '^platforms$' -e '^styles$' -e '^profilara\.exe$' | tr '\n' ' ')
[ "$leftover" = "ComputoPersonalizzato.txt ComputoPersonalizzato.txt.lock " ] || fail "files beside the exe: $leftover"

# --- A second Profilara on the same folder is turned away with a message,
# and ends without touching the file.
wine "$exe" &
second=$!
focus_window Attenzione
key Return
for _ in $(seq 100); do kill -0 "$second" 2>/dev/null || break; sleep 0.1; done
kill -0 "$second" 2>/dev/null && fail "the second Profilara did not end"
kill -0 "$first" 2>/dev/null || fail "the first Profilara ended"
expect_file "${empty11[@]}" " 2 " SABBIA 0.3 "" "" "" "" "${no_area[@]}"

kill "$first"
wait "$first" 2>/dev/null
echo "end-to-end under Wine: passed"
