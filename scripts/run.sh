#!/usr/bin/env bash
# Builds the program and starts it. Extra arguments go to the program.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/build.sh
bin=build/bin
if [ -x "$bin/szotar" ] && [ -x scripts/make-dictionaries.sh ]; then
  bash scripts/make-dictionaries.sh "$bin"
fi
exec "$bin/velkor-szotar" "$@"
