#include "CArchivedTransfers.h"

#include <QDir>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

#include "ArchiveTexts.h"
#include "ProgressTask.h"
#include "UiText.h"

namespace k30 {

namespace {
// A large archive takes a while to read: it may be cancelled, listing what was read.
std::vector<ArchivedTransfer> ReadArchive(const QString& folder, Language lang, QWidget* parent)
{
    ProgressTask progress(parent, Tr(archivetexts::kReading, lang), lang);
    return ListArchive(S(folder), [&progress](std::size_t read) { return progress.Step(static_cast<int>(read)); });
}

enum Column { kWhenColumn, kInstrumentColumn, kEv2Column, kK30Column, kStateColumn, kFileColumn, kColumns };
}  // namespace

CArchivedTransfers::CArchivedTransfers(const QString& folder, Language lang, QWidget* parent)
    : QDialog(parent), entries_(ReadArchive(folder, lang, parent)), table_(new QTableWidget(this)),
      open_(new QPushButton(Tr(archivetexts::kOpen, lang), this))
{
    using namespace archivetexts;
    setWindowTitle(Tr(kTitle, lang));
    auto* where = new QLabel(Tr(kFolder, lang).arg(QDir::toNativeSeparators(folder)), this);
    where->setTextInteractionFlags(Qt::TextSelectableByMouse);

    table_->setColumnCount(kColumns);
    table_->setHorizontalHeaderLabels({Tr(kWhen, lang), Tr(kInstrument, lang), Tr(kEv2Points, lang),
                                       Tr(kK30Points, lang), Tr(kState, lang), Tr(kFile, lang)});
    table_->setRowCount(static_cast<int>(entries_.size()));
    table_->setSelectionBehavior(QAbstractItemView::SelectRows);
    table_->setSelectionMode(QAbstractItemView::SingleSelection);
    table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    // Arrows choose a transfer; Tab goes on to the buttons.
    table_->setTabKeyNavigation(false);
    table_->verticalHeader()->hide();
    for (int row = 0; row < table_->rowCount(); ++row) {
        const ArchivedTransfer& t = entries_[static_cast<std::size_t>(row)];
        const QString cells[kColumns] = {Q(t.when),
                                         QString::number(t.instrumentNo),
                                         QString::number(t.ev2Count),
                                         QString::number(t.k30Count),
                                         Tr(t.accepted ? kAccepted : kUnaccepted, lang),
                                         Q(t.fileName)};
        for (int column = 0; column < kColumns; ++column) {
            auto* item = new QTableWidgetItem(cells[column]);
            if (column >= kInstrumentColumn && column <= kK30Column)
                item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
            table_->setItem(row, column, item);
        }
    }
    table_->resizeColumnsToContents();
    table_->horizontalHeader()->setStretchLastSection(true);
    if (!entries_.empty())
        table_->selectRow(0);

    auto* cancel = new QPushButton(Tr(kCancel, lang), this);
    open_->setDefault(true);
    open_->setEnabled(!entries_.empty());
    connect(open_, &QPushButton::clicked, this, &CArchivedTransfers::OnOpen);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(table_, &QTableWidget::cellDoubleClicked, this, &CArchivedTransfers::OnOpen);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(open_);
    buttons->addWidget(cancel);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(where);
    if (entries_.empty())
        layout->addWidget(new QLabel(Tr(kEmpty, lang), this));
    layout->addWidget(table_, 1);
    layout->addLayout(buttons);
    resize(880, 420);
}

void CArchivedTransfers::OnOpen()
{
    const int row = table_->currentRow();
    if (row < 0 || row >= static_cast<int>(entries_.size()))
        return;
    chosen_ = Q(entries_[static_cast<std::size_t>(row)].path);
    accept();
}

}  // namespace k30
