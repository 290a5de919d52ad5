// SPDX-License-Identifier: GPL-3.0-or-later
#include "export/TextExport.h"
#include "TestSupport.h"
#include "TreeShape.h"
#include "common/Clock.h"
#include "common/TextCodec.h"
#include "tools/DateTimeFormat.h"

#include <gtest/gtest.h>

using namespace kelto;
using namespace Qt::StringLiterals;

// A(B): only B's body lacks a byte in the code page; exports writing it are UTF-8.
TEST(TextExport, WritesInfoOutlineHeadingsAndBodiesInTheirEncoding)
{
    qputenv("SOURCE_DATE_EPOCH", "1765000000");
    Notebook nb;
    test::buildShape(nb, u"A(B)"_s);
    Section *a = nb.firstSection(), *b = nb.nextSection(a);
    a->body().setText(u"а1\nа2"_s);
    b->body().setText(u"Ω"_s);
    nb.properties().setValue(u"Name", u"Имя"_s);
    const QString info = u"   Название: Имя\r\n      Автор: \r\n      Адрес: \r\n   Описание: \r\n"
                         u"Ключ. слова: \r\nДата записи: %1\r\n\r\n"_s.arg(
                             formatDateTime(u"c", currentDateTime(), systemDateTimeLocale()));
    const QString dashes(50, u'-');
    const QString line = u"\r\n"_s + dashes + u"\r\n"_s;
    using R = ExportRange;
    using O = ExportObjects;
    const std::tuple<R, O, bool, bool, QString, Section*, QString> cases[] = {
        {R::All, O::CaptionsAndBodies, false, false, dashes, a,
         u"A\r\n\tB\r\n"_s + line + u"A\r\n\r\nа1\r\nа2"_s + line + u"B\r\n\r\nΩ"_s},
        {R::All, O::Captions, true, true, dashes, a, info + u"A\r\n\tB\r\n"_s},
        {R::Branch, O::BodiesOnly, false, false, QString(), a, u"а1\r\nа2Ω"_s},
        {R::Subsections, O::CaptionsAndBodies, false, true, u"*"_s, a,
         u"\tB\r\n\r\n*\r\nA\\B\r\n\r\nΩ"_s},
        {R::SectionOnly, O::BodiesOnly, true, false, u"*"_s, a, info + u"\r\n*\r\nа1\r\nа2"_s},
        {R::Subsections, O::CaptionsAndBodies, true, false, dashes, b, info}};
    for (const auto& [range, objects, docInfo, path, delimiter, selected, text] : cases) {
        SCOPED_TRACE(text.toStdString());
        const QByteArray bytes =
            BuildTextExport(nb, {range, objects, docInfo, path, delimiter, selected});
        EXPECT_EQ(bytes, cp1251::canEncode(text) ? cp1251::encode(text) : Utf8Bom + text.toUtf8());
    }
    qunsetenv("SOURCE_DATE_EPOCH");
}
