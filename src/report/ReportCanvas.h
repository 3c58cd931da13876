#pragma once

#include <QFont>
#include <QPen>
#include <QString>
#include <QStringList>

#include <functional>

#include "Language.h"
#include "UiText.h"

class QPainter;

namespace k30 {

// Draws the way the report layouts are written: coordinates in report units
// (the painter is already mapped, see MapReportUnits), computed in floating
// point and truncated toward zero; texts placed by the top-left corner of their
// line; fonts made by point size so that an N-point font is N/72 inch tall on
// paper on every device; text always black, whatever pen the lines use.
class ReportCanvas {
public:
    ReportCanvas(QPainter& painter, Language lang);

    Language language() const { return lang_; }
    QPainter& Painter() { return painter_; }

    // The face of the language at this size; stays selected until the next call.
    void SetFont(double points);
    void SetPen(const QPen& pen);

    void Text(double x, double y, const QString& text);
    // Whether the text fits `width` on one line of the selected font.
    bool Fits(const QString& text, double width) const { return TextWidth(text) <= width; }
    // Draws the text inside the box whose top-left corner is (x, y): a text
    // that fits on one line is drawn exactly as Text() draws it; a longer one
    // wraps onto the lines the box holds (1.15 line heights apart), then shrinks (down to 70 %), and as a
    // last resort is cut with an ellipsis. The selected font stays selected.
    // Every report and the bitmap place their bounded texts through this one
    // rule, so nothing runs into a neighbour or a rule.
    void FitText(double x, double y, double width, double height, const QString& text);
    void Line(double x1, double y1, double x2, double y2);

    // Measures of the selected font in whole report units.
    int TextWidth(const QString& text) const;
    int TextHeight() const;  // height of one line: ascent plus descent of the face

    // The pens of the point report.
    static QPen DevicePen();  // black, one device pixel: lines drawn before any pen is chosen
    QPen GridPen() const;     // dotted grey
    static QPen CurvePen();   // solid red, one unit

private:
    QPainter& painter_;
    Language lang_;
    bool fineDevice_ = false;  // many device pixels to a unit: a printer or PDF
    QFont font_;
    double points_ = 0.0;
    double em_ = 0.0;      // report units
    double ascent_ = 0.0;  // report units
    double height_ = 0.0;  // report units
};

// The lines of a text broken to fit `width`: after a blank, between two
// characters of a text without blanks (Chinese), or, for a word wider than the
// whole width, inside the word. Closing punctuation stays on its line.
QStringList BreakIntoLines(const QString& text, double width, const std::function<double(const QString&)>& measure);

// The longest head of the text that fits `width` with "…" after it.
QString Elided(const QString& text, double width, const std::function<double(const QString&)>& measure);

// "共2页，第1页" or "1/2".
QString PageNumberText(int pageCount, int pageNumber, Language lang);

// The height ReportCanvas::TextHeight gives for a font of this size, on any
// device mapped to report units (the bitmap's geometry depends on it).
int ReportTextHeight(Language lang, double points);

}  // namespace k30
