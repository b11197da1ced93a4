#!/bin/bash
# Drives the completion functions as bash does, through COMP_WORDS and COMP_CWORD, and compares the replies.
# $1: the generated completion script; $2: the folder of the kv3124ctl it asks for adapters.
set -u
source "$1"
PATH=$2:$PATH
files=$(mktemp -d)
trap 'rm -rf "$files"' EXIT
touch "$files/good.kv3124" "$files/gone.kv3124"
failed=0

# function | the word to complete (its index) | the words | the replies, one a line
check()
{
    local function=$1 cword=$2 expected=$3
    shift 3
    COMP_WORDS=("$@") COMP_CWORD=$cword COMPREPLY=()
    "$function"
    local got
    got=$(printf '%s\n' "${COMPREPLY[@]}")
    if [[ $got != "$expected" ]]; then
        echo "FAILED: ${COMP_WORDS[*]} (word $cword): expected [$expected], got [$got]" >&2
        failed=1
    fi
}

check _kv3124ctl 1 $'write\nwatch' kv3124ctl w
check _kv3124ctl 2 $'led1\nled2\nled3\nled4\nled5\nled6' kv3124ctl get led
check _kv3124ctl 2 'over-current' kv3124ctl get over-c
# Only the fields set can change; a value after one.
check _kv3124ctl 2 '' kv3124ctl set uvl
check _kv3124ctl 3 $'100\\ =\\ 18mA\n101\\ =\\ 20mA' kv3124ctl set current-scale 10
check _kv3124ctl 3 $'"100 = 18mA"\n"101 = 20mA"' kv3124ctl set current-scale '"10'
check _kv3124ctl 3 'PWM\ x\ Brt\ Hi/Lo\ Reg' kv3124ctl set mode 'PWM\ x'
check _kv3124ctl 4 $'off\non' kv3124ctl --json set led1 ''
check _kv3124ctl 3 '' kv3124ctl set brightness ''
# Adapters as --list-adapters gives them, whether bash split the word at its '=' or not.
check _kv3124ctl 3 $'sim\nnone' kv3124ctl --adapter = ''
check _kv3124ctl 1 '--adapter=none' kv3124ctl --adapter=n
check _kv3124_eval 1 '--adapter=sim' kv3124-eval --adapter=s
# Options of the program and of each command.
check _kv3124ctl 2 $'--all\n--json' kv3124ctl diff --
check _kv3124ctl 4 $'over-current\nover-voltage\nopen' kv3124ctl watch --until = o
check _kv3124ctl 2 '--format=i2cset' kv3124ctl export --format=i
# File names for files.
check _kv3124ctl 2 "$files/good.kv3124" kv3124ctl load "$files/goo"
check _kv3124ctl 3 "$files/gone.kv3124"$'\n'"$files/good.kv3124" kv3124ctl diff a.kv3124 "$files/go"
check _kv3124ctl 3 '' kv3124ctl load "$files/good.kv3124" ''
check _kv3124_eval 1 '--record=' kv3124-eval --rec
check _kv3124_eval 1 "--record=$files/good.kv3124" kv3124-eval "--record=$files/goo"
exit $failed
