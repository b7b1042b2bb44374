#!/usr/bin/env bash
# Fails when the checked-in parse tables (src/wkt/WktTables.generated.cpp) are not what btyacc makes of the
# grammar (src/wkt/WktGrammar.y) and the skeleton (src/wkt/WktTables.skel). Regenerate with
#   cmake --build <build dir> --target quarn_grammar
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"

if ! command -v btyacc >/dev/null 2>&1; then
    echo "check-grammar: btyacc is not installed (Debian package btyacc)" >&2
    exit 2
fi

scratch="$(mktemp -d)"
trap 'rm -rf "$scratch"' EXIT

(cd "$scratch" && cmake -DQUARN_GRAMMAR_OUTPUT="$scratch/WktTables.cpp" \
    -P "$root/cmake/Generated.cmake")

if ! diff -u "$root/src/wkt/WktTables.generated.cpp" "$scratch/WktTables.cpp" >"$scratch/diff"; then
    echo "check-grammar: src/wkt/WktTables.generated.cpp is out of date with src/wkt/WktGrammar.y:" >&2
    head -n 40 "$scratch/diff" >&2
    echo "check-grammar: regenerate it with 'cmake --build <build dir> --target quarn_grammar'" >&2
    exit 1
fi
echo "check-grammar: src/wkt/WktTables.generated.cpp matches the grammar"
