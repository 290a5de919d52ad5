// The main window's command table against the captions, keys, hints and menu
// orders the program documents. Needs a QApplication (offscreen).

#include "mainwindow/ActionCatalog.h"

#include <QAction>
#include <QFile>
#include <QKeySequence>
#include <QMainWindow>
#include <QMap>
#include <QMenu>
#include <QMenuBar>
#include <QSet>
#include <QToolBar>
#include <QToolButton>

#include <gtest/gtest.h>

#include <string>

using kelto::ActionTable;

namespace {

std::string str(const QString& text)
{
    return text.toStdString();
}

// A container as text: command names, "-" for a separator, the object name
// of a named place holder, "Title(...)" for a submenu.
QString describe(const QWidget* container)
{
    QStringList parts;
    const QList<QAction*> actions = container->actions();
    for (const QAction* action : actions) {
        if (action->menu())
            parts.append(action->menu()->title() + u'(' + describe(action->menu()) + u')');
        else if (action->isSeparator())
            parts.append(action->objectName().isEmpty() ? QStringLiteral("-")
                                                        : action->objectName());
        else
            parts.append(action->objectName());
    }
    return parts.join(u',');
}

class ActionCatalogTest : public ::testing::Test
{
protected:
    QMainWindow window;
    ActionTable table{&window};

