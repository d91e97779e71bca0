#!/usr/bin/env bash
# Both release packages as tools/package.sh makes them, checked as a user
# meets them: the ZIP's folder and files (the HTML guide with its pictures,
# CRLF text files, the release exe), then the MSI installed, updated with a
# newer one over the user's files and uninstalled under Wine, in a prefix of
# its own so that no other test sees what it installs.
# Usage: check_packages.sh QUELLON_EXE WORKDIR OBJDUMP WINE64 RUN_32BIT(1|0)
set -euo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
exe="$1" work="$2" objdump="$3" wine="$4" run32="$5"
wineserver="$(dirname "$wine")/wineserver"

fail() { echo "FAILED: $*" >&2; exit 1; }

rm -rf "$work"
mkdir -p "$work"
bash "$here/../tools/make-packages.sh" "$exe" "$work/release" >/dev/null
zip="$(ls "$work"/release/quellon-*-win32.zip)"
version="$(basename "$zip" | sed -E 's/^quellon-(.*)-win32\.zip$/\1/')"
msi="$work/release/quellon-$version.msi"
[ -f "$msi" ] || fail "no quellon-$version.msi beside $(basename "$zip")"
newer="${version%.*}.$((${version##*.} + 1))"
QUELLON_PACKAGE_VERSION="$newer" bash "$here/../tools/make-packages.sh" "$exe" "$work/newer" >/dev/null

# The ZIP: one folder, Quellon, whatever the version.
expected="Quellon/ Quellon/LICENSE.txt Quellon/README.txt Quellon/USER-GUIDE.html Quellon/config-dialog.png Quellon/quellon.exe Quellon/settings-dialog.png"
listing="$(cmake -E tar tf "$zip" | sort | tr '\n' ' ')"
[ "$listing" = "$expected " ] || fail "$(basename "$zip") holds: $listing"
(cd "$work" && cmake -E tar xf "$zip")
folder="$work/Quellon"
cmake -DEXE="$folder/quellon.exe" -DVERSION="$version" -DOBJDUMP="$objdump" -P "$here/check_package_exe.cmake"
guide="$folder/USER-GUIDE.html"
for want in '<img alt="The Settings dialog" src="settings-dialog.png">' 'src="config-dialog.png"' \
            '<h2 id="troubleshooting">' '<a href="#troubleshooting">' '<table>'; do
  grep -qF "$want" "$guide" || fail "USER-GUIDE.html lacks $want"
done
for f in README.txt LICENSE.txt; do
  [ -s "$folder/$f" ] && ! grep -q $'[^\r]$' "$folder/$f" || fail "$f has lines that do not end in CRLF"
done
echo "$(basename "$zip"): folder Quellon, HTML guide with its pictures, CRLF text files"

# The MSI, in a fresh prefix of its own.
export WINEPREFIX="$work/prefix"
trap '"$wineserver" -k >/dev/null 2>&1 || true' EXIT
"$wine" wineboot -i >/dev/null 2>&1 </dev/null
msiexec() { "$wine" msiexec "$@" /qn >/dev/null 2>&1 </dev/null || fail "msiexec $*"; }
winpath() { echo "Z:${1//\//\\}"; }
user="$(ls "$WINEPREFIX/drive_c/users" | grep -vx Public | head -1)"
home="$WINEPREFIX/drive_c/users/$user"
program="$home/AppData/Local/Programs/Quellon"
menu="$home/AppData/Roaming/Microsoft/Windows/Start Menu/Programs"
startmenu="$menu/Quellon.lnk"
startup="$(ls -d "$menu"/[Ss]tart[Uu]p)/Quellon.lnk"

