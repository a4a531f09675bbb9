#!/usr/bin/env bash
# Sets up what is missing, builds the program and its data (no tests, no
# benchmarks), and starts the game.
set -euo pipefail
cd "$(dirname "$0")"
scripts/setup.sh build tamrisk
exec build/game/tamrisk "$@"
