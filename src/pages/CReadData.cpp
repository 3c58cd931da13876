#include "CReadData.h"

#include <QComboBox>
#include <QDir>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QStandardPaths>
#include <QTimer>
#include <QVBoxLayout>

#include <functional>
#include <utility>

#include "PortAccess.h"
#include "PortList.h"
#include "ReadDataTexts.h"
#include "ReceptionJournal.h"
#include "SaveFirst.h"
#include "TestDataStore.h"
#include "Texts.h"
#include "TransferArchive.h"
#include "TransferDecoder.h"
#include "TransferText.h"
#include "UiText.h"

namespace k30 {

namespace {

constexpr int kBytesPerLine = 16;
constexpr int kVisibleLines = 16;

// The port list is filled each time it drops down.
class PortComboBox : public QComboBox {
public:
    using QComboBox::QComboBox;
    std::function<void()> beforePopup;

    void showPopup() override
    {
        if (beforePopup)
            beforePopup();
        QComboBox::showPopup();
    }
};

}  // namespace

CReadData::CReadData(TestDataStore& store, Prompt& prompt, QWidget* parent)
    : QWidget(parent), store_(store), prompt_(prompt), clock_([] { return std::time(nullptr); })
{
    SetArchiveFolder(DefaultArchiveFolder());
    label_ = new QLabel(this);
    label_->setObjectName(QStringLiteral("portLabel"));
    auto* combo = new PortComboBox(this);
    combo->beforePopup = [this] { FillPortList(); };
    combo_ = combo;
    combo_->setObjectName(QStringLiteral("portCombo"));
    combo_->setMinimumContentsLength(16);
    combo_->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    button_ = new QPushButton(this);
    button_->setObjectName(QStringLiteral("openButton"));
    list_ = new QListWidget(this);
    list_->setObjectName(QStringLiteral("displayList"));
    list_->setUniformItemSizes(true);
    list_->setSelectionMode(QAbstractItemView::NoSelection);
    QFont mono(QStringLiteral("monospace"));
    mono.setStyleHint(QFont::TypeWriter);
    list_->setFont(mono);

    auto* row = new QHBoxLayout;
    row->addWidget(label_);
    row->addWidget(combo_);
    row->addWidget(button_);
    row->addStretch(1);
    counters_ = new QLabel(this);
    counters_->setObjectName(QStringLiteral("receptionCounters"));
    countersTimer_ = new QTimer(this);
    countersTimer_->setInterval(500);
    connect(countersTimer_, &QTimer::timeout, this, &CReadData::UpdateCounters);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(row);
    layout->addWidget(counters_);
    layout->addWidget(list_, 1);

    connect(button_, &QPushButton::clicked, this, &CReadData::OnOpenPort);
    connect(&reception_, &TransferReception::byteAppended, this, &CReadData::ShowByte);
    connect(&reception_, &TransferReception::limitReached, this, &CReadData::StopRunaway);
    connect(&reception_, &TransferReception::portError, this, &CReadData::OnPortError);
    connect(&reception_, &TransferReception::portLost, this, &CReadData::OnPortLost);
    connect(&reception_, &TransferReception::ticked, this, &CReadData::OnIdleTimer);
    connect(&reception_, &TransferReception::journalFailed, this, &CReadData::OnJournalFailed);

    UpdatePageCaptions();
}

CReadData::~CReadData() = default;

QString CReadData::DefaultArchiveFolder() { return QString::fromStdString(k30::DefaultArchiveFolder()); }

void CReadData::SetArchiveFolder(const QString& folder)
{
    archiveFolder_ = folder;
    reception_.SetJournalFolder(S(folder));
}

void CReadData::OfferInterruptedReceptions(const std::function<void(const QString&)>& openFile)
{
    const Language lang = store_.nLanguage;
    bool opened = false;
    for (const RecoveredJournal& r : RecoverJournals(S(archiveFolder_))) {
        if (!r.archived.ok) {
            Ask(Tr(texts::kAppTitle, lang), Tr(readtexts::kJournalNotRecovered, lang).arg(Q(r.journal), Q(r.archived.error)),
                Prompt::Buttons::Ok, Prompt::Icon::Warning, Prompt::Answer::Ok);
            continue;
        }
        // One can be opened; the others are in the archive list.
        if (opened || Ask(Tr(readtexts::kNotice, lang), Tr(readtexts::kInterruptedReception, lang).arg(Q(r.archived.path)),
                          Prompt::Buttons::YesNo, Prompt::Icon::Question, Prompt::Answer::Yes) != Prompt::Answer::Yes)
            continue;
        opened = true;
        openFile(Q(r.archived.path));
    }
}

void CReadData::UpdatePageCaptions()
{
    label_->setText(Tr(readtexts::kPortLabel, store_.nLanguage));
    if (portCaptionShown_)
        button_->setText(Tr(readtexts::kPortIsOpen, store_.nLanguage).arg(portName_));
    else
        button_->setText(Tr(readtexts::kOpenPort, store_.nLanguage));
}

void CReadData::AddExtraPorts(const QStringList& devicePaths)
{
    for (const QString& path : devicePaths)
        if (!path.isEmpty() && !extraPorts_.contains(path))
            extraPorts_.append(path);
}

void CReadData::SetQuietMs(int ms) { reception_.SetQuietMs(ms); }

void CReadData::FillPortList()
{
    const QString chosen = combo_->currentText();
    combo_->clear();
    for (const PortEntry& port : ListPorts(extraPorts_))
        combo_->addItem(port.name, port.device);
    combo_->setCurrentIndex(combo_->findText(chosen));
}

Prompt::Answer CReadData::Ask(const QString& caption, const QString& text, Prompt::Buttons buttons,
                              Prompt::Icon icon, Prompt::Answer defaultAnswer)
{
    // While a box is up, the quiet timer must not stack a second question on it.
    const bool wasAsking = asking_;
    asking_ = true;
    const Prompt::Answer answer = prompt_.ask(this, caption, text, buttons, icon, defaultAnswer);
    asking_ = wasAsking;
    return answer;
}

void CReadData::OnOpenPort()
{
    const Language lang = store_.nLanguage;
    const bool wasAsking = std::exchange(asking_, true);
    const bool goOn = AskToSaveFirst(prompt_, this, store_, readtexts::kNotice, readtexts::kDataNotSaved, saveProject_);
    asking_ = wasAsking;
    if (!goOn)
        return;

    const int index = combo_->currentIndex();
    if (index < 0) {
        Ask(Tr(texts::kAppTitle, lang), Tr(readtexts::kNoPortChosen, lang), Prompt::Buttons::Ok,
            Prompt::Icon::Warning, Prompt::Answer::Ok);
        return;
    }
    if (!ReceivedText().empty() && !ContinueOrStartAfresh())
        return;
    portName_ = combo_->itemText(index);
    PortSettings settings;
    settings.device = combo_->itemData(index).toString();
    settings.name = portName_;
    if (reception_.Open(settings)) {
        AppendLine(Tr(readtexts::kPortReady, lang).arg(portName_));
        portCaptionShown_ = true;
        UpdatePageCaptions();
    } else {
        ShowOpenCaption();
        Ask(Tr(texts::kAppTitle, lang), OpenFailureText(portName_, settings.device), Prompt::Buttons::Ok,
            Prompt::Icon::Warning, Prompt::Answer::Ok);
    }
    lineText_.clear();
    lineBytes_ = 0;
}

bool CReadData::ContinueOrStartAfresh()
{
    const Language lang = store_.nLanguage;
    const auto answer = Ask(Tr(readtexts::kNotice, lang),
                            Tr(readtexts::kContinueQuestion, lang).arg(ReceivedText().size() / 3),
                            Prompt::Buttons::YesNoCancel, Prompt::Icon::Question, Prompt::Answer::Yes);
    if (answer == Prompt::Answer::Cancel)
        return false;
    // A port still open hands over what it had read: those bytes belong to the waiting transfer.
    reception_.Close();
    QString error;
    const bool archived = ArchiveUnaccepted(error);
    if (!archived)
        Ask(Tr(texts::kAppTitle, lang), Tr(readtexts::kUnacceptedArchiveFailed, lang).arg(error),
            Prompt::Buttons::Ok, Prompt::Icon::Warning, Prompt::Answer::Ok);
    if (answer == Prompt::Answer::Yes)
        return true;  // the next accepted transfer is the old text followed by the new bytes
    // Set aside only what is kept in the archive; the port stays closed.
    if (!archived) {
        ShowOpenCaption();
        return false;
    }
    reception_.TakeText();
    reception_.TakenTextArchived();
    archivedUnacceptedSize_ = 0;
    return true;
}

bool CReadData::ArchiveUnaccepted(QString& error)
{
    const std::string& text = ReceivedText();
    if (text.empty() || text.size() == archivedUnacceptedSize_)
        return true;
    const ArchiveWriteResult r = ArchiveTransfer(S(archiveFolder_), text, clock_(), false);
    if (!r.ok) {
        error = Q(r.error);
        return false;
    }
    archivedUnacceptedSize_ = text.size();
    reception_.TextArchived();
    return true;
}

QString CReadData::OpenFailureText(const QString& name, const QString& device) const
{
    const Language lang = store_.nLanguage;
    const QString text = Tr(readtexts::kPortNotFound, lang).arg(name);
    const AccessAdvice advice = AdviceFor(reception_.Engine().LastOpenFailure(), device);
    switch (advice.kind) {
    case AccessAdvice::Kind::JoinGroup:
        return text + QLatin1Char('\n') + Tr(readtexts::kJoinGroup, lang).arg(advice.group);
    case AccessAdvice::Kind::InUse:
        return text + QLatin1Char('\n') + Tr(readtexts::kPortBusy, lang);
    case AccessAdvice::Kind::None:
        break;
    }
    return text;
}

void CReadData::OnByteReceived(quint8 byte) { reception_.TakeByte(byte); }

void CReadData::UpdateCounters()
{
    const std::string& text = ReceivedText();
    if (text.empty()) {
        countersTimer_->stop();
        counters_->clear();
        return;
    }
    // The points complete so far, as accepting now would give them.
    TestDataStore sofar;
    DecodeTransfer(text, sofar);
    const qint64 seconds = sinceLastByte_.isValid() ? sinceLastByte_.elapsed() / 1000 : 0;
    counters_->setText(Tr(readtexts::kReceptionCounters, store_.nLanguage)
                           .arg(text.size() / 3)
                           .arg(sofar.ValidCount())
                           .arg(sofar.nEv2Count)
                           .arg(seconds));
}

void CReadData::ShowByte(quint8 byte)
{
    sinceLastByte_.restart();
    if (!countersTimer_->isActive()) {
        countersTimer_->start();
        UpdateCounters();
    }
    if (!displayEmptied_) {
        list_->clear();
        displayEmptied_ = true;
    }
    // Sixteen bytes a line, two blanks between bytes; a last, partial line is
    // not shown.
    if (lineBytes_ > 0)
        lineText_ += ' ';
    AppendByteText(lineText_, byte);
    if (++lineBytes_ == kBytesPerLine) {
        AppendLine(QString::fromLatin1(lineText_.data(), static_cast<qsizetype>(lineText_.size())));
        lineText_.clear();
        lineBytes_ = 0;
    }
}

void CReadData::OnIdleTimer()
{
    if (asking_ || !reception_.Tick())
        return;
    if (ByteCount() > 0) {
        if (Ask(Tr(readtexts::kConfirmCaption, store_.nLanguage), Tr(readtexts::kConfirmEnd, store_.nLanguage),
                Prompt::Buttons::OkCancel, Prompt::Icon::Question, Prompt::Answer::Cancel) != Prompt::Answer::Ok)
            return;  // the port stays open; the next quiet line asks again
        AcceptTransfer();
    }
    ShowOpenCaption();
}

void CReadData::AcceptTransfer()
{
    // Work that no file holds is not replaced unasked: it is saved first, or
    // discarded, or the transfer waits (closed, with its archive copy) for
    // the port to be opened again and continued.
    const bool wasAsking = std::exchange(asking_, true);
    const bool replace = AskToSaveFirst(prompt_, this, store_, readtexts::kNotice, save_first_texts::kAcceptQuestion,
                                        saveProject_, true);
    asking_ = wasAsking;
    if (!replace) {
        reception_.Close();
        QString error;
        if (!ArchiveUnaccepted(error))
            Ask(Tr(texts::kAppTitle, store_.nLanguage),
                Tr(readtexts::kUnacceptedArchiveFailed, store_.nLanguage).arg(error), Prompt::Buttons::Ok,
                Prompt::Icon::Warning, Prompt::Answer::Ok);
        return;
    }
    // Bytes read before the port closed are handed over first: they came
    // before the operator's answer and belong to this transfer.
    reception_.Close();
    std::string text = reception_.TakeText();
    archivedUnacceptedSize_ = 0;
    // The archive copy comes first: the instrument's memory may already be cleared.
    const ArchiveWriteResult archived = ArchiveTransfer(S(archiveFolder_), text, clock_(), true);
    // Its journal goes only once the archive holds it; else the next start recovers it.
    if (archived.ok)
        reception_.TakenTextArchived();
    DecodeTransfer(text, store_);
    lastTransferText_ = std::move(text);
    emit saveRawStateChanged(true);
    emit newDataArrived();
    if (archived.ok)
        emit transferArchived(Q(archived.path));
    UpdateCounters();
    list_->clear();
    store_.bManualInput = false;
    store_.strCurK30Name.clear();
    // Nothing more is asked until a port is opened again.
    lineText_.clear();
    lineBytes_ = 0;
    emit showListPageRequested();
    if (archived.ok && archived_)
        archived_(lastTransferText_, Q(archived.path));
    if (!archived.ok)
        Ask(Tr(texts::kAppTitle, store_.nLanguage), Tr(readtexts::kArchiveFailed, store_.nLanguage).arg(Q(archived.error)),
            Prompt::Buttons::Ok, Prompt::Icon::Warning, Prompt::Answer::Ok);
}

void CReadData::StopRunaway()
{
    ShowOpenCaption();
    Ask(Tr(texts::kAppTitle, store_.nLanguage), Tr(readtexts::kTooMuchData, store_.nLanguage),
        Prompt::Buttons::Ok, Prompt::Icon::Warning, Prompt::Answer::Ok);
    // The operator may still accept what came: the quiet line asks.
    reception_.NoteActivity();
}

void CReadData::OnPortError(const QString& report)
{
    Ask(Tr(readtexts::kApplicationError, store_.nLanguage), report, Prompt::Buttons::Ok, Prompt::Icon::Critical,
        Prompt::Answer::Ok);
}

void CReadData::OnPortLost(const QString& systemText)
{
    ShowOpenCaption();
    // What came may never be accepted: a copy goes to the archive now.
    QString error;
    if (!ArchiveUnaccepted(error))
        Ask(Tr(texts::kAppTitle, store_.nLanguage), Tr(readtexts::kUnacceptedArchiveFailed, store_.nLanguage).arg(error),
            Prompt::Buttons::Ok, Prompt::Icon::Warning, Prompt::Answer::Ok);
    Ask(Tr(texts::kAppTitle, store_.nLanguage), Tr(readtexts::kPortLost, store_.nLanguage).arg(portName_, systemText),
        Prompt::Buttons::Ok, Prompt::Icon::Warning, Prompt::Answer::Ok);
    // What came is kept; the quiet line then asks whether to accept it.
    if (ByteCount() > 0)
        reception_.NoteActivity();
}

void CReadData::OnJournalFailed(const QString& error)
{
    Ask(Tr(texts::kAppTitle, store_.nLanguage), Tr(readtexts::kJournalFailed, store_.nLanguage).arg(error),
        Prompt::Buttons::Ok, Prompt::Icon::Warning, Prompt::Answer::Ok);
}

void CReadData::AppendLine(const QString& line)
{
    list_->addItem(line);
    if (list_->count() > kVisibleLines)
        list_->scrollToBottom();
}

void CReadData::ShowOpenCaption()
{
    portCaptionShown_ = false;
    UpdatePageCaptions();
}

}  // namespace k30
