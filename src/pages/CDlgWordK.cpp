#include "CDlgWordK.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "UiText.h"

namespace k30 {

namespace {

constexpr Text kCaption{"填写地基系数报告信息", "Report Information"};
constexpr Text kOk{"确认", "Ok"};
constexpr Text kCancel{"取消", "Cancel"};

struct DialogField {
    const char* member;
    std::string ReportHeader::*value;
    Text label;
};

// Left column top to bottom, then the right column.
constexpr DialogField kLeft[] = {
    {"Client", &ReportHeader::Client, {"委托单位", "Client"}},
    {"Elevation", &ReportHeader::Elevation, {"标    高", "Elevation"}},
    {"ProjectName", &ReportHeader::ProjectName, {"工程名称", "Project Name"}},
    {"PointLocation", &ReportHeader::PointLocation, {"测点位置", "Measure Point Location"}},
    {"SubgradeMileage", &ReportHeader::SubgradeMileage, {"路基里程", "Subgrade Mileage"}},
    {"FillLayer", &ReportHeader::FillLayer, {"填土层次", "Filling Layer"}},
};
constexpr DialogField kRight[] = {
    {"ReportNumber", &ReportHeader::ReportNumber, {"报告编号", "Report Number"}},
    {"FillerName", &ReportHeader::FillerName, {"填料名称", "Filler Name"}},
    {"RequiredCoefficient", &ReportHeader::RequiredCoefficient, {"要求地基系数值", "Required Foundation Coefficient"}},
    {"ReportDate", &ReportHeader::ReportDate, {"报告日期", "Report Date"}},
    {"Environment", &ReportHeader::Environment, {"检测环境", "Detection Environment"}},
};

}  // namespace

CDlgWordK::CDlgWordK(const ReportHeader& header, Language lang, QWidget* parent) : QDialog(parent), header_(header)
{
    setWindowTitle(Tr(kCaption, lang));
    auto* grid = new QGridLayout;
    grid->setHorizontalSpacing(10);
    grid->setVerticalSpacing(12);
    auto addColumn = [&](const auto& fields, int column) {
        int row = 0;
        for (const DialogField& f : fields) {
            auto* edit = new QLineEdit(Q(header.*f.value), this);
            edit->setObjectName(QString::fromLatin1(f.member));
            auto* label = new QLabel(Tr(f.label, lang), this);
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

    auto* ok = new QPushButton(Tr(kOk, lang), this);
    auto* cancel = new QPushButton(Tr(kCancel, lang), this);
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
        for (const DialogField& f : fields)
            values.*f.value = S(Field(QString::fromLatin1(f.member))->text());
    };
    take(kLeft);
    take(kRight);
    return values;
}

}  // namespace k30
