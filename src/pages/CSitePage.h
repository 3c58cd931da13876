#pragma once

#include <QWidget>

#include <atomic>
#include <functional>
#include <memory>
#include <vector>

#include "Acceptance.h"
#include "LotReport.h"
#include "SiteTypes.h"

class QComboBox;
class QDateEdit;
class QLabel;
class QLineEdit;
class QPushButton;
class QTableView;
class QThreadPool;
class QUndoStack;

namespace k30::site {
class SiteDatabase;
}

namespace k30 {

class Prompt;
class SiteChartView;
class SiteTableModel;
class TestDataStore;

// The site page: the points of the site database that the filters choose,
// fetched as the list scrolls; their statistics; the chart along the
// chainage; editing of chainage, offset, layer, lot and remark for the
// selected points, undone through the window's undo stack. What reaches beyond the page (opening a point
// into the other pages, reports and exports) is asked of the window by signals.
class CSitePage : public QWidget {
    Q_OBJECT
public:
    CSitePage(const TestDataStore& store, Prompt& prompt, QWidget* parent = nullptr);
    ~CSitePage() override;

    // No database (none open, or it could not be opened): an empty page saying why.
    void SetDatabase(site::SiteDatabase* db, const QString& reason = {});
    site::SiteDatabase* Database() const { return db_; }
    void SetRequirementSource(std::function<Requirements()> source);
    // Edits go onto the window's one undo stack (Edit › Undo, Ctrl+Z); until
    // one is given, onto the page's own.
    void SetUndoStack(QUndoStack* stack);

    void OnActivated();    // fills the filter boxes and asks the database again
    void RetranslateUi();
    // After an import or a rebuild: boxes, list, statistics and chart again.
    void Refresh();

    // The filter as the boxes show it; false, with the message shown, when a
    // chainage cannot be read.
    bool ReadFilter(site::SiteFilter& filter);
    // Sets the edited field of the selected points (or of the given ones).
    bool ApplyEdit(const std::vector<qint64>& ids, int column, const QString& text);
    std::vector<qint64> SelectedIds() const;
    std::vector<site::SitePoint> SelectedPoints() const;
    // The statistics and the chart of the filter in force have arrived: they
    // are read off the user-interface thread, on a connection of their own.
    bool StatisticsReady() const { return statsValid_; }
    // The lot report of what the filter shows.
    LotReportData LotReport(const ReportHeader& header) const;

    SiteTableModel* Model() const { return model_; }
    QTableView* View() const { return view_; }
    SiteChartView* Chart() const { return chart_; }
    QLabel* StatisticsStrip() const { return strip_; }
    QUndoStack* UndoStack() const { return undo_; }
    QComboBox* KindBox() const { return kind_; }
    QComboBox* LayerBox() const { return layer_; }
    QComboBox* LotBox() const { return lot_; }
    QComboBox* VerdictBox() const { return verdict_; }
    QLineEdit* ChainageFromEdit() const { return chainageFrom_; }
    QLineEdit* ChainageToEdit() const { return chainageTo_; }
    QLineEdit* TextEdit() const { return text_; }
    QDateEdit* FromDate() const { return from_; }
    QDateEdit* ToDate() const { return to_; }
    QComboBox* EditFieldBox() const { return editField_; }
    QLineEdit* EditValue() const { return editValue_; }
    QPushButton* ApplyButton() const { return apply_; }
    QPushButton* UndoButton() const { return undoButton_; }
    QPushButton* OpenButton() const { return open_; }

signals:
    void statisticsShown();
    void openPointRequested(qint64 id);
    void lotReportPdfRequested();
    void lotReportPrintRequested();
    void exportSelectionRequested();

private:
    void CreateControls();
    void FillChoiceBoxes();
    void ApplyFilter();
    void ShowStatistics();
    // Asks for the statistics and the chart of the filter in force; a newer
    // request supersedes an older one still running.
    void RequestStatistics();
    void OnStatistics(quint64 request, const site::SiteStats& stats, SiteChartData chart, const QString& error);
    void UpdateChartSelection();
    void OnEditRequested(int row, int column, const QString& text);
    void OnApplyClicked();
    void OnOpenClicked();
    void AfterEdit(const std::vector<qint64>& ids);
    void UpdateUndoButton();
    Language Lang() const;
    Requirements Required() const;

    const TestDataStore& store_;
    Prompt& prompt_;
    site::SiteDatabase* db_ = nullptr;
    QString reason_;
    std::function<Requirements()> requirements_;
    site::SiteStats stats_;
    bool statsValid_ = false;
    std::shared_ptr<std::atomic<quint64>> latestRequest_;
    QThreadPool* statsPool_;

    QLabel* fromLabel_;
    QDateEdit* from_;
    QLabel* toLabel_;
    QDateEdit* to_;
    QLabel* kindLabel_;
    QComboBox* kind_;
    QLabel* layerLabel_;
    QComboBox* layer_;
    QLabel* lotLabel_;
    QComboBox* lot_;
    QLabel* chainageLabel_;
    QLineEdit* chainageFrom_;
    QLabel* chainageToLabel_;
    QLineEdit* chainageTo_;
    QLabel* verdictLabel_;
    QComboBox* verdict_;
    QLabel* textLabel_;
    QLineEdit* text_;
    QPushButton* clear_;
    QTableView* view_;
    SiteTableModel* model_;
    SiteChartView* chart_;
    QLabel* strip_;
    QLabel* editLabel_;
    QComboBox* editField_;
    QLineEdit* editValue_;
    QPushButton* apply_;
    QPushButton* undoButton_;
    QPushButton* open_;
    QPushButton* reportPdf_;
    QPushButton* reportPrint_;
    QPushButton* export_;
    QUndoStack* undo_;
};

}  // namespace k30
