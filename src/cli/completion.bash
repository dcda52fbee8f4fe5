# bash completion for velmar-car                           -*- shell-script -*-
# Installed as bash-completion/completions/velmar-car. Completes the commands
# and options, the files each argument takes, and, where a car goes, the names
# of the cars of the library already on the line.

# The word as the program will get it: quotes and backslashes taken off, a
# leading ~/ made the home folder. Nothing in it is run.
_velmar_car_unquote()
{
    local word=$1
    case $word in
        \'*) word=${word#\'} word=${word%\'} ;;
        \"*) word=${word#\"} word=${word%\"} ;;
        *) word=$(printf '%s' "$word" | sed 's/\\\(.\)/\1/g') ;;
    esac
    [[ $word == "~/"* ]] && word=$HOME/${word#"~/"}
    printf '%s' "$word"
}

_velmar_car()
{
    local cur prev words cword
    _init_completion -n : || return

    # The command, then its arguments, leaving out the options.
    local i command="" args=() options=1
    for ((i = 1; i < cword; i++)); do
        if [[ $options && ${words[i]} == -- ]]; then
            options=""
        elif [[ $options && ${words[i]} == -* ]]; then
            continue
        elif [[ -z $command ]]; then
            command=${words[i]}
        else
            args+=("${words[i]}")
        fi
    done

    if [[ $options && $cur == -* ]]; then
        COMPREPLY=($(compgen -W '--help --help-all --version --names' -- "$cur"))
        return
    fi
    if [[ -z $command ]]; then
        COMPREPLY=($(compgen -W 'list show dump build diff export-obj render' -- "$cur"))
        return
    fi

    local kinds
    case $command in
        list | dump) kinds=(car) ;;
        show) kinds=(car name) ;;
        build) kinds=(json car) ;;
        diff) kinds=(car car) ;;
        export-obj) kinds=(car name obj) ;;
        render) kinds=(car png) ;;
        *) return ;;
    esac
    local kind=${kinds[${#args[@]}]-}
    case $kind in
        car | json | obj | png) _filedir "$kind" ;;
        name)
            # Names are data: matched and quoted here, never expanded.
            local library name quoted
            library=$(_velmar_car_unquote "${args[0]}")
            local typed
            typed=$(_velmar_car_unquote "$cur")
            while IFS= read -r name; do
                [[ $name == "$typed"* ]] || continue
                if [[ $cur == [\'\"]* ]]; then
                    COMPREPLY+=("$name")
                else
                    printf -v quoted '%q' "$name"
                    COMPREPLY+=("$quoted")
                fi
            done < <("$(_velmar_car_unquote "$1")" list --names "$library" 2>/dev/null)
            __ltrim_colon_completions "$cur"
            ;;
    esac
} &&
    complete -F _velmar_car velmar-car
