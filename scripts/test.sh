#!/usr/bin/env bash
# Builds everything and runs every test, then a short fuzzing run of the RTF
# reader. GUI tests use the offscreen platform, so no display is needed.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/build.sh
export QT_QPA_PLATFORM=offscreen
log=build/ctest-summary.log
(cd build && ctest --output-on-failure --parallel "$(nproc)" --timeout 600) | tee "$log"

# Documents come from anywhere: the reader must survive whatever it is fed.
bash scripts/fuzz-rtf.sh

# The test count closes the output.
grep -E 'tests passed|tests failed' "$log" | tail -n 1
