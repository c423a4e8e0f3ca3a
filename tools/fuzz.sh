#!/bin/sh
# Builds the fuzz targets with clang, AddressSanitizer and UndefinedBehaviorSanitizer in
# ./build-fuzz and runs each for SECONDS (default 20), starting from its seed corpus in
# tests/fuzz/corpus/<target>/. What a run finds is kept in build-fuzz/fuzz/corpus/<target>/, so
# a later run goes on from there; an input that crashes a target is written to
# build-fuzz/fuzz/artifacts/ and the script exits with 1.
#
#   tools/fuzz.sh                       # every target, 20 seconds each (as CI runs them)
#   tools/fuzz.sh 3600 fuzz_currency    # one target for an hour
set -eu
cd "$(dirname "$0")/.."
seconds="${1:-20}"
[ $# -gt 0 ] && shift
build_dir=build-fuzz

cmake -S . -B "$build_dir" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DCMAKE_CXX_COMPILER=clang++ -DDOMIVO_FUZZ=ON -DDOMIVO_BUILD_GUI=OFF \
    -DDOMIVO_BUILD_TESTS=OFF -DDOMIVO_WERROR=ON >/dev/null
cmake --build "$build_dir" --target domivo_fuzz --parallel "$(nproc)"

targets="$*"
if [ -z "$targets" ]; then
    targets=$(cd tests/fuzz && ls fuzz_*.cpp | sed 's/\.cpp$//')
fi

export ASAN_OPTIONS=abort_on_error=1:detect_leaks=0
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
failed=""
passed=0
for target in $targets; do
    corpus="$build_dir/fuzz/corpus/$target"
    artifacts="$build_dir/fuzz/artifacts"
    mkdir -p "$corpus" "$artifacts"
    log="$build_dir/fuzz/$target.log"
    # New inputs go into the first folder; the committed seeds are only read.
    if "$build_dir/fuzz/$target" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 \
        -print_final_stats=1 -artifact_prefix="$artifacts/$target-" \
        "$corpus" "tests/fuzz/corpus/$target" >"$log" 2>&1; then
        runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log")
        echo "$target: ${runs:-?} inputs in $seconds s, no finding"
        passed=$((passed + 1))
    else
        echo "$target: FAILED (see $log)"
        tail -n 40 "$log"
        failed="$failed $target"
    fi
done
echo "fuzz: $passed passed, $(echo $failed | wc -w) failed"
[ -z "$failed" ] || { echo "Fuzz targets with findings:$failed"; exit 1; }
