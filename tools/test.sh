#!/bin/sh
# Installs what is missing, builds everything and runs every test; then builds the core with
# AddressSanitizer and UndefinedBehaviorSanitizer and runs the core and command-line tests again.
# In between, each fuzz target runs for a short fixed time (tools/fuzz.sh runs them longer).
set -eu
cd "$(dirname "$0")/.."
tools/install-deps.sh

tools/build.sh build -DDOMIVO_WERROR=ON
(cd build && QT_QPA_PLATFORM=offscreen ctest --output-on-failure --parallel "$(nproc)")

tools/fuzz.sh 20

tools/build.sh build-sanitize -DDOMIVO_SANITIZE=ON -DDOMIVO_BUILD_GUI=OFF -DDOMIVO_WERROR=ON
(cd build-sanitize && \
    ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
    ctest --output-on-failure --parallel "$(nproc)" -L "core|cli")
