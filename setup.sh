#!/usr/bin/env bash
# Sets Tavrol32 up on a Debian or Ubuntu machine: installs the packages that are missing, builds,
# and then starts the program, runs every test, or writes the Debian package.
#
#   ./setup.sh run      build the release and start tavrol32
#   ./setup.sh test     build with warnings as errors and run the whole test suite through ctest
#   ./setup.sh package  build the release and write build/release/tavrol32_<version>_<arch>.deb
set -euo pipefail
cd "$(dirname "$0")"

mode=${1:-}
case "$mode" in
run | test | package) ;;
*)
    echo "usage: $0 run|test|package" >&2
    exit 2
    ;;
esac

as_root() {
    if [ "$(id -u)" -eq 0 ]; then
        "$@"
    elif command -v sudo >/dev/null; then
        sudo "$@"
    else
        echo "Installing packages needs root, and sudo is not installed. As root, run:" >&2
        echo "    apt-get update && apt-get install ${missing[*]}" >&2
        echo "then run $0 $mode again as yourself." >&2
        exit 1
    fi
}

# qt6-wayland lets a Wayland session (GNOME's and KDE's default) show the window natively.
packages=(cmake ninja-build g++ pkg-config qt6-base-dev libgl-dev fontconfig fonts-liberation2 qt6-wayland)
# cpack reads the programs' library dependencies with dpkg-shlibdeps (dpkg-dev), which needs file.
if [ "$mode" = test ] || [ "$mode" = package ]; then
    packages+=(dpkg-dev file)
fi
if [ "$mode" = test ]; then
    # fonts-dejavu-core: one test draws both windows with DejaVu alone, as on a system without Liberation.
    packages+=(libgtest-dev libgmock-dev libbenchmark-dev locales cups cups-client printer-driver-cups-pdf poppler-utils
        desktop-file-utils appstream fonts-dejavu-core)
fi

missing=()
for package in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed' || missing+=("$package")
done
if [ ${#missing[@]} -gt 0 ]; then
    echo "Installing: ${missing[*]}"
    as_root apt-get update -qq
    as_root env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi

if [ "$mode" = test ]; then
    # One test run proves that number text ignores a comma-decimal locale; make sure one exists.
    if ! locale -a 2>/dev/null | grep -qix 'de_DE\.utf-\?8'; then
        as_root localedef -i de_DE -f UTF-8 de_DE.UTF-8
    fi
    cmake --preset dev
    cmake --build --preset dev
    ctest --preset dev
elif [ "$mode" = package ]; then
    cmake --preset release
    cmake --build --preset release
    (cd build/release && cpack)
    echo "Written: $(ls build/release/tavrol32_*.deb). Install it with: sudo apt-get install ./build/release/tavrol32_*.deb"
else
    cmake --preset release
    cmake --build --preset release
    if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
        echo "Built build/release/app/desktop/tavrol32, but there is no display to start it on." >&2
        exit 1
    fi
    exec build/release/app/desktop/tavrol32
fi
