#!/usr/bin/env bash
# Fuzzes the metafile player from a seed corpus: the real picture and mutations of it.
#   run_fuzzer.sh FUZZER PICTURE.wmf RUNS [MORE LIBFUZZER FLAGS...]
set -euo pipefail
fuzzer=$1 picture=$2 runs=$3
shift 3
corpus=$(mktemp -d)
trap 'rm -rf "$corpus"' EXIT
size=$(stat -c %s "$picture")
cp "$picture" "$corpus/picture.wmf"
# Cut short at the headers, inside the first records and near the end.
for cut in 21 39 46 60 200 $((size / 2)) $((size - 7)); do head -c "$cut" "$picture" >"$corpus/cut-$cut.wmf"; done
# One byte changed at the key, the checksum, the header sizes and in the records.
for at in 0 20 24 28 32 40 44 52 100 1000; do
    cp "$picture" "$corpus/flip-$at.wmf"
    printf '\xff' | dd of="$corpus/flip-$at.wmf" bs=1 seek="$at" conv=notrunc status=none
done
"$fuzzer" -runs="$runs" -max_len=8192 -print_final_stats=1 "$@" "$corpus" 2>&1 | tail -n 25
