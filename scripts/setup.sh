#!/usr/bin/env bash
# Shared by run.sh, test.sh, CI and the package check: installs a package set on Debian 12
# (only what is missing), then configures and builds into the given folder.
#   scripts/setup.sh run|dev|SET... [BUILD_DIR [--target NAME]... [cmake options...]]
# run: building and running the program. dev: run plus what developing it needs (tests,
# benchmarks, fuzzers). Sets of the other scripts: package (building and checking the
# Debian package), windows (cross-building the Windows version; scripts/windows-deps.sh).
# Without a build folder only the packages are installed.
set -euo pipefail

run_packages=(
  cmake g++ make pkg-config
  qt6-base-dev qt6-base-dev-tools libgl-dev liblzo2-dev libxcb1-dev
  qt6-qpa-plugins qt6-wayland fonts-liberation2 qt6-serialport-dev
  qt6-l10n-tools qt6-translations-l10n
)
# wine64 runs the 64-bit Windows link host in the tests. Not wine32: where 32-bit programs
# cannot run, Debian's wine would pick its 32-bit loader and fail.
dev_packages=(
  "${run_packages[@]}"
  libbenchmark-dev xvfb xauth
  dbus at-spi2-core python3-pyatspi xdotool openbox x11-utils
  clang libclang-rt-14-dev lzop
  g++-mingw-w64-i686 g++-mingw-w64-x86-64 wine64
)
# Cross-building the Windows version: Qt and liblzo2 from Debian's source, the program, its
# installer, and its tests under wine64.
windows_packages=(
  cmake ninja-build dpkg-dev qt6-base-dev qt6-base-dev-tools qt6-l10n-tools
  qt6-translations-l10n g++-mingw-w64-x86-64-posix g++-mingw-w64-i686
  wine64 nsis zip xvfb xauth x11-utils xdotool imagemagick fonts-liberation2
)
package_packages=(
  "${run_packages[@]}"
  dpkg-dev file lintian desktop-file-utils appstream xvfb xauth x11-utils
  g++-mingw-w64-i686 g++-mingw-w64-x86-64 wine64
)

packages=()
while (($#)) && [[ "$1" =~ ^(run|dev|package|windows)$ ]]; do
  set_name="${1}_packages[@]"
  packages+=("${!set_name}")
  shift
done
if ((${#packages[@]} == 0)); then
  echo "usage: scripts/setup.sh run|dev|package|windows [BUILD_DIR [--target NAME]... [cmake options...]]" >&2
  exit 2
fi

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

(($#)) || exit 0
build_dir="$1"
shift
targets=()
while (($#)) && [ "$1" = "--target" ]; do
  targets+=("$1" "$2")
  shift 2
done
# Configured at every call, so the options given always hold, also in an existing folder.
cmake -S . -B "$build_dir" -DCMAKE_BUILD_TYPE=RelWithDebInfo "$@" >/dev/null
cmake --build "$build_dir" -j "$(nproc)" "${targets[@]}"
