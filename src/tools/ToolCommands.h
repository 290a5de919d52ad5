// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>
#include <QString>

class QTreeView;

namespace kelto {

class CommandHost;
class NavigatorModel;
class Notebook;
class TKeltoEdit;
class TListGnrBox;
class TPatternsForm;
class TpIniFile;
class UserPrompts;
struct Template;

// The editor tools of the window that work on sections and templates: the
// template picker (F12), the list generator (Shift+F5) and sorting. The
// picker, with the templates read from templatesPath, and the list
// generator's dialog are made here once and kept until the window ends.
class ToolCommands : public QObject
{
    Q_OBJECT
public:
    struct Parts
    {
        Notebook& notebook;
        QTreeView& view;
        NavigatorModel& model;
        TKeltoEdit& editor;
    };

    ToolCommands(CommandHost& host, Parts parts, TpIniFile& settings, UserPrompts& prompts,
                 const QString& templatesPath);
    ~ToolCommands() override;

    TPatternsForm& patterns() const { return *m_patterns; }
    TListGnrBox& listBox() const { return *m_listBox; }

private:
    bool editorActive() const;
    void showPatterns();
    void insertTemplate(const Template& entry);
    void createList();
    void sortSections();

    CommandHost& m_host;
    Parts m_parts;
    TpIniFile& m_settings;
    TPatternsForm* m_patterns = nullptr;
    TListGnrBox* m_listBox = nullptr;
};

} // namespace kelto
