// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>
#include <QString>
#include <QTimer>

#include <memory>
#include <vector>

class QLockFile;

namespace kelto {

class Notebook;
class TKeltoEdit;
class TpIniFile;

// Keeps unsaved changes safe from a crash: a notebook with unsaved changes
// is written, whole and in the notebook format, to a journal in the state
// folder after a pause in typing and whenever another section is chosen.
// A save, a notebook opened or made in its place, and a normal end of the
// program remove the journal; a journal left behind is offered back at the
// next start. A lock beside each journal tells the journals of a running
// program from those of one that ended without saving.
class RecoveryJournal : public QObject
{
    Q_OBJECT
public:
    static const QString RestoreQuestion; // "Восстановить несохранённые изменения файла %s?"

    struct Left
    {
        QString journal;
        QString original; // the notebook's file; empty for one never saved
    };

    RecoveryJournal(Notebook& notebook, TKeltoEdit& editor, const TpIniFile& settings,
                    QObject* parent = nullptr);
    ~RecoveryJournal() override;

    // $XDG_STATE_HOME/kelto (default ~/.local/state/kelto); beside the
    // settings when KELTO_CONFIG_DIR says where they are.
    static QString folder();
    // The journals no running program holds.
    static std::vector<Left> leftBehind();
    static void discard(const QString& journal);

    // Writes the journal now when there are unsaved changes.
    void writeNow();
    // While held (holds nest), section switches do not write the journal: a
    // command that walks through many sections, such as a replace-all,
    // writes it once, when the last hold is released and something changed.
    void hold();
    void release();

private:
    void remove();

    Notebook& m_notebook;
    QTimer m_idle;
    QString m_written;      // the journal this program wrote last
    bool m_changed = false; // a change not yet in the journal
    int m_holds = 0;
    bool m_switchedWhileHeld = false;
    std::unique_ptr<QLockFile> m_lock;
};

} // namespace kelto
