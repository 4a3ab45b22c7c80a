#!/usr/bin/env bash
# Fuzzes the algorithm-file reader with libFuzzer for a bounded time.
# usage: scripts/fuzz.sh [SECONDS]   (default 60)
# Needs clang, which only this script installs; the normal build uses g++.
set -euo pipefail
source "$(dirname "$0")/common.sh"
"$root/scripts/setup.sh" clang

seconds=${1:-60}
fuzz_dir=${TESSARO_FUZZ_DIR:-$root/build-fuzz}
if [ ! -f "$fuzz_dir/build.ninja" ]; then
  cmake -S "$root" -B "$fuzz_dir" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ -DTESSARO_FUZZ=ON \
    -DTESSARO_GUI=OFF -DTESSARO_CLI=OFF -DTESSARO_BENCH=OFF -DTESSARO_WERROR=OFF
fi
cmake --build "$fuzz_dir" -j "$jobs" --target alg_reader_fuzz

# Seeds: the four magics, each with a small valid body.
corpus=$fuzz_dir/corpus/alg_reader
mkdir -p "$corpus"
current_body='\x07\x00\x31\x2e\x30\x2e\x30\x2e\x30\x01\x00\x00\x00'
current_body+='\x0a\x00\x00\x00\x14\x00\x00\x00\x50\x00\x00\x00\x28\x00\x00\x00\x04\x00\x00\x00'
current_body+='\x01\x00\x00\x00\x00\x00\x00\x00\x01\x03\x00\x61\x3d\x31'
current_body+='\xff\xff\xbb\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00'
current_body+='\x0b\x00\x43\x6f\x75\x72\x69\x65\x72\x20\x4e\x65\x77\x09\x00\x00\x00'
printf "\x9f\x1e\x68\x03$current_body" >"$corpus/seed-current"
printf "\x5a\xc2\x03\x04$current_body" >"$corpus/seed-previous"
legacy_record=$(head -c 288 /dev/zero | tr '\0' '\003')
{ printf '\x3e\x67\x01\x0a\x01\x00\x00\x00'; printf '%s' "$legacy_record"; } >"$corpus/seed-legacy"
{ printf '\x3e\x6f\xb0\x39\x01\x00\x00\x00'; printf '%s' "$legacy_record"; } >"$corpus/seed-oldest"

# The memory limit turns any allocation out of proportion to the input into a failure.
"$fuzz_dir/bin/alg_reader_fuzz" -max_total_time="$seconds" -max_len=8192 -rss_limit_mb=1024 \
  -malloc_limit_mb=256 "$corpus"
