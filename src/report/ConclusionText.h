#pragma once

#include <QStringList>

#include <optional>

#include "Acceptance.h"
#include "Language.h"

namespace k30 {

// The lines of a K30 point report's conclusion box, in the report's language:
// the verdict against the required K30 as one sentence ("K30 = 153 MPa/m，
// 小于要求值 190 MPa/m，不合格。"), then a note with the recomputed results
// where the instrument's differ. No line at all without a required K30: the
// box stays empty, as on every report made without one.
// A required K30 typed as no number gives the one line that it could not be read.
QStringList ConclusionLines(const K30& point, const K30Assessment& assessment, const Requirements& required,
                            Language lang);

// The conclusion of an Ev2 point against the Ev2 limits, in the same form:
// the values compared and the verdict ("Ev2 = 130.0 MPa，不小于要求值 120
// MPa；Ev2/Ev1 = 2.10，不大于允许值 2.3，合格。"). No line without limits.
QStringList Ev2ConclusionLines(const Ev2Assessment& assessment, const Requirements& required, Language lang);

}  // namespace k30
