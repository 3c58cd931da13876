#pragma once

#include <QDialog>

#include <vector>

#include "K30.h"
#include "Language.h"

class QListWidget;
class QPushButton;

namespace k30 {

class TestDataStore;

// Chooses the K30 points a project file holds, in the order chosen. The
// choice holds points, not names: two points that share a name are two
// entries, and a point is never chosen twice. The points are copied when the
// dialog opens, so a transfer accepted meanwhile cannot pull them away.
class CKSelect : public QDialog {
    Q_OBJECT
public:
    CKSelect(const TestDataStore& store, Language lang, QWidget* parent = nullptr);

    // Indexes into the K30 list as it was when the dialog opened, in the order chosen.
    const std::vector<std::size_t>& Chosen() const { return chosen_; }
    // Copies of the chosen points, in the order chosen.
    std::vector<K30> ChosenPoints() const;

    QListWidget* AllList() const { return all_; }
    QListWidget* ChosenList() const { return right_; }
    void MoveRight();   // "-->>"
    void MoveLeft();    // "<<--"
    void AddAll();
    void DeleteAll();
    void OnOk();

private:
    void AddChosen(std::size_t point);

    std::vector<K30> points_;
    QListWidget* all_;
    QListWidget* right_;
    std::vector<std::size_t> chosen_;
};

}  // namespace k30
