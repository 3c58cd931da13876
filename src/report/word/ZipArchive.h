#pragma once

#include <QByteArray>
#include <QString>

#include <utility>
#include <vector>

namespace k30::docx {

// One file of an archive: its path inside the archive (UTF-8) and its bytes.
using ZipEntry = std::pair<QString, QByteArray>;

// The entries deflated into a zip archive held in memory, in the given order.
// Empty with a message in error when the archive cannot be made.
QByteArray ZipInMemory(const std::vector<ZipEntry>& entries, QString& error);

// The entries of a zip archive held in memory, in archive order. Empty with a
// message in error when it cannot be read.
std::vector<ZipEntry> UnzipInMemory(const QByteArray& archive, QString& error);

}  // namespace k30::docx
