#!/usr/bin/env bash
# Builds the fuzz targets with clang and runs each for SECONDS (default 60),
# two at a time, seeded from the example catalogs.  Crashes are kept in
# fuzz/findings/<target>/; once fixed, each becomes a case of the tests of
# the part it broke (tests/cli/inputs_test.cc for whole runs).
#
#   fuzz/run.sh 600
set -euo pipefail
cd "$(dirname "$0")/.."
SECONDS_PER_TARGET=${1:-60}
JOBS=${JOBS:-2}
B=build-fuzz

CC=clang CXX=clang++ cmake -S . -B "$B" -DCATSIEVE_FUZZ=ON -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$B" -j2 >/dev/null

# Seed corpora: the example catalogs behind a criteria prefix of 64 bytes,
# command lines from the README, LOCATIONS files and catalog file names.
seed() {  # target file...
  local dir=$B/corpus/$1
  shift
  mkdir -p "$dir"
  for f in "$@"; do [ -f "$f" ] && cp "$f" "$dir/"; done
}
prefixed() {  # target catalog...
  local dir=$B/corpus/$1
  shift
  mkdir -p "$dir"
  local i=0
  for f in "$@"; do
    [ -f "$f" ] || continue
    for p in 0 1 2; do
      { head -c 64 /dev/urandom; cat "$f"; } > "$dir/seed$i-$p"
    done
    i=$((i + 1))
  done
}
prefixed tarn examples/tarn_old.cat examples/tarn_y2k.cat
prefixed mech examples/tarn_mech_old.cat examples/tarn_mech_y2k.cat
prefixed orv examples/orv.cat
prefixed brim examples/brim.cat
prefixed kelp examples/kelp.cat
prefixed f_brim examples/full_brim.cat
mkdir -p "$B/corpus/compressed"
for mode in 0 1 2 3 4 5 6 7 8 9 10 11 12 13 14 15 16 17; do
  { printf "\\$(printf %o $mode)\377\377\0"; cat examples/tarn_old.cat; } \
    > "$B/corpus/compressed/seed$mode"
done
mkdir -p "$B/corpus/cmdline" "$B/corpus/locations" "$B/corpus/catalog_name"
printf -- '-time\0' > "$B/corpus/cmdline/time"
printf -- '-time\00019950101000000+1d\00019960101000000\0-mag\0003\0009\0-delta\00038\000-122\0000\000100' > "$B/corpus/cmdline/query"
printf -- '--since\0001995-02-14T03:21:07.42Z\0--until\0+30d\0-mag\0003\0009' > "$B/corpus/cmdline/iso"
printf -- '-polygon\0000\0000\00010\0000\00010\00010\0-format\0orv\0-help\0-lat' > "$B/corpus/cmdline/poly"
printf 'LODECATDIR /data/tarn # comment\nORVCATDIR \\\n  /data/orv\n' > "$B/corpus/locations/basic"
printf '\x00\x00\x00\x00\x40\x9c\x01\x42\x00\x00\x00\x00\x40\x9c\x01\x421995.07.Z' > "$B/corpus/catalog_name/month"
printf '\x00\x00\x00\x00\x40\x9c\x01\x42\x00\x00\x00\x00\x40\x9c\x01\x421990-1994' > "$B/corpus/catalog_name/range"

run_one() {
  local t=$1
  mkdir -p "fuzz/findings/$t" "$B/corpus/$t"
  "$B/fuzz/fuzz_$t" -max_total_time="$SECONDS_PER_TARGET" -max_len=4096 -timeout=10 -close_fd_mask=2 \
    -artifact_prefix="fuzz/findings/$t/" -print_final_stats=1 "$B/corpus/$t" \
    > "$B/$t.log" 2>&1 || true
  local execs
  execs=$(grep -o 'stat::number_of_executed_units: *[0-9]*' "$B/$t.log" | grep -o '[0-9]*$' || echo 0)
  local found
  found=$(ls "fuzz/findings/$t" | wc -l)
  printf '%-14s %6ss %12s execs %3s findings\n' "$t" "$SECONDS_PER_TARGET" "$execs" "$found"
}
export -f run_one
export B SECONDS_PER_TARGET
printf '%s\n' tarn mech orv brim kelp f_brim compressed cmdline locations catalog_name |
  xargs -P "$JOBS" -I{} bash -c 'run_one {}'
