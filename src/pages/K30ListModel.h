#pragma once

#include <QAbstractTableModel>

#include "Language.h"

namespace k30 {

class TestDataStore;

// The K30 points of the store as the list page shows them: name, results,
// sixteen stress/settlement pairs, start and end time (37 columns).
class K30ListModel : public QAbstractTableModel {
    Q_OBJECT
public:
    static constexpr int kColumns = 37;

    K30ListModel(const TestDataStore& store, Language titleLanguage, QObject* parent = nullptr);

    // The language of the column titles; the list page follows the language commands.
    void SetTitleLanguage(Language lang);

    // Reads the store again (the list page refills on every activation).
    void Refill();

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

    static int ColumnWidth(int column);

private:
    const TestDataStore& store_;
    Language titleLanguage_;
    int rows_ = 0;
};

}  // namespace k30
