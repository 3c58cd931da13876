#include "ReportCommands.h"

#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>

#include "AcceptanceSettings.h"
#include "AppTexts.h"
#include "CPrintType.h"
#include "Ev2ReportTexts.h"
#include "Prompt.h"
#include "ReportBitmap.h"
#include "ReportOutput.h"
#include "ReportTexts.h"
#include "Texts.h"
#include "UiText.h"
#include "WritableTarget.h"
#include "WindowPlacement.h"

namespace k30 {

using namespace report_texts;

ReportCommands::ReportCommands(TestDataStore& store, Prompt& prompt, std::function<ReportHeader()> header,
                               QWidget* window)
    : QObject(window), store_(store), prompt_(prompt), header_(std::move(header)), window_(window)
{
}

ReportCommands::~ReportCommands() = default;

void ReportCommands::Tell(const Text& message, const QString& detail)
{
    QString text = Tr(message, store_.nLanguage);
    if (!detail.isEmpty())
        text += QStringLiteral("\n") + detail;
    prompt_.inform(window_, Tr(texts::kAppTitle, store_.nLanguage), text,
                   detail.isEmpty() ? Prompt::Icon::Warning : Prompt::Icon::Critical);
}

bool ReportCommands::ChoosePrintType()
{
    CPrintType dialog(store_.nLanguage, printType_, window_);
    if (prompt_.runDialog(dialog) != QDialog::Accepted)
        return false;
    printType_ = dialog.PrintType();
    return true;
}

ReportJob ReportCommands::Job() const
{
    ReportHeader header = header_();
    const Requirements required = CurrentRequirements(header);
    return ReportJob{store_, std::move(header), store_.nLanguage, printType_, required};
}

bool ReportCommands::Ready(const ReportJob& job)
{
    switch (CheckReport(job)) {
    case ReportRefusal::None:
        return true;
    case ReportRefusal::NoCurrentPoint:
        Tell(kSelectPointToPrint);
        return false;
    case ReportRefusal::NoPoints:
        Tell(kNoPointsToPrint);
        return false;
    case ReportRefusal::NoCurrentEv2Point:
        Tell(ev2_report_texts::kSelectEv2Point);
        return false;
    case ReportRefusal::NoEv2Points:
        Tell(ev2_report_texts::kNoEv2Points);
        return false;
    }
    return false;
}

QPrinter& ReportCommands::Printer()
{
    if (!printer_)
        printer_ = std::make_unique<QPrinter>(QPrinter::HighResolution);
    // Every report is laid out for A4 portrait; the printer keeps the rest.
    UseReportPaper(*printer_);
    printer_->setPrintRange(QPrinter::AllPages);
    return *printer_;
}

void ReportCommands::Print()
{
    if (!ChoosePrintType())
        return;
    const ReportJob job = Job();
    if (!Ready(job))
        return;
    QPrinter& printer = Printer();
    QPrintDialog dialog(&printer, window_);
    dialog.setOptions(QAbstractPrintDialog::PrintToFile | QAbstractPrintDialog::PrintPageRange |
                      QAbstractPrintDialog::PrintCollateCopies | QAbstractPrintDialog::PrintShowPageSize);
    dialog.setMinMax(1, PageCount(job));
    if (prompt_.runDialog(dialog) != QDialog::Accepted)
        return;
    const ProgressFn progress = prompt_.progress(window_, Tr(texts::kPrinting, store_.nLanguage), store_.nLanguage);
    bool stopped = false;
    const bool printed = PrintReport(printer, job, [&](std::size_t done, std::size_t total) {
        stopped = !progress(done, total);
        return !stopped;
    });
    if (!printed && !stopped)
        Tell(kPrintFailed);
}

void ReportCommands::PrintPreview()
{
    if (!ChoosePrintType())
        return;
    const ReportJob job = Job();
    if (!Ready(job))
        return;
    QPrintPreviewDialog preview(&Printer(), window_);
    preview.setWindowTitle(Tr(kPrintPreviewTitle, store_.nLanguage));
    connect(&preview, &QPrintPreviewDialog::paintRequested, &preview,
            [&job](QPrinter* printer) { PrintReport(*printer, job); });
    preview.resize(PreviewSize(window_));
    prompt_.runDialog(preview);
    SavePreviewSize(preview.size());
}

void ReportCommands::ExportPdf()
{
    if (!ChoosePrintType())
        return;
    const ReportJob job = Job();
    if (!Ready(job))
        return;
    const QString path = ChooseWritableSaveFile(prompt_, window_, Tr(texts::kExportPdf, store_.nLanguage),
                                                Tr(kPdfFilter, store_.nLanguage), QStringLiteral("pdf"), store_.nLanguage);
    if (path.isEmpty())
        return;
    QString error;
    const ProgressFn progress = prompt_.progress(window_, Tr(texts::kWritingPdf, store_.nLanguage), store_.nLanguage);
    if (!ExportReportPdf(path, job, error, progress)) {
        // A cancel leaves the file as it was and needs no word.
        if (error != QLatin1String(kCancelledError))
            Tell(texts::kCannotWrite, path + QStringLiteral("\n") + error);
    }
    else
        emit written(path);
}

void ReportCommands::SaveBitmap()
{
    // A name no point has any more counts as no choice: there is nothing to draw.
    if (store_.strCurK30Name.empty() || !store_.FindK30PointByName(store_.strCurK30Name)) {
        Tell(kSelectPoint);
        return;
    }
    const QString path = ChooseWritableSaveFile(prompt_, window_, Tr(kBitmapDialogTitle, store_.nLanguage),
                                                Tr(kBitmapFilter, store_.nLanguage), QStringLiteral("bmp"), store_.nLanguage);
    if (path.isEmpty())
        return;
    QString error;
    if (!SaveReportBitmap(path, store_, header_(), store_.nLanguage, error))
        Tell(texts::kCannotWrite, path + QStringLiteral("\n") + error);
    else
        emit written(path);
}

}  // namespace k30
