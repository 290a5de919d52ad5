// SPDX-License-Identifier: GPL-3.0-or-later
#include "WindowSettings.h"

#include "export/PrintDocument.h"

#include "KeltoRichEd.h"
#include "settings/SettingsKeys.h"

#include <QApplication>
#include <QMainWindow>
#include <QSplitter>
#include <QTreeView>
#include <QWindow>

namespace kelto {

namespace {

// Desktop colours named by index, as far as a Qt palette has them.
QPalette::ColorRole systemColorRole(int index)
{
    switch (index) {
    case 1:  // desktop
    case 15: // button face
        return QPalette::Button;
    case 8: // window text
        return QPalette::Text;
    case 13: // highlight
        return QPalette::Highlight;
    case 14: // highlighted text
        return QPalette::HighlightedText;
    case 18: // button text
        return QPalette::ButtonText;
    case 24: // info background
        return QPalette::ToolTipBase;
    case 4: // menu
    case 10:
        return QPalette::Window;
    default: // 5: the window background, and anything unknown
        return QPalette::Base;
    }
}

void setBackground(QWidget* widget, const QColor& color)
{
    QPalette palette = widget->palette();
    palette.setColor(QPalette::Base, color);
    palette.setColor(QPalette::Window, color);
    widget->setPalette(palette);
    widget->setAutoFillBackground(true);
}

void setTextColor(QWidget* widget, const QColor& color)
{
    QPalette palette = widget->palette();
    palette.setColor(QPalette::Text, color);
    palette.setColor(QPalette::WindowText, color);
    widget->setPalette(palette);
}

} // namespace

WindowSettings::WindowSettings(TpIniFile& settings, const WindowParts& parts)
    : m_settings(settings), m_parts(parts)
{
}

QColor WindowSettings::toColor(int stored, const QPalette& palette)
{
    const quint32 value = quint32(stored);
    if ((value >> 24) == 0x80)
        return palette.color(systemColorRole(int(value & 0xFF)));
    return QColor(int(value & 0xFF), int((value >> 8) & 0xFF), int((value >> 16) & 0xFF));
}

QFont WindowSettings::toFont(const FontSpec& stored)
{
    return fontFromSpec(stored);
}

void WindowSettings::applyOnShow()
{
    applyPlacement();
    applyFonts();
    applyEditorColor();
    applyNavigatorColor();
    applyAlign();
    QList<int> sizes = m_parts.splitter->sizes();
    const int width = m_settings.read(keys::navigator::Width);
    const int navigatorAt = m_parts.splitter->indexOf(m_parts.navigator);
    const int total = sizes.value(0) + sizes.value(1);
    sizes[navigatorAt] = width;
    sizes[1 - navigatorAt] = std::max(total - width, 1);
    m_parts.splitter->setSizes(sizes);
    applyAlwaysOnTop();
    m_parts.editor->setTabFlag(m_settings.read(keys::editor::UseTabChar));
    m_parts.editor->setWordWrap(m_settings.read(keys::editor::WordWrap));
}

void WindowSettings::apply(const KeyBase& key)
{
    if (key == keys::navigator::Align)
        applyAlign();
    else if (key == keys::navigator::Color)
        applyNavigatorColor();
    else if (key == keys::treepad::Color)
        applyEditorColor();
    else if (key == keys::treepad::AlwaysOnTop)
        applyAlwaysOnTop();
    else if (key == keys::editor::UseTabChar)
        m_parts.editor->setTabFlag(m_settings.read(keys::editor::UseTabChar));
    else if (key == keys::editor::WordWrap)
        m_parts.editor->setWordWrap(m_settings.read(keys::editor::WordWrap));
}

void WindowSettings::applyPlacement()
{
    const WindowPlacement placement = m_settings.ReadPlacement();
    QMainWindow* window = m_parts.window;
    window->move(placement.left, placement.top);
    window->resize(std::max(placement.width, 100), std::max(placement.height, 100));
    if (placement.state == WindowPlacement::Maximized)
        window->setWindowState(window->windowState() | Qt::WindowMaximized);
    else if (placement.state == WindowPlacement::Minimized)
        window->setWindowState(window->windowState() | Qt::WindowMinimized);
}

void WindowSettings::applyFonts()
{
    FontSpec editorFont;
    m_settings.ReadFont(keys::EditorFont, editorFont);
    m_parts.editorArea->setFont(toFont(editorFont));
    m_parts.editor->setFont(toFont(editorFont));
    setTextColor(m_parts.editor, toColor(editorFont.color, m_parts.editor->palette()));
    FontSpec navigatorFont;
    m_settings.ReadFont(keys::NavigatorFont, navigatorFont);
    m_parts.navigator->setFont(toFont(navigatorFont));
    setTextColor(m_parts.navigator, toColor(navigatorFont.color, m_parts.navigator->palette()));
}

void WindowSettings::applyEditorColor()
{
    const QColor color =
        toColor(m_settings.read(keys::treepad::Color), QApplication::palette(m_parts.editor));
    setBackground(m_parts.editorArea, color);
    setBackground(m_parts.editor, color);
}

void WindowSettings::applyNavigatorColor()
{
    setBackground(m_parts.navigator, toColor(m_settings.read(keys::navigator::Color),
                                             QApplication::palette(m_parts.navigator)));
}

void WindowSettings::applyAlign()
{
    const bool right = m_settings.read(keys::navigator::Align) == keys::navigator::AlignRight;
    const int wanted = right ? 1 : 0;
    if (m_parts.splitter->indexOf(m_parts.navigator) != wanted) {
        const QList<int> sizes = m_parts.splitter->sizes();
        m_parts.splitter->insertWidget(wanted, m_parts.navigator);
        m_parts.splitter->setSizes({sizes.value(1), sizes.value(0)});
    }
    m_parts.splitter->setStretchFactor(wanted, 0);
    m_parts.splitter->setStretchFactor(1 - wanted, 1);
}

void WindowSettings::applyAlwaysOnTop()
{
    QMainWindow* window = m_parts.window;
    const bool onTop = m_settings.read(keys::treepad::AlwaysOnTop);
    if (window->windowFlags().testFlag(Qt::WindowStaysOnTopHint) == onTop)
        return;
    // Through the native window's flag: changing the widget's flags would
    // hide and re-create the window.
    if (QWindow* handle = window->windowHandle()) {
        handle->setFlag(Qt::WindowStaysOnTopHint, onTop);
        return;
    }
    window->setWindowFlag(Qt::WindowStaysOnTopHint, onTop);
}

void WindowSettings::storeAtExit()
{
    QMainWindow* window = m_parts.window;
    WindowPlacement placement;
    if (window->isMaximized())
        placement.state = WindowPlacement::Maximized;
    else if (window->isMinimized())
        placement.state = WindowPlacement::Minimized;
    else
        placement.state = WindowPlacement::Normal;
    const QRect bounds = window->isMinimized() ? window->normalGeometry() : window->geometry();
    placement.left = window->pos().x();
    placement.top = window->pos().y();
    placement.width = bounds.width();
    placement.height = bounds.height();
    m_settings.WritePlacement(placement, m_parts.navigator->width());
}

} // namespace kelto
