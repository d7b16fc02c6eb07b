#!/usr/bin/env bash
# Installs the Debian 12 packages the build and the tests need, when any is missing, then
# checks that every outside command the scripts, CMake files and tests run belongs to one of
# those packages. The check is what keeps a hand-installed package from making a green run
# that a fresh machine fails: a command whose package is not listed here stops the run.
# Safe to run again: with everything present it only checks.
set -euo pipefail

# Packages we rely on. Essential ones (bash, coreutils, grep, libc-bin, dpkg) are on every
# Debian machine; they are listed so that the commands they own pass the check.
packages=(
  bash coreutils grep sed findutils libc-bin dpkg mawk
  cmake make g++ gcc binutils
  ccache                     # compiler cache: quick rebuilds
  clang-format clang-format-14  # the layout check
  git                        # the layout and layer checks list the tracked sources
  g++-multilib               # the linux32 configuration
  qemu-user                  # runs the linux32 tests where the kernel has no 32-bit support
  g++-mingw-w64-i686-posix   # win32: the shipped DLL (GCC's C++ runtime, built with clang)
  lld lld-14 llvm llvm-14    # win32: the linker that writes PDBs (and links the MSVC-ABI host), the tools that read them
  g++-mingw-w64-x86-64-posix # win64
  gcc-mingw-w64-i686-posix gcc-mingw-w64-x86-64-posix
  binutils-mingw-w64-i686 binutils-mingw-w64-x86-64
  wine wine64 libwine        # the win64 tests (wine64 alone brings neither wine nor wineserver)
  wine32:i386                # the win32 tests: 32-bit Windows programs under Wine
  googletest                 # GoogleTest sources, built by each configuration
  nlohmann-json3-dev         # the testbed reads its layouts (JSON)
  tinyproxy-bin              # a real HTTP proxy for the proxy test
  microsocks                 # a real SOCKS5 proxy for the proxy test
  tmux                       # a terminal for the interactive launcher test
  xvfb xauth                 # an X display for the launcher's real windows under Wine
  fonts-wqy-microhei         # a CJK font, so that Chinese texts in those windows are glyphs
  fonts-wine                 # Wine's own fonts: the title bars' buttons (Marlett), system texts
  imagemagick imagemagick-6.q16  # the README's pictures: window captures cropped into PNGs
  clang clang-14             # the fuzz configuration
  libclang-rt-14-dev         # clang's libFuzzer and sanitizer runtimes: only recommended, so listed
)

# Every outside command run by scripts/, the CMake files and the tests.
commands=(
  bash sed grep seq sleep mktemp mkdir rm cat tee tr readlink nproc dirname dpkg dpkg-query iconv
  cp ln touch head tail basename ls stat cut env sha256sum xargs
  cmake ctest make gcc g++ nm objdump ccache clang-format git wc
  qemu-i386
  i686-w64-mingw32-gcc-posix i686-w64-mingw32-g++-posix i686-w64-mingw32-windres
  i686-w64-mingw32-objdump i686-w64-mingw32-nm
  x86_64-w64-mingw32-gcc-posix x86_64-w64-mingw32-g++-posix x86_64-w64-mingw32-windres
  x86_64-w64-mingw32-objdump x86_64-w64-mingw32-nm
  wine wineserver
  tinyproxy microsocks tmux
  xvfb-run Xvfb convert-im6.q16
  clang clang++ awk sort
  ld.lld lld-link llvm-objcopy llvm-objdump llvm-pdbutil llvm-readobj
)

fail() { echo "install-deps: $*" >&2; exit 1; }

# A package of several architectures ("Multi-Arch: same") answers once for each.
installed() {
  dpkg-query -W -f='${Status}\n' "$1" 2>/dev/null | grep -qx "install ok installed"
}

missing=()
for package in "${packages[@]}"; do
  installed "$package" || missing+=("$package")
done

if ((${#missing[@]} > 0)); then
  echo "Installing: ${missing[*]}"
  export DEBIAN_FRONTEND=noninteractive
  if [[ " ${missing[*]} " == *":i386 "* ]] && ! dpkg --print-foreign-architectures | grep -qx i386; then
    dpkg --add-architecture i386
  fi
  apt-get update -qq
  apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
fi

# Which packages own each command. Debian 12 merges /bin into /usr/bin but registers many
# files under /bin, and commands may be symbolic links (alternatives), so for each command
# the path as found, its /bin twin and its final target are asked, all in one dpkg query.
declare -A path_of owners_at
candidates=()
for command in "${commands[@]}"; do
  path=$(command -v "$command" 2>/dev/null) || fail "$command: not found after installing; no listed package provides it"
  [[ "$path" == /* ]] || fail "$command: is a shell builtin or function, not a program"
  path_of[$command]=$path
  candidates+=("$path" "${path/#\/usr\/bin\//\/bin\/}" "$(readlink -f "$path")")
done
while IFS= read -r line; do
  [[ "$line" == diversion* || "$line" != *": /"* ]] && continue
  owners_at[${line#*: }]=$(echo "${line%%: /*}" | tr -d ' ' | tr ',' ' ')
done < <(dpkg -S "${candidates[@]}" 2>/dev/null || true)

owners_of() {
  local path=$1 candidate
  for candidate in "$path" "${path/#\/usr\/bin\//\/bin\/}" "$(readlink -f "$path")"; do
    if [[ -n "${owners_at[$candidate]:-}" ]]; then echo "${owners_at[$candidate]}"; return; fi
  done
}

# Whether dpkg's name for an owner is in the list; ":amd64"-style suffixes of the native
# architecture are dropped, foreign ones ("wine32:i386") must be listed as they are.
native_arch=$(dpkg --print-architecture)
listed() {
  local owner=${1%:"$native_arch"} package
  for package in "${packages[@]}"; do
    [[ "$owner" == "$package" ]] && return 0
  done
  return 1
}

for command in "${commands[@]}"; do
  path=${path_of[$command]}
  owners=$(owners_of "$path")
  [[ -n "$owners" ]] || fail "$command: $path belongs to no Debian package (installed by hand?)"
  ok=0
  for owner in $owners; do listed "$owner" && ok=1; done
  ((ok)) || fail "$command: comes from package ${owners// /, }, which is not in this script's list"
done
