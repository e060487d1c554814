#!/bin/sh
# Runs one script through vbsrun and compares stdout followed by stderr with NAME.out.
# NAME.in, when present, is fed to stdin (InputBox).
vbsrun=$1
script=$2
expected=${script%.vbs}.out
input=${script%.vbs}.in
[ -f "$input" ] || input=/dev/null
# The cases about the locale prove nothing without it; 77 reports them skipped.
case $script in
*/locale/*)
    if ! locale -a 2>/dev/null | grep -qix 'de_DE\.utf-\?8'; then
        echo "SKIPPED: the de_DE.UTF-8 locale is not generated (scripts/setup.sh does it)"
        exit 77
    fi
    ;;
esac
actual=$(mktemp)
trap 'rm -f "$actual" "$actual.err"' EXIT
cd "$(dirname "$script")" || exit 1
"$vbsrun" --error-numbers "$(basename "$script")" <"$input" >"$actual" 2>"$actual.err"
cat "$actual.err" >>"$actual"
if ! diff -u "$expected" "$actual"; then
    echo "FAILED: $script"
    exit 1
fi
