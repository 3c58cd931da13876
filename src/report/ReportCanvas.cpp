#include "ReportCanvas.h"

#include <QFontMetricsF>
#include <QImage>
#include <QPaintDevice>
#include <QPainter>
#include <QPointF>
#include <QtMath>

#include <algorithm>
#include <array>

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

// Lines of a wrapped text stand this many line heights apart: glyphs of the
// installed faces reach past the one-em line the layouts measure.
constexpr double kWrappedLeading = 1.15;

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
    points_ = points;
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

void ReportCanvas::FitText(double x, double y, double width, double height, const QString& text)
{
    if (Fits(text, width)) {
        Text(x, y, text);
        return;
    }
    const double points = points_;
    const auto measure = [this](const QString& t) { return static_cast<double>(TextWidth(t)); };
    // Whole steps of a tenth of the size, down to 70 %.
    constexpr std::array<double, 4> kScales{1.0, 0.9, 0.8, 0.7};
    QStringList lines;
    for (const double scale : kScales) {
        SetFont(points * scale);
        const int room = 1 + std::max(0, static_cast<int>((height - TextHeight()) / (kWrappedLeading * TextHeight())));
        lines = BreakIntoLines(text, width, measure);
        if (lines.size() <= room)
            break;
        if (scale == kScales.back()) {
            // The last line takes the rest of the text, cut where it runs out.
            QStringList kept = lines.mid(0, room - 1);
            kept << Elided(lines.mid(room - 1).join(QString()), width, measure);
            lines = kept;
        }
    }
    const double lineHeight = kWrappedLeading * TextHeight();
    for (qsizetype i = 0; i < lines.size(); ++i)
        Text(x, y + static_cast<double>(i) * lineHeight, lines[i]);
    SetFont(points);
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

QStringList BreakIntoLines(const QString& text, double width, const std::function<double(const QString&)>& measure)
{
    static const QString kClosing = QStringLiteral("，。；：、,.;:)）");
    const auto wide = [](QChar c) { return c.unicode() >= 0x2E80; };
    QStringList lines;
    QString rest = text.trimmed();
    while (!rest.isEmpty() && measure(rest) > width) {
        qsizetype atBreak = 0;  // longest head that fits and ends at a break
        qsizetype anywhere = 1; // longest head that fits at all
        for (qsizetype i = 1; i < rest.size(); ++i) {
            if (measure(rest.left(i)) > width)
                break;
            anywhere = i;
            const QChar before = rest[i - 1];
            const QChar after = rest[i];
            if (after == QLatin1Char(' ') || before == QLatin1Char(' ') || wide(before) || wide(after))
                atBreak = i;
        }
        qsizetype cut = atBreak > 0 ? atBreak : anywhere;
        // Closing punctuation never starts a line: the character before it
        // goes down with it.
        if (cut > 1 && kClosing.contains(rest[cut]))
            --cut;
        lines << rest.left(cut).trimmed();
        rest = rest.mid(cut).trimmed();
    }
    if (!rest.isEmpty())
        lines << rest;
    return lines;
}

QString Elided(const QString& text, double width, const std::function<double(const QString&)>& measure)
{
    if (measure(text) <= width)
        return text;
    const QString ellipsis = QStringLiteral("…");
    QString head = text;
    while (!head.isEmpty() && measure(head + ellipsis) > width)
        head.chop(1);
    return head.trimmed() + ellipsis;
}

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
