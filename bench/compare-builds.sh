#!/usr/bin/env bash
# Reads the corpus and damaged copies of it with two revisions of the library and compares
# everything a host can observe (see bench/wkt_digest.cpp):
#   bench/compare-builds.sh BASE-REVISION [OTHER-REVISION, default: the working tree]
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT

digest() { # source tree, name
    cmake -S "$1" -B "$work/$2" -DCMAKE_BUILD_TYPE=Release -DQUARN_BUILD_TESTS=OFF \
        -DQUARN_BUILD_BENCH=OFF -DQUARN_EPSG=OFF >/dev/null
    cmake --build "$work/$2" -j2 --target quarn >/dev/null
    # <quarn/...> names the public headers; a tree from before include/quarn/ had them at its
    # top, which a link named quarn stands in for.
    mkdir -p "$work/$2-include" && ln -sfn "$1" "$work/$2-include/quarn"
    g++ -std=c++17 -O1 -I"$1/include" -I"$work/$2-include" -I"$root/tests" \
        "$root/bench/wkt_digest.cpp" \
        -o "$work/$2/digest" -L"$work/$2" -Wl,-rpath,"$work/$2" -lquarn
    "$work/$2/digest" "$root"/tests/data/*.jsonl >"$work/$2.txt"
}

git -C "$root" worktree add --detach "$work/base-src" "$1" >/dev/null 2>&1
trap 'git -C "$root" worktree remove --force "$work/base-src"; rm -rf "$work"' EXIT
digest "$work/base-src" base
if [ $# -ge 2 ]; then
    git -C "$root" worktree add --detach "$work/other-src" "$2" >/dev/null 2>&1
    digest "$work/other-src" other
    git -C "$root" worktree remove --force "$work/other-src"
else
    digest "$root" other
fi
if cmp -s "$work/base.txt" "$work/other.txt"; then
    echo "same: $(wc -l <"$work/base.txt") lines of results, diagnostics and registries"
else
    diff "$work/base.txt" "$work/other.txt" | head -40
    exit 1
fi
