#include "CListData.h"

#include <QHeaderView>
#include <QLabel>
#include <QTableView>
#include <QVBoxLayout>

#include "K30ListModel.h"
#include "PageTexts.h"
#include "TestDataStore.h"
#include "UiText.h"

namespace k30 {

CListData::CListData(TestDataStore& store, QWidget* parent)
    : QWidget(parent), store_(store), label_(new QLabel(this)), view_(new QTableView(this)),
      model_(new K30ListModel(store, store.nLanguage, this))
{
    view_->setModel(model_);
    view_->setSelectionBehavior(QAbstractItemView::SelectRows);
    view_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    view_->setShowGrid(true);
    view_->setWordWrap(false);
    view_->horizontalHeader()->setSectionsMovable(true);
    view_->horizontalHeader()->setHighlightSections(false);
    view_->verticalHeader()->setVisible(false);
    // Fixed row heights keep ten thousand rows as quick as ten.
    view_->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    view_->verticalHeader()->setDefaultSectionSize(view_->fontMetrics().height() + 6);
    for (int c = 0; c < K30ListModel::kColumns; ++c)
        view_->setColumnWidth(c, K30ListModel::ColumnWidth(c));

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(label_);
    layout->addWidget(view_, 1);
    RetranslateUi();
}

void CListData::OnActivated() { model_->Refill(); }

void CListData::RetranslateUi()
{
    label_->setText(Tr(texts::kListLabel, store_.nLanguage));
    model_->SetTitleLanguage(store_.nLanguage);
}

}  // namespace k30
