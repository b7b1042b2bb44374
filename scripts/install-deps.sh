#!/bin/sh
# Installs the Debian packages the project needs: the compiler and CMake for the library and
# quarn-wkt, and PROJ with its database for the EPSG component (codes and identification);
# with --tests also GoogleTest and Google Benchmark. Packages already installed
# are not asked for again. Uses sudo only when not run as root.
set -eu
packages="cmake make g++ pkg-config libproj-dev proj-data libsqlite3-dev"
if [ "${1:-}" = "--tests" ]; then
    packages="$packages libgtest-dev libbenchmark-dev"
fi
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
