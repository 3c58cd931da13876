#include "SiteTableModel.h"

#include <QColor>
#include <QDate>

#include <algorithm>
#include <array>

#include "AcceptanceFormat.h"
#include "SiteDatabase.h"
#include "SiteTexts.h"
#include "UiText.h"

namespace k30 {

namespace {

using namespace site_texts;

const QColor kFailTint(255, 214, 214);

constexpr std::array<const Text*, SiteTableModel::kColumns> kTitles{
    &kColKind, &kColName, &kColDate, &kColChainage, &kColOffset, &kColLayer,
    &kColLot,  &kColValue, &kColRatio, &kColVerdict, &kColRemark, &kColTransfer};

site::SortColumn SortColumnOf(int column)
{
    using site::SortColumn;
    switch (column) {
    case SiteTableModel::Kind: return SortColumn::Kind;
    case SiteTableModel::Name: return SortColumn::Name;
    case SiteTableModel::Date: return SortColumn::Date;
    case SiteTableModel::Chainage: return SortColumn::Chainage;
    case SiteTableModel::Offset: return SortColumn::Offset;
    case SiteTableModel::Layer: return SortColumn::Layer;
    case SiteTableModel::Lot: return SortColumn::Lot;
    case SiteTableModel::Value: return SortColumn::Value;
    case SiteTableModel::Ratio: return SortColumn::Ratio;
    case SiteTableModel::Verdict: return SortColumn::Verdict;
    case SiteTableModel::Transfer: return SortColumn::Transfer;
    default: return SortColumn::Id;
    }
}

}  // namespace

SiteTableModel::SiteTableModel(Language lang, QObject* parent) : QAbstractTableModel(parent), lang_(lang) {}

void SiteTableModel::SetDatabase(site::SiteDatabase* db)
{
    db_ = db;
    Requery(0);
}

void SiteTableModel::SetLanguage(Language lang)
{
    lang_ = lang;
    emit headerDataChanged(Qt::Horizontal, 0, kColumns - 1);
    if (!rows_.empty())
        emit dataChanged(index(0, 0), index(rowCount() - 1, kColumns - 1));
}

void SiteTableModel::SetFilter(const site::SiteFilter& filter)
{
    filter_ = filter;
    Requery(0);
}

void SiteTableModel::Reload() { Requery(static_cast<qint64>(rows_.size())); }

void SiteTableModel::Requery(qint64 keepLoaded)
{
    beginResetModel();
    rows_.clear();
    total_ = db_ && db_->IsOpen() ? db_->Count(filter_) : 0;
    const qint64 first = std::min(total_, std::max<qint64>(keepLoaded, kBlock));
    if (first > 0)
        rows_ = db_->Points(filter_, sort_, 0, first);
    endResetModel();
}

int SiteTableModel::RowOfId(qint64 id) const
{
    const auto it = std::find_if(rows_.begin(), rows_.end(), [id](const site::SitePoint& p) { return p.id == id; });
    return it == rows_.end() ? -1 : static_cast<int>(it - rows_.begin());
}

int SiteTableModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : static_cast<int>(rows_.size());
}

int SiteTableModel::columnCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : kColumns; }

bool SiteTableModel::canFetchMore(const QModelIndex& parent) const
{
    return !parent.isValid() && static_cast<qint64>(rows_.size()) < total_;
}

void SiteTableModel::fetchMore(const QModelIndex& parent)
{
    if (!canFetchMore(parent) || !db_)
        return;
    std::vector<site::SitePoint> more = db_->Points(filter_, sort_, static_cast<qint64>(rows_.size()), kBlock);
    if (more.empty()) {
        // The database holds fewer than it counted (another workbench deleted): stop asking.
        total_ = static_cast<qint64>(rows_.size());
        return;
    }
    const int first = static_cast<int>(rows_.size());
    beginInsertRows({}, first, first + static_cast<int>(more.size()) - 1);
    rows_.insert(rows_.end(), std::make_move_iterator(more.begin()), std::make_move_iterator(more.end()));
    endInsertRows();
}

void SiteTableModel::sort(int column, Qt::SortOrder order)
{
    sort_ = site::SiteSort{SortColumnOf(column), order == Qt::DescendingOrder};
    Requery(0);
}

QVariant SiteTableModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || index.row() >= static_cast<int>(rows_.size()))
        return {};
    const site::SitePoint& p = rows_[static_cast<std::size_t>(index.row())];
    if (role == Qt::BackgroundRole)
        return p.verdict == k30::Verdict::Fail ? QVariant(kFailTint) : QVariant();
    if (role == Qt::ToolTipRole && index.column() == Transfer)
        return p.transfer;
    if (role != Qt::DisplayRole && role != Qt::EditRole)
        return {};
    const bool k30 = p.kind == site::PointKind::K30;
    switch (index.column()) {
    case Kind: return k30 ? QStringLiteral("K30") : QStringLiteral("Ev2");
    case Name: return p.name;
    case Date: return SitePointDate(p);
    case Chainage: return p.chainage;
    case Offset: return p.offset;
    case Layer: return p.layer;
    case Lot: return p.lot;
    case Value: return SitePointValue(p);
    case Ratio: return k30 ? QString() : p.ratio;
    case Verdict: return VerdictQText(p.verdict, lang_);
    case Remark: return p.remark;
    case Transfer: return p.transfer.left(12);
    default: return {};
    }
}

QVariant SiteTableModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole || section < 0 || section >= kColumns)
        return QAbstractTableModel::headerData(section, orientation, role);
    return Tr(*kTitles[static_cast<std::size_t>(section)], lang_);
}

bool SiteTableModel::IsEditable(int column)
{
    return column == Chainage || column == Offset || column == Layer || column == Lot || column == Remark;
}

site::PointEdit SiteTableModel::EditOf(int column, const QString& text)
{
    site::PointEdit edit;
    switch (column) {
    case Chainage: edit.chainage = text; break;
    case Offset: edit.offset = text; break;
    case Layer: edit.layer = text; break;
    case Lot: edit.lot = text; break;
    case Remark: edit.remark = text; break;
    default: break;
    }
    return edit;
}

Qt::ItemFlags SiteTableModel::flags(const QModelIndex& index) const
{
    Qt::ItemFlags f = QAbstractTableModel::flags(index);
    if (index.isValid() && IsEditable(index.column()))
        f |= Qt::ItemIsEditable;
    return f;
}

bool SiteTableModel::setData(const QModelIndex& index, const QVariant& value, int role)
{
    if (role != Qt::EditRole || !index.isValid() || !IsEditable(index.column()))
        return false;
    const QString text = value.toString().trimmed();
    if (text == data(index, Qt::EditRole).toString())
        return false;
    emit editRequested(index.row(), index.column(), text);
    return true;
}

}  // namespace k30
