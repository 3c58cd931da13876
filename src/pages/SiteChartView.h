#pragma once

#include <QWidget>

#include "Language.h"
#include "SiteChart.h"

namespace k30 {

// The chainage chart of the site page: the drawing of the lot report
// (DrawSiteChart), scaled to the widget. The point under the pointer shows in
// a tooltip; a double click on a point asks for it to be opened.
class SiteChartView : public QWidget {
    Q_OBJECT
public:
    explicit SiteChartView(QWidget* parent = nullptr);

    void SetData(SiteChartData chart, Language lang);
    const SiteChartData& Data() const { return data_; }
    // Where a point is drawn now, in widget coordinates (tests, hit testing).
    QPointF PositionOf(std::size_t index) const;
    // The point at pos, if any.
    std::optional<std::size_t> PointAt(QPointF pos) const;

    QSize sizeHint() const override { return {600, 220}; }
    QSize minimumSizeHint() const override { return {200, 120}; }

signals:
    void pointActivated(qint64 id);

protected:
    void paintEvent(QPaintEvent* event) override;
    bool event(QEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;

private:
    double FontPixels() const;
    QRectF Area() const;

    SiteChartData data_;
    Language lang_ = Language::English;
};

}  // namespace k30
