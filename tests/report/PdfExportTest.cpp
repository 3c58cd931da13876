// PDF export and the k30 report command: pages, paper and the text a reader
// gets back out of the file, in both languages.
#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>

#include "FileIO.h"
#include "PrintType.h"
#include "ProjectFile.h"
#include "ReportBitmap.h"
#include "ReportOutput.h"
#include "ReportPage.h"
#include "ReportTestSupport.h"

namespace k30 {
namespace {

class PdfExport : public ::testing::Test {
protected:
    QString Export(const TestDataStore& store, int type, const QString& name)
    {
        const QString path = dir_.filePath(name);
        QString error;
        const Language lang = store.nLanguage;
        EXPECT_TRUE(ExportReportPdf(path, ReportJob{store, test::SampleHeader(lang), lang, type}, error))
            << error.toStdString();
        return path;
    }
    QTemporaryDir dir_;
};

TEST_F(PdfExport, AllDataInChineseHasAnA4PagePerPointWithItsText)
{
    const QString path = Export(test::MakeStore(3, Language::Chinese), kPrintAllPoints, QStringLiteral("all.pdf"));
    EXPECT_EQ(test::PdfPages(path), 3);
    EXPECT_TRUE(test::PdfInfo(path).contains(QStringLiteral("(A4)")));
    test::ExpectTexts(test::PdfText(path), {"地基系数检测报告", "委托单位:中铁建设集团", "工程名称:京沪铁路DK123", "填土层次:第3层",
                       "试验编号:P1", "试验编号:P3", "0.202", "K30=163", "检测人:张三", "复核人:李四", "共3页，第3页"});
}

TEST_F(PdfExport, ListInEnglishHasTwoPagesForFortyOnePoints)
{
    const QString path = Export(test::MakeStore(41, Language::English), kPrintPointList, QStringLiteral("list.pdf"));
    EXPECT_EQ(test::PdfPages(path), 2);
    test::ExpectTexts(test::PdfText(path), {"Detection Report of Foundation Coefficient", "Client: Northern Rail Works",
                       "Project Name: Coast Line DK123", "Test Number", "P1", "P41", "0.241", "Tester:John",
                       "2/2", "None of the 41 points in this batch can be judged; no pass rate."});
    EXPECT_FALSE(test::PdfText(path).contains(QStringLiteral("委托单位")));
}

TEST(ReportPageGeometry, ComesFromTheSheetAndItsPrintableArea)
{
    // No unprintable border: the whole A4 sheet in 1/96 inch.
    const QRect a4At1200(0, 0, 9921, 14031);
    EXPECT_EQ(ReportPageFromDevice(a4At1200, a4At1200, 1200, 1200), (ReportPage{793, 1122, 0, 0}));
    // 100 pixels at 600 dpi all round: offsets of 16 units, taken off twice.
    EXPECT_EQ(ReportPageFromDevice(QRect(0, 0, 4960, 7015), QRect(100, 100, 4760, 6815), 600, 600),
              (ReportPage{761, 1090, 16, 16}));
}

// Current data is one page of the current point. A font of N points is N/72
// inch tall on paper, not scaled a second time by the mapping to report units:
// the text boxes a PDF reader measures are the line height of Times (1.107 em).
TEST_F(PdfExport, CurrentPointOnlyWithFontsOfTheirPointSizeOnPaper)
{
    TestDataStore store = test::MakeStore(5, Language::English);
    store.strCurK30Name = "P4";
    const QString path = Export(store, kPrintCurrentPoint, QStringLiteral("one.pdf"));
    EXPECT_EQ(test::PdfPages(path), 1);
    test::ExpectTexts(test::PdfText(path), {"Test Number:P4", "K30=164"});
    const QString boxes = test::RunProgram("pdftotext", {"-bbox", path, "-"});
    auto heightOf = [&](const QString& word) {
        const QRegularExpression re(QStringLiteral("yMin=\"([0-9.]+)\"[^>]*yMax=\"([0-9.]+)\">") +
                                    QRegularExpression::escape(word) + QStringLiteral("<"));
        const auto m = re.match(boxes);
        return m.hasMatch() ? m.captured(2).toDouble() - m.captured(1).toDouble() : -1.0;
    };
    EXPECT_NEAR(heightOf(QStringLiteral("Detection")), 20 * 1.107, 1.0);        // title
    EXPECT_NEAR(heightOf(QStringLiteral("Client:Northern")), 12 * 1.107, 1.0);  // text
    EXPECT_NEAR(heightOf(QStringLiteral("0.00")), 10 * 1.107, 1.0);             // readings
}

// The command-line tool draws the same reports from a project file.
TEST_F(PdfExport, CommandLineToolWritesTheSameReports)
{
    TestDataStore store = test::MakeStore(3, Language::Chinese);
    std::vector<const K30*> points;
    for (const K30& p : store.k30List)
        points.push_back(&p);
    const ReportHeader header = test::SampleHeader(Language::Chinese);
    const std::vector<std::uint8_t> bytes = WriteProject(7, points, header);
    const QString project = dir_.filePath(QStringLiteral("site.K30"));
    std::string error;
    ASSERT_TRUE(WriteFileAtomically(project.toStdString(), bytes.data(), bytes.size(), error)) << error;
    const QString tool = QStringLiteral(K30_BIN_DIR "/k30");
    int exit = -1;

    const QString bmp = dir_.filePath(QStringLiteral("cli.bmp"));
    test::RunProgram(tool, {"report", project, "--bmp", bmp, "--point", "P2", "--lang", "zh"}, &exit);
    ASSERT_EQ(exit, 0);
    store.strCurK30Name = "P2";
    QFile cli(bmp);
    ASSERT_TRUE(cli.open(QIODevice::ReadOnly));
    EXPECT_TRUE(cli.readAll() == BitmapFileBytes(RenderReportBitmap(store, header, Language::Chinese)));

    const QString pdf = dir_.filePath(QStringLiteral("cli.pdf"));
    test::RunProgram(tool, {"report", project, "--pdf", pdf, "--type", "all", "--lang", "en"}, &exit);
    ASSERT_EQ(exit, 0);
    EXPECT_EQ(test::PdfPages(pdf), 3);
    test::ExpectTexts(test::PdfText(pdf), {"Client:中铁建设集团"});

    // An unknown point, a list as a bitmap and no output at all are refused.
    const QStringList unknownPoint{"--pdf", pdf, "--point", "P9"}, listAsBitmap{"--bmp", bmp, "--type", "list"};
    for (const QStringList& wrong : {unknownPoint, listAsBitmap, QStringList{}}) {
        test::RunProgram(tool, QStringList{"report", project} + wrong, &exit);
        EXPECT_NE(exit, 0) << wrong.join(' ').toStdString();
    }
}

}  // namespace
}  // namespace k30
