#!/usr/bin/env bash
# Keys on a Wayland desktop:  wayland_keys.sh <build folder>
# A headless sway with XWayland, run as a plain user (sway will not run as root; CI is root,
# so the test makes the user). In it, a native Wayland text field and an XWayland one each get
# exactly the keys of a string with capitals, symbols, accented letters, Enter and Ctrl+A,
# typed through the sender Quillet chooses; then the real Quillet, running through XWayland
# with a sound server of the test's own, hears a spoken Type command and types the same keys
# into the native field that has the focus, and a spoken Script command activates windows
# by their titles and types into them.
set -euo pipefail
build=$(cd "$1" && pwd)
work=$(mktemp -d /tmp/quillet-wayland.XXXXXX)
chmod 777 "$work"  # the session's user writes its logs and keys here
pids=()
cleanup() {
    local pid
    for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done
    for pid in "${pids[@]}"; do wait "$pid" 2>/dev/null || true; done
    rm -rf "$work"
}
trap cleanup EXIT
fail() {
    echo "FAIL: $*" >&2
    for log in "$work"/*.log; do
        [ -s "$log" ] && { echo "--- $log" >&2; tail -20 "$log" >&2; }
    done
    exit 1
}

if [ "$(id -u)" = 0 ]; then
    user=quillet-wayland
    id "$user" >/dev/null 2>&1 || useradd --create-home --shell /bin/sh "$user"
    as_user=(runuser -u "$user" --)
else
    user=$(id -un)
    as_user=()
fi
home=$(getent passwd "$user" | cut -d: -f6)

runtime=$work/runtime
mkdir -p "$runtime"
chown "$user" "$runtime"
chmod 700 "$runtime"
cat >"$work/sway.config" <<'CONFIG'
xwayland enable
output HEADLESS-1 resolution 1280x800
CONFIG
session_env=(env -i HOME="$home" PATH=/usr/sbin:/usr/bin:/sbin:/bin XDG_RUNTIME_DIR="$runtime"
    LANG=C.UTF-8)
"${as_user[@]}" "${session_env[@]}" WLR_BACKENDS=headless WLR_LIBINPUT_NO_DEVICES=1 \
    WLR_RENDERER=pixman sway -c "$work/sway.config" >"$work/sway.log" 2>&1 &
pids+=($!)
socket= ipc=
for _ in $(seq 100); do
    socket=$(cd "$runtime" && ls wayland-? 2>/dev/null | head -1) || true
    ipc=$(ls "$runtime"/sway-ipc.*.sock 2>/dev/null | head -1) || true
    [ -n "$socket" ] && [ -n "$ipc" ] && break
    sleep 0.1
done
[ -n "$socket" ] && [ -n "$ipc" ] || fail "sway did not start"
in_session=("${as_user[@]}" "${session_env[@]}" WAYLAND_DISPLAY="$socket" SWAYSOCK="$ipc")
swaymsg() { "${in_session[@]}" swaymsg "$@" >/dev/null; }
# Programs started by sway get the session's WAYLAND_DISPLAY and XWayland's DISPLAY.
swaymsg exec "echo \$DISPLAY >$runtime/display"
for _ in $(seq 50); do [ -s "$runtime/display" ] && break; sleep 0.1; done
display=$(cat "$runtime/display")
[ -n "$display" ] || fail "sway offers no XWayland display"
# XWayland starts with its first client; this one waits for it.
for _ in $(seq 300); do
    "${in_session[@]}" DISPLAY="$display" xprop -root >/dev/null 2>&1 && break
    sleep 0.1
done
"${in_session[@]}" DISPLAY="$display" xprop -root >/dev/null 2>&1 || fail "XWayland did not start"

recorder=$build/tests/wayland/quillet_key_recorder
# field <platform> <title>: a text field writing its keys to $work/<title>.keys, focused.
field() {
    touch "$work/$2.keys"
    chmod 666 "$work/$2.keys"
    swaymsg exec "QT_QPA_PLATFORM=$1 $recorder $work/$2.keys $2 >$work/$2.log 2>&1"
    local tree=
    for _ in $(seq 200); do
        tree=$("${in_session[@]}" swaymsg -t get_tree)
        grep -q "\"name\": \"$2\"" <<<"$tree" && break
        sleep 0.1
    done
    grep -q "\"name\": \"$2\"" <<<"$tree" || fail "no window $2"
    focus "$2"
}
focused() {
    "${in_session[@]}" swaymsg -t get_tree | python3 -c '
import json, sys
def walk(node):
    yield node
    for child in node.get("nodes", []) + node.get("floating_nodes", []):
        yield from walk(child)
print(" ".join(str(n.get("name")) for n in walk(json.load(sys.stdin)) if n.get("focused")))'
}
# focus <title>: gives the window the keyboard and waits until sway says it has it.
focus() {
    swaymsg "[title=\"^$1\$\"] focus"
    for _ in $(seq 50); do
        "${in_session[@]}" swaymsg -t get_tree | python3 -c '
import json, sys
def walk(node):
    yield node
    for child in node.get("nodes", []) + node.get("floating_nodes", []):
        yield from walk(child)
sys.exit(0 if any(n.get("focused") and n.get("name") == sys.argv[1]
                  for n in walk(json.load(sys.stdin))) else 1)' "$1" && break
        sleep 0.1
    done
    sleep 1
}
keys='Quillet 2€ ça, Größe!{ENTER}^a+x~'
expected='Q|u|i|l|l|e|t| |2|€| |ç|a|,| |G|r|ö|ß|e|!|<enter>|<ctrl>a|X|<enter>|'
received() { tr '\n' '|' <"$work/$1.keys"; }
wait_for_keys() { # <title>
    for _ in $(seq 50); do
        [ "$(received "$1")" = "$expected" ] && return 0
        sleep 0.1
    done
    return 1
}

type_keys=$build/tests/wayland/quillet_type_keys
field wayland native
chosen=$("${in_session[@]}" "$type_keys" "$keys") || fail "the keys could not be typed"
[ "$chosen" = "keys: virtual keyboard" ] || fail "sway got $chosen"
wait_for_keys native || fail "the native field got $(received native)"
echo "ok: the virtual keyboard typed $keys into a native Wayland window"

field xcb xwayland
"${in_session[@]}" "$type_keys" "$keys" >/dev/null || fail "the keys could not be typed"
wait_for_keys xwayland || fail "the XWayland field got $(received xwayland)"
[ "$(received native)" = "$expected" ] || fail "keys went to the native field as well"
echo "ok: and into an XWayland window"

# The real program, through XWayland, with a sound server the session's user may reach.
mkdir -p "$work/pulse"
chmod 755 "$work/pulse"
pulseaudio -n --daemonize=no --exit-idle-time=-1 --disallow-exit --use-pid-file=no \
    -L "module-native-protocol-unix socket=$work/pulse/sock auth-anonymous=1" \
    -L "module-null-sink sink_name=out" \
    -L "module-pipe-source source_name=mic file=$work/pulse/mic format=s16le rate=16000 channels=1" \
    >"$work/pulse.log" 2>&1 &
pids+=($!)
export PULSE_SERVER=unix:$work/pulse/sock
for _ in $(seq 100); do pactl info >/dev/null 2>&1 && break; sleep 0.1; done
pactl info >/dev/null 2>&1 || fail "PulseAudio did not start"
chmod 777 "$work/pulse/sock"
pactl set-default-source mic
pactl set-default-sink out
mkfifo "$work/speech"
"$build/tests/wayland/quillet_say_into_mic" "$work/pulse/mic" <"$work/speech" &
pids+=($!)
exec {speech}>"$work/speech"

app=$work/app
cp -a "$build/app/." "$app/"
printf 'write my note\r\nType\r\n%s\r\n' "$keys" >>"$app/data/brainlist"
printf 'change the window\r\nScript\r\nswitch.txt\r\n' >>"$app/data/brainlist"
cat >"$app/data/switch.txt" <<'SCRIPT'
Set sh = CreateObject("WScript.Shell")
If sh.AppActivate("no such window") Then sendkeys "wrong"
If sh.AppActivate("native") Then sendkeys "ok" Else sendkeys "missed"
If sh.AppActivate("xwayland") Then sendkeys "xw" Else sendkeys "missed"
SCRIPT
rm -f "$app/data/Temp"
chown -R "$user" "$app"
field wayland spoken
swaymsg exec "PULSE_SERVER=unix:$work/pulse/sock QUILLET_APP_DIR=$app QT_QPA_PLATFORM=xcb \
    QUILLET_RECO_DEBUG=1 \
    $app/quillet >$work/quillet.log 2>&1"
for _ in $(seq 100); do
    grep -q '^keys: ' "$work/quillet.log" 2>/dev/null && [ -s "$app/data/Temp" ] && break
    sleep 0.1
done
grep -qx 'keys: virtual keyboard' "$work/quillet.log" || fail "Quillet did not choose the virtual keyboard"
# The character's window must not take the keyboard from the field the user works in.
sleep 3
focus spoken
echo "Pebble listen" >&$speech
sleep 4
echo "write my note" >&$speech
for _ in $(seq 150); do
    [ "$(received spoken)" = "$expected" ] && break
    sleep 0.1
done
[ "$(received spoken)" = "$expected" ] ||
    fail "the spoken command typed $(received spoken) with $(focused) focused"
[ "$(received native)" = "$expected" ] || fail "keys went to the first native field as well"
[ "$(received xwayland)" = "$expected" ] || fail "keys went to the XWayland field as well"
echo "ok: a spoken Type command typed into the focused native window"

# A script's AppActivate finds windows in the compositor's list, native and XWayland ones,
# and its keys follow the focus it moved.
sleep 2
echo "Pebble listen" >&$speech
sleep 4
echo "change the window" >&$speech
for _ in $(seq 150); do
    [ "$(received xwayland)" = "${expected}x|w|" ] && break
    sleep 0.1
done
[ "$(received native)" = "${expected}o|k|" ] || fail "the native field got $(received native)"
[ "$(received xwayland)" = "${expected}x|w|" ] ||
    fail "the XWayland field got $(received xwayland)"
[ "$(received spoken)" = "$expected" ] || fail "the field that had the focus got $(received spoken)"
[ "$(focused)" = xwayland ] || fail "$(focused) has the focus, not the XWayland field"
echo "ok: AppActivate moved the focus to a native and then an XWayland window"
