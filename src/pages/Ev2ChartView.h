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

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    std::optional<Ev2Point> point_;
    Ev2Result result_;
    Language lang_ = Language::English;
};

}  // namespace k30
