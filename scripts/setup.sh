#!/usr/bin/env bash
# Installs the Debian packages the build needs (only those missing), then
# configures and builds with every core: the targets named, else all.
# Usage: scripts/setup.sh [build dir [target...]]
set -euo pipefail
cd "$(dirname "$0")/.."
build_dir="${1:-build}"
targets=("${@:2}")

packages=(cmake ninja-build g++ pkg-config googletest libgtest-dev libgmock-dev libbenchmark-dev
          libsdl2-dev libgl-dev libgl1-mesa-dri libegl-mesa0 libopenal-dev libjpeg62-turbo-dev libvorbis-dev libogg-dev
          libfreetype-dev fonts-dejavu-core xvfb xauth)
missing=()
for package in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed" || missing+=("$package")
done
if [ ${#missing[@]} -gt 0 ]; then
    sudo_cmd=""
    [ "$(id -u)" -eq 0 ] || sudo_cmd="sudo"
    $sudo_cmd apt-get update
    DEBIAN_FRONTEND=noninteractive $sudo_cmd apt-get install -y "${missing[@]}"
fi

cmake -S . -B "$build_dir" -G Ninja
cmake --build "$build_dir" -j "$(nproc)" ${targets[@]+--target "${targets[@]}"}
