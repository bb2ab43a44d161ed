#!/usr/bin/env bash
# Measures catsieve against wc -l, cat and an awk program on large generated
# catalogs of every layout, on gzip, bzip2 and xz copies of one of them
# against their decompressors, and on an installed tree of monthly files.
#
#   bench/run.sh            5 runs per row after a warm-up
#   RUNS=9 bench/run.sh
#   BASE=path/to/catsieve bench/run.sh
#                           also rows c, d, e, f, g, i and j of another build of
#                           the program (an earlier commit, say), taking
#                           turns with this build's in the same run
#   LAYOUTS="tarn_old orv" bench/run.sh
#                           only those layouts
#
# Catalogs are generated once into bench/cache (1,000,000 lines per line
# format, 200,000 records of full brim).  Needs /usr/bin/time (package
# "time"), mawk or awk, gzip, bzip2, xz (xz-utils), and strace for the
# installed-tree check.
set -euo pipefail
cd "$(dirname "$0")/.."
RUNS=${RUNS:-5}
AWK=$(command -v mawk || command -v awk)
CACHE=bench/cache
mkdir -p "$CACHE"

cmake -S . -B build >/dev/null
cmake --build build -j2 --target catsieve catgen >/dev/null
CS=./build/catsieve

gen() {  # layout count
  local f="$CACHE/$1.cat"
  [ -s "$f" ] || ./build/tools/catgen "$1" "$2" 2024 > "$f"
  echo "$f"
}

# Times one run of a shell command and appends "wall user sys maxrss" to a
# file.  Wall time from the shell's microsecond clock; CPU time and peak
# memory from /usr/bin/time, which starts the command itself (no shell in
# between, whose start would be counted in every row).
time_once() {  # command file
  local t0 t1
  t0=$EPOCHREALTIME
  eval "/usr/bin/time -f '%U %S %M' -o '$2.one' $1" >/dev/null
  t1=$EPOCHREALTIME
  echo "$(awk -v a="$t0" -v b="$t1" 'BEGIN { printf "%.4f", b - a }') $(cat "$2.one")" >> "$2"
  rm -f "$2.one"
}

# The median wall time, the median user+sys time and the largest resident
# size (KiB) of the runs in a file.
summarize() {
  awk '{ w[NR] = $1; c[NR] = $2 + $3; if ($4 > m) m = $4 }
       END { n = asort_w(); print w[int((NR + 1) / 2)], c[int((NR + 1) / 2)], m }
       function asort_w(   i, j, t) {
         for (i = 2; i <= NR; i++) for (j = i; j > 1 && w[j-1] > w[j]; j--) { t = w[j]; w[j] = w[j-1]; w[j-1] = t }
         for (i = 2; i <= NR; i++) for (j = i; j > 1 && c[j-1] > c[j]; j--) { t = c[j]; c[j] = c[j-1]; c[j-1] = t }
         return NR }' "$1"
}

# Runs a shell command RUNS times after a warm-up and summarizes.
measure() {
  local out
  out=$(mktemp)
  eval "$1" >/dev/null
  for _ in $(seq "$RUNS"); do time_once "$1" "$out"; done
  summarize "$out"
  rm -f "$out"
}

# Times the rows named in keys (commands in cmd, labels in label) taking
# turns run by run after a warm-up, and prints each with the ratio that the
# function named by the first argument gives its wall time (in wall).
declare -A wall=()
take_turns() {  # ratio-function first-column MB-of-text
  local runs k w c m
  runs=$(mktemp -d)
  for k in "${keys[@]}"; do eval "${cmd[$k]}" >/dev/null; done
  for _ in $(seq "$RUNS"); do
    for k in "${keys[@]}"; do time_once "${cmd[$k]}" "$runs/$k"; done
  done
  wall=()
  for k in "${keys[@]}"; do
    read -r w c m < <(summarize "$runs/$k")
    wall[$k]=$w
    printf '%-9s %-26s %8.3f %8.2f %8.0f %8s %9s\n' "$2" "${label[$k]}" "$w" "$c" \
      "$(awk -v m="$3" -v w="$w" 'BEGIN { print (w > 0 ? m / w : 0) }')" "$($1 "$k" "$w")" "$m"
  done
  rm -rf "$runs"
}

# "name r": a wall time's ratio to another's.
ratio() {  # name x y
  awk -v n="$1" -v x="$2" -v y="$3" 'BEGIN { printf "%s %.2f", n, x / y }'
}

