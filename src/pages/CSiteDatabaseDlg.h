#pragma once

#include <QDialog>

#include "Language.h"

class QLineEdit;

namespace k30 {

// File › Site database…: the address of the site database, with a button
// that puts back the default (the SQLite file beside the transfer archive).
class CSiteDatabaseDlg : public QDialog {
    Q_OBJECT
public:
    CSiteDatabaseDlg(const QString& address, const QString& defaultAddress, Language lang, QWidget* parent = nullptr);

    QString Address() const;
    QLineEdit* Edit() const { return edit_; }

private:
    QLineEdit* edit_;
};

}  // namespace k30
