#!/usr/bin/env bash
# Pictures of the program's windows for the help books, in every language of a
# book: each window opened as the menus open it, at its default size, on a
# virtual 1280x800 screen with a window manager, saved with its frame as
#   resources/help/images/NAME.png           (English)
#   resources/help/<lang>/images/NAME.png    (de, fr, it, sv)
# Usage: tools/help-screenshots.sh [BUILD_DIR] [LANGUAGE...]
# Builds nothing: build the targets vdxshots, vdxtool and vdx_catalogs first.
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build}
shift || true
languages=("$@")
[ ${#languages[@]} -gt 0 ] || languages=(en de fr it sv)

shots="$build/bin/vdxshots"
tool="$build/bin/vdxtool"
example="$build/share/vendrixplanner/example.vdx"
missing_build=()
[ -x "$shots" ] || missing_build+=(vdxshots)
[ -x "$tool" ] || missing_build+=(vdxtool)
[ -f "$example" ] && [ -f "$build/share/vendrixplanner/slip12.vdf" ] || missing_build+=(vdx_example)
for lang in "${languages[@]}"; do
    [ "$lang" = en ] || [ -f "$build/share/locale/$lang/LC_MESSAGES/vdx.mo" ] || missing_build+=(vdx_catalogs)
done
if [ ${#missing_build[@]} -gt 0 ]; then
    echo "missing in $build: build first with" >&2
    echo "  cmake --build $build --target $(printf '%s\n' "${missing_build[@]}" | sort -u | tr '\n' ' ')" >&2
    exit 1
fi

missing=()
command -v xvfb-run >/dev/null || missing+=(xvfb xauth)
command -v openbox >/dev/null || missing+=(openbox)
command -v xwd >/dev/null || missing+=(x11-apps)
command -v convert >/dev/null || missing+=(imagemagick)
if [ ${#missing[@]} -gt 0 ]; then
    sudo=""; [ "$(id -u)" -ne 0 ] && sudo=sudo
    $sudo apt-get update -qq && $sudo apt-get install -y -qq "${missing[@]}"
fi

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# The example with calculated lines, so that tickets, statistics and charts show something.
document="$work/calculated.vdx"
if "$tool" show "$example" | grep -q '^Distribution: up to date'; then
    cp "$example" "$document"
else
    "$tool" calc "$example" -o "$document" --repeatable >/dev/null
fi

# Runs inside the virtual display: a window manager first, so that windows
# are decorated and placed as on a desktop, then the pictures.
inside='
flag="$VDX_WORK/wm-ready"; rm -f "$flag"
openbox --sm-disable --startup "touch $flag" >/dev/null 2>&1 &
wm=$!
for _ in $(seq 200); do [ -e "$flag" ] && break; sleep 0.05; done
[ -e "$flag" ] || { echo "openbox did not start" >&2; kill $wm; exit 1; }
status=0
# GTK'"'"'s own complaints about themes and zero sizes are no news here.
"$VDX_SHOTS" "$VDX_OUT" "$VDX_DOCUMENT" "$VDX_LANGUAGE" 2> >(grep -v -e "^(vdxshots:" -e "^\$" >&2) || status=$?
kill $wm 2>/dev/null; wait $wm 2>/dev/null
exit $status
'

failed=0
for lang in "${languages[@]}"; do
    if [ "$lang" = en ]; then out=resources/help/images; else out="resources/help/$lang/images"; fi
    mkdir -p "$out"
    # A home of its own: the default settings, and the user's never changed.
    home="$work/home-$lang"
    mkdir -p "$home"
    # Each run its own copy, under the name the windows show.
    mkdir -p "$work/$lang"
    cp "$document" "$work/$lang/example.vdx"
    echo "== $lang -> $out"
    start=$(date +%s)
    if ! HOME="$home" XDG_CONFIG_HOME="$home/.config" VDX_NO_HELP_WARNING=1 \
        VDX_WORK="$work" VDX_SHOTS="$(realpath "$shots")" VDX_OUT="$(realpath "$out")" \
        VDX_DOCUMENT="$work/$lang/example.vdx" VDX_LANGUAGE="$lang" \
        xvfb-run -a -s "-screen 0 1280x800x24 -nolisten tcp" bash -c "$inside"; then
        echo "some pictures in $lang are missing" >&2
        failed=1
    fi
    echo "   $(( $(date +%s) - start )) s"
done
exit $failed
