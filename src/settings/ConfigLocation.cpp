// SPDX-License-Identifier: GPL-3.0-or-later
#include "ConfigLocation.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

namespace kelto {

namespace {

const QLatin1String SettingsFileName("kelto.ini");
const QLatin1String TemplatesFileName("kelto.ntl");
const QLatin1String ConfigSubdirectory("kelto");

bool isPortableFolder(const QString& dir)
{
    if (dir.isEmpty())
        return false;
    const QFileInfo folder(dir);
    if (!folder.isDir())
        return false;
    return folder.isWritable() || QFileInfo::exists(QDir(dir).filePath(SettingsFileName));
}

} // namespace

QString configDirectoryFor(const ConfigLocationInputs& inputs)
{
    if (!inputs.overrideDir.isEmpty()) {
        QDir().mkpath(inputs.overrideDir);
        return QDir::cleanPath(inputs.overrideDir);
    }
    if (isPortableFolder(inputs.executableDir))
        return QDir::cleanPath(inputs.executableDir);
    // The XDG rules ignore a relative XDG_CONFIG_HOME.
    const QString base =
        !inputs.xdgConfigHome.isEmpty() && QDir::isAbsolutePath(inputs.xdgConfigHome)
            ? inputs.xdgConfigHome
            : QDir(inputs.homeDir).filePath(QStringLiteral(".config"));
    const QString dir = QDir::cleanPath(QDir(base).filePath(ConfigSubdirectory));
    // A folder that cannot be made shows up later, when the file is written.
    QDir().mkpath(dir);
    return dir;
}

QString settingsDirectory()
{
    ConfigLocationInputs inputs;
    inputs.overrideDir = qEnvironmentVariable("KELTO_CONFIG_DIR");
    if (QCoreApplication::instance())
        inputs.executableDir = QCoreApplication::applicationDirPath();
    inputs.xdgConfigHome = qEnvironmentVariable("XDG_CONFIG_HOME");
    inputs.homeDir = QDir::homePath();
    return configDirectoryFor(inputs);
}

QString settingsFilePath()
{
    return QDir(settingsDirectory()).filePath(SettingsFileName);
}

QString templatesFilePath()
{
    return QDir(settingsDirectory()).filePath(TemplatesFileName);
}

QString templatesFileBeside(const QString& settingsFile)
{
    return QFileInfo(settingsFile).absoluteDir().filePath(TemplatesFileName);
}

} // namespace kelto
