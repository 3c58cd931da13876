#include "CTestK30.h"

#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QScrollBar>
#include <QStringList>
#include <QWheelEvent>

#include <algorithm>

#include "Acceptance.h"
#include "AcceptanceFormat.h"
#include "K30ChartView.h"
#include "K30Evaluation.h"
#include "Prompt.h"
#include "TestDataStore.h"
#include "TestK30Texts.h"
#include "Texts.h"
#include "TypedNumberBox.h"
#include "UiText.h"

namespace k30 {

namespace {

namespace t = testk30texts;

// The reading column, in page pixels before the scroll offset is added.
constexpr int kHeaderY = 20;
constexpr int kZeroRowY = 33;
constexpr int kRowPitch = 26;
constexpr int kWideGap = 40;  // before pairs 8 and 11, grouping the load steps
constexpr int kStressX = 60;
constexpr int kSettlementX = 125;
constexpr int kRowNumberX = 31;
constexpr int kBoxWidth = 60;
constexpr int kBoxHeight = 21;
constexpr int kScrollBarWidth = 17;

// Scrolling moves the column by a quarter of the bar position; the bottom
// code jumps to the lowest column position.
constexpr int kBottomPosition = 800;
constexpr int kBottomOffset = -200;

// The chart frame at the first size: fifteen 40-pixel columns and four
// 80-pixel rows, to the right of the column and below the result boxes.
const QRect kChartFrame(290, 165, 600, 320);

int RowY(int pair)
{
    int y = kZeroRowY + pair * kRowPitch;
    if (pair >= 8)
        y += kWideGap - kRowPitch;
    if (pair >= 11)
        y += kWideGap - kRowPitch;
    return y;
}

QLabel* MakeLabel(QWidget* parent, const QRect& geometry, Qt::Alignment align = Qt::AlignLeft | Qt::AlignVCenter)
{
    auto* label = new QLabel(parent);
    label->setGeometry(geometry);
    label->setAlignment(align);
    return label;
}

QLineEdit* MakeBox(QWidget* parent, const QString& name, const QRect& geometry)
{
    auto* box = new QLineEdit(parent);
    box->setObjectName(name);
    box->setGeometry(geometry);
    box->setEnabled(false);
    return box;
}

// Results stay legible while the box is closed for typing.
void MakeResultColours(QLineEdit* box)
{
    QPalette pal = box->palette();
    pal.setColor(QPalette::Disabled, QPalette::Text, pal.color(QPalette::Active, QPalette::Text));
    box->setPalette(pal);
}

// Red readings on white, whether the box is open for typing or not.
void MakeReadingColours(QLineEdit* box)
{
    QPalette pal = box->palette();
    for (QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled}) {
        pal.setColor(group, QPalette::Text, QColor(255, 0, 0));
        pal.setColor(group, QPalette::Base, Qt::white);
    }
    box->setPalette(pal);
}

}  // namespace

CTestK30::CTestK30(TestDataStore& store, Prompt& prompt, QWidget* parent)
    : QWidget(parent), store_(store), prompt_(prompt)
{
    CreateControls();
    chart_->SetReadings(StressTexts(), SettlementTexts());
    RetranslateUi();
    SetUpScrollBar();
}

