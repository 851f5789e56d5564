# Used by ./package-windows: the Qt for MinGW to build against, the
# cross-build, the folder that runs on Windows and its zip, and the Wine
# environment of the tests. Sourced, not run.

# What the cross-build needs: the MinGW-w64 compiler with POSIX threads and
# the host's Qt tools (moc, rcc, uic) of the same Qt version.
PROFILARA_WINDOWS_PACKAGES="cmake ninja-build g++-mingw-w64-x86-64-posix qt6-base-dev qt6-base-dev-tools xz-utils zip"
# The installer: NSIS's makensis, with its 64-bit Unicode stubs and plugins.
PROFILARA_WINDOWS_PACKAGES="$PROFILARA_WINDOWS_PACKAGES nsis"
# What the tests under Wine need: 64-bit Wine, a virtual display and X input.
PROFILARA_WINDOWS_TEST_PACKAGES="wine64 xvfb xauth xdotool unzip binutils"
# Building Qt from source also needs Debian's source packages.
PROFILARA_QT_SOURCE_PACKAGES="dpkg-dev perl"

PROFILARA_QT_PREBUILT=${PROFILARA_QT_PREBUILT:-../shared/qt6-mingw/qt6.4.2-mingw64.tar.xz}
PROFILARA_CACHE=${XDG_CACHE_HOME:-${HOME:-/tmp}/.cache}/profilara

# The MinGW runtime DLLs that every program built here needs.
PROFILARA_MINGW_DLL_DIRS="/usr/lib/gcc/x86_64-w64-mingw32/12-posix /usr/x86_64-w64-mingw32/lib"

# profilara_qt_mingw: sets PROFILARA_QT to the prefix of the Qt for MinGW to
# build with: PROFILARA_QT_MINGW when set; else the prebuilt one unpacked
# into the cache; else one built from Debian's source into the cache (about
# an hour, once). Any failure stops the calling script (set -e).
profilara_qt_mingw() {
    if [ -n "${PROFILARA_QT_MINGW:-}" ]; then
        [ -f "$PROFILARA_QT_MINGW/lib/cmake/Qt6/qt.toolchain.cmake" ] || {
            echo "PROFILARA_QT_MINGW=$PROFILARA_QT_MINGW holds no Qt 6 for MinGW (no lib/cmake/Qt6/qt.toolchain.cmake)." >&2
            return 1
        }
        PROFILARA_QT=$PROFILARA_QT_MINGW
        return
    fi
    mkdir -p "$PROFILARA_CACHE"
    if [ -f "$PROFILARA_QT_PREBUILT" ]; then
        PROFILARA_QT=$PROFILARA_CACHE/qt6-mingw-prebuilt
        local stamp
        stamp=$(sha256sum "$PROFILARA_QT_PREBUILT" | cut -d' ' -f1)
        if [ "$(cat "$PROFILARA_QT/.unpacked-from" 2>/dev/null)" != "$stamp" ]; then
            echo "Unpacking the prebuilt Qt for MinGW into $PROFILARA_QT"
            rm -rf "$PROFILARA_QT" "$PROFILARA_QT.tmp"
            mkdir -p "$PROFILARA_QT.tmp"
            tar xJf "$PROFILARA_QT_PREBUILT" -C "$PROFILARA_QT.tmp"
            mv "$PROFILARA_QT.tmp/qt6-mingw" "$PROFILARA_QT"
            rmdir "$PROFILARA_QT.tmp"
            echo "$stamp" >"$PROFILARA_QT/.unpacked-from"
        fi
        return
    fi
    PROFILARA_QT=$PROFILARA_CACHE/qt6-mingw-6.4.2
    if [ ! -f "$PROFILARA_QT/.built" ]; then
        echo "No prebuilt Qt for MinGW at $PROFILARA_QT_PREBUILT."
        echo "Building Qt 6.4.2 for Windows from Debian's source into $PROFILARA_QT:"
        echo "this takes about an hour on two cores, once; later runs reuse it."
        profilara_install_packages $PROFILARA_QT_SOURCE_PACKAGES
        rm -rf "$PROFILARA_QT"
        scripts/build-qt-mingw.sh "$PROFILARA_QT"
        touch "$PROFILARA_QT/.built"
    fi
}

# profilara_windows_build QT_PREFIX BUILD_DIR: configures and builds the
# program and the tests without a window for Windows; ctest runs those
# under Wine through tests/wine/wine-test.sh.
profilara_windows_build() {
    local qt=$1 dir=$2
    cmake -S . -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE=Release \
        -DCMAKE_TOOLCHAIN_FILE="$qt/lib/cmake/Qt6/qt.toolchain.cmake" \
        -DQT_HOST_PATH=/usr -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake \
        -DPROFILARA_DEPLOY_QT=OFF \
        -DCMAKE_CROSSCOMPILING_EMULATOR="$PWD/tests/wine/wine-test.sh" >/dev/null
    cmake --build "$dir" --parallel
}

