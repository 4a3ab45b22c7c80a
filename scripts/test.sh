#!/usr/bin/env bash
# Builds everything and runs every test: the normal build, then the core and
# its tests again under AddressSanitizer and UBSan. Exits non-zero on any failure.
set -euo pipefail
source "$(dirname "$0")/common.sh"
"$root/scripts/setup.sh"
export QT_QPA_PLATFORM=offscreen

status=0
# The export's differential tests compile the same exported programs in both
# builds; the second reuses what the first compiled (kept by their texts' hash).
export TESSARO_CODEGEN_CACHE="$build_dir/codegen-cache"
rm -rf "$TESSARO_CODEGEN_CACHE"
mkdir -p "$TESSARO_CODEGEN_CACHE"
# Both builds are made from scratch here, so they compile each target in
# batches (unity build) and keep only line tables as debug information:
# enough for a backtrace, far less to compile and link.
configure "$build_dir" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTESSARO_UNITY_BUILD=ON \
  "-DCMAKE_CXX_FLAGS_RELWITHDEBINFO=-O2 -g1 -DNDEBUG" "-DCMAKE_C_FLAGS_RELWITHDEBINFO=-O2 -g1 -DNDEBUG"
cmake --build "$build_dir" -j "$jobs"
# The long differential runs (label "long") join when TESSARO_LONG_TESTS=1.
labels=(-LE long)
[ "${TESSARO_LONG_TESTS:-0}" = 1 ] && labels=()
(cd "$build_dir" && ctest --output-on-failure -j "$jobs" "${labels[@]}") || status=1

configure "$asan_dir" -DCMAKE_BUILD_TYPE=Debug -DTESSARO_SANITIZE=ON \
  -DTESSARO_GUI=OFF -DTESSARO_BENCH=OFF -DTESSARO_UNITY_BUILD=ON -DCMAKE_CXX_FLAGS_DEBUG=-g1 -DCMAKE_C_FLAGS_DEBUG=-g1
cmake --build "$asan_dir" -j "$jobs"
export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
(cd "$asan_dir" && ctest --output-on-failure -j "$jobs") || status=1

exit $status
