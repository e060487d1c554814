#!/bin/bash
# Times equivalent programs in vbsrun, CPython 3 and Lua 5.4 (where Lua has one: its patterns are
# no regular expressions, so regexp has none); prints "name: value" lines.
set -e
source "$(dirname "$0")/script/build-vbsrun.sh"

ms() { # command... -> elapsed milliseconds, output discarded
    local start end
    start=$(date +%s%N)
    "$@" >/dev/null
    end=$(date +%s%N)
    echo $(((end - start) / 1000000))
}

programs="loop string calls array regexp"
for prog in $programs; do
    v=$(ms "$vbsrun" "$here/script/$prog.vbs")
    p=$(ms python3 "$here/script/$prog.py")
    echo "vbs_${prog}_ms: $v"
    echo "python_${prog}_ms: $p"
    if [ -f "$here/script/$prog.lua" ]; then
        l=$(ms lua5.4 "$here/script/$prog.lua")
        echo "lua_${prog}_ms: $l"
    fi
    eval "ratio_$prog=\$(awk -v a=$v -v b=$p 'BEGIN { printf \"%.2f\", a / (b > 0 ? b : 1) }')"
done
for prog in $programs; do
    eval "echo ratio_$prog: \$ratio_$prog"
done
