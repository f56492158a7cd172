#!/usr/bin/env bash
# Installs what the build needs and is missing (Debian 12), then configures and
# builds into the folder given as $1 with the extra CMake arguments that follow.
set -euo pipefail
cd "$(dirname "$0")/.."

packages=(g++ cmake ninja-build pkg-config qt6-base-dev qt6-multimedia-dev libgtest-dev libbenchmark-dev
          fonts-dejavu-core gstreamer1.0-plugins-good gstreamer1.0-pulseaudio)
# The tests' own sound server, when the machine runs none (a desktop has its own).
if [ "${VORNHELM_NEEDS_PULSEAUDIO:-0}" = 1 ]; then packages+=(pulseaudio); fi
missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$p")
  fi
done
if [ ${#missing[@]} -gt 0 ]; then
  echo "Installing: ${missing[*]}"
  sudo_cmd=()
  if [ "$(id -u)" -ne 0 ]; then sudo_cmd=(sudo); fi
  "${sudo_cmd[@]}" env DEBIAN_FRONTEND=noninteractive apt-get update -qq
  "${sudo_cmd[@]}" env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq "${missing[@]}"
fi

build_dir=${1:-build}
shift || true
cmake -S . -B "$build_dir" -G Ninja "$@" >/dev/null
cmake --build "$build_dir" -- -j"$(nproc)"
