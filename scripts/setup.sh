#!/usr/bin/env bash
# Shared by run.sh, test.sh and CI: installs what the build needs on Debian 12 (only what
# is missing), then configures and builds into the given folder.
#   scripts/setup.sh BUILD_DIR [extra cmake options...]
set -euo pipefail

packages=(
  cmake g++ make pkg-config
  qt6-base-dev qt6-base-dev-tools libgl-dev
  liblzo2-dev libbenchmark-dev
  fonts-liberation2 xvfb xauth
  dbus at-spi2-core python3-pyatspi
  clang libclang-rt-14-dev lzop
)

missing=()
for package in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$package")
  fi
done
if ((${#missing[@]})); then
  sudo=""
  if [ "$(id -u)" -ne 0 ]; then sudo="sudo"; fi
  echo "Installing: ${missing[*]}"
  $sudo apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi

build_dir="$1"
shift
if [ ! -f "$build_dir/CMakeCache.txt" ]; then
  cmake -S . -B "$build_dir" -DCMAKE_BUILD_TYPE=RelWithDebInfo "$@"
fi
cmake --build "$build_dir" -j "$(nproc)"
