#!/usr/bin/env bash
# Builds the default dictionaries Angol_Magyar.DB and Magyar_Angol.DB in
# BIN_DIR from the free FreeDict dictd files (Debian packages
# dict-freedict-eng-hun and dict-freedict-hun-eng), with the szotar tool
# found in BIN_DIR. Both get the basic words the free dictionaries lack
# (pronouns, prepositions, auxiliaries, common computing words) from the
# project's own list resources/dictionaries/alapszavak.tsv, which holds
# English-Hungarian pairs and serves both directions. A dictionary that
# already exists is left alone; without
# the dictd files there is nothing to do (exit 0). A failed conversion is
# reported and makes the exit status non-zero once both have been tried.
set -euo pipefail

if [ $# -ne 1 ]; then
  echo "Használat: $0 BIN_KÖNYVTÁR" >&2
  exit 2
fi
bin_dir=$1
szotar="$bin_dir/szotar"
dictd_dir=${DICTD_DIR:-/usr/share/dictd}
script_dir=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
basic_words=${BASIC_WORDS:-$script_dir/../resources/dictionaries/alapszavak.tsv}

if [ ! -x "$szotar" ]; then
  echo "Nem található a szotar program: $szotar" >&2
  exit 1
fi

# convert NAME TABLE [EXTRA OPTIONS...]
convert() {
  local name=$1 table=$2
  shift 2
  local out="$bin_dir/$table"
  if [ -e "$out" ]; then
    return 0
  fi
  local index="$dictd_dir/freedict-$name.index" dict="$dictd_dir/freedict-$name.dict.dz"
  if [ ! -r "$index" ] || [ ! -r "$dict" ]; then
    echo "Megjegyzés: hiányoznak a(z) $name dictd-állományai ($dictd_dir)," \
      "nem készül el: $table (Debian-csomag: dict-freedict-$name)."
    return 0
  fi
  local supplement=()
  if [ -r "$basic_words" ]; then
    supplement=(--supplement "$basic_words")
  else
    echo "Megjegyzés: nem található az alapszólista ($basic_words), nélküle készül: $table."
  fi
  if ! "$szotar" convert-dictd --index "$index" --dict "$dict" --out "$out" "${supplement[@]}" "$@"; then
    echo "Nem sikerült elkészíteni: $out" >&2
    status=1
  fi
}

status=0
convert eng-hun Angol_Magyar.DB --repair-hungarian-target
convert hun-eng Magyar_Angol.DB
exit $status
