// SPDX-License-Identifier: GPL-3.0-or-later
// Replays the stored fuzz corpora through the fuzz entries without
// libFuzzer: the seeds, the inputs the fuzzer kept for their coverage, and
// every input that once broke a reader. An entry aborts when a reader
// breaks a promise, and a sanitizer build reports memory faults here too.
#include "FuzzTargets.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QDirIterator>
#include <QFile>

#include <exception>
#include <ostream>

namespace kelto::fuzz {
namespace {

struct Target
{
    const char* name;
    Entry entry;
    // Outside files of this kind other programs wrote, when present.
    const char* sharedFolder;
};

const Target Targets[] = {
    {"notebook_reader", notebookReader, nullptr}, {"outline_reader", outlineReader, nullptr},
    {"settings_reader", settingsReader, nullptr}, {"templates_reader", templatesReader, nullptr},
    {"treepad_import", treePadImport, "treepad"}, {"text_import", textImport, "treepad"},
    {"text_export", textExport, nullptr},         {"html_export", htmlExport, nullptr},
};

// Names the target in test names and messages.
void PrintTo(const Target& target, std::ostream* os)
{
    *os << target.name;
}

QStringList filesUnder(const QString& folder)
{
    QStringList files;
    QDirIterator it(folder, QDir::Files, QDirIterator::Subdirectories);
    while (it.hasNext())
        files << it.next();
    files.sort();
    return files;
}

class FuzzReplay : public ::testing::TestWithParam<Target>
{
};

TEST_P(FuzzReplay, StoredInputsKeepEveryPromise)
{
    const Target& target = GetParam();
    const QString base = QStringLiteral(KELTO_FUZZ_DIR "/");
    QStringList files = filesUnder(base + QStringLiteral("corpus/") + QLatin1String(target.name));
    ASSERT_FALSE(files.isEmpty()) << "no stored corpus for " << target.name;
    files << filesUnder(base + QStringLiteral("regression/") + QLatin1String(target.name));
    if (target.sharedFolder)
        files << filesUnder(QStringLiteral(KELTO_SHARED_TESTDATA "/") +
                            QLatin1String(target.sharedFolder));
    for (const QString& path : files) {
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::ReadOnly)) << qPrintable(path);
        const QByteArray bytes = file.readAll();
        SCOPED_TRACE(qPrintable(path));
        try {
            target.entry(reinterpret_cast<const std::uint8_t*>(bytes.constData()),
                         std::size_t(bytes.size()));
        } catch (const std::exception& e) {
            ADD_FAILURE() << "uncaught exception: " << e.what();
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Readers, FuzzReplay, ::testing::ValuesIn(Targets),
                         [](const ::testing::TestParamInfo<Target>& info) {
                             return std::string(info.param.name);
                         });

} // namespace
} // namespace kelto::fuzz
