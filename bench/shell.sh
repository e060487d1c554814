#!/bin/bash
# Times WScript.Shell's Exec and Run in vbsrun; prints "name: value" lines.
set -e
source "$(dirname "$0")/script/build-vbsrun.sh"
"$vbsrun" "$here/shell/exec.vbs"