    QAction* named(const char16_t* name) const { return table.action(QStringView(name)); }
};

TEST_F(ActionCatalogTest, NamesAreUniqueCommandNamesAndFoundByName)
{
    const QList<QAction*> actions = table.all();
    EXPECT_EQ(actions.size(), 73);
    QSet<QString> names;
    for (QAction* action : actions) {
        const QString name = action->objectName();
        EXPECT_TRUE(name.startsWith(u"Action")) << str(name);
        EXPECT_FALSE(names.contains(name)) << "twice: " << str(name);
        names.insert(name);
        EXPECT_EQ(table.action(name), action) << str(name);
        EXPECT_EQ(action->parent(), &window) << str(name);
        EXPECT_FALSE(action->isEnabled()) << str(name);
    }
    EXPECT_EQ(table.action(u"ActionNoSuchCommand"), nullptr);
    EXPECT_EQ(table.action(u""), nullptr);
}

TEST_F(ActionCatalogTest, CaptionsKeysAndHintsAreThoseDocumented)
{
    struct Expected
    {
        const char16_t* name;
        const char16_t* caption;
        const char16_t* key;
        const char16_t* toolTip;
        const char16_t* statusTip;
    };
    const Expected cases[] = {
        {u"ActionFileSave", u"&Сохранить", u"Ctrl+S", u"Сохранить", u"Сохранить изменения файла."},
        // An empty short hint leaves the caption as tool tip.
        {u"ActionFileExit", u"В&ыход", u"Alt+X", u"Выход", u"Завершить работу."},
        {u"ActionNavigatorNewNode", u"&Новый раздел", u"F5", u"Создать раздел",
         u"Создать новый раздел того же уровня что и выделенный."},
        {u"ActionNavigatorMoveUp", u"Наверх", u"Ctrl+Up", u"Сдвинуть вверх",
         u"Переместить раздел вверх."},
        {u"ActionNavigatorCreateList", u"Со&здать список...", u"Shift+F5", u"Список",
         u"Автоматизированое создание разделов в навигаторе."},
        {u"ActionNavigatorUpToRoot", u"Переместить в корень", u"Ctrl+Shift+Backspace",
         u"Переместить в корень", u""},
        {u"ActionNavigatorSort", u"Со&ртировка...", u"", u"Сортировка...", u""},
        // A hint without "|" is both parts; one ending in "|" has no long part.
        {u"ActionEditQuickSelectAll", u"Выделить всё", u"Ctrl+A", u"Выделить весь текст",
         u"Выделить весь текст"},
        {u"ActionServiceFiles", u"Показать &файлы", u"Ctrl+Q", u"Менеджер файлов", u""},
        {u"ActionEditShl", u"Отступ в&лево", u"Ctrl+Shift+,", u"Отступ влево",
         u"Сдвинуть фрагмент текста влево."},
        {u"ActionEditGoto", u"Перей&ти...", u"Ctrl+G", u"Перейти ", u"Перейти на строку."},
        {u"ActionHelpAbout", u"О программе...", u"Ctrl+F1", u"О программе...", u""},
        {u"ActionEditorDisableTab", u"", u"Tab", u"", u""},
    };
    for (const Expected& e : cases) {
        const QAction* action = named(e.name);
        ASSERT_NE(action, nullptr) << str(QString::fromUtf16(e.name));
        const std::string name = str(action->objectName());
        EXPECT_EQ(str(action->text()), str(QString::fromUtf16(e.caption))) << name;
        EXPECT_EQ(str(action->shortcut().toString(QKeySequence::PortableText)),
                  str(QString::fromUtf16(e.key)))
            << name;
        EXPECT_EQ(str(action->toolTip()), str(QString::fromUtf16(e.toolTip))) << name;
        EXPECT_EQ(str(action->statusTip()), str(QString::fromUtf16(e.statusTip))) << name;
    }
}

TEST_F(ActionCatalogTest, OnlyAutoClipboardIsCheckableAndOnlyStatisticsHidden)
{
    for (const QAction* action : table.all()) {
        const QString name = action->objectName();
        EXPECT_EQ(action->isCheckable(), name == u"ActionEditAutoClipboard") << str(name);
        EXPECT_EQ(action->isVisible(), name != u"ActionServiceStat") << str(name);
    }
    EXPECT_EQ(ActionTable::fileManagerCaption(false), named(u"ActionServiceFiles")->text());
    EXPECT_EQ(str(ActionTable::fileManagerCaption(true)), str(QStringLiteral("Скрыть &файлы")));
}

TEST_F(ActionCatalogTest, ActionsShowTheProgramsOwnPictureWhenTheThemeHasNone)
{
    if (!QFile::exists(QStringLiteral(":/icons/ActionFileNew.svg")))
        GTEST_SKIP() << "the program's pictures are not linked in";
    for (const QAction* action : table.all()) {
        const QString path = QStringLiteral(":/icons/%1.svg").arg(action->objectName());
        if (QFile::exists(path)) {
            EXPECT_FALSE(action->icon().isNull()) << str(action->objectName());
        }
    }
}

// Two commands of one window with the same key make Qt ignore the key, so a
// shared key is a typo unless it is one of the documented pairs.
TEST_F(ActionCatalogTest, OnlyDocumentedPairsShareAKey)
{
    QMap<QString, QStringList> byKey;
    for (const QAction* action : table.all()) {
        if (!action->shortcut().isEmpty())
            byKey[action->shortcut().toString(QKeySequence::PortableText)].append(
                action->objectName());
    }
    const QMap<QString, QStringList> pairs = {
        {QStringLiteral("F4"),
         {QStringLiteral("ActionNavigatorExpand"), QStringLiteral("ActionNavigatorCollapse")}},
        {QStringLiteral("Ctrl+B"),
         {QStringLiteral("ActionServiceShowNavigator"),
          QStringLiteral("ActionServiceHideNavigator")}},
        {QStringLiteral("Ctrl+X"),
         {QStringLiteral("ActionEditCutMulti"), QStringLiteral("ActionEditCut")}},
        {QStringLiteral("Ctrl+V"),
         {QStringLiteral("ActionEditPasteMulti"), QStringLiteral("ActionEditPaste")}},
    };
    for (auto it = byKey.cbegin(); it != byKey.cend(); ++it) {
        if (it.value().size() > 1) {
            EXPECT_EQ(it.value(), pairs.value(it.key())) << str(it.key());
        }
    }
    for (auto it = pairs.cbegin(); it != pairs.cend(); ++it)
        EXPECT_EQ(byKey.value(it.key()), it.value()) << str(it.key());
    // Keys the window handles itself, and those of history and favourites.
    for (const char16_t* free : {u"Ctrl+W", u"Ctrl+Y", u"Ctrl+Tab", u"Ctrl+1", u"Ctrl+9",
                                 u"Ctrl+Shift+1", u"Ctrl+Shift+9", u"Insert", u"Del"})
        EXPECT_FALSE(byKey.contains(QString::fromUtf16(free))) << str(QString::fromUtf16(free));
}

TEST_F(ActionCatalogTest, EveryLaidOutNameIsACommandAndTheRestAreKeysOnly)
{
    const QStringList laidOut = ActionTable::layoutActionNames();
    for (const QString& name : laidOut)
        EXPECT_NE(table.action(name), nullptr) << str(name);
    QStringList keysOnly;
    for (const QAction* action : table.shortcutOnly())
        keysOnly.append(action->objectName());
    EXPECT_EQ(keysOnly.join(u' '),
              QStringLiteral("ActionNavigatorInsertNode ActionNavigatorSelPrev "
                             "ActionNavigatorSelNext ActionNavigatorInsertPrev "
                             "ActionNavigatorInsertNext ActionNavigatorUpOneLevel "
                             "ActionNavigatorUpToRoot ActionEditorDisableTab "
                             "ActionEditFindAgain"));
}

class ActionLayoutTest : public ActionCatalogTest
{
protected:
    QMenuBar* bar = window.menuBar();
    QList<QMenu*> menus = table.buildMenuBar(bar);

