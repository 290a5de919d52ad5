#!/bin/sh
# SPDX-License-Identifier: GPL-3.0-or-later
# Installs the Debian packages Kelto needs to build, run and test.
# time (its /usr/bin/time) lets the benchmarks read a program's peak memory;
# poppler-utils (pdftotext) lets the tests read the PDF files printing writes;
# desktop-file-utils, appstream and shared-mime-info check the installed files;
# dpkg-dev (dpkg-shlibdeps), lintian and groff-base make and check the Debian
# package and its manual pages.
# Run as root on Debian 12; does nothing when everything is already there.
set -eu
packages="cmake ninja-build g++ qt6-base-dev libqt6svg6 qt6-translations-l10n libgtest-dev libgmock-dev clang-format time poppler-utils desktop-file-utils appstream shared-mime-info dpkg-dev lintian groff-base"
missing=""
for p in $packages; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing="$missing $p"
done
if [ -n "$missing" ]; then
    export DEBIAN_FRONTEND=noninteractive
    apt-get update
    # shellcheck disable=SC2086
    apt-get install -y --no-install-recommends $missing
fi
