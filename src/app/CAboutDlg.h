#pragma once

#include <QDialog>

#include "Language.h"

namespace k30 {

// The About box: program icon, two lines and OK, in the interface language.
class CAboutDlg : public QDialog {
    Q_OBJECT
public:
    explicit CAboutDlg(Language lang, QWidget* parent = nullptr);
};

}  // namespace k30
