// SPDX-License-Identifier: GPL-3.0-or-later
#include "FuzzTargets.h"
#include "TreeCompare.h"

#include "common/KeltoError.h"
#include "common/TextCodec.h"
#include "document/OutlineText.h"

namespace kelto::fuzz {

// An outline block in either encoding. A read that succeeds gives a tree
// whose written outline reads back as the same tree; text and bytes read
// alike.
int outlineReader(const std::uint8_t* data, std::size_t size)
{
    const QByteArray bytes = bytesOf(data, size);
    const TextEncoding encoding =
        (selector(data, size) & 1) ? TextEncoding::Utf8 : TextEncoding::Cp1251;
    Notebook notebook;
    QString error;
    try {
        ReadOutline(QByteArrayView(bytes), encoding, notebook);
    } catch (const KeltoError& e) {
        error = e.message();
    }

    Notebook fromText;
    QString textError;
    try {
        ReadOutline(QStringView(decodeText(bytes, encoding)), fromText);
    } catch (const KeltoError& e) {
        textError = e.message();
    }
    require(error == textError, "bytes and text give the same error");
    require(sameTree(notebook, fromText, false), "bytes and text give the same tree");
    if (!error.isEmpty())
        return 0;

    Notebook back;
    ReadOutline(QStringView(WriteOutline(notebook)), back);
    require(sameTree(notebook, back, false), "a written outline reads back alike");
    return 0;
}

} // namespace kelto::fuzz
