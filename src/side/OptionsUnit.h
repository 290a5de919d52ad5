// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "tools/TemplateFile.h"

#include <QDialog>
#include <QFont>

#include <functional>

class QButtonGroup;
class QCheckBox;
class QComboBox;
class QLineEdit;
class QSpinBox;
class QTabWidget;
class QToolButton;

namespace kelto {

class TemplatesEditor;
class TpIniFile;

// The options dialog: five pages of settings stored by OK, and the fonts
// and background colours of the navigator and the editor, which their
// buttons apply and store at once (Cancel keeps them).
class TOptionsDialog : public QDialog
{
    Q_OBJECT
public:
    // What the dialog needs of the window beyond the settings.
    struct Window
    {
        std::function<QFont(bool editor)> font;        // the shown font
        std::function<void()> applyFonts;              // after a font is stored
        std::function<QColor(bool editor)> background; // the shown colour
        bool trayAvailable = true;
    };

    TOptionsDialog(QWidget* parent, TpIniFile& settings, const TemplateList& templates,
                   Window window);

    // After OK: the templates as edited.
    const TemplateList& templates() const;
    QTabWidget* pages() const { return m_pages; }

    // Stores every value; the caller then rewrites the templates file.
    void store();

protected:
    // Centred on the screen.
    void showEvent(QShowEvent* event) override;

private:
    QWidget* generalPage();
    QWidget* navigatorPage();
    QWidget* editorPage();
    QWidget* exportPage();
    QCheckBox* check(const char* name, const QString& caption, bool value);
    void chooseFont(bool editor);
    void chooseBackground(bool editor);
    void chooseHtmlColour(int which);

    TpIniFile& m_settings;
    Window m_window;
    QTabWidget* m_pages = nullptr;
    TemplatesEditor* m_templates = nullptr;
    QCheckBox *m_onTop = nullptr, *m_tray = nullptr, *m_lastNode = nullptr, *m_backup = nullptr;
    QCheckBox *m_status = nullptr, *m_tools = nullptr, *m_delQuery = nullptr, *m_wrap = nullptr;
    QButtonGroup* m_onLoad = nullptr;
    QButtonGroup* m_tabKey = nullptr;
    QButtonGroup* m_align = nullptr;
    QLineEdit* m_loadFile = nullptr;
    QSpinBox *m_history = nullptr, *m_favorites = nullptr, *m_shifts = nullptr;
    QComboBox *m_linkFont = nullptr, *m_linkSize = nullptr;
    int m_html[4] = {}; // background, link, active, visited (00BBGGRR)
    QToolButton* m_swatches[4] = {};
    bool m_showFileManager = false;
    QColor m_lastColour = Qt::white;
};

} // namespace kelto
