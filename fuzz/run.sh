#!/usr/bin/env bash
# Builds the fuzz targets with clang, checks the document checks, and runs
# each target for SECONDS (default 60), two at a time, from its kept corpus
# in fuzz/corpus/<target>/ and seeds made from the example catalogs.  At
# the end the kept corpus and the new finds are merged (-merge=1) back into
# fuzz/corpus/<target>/, the smallest inputs that reach the same coverage.
# Crashes, and outputs that are no whole document of their form, are kept
# in fuzz/findings/<target>/; once fixed, each becomes a case of the tests
# of the part it broke (tests/cli/inputs_test.cc for whole runs).
#
#   fuzz/run.sh 600
set -euo pipefail
cd "$(dirname "$0")/.."
SECONDS_PER_TARGET=${1:-60}
JOBS=${JOBS:-2}
B=build-fuzz

CC=clang CXX=clang++ cmake -S . -B "$B" -DCATSIEVE_FUZZ=ON -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  >/dev/null
cmake --build "$B" -j2 >/dev/null
"$B/fuzz/document_check_test" >/dev/null || {
  echo "the document checks judge a case wrongly: run $B/fuzz/document_check_test" >&2
  exit 1
}
TARGETS=${TARGETS:-"tarn mech orv brim kelp f_brim compressed cmdline locations catalog_name service_query"}

# Seeds, made anew each run: the example catalogs behind an option prefix
# of 64 bytes, command lines from the README, LOCATIONS files and catalog
# file names.
rm -rf "$B/seeds"
prefixed() {  # target catalog...
  local dir=$B/seeds/$1
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
# Compressed inputs: the mode (packing and shape), the output form, where
# to cut, then the text.
mkdir -p "$B/seeds/compressed"
for mode in 0 1 2 3 4 5 6 7 8 9 10 11 12 13 14 15 16 17; do
  form=$((mode % 6))
  { printf "\\$(printf %o $mode)\\$(printf %o $form)\377\377\0\0"; cat examples/tarn_old.cat; } \
    > "$B/seeds/compressed/seed$mode"
done
S=$B/seeds
mkdir -p "$S/cmdline" "$S/locations" "$S/catalog_name"
printf -- '-time\0' > "$S/cmdline/time"
{
  printf -- '-time\00019950101000000+1d\00019960101000000\0-mag\0003\0009\0'
  printf -- '-delta\00038\000-122\0000\000100'
} > "$S/cmdline/query"
printf -- '--since\0001995-02-14T03:21:07.42Z\0--until\0+30d\0-mag\0003\0009' > "$S/cmdline/iso"
printf -- '-polygon\0000\0000\00010\0000\00010\00010\0-format\0orv\0-help\0-lat' \
  > "$S/cmdline/poly"
printf 'LODECATDIR /data/tarn # comment\nORVCATDIR \\\n  /data/orv\n' > "$S/locations/basic"
printf '\x00\x00\x00\x00\x40\x9c\x01\x42\x00\x00\x00\x00\x40\x9c\x01\x42%s' 1995.07.Z \
  > "$S/catalog_name/month"
printf '\x00\x00\x00\x00\x40\x9c\x01\x42\x00\x00\x00\x00\x40\x9c\x01\x42%s' 1990-1994 \
  > "$S/catalog_name/range"

# New finds go to $B/corpus/<target>/, the first folder named.
run_one() {
  local t=$1
  mkdir -p "fuzz/findings/$t" "$B/corpus/$t" "fuzz/corpus/$t" "$B/seeds/$t"
  "$B/fuzz/fuzz_$t" -max_total_time="$SECONDS_PER_TARGET" -max_len="$MAX_LEN" -timeout=10 \
    -artifact_prefix="fuzz/findings/$t/" -print_final_stats=1 \
    "$B/corpus/$t" "fuzz/corpus/$t" "$B/seeds/$t" > "$B/$t.log" 2>&1 || true
  local execs
  execs=$(grep -o 'stat::number_of_executed_units: *[0-9]*' "$B/$t.log" | grep -o '[0-9]*$' \
    || echo 0)
  local found
  found=$(ls "fuzz/findings/$t" | wc -l)
  printf '%-14s %6ss %12s execs %3s findings\n' "$t" "$SECONDS_PER_TARGET" "$execs" "$found"
}
# The kept corpus, the new finds and the seeds merged into an empty folder,
# which then takes the kept corpus's place.  What is kept stays small: every
# edge reached (-use_counters=0 leaves out inputs that only run an edge more
# often) by inputs cut to KEEP_LEN bytes.
merge_one() {
  local t=$1 merged=$B/merged/$1
  rm -rf "$merged"
  mkdir -p "$merged"
  if "$B/fuzz/fuzz_$t" -merge=1 -use_counters=0 -max_len="$KEEP_LEN" -timeout=10 "$merged" \
    "fuzz/corpus/$t" "$B/corpus/$t" "$B/seeds/$t" > "$B/$t.merge.log" 2>&1; then
    rm -rf "fuzz/corpus/$t"
    mv "$merged" "fuzz/corpus/$t"
  fi
  printf '%-14s %5s inputs %6s KB kept\n' "$t" "$(ls "fuzz/corpus/$t" | wc -l)" \
    "$(du -sk --apparent-size "fuzz/corpus/$t" | cut -f1)"
}
export -f run_one merge_one
MAX_LEN=4096
KEEP_LEN=2048
export B SECONDS_PER_TARGET MAX_LEN KEEP_LEN
printf '%s\n' $TARGETS | xargs -P "$JOBS" -I{} bash -c 'run_one {}'
printf '%s\n' $TARGETS | xargs -P "$JOBS" -I{} bash -c 'merge_one {}'
