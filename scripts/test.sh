#!/usr/bin/env bash
# Installs what is missing, builds and runs every test: once as a normal build,
# once under AddressSanitizer and UndefinedBehaviorSanitizer. The sound tests play
# through a sound server: when none runs, a private one with a null sink (no speakers)
# is started here for the tests and stopped at the end.
set -euo pipefail
cd "$(dirname "$0")/.."
export QT_QPA_PLATFORM=offscreen
source scripts/sound-server.sh

sound_server_running || export VORNHELM_NEEDS_PULSEAUDIO=1
./scripts/setup.sh build-test -DCMAKE_BUILD_TYPE=Debug
sound_server_start
ctest --test-dir build-test --output-on-failure -j"$(nproc)"

./scripts/setup.sh build-asan -DCMAKE_BUILD_TYPE=Debug -DVORNHELM_SANITIZE=ON
# The toolkit keeps allocations of its own until exit: leaks are not ours to chase.
ASAN_OPTIONS=detect_leaks=0 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
  ctest --test-dir build-asan --output-on-failure -j"$(nproc)"
