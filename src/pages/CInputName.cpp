#include "CInputName.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "PageTexts.h"
#include "UiText.h"

namespace k30 {

CInputName::CInputName(Language lang, QWidget* parent)
    : QDialog(parent), edit_(new QLineEdit(this)), ok_(new QPushButton(Tr(texts::kOk, lang), this))
{
    setWindowTitle(Tr(texts::kInputNameTitle, lang));
    auto* label = new QLabel(Tr(texts::kInputNameLabel, lang), this);
    label->setBuddy(edit_);
    auto* cancel = new QPushButton(Tr(texts::kCancel, lang), this);
    ok_->setDefault(true);
    connect(ok_, &QPushButton::clicked, this, &CInputName::OnOk);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);

    auto* form = new QHBoxLayout;
    form->addWidget(label);
    form->addWidget(edit_, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(ok_);
    buttons->addStretch(1);
    buttons->addWidget(cancel);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(24, 24, 24, 16);
    layout->setSpacing(20);
    layout->addLayout(form);
    layout->addLayout(buttons);
    setMinimumWidth(360);
}

void CInputName::OnOk()
{
    name_ = edit_->text();
    if (!name_.isEmpty())
        accept();
}

}  // namespace k30
