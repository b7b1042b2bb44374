#!/bin/sh
# Installs the Debian packages the project needs: the compiler and CMake for the library and
# quarn-wkt, and PROJ with its database for the EPSG component (codes and identification);
# with --python also pybind11 and the Python headers for the Python module; with --tests also
# GoogleTest, Google Benchmark and what the Python module's tests use (pytest, pyproj,
# dask.distributed). Packages already installed are not asked for again. Uses sudo only when
# not run as root.
set -eu
packages="cmake make g++ pkg-config libproj-dev proj-data libsqlite3-dev"
python="python3 python3-dev python3-pybind11"
for option in "$@"; do
    case "$option" in
    --tests) packages="$packages libgtest-dev libbenchmark-dev $python python3-pytest python3-pyproj python3-distributed" ;;
    --python) packages="$packages $python" ;;
    *) echo "install-deps.sh: unknown option $option (use --tests or --python)" >&2; exit 2 ;;
    esac
done
missing=""
for package in $packages; do
    dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed" ||
        missing="$missing $package"
done
[ -z "$missing" ] && exit 0
if [ "$(id -u)" -eq 0 ]; then
    run=""
elif command -v sudo >/dev/null 2>&1; then
    run="sudo"
else
    echo "install-deps.sh: not root and no sudo: install$missing as root" >&2
    exit 1
fi
echo "installing:$missing"
$run apt-get update -qq
# shellcheck disable=SC2086
DEBIAN_FRONTEND=noninteractive $run apt-get install -y -qq --no-install-recommends $missing
