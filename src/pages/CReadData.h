#pragma once

#include <QStringList>
#include <QWidget>

#include <string>

#include "CSerialPort.h"
#include "Prompt.h"
#include "QuietLine.h"

class QComboBox;
class QLabel;
class QListWidget;
class QPushButton;

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
    int QuietMs() const { return quiet_.QuietMs(); }

    const std::string& ReceivedText() const { return receivedText_; }
    void SetReceivedText(std::string text) { receivedText_ = std::move(text); }
    // What "Save raw data" writes: the last accepted transfer or raw file opened.
    const std::string& LastTransferText() const { return lastTransferText_; }
    void SetLastTransferText(std::string text) { lastTransferText_ = std::move(text); }

    // Bytes received since the port was last opened.
    qint64 ByteCount() const { return byteCount_; }

    // Refills the port list, as dropping it down does.
    void FillPortList();

    // The port engine, for tests that give it a fake device.
    CSerialPort& Engine() { return engine_; }

public slots:
    void OnOpenPort();
    void OnByteReceived(quint8 byte);
    void OnIdleTimer();

signals:
    // The project file save; connected directly, it returns when the save ended.
    void saveProjectRequested();
    void saveRawStateChanged(bool enabled);
    void newDataArrived();
    void showListPageRequested();

private:
    Prompt::Answer Ask(const QString& caption, const QString& text, Prompt::Buttons buttons, Prompt::Icon icon,
                       Prompt::Answer defaultAnswer);
    void AppendLine(const QString& line);
    void AcceptTransfer();
    void StopRunaway();
    void OnPortError(const QString& report);
    void OnPortLost(const QString& systemText);
    QString OpenFailureText(const QString& name, const QString& device) const;
    void ShowOpenCaption();

    TestDataStore& store_;
    Prompt& prompt_;
    qint64 byteCount_ = 0;
    std::string receivedText_;
    std::string lastTransferText_;
    CSerialPort engine_;
    QuietLine quiet_;
    QString portName_;  // the port chosen last

    std::string lineText_;  // the bytes of the display line being formed
    int lineBytes_ = 0;
    bool displayEmptied_ = false;  // on the first byte ever received
    bool portCaptionShown_ = false;
    bool asking_ = false;
    bool overflowed_ = false;
    QStringList extraPorts_;

    QLabel* label_ = nullptr;
    QComboBox* combo_ = nullptr;
    QPushButton* button_ = nullptr;
    QListWidget* list_ = nullptr;
};

}  // namespace k30
