# bash completion for qorctl                                  -*- shell-script -*-
# Commands, options, setting names, key names, and the boards present for
# --board: their numbers, hidraw nodes and USB locations, as qorctl list gives them.

_qorctl_settings=(mode board-id analog joymouse joymouse-speed joymouse-zone keystick-zone
  key.up key.down key.left key.right key.button1 key.button2 key.button3 key.button4 key.button5
  key.button6 key.button7 key.button8 key.button9 key.button10 key.button11 key.button12
  key.button13 key.button14)

# The key table, in the order of the KeyStick dialog's lists.
_qorctl_keys=(
  'F1' 'F2' 'F3' 'F4' 'F5' 'F6' 'F7' 'F8' 'F9' 'F10' 'F11' 'F12' 'APPS' 'BKSP' 'CAPS' 'DELETE'
  'END' 'ENTER' 'ESC' 'HOME' 'INSERT' 'NUM' 'PGDN' 'PGUP' 'PRNTSCRN' 'SCROLL' 'SPACE' 'TAB'
  'D ARROW' 'U ARROW' 'L ARROW' 'R ARROW' 'KP -' 'KP *' 'KP .' 'KP /' 'KP +' 'KP 0' 'KP 1' 'KP 2'
  'KP 3' 'KP 4' 'KP 5' 'KP 6' 'KP 7' 'KP 8' 'KP 9' 'KP ENTER' 'L ALT' 'L CTRL' 'L GUI' 'L SHFT'
  'R ALT' 'R CTRL' 'R GUI' 'R SHIFT' 'A' 'B' 'C' 'D' 'E' 'F' 'G' 'H' 'I' 'J' 'K' 'L' 'M' 'N' 'O'
  'P' 'Q' 'R' 'S' 'T' 'U' 'V' 'W' 'X' 'Y' 'Z' '0' '1' '2' '3' '4' '5' '6' '7' '8' '9' ',' ''\'''
  '-' '.' '/' ';' '[' '\' ']' '`' '='
)

# The boards present: "1", "/dev/hidraw3", "1-1.4", ... A list row ends in
# node, location ("-" for none) and product ID, whatever the text holds.
_qorctl_boards() {
  qorctl list 2>/dev/null | awk '{ sub(/:.*/, "", $1); print $1; print $(NF-2); if ($(NF-1) != "-") print $(NF-1) }'
}

# Offers the words of an array that start with the current word, quoted for the shell.
_qorctl_offer() {
  local cur=$1 word
  shift
  for word in "$@"; do
    [[ $word == "$cur"* ]] && COMPREPLY+=("$(printf '%q' "$word")")
  done
}

# The value of KEY=VALUE: the setting is $1, the value typed so far $2.
_qorctl_values() {
  case $1 in
    mode) _qorctl_offer "$2" 0 1 2 3 4 keystick dual digital 49-way 6-axis ;;
    joymouse) _qorctl_offer "$2" on off ;;
    analog) _qorctl_offer "$2" none all ;;
    board-id) _qorctl_offer "$2" 1 2 3 4 ;;
    key.*) _qorctl_offer "$2" "${_qorctl_keys[@]}" ;;
  esac
}

_qorctl() {
  local cur=${COMP_WORDS[COMP_CWORD]} prev=${COMP_WORDS[COMP_CWORD-1]}
  local command="" word i
  COMPREPLY=()
  for ((i = 1; i < COMP_CWORD; i++)); do
    word=${COMP_WORDS[i]}
    case $word in
      -b | --board | -f | --file) ((i++)) ;;
      -*) ;;
      *) if [[ -z $command ]]; then command=$word; fi ;;
    esac
  done

  case $prev in
    -b | --board)
      local IFS=$'\n'
      _qorctl_offer "$cur" $(_qorctl_boards)
      return
      ;;
    -f | --file)
      compopt -o filenames 2>/dev/null
      COMPREPLY=($(compgen -f -- "$cur"))
      return
      ;;
  esac

  if [[ $cur == -* ]]; then
    _qorctl_offer "$cur" -b --board -f --file -j --json -n --dry-run --force -h --help --version
    return
  fi

  case $command in
    "" | help)
      _qorctl_offer "$cur" list keys show get export import set help
      ;;
    get)
      _qorctl_offer "$cur" "${_qorctl_settings[@]}"
      ;;
    export | import)
      compopt -o filenames 2>/dev/null
      COMPREPLY=($(compgen -f -- "$cur"))
      ;;
    set)
      if [[ $cur == = ]]; then
        # "=" is a word break and the word itself: the values keep it in front.
        _qorctl_values "$prev" ""
        COMPREPLY=("${COMPREPLY[@]/#/=}")
      elif [[ $prev == = && $COMP_CWORD -ge 2 ]]; then
        # "=" is a word break: the setting stands two words back.
        _qorctl_values "${COMP_WORDS[COMP_CWORD-2]}" "$cur"
      elif [[ $cur == *=* ]]; then
        # "=" kept in the word: complete the value after it.
        local setting=${cur%%=*}
        _qorctl_values "$setting" "${cur#*=}"
        COMPREPLY=("${COMPREPLY[@]/#/$setting=}")
      else
        compopt -o nospace 2>/dev/null
        local setting
        for setting in "${_qorctl_settings[@]}"; do
          [[ $setting == "$cur"* ]] && COMPREPLY+=("$setting=")
        done
      fi
      ;;
  esac
}
complete -F _qorctl qorctl
