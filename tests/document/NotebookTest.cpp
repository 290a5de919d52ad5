// SPDX-License-Identifier: GPL-3.0-or-later
#include "document/Notebook.h"
#include "TestSupport.h"
#include "TreeShape.h"
#include "common/KeltoError.h"
#include "common/TextCodec.h"
#include "document/NotebookFile.h"
#include "document/TreePadImport.h"

#include <QFile>
#include <QSignalSpy>

#include <gtest/gtest.h>

using namespace kelto;
using namespace Qt::StringLiterals;
using namespace kelto::test;

// Where new sections go, renaming, deletion and undo are checked through the
// window's commands; here each move mode with what a move announces.

TEST(Notebook, EachMoveModeAndItsNoOps)
{
    // Each case starts from "A(a1 a2) B C"; "-" is no target (the top level).
    const std::tuple<const char*, const char*, MoveMode, const char*> cases[] = {
        {"C", "B", MoveMode::Before, "A(a1 a2) C B"},
        {"B", "a1", MoveMode::LastChild, "A(a1(B) a2) C"},
        {"B", "A", MoveMode::FirstChild, "A(B a1 a2) C"},
        {"C", "-", MoveMode::FirstChild, "C A(a1 a2) B"},
        {"a1", "B", MoveMode::LastSibling, "A(a2) B C a1"},
        {"a1", "a2", MoveMode::LastSibling, "A(a2 a1) B C"},
        // Nothing moves: already there, onto itself, into its own subtree.
        {"C", "-", MoveMode::LastSibling, nullptr},
        {"A", "A", MoveMode::FirstChild, nullptr},
        {"A", "a2", MoveMode::Before, nullptr},
        {"A", "a1", MoveMode::LastChild, nullptr},
        {"A", "-", MoveMode::Before, nullptr}};
    for (const auto& [section, target, mode, expected] : cases) {
        SCOPED_TRACE(testing::Message() << section << " to " << target << " mode " << int(mode));
        Notebook nb;
        buildShape(nb, u"A(a1 a2) B C"_s);
        QSignalSpy moving(&nb, &Notebook::sectionAboutToBeMoved);
        QSignalSpy moved(&nb, &Notebook::sectionMoved);
        Section* s = findSection(nb, QString::fromUtf8(section));
        const int row = s->row();
        nb.indexOf(s); // the order is known before the move and must follow it
        EXPECT_EQ(nb.moveSection(s, findSection(nb, QString::fromUtf8(target)), mode), !!expected);
        EXPECT_EQ(shapeOf(nb), expected ? QString::fromUtf8(expected) : u"A(a1 a2) B C"_s);
        ASSERT_EQ(moving.count(), expected ? 1 : 0);
        EXPECT_EQ(moved.count(), moving.count());
        if (expected) { // the model hears the rows as they were before the move
            EXPECT_EQ(moving.at(0).at(1).toInt(), row);
        }
        // A parent answers for each child whether it has children (the
        // navigator asks for every shown row).
        int index = 0;
        for (Section* x = nb.firstSection(); x; x = nb.nextSection(x), ++index) {
            EXPECT_EQ(nb.indexOf(x), index);
            EXPECT_EQ(x->owner()->childHasChildren(x->row()), x->hasChildren())
                << x->caption().toStdString();
        }
    }
}

// Trees far deeper than any call stack could walk recursively: every walk,
// the reader, the writer and destruction must be iterative.

TEST(DeepTree, TwoHundredThousandLevelsBuiltWalkedSavedMovedAndDeleted)
{
    constexpr int Depth = 200000;
    Notebook nb;
    Section* deepest = nullptr;
    for (int i = 0; i < Depth; ++i)
        deepest = nb.appendSection(deepest, u"L"_s);
    EXPECT_EQ(nb.indexOf(deepest), Depth - 1);
    EXPECT_EQ(deepest->level(), Depth - 1);
    EXPECT_EQ(sectionPath(deepest).size(), 2 * Depth - 1);

    // Its outline would need 20 GB of TABs, more than a block of the file can
    // hold: the save is refused at once and nothing is written.
    test::TempDir dir;
    const QString path = dir.path(u"deep.nib"_s);
    EXPECT_THROW(WriteNotebook(nb, path), KeltoError);
    EXPECT_FALSE(QFile::exists(path));

    Section* top = nb.firstSection();
    Section* holder = nb.appendSection(nullptr, u"H"_s);
    EXPECT_TRUE(nb.moveSection(top, holder, MoveMode::LastChild));
    EXPECT_FALSE(nb.moveSection(holder, deepest, MoveMode::LastChild));
    nb.deleteSection(holder);
    EXPECT_EQ(nb.sectionCount(), 0);
    EXPECT_EQ(nb.deletedSections().size(), size_t(Notebook::MaxDeleted));
    EXPECT_EQ(nb.deletedSections().front().caption, u"H"_s);
}

