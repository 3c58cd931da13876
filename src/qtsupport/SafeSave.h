#pragma once

#include <QByteArray>
#include <QIODevice>
#include <QString>

#include <functional>

namespace k30 {

// The Qt face of WriteFileAtomically (AtomicFile.h): the target is replaced
// only when write() succeeded and every byte reached the disk; otherwise it is
// left as it was and error says why.
bool SaveThroughTemporary(const QString& path, const std::function<bool(QIODevice&)>& write, QString& error);

// The same for bytes already in memory.
bool SaveBytesThroughTemporary(const QString& path, const QByteArray& bytes, QString& error);

}  // namespace k30
