#!/usr/bin/env bash
# A day of listening, shortened: the program runs for MINUTES (30 unless given) on a desktop
# and a sound server of its own, its pipe microphone fed in real time, round and round, with
# the wake phrase and a command as a user says them, everyday sentences, noise and quiet. The
# sound server is killed and started again at a third and at two thirds of the time, and the
# program must find its microphone and its speaker again by itself. Prints, one
# "name: value" line each:
#   rss_start_mb, rss_end_mb   resident memory after the first minute and at the end
#   rss_mb_by_minute           the same once a minute, to see where memory went
#   cpu_percent                the program's CPU time over the wall time, in % of one core
#   commands_said, commands_heard   commands fed, and those the program carried out
#   other_actions              commands carried out that were not said (heard in the talk)
#   restarts, reconnects, speaker_reconnects   sound server restarts, and the microphone and
#                              the speech output found again after one
#   alive                      yes when the program lived to the end
# Exits non-zero when the program died, did not find its microphone or speaker again after a
# restart, or grew by more than 2 MB after the first minute.
#   bench/soak.sh [MINUTES]    builds in ${BUILD_DIR:-build} first
#   SOAK_BUILD=0 bench/soak.sh  runs the program already built there
# The program gets a copy of its application folder and a home of its own, so the user's
# command list and settings are never touched; the copy keeps only the commands that speak
# (nothing that types, opens or starts anything), since noise can be taken for a command.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${BUILD_DIR:-$root/build}
minutes=${1:-30}
case $minutes in
'' | *[!0-9]*) echo "soak: MINUTES must be a whole number, not \"$minutes\"" >&2; exit 2 ;;
esac
if [ "$minutes" -lt 3 ]; then
    echo "soak: give it 3 minutes at least (the first is the baseline)" >&2
    exit 2
fi

say() { printf '==> %s\n' "$*" >&2; }

if [ -z "${QUILLET_SOAK_WORK:-}" ]; then
    if [ ! -f "$build/CMakeCache.txt" ]; then
        cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
    fi
    if [ "${SOAK_BUILD:-1}" = 1 ]; then
        say "Building quillet in $build"
        cmake --build "$build" -j2 --target quillet quillet_characters >/dev/null
    fi

    work=$(mktemp -d /tmp/quillet-soak.XXXXXX)
    keep=0
    trap '[ "$keep" = 1 ] || rm -rf "$work"' EXIT

    # The application folder: a copy with its command list cut down to what only talks.
    app=$work/app
    mkdir -p "$app" "$work/home"
    for part in data Character Help icons; do
        if [ -e "$build/app/$part" ]; then cp -r "$build/app/$part" "$app/"; fi
    done
    python3 - "$app/data" <<'LIST'
import os, re, sys
data = sys.argv[1]
raw = open(os.path.join(data, "brainlist"), "rb").read().decode("cp1252")
lines = raw.split("\r\n")
if lines and lines[-1] == "":
    lines.pop()
entries = [lines[i:i + 3] for i in range(0, len(lines) - 2, 3)]
def harmless(kind, argument):
    if kind == "Speak":
        return True
    if kind == "Read":
        # Reading the selection copies from whatever window has the focus.
        return argument in ("the time", "the date")
    if kind == "Script":
        path = os.path.join(data, argument)
        text = open(path, encoding="cp1252").read() if os.path.exists(path) else ""
        return not re.search(r"sendkeys|createobject|shell|\brun\b|exec", text, re.I)
    return False
kept = entries[:4] + [e for e in entries[4:] if harmless(e[1], e[2])]
# Asleep, the program hears nothing more: a sentence taken for this reserved phrase would end
# the measurement, so it gets one that no sentence sounds like.
kept[3][0] = "sleep tight little stone"
with open(os.path.join(data, "brainlist"), "wb") as f:
    f.write("".join(x + "\r\n" for e in kept for x in e).encode("cp1252"))
with open(os.path.join(data, "soak-commands"), "w") as f:
    for e in kept[4:]:
        f.write(e[0] + "\n")
