#!/usr/bin/env bash
# Checks a built Debian package as a user would meet it: its fields, lintian (no error, no warning),
# the software-centre entry, the manual pages and the desktop entry, and then the installed tree:
# unpacked into a scratch root, every program starts and veldran-convert converts a capture.
# Usage: check-package.sh veldran_<version>_<arch>.deb
set -euo pipefail

here=$(cd "$(dirname "$0")" && pwd)
deb=$(realpath "${1:?usage: check-package.sh PACKAGE.deb}")
root=$(mktemp -d)
trap 'rm -rf "$root"' EXIT
fail() { echo "check-package: $*" >&2; exit 1; }

field() { dpkg-deb --field "$deb" "$1"; }
version=$(field Version)
[ "$(field Package)" = veldran ] || fail "package name is $(field Package)"
[ "$(field Section)" = electronics ] || fail "section is $(field Section)"
case "$(field Depends)" in
  *libqt6widgets6*libzip4* | *libzip4*libqt6widgets6*) ;;
  *) fail "dependencies not from the libraries the programs link: $(field Depends)" ;;
esac

# Lintian's verdict, with every tag it has to say.
lintian --fail-on error,warning --display-info "$deb" || fail "lintian reports errors or warnings (above)"

dpkg-deb -x "$deb" "$root"
for program in veldran veldran-capture veldran-convert veldran-analyze veldran-sim; do
  file "$root/usr/bin/$program" | grep -q ', stripped' || fail "$program is not stripped"
  out=$("$root/usr/bin/$program" --version) || fail "$program --version failed"
  [ "$out" = "VELDRAN $version" ] || [ "$out" = "$program $version" ] || fail "$program --version says: $out"
  page=$root/usr/share/man/man1/$program.1.gz
  [ -f "$page" ] || fail "no manual page for $program"
  warnings=$(LC_ALL=C.UTF-8 MANWIDTH=80 man --warnings -l "$page" 2>&1 >/dev/null)
  [ -z "$warnings" ] || fail "man --warnings on $program.1: $warnings"
done

# The installed converter turns a capture into the rows its peers read.
sample=$here/../tests/data/capture/three_lines.vxr
"$root/usr/bin/veldran-convert" "$sample" "$root/three_lines.csv" || fail "veldran-convert failed"
cmp -s "$root/three_lines.csv" "$here/../tests/data/capture/three_lines.csv" || fail "veldran-convert wrote another CSV"

metainfo=$(ls "$root"/usr/share/metainfo/*.metainfo.xml)
out=$(appstreamcli validate --no-net "$metainfo" 2>&1) || fail "appstreamcli: $out"
! grep -q '^[EW]:' <<<"$out" || fail "appstreamcli: $out"

out=$(desktop-file-validate "$root/usr/share/applications/veldran.desktop" 2>&1) || fail "desktop-file-validate: $out"
[ -z "$out" ] || fail "desktop-file-validate: $out"

echo "check-package: $(basename "$deb") is sound ($(field Installed-Size) KiB installed; depends on $(field Depends | tr ',' '\n' | wc -l) packages)"