void CTestK30::CreateControls()
{
    loadGroup_ = new QGroupBox(this);
    stressHeader_ = MakeLabel(this, {}, Qt::AlignLeft | Qt::AlignBottom);
    settlementHeader_ = MakeLabel(this, {}, Qt::AlignLeft | Qt::AlignBottom);
    zeroRowLabel_ = MakeLabel(this, {}, Qt::AlignRight | Qt::AlignVCenter);
    for (std::size_t i = 0; i < rowNumbers_.size(); ++i) {
        rowNumbers_[i] = MakeLabel(this, {});
        rowNumbers_[i]->setText(QString::number(i + 1));
    }
    for (std::size_t p = 0; p < kUsedPairs; ++p) {
        stressBoxes_[p] = MakeBox(this, QStringLiteral("stress%1").arg(p), {});
        settlementBoxes_[p] = MakeBox(this, QStringLiteral("settlement%1").arg(p), {});
        MakeReadingColours(stressBoxes_[p]);
        MakeReadingColours(settlementBoxes_[p]);
        MarkBoxAsTyped(stressBoxes_[p], store_.nLanguage);
        MarkBoxAsTyped(settlementBoxes_[p], store_.nLanguage);
    }

    chooserLabel_ = MakeLabel(this, {230, 16, 110, 20}, Qt::AlignRight | Qt::AlignVCenter);
    chooser_ = new QComboBox(this);
    chooser_->setObjectName(QStringLiteral("chooser"));
    chooser_->setGeometry(345, 14, 130, 24);
    testTypeLabel_ = MakeLabel(this, {490, 16, 100, 20}, Qt::AlignRight | Qt::AlignVCenter);
    testTypeBox_ = MakeBox(this, QStringLiteral("testType"), {595, 15, 90, 22});
    designLoadLabel_ = MakeLabel(this, {690, 16, 110, 20}, Qt::AlignRight | Qt::AlignVCenter);
    designLoadBox_ = MakeBox(this, QStringLiteral("designLoad"), {805, 15, 90, 22});
    stress125Label_ = MakeLabel(this, {230, 56, 360, 20}, Qt::AlignRight | Qt::AlignVCenter);
    stress125Box_ = MakeBox(this, QStringLiteral("stress125"), {595, 55, 90, 22});
    k30Label_ = MakeLabel(this, {230, 88, 360, 20}, Qt::AlignRight | Qt::AlignVCenter);
    k30Box_ = MakeBox(this, QStringLiteral("k30Value"), {595, 87, 90, 22});
    for (QLineEdit* box : {testTypeBox_, designLoadBox_, stress125Box_, k30Box_})
        MakeResultColours(box);
    computeButton_ = new QPushButton(this);
    computeButton_->setObjectName(QStringLiteral("compute"));
    computeButton_->setGeometry(720, 68, 100, 30);
    computeButton_->setEnabled(false);

    chart_ = new K30ChartView(this);
    chart_->setObjectName(QStringLiteral("chart"));
    chart_->setGeometry(kChartFrame.marginsAdded(K30ChartView::kMargins));

    scrollBar_ = new QScrollBar(Qt::Vertical, this);
    scrollBar_->setObjectName(QStringLiteral("scrollBar"));

    // What a person types is work the document must know of until computed.
    const std::vector<QLineEdit*> entry = EntryBoxes();
    for (std::size_t i = 0; i < entry.size(); ++i)
        connect(entry[i], &QLineEdit::textEdited, this,
                [this, i](const QString& text) { store_.document.Typed(Document::Entry::K30, i, S(text)); });

    connect(chooser_, &QComboBox::currentIndexChanged, this, [this] { ShowK30Point(); });
    connect(computeButton_, &QPushButton::clicked, this, &CTestK30::Compute);
    connect(scrollBar_, &QScrollBar::actionTriggered, this, &CTestK30::OnScrollAction);
}

void CTestK30::RetranslateUi()
{
    const Language lang = store_.nLanguage;
    loadGroup_->setTitle(Tr(t::kLoadGroup, lang));
    stressHeader_->setText(Tr(texts::kStress, lang));
    settlementHeader_->setText(Tr(texts::kSettlement, lang));
    zeroRowLabel_->setText(Tr(t::kZeroRow, lang));
    stress125Label_->setText(Tr(texts::kStress125Caption, lang));
    k30Label_->setText(Tr(t::kK30Label, lang));
    chooserLabel_->setText(Tr(t::kChooserLabel, lang));
    testTypeLabel_->setText(Tr(t::kTestTypeLabel, lang));
    designLoadLabel_->setText(Tr(t::kDesignLoadLabel, lang));
    computeButton_->setText(Tr(t::kComputeButton, lang));
    for (std::size_t p = 0; p < kUsedPairs; ++p) {
        ReadAndMarkBox(stressBoxes_[p], lang);
        ReadAndMarkBox(settlementBoxes_[p], lang);
    }
    chart_->SetLanguage(lang);  // the chart's texts and face follow the language
}

