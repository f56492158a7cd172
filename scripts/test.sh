#!/usr/bin/env bash
# Installs what is missing, builds and runs every test: once as a normal build,
# once under AddressSanitizer and UndefinedBehaviorSanitizer. The sound tests play
# through a sound server: when none runs, a private one with a null sink (no speakers)
# is started here for the tests and stopped at the end.
set -euo pipefail
cd "$(dirname "$0")/.."
export QT_QPA_PLATFORM=offscreen VORNHELM_TEST_PACKAGES=1
source scripts/sound-server.sh

sound_server_running || export VORNHELM_NEEDS_PULSEAUDIO=1
# Line tables are all the debug information a failing test's stack trace needs; the full one
# costs a fifth of the build.
debug=(-DCMAKE_BUILD_TYPE=Debug -DCMAKE_CXX_FLAGS_DEBUG=-g1)
./scripts/setup.sh build-test "${debug[@]}"
sound_server_start
ctest --test-dir build-test --output-on-failure -j"$(nproc)"

./scripts/setup.sh build-asan "${debug[@]}" -DVORNHELM_SANITIZE=ON
# The toolkit keeps allocations of its own until exit: leaks are not ours to chase.
ASAN_OPTIONS=detect_leaks=0 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
  ctest --test-dir build-asan --output-on-failure -j"$(nproc)"
