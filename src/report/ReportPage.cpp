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
    const QPageLayout layout = device.pageLayout();
    const int dpi = device.logicalDpiX();
    return ReportPageFromDevice(layout.fullRectPixels(dpi), layout.paintRectPixels(dpi), device.logicalDpiX(),
                                device.logicalDpiY());
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
