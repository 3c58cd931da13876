#include "ReportCanvas.h"

#include <QFontMetricsF>
#include <QImage>
#include <QPaintDevice>
#include <QPainter>
#include <QPointF>
#include <QtMath>

#include "CurveMapping.h"
#include "ReportFonts.h"
#include "ReportPage.h"

namespace k30 {

namespace {

constexpr double kPointsPerInch = 72.0;

// The layouts are measured for a Song face whose line is exactly one em tall,
// its baseline 0.86 em below the top. The installed substitutes have taller
// lines, which would push the header rows over the rules below them.
constexpr double kSongAscentEm = 0.86;

// Bounded, so that no value reaching a drawing can overflow the conversion.
int Trunc(double v) { return TruncatedCoordinate(v); }

// Qt sizes a font by the device's own resolution and then applies the
// painter's mapping on top, so the point size is scaled down by the factor the
// mapping adds: the font ends up N/72 inch tall on paper.
QFont MakeFont(Language lang, double points, int deviceDpiY)
{
    QFont font = FontFor(lang, points * kReportUnitsPerInch / deviceDpiY);
    // Glyphs straight from the character map: no kerning, as the layouts were
    // measured without it, and text that a PDF reader can extract again.
    font.setStyleStrategy(QFont::PreferNoShaping);
    if (deviceDpiY != kReportUnitsPerInch)
        font.setHintingPreference(QFont::PreferNoHinting);  // advances that scale evenly
    return font;
}

struct FontMeasures {
    double em = 0.0;
    double ascent = 0.0;
    double height = 0.0;
};

FontMeasures Measure(Language lang, double points, const QFont& font, const QPaintDevice* device)
{
    FontMeasures m;
    m.em = points * kReportUnitsPerInch / kPointsPerInch;
    if (lang == Language::Chinese) {
        m.ascent = m.em * kSongAscentEm;
        m.height = m.em;
    } else {
        const QFontMetricsF fm(font, device);
        m.ascent = fm.ascent();
        m.height = fm.ascent() + fm.descent();
    }
    return m;
}

}  // namespace

ReportCanvas::ReportCanvas(QPainter& painter, Language lang)
    : painter_(painter), lang_(lang), fineDevice_(painter.device()->logicalDpiX() > 2 * kReportUnitsPerInch)
{
    painter_.setBrush(Qt::NoBrush);
    painter_.setBackgroundMode(Qt::TransparentMode);
    painter_.setPen(DevicePen());
    SetFont(12);
}

void ReportCanvas::SetFont(double points)
{
    const QPaintDevice* device = painter_.device();
    font_ = MakeFont(lang_, points, device->logicalDpiY());
    const FontMeasures m = Measure(lang_, points, font_, device);
    em_ = m.em;
    ascent_ = m.ascent;
    height_ = m.height;
    painter_.setFont(font_);
}

void ReportCanvas::SetPen(const QPen& pen) { painter_.setPen(pen); }

void ReportCanvas::Text(double x, double y, const QString& text)
{
    const QPen pen = painter_.pen();
    painter_.setPen(Qt::black);
    painter_.drawText(QPointF(Trunc(x), Trunc(y) + ascent_), text);
    painter_.setPen(pen);
}

void ReportCanvas::Line(double x1, double y1, double x2, double y2)
{
    painter_.drawLine(QPoint(Trunc(x1), Trunc(y1)), QPoint(Trunc(x2), Trunc(y2)));
}

int ReportCanvas::TextWidth(const QString& text) const
{
    const QFontMetricsF fm(font_, painter_.device());
    return qRound(fm.horizontalAdvance(text));
}

int ReportCanvas::TextHeight() const { return qRound(height_); }

QPen ReportCanvas::DevicePen()
{
    QPen pen(Qt::black, 0, Qt::SolidLine);
    pen.setCosmetic(true);
    return pen;
}

QPen ReportCanvas::GridPen() const
{
    const QColor grey(70, 70, 70);
    if (fineDevice_) {
        // Dots of one device pixel vanish into a grey line on paper; dots of
        // 0.2 mm keep the grid dotted as it is on screen.
        QPen pen(grey, 0.75, Qt::CustomDashLine, Qt::FlatCap);
        pen.setDashPattern({1, 2});
        return pen;
    }
    QPen pen(grey, 0, Qt::DotLine);
    pen.setCosmetic(true);
    return pen;
}

QPen ReportCanvas::CurvePen() { return QPen(QColor(255, 0, 0), 1, Qt::SolidLine); }

QString PageNumberText(int pageCount, int pageNumber, Language lang)
{
    if (lang == Language::Chinese)
        return QStringLiteral("共%1页，第%2页").arg(pageCount).arg(pageNumber);
    return QStringLiteral("%1/%2").arg(pageNumber).arg(pageCount);
}

int ReportTextHeight(Language lang, double points)
{
    QImage unitDevice(1, 1, QImage::Format_RGB32);
    unitDevice.setDotsPerMeterX(kBitmapDotsPerMeter);
    unitDevice.setDotsPerMeterY(kBitmapDotsPerMeter);
    const QFont font = MakeFont(lang, points, unitDevice.logicalDpiY());
    return qRound(Measure(lang, points, font, &unitDevice).height);
}

}  // namespace k30
