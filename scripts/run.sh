#!/usr/bin/env bash
# Builds GlimmerHut and starts it; arguments go to the program.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
cmake -S . -B build -G Ninja
cmake --build build
exec build/glimmerhut "$@"
