#!/usr/bin/env bash
# Runs every libFuzzer target of a fuzzing build for a bounded time, each
# from its seed corpus in the repository (copied, so the repository stays
# as it is). Exits non-zero when a fuzzer finds a crash, a hang, a leak or
# runs out of memory; the input that did it is kept in OUT/crashes/.
#   scripts/fuzz.sh BUILD_DIR [SECONDS_EACH]   (default 20 seconds each)
set -euo pipefail
cd "$(dirname "$0")/.."

build=${1:?usage: fuzz.sh BUILD_DIR [SECONDS_EACH]}
seconds=${2:-20}
out=$build/fuzz-run
mkdir -p "$out/crashes"

# fuzzer name -> seed folders
declare -A seeds=(
  [rtf_fuzzer]=tests/platform/rtf/fixtures
  [ini_fuzzer]=tests/fuzz/corpus/ini
  [codepage_fuzzer]=tests/fuzz/corpus/codepage
  [dictd_index_fuzzer]=tests/fuzz/corpus/dictd_index
  [dictd_entry_fuzzer]=tests/fuzz/corpus/dictd_entry
  [dictd_reader_fuzzer]=tests/fuzz/corpus/dictd_reader
)

export QT_QPA_PLATFORM=offscreen
# Leaks are checked by the fuzzers themselves; Qt's own are suppressed.
export LSAN_OPTIONS="suppressions=$PWD/scripts/sanitizer/lsan.supp:print_suppressions=0"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
status=0
for name in rtf_fuzzer ini_fuzzer codepage_fuzzer dictd_index_fuzzer dictd_entry_fuzzer \
            dictd_reader_fuzzer; do
  binary=$(find "$build" -type f -name "$name" -perm -u+x | head -n 1)
  if [ -z "$binary" ]; then
    echo "fuzz: $name is not built in $build" >&2
    status=1
    continue
  fi
  corpus=$out/corpus/$name
  mkdir -p "$corpus"
  cp -n "${seeds[$name]}"/* "$corpus/" 2>/dev/null || true
  log=$out/$name.log
  result=0
  timeout --signal=KILL $((seconds + 30)) "$binary" \
    -max_total_time="$seconds" -timeout=10 -rss_limit_mb=512 -max_len=65536 \
    -print_final_stats=1 -artifact_prefix="$out/crashes/$name-" "$corpus" >"$log" 2>&1 ||
    result=$?
  if [ "$result" -ne 0 ]; then
    tail -n 40 "$log" >&2
    echo "fuzz: $name stopped with status $result; the input is in $out/crashes/" >&2
    status=1
  else
    runs=$(grep -oP '^stat::number_of_executed_units:\s*\K[0-9]+' "$log" || echo '?')
    echo "fuzz: $name, ${seconds}s, $runs inputs, no fault"
  fi
done
exit $status
