#!/usr/bin/env bash
# The desktop entry and icon that run.sh installs, written into a home folder of its own:
#   desktop_entry.sh <repository> <built application folder>
# The entry validates, starts the installed program and names an icon that is there at every
# size; the autostart entry comes only when asked for and goes when asked to; an application
# folder whose path has spaces, quotes and dollars still gives an entry that starts it.
set -euo pipefail
repo=$1 built=$2
home=$(mktemp -d /tmp/quillet-home.XXXXXX)
trap 'rm -rf "$home"' EXIT
export HOME=$home XDG_DATA_HOME=$home/data XDG_CONFIG_HOME=$home/config

fail() { echo "FAIL: $*" >&2; exit 1; }
install_into() { # <application folder> [ON|OFF]
    cmake -DAPP_DIR="$1" ${2:+-DAUTOSTART=$2} -P "$repo/scripts/DesktopEntry.cmake"
}
field() { # <file> <key>
    sed -n "s/^$2=//p" "$1"
}
# The Exec line as the desktop runs it: string escapes first, then the quoting.
exec_path() {
    python3 - "$1" <<'PY'
import sys
line = next(l for l in open(sys.argv[1]) if l.startswith("Exec="))[5:].rstrip("\n")
string, i = "", 0
while i < len(line):
    if line[i] == "\\" and i + 1 < len(line):
        string += {"s": " ", "n": "\n", "t": "\t", "r": "\r"}.get(line[i + 1], line[i + 1])
        i += 2
    else:
        string += line[i]
        i += 1
# The first argument: quoted, a backslash takes the next character literally.
arg, i, quoted = "", 0, False
while i < len(string):
    c = string[i]
    if c == '"':
        quoted = not quoted
    elif quoted and c == "\\":
        i += 1
        arg += string[i]
    elif not quoted and c == " ":
        break
    else:
        arg += c
    i += 1
print(arg.replace("%%", "%"))
PY
}

app=$home/quillet
mkdir -p "$app"
cp -a "$built/icons" "$app/"
entry=$XDG_DATA_HOME/applications/io.github.quillet.Quillet.desktop
autostart=$XDG_CONFIG_HOME/autostart/io.github.quillet.Quillet.desktop

install_into "$app"
[ -f "$entry" ] || fail "no entry in applications/"
desktop-file-validate "$entry" || fail "the entry does not validate"
[ "$(field "$entry" Name)" = Quillet ] || fail "Name is not Quillet"
[ "$(field "$entry" Type)" = Application ] || fail "Type is not Application"
[ "$(field "$entry" Exec)" = "$app/quillet" ] || fail "Exec is $(field "$entry" Exec)"
[ -n "$(field "$entry" Comment)" ] || fail "no Comment"
case "$(field "$entry" Categories)" in
*Utility\;*Accessibility\;* | *Accessibility\;*Utility\;*) ;;
*) fail "Categories are $(field "$entry" Categories)" ;;
esac
icon=$(field "$entry" Icon)
for size in 48 128 256; do
    file=$XDG_DATA_HOME/icons/hicolor/${size}x${size}/apps/$icon.png
    [ -f "$file" ] || fail "no $size pixel icon named $icon"
    [ "$(identify -format '%wx%h' "$file")" = "${size}x${size}" ] || fail "$file is not $size pixels"
done
[ ! -e "$autostart" ] || fail "an autostart entry without being asked"
echo "ok: entry and icons installed"

install_into "$app" ON
desktop-file-validate "$autostart" || fail "the autostart entry does not validate"
[ "$(field "$autostart" Exec)" = "$app/quillet" ] || fail "autostart Exec is wrong"
install_into "$app"
[ -f "$autostart" ] || fail "an install without the option took autostart away"
install_into "$app" OFF
[ ! -e "$autostart" ] || fail "autostart entry still there after OFF"
[ -f "$entry" ] || fail "OFF took the menu entry away too"
echo "ok: autostart written and removed on demand"

odd="$home/my \"apps\" \$HOME & \`co\` 100% \\ x"
mkdir -p "$odd"
cp -a "$built/icons" "$odd/"
install_into "$odd"
desktop-file-validate "$entry" || fail "the entry for an odd path does not validate"
[ "$(exec_path "$entry")" = "$odd/quillet" ] || fail "Exec for an odd path runs $(exec_path "$entry")"
echo "ok: a path with spaces, quotes and dollars is quoted"

# An older run.sh named its entries quillet.desktop: they give way to the new ones, and a
# session that started Quillet keeps doing so.
rm -f "$autostart"
printf '[Desktop Entry]\nType=Application\nName=Quillet\nExec=/old/quillet\n' |
    tee "$XDG_DATA_HOME/applications/quillet.desktop" >"$XDG_CONFIG_HOME/autostart/quillet.desktop"
install_into "$app"
[ ! -e "$XDG_DATA_HOME/applications/quillet.desktop" ] || fail "the old menu entry stayed"
[ ! -e "$XDG_CONFIG_HOME/autostart/quillet.desktop" ] || fail "the old autostart entry stayed"
[ "$(field "$autostart" Exec)" = "$app/quillet" ] || fail "autostart was lost with the old entry"
echo "ok: entries of the old name are replaced"
