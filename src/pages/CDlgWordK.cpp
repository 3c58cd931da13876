#include "CDlgWordK.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "Texts.h"
#include "UiText.h"

namespace k30 {

namespace {

constexpr Text kCaption{"填写地基系数报告信息", "Report Information"};

using Member = std::string ReportHeader::*;

// Left column top to bottom, then the right column; labels as on the reports.
constexpr Member kLeft[] = {&ReportHeader::Client,        &ReportHeader::Elevation,
                            &ReportHeader::ProjectName,   &ReportHeader::PointLocation,
                            &ReportHeader::SubgradeMileage, &ReportHeader::FillLayer};
constexpr Member kRight[] = {&ReportHeader::ReportNumber, &ReportHeader::FillerName,
                             &ReportHeader::RequiredCoefficient, &ReportHeader::ReportDate,
                             &ReportHeader::Environment};

}  // namespace

CDlgWordK::CDlgWordK(const ReportHeader& header, Language lang, QWidget* parent) : QDialog(parent), header_(header)
{
    setWindowTitle(Tr(kCaption, lang));
    auto* grid = new QGridLayout;
    grid->setHorizontalSpacing(10);
    grid->setVerticalSpacing(12);
    auto addColumn = [&](const auto& fields, int column) {
        int row = 0;
        for (const Member member : fields) {
            auto* edit = new QLineEdit(Q(header.*member), this);
            edit->setObjectName(QString::fromLatin1(HeaderFieldOf(member).key));
            auto* label = new QLabel(HeaderLabel(member, lang), this);
            label->setBuddy(edit);
            grid->addWidget(label, row, column);
            grid->addWidget(edit, row, column + 1);
            ++row;
        }
    };
    addColumn(kLeft, 0);
    addColumn(kRight, 2);
    grid->setColumnStretch(1, 1);
    grid->setColumnStretch(3, 1);
    grid->setColumnMinimumWidth(2, 24);

    auto* ok = new QPushButton(Tr(texts::kConfirm, lang), this);
    auto* cancel = new QPushButton(Tr(texts::kCancel, lang), this);
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(ok);
    buttons->addWidget(cancel);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(20, 20, 20, 16);
    layout->setSpacing(20);
    layout->addLayout(grid);
    layout->addLayout(buttons);
    setMinimumWidth(720);
}

QLineEdit* CDlgWordK::Field(const QString& member) const { return findChild<QLineEdit*>(member); }

ReportHeader CDlgWordK::Values() const
{
    ReportHeader values = header_;
    auto take = [&](const auto& fields) {
        for (const Member member : fields)
            values.*member = S(Field(QString::fromLatin1(HeaderFieldOf(member).key))->text());
    };
    take(kLeft);
    take(kRight);
    return values;
}

}  // namespace k30
