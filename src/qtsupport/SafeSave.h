#pragma once

#include <QByteArray>
#include <QIODevice>
#include <QString>

#include <functional>

#include "Progress.h"

namespace k30 {

// The Qt face of WriteFileAtomically (AtomicFile.h): the target is replaced
// only when write() succeeded and every byte reached the disk; otherwise it is
// left as it was and error says why.
bool SaveThroughTemporary(const QString& path, const std::function<bool(QIODevice&)>& write, QString& error,
                          const ProgressFn& progress = {});

// The same for bytes already in memory. progress as for WriteFileAtomically:
// false stops the save before the target is touched.
bool SaveBytesThroughTemporary(const QString& path, const QByteArray& bytes, QString& error,
                               const ProgressFn& progress = {});

}  // namespace k30
