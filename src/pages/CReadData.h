#pragma once

#include <QElapsedTimer>
#include <QStringList>
#include <QWidget>

#include <ctime>
#include <functional>
#include <string>

#include "CSerialPort.h"
#include "Prompt.h"
#include "TransferReception.h"

class QComboBox;
class QLabel;
class QListWidget;
class QPushButton;
class QTimer;

namespace k30 {

class TestDataStore;

// The read page: the operator picks a port and opens it, watches the bytes
// arrive sixteen to a line, confirms the end of the transfer after a quiet
// line, and the transfer is decoded into the store.
class CReadData : public QWidget {
    Q_OBJECT
public:
    CReadData(TestDataStore& store, Prompt& prompt, QWidget* parent = nullptr);
    ~CReadData() override;

    void UpdatePageCaptions();                           // in store.nLanguage
    void AddExtraPorts(const QStringList& devicePaths);  // from --port options
    void SetQuietMs(int ms);                             // kDefaultQuietMs unless told
    int QuietMs() const { return reception_.QuietMs(); }

    // The save run by the Yes of the save question (before opening the port
    // or accepting a transfer); true when it was written. Without one, Yes
    // stops the command.
    void SetProjectSaver(std::function<bool()> save) { saveProject_ = std::move(save); }

    // Where accepted transfers and set-aside receptions are archived; by
    // default "transfers" in the user's data folder.
    // The received bytes are journalled there as they arrive.
    void SetArchiveFolder(const QString& folder);
    const QString& ArchiveFolder() const { return archiveFolder_; }
    static QString DefaultArchiveFolder();
    // Receptions a crashed or killed run left behind, kept in the archive as
    // unaccepted transfers; the operator may open one (through openFile).
    void OfferInterruptedReceptions(const std::function<void(const QString&)>& openFile);

    // The clock that dates archived files; the system's unless a test sets one.
    void SetClock(std::function<std::time_t()> clock) { clock_ = std::move(clock); }
    // Called with the text and the archive file right after an accepted
    // transfer was archived (the site database takes it in).
    void SetArchivedHook(std::function<void(const std::string&, const QString&)> hook) { archived_ = std::move(hook); }

    // Archives the bytes received but not accepted, unless exactly these were
    // archived already. False, with the reason in error, when they could not be.
    bool ArchiveUnaccepted(QString& error);

    const std::string& ReceivedText() const { return reception_.Text(); }
    void SetReceivedText(std::string text)
    {
        reception_.SetText(std::move(text));
        archivedUnacceptedSize_ = 0;
    }
    // What "Save raw data" writes: the last accepted transfer or raw file opened.
    const std::string& LastTransferText() const { return lastTransferText_; }
    void SetLastTransferText(std::string text) { lastTransferText_ = std::move(text); }

    // Bytes received since the port was last opened.
    qint64 ByteCount() const { return reception_.ByteCount(); }

    // Refills the port list, as dropping it down does.
    void FillPortList();

    // Bytes and points received so far and the time since the last byte;
    // refreshed twice a second while bytes wait to be accepted.
    void UpdateCounters();
    QLabel* Counters() const { return counters_; }

    // The port engine, for tests that give it a fake device.
    CSerialPort& Engine() { return reception_.Engine(); }

public slots:
    void OnOpenPort();
    void OnByteReceived(quint8 byte);
    void OnIdleTimer();

signals:
    void saveRawStateChanged(bool enabled);
    void newDataArrived();
    void showListPageRequested();
    // An accepted transfer was written to the archive as this file.
    void transferArchived(const QString& path);

private:
    Prompt::Answer Ask(const QString& caption, const QString& text, Prompt::Buttons buttons, Prompt::Icon icon,
                       Prompt::Answer defaultAnswer);
    void AppendLine(const QString& line);
    void ShowByte(quint8 byte);
    void AcceptTransfer();
    void StopRunaway();
    // Asks whether to continue the waiting bytes; false when the opening stops.
    bool ContinueOrStartAfresh();
    void OnPortError(const QString& report);
    void OnPortLost(const QString& systemText);
    void OnJournalFailed(const QString& error);
    QString OpenFailureText(const QString& name, const QString& device) const;
    void ShowOpenCaption();

    TestDataStore& store_;
    Prompt& prompt_;
    std::string lastTransferText_;
    TransferReception reception_;
    std::function<bool()> saveProject_;
    QString archiveFolder_;
    std::function<std::time_t()> clock_;
    std::function<void(const std::string&, const QString&)> archived_;
    std::size_t archivedUnacceptedSize_ = 0;  // of the received text, 0: none
    QString portName_;  // the port chosen last

    std::string lineText_;  // the bytes of the display line being formed
    int lineBytes_ = 0;
    bool displayEmptied_ = false;  // on the first byte ever received
    bool portCaptionShown_ = false;
    bool asking_ = false;
    QStringList extraPorts_;

    QLabel* label_ = nullptr;
    QComboBox* combo_ = nullptr;
    QPushButton* button_ = nullptr;
    QListWidget* list_ = nullptr;
    QLabel* counters_ = nullptr;
    QTimer* countersTimer_ = nullptr;
    QElapsedTimer sinceLastByte_;
};

}  // namespace k30
