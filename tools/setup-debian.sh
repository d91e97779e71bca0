#!/usr/bin/env bash
# Installs what building and testing Quellon needs on a Debian machine.
# Safe to run again: it installs only what is missing.
set -euo pipefail

need=()
have() { dpkg-query -W -f='${Status}' "$1" 2>/dev/null | grep -q 'install ok installed'; }

SUDO=""
if [ "$(id -u)" -ne 0 ]; then SUDO="sudo"; fi

for p in cmake make g++-mingw-w64-i686-posix g++-mingw-w64-x86-64-posix \
         binutils-mingw-w64-i686 binutils-mingw-w64-x86-64 mingw-w64-tools \
         googletest wine64 xvfb x11-apps imagemagick xauth clang-14 libclang-rt-14-dev \
         wixl msitools python3-markdown; do
  have "$p" || need+=("$p")
done

if ! dpkg --print-foreign-architectures | grep -qx i386; then
  $SUDO dpkg --add-architecture i386
  updated=0
else
  updated=1
fi
have wine32:i386 || need+=("wine32:i386")

if [ ${#need[@]} -gt 0 ]; then
  export DEBIAN_FRONTEND=noninteractive
  $SUDO apt-get update -q
  $SUDO apt-get install -y -q --no-install-recommends "${need[@]}"
fi
: "$updated"
