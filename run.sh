#!/usr/bin/env bash
# Installs what is missing, builds, and starts the program on the installation laid out in build/dist/.
set -euo pipefail
cd "$(dirname "$0")"
scripts/setup.sh
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ] && [ -z "${QT_QPA_PLATFORM:-}" ]; then
    echo "No display is available: set DISPLAY (or run under xvfb-run) to start the program." >&2
    exit 1
fi
exec build/dist/volby "$@"
