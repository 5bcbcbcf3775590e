#!/bin/sh
# expect.sh EXIT_CODE PATTERN COMMAND [ARGUMENTS...]
# Runs the command and checks its exit code and that its standard output and
# error together contain PATTERN (an extended regular expression; "" for any).
expected=$1
pattern=$2
shift 2
output=$("$@" 2>&1)
status=$?
if [ "$status" -ne "$expected" ]; then
    printf 'exit code %s, expected %s\n%s\n' "$status" "$expected" "$output"
    exit 1
fi
if [ -n "$pattern" ] && ! printf '%s\n' "$output" | grep -Eq -- "$pattern"; then
    printf 'output does not match %s:\n%s\n' "$pattern" "$output"
    exit 1
fi
exit 0
