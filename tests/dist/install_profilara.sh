#!/usr/bin/env bash
# Installs the build into a fresh prefix, as a user does, and checks what the
# desktop gets: a valid menu entry whose Exec is the installed program, valid
# AppStream metadata, the icons at their sizes; then starts the installed
# program from another folder, as the menu does, and checks that it rewrites
# the section file beside itself. Exits 77 (skipped) without the validators.
#   install_profilara.sh CMAKE BUILD_DIR
set -uo pipefail

cmake=$1
build=$2
for tool in desktop-file-validate appstreamcli identify; do
    command -v "$tool" >/dev/null || { echo "no $tool: skipped"; exit 77; }
done

id=io.github.profilara.Profilara
work=$(mktemp -d)
pid=
# Each install rewrites the build's list of installed files: keep the user's.
manifest="$build/install_manifest.txt"
[ -e "$manifest" ] && cp -p "$manifest" "$work/manifest"
cleanup() {
    [ -n "$pid" ] && kill "$pid" 2>/dev/null
    if [ -e "$work/manifest" ]; then cp -p "$work/manifest" "$manifest"; else rm -f "$manifest"; fi
    rm -rf "$work"
}
trap cleanup EXIT

fail() {
    echo "FAIL: $*"
    exit 1
}

# A blank in the prefix: Exec must quote the path.
prefix="$work/pro filara"
"$cmake" --install "$build" --prefix "$prefix" >/dev/null || fail "cmake --install"

entry="$prefix/share/applications/$id.desktop"
desktop-file-validate "$entry" || fail "desktop-file-validate"
grep -qxF "Exec=\"$prefix/bin/profilara\"" "$entry" || { cat "$entry"; fail "Exec is not the installed program"; }
grep -qxF "Icon=$id" "$entry" || fail "Icon is not $id"
appstreamcli validate --no-net "$prefix/share/metainfo/$id.metainfo.xml" || fail "appstreamcli validate"

for size in 32 48 64 128 256; do
    icon="$prefix/share/icons/hicolor/${size}x${size}/apps/$id.png"
    [ "$(identify -format '%wx%h' "$icon")" = "${size}x${size}" ] || fail "$icon is not ${size}x${size}"
done

# DESTDIR stages the files; the entry still names the final place.
DESTDIR="$work/stage" "$cmake" --install "$build" --prefix /opt/profilara >/dev/null || fail "install with DESTDIR"
grep -qxF "Exec=/opt/profilara/bin/profilara" "$work/stage/opt/profilara/share/applications/$id.desktop" \
    || fail "Exec under DESTDIR is not /opt/profilara/bin/profilara"

# A section file with its count written without blanks; the start-up writes
# it back in the program's own form.
file="$prefix/bin/ComputoPersonalizzato.txt"
printf 'intestazione\r\n\r\n\r\n\r\n\r\n\r\n\r\n\r\n\r\n\r\n\r\n1\r\nSABBIA\r\n0.3\r\n0.2\r\n0.1\r\n0.5\r\nA.01\r\n' >"$file"
want="$work/want"
printf 'intestazione\r\n\r\n\r\n\r\n\r\n\r\n\r\n\r\n\r\n\r\n\r\n 1 \r\nSABBIA\r\n0.3\r\n0.2\r\n0.1\r\n0.5\r\nA.01\r\n' >"$want"
mkdir "$work/elsewhere"
(cd "$work/elsewhere" && QT_QPA_PLATFORM=offscreen exec "$prefix/bin/profilara") &
pid=$!
for _ in $(seq 100); do
    cmp -s "$want" "$file" && break
    kill -0 "$pid" 2>/dev/null || fail "the program ended at start-up"
    sleep 0.1
done
cmp -s "$want" "$file" || { cat -A "$file"; fail "the start-up did not rewrite the section file"; }
[ -e "$work/elsewhere/ComputoPersonalizzato.txt" ] && fail "a section file was written in the current folder"
kill "$pid"
wait "$pid" 2>/dev/null
pid=

echo "install: passed"
