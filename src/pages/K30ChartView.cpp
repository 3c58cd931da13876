#include "K30ChartView.h"

#include <QPainter>

#include "ChartTip.h"
#include "Format.h"
#include "UiText.h"

namespace k30 {

namespace {
constexpr int kTipReach = 6;  // pixels from a plotted reading
}  // namespace

K30ChartView::K30ChartView(QWidget* parent) : QWidget(parent)
{
    setMouseTracking(true);
    Recompute();
}

void K30ChartView::SetReadings(const std::array<QString, kUsedPairs>& stress,
                               const std::array<QString, kUsedPairs>& settlement)
{
    stress_ = stress;
    settlement_ = settlement;
    Recompute();
    update();
}

void K30ChartView::SetLanguage(Language lang)
{
    lang_ = lang;
    update();
}

void K30ChartView::Recompute()
{
    const QRect inner = rect().marginsRemoved(kMargins);
    const int stepX = std::max(1, inner.width() / 15);
    const int stepY = std::max(1, inner.height() / 4);
    frame_ = {kMargins.left(), kMargins.top(), kMargins.left() + 15 * stepX, kMargins.top() + 4 * stepY};
    curve_ = K30CurvePointsFromTexts(frame_, stress_, settlement_);
}

QString K30ChartView::ReadingTipAt(const QPoint& pos) const
{
    const int shown = DrawnSegments(frame_, curve_);
    for (int i = 0; i <= shown; ++i) {
        const QPoint p = curve_[static_cast<std::size_t>(i)];
        if ((p - pos).manhattanLength() <= kTipReach) {
            const double sigma = ReadTypedNumber(S(stress_[static_cast<std::size_t>(i)])).value_or(0.0);
            const double s = ReadTypedNumber(S(settlement_[static_cast<std::size_t>(i)])).value_or(0.0);
            return QStringLiteral("σ = %1 MPa, s = %2 mm").arg(Q(FormatFixed(sigma, 3)), Q(FormatFixed(s, 2)));
        }
    }
    return {};
}

bool K30ChartView::event(QEvent* event)
{
    if (ShowChartTip(this, event, [this](const QPoint& pos) { return ReadingTipAt(pos); }))
        return true;
    return QWidget::event(event);
}

void K30ChartView::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    DrawK30Chart(painter, frame_, curve_, lang_);
}

void K30ChartView::resizeEvent(QResizeEvent*) { Recompute(); }

}  // namespace k30