LIST
    wake=$(awk 'NR == 1 { sub(/\r$/, ""); print; exit }' "$app/data/brainlist")

    say "Making the speech, noise and quiet"
    audio=$work/audio
    mkdir -p "$audio"
    to_raw() { sox -R -q -V1 "$1" -r 16000 -c 1 -b 16 -e signed -t raw "$2"; }
    # The quiet of a room, under everything.
    sox -R -q -n -r 16000 -c 1 -b 16 -e signed -t raw "$audio/quiet.raw" synth 1 pinknoise vol 0.01
    printf '%s\n' "$wake" >"$audio/wake.txt"
    lists=()
    for voice_rate in en-us:150 en:165 en-gb-x-rp:140 en-us+f3:170; do
        voice=${voice_rate%:*} rate=${voice_rate#*:}
        "$root/bench/speech/make-wavs.sh" "$audio/wav" "$voice" "$rate" "$audio/wake.txt" expect \
            >"$audio/wake-$voice.list"
        "$root/bench/speech/make-wavs.sh" "$audio/wav" "$voice" "$rate" \
            "$app/data/soak-commands" expect >"$audio/commands-$voice.list"
        lists+=("$voice")
    done
    "$root/bench/speech/make-wavs.sh" "$audio/wav" en-us+m3 160 "$root/bench/speech/sentences.txt" \
        reject >"$audio/sentences.list"
    "$root/bench/speech/make-babble.sh" "$audio/babble.wav" "$root/bench/speech/sentences.txt" \
        en en-us+f2 en-gb-x-rp
    # Noise: stretches of other people's talk and of loud hiss, 5 s each.
    for i in 0 1 2 3 4; do
        sox -R -q -V1 "$audio/babble.wav" -r 16000 -c 1 -b 16 -e signed -t raw \
            "$audio/babble-$i.raw" trim "$((i * 5))" 5 vol 0.3
    done
    sox -R -q -n -r 16000 -c 1 -b 16 -e signed -t raw "$audio/hiss.raw" synth 5 pinknoise vol 0.05
    convert_list() {
        local line label wav
        # Split by hand: read with a tab in IFS would swallow an empty label.
        while IFS= read -r line; do
            label=${line%%$'\t'*} wav=${line#*$'\t'}
            to_raw "$wav" "${wav%.wav}.raw"
            printf '%s\t%s\n' "${label:--}" "${wav%.wav}.raw"
        done <"$1"
    }
    for voice in "${lists[@]}"; do
        convert_list "$audio/wake-$voice.list" >"$audio/wake-$voice.raws"
        convert_list "$audio/commands-$voice.list" >"$audio/commands-$voice.raws"
    done
    convert_list "$audio/sentences.list" >"$audio/sentences.raws"

    # One round of the play list: quiet, the wake phrase and a command in one voice, quiet
    # while it answers, two sentences, noise, quiet; the feeder goes round it again and again.
    RANDOM=20261210
    quiet() { local i; for ((i = 0; i < $1; i++)); do printf -- '-\t%s\n' "$audio/quiet.raw"; done; }
    pick() { mapfile -t pool <"$1"; printf '%s\n' "${pool[RANDOM % ${#pool[@]}]}"; }
    {
        for ((round = 0; round < 120; round++)); do
            voice=${lists[RANDOM % ${#lists[@]}]}
            quiet 2
            pick "$audio/wake-$voice.raws" | sed 's/^[^\t]*\t/-\t/'
            quiet 1
            pick "$audio/commands-$voice.raws"
            quiet 4
            pick "$audio/sentences.raws"
            quiet 1
            pick "$audio/sentences.raws"
            quiet 2
            if ((RANDOM % 3)); then
                printf -- '-\t%s\n' "$audio/babble-$((RANDOM % 5)).raw"
            else
                printf -- '-\t%s\n' "$audio/hiss.raw"
            fi
            quiet 3
        done
    } >"$work/playlist"

    set +e
    QUILLET_SOAK_WORK=$work "$root/tests/support/with-desktop.sh" -- "$0" "$minutes"
    status=$?
    set -e
    cp "$work/quillet.log" "$build/soak-quillet.log" 2>/dev/null || true
    [ "$status" -eq 0 ] || say "The program's output: $build/soak-quillet.log"
    exit "$status"
fi

# On the test desktop from here on.
work=$QUILLET_SOAK_WORK
total=$((minutes * 60))
hz=$(getconf CLK_TCK)
fifo=$work/mic
export PULSE_SERVER="unix:$work/pulse.sock"
export PULSE_RUNTIME_PATH="$work/pulse-runtime" PULSE_STATE_PATH="$work/pulse-state"
mkdir -p "$PULSE_RUNTIME_PATH" "$PULSE_STATE_PATH"

pulse=0 feeder=0 program=0
cleanup() {
    local pid
    for pid in "$program" "$feeder" "$pulse"; do
        [ "$pid" -gt 0 ] && kill "$pid" 2>/dev/null || true
    done
    for pid in "$program" "$feeder" "$pulse"; do
        [ "$pid" -gt 0 ] && wait "$pid" 2>/dev/null || true
    done
}
trap cleanup EXIT

start_sound_server() {
    # The pipe source makes its FIFO itself and will not start if one is left over.
    rm -f "$fifo"
    pulseaudio -n --daemonize=no --exit-idle-time=-1 --disallow-exit --use-pid-file=no \
        -L "module-native-protocol-unix socket=$work/pulse.sock auth-anonymous=1" \
        -L "module-null-sink sink_name=out" \
        -L "module-pipe-source source_name=mic file=$fifo format=s16le rate=16000 channels=1" \
        >>"$work/pulse.log" 2>&1 &
    pulse=$!
    local _
    for _ in $(seq 100); do
        pactl info >/dev/null 2>&1 && break
        sleep 0.05
    done
    pactl set-default-source mic >/dev/null
    pactl set-default-sink out >/dev/null
}

cpu_ticks() { awk '{ sub(/^.*\) /, ""); print $12 + $13 }' "/proc/$1/stat"; }
rss_kb() { awk '/^VmRSS:/ { print $2 }' "/proc/$1/status"; }
# Lines of the program's log that contain the text; 0 when there are none.
log_count() { grep -c -F -- "$1" "$work/quillet.log" || true; }

start_sound_server
"$(dirname "$0")/soak/feed.py" "$fifo" "$work/playlist" "$work/said" &
feeder=$!

started=$(date +%s)
env HOME="$work/home" XDG_CONFIG_HOME="$work/home/.config" XDG_DATA_HOME="$work/home/.local/share" \
    XDG_CACHE_HOME="$work/home/.cache" QUILLET_APP_DIR="$work/app" QUILLET_RECO_DEBUG=1 \
    QUILLET_OPENER=/bin/true QT_QPA_PLATFORM=xcb "$build/app/quillet" \
    >"$work/quillet.log" 2>&1 &
program=$!

alive() { kill -0 "$program" 2>/dev/null; }
elapsed() { echo $(($(date +%s) - started)); }

rss_start=0 rss_series=() restarts=0 failed_reconnect=0
restart_at=($((total / 3)) $((2 * total / 3)))
next_minute=60
while [ "$(elapsed)" -lt "$total" ] && alive; do
    now=$(elapsed)
    if [ "$now" -ge "$next_minute" ]; then
        kb=$(rss_kb "$program")
        [ "$rss_start" -gt 0 ] || rss_start=$kb
        rss_series+=("$(awk -v k="$kb" 'BEGIN { printf "%.1f", k / 1024 }')")
        next_minute=$((next_minute + 60))
    fi
    if [ "$restarts" -lt ${#restart_at[@]} ] && [ "$now" -ge "${restart_at[restarts]}" ]; then
        mic_before=$(log_count "listening to the microphone again")
        out_before=$(log_count "speaking through the sound server again")
        say "Killing the sound server at $now s"
        kill -KILL "$pulse"
        wait "$pulse" 2>/dev/null || true
        sleep 2
        start_sound_server
        restarts=$((restarts + 1))
        # The program tries every few seconds; a minute is plenty.
        back=0
        for _ in $(seq 120); do
            if [ "$(log_count "listening to the microphone again")" -gt "$mic_before" ] &&
                [ "$(log_count "speaking through the sound server again")" -gt "$out_before" ]; then
                back=1
                break
            fi
            alive || break
            sleep 0.5
        done
        if [ "$back" = 1 ]; then
            say "Microphone and speaker found again $(($(elapsed) - now)) s after the kill"
        else
            say "The program did not find its microphone and speaker again"
            failed_reconnect=1
        fi
        continue
    fi
    sleep 1
done

wall=$(elapsed)
status=0
if alive; then
    is_alive=yes
    rss_end=$(rss_kb "$program")
    ticks=$(cpu_ticks "$program")
else
    is_alive=no rss_end=0 ticks=0
    status=1
fi

said_commands=$(cat "$work/app/data/soak-commands")
said=0
while IFS= read -r line; do
    phrase=${line#*$'\t'}
    grep -qxF -- "$phrase" <<<"$said_commands" && said=$((said + 1))
done <"$work/said"
heard=0 other=0
while IFS= read -r line; do
    phrase=${line#act: \"}
    phrase=${phrase%\"*}
    if grep -qxF -- "$phrase" <<<"$said_commands"; then
        heard=$((heard + 1))
    else
        other=$((other + 1))
    fi
done < <(grep -E '^act: ".*" ' "$work/quillet.log" | grep -v '" wake$' || true)

mb() { awk -v k="$1" 'BEGIN { printf "%.1f", k / 1024 }'; }
echo "soak_minutes: $minutes"
echo "rss_start_mb: $(mb "$rss_start")"
echo "rss_end_mb: $(mb "$rss_end")"
echo "rss_mb_by_minute: ${rss_series[*]}"
awk -v t="$ticks" -v hz="$hz" -v s="$wall" 'BEGIN { printf "cpu_percent: %.1f\n", 100 * t / hz / s }'
echo "commands_said: $said"
echo "commands_heard: $heard"
echo "other_actions: $other"
echo "wakes_heard: $(log_count '" wake')"
echo "restarts: $restarts"
echo "reconnects: $(log_count "listening to the microphone again")"
echo "speaker_reconnects: $(log_count "speaking through the sound server again")"
echo "alive: $is_alive"

if [ "$failed_reconnect" = 1 ] || [ "$restarts" -lt ${#restart_at[@]} ]; then
    echo "soak: a restart of the sound server was not survived" >&2
    status=1
fi
if [ "$is_alive" = yes ] && [ $((rss_end - rss_start)) -gt 2048 ]; then
    echo "soak: memory grew by $(mb $((rss_end - rss_start))) MB after the first minute" >&2
    status=1
fi
exit "$status"
