#!/usr/bin/env bash
# Both release packages as tools/package.sh makes them, checked as a user
# meets them: the ZIP's folder and files, then the MSI installed, updated
# over the user's files and uninstalled under Wine, in a prefix of its own
# so that no other test sees what it installs.
# Usage: check_packages.sh QUELLON_EXE WORKDIR OBJDUMP WINE64 RUN_32BIT(1|0)
set -euo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
exe="$1" work="$2" objdump="$3" wine="$4" run32="$5"
fail() { echo "FAILED: $*" >&2; exit 1; }

rm -rf "$work"
bash "$here/../tools/make-packages.sh" "$exe" "$work/release" >/dev/null
zip="$(ls "$work"/release/quellon-*-win32.zip)"
version="$(basename "$zip" | sed -E 's/^quellon-(.*)-win32\.zip$/\1/')"
newer="${version%.*}.$((${version##*.} + 1))"
QUELLON_PACKAGE_VERSION="$newer" bash "$here/../tools/make-packages.sh" "$exe" "$work/newer" >/dev/null

# A download anyone can check: the sums beside the packages, and a second
# build of this commit, in a folder of its own, gives the same bytes.
(cd "$work/release" && sha256sum --quiet -c SHA256SUMS) || fail "SHA256SUMS does not match the packages"
root="$here/.."
cmake -S "$root" -B "$work/again" -DCMAKE_TOOLCHAIN_FILE="$root/cmake/toolchain-i686-mingw.cmake" \
      -DCMAKE_BUILD_TYPE=Release -DQUELLON_TESTS=OFF >/dev/null
cmake --build "$work/again" -j "$(nproc)" --target quellon >/dev/null
cmp "$exe" "$work/again/quellon.exe" || fail "two builds of one commit differ"
echo "SHA256SUMS matches; a second build gives the same quellon.exe"

# The ZIP: one folder, Quellon, whatever the version.
listing="$(cmake -E tar tf "$zip" | sort | tr '\n' ' ')"
[ "$listing" = "Quellon/ Quellon/LICENSE.txt Quellon/README.txt Quellon/USER-GUIDE.html Quellon/config-dialog.png Quellon/quellon.exe Quellon/settings-dialog.png " ] ||
  fail "$(basename "$zip") holds: $listing"
(cd "$work" && cmake -E tar xf "$zip")
cmake -DEXE="$work/Quellon/quellon.exe" -DVERSION="$version" -DOBJDUMP="$objdump" -P "$here/check_package_exe.cmake"
for want in 'src="settings-dialog.png"' 'src="config-dialog.png"' '<h2 id="troubleshooting">' '<table>'; do
  grep -qF "$want" "$work/Quellon/USER-GUIDE.html" || fail "USER-GUIDE.html lacks $want"
done
! grep -qv $'\r$' "$work/Quellon/README.txt" "$work/Quellon/LICENSE.txt" || fail "a .txt line without CRLF"
echo "$(basename "$zip"): folder Quellon, HTML guide with its pictures, CRLF text files"

export WINEPREFIX="$work/prefix"
trap '"$(dirname "$wine")/wineserver" -k >/dev/null 2>&1 || true' EXIT
"$wine" wineboot -i >/dev/null 2>&1 </dev/null
msiexec() { "$wine" msiexec "$@" /qn >/dev/null 2>&1 </dev/null || fail "msiexec $*"; }
home="$(ls -d "$WINEPREFIX"/drive_c/users/* | grep -v /Public$ | head -1)"
program="$home/AppData/Local/Programs/Quellon"
menu="$home/AppData/Roaming/Microsoft/Windows/Start Menu/Programs"
startup="$(ls -d "$menu"/[Ss]tart[Uu]p)/Quellon.lnk"
# "version product-code" of each Programs and Features entry named Quellon.
entries() {
  for root in HKCU HKLM; do
    "$wine" reg query "$root\\Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall" /s /reg:32 2>/dev/null || true
  done | tr -d '\r' | awk 'function emit() { if (name == "Quellon") print version, code }
    /^HKEY_/ { emit(); name = version = code = "" }
    $1 == "DisplayName" { name = $3 }
    $1 == "DisplayVersion" { version = $3 }
    $1 == "UninstallString" && match($0, /\{[0-9A-Fa-f-]+\}/) { code = substr($0, RSTART, RLENGTH) }
    END { emit() }'
}
# The installed quellon.exe of this prefix (others may run elsewhere).
running() {
  for pid in $(pgrep -f 'Programs.Quellon.quellon\.exe'); do
    grep -qzx "WINEPREFIX=$WINEPREFIX" "/proc/$pid/environ" 2>/dev/null && return 0
  done; return 1; }

msiexec /i "Z:${work//\//\\}\\release\\quellon-$version.msi"
cmp -s "$program/quellon.exe" "$exe" && [ -f "$program/USER-GUIDE.html" ] || fail "nothing installed in $program"
for l in "$menu/Quellon.lnk" "$startup"; do
  grep -aqF 'Programs\Quellon\quellon.exe' "$l" 2>/dev/null || fail "no shortcut to quellon.exe: $l"
done
[ "$(entries | cut -d' ' -f1)" = "$version" ] || fail "Programs and Features: '$(entries)', not one Quellon $version"
echo "quellon-$version.msi installed: program, Start-menu and Startup shortcuts, Programs and Features $version"
if [ "$run32" = 1 ]; then
  "$wine" start /unix "$startup" >/dev/null 2>&1 </dev/null
  for _ in $(seq 300); do running && break; sleep 0.1; done
  running || fail "the Startup shortcut did not start the installed quellon.exe"
  "$wine" taskkill /f /im quellon.exe >/dev/null 2>&1 || true
  for _ in $(seq 300); do running || break; sleep 0.1; done
  echo "the Startup shortcut started the installed quellon.exe"
else
  echo "the installed quellon.exe is not started: this run does not run 32-bit programs"
fi

# The user's files, then a newer package over them, told to leave the Startup shortcut out.
head -c 98304 /dev/zero | tr '\0' 'q' | tee "$work/profile.cfg" > "$program/profile.cfg"
printf '[Settings]\r\nMouseMultiplier=70\r\n' | tee "$work/settings.ini" > "$program/settings.ini"
kept() { cmp -s "$program/profile.cfg" "$work/profile.cfg" && cmp -s "$program/settings.ini" "$work/settings.ini"; }
msiexec /i "Z:${work//\//\\}\\newer\\quellon-$newer.msi" STARTUP=0
[ "$(entries | cut -d' ' -f1)" = "$newer" ] || fail "after the update Programs and Features shows '$(entries)'"
[ -f "$program/quellon.exe" ] && [ -f "$menu/Quellon.lnk" ] && [ ! -e "$startup" ] && kept ||
  fail "the update lost the program, its Start-menu shortcut or the user's files, or kept the Startup shortcut"
echo "quellon-$newer.msi with STARTUP=0 replaced $version, kept profile.cfg and settings.ini, made no Startup shortcut"

# Uninstalled as Programs and Features does it.
msiexec "/x$(entries | cut -d' ' -f2)"
[ -z "$(entries)" ] && [ ! -e "$program/quellon.exe" ] && [ ! -e "$menu/Quellon.lnk" ] && kept ||
  fail "the uninstall left '$(entries)', the program or its shortcut, or lost the user's files"
echo "uninstalled: program and shortcuts gone, profile.cfg and settings.ini kept"
