// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "common/TextCodec.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringView>

#include <functional>

namespace kelto {

class Notebook;
class Section;

// The outline: one line per section, its caption indented by one TAB per
// level, every line ended by CR LF. On reading, every leading TAB or SPACE
// counts as one level; CR LF, a lone CR or a lone LF ends a line; a NUL ends
// the text.

// A caption as the outline can carry it: CR, LF and NUL become blanks and
// leading TABs and SPACEs become no-break spaces, so the line reads back as
// the same caption at the same level.
QString outlineSafeCaption(const QString& caption);

// The whole tree.
QString WriteOutline(const Notebook& notebook);
// The branch of section: the section itself when included (no indentation),
// then its descendants with their levels counted from the section, so its
// children carry one TAB either way.
QString WriteBranchOutline(const Section* section, bool includeSection);

// Appends the outline lines of every section below top, encoded, giving a
// child of top the level firstLevel.
void appendBranchOutline(QByteArray& out, const Section* top, int firstLevel,
                         TextEncoding encoding);
void appendOutlineLine(QByteArray& out, int level, const QString& caption, TextEncoding encoding);

// Empties the notebook's tree and rebuilds it from the text. Sections get
// captions only. A line more than one level deeper than the section before it
// stops the reading with KeltoError "Invalid level (%d) for item "%s""; the
// sections made before it stay.
void ReadOutline(QStringView text, Notebook& notebook);
// The same, straight from file bytes: only captions are decoded.
void ReadOutline(QByteArrayView bytes, TextEncoding encoding, Notebook& notebook);
// The lines of the outline in file bytes, in order, as add(depth, caption)
// with depth 0 for a top-level section, under the same checks and level
// error as ReadOutline; builds no sections.
void ForEachOutlineLine(QByteArrayView bytes, TextEncoding encoding,
                        const std::function<void(int depth, QString caption)>& add);

} // namespace kelto
