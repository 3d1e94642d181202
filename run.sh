#!/usr/bin/env bash
# Sets everything up and starts Kiv Manager on the demo phone.
set -euo pipefail
cd "$(dirname "$0")"
scripts/setup.sh build

store="${GBP_PHONE_DIR:-${XDG_DATA_HOME:-$HOME/.local/share}/kiv-manager/phone}"
if [ ! -d "$store" ]; then
  echo "Creating the demo phone in $store"
  build/bin/kivnvm demo "$store"
fi

if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
  echo "No display found (neither DISPLAY nor WAYLAND_DISPLAY is set): run it as 'xvfb-run ./run.sh' or from a desktop session." >&2
  exit 1
fi
export GBP_PHONE_DIR="$store"
exec build/bin/KivManager
