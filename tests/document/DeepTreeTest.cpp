#include "TestSupport.h"
#include "document/Notebook.h"
#include "document/NotebookFile.h"
#include "document/OutlineText.h"

#include "common/KeltoError.h"

#include <QFile>
#include <QtEndian>

#include <gtest/gtest.h>

using namespace kelto;

// Trees far deeper than any call stack could walk recursively: every walk,
// the reader, the writer and destruction must be iterative.

TEST(DeepTree, TwoHundredThousandLevelsBuiltWalkedSavedAndDeleted)
{
    constexpr int Depth = 200000;
    Notebook nb;
    Section* s = nullptr;
    for (int i = 0; i < Depth; ++i)
        s = nb.appendSection(s, QStringLiteral("L"));
    Section* deepest = s;
    EXPECT_EQ(nb.sectionCount(), Depth);
    EXPECT_EQ(nb.indexOf(deepest), Depth - 1);
    EXPECT_EQ(deepest->level(), Depth - 1);
    int visited = 0;
    int maxDepth = 0;
    forEachDescendant(nb.container(), [&](const Section*, int d) {
        ++visited;
        maxDepth = std::max(maxDepth, d);
    });
    EXPECT_EQ(visited, Depth);
    EXPECT_EQ(maxDepth, Depth);
    EXPECT_EQ(sectionPath(deepest).size(), 2 * Depth - 1);

    // Its outline would need 20 GB of TABs, more than a block of the file
    // can hold: the save is refused at once and nothing is written.
    test::TempDir dir;
    const QString path = dir.path(QStringLiteral("deep.nib"));
    EXPECT_THROW(WriteNotebook(nb, path), KeltoError);
    EXPECT_FALSE(QFile::exists(path));
    // A branch of it that fits is saved and read back.
    Section* branchTop = nb.sectionAt(Depth - 30000);
    deepest->body().setText(QStringLiteral("bottom"));
    WriteOptions branch;
    branch.range = ExportRange::Branch;
    branch.selected = branchTop;
    WriteNotebook(nb, path, branch);
    Notebook back;
    ReadNotebook(path, back);
    EXPECT_EQ(back.sectionCount(), 30000);
    EXPECT_EQ(back.sectionAt(29999)->body().text(), QStringLiteral("bottom"));

    // Moving the whole chain under a new section and back.
    Section* top = nb.firstSection();
    Section* holder = nb.appendSection(nullptr, QStringLiteral("H"));
    EXPECT_TRUE(nb.moveSection(top, holder, MoveMode::LastChild));
    EXPECT_FALSE(nb.moveSection(holder, deepest, MoveMode::LastChild));

    nb.deleteSection(holder);
    EXPECT_EQ(nb.sectionCount(), 0);
    EXPECT_EQ(nb.deletedSections().size(), size_t(Notebook::MaxDeleted));
    EXPECT_EQ(nb.deletedSections().front().caption, QStringLiteral("H"));
    // back's tree is destroyed with it at the end of the test.
}

TEST(DeepTree, NotebookFileNestingTwentyThousandLevelsLoadsAndSaves)
{
    constexpr int Depth = 20000;
    // About 200 MB of TABs: line k carries k of them.
    QByteArray outline;
    outline.reserve(qsizetype(Depth) * (Depth + 1) / 2 + qsizetype(Depth) * 4);
    for (int k = 0; k < Depth; ++k) {
        outline.append(qsizetype(k), '\t');
        outline.append("n\r\n", 3);
    }
    QByteArray image("NIB\x01", 4);
    char len[4];
    qToLittleEndian<quint32>(0, len);
    image.append(len, 4);
    qToLittleEndian<quint32>(quint32(outline.size()), len);
    image.append(len, 4);
    image.append(outline);
    outline.clear();
    outline.squeeze();
    qToLittleEndian<quint32>(0, len);
    for (int k = 0; k < Depth; ++k)
        image.append(len, 4);

    Notebook nb;
    ASSERT_EQ(ReadNotebookImage(image, nb), FileKind::Notebook);
    EXPECT_EQ(nb.sectionCount(), Depth);
    EXPECT_EQ(nb.sectionAt(Depth - 1)->level(), Depth - 1);

    test::TempDir dir;
    const QString path = dir.path(QStringLiteral("deep.nib"));
    WriteNotebook(nb, path);
    const QByteArray written = test::readBytes(path);
    EXPECT_GT(written.size(), image.size()); // plus the header the writer stamps
    Notebook back;
    ReadNotebook(path, back);
    EXPECT_EQ(back.sectionCount(), Depth);
    nb.clearNotebook();
    EXPECT_TRUE(nb.isEmpty());
}
