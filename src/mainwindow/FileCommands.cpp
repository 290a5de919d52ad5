// SPDX-License-Identifier: GPL-3.0-or-later
#include "FileCommands.h"

#include "BusyCursor.h"
#include "UserPrompts.h"
#include "common/FileIo.h"
#include "common/KeltoError.h"
#include "document/Notebook.h"
#include "document/NotebookFile.h"
#include "settings/IniUnit.h"
#include "settings/SettingsKeys.h"

#include <QDir>
#include <QFileInfo>

namespace kelto {

namespace {

const QString AppTitle = QStringLiteral("Тримбель");

} // namespace

FileCommands::FileCommands(Notebook& notebook, TpIniFile& settings, UserPrompts& prompts,
                           QWidget* parent, Hooks hooks)
    : m_notebook(notebook), m_settings(settings), m_prompts(prompts), m_parent(parent),
      m_hooks(std::move(hooks))
{
}

void FileCommands::commitOpenEdit()
{
    if (m_hooks.commitCaptionEdit)
        m_hooks.commitCaptionEdit();
}

bool FileCommands::askSave()
{
    commitOpenEdit();
    if (!m_notebook.isModified())
        return true;
    const QString name = m_notebook.hasFile() ? QFileInfo(m_notebook.fileName()).fileName()
                                              : Notebook::DefaultFileName;
    switch (m_prompts.question(
        m_parent, QStringLiteral("Файл \"%1\" изменён. Сохранить изменения?").arg(name), true)) {
    case UserPrompts::Answer::Yes:
        return save();
    case UserPrompts::Answer::No:
        return true;
    case UserPrompts::Answer::Cancel:
        break;
    }
    return false;
}

void FileCommands::openFile(const QString& path)
{
    // A folder (or a device, or a pipe) is no file to open.
    if (!QFileInfo(path).isFile())
        throw KeltoError(QStringLiteral("Невозможно открыть файл \"%1\".").arg(path));
    const QString absolute = QFileInfo(path).absoluteFilePath();
    // Taken before reading: a change made while the file is read shows as a
    // change later.
    const FileStamp stamp = fileStamp(absolute);
    ReadOptions options;
    options.activateLastNode = m_settings.read(keys::navigator::ActivateLastNode);
    const BusyCursor busy;
    if (m_hooks.showLoading)
        m_hooks.showLoading(true);
    try {
        ReadNotebook(absolute, m_notebook, options);
    } catch (...) {
        if (m_hooks.showLoading)
            m_hooks.showLoading(false);
        throw;
    }
    if (m_hooks.showLoading)
        m_hooks.showLoading(false);
    remember(absolute, stamp);
    setFileName(absolute);
    m_notebook.setModified(false);
}

void FileCommands::restoreFile(const QString& journal, const QString& original)
{
    const BusyCursor busy;
    ReadOptions options;
    options.activateLastNode = true;
    ReadNotebook(journal, m_notebook, options);
    if (!original.isEmpty())
        remember(original, fileStamp(original));
    setFileName(original);
    m_notebook.setModified(true);
}

bool FileCommands::open()
{
    const QString path = m_prompts.openFileName(m_parent, QDir::currentPath());
    if (path.isEmpty() || !askSave())
        return false;
    openFile(path);
    return true;
}

bool FileCommands::newNotebook()
{
    if (!askSave())
        return false;
    m_notebook.clearNotebook();
    remember(QString(), {});
    m_notebook.addSection(nullptr, Notebook::NewSectionCaption);
    setFileName(QString());
    m_notebook.setModified(false);
    m_notebook.clearProperties();
    return true;
}

QString FileCommands::withNibExtension(const QString& path)
{
    const QFileInfo info(path);
    const QString name = info.fileName();
    const QString folder = path.left(path.size() - name.size());
    const int dot = name.lastIndexOf(QLatin1Char('.'));
    if (dot > 0 && name.mid(dot + 1).compare(QLatin1String("nib"), Qt::CaseInsensitive) == 0)
        return path;
    return folder + (dot > 0 ? name.left(dot) : name) + QStringLiteral(".nib");
}

void FileCommands::remember(const QString& path, const FileStamp& stamp)
{
    m_seenPath = path;
    m_seenStamp = stamp;
}

bool FileCommands::mayReplace(const QString& path)
{
    if (m_seenPath.isEmpty() || !isSameFile(path, m_seenPath))
        return true;
    const FileStamp now = fileStamp(path);
    if (!now.exists || now == m_seenStamp)
        return true;
    const QString name = QFileInfo(path).fileName();
    return m_prompts.question(
               m_parent,
               QStringLiteral("Файл \"%1\" был изменён другой программой. Заменить его?").arg(name),
               false) == UserPrompts::Answer::Yes;
}

bool FileCommands::saveNotebook(const QString& path)
{
    // Another window or program may have written the file since this
    // window saw it; its version is not replaced unasked (Yes keeps it as
    // the backup).
    if (!mayReplace(path))
        return false;
    WriteOptions options;
    options.createBackup = m_settings.read(keys::treepad::CreateBackUp);
    const BusyCursor busy;
    WriteNotebook(m_notebook, path, options);
    remember(path, fileStamp(path));
    return true;
}

bool FileCommands::save()
{
    commitOpenEdit();
    if (!m_notebook.hasFile())
        return saveAs();
    const QString current = m_notebook.fileName();
    const QString target = withNibExtension(current);
    if (!isSameFile(target, current) && QFileInfo::exists(target)) {
        // A notebook made from a text file must not silently replace another
        // notebook that happens to stand beside it.
        const auto answer = m_prompts.question(
            m_parent, QStringLiteral("Файл \"%1\" уже существует. Заменить его?").arg(target),
            true);
        if (answer == UserPrompts::Answer::No)
            return saveAs();
        if (answer == UserPrompts::Answer::Cancel)
            return false;
    }
    // The target is the notebook's own file from here on, so its stamps go
    // into the notebook; a failed write leaves the old name in place.
    m_notebook.setFileName(target);
    bool saved = false;
    try {
        saved = saveNotebook(target);
    } catch (...) {
        m_notebook.setFileName(current);
        throw;
    }
    if (!saved) {
        m_notebook.setFileName(current);
        return false;
    }
    setFileName(target);
    m_notebook.setModified(false);
    return true;
}

bool FileCommands::saveAs()
{
    commitOpenEdit();
    const QString current = m_notebook.fileName();
    const QString suggested =
        m_notebook.hasFile()
            ? withNibExtension(current)
            : QDir::current().filePath(Notebook::DefaultFileName + QStringLiteral(".nib"));
    const QString path = m_prompts.saveFileName(m_parent, suggested);
    if (path.isEmpty())
        return false;
    const QString absolute = QFileInfo(path).absoluteFilePath();
    if (!saveNotebook(absolute))
        return false;
    setFileName(absolute);
    m_notebook.setModified(false);
    return true;
}

bool FileCommands::canClose()
{
    commitOpenEdit();
    if (m_notebook.isEmpty())
        return true;
    return askSave();
}

QString FileCommands::caption() const
{
    const QString path = m_notebook.fileName();
    if (!m_notebook.hasFile())
        return QStringLiteral("%1 - %2").arg(AppTitle, Notebook::DefaultFileName);
    const QFileInfo info(path);
    QString title = info.fileName();
    if (info.suffix().compare(QLatin1String("nib"), Qt::CaseInsensitive) == 0) {
        title = m_notebook.properties().value(DocumentProperties::Name);
        if (title.isEmpty())
            title = QStringLiteral("Без названия");
    }
    return QStringLiteral("%1 - %2").arg(AppTitle, title);
}

void FileCommands::setFileName(const QString& path)
{
    m_notebook.setFileName(path);
    if (!m_notebook.hasFile()) {
        if (m_hooks.showFileName)
            m_hooks.showFileName(caption(), QString());
        return;
    }
    if (m_hooks.showFileName)
        m_hooks.showFileName(caption(), path);
    QDir::setCurrent(QFileInfo(path).absolutePath());
    if (m_settings.read(keys::treepad::MaxHistoryCount) > 0 && m_hooks.recordFile)
        m_hooks.recordFile(path);
}

} // namespace kelto
