#pragma once

#include <QString>

#include "Acceptance.h"
#include "ReportHeader.h"

namespace k30 {

// The Ev2 requirements as typed on the report header page. They are the
// user's preferences (QSettings), never part of a project file.
struct Ev2LimitTexts {
    QString ev2Min;    // MPa
    QString ratioMax;  // Ev2/Ev1
};

Ev2LimitTexts LoadEv2LimitTexts();
void SaveEv2LimitTexts(const Ev2LimitTexts& limits);

// The requirements in force: K30 from the header's required coefficient,
// Ev2 from the user's settings.
Requirements CurrentRequirements(const ReportHeader& header);

}  // namespace k30