void CTestK30::OnActivated()
{
    // Typed readings not yet computed stay while the store still holds the
    // point they were typed into.
    const int k = chooser_->currentIndex();
    const bool typing = computeButton_->isEnabled() && shownRecord_ && k >= 0 &&
                        static_cast<std::size_t>(k) < store_.ValidCount() &&
                        store_.K30PointAt(static_cast<std::size_t>(k)) == *shownRecord_;
    if (typing) {
        store_.strCurK30Name = shownRecord_->name;
        return;
    }
    SetUpScrollBar();
    SelectFirstAndShow();
}

void CTestK30::RefillK30Chooser()
{
    const QSignalBlocker block(chooser_);
    chooser_->clear();
    const std::size_t n = store_.ValidCount();
    for (std::size_t k = 0; k < n; ++k)
        chooser_->addItem(Q(store_.K30PointAt(k).name));
}

void CTestK30::SelectFirstAndShow()
{
    RefillK30Chooser();
    {
        const QSignalBlocker block(chooser_);
        chooser_->setCurrentIndex(chooser_->count() > 0 ? 0 : -1);
    }
    ShowK30Point();
}

int CTestK30::ShownIndex() const { return chooser_->currentIndex(); }

bool CTestK30::ShowPointAt(int index)
{
    if (chooser_->count() != static_cast<int>(store_.ValidCount()))
        RefillK30Chooser();
    if (index < 0 || index >= chooser_->count())
        return false;
    if (index == chooser_->currentIndex())
        ShowK30Point();
    else
        chooser_->setCurrentIndex(index);  // shows it
    return true;
}

void CTestK30::ShowK30Point()
{
    const int k = chooser_->currentIndex();
    if (k < 0 || static_cast<std::size_t>(k) >= store_.ValidCount()) {
        // No point to show: nothing on the page may pass for one.
        store_.strCurK30Name.clear();
        for (std::size_t p = 0; p < kUsedPairs; ++p) {
            stressBoxes_[p]->clear();
            settlementBoxes_[p]->clear();
        }
        for (QLineEdit* box : {stress125Box_, k30Box_, testTypeBox_, designLoadBox_})
            box->clear();
        shownRecord_.reset();
        NoteEntryFilled();
        RecomputeCurve();
        return;
    }
    const K30& point = store_.K30PointAt(static_cast<std::size_t>(k));
    store_.strCurK30Name = point.name;
    for (std::size_t p = 0; p < kUsedPairs; ++p) {
        stressBoxes_[p]->setText(Q(StressText(point.reading[p].stress)));
        settlementBoxes_[p]->setText(Q(SettlementText(point.reading[p].settlement)));
    }
    stress125Box_->setText(Q(point.stress125));
    // A point that never reaches 1.25 mm shows its lower bound, not the instrument's 0.
    k30Box_->setText(K30ShownText(point, AssessK30Point(point, store_.bManualInput, {})));
    testTypeBox_->setText(Q(point.testType));
    designLoadBox_->setText(Q(point.designLoad));
    shownRecord_ = point;
    NoteEntryFilled();
    RecomputeCurve();
}

std::vector<QLineEdit*> CTestK30::EntryBoxes() const
{
    std::vector<QLineEdit*> boxes(stressBoxes_.begin(), stressBoxes_.end());
    boxes.insert(boxes.end(), settlementBoxes_.begin(), settlementBoxes_.end());
    boxes.push_back(testTypeBox_);
    boxes.push_back(designLoadBox_);
    return boxes;
}

void CTestK30::NoteEntryFilled()
{
    if (!computeButton_->isEnabled()) {
        store_.document.EntryClosed(Document::Entry::K30);
        return;
    }
    std::vector<std::string> texts;
    for (const QLineEdit* box : EntryBoxes())
        texts.push_back(S(box->text()));
    store_.document.EntryFilled(Document::Entry::K30, std::move(texts));
}

void CTestK30::EnableManualEntry() { SetReadingEntryEnabled(true); }

