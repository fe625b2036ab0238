#!/usr/bin/env bash
# Installs the Debian packages the build and the tests need, only when some are missing.
set -euo pipefail

packages=(build-essential cmake pkg-config libwxgtk3.2-dev libgtest-dev libgmock-dev
          libbenchmark-dev xvfb xauth openbox clang libclang-rt-14-dev gettext python3
          dpkg-dev desktop-file-utils appstream lintian libglib2.0-bin shared-mime-info wx3.2-i18n)
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  echo "Installing: ${missing[*]}"
  sudo_cmd=""
  [ "$(id -u)" -eq 0 ] || sudo_cmd="sudo"
  $sudo_cmd apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $sudo_cmd apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
