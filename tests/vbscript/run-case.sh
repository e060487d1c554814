#!/bin/sh
# Runs one script through vbsrun and compares stdout followed by stderr with NAME.out.
# NAME.in, when present, is fed to stdin (InputBox).
vbsrun=$1
script=$2
expected=${script%.vbs}.out
input=${script%.vbs}.in
[ -f "$input" ] || input=/dev/null
actual=$(mktemp)
trap 'rm -f "$actual" "$actual.err"' EXIT
cd "$(dirname "$script")" || exit 1
"$vbsrun" --error-numbers "$(basename "$script")" <"$input" >"$actual" 2>"$actual.err"
cat "$actual.err" >>"$actual"
if ! diff -u "$expected" "$actual"; then
    echo "FAILED: $script"
    exit 1
fi
