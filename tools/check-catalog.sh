#!/usr/bin/env bash
# Checks one catalog against the template freshly extracted from the source,
# so a new text without its translation fails.
#   tools/check-catalog.sh CATALOG.po [SOURCE_ROOT]
set -euo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
catalog=$1
root=${2:-"$here/.."}
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
"$here/update-po.sh" --pot "$tmp/vdx.pot" "$root"
python3 "$here/check-po.py" --template "$tmp/vdx.pot" "$catalog"
