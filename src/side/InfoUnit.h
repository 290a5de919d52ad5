// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "side/DocumentInfo.h"

#include <QDialog>

class QFormLayout;
class QLineEdit;
class QPlainTextEdit;

namespace kelto {

class DocumentProperties;

// "Информация": the five user fields of the document properties to edit and
// the two write stamps to look at. The dialog only shows values and hands
// back the edited fields; the caller writes them.
class TFileInfoDialog : public QDialog
{
    Q_OBJECT
public:
    explicit TFileInfoDialog(const DocumentProperties& properties, QWidget* parent = nullptr);

    // The fields as edited now.
    DocumentInfo info() const;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    QLineEdit* addLine(const QString& objectName, const QString& text);
    void addStamp(const QString& label, const QString& objectName, const QString& value);
    void limitDescription();

    std::array<QLineEdit*, DocumentInfo::FieldCount> m_lines{};
    QPlainTextEdit* m_description = nullptr;
    QFormLayout* m_stamps = nullptr;
    int m_descriptionLimit = DocumentInfo::MaxLength;
};

} // namespace kelto
