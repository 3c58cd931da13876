#pragma once

#include <QStringList>

#include <functional>
#include <optional>

#include "Acceptance.h"
#include "Language.h"

namespace k30 {

// The lines of a K30 point report's conclusion box, in the report's language:
// the verdict against the required K30 as one sentence ("K30 = 153 MPa/m，
// 小于要求值 190 MPa/m，不合格。"), then a note with the recomputed results
// where the instrument's differ. No line at all without a required K30: the
// box stays empty, as on every report made without one.
QStringList ConclusionLines(const K30& point, const K30Assessment& assessment, std::optional<double> requiredK30,
                            Language lang);

// The lines broken where they would run past maxWidth: after a blank, or
// between two characters of a text without blanks (Chinese); a word wider
// than the whole width stands alone on its line.
QStringList WrapToWidth(const QStringList& lines, int maxWidth, const std::function<int(const QString&)>& width);

}  // namespace k30
