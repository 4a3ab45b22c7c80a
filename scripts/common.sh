# Shared by the scripts: the build folders and the configure step.
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build_dir=${TESSARO_BUILD_DIR:-$root/build}
asan_dir=${TESSARO_ASAN_DIR:-$root/build-asan}
jobs=${TESSARO_JOBS:-$(nproc)}

configure() {  # configure DIR [cmake options...]
  local dir=$1
  shift
  if [ ! -f "$dir/build.ninja" ]; then
    cmake -S "$root" -B "$dir" -G Ninja "$@"
  fi
}
