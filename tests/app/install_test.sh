#!/usr/bin/env bash
# Installs the program into a scratch prefix and checks that what a Linux desktop reads (the menu
# entry, the capture file type, the icons) is in place and accepted by the desktop's own tools.
# Usage: install_test.sh <build dir>
set -euo pipefail

build_dir=${1:?usage: install_test.sh <build dir>}
prefix=$(mktemp -d)
trap 'rm -rf "$prefix"' EXIT

fail() { echo "FAIL: $*" >&2; exit 1; }

cmake --install "$build_dir" --prefix "$prefix" >/dev/null

desktop=$prefix/share/applications/veldran.desktop
mime=$prefix/share/mime/packages/veldran.xml
for file in bin/veldran bin/veldran-capture bin/veldran-convert bin/veldran-sim \
            share/man/man1/veldran.1.gz share/man/man1/veldran-capture.1.gz share/man/man1/veldran-convert.1.gz \
            share/man/man1/veldran-sim.1.gz share/metainfo/org.veldran.Veldran.metainfo.xml \
            share/doc/veldran/copyright share/doc/veldran/changelog.gz \
            share/applications/veldran.desktop share/mime/packages/veldran.xml \
            share/icons/hicolor/256x256/apps/veldran.png share/icons/hicolor/48x48/apps/veldran.png \
            share/icons/hicolor/256x256/mimetypes/application-x-veldran-capture.png; do
    [ -f "$prefix/$file" ] || fail "$file not installed"
done

# The validators print their complaints (warnings included); any output counts as a failure.
out=$(desktop-file-validate "$desktop" 2>&1) || fail "desktop-file-validate: $out"
[ -z "$out" ] || fail "desktop-file-validate: $out"
out=$(xmllint --noout "$mime" 2>&1) || fail "xmllint: $out"
[ -z "$out" ] || fail "xmllint: $out"

# The entry opens the type the package declares.
grep -qx 'MimeType=application/x-veldran-capture;' "$desktop" || fail "desktop entry does not open captures"
grep -q '<mime-type type="application/x-veldran-capture">' "$mime" || fail "MIME package lacks the capture type"

if command -v update-mime-database >/dev/null; then
    # With the prefix among the data folders it does not add a note that it is not.
    out=$(XDG_DATA_DIRS="$prefix/share:${XDG_DATA_DIRS:-/usr/local/share:/usr/share}" \
          update-mime-database "$prefix/share/mime" 2>&1) || fail "update-mime-database: $out"
    [ -z "$out" ] || fail "update-mime-database: $out"
    grep -q '^application/x-veldran-capture:\*\.vxr$' "$prefix/share/mime/globs" || fail "*.vxr not in the MIME globs"
    type_xml=$prefix/share/mime/application/x-veldran-capture.xml
    grep -q 'VELDRAN 파일' "$type_xml" || fail "Korean comment lost"
    grep -q '>VELDRAN.Document<' "$type_xml" || fail "document type id lost"
fi
echo "install ok: $prefix"
