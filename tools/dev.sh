#!/usr/bin/env bash
# Set-up, build and run on a fresh Debian 12 machine.
#   tools/dev.sh play [zel options]   install what is missing, build, play the sample game
#   tools/dev.sh test                 install what is missing, build, run the whole test suite
# Environment: BUILD_DIR (default build), ZEL_WERROR=ON, ZEL_SANITIZE=ON, ZEL_BENCH=OFF.
set -euo pipefail
cd "$(dirname "$0")/.."

packages=(build-essential cmake pkg-config libsdl2-dev libpng-dev zlib1g-dev libvorbis-dev libogg-dev
  libfreetype-dev libfontconfig-dev fonts-ipafont-gothic libavformat-dev libavcodec-dev libswscale-dev
  libswresample-dev libavutil-dev libpixman-1-dev libgtest-dev libgmock-dev libbenchmark-dev
  xvfb xauth imagemagick)

install_missing() {
  local missing=()
  for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "ok installed" || missing+=("$p")
  done
  if ((${#missing[@]})); then
    local sudo=""
    [[ $(id -u) -ne 0 ]] && sudo="sudo"
    $sudo apt-get update -qq
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
  fi
}

build() {
  local dir=${BUILD_DIR:-build}
  cmake -S . -B "$dir" -DCMAKE_BUILD_TYPE="${BUILD_TYPE:-RelWithDebInfo}" \
    -DZEL_WERROR="${ZEL_WERROR:-OFF}" -DZEL_SANITIZE="${ZEL_SANITIZE:-OFF}" -DZEL_BENCH="${ZEL_BENCH:-ON}"
  cmake --build "$dir" -j"$(nproc)"
}

command=${1:-play}
shift || true
install_missing
build
dir=${BUILD_DIR:-build}
case "$command" in
  play) exec "$dir/zel" "$@" ;;
  test)
    export SDL_AUDIODRIVER=dummy SDL_VIDEODRIVER=dummy
    ctest --test-dir "$dir" --output-on-failure -j"$(nproc)" --timeout 600 ;;
  build) ;;
  *) echo "usage: tools/dev.sh play|test|build" >&2; exit 2 ;;
esac
