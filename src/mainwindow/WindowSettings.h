// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "settings/IniUnit.h"

#include <QColor>
#include <QFont>

class QMainWindow;
class QSplitter;
class QTreeView;
class QWidget;

namespace kelto {

class TKeltoEdit;

// The widgets that settings shape.
struct WindowParts
{
    QMainWindow* window = nullptr;
    QSplitter* splitter = nullptr;
    QTreeView* navigator = nullptr;
    QWidget* editorArea = nullptr;
    TKeltoEdit* editor = nullptr;
};

// Applies stored settings to the window and stores the window's state back:
// placement, fonts, colours, the navigator's side and width, always on top,
// the tab flag and word wrap.
class WindowSettings
{
public:
    WindowSettings(TpIniFile& settings, const WindowParts& parts);

    // Everything the window takes from the settings when it is first shown.
    void applyOnShow();
    // The settings that take effect as soon as they are written.
    void apply(const KeyBase& key);
    // Placement (bounds and navigator width only when not maximised).
    void storeAtExit();
    // The stored editor and navigator fonts, applied now.
    void applyFonts();

    // 0x00BBGGRR, or a system colour (top byte 0x80, index in the low byte).
    static QColor toColor(int stored, const QPalette& palette);
    static QFont toFont(const FontSpec& stored);

private:
    void applyPlacement();
    void applyNavigatorColor();
    void applyEditorColor();
    void applyAlign();
    void applyAlwaysOnTop();

    TpIniFile& m_settings;
    WindowParts m_parts;
};

} // namespace kelto
