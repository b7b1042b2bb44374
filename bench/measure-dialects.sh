#!/usr/bin/env bash
# Builds and runs the dialect measurement against PROJ (libproj-dev) on a built library:
#   bench/measure-dialects.sh [build-dir] [options of the program]
# The texts are written by PROJ at run time; nothing is stored.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
build="${1:-$root/build}"
shift || true
cmake --build "$build" --target quarn >/dev/null
out="$build/measure_dialects"
g++ -std=c++17 -O2 -I"$root" "$root/bench/measure_dialects.cpp" -o "$out" \
    -L"$build" -Wl,-rpath,"$build" -lquarn -ltessel $(pkg-config --libs proj)
"$out" "$@"
