// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDialog>

namespace kelto {

// "О программе": the program's name, its version (as `kelto --version`
// prints it), its licence and its home address as a link.
class TAboutBox : public QDialog
{
    Q_OBJECT
public:
    explicit TAboutBox(QWidget* parent = nullptr);

    static QString version();
    static QString homeAddress();
};

} // namespace kelto
