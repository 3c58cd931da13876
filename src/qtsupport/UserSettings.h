#pragma once

#include <QStandardPaths>
#include <QString>

#include "Settings.h"

namespace k30 {

// The language files of the workbench and of the k30 tool: ./Config.cfg, then
// the workbench's own file in the user's configuration folder (its
// AppConfigLocation, named here so that the tool finds the same file).
inline QString UserConfigFolder()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) + QStringLiteral("/k30workbench");
}

inline LanguageFiles UserLanguageFiles()
{
    return {kSettingsFile, (UserConfigFolder() + QStringLiteral("/") + QString::fromLatin1(kSettingsFile)).toStdString()};
}

// The user's preferences (the acceptance requirements), beside the language
// file, whatever the application's organisation name.
inline QString UserPreferencesFile() { return UserConfigFolder() + QStringLiteral("/k30workbench.conf"); }

}  // namespace k30
