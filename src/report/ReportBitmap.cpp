#include "ReportBitmap.h"

#include <QPainter>

#include <cstdint>

#include "PointReport.h"
#include "ReportPage.h"
#include "SafeSave.h"

namespace k30 {

namespace {

void Put16(QByteArray& out, int at, std::uint16_t v)
{
    out[at] = static_cast<char>(v & 0xFF);
    out[at + 1] = static_cast<char>(v >> 8);
}

void Put32(QByteArray& out, int at, std::uint32_t v)
{
    for (int i = 0; i < 4; ++i)
        out[at + i] = static_cast<char>((v >> (8 * i)) & 0xFF);
}

}  // namespace

QImage RenderReportBitmap(const TestDataStore& store, const ReportHeader& header, Language lang)
{
    QImage image(kBitmapWidth, kBitmapHeight, QImage::Format_RGB32);
    image.setDotsPerMeterX(kBitmapDotsPerMeter);
    image.setDotsPerMeterY(kBitmapDotsPerMeter);
    image.fill(Qt::white);
    QPainter painter(&image);
    // Lines stay one pixel wide and sharp; text keeps its smoothing.
    painter.setRenderHint(QPainter::Antialiasing, false);
    const bool drawn = DrawK30PointBitmap(painter, ReportPage{kBitmapWidth, kBitmapHeight, 0, 0}, store, header, lang);
    painter.end();
    return drawn ? image : QImage();
}

QByteArray BitmapFileBytes(const QImage& image)
{
    const QImage pixels = image.convertToFormat(QImage::Format_RGB32);
    const int width = pixels.width();
    const int height = pixels.height();
    const int rowBytes = width * 4;
    QByteArray out(kBitmapHeaderBytes + rowBytes * height, '\0');

    // File header.
    out[0] = 'B';
    out[1] = 'M';
    Put32(out, 2, static_cast<std::uint32_t>(out.size()));
    Put32(out, 10, kBitmapHeaderBytes);
    // Info header; compression, image size, resolutions and colour counts stay 0.
    Put32(out, 14, 40);
    Put32(out, 18, static_cast<std::uint32_t>(width));
    Put32(out, 22, static_cast<std::uint32_t>(height));  // positive: bottom row first
    Put16(out, 26, 1);
    Put16(out, 28, 32);

    for (int y = 0; y < height; ++y) {
        const auto* src = reinterpret_cast<const std::uint32_t*>(pixels.constScanLine(y));
        char* dst = out.data() + kBitmapHeaderBytes + (height - 1 - y) * rowBytes;
        for (int x = 0; x < width; ++x) {
            const std::uint32_t argb = src[x];
            dst[4 * x] = static_cast<char>(argb & 0xFF);              // blue
            dst[4 * x + 1] = static_cast<char>((argb >> 8) & 0xFF);   // green
            dst[4 * x + 2] = static_cast<char>((argb >> 16) & 0xFF);  // red
            dst[4 * x + 3] = 0;                                       // unused; drawing never sets it
        }
    }
    return out;
}

bool SaveReportBitmap(const QString& path, const TestDataStore& store, const ReportHeader& header, Language lang,
                      QString& error)
{
    const QImage image = RenderReportBitmap(store, header, lang);
    if (image.isNull()) {
        error = QStringLiteral("no test point named \"%1\"").arg(QString::fromStdString(store.strCurK30Name));
        return false;
    }
    const QByteArray bytes = BitmapFileBytes(image);
    return SaveBytesThroughTemporary(path, bytes, error);
}

}  // namespace k30
