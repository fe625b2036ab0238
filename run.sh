#!/usr/bin/env bash
# Installs what is missing, builds, and starts VendrixPlanner on the bundled example.
set -euo pipefail
cd "$(dirname "$0")"
tools/install-deps.sh
tools/build.sh
example="$PWD/build/share/vendrixplanner/example.vdx"
if [ -n "${DISPLAY:-}${WAYLAND_DISPLAY:-}" ]; then
  exec build/bin/vendrixplanner "$example"
fi
echo "No display found: showing the example with vdxtool instead of starting the program."
exec build/bin/vdxtool show "$example"
