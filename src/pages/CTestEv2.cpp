#include "CTestEv2.h"

#include <QDateEdit>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QStringList>
#include <QTableView>
#include <QTimeEdit>
#include <QVBoxLayout>

#include "AcceptanceFormat.h"
#include "Ev2ChartView.h"
#include "Ev2ListModel.h"
#include "Ev2PageTexts.h"
#include "Format.h"
#include "K30Evaluation.h"
#include "Prompt.h"
#include "StatFormat.h"
#include "TestDataStore.h"
#include "Texts.h"
#include "TypedNumberBox.h"
#include "UiText.h"

namespace k30 {

namespace {

namespace t = ev2_texts;

// The three groups of readings; pair 10 ends the unloading and starts the
// reloading.
constexpr std::array<int, 3> kGroupFirst{kEv2FirstLoadingBegin, kEv2UnloadingBegin, kEv2SecondLoadingBegin};
constexpr std::array<int, 3> kGroupLast{kEv2FirstLoadingEnd, kEv2SecondLoadingBegin, kEv2SecondLoadingEnd};

QLineEdit* MakeBox(QWidget* parent, const QString& name)
{
    auto* box = new QLineEdit(parent);
    box->setObjectName(name);
    box->setEnabled(false);
    box->setFixedWidth(72);
    box->setAlignment(Qt::AlignRight);
    // Readings stay legible while the boxes are closed for typing.
    QPalette pal = box->palette();
    pal.setColor(QPalette::Disabled, QPalette::Text, pal.color(QPalette::Active, QPalette::Text));
    box->setPalette(pal);
    return box;
}

QString Number(const std::optional<double>& v, int decimals) { return Q(StatFixed(v, decimals)); }

QString TimeText(const QDate& date, const QTime& time)
{
    // As the decoder writes a record's time: "2009-5-12-08:05".
    return QStringLiteral("%1-%2-%3-%4")
        .arg(date.year())
        .arg(date.month())
        .arg(date.day())
        .arg(time.toString(QStringLiteral("HH:mm")));
}

}  // namespace

CTestEv2::CTestEv2(TestDataStore& store, Prompt& prompt, std::function<Requirements()> requirements,
                   QWidget* parent)
    : QWidget(parent), store_(store), prompt_(prompt), requirements_(std::move(requirements))
{
    CreateControls();
    RetranslateUi();
}

void CTestEv2::CreateControls()
{
    label_ = new QLabel(this);
    model_ = new Ev2ListModel(store_, this);
    view_ = new QTableView(this);
    view_->setObjectName(QStringLiteral("ev2Table"));
    view_->setModel(model_);
    view_->setSelectionBehavior(QAbstractItemView::SelectRows);
    view_->setSelectionMode(QAbstractItemView::SingleSelection);
    view_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    view_->verticalHeader()->setVisible(false);
    view_->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    view_->verticalHeader()->setDefaultSectionSize(view_->fontMetrics().height() + 6);
    view_->horizontalHeader()->setStretchLastSection(true);
    for (int c = 0; c < Ev2ListModel::kColumns; ++c)
        view_->setColumnWidth(c, c == Ev2ListModel::Date ? 110 : 95);
    connect(view_->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            [this](const QModelIndex& current) { ShowPoint(current.isValid() ? current.row() : -1); });

    stats_ = new QLabel(this);
    stats_->setObjectName(QStringLiteral("ev2Statistics"));
    stats_->setWordWrap(true);
    stats_->setTextInteractionFlags(Qt::TextSelectableByMouse);

    // Readings: three groups, one under the other.
    auto* readings = new QWidget;
    auto* readingsLayout = new QVBoxLayout(readings);
    readingsLayout->setContentsMargins(0, 0, 0, 0);
    pointLabel_ = new QLabel(readings);
    readingsLayout->addWidget(pointLabel_);

    entryRow_ = new QWidget(readings);
    auto* entry = new QGridLayout(entryRow_);
    entry->setContentsMargins(0, 0, 0, 0);
    dateLabel_ = new QLabel(entryRow_);
    startLabel_ = new QLabel(entryRow_);
    endLabel_ = new QLabel(entryRow_);
    date_ = new QDateEdit(entryRow_);
    date_->setObjectName(QStringLiteral("ev2Date"));
    date_->setDisplayFormat(QStringLiteral("yyyy-M-d"));
    // The record carries the year as an offset from 2000 in one byte.
    date_->setDateRange(QDate(2000, 1, 1), QDate(2255, 12, 31));
    start_ = new QTimeEdit(entryRow_);
    start_->setObjectName(QStringLiteral("ev2Start"));
    start_->setDisplayFormat(QStringLiteral("HH:mm"));
    end_ = new QTimeEdit(entryRow_);
    end_->setObjectName(QStringLiteral("ev2End"));
    end_->setDisplayFormat(QStringLiteral("HH:mm"));
    computeButton_ = new QPushButton(entryRow_);
    computeButton_->setObjectName(QStringLiteral("ev2Compute"));
    entry->addWidget(dateLabel_, 0, 0);
    entry->addWidget(date_, 0, 1);
    entry->addWidget(startLabel_, 1, 0);
    entry->addWidget(start_, 1, 1);
    entry->addWidget(endLabel_, 2, 0);
    entry->addWidget(end_, 2, 1);
    entry->addWidget(computeButton_, 0, 2, 3, 1);
    entryRow_->hide();
    readingsLayout->addWidget(entryRow_);
    connect(computeButton_, &QPushButton::clicked, this, &CTestEv2::Compute);

    for (std::size_t g = 0; g < groups_.size(); ++g) {
        groups_[g] = new QGroupBox(readings);
        auto* grid = new QGridLayout(groups_[g]);
        grid->setVerticalSpacing(2);
        numberHeaders_[g] = new QLabel(groups_[g]);
        stressHeaders_[g] = new QLabel(groups_[g]);
        settlementHeaders_[g] = new QLabel(groups_[g]);
        grid->addWidget(numberHeaders_[g], 0, 0);
        grid->addWidget(stressHeaders_[g], 0, 1);
        grid->addWidget(settlementHeaders_[g], 0, 2);
        for (int j = kGroupFirst[g]; j <= kGroupLast[g]; ++j) {
            const int row = 1 + j - kGroupFirst[g];
            grid->addWidget(new QLabel(QString::number(j), groups_[g]), row, 0);
            QLineEdit* stress = nullptr;
            QLineEdit* settlement = nullptr;
            if (g == 2 && j == kEv2SecondLoadingBegin) {
                stress = reloadStartStress_ = MakeBox(groups_[g], QStringLiteral("ev2StressMirror"));
                settlement = reloadStartSettlement_ = MakeBox(groups_[g], QStringLiteral("ev2SettlementMirror"));
            } else {
                const auto p = static_cast<std::size_t>(j);
                stress = stressBoxes_[p] = MakeBox(groups_[g], QStringLiteral("ev2Stress%1").arg(j));
                settlement = settlementBoxes_[p] = MakeBox(groups_[g], QStringLiteral("ev2Settlement%1").arg(j));
            }
            grid->addWidget(stress, row, 1);
            grid->addWidget(settlement, row, 2);
        }
        readingsLayout->addWidget(groups_[g]);
    }
    for (std::size_t p = 0; p < kEv2Pairs; ++p) {
        MarkBoxAsTyped(stressBoxes_[p], store_.nLanguage);
        MarkBoxAsTyped(settlementBoxes_[p], store_.nLanguage);
        // What a person types is work the document must know of until computed.
        for (const std::size_t i : {p, kEv2Pairs + p}) {
            QLineEdit* box = i < kEv2Pairs ? stressBoxes_[p] : settlementBoxes_[p];
            connect(box, &QLineEdit::textEdited, this,
                    [this, i](const QString& text) { store_.document.Typed(Document::Entry::Ev2, i, S(text)); });
        }
    }
    const auto pair10 = static_cast<std::size_t>(kEv2SecondLoadingBegin);
    connect(stressBoxes_[pair10], &QLineEdit::textChanged, reloadStartStress_, &QLineEdit::setText);
    connect(settlementBoxes_[pair10], &QLineEdit::textChanged, reloadStartSettlement_, &QLineEdit::setText);
    readingsLayout->addStretch(1);

    readingsScroll_ = new QScrollArea(this);
    readingsScroll_->setWidget(readings);
    readingsScroll_->setWidgetResizable(true);
    readingsScroll_->setFrameShape(QFrame::NoFrame);
    readingsScroll_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);

