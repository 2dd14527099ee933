#!/usr/bin/env bash
# Installs the Debian packages the build, the tests and the viewer need. Idempotent: asks apt
# only when something is missing. Works as root, or through sudo otherwise.
set -euo pipefail

PACKAGES=(
  cmake g++ make pkg-config
  libwxgtk3.2-dev
  libgl1-mesa-dev libglu1-mesa-dev libegl-dev libegl-mesa0
  libgtest-dev libgmock-dev libbenchmark-dev
  libpng-dev libgif-dev libwebp-dev
  libtinygltf-dev nlohmann-json3-dev
  clang libclang-rt-14-dev
  xvfb xauth xdotool imagemagick xclip
  desktop-file-utils shared-mime-info
)

missing=()
for p in "${PACKAGES[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$p")
  fi
done
[ ${#missing[@]} -eq 0 ] && exit 0

SUDO=""
[ "$(id -u)" -ne 0 ] && SUDO="sudo"
echo "Installing: ${missing[*]}"
$SUDO apt-get update
DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y --no-install-recommends "${missing[@]}"
