#!/usr/bin/env bash
# Runs the benchmark algorithms with tessaro-cli and the same work in python3
# and in Lua 5.4 (written with local variables), checks that all three print
# the same, and prints for each: the median wall time of each, the medians
# of the rounds' ratios tessaro/lua and tessaro/python, and tessaro's peak
# memory.
#
# The three commands run in turn (tessaro, python, lua, tessaro, ...) after
# one warm-up round, so a machine whose load drifts moves all columns
# together. Times are of whole processes, start-up included.
#
# usage: bench/compare.sh [fixture...]
#   RUNS=n       counted rounds (default 5)
#   BUILD_DIR=d  build folder (default build-bench, configured as Release)
#   PYTHON=p, LUA=l  the interpreters (default python3, lua5.4)
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
build="${BUILD_DIR:-$root/build-bench}"
fixtures="$root/bench/fixtures"
runs="${RUNS:-5}"
names=("$@")
[[ ${#names[@]} -gt 0 ]] || names=(loop sieve bubble text)

# A version manager's shim starts a shell script before the interpreter,
# which would be timed too: ask it for the interpreter itself.
python="${PYTHON:-python3}"
if [[ -z "${PYTHON:-}" ]] && command -v pyenv >/dev/null 2>&1 && [[ "$(command -v python3)" == */shims/* ]]; then
  python="$(pyenv which python3)"
fi
lua="${LUA:-lua5.4}"
command -v "$python" >/dev/null || { echo "compare.sh: $python not found" >&2; exit 1; }
command -v "$lua" >/dev/null || { echo "compare.sh: $lua not found (scripts/setup.sh installs lua5.4)" >&2; exit 1; }

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

# Appends the wall seconds of one run of the command to the file $1.
timed() {
  local out="$1" TIMEFORMAT=%3R
  shift
  { time "$@" >/dev/null 2>&1; } 2>>"$out"
}

# Peak resident memory of one run, in MB; "n/a" without GNU time.
peak_mb() {
  if [[ -x /usr/bin/time ]]; then
    /usr/bin/time -f '%M' -o "$work/peak" "$@" >/dev/null 2>&1
    awk '{ printf "%.1f", $1 / 1024 }' "$work/peak"
  else
    echo "n/a"
  fi
}

echo "$runs rounds of tessaro, python, lua in turn after one warm-up round; medians of wall time, start-up included"
echo "python: $("$python" --version 2>&1) ($python); lua: $("$lua" -v 2>&1 | head -n 1)"
printf '%-8s %10s %10s %10s %12s %15s %12s\n' fixture tessaro_s python_s lua_s tessaro/lua tessaro/python peak_rss_MB
status=0
for name in "${names[@]}"; do
  "$make_alg" "$fixtures/$name.txt" "$work/$name.alg"
  ours="$("$cli" run "$work/$name.alg")"
  py="$("$python" "$fixtures/$name.py")"
  lu="$("$lua" "$fixtures/$name.lua")"
  if [[ "$ours" != "$py" || "$ours" != "$lu" ]]; then
    echo "$name: outputs differ: tessaro '$ours', python '$py', lua '$lu'" >&2
    status=1
    continue
  fi
  # One line per counted round: tessaro python lua seconds.
  : >"$work/rounds"
  for round in $(seq 0 "$runs"); do
    : >"$work/one"
    timed "$work/one" "$cli" run "$work/$name.alg"
    timed "$work/one" "$python" "$fixtures/$name.py"
    timed "$work/one" "$lua" "$fixtures/$name.lua"
    [[ $round -eq 0 ]] || paste -s -d ' ' "$work/one" >>"$work/rounds"
  done
  t=$(awk '{ print $1 }' "$work/rounds" | median)
  p=$(awk '{ print $2 }' "$work/rounds" | median)
  l=$(awk '{ print $3 }' "$work/rounds" | median)
  # The ratios are medians of each round's ratio, so drift between rounds cancels.
  tl=$(awk '$3 > 0 { print $1 / $3 }' "$work/rounds" | median)
  tp=$(awk '$2 > 0 { print $1 / $2 }' "$work/rounds" | median)
  m=$(peak_mb "$cli" run "$work/$name.alg")
  awk -v n="$name" -v t="$t" -v p="$p" -v l="$l" -v tl="$tl" -v tp="$tp" -v m="$m" \
    'BEGIN { printf "%-8s %10.3f %10.3f %10.3f %12.2f %15.2f %12s\n", n, t, p, l, tl, tp, m }'
done
exit $status
