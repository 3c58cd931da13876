#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "Document.h"
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
    bool bManualInput = false;  // the K30 point was typed: no recompute check
    std::string strCurK30Name;
    std::string strCurEv2Name;  // the Ev2 point shown on the Ev2 page
    Language nLanguage = Language::English;
    // The header, the typed texts and what the files on disk hold; it says
    // whether any work is in no file.
    Document document;

    void ClearK30Points() { k30List.clear(); }
    void AddK30Point(const K30& point) { k30List.push_back(point); }

    // Throws std::out_of_range for an index outside the list.
    K30& K30PointAt(std::size_t k) { return k30List.at(k); }
    const K30& K30PointAt(std::size_t k) const { return k30List.at(k); }

    void RenamePoint(std::size_t k, const std::string& name) { K30PointAt(k).name = name; }

    // First of the first nK30Count points whose name matches exactly.
    std::optional<std::size_t> FindK30PointByName(const std::string& name) const;

    // Number of valid points, never more than the list holds.
    std::size_t ValidCount() const;

    bool DataPresent() const { return nEv2Count != 0 || nK30Count != 0; }
    // Work that no file holds: the question before anything replaces it.
    bool UnsavedDataPresent() const { return document.UnsavedWork(*this); }
};

}  // namespace k30
