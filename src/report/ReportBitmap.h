#pragma once

#include <QByteArray>
#include <QImage>
#include <QString>

#include "Language.h"
#include "ReportHeader.h"
#include "TestDataStore.h"

namespace k30 {

inline constexpr int kBitmapWidth = 500;
inline constexpr int kBitmapHeight = 700;
inline constexpr int kBitmapHeaderBytes = 54;
inline constexpr int kBitmapFileBytes = kBitmapWidth * kBitmapHeight * 4 + kBitmapHeaderBytes;  // 1,400,054

// The point bitmap of the current point (store.strCurK30Name): white, with the
// point report drawn over it one unit per pixel. A null image when no point
// has that name.
QImage RenderReportBitmap(const TestDataStore& store, const ReportHeader& header, Language lang);

// The bitmap file: a 54-byte header (file header and 40-byte info header,
// uncompressed, 32 bits per pixel, positive height) and the rows bottom-up,
// four bytes a pixel (blue, green, red, 0). The image must be 500 x 700.
QByteArray BitmapFileBytes(const QImage& image);

// Renders and writes the file; the target is replaced only by a complete file.
// False with the reason in error when there is no such point or the file cannot
// be written.
bool SaveReportBitmap(const QString& path, const TestDataStore& store, const ReportHeader& header, Language lang,
                      QString& error);

}  // namespace k30
