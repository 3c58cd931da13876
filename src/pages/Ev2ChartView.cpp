#include "Ev2ChartView.h"

#include <QImage>
#include <QPainter>

#include "ChartTip.h"
#include "Ev2Chart.h"

namespace k30 {

namespace {
constexpr double kTextPoints = 9;
constexpr int kMargin = 8;
constexpr double kTipReach = 6;  // pixels from a plotted reading
}  // namespace

void Ev2ChartView::Show(const Ev2Point& point, Language lang)
{
    point_ = point;
    result_ = ComputeEv2(point.reading);
    lang_ = lang;
    update();
}

void Ev2ChartView::Clear()
{
    point_.reset();
    result_ = {};
    update();
}

void Ev2ChartView::SetLanguage(Language lang)
{
    lang_ = lang;
    update();
}

QRectF Ev2ChartView::ChartArea() const { return QRectF(rect().adjusted(kMargin, kMargin, -kMargin, -kMargin)); }

QString Ev2ChartView::ReadingTipAt(const QPoint& pos) const
{
    if (!point_)
        return {};
    // Measured as the chart is drawn: on a device of the widget's resolution.
    QImage device(1, 1, QImage::Format_RGB32);
    device.setDotsPerMeterX(qRound(logicalDpiX() / 0.0254));
    device.setDotsPerMeterY(qRound(logicalDpiY() / 0.0254));
    QPainter painter(&device);
    return Ev2ReadingTipAt(painter, ChartArea(), *point_, lang_, kTextPoints, QPointF(pos), kTipReach);
}

bool Ev2ChartView::event(QEvent* event)
{
    if (ShowChartTip(this, event, [this](const QPoint& pos) { return ReadingTipAt(pos); }))
        return true;
    return QWidget::event(event);
}

void Ev2ChartView::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.fillRect(rect(), Qt::white);
    if (!point_)
        return;
    painter.setRenderHint(QPainter::Antialiasing, true);
    DrawEv2Chart(painter, ChartArea(), *point_, result_, lang_, kTextPoints);
}

}  // namespace k30
