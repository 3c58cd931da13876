#pragma once

#include <QWidget>

#include <functional>

#include "Acceptance.h"

class QLabel;
class QTableView;

namespace k30 {

class K30ListModel;
class ListColumns;
class TestDataStore;

// List page: every K30 point in one row, judged by the requirements in force,
// and a strip with the statistics of the list under it. Refilled on every
// activation and when a requirement changes.
class CListData : public QWidget {
    Q_OBJECT
public:
    explicit CListData(TestDataStore& store, QWidget* parent = nullptr);
    ~CListData() override;

    // Where the requirements in force come from (the report header page);
    // without one nothing is required.
    void SetRequirementSource(std::function<Requirements()> source);

    void OnActivated();    // refills the list and the statistics
    void RetranslateUi();  // the label, the column titles and the statistics
    K30ListModel* Model() const { return model_; }
    QTableView* View() const { return view_; }
    QLabel* StatisticsStrip() const { return strip_; }
    ListColumns* Columns() const { return columns_; }

private:
    TestDataStore& store_;
    QLabel* label_;
    QTableView* view_;
    K30ListModel* model_;
    QLabel* strip_;
    ListColumns* columns_;
    std::function<Requirements()> requirements_;

    void ShowStatistics();
};

}  // namespace k30
