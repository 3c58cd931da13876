#include "CChangeNameK.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

#include "PageTexts.h"
#include "ReportFonts.h"
#include "TestDataStore.h"
#include "UiText.h"

namespace k30 {

namespace {
QFont GridFont(Language lang)
{
    QFont font(FaceFor(lang));
    font.setPixelSize(12);
    font.setWeight(QFont::Medium);
    return font;
}
}  // namespace

CChangeNameK::CChangeNameK(const TestDataStore& store, Language lang, QWidget* parent)
    : QDialog(parent), grid_(new QTableWidget(this))
{
    setWindowTitle(Tr(texts::kChangePointName, lang));
    const int n = static_cast<int>(store.ValidCount());
    grid_->setRowCount(n);
    grid_->setColumnCount(2);
    grid_->setHorizontalHeaderLabels({Tr(texts::kRenameColumn0, lang), Tr(texts::kRenameColumn1, lang)});
    grid_->horizontalHeader()->setFont(GridFont(lang));
    grid_->horizontalHeader()->setDefaultAlignment(Qt::AlignCenter | Qt::Alignment(Qt::TextWordWrap));
    grid_->verticalHeader()->setVisible(false);
    grid_->setWordWrap(false);
    grid_->setTextElideMode(Qt::ElideRight);
    // Names are shown in the Chinese face whatever the language: they are often Chinese.
    const QFont cellFont = GridFont(Language::Chinese);
    const QBrush fixedBackground = palette().brush(QPalette::Button);
    for (int r = 0; r < n; ++r) {
        auto* name = new QTableWidgetItem(Q(store.k30List[static_cast<std::size_t>(r)].name));
        name->setFlags(Qt::ItemIsEnabled);
        name->setTextAlignment(Qt::AlignCenter);
        name->setFont(cellFont);
        name->setBackground(fixedBackground);
        grid_->setItem(r, 0, name);
        auto* newName = new QTableWidgetItem;
        newName->setTextAlignment(Qt::AlignCenter);
        newName->setFont(cellFont);
        grid_->setItem(r, 1, newName);
    }
    grid_->setColumnWidth(0, 120);
    grid_->horizontalHeader()->setStretchLastSection(true);
    // Arrows move between cells; Tab goes on to the buttons. Typing starts in the first new name.
    grid_->setTabKeyNavigation(false);
    if (n > 0)
        grid_->setCurrentCell(0, 1);

    auto* ok = new QPushButton(Tr(texts::kConfirm, lang), this);
    auto* cancel = new QPushButton(Tr(texts::kCancel, lang), this);
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(ok);
    buttons->addStretch(1);
    buttons->addWidget(cancel);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(30, 10, 20, 12);
    layout->addWidget(grid_, 1);
    layout->addLayout(buttons);
    resize(420, 320);
}

std::vector<QString> CChangeNameK::ShownNames() const
{
    std::vector<QString> names;
    for (int r = 0; r < grid_->rowCount(); ++r)
        names.push_back(grid_->item(r, 0)->text());
    return names;
}

std::vector<QString> CChangeNameK::NewNames() const
{
    std::vector<QString> names;
    for (int r = 0; r < grid_->rowCount(); ++r) {
        const QTableWidgetItem* item = grid_->item(r, 1);
        names.push_back(item ? item->text() : QString());
    }
    return names;
}

}  // namespace k30
