#!/usr/bin/env bash
# Builds everything and runs every test: the normal build, then the core and
# its tests again under AddressSanitizer and UBSan. Exits non-zero on any failure.
set -euo pipefail
source "$(dirname "$0")/common.sh"
"$root/scripts/setup.sh"
export QT_QPA_PLATFORM=offscreen

status=0
configure "$build_dir" -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build "$build_dir" -j "$jobs"
# The long differential runs (label "long") join when TESSARO_LONG_TESTS=1.
labels=(-LE long)
[ "${TESSARO_LONG_TESTS:-0}" = 1 ] && labels=()
(cd "$build_dir" && ctest --output-on-failure -j "$jobs" "${labels[@]}") || status=1

configure "$asan_dir" -DCMAKE_BUILD_TYPE=Debug -DTESSARO_SANITIZE=ON \
  -DTESSARO_GUI=OFF -DTESSARO_BENCH=OFF
cmake --build "$asan_dir" -j "$jobs"
export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
(cd "$asan_dir" && ctest --output-on-failure -j "$jobs") || status=1

exit $status
