#!/usr/bin/env bash
# Sets up what is missing, builds, and runs every test headless.
set -euo pipefail
cd "$(dirname "$0")"
scripts/setup.sh build
export SDL_VIDEODRIVER=offscreen ALSOFT_DRIVERS=null
ctest --test-dir build -j "$(nproc)" --output-on-failure
