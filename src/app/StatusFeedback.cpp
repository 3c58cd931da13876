#include "StatusFeedback.h"

#include <QEvent>
#include <QFileInfo>
#include <QLabel>
#include <QMainWindow>
#include <QStatusBar>

#include "TestDataStore.h"
#include "UiText.h"
#include "WorkbenchTexts.h"

namespace k30 {

namespace {
// Long enough to be read after a dialog closes.
constexpr int kMessageMs = 15000;
}  // namespace

StatusFeedback::StatusFeedback(QMainWindow& window, const TestDataStore& store)
    : QObject(&window), window_(window), store_(store), field_(new QLabel(&window)), origin_(&texts::kStatusNoFile)
{
    field_->setObjectName(QStringLiteral("statusField"));
    window_.statusBar()->addPermanentWidget(field_);
    window_.installEventFilter(this);
    Refresh();
}

void StatusFeedback::Say(const QString& message) { window_.statusBar()->showMessage(message, kMessageMs); }

QString StatusFeedback::Message() const { return window_.statusBar()->currentMessage(); }

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
}

bool StatusFeedback::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == &window_ && event->type() == QEvent::WindowTitleChange)
        Refresh();
    return QObject::eventFilter(watched, event);
}

}  // namespace k30
