#include "CListData.h"

#include <QHeaderView>
#include <QLabel>
#include <QTableView>
#include <QVBoxLayout>

#include "AcceptanceFormat.h"
#include "AcceptanceTexts.h"
#include "K30ListModel.h"
#include "ListColumns.h"
#include "PageTexts.h"
#include "TestDataStore.h"
#include "UiText.h"

namespace k30 {

CListData::CListData(TestDataStore& store, QWidget* parent)
    : QWidget(parent), store_(store), label_(new QLabel(this)), view_(new QTableView(this)),
      model_(new K30ListModel(store, store.nLanguage, this)), strip_(new QLabel(this))
{
    view_->setModel(model_);
    view_->setSelectionBehavior(QAbstractItemView::SelectRows);
    view_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    view_->setShowGrid(true);
    view_->setWordWrap(false);
    view_->horizontalHeader()->setHighlightSections(false);
    view_->verticalHeader()->setVisible(false);
    // Fixed row heights keep ten thousand rows as quick as ten.
    view_->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    view_->verticalHeader()->setDefaultSectionSize(view_->fontMetrics().height() + 6);
    columns_ = new ListColumns(view_, store_.nLanguage);

    strip_->setObjectName(QStringLiteral("statisticsStrip"));
    strip_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    strip_->setWordWrap(true);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(label_);
    layout->addWidget(view_, 1);
    layout->addWidget(strip_);
    RetranslateUi();
}

CListData::~CListData() { columns_->SavePending(); }

void CListData::SetRequirementSource(std::function<Requirements()> source) { requirements_ = std::move(source); }

void CListData::OnActivated()
{
    model_->Refill(requirements_ ? requirements_() : Requirements{});
    ShowStatistics();
}

void CListData::RetranslateUi()
{
    label_->setText(Tr(texts::kListLabel, store_.nLanguage));
    model_->SetTitleLanguage(store_.nLanguage);
    model_->Retranslate();
    ShowStatistics();
}

void CListData::ShowStatistics()
{
    using namespace acceptance_texts;
    const Language lang = store_.nLanguage;
    const StoreAssessment& a = model_->Assessment();
    QString verdicts = K30RequirementText(a.required, lang) + Tr(kSeparator, lang) +
                       CountsLine(a.k30Counts, a.required.k30.has_value(), lang);
    if (const int differing = DifferingCount(a); differing > 0)
        verdicts += Tr(kSeparator, lang) + Tr(kDiffering, lang).arg(differing);
    strip_->setText(StatsLine(kStatsK30, a.k30Stats, kK30Decimals, lang) + QStringLiteral("\n") + verdicts);
}

}  // namespace k30
