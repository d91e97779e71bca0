#!/usr/bin/env bash
# Makes both release packages from a built quellon.exe:
#   OUTDIR/quellon-VERSION-win32.zip  one folder, Quellon, that a newer ZIP
#                                     unpacks over the old one
#   OUTDIR/quellon-VERSION.msi        the per-user Windows Installer package
# Both hold quellon.exe, the user guide as HTML with its pictures (made here
# from docs/USER-GUIDE.md, the one source) and README.txt and LICENSE.txt
# with CRLF line endings, which every Notepad shows. VERSION is the one in
# shell/version.h; QUELLON_PACKAGE_VERSION overrides it (the package test
# makes a "newer" MSI that way). Needs CMake, wixl and msibuild (msitools)
# and python3-markdown.
# Usage: make-packages.sh QUELLON_EXE OUTDIR
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
exe="$1"
mkdir -p "$2"
out="$(cd "$2" && pwd)"

part() { sed -nE "s/^#define QUELLON_VERSION_$1 ([0-9]+)$/\1/p" "$root/shell/version.h"; }
version="${QUELLON_PACKAGE_VERSION:-$(part MAJOR).$(part MINOR).$(part PATCH)}"

stage="$out/stage/Quellon"
rm -rf "$out/stage"
mkdir -p "$stage"
cp "$exe" "$stage/quellon.exe"
cp "$root/docs/config-dialog.png" "$root/docs/settings-dialog.png" "$stage/"
sed 's/\r*$/\r/' "$root/res/README.txt" > "$stage/README.txt"
sed 's/\r*$/\r/' "$root/LICENSE" > "$stage/LICENSE.txt"

# The headings get ids ("toc"), which the guide's own links point to.
{
  printf '<!DOCTYPE html>\n<html lang="en">\n<head>\n<meta http-equiv="Content-Type" content="text/html; charset=utf-8">\n'
  printf '<title>Quellon %s user guide</title>\n' "$version"
  printf '<style>body{font-family:Segoe UI,Tahoma,Arial,sans-serif;max-width:46em;margin:1em auto;padding:0 1em;line-height:1.4}'
  printf 'table{border-collapse:collapse}td,th{border:1px solid #999;padding:2px 6px}code{background:#eee}</style>\n'
  printf '</head>\n<body>\n'
  markdown_py -x toc -x tables -o html "$root/docs/USER-GUIDE.md"
  printf '</body>\n</html>\n'
} > "$stage/USER-GUIDE.html"

zip="$out/quellon-$version-win32.zip"
msi="$out/quellon-$version.msi"
rm -f "$zip" "$msi"
# wixl takes the files' folder only as a relative path.
(cd "$out/stage" && cmake -E tar cf "$zip" --format=zip Quellon &&
 wixl -a x86 -D Version="$version" -D SourceDir=Quellon -o "$msi" "$root/res/quellon.wxs")
msibuild "$msi" -q "UPDATE \`Component\` SET \`Condition\` = 'STARTUP <> \"0\"' WHERE \`Component\` = 'StartupShortcut'"
# Beside the packages, so that a download can be checked (sha256sum -c, or
# certutil -hashfile on Windows).
(cd "$out" && sha256sum "$(basename "$zip")" "$(basename "$msi")" > SHA256SUMS)
echo "$zip"
echo "$msi"
