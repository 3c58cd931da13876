#include "Ev2ChartView.h"

#include <QPainter>

#include "Ev2Chart.h"

namespace k30 {

namespace {
constexpr double kTextPoints = 9;
constexpr int kMargin = 8;
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

void Ev2ChartView::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.fillRect(rect(), Qt::white);
    if (!point_)
        return;
    painter.setRenderHint(QPainter::Antialiasing, true);
    DrawEv2Chart(painter, QRectF(rect().adjusted(kMargin, kMargin, -kMargin, -kMargin)), *point_, result_, lang_,
                 kTextPoints);
}

}  // namespace k30
