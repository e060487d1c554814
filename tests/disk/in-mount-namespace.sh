#!/bin/sh
# Runs a command in a mount namespace of its own, where it may mount a small file system that
# goes with it: as root directly, otherwise in a user namespace of its own. Where neither may be
# had (some desktops refuse user namespaces), the command runs as it is and its tests say why
# they cannot mount.
if [ "$(id -u)" = 0 ] && unshare --mount true 2>/dev/null; then
    exec unshare --mount -- "$@"
fi
if unshare --user --map-root-user --mount true 2>/dev/null; then
    exec unshare --user --map-root-user --mount -- "$@"
fi
exec "$@"
