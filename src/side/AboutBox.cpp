// SPDX-License-Identifier: GPL-3.0-or-later
#include "AboutBox.h"

#include <QApplication>
#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace kelto {

namespace {

QLabel* makeLabel(const QString& name, const QString& text, QWidget* parent)
{
    auto* label = new QLabel(text, parent);
    label->setObjectName(name);
    return label;
}

} // namespace

TAboutBox::TAboutBox(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("TAboutBox"));
    setWindowTitle(QStringLiteral("О программе"));
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint);

    auto* icon = new QLabel(this);
    icon->setPixmap((parent ? parent->windowIcon() : QApplication::windowIcon()).pixmap(64, 64));
    icon->setAlignment(Qt::AlignTop);

    QLabel* name = makeLabel(QStringLiteral("NameLabel"), QStringLiteral("Тримбель"), this);
    QFont big = name->font();
    big.setPointSizeF(big.pointSizeF() * 1.6);
    big.setBold(true);
    name->setFont(big);
    QLabel* versionLabel =
        makeLabel(QStringLiteral("VersionLabel"), QStringLiteral("Версия %1").arg(version()), this);
    QLabel* purpose =
        makeLabel(QStringLiteral("PurposeLabel"),
                  QStringLiteral("Записная книжка: дерево разделов с текстом."), this);
    QLabel* licence = makeLabel(
        QStringLiteral("LicenceLabel"),
        QStringLiteral("Свободная программа: распространяется на условиях GNU General Public "
                       "License версии 3 или (по вашему выбору) любой более поздней версии "
                       "(GPL-3.0-or-later), без каких-либо гарантий."),
        this);
    licence->setWordWrap(true);
    const QString home = homeAddress();
    QLabel* link =
        makeLabel(QStringLiteral("HomeLabel"),
                  QStringLiteral("<a href=\"%1\">%1</a>").arg(home.toHtmlEscaped()), this);
    link->setTextFormat(Qt::RichText);
    link->setTextInteractionFlags(Qt::TextBrowserInteraction);
    link->setOpenExternalLinks(true);

    auto* buttons = new QDialogButtonBox(this);
    QPushButton* ok = buttons->addButton(QStringLiteral("OK"), QDialogButtonBox::AcceptRole);
    ok->setObjectName(QStringLiteral("OkButton"));
    ok->setDefault(true);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);

    auto* texts = new QVBoxLayout;
    for (QWidget* w : std::initializer_list<QWidget*>{name, versionLabel, purpose, licence, link})
        texts->addWidget(w);
    auto* top = new QHBoxLayout;
    top->addWidget(icon);
    top->addLayout(texts, 1);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(buttons);
    // The licence wraps within a readable width; the rest keeps its size.
    licence->setMinimumWidth(fontMetrics().averageCharWidth() * 50);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

QString TAboutBox::version()
{
    return QStringLiteral(KELTO_VERSION);
}

QString TAboutBox::homeAddress()
{
    return QStringLiteral(KELTO_HOMEPAGE);
}

} // namespace kelto
