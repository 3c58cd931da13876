#include "CPrintType.h"

#include <QDialogButtonBox>
#include <QGroupBox>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "AcceptanceTexts.h"
#include "Ev2ReportTexts.h"
#include "PrintType.h"
#include "ReportTexts.h"
#include "UiText.h"

namespace k30 {

using namespace report_texts;

CPrintType::CPrintType(Language lang, int preset, QWidget* parent) : QDialog(parent), preset_(preset)
{
    setWindowTitle(Tr(kPrintOptionsTitle, lang));

    auto* group = new QGroupBox(Tr(kPrintTestData, lang), this);
    current_ = new QRadioButton(Tr(kPrintCurrent, lang), group);
    all_ = new QRadioButton(Tr(kPrintAll, lang), group);
    list_ = new QRadioButton(Tr(kPrintList, lang), group);
    current_->setObjectName(QStringLiteral("printCurrent"));
    all_->setObjectName(QStringLiteral("printAll"));
    list_->setObjectName(QStringLiteral("printList"));
    ev2Current_ = new QRadioButton(Tr(ev2_report_texts::kPrintEv2Current, lang), group);
    ev2All_ = new QRadioButton(Tr(ev2_report_texts::kPrintEv2All, lang), group);
    ev2Current_->setObjectName(QStringLiteral("printEv2Current"));
    ev2All_->setObjectName(QStringLiteral("printEv2All"));
    summary_ = new QRadioButton(Tr(acceptance_texts::kPrintSummaryChoice, lang), group);
    summary_->setObjectName(QStringLiteral("printSummary"));
    auto* choices = new QVBoxLayout(group);
    choices->addWidget(current_);
    choices->addWidget(all_);
    choices->addWidget(list_);
    choices->addWidget(ev2Current_);
    choices->addWidget(ev2All_);
    choices->addWidget(summary_);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Ok)->setText(Tr(texts::kConfirm, lang));
    buttons->button(QDialogButtonBox::Cancel)->setText(Tr(texts::kCancel, lang));
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(group);
    layout->addWidget(buttons);
    setMinimumWidth(300);

    if (QRadioButton* chosen = Button(preset))
        chosen->setChecked(true);
}

int CPrintType::PrintType() const
{
    if (current_->isChecked())
        return kPrintCurrentPoint;
    if (all_->isChecked())
        return kPrintAllPoints;
    if (list_->isChecked())
        return kPrintPointList;
    if (ev2Current_->isChecked())
        return kPrintEv2CurrentPoint;
    if (ev2All_->isChecked())
        return kPrintEv2AllPoints;
    if (summary_->isChecked())
        return kPrintSummary;
    return preset_;
}

QRadioButton* CPrintType::Button(int printType) const
{
    switch (printType) {
    case kPrintCurrentPoint:
        return current_;
    case kPrintAllPoints:
        return all_;
    case kPrintPointList:
        return list_;
    case kPrintEv2CurrentPoint:
        return ev2Current_;
    case kPrintEv2AllPoints:
        return ev2All_;
    case kPrintSummary:
        return summary_;
    default:
        return nullptr;
    }
}

}  // namespace k30
