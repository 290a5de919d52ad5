#include "TestSupport.h"
#include "common/KeltoError.h"
#include "document/Notebook.h"
#include "document/NotebookFile.h"

#include <QFile>

#include <gtest/gtest.h>

using namespace kelto;
using namespace Qt::StringLiterals;

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
