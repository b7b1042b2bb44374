#!/usr/bin/env bash
# Fuzzes the WKT parser for a bounded time: configures a clang build with libFuzzer,
# AddressSanitizer and UndefinedBehaviorSanitizer in a scratch directory, builds the fuzz
# target and runs it on a copy of the seed corpus (fuzz/corpus). Exits non-zero on any
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

echo "== building the fuzz target in $scratch"
cmake -S "$root" -B "$scratch/build" -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_BUILD_TYPE=Debug \
    -DQUARN_BUILD_FUZZ=ON -DQUARN_BUILD_TESTS=OFF -DQUARN_BUILD_BENCH=OFF \
    -DQUARN_BUILD_EXAMPLES=OFF >"$scratch/configure.log" 2>&1 ||
    { cat "$scratch/configure.log" >&2; exit 1; }
cmake --build "$scratch/build" --target fuzz_wkt_parser -j"$(nproc)" >"$scratch/build.log" 2>&1 ||
    { tail -n 50 "$scratch/build.log" >&2; exit 1; }

mkdir -p "$scratch/corpus" "$scratch/artifacts"
cp "$root"/fuzz/corpus/* "$scratch/corpus/"

echo "== fuzzing the WKT parser for $seconds s"
export ASAN_OPTIONS="${ASAN_OPTIONS:-detect_leaks=1}"
export UBSAN_OPTIONS="${UBSAN_OPTIONS:-halt_on_error=1:print_stacktrace=1}"
status=0
"$scratch/build/fuzz/fuzz_wkt_parser" -max_total_time="$seconds" -timeout=10 \
    -rss_limit_mb=2048 -max_len=4096 -print_final_stats=1 \
    -dict="$root/fuzz/wkt.dict" -artifact_prefix="$scratch/artifacts/" "$scratch/corpus" >"$scratch/fuzz.log" 2>&1 ||
    status=$?
tail -n 25 "$scratch/fuzz.log"

if [ "$status" -ne 0 ] || [ -n "$(ls -A "$scratch/artifacts")" ]; then
    keep=1
    echo "run-fuzz: FINDING (exit $status); inputs kept in $scratch/artifacts:" >&2
    ls -l "$scratch/artifacts" >&2
    exit 1
fi
echo "run-fuzz: no findings in $seconds s"
