// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "export/ExportJob.h"

#include <QDialog>
#include <QStringList>

class QButtonGroup;
class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;

namespace kelto {

class TpIniFile;
class UserPrompts;

// The text and HTML delimiters the export dialog edits. They outlive each
// dialog: an edit is kept for the next opening even when that export was
// cancelled, and goes into the settings with the next successful export.
struct ExportDelimiters
{
    QString text;
    QString html;
    bool loaded = false;
};

// The export dialog: which sections, which of their parts, the format and
// its options, and the file. OK accepts only once the target's folder
// exists (it offers to create the last missing level), no file it writes
// (the target, and with frames its two pages) is the open notebook's own
// file, and the user agreed to replace those that exist; the caller then runs job() and, when that
// succeeded, storeChoices().
class TExportBox : public QDialog
{
    Q_OBJECT
public:
    static const QString OwnFileMessage;

    // notebookFile is the open notebook's file, empty when it was never
    // saved; the file name starts from it.
    TExportBox(QWidget* parent, TpIniFile& settings, ExportDelimiters& delimiters,
               const QString& notebookFile, UserPrompts& prompts);

    // The choices as a job; the section and progress are the caller's.
    ExportJob job() const;
    // Stores the choices and both delimiters in the settings.
    void storeChoices() const;

protected:
    // Centred on the screen.
    void showEvent(QShowEvent* event) override;

private:
    void build();
    void load();
    void formatChanged();
    void applyFramesRule();
    void delimiterEdited(const QString& text);
    void browse();
    void okClicked();
    // The target's folder exists, or was made; false when the dialog stays.
    bool confirmFolder();
    QStringList targetFiles() const;
    // The user agreed to replace those of targets that exist.
    bool confirmReplace(const QStringList& targets);
    ExportFormat format() const;

    TpIniFile& m_settings;
    ExportDelimiters& m_delimiters;
    UserPrompts& m_prompts;
    QString m_notebookFile;
    QButtonGroup* m_range = nullptr;
    QButtonGroup* m_objects = nullptr;
    QButtonGroup* m_format = nullptr;
    QButtonGroup* m_break = nullptr;
    QGroupBox* m_breakBox = nullptr;
    QCheckBox* m_docInfo = nullptr;
    QCheckBox* m_path = nullptr;
    QCheckBox* m_useFrames = nullptr;
    QLabel* m_editLabel = nullptr;
    QLineEdit* m_delimiter = nullptr;
    QLineEdit* m_fileName = nullptr;
};

} // namespace kelto
