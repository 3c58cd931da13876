#include "CKSelect.h"

#include <QGridLayout>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

#include <algorithm>

#include "PageTexts.h"
#include "TestDataStore.h"
#include "UiText.h"

namespace k30 {

namespace {
constexpr int kPointRole = Qt::UserRole + 1;

QListWidget* MakeList(QWidget* parent)
{
    auto* list = new QListWidget(parent);
    // Each click toggles an item, as the operator chooses several at once.
    list->setSelectionMode(QAbstractItemView::MultiSelection);
    list->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    list->setMinimumSize(150, 240);
    return list;
}
}  // namespace

CKSelect::CKSelect(const TestDataStore& store, Language lang, QWidget* parent)
    : QDialog(parent), points_(store.k30List.begin(),
                               store.k30List.begin() + static_cast<std::ptrdiff_t>(store.ValidCount())),
      all_(MakeList(this)), right_(MakeList(this))
{
    setWindowTitle(Tr(texts::kSelectTitle, lang));
    for (std::size_t k = 0; k < points_.size(); ++k) {
        auto* item = new QListWidgetItem(Q(points_[k].name), all_);
        item->setData(kPointRole, static_cast<qulonglong>(k));
    }

    auto* right = new QPushButton(Tr(texts::kMoveRight, lang), this);
    auto* left = new QPushButton(Tr(texts::kMoveLeft, lang), this);
    auto* addAll = new QPushButton(Tr(texts::kAddAll, lang), this);
    auto* deleteAll = new QPushButton(Tr(texts::kDeleteAll, lang), this);
    auto* ok = new QPushButton(Tr(texts::kOk, lang), this);
    auto* cancel = new QPushButton(Tr(texts::kCancel, lang), this);
    ok->setDefault(true);
    connect(right, &QPushButton::clicked, this, &CKSelect::MoveRight);
    connect(left, &QPushButton::clicked, this, &CKSelect::MoveLeft);
    connect(addAll, &QPushButton::clicked, this, &CKSelect::AddAll);
    connect(deleteAll, &QPushButton::clicked, this, &CKSelect::DeleteAll);
    connect(ok, &QPushButton::clicked, this, &CKSelect::OnOk);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);

    auto* middle = new QVBoxLayout;
    middle->addStretch(1);
    for (QPushButton* b : {right, left, addAll, deleteAll})
        middle->addWidget(b);
    middle->addStretch(2);
    auto* grid = new QGridLayout(this);
    grid->addWidget(all_, 0, 0);
    grid->addLayout(middle, 0, 1);
    grid->addWidget(right_, 0, 2);
    grid->addWidget(ok, 1, 0, Qt::AlignLeft);
    grid->addWidget(cancel, 1, 2, Qt::AlignRight);
}

void CKSelect::AddChosen(std::size_t point)
{
    auto* item = new QListWidgetItem(Q(points_[point].name), right_);
    item->setData(kPointRole, static_cast<qulonglong>(point));
    chosen_.push_back(point);
}

std::vector<K30> CKSelect::ChosenPoints() const
{
    std::vector<K30> chosen;
    chosen.reserve(chosen_.size());
    for (std::size_t k : chosen_)
        chosen.push_back(points_[k]);
    return chosen;
}

void CKSelect::MoveRight()
{
    for (int row = 0; row < all_->count(); ++row) {
        QListWidgetItem* item = all_->item(row);
        if (!item->isSelected())
            continue;
        const auto point = static_cast<std::size_t>(item->data(kPointRole).toULongLong());
        if (std::find(chosen_.begin(), chosen_.end(), point) == chosen_.end())
            AddChosen(point);
    }
    all_->clearSelection();
}

void CKSelect::MoveLeft()
{
    for (int row = right_->count() - 1; row >= 0; --row) {
        if (!right_->item(row)->isSelected())
            continue;
        delete right_->takeItem(row);
        chosen_.erase(chosen_.begin() + row);
    }
    right_->clearSelection();
}

void CKSelect::AddAll()
{
    DeleteAll();
    for (int row = 0; row < all_->count(); ++row)
        AddChosen(static_cast<std::size_t>(all_->item(row)->data(kPointRole).toULongLong()));
}

void CKSelect::DeleteAll()
{
    right_->clear();
    chosen_.clear();
}

void CKSelect::OnOk()
{
    if (!chosen_.empty())
        accept();
}

}  // namespace k30
