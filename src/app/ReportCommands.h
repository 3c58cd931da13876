#pragma once

#include <QObject>

#include <functional>
#include <memory>

#include "Language.h"
#include "ReportHeader.h"
#include "TestDataStore.h"

class QPrinter;
class QWidget;

namespace k30 {

class Prompt;
struct ReportJob;

// The report commands of the main window: print, print preview, PDF export and
// bitmap export. Each asks through the prompt, in the language of the moment,
// and draws with the report drawings of src/report.
class ReportCommands : public QObject {
    Q_OBJECT
public:
    // header: the report header as the header page currently shows it; called
    // once per command, just before the report is drawn.
    ReportCommands(TestDataStore& store, Prompt& prompt, std::function<ReportHeader()> header, QWidget* window);
    ~ReportCommands() override;

    // The report printing produces: 3 current data, 4 all data, 5 list.
    int PrintType() const { return printType_; }

public slots:
    // The print options dialog, then the print dialog, then the pages it chose.
    void Print();
    // The print options dialog, then the preview window.
    void PrintPreview();
    // The print options dialog, then a file dialog; writes an A4 PDF.
    void ExportPdf();
    // The point bitmap of the current point, 500 x 700 pixels, into a chosen file.
    void SaveBitmap();

signals:
    // A PDF or bitmap file was written completely.
    void written(const QString& path);

private:
    bool ChoosePrintType();
    // The chosen report with the header and the requirements as they stand now.
    ReportJob Job() const;
    // False, after telling the operator why, when the report cannot be made.
    bool Ready(const ReportJob& job);
    QPrinter& Printer();
    void Tell(const Text& message, const QString& detail = {});

    TestDataStore& store_;
    Prompt& prompt_;
    std::function<ReportHeader()> header_;
    QWidget* window_;
    int printType_ = 3;
    std::unique_ptr<QPrinter> printer_;  // kept, so the chosen printer stays chosen
};

}  // namespace k30
