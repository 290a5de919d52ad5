#!/bin/sh
# SPDX-License-Identifier: GPL-3.0-or-later
# Makes the Debian package from the build folder given and checks it: it
# holds the programs, the desktop files, the manual pages, the completion
# and Debian's documentation files; its programs are stripped; its Depends
# name the Qt libraries, the SVG icon plugin and the Russian translation;
# lintian reports no error and at most two warnings (printed for the log).
set -eu
build=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
if ! cpack --config "$build/CPackConfig.cmake" -B "$work" -G DEB >"$work/cpack.log" 2>&1; then
    cat "$work/cpack.log"
    exit 1
fi
deb=$(ls "$work"/kelto_*.deb)
echo "package: $(basename "$deb"), $(stat -c %s "$deb") bytes"
contents=$(dpkg-deb -c "$deb")
for f in /usr/bin/kelto /usr/bin/kelto-cli \
    /usr/share/applications/io.github.kelto.Kelto.desktop \
    /usr/share/mime/packages/kelto-notebook.xml \
    /usr/share/metainfo/io.github.kelto.Kelto.metainfo.xml \
    /usr/share/icons/hicolor/scalable/apps/io.github.kelto.Kelto.svg \
    /usr/share/icons/hicolor/48x48/apps/io.github.kelto.Kelto.png \
    /usr/share/man/man1/kelto.1.gz /usr/share/man/man1/kelto-cli.1.gz \
    /usr/share/man/ru/man1/kelto.1.gz /usr/share/man/ru/man1/kelto-cli.1.gz \
    /usr/share/bash-completion/completions/kelto-cli \
    /usr/share/doc/kelto/copyright /usr/share/doc/kelto/changelog.Debian.gz \
    /usr/share/doc/kelto/guide.html; do
    if ! echo "$contents" | grep -q " \.$f\$"; then
        echo "the package lacks $f"
        exit 1
    fi
done
depends=$(dpkg-deb -f "$deb" Depends)
echo "Depends: $depends"
for d in libc6 libstdc++6 libqt6core6 libqt6gui6 libqt6widgets6 libqt6printsupport6 \
    libqt6svg6 qt6-translations-l10n; do
    if ! echo "$depends" | grep -q "$d"; then
        echo "Depends lacks $d"
        exit 1
    fi
done
dpkg-deb -x "$deb" "$work/root"
for program in kelto kelto-cli; do
    if readelf -S "$work/root/usr/bin/$program" | grep -q -e '\.debug_info' -e '\.symtab'; then
        echo "$program is not stripped"
        exit 1
    fi
done
lintian --allow-root "$deb" >"$work/lintian.txt" 2>&1 || true
cat "$work/lintian.txt"
errors=$(grep -c '^E:' "$work/lintian.txt" || true)
warnings=$(grep -c '^W:' "$work/lintian.txt" || true)
echo "lintian: $errors errors, $warnings warnings"
[ "$errors" -eq 0 ] && [ "$warnings" -le 2 ]