# "version product-code" of each Programs and Features entry named Quellon.
entries() {
  for root in HKCU HKLM; do
    "$wine" reg query "$root\\Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall" /s /reg:32 2>/dev/null || true
  done | tr -d '\r' | awk '
    function emit() { if (name == "Quellon") print version, code }
    /^HKEY_/ { emit(); name = version = code = "" }
    $1 == "DisplayName" { name = $3 }
    $1 == "DisplayVersion" { version = $3 }
    $1 == "UninstallString" { match($0, /\{[0-9A-Fa-f-]+\}/); code = substr($0, RSTART, RLENGTH) }
    END { emit() }'
}
lnk_target() { iconv -f UTF-16LE -t UTF-8 "$1" 2>/dev/null | tr -d '\0' | grep -aqi 'Programs\\Quellon\\quellon.exe' ||
               strings -a "$1" | grep -qi 'Programs\\Quellon\\quellon.exe'; }
# The installed quellon.exe of this prefix (others may run elsewhere).
running() {
  local pid
  for pid in $(pgrep -f 'Programs.Quellon.quellon\.exe'); do
    grep -qzx "WINEPREFIX=$WINEPREFIX" "/proc/$pid/environ" 2>/dev/null && return 0
  done
  return 1
}

msiexec /i "$(winpath "$msi")"
cmp -s "$program/quellon.exe" "$exe" || fail "the MSI did not install quellon.exe in $program"
for f in USER-GUIDE.html config-dialog.png settings-dialog.png README.txt LICENSE.txt; do
  [ -f "$program/$f" ] || fail "the MSI did not install $f"
done
for l in "$startmenu" "$startup"; do
  [ -f "$l" ] && lnk_target "$l" || fail "no shortcut to the installed quellon.exe: $l"
done
[ "$(entries | cut -d' ' -f1)" = "$version" ] || fail "Programs and Features: '$(entries)', not one Quellon $version"
echo "quellon-$version.msi installed: program, Start-menu and Startup shortcuts, Programs and Features $version"

if [ "$run32" = 1 ]; then
  "$wine" start /unix "$startup" >/dev/null 2>&1 </dev/null
  for _ in $(seq 1 300); do running && break; sleep 0.1; done
  running || fail "the Startup shortcut did not start the installed quellon.exe"
  "$wine" taskkill /f /im quellon.exe >/dev/null 2>&1 || true
  for _ in $(seq 1 300); do running || break; sleep 0.1; done
  echo "the Startup shortcut started the installed quellon.exe"
else
  echo "the installed quellon.exe is not started: this run does not run 32-bit programs"
fi

# The user's files, then a newer package over them; STARTUP=0 leaves the
# Startup shortcut out.
head -c 98304 /dev/zero | tr '\0' 'q' > "$program/profile.cfg"
printf '[Settings]\r\nMouseMultiplier=70\r\n' > "$program/settings.ini"
cp "$program/profile.cfg" "$program/settings.ini" "$work/"
msiexec /i "$(winpath "$work/newer/quellon-$newer.msi")" STARTUP=0
[ "$(entries | cut -d' ' -f1)" = "$newer" ] || fail "after the update Programs and Features shows '$(entries)', not one Quellon $newer"
[ -f "$program/quellon.exe" ] && [ -f "$startmenu" ] || fail "the update lost the program or its Start-menu shortcut"
[ ! -e "$startup" ] || fail "STARTUP=0 left a Startup shortcut"
for f in profile.cfg settings.ini; do
  cmp -s "$program/$f" "$work/$f" || fail "the update changed or removed $f"
done
echo "quellon-$newer.msi with STARTUP=0 replaced $version, kept profile.cfg and settings.ini, made no Startup shortcut"

# Uninstalled the way Programs and Features does it.
msiexec /x"$(entries | cut -d' ' -f2)"
[ -z "$(entries)" ] || fail "Programs and Features still shows $(entries)"
[ ! -e "$program/quellon.exe" ] && [ ! -e "$startmenu" ] || fail "the uninstall left the program or its shortcut"
for f in profile.cfg settings.ini; do
  cmp -s "$program/$f" "$work/$f" || fail "the uninstall changed or removed $f"
done
echo "uninstalled: program and shortcuts gone, profile.cfg and settings.ini kept"
