#pragma once

#include <QDialog>

#include "Language.h"
#include "ReportHeader.h"

class QLineEdit;

namespace k30 {

// The report information dialog of the Word export: eleven fields of the
// report header in two columns, for correction before the document is made.
// The header itself is not changed: the edited values go into the document only.
class CDlgWordK : public QDialog {
    Q_OBJECT
public:
    CDlgWordK(const ReportHeader& header, Language lang, QWidget* parent = nullptr);

    // The header it was opened with, with the eleven fields as now edited.
    ReportHeader Values() const;

    // The edit of a header member, by its name ("Client", "ProjectName", ...);
    // null for the three members the dialog does not show.
    QLineEdit* Field(const QString& member) const;

private:
    ReportHeader header_;
};

}  // namespace k30
