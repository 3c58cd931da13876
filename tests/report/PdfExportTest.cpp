// PDF export and the k30 report command: pages, paper and the text a reader
// gets back out of the file, in both languages.
#include <gtest/gtest.h>

#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>

#include <fstream>

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
    QString Export(const TestDataStore& store, Language lang, int type, const QString& name)
    {
        const QString path = dir_.filePath(name);
        QString error;
        EXPECT_TRUE(ExportReportPdf(path, ReportJob{store, test::SampleHeader(lang), lang, type}, error))
            << error.toStdString();
        return path;
    }
    static int Pages(const QString& info)
    {
        for (const QString& line : info.split('\n')) {
            if (line.startsWith(QStringLiteral("Pages:")))
                return line.mid(6).trimmed().toInt();
        }
        return -1;
    }
    QTemporaryDir dir_;
};

TEST_F(PdfExport, AllDataInChineseHasAnA4PagePerPointWithItsText)
{
    const TestDataStore store = test::MakeStore(3, Language::Chinese);
    const QString path = Export(store, Language::Chinese, kPrintAllPoints, QStringLiteral("all.pdf"));
    const QString info = test::PdfInfo(path);
    EXPECT_EQ(Pages(info), 3) << info.toStdString();
    EXPECT_TRUE(info.contains(QStringLiteral("(A4)"))) << info.toStdString();
    const QString text = test::PdfText(path);
    for (const QString& expected :
         {QStringLiteral("地基系数检测报告"), QStringLiteral("委托单位:中铁建设集团"),
          QStringLiteral("工程名称:京沪铁路DK123"), QStringLiteral("填土层次:第3层"), QStringLiteral("试验编号:P1"),
          QStringLiteral("试验编号:P3"), QStringLiteral("0.202"), QStringLiteral("K30=163"),
          QStringLiteral("检测人:张三"), QStringLiteral("复核人:李四"), QStringLiteral("共3页，第3页")})
        EXPECT_TRUE(text.contains(expected)) << expected.toStdString() << "\n" << text.toStdString();
}

TEST_F(PdfExport, ListInEnglishHasTwoPagesForFortyOnePoints)
{
    const TestDataStore store = test::MakeStore(41, Language::English);
    const QString path = Export(store, Language::English, kPrintPointList, QStringLiteral("list.pdf"));
    EXPECT_EQ(Pages(test::PdfInfo(path)), 2);
    const QString text = test::PdfText(path);
    for (const QString& expected :
         {QStringLiteral("Detection Report of Foundation Coefficient"), QStringLiteral("Client: Northern Rail Works"),
          QStringLiteral("Project Name: Coast Line DK123"), QStringLiteral("Test Number"), QStringLiteral("P1"),
          QStringLiteral("P41"), QStringLiteral("0.241"), QStringLiteral("Tester:John Smith"), QStringLiteral("2/2")})
        EXPECT_TRUE(text.contains(expected)) << expected.toStdString() << "\n" << text.toStdString();
    EXPECT_FALSE(text.contains(QStringLiteral("委托单位")));
}

TEST_F(PdfExport, CurrentPointOnlyAndNoFileWhenItCannotBeWritten)
{
    TestDataStore store = test::MakeStore(5, Language::English);
    store.strCurK30Name = "P4";
    const QString path = Export(store, Language::English, kPrintCurrentPoint, QStringLiteral("one.pdf"));
    EXPECT_EQ(Pages(test::PdfInfo(path)), 1);
    const QString text = test::PdfText(path);
    EXPECT_TRUE(text.contains(QStringLiteral("Test Number:P4")));
    EXPECT_TRUE(text.contains(QStringLiteral("K30=164")));

    QString error;
    const QString missing = dir_.filePath(QStringLiteral("no/such/folder/x.pdf"));
    EXPECT_FALSE(ExportReportPdf(missing, ReportJob{store, {}, Language::English, kPrintAllPoints}, error));
    EXPECT_FALSE(error.isEmpty());
    EXPECT_FALSE(QFile::exists(missing));
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

// A font of N points is N/72 inch tall on paper, not scaled a second time by
// the mapping to report units: the text boxes a PDF reader measures are the
// line height of Times (1.107 em) at the report's sizes.
TEST_F(PdfExport, FontsHaveTheirPointSizeOnPaper)
{
    TestDataStore store = test::MakeStore(1, Language::English);
    store.strCurK30Name = "P1";
    const QString path = Export(store, Language::English, kPrintCurrentPoint, QStringLiteral("sizes.pdf"));
    const QString boxes =
        test::RunProgram(QStringLiteral("pdftotext"), {QStringLiteral("-bbox"), path, QStringLiteral("-")});
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
    const TestDataStore store = test::MakeStore(3, Language::Chinese);
    std::vector<const K30*> points;
    for (const K30& p : store.k30List)
        points.push_back(&p);
    const ReportHeader header = test::SampleHeader(Language::Chinese);
    const std::vector<std::uint8_t> bytes = WriteProject(7, points, header);
    const QString project = dir_.filePath(QStringLiteral("site.K30"));
    {
        std::ofstream out(project.toStdString(), std::ios::binary);
        out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    }
    const QString tool = QStringLiteral(K30_BIN_DIR "/k30");
    int exit = -1;

    const QString bmp = dir_.filePath(QStringLiteral("cli.bmp"));
    test::RunProgram(tool, {"report", project, "--bmp", bmp, "--point", "P2", "--lang", "zh"}, &exit);
    ASSERT_EQ(exit, 0);
    TestDataStore chosen = store;
    chosen.strCurK30Name = "P2";
    const QString own = dir_.filePath(QStringLiteral("own.bmp"));
    QString error;
    ASSERT_TRUE(SaveReportBitmap(own, chosen, header, Language::Chinese, error));
    QFile a(bmp), b(own);
    ASSERT_TRUE(a.open(QIODevice::ReadOnly) && b.open(QIODevice::ReadOnly));
    EXPECT_TRUE(a.readAll() == b.readAll());

    const QString pdf = dir_.filePath(QStringLiteral("cli.pdf"));
    test::RunProgram(tool, {"report", project, "--pdf", pdf, "--type", "all", "--lang", "en"}, &exit);
    ASSERT_EQ(exit, 0);
    EXPECT_EQ(Pages(test::PdfInfo(pdf)), 3);
    EXPECT_TRUE(test::PdfText(pdf).contains(QStringLiteral("Client:中铁建设集团")));

    test::RunProgram(tool, {"report", project, "--pdf", pdf, "--point", "P9"}, &exit);
    EXPECT_EQ(exit, 1);
    test::RunProgram(tool, {"report", project, "--bmp", bmp, "--type", "list"}, &exit);
    EXPECT_NE(exit, 0);
    test::RunProgram(tool, {"report", project}, &exit);
    EXPECT_NE(exit, 0);
}

}  // namespace
}  // namespace k30
