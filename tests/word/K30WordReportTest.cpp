// The K30 Word report from a known store, read back with an XML parser, and
// the same document from the command-line tool.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>

#include "CDornWordOffice.h"
#include "DocxPackage.h"
#include "K30WordReport.h"
#include "ProjectFile.h"
#include "WordTestSupport.h"

using namespace k30;
using namespace k30::test;

namespace {

K30 Point(const std::string& name, const std::string& stress, const std::string& type, const std::string& k30)
{
    K30 p;
    p.name = name;
    p.stress125 = stress;
    p.testType = type;
    p.k30Value = k30;
    return p;
}

TestDataStore Store(int n)
{
    const K30 known[] = {Point("1", "0.192", "K30", "153"), Point("测点2", "0.218", "K30", "174"),
                         Point("3", "0.172", "", "138")};
    TestDataStore s;
    for (int i = 0; i < n; ++i)
        s.AddK30Point(known[i]);
    s.nK30Count = n;
    return s;
}

ReportHeader Info()
{
    ReportHeader h;
    h.Client = "京沪铁路 <A&B>";
    h.Elevation = "12.5m";
    h.ProjectName = "路基工程";
    h.PointLocation = "DK12+300";
    h.SubgradeMileage = "K1+200";
    h.FillLayer = "3";
    h.ReportNumber = "R-7";
    h.FillerName = "A组填料";
    h.RequiredCoefficient = "110";
    h.ReportDate = "2009-5-12";
    h.Environment = "晴";
    h.Tester = "not in the report";
    return h;
}

QByteArray Build(const TestDataStore& store, const ReportHeader& info, Language lang)
{
    CaptureHost host;
    {
        CDornWordOffice office(host);
        WriteK30WordReport(office, store, info, lang);
    }
    EXPECT_TRUE(host.warnings.isEmpty()) << host.warnings.join(QLatin1Char('|')).toStdString();
    return host.shown.size() == 1 ? host.shown.front() : QByteArray();
}

const Node& FirstRunFormat(const Node& p) { return *p.child(QStringLiteral("w:r"))->child(QStringLiteral("w:rPr")); }

std::vector<QStringList> ResultsOf(const TestDataStore& store)
{
    const Node doc = DocumentOf(Build(store, Info(), Language::English));
    const auto blocks = BodyBlocks(doc);
    return blocks.size() == 5 ? TableTexts(*blocks[3]) : std::vector<QStringList>{};
}

}  // namespace

TEST(WordReport, TitleHeaderTableAndSignOffInBothLanguages)
{
    struct Expected {
        Language lang;
        const char* face;
        const char* title;
        QStringList left, right;
        const char* signOff;
    };
    const Expected cases[] = {
        {Language::Chinese, "宋体", "                   地基系数检测报告",
         {"委托单位:  京沪铁路 <A&B>", "标    高:  12.5m", "工程名称: 路基工程", "测点位置: DK12+300",
          "路基里程: K1+200", "填土层次: 3"},
         {"报告编号: R-7", "填料名称: A组填料", "要求地基系数值: 110", "报告日期: 2009-5-12", "检测环境: 晴", ""},
         "复核:\t\t\t 年\t月\t日\t\t\t\t\t试验:\t\t\t 年\t月\t日"},
        {Language::English, "Times New Roman", "          Detection Report of Foundation Coefficient",
         {"Client:  京沪铁路 <A&B>", "Elevation:  12.5m", "Project Name: 路基工程", "Measure Point Location: DK12+300",
          "Subgrade Mileage: K1+200", "Filling Layer: 3"},
         {"Report Number: R-7", "Filler Name: A组填料", "Required Foundation Coefficient: 110",
          "Report Date: 2009-5-12", "Detection Environment: 晴", ""},
         "Reviewer:\t\t Year\tMonth\tDay\t\t\tTester:\t\t Year\tMonth\tDay"},
    };
    for (const Expected& e : cases) {
        SCOPED_TRACE(e.face);
        const Node doc = DocumentOf(Build(Store(3), Info(), e.lang));
        const auto blocks = BodyBlocks(doc);
        ASSERT_EQ(blocks.size(), 5u);

        const Node& title = *blocks[0];
        EXPECT_EQ(ParagraphText(title), QString::fromUtf8(e.title));
        const Node& titleFormat = FirstRunFormat(title);
        EXPECT_EQ(titleFormat.child(QStringLiteral("w:rFonts"))->attr(QStringLiteral("w:ascii")), QString::fromUtf8(e.face));
        EXPECT_EQ(titleFormat.val(QStringLiteral("w:sz")), QStringLiteral("30"));
        EXPECT_NE(titleFormat.child(QStringLiteral("w:b")), nullptr);

        ASSERT_EQ(blocks[1]->name, QStringLiteral("w:tbl"));
        const auto header = TableTexts(*blocks[1]);
        ASSERT_EQ(header.size(), 6u);
        for (std::size_t r = 0; r < 6; ++r) {
            ASSERT_EQ(header[r].size(), 2);
            EXPECT_EQ(header[r][0], e.left[static_cast<qsizetype>(r)]);
            EXPECT_EQ(header[r][1], e.right[static_cast<qsizetype>(r)]);
        }
        const Node& cell = *blocks[1]->child(QStringLiteral("w:tr"))->child(QStringLiteral("w:tc"));
        const Node& cellFormat = FirstRunFormat(*cell.child(QStringLiteral("w:p")));
        EXPECT_EQ(cellFormat.val(QStringLiteral("w:sz")), QStringLiteral("21"));
        EXPECT_EQ(cellFormat.child(QStringLiteral("w:b")), nullptr);

        ASSERT_EQ(blocks[3]->name, QStringLiteral("w:tbl"));
        const Node& signOff = *blocks[4];
        EXPECT_EQ(ParagraphText(signOff), QString::fromUtf8(e.signOff));
        EXPECT_EQ(FirstRunFormat(signOff).val(QStringLiteral("w:sz")), QStringLiteral("18"));
    }
}

