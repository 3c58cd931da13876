#pragma once

#include <QDialog>

#include "Language.h"

class QRadioButton;

namespace k30 {

// The print options dialog: which report printing, preview and PDF export
// produce. Choices bound to the print types 3 (current data), 4 (all data),
// 5 (list), 6 (current Ev2 point) and 7 (all Ev2 points).
class CPrintType : public QDialog {
    Q_OBJECT
public:
    // preset: the print type shown as chosen when the dialog opens.
    CPrintType(Language lang, int preset, QWidget* parent = nullptr);

    // The chosen print type; the preset while nothing else is chosen.
    int PrintType() const;

    // The button of a print type, null for a type the dialog does not offer.
    QRadioButton* Button(int printType) const;

private:
    QRadioButton* current_ = nullptr;
    QRadioButton* all_ = nullptr;
    QRadioButton* list_ = nullptr;
    QRadioButton* ev2Current_ = nullptr;
    QRadioButton* ev2All_ = nullptr;
    QRadioButton* summary_ = nullptr;  // the acceptance summary, print type 8
    int preset_ = 3;
};

}  // namespace k30
