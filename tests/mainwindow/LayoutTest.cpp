// SPDX-License-Identifier: GPL-3.0-or-later
// Every dialog and panel of the program, opened through its command on a
// 1024 x 768 screen at 96 dpi with the default fonts: no label, button,
// check box, radio button, group title or header section is narrower (or
// lower) than its text, and every window fits the screen.

#include "WindowFixture.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QFileDialog>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QStackedWidget>
#include <QStyle>
#include <QStyleOptionButton>
#include <QTabWidget>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <QTreeView>

#include <gtest/gtest.h>

using namespace kelto;
using namespace kelto::test;

namespace {

// The text as drawn: an "&" marks a mnemonic and is not drawn, "&&" is one.
QString drawnText(QString text)
{
    text.replace(u"&&"_qs, u"\x01"_qs);
    text.remove(u'&');
    text.replace(u'\x01', u'&');
    return text;
}

QString nameOf(const QWidget* w)
{
    return QString::fromLatin1(w->metaObject()->className()) + u' ' + w->objectName();
}

// Widest line of a text in the widget's font.
int textWidth(const QWidget* w, const QString& text)
{
    int width = 0;
    for (const QString& line : drawnText(text).split(u'\n'))
        width = std::max(width, w->fontMetrics().horizontalAdvance(line));
    return width;
}

int textHeight(const QWidget* w, const QString& text)
{
    return w->fontMetrics().height() * int(text.count(u'\n') + 1);
}

// The room a widget leaves for its text: a label its contents, a button its
// face less the bevel, a check box or radio button the part beside its mark.
QSize roomFor(const QWidget* w)
{
    const QStyle* style = w->style();
    if (qobject_cast<const QCheckBox*>(w) || qobject_cast<const QRadioButton*>(w)) {
        const bool radio = qobject_cast<const QRadioButton*>(w);
        const int mark = style->pixelMetric(radio ? QStyle::PM_ExclusiveIndicatorWidth
                                                  : QStyle::PM_IndicatorWidth) +
                         style->pixelMetric(radio ? QStyle::PM_RadioButtonLabelSpacing
                                                  : QStyle::PM_CheckBoxLabelSpacing);
        return {w->width() - mark, w->height()};
    }
    if (auto* button = qobject_cast<const QAbstractButton*>(w)) {
        int icon = 0;
        if (!button->icon().isNull())
            icon = button->iconSize().width() + 4;
        const int bevel = 2 * style->pixelMetric(QStyle::PM_ButtonMargin) / 2;
        return {w->width() - icon - bevel, w->height()};
    }
    if (auto* label = qobject_cast<const QLabel*>(w))
        return label->contentsRect().size() - QSize(2 * label->margin(), 2 * label->margin());
    return w->size();
}

// Every visible text of top that does not fit its widget.
void collectCut(QWidget* top, QStringList& cut)
{
    for (QWidget* w : top->findChildren<QWidget*>()) {
        if (!w->isVisibleTo(top) || w->window() != top)
            continue;
        QString text;
        if (auto* label = qobject_cast<QLabel*>(w)) {
            if (label->wordWrap() || label->textFormat() == Qt::RichText ||
                !label->pixmap().isNull())
                continue;
            text = label->text();
        } else if (auto* button = qobject_cast<QAbstractButton*>(w)) {
            auto* tool = qobject_cast<QToolButton*>(w);
            if (tool &&
                (button->text().isEmpty() ||
                 (tool->toolButtonStyle() == Qt::ToolButtonIconOnly && !tool->icon().isNull())))
                continue; // its text is a tool tip
            // A menu's arrow drawn in the corner needs room beside the text.
            const int arrow =
                tool && tool->menu() && tool->popupMode() == QToolButton::InstantPopup
                    ? tool->style()->pixelMetric(QStyle::PM_MenuButtonIndicator, nullptr, tool)
                    : 0;
            if (tool && tool->width() < tool->sizeHint().width() + arrow)
                cut << nameOf(w) +
                           QStringLiteral(": \"%1\" narrower than its face").arg(tool->text());
            text = button->text();
        } else if (auto* group = qobject_cast<QGroupBox*>(w)) {
            if (textWidth(w, group->title()) > group->width())
                cut << nameOf(w) + u8(": ") + group->title();
            continue;
        } else if (auto* header = qobject_cast<QHeaderView*>(w)) {
            const QAbstractItemModel* model = header->model();
            for (int i = 0; model && i < header->count(); ++i) {
                if (header->isSectionHidden(i))
                    continue;
                const QString title =
                    model->headerData(i, header->orientation(), Qt::DisplayRole).toString();
                const int margin = 2 * w->style()->pixelMetric(QStyle::PM_HeaderMargin, nullptr, w);
                if (header->sectionSize(i) < textWidth(w, title) + margin)
                    cut << nameOf(w) + u8(" section: ") + title;
                // A heading pushed past the view's edge is cut off as well.
                if (header->orientation() == Qt::Horizontal &&
                    header->sectionViewportPosition(i) + header->sectionSize(i) >
                        header->viewport()->width())
                    cut << nameOf(w) + u8(" section out of view: ") + title;
            }
            continue;
        } else {
            continue;
        }
        // Whatever the widget's size, the window must not cut it off.
        const QRect inWindow(w->mapTo(top, QPoint(0, 0)), w->size());
        if (!top->rect().contains(inWindow))
            cut << nameOf(w) + u8(": cut off by the window's edge");
        if (text.isEmpty())
            continue;
        const QSize room = roomFor(w);
        if (room.width() < textWidth(w, text) || room.height() < textHeight(w, text))
            cut << QStringLiteral("%1: \"%2\" in %3x%4")
                       .arg(nameOf(w), drawnText(text))
                       .arg(room.width())
                       .arg(room.height());
    }
}

// Every page of the tabs and stacks of top, one after another.
void checkEveryPage(QWidget* top, QStringList& cut)
{
    collectCut(top, cut);
    for (QTabWidget* tabs : top->findChildren<QTabWidget*>()) {
        const int was = tabs->currentIndex();
        for (int i = 0; i < tabs->count(); ++i) {
            tabs->setCurrentIndex(i);
            QApplication::processEvents();
            collectCut(top, cut);
        }
        tabs->setCurrentIndex(was);
    }
}

// The window and its frame lie on the screen.
void checkFits(QWidget* top, QStringList& cut)
{
    const QRect screen = top->screen()->availableGeometry();
    if (!screen.contains(top->frameGeometry()))
        cut << nameOf(top) + QStringLiteral(" outside the screen: %1,%2 %3x%4")
                                 .arg(top->frameGeometry().x())
                                 .arg(top->frameGeometry().y())
                                 .arg(top->frameGeometry().width())
                                 .arg(top->frameGeometry().height());
}

void inspect(QWidget* top, QStringList& cut)
{
    QApplication::processEvents();
    checkEveryPage(top, cut);
    checkFits(top, cut);
}

} // namespace

