// End to end through a pseudo-terminal pair made by socat: k30-sim plays the
// demo transfer as the instrument would, into the read page and into
// "k30 receive", as a steady stream and in USB-adapter bursts; a long
// transfer at 115200 baud while the window is blocked for seconds; a run-away
// line; and receivers killed in the middle of a transfer.
#include <gtest/gtest.h>

#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>

#include <fcntl.h>
#include <unistd.h>

#include <iostream>
#include <thread>

#include "CommTestSupport.h"

using namespace k30;
using namespace k30::test;
using Answer = Prompt::Answer;

namespace {

const QString kBin = QStringLiteral(K30_BIN_DIR);
const QStringList kSteady;
const QStringList kBursts = QStringLiteral("--burst 15 --gap-ms 16").split(u' ');
// Ten times the default quiet window: the other processes of a loaded machine
// may hold up the simulator for far longer than a burst gap, and the end must
// not be seen then.
constexpr int kWideQuietMs = 1000;

class PtyTransfer : public ::testing::Test {
protected:
    void SetUp() override
    {
        const QString socat = QStandardPaths::findExecutable(QStringLiteral("socat"));
        if (socat.isEmpty())
            GTEST_SKIP() << "socat is not installed (scripts/setup installs it): no pseudo-terminal pair";
        ASSERT_TRUE(dir_.isValid());
        instrument_ = dir_.filePath(QStringLiteral("instrument"));
        workbench_ = dir_.filePath(QStringLiteral("workbench"));
        socat_.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        socat_.start(socat, {QStringLiteral("pty,rawer,echo=0,link=") + instrument_,
                             QStringLiteral("pty,rawer,echo=0,link=") + workbench_});
        ASSERT_TRUE(QTest::qWaitFor(
            [&] { return QFileInfo::exists(instrument_) && QFileInfo::exists(workbench_); }, 5000));
    }
    void TearDown() override
    {
        for (QProcess* p : {&sim_, &socat_}) {
            p->kill();
            p->waitForFinished(5000);
        }
    }

    void StartSim(const QStringList& pace, const QString& file = QStringLiteral(K30_SAMPLES "/demo.ORG"))
    {
        sim_.setProcessChannelMode(QProcess::ForwardedChannels);
        sim_.start(kBin + QStringLiteral("/k30-sim"), QStringList{instrument_, file} + pace);
        ASSERT_TRUE(sim_.waitForStarted(5000));
    }
    // The read page, opened on our end of the pair, waiting for the transfer.
    void OpenPage(CReadData& page, ConfirmRecorder& prompt)
    {
        prompt.page = &page;
        page.SetQuietMs(kWideQuietMs);
        page.AddExtraPorts({workbench_});
        ChoosePort(page, workbench_);
        page.OnOpenPort();
        ASSERT_TRUE(page.Engine().IsOpen());
    }

    // "k30 receive" on our end of the pair, with its own data folder.
    void StartReceive(QProcess& p, const QString& out, const char* timeout)
    {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("XDG_DATA_HOME"), data_.path());
        p.setProcessEnvironment(env);
        p.start(kBin + QStringLiteral("/k30"), {QStringLiteral("receive"), workbench_, QStringLiteral("--out"), out,
                                                QStringLiteral("--timeout"), QLatin1String(timeout),
                                                QStringLiteral("--quiet-ms"), QString::number(kWideQuietMs),
                                                QStringLiteral("--lang"), QStringLiteral("en")});
    }
    // Waits until the receiver says it listens: bytes sent before would be purged on opening.
    static void WaitListening(QProcess& p, const QByteArray& says, QByteArray& stderrSoFar)
    {
        ASSERT_TRUE(QTest::qWaitFor(
            [&] {
                stderrSoFar += p.readAllStandardError();
                return stderrSoFar.contains(says) || p.state() == QProcess::NotRunning;
            },
            10000));
        ASSERT_EQ(p.state(), QProcess::Running) << stderrSoFar.toStdString();
    }
    QString Archive() const { return data_.filePath(QStringLiteral("k30workbench/transfers")); }
    QStringList Archived() const { return QDir(Archive()).entryList({QStringLiteral("*.ORG")}, QDir::Files); }
    QStringList Journals() const
    {
        return QDir(Archive()).entryList({QStringLiteral(".reception-*.journal")}, QDir::Files | QDir::Hidden);
    }
    static std::string Contents(const QString& path)
    {
        QFile f(path);
        return f.open(QIODevice::ReadOnly) ? f.readAll().toStdString() : std::string();
    }

