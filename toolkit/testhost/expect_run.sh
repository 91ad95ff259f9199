#!/bin/sh
# expect_run.sh EXIT_CODE [PATTERN...] -- PROGRAM [ARGS...]
# Runs the program, shows its output, and passes when it ended with
# EXIT_CODE and every PATTERN (an extended regular expression) matches a
# whole line of its output; a PATTERN written "!REGEX" must match no line.
expected=$1; shift
patterns=
while [ $# -gt 0 ] && [ "$1" != "--" ]; do
    patterns="$patterns$1
"
    shift
done
if [ "$1" != "--" ] || [ $# -lt 2 ]; then
    echo "usage: expect_run.sh EXIT_CODE [PATTERN...] -- PROGRAM [ARGS...]" >&2
    exit 2
fi
shift

output=$(mktemp "${TMPDIR:-/tmp}/expect-run.XXXXXX") || exit 2
trap 'rm -f "$output"' EXIT
"$@" >"$output" 2>&1
rc=$?
# Windows programs end their lines with CR LF.
tr -d '\r' <"$output" >"$output.lines" && mv "$output.lines" "$output"
cat "$output"

ok=0
if [ "$rc" -ne "$expected" ]; then
    echo "expect_run: exit code $rc, expected $expected"
    ok=1
fi
printf '%s' "$patterns" | while IFS= read -r pattern; do
    case $pattern in
    !*)
        if grep -Eq -- "^${pattern#!}\$" "$output"; then
            echo "expect_run: a line matches \"${pattern#!}\""
            exit 1
        fi ;;
    *)
        if ! grep -Eq -- "^$pattern\$" "$output"; then
            echo "expect_run: no line matches \"$pattern\""
            exit 1
        fi ;;
    esac
done || ok=1
exit $ok
