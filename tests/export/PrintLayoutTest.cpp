// SPDX-License-Identifier: GPL-3.0-or-later
#include "export/PrintLayout.h"
#include "TreeShape.h"

#include <gtest/gtest.h>

using namespace kelto;
using namespace Qt::StringLiterals;

// An A4 sheet at 600 dpi with a 6 mm (142 px) unprintable strip all round.
TEST(PrintLayout, MarginsCountFromThePaperEdgeOnEverySide)
{
    const PrinterMetrics printer{600, 600, QRect(0, 0, 4960, 7016), QRect(142, 142, 4676, 6732)};
    const PrintMargins minimums = minimumMargins(printer);
    EXPECT_EQ(std::tuple(minimums.left, minimums.top, minimums.right, minimums.bottom),
              std::tuple(7, 7, 7, 7));
    // 30 and 20 mm are 709 and 472 px from each edge of the sheet.
    EXPECT_EQ(printArea(printer, PrintMargins{}), QRect(QPoint(709, 472), QPoint(4250, 6543)));
    EXPECT_TRUE(printArea(printer, PrintMargins{105, 10, 105, 10}).isEmpty());
    EXPECT_TRUE(printArea(printer, PrintMargins{10, 200, 10, 98}).isEmpty());
    EXPECT_FALSE(printArea(printer, PrintMargins{104, 10, 105, 10}).isEmpty());
    const PrintMargins raised = raisedMargins(PrintMargins{0, 7, 30, 6}, minimums);
    EXPECT_EQ(std::tuple(raised.left, raised.top, raised.right, raised.bottom),
              std::tuple(7, 7, 30, 7));
}

TEST(PrintLayout, ComposesInformationContentsAndSections)
{
    Notebook nb;
    test::buildShape(nb, u"A(B(C)) D"_s);
    const Section* c = test::findSection(nb, u"C"_s);
    const Section* d = test::findSection(nb, u"D"_s);
    nb.sectionAt(2)->body().setText(u"c1\n\nc3"_s);
    nb.properties().setValue(u"Name", u"Имя"_s);
    PrintChoices both{true, true, 3, u"сейчас"_s};
    const QStringList info{u"Название    : Имя"_s, u"Автор       : "_s,       u"Адрес       : "_s,
                           u"Описание    : "_s,    u"Ключ. слова : "_s,       u"Создано     : "_s,
                           u"Изменено    : "_s,    u"Распечатано : сейчас"_s, u"---"_s};
    const QStringList contents{QString(), u"СОДЕРЖАНИЕ"_s, QString(), u"\t\tC"_s, u"D"_s, u"---"_s};
    const QStringList sections{QString(), QString(), QString(), QString(), u"C"_s,
                               QString(), u"c1"_s,   QString(), u"c3"_s,   QString(),
                               QString(), QString(), QString(), u"D"_s,    QString()};
    EXPECT_EQ(composePrint(nb, {c, d}, both), info + contents + sections);
    EXPECT_EQ(composePrint(nb, {c, d}, PrintChoices{}), sections);
    EXPECT_EQ(composePrint(nb, {}, PrintChoices{false, true, 3, {}}),
              (QStringList{QString(), u"СОДЕРЖАНИЕ"_s, QString(), u"---"_s}));
}
