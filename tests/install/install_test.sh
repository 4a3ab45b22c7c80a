#!/usr/bin/env bash
# Installs the build into a temporary prefix, makes the tree read-only and
# starts both programs from there with a temporary HOME: they must work and
# every file they write must land in that home, never in the installed tree.
# usage: install_test.sh BUILD_DIR SOURCE_DIR
set -euo pipefail
build=$1
source=$2
work=$(mktemp -d)
trap 'chmod -R u+w "$work" 2>/dev/null; rm -rf "$work"' EXIT
prefix=$work/prefix
home=$work/home
mkdir -p "$home"

fail() { echo "FAIL: $*" >&2; exit 1; }

cmake --install "$build" --prefix "$prefix" >/dev/null
for f in bin/tessaro bin/tessaro-cli share/tessaro/lang/PL.slg share/tessaro/lang/EN.slg \
         share/applications/tessaro.desktop share/mime/packages/tessaro.xml \
         share/icons/hicolor/48x48/apps/tessaro.png share/icons/hicolor/scalable/apps/tessaro.svg; do
  [ -e "$prefix/$f" ] || fail "$f is not installed"
done
example=$prefix/share/tessaro/Przyklady/silnia.alg
[ -f "$example" ] || fail "no example installed"
if command -v desktop-file-validate >/dev/null; then
  desktop-file-validate "$prefix/share/applications/tessaro.desktop" || fail "desktop entry rejected"
fi

chmod -R a-w "$prefix"
before=$(cd "$prefix" && find . | sort)
run() { env -i PATH=/usr/bin:/bin HOME="$home" QT_QPA_PLATFORM=offscreen "$@"; }

# The command-line runner computes an example from the installed tree (5! = 120).
out=$(echo 5 | run "$prefix/bin/tessaro-cli" run "$example" 2>&1) || fail "tessaro-cli run: $out"
[ "$out" = "120" ] || fail "tessaro-cli run printed: $out"
# A shipped task grades the shipped example of the same problem.
out=$(run "$prefix/bin/tessaro-cli" test "$prefix/share/tessaro/Zadania/silnia" "$example" 2>&1) ||
  fail "tessaro-cli test: $out"
# The window: "/wersja" ends at once; its start writes the installation id.
run "$prefix/bin/tessaro" /wersja || fail "tessaro /wersja"
[ -f "$home/.config/tessaro/tsreg.dat" ] || fail "the window wrote no tsreg.dat under HOME"
# A full start creates the layout file in the user's folder too.
run timeout -s KILL 5 "$prefix/bin/tessaro" >/dev/null 2>&1 || true
[ -f "$home/.config/tessaro/tsview.dat" ] || fail "no tsview.dat under HOME"

# Nothing the programs keep per user was written into the installed tree
# ("release", the version note of "/wersja", is the updater's business).
after=$(cd "$prefix" && find . | grep -v '/release$' | sort)
[ "$before" = "$after" ] || fail "the installed tree changed: $(diff <(echo "$before") <(echo "$after"))"
echo "install test passed"
