#!/bin/sh
# Scripts run one after another must be given different temporary names: three runs of
# vbsrun, three names each, nine names all different.
vbsrun=$1
dir=$(mktemp -d)
trap 'rm -rf "$dir"' EXIT
printf 'Set f = CreateObject("Scripting.FileSystemObject")\r\nFor i = 1 To 3\r\nWScript.Echo f.GetTempName\r\nNext\r\n' >"$dir/names.vbs"
for run in 1 2 3; do
    "$vbsrun" "$dir/names.vbs" >>"$dir/out" || exit 1
done
total=$(wc -l <"$dir/out")
distinct=$(sort -u "$dir/out" | wc -l)
if [ "$total" -ne 9 ] || [ "$distinct" -ne 9 ]; then
    echo "FAILED: $distinct distinct names of $total:"
    cat "$dir/out"
    exit 1
fi
grep -qvx 'rad[0-9A-F]\{5\}\.tmp' "$dir/out" && { echo "FAILED: a name out of form"; cat "$dir/out"; exit 1; }
exit 0
