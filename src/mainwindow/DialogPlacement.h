// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDialogButtonBox>
#include <QPushButton>
#include <QScreen>
#include <QWidget>

namespace kelto {

// Puts a window in the middle of the screen that holds it (call it from
// its showEvent, once the size is known).
inline void centreOnScreen(QWidget& window)
{
    if (const QScreen* s = window.screen())
        window.move(s->availableGeometry().center() - window.rect().center());
}

// The OK button (named OkButton, the default) and the Cancel button (named
// CancelButton) of a dialog, in a box laid out as the platform lays it.
struct DialogButtons
{
    QDialogButtonBox* box;
    QPushButton* ok;
    QPushButton* cancel;
};
inline DialogButtons makeDialogButtons(QWidget* dialog, const QString& ok, const QString& cancel)
{
    auto* box = new QDialogButtonBox(dialog);
    QPushButton* okButton = box->addButton(ok, QDialogButtonBox::AcceptRole);
    okButton->setObjectName(QStringLiteral("OkButton"));
    okButton->setDefault(true);
    QPushButton* cancelButton = box->addButton(cancel, QDialogButtonBox::RejectRole);
    cancelButton->setObjectName(QStringLiteral("CancelButton"));
    return {box, okButton, cancelButton};
}

} // namespace kelto
