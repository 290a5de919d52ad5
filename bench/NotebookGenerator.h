// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QtGlobal>

namespace kelto {

class Notebook;

struct GeneratorOptions
{
    int sections = 100000;
    // Roughly the total of all bodies, in bytes.
    qint64 bodyBytes = 100 * 1000 * 1000;
    // Levels 0 .. maxLevel, so the tree is at most maxLevel + 1 deep.
    int maxLevel = 5;
    quint64 seed = 0x6b656c746fULL;
};

// Fills an empty notebook with a deterministic tree: the same options give
// the same captions, levels and bodies (Cyrillic and Latin words, CR LF
// lines) on every machine. Bodies are held as Windows-1251 bytes of one
// shared image, as a notebook read from disk holds them.
void generateNotebook(Notebook& notebook, const GeneratorOptions& options);

} // namespace kelto