TEST(DeepTree, NotebookFileNestingTwentyThousandLevelsLoadsAndSaves)
{
    constexpr int Depth = 20000;
    // About 200 MB of TABs: line k carries k of them.
    QByteArray outline;
    outline.reserve(qsizetype(Depth) * (Depth + 1) / 2 + qsizetype(Depth) * 4);
    for (int k = 0; k < Depth; ++k)
        outline.append(qsizetype(k), '\t').append("n\r\n", 3);
    QByteArray image = test::notebookImage("", outline, {});
    outline = QByteArray();
    for (int k = 0; k < Depth; ++k)
        image += test::le32(0);

    Notebook nb;
    ASSERT_EQ(ReadNotebookImage(image, nb), FileKind::Notebook);
    test::TempDir dir;
    const QString path = dir.path(u"deep.nib"_s);
    WriteNotebook(nb, path);
    Notebook back;
    ReadNotebook(path, back);
    EXPECT_EQ(back.sectionCount(), Depth);
    EXPECT_EQ(back.sectionAt(Depth - 1)->level(), Depth - 1);
    nb.clearNotebook();
    EXPECT_TRUE(nb.isEmpty());
}

// Every way a caption comes into the tree cuts it to the longest one the
// reader accepts, never inside a surrogate pair, so a notebook with such a
// caption saves as a file that reads back.
TEST(LongCaption, CutWhereverItComesFromAndReadBack)
{
    constexpr qsizetype Max = Section::MaxCaptionLength;
    const QString emoji = u"\U0001F600"_s;
    struct Case
    {
        QString caption;
        qsizetype length;
    };
    const Case cases[] = {
        {QString(Max, u'a'), Max},
        {QString(Max + 1, u'a'), Max},
        {QString(Max - 1, u'a') + emoji, Max - 1}, // the pair would straddle the cut
        {QString(Max - 2, u'a') + emoji + u'b', Max},
    };
    for (const Case& c : cases) {
        Notebook nb;
        Section* made = nb.addSection(nullptr, c.caption);
        Section* renamed = nb.addSection(nullptr, u"x"_s);
        nb.renameSection(renamed, c.caption);
        EXPECT_EQ(made->caption().size(), c.length);
        EXPECT_EQ(renamed->caption(), made->caption());
        EXPECT_EQ(made->caption(), c.caption.left(c.length));
        test::TempDir dir;
        WriteNotebook(nb, dir.path(u"long.nib"_s));
        Notebook back;
        ReadNotebook(dir.path(u"long.nib"_s), back);
        EXPECT_EQ(back.sectionAt(0)->caption(), made->caption());
    }
    // A TreePad record with a 5 MB caption imports with the caption cut.
    const QByteArray record = "<node>\r\n" + QByteArray(5 * 1000 * 1000, 'c') +
                              "\r\n0\r\nbody\r\n<end node> 5P9i0s8y19Z\r\n";
    Notebook nb;
    const ImportResult result = ImportTreePadImage(record, nb, nullptr);
    ASSERT_TRUE(result.first) << qPrintable(result.error);
    EXPECT_EQ(result.first->caption(), QString(Max, u'c'));
    EXPECT_EQ(result.first->body().text(), u"body\n"_s);
}

// A caption longer than any the program makes marks the file as damaged,
// whether the outline holds it as code page bytes or as UTF-8.
TEST(LongCaption, LongerInTheFileIsAStructureError)
{
    constexpr qsizetype Max = Section::MaxCaptionLength;
    const struct
    {
        QByteArray header, caption;
        bool accepted;
    } cases[] = {
        {"", QByteArray(Max, 'a'), true},
        {"", QByteArray(Max + 1, 'a'), false},
        {"Charset=UTF-8\r\n", QString(Max, u'ж').toUtf8(), true}, // 2 Max bytes
        {"Charset=UTF-8\r\n", QString(Max + 1, u'ж').toUtf8(), false},
        {"Charset=UTF-8\r\n", QByteArray(4 * Max + 1, 'a'), false},
    };
    for (const auto& c : cases) {
        Notebook nb;
        const QByteArray image = test::notebookImage(c.header, c.caption + "\r\n", {""});
        const QString error = test::errorOf([&] { ReadNotebookImage(image, nb); });
        EXPECT_EQ(error, c.accepted ? u"no error"_s : DamagedFile) << c.caption.size();
        if (!c.accepted)
            continue;
        const TextEncoding encoding =
            c.header.isEmpty() ? TextEncoding::Cp1251 : TextEncoding::Utf8;
        EXPECT_EQ(nb.sectionAt(0)->caption(), decodeText(c.caption, encoding));
    }
}