    QString menuText(const char16_t* objectName) const
    {
        const QMenu* found = table.menu(QStringView(objectName));
        return found ? describe(found) : QStringLiteral("<missing>");
    }
};

TEST_F(ActionLayoutTest, MenuBarHoldsSevenMenusInOrderWithTemplatesHidden)
{
    QStringList titles;
    QStringList names;
    for (const QMenu* menu : menus) {
        titles.append(menu->title());
        names.append(menu->objectName());
        EXPECT_EQ(table.menu(menu->objectName()), menu);
    }
    EXPECT_EQ(str(titles.join(u' ')),
              str(QStringLiteral("&Файл &Навигатор &Редактор &Избранное &Шаблоны "
                                 "&Сервис &?")));
    EXPECT_EQ(names.join(u' '), QStringLiteral("MenuFile MenuNavigator MenuEditor MenuFavorites "
                                               "MenuTemplates MenuService MenuHelp"));
    ASSERT_EQ(bar->actions().size(), 7);
    for (const QMenu* menu : menus) {
        const bool templates = menu->objectName() == u"MenuTemplates";
        EXPECT_EQ(menu->menuAction()->isVisible(), !templates);
        EXPECT_EQ(menu->menuAction()->isEnabled(), !templates);
    }
    EXPECT_TRUE(table.menu(u"MenuTemplates")->actions().isEmpty());
}

TEST_F(ActionLayoutTest, FileFavouritesServiceAndHelpMenus)
{
    EXPECT_EQ(str(menuText(u"MenuFile")),
              str(QStringLiteral("ActionFileNew,ActionFileOpen,&История(),-,ActionFileSave,"
                                 "ActionFileSaveAs,-,ActionFileSendMail,-,ActionFilePrint,"
                                 "ActionFilePrintSetup,ActionFilePageSetup,-,ActionFileExit")));
    const QMenu* history = table.menu(u"HistoryMenu");
    ASSERT_NE(history, nullptr);
    EXPECT_EQ(str(history->menuAction()->statusTip()),
              str(QStringLiteral("Список ранее открываемых файлов.")));
    EXPECT_EQ(menuText(u"MenuFavorites"),
              QStringLiteral("ActionFavoriteAdd,ActionFavoriteChange,-,FavoritesMarker"));
    EXPECT_FALSE(table.menu(u"MenuFavorites")->actions().constLast()->isVisible());
    EXPECT_EQ(menuText(u"MenuService"),
              QStringLiteral("ActionServiceNewWindow,-,ActionServiceInfo,ActionServiceStat,-,"
                             "ActionFileExport,ActionServiceImport,-,"
                             "ActionServiceHideNavigator,ActionServiceFiles,"
                             "ActionServiceOptions"));
    EXPECT_EQ(menuText(u"MenuHelp"), QStringLiteral("ActionHelpContents,ActionHelpAbout"));
}

TEST_F(ActionLayoutTest, NavigatorAndEditorMenus)
{
    EXPECT_EQ(menuText(u"MenuNavigator"),
              QStringLiteral("ActionNavigatorUndo,-,ActionNavigatorNewNode,"
                             "ActionNavigatorNewChild,ActionNavigatorRenameNode,"
                             "ActionNavigatorDeleteNode,-,ActionNavigatorExpand,-,"
                             "ActionNavigatorFindNode,-,ActionNavigatorCreateList,"
                             "ActionNavigatorSort"));
    EXPECT_EQ(
        str(menuText(u"MenuEditor")),
        str(QStringLiteral("ActionEditUndo,ActionEditRedo,-,ActionEditCutMulti,ActionEditCopy,"
                           "ActionEditPasteMulti,ActionEditDelete,-,ActionEditQuickSelectAll,-,"
                           "ActionEditFind,ActionEditReplace,ActionEditGoto,-,ActionEditShl,"
                           "ActionEditShr,-,Регистр(ActionEditLower,ActionEditUpper),-,"
                           "Вставка(ActionEditorDateTime,ActionEditorChar,ActionEditorPattern),"
                           "ActionEditAutoClipboard")));
}

TEST_F(ActionLayoutTest, ContextMenus)
{
    const QMenu* navigator = table.buildNavigatorMenu(&window);
    EXPECT_EQ(navigator->objectName(), QStringLiteral("TVPopupMenu"));
    EXPECT_EQ(table.menu(u"TVPopupMenu"), navigator);
    EXPECT_EQ(str(describe(navigator)),
              str(QStringLiteral(
                  "Создать(ActionNavigatorNewNode,ActionNppInsertNode,ActionNavigatorNewChild),"
                  "ActionNavigatorDeleteNode,-,"
                  "Имя раздела(ActionNavigatorRenameNode,ActionNppInsDT,ActionNppCopyPath),"
                  "Порядок(ActionNavigatorSort,ActionNppUppestLevel,ActionNppMakeFirst,"
                  "ActionNppMakeLast),-,ActionNavigatorFindNode,ActionNppInfo")));
    for (const char16_t* name : {u"TVPopupCreateMenu", u"TVPopupNameMenu", u"TVPopupOrderMenu"})
        EXPECT_NE(table.menu(QStringView(name)), nullptr);

    const QMenu* editor = table.buildEditorMenu(&window);
    EXPECT_EQ(editor->objectName(), QStringLiteral("EditorPopupMenu"));
    EXPECT_EQ(
        str(describe(editor)),
        str(QStringLiteral("ActionEditUndo,-,ActionEditCut,ActionEditCopy,ActionEditPaste,"
                           "ActionEditDelete,-,ActionEditQuickSelectAll,-,ActionEditLower,"
                           "ActionEditUpper,-,Вставка(ActionEditorNodeText,ActionEditorNodePath,"
                           "ActionEditorChildList,-,ActionEditorDateTime,ActionEditorChar,"
                           "ActionEditorPattern)")));
}

TEST_F(ActionLayoutTest, ToolBarOrderAndDropDowns)
{
    QToolBar* toolBar = window.addToolBar(QStringLiteral("ToolBar"));
    table.buildToolBar(toolBar);
    EXPECT_EQ(describe(toolBar),
              QStringLiteral("ActionFileNew,ActionFileOpen,ActionFileSave,-,"
                             "ActionNavigatorExpand,ActionNavigatorFindNode,-,"
                             "ActionNavigatorMoveUp,ActionNavigatorMoveDown,-,"
                             "ActionNavigatorNewNode,ActionNavigatorNewChild,"
                             "ActionNavigatorRenameNode,ActionNavigatorDeleteNode,-,"
                             "ActionEditUndo,ActionEditRedo,-,ActionEditCutMulti,"
                             "ActionEditCopy,ActionEditPasteMulti,ActionEditDelete,-,"
                             "ActionEditQuickSelectAll,-,ActionEditFind,ActionEditReplace,"
                             "ActionEditGoto,-,ActionServiceInfo"));

    const auto* open =
        qobject_cast<QToolButton*>(toolBar->widgetForAction(named(u"ActionFileOpen")));
    ASSERT_NE(open, nullptr);
    EXPECT_EQ(open->menu(), table.menu(u"OpenPopupMenu"));
    EXPECT_TRUE(open->menu()->actions().isEmpty());

    const auto* save =
        qobject_cast<QToolButton*>(toolBar->widgetForAction(named(u"ActionFileSave")));
    ASSERT_NE(save, nullptr);
    ASSERT_EQ(save->menu(), table.menu(u"SavePopupMenu"));
    ASSERT_EQ(save->menu()->actions().size(), 1);
    QAction* item = save->menu()->actions().constFirst();
    QAction* saveAs = named(u"ActionFileSaveAs");
    EXPECT_EQ(item->text(), saveAs->text());
    EXPECT_TRUE(item->shortcut().isEmpty());
    EXPECT_FALSE(item->isEnabled());
    saveAs->setEnabled(true);
    EXPECT_TRUE(item->isEnabled());
    int runs = 0;
    QObject::connect(saveAs, &QAction::triggered, &window, [&runs] { ++runs; });
    item->trigger();
    EXPECT_EQ(runs, 1);
}

TEST_F(ActionLayoutTest, SharedItemsCarryOneCommandOfTheirPairAtATime)
{
    QToolBar* toolBar = window.addToolBar(QStringLiteral("ToolBar"));
    table.buildToolBar(toolBar);
    QMenu* navigator = table.menu(u"MenuNavigator");
    QMenu* service = table.menu(u"MenuService");
    QAction* expand = named(u"ActionNavigatorExpand");
    QAction* collapse = named(u"ActionNavigatorCollapse");
    const qsizetype menuPlace = navigator->actions().indexOf(expand);
    const qsizetype barPlace = toolBar->actions().indexOf(expand);

    table.placeInSharedSlot(collapse);
    EXPECT_EQ(navigator->actions().indexOf(collapse), menuPlace);
    EXPECT_EQ(toolBar->actions().indexOf(collapse), barPlace);
    EXPECT_FALSE(navigator->actions().contains(expand));
    EXPECT_FALSE(toolBar->actions().contains(expand));
    EXPECT_NE(toolBar->widgetForAction(collapse), nullptr);

    table.placeInSharedSlot(collapse); // already there: nothing changes
    EXPECT_EQ(navigator->actions().indexOf(collapse), menuPlace);
    table.placeInSharedSlot(expand);
    EXPECT_EQ(navigator->actions().indexOf(expand), menuPlace);
    EXPECT_FALSE(toolBar->actions().contains(collapse));

    QAction* hide = named(u"ActionServiceHideNavigator");
    QAction* show = named(u"ActionServiceShowNavigator");
    const qsizetype servicePlace = service->actions().indexOf(hide);
    table.placeInSharedSlot(show);
    EXPECT_EQ(service->actions().indexOf(show), servicePlace);
    EXPECT_FALSE(service->actions().contains(hide));

    const QString before = describe(navigator);
    table.placeInSharedSlot(named(u"ActionNavigatorSort")); // in no pair
    EXPECT_EQ(describe(navigator), before);
}

} // namespace