layout_ratio() {  # key wall
  case $1 in
    c) ratio c/b "$2" "${wall[b]}" ;;
    d) ratio d/a "$2" "${wall[a]}" ;;
    e) ratio e/a "$2" "${wall[a]}" ;;
    f) ratio f/a "$2" "${wall[a]}" ;;
    g) ratio g/b "$2" "${wall[b]}" ;;
    h) ratio h/d "$2" "${wall[d]}" ;;
    i) ratio i/c "$2" "${wall[c]}" ;;
    j) ratio j/c "$2" "${wall[c]}" ;;
    ?-base) ratio new/base "${wall[${1%-base}]}" "$2" ;;
  esac
}

compressed_ratio() {  # key wall
  case $1 in
    j) ratio j/i "$2" "${wall[i]}" ;;
    k) ratio j/k "${wall[j]}" "$2" ;;
  esac
}

# The same query as row d, written as the awk program a user would write:
# the origin time compared as text, the magnitude from the first column of
# the default preference list that the generated records carry, and the
# default event-type filter where the format has one.
awk_query() {
  case $1 in
    tarn_old) echo 'substr($0,1,10) >= "9501010000" && substr($0,1,10) < "9601010000" && index(" -*MEmLTFlt", substr($0,77,1)) && substr($0,139,1) != " " && substr($0,140,3)/100 >= 3 && substr($0,140,3)/100 <= 9' ;;
    tarn_y2k) echo 'substr($0,1,12) >= "200001010000" && substr($0,1,12) < "200101010000" && index(" -*MEmLTFlt", substr($0,81,1)) && substr($0,147,1) != " " && substr($0,148,3)/100 >= 3 && substr($0,148,3)/100 <= 9' ;;
    mech_old) echo 'substr($0,1,6) >= "950101" && substr($0,1,6) < "960101" && substr($0,46,5)+0 >= 3 && substr($0,46,5)+0 <= 9' ;;
    mech_y2k) echo 'substr($0,1,8) >= "20000101" && substr($0,1,8) < "20010101" && substr($0,48,5)+0 >= 3 && substr($0,48,5)+0 <= 9' ;;
    orv) echo 'substr($0,1,8) >= "20000101" && substr($0,1,8) < "20010101" && (m = (substr($0,77,4)+0 > 0 ? substr($0,77,4) : substr($0,68,4)+0 > 0 ? substr($0,68,4) : substr($0,59,4)+0 > 0 ? substr($0,59,4) : substr($0,50,4)) + 0) >= 3 && m <= 9' ;;
    brim) echo 'substr($0,6,8) >= "20000101" && substr($0,6,8) < "20010101" && length($0) >= 133 && substr($0,130,5)+0 >= 3 && substr($0,130,5)+0 <= 9 && (substr($0,102,2) == "  " || substr($0,102,2) ~ /[LTRFDCVltrfdcv]/)' ;;
    kelp) echo 'substr($0,1,4) == "2000" && substr($0,53,4)+0 >= 3 && substr($0,53,4)+0 <= 9' ;;
    *) echo '' ;;
  esac
}

# Per layout: -format keyword, then the -time interval of row d.
layout_args() {
  case $1 in
    tarn_old) echo "tarn 19950101000000 19960101000000" ;;
    tarn_y2k) echo "tarn 20000101000000 20010101000000" ;;
    mech_old) echo "mech 19950101000000 19960101000000" ;;
    mech_y2k) echo "mech 20000101000000 20010101000000" ;;
    orv) echo "orv 20000101000000 20010101000000" ;;
    brim) echo "brim 20000101000000 20010101000000" ;;
    kelp) echo "kelp 20000101000000 20010101000000" ;;
    f_brim) echo "f_brim 20000101000000 20010101000000" ;;
  esac
}

POLY="-polygon 36.5 -122.5 37.5 -123 38.6 -122.8 39.4 -122 39.6 -121 39 -120 38.2 -119.6 37.3 -119.8 36.6 -120.5 36.3 -121.5"
DELTA="-delta 38 -121 20 200"

