#!/usr/bin/env bash
# Runs the benchmark algorithms with tessaro-cli and the same work in python3,
# checks that both print the same, and prints for each: the median time of 5
# runs of both, the ratio tessaro/python and tessaro's peak memory.
#
# usage: bench/compare.sh   (BUILD_DIR=... to use another build folder)
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
build="${BUILD_DIR:-$root/build-bench}"
fixtures="$root/bench/fixtures"
runs=5

if [[ ! -f "$build/build.ninja" ]]; then
  cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DTESSARO_GUI=OFF >/dev/null
fi
cmake --build "$build" -j2 --target tessaro-cli make_alg >/dev/null
cli="$build/bin/tessaro-cli"
make_alg="$(find "$build" -name make_alg -type f -perm -u+x | head -n 1)"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT

# The median of the numbers on stdin.
median() { sort -g | awk '{ v[NR] = $1 } END { print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }

# Seconds taken by one run of the command.
seconds() {
  local start end
  start=$(date +%s.%N)
  "$@" >/dev/null
  end=$(date +%s.%N)
  awk -v a="$start" -v b="$end" 'BEGIN { print b - a }'
}

printf '%-8s %12s %12s %8s %14s\n' fixture tessaro_s python_s ratio peak_rss_MB
status=0
for name in loop sieve bubble text; do
  "$make_alg" "$fixtures/$name.txt" "$work/$name.alg"
  ours="$("$cli" run "$work/$name.alg")"
  theirs="$(python3 "$fixtures/$name.py")"
  if [[ "$ours" != "$theirs" ]]; then
    echo "$name: outputs differ: tessaro '$ours', python '$theirs'" >&2
    status=1
    continue
  fi
  t_ours=$(for _ in $(seq $runs); do seconds "$cli" run "$work/$name.alg"; done | median)
  t_theirs=$(for _ in $(seq $runs); do seconds python3 "$fixtures/$name.py"; done | median)
  rss_kb=$( { /usr/bin/time -v "$cli" run "$work/$name.alg" >/dev/null; } 2>&1 |
            awk -F: '/Maximum resident set size/ { gsub(/ /, "", $2); print $2 }')
  awk -v n="$name" -v a="$t_ours" -v b="$t_theirs" -v m="$rss_kb" \
    'BEGIN { printf "%-8s %12.3f %12.3f %8.2f %14.1f\n", n, a, b, a / b, m / 1024 }'
done
exit $status
