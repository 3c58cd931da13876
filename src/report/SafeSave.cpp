#include "SafeSave.h"

#include <QSaveFile>

namespace k30 {

bool SaveThroughTemporary(const QString& path, const std::function<bool(QIODevice&)>& write, QString& error)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) {
        error = file.errorString();
        return false;
    }
    if (!write(file) || file.error() != QFileDevice::NoError) {
        error = file.errorString();
        file.cancelWriting();
        return false;
    }
    if (!file.commit()) {
        error = file.errorString();
        return false;
    }
    return true;
}

bool SaveBytesThroughTemporary(const QString& path, const QByteArray& bytes, QString& error)
{
    return SaveThroughTemporary(
        path, [&bytes](QIODevice& out) { return out.write(bytes) == bytes.size(); }, error);
}

}  // namespace k30
