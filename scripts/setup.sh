#!/usr/bin/env bash
# Installs the Debian packages that the build, the tests and the benchmarks need.
# Idempotent: when everything is present no apt command runs at all.
set -euo pipefail

packages=(
  cmake ninja-build ccache g++ pkg-config
  qt6-base-dev qt6-svg-dev libqscintilla2-qt6-dev
  libjpeg62-turbo-dev libemf-dev libzip-dev
  libgtest-dev libgmock-dev libbenchmark-dev libexpat1-dev
  xvfb xauth fonts-liberation fonts-dejavu
  python3 time make lua5.4 qt6-translations-l10n desktop-file-utils dpkg-dev file lld
  openjdk-17-jdk-headless fp-compiler
)
# Extra packages asked for by a caller (scripts/fuzz.sh asks for clang).
packages+=("$@")

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$p")
  fi
done

[ ${#missing[@]} -eq 0 ] && exit 0

echo "setup: installing ${missing[*]}"
sudo=""
[ "$(id -u)" -ne 0 ] && sudo="sudo"
export DEBIAN_FRONTEND=noninteractive
$sudo apt-get update -q
$sudo apt-get install -y -q --no-install-recommends "${missing[@]}"
