#!/bin/sh
# SPDX-License-Identifier: GPL-3.0-or-later
# Installs a build into a temporary DESTDIR and checks what the desktop reads:
# the launcher, the AppStream description, the notebook file type (by name
# and by content), the icons, the guide and the programs' versions.
#   check-install.sh BUILD_DIR
set -eu
build=$1
dest=$(mktemp -d)
trap 'rm -rf "$dest"' EXIT
DESTDIR="$dest" cmake --install "$build" --prefix /usr/local >/dev/null
root="$dest/usr/local"
id=io.github.kelto.Kelto

test -x "$root/bin/kelto"
test -x "$root/bin/kelto-cli"
"$root/bin/kelto-cli" --version | grep -q '^kelto-cli [0-9]'
desktop-file-validate "$root/share/applications/$id.desktop"
appstreamcli validate --no-net "$root/share/metainfo/$id.metainfo.xml"
for icon in scalable/apps/$id.svg 48x48/apps/$id.png 256x256/apps/$id.png; do
    test -s "$root/share/icons/hicolor/$icon"
done
test -s "$root/share/doc/kelto/guide.html"

update-mime-database "$root/share/mime"
grep -q ':application/x-kelto-notebook:\*\.nib$' "$root/share/mime/globs2"
# The content rule sits in the binary magic file under the type's name.
grep -q 'application/x-kelto-notebook' "$root/share/mime/magic"
echo "install check passed"
