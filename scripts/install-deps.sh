#!/usr/bin/env bash
# Installs every Debian package that building, running and testing VELDRAN needs.
# Does nothing when all of them are present; uses sudo when not run as root.
set -euo pipefail

# scripts/check-deps.sh reads this list: one array, one or more names a line.
packages=(
  cmake ninja-build g++ pkg-config ccache
  qt6-base-dev qt6-base-dev-tools qt6-tools-dev qt6-svg-dev libgl-dev libegl-dev libglu1-mesa-dev
  qt6-l10n-tools qt6-translations-l10n
  fonts-nanum
  clang libclang-rt-14-dev
  poppler-utils
  xvfb xauth
  desktop-file-utils libxml2-utils shared-mime-info appstream
  libzip-dev libsigrokdecode-dev
  sigrok-cli gtkwave pulseview
  man-db dpkg-dev file lintian
)

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$p")
  fi
done

[ ${#missing[@]} -eq 0 ] && exit 0

echo "Installing: ${missing[*]}"
sudo_cmd=()
[ "$(id -u)" -ne 0 ] && sudo_cmd=(sudo)
"${sudo_cmd[@]}" apt-get update -qq
DEBIAN_FRONTEND=noninteractive "${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
