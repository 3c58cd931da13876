// End to end through a pseudo-terminal pair made by socat: k30-sim plays the
// demo transfer as the instrument would, into the read page and into
// "k30 receive", as a steady stream and in USB-adapter bursts; and a long
// transfer at 115200 baud while the window is blocked for seconds.
#include <gtest/gtest.h>

#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>
#include <QTimer>

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

    QTemporaryDir dir_;
    QString instrument_, workbench_;
    QProcess socat_, sim_;
    const std::string demo_ = DemoText();
};

TEST_F(PtyTransfer, TheReadPageReceivesTheWholeTransfer)
{
    for (const auto& [pace, stall] : {std::pair{kSteady, false}, std::pair{kBursts, false}, std::pair{kBursts, true}}) {
        SCOPED_TRACE((pace.isEmpty() ? "steady" : "bursts") + std::string(stall ? ", busy window" : ""));
        TestDataStore store;
        ConfirmRecorder prompt;
        CReadData page(store, prompt);
        OpenPage(page, prompt);
        prompt.answer(Answer::Ok);
        // Mid-transfer the user-interface thread is held up, as by a long
        // print preview; the line keeps delivering meanwhile.
        if (stall)
            QTimer::singleShot(400, [] { QThread::msleep(1500); });
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
    // About eight seconds of line at 115200 baud, not periodic over 256 bytes.
    QByteArray bytes;
    for (int i = 0; i < 96 * 1024; ++i)
        bytes.append(char((i * 7 + i / 256) & 0xFF));
    std::string text;
    for (const char b : bytes)
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

TEST_F(PtyTransfer, K30ReceiveWritesTheTransfer)
{
    const auto receive = [&](QProcess& p, const QString& out, const char* timeout) {
        p.start(kBin + QStringLiteral("/k30"), {QStringLiteral("receive"), workbench_, QStringLiteral("--out"), out,
                                                QStringLiteral("--timeout"), QLatin1String(timeout),
                                                QStringLiteral("--quiet-ms"), QString::number(kWideQuietMs),
                                                QStringLiteral("--lang"), QStringLiteral("en")});
    };
    for (const QStringList& pace : {kSteady, kBursts}) {
        SCOPED_TRACE(pace.join(u' ').toStdString());
        const QString out = dir_.filePath(QStringLiteral("out%1.ORG").arg(pace.size()));
        QProcess k30;
        receive(k30, out, "20");
        // It says so once it listens; bytes sent before would be purged on opening.
        ASSERT_TRUE(QTest::qWaitFor(
            [&] { return k30.readAllStandardError().contains("waiting") || k30.state() == QProcess::NotRunning; }, 10000));
        ASSERT_EQ(k30.state(), QProcess::Running);
        StartSim(pace);
        ASSERT_TRUE(k30.waitForFinished(30000));
        EXPECT_EQ(k30.exitCode(), 0) << k30.readAllStandardError().toStdString();
        EXPECT_TRUE(k30.readAllStandardOutput().contains("instrument 1207, Ev2 points 2, K30 points 12"));
        QFile written(out);
        ASSERT_TRUE(written.open(QIODevice::ReadOnly));
        EXPECT_TRUE(written.readAll().toStdString() == demo_);
        ASSERT_TRUE(sim_.waitForFinished(10000));
    }

    // Nothing before the timeout: exit 1, no file.
    QProcess idle;
    receive(idle, dir_.filePath(QStringLiteral("none.ORG")), "0.3");
    ASSERT_TRUE(idle.waitForFinished(10000));
    EXPECT_EQ(idle.exitCode(), 1);
    EXPECT_FALSE(QFileInfo::exists(dir_.filePath(QStringLiteral("none.ORG"))));
}

}  // namespace
