#include "CDornWDTable.h"

#include <utility>

#include "DocxDocument.h"

namespace k30 {

CDornWDTable::CDornWDTable(std::shared_ptr<docx::Document> document, int table)
    : document_(table >= 0 && document && table < document->TableCount() ? std::move(document) : nullptr),
      table_(table)
{
}

void CDornWDTable::SetRowHeight(double centimetres, int row)
{
    if (document_)
        document_->SetRowHeight(table_, row - 1, centimetres * kPointsPerCentimetre);
}

void CDornWDTable::SetColumnWidth(double centimetres, int column)
{
    if (document_)
        document_->SetColumnWidth(table_, column - 1, centimetres * kPointsPerCentimetre);
}

}  // namespace k30
