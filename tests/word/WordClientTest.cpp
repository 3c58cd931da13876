// A real word processor opens the report: LibreOffice converts it to PDF and
// the PDF's text holds the title, both tables and the sign-off line.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QUrl>

#include "CDornWordOffice.h"
#include "K30WordReport.h"
#include "WordTestSupport.h"

using namespace k30;
using namespace k30::test;

namespace {

TestDataStore ThreePoints()
{
    TestDataStore s;
    const char* names[] = {"A1", "B2", "C3"};
    const char* stress[] = {"0.192", "0.218", "0.172"};
    const char* k30[] = {"153", "174", "138"};
    for (int i = 0; i < 3; ++i) {
        K30 p;
        p.name = names[i];
        p.stress125 = stress[i];
        p.testType = "K30";
        p.k30Value = k30[i];
        s.AddK30Point(p);
    }
    s.nK30Count = 3;
    return s;
}

bool WriteReport(const QString& path, Language lang)
{
    ReportHeader info;
    info.Client = "京沪铁路 <A&B>";
    info.ProjectName = "Subgrade-17";
    info.ReportNumber = "R-2009-7";
    info.Environment = "晴";
    CaptureHost host;
    {
        CDornWordOffice office(host);
        WriteK30WordReport(office, ThreePoints(), info, lang);
    }
    QFile f(path);
    return host.shown.size() == 1 && f.open(QIODevice::WriteOnly) && f.write(host.shown[0]) == host.shown[0].size();
}

QString RunProgram(const QString& program, const QStringList& args, const QString& dir)
{
    QProcess p;
    p.setWorkingDirectory(dir);
    p.setProcessChannelMode(QProcess::MergedChannels);
    p.start(program, args);
    if (!p.waitForFinished(240000))
        p.kill();
    return QString::fromUtf8(p.readAll());
}

}  // namespace

TEST(WordClient, LibreOfficeShowsTitleTablesAndSignOff)
{
    const QString soffice = QStandardPaths::findExecutable(QStringLiteral("soffice"));
    const QString pdftotext = QStandardPaths::findExecutable(QStringLiteral("pdftotext"));
    if (soffice.isEmpty() || pdftotext.isEmpty())
        GTEST_SKIP() << "soffice or pdftotext missing: scripts/setup installs libreoffice-writer-nogui and poppler-utils";

    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    ASSERT_TRUE(WriteReport(dir.filePath(QStringLiteral("zh.docx")), Language::Chinese));
    ASSERT_TRUE(WriteReport(dir.filePath(QStringLiteral("en.docx")), Language::English));

    // A profile of its own, so parallel runs do not wait for each other's lock.
    const QString profile = QUrl::fromLocalFile(dir.filePath(QStringLiteral("profile"))).toString();
    const QString log = RunProgram(soffice,
                            {"-env:UserInstallation=" + profile, "--headless", "--norestore", "--convert-to", "pdf",
                             "--outdir", dir.path(), dir.filePath("zh.docx"), dir.filePath("en.docx")},
                            dir.path());

    const QStringList common{"京沪铁路 <A&B>", "Subgrade-17", "R-2009-7", "A1", "B2", "C3",
                             "0.192", "0.218", "0.172", "K30=153", "K30=174", "K30=138"};
    const struct {
        const char* name;
        QStringList texts;
    } expected[] = {
        {"zh", common + QStringList{"地基系数检测报告", "委托单位:", "工程名称:", "填土层次:", "报告编号:", "要求地基系数值:",
                                    "检测环境: 晴", "试验编号", "地基系数值", "复核:", "试验:"}},
        {"en", common + QStringList{"Detection Report of Foundation Coefficient", "Client:", "Filling Layer:",
                                    "Required Foundation Coefficient:", "Detection Environment: 晴", "Test Number",
                                    "Reviewer:", "Tester:", "Month"}},
    };
    for (const auto& e : expected) {
        SCOPED_TRACE(e.name);
        const QString pdf = dir.filePath(QString::fromLatin1(e.name) + ".pdf");
        ASSERT_TRUE(QFile::exists(pdf)) << log.toStdString();
        const QString text = RunProgram(pdftotext, {pdf, "-"}, dir.path());
        for (const QString& t : e.texts)
            EXPECT_TRUE(text.contains(t)) << t.toStdString() << " not in:\n" << text.toStdString();
    }
}