    QTemporaryDir dir_;
    QTemporaryDir data_;
    QString instrument_, workbench_;
    QProcess socat_, sim_;
    const std::string demo_ = DemoText();
};

TEST_F(PtyTransfer, TheReadPageReceivesTheWholeTransfer)
{
    for (const QStringList& pace : {kSteady, kBursts}) {
        SCOPED_TRACE(pace.isEmpty() ? "steady" : "bursts");
        TestDataStore store;
        ConfirmRecorder prompt;
        CReadData page(store, prompt);
        OpenPage(page, prompt);
        prompt.answer(Answer::Ok);
        StartSim(pace);
        ASSERT_TRUE(QTest::qWaitFor([&] { return prompt.done() && sim_.state() == QProcess::NotRunning; }, 30000));
        EXPECT_TRUE(sim_.exitStatus() == QProcess::NormalExit && sim_.exitCode() == 0);
        ASSERT_EQ(prompt.textWhenAsked.size(), 1u);
        EXPECT_EQ(prompt.textWhenAsked[0].size(), demo_.size());  // not asked before the end
        EXPECT_TRUE(page.LastTransferText() == demo_);
        ExpectStoreHolds(store, demo_);
    }
}

TEST_F(PtyTransfer, AtFullSpeedABlockedWindowLosesNoByte)
{
    // About eight seconds of line at 115200 baud.
    std::string text;
    for (const char b : Pattern(96 * 1024))
        AppendByteText(text, static_cast<std::uint8_t>(b));
    const QString file = dir_.filePath(QStringLiteral("long.ORG"));
    QFile out(file);
    ASSERT_TRUE(out.open(QIODevice::WriteOnly));
    ASSERT_EQ(out.write(text.data(), qint64(text.size())), qint64(text.size()));
    out.close();

    TestDataStore store;
    ConfirmRecorder prompt;
    CReadData page(store, prompt);
    OpenPage(page, prompt);
    prompt.answer(Answer::Ok);
    StartSim({QStringLiteral("--baud"), QStringLiteral("115200")}, file);
    ASSERT_TRUE(QTest::qWaitFor([&] { return page.ByteCount() > 0; }, 30000));

    // The window is busy for five seconds, as with a long print job; the
    // serial thread keeps taking bytes off the line meanwhile.
    QThread::sleep(5);
    EXPECT_TRUE(page.Engine().HasPendingBytes());

    ASSERT_TRUE(QTest::qWaitFor([&] { return prompt.done() && sim_.state() == QProcess::NotRunning; }, 60000));
    EXPECT_TRUE(sim_.exitStatus() == QProcess::NormalExit && sim_.exitCode() == 0);
    ASSERT_EQ(prompt.textWhenAsked.size(), 1u);
    EXPECT_EQ(prompt.textWhenAsked[0].size(), text.size());
    EXPECT_TRUE(page.LastTransferText() == text);  // every byte, in order
}

TEST_F(PtyTransfer, AVanishingLineKeepsWhatCame)
{
    TestDataStore store;
    ConfirmRecorder prompt;
    CReadData page(store, prompt);
    OpenPage(page, prompt);
    prompt.answer(Answer::Ok).answer(Answer::Ok);  // the box, then accept what came
    StartSim(kSteady);
    ASSERT_TRUE(QTest::qWaitFor([&] { return page.ByteCount() > 200; }, 10000));
    socat_.kill();  // the pair goes away as a pulled adapter does
    ASSERT_TRUE(QTest::qWaitFor([&] { return prompt.done(); }, 10000));
    EXPECT_TRUE(prompt.asked[0].text.startsWith(QStringLiteral("Port ") + workbench_ + QStringLiteral(" is no longer available")))
        << prompt.asked[0].text.toStdString();
    const std::string& kept = page.LastTransferText();
    EXPECT_GT(kept.size(), 200u * 3);
    EXPECT_TRUE(kept == demo_.substr(0, kept.size()));
}

