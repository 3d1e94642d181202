#!/usr/bin/env bash
# Builds Kiv Manager for 64-bit Windows in build-windows/: KivManager.exe, kivnvm.exe, both link
# hosts, the virtual phone and the tests, with Qt and liblzo2 from scripts/windows-deps.sh.
# Then makes what a Windows user downloads, in build-windows/dist/: a portable zip and a
# 64-bit NSIS installer, named with the version and windows-x64.
#   scripts/windows.sh          build and package
#   scripts/windows.sh --test   the same, then every Windows test under wine64 (CTest)
set -euo pipefail
cd "$(dirname "$0")/.."

run_tests="${1:-}"

mapfile -t deps < <(scripts/windows-deps.sh)
qt_dir="${deps[0]}"
lzo_dir="${deps[1]}"
build=build-windows

cmake -S . -B "$build" -G Ninja -DCMAKE_TOOLCHAIN_FILE="$PWD/cmake/mingw-w64-x86_64.cmake" \
  -DKIV_WINDOWS_PREFIXES="$qt_dir;$lzo_dir" -DCMAKE_PREFIX_PATH="$qt_dir" \
  -DQT_HOST_PATH=/usr -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake \
  -DKIV_LZO_WINDOWS="$lzo_dir" -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=ON \
  -DKIV_WERROR=ON -DCMAKE_UNITY_BUILD=ON >/dev/null
cmake --build "$build" -j "$(nproc)"

# The copy as a user gets it, then the zip of it and the installer that puts it in place.
version="$(sed -n 's/^project(KivManager VERSION \([0-9.]*\).*/\1/p' CMakeLists.txt)"
name="KivManager-$version-windows-x64"
stage="$build/stage/$name"
dist="$build/dist"
rm -rf "$build/stage" "$dist"
mkdir -p "$dist"
cmake --install "$build" --prefix "$stage" >/dev/null
(cd "$build/stage" && zip -qr9 "../dist/$name.zip" "$name")
# The uninstaller removes each file and folder of the copy, innermost first, and nothing else.
files="$build/stage/files.nsh"
(
  cd "$stage"
  find . -type f | sort | sed -e 's|^\./||' -e 's|/|\\|g' -e 's|.*|  Delete "$INSTDIR\\&"|'
  find . -mindepth 1 -type d | sort -r | sed -e 's|^\./||' -e 's|/|\\|g' -e 's|.*|  RMDir "$INSTDIR\\&"|'
) >"$files"
makensis -V2 -DVERSION="$version" -DSTAGE="$PWD/$stage" -DFILES="$PWD/$files" \
  -DOUTFILE="$PWD/$dist/$name-setup.exe" packaging/windows/installer.nsi
ls -l "$dist"

if [ "$run_tests" = --test ]; then
  ctest --test-dir "$build" --output-on-failure -j 2
fi
