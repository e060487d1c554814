#!/bin/sh
# Memory the system refuses is the run-time error of the statement that asked for it: trapped
# by On Error Resume Next, and otherwise reported at that statement's line. The system is made
# to refuse by a limit on the runner's address space; where the runner cannot start under it
# (a sanitizer reserves far more), there is nothing to prove and the test is skipped.
vbsrun=$1
dir=$(mktemp -d)
trap 'rm -rf "$dir"' EXIT
printf 'WScript.Echo "started"\r\n' >"$dir/start.vbs"
cat >"$dir/refused.vbs" <<'VBS'
s = String(30000000, "a")
On Error Resume Next
t = s & s
WScript.Echo "trapped:", Err.Number, Err.Description, IsEmpty(t)
On Error GoTo 0
Err.Clear
t = s & s
WScript.Echo "not reached"
VBS
printf 'trapped: 7 Out of memory True\nerror 7 line 7: Out of memory\n' >"$dir/expected"
(
    ulimit -v 150000 || exit 77
    "$vbsrun" "$dir/start.vbs" >/dev/null 2>&1 || exit 77
    "$vbsrun" --error-numbers "$dir/refused.vbs" >"$dir/out" 2>"$dir/err"
)
case $? in
77)
    echo "SKIPPED: vbsrun does not start with its address space limited"
    exit 77
    ;;
esac
cat "$dir/err" >>"$dir/out"
diff -u "$dir/expected" "$dir/out" || { echo "FAILED"; exit 1; }