TEST_F(PtyTransfer, K30ReceiveArchivesThenWritesTheTransfer)
{
    const QString out = dir_.filePath(QStringLiteral("out.ORG"));
    QProcess k30;
    QByteArray said;
    StartReceive(k30, out, "20");
    WaitListening(k30, "waiting", said);
    StartSim(kBursts);
    ASSERT_TRUE(k30.waitForFinished(30000));
    said += k30.readAllStandardError();
    EXPECT_EQ(k30.exitCode(), 0) << said.toStdString();
    EXPECT_TRUE(k30.readAllStandardOutput().contains("instrument 1207, Ev2 points 2, K30 points 12"));
    EXPECT_TRUE(Contents(out) == demo_);
    ASSERT_TRUE(sim_.waitForFinished(10000));
    // Kept in the archive as the window keeps it, and no journal left.
    ASSERT_EQ(Archived().size(), 1);
    EXPECT_TRUE(Archived()[0].endsWith(QStringLiteral("_instrument-1207.ORG")));
    EXPECT_TRUE(Contents(QDir(Archive()).filePath(Archived()[0])) == demo_);
    EXPECT_TRUE(Journals().isEmpty());

    // OUT cannot be written: exit 1, and the message names the archived copy.
    QProcess blocked;
    said.clear();
    StartReceive(blocked, dir_.filePath(QStringLiteral("missing/out.ORG")), "20");
    WaitListening(blocked, "waiting", said);
    StartSim(kSteady);
    ASSERT_TRUE(blocked.waitForFinished(30000));
    said += blocked.readAllStandardError();
    EXPECT_EQ(blocked.exitCode(), 1);
    const int at = said.indexOf("the transfer is kept in ");
    ASSERT_GE(at, 0) << said.toStdString();
    const QString copy = QString::fromUtf8(said.mid(at + 24)).section(u'\n', 0, 0);
    EXPECT_TRUE(copy.startsWith(Archive())) << copy.toStdString();
    EXPECT_TRUE(Contents(copy) == demo_);
    ASSERT_TRUE(sim_.waitForFinished(10000));

    // Nothing before the timeout: exit 1, no file.
    QProcess idle;
    StartReceive(idle, dir_.filePath(QStringLiteral("none.ORG")), "0.3");
    ASSERT_TRUE(idle.waitForFinished(10000));
    EXPECT_EQ(idle.exitCode(), 1);
    EXPECT_FALSE(QFileInfo::exists(dir_.filePath(QStringLiteral("none.ORG"))));
    EXPECT_EQ(Archived().size(), 2);
}

TEST_F(PtyTransfer, K30ReceiveStopsAtTheLimitAndKeepsWhatCame)
{
    QProcess k30;
    QByteArray said;
    const QString out = dir_.filePath(QStringLiteral("runaway.ORG"));
    StartReceive(k30, out, "20");
    WaitListening(k30, "waiting", said);
    // A device that never stops: a little more than the limit, as fast as the pair takes it.
    const std::size_t limitBytes = kMaxReceivedTextBytes / 3;
    std::thread device([path = instrument_.toStdString(), n = limitBytes + 200] {
        const int fd = ::open(path.c_str(), O_WRONLY | O_NOCTTY);
        std::string chunk(4096, '\x5A');
        for (std::size_t sent = 0; fd >= 0 && sent < n;) {
            const ssize_t w = ::write(fd, chunk.data(), std::min(chunk.size(), n - sent));
            if (w <= 0)
                break;
            sent += static_cast<std::size_t>(w);
        }
        if (fd >= 0)
            ::close(fd);
    });
    const bool finished = k30.waitForFinished(180000);
    device.join();
    ASSERT_TRUE(finished) << "k30 receive did not return at the limit";
    said += k30.readAllStandardError();
    EXPECT_EQ(k30.exitCode(), 1);
    EXPECT_TRUE(said.contains("more than 16 MiB arrived; reception stopped there")) << said.toStdString();
    const std::string written = Contents(out);
    EXPECT_EQ(written.size(), limitBytes * 3);
    EXPECT_EQ(written.find_first_not_of("5A "), std::string::npos);
    ASSERT_EQ(Archived().size(), 1);
    EXPECT_TRUE(Contents(QDir(Archive()).filePath(Archived()[0])) == written);
}

