#!/usr/bin/env bash
# Builds Tessaro (incrementally) and starts it, with FILE.alg when given.
set -euo pipefail
source "$(dirname "$0")/common.sh"
"$root/scripts/setup.sh"
configure "$build_dir" -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build "$build_dir" --target tessaro -j "$jobs"
exec "$build_dir/bin/tessaro" "$@"
