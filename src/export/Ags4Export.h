#pragma once

#include <string>
#include <vector>

#include "Acceptance.h"
#include "Language.h"
#include "ReportHeader.h"

namespace k30 {

class TestDataStore;

// Force on the 300 mm plate per MPa of stress: the plate area in m² times
// 1000 (kN per MN), about 70.686.
double PlateForcePerMpa();

// A user text an AGS4 file cannot hold (the format is ASCII only): the field
// it stands in, named in the message's language, and the text.
struct ForeignText {
    std::string field;
    std::string text;
};

// Every user text the AGS4 file would carry (header texts, point names, test
// types) that holds a character outside ASCII.
std::vector<ForeignText> NonAsciiTexts(const TestDataStore& store, const ReportHeader& header, Language lang);

// Why the file was not written, with each field and its text, in lang.
std::string NonAsciiMessage(const std::vector<ForeignText>& texts, Language lang);

// The store as an AGS4 transfer file: groups PROJ, TRAN, TYPE, UNIT, LOCA,
// PLTG and PLTT, every field quoted, CRLF, an empty line between groups.
// Headings only of the AGS4 standard dictionary, in its order, every KEY
// heading present and every REQUIRED one filled ("Not stated" where the
// header gives no text). One LOCA per test point (its name, made unique);
// one PLTG row per K30 point and two (cycle 1 and 2) per Ev2 point, the Ev2
// rows with their cycle's fit s = a0 + a1·σ + a2·σ²; one PLTT row per reading
// stage with the load in kN and the settlement in mm; PLTT_TIME stays empty
// as the instrument keeps no time per stage. The program's own texts are
// English; user texts are written as they are, so callers check them with
// NonAsciiTexts first. TYPE and UNIT list exactly the types and units the
// groups use. issueDate ("yyyy-mm-dd") is the TRAN_DATE; empty: today's
// local date.
std::string WriteAgs4(const TestDataStore& store, const ReportHeader& header, const Requirements& required,
                      const std::string& issueDate = {});

}  // namespace k30
