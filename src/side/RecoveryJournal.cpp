// SPDX-License-Identifier: GPL-3.0-or-later
#include "RecoveryJournal.h"

#include "common/FileIo.h"
#include "document/Notebook.h"
#include "document/NotebookFile.h"
#include "mainwindow/KeltoRichEd.h"
#include "settings/IniUnit.h"
#include "settings/SettingsKeys.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QLockFile>

#include <utility>

namespace kelto {

const QString RecoveryJournal::RestoreQuestion =
    QStringLiteral("Восстановить несохранённые изменения файла %1?");

namespace {

QString withSuffix(const QString& journal, const char* suffix)
{
    return journal.chopped(4) + QLatin1String(suffix);
}

} // namespace

RecoveryJournal::RecoveryJournal(Notebook& notebook, TKeltoEdit& editor, const TpIniFile& settings,
                                 QObject* parent)
    : QObject(parent), m_notebook(notebook)
{
    m_idle.setSingleShot(true);
    m_idle.setInterval(settings.read(keys::treepad::RecoveryInterval) * 1000);
    connect(&m_idle, &QTimer::timeout, this, &RecoveryJournal::writeNow);
    connect(&editor, &TKeltoEdit::edited, this, [this] {
        m_changed = true;
        m_idle.start();
    });
    // A section switch writes only what changed since the last journal: a
    // large notebook is not written again on every click.
    connect(&notebook, &Notebook::currentChanged, this, [this] {
        if (m_holds > 0)
            m_switchedWhileHeld = true;
        else if (m_changed)
            writeNow();
    });
    const auto changed = [this] { m_changed = true; };
    connect(&notebook, &Notebook::sectionsInserted, this, changed);
    connect(&notebook, &Notebook::sectionsRemoved, this, changed);
    connect(&notebook, &Notebook::sectionMoved, this, changed);
    connect(&notebook, &Notebook::childrenReordered, this, changed);
    connect(&notebook, &Notebook::captionChanged, this, changed);
    connect(&notebook, &Notebook::modifiedChanged, this, [this](bool modified) {
        m_changed = modified;
        if (!modified)
            remove();
    });
}

RecoveryJournal::~RecoveryJournal()
{
    remove();
}

QString RecoveryJournal::folder()
{
    const QString config = qEnvironmentVariable("KELTO_CONFIG_DIR");
    if (!config.isEmpty())
        return QDir(config).filePath(QStringLiteral("recovery"));
    QString state = qEnvironmentVariable("XDG_STATE_HOME");
    if (state.isEmpty())
        state = QDir::home().filePath(QStringLiteral(".local/state"));
    return QDir(state).filePath(QStringLiteral("kelto"));
}

std::vector<RecoveryJournal::Left> RecoveryJournal::leftBehind()
{
    std::vector<Left> left;
    const QDir dir(folder());
    for (const QString& name : dir.entryList({QStringLiteral("*.nib")}, QDir::Files, QDir::Time)) {
        const QString journal = dir.filePath(name);
        // A lock that can be taken belongs to no running program.
        QLockFile lock(withSuffix(journal, ".lock"));
        if (!lock.tryLock(0))
            continue;
        QFile original(withSuffix(journal, ".name"));
        QString path;
        if (original.open(QIODevice::ReadOnly))
            path = QString::fromUtf8(original.readAll());
        left.push_back({journal, path});
    }
    return left;
}

void RecoveryJournal::discard(const QString& journal)
{
    QFile::remove(journal);
    QFile::remove(withSuffix(journal, ".name"));
    QFile::remove(withSuffix(journal, ".lock"));
}

void RecoveryJournal::writeNow()
{
    m_idle.stop();
    if (!m_notebook.isModified())
        return;
    const QString original = m_notebook.fileName();
    const QByteArray key = QCryptographicHash::hash(
        (original.isEmpty() ? Notebook::DefaultFileName : original).toUtf8(),
        QCryptographicHash::Sha1);
    const QString journal =
        QDir(folder()).filePath(QString::fromLatin1(key.toHex().left(16)) + QStringLiteral(".nib"));
    if (journal != m_written)
        remove();
    try {
        QDir().mkpath(folder());
        if (!m_lock) {
            m_lock = std::make_unique<QLockFile>(withSuffix(journal, ".lock"));
            m_lock->setStaleLockTime(0);
            m_lock->tryLock(0);
        }
        writeFileAtomically(withSuffix(journal, ".name"), original.toUtf8());
        WriteOptions options;
        options.createBackup = false;
        WriteNotebook(m_notebook, journal, options);
        m_written = journal;
        m_changed = false;
    } catch (const std::exception&) {
        // A journal that cannot be written leaves the notebook as it is;
        // the next pause tries again.
    }
}

void RecoveryJournal::hold()
{
    ++m_holds;
}

void RecoveryJournal::release()
{
    if (m_holds == 0 || --m_holds > 0)
        return;
    if (std::exchange(m_switchedWhileHeld, false) && m_changed)
        writeNow();
}

void RecoveryJournal::remove()
{
    m_idle.stop();
    m_lock.reset(); // unlocks, removing its own file
    if (!m_written.isEmpty())
        discard(m_written);
    m_written.clear();
}

} // namespace kelto