TEST(Layout, EveryDialogShowsItsTextsWholeAndFitsTheScreen)
{
    ASSERT_EQ(QApplication::primaryScreen()->geometry().size(), QSize(1024, 768));
    Window n("A(B) C");
    n.w().setGeometry(0, 30, 900, 650);
    n.w().show();
    n.select("B", u8("текст"));
    // Modal dialogs are looked at while they run, then closed.
    const char* const modal[] = {"ActionFileExport",
                                 "ActionFilePageSetup",
                                 "ActionServiceOptions",
                                 "ActionEditorDateTime",
                                 "ActionNavigatorCreateList",
                                 "ActionNavigatorSort",
                                 "ActionServiceInfo",
                                 "ActionFavoriteAdd",
                                 "ActionFavoriteChange",
                                 "ActionHelpAbout",
                                 "ActionFilePrint"};
    for (const char* command : modal) {
        SCOPED_TRACE(command);
        QStringList cut;
        bool shown = false;
        n.prompts.pdfNames << n.dir.path(u8("print.pdf"));
        QTimer::singleShot(0, [&] {
            QWidget* dialog = QApplication::activeModalWidget();
            if (!dialog)
                return;
            shown = true;
            inspect(dialog, cut);
            dialog->close();
        });
        n.editor()->setFocus();
        n.trigger(command);
        EXPECT_TRUE(shown);
        EXPECT_TRUE(cut.isEmpty()) << cut.join(u'\n').toStdString();
    }
    // Windows that stay open beside the main window.
    const char* const modeless[] = {
        "ActionEditFind",     "ActionEditReplace", "ActionEditGoto",     "ActionNavigatorFindNode",
        "ActionServiceFiles", "ActionEditorChar",  "ActionHelpContents", "ActionEditorPattern"};
    for (const char* command : modeless) {
        SCOPED_TRACE(command);
        n.editor()->setFocus();
        n.trigger(command);
        QStringList cut;
        int opened = 0;
        for (QWidget* top : QApplication::topLevelWidgets()) {
            if (top->isVisible() && top != &n.w() && top->windowType() != Qt::Popup &&
                top->windowType() != Qt::ToolTip) {
                ++opened;
                inspect(top, cut);
                top->hide();
            }
        }
        EXPECT_GE(opened, 1);
        EXPECT_TRUE(cut.isEmpty()) << cut.join(u'\n').toStdString();
    }
    QStringList cut;
    checkFits(&n.w(), cut);
    EXPECT_TRUE(cut.isEmpty()) << cut.join(u'\n').toStdString();
}

// The file dialogs show the size, type and date of a file whole.
TEST(Layout, FileDialogsShowTheirDetailColumnsWhole)
{
    TempDir dir;
    dir.file(u8("notebook with a rather long name.nib"), QByteArray(123456, 'x'));
    QFileDialog dialog(nullptr, u8("Выбор"), dir.root(), u8("Все файлы (*)"));
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setViewMode(QFileDialog::Detail);
    dialog.resize(560, 380); // as small as a window manager may first show it
    fitFileDialog(dialog);
    dialog.show();
    auto* view = dialog.findChild<QTreeView*>(u8("treeView"));
    ASSERT_NE(view, nullptr);
    ASSERT_TRUE(QTest::qWaitFor([&] { return view->model()->rowCount(view->rootIndex()) > 0; }));
    QApplication::processEvents();
    // The name keeps room for 25 characters beside them.
    EXPECT_GE(view->columnWidth(0), view->fontMetrics().averageCharWidth() * 25);
    for (int column = 1; column < view->header()->count(); ++column) {
        EXPECT_GE(view->columnWidth(column),
                  static_cast<QAbstractItemView*>(view)->sizeHintForColumn(column))
            << column;
        EXPECT_GE(view->columnWidth(column), view->header()->sectionSizeHint(column)) << column;
    }
    QStringList cut;
    checkFits(&dialog, cut);
    EXPECT_TRUE(cut.isEmpty()) << cut.join(u'\n').toStdString();
}
