#include "ProgressTask.h"

#include <QCoreApplication>

#include "Texts.h"
#include "UiText.h"

namespace k30 {

ProgressTask::ProgressTask(QWidget* parent, const QString& label, Language lang, int total)
    : dialog_(label, Tr(texts::kCancel, lang), 0, total, parent)
{
    dialog_.setWindowModality(Qt::WindowModal);
    dialog_.setMinimumDuration(1000);
    dialog_.setAutoReset(false);
    dialog_.setAutoClose(false);
    dialog_.setValue(0);
    clock_.start();
}

bool ProgressTask::Step(int done)
{
    if (dialog_.maximum() > 0)
        dialog_.setValue(done);
    else
        dialog_.setLabelText(dialog_.labelText().section(QLatin1Char('\n'), 0, 0) + QStringLiteral("\n") +
                             QString::number(done));
    if (!dialog_.isVisible() && clock_.elapsed() >= dialog_.minimumDuration())
        dialog_.show();
    // Only a shown (and so modal) window lets events through: nothing else may run meanwhile.
    if (dialog_.isVisible())
        QCoreApplication::processEvents();
    return !dialog_.wasCanceled();
}

bool ProgressTask::Step(std::size_t done, std::size_t total)
{
    // The dialog counts in int: large amounts (bytes) are shown in thousandths.
    const bool scaled = total > 1000000;
    const auto shown = [scaled, total](std::size_t n) {
        return static_cast<int>(scaled ? n * 1000 / total : n);
    };
    if (total > 0 && dialog_.maximum() != shown(total))
        dialog_.setMaximum(shown(total));
    return Step(shown(done));
}

}  // namespace k30
