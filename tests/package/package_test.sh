#!/usr/bin/env bash
# The package as a user gets it:  package_test.sh <build folder> <version>
# It holds the programs and shipped files under /usr and nothing elsewhere, depends on the
# runtime libraries and not on their -dev packages, and passes lintian (no errors),
# appstreamcli and desktop-file-validate; its manual pages format without warnings. Unpacked
# into a fresh root, the installed program makes an empty home's folder from the shipped
# files on its first start and leaves the user's changes alone on the next; two users keep
# their own lists; a folder that cannot be made is said, not skipped.
set -euo pipefail
build=$1 version=$2
work=$(mktemp -d /tmp/quillet-package.XXXXXX)
pids=()
cleanup() {
    for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done
    rm -rf "$work"
}
trap cleanup EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

cpack -G DEB --config "$build/CPackConfig.cmake" -B "$work/out" >"$work/cpack.log" ||
    { cat "$work/cpack.log" >&2; fail "cpack failed"; }
deb=$work/out/quillet_${version}_amd64.deb
[ -f "$deb" ] || fail "no $deb"

# The control fields.
[ "$(dpkg-deb -f "$deb" Package)" = quillet ] || fail "package name"
[ "$(dpkg-deb -f "$deb" Version)" = "$version" ] || fail "package version"
depends=$(dpkg-deb -f "$deb" Depends)
for needed in libqt6widgets6 libpocketsphinx3 libespeak-ng1 libpulse0 libxtst6 \
    pocketsphinx-en-us qt6-qpa-plugins; do
    grep -qE "(^|, )$needed( |,|$)" <<<"$depends" || fail "Depends lacks $needed: $depends"
done
! grep -q -- '-dev\b' <<<"$depends" || fail "Depends names a -dev package: $depends"
echo "ok: Depends: $depends"

# The files, all under /usr.
dpkg-deb -c "$deb" | sed 's|^.* \./|/|' >"$work/files"
grep -v '^/usr/' "$work/files" && fail "files outside /usr"
for file in /usr/bin/quillet /usr/bin/vbsrun \
    /usr/share/quillet/Character/Pebble.qlc /usr/share/quillet/Character/Clover.qlc \
    /usr/share/quillet/Plugins/notes /usr/share/quillet/Help/index.html \
    /usr/share/quillet/data/brainlist.in "/usr/share/quillet/data/greet me.txt" \
    /usr/share/applications/io.github.quillet.Quillet.desktop \
    /usr/share/metainfo/io.github.quillet.Quillet.metainfo.xml \
    /usr/share/icons/hicolor/48x48/apps/quillet.png \
    /usr/share/icons/hicolor/128x128/apps/quillet.png \
    /usr/share/icons/hicolor/256x256/apps/quillet.png \
    /usr/share/man/man1/quillet.1.gz /usr/share/man/man1/vbsrun.1.gz \
    /usr/share/doc/quillet/copyright /usr/share/doc/quillet/changelog.gz; do
    grep -qxF "$file" "$work/files" || fail "the package lacks $file"
done
echo "ok: $(grep -cv '/$' "$work/files") files under /usr"

lintian -I --tag-display-limit 0 "$deb" >"$work/lintian" 2>/dev/null || true
grep '^E:' "$work/lintian" && fail "lintian reports errors"
echo "ok: lintian reports no error ($(grep -c '^[WI]:' "$work/lintian" || true) warnings and notes)"

root=$work/root
dpkg -x "$deb" "$root"
appstreamcli validate --no-net "$root/usr/share/metainfo/io.github.quillet.Quillet.metainfo.xml" ||
    fail "the AppStream metadata does not validate"
desktop-file-validate "$root/usr/share/applications/io.github.quillet.Quillet.desktop" ||
    fail "the desktop entry does not validate"
grep -qx 'Exec=quillet' "$root/usr/share/applications/io.github.quillet.Quillet.desktop" ||
    fail "the desktop entry does not start quillet from the path"
grep -q "<release version=\"$version\"" "$root/usr/share/metainfo/"*.xml ||
    fail "the metadata's release is not $version"
zcat "$root/usr/share/doc/quillet/changelog.gz" | head -1 | grep -qF "quillet ($version)" ||
    fail "the changelog's first entry is not $version"
for page in quillet vbsrun; do
    warnings=$(LC_ALL=C.UTF-8 MANWIDTH=80 man --warnings -E UTF-8 -l -Tutf8 -Z \
        "$root/usr/share/man/man1/$page.1.gz" 2>&1 >/dev/null)
    [ -z "$warnings" ] || fail "$page(1) formats with warnings: $warnings"
    zcat "$root/usr/share/man/man1/$page.1.gz" | grep -q "^\.TH .* \"Quillet $version\"" ||
        fail "$page(1) does not name version $version"
done
echo "ok: metadata, desktop entry, changelog and manual pages"

[ "$("$root/usr/bin/quillet" --version)" = "quillet $version" ] || fail "quillet --version"
[ "$("$root/usr/bin/vbsrun" --version)" = "vbsrun $version" ] || fail "vbsrun --version"
"$root/usr/bin/quillet" --help | grep -q QUILLET_RECO_DEBUG || fail "quillet --help"
"$root/usr/bin/vbsrun" --help | grep -q -- --error-numbers || fail "vbsrun --help"
status=0
"$root/usr/bin/quillet" --no-such-option 2>"$work/err" || status=$?
[ "$status" = 2 ] && grep -q 'no-such-option' "$work/err" || fail "an unknown option gave $status"
printf 'WScript.Echo "Hello, " & UCase("world")\n' >"$work/hello.vbs"
[ "$("$root/usr/bin/vbsrun" "$work/hello.vbs")" = "Hello, WORLD" ] || fail "vbsrun runs no script"
echo "ok: --version, --help and a script"

