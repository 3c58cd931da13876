#pragma once

#include <QAbstractTableModel>

#include "Acceptance.h"
#include "Language.h"

namespace k30 {

class TestDataStore;

// The K30 points of the store as the list page shows them: name, results,
// sixteen stress/settlement pairs, start and end time (37 columns), then the
// acceptance: verdict, recomputed K30 and the mark of a differing instrument.
// Failing rows are tinted.
class K30ListModel : public QAbstractTableModel {
    Q_OBJECT
public:
    static constexpr int kVerdictColumn = 37;
    static constexpr int kRecomputedColumn = 38;
    static constexpr int kCheckColumn = 39;
    static constexpr int kColumns = 40;

    K30ListModel(const TestDataStore& store, Language titleLanguage, QObject* parent = nullptr);

    // The language of the column titles; the list page follows the language commands.
    void SetTitleLanguage(Language lang);

    // Reads the store again and judges its points by these requirements (the
    // list page refills on every activation and when a requirement changes).
    void Refill(const Requirements& required = {});
    const StoreAssessment& Assessment() const { return assessment_; }
    // The acceptance columns' titles and texts in the interface language of now.
    void Retranslate();

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

    static int ColumnWidth(int column);

private:
    const TestDataStore& store_;
    Language titleLanguage_;
    int rows_ = 0;
    StoreAssessment assessment_;
};

}  // namespace k30