    chart_ = new Ev2ChartView(this);
    chart_->setObjectName(QStringLiteral("ev2Chart"));
    chart_->setMinimumSize(420, 320);

    auto* lower = new QHBoxLayout;
    lower->addWidget(readingsScroll_);
    lower->addWidget(chart_, 1);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(label_);
    layout->addWidget(view_, 1);
    layout->addWidget(stats_);
    layout->addLayout(lower, 3);
}

void CTestEv2::RetranslateUi()
{
    const Language lang = store_.nLanguage;
    label_->setText(Tr(t::kPageLabel, lang));
    const std::array<const Text*, 3> titles{&t::kGroupFirstLoading, &t::kGroupUnloading, &t::kGroupSecondLoading};
    for (std::size_t g = 0; g < groups_.size(); ++g) {
        groups_[g]->setTitle(Tr(*titles[g], lang) + QStringLiteral(" (%1–%2)").arg(kGroupFirst[g]).arg(kGroupLast[g]));
        numberHeaders_[g]->setText(Tr(t::kRowNumber, lang));
        stressHeaders_[g]->setText(Tr(t::kStress, lang));
        settlementHeaders_[g]->setText(Tr(t::kSettlement, lang));
    }
    dateLabel_->setText(Tr(t::kDate, lang));
    startLabel_->setText(Tr(t::kStartTime, lang));
    endLabel_->setText(Tr(t::kEndTime, lang));
    computeButton_->setText(Tr(t::kCompute, lang));
    for (std::size_t p = 0; p < kEv2Pairs; ++p) {
        ReadAndMarkBox(stressBoxes_[p], lang);
        ReadAndMarkBox(settlementBoxes_[p], lang);
    }
    pointLabel_->setText(Tr(t::kPointLabel, lang) + shownName_);
    // Wide enough for the column titles of the language, beside the scroll bar.
    readingsScroll_->setMinimumWidth(readingsScroll_->widget()->sizeHint().width() +
                                     readingsScroll_->verticalScrollBar()->sizeHint().width() + 4);
    model_->SetLanguage(lang);
    chart_->SetLanguage(lang);
    UpdateStatistics();
}

