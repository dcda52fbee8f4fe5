#!/usr/bin/env bash
# Drives velmar-car's bash completion as bash does on Tab: COMP_WORDS,
# COMP_CWORD, COMP_LINE and COMP_POINT set, the function called, COMPREPLY
# compared. Arguments: velmar-car, the completion file, samples/demo.car.
set -u
velmar=$1
source /usr/share/bash-completion/bash_completion
source "$2"
cd "$(mktemp -d)" || exit 1
trap 'rm -rf "$PWD"' EXIT
cp "$3" demo.car && cp "$3" "odd name.car" && mkdir folder && touch cars.json model.obj sheet.png notes.txt

failed=0
# expect WANTED WORD...: the sorted answers, one line, for the line of words, completing the last.
expect() {
    local want=$1
    shift
    COMP_WORDS=("$velmar" "$@") COMP_CWORD=$#
    COMP_LINE="${COMP_WORDS[*]}" COMP_POINT=${#COMP_LINE} COMPREPLY=()
    _velmar_car "$velmar" "${COMP_WORDS[COMP_CWORD]}" "${COMP_WORDS[COMP_CWORD - 1]}"
    local got
    got=$(printf '%s\n' "${COMPREPLY[@]}" | sort | paste -sd '|')
    if [[ $got != "$want" ]]; then
        echo "velmar-car $*<Tab>: got \"$got\", want \"$want\""
        failed=1
    fi
}

expect "build|diff|dump|export-obj|list|render|show" ""
expect "export-obj" ex
expect "--help|--help-all" --he
expect "--names" list --n
expect "demo.car|folder|odd name.car" list --names ""
expect "demo.car|folder|odd name.car" diff demo.car ""
expect "cars.json|folder" build ""
expect "demo.car|folder|odd name.car" build cars.json ""
expect "Bluebird|Comet\ GT|Dune\ Hopper|Hauler\ 9|Ice\ Runner|Mudlark" show demo.car ""
expect "Comet\ GT" show "odd\ name.car" Co
expect "Comet GT" show demo.car '"Co'
expect "Hauler\ 9" export-obj --names demo.car Ha
expect "folder|model.obj" export-obj demo.car Mudlark ""
expect "folder|sheet.png" render demo.car ""
expect "" show demo.car Mudlark ""
expect "" show missing.car ""
exit $failed
