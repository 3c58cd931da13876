#pragma once

#include <QDialog>

#include "Language.h"

class QLabel;
class QLineEdit;
class QPushButton;

namespace k30 {

// Asks the name of a new test point. OK closes only when a name was given
// (blanks count as a name).
class CInputName : public QDialog {
    Q_OBJECT
public:
    explicit CInputName(Language lang, QWidget* parent = nullptr);

    QString Name() const { return name_; }
    QLineEdit* Edit() const { return edit_; }
    QPushButton* OkButton() const { return ok_; }

private:
    void OnOk();

    QLineEdit* edit_;
    QPushButton* ok_;
    QString name_;
};

}  // namespace k30
