#!/usr/bin/env bash
# The installer as a user runs it, silently, under Wine on the X display:
# an install into a folder whose path has a blank and an accented letter,
# the program started from there, an install over it, the uninstall, and a
# folder that cannot be written; an install and an uninstall refused while
# the program runs (from its first message on), but not while another
# program's window has its title.
# Run by ./package-windows --test under xvfb-run, in its Wine prefix.
#   installer_windows.sh SETUP.exe VERSION PROGRAM_FOLDER TITLEDWINDOW.exe
# (PROGRAM_FOLDER: the folder the installer was made from; TITLEDWINDOW:
# tests/wine/titledwindow.cpp).
set -uo pipefail

setup=$1
version=$2
source_folder=$3
titled_window=$4
[ -n "${DISPLAY:-}" ] || { echo "FAIL: no DISPLAY"; exit 1; }

work=$(mktemp -d)
trap 'wineserver --kill 2>/dev/null; rm -rf "$work"' EXIT
cp "$setup" "$work/setup.exe"
folder="$work/Cartella di prova à/Profilara"
win=$(winepath -w "$folder" 2>/dev/null)
file="$folder/ComputoPersonalizzato.txt"
key='HKCU\Software\Microsoft\Windows\CurrentVersion\Uninstall\Profilara'
link="$WINEPREFIX/drive_c/users/$(id -un)/AppData/Roaming/Microsoft/Windows/Start Menu/Programs/Profilara.lnk"

. "$(dirname "$0")/driving.sh"

# The uninstaller runs on from a copy of itself in the temporary folder:
# waits (up to 30 s) for that copy to end, while other programs run.
wait_for_uninstaller_copy() {
    sleep 1
    for _ in $(seq 30); do
        pgrep -f 'Un_[A-Z]\.exe|Au_\.exe' >/dev/null || return 0
        sleep 1
    done
    fail "the uninstaller's copy did not end"
}

# The silent install into the Windows folder $1; NSIS wants /D= last and
# unquoted, which only cmd passes on as written.
install_into() { (cd "$work" && wine cmd /c "setup.exe /S /D=$1" 2>/dev/null); }

# --- The first install.
install_into "$win" || fail "the install ended with $?"
expect_files "$folder" "./Disinstalla Profilara.exe ./Qt6Core.dll ./Qt6Gui.dll ./Qt6Widgets.dll ./libgcc_s_seh-1.dll ./libstdc++-6.dll ./libwinpthread-1.dll ./platforms/qwindows.dll ./profilara.exe ./styles/qwindowsvistastyle.dll "

