#!/usr/bin/env bash
# Sets up a Debian 12 machine, builds koracore and then either runs the
# end-to-end demo or all tests.
#
#   bash quickstart.sh demo   install packages, build, run the demo
#   bash quickstart.sh test   install packages, build, run every test
#
# KORACORE_BUILD_DIR chooses the build folder (default: ./build);
# KORACORE_CMAKE_ARGS adds options to the configure step.
set -euo pipefail

mode=${1:-demo}
root=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
build=${KORACORE_BUILD_DIR:-$root/build}

packages=(
  cmake make g++ gcc gfortran pkg-config python3
  libgtest-dev libgmock-dev libbenchmark-dev
  libxerces-c-dev
  libudunits2-dev
  libproj-dev proj-bin proj-data libgeographiclib-dev
  pybind11-dev python3-dev python3-numpy python3-xarray python3-pyproj python3-matplotlib
  python3-netcdf4 python3-pytest netcdf-bin
  locales
)

install_packages() {
  local missing=()
  for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
  done
  if ((${#missing[@]})); then
    local sudo=()
    ((EUID == 0)) || sudo=(sudo)
    "${sudo[@]}" apt-get update
    DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y --no-install-recommends "${missing[@]}"
  fi
  # The number-parsing tests run once more under a locale with a decimal comma.
  if ! locale -a 2>/dev/null | grep -qi '^de_DE\.utf-\?8$'; then
    local sudo=()
    ((EUID == 0)) || sudo=(sudo)
    "${sudo[@]}" sed -i 's/^# *\(de_DE.UTF-8 UTF-8\)/\1/' /etc/locale.gen
    grep -q '^de_DE.UTF-8 UTF-8' /etc/locale.gen || echo 'de_DE.UTF-8 UTF-8' | "${sudo[@]}" tee -a /etc/locale.gen >/dev/null
    "${sudo[@]}" locale-gen >/dev/null
  fi
}

build_all() {
  # shellcheck disable=SC2086
  cmake -S "$root" -B "$build" ${KORACORE_CMAKE_ARGS:-}
  cmake --build "$build" -j "$(nproc)"
}

case "$mode" in
  demo)
    install_packages
    build_all
    "$build/bin/koracore-demo" "$build/demo"
    ;;
  test)
    install_packages
    build_all
    ctest --test-dir "$build" --output-on-failure -j "$(nproc)"
    ;;
  *)
    echo "usage: bash quickstart.sh demo|test" >&2
    exit 2
    ;;
esac
