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
# A wine32 that could not be installed is tried again after six hours, not
# at every run of a script.
unavailable=/var/tmp/quellon-wine32-unavailable
if ! have wine32:i386 && [ -z "$(find "$unavailable" -mmin -360 2>/dev/null)" ]; then
  need+=("wine32:i386")
fi

if [ ${#need[@]} -gt 0 ]; then
  export DEBIAN_FRONTEND=noninteractive
  # Runs started at the same moment install one after the other.
  exec 9>/var/tmp/quellon-setup.lock
  flock 9
  # A mirror caught mid-sync fails one index now and then ("File has
  # unexpected size"): try again, and go on with the lists that did come.
  for try in 1 2 3; do
    $SUDO apt-get update -q && break
    echo "apt-get update failed (try $try of 3)" >&2
    sleep $((try * 5))
  done
  if ! $SUDO apt-get install -y -q --no-install-recommends "${need[@]}"; then
    # wine32 needs its i386 libraries at exactly the versions of the amd64
    # ones; while the mirror lacks one, it cannot be had. Without it the
    # i686 build is still built, and the scripts run the x86_64 build, as on
    # a machine that cannot execute 32-bit programs.
    rest=()
    for p in "${need[@]}"; do [ "$p" = wine32:i386 ] || rest+=("$p"); done
    [ ${#rest[@]} -eq ${#need[@]} ] && exit 1
    touch "$unavailable"
    echo "wine32:i386 could not be installed now; going on without it" \
         "(the i686 build is built but not run)" >&2
    [ ${#rest[@]} -eq 0 ] || $SUDO apt-get install -y -q --no-install-recommends "${rest[@]}"
  fi
fi
: "$updated"
