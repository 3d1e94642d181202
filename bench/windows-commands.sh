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

# median NAME COMMAND...: the median of RUNS wall times, in milliseconds.
median() {
  local name="$1"
  shift
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
  printf '%-52s %6d ms  (min %d, max %d)\n' "$name" "${sorted[$((runs / 2))]}" "${sorted[0]}" \
    "${sorted[$((runs - 1))]}"
}

median "Linux kivnvm list" "$linux" list
# wineserver kept running between the runs, as it is while a user works, and ended after.
WINEPREFIX="$PWD/build-windows/wine-prefix" /usr/lib/wine/wineserver -p
trap 'WINEPREFIX="$PWD/build-windows/wine-prefix" /usr/lib/wine/wineserver -k; rm -rf "$work"' EXIT
GBP_PHONE_DIR="$windows_store" median "kivnvm.exe list (gbp.dll in process)" \
  "$wine_run" "$windows" list
GBP_PHONE_DIR="$windows_store" median "kivnvm.exe list --isolate (64-bit link host)" \
  "$wine_run" "$windows" list --isolate
