#!/usr/bin/env bash
# Takes the user guide's pictures anew from the real window under Xvfb, into docs/obrazky/:
# docs/screenshots.sh [build folder]   (build/ unless given; the program is built first)
# The program runs on a copy of the installation with a home and settings of its own, so that neither
# the pictures nor the maintainer's own settings show anything of the other.
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build}
cmake --build "$build" --target volby_screenshots installation
home=$(mktemp -d)
trap 'rm -rf "$home"' EXIT
mkdir -p "$home/komisia"
HOME=$home/komisia XDG_CONFIG_HOME=$home/config XDG_DATA_HOME=$home/data \
    xvfb-run -a -s "-screen 0 1280x1024x24" "$build/docs/volby_screenshots" "$build/dist" docs/obrazky
