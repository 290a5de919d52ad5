// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "settings/IniUnit.h"

#include <QRect>
#include <QString>
#include <QStringList>

#include <vector>

namespace kelto {

class Notebook;
class Section;

// What a printer reports of its page, in its device pixels: the
// resolution, the whole sheet, and the part of it the printer can mark
// (inside the unprintable strips).
struct PrinterMetrics
{
    double dpiX = 0;
    double dpiY = 0;
    QRect paper;
    QRect printable;
};

// The rectangle of the sheet (in paper coordinates) that the margins leave
// for text. All four margins are measured from the paper's edge. Empty when
// the margins leave no room (left + right or top + bottom reach the paper).
QRect printArea(const PrinterMetrics& printer, const PrintMargins& margins);

// The smallest margins whose text the printer can mark: each unprintable
// strip in millimetres, truncated, plus one.
PrintMargins minimumMargins(const PrinterMetrics& printer);

// margins with every one below its minimum raised to it.
PrintMargins raisedMargins(const PrintMargins& margins, const PrintMargins& minimums);

bool operator==(const PrintMargins& a, const PrintMargins& b);

// What a printout holds besides the sections.
struct PrintChoices
{
    bool documentInfo = false;
    bool contents = false;
    // Dashes in the rule line under the information and the contents: as
    // many as fit the print area's width in the print font.
    int ruleLength = 0;
    // The moment of printing as the information block shows it.
    QString printedAt;
};

// The text of a printout, one paragraph per entry: the document
// information, the contents (captions indented by their level in the whole
// tree), then for each section three empty lines, its caption, an empty
// line and its body.
QStringList composePrint(const Notebook& notebook, const std::vector<const Section*>& sections,
                         const PrintChoices& choices);

} // namespace kelto
