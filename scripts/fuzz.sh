# Builds the section file fuzz target with clang into build-fuzz/ and runs it
# for a bounded time on a copy of the seed corpus. Sourced, not run.

# profilara_fuzz [SECONDS]: fails on any crash, sanitizer report, timeout or
# memory blow-up; the input that caused it is left in build-fuzz/findings/.
profilara_fuzz() {
    local seconds=${1:-60}
    local dir=build-fuzz
    cmake -S . -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
        -DCMAKE_CXX_COMPILER=clang++ -DPROFILARA_FUZZ=ON >/dev/null
    cmake --build "$dir" --target fuzz_sectionfile
    rm -rf "$dir/corpus" "$dir/findings"
    cp -r tests/fuzz/corpus "$dir/corpus"
    mkdir "$dir/findings"
    echo "Fuzzing the section file load for ${seconds}s"
    "$dir/tests/fuzz/fuzz_sectionfile" -max_total_time="$seconds" -timeout=5 -rss_limit_mb=2048 \
        -artifact_prefix="$dir/findings/" -print_final_stats=1 "$dir/corpus"
}