# start_once <home> [XDG_DATA_HOME]: starts the installed program for a user, waits
# for the grammar it writes once the list is loaded, and ends it.
start_once() {
    local home=$1 data=${2:-$1/.local/share} pid
    rm -f "$data/quillet/data/Temp"
    env -u QUILLET_APP_DIR HOME="$home" XDG_DATA_HOME="$data" PULSE_SERVER=unix:/nonexistent \
        QT_QPA_PLATFORM=xcb "$root/usr/bin/quillet" >"$work/quillet.log" 2>&1 &
    pid=$!
    pids+=("$pid")
    for _ in $(seq 200); do
        [ -s "$data/quillet/data/Temp" ] && break
        kill -0 "$pid" 2>/dev/null || { cat "$work/quillet.log" >&2; fail "quillet ended"; }
        sleep 0.05
    done
    [ -s "$data/quillet/data/Temp" ] || fail "no grammar was written in $data/quillet"
    kill "$pid"
    wait "$pid" 2>/dev/null || true
}

home=$work/home
mkdir -p "$home"
start_once "$home"
user=$home/.local/share/quillet
shipped=$root/usr/share/quillet
list=$user/data/brainlist
[ -f "$list" ] || fail "the first start made no command list"
grep -q $'^Pebble listen\r$' "$list" || fail "the list is not the shipped one"
grep -qF "$user/Plugins/notes" "$list" || fail "the list does not name the user's plugins folder"
[ "$(tr -d '\r' <"$list")" = "$(sed "s|@CHARACTER@|Pebble|; s|@APP@|$user|; s|@HOME@|$home|" \
    "$shipped/data/brainlist.in")" ] || fail "the list differs from the shipped one"
for script in "greet me.txt" "tell me a joke.txt" "type the date.txt"; do
    [ -f "$user/data/$script" ] || fail "$script was not copied"
done
[ "$(readlink -f "$user/Character/Pebble.qlc")" = "$shipped/Character/Pebble.qlc" ] ||
    fail "the shipped characters are not in the user's folder"
[ -x "$user/Plugins/notes" ] || fail "the shipped plugin is not in the user's folder"
[ -f "$user/Help/index.html" ] || fail "no help page"
echo "ok: the first start made $user from the shipped files"

# The user changes the list, a script, and adds a character of their own.
sed -i 's/^say hello\r$/say hello there\r/' "$list"
grep -q $'^say hello there\r$' "$list" || fail "the test could not change the list"
printf 'MsgBox "my own greeting"\r\n' >"$user/data/greet me.txt"
cp "$shipped/Character/Clover.qlc" "$user/Character/Mine.qlc"
changed=$(sha256sum <"$list")
start_once "$home"
[ "$(sha256sum <"$list")" = "$changed" ] || fail "the second start changed the user's list"
[ "$(cat "$user/data/greet me.txt")" = $'MsgBox "my own greeting"\r' ] ||
    fail "the second start replaced the user's script"
[ -f "$user/Character/Mine.qlc" ] || fail "the user's own character is gone"
echo "ok: the second start left the changed list, the script and the own character alone"

# Another user on the same machine gets the shipped list, and the first user's stays.
other=$work/other
mkdir -p "$other"
start_once "$other" "$other/data home"
grep -q $'^say hello\r$' "$other/data home/quillet/data/brainlist" ||
    fail "the second user did not get the shipped list"
[ "$(sha256sum <"$list")" = "$changed" ] || fail "the second user's start changed the first's list"
echo "ok: two users keep their own lists"

# A home where the folder cannot be made: the program says so and ends, starting nothing.
blocked=$work/blocked
mkdir -p "$blocked/.local"
echo "not a folder" >"$blocked/.local/share"
env -u QUILLET_APP_DIR -u XDG_DATA_HOME HOME="$blocked" PULSE_SERVER=unix:/nonexistent \
    QT_QPA_PLATFORM=xcb "$root/usr/bin/quillet" >"$work/blocked.log" 2>&1 &
pid=$!
pids+=("$pid")
box=
for _ in $(seq 200); do
    box=$(xdotool search --onlyvisible --name '^Quillet$' 2>/dev/null | head -1) && [ -n "$box" ] &&
        break
    kill -0 "$pid" 2>/dev/null || break
    sleep 0.05
done
[ -n "$box" ] || fail "no message box for a folder that cannot be made"
xdotool windowactivate --sync "$box" 2>/dev/null || xdotool windowfocus --sync "$box" 2>/dev/null || true
xdotool key Return
status=0
for _ in $(seq 100); do
    kill -0 "$pid" 2>/dev/null || break
    sleep 0.05
done
wait "$pid" || status=$?
[ "$status" = 1 ] || fail "a folder that cannot be made ended with status $status"
grep -q "could not make your folder" "$work/blocked.log" || fail "nothing said on standard error"
echo "ok: a folder that cannot be made is said and nothing starts"
