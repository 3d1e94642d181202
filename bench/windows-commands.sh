#!/usr/bin/env bash
# Whole-command times of kivnvm on the demo phone: the Linux build, and the Windows build's
# kivnvm.exe under wine64 with gbp.dll in its own process and in its 64-bit link host. Each
# command runs once to warm up, then RUNS times; the median wall time of each is printed.
#   bench/windows-commands.sh [RUNS]   (after ./test.sh and scripts/windows.sh)
set -euo pipefail
cd "$(dirname "$0")/.."
runs="${1:-9}"
linux=build/bin/kivnvm
windows=build-windows/bin/kivnvm.exe
wine_run=build-windows/wine-run
for program in "$linux" "$windows" "$wine_run"; do
  [ -e "$program" ] || { echo "missing: $program (run ./test.sh and scripts/windows.sh)" >&2; exit 1; }
done

work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
store="$work/phone"
export GBP_PHONE_DIR="$store" XDG_DATA_HOME="$work/data"
"$linux" demo "$store" 2>/dev/null
# The Windows virtual phone keeps port 1 in "port1"; both builds see the same sections.
ln -s COM1 "$store/port1"
windows_store="Z:${store//\//\\}"

# median KEY NAME COMMAND...: the median of RUNS wall times in milliseconds, printed and kept
# in ms[KEY].
declare -A ms
median() {
  local key="$1" name="$2"
  shift 2
  "$@" >/dev/null 2>&1
  local times=()
  for ((run = 0; run < runs; ++run)); do
    local start end
    start=$(date +%s%N)
    "$@" >/dev/null 2>&1
    end=$(date +%s%N)
    times+=($(((end - start) / 1000000)))
  done
  local sorted
  sorted=($(printf '%s\n' "${times[@]}" | sort -n))
  ms[$key]=${sorted[$((runs / 2))]}
  printf '%-52s %6d ms  (min %d, max %d)\n' "$name" "${ms[$key]}" "${sorted[0]}" \
    "${sorted[$((runs - 1))]}"
}

median linux_start "Linux kivnvm --version" "$linux" --version
median linux_list "Linux kivnvm list" "$linux" list
# wineserver kept running between the runs, as it is while a user works, and ended after.
WINEPREFIX="$PWD/build-windows/wine-prefix" /usr/lib/wine/wineserver -p
trap 'WINEPREFIX="$PWD/build-windows/wine-prefix" /usr/lib/wine/wineserver -k; rm -rf "$work"' EXIT
export GBP_PHONE_DIR="$windows_store"
# The link host without arguments prints its usage and ends (status 2): the start of a small
# Windows program under Wine, without Qt.
median small "kiv-linkhost-win64.exe, usage only" sh -c '"$0" "$1"; [ $? -eq 2 ]' \
  "$wine_run" build-windows/bin/kiv-linkhost-win64.exe
median start "kivnvm.exe --version" "$wine_run" "$windows" --version
median list "kivnvm.exe list (gbp.dll in process)" "$wine_run" "$windows" list
median hosted_list "kivnvm.exe list --isolate (64-bit link host)" "$wine_run" "$windows" list --isolate
# link loads the library, or starts the host and takes its hello, and calls nothing.
median link "kivnvm.exe link" "$wine_run" "$windows" link
median hosted_link "kivnvm.exe link --isolate" "$wine_run" "$windows" link --isolate

echo
echo "Windows list's own work against Linux (each less its start): $(((ms[list] - ms[start]))) ms" \
  "against $(((ms[linux_list] - ms[linux_start]))) ms"
echo "(a single call through kiv-linkhost-win64.exe: build-windows/bin/bench_windowslink.exe)"
