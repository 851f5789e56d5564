#!/usr/bin/env bash
# The cross-built tests that show a window (labelled "display"), run by
# ./package-windows --test on a virtual X display, in its Wine prefix.
#   display_tests.sh BUILD_DIR
set -euo pipefail
ctest --test-dir "$1" --output-on-failure --timeout 300 --label-regex display
