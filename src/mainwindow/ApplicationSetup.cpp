// SPDX-License-Identifier: GPL-3.0-or-later
#include "ApplicationSetup.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTranslator>

namespace kelto {

void setUpApplication(QCoreApplication& app)
{
    QCoreApplication::setApplicationName(QStringLiteral("Тримбель"));
    installQtTranslation(app);
}

void installQtTranslation(QCoreApplication& app)
{
    const QString folder = QLibraryInfo::path(QLibraryInfo::TranslationsPath);
    // "qt_ru" gathers the translations of all Qt modules where it is
    // installed; "qtbase_ru" holds those of the dialogs and buttons.
    for (const char* name : {"qtbase_ru", "qt_ru"}) {
        const QString objectName = QStringLiteral("QtTranslation_") + QLatin1String(name);
        if (app.findChild<QTranslator*>(objectName, Qt::FindDirectChildrenOnly))
            continue;
        auto* translator = new QTranslator(&app);
        translator->setObjectName(objectName);
        if (translator->load(QLatin1String(name), folder))
            QCoreApplication::installTranslator(translator);
        else
            delete translator;
    }
}

} // namespace kelto
