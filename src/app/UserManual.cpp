#include "UserManual.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

namespace k30 {

QString FindUserManual(Language lang)
{
    const QString name = lang == Language::Chinese ? QStringLiteral("user-manual-zh.html")
                                                   : QStringLiteral("user-manual-en.html");
    const QDir bin(QCoreApplication::applicationDirPath());
    const QStringList candidates{
        bin.filePath(QStringLiteral("../share/k30workbench/manual/") + name),
        bin.filePath(QStringLiteral("../../docs/manual/") + name),
        QStringLiteral(K30_SOURCE_DIR "/docs/manual/") + name,
    };
    for (const QString& path : candidates) {
        if (QFileInfo::exists(path))
            return QFileInfo(path).canonicalFilePath();
    }
    return {};
}

}  // namespace k30
