#pragma once

#include <QDialog>

#include <vector>

#include "Language.h"

class QTableWidget;

namespace k30 {

class TestDataStore;

// A grid with the current name of every K30 point (read-only) and a column
// for the new names.
class CChangeNameK : public QDialog {
    Q_OBJECT
public:
    CChangeNameK(const TestDataStore& store, Language lang, QWidget* parent = nullptr);

    // Column 1 of every row, as typed (empty: keep the old name).
    std::vector<QString> NewNames() const;
    // Column 0: the names the points had when the dialog opened.
    std::vector<QString> ShownNames() const;

    QTableWidget* Grid() const { return grid_; }

private:
    QTableWidget* grid_;
};

}  // namespace k30
