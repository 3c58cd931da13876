#include "CSitePage.h"

#include <QApplication>
#include <QComboBox>
#include <QDateEdit>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QSplitter>
#include <QTableView>
#include <QThreadPool>
#include <QUndoStack>
#include <QVBoxLayout>

#include <algorithm>
#include <array>
#include <memory>
#include <set>

#include "AcceptanceFormat.h"
#include "AcceptanceTexts.h"
#include "Chainage.h"
#include "Prompt.h"
#include "SiteChartView.h"
#include "SiteDatabase.h"
#include "SiteEditCommand.h"
#include "SiteTableModel.h"
#include "SiteTexts.h"
#include "TestDataStore.h"
#include "Texts.h"
#include "UiText.h"

namespace k30 {

namespace {

using namespace site_texts;

// The earliest date of the date boxes stands for "no limit" and shows blank.
const QDate kNoDate(2000, 1, 1);

constexpr std::array<int, 5> kEditableColumns{SiteTableModel::Chainage, SiteTableModel::Offset,
                                              SiteTableModel::Layer, SiteTableModel::Lot, SiteTableModel::Remark};
constexpr std::array<const Text*, 5> kEditableTitles{&kColChainage, &kColOffset, &kColLayer, &kColLot, &kColRemark};

QDateEdit* MakeDateEdit(QWidget* parent)
{
    auto* edit = new QDateEdit(parent);
    edit->setCalendarPopup(true);
    edit->setDisplayFormat(QStringLiteral("yyyy-MM-dd"));
    edit->setMinimumDate(kNoDate);
    edit->setSpecialValueText(QStringLiteral(" "));
    edit->setDate(kNoDate);
    return edit;
}

// Refills a choice box keeping the chosen entry when it is still offered.
void FillChoices(QComboBox* box, const QString& any, const QStringList& values)
{
    const QString chosen = box->currentIndex() > 0 ? box->currentText() : QString();
    const QSignalBlocker block(box);
    box->clear();
    box->addItem(any);
    box->addItems(values);
    const int at = chosen.isEmpty() ? 0 : box->findText(chosen);
    box->setCurrentIndex(at < 0 ? 0 : at);
}

}  // namespace

CSitePage::CSitePage(const TestDataStore& store, Prompt& prompt, QWidget* parent)
    : QWidget(parent), store_(store), prompt_(prompt), latestRequest_(std::make_shared<std::atomic<quint64>>(0)),
      statsPool_(new QThreadPool(this)), undo_(new QUndoStack(this))
{
    CreateControls();
    RetranslateUi();
}

CSitePage::~CSitePage()
{
    // A request still running delivers to nobody, and ends before the page:
    // nothing of Qt SQL may be torn down under it.
    ++*latestRequest_;
    statsPool_->waitForDone();
}

void CSitePage::SetUndoStack(QUndoStack* stack)
{
    if (!stack || stack == undo_)
        return;
    undo_->disconnect(this);
    if (undo_->parent() == this)
        delete undo_;
    undo_ = stack;
    connect(undo_, &QUndoStack::indexChanged, this, &CSitePage::UpdateUndoButton);
    UpdateUndoButton();
}

void CSitePage::UpdateUndoButton()
{
    // The button takes back site edits only, not a header edit that came later.
    const int at = undo_->index();
    undoButton_->setEnabled(at > 0 && dynamic_cast<const SiteEditCommand*>(undo_->command(at - 1)) != nullptr);
}

Language CSitePage::Lang() const { return store_.nLanguage; }

Requirements CSitePage::Required() const { return requirements_ ? requirements_() : Requirements{}; }

void CSitePage::CreateControls()
{
    fromLabel_ = new QLabel(this);
    from_ = MakeDateEdit(this);
    toLabel_ = new QLabel(this);
    to_ = MakeDateEdit(this);
    kindLabel_ = new QLabel(this);
    kind_ = new QComboBox(this);
    layerLabel_ = new QLabel(this);
    layer_ = new QComboBox(this);
    lotLabel_ = new QLabel(this);
    lot_ = new QComboBox(this);
    chainageLabel_ = new QLabel(this);
    chainageFrom_ = new QLineEdit(this);
    chainageToLabel_ = new QLabel(this);
    chainageTo_ = new QLineEdit(this);
    verdictLabel_ = new QLabel(this);
    verdict_ = new QComboBox(this);
    textLabel_ = new QLabel(this);
    text_ = new QLineEdit(this);
    clear_ = new QPushButton(this);
    for (QComboBox* box : {layer_, lot_})
        box->setMinimumContentsLength(8);
    chainageFrom_->setPlaceholderText(QStringLiteral("DK125+300"));
    chainageTo_->setPlaceholderText(QStringLiteral("DK125+900"));
    text_->setClearButtonEnabled(true);

    view_ = new QTableView(this);
    model_ = new SiteTableModel(Lang(), this);
    view_->setModel(model_);
    view_->setSelectionBehavior(QAbstractItemView::SelectRows);
    view_->setSelectionMode(QAbstractItemView::ExtendedSelection);
    // A double click opens the point; F2 or typing edits the cell.
    view_->setEditTriggers(QAbstractItemView::EditKeyPressed | QAbstractItemView::AnyKeyPressed);
    view_->setSortingEnabled(true);
    view_->horizontalHeader()->setSortIndicator(-1, Qt::AscendingOrder);
    view_->horizontalHeader()->setHighlightSections(false);
    view_->verticalHeader()->setVisible(false);
    view_->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    view_->verticalHeader()->setDefaultSectionSize(view_->fontMetrics().height() + 6);
    view_->setWordWrap(false);
    view_->horizontalHeader()->setStretchLastSection(true);
    view_->setColumnWidth(SiteTableModel::Date, view_->fontMetrics().horizontalAdvance(QStringLiteral("0000-00-00")) + 16);

    chart_ = new SiteChartView(this);
    strip_ = new QLabel(this);
    strip_->setObjectName(QStringLiteral("statisticsStrip"));
    strip_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    strip_->setWordWrap(true);

    editLabel_ = new QLabel(this);
    editField_ = new QComboBox(this);
    editValue_ = new QLineEdit(this);
    apply_ = new QPushButton(this);
    undoButton_ = new QPushButton(this);
    undoButton_->setEnabled(false);
    open_ = new QPushButton(this);
    reportPdf_ = new QPushButton(this);
    reportPrint_ = new QPushButton(this);
    export_ = new QPushButton(this);

    auto* filters = new QGridLayout;
    filters->addWidget(fromLabel_, 0, 0);
    filters->addWidget(from_, 0, 1);
    filters->addWidget(toLabel_, 0, 2);
    filters->addWidget(to_, 0, 3);
    filters->addWidget(kindLabel_, 0, 4);
    filters->addWidget(kind_, 0, 5);
    filters->addWidget(layerLabel_, 0, 6);
    filters->addWidget(layer_, 0, 7);
    filters->addWidget(lotLabel_, 0, 8);
    filters->addWidget(lot_, 0, 9);
    filters->addWidget(chainageLabel_, 1, 0);
    filters->addWidget(chainageFrom_, 1, 1);
    filters->addWidget(chainageToLabel_, 1, 2);
    filters->addWidget(chainageTo_, 1, 3);
    filters->addWidget(verdictLabel_, 1, 4);
    filters->addWidget(verdict_, 1, 5);
    filters->addWidget(textLabel_, 1, 6);
    filters->addWidget(text_, 1, 7, 1, 2);
    filters->addWidget(clear_, 1, 9);
    filters->setColumnStretch(10, 1);

    auto* split = new QSplitter(Qt::Vertical, this);
    split->addWidget(view_);
    split->addWidget(chart_);
    split->setStretchFactor(0, 3);
    split->setStretchFactor(1, 2);

    auto* actions = new QHBoxLayout;
    actions->addWidget(editLabel_);
    actions->addWidget(editField_);
    actions->addWidget(editValue_, 1);
    actions->addWidget(apply_);
    actions->addWidget(undoButton_);
    actions->addSpacing(20);
    actions->addWidget(open_);
    actions->addWidget(reportPdf_);
    actions->addWidget(reportPrint_);
    actions->addWidget(export_);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(filters);
    layout->addWidget(split, 1);
    layout->addWidget(strip_);
    layout->addLayout(actions);

    for (QDateEdit* d : {from_, to_})
        connect(d, &QDateEdit::dateChanged, this, &CSitePage::ApplyFilter);
    for (QComboBox* box : {kind_, layer_, lot_, verdict_})
        connect(box, &QComboBox::currentIndexChanged, this, &CSitePage::ApplyFilter);
    for (QLineEdit* edit : {chainageFrom_, chainageTo_, text_})
        connect(edit, &QLineEdit::editingFinished, this, [this, edit] {
            if (edit->isModified()) {
                edit->setModified(false);
                ApplyFilter();
            }
        });
    connect(text_, &QLineEdit::textChanged, this, [this](const QString& t) {
        if (t.isEmpty())  // the clear button
            ApplyFilter();
    });
    connect(clear_, &QPushButton::clicked, this, [this] {
        for (QDateEdit* d : {from_, to_}) {
            const QSignalBlocker block(d);
            d->setDate(kNoDate);
        }
        for (QComboBox* box : {kind_, layer_, lot_, verdict_}) {
            const QSignalBlocker block(box);
            box->setCurrentIndex(0);
        }
        for (QLineEdit* edit : {chainageFrom_, chainageTo_, text_}) {
            const QSignalBlocker block(edit);
            edit->clear();
        }
        ApplyFilter();
    });
    // Queued: the edit reloads the model, which must not happen inside the view's commit.
    connect(model_, &SiteTableModel::editRequested, this, &CSitePage::OnEditRequested, Qt::QueuedConnection);
    connect(model_, &QAbstractItemModel::modelReset, this, &CSitePage::UpdateChartSelection);
    connect(view_->selectionModel(), &QItemSelectionModel::selectionChanged, this,
            &CSitePage::UpdateChartSelection);
    connect(view_, &QTableView::doubleClicked, this, [this](const QModelIndex& index) {
        if (index.isValid())
            emit openPointRequested(model_->PointAt(index.row()).id);
    });
    connect(chart_, &SiteChartView::pointActivated, this, &CSitePage::openPointRequested);
    connect(apply_, &QPushButton::clicked, this, &CSitePage::OnApplyClicked);
    connect(editValue_, &QLineEdit::returnPressed, this, &CSitePage::OnApplyClicked);
    connect(undoButton_, &QPushButton::clicked, this, [this] {
        UpdateUndoButton();
        if (undoButton_->isEnabled())
            undo_->undo();
    });
    connect(undo_, &QUndoStack::indexChanged, this, &CSitePage::UpdateUndoButton);
    connect(open_, &QPushButton::clicked, this, &CSitePage::OnOpenClicked);
    connect(reportPdf_, &QPushButton::clicked, this, &CSitePage::lotReportPdfRequested);
    connect(reportPrint_, &QPushButton::clicked, this, &CSitePage::lotReportPrintRequested);
    connect(export_, &QPushButton::clicked, this, &CSitePage::exportSelectionRequested);
}

void CSitePage::SetDatabase(site::SiteDatabase* db, const QString& reason)
{
    // Edits recorded on another connection stay on the stack but no longer
    // write: each command checks the connection it was made on.
    db_ = db && db->IsOpen() ? db : nullptr;
    reason_ = reason;
    Refresh();
}

void CSitePage::SetRequirementSource(std::function<Requirements()> source) { requirements_ = std::move(source); }

void CSitePage::OnActivated() { Refresh(); }

void CSitePage::Refresh()
{
    FillChoiceBoxes();
    model_->SetDatabase(db_);
    ApplyFilter();
}

void CSitePage::FillChoiceBoxes()
{
    const Language lang = Lang();
    FillChoices(layer_, Tr(kAny, lang), db_ ? db_->Layers() : QStringList{});
    FillChoices(lot_, Tr(kAny, lang), db_ ? db_->Lots() : QStringList{});
}

void CSitePage::RetranslateUi()
{
    const Language lang = Lang();
    fromLabel_->setText(Tr(kFilterFrom, lang));
    toLabel_->setText(Tr(kFilterTo, lang));
    kindLabel_->setText(Tr(kFilterKind, lang));
    layerLabel_->setText(Tr(kFilterLayer, lang));
    lotLabel_->setText(Tr(kFilterLot, lang));
    chainageLabel_->setText(Tr(kFilterChainage, lang));
    chainageToLabel_->setText(Tr(kFilterTo, lang));
    verdictLabel_->setText(Tr(kFilterVerdict, lang));
    textLabel_->setText(Tr(kFilterText, lang));
    clear_->setText(Tr(kClearFilter, lang));
    {
        const QSignalBlocker block(kind_);
        const int at = std::max(0, kind_->currentIndex());
        kind_->clear();
        kind_->addItems({Tr(kAny, lang), QStringLiteral("K30"), QStringLiteral("Ev2")});
        kind_->setCurrentIndex(at);
    }
    {
        const QSignalBlocker block(verdict_);
        const int at = std::max(0, verdict_->currentIndex());
        verdict_->clear();
        verdict_->addItems({Tr(kAny, lang), Tr(kVerdictPass, lang), Tr(kVerdictFail, lang), Tr(kVerdictNone, lang)});
        verdict_->setCurrentIndex(at);
    }
    for (QComboBox* box : {layer_, lot_}) {
        if (box->count() == 0)
            box->addItem(Tr(kAny, lang));
        else
            box->setItemText(0, Tr(kAny, lang));
    }
    {
        const int at = std::max(0, editField_->currentIndex());
        editField_->clear();
        for (const Text* t : kEditableTitles)
            editField_->addItem(Tr(*t, lang));
        editField_->setCurrentIndex(at);
    }
    editLabel_->setText(Tr(kEditField, lang));
    apply_->setText(Tr(kApply, lang));
    undoButton_->setText(Tr(kUndo, lang));
    open_->setText(Tr(kOpenPoint, lang));
    reportPdf_->setText(Tr(kLotReportPdf, lang));
    reportPrint_->setText(Tr(kLotReportPrint, lang));
    export_->setText(Tr(kExportSelection, lang));
    model_->SetLanguage(lang);
    if (db_)
        RequestStatistics();  // the chart's titles too
    else
        ShowStatistics();
}

bool CSitePage::ReadFilter(site::SiteFilter& f)
{
    const Language lang = Lang();
    f = site::SiteFilter{};
    if (from_->date() != kNoDate)
        f.from = from_->date();
    if (to_->date() != kNoDate)
        f.to = to_->date();
    if (kind_->currentIndex() == 1)
        f.kind = site::PointKind::K30;
    else if (kind_->currentIndex() == 2)
        f.kind = site::PointKind::Ev2;
    if (layer_->currentIndex() > 0)
        f.layer = layer_->currentText();
    if (lot_->currentIndex() > 0)
        f.lot = lot_->currentText();
    for (auto [edit, target] : {std::pair{chainageFrom_, &f.chainageFrom}, std::pair{chainageTo_, &f.chainageTo}}) {
        const QString typed = edit->text().trimmed();
        const ChainageParse parsed = ParseChainage(typed.toStdString());
        if (!parsed.ok) {
            prompt_.inform(this, Tr(texts::kAppTitle, lang),
                           Tr(kBadChainage, lang).arg(typed, QString::fromStdString(parsed.error)),
                           Prompt::Icon::Warning);
            edit->setFocus();
            return false;
        }
        *target = parsed.metres;
    }
    switch (verdict_->currentIndex()) {
    case 1: f.verdict = Verdict::Pass; break;
    case 2: f.verdict = Verdict::Fail; break;
    case 3: f.verdict = Verdict::None; break;
    default: break;
    }
    f.text = text_->text().trimmed();
    f.required = Required();
    return true;
}

void CSitePage::ApplyFilter()
{
    site::SiteFilter filter;
    if (!ReadFilter(filter))
        return;
    model_->SetFilter(filter);
    RequestStatistics();
}

void CSitePage::RequestStatistics()
{
    const quint64 request = ++*latestRequest_;
    statsValid_ = false;
    stats_ = {};
    if (!db_) {
        ShowStatistics();
        chart_->SetData({}, Lang());
        return;
    }
    ShowStatistics();
    // A connection belongs to its thread: the worker opens its own. Only the
    // user-interface thread looks at the page.
    statsPool_->start(
        [latest = latestRequest_, request, address = db_->Address(), filter = model_->Filter(), lang = Lang(),
         page = QPointer(this)] {
            if (latest->load() != request)
                return;
            site::SiteDatabase db;
            site::SiteStats stats;
            SiteChartData chart;
            if (db.Open(address)) {
                stats = db.Stats(filter);
                if (latest->load() == request)
                    chart = LotChartData(db, filter, stats, lang);
            }
            if (latest->load() != request)
                return;
            // A failure is shown, never zeros that look like statistics.
            QMetaObject::invokeMethod(
                qApp,
                [page, request, stats, chart = std::move(chart), error = db.LastError()]() mutable {
                    if (page)
                        page->OnStatistics(request, stats, std::move(chart), error);
                },
                Qt::QueuedConnection);
        });
}

void CSitePage::OnStatistics(quint64 request, const site::SiteStats& stats, SiteChartData chart,
                             const QString& error)
{
    if (request != latestRequest_->load())
        return;
    if (!error.isEmpty()) {
        strip_->setText(strip_->text() + QLatin1Char('\n') + Tr(kStatsFailed, Lang()) + error);
        return;
    }
    stats_ = stats;
    statsValid_ = true;
    ShowStatistics();
    chart_->SetData(std::move(chart), Lang());
    UpdateChartSelection();
    emit statisticsShown();
}

void CSitePage::ShowStatistics()
{
    using namespace acceptance_texts;
    const Language lang = Lang();
    if (!db_) {
        strip_->setText(reason_.isEmpty() ? QString() : Tr(kNoDatabase, lang).arg(reason_));
        return;
    }
    const Requirements& req = model_->Filter().required;
    QStringList lines;
    lines << Tr(kShown, lang).arg(model_->TotalCount()).arg(db_->PointCount());
    if (!statsValid_) {
        strip_->setText(lines.front());
        return;
    }
    const bool ev2 = stats_.ev2.count > 0 || stats_.ev2Counts.passed + stats_.ev2Counts.failed + stats_.ev2Counts.none > 0;
    const bool k30 = !ev2 || stats_.k30.count > 0 ||
                     stats_.k30Counts.passed + stats_.k30Counts.failed + stats_.k30Counts.none > 0;
    if (k30)
        lines << StatsLine(kStatsK30, stats_.k30, kK30Decimals, lang) + Tr(kSeparator, lang) +
                     K30RequirementText(req, lang) + Tr(kSeparator, lang) +
                     CountsLine(stats_.k30Counts, req.k30.has_value(), lang);
    if (ev2) {
        lines << StatsLine(kStatsEv2, stats_.ev2, kEv2Decimals, lang) + Tr(kSeparator, lang) +
                     StatsLine(kStatsRatio, stats_.ratio, kRatioDecimals, lang);
        lines << Ev2RequirementText(req, lang) + Tr(kSeparator, lang) +
                     CountsLine(stats_.ev2Counts, req.ev2Min.has_value() || req.ratioMax.has_value(), lang);
    }
    strip_->setText(lines.join(QLatin1Char('\n')));
}

void CSitePage::UpdateChartSelection()
{
    const std::vector<qint64> ids = SelectedIds();
    const std::set<qint64> chosen(ids.begin(), ids.end());
    SiteChartData shown = chart_->Data();
    for (SiteChartPoint& p : shown.points)
        p.selected = chosen.count(p.id) > 0;
    chart_->SetData(std::move(shown), Lang());
}

std::vector<qint64> CSitePage::SelectedIds() const
{
    std::vector<qint64> ids;
    for (const QModelIndex& index : view_->selectionModel()->selectedRows())
        ids.push_back(model_->PointAt(index.row()).id);
    std::sort(ids.begin(), ids.end());
    return ids;
}

std::vector<site::SitePoint> CSitePage::SelectedPoints() const
{
    std::vector<int> rows;
    for (const QModelIndex& index : view_->selectionModel()->selectedRows())
        rows.push_back(index.row());
    std::sort(rows.begin(), rows.end());
    std::vector<site::SitePoint> points;
    for (const int r : rows)
        points.push_back(model_->PointAt(r));
    return points;
}

void CSitePage::OnEditRequested(int row, int column, const QString& text)
{
    // Typing into a cell of a selected row sets the field of every selected row.
    std::vector<qint64> ids;
    if (view_->selectionModel()->isRowSelected(row, {}))
        ids = SelectedIds();
    else
        ids = {model_->PointAt(row).id};
    ApplyEdit(ids, column, text);
}

void CSitePage::OnApplyClicked()
{
    const int field = editField_->currentIndex();
    if (field < 0)
        return;
    ApplyEdit(SelectedIds(), kEditableColumns[static_cast<std::size_t>(field)], editValue_->text().trimmed());
}

bool CSitePage::ApplyEdit(const std::vector<qint64>& ids, int column, const QString& text)
{
    const Language lang = Lang();
    if (!db_ || !SiteTableModel::IsEditable(column))
        return false;
    if (ids.empty()) {
        prompt_.inform(this, Tr(texts::kAppTitle, lang), Tr(kNothingSelected, lang), Prompt::Icon::Information);
        return false;
    }
    if (column == SiteTableModel::Chainage) {
        const ChainageParse parsed = ParseChainage(text.toStdString());
        if (!parsed.ok) {
            prompt_.inform(this, Tr(texts::kAppTitle, lang),
                           Tr(kBadChainage, lang).arg(text, QString::fromStdString(parsed.error)),
                           Prompt::Icon::Warning);
            return false;
        }
    }
    // The command reports back when the database took the edit; a refused
    // edit is dropped by the stack as obsolete.
    // The window's stack may outlive the page.
    auto reached = std::make_shared<bool>(false);
    undo_->push(new SiteEditCommand(*db_, ids, SiteTableModel::EditOf(column, text),
                                    Tr(kUndoEdit, lang).arg(ids.size()), [page = QPointer(this), ids, reached] {
                                        *reached = true;
                                        if (page)
                                            page->AfterEdit(ids);
                                    }));
    if (!*reached) {
        prompt_.inform(this, Tr(texts::kAppTitle, lang), Tr(kEditFailed, lang) + db_->LastError(),
                       Prompt::Icon::Warning);
        return false;
    }
    return true;
}

void CSitePage::AfterEdit(const std::vector<qint64>& ids)
{
    model_->Reload();
    FillChoiceBoxes();
    RequestStatistics();
    // The edited points stay selected where they are still listed.
    QItemSelection selection;
    for (const qint64 id : ids) {
        const int row = model_->RowOfId(id);
        if (row >= 0)
            selection.select(model_->index(row, 0), model_->index(row, SiteTableModel::kColumns - 1));
    }
    view_->selectionModel()->select(selection, QItemSelectionModel::ClearAndSelect);
}

void CSitePage::OnOpenClicked()
{
    const QModelIndex current = view_->currentIndex();
    const std::vector<qint64> ids = SelectedIds();
    if (current.isValid() && view_->selectionModel()->isRowSelected(current.row(), {}))
        emit openPointRequested(model_->PointAt(current.row()).id);
    else if (!ids.empty())
        emit openPointRequested(ids.front());
    else
        prompt_.inform(this, Tr(texts::kAppTitle, Lang()), Tr(kNothingSelected, Lang()), Prompt::Icon::Information);
}

LotReportData CSitePage::LotReport(const ReportHeader& header) const
{
    if (!db_)
        return {};
    return BuildLotReport(*db_, model_->Filter(), model_->Sort(), header, Lang(), statsValid_ ? &stats_ : nullptr);
}

}  // namespace k30
