#!/usr/bin/env bash
# Runs every ```sh block of the README's Cookbook section, in a scratch copy
# of examples/ with ./build/catsieve standing for PROGRAM, and compares what
# it prints (standard output, standard error, exit status) with
# tests/docs/cookbook/NN.out; output the README shows must be what it prints.
# The LOCATIONS example's LODECATDIR entry is set as the variable instead.
#   cookbook_test.sh SOURCE_DIR PROGRAM [--update]
set -euo pipefail
src=$1 prog=$2 update=${3:-}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail=0 count=0

# NN.sh for each sh block, NN.shown for an output block after it.
mkdir "$work/blocks"
awk -v d="$work/blocks" '
  /^## / && !fence { on = $0 == "## Cookbook"; next }
  !on { next }
  /^```/ {
    if (fence) { fence = 0; close(file); next }
    fence = 1
    if ($0 == "```sh") { n++; file = sprintf("%s/%02d.sh", d, n) }
    else if ($0 == "```text") file = d "/locations"
    else file = sprintf("%s/%02d.shown", d, n)
    next
  }
  fence { print > file }' "$src/README.md"
locations=$(awk '$1 == "LODECATDIR" { print $2; exit }' "$work/blocks/locations")
[ -n "$locations" ] || { echo "FAIL: the Cookbook shows no LOCATIONS entry"; exit 1; }

for block in "$work/blocks"/*.sh; do
  count=$((count + 1)) n=$(basename "$block" .sh) status=0
  mkdir "$work/run$n" && cp -R "$src/examples" "$work/run$n/examples"
  script=$(sed "s|\./build/catsieve|'$prog'|g" "$block")
  (cd "$work/run$n" && env -u ORVCATDIR -u BRIMCATDIR -u FULLBRIMCATDIR -u KELPCATDIR \
     -u LODEMECHDIR LODECATDIR="$locations" bash -c "$script" >"$work/out" 2>"$work/err") || status=$?
  # wc pads its counts differently from one system to the next.
  got=$(cat "$work/out" "$work/err" | sed 's/^ *//; s/  */ /g'; echo "status $status")
  expected="$src/tests/docs/cookbook/$n.out"
  if [ "$update" = --update ]; then
    printf '%s\n' "$got" > "$expected"
  elif [ "$got" != "$(cat "$expected" 2>/dev/null)" ]; then
    echo "FAIL: block $n prints otherwise than $expected:"
    cat "$block"
    diff <(printf '%s\n' "$got") "$expected" | head -20 || true
    fail=1
  fi
  if [ -f "$work/blocks/$n.shown" ] && [[ "$got" != *"$(cat "$work/blocks/$n.shown")"* ]]; then
    echo "FAIL: block $n: the README shows output that the command does not print"
    fail=1
  fi
done
[ "$count" -gt 0 ] || { echo "FAIL: README.md has no Cookbook section with sh blocks"; exit 1; }
[ ! -e "$src/tests/docs/cookbook/$(printf '%02d' $((count + 1))).out" ] ||
  { echo "FAIL: more expected outputs than Cookbook commands"; fail=1; }
exit $fail
