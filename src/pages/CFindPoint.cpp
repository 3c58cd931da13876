#include "CFindPoint.h"

#include <QComboBox>
#include <QCompleter>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QPushButton>

#include "TestDataStore.h"
#include "UiText.h"
#include "WorkbenchTexts.h"

namespace k30 {

CFindPoint::CFindPoint(const TestDataStore& store, Language lang, QWidget* parent)
    : QDialog(parent), names_(new QComboBox(this))
{
    setWindowTitle(Tr(texts::kFindPointTitle, lang));
    names_->setEditable(true);
    names_->setInsertPolicy(QComboBox::NoInsert);
    names_->setMinimumContentsLength(20);
    for (std::size_t k = 0; k < store.ValidCount(); ++k)
        names_->addItem(Q(store.K30PointAt(k).name));
    names_->completer()->setCompletionMode(QCompleter::PopupCompletion);
    names_->setCurrentIndex(-1);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Ok)->setText(Tr(texts::kOk, lang));
    buttons->button(QDialogButtonBox::Cancel)->setText(Tr(texts::kCancel, lang));
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* form = new QFormLayout(this);
    auto* label = new QLabel(Tr(texts::kFindPointLabel, lang), this);
    label->setBuddy(names_);
    form->addRow(label, names_);
    form->addRow(buttons);
}

QString CFindPoint::Name() const { return names_->currentText(); }

}  // namespace k30
