#!/usr/bin/env bash
# Builds the libFuzzer targets with clang and runs each for a bounded time. Skips quietly when
# there is no clang or no fuzz target yet.
set -euo pipefail
build=${1:-build-fuzz}
seconds=${2:-20}
cd "$(dirname "$0")/.."

if ! command -v clang++ >/dev/null; then
    echo "fuzz: clang++ not found, fuzz targets skipped"
    exit 0
fi
if ! ls fuzz/*.cpp >/dev/null 2>&1; then
    exit 0
fi

CC=clang CXX=clang++ cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVORNIC_FUZZ=ON \
    -DVORNIC_TESTS=OFF -DVORNIC_BENCH=OFF >/dev/null
cmake --build "$build" -j "$(nproc)" --target $(for f in fuzz/*.cpp; do n=$(basename "$f" .cpp); printf 'fuzz_%s ' "$n"; done)

for f in fuzz/*.cpp; do
    name=$(basename "$f" .cpp)
    corpus="$build/corpus/$name"
    mkdir -p "$corpus"
    if [ -d "fuzz/seeds/$name" ]; then cp -n fuzz/seeds/"$name"/* "$corpus"/ 2>/dev/null || true; fi
    echo "fuzz: $name for ${seconds}s"
    ASAN_OPTIONS=detect_leaks=0 "$build/fuzz/fuzz_$name" -max_total_time="$seconds" -rss_limit_mb=2048 \
        -print_final_stats=0 "$corpus" > "$build/fuzz_$name.log" 2>&1 || {
        tail -n 40 "$build/fuzz_$name.log"
        exit 1
    }
done
