#!/usr/bin/env bash
# Set-up, build and run on a fresh Debian 12 machine.
#   tools/dev.sh play [zel options]   install what is missing, build the player, zeltool and the sample
#                                     game only, and play the sample game
#   tools/dev.sh test                 install what is missing, build everything, run the whole test suite
#   tools/dev.sh build                install what is missing, build everything
# Without root and without sudo nothing is installed: the packages to install are named instead.
# Environment: BUILD_DIR (default build), ZEL_WERROR=ON, ZEL_SANITIZE=ON, ZEL_BENCH=OFF.
set -euo pipefail
cd "$(dirname "$0")/.."

packages=(build-essential cmake pkg-config libsdl2-dev libpng-dev zlib1g-dev libvorbis-dev libogg-dev
  libfreetype-dev libfontconfig-dev fonts-ipafont-gothic libavformat-dev libavcodec-dev libswscale-dev
  libswresample-dev libavutil-dev libpixman-1-dev libgtest-dev libgmock-dev libbenchmark-dev
  xvfb xauth imagemagick afl++ man-db bsdextrautils)

install_missing() {
  local missing=()
  for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "ok installed" || missing+=("$p")
  done
  if ((${#missing[@]})); then
    local sudo=""
    if [[ $(id -u) -ne 0 ]]; then
      if ! command -v sudo >/dev/null 2>&1; then
        echo "dev.sh: these packages are missing; ask an administrator to install them:" >&2
        echo "  apt-get install ${missing[*]}" >&2
        return 0
      fi
      sudo="sudo"
    fi
    $sudo apt-get update -qq
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
  fi
}

# build [TARGET...]: configure, then build the given targets (everything when none are given).
build() {
  local dir=${BUILD_DIR:-build}
  cmake -S . -B "$dir" -DCMAKE_BUILD_TYPE="${BUILD_TYPE:-RelWithDebInfo}" \
    -DZEL_WERROR="${ZEL_WERROR:-OFF}" -DZEL_SANITIZE="${ZEL_SANITIZE:-OFF}" -DZEL_BENCH="${ZEL_BENCH:-ON}"
  local targets=()
  for t in "$@"; do targets+=(--target "$t"); done
  cmake --build "$dir" -j"$(nproc)" "${targets[@]}"
}

command=${1:-play}
shift || true
dir=${BUILD_DIR:-build}
case "$command" in
  play | test | build) install_missing ;;
  *) echo "usage: tools/dev.sh play|test|build" >&2; exit 2 ;;
esac
case "$command" in
  play)
    # The first window should not wait for tests and benchmarks.
    build zel zeltool sample-game
    exec "$dir/zel" "$@" ;;
  test)
    build
    export SDL_AUDIODRIVER=dummy SDL_VIDEODRIVER=dummy
    ctest --test-dir "$dir" --output-on-failure -j"$(nproc)" --timeout 600 ;;
  build) build ;;
esac