TEST(WordReport, ResultsTableHoldsTwoPointsARow)
{
    const QStringList headings{"Test Number", "Load Strength(MPa) Corresponding to 1.25mm Settlement",
                               "Foundation Coefficient(MPa/m)"};
    const auto one = ResultsOf(Store(1));
    ASSERT_EQ(one.size(), 2u);
    EXPECT_EQ(one[0], headings + headings);
    EXPECT_EQ(one[1], (QStringList{"1", "0.192", "K30=153", "", "", ""}));

    const auto three = ResultsOf(Store(3));
    ASSERT_EQ(three.size(), 3u);
    EXPECT_EQ(three[1], (QStringList{"1", "0.192", "K30=153", "测点2", "0.218", "K30=174"}));
    // An empty test type still joins with "=".
    EXPECT_EQ(three[2], (QStringList{"3", "0.172", "=138", "", "", ""}));

    EXPECT_EQ(ResultsOf(Store(0)).size(), 1u);
    // A count beyond the list reports the points that exist.
    TestDataStore overCounted = Store(3);
    overCounted.nK30Count = 7;
    EXPECT_EQ(ResultsOf(overCounted), three);
}

TEST(WordReport, CommandLineWritesTheSameDocument)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const TestDataStore source = Store(3);
    std::vector<const K30*> points;
    for (const K30& p : source.k30List)
        points.push_back(&p);
    const auto bytes = WriteProject(1207, points, Info());
    QFile project(dir.filePath(QStringLiteral("site.K30")));
    ASSERT_TRUE(project.open(QIODevice::WriteOnly));
    project.write(reinterpret_cast<const char*>(bytes.data()), static_cast<qint64>(bytes.size()));
    project.close();
    const ProjectReadResult read = ReadProject(bytes);
    ASSERT_TRUE(read.ok);
    TestDataStore loaded;
    ApplyProject(read.data, loaded);

    auto runTool = [&](const QStringList& args) {
        QProcess tool;
        tool.setWorkingDirectory(dir.path());
        tool.start(QStringLiteral(K30_BIN_DIR "/k30"), args);
        EXPECT_TRUE(tool.waitForFinished(60000));
        EXPECT_EQ(tool.exitCode(), 0) << tool.readAllStandardError().toStdString();
    };
    auto written = [&](const char* name) {
        QFile f(dir.filePath(QString::fromLatin1(name)));
        return f.open(QIODevice::ReadOnly) ? Unzip(f.readAll(), "word/document.xml") : QByteArray();
    };

    runTool({"word", project.fileName(), dir.filePath("zh.docx"), "--lang", "zh"});
    ASSERT_FALSE(written("zh.docx").isEmpty());
    EXPECT_EQ(written("zh.docx"), Unzip(Build(loaded, read.data.header, Language::Chinese), "word/document.xml"));

    // --header replaces the project's own header.
    QFile json(dir.filePath(QStringLiteral("header.json")));
    ASSERT_TRUE(json.open(QIODevice::WriteOnly));
    json.write(R"({"Client": "Other client", "ReportDate": "2024-1-2"})");
    json.close();
    runTool({"word", project.fileName(), dir.filePath("en.docx"), "--lang", "en", "--header", json.fileName()});
    ASSERT_FALSE(written("en.docx").isEmpty());
    ReportHeader other;
    other.Client = "Other client";
    other.ReportDate = "2024-1-2";
    EXPECT_EQ(written("en.docx"), Unzip(Build(loaded, other, Language::English), "word/document.xml"));
}

// The document's XML byte for byte, so any change to what leaves the program
// is seen. K30_UPDATE_GOLDEN=1 rewrites the files after a deliberate change.
TEST(WordReport, DocumentXmlMatchesTheGoldenFiles)
{
    const QDir golden = QFileInfo(QStringLiteral(__FILE__)).dir().filePath(QStringLiteral("golden"));
    for (const auto& [lang, name] : {std::pair{Language::Chinese, "report-zh.document.xml"},
                                     std::pair{Language::English, "report-en.document.xml"}}) {
        SCOPED_TRACE(name);
        const QByteArray xml = Unzip(Build(Store(3), Info(), lang), "word/document.xml");
        QFile file(golden.filePath(QString::fromLatin1(name)));
        if (qEnvironmentVariableIntValue("K30_UPDATE_GOLDEN") == 1) {
            ASSERT_TRUE(file.open(QIODevice::WriteOnly));
            file.write(xml);
            continue;
        }
        ASSERT_TRUE(file.open(QIODevice::ReadOnly)) << file.fileName().toStdString();
        const QByteArray expected = file.readAll();
        qsizetype at = 0;
        while (at < xml.size() && at < expected.size() && xml[at] == expected[at])
            ++at;
        EXPECT_EQ(xml, expected) << "first difference at byte " << at << ": ..." << xml.mid(at, 80).toStdString();
    }
}
