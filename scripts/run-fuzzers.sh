#!/usr/bin/env bash
# Runs every libFuzzer target for a bounded time, starting from its seeds.
# Usage: run-fuzzers.sh <build folder> [seconds per target]
# Every target runs under memory limits: one allocation above 512 MB or a resident size above
# 1536 MB (the sanitizers' own share included) counts as a failure, so that a reader which lets
# a small input claim a vast amount of memory is caught, not only one that crashes.
# A folder that is not configured yet becomes a clang sanitizer build first; the fuzz targets are
# brought up to date. Without clang there are no fuzz targets, and nothing runs.
set -euo pipefail
build=${1:?build folder}
seconds=${2:-6}
malloc_limit_mb=512
rss_limit_mb=1536
cd "$(dirname "$0")/.."

if ! command -v clang++ >/dev/null; then
    echo "fuzz: clang++ not found, fuzz targets skipped"
    exit 0
fi
if [ ! -f "$build/CMakeCache.txt" ]; then
    CC=clang CXX=clang++ cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=Debug \
        -DCMAKE_CXX_FLAGS_DEBUG="-g -O1" -DVORNIC_SANITIZE=ON -DVORNIC_FUZZ=ON \
        -DVORNIC_TESTS=OFF -DVORNIC_BENCH=OFF >/dev/null
fi
fuzz_names=$(for f in fuzz/*.cpp; do [ -e "$f" ] && printf 'fuzz_%s ' "$(basename "$f" .cpp)"; done)
if [ -n "$fuzz_names" ]; then
    # shellcheck disable=SC2086
    cmake --build "$build" -j "$(nproc)" --target $fuzz_names >/dev/null
fi

shopt -s nullglob
targets=("$build"/fuzz/fuzz_*)
if [ ${#targets[@]} -eq 0 ]; then
    echo "fuzz: no fuzz targets in $build (they need clang), skipped"
    exit 0
fi

# One target per processor at a time; each writes its own log, and a failure is reported once
# every target started has ended.
fuzz_one() {
    local target=$1 name=${1##*/fuzz_}
    local corpus="$build/corpus/$name"
    mkdir -p "$corpus"
    if [ -d "fuzz/seeds/$name" ]; then cp -n fuzz/seeds/"$name"/* "$corpus"/ 2>/dev/null || true; fi
    if ASAN_OPTIONS=detect_leaks=0 "$target" -max_total_time="$seconds" \
        -malloc_limit_mb="$malloc_limit_mb" -rss_limit_mb="$rss_limit_mb" -timeout=10 \
        "$corpus" >"$build/fuzz_$name.log" 2>&1; then
        echo "fuzz: $name ran ${seconds}s clean"
    else
        tail -n 40 "$build/fuzz_$name.log"
        echo "fuzz: $name FAILED (log: $build/fuzz_$name.log)"
        return 1
    fi
}

jobs=$(nproc)
failed=0
running=0
for target in "${targets[@]}"; do
    [ -x "$target" ] || continue
    if [ "$running" -ge "$jobs" ]; then
        wait -n || failed=1
        running=$((running - 1))
    fi
    fuzz_one "$target" &
    running=$((running + 1))
done
while [ "$running" -gt 0 ]; do
    wait -n || failed=1
    running=$((running - 1))
done
if [ "$failed" -ne 0 ]; then
    echo "fuzz: a target failed"
    exit 1
fi
echo "fuzz: ${#targets[@]} targets ran clean"
