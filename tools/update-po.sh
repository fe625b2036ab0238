#!/usr/bin/env bash
# Extracts the texts to translate from the whole source into po/vdx.pot and
# merges every po/*.po with it.
#   tools/update-po.sh                   refresh po/vdx.pot and the catalogs
#   tools/update-po.sh --pot OUT [ROOT]  only write the template of ROOT's source to OUT
# The template is reproducible: files in a fixed order, entries sorted by file,
# locations without line numbers and no creation date.
set -euo pipefail
here="$(cd "$(dirname "$0")/.." && pwd)"

extract() { # root out
    local root=$1 out=$2 files
    local dirs=() d
    for d in src/core src/gui src/cli; do [ -d "$root/$d" ] && dirs+=("$d"); done
    [ ${#dirs[@]} -gt 0 ] || { echo "no source folders under $root/src" >&2; return 1; }
    files=$(cd "$root" && find "${dirs[@]}" -type f \( -name '*.cpp' -o -name '*.h' \) | LC_ALL=C sort)
    [ -n "$files" ] || { echo "no source files under $root/src" >&2; return 1; }
    # -k alone drops xgettext's default keywords: only our markers count.
    # Core: N_ and NP_ (src/core/text/Tr.h). GUI: _, wxPLURAL, wxTRANSLATE and the context forms.
    (cd "$root" && xgettext --language=C++ --from-code=UTF-8 --output=- \
        -k -k_ -kN_ -kNP_:1,2 -kwxPLURAL:1,2 -kwxTRANSLATE \
        -kwxGETTEXT_IN_CONTEXT:1c,2 -kwxGETTEXT_IN_CONTEXT_PLURAL:1c,2,3 -kwxTRANSLATE_IN_CONTEXT:1c,2 \
        --add-comments=TRANSLATORS: --sort-by-file --add-location=file --no-wrap \
        --package-name=VendrixPlanner --msgid-bugs-address= \
        $files 2> >(awk '/--msgid-bugs-address was not specified/ {skip = 3; next}
                        skip > 0 {skip--; next} {print}' >&2)) | sed -e '/^"POT-Creation-Date: /d' -e 's/charset=CHARSET/charset=UTF-8/' > "$out"
}

if [ "${1:-}" = "--pot" ]; then
    extract "${3:-$here}" "$2"
    exit 0
fi

extract "$here" "$here/po/vdx.pot"
shopt -s nullglob
for po in "$here"/po/*.po; do
    msgmerge --quiet --update --backup=none --previous --add-location=file --no-wrap \
        "$po" "$here/po/vdx.pot"
done
