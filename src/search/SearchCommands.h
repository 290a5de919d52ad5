// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>
#include <QString>

namespace kelto {

class CommandHost;
class NavigatorFindDialog;
class Notebook;
class SectionBody;
class TFRDialog;
class TKeltoEdit;
class TpIniFile;
class UserPrompts;
struct SectionMatch;

// The search commands of the window: find, replace and go to line through
// the find dialog, find again (F3), and the navigator's caption search.
// Both dialogs are made here once and kept until the window ends; the find
// and replace histories are read from the settings now and stored by
// storeAtExit().
class SearchCommands : public QObject
{
    Q_OBJECT
public:
    static const QString DialogTitle; // "Найти и заменить"
    static const QString NotFoundMessage; // "Образец не найден. Поиск завершён."
    static const QString ReplaceQuestion; // "Заменить данный текст?"
    static const QString NoCaptionMessage; // "Поиск завершён. Образец не найден."
    // A replace-all over at least this many sections shows its progress.
    static constexpr int ProgressSections = 200;

    SearchCommands(CommandHost& host, Notebook& notebook, TKeltoEdit& editor, TpIniFile& settings,
                   UserPrompts& prompts);
    ~SearchCommands() override;

    TFRDialog& dialog() const { return *m_dialog; }
    NavigatorFindDialog& navigatorDialog() const { return *m_navigatorDialog; }
    // Writes the histories into the settings (not yet to the file).
    void storeAtExit();

private:
    void wire();
    void showDialog(int tab);
    void findAgain();
    void findButton();
    void replaceButton(bool all);
    // The next match from the current section, shown selected; false when
    // there is none.
    bool findNext(const QString& pattern);
    void showMatch(const SectionMatch& match);
    void replaceOne(const QString& pattern, const QString& replacement);
    void replaceAll(const QString& pattern, const QString& replacement);
    void collapseSelection(SectionBody* body);
    void goToLine();
    void navigatorFind();

    CommandHost& m_host;
    Notebook& m_notebook;
    TKeltoEdit& m_editor;
    TpIniFile& m_settings;
    UserPrompts& m_prompts;
    TFRDialog* m_dialog = nullptr;
    NavigatorFindDialog* m_navigatorDialog = nullptr;
};

} // namespace kelto