printf '%-9s %-26s %8s %8s %8s %8s %9s\n' layout row wall_s cpu_s MB/s ratio maxrss_KiB
echo "$(nproc) cores, $(grep -m1 'model name' /proc/cpuinfo | cut -d: -f2 | sed 's/^ //'), files in the page cache; medians of $RUNS runs"
for layout in ${LAYOUTS:-tarn_old tarn_y2k mech_old mech_y2k orv brim kelp f_brim}; do
  count=1000000
  [ "$layout" = f_brim ] && count=200000
  f=$(gen "$layout" "$count")
  mb=$(awk -v b="$(stat -c %s "$f")" 'BEGIN { print b / 1048576 }')
  read -r fmt t1 t2 < <(layout_args "$layout")
  query="-time $t1 $t2 -magnitude 3 9"
  prog=$(awk_query "$layout")
  # The rows of a layout take turns, one run each per round, so that a slow
  # spell of the machine falls on all of them alike.
  keys=(a b c d e f g i j)
  declare -A label=(
    [a]="a wc -l" [b]="b cat > /dev/null" [c]="c no criteria" [d]="d time + magnitude"
    [e]="e polygon, 10 vertices" [f]="f delta 20-200 km" [g]="g negate of d"
    [i]="i --csv, no criteria" [j]="j --count, no criteria"
  )
  declare -A cmd=(
    [a]="wc -l $f" [b]="cat $f > /dev/null" [c]="$CS -format $fmt $f > /dev/null"
    [d]="$CS -format $fmt $query $f > /dev/null" [e]="$CS -format $fmt $POLY $f > /dev/null"
    [f]="$CS -format $fmt $DELTA $f > /dev/null"
    [g]="$CS -format $fmt -negate $query $f > /dev/null"
    [i]="$CS -format $fmt --csv $f > /dev/null" [j]="$CS -format $fmt --count $f > /dev/null"
  )
  if [ -n "${BASE:-}" ]; then
    for k in c d e f g i j; do
      keys+=("$k-base")
      label[$k-base]="${label[$k]%% *} base build"
      cmd[$k-base]="${cmd[$k]/#$CS/$BASE}"
    done
  fi
  if [ -n "$prog" ]; then
    keys+=(h)
    label[h]="h $(basename "$AWK") program of d"
    cmd[h]="$AWK '$prog' $f > /dev/null"
  fi
  take_turns layout_ratio "$layout" "$mb"
  if [ -n "$prog" ]; then
    ours=$($CS -format "$fmt" $query "$f" | wc -l)
    theirs=$($AWK "$prog" "$f" | wc -l)
    echo "          lines selected by d: catsieve $ours, $(basename "$AWK") $theirs"
  fi
done

[ -n "${LAYOUTS:-}" ] && exit 0

# Compressed inputs: the tarn_old catalog packed once with gzip, bzip2 and xz.
# Per kind: the decompressor's own program alone (i), catsieve with no
# criteria on the packed file (j, within 1.15 times i), and for gzip the
# same through a zcat pipe (k, which j must beat; its CPU and memory columns
# are zcat's only).
f=$(gen tarn_old 1000000)
for tool in gzip bzip2 xz; do
  case $tool in gzip) p="$f.gz" ;; bzip2) p="$f.bz2" ;; xz) p="$f.xz" ;; esac
  [ -s "$p" ] || $tool -c "$f" > "$p"
  mb=$(awk -v b="$(stat -c %s "$f")" 'BEGIN { print b / 1048576 }')
  keys=(i j)
  declare -A label=([i]="i $tool -dc > /dev/null" [j]="j catsieve on .${p##*.}"
                    [k]="k zcat | catsieve")
  declare -A cmd=([i]="$tool -dc $p > /dev/null" [j]="$CS $p > /dev/null"
                  [k]="zcat $p | $CS > /dev/null")
  [ "$tool" = gzip ] && keys+=(k)
  take_turns compressed_ratio "$tool" "$mb"
  if cmp -s <($CS "$p") <($CS "$f"); then same=same; else same=DIFFERENT; fi
  echo "          output of j and of the plain file: $same (MB/s of the text)"
done

# Installed tree: 500 monthly files of 2,000 lines; a query over two years
# must open only the files of those two years.
tree=$CACHE/tree
if [ ! -d "$tree" ]; then
  mkdir -p "$tree"
  ./build/tools/catgen tarn_y2k 1000000 7 41.7 | awk -v d="$tree" '
    { f = d "/" substr($0,1,4) "." substr($0,5,2); print > f; n[f]++ }'
fi
files=$(ls "$tree" | wc -l)
query="-time 20000101000000 20020101000000 -magnitude 3 9"
read -r w c m < <(LODECATDIR=$tree measure "$CS -catalog $query > /dev/null")
sel=$(ls "$tree" | awk '$0 >= "2000.01" && $0 <= "2002.01"' | sed "s|^|$tree/|" | tr '\n' ' ')
read -r wc_ _ _ < <(measure "cat $sel > /dev/null")
read -r ws _ _ < <(measure "$CS $query $sel > /dev/null")
trace=$(mktemp)
LODECATDIR=$tree strace -f -e trace=openat -o "$trace" $CS -catalog $query >/dev/null 2>&1 || true
opened=$(grep -c "$tree/[0-9]" "$trace" || true)
rm -f "$trace"
echo "installed tree: $files files; -catalog over two years opened $opened files (of $(echo "$sel" | wc -w) in range)"
echo "  wall: -catalog $w s, the same files named $ws s, cat of those files $wc_ s; max RSS $m KiB"
