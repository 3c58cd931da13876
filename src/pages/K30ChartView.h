#pragma once

#include <QMargins>
#include <QWidget>

#include <array>

#include "K30.h"
#include "K30Chart.h"
#include "Language.h"

namespace k30 {

// The test data page's load/settlement chart of the typed or received
// readings. Its frame fills the widget less room for the labels, in whole
// steps of 0.04 MPa and 0.5 mm, so the chart grows with the window; the
// reading under the pointer shows in a tooltip.
class K30ChartView : public QWidget {
    Q_OBJECT
public:
    // Room around the frame for the axis labels, titles and legend.
    static constexpr QMargins kMargins{40, 35, 90, 40};

    explicit K30ChartView(QWidget* parent = nullptr);

    // Stresses in MPa and settlements in mm as the page's boxes hold them.
    void SetReadings(const std::array<QString, kUsedPairs>& stress, const std::array<QString, kUsedPairs>& settlement);
    void SetLanguage(Language lang);

    // In the widget's own pixels.
    const ChartFrame& Frame() const { return frame_; }
    const ChartCurve& Curve() const { return curve_; }

    // "σ = 0.200 MPa, s = 1.00 mm" of the plotted reading nearest to pos,
    // within a few pixels; empty elsewhere.
    QString ReadingTipAt(const QPoint& pos) const;

protected:
    bool event(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void Recompute();

    std::array<QString, kUsedPairs> stress_{};
    std::array<QString, kUsedPairs> settlement_{};
    ChartFrame frame_;
    ChartCurve curve_{};
    Language lang_ = Language::English;
};

}  // namespace k30
