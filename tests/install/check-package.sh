#!/usr/bin/env bash
# Builds the Debian package of a build tree and checks it: lintian finds no
# error, the dependencies come from dpkg-shlibdeps (the wx and GTK runtime), and
# it holds exactly what the installation lays out, below /usr.
# Usage: check-package.sh BUILD_DIR
set -euo pipefail
build=$(cd "$1" && pwd)
fail() { echo "FAILED: $*" >&2; exit 1; }
out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT

(cd "$build" && cpack -G DEB -B "$out" >/dev/null) || fail "cpack"
deb=$(ls "$out"/vendrixplanner_*_*.deb)
[ -f "$deb" ] || fail "no package made"

depends=$(dpkg-deb -f "$deb" Depends)
for library in libwxgtk3.2 libwxbase3.2 libstdc++6 libc6; do
    grep -q "$library" <<<"$depends" || fail "Depends lacks $library: $depends"
done

# The package's files against a plain installation of the same tree.
root=$out/root
DESTDIR="$root" cmake --install "$build" --prefix /usr >/dev/null
(cd "$root" && find . -type f | sort) >"$out/installed"
dpkg-deb -c "$deb" | awk '$1 !~ /^d/ {print $6}' | sort >"$out/packaged"
diff -u "$out/installed" "$out/packaged" || fail "the package does not hold what the installation lays out"

# lintian is not available everywhere; where it is, it must find no error.
if command -v lintian >/dev/null; then
    lintian --fail-on error "$deb" || fail "lintian reports errors"
fi
echo "package $(basename "$deb") checked"
