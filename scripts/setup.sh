# Shared by ./run and ./test: installs the Debian packages the build, the
# tests and the program need, then configures and builds into build/.
# Sourced, not run.

# What building and running the program needs (xvfb for a machine without
# a display).
PROFILARA_PACKAGES="cmake ninja-build g++ qt6-base-dev libgl-dev fonts-liberation2 xvfb xauth"
# What the tests need on top: X input, screenshots, and the validators of
# the desktop entry and the AppStream metadata.
PROFILARA_TEST_PACKAGES="xdotool imagemagick desktop-file-utils appstream"

# The test that reads the window as a screen reader does needs the desktop's
# accessibility bus and a reader of it too.
PROFILARA_TEST_PACKAGES="$PROFILARA_TEST_PACKAGES at-spi2-core python3-pyatspi dbus-daemon"
# The test of the drawing's PDF reads its text with pdftotext.
PROFILARA_TEST_PACKAGES="$PROFILARA_TEST_PACKAGES poppler-utils"
# ./test --full also fuzzes, with clang and its sanitizer and fuzzer runtimes.
PROFILARA_FULL_TEST_PACKAGES="clang libclang-rt-14-dev"

# profilara_install_packages PACKAGE...
profilara_install_packages() {
    local missing=()
    local pkg
    for pkg in "$@"; do
        if ! dpkg-query -W -f='${Status}' "$pkg" 2>/dev/null | grep -q "install ok installed"; then
            missing+=("$pkg")
        fi
    done
    [ ${#missing[@]} -eq 0 ] && return 0
    if [ "$(id -u)" -ne 0 ]; then
        echo "Missing Debian packages. Install them as root, then run this command again:" >&2
        echo "  sudo apt-get update && sudo apt-get install -y ${missing[*]}" >&2
        exit 1
    fi
    echo "Installing: ${missing[*]}"
    apt-get update -qq
    DEBIAN_FRONTEND=noninteractive apt-get install -y -qq "${missing[@]}" >/dev/null
}

# profilara_build DIR [cmake options...]: configures DIR and builds all of
# it, or only the targets named in PROFILARA_TARGETS.
profilara_build() {
    local dir=$1
    shift
    cmake -S . -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo "$@" >/dev/null
    cmake --build "$dir" --parallel ${PROFILARA_TARGETS:+--target $PROFILARA_TARGETS}
}
