#!/usr/bin/env bash
# Builds Qt 6 for 64-bit Windows (Core, Gui, Widgets, Test, the Windows
# platform and style plugins) from Debian 12's own qt6-base source with
# Debian's MinGW-w64, into PREFIX. Without ICU, as Qt's own Windows builds
# are, and without what Profilara does not use (OpenGL, D-Bus, SQL,
# networking, printing, XML). Takes about an hour on two cores.
#   build-qt-mingw.sh PREFIX
# WORK=DIR sets where the source is unpacked and built (default: a folder
# beside PREFIX, removed at the end).
set -euo pipefail
prefix=$1
work=${WORK:-$prefix.work}
here=$(cd "$(dirname "$0")" && pwd)
version=6.4.2

# The source comes from Debian's archive: make sure apt knows its source
# packages.
if ! grep -rqs -e '^Types:.*deb-src' -e '^deb-src ' /etc/apt/sources.list /etc/apt/sources.list.d/; then
    [ "$(id -u)" -eq 0 ] || { echo "Debian's source packages are needed: add deb-src lines for Debian's archive to apt's sources, as root." >&2; exit 1; }
    if [ -f /etc/apt/sources.list.d/debian.sources ]; then
        sed 's/^Types: deb$/Types: deb-src/' /etc/apt/sources.list.d/debian.sources \
            >/etc/apt/sources.list.d/profilara-deb-src.sources
    else
        sed -n 's/^deb /deb-src /p' /etc/apt/sources.list >/etc/apt/sources.list.d/profilara-deb-src.list
    fi
    apt-get update -qq
fi

mkdir -p "$work"
cd "$work"
src=qtbase-everywhere-src-$version
if [ ! -d "$src" ]; then
    apt-get source --download-only qt6-base >/dev/null
    tar xJf qt6-base_"$version"+dfsg.orig.tar.xz
fi
# Qt 6.4.2's Windows platform plugin does not build without OpenGL: its two
# dynamic-OpenGL blocks are guarded. Debian's source leaves out the Wintab
# header, so tablet events are off below.
sed -i 's/^#if QT_CONFIG(dynamicgl)$/#if QT_CONFIG(dynamicgl) \&\& QT_CONFIG(opengl)/' \
    "$src/src/plugins/platforms/windows/qwindowswindow.cpp"

cmake -G Ninja -S "$src" -B build \
    -DCMAKE_TOOLCHAIN_FILE="$here/toolchain-mingw64.cmake" \
    -DQT_HOST_PATH="$(qtpaths6 --query QT_HOST_PREFIX)" -DQT_HOST_PATH_CMAKE_DIR="$(qtpaths6 --query QT_HOST_LIBS)/cmake" \
    -DCMAKE_INSTALL_PREFIX="$prefix" -DCMAKE_BUILD_TYPE=Release -DBUILD_SHARED_LIBS=ON \
    -DQT_QMAKE_TARGET_MKSPEC=win32-g++ \
    -DQT_BUILD_TESTS=OFF -DQT_BUILD_EXAMPLES=OFF -DQT_BUILD_BENCHMARKS=OFF \
    -DFEATURE_icu=OFF -DFEATURE_opengl=OFF -DFEATURE_dbus=OFF -DFEATURE_sql=OFF -DFEATURE_network=OFF \
    -DFEATURE_printsupport=OFF -DFEATURE_concurrent=OFF -DFEATURE_xml=OFF \
    -DFEATURE_system_zlib=OFF -DFEATURE_system_pcre2=OFF -DFEATURE_system_png=OFF -DFEATURE_system_jpeg=OFF \
    -DFEATURE_system_harfbuzz=OFF -DFEATURE_system_freetype=OFF -DFEATURE_system_doubleconversion=OFF \
    -DFEATURE_tabletevent=OFF -DFEATURE_testlib=ON >configure.log 2>&1 || { tail -40 configure.log; exit 1; }
cmake --build build --parallel "$(nproc)" >build.log 2>&1 || { tail -40 build.log; exit 1; }
cmake --install build >install.log 2>&1
# The toolchain file goes with the Qt, so that the Qt keeps working when
# this checkout moves.
cp "$here/toolchain-mingw64.cmake" "$prefix/lib/cmake/Qt6/"
sed -i 's|^set(__qt_initially_configured_toolchain_file ".*")$|set(__qt_initially_configured_toolchain_file "${CMAKE_CURRENT_LIST_DIR}/toolchain-mingw64.cmake")|' \
    "$prefix/lib/cmake/Qt6/qt.toolchain.cmake"
cd /
[ -n "${WORK:-}" ] || rm -rf "$work"
echo "Qt $version for Windows (MinGW) installed in $prefix"
