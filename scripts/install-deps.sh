#!/usr/bin/env bash
# Installs the Debian packages the build, the tests, the fuzzers, the package build and the viewer
# need. Idempotent: asks apt only when something is missing. Works as root, or through sudo
# otherwise. `install-deps.sh --list build|test` prints a group's names, one a line.
# The build and test groups are debian/control's Build-Depends (build-essential aside, which
# Debian packages never list); a test checks that the two stay the same.
set -euo pipefail

BUILD_PACKAGES=(
  build-essential cmake pkg-config help2man librsvg2-bin
  libwxgtk3.2-dev
  libgl1-mesa-dev libglu1-mesa-dev libegl-dev
  libpng-dev libgif-dev libwebp-dev
  libtinygltf-dev nlohmann-json3-dev
)
TEST_PACKAGES=(
  libgtest-dev libgmock-dev libbenchmark-dev
  libegl-mesa0
  xvfb xauth xdotool imagemagick xclip
  desktop-file-utils shared-mime-info appstream groff-base
)
FUZZ_PACKAGES=(clang libclang-rt-14-dev)
PACKAGING_PACKAGES=(debhelper dpkg-dev fakeroot lintian)
if [ "${1:-}" = "--list" ]; then
  case "${2:-}" in
    build) printf '%s\n' "${BUILD_PACKAGES[@]}" ;;
    test) printf '%s\n' "${TEST_PACKAGES[@]}" ;;
    *) echo "usage: install-deps.sh [--list build|test]" >&2; exit 2 ;;
  esac
  exit 0
fi
PACKAGES=("${BUILD_PACKAGES[@]}" "${TEST_PACKAGES[@]}" "${FUZZ_PACKAGES[@]}"
          "${PACKAGING_PACKAGES[@]}")

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
