#!/usr/bin/env bash
# Runs a command on a desktop of its own: an Xvfb server with openbox (and picom with
# --compositor), and with --sound a PulseAudio server with a null sink "out" and a pipe
# source "mic" fed through the FIFO $QUILLET_MIC_FIFO.
#   tests/support/with-desktop.sh [--compositor] [--sound] [--size WxH] -- command args...
# Exports DISPLAY, PULSE_SERVER, QUILLET_DESKTOP_DIR and QUILLET_MIC_FIFO to the command.
set -euo pipefail

compositor=0 sound=0 size=1280x800
while [ $# -gt 0 ]; do
    case "$1" in
    --compositor) compositor=1 ;;
    --sound) sound=1 ;;
    --size) size=$2; shift ;;
    --) shift; break ;;
    *) break ;;
    esac
    shift
done

dir=$(mktemp -d /tmp/quillet-desktop.XXXXXX)
pids=()
cleanup() {
    local pid
    for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done
    for pid in "${pids[@]}"; do wait "$pid" 2>/dev/null || true; done
    rm -rf "$dir"
}
trap cleanup EXIT

# A display number nobody uses; -displayfd lets Xvfb choose and tell us. Test desktops started
# at the same moment can race for one number and one of them gives up, so it tries again.
display=
for _ in 1 2 3 4 5; do
    exec {fd}<> <(:)
    Xvfb -displayfd "$fd" -screen 0 "${size}x24" -nolisten tcp -ac >"$dir/xvfb.log" 2>&1 &
    xvfb=$!
    for _ in $(seq 100); do
        if read -r -t 0.1 display <&"$fd" && [ -n "$display" ]; then break; fi
        kill -0 "$xvfb" 2>/dev/null || break
    done
    exec {fd}<&-
    if [ -n "$display" ]; then
        pids+=("$xvfb")
        break
    fi
    kill "$xvfb" 2>/dev/null || true
    wait "$xvfb" 2>/dev/null || true
    sleep "0.$((RANDOM % 5 + 1))"
done
if [ -z "$display" ]; then
    echo "with-desktop: Xvfb did not start" >&2
    cat "$dir/xvfb.log" >&2
    exit 1
fi
export DISPLAY=":$display"

openbox --sm-disable >"$dir/openbox.log" 2>&1 &
pids+=($!)
for _ in $(seq 100); do
    xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id' && break
    sleep 0.05
done
if [ "$compositor" = 1 ]; then
    picom --backend xrender --no-fading-openclose >"$dir/picom.log" 2>&1 &
    pids+=($!)
    sleep 0.3
fi

if [ "$sound" = 1 ]; then
    export QUILLET_MIC_FIFO="$dir/mic"
    export PULSE_SERVER="unix:$dir/pulse.sock"
    export PULSE_RUNTIME_PATH="$dir/pulse-runtime" PULSE_STATE_PATH="$dir/pulse-state"
    mkdir -p "$PULSE_RUNTIME_PATH" "$PULSE_STATE_PATH"
    pulseaudio -n --daemonize=no --exit-idle-time=-1 --disallow-exit --use-pid-file=no \
        -L "module-native-protocol-unix socket=$dir/pulse.sock auth-anonymous=1" \
        -L "module-null-sink sink_name=out" \
        -L "module-pipe-source source_name=mic file=$QUILLET_MIC_FIFO format=s16le rate=16000 channels=1" \
        >"$dir/pulse.log" 2>&1 &
    pids+=($!)
    for _ in $(seq 100); do
        pactl info >/dev/null 2>&1 && break
        sleep 0.05
    done
    pactl set-default-source mic >/dev/null 2>&1 || true
    pactl set-default-sink out >/dev/null 2>&1 || true
fi

export QUILLET_DESKTOP_DIR="$dir"
set +e
"$@"
status=$?
exit $status
