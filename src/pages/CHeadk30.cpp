#include "CHeadk30.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

#include "AcceptanceSettings.h"
#include "DocumentWatch.h"
#include "AcceptanceTexts.h"
#include "PageTexts.h"
#include "TestDataStore.h"
#include "TypedNumberBox.h"
#include "UiText.h"

namespace k30 {

namespace {

using Member = std::string ReportHeader::*;

// Both frames hold two columns of three: left column first, then right.
constexpr std::array<Member, 6> kProjectFrame{&ReportHeader::Client,    &ReportHeader::ProjectName,
                                              &ReportHeader::SubgradeMileage, &ReportHeader::Elevation,
                                              &ReportHeader::PointLocation,   &ReportHeader::FillLayer};
constexpr std::array<Member, 6> kReportFrame{&ReportHeader::ReportNumber, &ReportHeader::TestNumber,
                                             &ReportHeader::ReportDate,   &ReportHeader::FillerName,
                                             &ReportHeader::RequiredCoefficient, &ReportHeader::Environment};
constexpr std::array<Member, 2> kSignOff{&ReportHeader::Tester, &ReportHeader::Reviewer};

}  // namespace

CHeadk30::CHeadk30(TestDataStore& store, QWidget* parent)
    : QWidget(parent), store_(store), title_(new QLabel(this)), projectGroup_(new QGroupBox(this)),
      reportGroup_(new QGroupBox(this)), acceptanceGroup_(new QGroupBox(this)), ev2MinLabel_(new QLabel(this)),
      ratioMaxLabel_(new QLabel(this)), acceptanceHint_(new QLabel(this)), ev2Min_(new QLineEdit(this)),
      ratioMax_(new QLineEdit(this))
{
    QFont titleFont = title_->font();
    titleFont.setPointSizeF(titleFont.pointSizeF() * 1.4);
    titleFont.setBold(true);
    title_->setFont(titleFont);
    title_->setAlignment(Qt::AlignCenter);

    std::size_t next = 0;
    auto addField = [&](QGridLayout* grid, Member member, int row, int column) {
        auto* label = new QLabel(this);
        auto* box = new QLineEdit(this);
        box->setMinimumWidth(220);
        label->setBuddy(box);
        grid->addWidget(label, row, column * 2);
        grid->addWidget(box, row, column * 2 + 1);
        fields_[next++] = Field{member, label, box};
        connect(box, &QLineEdit::textChanged, this,
                [this, member](const QString& text) { store_.document.SetHeaderText(member, S(text)); });
    };
    auto fillFrame = [&](QGroupBox* group, const std::array<Member, 6>& members) {
        auto* grid = new QGridLayout(group);
        grid->setHorizontalSpacing(16);
        grid->setVerticalSpacing(14);
        for (int i = 0; i < 6; ++i)
            addField(grid, members[static_cast<std::size_t>(i)], i % 3, i / 3);
        grid->setColumnStretch(1, 1);
        grid->setColumnStretch(3, 1);
    };
    fillFrame(projectGroup_, kProjectFrame);
    fillFrame(reportGroup_, kReportFrame);

    // Two Ev2 requirements beside each other, as the frames' two columns.
    {
        auto* grid = new QGridLayout(acceptanceGroup_);
        grid->setHorizontalSpacing(16);
        grid->setVerticalSpacing(14);
        ev2MinLabel_->setBuddy(ev2Min_);
        ratioMaxLabel_->setBuddy(ratioMax_);
        ev2Min_->setObjectName(QStringLiteral("ev2Min"));
        ratioMax_->setObjectName(QStringLiteral("ratioMax"));
        grid->addWidget(ev2MinLabel_, 0, 0);
        grid->addWidget(ev2Min_, 0, 1);
        grid->addWidget(ratioMaxLabel_, 0, 2);
        grid->addWidget(ratioMax_, 0, 3);
        acceptanceHint_->setWordWrap(true);
        grid->addWidget(acceptanceHint_, 1, 0, 1, 4);
        grid->setColumnStretch(1, 1);
        grid->setColumnStretch(3, 1);
        const Ev2LimitTexts limits = LoadEv2LimitTexts();
        ev2Min_->setText(limits.ev2Min);
        ratioMax_->setText(limits.ratioMax);
        // Kept as typed, so a report printed straight away judges by them.
        auto save = [this] { SaveEv2LimitTexts({ev2Min_->text(), ratioMax_->text()}); };
        connect(ev2Min_, &QLineEdit::textEdited, this, save);
        connect(ratioMax_, &QLineEdit::textEdited, this, save);
        for (QLineEdit* box : {ev2Min_, ratioMax_, Box(&ReportHeader::RequiredCoefficient)}) {
            // A requirement that is no number sets none, and the box says so.
            MarkBoxAsTyped(box, store_.nLanguage);
            connect(box, &QLineEdit::textChanged, this, &CHeadk30::requirementsChanged);
        }
    }

    auto* signOff = new QGridLayout;
    signOff->setHorizontalSpacing(16);
    // Tester and reviewer stand below the right-hand column of the frames.
    signOff->setContentsMargins(12, 0, 12, 0);
    signOff->setColumnStretch(1, 1);
    signOff->setColumnStretch(3, 1);
    addField(signOff, kSignOff[0], 0, 1);
    addField(signOff, kSignOff[1], 1, 1);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(24, 16, 24, 16);
    layout->setSpacing(16);
    layout->addWidget(title_);
    layout->addWidget(projectGroup_);
    layout->addWidget(reportGroup_);
    layout->addWidget(acceptanceGroup_);
    layout->addLayout(signOff);
    layout->addStretch(1);
    RetranslateUi();
    SyncHeader(false);
    auto* watch = new DocumentWatch(store_.document, this);
    connect(watch, &DocumentWatch::headerChanged, this, [this] { SyncHeader(false); });
}

const ReportHeader& CHeadk30::Fields() const { return store_.document.Header(); }

void CHeadk30::SyncHeader(bool boxesIntoFields)
{
    const ReportHeader header = store_.document.Header();
    for (const Field& f : fields_) {
        const QString shown = Q(header.*f.member);
        if (boxesIntoFields)
            store_.document.SetHeaderText(f.member, S(f.box->text()));
        else if (f.box->text() != shown)
            f.box->setText(shown);
    }
}

ReportHeader CHeadk30::CurrentHeader()
{
    SyncHeader(true);
    return store_.document.Header();
}

void CHeadk30::OnActivated()
{
    const std::string& shown = store_.strCurK30Name;
    if (shown.empty()) {
        followedPoint_.clear();
        return;
    }
    // The test number follows a point newly shown on the test data page; a
    // number typed since stays.
    if (shown == followedPoint_)
        return;
    followedPoint_ = shown;
    std::string number = shown;
    if (const auto k = store_.FindK30PointByName(shown))
        number = store_.k30List[*k].name;
    else if (store_.ValidCount() > 0)
        number = store_.k30List[0].name;
    store_.document.SetHeaderText(&ReportHeader::TestNumber, number);
}

void CHeadk30::RetranslateUi()
{
    const Language lang = store_.nLanguage;
    title_->setText(Tr(texts::kHeaderTitle, lang));
    for (const Field& f : fields_)
        f.label->setText(Tr(HeaderFieldOf(f.member).box, lang));
    acceptanceGroup_->setTitle(Tr(acceptance_texts::kAcceptanceGroup, lang));
    ev2MinLabel_->setText(Tr(acceptance_texts::kEv2Min, lang));
    ratioMaxLabel_->setText(Tr(acceptance_texts::kRatioMax, lang));
    acceptanceHint_->setText(Tr(acceptance_texts::kAcceptanceHint, lang));
    for (QLineEdit* box : {ev2Min_, ratioMax_, Box(&ReportHeader::RequiredCoefficient)})
        ReadAndMarkBox(box, lang);
}

Requirements CHeadk30::ShownRequirements() const
{
    Requirements r;
    SetRequiredK30(r, S(Box(&ReportHeader::RequiredCoefficient)->text()));
    r.ev2Min = ParseRequirement(S(ev2Min_->text()));
    r.ratioMax = ParseRequirement(S(ratioMax_->text()));
    return r;
}

QLineEdit* CHeadk30::Box(std::string ReportHeader::*member) const
{
    for (const Field& f : fields_)
        if (f.member == member)
            return f.box;
    return nullptr;
}

}  // namespace k30
