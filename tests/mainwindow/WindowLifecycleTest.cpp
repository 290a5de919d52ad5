// The window's life with its notebook file as a user meets it: keys, drops,
// questions, and what ends up on disk.

#include "WindowFixture.h"
#include "document/NotebookFile.h"
#include "mainwindow/ActionCatalog.h"
#include "mainwindow/ApplicationSetup.h"
#include "mainwindow/KeltoRichEd.h"
#include "mainwindow/StatusPanels.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QFileDialog>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QMimeData>
#include <QPushButton>
#include <QStackedWidget>
#include <QTest>
#include <QUrl>

#include <gtest/gtest.h>

#include <functional>

using namespace kelto;
using namespace kelto::test;
using Answer = kelto::UserPrompts::Answer;

TEST(WindowLifecycle, QtDialogsSpeakRussianAndTitlesGetNoProgramNameAppended)
{
    const QString testName = QCoreApplication::applicationName();
    setUpApplication(*QCoreApplication::instance());
    // Without a display name of its own the application's follows its name;
    // one set explicitly would be appended by the platform to every title.
    QCoreApplication::setApplicationName(QStringLiteral("probe"));
    EXPECT_EQ(QGuiApplication::applicationDisplayName(), QStringLiteral("probe"));
    QCoreApplication::setApplicationName(testName);

    QMessageBox box(QMessageBox::Question, QStringLiteral("Тримбель"), QStringLiteral("?"),
                    QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
    QStringList buttons;
    for (auto b : {QMessageBox::Yes, QMessageBox::No, QMessageBox::Cancel})
        buttons << box.button(b)->text().remove(u'&');
    EXPECT_EQ(buttons.join(u','), u8("Да,Нет,Отмена"));
    QFileDialog dialog;
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    EXPECT_EQ(dialog.labelText(QFileDialog::Accept).remove(u'&'), u8("Сохранить"));
}
