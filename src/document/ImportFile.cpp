// SPDX-License-Identifier: GPL-3.0-or-later
#include "ImportFile.h"

#include "Notebook.h"
#include "NotebookFile.h"
#include "SectionBody.h"
#include "common/FileIo.h"
#include "common/KeltoError.h"
#include "common/TextCodec.h"

#include <QFileInfo>

namespace kelto {

ImportKind importKindOf(const QString& path)
{
    const QString suffix = QFileInfo(path).suffix();
    if (suffix.compare(QLatin1String("txt"), Qt::CaseInsensitive) == 0)
        return ImportKind::Text;
    if (suffix.compare(QLatin1String("hjt"), Qt::CaseInsensitive) == 0)
        return ImportKind::TreePad;
    if (suffix.compare(QLatin1String("nib"), Qt::CaseInsensitive) == 0)
        return ImportKind::Notebook;
    return ImportKind::Other;
}

QByteArray readImportFile(const QString& path)
{
    const QString message = QStringLiteral("Невозможно открыть файл \"%1\".").arg(path);
    // A folder (or a device, or a pipe) is no file to import.
    if (!QFileInfo(path).isFile())
        throw KeltoError(message);
    return readWholeFile(path, message);
}

Section* ImportTextFile(const QString& path, Notebook& notebook)
{
    const QByteArray bytes = readImportFile(path);
    Notebook fresh;
    Section* section = fresh.appendSection(nullptr, QFileInfo(path).absoluteFilePath());
    qsizetype skip = 0;
    const TextEncoding encoding = detectPlainText(bytes, &skip);
    section->body().setStored(bytes, skip, bytes.size() - skip, encoding);
    return notebook.adoptSections(nullptr, fresh);
}

Section* ImportNotebookFile(const QString& path, Notebook& notebook, Section* parent)
{
    Notebook fresh;
    // Any file that is no notebook would read as one section of text; a
    // ".nib" that is none is refused instead.
    if (ReadNotebookImage(readImportFile(path), fresh) != FileKind::Notebook)
        throw KeltoError(StructureErrorMessage);
    return notebook.adoptSections(parent, fresh);
}

ImportResult ImportFile(const QString& path, Notebook& notebook, Section* parent)
{
    switch (importKindOf(path)) {
    case ImportKind::Text:
        return {ImportTextFile(path, notebook), {}};
    case ImportKind::TreePad:
        return ImportTreePad(path, notebook, parent);
    case ImportKind::Notebook:
        return {ImportNotebookFile(path, notebook, parent), {}};
    case ImportKind::Other:
        break;
    }
    throw KeltoError(
        QStringLiteral("Файл \"%1\" не является текстовым файлом, файлом Treepad или записной "
                       "книжкой.")
            .arg(path));
}

QString fileLinesText(const QString& path)
{
    QString text = SectionBody::normalizeBreaks(decodePlainText(readImportFile(path)));
    if (!text.isEmpty() && !text.endsWith(QLatin1Char('\n')))
        text += QLatin1Char('\n');
    return text;
}

} // namespace kelto
