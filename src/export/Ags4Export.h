#pragma once

#include <string>

#include "Acceptance.h"
#include "Language.h"
#include "ReportHeader.h"

namespace k30 {

class TestDataStore;

// Force on the 300 mm plate per MPa of stress: the plate area in m² times
// 1000 (kN per MN), about 70.686.
double PlateForcePerMpa();

// The store as an AGS4 transfer file: groups PROJ, TRAN, TYPE, UNIT, LOCA,
// PLTG and PLTT, every field quoted, CRLF, an empty line between groups.
// One LOCA per test point (its name, made unique); one PLTG row per K30
// point and two (cycle 1 and 2) per Ev2 point, the Ev2 rows with their
// cycle's fit s = a0 + a1·σ + a2·σ²; one PLTT row per reading stage with the
// load in kN and the settlement in mm. Only headings of the AGS4 data
// dictionary; the test type heads PLTG_REM. TYPE and UNIT list
// exactly the types and units the other groups use. issueDate
// ("yyyy-mm-dd") is the TRAN_DATE; empty: today.
std::string WriteAgs4(const TestDataStore& store, const ReportHeader& header, const Requirements& required,
                      Language lang, const std::string& issueDate = {});

}  // namespace k30
