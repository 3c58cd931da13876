#include "StatusFeedback.h"

#include <QEvent>
#include <QFileInfo>
#include <QLabel>
#include <QMainWindow>
#include <QStatusBar>
#include <QTimer>

#include "AppTexts.h"

#include "TestDataStore.h"
#include "UiText.h"
#include "WorkbenchTexts.h"

namespace k30 {

namespace {
// Long enough to be read after a dialog closes.
constexpr int kMessageMs = 15000;
}  // namespace

StatusFeedback::StatusFeedback(QMainWindow& window, const TestDataStore& store, QLabel* message)
    : QObject(&window), window_(window), store_(store), message_(message), expiry_(new QTimer(this)),
      field_(new QLabel(&window)), origin_(&texts::kStatusNoFile)
{
    // The news stands in the text pane itself: a temporary message of the bar
    // would have to share the place with it.
    expiry_->setSingleShot(true);
    expiry_->setInterval(kMessageMs);
    connect(expiry_, &QTimer::timeout, this, &StatusFeedback::Refresh);
    field_->setObjectName(QStringLiteral("statusField"));
    window_.statusBar()->addPermanentWidget(field_);
    window_.installEventFilter(this);
    Refresh();
}

void StatusFeedback::Say(const QString& message)
{
    message_->setText(message);
    message_->setToolTip(message);
    expiry_->start();
}

QString StatusFeedback::Message() const { return expiry_->isActive() ? message_->text() : QString(); }

void StatusFeedback::SetFile(const QString& path)
{
    file_ = QFileInfo(path).absoluteFilePath();
    Refresh();
}

void StatusFeedback::SetOrigin(const Text& origin)
{
    file_.clear();
    origin_ = &origin;
    Refresh();
}

void StatusFeedback::Refresh()
{
    const Language lang = store_.nLanguage;
    const QString origin = file_.isEmpty() ? Tr(*origin_, lang) : QFileInfo(file_).fileName();
    field_->setText(Tr(texts::kStatusField, lang).arg(origin).arg(store_.ValidCount()).arg(store_.nEv2Count));
    field_->setToolTip(file_);
    if (!expiry_->isActive()) {
        message_->setText(Tr(texts::kReady, lang));
        message_->setToolTip(QString());
    }
}

bool StatusFeedback::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == &window_ && event->type() == QEvent::WindowTitleChange)
        Refresh();
    return QObject::eventFilter(watched, event);
}

}  // namespace k30
