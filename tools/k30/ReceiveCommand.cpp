// k30 receive: one transfer from a serial port, without a window, with the
// read page's reception loop (engine, quiet line, limit, journal) and its
// transfer archive.
#include <QCoreApplication>
#include <QTimer>

#include <ctime>
#include <iostream>

#include "Commands.h"
#include "DataFile.h"
#include "JsonOutput.h"
#include "PortAccess.h"
#include "ReceptionJournal.h"
#include "TransferArchive.h"
#include "TransferDecoder.h"
#include "TransferReception.h"
#include "UiText.h"

namespace k30::cli {

namespace {

constexpr Text kReceived{"从 %1 收到 %2 字节，已写入 %3", "%2 bytes from %1 written to %3"};
constexpr Text kSummary{"仪器编号 %1，Ev2测试点 %2，K30测试点 %3", "instrument %1, Ev2 points %2, K30 points %3"};
constexpr Text kPointLine{"  %1  %2  %3  1.25mm荷载强度 %4 MPa  地基系数值 %5 MPa/m",
                          "  %1  %2  %3  stress at 1.25 mm %4 MPa  K30 %5 MPa/m"};
constexpr Text kNothing{"%2 秒内没有从 %1 收到数据", "nothing arrived from %1 within %2 s"};
constexpr Text kCannotOpen{"无法打开串口 %1：%2", "cannot open port %1: %2"};
constexpr Text kJoinGroup{"请把当前用户加入用户组 %1（sudo usermod -aG %1 $USER），重新登录后再试",
                          "add your user to the group %1 (sudo usermod -aG %1 $USER), then log in again"};
constexpr Text kInUse{"此串口正被其他程序使用", "the port is in use by another program"};
constexpr Text kLost{"串口 %1 已不可用（%2）；已收到的数据已写入", "port %1 went away (%2); what came has been written"};
constexpr Text kTooMuch{"收到的数据超过 16 MiB，已停止接收", "more than 16 MiB arrived; reception stopped there"};
constexpr Text kWaiting{"正在等待 %1 的数据…", "waiting for data on %1..."};
constexpr Text kNotRaw{"输出文件名必须以 .ORG 结尾", "the output file name must end in .ORG"};
constexpr Text kWriteFailed{"无法写入 %1：%2", "cannot write %1: %2"};
constexpr Text kKeptIn{"这次传送保存在 %1", "the transfer is kept in %1"};
constexpr Text kArchived{"已存入传送存档：%1", "kept in the transfer archive as %1"};
constexpr Text kNotArchived{"无法存入传送存档：%1；收到的数据保留在接收日志 %2 中",
                            "cannot keep the transfer in the archive: %1; the received bytes stay in the journal %2"};
constexpr Text kRecovered{"上次被中断的接收已存入传送存档：%1", "an interrupted reception was kept in the archive as %1"};
constexpr Text kNotRecovered{"被中断的接收日志 %1 无法存入传送存档：%2",
                             "the journal of an interrupted reception, %1, could not be archived: %2"};


struct Options {
    std::string port;
    std::string out;
    double timeoutSeconds = 60;
    int quietMs = kDefaultQuietMs;
    bool json = false;
};

enum Exit { kExitWritten = 0, kExitNothing = 1, kExitPortLost = 3 };

void Say(const QString& message) { std::cerr << "k30: " << message.toStdString() << "\n"; }

// Receptions a crashed or killed run left behind go to the archive first.
void RecoverLeftJournals(const std::string& folder, Language lang)
{
    for (const RecoveredJournal& r : RecoverJournals(folder)) {
        if (r.archived.ok)
            Say(Tr(kRecovered, lang).arg(QString::fromStdString(r.archived.path)));
        else
            Say(Tr(kNotRecovered, lang).arg(QString::fromStdString(r.journal), QString::fromStdString(r.archived.error)));
    }
}

int Receive(const Options& o, Language lang)
{
    if (KindOfPath(o.out) != FileKind::Raw) {
        std::cerr << "k30: " << o.out << ": " << kNotRaw.in(lang) << "\n";
        return 2;
    }
    int argc = 1;
    char name[] = "k30";
    char* argv[] = {name, nullptr};
    QCoreApplication app(argc, argv);

    const QString port = QString::fromStdString(o.port);
    const std::string archive = DefaultArchiveFolder();
    RecoverLeftJournals(archive, lang);
    TransferReception reception;
    reception.SetQuietMs(o.quietMs);
    reception.SetJournalFolder(archive);

    bool lost = false;
    bool tooMuch = false;
    QObject::connect(&reception, &TransferReception::portError,
                     [](const QString& report) { std::cerr << report.toStdString(); });
    QObject::connect(&reception, &TransferReception::journalFailed, [](const QString& error) { Say(error); });
    // The port is closed by then and no quiet line follows: stop here.
    QObject::connect(&reception, &TransferReception::limitReached, [&] {
        tooMuch = true;
        app.quit();
    });
    QObject::connect(&reception, &TransferReception::ticked, [&] {
        if (reception.Tick())
            app.quit();
    });
    QObject::connect(&reception, &TransferReception::portLost, [&](const QString& systemText) {
        lost = true;
        std::cerr << "k30: " << Tr(kLost, lang).arg(port, systemText).toStdString() << "\n";
        app.quit();
    });
    QTimer timeout;
    timeout.setSingleShot(true);
    QObject::connect(&timeout, &QTimer::timeout, [&] {
        if (reception.Text().empty())
            app.quit();
    });

    PortSettings settings;
    settings.device = port;
    if (!reception.Open(settings)) {
        const OpenFailure& failure = reception.Engine().LastOpenFailure();
        QString message = Tr(kCannotOpen, lang).arg(port, failure.systemText);
        const AccessAdvice advice = AdviceFor(failure, port);
        if (advice.kind == AccessAdvice::Kind::JoinGroup)
            message += QStringLiteral("; ") + Tr(kJoinGroup, lang).arg(advice.group);
        else if (advice.kind == AccessAdvice::Kind::InUse)
            message += QStringLiteral("; ") + Tr(kInUse, lang);
        std::cerr << "k30: " << message.toStdString() << "\n";
        return kExitNothing;
    }
    std::cerr << "k30: " << Tr(kWaiting, lang).arg(port).toStdString() << std::endl;
    if (o.timeoutSeconds > 0)
        timeout.start(static_cast<int>(std::min(o.timeoutSeconds * 1000.0, 2.0e9)));
    app.exec();
    reception.Close();
    const std::string text = reception.TakeText();

    if (text.empty()) {
        if (!lost)
            std::cerr << "k30: " << Tr(kNothing, lang).arg(port).arg(o.timeoutSeconds).toStdString() << "\n";
        return kExitNothing;
    }
    if (tooMuch)
        Say(Tr(kTooMuch, lang));
    // The archive copy comes first: the instrument's memory may already be cleared.
    const ArchiveWriteResult archived = ArchiveTransfer(archive, text, std::time(nullptr), true);
    QString keptIn;
    if (archived.ok) {
        reception.TakenTextArchived();
        keptIn = QString::fromStdString(archived.path);
        Say(Tr(kArchived, lang).arg(keptIn));
    } else {
        keptIn = QString::fromStdString(reception.TakenJournalPath());
        Say(Tr(kNotArchived, lang).arg(QString::fromStdString(archived.error), keptIn));
    }
    std::string error;
    if (!WriteFileAtomically(o.out, text.data(), text.size(), error)) {
        QString message = Tr(kWriteFailed, lang).arg(QString::fromStdString(o.out), QString::fromStdString(error));
        if (!keptIn.isEmpty())
            message += QStringLiteral("; ") + Tr(kKeptIn, lang).arg(keptIn);
        Say(message);
        return kExitNothing;
    }

    LoadedFile file;
    file.kind = FileKind::Raw;
    file.rawText = text;
    DecodeTransfer(file.rawText, file.store);
    if (o.json) {
        WriteJson(file, std::cout);
        std::cout << "\n";
    } else {
        const TestDataStore& s = file.store;
        std::cout << Tr(kReceived, lang)
                         .arg(port)
                         .arg(text.size() / 3)
                         .arg(QString::fromStdString(o.out))
                         .toStdString()
                  << "\n"
                  << Tr(kSummary, lang).arg(s.nInstrumentNo).arg(s.nEv2Count).arg(s.nK30Count).toStdString() << "\n";
        for (std::size_t k = 0; k < s.ValidCount(); ++k) {
            const K30& p = s.k30List[k];
            std::cout << Tr(kPointLine, lang)
                             .arg(QString::fromStdString(p.name), QString::fromStdString(p.startTime),
                                  QString::fromStdString(p.endTime), QString::fromStdString(p.stress125),
                                  QString::fromStdString(p.k30Value))
                             .toStdString()
                      << "\n";
        }
    }
    if (tooMuch)
        return kExitNothing;
    return lost ? kExitPortLost : kExitWritten;
}

void AddReceiveCommand(CLI::App& app, GlobalOptions& global, Action& action)
{
    auto opts = std::make_shared<Options>();
    CLI::App* sub = app.add_subcommand(
        "receive",
        "Receive one transfer from the instrument on a serial port, as the read page does, and write it as a raw "
        "file.\nThe transfer ends after a quiet line. The bytes are journalled as they arrive and the transfer is kept "
        "in the workbench's transfer archive (~/.local/share/k30workbench/transfers) before OUT is written; a "
        "reception a killed run left behind is archived at the start. Exit 0 when a transfer was written, 1 when "
        "nothing arrived before the timeout, the port could not be opened, OUT could not be written (the archived "
        "copy is named) or more than 16 MiB arrived (what came is written and archived), 3 when the port went away "
        "during the transfer (what came is written).");
    sub->add_option("PORT", opts->port, "Serial device: a name such as ttyUSB0 or a path such as /dev/pts/3")
        ->required();
    sub->add_option("--out", opts->out, "Raw file to write (.ORG)")->required();
    sub->add_option("--timeout", opts->timeoutSeconds, "Seconds to wait for the first byte; 0 waits for ever")
        ->check(CLI::NonNegativeNumber)
        ->capture_default_str();
    sub->add_option("--quiet-ms", opts->quietMs, "Quiet window that ends the transfer, in milliseconds")
        ->check(CLI::Range(1, 60000))
        ->capture_default_str();
    sub->add_flag("--json", opts->json, "Print the decoded points as \"k30 show --json\" does");
    AddLanguageOption(sub, global);
    sub->callback([opts, &global, &action] {
        action = [opts, &global] { return Receive(*opts, global.Resolve()); };
    });
}

const bool registered = RegisterCommand(35, AddReceiveCommand);

}  // namespace

}  // namespace k30::cli
