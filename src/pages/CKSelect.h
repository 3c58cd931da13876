#pragma once

#include <QDialog>

#include <vector>

#include "Language.h"

class QListWidget;
class QPushButton;

namespace k30 {

class TestDataStore;

// Chooses the K30 points a project file holds, in the order chosen. The
// choice holds points, not names: two points that share a name are two
// entries, and a point is never chosen twice.
class CKSelect : public QDialog {
    Q_OBJECT
public:
    CKSelect(const TestDataStore& store, Language lang, QWidget* parent = nullptr);

    // Indexes into the store's K30 list, in the order chosen.
    const std::vector<std::size_t>& Chosen() const { return chosen_; }

    QListWidget* AllList() const { return all_; }
    QListWidget* ChosenList() const { return right_; }
    void MoveRight();   // "-->>"
    void MoveLeft();    // "<<--"
    void AddAll();
    void DeleteAll();
    void OnOk();

private:
    void AddChosen(std::size_t point);

    const TestDataStore& store_;
    QListWidget* all_;
    QListWidget* right_;
    std::vector<std::size_t> chosen_;
};

}  // namespace k30
