#!/usr/bin/env bash
# Builds the RTF reader with clang++ under libFuzzer and AddressSanitizer and
# fuzzes it for a bounded time, starting from the RTF test fixtures.
# Exits non-zero when the fuzzer finds a crash, a hang or a leak (or the
# build fails), zero otherwise.
#   FUZZ_SECONDS   fuzzing time after the build (default 45)
#   FUZZ_BUILD_DIR where the binary, corpus and crash files go (default build/fuzz-rtf)
set -euo pipefail
cd "$(dirname "$0")/.."

seconds=${FUZZ_SECONDS:-45}
out=${FUZZ_BUILD_DIR:-build/fuzz-rtf}
cxx=${FUZZ_CXX:-clang++}
mkdir -p "$out/obj" "$out/corpus" "$out/crashes"

if ! command -v "$cxx" >/dev/null; then
  echo "fuzz-rtf: $cxx not found" >&2
  exit 1
fi

sources=(
  src/platform/codepage.cpp
  src/platform/rtf/codepages.cpp
  src/platform/rtf/documentbuilder.cpp
  src/platform/rtf/keywords.cpp
  src/platform/rtf/plaintext.cpp
  src/platform/rtf/reader.cpp
  src/platform/rtf/rtf.cpp
  src/platform/rtf/rtfoutput.cpp
  src/platform/rtf/tables.cpp
  src/platform/rtf/tokenizer.cpp
  src/platform/rtf/writer.cpp
  tests/platform/rtf/rtf_fuzzer.cpp
)
binary="$out/rtf_fuzzer"
flags=(-std=c++20 -O1 -g -fPIC -fsanitize=fuzzer,address -Isrc
       -DQT_NO_CAST_FROM_ASCII -DQT_NO_CAST_TO_ASCII -DQT_NO_KEYWORDS)
read -r -a qt_cflags <<<"$(pkg-config --cflags Qt6Gui)"
read -r -a qt_libs <<<"$(pkg-config --libs Qt6Gui)"

# Rebuild only when a source or header is newer than the binary.
stale=1
if [ -x "$binary" ] && [ -z "$(find src/platform/codepage.* src/platform/rtf \
      tests/platform/rtf/rtf_fuzzer.cpp -newer "$binary" -print -quit)" ]; then
  stale=0
fi
if [ "$stale" -eq 1 ]; then
  objects=()
  pids=()
  for s in "${sources[@]}"; do
    o="$out/obj/$(basename "${s%.cpp}").o"
    objects+=("$o")
    timeout 100 "$cxx" "${flags[@]}" "${qt_cflags[@]}" -c "$s" -o "$o" &
    pids+=($!)
    # Two compilers at a time.
    if [ ${#pids[@]} -ge 2 ]; then
      wait "${pids[0]}"
      pids=("${pids[@]:1}")
    fi
  done
  for p in "${pids[@]}"; do wait "$p"; done
  "$cxx" "${flags[@]}" "${objects[@]}" "${qt_libs[@]}" -o "$binary"
fi

cp -n tests/platform/rtf/fixtures/*.rtf "$out/corpus/" 2>/dev/null || true

export QT_QPA_PLATFORM=offscreen
status=0
# The fuzzer's progress goes to a log; only a failure shows it.
log="$out/fuzz.log"
timeout --signal=KILL $((seconds + 15)) "$binary" \
  -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 -max_len=16384 \
  -print_final_stats=1 -artifact_prefix="$out/crashes/" "$out/corpus" >"$log" 2>&1 || status=$?
if [ "$status" -ne 0 ]; then
  tail -n 60 "$log" >&2
  echo "fuzz-rtf: the fuzzer stopped with status $status; see $out/crashes/" >&2
  exit 1
fi
grep -E '^stat::(number_of_executed_units|peak_rss_mb)' "$log" || true
echo "fuzz-rtf: no crash in ${seconds}s"
