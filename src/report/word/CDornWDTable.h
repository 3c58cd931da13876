#pragma once

#include <memory>

namespace k30 {

namespace docx {
class Document;
}

inline constexpr double kPointsPerCentimetre = 28.34646;

// One table of a document. Copies share the table; a default-constructed
// handle holds none and its operations do nothing.
class CDornWDTable {
public:
    CDornWDTable() = default;
    CDornWDTable(std::shared_ptr<docx::Document> document, int table);

    bool IsValid() const { return document_ != nullptr; }

    // Row and column count from 1; 0 sets every row or column. A row is at
    // least the given height and grows with its text.
    void SetRowHeight(double centimetres, int row);
    void SetColumnWidth(double centimetres, int column);

private:
    std::shared_ptr<docx::Document> document_;
    int table_ = -1;  // from 0
};

}  // namespace k30
