// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "document/Notebook.h"

#include <QRegularExpression>
#include <QString>
#include <QStringList>

namespace kelto::test {

// The tree as compact text: captions, children in parentheses, siblings
// separated by blanks, e.g. "A(B(C)) D". Iterative like the code under test.
inline QString shapeOf(const Notebook& notebook)
{
    QString out;
    int depth = 0;
    forEachDescendant(notebook.container(), [&](const Section* s, int d) {
        if (d > depth) {
            out += QLatin1Char('(');
        } else {
            out += QString(depth - d, QLatin1Char(')'));
            out += QLatin1Char(' ');
        }
        depth = d;
        out += s->caption();
    });
    out += QString(qMax(0, depth - 1), QLatin1Char(')'));
    return out.mid(1);
}

// Builds a tree from the same notation (captions without blanks or
// parentheses).
inline void buildShape(Notebook& notebook, const QString& shape)
{
    std::vector<Section*> parents{nullptr};
    Section* last = nullptr;
    static const QRegularExpression token(QStringLiteral("[()]|[^() ]+"));
    for (const QRegularExpressionMatch& m : token.globalMatch(shape)) {
        if (m.captured() == u'(')
            parents.push_back(last);
        else if (m.captured() == u')')
            parents.pop_back();
        else
            last = notebook.appendSection(parents.back(), m.captured());
    }
}

inline Section* findSection(const Notebook& notebook, const QString& caption)
{
    for (Section* s = notebook.firstSection(); s; s = notebook.nextSection(s)) {
        if (s->caption() == caption)
            return s;
    }
    return nullptr;
}

} // namespace kelto::test
