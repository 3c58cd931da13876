#include "RecentFiles.h"

#include <QFileInfo>
#include <QSettings>

#include "UserSettings.h"

namespace k30 {

namespace {
const QString kKey = QStringLiteral("recentFiles/paths");

void Store(const QStringList& files)
{
    QSettings(UserPreferencesFile(), QSettings::IniFormat).setValue(kKey, files);
}
}  // namespace

QStringList RecentFiles::Files() const
{
    QStringList files = QSettings(UserPreferencesFile(), QSettings::IniFormat).value(kKey).toStringList();
    files.removeAll(QString());
    files.removeDuplicates();
    while (files.size() > kMaxFiles)
        files.removeLast();
    return files;
}

void RecentFiles::Add(const QString& path)
{
    const QString absolute = QFileInfo(path).absoluteFilePath();
    QStringList files = Files();
    files.removeAll(absolute);
    files.prepend(absolute);
    while (files.size() > kMaxFiles)
        files.removeLast();
    Store(files);
}

void RecentFiles::Remove(const QString& path)
{
    QStringList files = Files();
    files.removeAll(path);
    Store(files);
}

}  // namespace k30
