#pragma once

#include <QByteArray>
#include <QString>

#include "Acceptance.h"
#include "Progress.h"
#include "ReportHeader.h"

class QWidget;

namespace k30 {

class Prompt;
class TestDataStore;

// Writes an exported file so that the target is replaced only by a complete
// file; false with error set otherwise, also when progress stopped it.
bool SaveExportFile(const QString& path, const QByteArray& bytes, QString& error, const ProgressFn& progress = {});

// Where a CSV export puts the Ev2 table when the K30 table goes to csvPath:
// "layer.csv" gives "layer-Ev2.csv".
QString Ev2CsvPath(const QString& csvPath);

// File › Export: asks for a file through the prompt (CSV, XLSX or AGS4 by its
// ending) and exports every point of the store with the header texts and the
// requirements. A CSV holds one table: with both kinds of points the K30
// table goes to the chosen file and the Ev2 table beside it (Ev2CsvPath).
// Failures are told in the interface language and leave no partial file.
// Progress shows through the prompt; a Cancel before the first file is in
// place leaves every target as it was, silently.
// The chosen file once everything was written, else empty.
QString RunDataExport(const TestDataStore& store, Prompt& prompt, const ReportHeader& header,
                      const Requirements& required, QWidget* window);

}  // namespace k30
