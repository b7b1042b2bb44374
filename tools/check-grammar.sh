#!/usr/bin/env bash
# Fails when the checked-in parse tables (wkt/WktTables.cpp) are not what btyacc makes of the
# grammar (wkt/WktGrammar.y) and the skeleton (wkt/WktTables.skel). Regenerate with
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
    -P "$root/cmake/Grammar.cmake")

if ! diff -u "$root/wkt/WktTables.cpp" "$scratch/WktTables.cpp" >"$scratch/diff"; then
    echo "check-grammar: wkt/WktTables.cpp is out of date with wkt/WktGrammar.y:" >&2
    head -n 40 "$scratch/diff" >&2
    echo "check-grammar: regenerate it with 'cmake --build <build dir> --target quarn_grammar'" >&2
    exit 1
fi
echo "check-grammar: wkt/WktTables.cpp matches the grammar"
