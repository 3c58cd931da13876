#pragma once

#include <QStandardPaths>
#include <QString>

#include "Settings.h"

namespace k30 {

// The language files of the workbench and of the k30 tool: ./Config.cfg, then
// the workbench's own file in the user's configuration folder (its
// AppConfigLocation, named here so that the tool finds the same file).
inline LanguageFiles UserLanguageFiles()
{
    const QString folder = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
    return {kSettingsFile, (folder + QStringLiteral("/k30workbench/") + QString::fromLatin1(kSettingsFile)).toStdString()};
}

}  // namespace k30