// The read page in a process of its own, for the kill test below; it runs
// only when that test starts this program for it.
TEST(ReadPageProcess, ReceivesUntilKilled)
{
    const QString port = qEnvironmentVariable("K30_KILL_TEST_PORT");
    if (port.isEmpty())
        GTEST_SKIP() << "started by PtyTransfer.KilledMidTransferTheArrivedBytesAreInTheArchive";
    TestDataStore store;
    ScriptedPrompt prompt;
    CReadData page(store, prompt);
    page.SetArchiveFolder(qEnvironmentVariable("K30_KILL_TEST_ARCHIVE"));
    page.SetQuietMs(kWideQuietMs);
    page.AddExtraPorts({port});
    ChoosePort(page, port);
    page.OnOpenPort();
    ASSERT_TRUE(page.Engine().IsOpen());
    std::cerr << "receiving" << std::endl;
    (void)QTest::qWaitFor([] { return false; }, 120000);  // until killed
}

TEST_F(PtyTransfer, KilledMidTransferTheArrivedBytesAreInTheArchive)
{
    const QStringList slow{QStringLiteral("--baud"), QStringLiteral("2400")};  // about seven seconds
    for (const bool window : {false, true}) {
        SCOPED_TRACE(window ? "the read page" : "k30 receive");
        QProcess receiver;
        QByteArray said;
        if (window) {
            QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
            env.insert(QStringLiteral("K30_KILL_TEST_PORT"), workbench_);
            env.insert(QStringLiteral("K30_KILL_TEST_ARCHIVE"), Archive());
            receiver.setProcessEnvironment(env);
            receiver.start(QCoreApplication::applicationFilePath(),
                           {QStringLiteral("--gtest_filter=ReadPageProcess.ReceivesUntilKilled")});
            WaitListening(receiver, "receiving", said);
        } else {
            StartReceive(receiver, dir_.filePath(QStringLiteral("never.ORG")), "60");
            WaitListening(receiver, "waiting", said);
        }
        StartSim(slow);
        qint64 seen = 0;
        ASSERT_TRUE(QTest::qWaitFor(
            [&] {
                const QStringList j = Journals();
                seen = j.size() == 1 ? QFileInfo(QDir(Archive()).filePath(j[0])).size() : 0;
                return seen >= 300 * 3;
            },
            20000));
        receiver.kill();  // SIGKILL: no handler, no destructor runs
        ASSERT_TRUE(receiver.waitForFinished(5000));
        EXPECT_EQ(receiver.exitStatus(), QProcess::CrashExit);
        sim_.kill();
        sim_.waitForFinished(5000);
        ASSERT_LT(seen, qint64(demo_.size())) << "the transfer ended before the kill";

        // The next start keeps what had arrived in the archive.
        QString kept;
        if (window) {
            TestDataStore store;
            ScriptedPrompt prompt;
            prompt.answer(Answer::Yes);
            CReadData page(store, prompt);
            page.SetArchiveFolder(Archive());
            page.OfferInterruptedReceptions([&](const QString& path) { kept = path; });
            ASSERT_EQ(prompt.asked.size(), 1u);
            EXPECT_TRUE(prompt.asked[0].text.startsWith(QStringLiteral("A reception was interrupted")));
        } else {
            QProcess next;
            StartReceive(next, dir_.filePath(QStringLiteral("none.ORG")), "0.3");
            ASSERT_TRUE(next.waitForFinished(10000));
            const QByteArray text = next.readAllStandardError();
            const int at = text.indexOf("an interrupted reception was kept in the archive as ");
            ASSERT_GE(at, 0) << text.toStdString();
            kept = QString::fromUtf8(text.mid(at + 52)).section(u'\n', 0, 0);
        }
        ASSERT_TRUE(kept.endsWith(QStringLiteral("_instrument-1207_unaccepted.ORG"))) << kept.toStdString();
        const std::string bytes = Contents(kept);
        EXPECT_GE(qint64(bytes.size()), seen);
        EXPECT_TRUE(demo_.compare(0, bytes.size(), bytes) == 0);  // every byte as sent, in order
        TestDataStore decoded;
        DecodeTransfer(bytes, decoded);
        EXPECT_EQ(decoded.nInstrumentNo, 1207);
        EXPECT_TRUE(Journals().isEmpty());
        QFile::remove(kept);
    }
}

}  // namespace
