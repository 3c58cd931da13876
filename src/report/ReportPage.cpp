#include "ReportPage.h"

#include <QPagedPaintDevice>
#include <QPainter>

namespace k30 {

ReportPage ReportPageFromDevice(const QRect& sheetPixels, const QRect& printablePixels, int dpiX, int dpiY)
{
    ReportPage page;
    if (dpiX <= 0 || dpiY <= 0)
        return page;
    const int offsetX = printablePixels.left() - sheetPixels.left();
    const int offsetY = printablePixels.top() - sheetPixels.top();
    page.L = offsetX * kReportUnitsPerInch / dpiX;
    page.T = offsetY * kReportUnitsPerInch / dpiY;
    page.W = sheetPixels.width() * kReportUnitsPerInch / dpiX - 2 * page.L;
    page.H = sheetPixels.height() * kReportUnitsPerInch / dpiY - 2 * page.T;
    return page;
}

ReportPage ReportPageFor(const QPagedPaintDevice& device)
{
    // Horizontal values in the horizontal resolution, vertical ones in the
    // vertical: printers may resolve the two directions differently.
    const QPageLayout layout = device.pageLayout();
    const int dpiX = device.logicalDpiX();
    const int dpiY = device.logicalDpiY();
    ReportPage page = ReportPageFromDevice(layout.fullRectPixels(dpiX), layout.paintRectPixels(dpiX), dpiX, dpiX);
    const ReportPage vertical =
        ReportPageFromDevice(layout.fullRectPixels(dpiY), layout.paintRectPixels(dpiY), dpiY, dpiY);
    page.T = vertical.T;
    page.H = vertical.H;
    return page;
}

void MapReportUnits(QPainter& painter, int dpiX, int dpiY)
{
    // A window of 800 x 560 units over a viewport scaled by dpi / 96; fonts are
    // made for this mapping (ReportCanvas), so Qt does not scale them twice.
    constexpr int kWindowWidth = 800;
    constexpr int kWindowHeight = 560;
    painter.setWindow(0, 0, kWindowWidth, kWindowHeight);
    painter.setViewport(0, 0, kWindowWidth * dpiX / kReportUnitsPerInch, kWindowHeight * dpiY / kReportUnitsPerInch);
}

}  // namespace k30
