#include "CSiteDatabaseDlg.h"

#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "SiteTexts.h"
#include "UiText.h"

namespace k30 {

CSiteDatabaseDlg::CSiteDatabaseDlg(const QString& address, const QString& defaultAddress, Language lang,
                                   QWidget* parent)
    : QDialog(parent), edit_(new QLineEdit(address, this))
{
    using namespace site_texts;
    setWindowTitle(Tr(kAddressTitle, lang));
    edit_->setMinimumWidth(480);
    auto* reset = new QPushButton(Tr(kAddressDefault, lang), this);
    connect(reset, &QPushButton::clicked, this, [this, defaultAddress] { edit_->setText(defaultAddress); });
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* row = new QHBoxLayout;
    row->addWidget(edit_, 1);
    row->addWidget(reset);
    auto* layout = new QVBoxLayout(this);
    auto* label = new QLabel(Tr(kAddressLabel, lang), this);
    label->setBuddy(edit_);
    layout->addWidget(label);
    layout->addLayout(row);
    layout->addWidget(buttons);
}

QString CSiteDatabaseDlg::Address() const { return edit_->text().trimmed(); }

}  // namespace k30
