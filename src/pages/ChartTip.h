#pragma once

#include <QHelpEvent>
#include <QToolTip>
#include <QWidget>

namespace k30 {

// The chart views' tooltip: the reading under the pointer, or none. True when
// the event was a tooltip request (handled here).
template <typename TipAt>
bool ShowChartTip(QWidget* view, QEvent* event, TipAt tipAt)
{
    if (event->type() != QEvent::ToolTip)
        return false;
    const auto* help = static_cast<QHelpEvent*>(event);
    const QString tip = tipAt(help->pos());
    if (tip.isEmpty())
        QToolTip::hideText();
    else
        QToolTip::showText(help->globalPos(), tip, view);
    return true;
}

}  // namespace k30
