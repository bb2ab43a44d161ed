#!/usr/bin/env bash
# Measures catsieve-fdsnws with wrk on an installed tree of 1,000,000 events
# in monthly files over 20 years (1990-2009, tarn y2k layout), at 1, 8 and
# 64 connections, for four workloads, each request with format=text,
# orderby=time-asc and no compression:
#   day     a one-day window
#   year    a one-year window with minmag=4
#   radius  100 km around the catalog's middle, over all time
#   count   count over everything
# For each: requests per second, p50 and p99 latency, the most RSS the
# server had during the run, answers other than 200 (none expected).  Then
# the cost of spawning catsieve once per query for the same work, and the
# radius scan against catsieve --count of the same selection.
#
#   bench/service.sh             10 s per row
#   DURATION=30 bench/service.sh
#
# The server listens on 127.0.0.1 on a port it picks, runs with its default
# --threads, and is stopped by its process id at the end.  Needs wrk
# (package "wrk").  The tree is generated once into bench/cache.
set -euo pipefail
cd "$(dirname "$0")/.."
DURATION=${DURATION:-10}
SPAWN_SECONDS=${SPAWN_SECONDS:-10}  # time given to each spawn row
CACHE=bench/cache
command -v wrk >/dev/null || { echo "bench/service.sh needs wrk (apt-get install wrk)" >&2; exit 1; }

cmake -S . -B build >/dev/null
cmake --build build -j2 --target catsieve catsieve-fdsnws catgen >/dev/null
CS=./build/catsieve

tree=$CACHE/service_tree
if [ ! -d "$tree" ]; then
  mkdir -p "$tree.tmp"
  ./build/tools/catgen tarn_y2k 1000000 11 20 | awk -v d="$tree.tmp" '
    { y = substr($0,1,4); f = d "/" y "/" y "." substr($0,5,2)
      if (!(y in made)) { system("mkdir -p " d "/" y); made[y] = 1 }
      print > f; if (f != last) { if (last != "") close(last); last = f } }'
  mv "$tree.tmp" "$tree"
fi

log=$(mktemp)
./build/catsieve-fdsnws --listen 127.0.0.1:0 --catalog "net=tarn:$tree" --max-connections 128 \
  > "$log" 2>&1 &
server=$!
trap 'kill "$server" 2>/dev/null || true; wait "$server" 2>/dev/null || true; rm -f "$log"' EXIT
for _ in $(seq 100); do grep -q '^listening on' "$log" && break; sleep 0.1; done
base=$(sed -n 's/^listening on //p' "$log")
[ -n "$base" ] || { echo "the server did not start: $(cat "$log")" >&2; exit 1; }

# Workloads: the URL's method and parameters, and the command's options.
common="format=text&orderby=time-asc"
declare -A url args
url[day]="query?starttime=2000-06-15&endtime=2000-06-16&$common"
args[day]="--starttime 2000-06-15 --endtime 2000-06-16 --text"
url[year]="query?starttime=2000-01-01&endtime=2001-01-01&minmag=4&$common"
args[year]="--starttime 2000-01-01 --endtime 2001-01-01 --minmagnitude 4 --text"
# 100 km is 0.8993 degrees of a great circle.
url[radius]="query?latitude=38&longitude=-121&maxradius=0.8993&$common"
args[radius]="--latitude 38 --longitude -121 --maxradius 0.8993 --text"
url[count]="count?$common"
args[count]="--count"

ms() {  # wrk's latency text (us, ms, s) in milliseconds
  awk -v t="$1" 'BEGIN { v = t + 0; if (t ~ /us$/) v /= 1000; else if (t ~ /[0-9]s$/) v *= 1000
                         printf "%.1f", v }'
}

peak_rss() {  # pid of the load: the server's largest VmRSS while it runs, in MiB
  local most=0 kb
  while kill -0 "$1" 2>/dev/null; do
    kb=$(awk '/^VmRSS/ { print $2 }' "/proc/$server/status")
    [ "$kb" -gt "$most" ] && most=$kb
    sleep 0.1
  done
  awk -v k="$most" 'BEGIN { printf "%.1f", k / 1024 }'
}

echo "catsieve-fdsnws on $(nproc) cores, $tree ($(find "$tree" -type f | wc -l) files)," \
  "wrk ${DURATION} s a row"
printf '%-7s %5s %10s %9s %9s %9s %7s\n' workload conns req/s p50_ms p99_ms rss_MiB non200
for w in day year radius count; do
  for c in 1 8 64; do
    threads=2
    [ "$c" -lt 2 ] && threads=1
    out=$(mktemp)
    wrk -t"$threads" -c"$c" -d"${DURATION}s" --timeout 30s --latency "$base${url[$w]}" > "$out" &
    load=$!
    rss=$(peak_rss "$load")
    wait "$load"
    rps=$(awk '/^Requests\/sec/ { print $2 }' "$out")
    p50=$(ms "$(awk '$1 == "50%" { print $2 }' "$out")")
    p99=$(ms "$(awk '$1 == "99%" { print $2 }' "$out")")
    bad=$(awk '/Non-2xx/ { print $5 } /Socket errors/ { print "sock" }' "$out" | head -1)
    printf '%-7s %5s %10s %9s %9s %9s %7s\n' "$w" "$c" "$rps" "$p50" "$p99" "$rss" "${bad:-0}"
    rm -f "$out"
  done
done

# The same work by spawning the command once per query, one after another.
echo
printf '%-7s %12s %10s\n' workload ms/query queries/s
for w in day year radius count; do
  n=0
  start=$(date +%s%N)
  while :; do
    # shellcheck disable=SC2086
    LODECATDIR=$tree $CS -format tarn -etype a -catalog ${args[$w]} > /dev/null
    n=$((n + 1))
    now=$(date +%s%N)
    [ $(((now - start) / 1000000000)) -ge "$SPAWN_SECONDS" ] || [ "$n" -ge 1000 ] && break
  done
  awk -v n="$n" -v ns="$((now - start))" -v w="$w" \
    'BEGIN { m = ns / n / 1e6; printf "%-7s %12.1f %10.1f\n", w, m, 1000 / m }'
done

# The radius scan: one request at a time against catsieve --count, each
# timed RUNS times (after one run to warm up), alternating, medians compared:
# a single run on a shared machine moves by a third.
RUNS=${RUNS:-7}
echo
seconds() { /usr/bin/env time -f %e "$@" 2>&1 >/dev/null | tail -1; }
median() { sort -n | awk '{ v[NR] = $1 } END { print v[int((NR + 1) / 2)] }'; }
# shellcheck disable=SC2206
radius_count=(env LODECATDIR="$tree" $CS -format tarn -etype a -catalog
              --latitude 38 --longitude -121 --maxradius 0.8993 --count)
"${radius_count[@]}" > /dev/null
curl -s -o /dev/null "$base${url[radius]}"
counts=() queries=()
for _ in $(seq "$RUNS"); do
  counts+=("$(seconds "${radius_count[@]}")")
  queries+=("$(seconds curl -s -o /dev/null "$base${url[radius]}")")
done
t_count=$(printf '%s\n' "${counts[@]}" | median)
t_query=$(printf '%s\n' "${queries[@]}" | median)
selected=$(curl -s "$base${url[radius]/query/count}")
awk -v c="$t_count" -v q="$t_query" -v n="$selected" -v r="$RUNS" 'BEGIN {
  printf "radius scan (%d events), medians of %d: query %.2f s, catsieve --count %.2f s, " \
         "ratio %.2f\n", n, r, q, c, q / c }'
echo "  query runs: ${queries[*]}; count runs: ${counts[*]}"
