// The Ev2 point report: its pages and texts in both languages, its refusals,
// Export PDF through the report commands and `k30 report --type ev2-all`.
#include <gtest/gtest.h>

#include <QDialog>
#include <QPainter>
#include <QRadioButton>
#include <QTemporaryDir>

#include "CPrintType.h"
#include "Ev2Report.h"
#include "Ev2TestPoints.h"
#include "PrintType.h"
#include "ReportCommands.h"
#include "ReportOutput.h"
#include "ReportTestSupport.h"
#include "ScriptedPrompt.h"

using namespace k30;
using namespace k30::test;

namespace {

// pdftotext joins a line's words with runs of blanks; one blank is enough here.
QString Squeezed(QString text) { return text.replace(QRegularExpression(QStringLiteral("[ \\t]+")), " "); }

}  // namespace

TEST(Ev2Report, EveryPointOnItsOwnPageInBothLanguages)
{
    QTemporaryDir dir;
    ScriptedPrompt prompt;
    TestDataStore store = Ev2Store({ExactEv2Point(), ShortEv2Point()}, Language::English);
    // Export PDF of every Ev2 point through the commands; no K30 point is needed.
    ReportCommands commands(store, prompt, [] { return SampleHeader(Language::English); }, nullptr);
    prompt.dialog(Choose(kPrintEv2AllPoints)).file(dir.filePath("en.pdf"));
    commands.ExportPdf();
    ASSERT_TRUE(prompt.done());
    EXPECT_EQ(PdfPages(dir.filePath("en.pdf")), 2);
    const QString en = Squeezed(PdfText(dir.filePath("en.pdf")));
    for (const char* expected :
         {"Detection Report of Plate Load Test (Ev2)", "Client:Northern Rail Works", "Test Number:12",
          "Test Time:2024-6-3-09:05 — 10:40", "First loading (0–7)", "Unloading (8–10)", "Second loading (10–16)",
          "Ev1 = 132.4 MPa Ev2 = 225.0 MPa Ev2/Ev1 = 1.70", "a0 = 0.9000 a1 = 0.3000 a2 = 1.0000",
          "300 mm plate; Ev = 1.5·r/(a1 + a2·σ0max); second-order fit of every reading of each loading branch",
          "Ev1 = 112.5 MPa Ev2 = no result", "1/2", "2/2", "Tester:John Smith"})
        EXPECT_TRUE(en.contains(QString::fromUtf8(expected))) << expected;

    // The current Ev2 point alone, in Chinese.
    store.strCurEv2Name = "13";
    const ReportJob job{store, SampleHeader(Language::Chinese), Language::Chinese, kPrintEv2CurrentPoint};
    QString error;
    ASSERT_TRUE(ExportReportPdf(dir.filePath("zh.pdf"), job, error)) << error.toStdString();
    EXPECT_EQ(PdfPages(dir.filePath("zh.pdf")), 1);
    const QString zh = Squeezed(PdfText(dir.filePath("zh.pdf")));
    for (const char* expected : {"平板载荷试验(Ev2)检测报告", "委托单位:中铁建设集团", "试验编号:13", "第一次加载 (0–7)",
                                 "Ev1 = 112.5 MPa", "Ev2 = 无结果", "每一加载段全部读数二次拟合"})
        EXPECT_TRUE(zh.contains(QString::fromUtf8(expected))) << expected;
}

TEST(Ev2Report, RefusedWithoutPointsAndDrawnInsideThePage)
{
    ScriptedPrompt prompt;
    TestDataStore store = MakeStore(3, Language::English);  // K30 points only
    ReportCommands commands(store, prompt, [] { return ReportHeader{}; }, nullptr);
    prompt.dialog(Choose(kPrintEv2AllPoints)).answer(Prompt::Answer::Ok);
    commands.PrintPreview();
    EXPECT_EQ(prompt.asked.back().text, "There are no Ev2 test points to print");

    store = Ev2Store({ExactEv2Point()}, Language::Chinese);
    store.strCurEv2Name = "99";  // no Ev2 point has this name
    prompt.dialog(Choose(kPrintEv2CurrentPoint)).answer(Prompt::Answer::Ok);
    commands.Print();
    EXPECT_EQ(prompt.asked.back().text, QStringLiteral("请在Ev2页选择要打印的Ev2测试点"));
    EXPECT_TRUE(prompt.done());

    // Everything lies on the A4 sheet, the footer below the method line.
    RecordingDevice device;
    {
        QPainter painter(&device);
        ASSERT_TRUE(DrawEv2PointReport(painter, ReportPage{764, 1093, 15, 15}, store, SampleHeader(Language::English),
                                       Language::English, kPrintEv2AllPoints, 1, 1));
    }
    for (const QLineF& l : device.lines) {
        for (const QPointF& p : {l.p1(), l.p2()})
            EXPECT_TRUE(p.x() >= 15 && p.x() <= 779 && p.y() >= 15 && p.y() <= 1108) << p.x() << "," << p.y();
    }
    const auto* method = device.FindText("300 mm plate");
    const auto* tester = device.FindText("Tester:");
    ASSERT_TRUE(method && tester);
    EXPECT_LT(method->baseline.y(), tester->baseline.y());
}

TEST(Ev2Report, CommandLine)
{
    QTemporaryDir dir;
    const QString raw = dir.filePath("ev2.ORG");
    {
        QFile f(raw);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(QByteArray::fromStdString(*Ev2TransferText({ExactEv2Point(), ShortEv2Point()}, 3)));
    }
    const QString k30 = QStringLiteral(K30_BIN_DIR "/k30");
    int code = -1;
    RunProgram(k30, {"report", raw, "--pdf", dir.filePath("all.pdf"), "--type", "ev2-all", "--lang", "en"}, &code);
    EXPECT_EQ(code, 0);
    EXPECT_EQ(PdfPages(dir.filePath("all.pdf")), 2);
    RunProgram(k30, {"report", raw, "--pdf", dir.filePath("one.pdf"), "--type", "ev2", "--point", "13"}, &code);
    EXPECT_EQ(code, 0);
    EXPECT_EQ(PdfPages(dir.filePath("one.pdf")), 1);
    EXPECT_TRUE(PdfText(dir.filePath("one.pdf")).contains("Number:13"));
    RunProgram(k30, {"report", raw, "--pdf", dir.filePath("none.pdf"), "--type", "ev2", "--point", "99"}, &code);
    EXPECT_EQ(code, 1);
    QFile empty(dir.filePath("empty.ORG"));
    ASSERT_TRUE(empty.open(QIODevice::WriteOnly));
    empty.close();
    RunProgram(k30, {"report", empty.fileName(), "--pdf", dir.filePath("x.pdf"), "--type", "ev2-all"}, &code);
    EXPECT_EQ(code, 1);
    EXPECT_FALSE(QFile::exists(dir.filePath("x.pdf")));
}
