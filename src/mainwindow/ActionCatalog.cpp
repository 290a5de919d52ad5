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
    Kind kind = Kind::Plain;
};

constexpr QKeyCombination NoKey{};
constexpr auto Ctrl = Qt::CTRL;
constexpr auto CtrlShift = Qt::CTRL | Qt::SHIFT;

// clang-format off
const ActionRow FileActions[] = {
    {u"ActionFileNew", u"Созд&ать", Ctrl | Qt::Key_N,
     u"Новый|Создать новый файл.", u"document-new"},
    {u"ActionFileOpen", u"&Открыть...", Ctrl | Qt::Key_O,
     u"Открыть|Открыть существующий файл.", u"document-open"},
    {u"ActionFileSave", u"&Сохранить", Ctrl | Qt::Key_S,
     u"Сохранить|Сохранить изменения файла.", u"document-save"},
    {u"ActionFileSaveAs", u"Сохранить &как...", CtrlShift | Qt::Key_S,
     u"Сохранить как|Сохранить файл под другим именем.", u"document-save-as"},
    {u"ActionFileExit", u"В&ыход", Qt::ALT | Qt::Key_X,
     u"|Завершить работу.", u"application-exit"},
};

const ActionRow OutputActions[] = {
    {u"ActionFileSendMail", u"Отправить e-&mail...", NoKey,
     u"|Послать по электронной почте (вызов программы только).", u"mail-send"},
    {u"ActionFilePrint", u"&Печать...", Ctrl | Qt::Key_P,
     u"Печать|Печать всего файла или текущего раздела.", u"document-print"},
    {u"ActionFilePrintSetup", u"Настройка прин&тера...", NoKey,
     u"Настройка принтера|Выбор принтера для печати, размер бумаги, ориентация.", u"printer"},
    {u"ActionFilePageSetup", u"Параметры &страницы...", NoKey,
     u"Параметры страницы|Установка области печати.", u"document-page-setup"},
    {u"ActionFileExport", u"&Экспорт...", Ctrl | Qt::Key_E,
     u"Экспорт|Сохранение файла в другом формате.", u"document-export"},
};

const ActionRow ServiceActions[] = {
    {u"ActionServiceNewWindow", u"Новое &окно", CtrlShift | Qt::Key_N,
     u"|Запустить копию программы.", u"window-new"},
    {u"ActionServiceInfo", u"&Информация...", Ctrl | Qt::Key_M,
     u"Информация|Информация о документе.", u"document-properties"},
    {u"ActionServiceStat", u"Статистика...", Ctrl | Qt::Key_T, u"", u"", Kind::Hidden},
    {u"ActionServiceImport", u"Импорт...", Ctrl | Qt::Key_I, u"", u"document-import"},
    {u"ActionServiceShowNavigator", u"Показать на&вигатор", Ctrl | Qt::Key_B,
     u"|Переключатель показа навигатора.", u""},
    {u"ActionServiceHideNavigator", u"Скрыть на&вигатор", Ctrl | Qt::Key_B,
     u"|Переключатель показа навигатора.", u""},
    {u"ActionServiceFiles", u"Показать &файлы", Ctrl | Qt::Key_Q,
     u"Менеджер файлов|", u"system-file-manager"},
    {u"ActionServiceOptions", u"Наст&ройки...", Qt::Key_F9,
     u"Настройки|Показать окно с многочисленными страницами настроек.", u"preferences-system"},
};

const ActionRow HelpActions[] = {
    {u"ActionHelpContents", u"Вызов &справки", Qt::Key_F1, u"|Справка.", u"help-contents"},
    {u"ActionHelpAbout", u"О программе...", Ctrl | Qt::Key_F1, u"", u"help-about"},
};

const ActionRow FavoriteActions[] = {
    {u"ActionFavoriteAdd", u"Д&обавить...", Ctrl | Qt::Key_D, u"", u"bookmark-new"},
    {u"ActionFavoriteChange", u"Изм&енить...", CtrlShift | Qt::Key_D, u"", u""},
};