void CTestK30::DisableReadingEntry() { SetReadingEntryEnabled(false); }

void CTestK30::SetReadingEntryEnabled(bool enabled)
{
    for (std::size_t p = 0; p < kUsedPairs; ++p) {
        stressBoxes_[p]->setEnabled(enabled);
        settlementBoxes_[p]->setEnabled(enabled);
    }
    testTypeBox_->setEnabled(enabled);
    designLoadBox_->setEnabled(enabled);
    computeButton_->setEnabled(enabled);
    if (!enabled)
        store_.document.EntryClosed(Document::Entry::K30);
}

void CTestK30::Compute()
{
    const Language lang = store_.nLanguage;
    K30 point;
    point.name = S(chooser_->currentText());
    point.testType = S(testTypeBox_->text());
    point.designLoad = S(designLoadBox_->text());
    // A text that is no number is said, box by box; nothing is computed.
    QStringList refused;
    for (std::size_t p = 0; p < kUsedPairs; ++p) {
        const QString row = p == 0 ? Tr(t::kZeroRow, lang) : QString::number(p);
        const std::optional<float> stress = StressFromText(S(stressBoxes_[p]->text()));
        const std::optional<float> settlement = SettlementFromText(S(settlementBoxes_[p]->text()));
        if (stress)
            point.reading[p].stress = *stress;
        else
            refused << Tr(typed_texts::kBoxLine, lang).arg(Tr(texts::kStress, lang), row, stressBoxes_[p]->text());
        if (settlement)
            point.reading[p].settlement = *settlement;
        else
            refused << Tr(typed_texts::kBoxLine, lang)
                           .arg(Tr(texts::kSettlement, lang), row, settlementBoxes_[p]->text());
    }
    if (!refused.isEmpty()) {
        prompt_.inform(this, Tr(texts::kAppTitle, lang),
                       Tr(typed_texts::kNothingComputed, lang) + QLatin1Char('\n') + refused.join(QLatin1Char('\n')),
                       Prompt::Icon::Warning);
        return;
    }

    const std::optional<K30Result> result = ComputeK30(point.reading);
    if (result) {
        point.stress125 = result->stress125Text;
        point.k30Value = result->k30Text;
        stress125Box_->setText(Q(point.stress125));
        k30Box_->setText(Q(point.k30Value));
        testTypeBox_->setText(Q(point.testType));
        designLoadBox_->setText(Q(point.designLoad));
    } else {
        // A result left from an earlier compute would pass for this one's.
        stress125Box_->clear();
        k30Box_->clear();
    }

    // The store is complete before any message box runs its own event loop.
    store_.ClearK30Points();
    store_.AddK30Point(point);
    store_.nK30Count = 1;
    shownRecord_.reset();
    NoteEntryFilled();
    RecomputeCurve();

    if (!result)
        prompt_.inform(this, Tr(texts::kAppTitle, store_.nLanguage), Tr(texts::kReenterData, store_.nLanguage),
                       Prompt::Icon::Warning);
}

std::array<QString, kUsedPairs> CTestK30::StressTexts() const
{
    std::array<QString, kUsedPairs> texts;
    for (std::size_t p = 0; p < kUsedPairs; ++p)
        texts[p] = stressBoxes_[p]->text();
    return texts;
}

std::array<QString, kUsedPairs> CTestK30::SettlementTexts() const
{
    std::array<QString, kUsedPairs> texts;
    for (std::size_t p = 0; p < kUsedPairs; ++p)
        texts[p] = settlementBoxes_[p]->text();
    return texts;
}

void CTestK30::RecomputeCurve() { chart_->SetReadings(StressTexts(), SettlementTexts()); }

ChartFrame CTestK30::Frame() const
{
    const ChartFrame f = chart_->Frame();
    const QPoint at = chart_->pos();
    return {f.left + at.x(), f.top + at.y(), f.right + at.x(), f.bottom + at.y()};
}

ChartCurve CTestK30::Curve() const
{
    ChartCurve curve = chart_->Curve();
    for (QPoint& p : curve)
        p += chart_->pos();
    return curve;
}

