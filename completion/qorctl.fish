# fish completion for qorctl. The names come from qorctl itself: the key
# table from "qorctl keys", the settings from "qorctl help set", the boards
# from "qorctl list"; fish matches them in any case, as qorctl does.

# The settings "qorctl help set" lists: "  mode=N|NAME ..." and key.INPUT with
# "INPUT is up, down, ..., button1..button14".
function __qorctl_settings
    set -l help (qorctl help set 2>/dev/null); or return
    string replace -rf '^  ([a-z][a-z-]*)=.*' '$1' -- $help
    set -l inputs (string join ' ' -- $help | string replace -rf '.*INPUT is ([a-z0-9., ]*);.*' '$1')
    for input in (string replace -a ' ' '' -- $inputs | string split ',')
        if set -l range (string match -r '^([a-z]+)([0-9]+)\.\.[a-z]+([0-9]+)$' -- $input)
            for i in (seq $range[3] $range[4])
                echo key.$range[2]$i
            end
        else if test -n "$input"
            echo key.$input
        end
    end
end

# KEY= for a word without "=", else the values of its setting after it.
function __qorctl_assignments
    set -l word (commandline -ct)
    if not string match -q '*=*' -- $word
        __qorctl_settings | string replace -r '$' '='
        return
    end
    set -l name (string split -m1 '=' -- $word)[1]
    set -l values
    switch (string lower -- $name)
        case mode
            set values 0 1 2 3 4 keystick dual digital 49-way 6-axis
        case joymouse
            set values on off
        case analog
            set values none all
        case board-id
            set values 1 2 3 4
        case 'key.*'
            set values (qorctl keys 2>/dev/null)
    end
    for value in $values
        printf '%s\n' "$name=$value"
    end
end

# The boards present: "1", "/dev/hidraw3", "1-1.4", ... A list row ends in
# node, location ("-" for none) and product ID, whatever the text holds.
function __qorctl_boards
    qorctl list 2>/dev/null | awk '{ sub(/:.*/, "", $1); print $1; print $(NF-2); if ($(NF-1) != "-") print $(NF-1) }'
end

set -l __qorctl_commands list keys show get export import set help
complete -c qorctl -f
complete -c qorctl -n "not __fish_seen_subcommand_from $__qorctl_commands" -a "$__qorctl_commands"
complete -c qorctl -n "__fish_seen_subcommand_from help" -a "$__qorctl_commands"
complete -c qorctl -n "__fish_seen_subcommand_from get" -a "(__qorctl_settings)"
complete -c qorctl -n "__fish_seen_subcommand_from set" -a "(__qorctl_assignments)"
complete -c qorctl -n "__fish_seen_subcommand_from export import" -F
complete -c qorctl -s b -l board -x -a "(__qorctl_boards)" -d board
complete -c qorctl -s f -l file -r -F -d "settings file"
complete -c qorctl -s j -l json -d "JSON output"
complete -c qorctl -s n -l dry-run -d "write nothing"
complete -c qorctl -l force -d "binary to a terminal"
complete -c qorctl -s v -l verbose -d "trace the transfers"
complete -c qorctl -s h -l help
complete -c qorctl -s V -l version
