#pragma once

#include <QWidget>

class QLabel;
class QTableView;

namespace k30 {

class K30ListModel;
class TestDataStore;

// List page: every K30 point in one row, refilled on every activation.
class CListData : public QWidget {
    Q_OBJECT
public:
    explicit CListData(TestDataStore& store, QWidget* parent = nullptr);

    void OnActivated();    // refills the list
    void RetranslateUi();  // the label and the column titles
    K30ListModel* Model() const { return model_; }
    QTableView* View() const { return view_; }

private:
    TestDataStore& store_;
    QLabel* label_;
    QTableView* view_;
    K30ListModel* model_;
};

}  // namespace k30
