#pragma once

#include <QString>

#include <cstdint>
#include <memory>
#include <vector>

#include "CDornOffice.h"
#include "CDornWDTable.h"

namespace k30 {

namespace docx {
class Document;
}
class OfficeHost;

// A word processor driven through a selection: the document is built here
// (Office Open XML) and handed to the host when it is made visible. Rows and
// columns count from 1. Operations on a missing application, document or
// table do nothing; font operations without a selection say so.
class CDornWordOffice : public CDornOffice {
public:
    explicit CDornWordOffice(OfficeHost& host);
    ~CDornWordOffice() override;
    CDornWordOffice(const CDornWordOffice&) = delete;
    CDornWordOffice& operator=(const CDornWordOffice&) = delete;

    bool CreateApp();
    // A new, empty document that becomes the active one.
    bool AddDocument();
    bool Create();
    // Shows every document changed since it was last shown.
    void SetVisible();

    void TypeText(const QString& text);
    void TypeParagraph(int n = 1);

    // Formatting of the text typed next and of a table added next.
    // Colours are 0x00BBGGRR; 0 is black.
    void SetFont(float size, const QString& face, std::int32_t color);
    void SetFontStyle(bool bold, bool italic, bool underline);
    void SetFontColor(std::int32_t color, int highlight);
    // 0 left, 1 centre, 2 right, 3 and above justified.
    void SetAlignment(int alignment);

    // A bordered table at the selection, with fixed columns over the text
    // width; it becomes the current table.
    void CreateTable(int rows, int columns);
    void SetCellText(int row, int column, const QString& text);
    // Mode 0: the cells of one column from firstRow to lastRow become one.
    void MergeCells(int column, int firstRow, int lastRow, int mode);
    void MoveDown(int n);

    int GetTableCount() const;
    CDornWDTable GetTable(int index) const;  // from 1

private:
    bool HasSelection();

    struct Opened {
        std::shared_ptr<docx::Document> document;
        std::uint64_t shownRevision = 0;
        bool shown = false;
    };

    OfficeHost& host_;
    bool application_ = false;
    std::vector<Opened> documents_;
    std::shared_ptr<docx::Document> active_;
    int currentTable_ = -1;  // from 0
};

}  // namespace k30
