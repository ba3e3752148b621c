#!/usr/bin/env bash
# Builds the two programs and makes the Debian package with CPack. The
# package's dependencies come from the libraries the programs link
# (dpkg-shlibdeps). Prints the path of the .deb as its last line.
#   BUILD_DIR  the build folder (default build)
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
build=${BUILD_DIR:-build}
if [ ! -f "$build/build.ninja" ]; then
  cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
fi
cmake --build "$build" --parallel "$(nproc)" --target velkor-szotar szotar
rm -f "$build"/velkor-szotar_*.deb
(cd "$build" && cpack -G DEB >/dev/null)
deb=$(ls "$build"/velkor-szotar_*.deb)
echo "$deb"
