// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QStringView>

// The identifier of every command of the main window: the object name of its
// QAction. The command table, the menus and every command group name a
// command through these, so a misspelt name does not compile.
namespace kelto::cmd {

inline constexpr QStringView FileNew = u"ActionFileNew";
inline constexpr QStringView FileOpen = u"ActionFileOpen";
inline constexpr QStringView FileSave = u"ActionFileSave";
inline constexpr QStringView FileSaveAs = u"ActionFileSaveAs";
inline constexpr QStringView FileExit = u"ActionFileExit";
inline constexpr QStringView FileSendMail = u"ActionFileSendMail";
inline constexpr QStringView FilePrint = u"ActionFilePrint";
inline constexpr QStringView FilePrintSetup = u"ActionFilePrintSetup";
inline constexpr QStringView FilePageSetup = u"ActionFilePageSetup";
inline constexpr QStringView FileExport = u"ActionFileExport";
inline constexpr QStringView ServiceNewWindow = u"ActionServiceNewWindow";
inline constexpr QStringView ServiceInfo = u"ActionServiceInfo";
inline constexpr QStringView ServiceStat = u"ActionServiceStat";
inline constexpr QStringView ServiceImport = u"ActionServiceImport";
inline constexpr QStringView ServiceShowNavigator = u"ActionServiceShowNavigator";
inline constexpr QStringView ServiceHideNavigator = u"ActionServiceHideNavigator";
inline constexpr QStringView ServiceFiles = u"ActionServiceFiles";
inline constexpr QStringView ServiceOptions = u"ActionServiceOptions";
inline constexpr QStringView HelpContents = u"ActionHelpContents";
inline constexpr QStringView HelpAbout = u"ActionHelpAbout";
inline constexpr QStringView FavoriteAdd = u"ActionFavoriteAdd";
inline constexpr QStringView FavoriteChange = u"ActionFavoriteChange";
inline constexpr QStringView NavigatorUndo = u"ActionNavigatorUndo";
inline constexpr QStringView NavigatorNewNode = u"ActionNavigatorNewNode";
inline constexpr QStringView NavigatorNewChild = u"ActionNavigatorNewChild";
inline constexpr QStringView NavigatorInsertNode = u"ActionNavigatorInsertNode";
inline constexpr QStringView NppInsertNode = u"ActionNppInsertNode";
inline constexpr QStringView NavigatorRenameNode = u"ActionNavigatorRenameNode";
inline constexpr QStringView NavigatorDeleteNode = u"ActionNavigatorDeleteNode";
inline constexpr QStringView NavigatorExpand = u"ActionNavigatorExpand";
inline constexpr QStringView NavigatorCollapse = u"ActionNavigatorCollapse";
inline constexpr QStringView NavigatorFindNode = u"ActionNavigatorFindNode";
inline constexpr QStringView NavigatorCreateList = u"ActionNavigatorCreateList";
inline constexpr QStringView NavigatorSort = u"ActionNavigatorSort";
inline constexpr QStringView NavigatorSelPrev = u"ActionNavigatorSelPrev";
inline constexpr QStringView NavigatorSelNext = u"ActionNavigatorSelNext";
inline constexpr QStringView NppInsDT = u"ActionNppInsDT";
inline constexpr QStringView NppCopyPath = u"ActionNppCopyPath";
inline constexpr QStringView NppInfo = u"ActionNppInfo";
inline constexpr QStringView NavigatorMoveUp = u"ActionNavigatorMoveUp";
inline constexpr QStringView NavigatorMoveDown = u"ActionNavigatorMoveDown";
inline constexpr QStringView NavigatorInsertPrev = u"ActionNavigatorInsertPrev";
inline constexpr QStringView NavigatorInsertNext = u"ActionNavigatorInsertNext";
inline constexpr QStringView NavigatorUpOneLevel = u"ActionNavigatorUpOneLevel";
inline constexpr QStringView NavigatorUpToRoot = u"ActionNavigatorUpToRoot";
inline constexpr QStringView NppUppestLevel = u"ActionNppUppestLevel";
inline constexpr QStringView NppMakeFirst = u"ActionNppMakeFirst";
inline constexpr QStringView NppMakeLast = u"ActionNppMakeLast";
inline constexpr QStringView EditUndo = u"ActionEditUndo";
inline constexpr QStringView EditRedo = u"ActionEditRedo";
inline constexpr QStringView EditCutMulti = u"ActionEditCutMulti";
inline constexpr QStringView EditCut = u"ActionEditCut";
inline constexpr QStringView EditCopy = u"ActionEditCopy";
inline constexpr QStringView EditPasteMulti = u"ActionEditPasteMulti";
inline constexpr QStringView EditPaste = u"ActionEditPaste";
inline constexpr QStringView EditDelete = u"ActionEditDelete";
inline constexpr QStringView EditQuickSelectAll = u"ActionEditQuickSelectAll";
inline constexpr QStringView EditShl = u"ActionEditShl";
inline constexpr QStringView EditShr = u"ActionEditShr";
inline constexpr QStringView EditLower = u"ActionEditLower";
inline constexpr QStringView EditUpper = u"ActionEditUpper";
inline constexpr QStringView EditorNodeText = u"ActionEditorNodeText";
inline constexpr QStringView EditorNodePath = u"ActionEditorNodePath";
inline constexpr QStringView EditorChildList = u"ActionEditorChildList";
inline constexpr QStringView EditorDateTime = u"ActionEditorDateTime";
inline constexpr QStringView EditorChar = u"ActionEditorChar";
inline constexpr QStringView EditorPattern = u"ActionEditorPattern";
inline constexpr QStringView EditAutoClipboard = u"ActionEditAutoClipboard";
inline constexpr QStringView EditorDisableTab = u"ActionEditorDisableTab";
inline constexpr QStringView EditorWordWrap = u"ActionEditorWordWrap";
inline constexpr QStringView FocusNext = u"ActionFocusNext";
inline constexpr QStringView FocusPrevious = u"ActionFocusPrevious";
inline constexpr QStringView EditFind = u"ActionEditFind";
inline constexpr QStringView EditReplace = u"ActionEditReplace";
inline constexpr QStringView EditGoto = u"ActionEditGoto";
inline constexpr QStringView EditFindAgain = u"ActionEditFindAgain";

} // namespace kelto::cmd
