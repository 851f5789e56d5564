#!/usr/bin/env bash
# Installs the build into a fresh prefix, as a user does, and checks what the
# desktop gets: a valid menu entry whose Exec is the installed program, valid
# AppStream metadata, the icons at their sizes; then that the installed
# program, started from another folder as the menu does, rewrites the section
# file beside itself. Exits 77 (skipped) without the validators.
#   install_profilara.sh CMAKE BUILD_DIR
set -uo pipefail

cmake=$1 build=$2
for tool in desktop-file-validate appstreamcli identify; do
    command -v "$tool" >/dev/null || { echo "no $tool: skipped"; exit 77; }
done
id=io.github.profilara.Profilara
work=$(mktemp -d)
pid=
# Each install rewrites the build's list of installed files: keep the user's.
manifest="$build/install_manifest.txt"
[ -e "$manifest" ] && cp -p "$manifest" "$work/manifest"
trap '[ -n "$pid" ] && kill $pid; mv "$work/manifest" "$manifest" 2>/dev/null || rm -f "$manifest"; rm -rf "$work"' EXIT
fail() { echo "FAIL: $*"; exit 1; }

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

# The count written without blanks; the start-up writes it back in the
# program's own form.
file="$prefix/bin/ComputoPersonalizzato.txt"
lines='intestazione\r\n\r\n\r\n\r\n\r\n\r\n\r\n\r\n\r\n\r\n\r\n%s\r\nSABBIA\r\n0.3\r\n0.2\r\n0.1\r\n0.5\r\nA.01\r\n'
printf "$lines" 1 >"$file"
printf "$lines" ' 1 ' >"$work/want"
mkdir "$work/elsewhere"
(cd "$work/elsewhere" && QT_QPA_PLATFORM=offscreen exec "$prefix/bin/profilara") &
pid=$!
for _ in $(seq 100); do cmp -s "$work/want" "$file" && break; sleep 0.1; done
cmp -s "$work/want" "$file" || { cat -A "$file"; fail "the start-up did not rewrite the section file"; }
[ ! -e "$work/elsewhere/ComputoPersonalizzato.txt" ] || fail "a section file was written in the current folder"
