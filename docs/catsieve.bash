# bash completion for catsieve: option names, format keywords after -format,
# magnitude-type keywords (comma lists) after -mtype, the orders after
# --orderby, nothing after the date-times of --since and --until and the
# counts of --limit, --offset and --max-events, file names elsewhere.
_catsieve() {
  local cur prev
  cur=${COMP_WORDS[COMP_CWORD]}
  prev=${COMP_WORDS[COMP_CWORD-1]}
  local options="-help -negate -time -latitude -longitude -depth -mtype -magnitude -closest
    -nstations -rms -gap -delta -polygon -catalog -verbose -format -quality -etype -nmag -m0
    -nm0 -errtime -errlat -errlon -errhoriz -errdepth -felt -no_mag --strict --help --version
    --csv --geojson --quakeml --count --since --until --orderby --limit --offset --max-events"
  case $prev in
    --since|--until|--limit|--offset|--max-events)
      COMPREPLY=()
      return 0
      ;;
    --orderby)
      COMPREPLY=($(compgen -W "time time-asc magnitude magnitude-asc" -- "$cur"))
      return 0
      ;;
    -format|-fo|-for|-form|-forma)
      COMPREPLY=($(compgen -W "tarn vesper mech orv brim f_brim kelp" -- "$cur"))
      return 0
      ;;
    -mtype|-mt|-mty|-mtyp)
      local done="" last=$cur
      if [[ $cur == *,* ]]; then
        done=${cur%,*},
        last=${cur##*,}
      fi
      local types="pref ml mlt mln mlm mlb md mx avg mw bm amp coda mml" t
      COMPREPLY=()
      for t in $(compgen -W "$types" -- "$last"); do COMPREPLY+=("$done$t"); done
      compopt -o nospace 2>/dev/null
      return 0
      ;;
  esac
  if [[ $cur == -* ]]; then
    COMPREPLY=($(compgen -W "$options" -- "$cur"))
    return 0
  fi
  COMPREPLY=($(compgen -f -- "$cur"))
  return 0
}
complete -o filenames -F _catsieve catsieve
