#!/usr/bin/env bash
# Builds the Debian package from the build and checks what apt would install from it.
# usage: deb-package.sh BUILD_DIR
set -euo pipefail
build=$1
out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT

(cd "$build" && cpack -G DEB -B "$out" >/dev/null)
deb=$(ls "$out"/vemo_*.deb)
fields=$(dpkg-deb -f "$deb" Package Version Architecture Depends)
echo "$fields"
grep -q '^Package: vemo$' <<<"$fields"
# The library dependencies come from the programs themselves.
grep -q 'libqt6widgets6' <<<"$fields"
grep -q 'libqt6svg6' <<<"$fields"
contents=$(dpkg-deb -c "$deb")
for path in ./usr/bin/vemo ./usr/bin/vemo-cli ./usr/share/applications/com.quorvex.Vemo.desktop \
    ./usr/share/vemo/help/contents.html ./usr/share/metainfo/com.quorvex.Vemo.metainfo.xml; do
    grep -q " $path\$" <<<"$contents" || { echo "missing $path"; exit 1; }
done