# --- The uninstall key, as Windows' list of apps reads it, and the Start
# menu entry, whose target is the installed program.
kib=$(find "$folder" -type f ! -name 'Disinstalla*' -printf '%s\n' | awk '{ b += $1 } END { print int((b + 1023) / 1024) }')
w=${win//\\/\\\\}
wine reg export "$key" "$work/key.reg" /y >/dev/null 2>&1 || fail "no uninstall key"
diff <(iconv -f UTF-16 -t UTF-8 "$work/key.reg" | tr -d '\r') - <<EOF || fail "the uninstall key differs"
Windows Registry Editor Version 5.00

[HKEY_CURRENT_USER\\Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Profilara]
"DisplayIcon"="$w\\\\profilara.exe"
"DisplayName"="Profilara"
"DisplayVersion"="$version"
"EstimatedSize"=dword:$(printf %08x "$kib")
"InstallLocation"="$w"
"NoModify"=dword:00000001
"NoRepair"=dword:00000001
"Publisher"="Profilara"
"QuietUninstallString"="\\"$w\\\\Disinstalla Profilara.exe\\" /S"
"UninstallString"="\\"$w\\\\Disinstalla Profilara.exe\\""

EOF
# A shortcut keeps its target's path in the ANSI code page, too.
grep -qaF "$(printf '%s\\profilara.exe' "$win" | iconv -t CP1252)" "$link" 2>/dev/null ||
    fail "no Start menu entry \"Profilara\" for the installed program"

# --- Started from another folder, the program says the section file is
# missing, then creates it beside itself. While that message waits, before
# the program has a window, an install over it and the uninstall are
# refused and change nothing.
snapshot() { (cd "$folder" && find . -type f -exec sha1sum {} + | LC_ALL=C sort); }
# expect_refused WHEN [SETUP_PID]: an install over the program ends with
# exit code 3 (the process SETUP_PID, a window put up for the occasion,
# is stopped once it has), and the uninstall changes nothing either.
expect_refused() {
    local before status
    before=$(snapshot)
    install_into "$win"
    status=$?
    if [ -n "${2:-}" ]; then
        kill "$2"
        wait "$2" 2>/dev/null
    fi
    [ "$status" = 3 ] || fail "the install $1 ended with $status"
    wine "$folder/Disinstalla Profilara.exe" /S 2>/dev/null || fail "the uninstall ended with $?"
    wait_for_uninstaller_copy
    [ "$(snapshot)" = "$before" ] || fail "an install or uninstall $1 changed the folder"
    wine reg query "$key" >/dev/null 2>&1 || fail "the uninstall $1 removed the uninstall key"
    [ -e "$link" ] || fail "the uninstall $1 removed the Start menu entry"
}
(cd "$work" && exec wine "$folder/profilara.exe" 2>/dev/null) &
running=$!
focus_window Attenzione
expect_refused "during the start-up message"
focus_window Attenzione
key Return
expect_file "${empty11[@]}" " 1 " "${no_area[@]}"

# --- While it runs, an install over it (exit code 3) and the uninstall, as
# "App installate" starts it, are refused and change nothing, also with an
# Explorer window titled "Profilara" above it.
wine "$titled_window" 60000 2>/dev/null &
explorer=$!
for _ in $(seq 60); do
    [ "$(xdotool search --onlyvisible --name '^Profilara$' | wc -l)" -ge 2 ] && break
    sleep 0.5
done
expect_refused "while Profilara runs" "$explorer"

# Killed, as by a crash: its lock stays beside the file.
kill "$running"
wait "$running" 2>/dev/null

# --- An install over it replaces the program and keeps the user's files;
# an Explorer window titled "Profilara" does not stop it.
printf 'Sezione cambiata, profondità\r\n 2 \r\n' | iconv -t CP1252 >"$work/section"
cp "$work/section" "$file"
cp "$work/section" "$file.bak"
echo appunti >"$folder/appunti.txt"
echo "una versione vecchia" >"$folder/Qt6Gui.dll"
wine "$titled_window" 60000 2>/dev/null &
explorer=$!
focus_window Profilara
install_into "$win" || fail "the install over it, beside an Explorer window, ended with $?"
kill "$explorer"
wait "$explorer" 2>/dev/null
expect_files "$folder" "./ComputoPersonalizzato.txt ./ComputoPersonalizzato.txt.bak ./ComputoPersonalizzato.txt.lock ./Disinstalla Profilara.exe ./Qt6Core.dll ./Qt6Gui.dll ./Qt6Widgets.dll ./appunti.txt ./libgcc_s_seh-1.dll ./libstdc++-6.dll ./libwinpthread-1.dll ./platforms/qwindows.dll ./profilara.exe ./styles/qwindowsvistastyle.dll "
cmp -s "$source_folder/Qt6Gui.dll" "$folder/Qt6Gui.dll" || fail "the install over it kept an old Qt6Gui.dll"
cmp -s "$work/section" "$file" || fail "the install over it changed the section file"

# --- The uninstall, as "App installate" starts it: it runs on from a copy
# in the temporary folder, so wait for Wine to go idle.
wine "$folder/Disinstalla Profilara.exe" /S 2>/dev/null || fail "the uninstall ended with $?"
wineserver --wait
expect_files "$folder" "./ComputoPersonalizzato.txt ./ComputoPersonalizzato.txt.bak ./ComputoPersonalizzato.txt.lock ./appunti.txt "
cmp -s "$work/section" "$file" || fail "the uninstall changed the section file"
! wine reg query "$key" >/dev/null 2>&1 || fail "the uninstall key stayed"
[ ! -e "$link" ] || fail "the Start menu entry stayed"

# --- A folder holding another program's file under the name of one of
# Profilara's is refused, and the file stays as it was.
mkdir -p "$work/altro"
printf 'altro programma' >"$work/altro/Qt6Core.dll"
install_into "$(winepath -w "$work/altro")"
status=$?
[ "$status" = 2 ] || fail "the install over another program's Qt6Core.dll ended with $status"
[ "$(ls "$work/altro")" = Qt6Core.dll ] && [ "$(cat "$work/altro/Qt6Core.dll")" = 'altro programma' ] ||
    fail "another program's folder was changed"

# --- A folder that cannot be written (nobody writes in /proc) is refused.
install_into 'Z:\proc\Profilara'
status=$?
[ "$status" = 2 ] || fail "the install into /proc ended with $status"
! wine reg query "$key" >/dev/null 2>&1 || fail "the refused install registered itself"

# --- Started as administrator, the installer refuses with code 4 and
# changes nothing. Wine gives every program an administrator's token; with
# Wine's own key hidden and User Account Control on (Wine has it off), the
# installer takes it as Windows does.
uac='HKLM\Software\Microsoft\Windows\CurrentVersion\Policies\System'
wine reg export 'HKLM\Software\Wine' "$work/wine.reg" /y >/dev/null 2>&1 || fail "cannot save Wine's key"
wine reg delete 'HKLM\Software\Wine' /f >/dev/null 2>&1 || fail "cannot hide Wine's key"
wine reg add "$uac" /v EnableLUA /t REG_DWORD /d 1 /f >/dev/null 2>&1 || fail "cannot turn User Account Control on"
install_into "$win"
status=$?
wine reg add "$uac" /v EnableLUA /t REG_DWORD /d 0 /f >/dev/null 2>&1 || fail "cannot turn User Account Control off"
wine reg import "$work/wine.reg" >/dev/null 2>&1 || fail "cannot restore Wine's key"
[ "$status" = 4 ] || fail "the install as administrator ended with $status"
expect_files "$folder" "./ComputoPersonalizzato.txt ./ComputoPersonalizzato.txt.bak ./ComputoPersonalizzato.txt.lock ./appunti.txt "
! wine reg query "$key" >/dev/null 2>&1 || fail "the install as administrator registered itself"

echo "installer under Wine: passed"
