#!/usr/bin/env bash
# Builds what running needs (KivManager, kivnvm, the virtual phone, the link host) in build-run,
# creates the demo phone when the store has none on COM1, and starts Kiv Manager on it.
set -euo pipefail
cd "$(dirname "$0")"

if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
  cat >&2 <<'TEXT'
No display found (neither DISPLAY nor WAYLAND_DISPLAY is set), so the window cannot open.
Run ./run.sh from a desktop session. On a machine without a desktop (a server, a
container), run it on a virtual display instead:
  apt-get install xvfb xauth
  xvfb-run -a ./run.sh
TEXT
  exit 1
fi

# One translation unit per batch of sources and the common headers precompiled: the first
# build takes about half the time.
scripts/setup.sh run build-run --target KivManager --target kivnvm --target gbp --target kiv-linkhost \
  -DBUILD_TESTING=OFF -DKIV_PCH=ON -DCMAKE_UNITY_BUILD=ON

store="${GBP_PHONE_DIR:-${XDG_DATA_HOME:-$HOME/.local/share}/kiv-manager/phone}"
if [ -z "$(ls -A "$store/COM1" 2>/dev/null)" ]; then
  echo "Creating the demo phone in $store"
  build-run/bin/kivnvm demo "$store"
fi
export GBP_PHONE_DIR="$store"
exec build-run/bin/KivManager
