#include "Ev2ListModel.h"

#include <QColor>

#include "AcceptanceFormat.h"
#include "Ev2PageTexts.h"
#include "TestDataStore.h"
#include "UiText.h"

namespace k30 {

namespace t = ev2_texts;

QString DateOfTimeText(const std::string& text)
{
    const auto dash = text.rfind('-');
    return dash == std::string::npos ? Q(text) : Q(text.substr(0, dash));
}

QString ClockOfTimeText(const std::string& text)
{
    const auto dash = text.rfind('-');
    return dash == std::string::npos ? QString() : Q(text.substr(dash + 1));
}

Ev2ListModel::Ev2ListModel(const TestDataStore& store, QObject* parent)
    : QAbstractTableModel(parent), store_(store), lang_(store.nLanguage)
{
}

void Ev2ListModel::Refill(const Requirements& required)
{
    beginResetModel();
    assessments_.clear();
    counts_ = {};
    judged_ = required.ev2Min.has_value() || required.ratioMax.has_value();
    for (const Ev2Point& p : store_.ev2List) {
        assessments_.push_back(AssessEv2Point(p, required));
        switch (assessments_.back().verdict) {
        case Verdict::Pass:
            ++counts_.passed;
            break;
        case Verdict::Fail:
            ++counts_.failed;
            break;
        case Verdict::None:
            ++counts_.none;
            break;
        }
    }
    endResetModel();
}

void Ev2ListModel::SetLanguage(Language lang)
{
    lang_ = lang;
    emit headerDataChanged(Qt::Horizontal, 0, kColumns - 1);
    if (!assessments_.empty())
        emit dataChanged(index(0, VerdictColumn), index(rowCount() - 1, VerdictColumn));
}

int Ev2ListModel::rowCount(const QModelIndex& parent) const
{
    if (parent.isValid())
        return 0;
    // The store may have changed since the refill; never read past either.
    return static_cast<int>(std::min(assessments_.size(), store_.ev2List.size()));
}

int Ev2ListModel::columnCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : kColumns; }

QVariant Ev2ListModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || index.row() >= rowCount())
        return {};
    const auto row = static_cast<std::size_t>(index.row());
    const Ev2Assessment& a = assessments_[row];
    if (role == Qt::BackgroundRole)
        return a.verdict == Verdict::Fail ? QVariant(QColor(255, 215, 215)) : QVariant();
    if (role == Qt::TextAlignmentRole)
        return QVariant::fromValue((index.column() <= End ? Qt::AlignLeft : Qt::AlignRight) | Qt::AlignVCenter);
    if (role != Qt::DisplayRole)
        return {};
    const Ev2Point& p = store_.ev2List[row];
    switch (index.column()) {
    case Number:
        return Q(p.name);
    case Date:
        return DateOfTimeText(p.startTime);
    case Start:
        return ClockOfTimeText(p.startTime);
    case End:
        return ClockOfTimeText(p.endTime);
    case Sigma0max:
        return Q(a.result.sigma0maxText);
    case Ev1:
        return Q(a.result.ev1Text);
    case Ev2:
        return Q(a.result.ev2Text);
    case Ratio:
        return Q(a.result.ratioText);
    case VerdictColumn:
        return VerdictQText(a.verdict, lang_);
    default:
        return {};
    }
}

QVariant Ev2ListModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || (role != Qt::DisplayRole && role != Qt::ToolTipRole))
        return QAbstractTableModel::headerData(section, orientation, role);
    static const Text* const titles[kColumns] = {&t::kColNumber,    &t::kColDate, &t::kColStart,
                                                 &t::kColEnd,       &t::kColSigma0max, &t::kColEv1,
                                                 &t::kColEv2,       &t::kColRatio, &t::kColVerdict};
    if (section < 0 || section >= kColumns)
        return {};
    return Tr(*titles[section], lang_);
}

}  // namespace k30