# profilara_windows_dlls QT_PREFIX FILE...: prints the DLLs that the given
# programs and plugins load, directly or through each other, found in Qt's
# bin/ or the MinGW runtime; Windows' own DLLs are not among them.
profilara_windows_dlls() {
    local qt=$1
    shift
    local -A seen=()
    local queue=("$@") file name dir
    while [ ${#queue[@]} -gt 0 ]; do
        file=${queue[0]}
        queue=("${queue[@]:1}")
        while read -r name; do
            [ -n "${seen[${name,,}]:-}" ] && continue
            seen[${name,,}]=1
            for dir in "$qt/bin" $PROFILARA_MINGW_DLL_DIRS; do
                if [ -f "$dir/$name" ]; then
                    echo "$dir/$name"
                    queue+=("$dir/$name")
                    break
                fi
            done
        done < <(x86_64-w64-mingw32-objdump -p "$file" | sed -n 's/^\s*DLL Name: //p')
    done
}

# profilara_windows_folder QT_PREFIX EXE FOLDER: the folder that runs on
# Windows without Qt: the program, the Qt platform and style plugins, and
# the DLLs they load. Nothing else.
profilara_windows_folder() {
    local qt=$1 exe=$2 folder=$3
    rm -rf "$folder"
    mkdir -p "$folder/platforms" "$folder/styles"
    cp "$exe" "$folder/"
    cp "$qt/plugins/platforms/qwindows.dll" "$folder/platforms/"
    cp "$qt/plugins/styles/qwindowsvistastyle.dll" "$folder/styles/"
    profilara_windows_dlls "$qt" "$folder/profilara.exe" "$folder/platforms/qwindows.dll" \
        "$folder/styles/qwindowsvistastyle.dll" | sort -u | while read -r dll; do cp "$dll" "$folder/"; done
    x86_64-w64-mingw32-strip --strip-unneeded "$folder"/*.dll "$folder"/*/*.dll "$folder/profilara.exe"
}

# profilara_nsis_files FOLDER: the NSIS include that names the program's
# files, written from its folder so that the installer and the uninstaller
# list the same ones: PROGRAM_SIZE_KIB, the macro INSTALL_PROGRAM_FILES that
# copies each file into $INSTDIR, DELETE_PROGRAM_FILES that deletes exactly
# those files, then their subfolders when they are empty, and
# FIND_PROGRAM_FILE that sets $3 to the first of them already in $INSTDIR.
profilara_nsis_files() {
    local folder dir file i
    local dirs=() files=()
    folder=$(realpath "$1")
    # Subfolders and files relative to the folder ("" is the folder itself).
    mapfile -t dirs < <(cd "$folder" && find . -type d -printf '%P\n' | sort)
    mapfile -t files < <(cd "$folder" && find . -type f -printf '%P\n' | sort)
    find "$folder" -type f -printf '%s\n' |
        awk '{ b += $1 } END { printf "!define PROGRAM_SIZE_KIB %d\n", (b + 1023) / 1024 }'
    echo "!macro INSTALL_PROGRAM_FILES"
    for dir in "${dirs[@]}"; do
        echo "    SetOutPath \"\$INSTDIR${dir:+\\$(profilara_windows_path "$dir")}\""
        find "$folder/$dir" -maxdepth 1 -type f | sort | sed 's/.*/    File "&"/'
    done
    echo "!macroend"
    echo "!macro DELETE_PROGRAM_FILES"
    for file in "${files[@]}"; do
        echo "    Delete \"\$INSTDIR\\$(profilara_windows_path "$file")\""
    done
    for ((i = ${#dirs[@]} - 1; i > 0; i--)); do
        echo "    RMDir \"\$INSTDIR\\$(profilara_windows_path "${dirs[i]}")\""
    done
    echo "!macroend"
    echo "!macro FIND_PROGRAM_FILE"
    echo "    StrCpy \$3 \"\""
    for ((i = ${#files[@]} - 1; i >= 0; i--)); do
        echo "    IfFileExists \"\$INSTDIR\\$(profilara_windows_path "${files[i]}")\" 0 +2"
        echo "        StrCpy \$3 \"$(profilara_windows_path "${files[i]}")\""
    done
    echo "!macroend"
}

# profilara_windows_path PATH: a relative path with Windows' backslashes.
profilara_windows_path() {
    echo "${1//\//\\}"
}

# profilara_windows_installer FOLDER VERSION SETUP: the installer SETUP.exe
# of the program's folder, made by makensis from dist/windows/profilara.nsi.
profilara_windows_installer() {
    local folder=$1 version=$2 setup=$3 list status=0
    list=$(mktemp --suffix=.nsh)
    profilara_nsis_files "$folder" >"$list"
    rm -f "$setup"
    makensis -V2 -WX -DVERSION="$version" -DFILES="$list" \
        -DOUTFILE="$(realpath -m "$setup")" dist/windows/profilara.nsi || status=$?
    rm -f "$list"
    return "$status"
}

# profilara_wine_env QT_PREFIX DIR: the environment of the tests under Wine:
# a Wine prefix of their own in DIR, Qt's and MinGW's DLLs on the path.
profilara_wine_env() {
    local qt=$1 dir=$2
    export WINEPREFIX=$dir/wineprefix
    export WINEDEBUG=-all
    # No Mono or Gecko for a new prefix: Profilara needs neither.
    export WINEDLLOVERRIDES="mscoree,mshtml="
    if [ ! -f "$WINEPREFIX/system.reg" ]; then
        echo "Making the Wine prefix $WINEPREFIX"
        wineboot --init >/dev/null 2>&1
        wineserver --wait
    fi
    local path d
    path=$(winepath -w "$qt/bin" 2>/dev/null)
    for d in $PROFILARA_MINGW_DLL_DIRS; do path="$path;$(winepath -w "$d" 2>/dev/null)"; done
    export WINEPATH=$path
    QT_PLUGIN_PATH=$(winepath -w "$qt/plugins" 2>/dev/null)
    export QT_PLUGIN_PATH
}

# profilara_version: the version that CMakeLists.txt's project() gives.
profilara_version() {
    sed -n 's/^project(Profilara VERSION \([0-9.]*\).*/\1/p' CMakeLists.txt
}
