#pragma once

#include <QWidget>

#include <array>
#include <optional>
#include <vector>

#include "K30.h"
#include "K30Chart.h"

class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QScrollBar;

namespace k30 {
class K30ChartView;
}

namespace k30 {

class Prompt;
class TestDataStore;

// The test data page: the readings, results and load/settlement curve of one
// K30 point at a time. It shows the store's points read-only; in manual data
// entry the readings, test type and design load are typed and the compute
// button evaluates them into the store's only point. Showing a point makes it
// the one the reports print.
class CTestK30 : public QWidget {
    Q_OBJECT
public:
    CTestK30(TestDataStore& store, Prompt& prompt, QWidget* parent = nullptr);

    // All label texts in the store's language.
    void RetranslateUi();
    // The page became the active tab: marks it shown for the report header
    // page, refills the chooser and shows the first point.
    void OnActivated();
    void RefillK30Chooser();
    // Shows the chooser's current point and makes it the current point.
    void ShowK30Point();
    void SelectFirstAndShow();
    // The chooser's entry shown now (-1: none) and a move to another; false
    // when there is no such entry.
    int ShownIndex() const;
    bool ShowPointAt(int index);
    // Manual data entry: readings, test type, design load and compute enabled.
    void EnableManualEntry();
    // Data from the instrument: everything read-only again.
    void DisableReadingEntry();

    // Evaluates the typed readings into the store's only point.
    void Compute();

    // For tests and the window: the chart as currently drawn, and how far the
    // reading column is scrolled (0 or negative pixels).
    ChartFrame Frame() const;  // in the page's pixels
    ChartCurve Curve() const;
    int ScrollOffset() const { return scrollOffset_; }

protected:
    void resizeEvent(QResizeEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;

private:
    void CreateControls();
    void SetUpScrollBar();
    void LayOut(int offset);
    void OnScrollAction(int action);
    void RecomputeCurve();
    void SetReadingEntryEnabled(bool enabled);
    // The boxes of a manual entry, in the document's order: stresses,
    // settlements, test type, design load.
    std::vector<QLineEdit*> EntryBoxes() const;
    // Tells the document what the open entry boxes show now (nothing typed).
    void NoteEntryFilled();
    std::array<QString, kUsedPairs> StressTexts() const;
    std::array<QString, kUsedPairs> SettlementTexts() const;

    TestDataStore& store_;
    Prompt& prompt_;

    QGroupBox* loadGroup_ = nullptr;
    QLabel* stressHeader_ = nullptr;
    QLabel* settlementHeader_ = nullptr;
    QLabel* zeroRowLabel_ = nullptr;
    std::array<QLabel*, kUsedPairs - 1> rowNumbers_{};
    std::array<QLineEdit*, kUsedPairs> stressBoxes_{};
    std::array<QLineEdit*, kUsedPairs> settlementBoxes_{};

    QLabel* chooserLabel_ = nullptr;
    QComboBox* chooser_ = nullptr;
    QLabel* testTypeLabel_ = nullptr;
    QLineEdit* testTypeBox_ = nullptr;
    QLabel* designLoadLabel_ = nullptr;
    QLineEdit* designLoadBox_ = nullptr;
    QLabel* stress125Label_ = nullptr;
    QLineEdit* stress125Box_ = nullptr;
    QLabel* k30Label_ = nullptr;
    QLineEdit* k30Box_ = nullptr;
    QPushButton* computeButton_ = nullptr;

    K30ChartView* chart_ = nullptr;
    QScrollBar* scrollBar_ = nullptr;

    int scrollOffset_ = 0;
    // The record the reading boxes were last filled from; while it is still
    // the store's point, typed readings survive leaving and re-entering the
    // page during manual entry.
    std::optional<K30> shownRecord_;
};

}  // namespace k30
