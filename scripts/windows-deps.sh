#!/usr/bin/env bash
# Builds what the Windows version links against and Debian does not ship for mingw-w64:
# Qt (qtbase: Core, Gui, Widgets, Test, the Windows and offscreen platform plugins) and
# liblzo2, both from Debian's own source of the host's versions, into a cache outside the
# tree, one folder per version. A folder already built is used as it is.
#   scripts/windows-deps.sh          prints the two folders, QT_DIR then LZO_DIR
# KIV_QT_WINDOWS=DIR names a Qt for Windows built elsewhere; KIV_WINDOWS_CACHE moves the
# cache (default ~/.cache/kiv-manager).
set -euo pipefail
cd "$(dirname "$0")/.."

cache="${KIV_WINDOWS_CACHE:-${XDG_CACHE_HOME:-$HOME/.cache}/kiv-manager}"
upstream_version() { dpkg-query -W -f='${Version}' "$1" | sed -e 's/^[0-9]*://' -e 's/[+~-].*//'; }
debian_version() { dpkg-query -W -f='${Version}' "$1"; }

scripts/setup.sh windows >&2
qt_version="$(upstream_version qt6-base-dev)"
lzo_version="$(upstream_version liblzo2-dev)"
qt_dir="${KIV_QT_WINDOWS:-$cache/qt-$qt_version-windows-x64}"
lzo_dir="$cache/lzo-$lzo_version-windows-x64"
stamp=kiv-built

# apt-get source needs a deb-src entry for the suite the machine runs.
fetch_source() {
  local package="$1" version="$2" into="$3"
  if ! apt-get source --print-uris "$package=$version" >/dev/null 2>&1; then
    local suite
    suite="$(. /etc/os-release && echo "$VERSION_CODENAME")"
    local sudo=""
    if [ "$(id -u)" -ne 0 ]; then sudo="sudo"; fi
    echo "Adding a deb-src entry for $suite, to fetch Debian's source of $package" >&2
    printf 'Types: deb-src\nURIs: http://deb.debian.org/debian\nSuites: %s %s-updates\nComponents: main\nSigned-By: /usr/share/keyrings/debian-archive-keyring.gpg\n' \
      "$suite" "$suite" | $sudo tee /etc/apt/sources.list.d/kiv-manager-src.sources >/dev/null
    $sudo apt-get update -qq
  fi
  mkdir -p "$into"
  (cd "$into" && apt-get source -qq "$package=$version" >&2)
}

build_lzo() {
  [ -f "$lzo_dir/$stamp" ] && return
  echo "Building liblzo2 $lzo_version for Windows (under a minute)" >&2
  local work
  work="$(mktemp -d)"
  trap 'rm -rf "$work"' RETURN
  fetch_source lzo2 "$(debian_version liblzo2-dev)" "$work"
  local src
  src="$(find "$work" -maxdepth 1 -mindepth 1 -type d -name 'lzo2-*' | head -1)"
  cmake -S "$src" -B "$work/build" -G Ninja -DCMAKE_TOOLCHAIN_FILE="$PWD/cmake/mingw-w64-x86_64.cmake" \
    -DCMAKE_BUILD_TYPE=Release -DENABLE_STATIC=ON -DENABLE_SHARED=OFF \
    -DCMAKE_INSTALL_PREFIX="$lzo_dir" >/dev/null
  cmake --build "$work/build" --target lzo_static_lib >&2
  mkdir -p "$lzo_dir/lib" "$lzo_dir/include"
  cp "$work/build/liblzo2.a" "$lzo_dir/lib/"
  cp -r "$src/include/lzo" "$lzo_dir/include/"
  touch "$lzo_dir/$stamp"
}

build_qt() {
  [ -f "$qt_dir/$stamp" ] && return
  if [ -n "${KIV_QT_WINDOWS:-}" ]; then
    echo "KIV_QT_WINDOWS=$KIV_QT_WINDOWS holds no Qt built by this script ($stamp is missing)" >&2
    exit 1
  fi
  echo "Building Qt $qt_version for Windows into $qt_dir." >&2
  echo "This is done once per Qt version: about 25 minutes on 2 cores, 90 MB installed." >&2
  local work
  work="$(mktemp -d)"
  trap 'rm -rf "$work"' RETURN
  fetch_source qt6-base "$(debian_version qt6-base-dev)" "$work"
  local src
  src="$(find "$work" -maxdepth 1 -mindepth 1 -type d -name 'qt6-base-*' | head -1)"
  # Only what the program uses. OpenGL and Direct2D stay on: the Windows platform plugin of
  # this Qt version does not compile without the one, nor link without the other.
  cmake -S "$src" -B "$work/build" -G Ninja \
    -DCMAKE_TOOLCHAIN_FILE="$PWD/cmake/mingw-w64-x86_64.cmake" \
    -DQT_HOST_PATH=/usr -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake \
    -DCMAKE_INSTALL_PREFIX="$qt_dir" -DCMAKE_BUILD_TYPE=Release -DBUILD_SHARED_LIBS=ON \
    -DQT_BUILD_EXAMPLES=OFF -DQT_BUILD_TESTS=OFF -DQT_BUILD_BENCHMARKS=OFF \
    -DFEATURE_network=OFF -DFEATURE_sql=OFF -DFEATURE_dbus=OFF -DFEATURE_xml=OFF \
    -DFEATURE_printsupport=OFF -DFEATURE_concurrent=OFF -DFEATURE_vulkan=OFF \
    -DFEATURE_tabletevent=OFF -DFEATURE_jpeg=OFF \
    -DFEATURE_system_zlib=OFF -DFEATURE_system_pcre2=OFF -DFEATURE_system_harfbuzz=OFF \
    -DFEATURE_system_freetype=OFF -DFEATURE_system_png=OFF -DFEATURE_sql_sqlite=OFF \
    -DFEATURE_zstd=OFF >"$work/configure.log" 2>&1 || { tail -40 "$work/configure.log" >&2; exit 1; }
  # Ninja's [done/total] line is the progress.
  cmake --build "$work/build" --parallel "$(nproc)" >&2
  cmake --install "$work/build" >/dev/null
  touch "$qt_dir/$stamp"
}

build_lzo
build_qt
echo "$qt_dir"
echo "$lzo_dir"
