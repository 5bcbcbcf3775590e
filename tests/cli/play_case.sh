#!/bin/sh
# play_case.sh CLI SCRIPT DATA_DIR
# Runs `CLI play` on SCRIPT in a fresh folder and checks what the script's
# "#>" lines expect (the player skips them as comments):
#   #> input FILE          play FILE (relative to DATA_DIR) instead of a new document
#   #> args ARGS           more arguments for play (--size WxH)
#   #> exit N              the exit code (0 when not given)
#   #> stdout TEXT         the next line of standard output, exactly (all of them, in order)
#   #> stderr REGEX        standard error matches (extended regular expression)
#   #> CMD FILE REGEX      `CLI CMD FILE` (list --hidden, info or dump) matches; dump's
#                          JSON is matched without blanks and line breaks, one line in all;
#   #> CMD FILE !REGEX     ... does not match. FILE is out.g3d (the -o file) or a file the script saved.
cli=$1
script=$2
data=$3
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
directive() { sed -n "s/^#> $1 //p" "$script"; }

input=$(directive input)
[ -n "$input" ] && input="$data/$input"
expected=$(directive exit)
expected=${expected:-0}

# shellcheck disable=SC2046
(cd "$work" && "$cli" play $input --script "$script" -o out.g3d $(directive args) >stdout 2>stderr)
status=$?
fail() {
    printf '%s\n--- stdout:\n%s\n--- stderr:\n%s\n' "$1" "$(cat "$work/stdout")" "$(cat "$work/stderr")"
    exit 1
}
[ "$status" -eq "$expected" ] || fail "exit code $status, expected $expected"
# A script that fails leaves its output unwritten.
[ "$status" -eq 0 ] || [ ! -e "$work/out.g3d" ] || fail "out.g3d written although the script failed"
directive stdout >"$work/stdout.expected"
if grep -q '^#> stdout' "$script" || [ -s "$work/stdout" ]; then
    diff "$work/stdout.expected" "$work/stdout" >"$work/diff" || fail "standard output differs: $(cat "$work/diff")"
fi
pattern=$(directive stderr)
if [ -n "$pattern" ] && ! grep -Eq -- "$pattern" "$work/stderr"; then fail "standard error does not match $pattern"; fi

grep -E '^#> (list|info|dump) ' "$script" | while read -r _ command file pattern; do
    [ "$command" = list ] && command="list --hidden"
    # shellcheck disable=SC2086
    output=$(cd "$work" && "$cli" $command "$file" 2>&1) || fail "$command $file failed: $output"
    [ "$command" = dump ] && output=$(printf '%s' "$output" | tr -d ' \n')
    case $pattern in
        !*) if printf '%s\n' "$output" | grep -Eq -- "${pattern#!}"; then
                fail "$command $file matches ${pattern#!}:
$output"
            fi ;;
        *) if ! printf '%s\n' "$output" | grep -Eq -- "$pattern"; then
               fail "$command $file does not match $pattern:
$output"
           fi ;;
    esac
done || exit 1
exit 0
