// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArrayView>
#include <QStringView>

namespace kelto {

// Calls fn(line) for every line of text, without its break. CR LF is one
// break, a lone CR or a lone LF is one break each (so LF CR is two breaks
// around an empty line). A break at the very end adds no empty last line.
// Works on QStringView and on QByteArrayView; the lines are views into text.
template <typename View, typename Fn> void forEachLine(View text, Fn&& fn)
{
    const qsizetype n = text.size();
    qsizetype i = 0;
    while (i < n) {
        const qsizetype start = i;
        while (i < n && text[i] != u'\r' && text[i] != u'\n')
            ++i;
        fn(text.sliced(start, i - start));
        if (i < n && text[i] == u'\r')
            ++i;
        if (i < n && text[i] == u'\n')
            ++i;
    }
}

} // namespace kelto
