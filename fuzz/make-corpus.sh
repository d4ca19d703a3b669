#!/usr/bin/env bash
# Fills the seed corpora of the fuzz targets under BUILD_DIR:
#  corpus/          load_fuzzer: one reader byte (0: manifold file, 1: viewer
#                   file) followed by the file's bytes;
#  corpus-old500/, corpus-old400/, corpus-old200/
#                   the old readers: one byte choosing the version within the
#                   generation, followed by the file's bytes.
# Usage: make-corpus.sh MNF_SAMPLEGEN BUILD_DIR
set -euo pipefail
gen=$1
build=$2
out=$build/corpus
rm -rf "$out" "$build"/corpus-old500 "$build"/corpus-old400 "$build"/corpus-old200
mkdir -p "$out" "$build"/corpus-old500 "$build"/corpus-old400 "$build"/corpus-old200
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# seed NAME READER FILE: READER is 0 or 1.
seed() { { printf "\\$(printf '%03o' "$2")"; cat "$3"; } > "$out/$1"; }

"$gen" --demo "$work/demo.mnf"
"$gen" --demo-viewer "$work/demo.mvf"
"$gen" --small "$work/small.mnf"
"$gen" --small --viewer "$work/small.mvf"
"$gen" --holes 50 --seed 7 "$work/holes50.mnf"
seed demo-mnf 0 "$work/demo.mnf"
seed demo-mvf 1 "$work/demo.mvf"
seed small-mnf 0 "$work/small.mnf"
seed small-mvf 1 "$work/small.mvf"
seed holes50-mnf 0 "$work/holes50.mnf"

# Hand-made edge files. The 40-byte header: word, version, CR LF, title
# padded to 20 characters, two spaces, CR LF, 0x00, 0x1A.
header() { printf 'Quorvane7.00\r\n%-20s  \r\n\000\032' "$1"; }
header 'Quorvane File' > "$work/header.mnf"
header 'Quorvane View' > "$work/header.mvf"
seed header-only-mnf 0 "$work/header.mnf"
seed header-only-mvf 1 "$work/header.mvf"
# Header, bare tag 1000, manifold record start, then a Double field (tag 2010,
# type 2, length 8) whose payload stops after three bytes.
{ cat "$work/header.mnf"; printf '\350\003\000\000\000\000\320\007\000\000\000\000\332\007\002\000\010\000\000\000\131'; } > "$work/cut.mnf"
seed header-cut-field-mnf 0 "$work/cut.mnf"
# The same in a viewer file: length and tag words exchanged.
{ cat "$work/header.mvf"; printf '\000\000\000\000\350\003\000\000\000\000\320\007\010\000\002\000\332\007\000\000\131'; } > "$work/cut.mvf"
seed header-cut-field-mvf 1 "$work/cut.mvf"
# A hole start tag and a text field (the hole's title, tag 7010) claiming 65535 bytes with only a few there.
{ cat "$work/header.mnf"; printf '\020\047\000\000\000\000\142\033\002\000\377\377abc'; } > "$work/longtext.mnf"
seed long-text-mnf 0 "$work/longtext.mnf"
# A viewer file marked with a newer version holding only the end tag, and an
# empty file.
printf 'Quorvane8.02\r\n%-20s  \r\n\000\032\000\000\000\000\317\007' 'Quorvane View' > "$work/newer.mvf"
seed newer-version-mvf 1 "$work/newer.mvf"
: > "$work/empty"
seed empty-mnf 0 "$work/empty"

# The old samples, every version, for both kinds of target. The version
# byte is the version's place in its generation's list (OldFuzzer.cpp).
oldseed() { # VERSION GENERATION INDEX
  "$gen" --old "$1" "$work/old-$1.mnf"
  seed "old-$1" 0 "$work/old-$1.mnf"
  { printf "\\$(printf '%03o' "$3")"; cat "$work/old-$1.mnf"; } > "$build/corpus-old$2/v$1"
}
oldseed 500 500 0; oldseed 510 500 1; oldseed 520 500 2; oldseed 530 500 3; oldseed 540 500 4
oldseed 400 400 0; oldseed 410 400 1; oldseed 415 400 2; oldseed 420 400 3
oldseed 300 200 0; oldseed 200 200 1
