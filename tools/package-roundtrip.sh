#!/usr/bin/env bash
# Installs the Debian package on this machine with apt, checks that the desktop
# knows it (menu entry, file types, opening a ".vdx" through xdg-open starts the
# program on it), removes it again and checks that nothing is left behind.
# Changes the system: run it by hand, as root, on a machine you may change.
# Usage: tools/package-roundtrip.sh [BUILD_DIR]
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build}
id=org.vendrixplanner.VendrixPlanner
# xdg-utils asks the desktop's own tools; without a desktop it falls back to
# libmagic, which knows no shared-mime-info types. Ask as a GNOME session does.
export XDG_CURRENT_DESKTOP=GNOME
fail() { echo "FAILED: $*" >&2; exit 1; }
[ "$(id -u)" -eq 0 ] || fail "run as root"
dpkg-query -W vendrixplanner >/dev/null 2>&1 && fail "vendrixplanner is installed already; remove it first"
for tool in xdg-open xvfb-run; do command -v $tool >/dev/null || fail "$tool is missing (xdg-utils, xvfb)"; done

(cd "$build" && rm -f vendrixplanner_*.deb && cpack -G DEB >/dev/null)
deb=$(ls "$build"/vendrixplanner_*.deb)
echo "== apt install $deb"
DEBIAN_FRONTEND=noninteractive apt-get install -y -qq "./$deb" >/dev/null
files=$(dpkg -L vendrixplanner)

echo "== installed"
command -v vendrixplanner >/dev/null || fail "vendrixplanner is not on the PATH"
vdxtool show /usr/share/vendrixplanner/example.vdx >/dev/null || fail "vdxtool cannot show the example"
grep -q "$id.desktop" /usr/share/applications/mimeinfo.cache || fail "the desktop does not list the program for its file types"
[ "$(xdg-mime query filetype /usr/share/vendrixplanner/example.vdx)" = application/x-vendrixplanner-document ] ||
    fail "the example is not known as a pools document"
[ "$(xdg-mime query default application/x-vendrixplanner-document)" = "$id.desktop" ] ||
    fail "pools documents do not open with VendrixPlanner"

echo "== xdg-open"
home=$(mktemp -d)
cp /usr/share/vendrixplanner/example.vdx "$home/round.vdx"
HOME=$home XDG_CONFIG_HOME=$home/.config VDX_NO_HELP_WARNING=1 \
    xvfb-run -a sh -c "xdg-open '$home/round.vdx'; sleep 5; pgrep -a -f 'vendrixplanner $home/round.vdx'" >"$home/seen" 2>&1 || true
pkill -f "vendrixplanner $home/round.vdx" || true
grep -q "vendrixplanner $home/round.vdx" "$home/seen" || { cat "$home/seen"; fail "xdg-open did not start the program on the file"; }
rm -rf "$home"

echo "== apt remove"
DEBIAN_FRONTEND=noninteractive apt-get remove --purge -y -qq vendrixplanner >/dev/null
left=0
while read -r path; do
    [ -f "$path" ] && { echo "left behind: $path"; left=1; }
done <<<"$files"
[ -d /usr/share/vendrixplanner ] && { echo "left behind: /usr/share/vendrixplanner"; left=1; }
grep -qs "$id" /usr/share/applications/mimeinfo.cache && { echo "left behind: the desktop's file-type entry"; left=1; }
[ $left -eq 0 ] || fail "the removal left files behind"
echo "package installed, opened a document through xdg-open and was removed cleanly"
