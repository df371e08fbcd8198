#!/bin/sh
# Builds the Debian package of the build folder $1 with cpack ($2) into a
# temporary folder and runs lintian ($3) on it; an error (an E: line) fails.
set -eu
build=$1
cpack=$2
lintian=$3
out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT
if ! "$cpack" --config "$build/CPackConfig.cmake" -G DEB -B "$out" >"$out/cpack.log" 2>&1; then
    cat "$out/cpack.log"
    exit 1
fi
status=0
"$lintian" --fail-on error --info "$out"/*.deb >"$out/lintian.txt" 2>&1 || status=$?
cat "$out/lintian.txt"
if grep -q '^E:' "$out/lintian.txt"; then
    exit 1
fi
exit "$status"
