# bash completion for qorctl                                  -*- shell-script -*-
# Commands, options, setting names, key names, file names and the boards
# present for --board. The names come from qorctl itself: the key table from
# "qorctl keys", the settings from "qorctl help set", the boards from
# "qorctl list". Names are matched in any case, as qorctl matches them.

# The settings "qorctl help set" lists: "  mode=N|NAME ..." and key.INPUT with
# "INPUT is up, down, ..., button1..button14".
_qorctl_settings() {
  local help inputs input from to stem i
  help=$(qorctl help set 2>/dev/null) || return
  sed -n 's/^  \([a-z][a-z-]*\)=.*/\1/p' <<<"$help"
  inputs=$(tr '\n' ' ' <<<"$help" | sed -n 's/.*INPUT is \([a-z0-9., ]*\);.*/\1/p' | tr -s ' ' | tr -d ' ')
  local IFS=,
  for input in $inputs; do
    if [[ $input =~ ^([a-z]+)([0-9]+)\.\.[a-z]+([0-9]+)$ ]]; then
      stem=${BASH_REMATCH[1]} from=${BASH_REMATCH[2]} to=${BASH_REMATCH[3]}
      for ((i = from; i <= to; i++)); do printf 'key.%s%d\n' "$stem" "$i"; done
    elif [[ -n $input ]]; then
      printf 'key.%s\n' "$input"
    fi
  done
}

# The boards present: "1", "/dev/hidraw3", "1-1.4", ... A list row ends in
# node, location ("-" for none) and product ID, whatever the text holds.
_qorctl_boards() {
  qorctl list 2>/dev/null | awk '{ sub(/:.*/, "", $1); print $1; print $(NF-2); if ($(NF-1) != "-") print $(NF-1) }'
}

# Offers the lines of standard input (given by redirection: a pipe would run
# this in a subshell, whose COMPREPLY is lost) that start with $1, case aside. $2 is put
# before each (what the word holds before the part completed); with $3 the
# words are quoted for the shell, since bash does not quote offered words of
# its own.
_qorctl_offer() {
  local cur=${1,,} before=${2-} quote=${3-} word
  while IFS= read -r word; do
    [[ ${word,,} == "$cur"* ]] || continue
    [[ -n $quote ]] && word=$(printf '%q' "$word")
    COMPREPLY+=("$before$word")
  done
}

# The word as the shell will read it: without its opening quote, or its
# backslashes ("U\ A" and "'U A" are both "U A").
_qorctl_dequote() {
  case $1 in
    \'*) printf '%s' "${1#\'}" ;;
    \"*) printf '%s' "${1#\"}" ;;
    *)
      local word=$1 plain="" i
      for ((i = 0; i < ${#word}; i++)); do
        [[ ${word:i:1} == \\ ]] && ((i++))
        plain+=${word:i:1}
      done
      printf '%s' "$plain"
      ;;
  esac
}

# File names that start with $1, put after $2: never split or expanded, so
# spaces, newlines and glob characters stay as they are; bash quotes them.
_qorctl_files() {
  compopt -o filenames 2>/dev/null
  local typed name
  typed=$(_qorctl_dequote "$1")
  for name in "$typed"*; do
    [[ -e $name || -L $name ]] && COMPREPLY+=("${2-}$name")
  done
}

# The value of KEY=VALUE: the setting is $1 (any case), the value typed so far
# $2, $3 the text to put before each value.
_qorctl_values() {
  local before=${3-}
  case ${1,,} in
    mode) _qorctl_offer "$2" "$before" < <(printf '%s\n' 0 1 2 3 4 keystick dual digital 49-way 6-axis) ;;
    joymouse) _qorctl_offer "$2" "$before" < <(printf '%s\n' on off) ;;
    analog) _qorctl_offer "$2" "$before" < <(printf '%s\n' none all) ;;
    board-id) _qorctl_offer "$2" "$before" < <(printf '%s\n' 1 2 3 4) ;;
    key.*) _qorctl_offer "$2" "$before" quote < <(qorctl keys 2>/dev/null) ;;
  esac
}

_qorctl() {
  local cur=${COMP_WORDS[COMP_CWORD]} prev=${COMP_WORDS[COMP_CWORD-1]} cword=$COMP_CWORD
  local words=("${COMP_WORDS[@]}") command="" word i
  COMPREPLY=()
  for ((i = 1; i < cword; i++)); do
    word=${words[i]}
    case $word in
      -b | --board | -f | --file) ((i++)) ;;
      -*) ;;
      *) if [[ -z $command ]]; then command=$word; fi ;;
    esac
  done

  # An option's value: the next word, or after "=", which bash splits off as
  # a word of its own; a lone "=" is the word replaced, and stays in front.
  local option=$prev value=$cur before=""
  if [[ $cur == = && $prev == --* ]]; then
    value="" before="="
  elif [[ $prev == = && $cword -ge 2 && ${words[cword-2]} == --* ]]; then
    option=${words[cword-2]}
  elif [[ $cur == --*=* ]]; then
    option=${cur%%=*} value=${cur#*=} before=${cur%%=*}=
  fi
  case $option in
    -b | --board)
      _qorctl_offer "$(_qorctl_dequote "$value")" "$before" quote < <(_qorctl_boards)
      return
      ;;
    -f | --file)
      _qorctl_files "$value" "$before"
      return
      ;;
  esac

  if [[ $cur == -* ]]; then
    _qorctl_offer "$cur" < <(printf '%s\n' -b --board -f --file -j --json -n --dry-run --force -v --verbose -h \
      --help -V --version)
    return
  fi

  case $command in
    "" | help)
      _qorctl_offer "$cur" < <(printf '%s\n' list keys show get export import set help)
      ;;
    get)
      _qorctl_offer "$cur" < <(_qorctl_settings)
      ;;
    export | import)
      _qorctl_files "$cur"
      ;;
    set)
      if [[ $cur == = ]]; then
        # "=" is a word break and the word itself: the values keep it in front.
        _qorctl_values "$prev" "" =
      elif [[ $prev == = && $cword -ge 2 ]]; then
        # "=" is a word break: the setting stands two words back.
        _qorctl_values "${words[cword-2]}" "$(_qorctl_dequote "$cur")"
      elif [[ $cur == *=* ]]; then
        # "=" kept in the word: complete the value after it.
        _qorctl_values "${cur%%=*}" "$(_qorctl_dequote "${cur#*=}")" "${cur%%=*}="
      else
        compopt -o nospace 2>/dev/null
        _qorctl_offer "$cur" < <(_qorctl_settings | sed 's/$/=/')
      fi
      ;;
  esac
}
complete -F _qorctl qorctl
