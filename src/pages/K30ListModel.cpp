#include "K30ListModel.h"

#include <QColor>

#include "AcceptanceFormat.h"
#include "AcceptanceTexts.h"
#include "Format.h"
#include "PageTexts.h"
#include "TestDataStore.h"
#include "UiText.h"

namespace k30 {

namespace {
constexpr int kFirstPairColumn = 3;
constexpr int kStartColumn = kFirstPairColumn + 2 * kUsedPairs;
// Light enough to read every cell through.
const QColor kFailTint(255, 214, 214);
}  // namespace

K30ListModel::K30ListModel(const TestDataStore& store, Language titleLanguage, QObject* parent)
    : QAbstractTableModel(parent), store_(store), titleLanguage_(titleLanguage)
{
    assessment_ = AssessStore(store_, {});
    rows_ = static_cast<int>(assessment_.k30.size());
}

void K30ListModel::Refill(const Requirements& required)
{
    beginResetModel();
    assessment_ = AssessStore(store_, required);
    rows_ = static_cast<int>(assessment_.k30.size());
    endResetModel();
}

void K30ListModel::Retranslate()
{
    emit headerDataChanged(Qt::Horizontal, kVerdictColumn, kCheckColumn);
    if (rows_ > 0)
        emit dataChanged(index(0, kVerdictColumn), index(rows_ - 1, kCheckColumn));
}

int K30ListModel::rowCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : rows_; }

int K30ListModel::columnCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : kColumns; }

QVariant K30ListModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || index.row() >= rows_ || static_cast<std::size_t>(index.row()) >= store_.ValidCount())
        return {};
    if (role == Qt::TextAlignmentRole)
        return QVariant::fromValue((index.column() == 0 ? Qt::AlignLeft : Qt::AlignRight) | Qt::AlignVCenter);
    const K30Assessment& a = assessment_.k30[static_cast<std::size_t>(index.row())];
    if (role == Qt::BackgroundRole)
        return a.verdict == Verdict::Fail ? QVariant(kFailTint) : QVariant();
    const bool differs = a.agrees == false;
    if (role == Qt::ToolTipRole && index.column() == kCheckColumn && differs)
        return Tr(acceptance_texts::kDiffersTip, store_.nLanguage);
    if (role != Qt::DisplayRole)
        return {};
    const K30& p = store_.k30List[static_cast<std::size_t>(index.row())];
    const int c = index.column();
    switch (c) {
    case kVerdictColumn:
        return K30VerdictText(a, store_.nLanguage);
    case kRecomputedColumn:
        return a.recomputed ? TrimmedText(a.recomputed->k30Text) : QString();
    case kCheckColumn:
        return differs ? Tr(acceptance_texts::kDiffers, store_.nLanguage) : QString();
    case 0:
        return Q(p.name);
    case 1:
        return Q(p.stress125);
    case 2:
        return K30ShownText(p, a);
    case kStartColumn:
        return Q(p.startTime);
    case kStartColumn + 1:
        return Q(p.endTime);
    default:
        break;
    }
    const int pair = (c - kFirstPairColumn) / 2;
    const ReadingPair& r = p.reading[static_cast<std::size_t>(pair)];
    if ((c - kFirstPairColumn) % 2 == 0)
        return Q(FormatFixed(r.stress / 1000.0, 4));
    return Q(FormatFixed(r.settlement / 100.0, 2));
}

void K30ListModel::SetTitleLanguage(Language lang)
{
    titleLanguage_ = lang;
    emit headerDataChanged(Qt::Horizontal, 0, kColumns - 1);
}

QVariant K30ListModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal)
        return QAbstractTableModel::headerData(section, orientation, role);
    // Long titles take two lines in the header.
    if (role == Qt::TextAlignmentRole)
        return QVariant::fromValue((section == 0 ? Qt::AlignLeft : Qt::AlignRight) | Qt::AlignVCenter |
                                   Qt::TextWordWrap);
    // Long titles do not fit their fixed widths: the tip shows them whole.
    if (role != Qt::DisplayRole && role != Qt::ToolTipRole)
        return {};
    const bool tip = role == Qt::ToolTipRole;
    switch (section) {
    case kVerdictColumn:
        return Tr(tip ? acceptance_texts::kVerdictTip : acceptance_texts::kColVerdict, store_.nLanguage);
    case kRecomputedColumn:
        return Tr(tip ? acceptance_texts::kRecomputedTip : acceptance_texts::kColRecomputedK30, store_.nLanguage);
    case kCheckColumn:
        return Tr(tip ? acceptance_texts::kDiffersTip : acceptance_texts::kColCheck, store_.nLanguage);
    default:
        break;
    }
    const Language lang = titleLanguage_;
    switch (section) {
    case 0:
        return Tr(texts::kColTestNumber, lang);
    case 1:
        return Tr(texts::kColStress125, lang);
    case 2:
        return Tr(texts::kColK30, lang);
    case kStartColumn:
        return Tr(texts::kColStartTime, lang);
    case kStartColumn + 1:
        return Tr(texts::kColEndTime, lang);
    default:
        break;
    }
    const int pair = (section - kFirstPairColumn) / 2 + 1;
    const Text& kind = (section - kFirstPairColumn) % 2 == 0 ? texts::kColStress : texts::kColSettlement;
    return QString::number(pair) + Tr(kind, lang);
}

int K30ListModel::ColumnWidth(int column)
{
    switch (column) {
    case 0:
        return 70;
    case 1:
        return 190;
    case 2:
        return 160;
    case kStartColumn:
    case kStartColumn + 1:
        return 160;
    case kVerdictColumn:
        return 110;
    case kRecomputedColumn:
        return 210;
    case kCheckColumn:
        return 70;
    default:
        return (column - kFirstPairColumn) % 2 == 0 ? 80 : 70;
    }
}

}  // namespace k30
