#!/bin/sh
# Builds a Release tree beside the sources and runs the benchmarks on the
# offscreen platform: bench_driver's table, then the drawing window's, the
# job's own items, the job's file and the imports.
# Extra arguments go to bench_driver (--runs N, --iterations M, --folder DIR).
set -eu
root=$(cd "$(dirname "$0")/.." && pwd)
build=${PROFILARA_BENCH_BUILD:-$root/build-bench}
cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build "$build" --target bench_startup bench_bare_window bench_editing bench_drawing bench_driver \
    bench_measures bench_jobfile bench_imports
QT_QPA_PLATFORM=offscreen "$build/bench/bench_driver" "$@"
QT_QPA_PLATFORM=offscreen "$build/bench/bench_drawing"
"$build/bench/bench_measures"
"$build/bench/bench_jobfile"
exec "$build/bench/bench_imports"
