// SPDX-License-Identifier: GPL-3.0-or-later
#include "PrintLayout.h"

#include "document/Notebook.h"

#include <cmath>

namespace kelto {

namespace {

int pixels(int millimetres, double dpi)
{
    return int(std::lround(millimetres / 25.4 * dpi));
}

int millimetres(int pixels, double dpi)
{
    return dpi > 0 ? int(pixels / dpi * 25.4) : 0;
}

// A line of the composition: each CR in it starts a new paragraph, as in
// the editor the text is laid out in.
void addLine(QStringList& out, const QString& line)
{
    out += line.split(u'\r');
}

} // namespace

QRect printArea(const PrinterMetrics& printer, const PrintMargins& margins)
{
    const QRect& paper = printer.paper;
    const int left = paper.left() + pixels(margins.left, printer.dpiX);
    const int top = paper.top() + pixels(margins.top, printer.dpiY);
    const int right = paper.left() + paper.width() - pixels(margins.right, printer.dpiX);
    const int bottom = paper.top() + paper.height() - pixels(margins.bottom, printer.dpiY);
    if (right <= left || bottom <= top)
        return QRect();
    return QRect(QPoint(left, top), QPoint(right - 1, bottom - 1));
}

PrintMargins minimumMargins(const PrinterMetrics& printer)
{
    const QRect& paper = printer.paper;
    const QRect& area = printer.printable;
    PrintMargins m;
    m.left = millimetres(area.left() - paper.left(), printer.dpiX) + 1;
    m.top = millimetres(area.top() - paper.top(), printer.dpiY) + 1;
    m.right = millimetres(paper.right() - area.right(), printer.dpiX) + 1;
    m.bottom = millimetres(paper.bottom() - area.bottom(), printer.dpiY) + 1;
    return m;
}

PrintMargins raisedMargins(const PrintMargins& margins, const PrintMargins& minimums)
{
    return {std::max(margins.left, minimums.left), std::max(margins.top, minimums.top),
            std::max(margins.right, minimums.right), std::max(margins.bottom, minimums.bottom)};
}

bool operator==(const PrintMargins& a, const PrintMargins& b)
{
    return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

QStringList composePrint(const Notebook& notebook, const std::vector<const Section*>& sections,
                         const PrintChoices& choices)
{
    QStringList out;
    const QString rule(std::max(0, choices.ruleLength), u'-');
    if (choices.documentInfo) {
        const DocumentProperties& p = notebook.properties();
        const std::pair<const char16_t*, QStringView> rows[] = {
            {u"Название    : ", DocumentProperties::Name},
            {u"Автор       : ", DocumentProperties::Author},
            {u"Адрес       : ", DocumentProperties::Addr},
            {u"Описание    : ", DocumentProperties::Descript},
            {u"Ключ. слова : ", DocumentProperties::KeyWords},
            {u"Создано     : ", DocumentProperties::FlCreate},
            {u"Изменено    : ", DocumentProperties::FlWrite},
        };
        for (const auto& [label, key] : rows)
            addLine(out, QString::fromUtf16(label) + p.value(key));
        addLine(out, QStringLiteral("Распечатано : ") + choices.printedAt);
        addLine(out, rule);
    }
    if (choices.contents) {
        addLine(out, QStringLiteral("\rСОДЕРЖАНИЕ\r"));
        for (const Section* s : sections)
            addLine(out, QString(s->level(), u'\t') + s->caption());
        addLine(out, rule);
    }
    for (const Section* s : sections) {
        addLine(out, QStringLiteral("\r\r\r"));
        addLine(out, s->caption());
        addLine(out, QString());
        const QString body = s->body().text();
        if (!body.isEmpty())
            out += body.split(u'\n');
    }
    return out;
}

} // namespace kelto
