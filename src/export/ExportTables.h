#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "Acceptance.h"
#include "Language.h"

namespace k30 {

class TestDataStore;

// One cell of an exported table. A number keeps both its value and the text
// the CSV shows for it, so the spreadsheet and the CSV hold the same values.
struct ExportCell {
    enum class Kind { Empty, Text, Number };
    Kind kind = Kind::Empty;
    std::string text;     // a text, or the number with `decimals` decimals and a point
    double number = 0.0;  // the number as its text reads, rounded to `decimals`
    int decimals = 0;

    static ExportCell Text(std::string text);
    // Empty for a value that is not a finite number.
    static ExportCell Number(double value, int decimals);
    // A number when the whole text is one (blanks around it allowed), the
    // text itself otherwise, empty for an empty text.
    static ExportCell FromText(std::string_view text, int decimals);
};

struct ExportTable {
    std::vector<std::string> titles;
    std::vector<std::vector<ExportCell>> rows;  // each as long as titles
};

// One row per valid K30 point: name, start and end time, stress at 1.25 mm,
// K30, test type, design load, the 16 readings as stress (MPa) and
// settlement (mm) pairs, then the verdict, the lower bound and the
// recomputed K30. `assessment` is AssessStore of the same store.
ExportTable K30Table(const TestDataStore& store, const StoreAssessment& assessment, Language lang);

// One row per Ev2 point: name, date, start, end, sigma0max, Ev1, Ev2,
// Ev2/Ev1, verdict, then the 17 readings.
ExportTable Ev2Table(const TestDataStore& store, const StoreAssessment& assessment, Language lang);


// A record's time text "2009-5-12-08:05" as its date "2009-5-12" and its
// time "08:05"; a text without a date is all time.
struct DateAndTime {
    std::string date;
    std::string time;
};
DateAndTime SplitDateTime(std::string_view text);

}  // namespace k30
