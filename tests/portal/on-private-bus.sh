#!/usr/bin/env bash
# Runs a command on a session bus of its own with the fake portal on it:
#   on-private-bus.sh COMMAND ARGS...
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
dir=$(mktemp -d /tmp/quillet-bus.XXXXXX)
cleanup() {
    if [ -n "${portal:-}" ]; then kill "$portal" 2>/dev/null || true; fi
    if [ -n "${bus:-}" ]; then kill "$bus" 2>/dev/null || true; fi
    rm -rf "$dir"
}
trap cleanup EXIT
dbus-daemon --session --nofork --nopidfile --print-address=3 --address="unix:path=$dir/bus" \
    3>"$dir/address" &
bus=$!
for _ in $(seq 100); do [ -s "$dir/address" ] && break; sleep 0.05; done
DBUS_SESSION_BUS_ADDRESS=$(head -1 "$dir/address")
export DBUS_SESSION_BUS_ADDRESS
# Debian's Python, where python3-dbus and python3-gi put their modules.
/usr/bin/python3 "$here/fake_portal.py" >"$dir/portal.out" 2>"$dir/portal.log" &
portal=$!
for _ in $(seq 100); do grep -q ready "$dir/portal.out" 2>/dev/null && break; sleep 0.05; done
grep -q ready "$dir/portal.out" || { cat "$dir/portal.log" >&2; exit 1; }
set +e
"$@"
status=$?
[ "$status" = 0 ] || cat "$dir/portal.log" >&2
exit $status
