// The K30 Word report from a known store, read back with an XML parser; the
// same document from the command-line tool; and LibreOffice opening it.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QUrl>

#include "DocxPackage.h"
#include "ProjectFile.h"
#include "WordTestSupport.h"

using namespace k30;
using namespace k30::test;

namespace {

const QByteArray& Golden(Language lang)
{
    static const auto read = [](const char* name) {
        QFile f(QStringLiteral(K30_TESTS_DIR "/word/golden/") + QLatin1StringView(name));
        EXPECT_TRUE(f.open(QIODevice::ReadOnly)) << f.fileName().toStdString();
        return f.readAll();
    };
    static const QByteArray zh = read("report-zh.document.xml"), en = read("report-en.document.xml");
    return lang == Language::Chinese ? zh : en;
}

std::vector<QStringList> ResultsOf(const TestDataStore& store)
{
    const Node doc = DocumentOf(BuildReport(store, KnownHeader(), Language::English));
    const auto blocks = BodyBlocks(doc);
    return blocks.size() == 5 ? TableTexts(*blocks[3]) : std::vector<QStringList>{};
}

// Merged output; exit code checked.
QString RunProgram(const QString& program, const QStringList& args)
{
    QProcess p;
    p.setProcessChannelMode(QProcess::MergedChannels);
    p.start(program, args);
    EXPECT_TRUE(p.waitForFinished(240000)) << program.toStdString();
    EXPECT_EQ(p.exitCode(), 0) << program.toStdString();
    return QString::fromUtf8(p.readAll());
}

}  // namespace

// Title, header table, results and sign-off in both languages, byte for byte,
// so any change to what leaves the program is seen; after a deliberate change,
// copy the new XML over the file in golden/.
TEST(WordReport, TitleHeaderTableAndSignOffInBothLanguages)
{
    for (const Language lang : {Language::Chinese, Language::English}) {
        const QByteArray xml = DocumentXml(BuildReport(KnownStore(3), KnownHeader(), lang));
        qsizetype at = 0;
        while (at < xml.size() && at < Golden(lang).size() && xml[at] == Golden(lang)[at])
            ++at;
        EXPECT_EQ(xml, Golden(lang)) << "first difference at byte " << at << ": ..." << xml.mid(at, 80).toStdString();
    }
}

TEST(WordReport, ResultsTableHoldsTwoPointsARow)
{
    const QStringList headings{"Test Number", "Load Strength(MPa) Corresponding to 1.25mm Settlement",
                               "Foundation Coefficient(MPa/m)"};
    const auto one = ResultsOf(KnownStore(1));
    ASSERT_EQ(one.size(), 2u);
    EXPECT_EQ(one[0], headings + headings);
    EXPECT_EQ(one[1], (QStringList{"1", "0.192", "K30=153", "", "", ""}));

    // Three points are held by the golden files.
    EXPECT_EQ(ResultsOf(KnownStore(0)).size(), 1u);
    // A count beyond the list reports the points that exist.
    const auto three = ResultsOf(KnownStore(3));
    ASSERT_EQ(three.size(), 3u);
    TestDataStore overCounted = KnownStore(3);
    overCounted.nK30Count = 7;
    EXPECT_EQ(ResultsOf(overCounted), three);
}

TEST(WordReport, CommandLineWritesTheSameDocument)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const TestDataStore source = KnownStore(3);
    const auto bytes = WriteProject(1207, {&source.k30List[0], &source.k30List[1], &source.k30List[2]}, KnownHeader());
    QFile project(dir.filePath(QStringLiteral("site.K30")));
    QFile json(dir.filePath(QStringLiteral("header.json")));
    ASSERT_TRUE(project.open(QIODevice::WriteOnly) && json.open(QIODevice::WriteOnly));
    project.write(reinterpret_cast<const char*>(bytes.data()), static_cast<qint64>(bytes.size()));
    json.write(R"({"Client": "Other client", "ReportDate": "2024-1-2"})");
    project.close();
    json.close();

    auto written = [&](const QString& name, const QStringList& options) {
        RunProgram(QStringLiteral(K30_BIN_DIR "/k30"), QStringList{"word", project.fileName(), dir.filePath(name)} + options);
        QFile f(dir.filePath(name));
        return f.open(QIODevice::ReadOnly) ? DocumentXml(f.readAll()) : QByteArray();
    };
    EXPECT_EQ(written("zh.docx", {"--lang", "zh"}), Golden(Language::Chinese));
    // --header replaces the project's own header.
    ReportHeader other;
    other.Client = "Other client";
    other.ReportDate = "2024-1-2";
    EXPECT_EQ(written("en.docx", {"--lang", "en", "--header", json.fileName()}),
              DocumentXml(BuildReport(source, other, Language::English)));
}

TEST(WordReport, LibreOfficeShowsTitleTablesAndSignOff)
{
    const QString soffice = QStandardPaths::findExecutable(QStringLiteral("soffice"));
    const QString pdftotext = QStandardPaths::findExecutable(QStringLiteral("pdftotext"));
    if (soffice.isEmpty() || pdftotext.isEmpty())
        GTEST_SKIP() << "soffice or pdftotext missing: scripts/setup installs libreoffice-writer-nogui and poppler-utils";

    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QStringList common{"京沪铁路 <A&B>", "路基工程", "R-7", "DK12+300", "0.192", "0.218", "0.172", "K30=153", "K30=174", "=138"};
    const struct {
        Language lang;
        const char* name;
        QStringList texts;
    } cases[] = {
        {Language::Chinese, "zh", {"地基系数检测报告", "委托单位:", "要求地基系数值:", "检测环境: 晴", "试验编号", "复核:", "试验:"}},
        {Language::English, "en", {"Detection Report of Foundation Coefficient", "Client:", "Detection Environment: 晴",
                                   "Test Number", "Reviewer:", "Tester:", "Month"}},
    };
    QStringList args{"--headless", "--norestore", "--convert-to", "pdf", "--outdir", dir.path()};
    for (const auto& e : cases) {
        // Chinese as a document, English as the template the window opens.
        const bool asTemplate = e.lang == Language::English;
        QFile docx(dir.filePath(QLatin1StringView(e.name) + QLatin1StringView(asTemplate ? ".dotx" : ".docx")));
        ASSERT_TRUE(docx.open(QIODevice::WriteOnly));
        QString error;
        const QByteArray package = BuildReport(KnownStore(3), KnownHeader(), e.lang);
        docx.write(asTemplate ? docx::TemplateFromDocx(package, error) : package);
        args << docx.fileName();
    }
    // A profile of its own, so parallel runs do not wait for each other's lock.
    const QString log = RunProgram(soffice, QStringList{"-env:UserInstallation=" +
                                                 QUrl::fromLocalFile(dir.filePath(QStringLiteral("profile"))).toString()} + args);
    for (const auto& e : cases) {
        SCOPED_TRACE(e.name);
        const QString pdf = dir.filePath(QLatin1StringView(e.name) + QStringLiteral(".pdf"));
        ASSERT_TRUE(QFile::exists(pdf)) << log.toStdString();
        const QString text = RunProgram(pdftotext, {pdf, "-"});
        for (const QString& t : common + e.texts)
            EXPECT_TRUE(text.contains(t)) << t.toStdString() << " not in:\n" << text.toStdString();
    }
}
