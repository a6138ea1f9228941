#!/usr/bin/env bash
# Installs the build into a scratch prefix and runs it from there: the programs answer, the help
# is where the program looks for it, and the desktop files are valid as installed.
# usage: install-prefix.sh BUILD_DIR
set -euo pipefail
build=$1
prefix=$(mktemp -d)
trap 'rm -rf "$prefix"' EXIT

cmake --install "$build" --prefix "$prefix" >/dev/null

"$prefix/bin/vemo" --version | grep -q '^Vemo [0-9]'
"$prefix/bin/vemo-cli" --help >/dev/null
# The program looks for its help at ../share/vemo/help from its own folder.
test -f "$prefix/bin/../share/vemo/help/contents.html"
test -f "$prefix/share/icons/hicolor/scalable/apps/com.quorvex.Vemo.svg"
test -f "$prefix/share/man/man1/vemo.1"
test -f "$prefix/share/man/man1/vemo-cli.1"
desktop-file-validate "$prefix/share/applications/com.quorvex.Vemo.desktop"
appstreamcli validate --no-net "$prefix/share/metainfo/com.quorvex.Vemo.metainfo.xml" >/dev/null
echo "installed and ran from $prefix"
