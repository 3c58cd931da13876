#pragma once

#include <QAbstractTableModel>

#include <vector>

#include "Acceptance.h"
#include "Language.h"

namespace k30 {

class TestDataStore;

// The Ev2 points of the store as the Ev2 page lists them: number, date, start,
// end, sigma0max, Ev1, Ev2, Ev2/Ev1 and the acceptance verdict. Failing rows
// are tinted. Evaluated once per refill, not per paint.
class Ev2ListModel : public QAbstractTableModel {
    Q_OBJECT
public:
    enum Column { Number, Date, Start, End, Sigma0max, Ev1, Ev2, Ratio, VerdictColumn, kColumns };

    explicit Ev2ListModel(const TestDataStore& store, QObject* parent = nullptr);

    // Reads the store again and judges every point against these requirements.
    void Refill(const Requirements& required);
    // Whether the last refill had an Ev2 requirement to judge by.
    bool Judged() const { return judged_; }
    // Column titles in this language.
    void SetLanguage(Language lang);

    const Ev2Assessment& AssessmentAt(int row) const { return assessments_.at(static_cast<std::size_t>(row)); }
    const VerdictCounts& Counts() const { return counts_; }

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

private:
    const TestDataStore& store_;
    Language lang_;
    std::vector<Ev2Assessment> assessments_;
    VerdictCounts counts_;
    bool judged_ = false;  // an Ev2 requirement is set
};

// "2009-5-12-08:05" split into its date "2009-5-12" and its time "08:05".
QString DateOfTimeText(const std::string& text);
QString ClockOfTimeText(const std::string& text);

}  // namespace k30
