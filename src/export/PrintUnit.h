// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDialog>

#include <vector>

class QCheckBox;
class QFontMetrics;
class QListView;
class QPrinter;
class QPushButton;
class QRadioButton;

namespace kelto {

class Notebook;
class PrintListModel;
class Section;
class TpIniFile;

// The print dialog: all sections, the current one, or a free choice from a
// check list that shows the tree's shape; whether the document information
// and the contents go first. OK stores those two choices; printList() is
// then what to print. Without a printer nothing can be printed.
class TPrintForm : public QDialog
{
    Q_OBJECT
public:
    // printer is null when there is none.
    TPrintForm(QWidget* parent, const Notebook& notebook, TpIniFile& settings, QPrinter* printer);
    ~TPrintForm() override;

    // The checked sections in tree order.
    std::vector<const Section*> printList() const;

protected:
    // Centred on the screen.
    void showEvent(QShowEvent* event) override;

Q_SIGNALS:
    // "Свойства" for a PDF file: the window's page setup stands in for a
    // printer's page dialog.
    void pageSetupRequested();

private:
    void build(QPrinter* printer);
    void chooseAll();
    void chooseCurrent();
    void chooseFromList();
    void printerProperties();
    void accept() override;

    const Notebook& m_notebook;
    TpIniFile& m_settings;
    QPrinter* m_printer;
    PrintListModel* m_model = nullptr;
    QRadioButton* m_all = nullptr;
    QRadioButton* m_current = nullptr;
    QRadioButton* m_selected = nullptr;
    QCheckBox* m_info = nullptr;
    QCheckBox* m_contents = nullptr;
    QListView* m_list = nullptr;
};

// "Печать на <printer>"; a PDF printer names its file, whose path loses its
// middle when the caption would be wider than maxWidth in metrics' font.
QString printerCaption(const QPrinter& printer, const QFontMetrics& metrics, int maxWidth);

} // namespace kelto
