# Used by ./package-windows: the Qt for MinGW to build against, the
# cross-build and the Wine prefix of the tests. What goes into the folder,
# the zip and the installer is CMake's and CPack's (dist/windows/). Sourced,
# not run.

# What the cross-build needs: the MinGW-w64 compiler with POSIX threads and
# the host's Qt tools (moc, rcc, uic) of the same Qt version.
PROFILARA_WINDOWS_PACKAGES="cmake ninja-build g++-mingw-w64-x86-64-posix qt6-base-dev qt6-base-dev-tools xz-utils"
# The installer: NSIS's makensis, with its 64-bit Unicode stubs and plugins.
PROFILARA_WINDOWS_PACKAGES="$PROFILARA_WINDOWS_PACKAGES nsis"
# What the tests under Wine need: 64-bit Wine, a virtual display and X input.
PROFILARA_WINDOWS_TEST_PACKAGES="wine64 xvfb xauth xdotool unzip binutils"
# Building Qt from source also needs Debian's source packages.
PROFILARA_QT_SOURCE_PACKAGES="dpkg-dev perl"

PROFILARA_QT_PREBUILT=${PROFILARA_QT_PREBUILT:-../shared/qt6-mingw/qt6.4.2-mingw64.tar.xz}
PROFILARA_CACHE=${XDG_CACHE_HOME:-${HOME:-/tmp}/.cache}/profilara

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
# under Wine through tests/wine/wine-test.sh. The host's Qt tools are where
# the host's Qt says.
profilara_windows_build() {
    local qt=$1 dir=$2 host_prefix host_libs
    host_prefix=$(qtpaths6 --query QT_HOST_PREFIX)
    host_libs=$(qtpaths6 --query QT_HOST_LIBS)
    cmake -S . -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE=Release \
        -DCMAKE_TOOLCHAIN_FILE="$qt/lib/cmake/Qt6/qt.toolchain.cmake" \
        -DQT_HOST_PATH="$host_prefix" -DQT_HOST_PATH_CMAKE_DIR="$host_libs/cmake" \
        -DCMAKE_CROSSCOMPILING_EMULATOR="$PWD/tests/wine/wine-test.sh" >/dev/null
    cmake --build "$dir" --parallel
}

# profilara_wine_prefix DIR: a Wine prefix of the tests' own in DIR.
profilara_wine_prefix() {
    export WINEPREFIX=$1/wineprefix
    export WINEDEBUG=-all
    # No Mono or Gecko for a new prefix: Profilara needs neither.
    export WINEDLLOVERRIDES="mscoree,mshtml="
    if [ ! -f "$WINEPREFIX/system.reg" ]; then
        echo "Making the Wine prefix $WINEPREFIX"
        wineboot --init >/dev/null 2>&1
        wineserver --wait
    fi
}
