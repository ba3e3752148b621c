#!/usr/bin/env bash
# Builds everything and runs every test (GUI tests on the offscreen
# platform, so no display is needed), warnings counting as errors. Then the
# tests without widgets again, built with clang under AddressSanitizer and
# UndefinedBehaviorSanitizer, and a short run of every fuzzer of that build.
# The Debian package is built too, unpacked into a scratch root, and its
# szotar looks a word up in its default dictionary.
# Every stage runs even when one before it failed; the exit status is
# non-zero when any failed, and the main run's test count closes the output.
#   FUZZ_SECONDS  fuzzing time of each fuzzer (default 20)
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
export QT_QPA_PLATFORM=offscreen LC_ALL=C.UTF-8
jobs=$(nproc)
failed=()

# --- the main build and every test ----------------------------------------
# Line tables are enough for the traces of failures and build faster.
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVELKOR_WERROR=ON \
  -DVELKOR_LINE_TABLES=ON >/dev/null
log=build/ctest-summary.log
if cmake --build build --parallel "$jobs"; then
  (cd build && ctest --output-on-failure --parallel "$jobs" --timeout 600) | tee "$log" ||
    failed+=("tesztek")
else
  failed+=("fordítás")
  echo "0 tests passed: the build failed" >"$log"
fi

# --- the Debian package, unpacked into a scratch root ---------------------
# The installed szotar looks a word up in the installed default dictionary.
check_package() (
  deb=$(BUILD_DIR=build bash scripts/package.sh | tail -n 1) || return 1
  root=$(mktemp -d)
  trap 'rm -rf "$root"' EXIT
  dpkg-deb --field "$deb" Depends | grep -q libqt6 || { echo "A csomag függőségei hiányoznak." >&2; return 1; }
  dpkg -x "$deb" "$root"
  for f in usr/bin/velkor-szotar usr/share/applications/velkor-szotar.desktop \
    usr/share/icons/hicolor/scalable/apps/velkor-szotar.svg \
    "usr/share/velkor-szotar/Súgó (eredeti).rtf"; do
    [ -e "$root/$f" ] || { echo "Hiányzik a csomagból: $f" >&2; return 1; }
  done
  out=$("$root/usr/bin/szotar" lookup --dict "$root/usr/share/velkor-szotar/Angol_Magyar.DB" house) ||
    return 1
  grep -q 'ház' <<<"$out" || { echo "A telepített szotar nem talált: $out" >&2; return 1; }
  echo "csomag: $(basename "$deb") rendben"
)
check_package || failed+=("csomag")

# --- sanitizers: the tests without widgets --------------------------------
san=build-san
cmake -S . -B "$san" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DCMAKE_CXX_COMPILER=clang++ -DVELKOR_SANITIZE=ON -DVELKOR_WERROR=ON -DVELKOR_FUZZ=ON \
  -DVELKOR_BUILD_BENCH=OFF -DVELKOR_LINE_TABLES=ON >/dev/null
if cmake --build "$san" --parallel "$jobs" --target velkor_core_tests szotar velkor_fuzzers; then
  # Qt is not instrumented; should it ever leak, only its libraries may be
  # suppressed, by name, in scripts/sanitizer/lsan.supp.
  export ASAN_OPTIONS="detect_leaks=1:abort_on_error=0:strict_string_checks=1"
  export LSAN_OPTIONS="suppressions=$PWD/scripts/sanitizer/lsan.supp:print_suppressions=0"
  export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
  san_log=$san/ctest.log
  if (cd "$san" && ctest -L CORE --output-on-failure --parallel "$jobs" --timeout 900) \
    >"$san_log" 2>&1; then
    echo "sanitizers: $(grep -E 'tests passed|tests failed' "$san_log" | tail -n 1)"
  else
    cat "$san_log"
    failed+=("sanitizer-tesztek")
  fi
  bash scripts/fuzz.sh "$san" "${FUZZ_SECONDS:-20}" || failed+=("fuzzing")
else
  failed+=("sanitizer-fordítás")
fi

if [ ${#failed[@]} -ne 0 ]; then
  echo "Sikertelen: ${failed[*]}" >&2
fi
# The main run's test count closes the output.
grep -E 'tests passed|tests failed' "$log" | tail -n 1
[ ${#failed[@]} -eq 0 ]
