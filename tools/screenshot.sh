#!/usr/bin/env bash
# Starts the program under a virtual display with a document (the example by
# default) and saves a picture of the screen as build/screenshot.png.
# Usage: tools/screenshot.sh [BUILD_DIR] [DOCUMENT.vdx]
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build}
program="$build/bin/vendrixplanner"
document=${2:-"$build/share/vendrixplanner/example.vdx"}
out="$build/screenshot.png"

if [ ! -x "$program" ]; then
    echo "no program at $program: build first (tools/build.sh)" >&2
    exit 1
fi
if [ ! -f "$document" ]; then
    # No shipped example: make one and calculate its lines.
    if [ -x "$build/bin/make_example" ] && [ -x "$build/bin/vdxtool" ]; then
        document="$build/screenshot-example.vdx"
        "$build/bin/make_example" "$document.new"
        "$build/bin/vdxtool" calc "$document.new" -o "$document" --repeatable --rounds 5 >/dev/null
        rm -f "$document.new"
    else
        echo "no document $document" >&2
        exit 1
    fi
fi

missing=()
command -v Xvfb >/dev/null || missing+=(xvfb)
command -v xwd >/dev/null || missing+=(x11-apps)
command -v convert >/dev/null || missing+=(imagemagick)
if [ ${#missing[@]} -gt 0 ]; then
    sudo=""; [ "$(id -u)" -ne 0 ] && sudo=sudo
    $sudo apt-get update -qq && $sudo apt-get install -y -qq "${missing[@]}"
fi

# A free display number.
display=99
while [ -e "/tmp/.X11-unix/X$display" ] || [ -e "/tmp/.X$display-lock" ]; do display=$((display + 1)); done
Xvfb ":$display" -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
xvfb=$!
home=$(mktemp -d)
app=""
cleanup() {
    [ -n "$app" ] && kill "$app" 2>/dev/null || true
    kill "$xvfb" 2>/dev/null || true
    rm -rf "$home"
}
trap cleanup EXIT
sleep 1

# A home of its own, so the user's settings are neither used nor changed.
DISPLAY=":$display" HOME="$home" XDG_CONFIG_HOME="$home/.config" VDX_NO_HELP_WARNING=1 \
    "$program" "$(realpath "$document")" >/dev/null 2>&1 &
app=$!
sleep "${VDX_SCREENSHOT_WAIT:-3}"
DISPLAY=":$display" xwd -root -silent | convert xwd:- "$out"
echo "$out"