const ActionRow NavigatorActions[] = {
    {u"ActionNavigatorUndo", u"От&мена", NoKey, u"", u"edit-undo"},
    {u"ActionNavigatorNewNode", u"&Новый раздел", Qt::Key_F5,
     u"Создать раздел|Создать новый раздел того же уровня что и выделенный.", u"list-add"},
    {u"ActionNavigatorNewChild", u"Новый &подраздел", Qt::Key_F6,
     u"Создать подраздел|Создать новый подраздел в текущем разделе.", u""},
    {u"ActionNavigatorInsertNode", u"&Новый над текущим", NoKey, u"", u""},
    {u"ActionNppInsertNode", u"Новый &над текущим", NoKey, u"", u""},
    {u"ActionNavigatorRenameNode", u"Пере&именовать", Qt::Key_F2,
     u"Переименовать раздел|Переименовать выделенный раздел.", u"edit-rename"},
    {u"ActionNavigatorDeleteNode", u"&Удалить раздел", Qt::Key_F8,
     u"Удалить раздел|Удалить выделенный раздел и все входящие в него подразделы.",
     u"list-remove"},
    {u"ActionNavigatorExpand", u"&Развернуть всю ветвь", Qt::Key_F4,
     u"Развернуть ветвь|Показать всё поддерево выделенного элемента.", u""},
    {u"ActionNavigatorCollapse", u"&Свернуть всю ветвь", Qt::Key_F4,
     u"Свернуть ветвь|Скрыть все элементы выделенного узла.", u""},
    {u"ActionNavigatorFindNode", u"&Поиск...", Qt::Key_F7,
     u"Найти раздел|Поиск раздела в навигаторе.", u""},
    {u"ActionNavigatorCreateList", u"Со&здать список...", Qt::SHIFT | Qt::Key_F5,
     u"Список|Автоматизированое создание разделов в навигаторе.", u""},
    {u"ActionNavigatorSort", u"Со&ртировка...", NoKey, u"", u"view-sort-ascending"},
    {u"ActionNavigatorSelPrev", u"Перейти к предыдущему", Qt::ALT | Qt::Key_Up, u"",
     u"go-previous"},
    {u"ActionNavigatorSelNext", u"Перейти к следующему", Qt::ALT | Qt::Key_Down, u"",
     u"go-next"},
    {u"ActionNppInsDT", u"&Дата/Время", NoKey, u"", u""},
    {u"ActionNppCopyPath", u"&Копировать путь", NoKey, u"", u""},
    {u"ActionNppInfo", u"&Информация...", NoKey, u"", u""},
};

const ActionRow MoveActions[] = {
    {u"ActionNavigatorMoveUp", u"Наверх", Ctrl | Qt::Key_Up,
     u"Сдвинуть вверх|Переместить раздел вверх.", u"go-up"},
    {u"ActionNavigatorMoveDown", u"Вниз", Ctrl | Qt::Key_Down,
     u"Сдвинуть вниз|Переместить раздел вниз.", u"go-down"},
    {u"ActionNavigatorInsertPrev", u"Вставить в предыдущий", CtrlShift | Qt::Key_Up, u"", u""},
    {u"ActionNavigatorInsertNext", u"Вставить в следущий", CtrlShift | Qt::Key_Down, u"", u""},
    {u"ActionNavigatorUpOneLevel", u"Поднять на уровень выше", Ctrl | Qt::Key_Backspace, u"",
     u""},
    {u"ActionNavigatorUpToRoot", u"Переместить в корень", CtrlShift | Qt::Key_Backspace, u"",
     u""},
    {u"ActionNppUppestLevel", u"Поднять на уровень &выше", NoKey, u"", u""},
    {u"ActionNppMakeFirst", u"Сделать перв&ым на уровне", NoKey, u"", u""},
    {u"ActionNppMakeLast", u"Сделать последн&им на уровне", NoKey, u"", u""},
};

