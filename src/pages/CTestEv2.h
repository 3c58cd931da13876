#pragma once

#include <QStringList>
#include <QWidget>

#include <array>
#include <functional>

#include "Acceptance.h"
#include "Ev2.h"

class QDateEdit;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QScrollArea;
class QTableView;
class QTimeEdit;

namespace k30 {

class Ev2ChartView;
class Ev2ListModel;
class Prompt;
class TestDataStore;

// The Ev2 page: every Ev2 point of the store with its results and verdict,
// the Ev2 statistics, and for the selected point its 17 readings in three
// groups and its chart. Showing a point makes it the current Ev2 point the
// reports print. In manual Ev2 entry the readings, date and times are typed
// and the compute button evaluates them into the store's only Ev2 point.
class CTestEv2 : public QWidget {
    Q_OBJECT
public:
    // requirements: the acceptance requirements in force, asked on every refill.
    CTestEv2(TestDataStore& store, Prompt& prompt, std::function<Requirements()> requirements,
             QWidget* parent = nullptr);

    void RetranslateUi();
    // The page became the active tab: refills the table and shows the current
    // Ev2 point (or the first). Readings being typed stay.
    void OnActivated();
    // Refills the table and selects the point named strCurEv2Name, or the first.
    void Refill();
    // Shows the point of this row (none for -1) and makes it the current Ev2 point.
    void ShowPoint(int row);

    // Manual Ev2 entry: readings, date, times and compute open for typing.
    void EnableManualEntry();
    // Data from the instrument or a file: everything read-only again.
    void DisableReadingEntry();
    bool ManualEntryOpen() const;

    // Evaluates the typed readings into the store's only Ev2 point.
    void Compute();

    // For tests and the window.
    Ev2ListModel* Model() const { return model_; }
    QTableView* View() const { return view_; }
    Ev2ChartView* Chart() const { return chart_; }
    QLabel* Statistics() const { return stats_; }
    QLineEdit* StressBox(int pair) const { return stressBoxes_.at(static_cast<std::size_t>(pair)); }
    QLineEdit* SettlementBox(int pair) const { return settlementBoxes_.at(static_cast<std::size_t>(pair)); }
    QDateEdit* DateBox() const { return date_; }
    QTimeEdit* StartBox() const { return start_; }
    QTimeEdit* EndBox() const { return end_; }
    QPushButton* ComputeButton() const { return computeButton_; }

signals:
    // A computed point is in the store: it can be saved as raw data.
    void computed();

private:
    void CreateControls();
    void UpdateStatistics();
    // Tells the document what the open entry boxes show now (nothing typed):
    // stresses, then settlements.
    void NoteEntryFilled();
    void ShowReadings(const Ev2Point* point);
    // The typed point; each box that holds no number adds a line to refused.
    Ev2Point TypedPoint(QStringList& refused) const;

    TestDataStore& store_;
    Prompt& prompt_;
    std::function<Requirements()> requirements_;

    QLabel* label_ = nullptr;
    QTableView* view_ = nullptr;
    Ev2ListModel* model_ = nullptr;
    QLabel* stats_ = nullptr;
    QLabel* pointLabel_ = nullptr;
    std::array<QGroupBox*, 3> groups_{};
    std::array<QLabel*, 3> numberHeaders_{};
    std::array<QLabel*, 3> stressHeaders_{};
    std::array<QLabel*, 3> settlementHeaders_{};
    std::array<QLineEdit*, kEv2Pairs> stressBoxes_{};
    std::array<QLineEdit*, kEv2Pairs> settlementBoxes_{};
    // Pair 10 once more at the head of the second loading, following the
    // unloading group's boxes.
    QLineEdit* reloadStartStress_ = nullptr;
    QLineEdit* reloadStartSettlement_ = nullptr;
    QWidget* entryRow_ = nullptr;
    QLabel* dateLabel_ = nullptr;
    QLabel* startLabel_ = nullptr;
    QLabel* endLabel_ = nullptr;
    QDateEdit* date_ = nullptr;
    QTimeEdit* start_ = nullptr;
    QTimeEdit* end_ = nullptr;
    QPushButton* computeButton_ = nullptr;
    QScrollArea* readingsScroll_ = nullptr;
    Ev2ChartView* chart_ = nullptr;
    QString shownName_;
};

}  // namespace k30
