#include "CAboutDlg.h"

#include <QGridLayout>
#include <QLabel>
#include <QPushButton>

#include "AppTexts.h"
#include "UiText.h"

namespace k30 {

CAboutDlg::CAboutDlg(Language lang, QWidget* parent) : QDialog(parent)
{
    setWindowTitle(Tr(texts::kAboutTitle, lang));
    auto* icon = new QLabel(this);
    // The main window's icon (a dialog's own falls back to its parent's), drawn
    // for the screen's pixel ratio so that it stays sharp on high-DPI screens.
    icon->setPixmap(windowIcon().pixmap(QSize(48, 48), devicePixelRatioF()));
    auto* line1 = new QLabel(Tr(texts::kAboutLine1, lang), this);
    auto* line2 = new QLabel(Tr(texts::kAboutLine2, lang), this);
    auto* ok = new QPushButton(Tr(texts::kOk, lang), this);
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    auto* grid = new QGridLayout(this);
    grid->setContentsMargins(20, 16, 20, 16);
    grid->setHorizontalSpacing(20);
    grid->addWidget(icon, 0, 0, 2, 1, Qt::AlignTop);
    grid->addWidget(line1, 0, 1);
    grid->addWidget(line2, 1, 1);
    grid->addWidget(ok, 0, 2, Qt::AlignTop);
    grid->setColumnStretch(1, 1);
    setMinimumWidth(400);
}

}  // namespace k30
