#!/usr/bin/env bash
# Builds GlimmerHut and starts it; arguments go to the program.
# Only the program and its game.dat are built: the tests and benchmarks are scripts/test.sh's to build.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
cmake -S . -B build -G Ninja
cmake --build build --target glimmerhut gh_game_dat
exec build/glimmerhut "$@"
