// SPDX-License-Identifier: GPL-3.0-or-later
#include "FuzzTargets.h"

#include "tools/TemplateFile.h"

#include <QFile>

namespace kelto::fuzz {

// A templates file: what reads is written back and reads the same.
int templatesReader(const std::uint8_t* data, std::size_t size)
{
    const QString path = scratchFile(data, size, QStringLiteral(".ntl"));
    const TemplateList templates = readTemplates(path);
    for (const Template& entry : templates)
        templateInsertionText(entry);
    QFile::remove(path);
    writeTemplates(path, templates);
    require(readTemplates(path) == templates, "templates written back read the same");
    return 0;
}

} // namespace kelto::fuzz
