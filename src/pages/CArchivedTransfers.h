#pragma once

#include <QDialog>
#include <QString>

#include <vector>

#include "Language.h"
#include "TransferArchive.h"

class QPushButton;
class QTableWidget;

namespace k30 {

// The transfers kept in the archive folder, newest first, with their date,
// instrument and point counts. Open (or a double click) accepts the dialog
// with the chosen file.
class CArchivedTransfers : public QDialog {
    Q_OBJECT
public:
    CArchivedTransfers(const QString& folder, Language lang, QWidget* parent = nullptr);

    const std::vector<ArchivedTransfer>& Entries() const { return entries_; }
    QTableWidget* Table() const { return table_; }
    QPushButton* OpenButton() const { return open_; }
    // The file chosen when the dialog was accepted.
    QString ChosenPath() const { return chosen_; }

private:
    void OnOpen();

    std::vector<ArchivedTransfer> entries_;
    QTableWidget* table_;
    QPushButton* open_;
    QString chosen_;
};

}  // namespace k30
