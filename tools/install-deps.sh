#!/bin/sh
# Installs, on Debian 12, the packages the build, the tests, the program and its package need,
# skipping those already present. Run as root (or with sudo available).
set -eu

packages="g++ cmake ninja-build pkg-config libsqlite3-dev sqlite3 \
qt6-base-dev qt6-base-dev-tools qt6-tools-dev qt6-tools-dev-tools qt6-documentation-tools \
qt6-webengine-dev libqt6webenginecore6-bin qt6-pdf-dev \
libqt6svg6 libx11-dev libgl-dev fonts-dejavu-core xvfb xauth \
librsvg2-bin desktop-file-utils appstream man-db dpkg-dev file \
clang libclang-rt-14-dev"

missing=""
for package in $packages; do
    if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed"; then
        missing="$missing $package"
    fi
done
[ -z "$missing" ] && exit 0

sudo=""
if [ "$(id -u)" -ne 0 ]; then
    sudo="sudo"
fi
echo "Installing:$missing"
$sudo env DEBIAN_FRONTEND=noninteractive apt-get update -q
# shellcheck disable=SC2086
$sudo env DEBIAN_FRONTEND=noninteractive apt-get install -y -q --no-install-recommends $missing
