#include "CDornWordOffice.h"

#include "DocxDocument.h"
#include "DocxPackage.h"
#include "OfficeHost.h"

namespace k30 {

namespace {
const QString kNoApplication = QStringLiteral("Application为空,Documents创建失败!");
const QString kNoSelection = QStringLiteral("Select为空，字体设置失败!");
const QString kPackageFailed = QStringLiteral("Document生成失败!");
}  // namespace

CDornWordOffice::CDornWordOffice(OfficeHost& host) : host_(host) {}

CDornWordOffice::~CDornWordOffice() = default;

bool CDornWordOffice::CreateApp()
{
    // The document is built in-process: there is no server that could fail to start.
    application_ = true;
    return true;
}

bool CDornWordOffice::AddDocument()
{
    if (!application_) {
        host_.Warn(kNoApplication);
        return false;
    }
    active_ = std::make_shared<docx::Document>();
    documents_.push_back(Opened{active_, 0, false});
    currentTable_ = -1;
    return true;
}

bool CDornWordOffice::Create() { return CreateApp() && AddDocument(); }

void CDornWordOffice::SetVisible()
{
    for (Opened& d : documents_) {
        if (d.shown && d.shownRevision == d.document->Revision())
            continue;
        QString error;
        const QByteArray package = docx::DocxPackage(*d.document, error);
        if (package.isEmpty()) {
            host_.Warn(kPackageFailed + QLatin1Char('\n') + error);
            continue;
        }
        d.shown = true;
        d.shownRevision = d.document->Revision();
        host_.Show(package);
    }
}

bool CDornWordOffice::HasSelection()
{
    if (active_)
        return true;
    host_.Warn(kNoSelection);
    return false;
}

void CDornWordOffice::TypeText(const QString& text)
{
    if (active_)
        active_->TypeText(text);
}

void CDornWordOffice::TypeParagraph(int n)
{
    for (int i = 0; active_ && i < n; ++i)
        active_->TypeParagraph();
}

void CDornWordOffice::SetFont(float size, const QString& face, std::int32_t color)
{
    if (HasSelection())
        active_->SetFont(size, face, color);
}

void CDornWordOffice::SetFontStyle(bool bold, bool italic, bool underline)
{
    if (HasSelection())
        active_->SetFontStyle(bold, italic, underline);
}

void CDornWordOffice::SetFontColor(std::int32_t color, int highlight)
{
    if (HasSelection())
        active_->SetFontColor(color, highlight);
}

void CDornWordOffice::SetAlignment(int alignment)
{
    if (!active_ || alignment < 0)
        return;
    active_->SetAlignment(alignment >= 3 ? docx::Alignment::Justify : static_cast<docx::Alignment>(alignment));
}

void CDornWordOffice::CreateTable(int rows, int columns)
{
    if (!active_)
        return;
    const int table = active_->AddTable(rows, columns);
    if (table >= 0)
        currentTable_ = table;
}

void CDornWordOffice::SetCellText(int row, int column, const QString& text)
{
    if (active_ && currentTable_ >= 0 && active_->SelectCell(currentTable_, row - 1, column - 1))
        active_->TypeText(text);
}

void CDornWordOffice::MergeCells(int column, int firstRow, int lastRow, int mode)
{
    if (active_ && currentTable_ >= 0 && mode == 0)
        active_->MergeColumnCells(currentTable_, column - 1, firstRow - 1, lastRow - 1);
}

void CDornWordOffice::MoveDown(int n)
{
    if (active_)
        active_->MoveDown(n);
}

int CDornWordOffice::GetTableCount() const { return active_ ? active_->TableCount() : 0; }

CDornWDTable CDornWordOffice::GetTable(int index) const { return CDornWDTable(active_, index - 1); }

}  // namespace k30
