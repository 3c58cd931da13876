#include "SiteChartView.h"

#include <QHelpEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QToolTip>

#include "AcceptanceFormat.h"
#include "SiteTexts.h"
#include "UiText.h"

namespace k30 {

SiteChartView::SiteChartView(QWidget* parent) : QWidget(parent)
{
    setMouseTracking(true);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
}

void SiteChartView::SetData(SiteChartData chart, Language lang)
{
    data_ = std::move(chart);
    lang_ = lang;
    update();
}

double SiteChartView::FontPixels() const { return fontMetrics().height(); }

QRectF SiteChartView::Area() const { return QRectF(rect()).adjusted(2, 2, -2, -2); }

QPointF SiteChartView::PositionOf(std::size_t index) const
{
    const SiteChartScale s = SiteChartLayout(Area(), data_, FontPixels());
    const SiteChartPoint& p = data_.points.at(index);
    return s.Map(p.chainage, p.value);
}

std::optional<std::size_t> SiteChartView::PointAt(QPointF pos) const
{
    return SiteChartHit(SiteChartLayout(Area(), data_, FontPixels()), data_, pos, FontPixels() * 0.6);
}

void SiteChartView::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.fillRect(rect(), Qt::white);
    DrawSiteChart(painter, Area(), data_, FontPixels(), lang_);
}

bool SiteChartView::event(QEvent* e)
{
    if (e->type() == QEvent::ToolTip) {
        auto* help = static_cast<QHelpEvent*>(e);
        if (const auto hit = PointAt(help->pos())) {
            const SiteChartPoint& p = data_.points[*hit];
            QToolTip::showText(help->globalPos(),
                               p.name + QStringLiteral("\n") + data_.quantity + QStringLiteral(": ") +
                                   NumberText(p.value, 1) + QStringLiteral("\n") + VerdictQText(p.verdict, lang_),
                               this);
        } else {
            QToolTip::hideText();
            e->ignore();
        }
        return true;
    }
    return QWidget::event(e);
}

void SiteChartView::mouseDoubleClickEvent(QMouseEvent* event)
{
    if (const auto hit = PointAt(event->position()))
        emit pointActivated(data_.points[*hit].id);
}

}  // namespace k30
