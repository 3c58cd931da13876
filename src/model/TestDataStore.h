#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "Ev2.h"
#include "K30.h"
#include "Language.h"

namespace k30 {

// The test data of the running workbench. One instance is created at start
// and handed to every part that reads or changes test data.
class TestDataStore {
public:
    std::vector<K30> k30List;
    std::int32_t nK30Count = 0;     // every loop runs up to this, not to k30List.size()
    std::int32_t nEv2Count = 0;     // Ev2 points of the last transfer
    // The Ev2 points of the last transfer, or the one typed by hand; always
    // nEv2Count long. Project files hold none.
    std::vector<Ev2Point> ev2List;
    std::int32_t nInstrumentNo = 0;
    bool bDataSaved = false;
    bool bManualInput = false;
    // True while the points are exactly those decoded from the last transfer
    // text (an accepted transfer or an opened raw file): only then does
    // saving that text save the points.
    bool bRawTextMatchesPoints = false;
    std::string strCurK30Name;
    std::string strCurEv2Name;  // the Ev2 point shown on the Ev2 page
    // The Ev2 list holds the point of a manual Ev2 entry: "Save raw data"
    // writes it as the transfer the instrument would have sent.
    bool bManualEv2 = false;
    // The Ev2 points are in no raw file (a transfer or a typed point not yet
    // saved raw); project files cannot hold them.
    bool bEv2NotInRawFile = false;
    Language nLanguage = Language::English;
    // Set when the test data page is shown; the report header page reads and
    // clears it to decide whether its test number follows the shown point.
    bool bK30PageShown = false;

    void ClearK30Points() { k30List.clear(); }
    void AddK30Point(const K30& point) { k30List.push_back(point); }

    // Throws std::out_of_range for an index outside the list.
    K30& K30PointAt(std::size_t k) { return k30List.at(k); }
    const K30& K30PointAt(std::size_t k) const { return k30List.at(k); }

    void RenamePoint(std::size_t k, const std::string& name)
    {
        K30PointAt(k).name = name;
        bRawTextMatchesPoints = false;
    }

    // First of the first nK30Count points whose name matches exactly.
    std::optional<std::size_t> FindK30PointByName(const std::string& name) const;

    // Number of valid points, never more than the list holds.
    std::size_t ValidCount() const;

    bool DataPresent() const { return nEv2Count != 0 || nK30Count != 0; }
    bool UnsavedDataPresent() const { return DataPresent() && !bDataSaved; }
};

}  // namespace k30