void CTestEv2::OnActivated() { Refill(); }

void CTestEv2::Refill()
{
    model_->Refill(requirements_ ? requirements_() : Requirements{});
    UpdateStatistics();
    int row = -1;
    for (std::size_t k = 0; k < store_.ev2List.size(); ++k) {
        if (store_.ev2List[k].name == store_.strCurEv2Name) {
            row = static_cast<int>(k);
            break;
        }
    }
    if (row < 0 && model_->rowCount() > 0)
        row = 0;
    if (row >= 0) {
        const QSignalBlocker block(view_->selectionModel());
        view_->selectionModel()->setCurrentIndex(model_->index(row, 0),
                                                 QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    }
    ShowPoint(row);
}

void CTestEv2::ShowPoint(int row)
{
    if (row < 0 || static_cast<std::size_t>(row) >= store_.ev2List.size()) {
        store_.strCurEv2Name.clear();
        shownName_.clear();
        chart_->Clear();
        if (!ManualEntryOpen())
            ShowReadings(nullptr);
    } else {
        const Ev2Point& point = store_.ev2List[static_cast<std::size_t>(row)];
        store_.strCurEv2Name = point.name;
        shownName_ = Q(point.name);
        chart_->Show(point, store_.nLanguage);
        // Typed readings stay while they are being entered.
        if (!ManualEntryOpen())
            ShowReadings(&point);
    }
    pointLabel_->setText(Tr(t::kPointLabel, store_.nLanguage) + shownName_);
}

void CTestEv2::ShowReadings(const Ev2Point* point)
{
    for (std::size_t p = 0; p < kEv2Pairs; ++p) {
        stressBoxes_[p]->setText(point ? Q(StressText(point->reading[p].stress)) : QString());
        settlementBoxes_[p]->setText(point ? Q(SettlementText(point->reading[p].settlement)) : QString());
    }
}

void CTestEv2::UpdateStatistics()
{
    const Language lang = store_.nLanguage;
    std::vector<double> ev2;
    std::vector<double> ratio;
    for (int r = 0; r < model_->rowCount(); ++r) {
        const Ev2Result& result = model_->AssessmentAt(r).result;
        if (result.ev2)
            ev2.push_back(*result.ev2);
        if (result.ratio)
            ratio.push_back(*result.ratio);
    }
    const SampleStats s = ComputeStats(ev2);
    const SampleStats q = ComputeStats(ratio);
    const VerdictCounts& n = model_->Counts();
    const QString sep = Tr(t::kSeparator, lang);
    const auto item = [&](const Text& name, const QString& value) { return Tr(name, lang) + QLatin1Char(' ') + value; };
    // Without a requirement nothing is judged, and a pass rate would mislead.
    const std::optional<double> rate = model_->Judged() ? JudgedPassRate(n) : std::nullopt;
    QString text = Tr(t::kStatsEv2, lang);
    text += QStringList{item(t::kStatsCount, QString::number(s.count)), item(t::kStatsMean, Number(s.mean, 1)),
                        item(t::kStatsStd, Number(s.std, 1)),
                        item(t::kStatsCv, PercentText(s.cv)),
                        item(t::kStatsMin, Number(s.min, 1)), item(t::kStatsMax, Number(s.max, 1))}
                .join(sep);
    text += Tr(t::kGroupSeparator, lang) + Tr(t::kStatsRatio, lang);
    text += QStringList{item(t::kStatsMean, Number(q.mean, 2)), item(t::kStatsMax, Number(q.max, 2))}.join(sep);
    text += Tr(t::kGroupSeparator, lang);
    text += QStringList{item(t::kStatsPassed, QString::number(n.passed)),
                        item(t::kStatsFailed, QString::number(n.failed)),
                        item(t::kStatsNone, QString::number(n.none)),
                        item(t::kStatsPassRate, PercentText(rate))}
                .join(sep);
    stats_->setText(text);
}

void CTestEv2::EnableManualEntry()
{
    ShowReadings(nullptr);
    for (std::size_t p = 0; p < kEv2Pairs; ++p) {
        stressBoxes_[p]->setEnabled(true);
        settlementBoxes_[p]->setEnabled(true);
    }
    const QDateTime now = QDateTime::currentDateTime();
    date_->setDate(now.date());
    start_->setTime(QTime(now.time().hour(), now.time().minute()));
    end_->setTime(QTime(now.time().hour(), now.time().minute()));
    entryRow_->show();
    NoteEntryFilled();
    stressBoxes_[0]->setFocus();
}

void CTestEv2::NoteEntryFilled()
{
    std::vector<std::string> texts;
    for (const auto* boxes : {&stressBoxes_, &settlementBoxes_})
        for (const QLineEdit* box : *boxes)
            texts.push_back(S(box->text()));
    store_.document.EntryFilled(Document::Entry::Ev2, std::move(texts));
}

void CTestEv2::DisableReadingEntry()
{
    for (std::size_t p = 0; p < kEv2Pairs; ++p) {
        stressBoxes_[p]->setEnabled(false);
        settlementBoxes_[p]->setEnabled(false);
    }
    entryRow_->hide();
    store_.document.EntryClosed(Document::Entry::Ev2);
}

bool CTestEv2::ManualEntryOpen() const { return !entryRow_->isHidden(); }

Ev2Point CTestEv2::TypedPoint(QStringList& refused) const
{
    const Language lang = store_.nLanguage;
    Ev2Point point;
    if (!store_.ev2List.empty())
        point.name = store_.ev2List.front().name;
    point.startTime = S(TimeText(date_->date(), start_->time()));
    point.endTime = S(TimeText(date_->date(), end_->time()));
    for (std::size_t p = 0; p < kEv2Pairs; ++p) {
        const QString row = QString::number(p);
        if (const std::optional<float> v = StressFromText(S(stressBoxes_[p]->text())))
            point.reading[p].stress = *v;
        else
            refused << Tr(typed_texts::kBoxLine, lang).arg(Tr(t::kStress, lang), row, stressBoxes_[p]->text());
        if (const std::optional<float> v = SettlementFromText(S(settlementBoxes_[p]->text())))
            point.reading[p].settlement = *v;
        else
            refused << Tr(typed_texts::kBoxLine, lang).arg(Tr(t::kSettlement, lang), row, settlementBoxes_[p]->text());
    }
    return point;
}

void CTestEv2::Compute()
{
    const Language lang = store_.nLanguage;
    QStringList refused;
    const Ev2Point point = TypedPoint(refused);
    // A text that is no number is said, box by box; nothing is computed.
    if (!refused.isEmpty()) {
        prompt_.inform(this, Tr(texts::kAppTitle, lang),
                       Tr(typed_texts::kNothingComputed, lang) + QLatin1Char('\n') + refused.join(QLatin1Char('\n')),
                       Prompt::Icon::Warning);
        return;
    }
    const Ev2Result result = ComputeEv2(point.reading);

    // The store is complete before any message box runs its own event loop.
    store_.ev2List.assign(1, point);
    store_.nEv2Count = 1;
    store_.strCurEv2Name = point.name;
    NoteEntryFilled();
    Refill();
    emit computed();

    if (!result.ev1 && !result.ev2)
        prompt_.inform(this, Tr(texts::kAppTitle, store_.nLanguage), Tr(texts::kReenterData, store_.nLanguage),
                       Prompt::Icon::Warning);
}

}  // namespace k30
