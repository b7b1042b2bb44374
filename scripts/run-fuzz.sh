#!/usr/bin/env bash
# Fuzzes the WKT readers for a bounded time: configures a clang build with libFuzzer,
# AddressSanitizer and UndefinedBehaviorSanitizer in a scratch directory, builds the fuzz
# targets and runs each on a copy of its seed corpus, the time split between them: the
# canonical parser (fuzz/corpus) and the interchange in every dialect
# (fuzz/corpus_interchange, each file's first byte the dialect). Exits non-zero on any
# finding (crash, leak, sanitizer report, time-out); the failing input is kept and named.
#
# Usage: scripts/run-fuzz.sh <seconds>
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
seconds="${1:-60}"
if ! [[ "$seconds" =~ ^[0-9]+$ ]]; then
    echo "usage: $0 <seconds>" >&2
    exit 2
fi

scratch="$(mktemp -d "${TMPDIR:-/tmp}/quarn-fuzz.XXXXXX")"
keep=0
cleanup() { if [ "$keep" = 0 ]; then rm -rf "$scratch"; fi; }
trap cleanup EXIT

echo "== building the fuzz targets in $scratch"
cmake -S "$root" -B "$scratch/build" -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_BUILD_TYPE=Debug \
    -DQUARN_BUILD_FUZZ=ON -DQUARN_BUILD_TESTS=OFF -DQUARN_BUILD_BENCH=OFF \
    -DQUARN_BUILD_EXAMPLES=OFF >"$scratch/configure.log" 2>&1 ||
    { cat "$scratch/configure.log" >&2; exit 1; }
cmake --build "$scratch/build" --target fuzz_wkt_parser fuzz_interchange -j"$(nproc)" \
    >"$scratch/build.log" 2>&1 || { tail -n 50 "$scratch/build.log" >&2; exit 1; }

export ASAN_OPTIONS="${ASAN_OPTIONS:-detect_leaks=1}"
export UBSAN_OPTIONS="${UBSAN_OPTIONS:-halt_on_error=1:print_stacktrace=1}"
cat "$root/fuzz/wkt.dict" "$root/fuzz/interchange.dict" >"$scratch/interchange.dict"
first=$((seconds / 2))
status=0
# target, seed corpus, dictionary, seconds
run() {
    local target="$1" seconds="$4"
    mkdir -p "$scratch/$target/corpus" "$scratch/$target/artifacts"
    cp "$2"/* "$scratch/$target/corpus/"
    echo "== fuzzing $target for $seconds s"
    local result=0
    "$scratch/build/fuzz/$target" -max_total_time="$seconds" -timeout=10 \
        -rss_limit_mb=2048 -max_len=4096 -print_final_stats=1 -dict="$3" \
        -artifact_prefix="$scratch/$target/artifacts/" "$scratch/$target/corpus" \
        >"$scratch/$target/fuzz.log" 2>&1 || result=$?
    tail -n 25 "$scratch/$target/fuzz.log"
    if [ "$result" -ne 0 ] || [ -n "$(ls -A "$scratch/$target/artifacts")" ]; then
        keep=1
        status=1
        echo "run-fuzz: FINDING in $target (exit $result); inputs kept in" \
            "$scratch/$target/artifacts:" >&2
        ls -l "$scratch/$target/artifacts" >&2
    fi
}
run fuzz_wkt_parser "$root/fuzz/corpus" "$root/fuzz/wkt.dict" "$first"
run fuzz_interchange "$root/fuzz/corpus_interchange" "$scratch/interchange.dict" \
    "$((seconds - first))"
[ "$status" -eq 0 ] || exit 1
echo "run-fuzz: no findings in $seconds s"