const ActionRow EditorActions[] = {
    {u"ActionEditUndo", u"От&мена", Ctrl | Qt::Key_Z,
     u"Отменить|Отменить последнее действие.", u"edit-undo"},
    {u"ActionEditRedo", u"&Вернуть", CtrlShift | Qt::Key_Z,
     u"Вернуть|Вернуть отменённое действие.", u"edit-redo"},
    {u"ActionEditCutMulti", u"Вырезать", Ctrl | Qt::Key_X, u"", u"edit-cut"},
    {u"ActionEditCut", u"Вырезать", Ctrl | Qt::Key_X, u"", u"edit-cut"},
    {u"ActionEditCopy", u"Копировать", Ctrl | Qt::Key_C, u"", u"edit-copy"},
    {u"ActionEditPasteMulti", u"Вставить", Ctrl | Qt::Key_V, u"", u"edit-paste"},
    {u"ActionEditPaste", u"Вставить", Ctrl | Qt::Key_V, u"", u"edit-paste"},
    {u"ActionEditDelete", u"Удалить", NoKey, u"", u"edit-delete"},
    {u"ActionEditQuickSelectAll", u"Выделить всё", Ctrl | Qt::Key_A, u"Выделить весь текст",
     u"edit-select-all"},
    {u"ActionEditShl", u"Отступ в&лево", CtrlShift | Qt::Key_Comma,
     u"|Сдвинуть фрагмент текста влево.", u"format-indent-less"},
    {u"ActionEditShr", u"Отступ в&право", CtrlShift | Qt::Key_Period,
     u"|Сдвинуть фрагмент текста право.", u"format-indent-more"},
    {u"ActionEditLower", u"маленькие", Ctrl | Qt::Key_L,
     u"Нижний регистр|Преобразование букв выделенного фрагмента в нижний регистр.", u""},
    {u"ActionEditUpper", u"БОЛЬШИЕ", Ctrl | Qt::Key_U,
     u"Верхний регистр|Преобразование букв выделенного фрагмента в верхний регистр.", u""},
    {u"ActionEditorNodeText", u"&Имя раздела", NoKey,
     u"|Вставить в позицию курсора название текущего раздела.", u""},
    {u"ActionEditorNodePath", u"Пу&ть к разделу", NoKey,
     u"|Вставить в позицию курсора полный путь к текущему разделу.", u""},
    {u"ActionEditorChildList", u"Списо&к подразделов", NoKey,
     u"|Вставить в позицию курсора список подразделов текущего раздела.", u""},
    {u"ActionEditorDateTime", u"Дата/&Время...", Qt::Key_F10,
     u"Втавка даты/времени|Вставить в позицию курсора текущую дату или время.", u""},
    {u"ActionEditorChar", u"&Символ...", Qt::Key_F11, u"|Вставка символа из таблицы.", u""},
    {u"ActionEditorPattern", u"&Шаблон...", Qt::Key_F12, u"|Вставить готовый шаблон.", u""},
    {u"ActionEditAutoClipboard", u"Авто&буфер", CtrlShift | Qt::Key_C,
     u"Автобуфер|Включение/выключение режима автовставки текста при копировании в буфер.", u"",
     Kind::Checkable},
    // The Tab key in the editor while tabs are typed with Tab; no caption.
    {u"ActionEditorDisableTab", u"", Qt::Key_Tab, u"", u""},
};

const ActionRow SearchActions[] = {
    {u"ActionEditFind", u"&Поиск...", Ctrl | Qt::Key_F, u"Найти|Поиск текста.", u"edit-find"},
    {u"ActionEditReplace", u"&Замена...", Ctrl | Qt::Key_R, u"Заменить|Поиск и замена текста.",
     u"edit-find-replace"},
    {u"ActionEditGoto", u"Перей&ти...", Ctrl | Qt::Key_G, u"Перейти |Перейти на строку.",
     u"go-jump"},
    {u"ActionEditFindAgain", u"Про&должить поиск", Qt::Key_F3,
     u"Найти далее|Повторить попытку поиска последнего найденного фрагмента", u""},
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
        act(u"ActionFileNew"), act(u"ActionFileOpen"),
        submenu(u"HistoryMenu", u"&История", u"|Список ранее открываемых файлов."), End,
        Sep, act(u"ActionFileSave"), act(u"ActionFileSaveAs"),
        Sep, act(u"ActionFileSendMail"),
        Sep, act(u"ActionFilePrint"), act(u"ActionFilePrintSetup"), act(u"ActionFilePageSetup"),
        Sep, act(u"ActionFileExit"),
    End,
    submenu(u"MenuNavigator", u"&Навигатор"),
        act(u"ActionNavigatorUndo"),
        Sep, act(u"ActionNavigatorNewNode"), act(u"ActionNavigatorNewChild"),
        act(u"ActionNavigatorRenameNode"), act(u"ActionNavigatorDeleteNode"),
        Sep, shared(u"ActionNavigatorExpand", u"ActionNavigatorCollapse"),
        Sep, act(u"ActionNavigatorFindNode"),
        Sep, act(u"ActionNavigatorCreateList"), act(u"ActionNavigatorSort"),
    End,
    submenu(u"MenuEditor", u"&Редактор"),
        act(u"ActionEditUndo"), act(u"ActionEditRedo"),
        Sep, act(u"ActionEditCutMulti"), act(u"ActionEditCopy"), act(u"ActionEditPasteMulti"),
        act(u"ActionEditDelete"),
        Sep, act(u"ActionEditQuickSelectAll"),
        Sep, act(u"ActionEditFind"), act(u"ActionEditReplace"), act(u"ActionEditGoto"),
        Sep, act(u"ActionEditShl"), act(u"ActionEditShr"),
        Sep, submenu(u"MenuEditorCase", u"Регистр"),
            act(u"ActionEditLower"), act(u"ActionEditUpper"),
        End,
        Sep, submenu(u"MenuEditorInsert", u"Вставка"),
            act(u"ActionEditorDateTime"), act(u"ActionEditorChar"), act(u"ActionEditorPattern"),
        End,
        act(u"ActionEditAutoClipboard"),
    End,
    submenu(u"MenuFavorites", u"&Избранное"),
        act(u"ActionFavoriteAdd"), act(u"ActionFavoriteChange"), Sep,
        {LayoutItem::Marker, u"FavoritesMarker"},
    End,
    submenu(u"MenuTemplates", u"&Шаблоны"), End,
    submenu(u"MenuService", u"&Сервис"),
        act(u"ActionServiceNewWindow"),
        Sep, act(u"ActionServiceInfo"), act(u"ActionServiceStat"),
        Sep, act(u"ActionFileExport"), act(u"ActionServiceImport"),
        Sep, shared(u"ActionServiceHideNavigator", u"ActionServiceShowNavigator"),
        act(u"ActionServiceFiles"), act(u"ActionServiceOptions"),
    End,
    submenu(u"MenuHelp", u"&?"),
        act(u"ActionHelpContents"), act(u"ActionHelpAbout"),
    End,
};

