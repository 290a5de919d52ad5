// SPDX-License-Identifier: GPL-3.0-or-later
#include "mainwindow/ActionCatalog.h"

#include <QAction>
#include <QFile>
#include <QIcon>
#include <QKeySequence>
#include <QMenu>
#include <QMenuBar>
#include <QToolBar>
#include <QToolButton>
#include <QtGlobal>

#include <iterator>

namespace kelto {

namespace {

enum class Kind : quint8
{
    Plain,
    Checkable,
    Hidden
};

// One command: name, caption with its accelerator, key, hint "short|long",
// icon theme name (empty: only the program's own picture).
struct ActionRow
{
    QStringView name;
    QStringView caption;
    QKeyCombination key;
    QStringView hint;
    QStringView icon;
    Needs needs = 0; // besides being wired, see ActionTable::updateEnabled()
    Kind kind = Kind::Plain;
};

constexpr QKeyCombination NoKey{};
constexpr auto Ctrl = Qt::CTRL;
constexpr auto CtrlShift = Qt::CTRL | Qt::SHIFT;
constexpr Needs OnSection = need::NavigatorShown | need::SectionSelected;

// clang-format off
const ActionRow FileActions[] = {
    {cmd::FileNew, u"Созд&ать", Ctrl | Qt::Key_N,
     u"Новый|Создать новый файл.", u"document-new"},
    {cmd::FileOpen, u"&Открыть...", Ctrl | Qt::Key_O,
     u"Открыть|Открыть существующий файл.", u"document-open"},
    {cmd::FileSave, u"&Сохранить", Ctrl | Qt::Key_S,
     u"Сохранить|Сохранить изменения файла.", u"document-save", need::NotEmpty},
    {cmd::FileSaveAs, u"Сохранить &как...", CtrlShift | Qt::Key_S,
     u"Сохранить как|Сохранить файл под другим именем.", u"document-save-as", need::NotEmpty},
    {cmd::FileExit, u"В&ыход", Qt::ALT | Qt::Key_X,
     u"|Завершить работу.", u"application-exit"},
};

const ActionRow OutputActions[] = {
    {cmd::FileSendMail, u"Отправить e-&mail...", NoKey,
     u"|Послать по электронной почте (вызов программы только).", u"mail-send"},
    {cmd::FilePrint, u"&Печать...", Ctrl | Qt::Key_P,
     u"Печать|Печать всего файла или текущего раздела.", u"document-print"},
    {cmd::FilePrintSetup, u"Настройка прин&тера...", NoKey,
     u"Настройка принтера|Выбор принтера для печати, размер бумаги, ориентация.", u"printer"},
    {cmd::FilePageSetup, u"Параметры &страницы...", NoKey,
     u"Параметры страницы|Установка области печати.", u"document-page-setup"},
    {cmd::FileExport, u"&Экспорт...", Ctrl | Qt::Key_E,
     u"Экспорт|Сохранение файла в другом формате.", u"document-export"},
};

const ActionRow ServiceActions[] = {
    {cmd::ServiceNewWindow, u"Новое &окно", CtrlShift | Qt::Key_N,
     u"|Запустить копию программы.", u"window-new"},
    {cmd::ServiceInfo, u"&Информация...", Ctrl | Qt::Key_M,
     u"Информация|Информация о документе.", u"document-properties"},
    {cmd::ServiceStat, u"Статистика...", Ctrl | Qt::Key_T, u"", u"", {}, Kind::Hidden},
    {cmd::ServiceImport, u"Импорт...", Ctrl | Qt::Key_I, u"", u"document-import"},
    {cmd::ServiceShowNavigator, u"Показать на&вигатор", Ctrl | Qt::Key_B,
     u"|Переключатель показа навигатора.", u""},
    {cmd::ServiceHideNavigator, u"Скрыть на&вигатор", Ctrl | Qt::Key_B,
     u"|Переключатель показа навигатора.", u""},
    {cmd::ServiceFiles, u"Показать &файлы", Ctrl | Qt::Key_Q,
     u"Менеджер файлов|", u"system-file-manager"},
    {cmd::ServiceOptions, u"Наст&ройки...", Qt::Key_F9,
     u"Настройки|Показать окно с многочисленными страницами настроек.", u"preferences-system"},
};

const ActionRow HelpActions[] = {
    {cmd::HelpContents, u"Вызов &справки", Qt::Key_F1, u"|Справка.", u"help-contents"},
    {cmd::HelpAbout, u"О программе...", Ctrl | Qt::Key_F1, u"", u"help-about"},
};

const ActionRow FavoriteActions[] = {
    {cmd::FavoriteAdd, u"Д&обавить...", Ctrl | Qt::Key_D, u"", u"bookmark-new"},
    {cmd::FavoriteChange, u"Изм&енить...", CtrlShift | Qt::Key_D, u"", u""},
};

const ActionRow NavigatorActions[] = {
    {cmd::NavigatorUndo, u"От&мена", NoKey, u"", u"edit-undo"},
    {cmd::NavigatorNewNode, u"&Новый раздел", Qt::Key_F5,
     u"Создать раздел|Создать новый раздел того же уровня что и выделенный.", u"list-add", need::NavigatorShown},
    {cmd::NavigatorNewChild, u"Новый &подраздел", Qt::Key_F6,
     u"Создать подраздел|Создать новый подраздел в текущем разделе.", u"", need::NavigatorShown},
    {cmd::NavigatorInsertNode, u"&Новый над текущим", NoKey, u"", u"", need::NavigatorShown},
    {cmd::NppInsertNode, u"Новый &над текущим", NoKey, u"", u""},
    {cmd::NavigatorRenameNode, u"Пере&именовать", Qt::Key_F2,
     u"Переименовать раздел|Переименовать выделенный раздел.", u"edit-rename", OnSection},
    {cmd::NavigatorDeleteNode, u"&Удалить раздел", Qt::Key_F8,
     u"Удалить раздел|Удалить выделенный раздел и все входящие в него подразделы.",
     u"list-remove", OnSection},
    {cmd::NavigatorExpand, u"&Развернуть всю ветвь", Qt::Key_F4,
     u"Развернуть ветвь|Показать всё поддерево выделенного элемента.", u"", OnSection},
    {cmd::NavigatorCollapse, u"&Свернуть всю ветвь", Qt::Key_F4,
     u"Свернуть ветвь|Скрыть все элементы выделенного узла.", u"", OnSection},
    {cmd::NavigatorFindNode, u"&Поиск...", Qt::Key_F7,
     u"Найти раздел|Поиск раздела в навигаторе.", u"", OnSection},
    {cmd::NavigatorCreateList, u"Со&здать список...", Qt::SHIFT | Qt::Key_F5,
     u"Список|Автоматизированое создание разделов в навигаторе.", u""},
    {cmd::NavigatorSort, u"Со&ртировка...", NoKey, u"", u"view-sort-ascending"},
    {cmd::NavigatorSelPrev, u"Перейти к предыдущему", Qt::ALT | Qt::Key_Up, u"",
     u"go-previous"},
    {cmd::NavigatorSelNext, u"Перейти к следующему", Qt::ALT | Qt::Key_Down, u"",
     u"go-next"},
    {cmd::NppInsDT, u"&Дата/Время", NoKey, u"", u"", OnSection},
    {cmd::NppCopyPath, u"&Копировать путь", NoKey, u"", u"", OnSection},
    {cmd::NppInfo, u"&Информация...", NoKey, u"", u""},
};

const ActionRow MoveActions[] = {
    {cmd::NavigatorMoveUp, u"Наверх", Ctrl | Qt::Key_Up,
     u"Сдвинуть вверх|Переместить раздел вверх.", u"go-up", OnSection},
    {cmd::NavigatorMoveDown, u"Вниз", Ctrl | Qt::Key_Down,
     u"Сдвинуть вниз|Переместить раздел вниз.", u"go-down", OnSection},
    {cmd::NavigatorInsertPrev, u"Вставить в предыдущий", CtrlShift | Qt::Key_Up, u"", u"", OnSection},
    {cmd::NavigatorInsertNext, u"Вставить в следущий", CtrlShift | Qt::Key_Down, u"", u"", OnSection},
    {cmd::NavigatorUpOneLevel, u"Поднять на уровень выше", Ctrl | Qt::Key_Backspace, u"",
     u"", OnSection},
    {cmd::NavigatorUpToRoot, u"Переместить в корень", CtrlShift | Qt::Key_Backspace, u"",
     u"", OnSection},
    {cmd::NppUppestLevel, u"Поднять на уровень &выше", NoKey, u"", u"", OnSection},
    {cmd::NppMakeFirst, u"Сделать перв&ым на уровне", NoKey, u"", u"", OnSection},
    {cmd::NppMakeLast, u"Сделать последн&им на уровне", NoKey, u"", u"", OnSection},
};

const ActionRow EditorActions[] = {
    {cmd::EditUndo, u"От&мена", Ctrl | Qt::Key_Z,
     u"Отменить|Отменить последнее действие.", u"edit-undo", need::EditorFocused},
    {cmd::EditRedo, u"&Вернуть", CtrlShift | Qt::Key_Z,
     u"Вернуть|Вернуть отменённое действие.", u"edit-redo", need::EditorFocused},
    {cmd::EditCutMulti, u"Вырезать", Ctrl | Qt::Key_X, u"", u"edit-cut"},
    {cmd::EditCut, u"Вырезать", Ctrl | Qt::Key_X, u"", u"edit-cut", need::EditorSelection},
    {cmd::EditCopy, u"Копировать", Ctrl | Qt::Key_C, u"", u"edit-copy"},
    {cmd::EditPasteMulti, u"Вставить", Ctrl | Qt::Key_V, u"", u"edit-paste"},
    {cmd::EditPaste, u"Вставить", Ctrl | Qt::Key_V, u"", u"edit-paste", need::EditorFocused},
    {cmd::EditDelete, u"Удалить", NoKey, u"", u"edit-delete", need::EditorSelection},
    {cmd::EditQuickSelectAll, u"Выделить всё", Ctrl | Qt::Key_A, u"Выделить весь текст",
     u"edit-select-all", need::EditorFocused},
    {cmd::EditShl, u"Отступ в&лево", CtrlShift | Qt::Key_Comma,
     u"|Сдвинуть фрагмент текста влево.", u"format-indent-less", need::EditorSelection},
    {cmd::EditShr, u"Отступ в&право", CtrlShift | Qt::Key_Period,
     u"|Сдвинуть фрагмент текста право.", u"format-indent-more", need::EditorSelection},
    {cmd::EditLower, u"маленькие", Ctrl | Qt::Key_L,
     u"Нижний регистр|Преобразование букв выделенного фрагмента в нижний регистр.", u"", need::EditorFocused},
    {cmd::EditUpper, u"БОЛЬШИЕ", Ctrl | Qt::Key_U,
     u"Верхний регистр|Преобразование букв выделенного фрагмента в верхний регистр.", u"", need::EditorFocused},
    {cmd::EditorNodeText, u"&Имя раздела", NoKey,
     u"|Вставить в позицию курсора название текущего раздела.", u"", need::EditorFocused},
    {cmd::EditorNodePath, u"Пу&ть к разделу", NoKey,
     u"|Вставить в позицию курсора полный путь к текущему разделу.", u"", need::EditorFocused},
    {cmd::EditorChildList, u"Списо&к подразделов", NoKey,
     u"|Вставить в позицию курсора список подразделов текущего раздела.", u"", need::EditorFocused},
    {cmd::EditorDateTime, u"Дата/&Время...", Qt::Key_F10,
     u"Втавка даты/времени|Вставить в позицию курсора текущую дату или время.", u"",
     need::EditorFocused},
    {cmd::EditorChar, u"&Символ...", Qt::Key_F11, u"|Вставка символа из таблицы.", u""},
    {cmd::EditorPattern, u"&Шаблон...", Qt::Key_F12, u"|Вставить готовый шаблон.", u""},
    {cmd::EditAutoClipboard, u"Авто&буфер", CtrlShift | Qt::Key_C,
     u"Автобуфер|Включение/выключение режима автовставки текста при копировании в буфер.", u"",
     need::EditorFocused, Kind::Checkable},
    // The Tab key in the editor while tabs are typed with Tab; no caption.
    {cmd::EditorDisableTab, u"", Qt::Key_Tab, u"", u"", need::TabTyping},
    // Word wrap on or off; the focus to the next or previous control while
    // Tab types a tab character.
    {cmd::EditorWordWrap, u"", Ctrl | Qt::Key_W, u"", u""},
    {cmd::FocusNext, u"", Ctrl | Qt::Key_Tab, u"", u"", need::TabTyping},
    {cmd::FocusPrevious, u"", CtrlShift | Qt::Key_Backtab, u"", u"", need::TabTyping},
};

const ActionRow SearchActions[] = {
    {cmd::EditFind, u"&Поиск...", Ctrl | Qt::Key_F, u"Найти|Поиск текста.", u"edit-find",
     need::EditorFocused},
    {cmd::EditReplace, u"&Замена...", Ctrl | Qt::Key_R, u"Заменить|Поиск и замена текста.",
     u"edit-find-replace", need::EditorFocused},
    {cmd::EditGoto, u"Перей&ти...", Ctrl | Qt::Key_G, u"Перейти |Перейти на строку.",
     u"go-jump", need::EditorFocused},
    {cmd::EditFindAgain, u"Про&должить поиск", Qt::Key_F3,
     u"Найти далее|Повторить попытку поиска последнего найденного фрагмента", u"",
     need::EditorFocused},
};
// clang-format on

struct ActionGroup
{
    const ActionRow* first;
    const ActionRow* last;
};

const ActionGroup ActionGroups[] = {
    {std::begin(FileActions), std::end(FileActions)},
    {std::begin(OutputActions), std::end(OutputActions)},
    {std::begin(ServiceActions), std::end(ServiceActions)},
    {std::begin(HelpActions), std::end(HelpActions)},
    {std::begin(FavoriteActions), std::end(FavoriteActions)},
    {std::begin(NavigatorActions), std::end(NavigatorActions)},
    {std::begin(MoveActions), std::end(MoveActions)},
    {std::begin(EditorActions), std::end(EditorActions)},
    {std::begin(SearchActions), std::end(SearchActions)},
};

} // namespace

// One entry of a menu, toolbar or context menu.
struct LayoutItem
{
    enum Kind : quint8
    {
        Action,    // name: the command
        Shared,    // name: the command placed first; other: its twin
        Separator, //
        Menu,      // name: object name; other: title; hint: hint of the item
        EndMenu,   // closes the innermost Menu
        Marker,    // name: object name of a hidden place holder
    };
    Kind kind;
    QStringView name = {};
    QStringView other = {};
    QStringView hint = {};
};

namespace {

constexpr LayoutItem act(QStringView name)
{
    return {LayoutItem::Action, name};
}
constexpr LayoutItem shared(QStringView first, QStringView twin)
{
    return {LayoutItem::Shared, first, twin};
}
constexpr LayoutItem submenu(QStringView objectName, QStringView title, QStringView hint = {})
{
    return {LayoutItem::Menu, objectName, title, hint};
}
constexpr LayoutItem Sep{LayoutItem::Separator};
constexpr LayoutItem End{LayoutItem::EndMenu};

// clang-format off
const LayoutItem MenuBarLayout[] = {
    submenu(u"MenuFile", u"&Файл"),
        act(cmd::FileNew), act(cmd::FileOpen),
        submenu(u"HistoryMenu", u"&История", u"|Список ранее открываемых файлов."), End,
        Sep, act(cmd::FileSave), act(cmd::FileSaveAs),
        Sep, act(cmd::FileSendMail),
        Sep, act(cmd::FilePrint), act(cmd::FilePrintSetup), act(cmd::FilePageSetup),
        Sep, act(cmd::FileExit),
    End,
    submenu(u"MenuNavigator", u"&Навигатор"),
        act(cmd::NavigatorUndo),
        Sep, act(cmd::NavigatorNewNode), act(cmd::NavigatorNewChild),
        act(cmd::NavigatorRenameNode), act(cmd::NavigatorDeleteNode),
        Sep, shared(cmd::NavigatorExpand, cmd::NavigatorCollapse),
        Sep, act(cmd::NavigatorFindNode),
        Sep, act(cmd::NavigatorCreateList), act(cmd::NavigatorSort),
    End,
    submenu(u"MenuEditor", u"&Редактор"),
        act(cmd::EditUndo), act(cmd::EditRedo),
        Sep, act(cmd::EditCutMulti), act(cmd::EditCopy), act(cmd::EditPasteMulti),
        act(cmd::EditDelete),
        Sep, act(cmd::EditQuickSelectAll),
        Sep, act(cmd::EditFind), act(cmd::EditReplace), act(cmd::EditGoto),
        Sep, act(cmd::EditShl), act(cmd::EditShr),
        Sep, submenu(u"MenuEditorCase", u"Регистр"),
            act(cmd::EditLower), act(cmd::EditUpper),
        End,
        Sep, submenu(u"MenuEditorInsert", u"Вставка"),
            act(cmd::EditorDateTime), act(cmd::EditorChar), act(cmd::EditorPattern),
        End,
        act(cmd::EditAutoClipboard),
    End,
    submenu(u"MenuFavorites", u"&Избранное"),
        act(cmd::FavoriteAdd), act(cmd::FavoriteChange), Sep,
        {LayoutItem::Marker, u"FavoritesMarker"},
    End,
    submenu(u"MenuTemplates", u"&Шаблоны"), End,
    submenu(u"MenuService", u"&Сервис"),
        act(cmd::ServiceNewWindow),
        Sep, act(cmd::ServiceInfo), act(cmd::ServiceStat),
        Sep, act(cmd::FileExport), act(cmd::ServiceImport),
        Sep, shared(cmd::ServiceHideNavigator, cmd::ServiceShowNavigator),
        act(cmd::ServiceFiles), act(cmd::ServiceOptions),
    End,
    submenu(u"MenuHelp", u"&?"),
        act(cmd::HelpContents), act(cmd::HelpAbout),
    End,
};

const LayoutItem ToolBarLayout[] = {
    act(cmd::FileNew), act(cmd::FileOpen), act(cmd::FileSave),
    Sep, shared(cmd::NavigatorExpand, cmd::NavigatorCollapse),
    act(cmd::NavigatorFindNode),
    Sep, act(cmd::NavigatorMoveUp), act(cmd::NavigatorMoveDown),
    Sep, act(cmd::NavigatorNewNode), act(cmd::NavigatorNewChild),
    act(cmd::NavigatorRenameNode), act(cmd::NavigatorDeleteNode),
    Sep, act(cmd::EditUndo), act(cmd::EditRedo),
    Sep, act(cmd::EditCutMulti), act(cmd::EditCopy), act(cmd::EditPasteMulti),
    act(cmd::EditDelete),
    Sep, act(cmd::EditQuickSelectAll),
    Sep, act(cmd::EditFind), act(cmd::EditReplace), act(cmd::EditGoto),
    Sep, act(cmd::ServiceInfo),
};

const LayoutItem NavigatorPopupLayout[] = {
    submenu(u"TVPopupCreateMenu", u"Создать"),
        act(cmd::NavigatorNewNode), act(cmd::NppInsertNode),
        act(cmd::NavigatorNewChild),
    End,
    act(cmd::NavigatorDeleteNode),
    Sep, submenu(u"TVPopupNameMenu", u"Имя раздела"),
        act(cmd::NavigatorRenameNode), act(cmd::NppInsDT), act(cmd::NppCopyPath),
    End,
    submenu(u"TVPopupOrderMenu", u"Порядок"),
        act(cmd::NavigatorSort), act(cmd::NppUppestLevel), act(cmd::NppMakeFirst),
        act(cmd::NppMakeLast),
    End,
    Sep, act(cmd::NavigatorFindNode), act(cmd::NppInfo),
};

const LayoutItem EditorPopupLayout[] = {
    act(cmd::EditUndo),
    Sep, act(cmd::EditCut), act(cmd::EditCopy), act(cmd::EditPaste),
    act(cmd::EditDelete),
    Sep, act(cmd::EditQuickSelectAll),
    Sep, act(cmd::EditLower), act(cmd::EditUpper),
    Sep, submenu(u"EditorPopupInsertMenu", u"Вставка"),
        act(cmd::EditorNodeText), act(cmd::EditorNodePath), act(cmd::EditorChildList),
        Sep, act(cmd::EditorDateTime), act(cmd::EditorChar), act(cmd::EditorPattern),
    End,
};
// clang-format on

struct Layout
{
    const LayoutItem* first;
    const LayoutItem* last;
};

const Layout Layouts[] = {
    {std::begin(MenuBarLayout), std::end(MenuBarLayout)},
    {std::begin(ToolBarLayout), std::end(ToolBarLayout)},
    {std::begin(NavigatorPopupLayout), std::end(NavigatorPopupLayout)},
    {std::begin(EditorPopupLayout), std::end(EditorPopupLayout)},
};

QString shortHint(QStringView hint)
{
    const qsizetype bar = hint.indexOf(u'|');
    return (bar < 0 ? hint : hint.left(bar)).toString();
}

// Without "|" the whole hint is also the long part.
QString longHint(QStringView hint)
{
    return hint.mid(hint.indexOf(u'|') + 1).toString();
}

// The caption as shown without a menu: "&" marks the accelerator, "&&" is a
// literal ampersand.
QString withoutAccelerator(QStringView caption)
{
    QString text;
    text.reserve(caption.size());
    for (qsizetype i = 0; i < caption.size(); ++i) {
        if (caption[i] == u'&' && i + 1 < caption.size())
            ++i;
        text.append(caption[i]);
    }
    return text;
}

QIcon iconFor(const ActionRow& row)
{
    const QString path = QStringLiteral(":/icons/%1.svg").arg(row.name);
    const QIcon own = QFile::exists(path) ? QIcon(path) : QIcon();
    return row.icon.isEmpty() ? own : QIcon::fromTheme(row.icon.toString(), own);
}

QAction* makeAction(const ActionRow& row, QObject* parent)
{
    auto* action = new QAction(parent);
    action->setObjectName(row.name.toString());
    action->setText(row.caption.toString());
    if (row.key.key() != Qt::Key_unknown)
        action->setShortcut(QKeySequence(row.key));
    const QString tip = shortHint(row.hint);
    action->setToolTip(tip.isEmpty() ? withoutAccelerator(row.caption) : tip);
    action->setStatusTip(longHint(row.hint));
    action->setIcon(iconFor(row));
    action->setCheckable(row.kind == Kind::Checkable);
    action->setVisible(row.kind != Kind::Hidden);
    action->setEnabled(false);
    return action;
}

QAction* makeSeparator(QWidget* container)
{
    auto* separator = new QAction(container);
    separator->setSeparator(true);
    return separator;
}

// An invisible entry that marks where the window inserts items of its own.
QAction* makeMarker(QWidget* container, QStringView objectName)
{
    QAction* marker = makeSeparator(container);
    marker->setObjectName(objectName.toString());
    marker->setVisible(false);
    return marker;
}

void setDropDown(QToolBar* bar, QAction* action, QMenu* menu)
{
    auto* button = qobject_cast<QToolButton*>(bar->widgetForAction(action));
    if (!button)
        return;
    button->setMenu(menu);
    button->setPopupMode(QToolButton::MenuButtonPopup);
}

} // namespace

ActionTable::ActionTable(QObject* parent)
{
    for (const ActionGroup& group : ActionGroups) {
        for (const ActionRow* row = group.first; row != group.last; ++row) {
            QAction* action = makeAction(*row, parent);
            m_byName.insert(action->objectName(), int(m_actions.size()));
            m_actions.append(action);
            m_commands.push_back({action, row->needs, false, {}});
        }
    }
}

QAction* ActionTable::action(QStringView name) const
{
    const int index = m_byName.value(name.toString(), -1);
    return index < 0 ? nullptr : m_actions.at(index);
}

ActionTable::Command& ActionTable::command(QStringView name)
{
    const int index = m_byName.value(name.toString(), -1);
    Q_ASSERT_X(index >= 0, "ActionTable", qUtf8Printable(name.toString()));
    return m_commands[size_t(index)];
}

QAction* ActionTable::wire(QStringView name)
{
    Command& wired = command(name);
    wired.wired = true;
    wired.action->setEnabled(true);
    return wired.action;
}

void ActionTable::addCondition(QStringView name, std::function<bool()> condition)
{
    command(name).condition = std::move(condition);
}

void ActionTable::updateEnabled(Needs met)
{
    for (const Command& c : m_commands) {
        if (c.wired)
            c.action->setEnabled((c.needs & ~met) == 0 && (!c.condition || c.condition()));
    }
}

QList<QAction*> ActionTable::all() const
{
    return m_actions;
}

QList<QAction*> ActionTable::shortcutOnly() const
{
    const QStringList placed = layoutActionNames();
    QList<QAction*> result;
    for (QAction* action : m_actions) {
        if (!placed.contains(action->objectName()))
            result.append(action);
    }
    return result;
}

QList<QMenu*> ActionTable::buildMenuBar(QMenuBar* bar)
{
    const QList<QMenu*> menus = build(bar, std::begin(MenuBarLayout), std::end(MenuBarLayout));
    // The templates menu has no commands yet; it keeps its place in the bar.
    if (QMenu* templates = menu(u"MenuTemplates")) {
        templates->menuAction()->setEnabled(false);
        templates->menuAction()->setVisible(false);
    }
    return menus;
}

void ActionTable::buildToolBar(QToolBar* bar)
{
    build(bar, std::begin(ToolBarLayout), std::end(ToolBarLayout));
    attachDropDowns(bar);
}

QMenu* ActionTable::buildNavigatorMenu(QWidget* parent)
{
    QMenu* popup = makeMenu(parent, QStringLiteral("TVPopupMenu"), QString());
    build(popup, std::begin(NavigatorPopupLayout), std::end(NavigatorPopupLayout));
    return popup;
}

QMenu* ActionTable::buildEditorMenu(QWidget* parent)
{
    QMenu* popup = makeMenu(parent, QStringLiteral("EditorPopupMenu"), QString());
    build(popup, std::begin(EditorPopupLayout), std::end(EditorPopupLayout));
    return popup;
}

QMenu* ActionTable::menu(QStringView objectName) const
{
    return m_menus.value(objectName.toString()).data();
}

void ActionTable::placeInSharedSlot(QAction* action)
{
    for (const SharedSlot& slot : m_slots) {
        if (!slot.container || (slot.first != action && slot.second != action))
            continue;
        QAction* other = slot.first == action ? slot.second : slot.first;
        if (!slot.container->actions().contains(other))
            continue;
        slot.container->insertAction(other, action);
        slot.container->removeAction(other);
    }
}

QStringList ActionTable::layoutActionNames()
{
    QStringList names;
    for (const Layout& layout : Layouts) {
        for (const LayoutItem* item = layout.first; item != layout.last; ++item) {
            if (item->kind == LayoutItem::Action || item->kind == LayoutItem::Shared)
                names.append(item->name.toString());
            if (item->kind == LayoutItem::Shared)
                names.append(item->other.toString());
        }
    }
    names.removeDuplicates();
    return names;
}

QString ActionTable::fileManagerCaption(bool shown)
{
    return shown ? QStringLiteral("Скрыть &файлы") : QStringLiteral("Показать &файлы");
}

// Fills root from a flat layout in which Menu ... EndMenu brackets a submenu;
// returns the menus made directly in root.
QList<QMenu*> ActionTable::build(QWidget* root, const LayoutItem* first, const LayoutItem* last)
{
    QList<QMenu*> topLevel;
    QList<QWidget*> open{root};
    for (const LayoutItem* item = first; item != last; ++item) {
        QWidget* container = open.constLast();
        switch (item->kind) {
        case LayoutItem::Action:
            if (QAction* found = action(item->name))
                container->addAction(found);
            else
                qWarning("No command named %s", qUtf8Printable(item->name.toString()));
            break;
        case LayoutItem::Shared:
            addShared(container, *item);
            break;
        case LayoutItem::Separator:
            container->addAction(makeSeparator(container));
            break;
        case LayoutItem::Marker:
            container->addAction(makeMarker(container, item->name));
            break;
        case LayoutItem::Menu:
            open.append(openSubmenu(container, *item));
            if (container == root)
                topLevel.append(static_cast<QMenu*>(open.constLast()));
            break;
        case LayoutItem::EndMenu:
            open.removeLast();
            break;
        }
    }
    return topLevel;
}

QMenu* ActionTable::openSubmenu(QWidget* container, const LayoutItem& item)
{
    QMenu* created = makeMenu(container, item.name.toString(), item.other.toString());
    created->menuAction()->setStatusTip(longHint(item.hint));
    container->addAction(created->menuAction());
    return created;
}

void ActionTable::addShared(QWidget* container, const LayoutItem& item)
{
    QAction* first = action(item.name);
    QAction* second = action(item.other);
    if (!first || !second) {
        qWarning("No command pair %s/%s", qUtf8Printable(item.name.toString()),
                 qUtf8Printable(item.other.toString()));
        return;
    }
    container->addAction(first);
    m_slots.push_back({container, first, second});
}

void ActionTable::attachDropDowns(QToolBar* bar)
{
    QMenu* history = makeMenu(bar, QStringLiteral("OpenPopupMenu"), QString());
    setDropDown(bar, action(cmd::FileOpen), history);
    setDropDown(bar, action(cmd::FileSave), makeSaveDropDown(bar));
}

// One item that looks and acts like Save As but shows no key.
QMenu* ActionTable::makeSaveDropDown(QWidget* parent)
{
    QMenu* dropDown = makeMenu(parent, QStringLiteral("SavePopupMenu"), QString());
    QAction* saveAs = action(cmd::FileSaveAs);
    auto* item = new QAction(dropDown);
    item->setObjectName(QStringLiteral("SaveAsPopupItem"));
    const auto follow = [item, saveAs] {
        item->setText(saveAs->text());
        item->setIcon(saveAs->icon());
        item->setToolTip(saveAs->toolTip());
        item->setStatusTip(saveAs->statusTip());
        item->setEnabled(saveAs->isEnabled());
    };
    follow();
    QObject::connect(saveAs, &QAction::changed, item, follow);
    QObject::connect(item, &QAction::triggered, saveAs, &QAction::trigger);
    dropDown->addAction(item);
    return dropDown;
}

QMenu* ActionTable::makeMenu(QWidget* parent, const QString& objectName, const QString& title)
{
    auto* created = new QMenu(title, parent);
    created->setObjectName(objectName);
    m_menus.insert(objectName, created);
    return created;
}

} // namespace kelto
