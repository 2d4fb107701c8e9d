#!/usr/bin/env bash
# Installs the Debian packages the build, the game and the tests need, when any is missing.
# As root it runs apt-get; otherwise it prints the one command to run and fails.
set -euo pipefail

# Every command the build, the tests and the package build call comes from one of these or
# from Debian's essential set (a minbase root holds no more): CPack's DEB generator needs
# `file` and dpkg-shlibdeps (dpkg-dev), the package test objdump (binutils, with g++) and
# desktop-file-validate, the end-to-end tests xvfb-run (xvfb, xauth) and xdotool; the web
# page emscripten, and its test headless chromium driven by python3-selenium (python3-pil
# reads the golden screens); the format check clang-format.
packages=(cmake ninja-build g++ pkg-config libsdl2-dev libpng-dev libfreetype-dev
          libfontconfig-dev fonts-liberation libgtest-dev libgmock-dev libbenchmark-dev
          xvfb xauth xdotool valgrind dpkg-dev desktop-file-utils file
          emscripten chromium chromium-driver python3-selenium python3-pil clang-format)

missing=()
for p in "${packages[@]}"; do
    status=$(dpkg-query -W -f='${Status}' "$p" 2>/dev/null || true)
    [[ "$status" == "install ok installed" ]] || missing+=("$p")
done

if ((${#missing[@]} == 0)); then
    exit 0
fi

if [[ $(id -u) -eq 0 ]]; then
    echo "Installing: ${missing[*]}"
    export DEBIAN_FRONTEND=noninteractive
    apt-get update -qq
    apt-get install -y -qq --no-install-recommends "${missing[@]}"
else
    echo "Missing packages. Run this once, then try again:" >&2
    echo "  sudo apt-get install -y ${missing[*]}" >&2
    exit 1
fi