void CTestK30::SetUpScrollBar()
{
    const int h = height();
    const int page = std::max(1, h - 30);
    scrollBar_->setGeometry(width() - kScrollBarWidth, 0, kScrollBarWidth, h);
    const QSignalBlocker block(scrollBar_);
    scrollBar_->setRange(0, std::max(0, 2 * (h - 30)));
    scrollBar_->setPageStep(page);
    scrollBar_->setSingleStep(std::max(1, scrollBar_->maximum() / 4));
    scrollBar_->setValue(0);
    LayOut(0);
}

void CTestK30::LayOut(int offset)
{
    scrollOffset_ = offset;
    loadGroup_->setGeometry(8, 0 + offset, 200, RowY(kUsedPairs - 1) + kBoxHeight + 12);
    // Header texts may be wider than their box ("Settlement").
    stressHeader_->setGeometry(kStressX, kHeaderY - 8 + offset, kSettlementX - kStressX, 20);
    settlementHeader_->setGeometry(kSettlementX, kHeaderY - 8 + offset, 80, 20);
    zeroRowLabel_->setGeometry(12, RowY(0) + offset, kStressX - 16, kBoxHeight);
    for (int p = 0; p < kUsedPairs; ++p) {
        const int y = RowY(p) + offset;
        stressBoxes_[static_cast<std::size_t>(p)]->setGeometry(kStressX, y, kBoxWidth, kBoxHeight);
        settlementBoxes_[static_cast<std::size_t>(p)]->setGeometry(kSettlementX, y, kBoxWidth, kBoxHeight);
        if (p >= 1)
            rowNumbers_[static_cast<std::size_t>(p - 1)]->setGeometry(kRowNumberX, y, kStressX - kRowNumberX - 4,
                                                                      kBoxHeight);
    }
}

void CTestK30::OnScrollAction(int action)
{
    // The bar has already moved to where it would go; decide where it goes.
    const int before = scrollBar_->value();
    const int quarter = std::max(1, (scrollBar_->maximum() - scrollBar_->minimum()) / 4);
    auto bounded = [this](int p) { return std::clamp(p, scrollBar_->minimum(), scrollBar_->maximum()); };
    int position = before;
    int offset = scrollOffset_;
    switch (action) {
    case QAbstractSlider::SliderSingleStepSub:
    case QAbstractSlider::SliderPageStepSub:
        position = bounded(before - quarter);
        offset = -position / 4;
        break;
    case QAbstractSlider::SliderSingleStepAdd:
        position = bounded(before + quarter);
        offset = -position / 4;
        break;
    case QAbstractSlider::SliderMove:
        position = scrollBar_->sliderPosition();
        offset = -position / 4;
        break;
    case QAbstractSlider::SliderToMinimum:
        position = 0;
        offset = 0;
        break;
    case QAbstractSlider::SliderToMaximum:
        position = bounded(kBottomPosition);
        offset = kBottomOffset;
        break;
    default:  // page down: the column stays where it is
        break;
    }
    scrollBar_->setSliderPosition(position);
    if (offset != scrollOffset_)
        LayOut(offset);
}

void CTestK30::resizeEvent(QResizeEvent*)
{
    // The chart takes the room right of the reading column and below the
    // results, never narrower than its first size; on a low screen it gets
    // lower (down to half its first height) so that it shows whole.
    const QRect first = kChartFrame.marginsAdded(K30ChartView::kMargins);
    chart_->setGeometry(first.left(), first.top(),
                        std::max(first.width(), width() - kScrollBarWidth - first.left()),
                        std::max(first.height() / 2, height() - first.top()));
    SetUpScrollBar();
}

void CTestK30::wheelEvent(QWheelEvent* event)
{
    // The wheel over the page moves the reading column a quarter of the bar
    // per notch, as the line arrows do.
    const int notches = event->angleDelta().y() / 120;
    if (notches == 0) {
        event->ignore();
        return;
    }
    scrollBar_->setSliderPosition(scrollBar_->sliderPosition() - notches * scrollBar_->singleStep());
    event->accept();
}

}  // namespace k30
