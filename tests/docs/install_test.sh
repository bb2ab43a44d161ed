#!/usr/bin/env bash
# Installs into a temporary prefix; the manual page must render cleanly and
# the completion complete.   install_test.sh SOURCE_DIR BUILD_DIR
set -euo pipefail
src=$1 build=$2
prefix=$(mktemp -d)
trap 'rm -rf "$prefix"' EXIT
fail() { echo "FAIL: $*"; exit 1; }

cmake --install "$build" --prefix "$prefix" >/dev/null
[ -x "$prefix/bin/catsieve" ] || fail "no program in bin"
[ -x "$prefix/bin/catsieve-fdsnws" ] || fail "no event service in bin"
[ -f "$prefix/share/man/man1/catsieve.1" ] || fail "no manual page"
[ -f "$prefix/share/man/man1/catsieve-fdsnws.1" ] || fail "no manual page of the event service"
[ -f "$prefix/share/bash-completion/completions/catsieve" ] || fail "no completion script"
"$prefix/bin/catsieve" "$src/examples/tarn_old.cat" | cmp -s - <("$build/catsieve" "$src/examples/tarn_old.cat") ||
  fail "installed program differs"

if command -v groff >/dev/null; then
  warnings=$(groff -man -ww -z "$src/docs/catsieve.1" "$src/docs/catsieve-fdsnws.1" 2>&1)
  [ -z "$warnings" ] || fail "manual page warnings: $warnings"
fi

complete_words() {  # the words of a command line, the last one being completed
  bash -c 'source "$1"; shift; COMP_WORDS=("$@"); COMP_CWORD=$(($# - 1)); _catsieve; printf "%s\n" "${COMPREPLY[@]}"' \
    _ "$prefix/share/bash-completion/completions/catsieve" "$@"
}
[ "$(complete_words catsieve -form)" = "-format" ] || fail "option name"
[ "$(complete_words catsieve -format f_ | tr '\n' ' ')" = "f_brim " ] || fail "format keyword"
[ "$(complete_words catsieve -mtype md,co)" = "md,coda" ] || fail "magnitude type after a comma"
[ "$(complete_words catsieve -nm | tr '\n' ' ')" = "-nmag -nm0 " ] || fail "ambiguous prefix"
[ "$(complete_words catsieve --str)" = "--strict" ] || fail "two-dash option"
[ "$(complete_words catsieve --c | tr '\n' ' ')" = "--csv --count --columns " ] || fail "output forms"
[ -z "$(complete_words catsieve --until "")" ] || fail "file name after --until"
[ -z "$(complete_words catsieve --maxdepth "")" ] || fail "file name after --maxdepth"
[ "$(complete_words catsieve --columns longitude,lo | tr '\n' ' ')" = "longitude,longitude longitude,longitudeError " ] ||
  fail "column name after a comma"
[ "$(complete_words catsieve --magnitudetype mw,ml | tr '\n' ' ')" = "mw,ml mw,mlt mw,mln mw,mlm mw,mlb " ] ||
  fail "magnitude type of --magnitudetype"
[ "$(complete_words catsieve --minr | tr '\n' ' ')" = "--minradius --minradiuskm " ] ||
  fail "FDSN names"
[ "$(complete_words catsieve --orderby mag | tr '\n' ' ')" = "magnitude magnitude-asc " ] ||
  fail "orders after --orderby"
[ -z "$(complete_words catsieve --limit "")" ] || fail "file name after --limit"
cd "$src/examples"
[ "$(complete_words catsieve -felt tarn_o)" = "tarn_old.cat" ] || fail "file name"
echo "install, manual page and completion: ok"
