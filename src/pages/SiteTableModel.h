#pragma once

#include <QAbstractTableModel>

#include <vector>

#include "Language.h"
#include "LotReportData.h"
#include "SiteTypes.h"

namespace k30::site {
class SiteDatabase;
}

namespace k30 {

// The points of the site database that a filter chooses, as the site page
// lists them. Rows are fetched a block at a time as the view scrolls
// (canFetchMore/fetchMore over the paged query), so a million points cost no
// more to show than a hundred. Sorting asks the database again. Edits of the
// engineer's fields are not applied here: they are handed to the page, which
// applies them to the selection through its undo stack.
class SiteTableModel : public QAbstractTableModel {
    Q_OBJECT
public:
    enum Column { Kind, Name, Date, Chainage, Offset, Layer, Lot, Value, Ratio, Verdict, Remark, Transfer, kColumns };
    static constexpr int kBlock = 200;

    SiteTableModel(Language lang, QObject* parent = nullptr);

    // No database: an empty list.
    void SetDatabase(site::SiteDatabase* db);
    void SetLanguage(Language lang);
    void SetFilter(const site::SiteFilter& filter);
    const site::SiteFilter& Filter() const { return filter_; }
    site::SiteSort Sort() const { return sort_; }

    // Asks the database again, keeping at least as many rows loaded as before
    // (after an edit, an import or an undo).
    void Reload();

    qint64 TotalCount() const { return total_; }
    const site::SitePoint& PointAt(int row) const { return rows_.at(static_cast<std::size_t>(row)); }
    const std::vector<site::SitePoint>& LoadedPoints() const { return rows_; }
    // The row of a loaded point, or -1.
    int RowOfId(qint64 id) const;

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role) override;
    bool canFetchMore(const QModelIndex& parent) const override;
    void fetchMore(const QModelIndex& parent) override;
    void sort(int column, Qt::SortOrder order) override;

    static bool IsEditable(int column);
    // The edit that sets one editable column to a text.
    static site::PointEdit EditOf(int column, const QString& text);

signals:
    // A cell of an editable column was changed in the view.
    void editRequested(int row, int column, const QString& text);

private:
    void Requery(qint64 keepLoaded);

    site::SiteDatabase* db_ = nullptr;
    Language lang_;
    site::SiteFilter filter_;
    site::SiteSort sort_;
    qint64 total_ = 0;
    std::vector<site::SitePoint> rows_;
};

}  // namespace k30
