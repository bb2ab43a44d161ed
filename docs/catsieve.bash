# bash completion for catsieve: option names, format keywords after -format,
# magnitude-type keywords (comma lists) after -mtype and --magnitudetype,
# column names (comma lists) after --columns, the orders after --orderby,
# nothing after the values of the other two-dash options, file names
# elsewhere.
_catsieve() {
  local cur prev
  cur=${COMP_WORDS[COMP_CWORD]}
  prev=${COMP_WORDS[COMP_CWORD-1]}
  local options="-help -negate -time -latitude -longitude -depth -mtype -magnitude -closest
    -nstations -rms -gap -delta -polygon -catalog -verbose -format -quality -etype -nmag -m0
    -nm0 -errtime -errlat -errlon -errhoriz -errdepth -felt -no_mag --strict --help --version
    --csv --geojson --quakeml --text --count --authority --columns --missing --since --until
    --each-input --starttime --endtime --minlatitude --maxlatitude --minlongitude --maxlongitude
    --latitude --longitude --minradius --maxradius --minradiuskm --maxradiuskm --mindepth
    --maxdepth --minmagnitude --maxmagnitude --magnitudetype --eventtype --eventid --orderby
    --limit --offset --max-events"
  local comma_list=""
  case $prev in
    --since|--until|--starttime|--endtime|--authority|--missing|--min*|--max*|--latitude|\
    --longitude|--eventtype|--eventid|--limit|--offset)
      COMPREPLY=()
      return 0
      ;;
    --orderby)
      COMPREPLY=($(compgen -W "time time-asc magnitude magnitude-asc" -- "$cur"))
      return 0
      ;;
    --columns)
      comma_list="time latitude longitude depth mag magType nst gap dmin rms horizontalError
        depthError type id magNst quality timeError latitudeError longitudeError scalarMoment
        scalarMomentNst dminKm"
      ;;
    -format|-fo|-for|-form|-forma)
      COMPREPLY=($(compgen -W "tarn vesper mech orv brim f_brim kelp" -- "$cur"))
      return 0
      ;;
    -mtype|-mt|-mty|-mtyp|--magnitudetype)
      comma_list="pref ml mlt mln mlm mlb md mx avg mw bm amp coda mml"
      ;;
  esac
  if [ -n "$comma_list" ]; then
    local done="" last=$cur t
    if [[ $cur == *,* ]]; then
      done=${cur%,*},
      last=${cur##*,}
    fi
    COMPREPLY=()
    for t in $(compgen -W "$comma_list" -- "$last"); do COMPREPLY+=("$done$t"); done
    compopt -o nospace 2>/dev/null
    return 0
  fi
  if [[ $cur == -* ]]; then
    COMPREPLY=($(compgen -W "$options" -- "$cur"))
    return 0
  fi
  COMPREPLY=($(compgen -f -- "$cur"))
  return 0
}
complete -o filenames -F _catsieve catsieve
