#!/usr/bin/env bash
# Installs the build into a scratch root and checks what a desktop and a user
# need of it: every file in its place, nothing else in bin, the installed tool
# working on the installed example, a valid desktop entry and AppStream data,
# and file types decided by a file's first bytes.
# Usage: check-install.sh BUILD_DIR SOURCE_DIR
set -euo pipefail
build=$1
source=$2
id=org.vendrixplanner.VendrixPlanner
root=$(mktemp -d)
trap 'rm -rf "$root"' EXIT
fail() { echo "FAILED: $*" >&2; exit 1; }

DESTDIR="$root" cmake --install "$build" --prefix /usr >/dev/null
usr=$root/usr

for file in bin/vendrixplanner bin/vdxtool \
    share/vendrixplanner/example.vdx share/vendrixplanner/slip12.vdf share/vendrixplanner/BELLS.WAV \
    share/vendrixplanner/VdxHelp.hhp share/vendrixplanner/helppages/welcome.html \
    share/vendrixplanner/de/VdxHelp_de.hhp share/vendrixplanner/fr/VdxHelp_fr.hhp \
    share/vendrixplanner/it/VdxHelp_it.hhp share/vendrixplanner/sv/VdxHelp_sv.hhp \
    share/locale/de/LC_MESSAGES/vdx.mo share/locale/nl/LC_MESSAGES/vdx.mo \
    share/applications/$id.desktop share/metainfo/$id.metainfo.xml share/mime/packages/$id.xml \
    share/icons/hicolor/scalable/apps/$id.svg share/icons/hicolor/48x48/apps/$id.png \
    share/icons/hicolor/256x256/apps/$id.png \
    share/man/man1/vendrixplanner.1.gz share/man/man1/vdxtool.1.gz \
    share/doc/vendrixplanner/copyright share/doc/vendrixplanner/changelog.gz; do
    [ -f "$usr/$file" ] || fail "$file is not installed"
done
[ "$(ls "$usr/bin" | tr '\n' ' ')" = "vdxtool vendrixplanner " ] || fail "bin holds more than the two programs: $(ls "$usr/bin")"

# The installed tool reads the installed example.
"$usr/bin/vdxtool" show "$usr/share/vendrixplanner/example.vdx" | grep -q "Line" ||
    fail "the installed vdxtool cannot show the installed example"

desktop-file-validate "$usr/share/applications/$id.desktop" || fail "desktop entry"
grep -q "^Exec=vendrixplanner %f$" "$usr/share/applications/$id.desktop" || fail "desktop entry starts another program"
for lang in de fr it nl sv; do
    grep -q "^Comment\[$lang\]=" "$usr/share/applications/$id.desktop" || fail "desktop entry lacks Comment[$lang]"
done
appstreamcli validate --no-net "$usr/share/metainfo/$id.metainfo.xml" >/dev/null || fail "AppStream data"

# File types, in a scratch database that also knows another vendor's ".vdx".
mkdir -p "$root/mime/packages"
cp /usr/share/mime/packages/freedesktop.org.xml "$usr/share/mime/packages/$id.xml" \
    "$source/tests/install/other-drawing.xml" "$root/mime/packages/"
update-mime-database "$root/mime" >/dev/null 2>&1
files=$root/files
mkdir -p "$files"
cp "$source/resources/example.vdx" "$files/round.vdx"
cp "$source/resources/example.vdx" "$files/round-without-extension"
cp "$source/resources/slip12.vdf" "$files/slip.vdf"
printf '<?xml version="1.0"?>\n<Drawing/>\n' > "$files/drawing.vdx"
type_of() {
    XDG_DATA_DIRS="$root" XDG_DATA_HOME="$root/none" gio info -a standard::content-type "$1" 2>/dev/null |
        sed -n 's/^ *standard::content-type: //p'
}
while read -r file expected; do
    got=$(type_of "$files/$file")
    [ "$got" = "$expected" ] || fail "$file is $got, not $expected"
done <<TYPES
round.vdx application/x-vendrixplanner-document
round-without-extension application/x-vendrixplanner-document
slip.vdf application/x-vendrixplanner-format
drawing.vdx application/x-test-other-drawing
TYPES
echo "installation checked in $root"
