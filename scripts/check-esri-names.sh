#!/usr/bin/env bash
# Fails when the checked-in ESRI name table (src/interchange/EsriNames.generated.inc) is not
# what scripts/gen-esri-names.py makes of PROJ's database. Regenerate with
#   cmake --build <build dir> --target quarn_esri_names
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
database="${1:-/usr/share/proj/proj.db}"
if [ ! -f "$database" ]; then
    echo "check-esri-names: $database not found (Debian package proj-data)" >&2
    exit 2
fi
scratch="$(mktemp)"
trap 'rm -f "$scratch"' EXIT
python3 "$root/scripts/gen-esri-names.py" "$database" >"$scratch"
if ! diff -u "$root/src/interchange/EsriNames.generated.inc" "$scratch" >"$scratch.diff"; then
    echo "check-esri-names: src/interchange/EsriNames.generated.inc is out of date:" >&2
    head -n 40 "$scratch.diff" >&2
    rm -f "$scratch.diff"
    echo "check-esri-names: regenerate it with 'cmake --build <build dir> --target quarn_esri_names'" >&2
    exit 1
fi
rm -f "$scratch.diff"
echo "check-esri-names: src/interchange/EsriNames.generated.inc matches PROJ's database"
