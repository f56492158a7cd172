#!/usr/bin/env bash
# Installs what is missing, builds, and starts the game.
set -euo pipefail
cd "$(dirname "$0")/.."
./scripts/setup.sh build-play -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVORNHELM_TESTS=OFF
exec ./build-play/vornhelm "$@"
