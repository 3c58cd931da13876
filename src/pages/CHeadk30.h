#pragma once

#include <QWidget>

#include <array>

#include "Acceptance.h"
#include "ReportHeader.h"

class QGroupBox;
class QLabel;
class QLineEdit;

namespace k30 {

class TestDataStore;

// Report header page: the fourteen texts printed on every report. The header
// belongs to the document: what is typed goes there at once, and the boxes
// follow when it changes (a project file opened). Below them
// the acceptance group: the Ev2 requirements, kept in the user's settings as
// they are typed (the K30 requirement is the required coefficient box).
class CHeadk30 : public QWidget {
    Q_OBJECT
public:
    explicit CHeadk30(TestDataStore& store, QWidget* parent = nullptr);

    // Replaces WM_HEADERSYNC: true takes the boxes into the document's
    // header, false writes the header into the boxes.
    void SyncHeader(bool boxesIntoFields);

    const ReportHeader& Fields() const;

    // The header as the boxes show it now (pulls the boxes first).
    ReportHeader CurrentHeader();

    void OnActivated();
    void RetranslateUi();

    QLineEdit* Box(std::string ReportHeader::*member) const;
    QLineEdit* Ev2MinBox() const { return ev2Min_; }
    QLineEdit* RatioMaxBox() const { return ratioMax_; }

    // The requirements as the boxes show them now; touches neither the
    // header fields nor the settings.
    Requirements ShownRequirements() const;

signals:
    // The required coefficient or an Ev2 requirement box changed.
    void requirementsChanged();

private:
    struct Field {
        std::string ReportHeader::*member;
        QLabel* label;
        QLineEdit* box;
    };

    TestDataStore& store_;
    // The shown point the test number was last taken from; it follows only
    // a point newly shown, so a typed test number stays.
    std::string followedPoint_;
    QLabel* title_;
    QGroupBox* projectGroup_;
    QGroupBox* reportGroup_;
    std::array<Field, 14> fields_{};
    QGroupBox* acceptanceGroup_;
    QLabel* ev2MinLabel_;
    QLabel* ratioMaxLabel_;
    QLabel* acceptanceHint_;
    QLineEdit* ev2Min_;
    QLineEdit* ratioMax_;
};

}  // namespace k30
