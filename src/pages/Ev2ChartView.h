#pragma once

#include <QWidget>

#include <optional>

#include "Ev2.h"
#include "Ev2Evaluation.h"
#include "Language.h"

namespace k30 {

// The Ev2 page's chart of one point, drawn by the same function as the Ev2
// point report. Empty while no point is shown.
class Ev2ChartView : public QWidget {
    Q_OBJECT
public:
    using QWidget::QWidget;

    void Show(const Ev2Point& point, Language lang);
    void Clear();
    void SetLanguage(Language lang);

    const std::optional<Ev2Point>& Point() const { return point_; }
    const Ev2Result& Result() const { return result_; }

    // "σ = 0.200 MPa, s = 1.00 mm" of the reading nearest to pos, within a
    // few pixels; empty elsewhere. Shown as the tooltip.
    QString ReadingTipAt(const QPoint& pos) const;

protected:
    bool event(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    QRectF ChartArea() const;

    std::optional<Ev2Point> point_;
    Ev2Result result_;
    Language lang_ = Language::English;
};

}  // namespace k30
