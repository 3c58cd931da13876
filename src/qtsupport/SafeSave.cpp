#include "SafeSave.h"

#include <QBuffer>
#include <QFile>

#include <string>

#include "AtomicFile.h"

namespace k30 {

bool SaveThroughTemporary(const QString& path, const std::function<bool(QIODevice&)>& write, QString& error,
                          const ProgressFn& progress)
{
    // Everything written is a report or a data file of a few MiB at most.
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    if (!write(buffer)) {
        error = QStringLiteral("the content could not be produced");
        return false;
    }
    buffer.close();
    return SaveBytesThroughTemporary(path, bytes, error, progress);
}

bool SaveBytesThroughTemporary(const QString& path, const QByteArray& bytes, QString& error,
                               const ProgressFn& progress)
{
    std::string why;
    if (WriteFileAtomically(QFile::encodeName(path).toStdString(), bytes.constData(),
                            static_cast<std::size_t>(bytes.size()), why, nullptr, progress))
        return true;
    error = QString::fromStdString(why);
    return false;
}

}  // namespace k30
