#pragma once

#include <QRect>

class QPagedPaintDevice;
class QPainter;

namespace k30 {

// One report unit is 1/96 inch on paper and one pixel in the bitmap.
inline constexpr int kReportUnitsPerInch = 96;
// 96 dots per inch, as QImage counts resolution.
inline constexpr int kBitmapDotsPerMeter = 3780;

// The page the report drawings lay themselves out in, in report units:
// printable width W and height H, left offset L and top offset T.
struct ReportPage {
    int W = 0;
    int H = 0;
    int L = 0;
    int T = 0;

    friend bool operator==(const ReportPage&, const ReportPage&) = default;
};

// From a device's whole sheet and printable area, both in device pixels, with
// its resolution. Every value is an integer division, and the printable area
// is taken as centred on the sheet (W and H less twice the offsets).
ReportPage ReportPageFromDevice(const QRect& sheetPixels, const QRect& printablePixels, int dpiX, int dpiY);

// The page of a printer or PDF writer as its layout stands now.
ReportPage ReportPageFor(const QPagedPaintDevice& device);

// Maps report units onto the device: from now on the painter draws in 1/96
// inch with its origin at the device's origin (the printable area's corner).
void MapReportUnits(QPainter& painter, int dpiX, int dpiY);

}  // namespace k30