const LayoutItem ToolBarLayout[] = {
    act(u"ActionFileNew"), act(u"ActionFileOpen"), act(u"ActionFileSave"),
    Sep, shared(u"ActionNavigatorExpand", u"ActionNavigatorCollapse"),
    act(u"ActionNavigatorFindNode"),
    Sep, act(u"ActionNavigatorMoveUp"), act(u"ActionNavigatorMoveDown"),
    Sep, act(u"ActionNavigatorNewNode"), act(u"ActionNavigatorNewChild"),
    act(u"ActionNavigatorRenameNode"), act(u"ActionNavigatorDeleteNode"),
    Sep, act(u"ActionEditUndo"), act(u"ActionEditRedo"),
    Sep, act(u"ActionEditCutMulti"), act(u"ActionEditCopy"), act(u"ActionEditPasteMulti"),
    act(u"ActionEditDelete"),
    Sep, act(u"ActionEditQuickSelectAll"),
    Sep, act(u"ActionEditFind"), act(u"ActionEditReplace"), act(u"ActionEditGoto"),
    Sep, act(u"ActionServiceInfo"),
};

const LayoutItem NavigatorPopupLayout[] = {
    submenu(u"TVPopupCreateMenu", u"Создать"),
        act(u"ActionNavigatorNewNode"), act(u"ActionNppInsertNode"),
        act(u"ActionNavigatorNewChild"),
    End,
    act(u"ActionNavigatorDeleteNode"),
    Sep, submenu(u"TVPopupNameMenu", u"Имя раздела"),
        act(u"ActionNavigatorRenameNode"), act(u"ActionNppInsDT"), act(u"ActionNppCopyPath"),
    End,
    submenu(u"TVPopupOrderMenu", u"Порядок"),
        act(u"ActionNavigatorSort"), act(u"ActionNppUppestLevel"), act(u"ActionNppMakeFirst"),
        act(u"ActionNppMakeLast"),
    End,
    Sep, act(u"ActionNavigatorFindNode"), act(u"ActionNppInfo"),
};

const LayoutItem EditorPopupLayout[] = {
    act(u"ActionEditUndo"),
    Sep, act(u"ActionEditCut"), act(u"ActionEditCopy"), act(u"ActionEditPaste"),
    act(u"ActionEditDelete"),
    Sep, act(u"ActionEditQuickSelectAll"),
    Sep, act(u"ActionEditLower"), act(u"ActionEditUpper"),
    Sep, submenu(u"EditorPopupInsertMenu", u"Вставка"),
        act(u"ActionEditorNodeText"), act(u"ActionEditorNodePath"), act(u"ActionEditorChildList"),
        Sep, act(u"ActionEditorDateTime"), act(u"ActionEditorChar"), act(u"ActionEditorPattern"),
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
            m_actions.append(action);
            m_byName.insert(action->objectName(), action);
        }
    }
}

QAction* ActionTable::action(QStringView name) const
{
    return m_byName.value(name.toString(), nullptr);
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
    setDropDown(bar, action(u"ActionFileOpen"), history);
    setDropDown(bar, action(u"ActionFileSave"), makeSaveDropDown(bar));
}

// One item that looks and acts like Save As but shows no key.
QMenu* ActionTable::makeSaveDropDown(QWidget* parent)
{
    QMenu* dropDown = makeMenu(parent, QStringLiteral("SavePopupMenu"), QString());
    QAction* saveAs = action(u"ActionFileSaveAs");
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
