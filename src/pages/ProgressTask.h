#pragma once

#include <QElapsedTimer>
#include <QProgressDialog>

#include <cstddef>

#include "Language.h"

namespace k30 {

// Progress for work that may take longer than a second: the window appears
// only once a second has passed, and its Cancel button asks the work to stop.
// The work itself sees to it that a cancel leaves nothing half written.
class ProgressTask {
public:
    // total 0: the amount of work is not known in advance.
    ProgressTask(QWidget* parent, const QString& label, Language lang, int total = 0);

    // Reports the work done so far; false once the operator cancelled.
    bool Step(int done);
    // The same with the whole amount, which may become known only now.
    bool Step(std::size_t done, std::size_t total);
    bool Cancelled() const { return dialog_.wasCanceled(); }

private:
    QProgressDialog dialog_;
    QElapsedTimer clock_;
};

}  // namespace k30
