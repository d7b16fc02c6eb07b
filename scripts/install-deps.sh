#!/usr/bin/env bash
# Installs the Debian packages the build and the tests need, when any is missing.
# Safe to run again: with everything present it only checks.
set -euo pipefail

packages=(
  cmake make g++ gcc
  g++-multilib               # the linux32 configuration
  qemu-user                  # runs the linux32 tests where the kernel has no 32-bit support
  g++-mingw-w64-i686         # win32: the shipped DLL
  g++-mingw-w64-x86-64       # win64
  wine64                     # runs the win64 tests
  googletest                 # GoogleTest sources, built by each configuration
  nlohmann-json3-dev         # the testbed reads its layouts (JSON)
  tinyproxy                  # a real HTTP proxy for the proxy test
  microsocks                 # a real SOCKS5 proxy for the proxy test
  tmux                       # a terminal for the interactive launcher test
)

missing=()
for package in "${packages[@]}"; do
  status=$(dpkg-query -W -f='${Status}' "$package" 2>/dev/null || true)
  [[ "$status" == "install ok installed" ]] || missing+=("$package")
done

if ((${#missing[@]} > 0)); then
  echo "Installing: ${missing[*]}"
  export DEBIAN_FRONTEND=noninteractive
  apt-get update -qq
  apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
fi
