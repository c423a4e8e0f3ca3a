#!/bin/sh
# Installs what is missing, builds, and starts the program. Without a display, it creates and
# checks the database with the command-line tool instead.
set -eu
cd "$(dirname "$0")/.."
tools/install-deps.sh
tools/build.sh build

if [ -x build/bin/domivo ] && { [ -n "${DISPLAY:-}" ] || [ -n "${WAYLAND_DISPLAY:-}" ]; }; then
    exec build/bin/domivo "$@"
fi
if [ -x build/bin/domivo ]; then
    echo "No display found (DISPLAY is not set): the desktop application needs one," \
         "for example: xvfb-run build/bin/domivo"
    echo "Running the command-line tool instead (build/bin/domivo-cli --help lists its commands)."
fi
build/bin/domivo-cli "$@" init
build/bin/domivo-cli "$@" check
