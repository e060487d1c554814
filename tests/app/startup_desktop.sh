#!/usr/bin/env bash
# The program started from a copy of the application folder on a real X server: it rewrites
# its command list unchanged, writes the grammar and keeps running; without a command list it
# shows the "Quillet" message box and ends with a failure once the box is dismissed.
set -euo pipefail
built=$1
app=$(mktemp -d /tmp/quillet-app.XXXXXX)
trap 'rm -rf "$app"' EXIT
cp -a "$built/." "$app/"
rm -f "$app/data/Temp"
before=$(sha256sum <"$app/data/brainlist")
touch -d '2000-01-01' "$app/data/brainlist"

fail() { echo "FAIL: $*" >&2; exit 1; }
# The message box: a dialog window titled exactly "Quillet".
quillet_box() {
    local id
    for id in $(xdotool search --onlyvisible --name '^Quillet$' 2>/dev/null); do
        if xprop -id "$id" _NET_WM_WINDOW_TYPE 2>/dev/null | grep -q DIALOG; then
            echo "$id"
            return 0
        fi
    done
    return 1
}

"$app/quillet" &
pid=$!
for _ in $(seq 200); do
    [ -s "$app/data/Temp" ] && break
    sleep 0.05
done
[ -s "$app/data/Temp" ] || fail "no grammar file was written"
head -c 9 "$app/data/Temp" | grep -q '\[Grammer\]' || fail "grammar file has no header"
[ "$(sha256sum <"$app/data/brainlist")" = "$before" ] || fail "command list changed"
[ "$(stat -c %Y "$app/data/brainlist")" -gt 946684800 ] || fail "command list was not rewritten"
sleep 1
kill -0 "$pid" 2>/dev/null || fail "program ended on its own"
quillet_box >/dev/null && fail "a message box came up on a good start"
kill "$pid"
wait "$pid" 2>/dev/null || true
echo "ok: started, rewrote the list and kept running"

rm "$app/data/brainlist"
"$app/quillet" &
pid=$!
box=
for _ in $(seq 200); do
    box=$(quillet_box) && break
    sleep 0.05
done
[ -n "$box" ] || fail "no window titled Quillet appeared"
kill -0 "$pid" 2>/dev/null || fail "program ended before the box was dismissed"
xdotool windowactivate --sync "$box" 2>/dev/null || xdotool windowfocus --sync "$box" 2>/dev/null || true
xdotool key Return
status=0
for _ in $(seq 100); do
    kill -0 "$pid" 2>/dev/null || break
    sleep 0.05
done
kill -0 "$pid" 2>/dev/null && { kill "$pid"; fail "program kept running after the box"; }
wait "$pid" || status=$?
[ "$status" -ne 0 ] || fail "program ended with status 0"
echo "ok: missing list gave the Quillet box and status $status"
