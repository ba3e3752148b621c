#!/usr/bin/env bash
# Installs the Debian packages the build, the tests and the default
# dictionaries need. Does nothing when everything is already there.
set -euo pipefail

packages=(
  cmake ninja-build g++ pkg-config ccache clang libclang-rt-dev lld
  qt6-base-dev libgl-dev qt6-translations-l10n libqt6svg6
  dpkg-dev xvfb xauth x11-utils
  libsqlite3-dev sqlite3 zlib1g-dev
  libgtest-dev libgmock-dev libbenchmark-dev
  fonts-liberation fonts-liberation2 fonts-dejavu-core
  dict-freedict-eng-hun dict-freedict-hun-eng
  libhunspell-dev hunspell-en-us hunspell-hu hunspell-de-de wordnet-base
)

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$p")
  fi
done
[ ${#missing[@]} -eq 0 ] && exit 0

sudo=()
[ "$(id -u)" -ne 0 ] && sudo=(sudo)
export DEBIAN_FRONTEND=noninteractive
"${sudo[@]}" apt-get update -qq
"${sudo[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
