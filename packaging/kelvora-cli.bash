# bash completion for kelvora-cli                                   -*- shell-script -*-
# Completes subcommands, input pairs, sweep kinds, diagrams, the choices of --units, --format,
# --phase and --transport, and property names after --props (comma-separated). Property names come from
# the program itself ("kelvora-cli props") and, from an older one without that subcommand,
# from the list below.

_kelvora_cli_subcommands="state sat constants table batch props chart"
_kelvora_cli_pairs="T-p T-v T-h T-s T-u p-v p-h p-s p-u h-s T-x p-x"
_kelvora_cli_kinds="sat-T sat-p isobar isotherm"
_kelvora_cli_diagrams="T-s h-s p-h p-T"
_kelvora_cli_properties="T p x v rho z h s a u g cv cp w alpha kappa k dpdt dvdt dvdp mu lambda
sigma pr eps cjtt cjth"
_kelvora_cli_common_options="--units --format --help --version"

# Options of each subcommand besides the common ones.
_kelvora_cli_options() {
  case $1 in
    state | batch) echo "--props --transport" ;;
    sat) echo "--props --phase --quality --transport" ;;
    table) echo "--props --at --transport" ;;
  esac
}

# The short property names as the program lists them: the first column of its TSV list, under
# a header line.
_kelvora_cli_property_names() {
  local names
  names=$("$1" props --format tsv 2>/dev/null |
    awk -F '\t' 'NR > 1 && $1 ~ /^[A-Za-z][A-Za-z0-9_]*$/ { print $1 }')
  echo "${names:-$_kelvora_cli_properties}"
}

_kelvora_cli() {
  local cur=${COMP_WORDS[COMP_CWORD]} prev=${COMP_WORDS[COMP_CWORD - 1]}
  local program=${COMP_WORDS[0]}
  # "--units=si" arrives as three words: --units, = and si.
  if [[ $cur == "=" ]]; then
    prev=${COMP_WORDS[COMP_CWORD - 1]}
    cur=""
  elif [[ $prev == "=" ]]; then
    prev=${COMP_WORDS[COMP_CWORD - 2]}
  fi

  # The subcommand, and how many of its arguments stand before the word being completed.
  local subcommand="" position=0 i word
  for ((i = 1; i < COMP_CWORD; i++)); do
    word=${COMP_WORDS[i]}
    case $word in
      --units | --format | --props | --phase | --quality | --at | --transport)
        # Skip the value, written after a space or an equals sign.
        if [[ ${COMP_WORDS[i + 1]} == "=" ]]; then i=$((i + 2)); else i=$((i + 1)); fi
        ;;
      -*) ;;
      *)
        if [[ -z $subcommand ]]; then
          subcommand=$word
        else
          position=$((position + 1))
        fi
        ;;
    esac
  done

  COMPREPLY=()
  case $prev in
    --units) mapfile -t COMPREPLY < <(compgen -W "si english" -- "$cur") ;;
    --format) mapfile -t COMPREPLY < <(compgen -W "table csv tsv json" -- "$cur") ;;
    --phase) mapfile -t COMPREPLY < <(compgen -W "vapor vapour liquid" -- "$cur") ;;
    --transport) mapfile -t COMPREPLY < <(compgen -W "1985 2011" -- "$cur") ;;
    --quality | --at) ;;
    --props)
      # Complete the name after the last comma and keep the ones before it.
      local done_names="" last=$cur
      if [[ $cur == *,* ]]; then
        done_names=${cur%,*},
        last=${cur##*,}
      fi
      local name
      for name in $(_kelvora_cli_property_names "$program"); do
        [[ $name == "$last"* ]] && COMPREPLY+=("$done_names$name")
      done
      compopt -o nospace 2>/dev/null || true
      ;;
    *)
      if [[ $cur == -* ]]; then
        mapfile -t COMPREPLY < <(compgen -W "$_kelvora_cli_common_options \
          $(_kelvora_cli_options "$subcommand")" -- "$cur")
      elif [[ -z $subcommand ]]; then
        mapfile -t COMPREPLY < <(compgen -W "$_kelvora_cli_subcommands" -- "$cur")
      elif ((position == 0)); then
        case $subcommand in
          state) mapfile -t COMPREPLY < <(compgen -W "$_kelvora_cli_pairs" -- "$cur") ;;
          sat) mapfile -t COMPREPLY < <(compgen -W "T p" -- "$cur") ;;
          table) mapfile -t COMPREPLY < <(compgen -W "$_kelvora_cli_kinds" -- "$cur") ;;
          chart) mapfile -t COMPREPLY < <(compgen -W "$_kelvora_cli_diagrams" -- "$cur") ;;
          batch) mapfile -t COMPREPLY < <(compgen -f -- "$cur") ;;
        esac
      fi
      ;;
  esac
}

complete -F _kelvora_cli kelvora-cli
