// k30 site, run as a user runs it, on the default database in a data folder
// of the test's own.
#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QStandardPaths>

#include "SiteTestSupport.h"

namespace k30::site::test {
namespace {

class SiteCommand : public ::testing::Test {
protected:
    struct Run {
        int code = -1;
        QString out;
        QString err;
    };

    Run K30(const QStringList& args)
    {
        QProcess p;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("XDG_DATA_HOME"), data.path());
        env.insert(QStringLiteral("XDG_CONFIG_HOME"), data.filePath(QStringLiteral("config")));
        env.remove(QStringLiteral("K30_DB"));
        p.setProcessEnvironment(env);
        p.start(QStringLiteral(K30_TOOL), QStringList{QStringLiteral("site")} + args);
        p.waitForFinished(60000);
        return {p.exitCode(), QString::fromUtf8(p.readAllStandardOutput()), QString::fromUtf8(p.readAllStandardError())};
    }

    // A file in the test's folder, or at a full path.
    QString Write(const QString& name, const std::string& text)
    {
        const QString path = QDir(files.path()).filePath(name);
        QFile f(path);
        f.open(QIODevice::WriteOnly);
        f.write(text.data(), static_cast<qint64>(text.size()));
        return path;
    }

    QJsonArray Points(const QStringList& filters)
    {
        const Run r = K30(QStringList{QStringLiteral("list"), QStringLiteral("--json")} + filters);
        EXPECT_EQ(r.code, 0) << r.err.toStdString();
        return QJsonDocument::fromJson(r.out.toUtf8()).object().value(QStringLiteral("points")).toArray();
    }

    QTemporaryDir data;
    QTemporaryDir files;
};

TEST_F(SiteCommand, ImportListSetStatsExport)
{
    const QString a = Write(QStringLiteral("a.ORG"), Transfer(1, {100, 120}, 1));
    const QString b = Write(QStringLiteral("b.ORG"), Transfer(2, {140}));
    Run r = K30({QStringLiteral("import"), a, b});
    ASSERT_EQ(r.code, 0) << r.err.toStdString();
    EXPECT_EQ(r.out.trimmed(), QStringLiteral("2 transfers and 4 points added, 0 transfers already there"));
    EXPECT_TRUE(QFile::exists(data.filePath(QStringLiteral("k30workbench/site.sqlite"))));
    r = K30({QStringLiteral("import"), a});
    EXPECT_EQ(r.out.trimmed(), QStringLiteral("0 transfers and 0 points added, 1 transfers already there"));

    // The result texts are those of k30 show --json.
    QProcess show;
    show.start(QStringLiteral(K30_TOOL), {QStringLiteral("show"), a, QStringLiteral("--json")});
    show.waitForFinished(60000);
    const QJsonObject shown = QJsonDocument::fromJson(show.readAllStandardOutput()).object();
    const QJsonObject shownEv2 = shown.value(QStringLiteral("ev2Points")).toArray().at(0).toObject();

    const QJsonArray ev2 = Points({QStringLiteral("--kind"), QStringLiteral("ev2")});
    ASSERT_EQ(ev2.size(), 1);
    const QJsonObject e = ev2.at(0).toObject();
    for (const char* key : {"sigma0max", "ev1", "ev2", "ratio", "name", "startTime", "endTime"})
        EXPECT_EQ(e.value(QLatin1String(key)), shownEv2.value(QLatin1String(key))) << key;
    EXPECT_EQ(e.value(QStringLiteral("transfer")).toString().size(), 64);
    EXPECT_TRUE(e.value(QStringLiteral("chainageM")).isNull());
    EXPECT_FALSE(e.contains(QStringLiteral("k30Value")));

    const QJsonArray k30 = Points({QStringLiteral("--kind"), QStringLiteral("k30")});
    ASSERT_EQ(k30.size(), 3);
    const QString first = QString::number(k30.at(0).toObject().value(QStringLiteral("id")).toInteger());
    const QString second = QString::number(k30.at(1).toObject().value(QStringLiteral("id")).toInteger());
    r = K30({QStringLiteral("set"), first, second, QStringLiteral("--chainage"), QStringLiteral("DK125+340.5"),
             QStringLiteral("--layer"), QStringLiteral("3")});
    ASSERT_EQ(r.code, 0) << r.err.toStdString();

    const QJsonArray layer3 = Points({QStringLiteral("--layer"), QStringLiteral("3"), QStringLiteral("--chainage"),
                                      QStringLiteral("DK125+300..DK125+400"), QStringLiteral("--required"),
                                      QStringLiteral("110")});
    ASSERT_EQ(layer3.size(), 2);
    const QJsonObject p = layer3.at(0).toObject();
    EXPECT_EQ(p.value(QStringLiteral("chainage")).toString(), QStringLiteral("DK125+340.5"));
    EXPECT_DOUBLE_EQ(p.value(QStringLiteral("chainageM")).toDouble(), 125340.5);
    EXPECT_EQ(p.value(QStringLiteral("k30Value")).toString(), QStringLiteral("100"));
    EXPECT_EQ(p.value(QStringLiteral("verdict")).toString(), QStringLiteral("fail"));

    r = K30({QStringLiteral("stats"), QStringLiteral("--json"), QStringLiteral("--kind"), QStringLiteral("k30"),
             QStringLiteral("--required"), QStringLiteral("110")});
    ASSERT_EQ(r.code, 0);
    const QJsonObject stats = QJsonDocument::fromJson(r.out.toUtf8()).object();
    EXPECT_DOUBLE_EQ(stats.value(QStringLiteral("k30")).toObject().value(QStringLiteral("mean")).toDouble(), 120.0);
    EXPECT_EQ(stats.value(QStringLiteral("k30Verdicts")).toObject().value(QStringLiteral("passed")).toInt(), 2);

    const QString csv = files.filePath(QStringLiteral("layer3.csv"));
    r = K30({QStringLiteral("export"), csv, QStringLiteral("--layer"), QStringLiteral("3")});
    ASSERT_EQ(r.code, 0) << r.err.toStdString();
    QFile out(csv);
    ASSERT_TRUE(out.open(QIODevice::ReadOnly));
    EXPECT_EQ(out.readAll().count("\r\n"), 3);  // heading and two points
}

// The lot report of a filter: its words, statistics and conclusion in the PDF.
TEST_F(SiteCommand, LotReportOfAFilterWithFreeText)
{
    const QString pdftotext = QStandardPaths::findExecutable(QStringLiteral("pdftotext"));
    if (pdftotext.isEmpty())
        GTEST_SKIP() << "pdftotext missing: scripts/setup installs poppler-utils";
    ASSERT_EQ(K30({QStringLiteral("import"), Write(QStringLiteral("a.ORG"), Transfer(1, {100, 120, 140}))}).code, 0);
    const QJsonArray all = Points({});
    ASSERT_EQ(all.size(), 3);
    QStringList ids;
    for (const QJsonValue& p : all)
        ids << QString::number(p.toObject().value(QStringLiteral("id")).toInteger());
    ASSERT_EQ(K30(QStringList{QStringLiteral("set")} + ids + QStringList{QStringLiteral("--layer"), QStringLiteral("3")}).code, 0);
    ASSERT_EQ(K30({QStringLiteral("set"), ids[0], ids[1], QStringLiteral("--remark"), QStringLiteral("North side")}).code, 0);
    EXPECT_EQ(Points({QStringLiteral("--text"), QStringLiteral("NORTH")}).size(), 2);

    const QString pdf = files.filePath(QStringLiteral("lot.pdf"));
    const QStringList filter{QStringLiteral("--layer"), QStringLiteral("3"), QStringLiteral("--text"),
                             QStringLiteral("north"), QStringLiteral("--required"), QStringLiteral("110"),
                             QStringLiteral("--lang"), QStringLiteral("en")};
    const Run r = K30(QStringList{QStringLiteral("report"), QStringLiteral("--pdf"), pdf} + filter);
    ASSERT_EQ(r.code, 0) << r.err.toStdString();
    QProcess text;
    text.start(pdftotext, {QStringLiteral("-layout"), pdf, QStringLiteral("-")});
    ASSERT_TRUE(text.waitForFinished(60000));
    const QString shown = QString::fromUtf8(text.readAllStandardOutput()).simplified();
    EXPECT_TRUE(shown.contains(QStringLiteral("layer 3; containing \"north\""))) << shown.toStdString();
    EXPECT_TRUE(shown.contains(QStringLiteral("1 points fail: the lot does not pass."))) << shown.toStdString();
    EXPECT_TRUE(shown.contains(QStringLiteral("110.0"))) << shown.toStdString();  // mean of 100 and 120

    // Nothing chosen: nothing written.
    const QString none = files.filePath(QStringLiteral("none.pdf"));
    EXPECT_EQ(K30({QStringLiteral("report"), QStringLiteral("--pdf"), none, QStringLiteral("--lot"), QStringLiteral("x")}).code, 1);
    EXPECT_FALSE(QFile::exists(none));
}

// A point whose readings stop short of 1.25 mm: the instrument writes K30 = 0,
// the table and the report give the bound (0.3 MPa / 1.25 mm = 240), and a
// kind with nothing judged has no pass rate rather than 0 %.
TEST_F(SiteCommand, UnreachedSettlementShowsItsBound)
{
    ASSERT_EQ(K30({QStringLiteral("import"), Write(QStringLiteral("a.ORG"), Transfer(1, {0, 150}, 1))}).code, 0);
    const Run list = K30({QStringLiteral("list"), QStringLiteral("--kind"), QStringLiteral("k30"),
                          QStringLiteral("--required"), QStringLiteral("200")});
    ASSERT_EQ(list.code, 0);
    const QStringList rows = list.out.split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    ASSERT_EQ(rows.size(), 3);
    EXPECT_EQ(rows[1].split(QLatin1Char('\t')).mid(8, 3), (QStringList{QStringLiteral("≥ 240"), {}, QStringLiteral("Pass")}));
    EXPECT_EQ(Points({}).at(0).toObject().value(QStringLiteral("k30Value")).toString(), QStringLiteral("0"));

    const Run stats = K30({QStringLiteral("stats"), QStringLiteral("--required"), QStringLiteral("200"),
                           QStringLiteral("--lang"), QStringLiteral("en")});
    ASSERT_EQ(stats.code, 0);
    EXPECT_TRUE(stats.out.contains(QStringLiteral("K30: Passed 1, Failed 1, Not assessable 0, Pass rate 50.0%"))) << stats.out.toStdString();
    EXPECT_TRUE(stats.out.contains(QStringLiteral("Ev2: Passed 0, Failed 0, Not assessable 1, Pass rate —"))) << stats.out.toStdString();
}

// Words the command cannot read exit 2, a database it cannot reach 1; each says why.
TEST_F(SiteCommand, ExitCodes)
{
    const std::vector<std::pair<QStringList, int>> cases{
        {{"list", "--chainage", "DKx.."}, 2},
        {{"stats", "--from", "2026-13-01"}, 2},
        {{"stats", "--required", "hard"}, 2},
        {{"report", "--pdf", "x.pdf", "--chainage", "DK1+2"}, 2},
        {{"--db", "mysql://a@b/c", "list"}, 2},
        {{"set", "1", "--chainage", "x"}, 2},
        {{"--db", "postgresql://nobody@127.0.0.1:1/none", "list"}, 1},
    };
    for (const auto& [args, code] : cases) {
        const Run r = K30(args);
        EXPECT_EQ(r.code, code) << args.join(' ').toStdString();
        EXPECT_FALSE(r.err.isEmpty()) << args.join(' ').toStdString();
    }
}

TEST_F(SiteCommand, RebuildFromTheUsersArchiveSettingADamagedFileAside)
{
    const QString archive = data.filePath(QStringLiteral("k30workbench/transfers"));
    QDir().mkpath(archive);
    Write(archive + QStringLiteral("/2026-12-07_143005+0800_instrument-1.ORG"), Transfer(1, {100, 120}));
    // A damaged database is left alone unless the user asks to set it aside.
    Write(data.filePath(QStringLiteral("k30workbench/site.sqlite")), "not a database");
    Run r = K30({QStringLiteral("rebuild")});
    EXPECT_EQ(r.code, 1);
    EXPECT_TRUE(r.err.contains(QStringLiteral("--set-aside")));
    r = K30({QStringLiteral("rebuild"), QStringLiteral("--set-aside")});
    ASSERT_EQ(r.code, 0) << r.err.toStdString();
    EXPECT_TRUE(r.out.endsWith(QStringLiteral("1 transfers and 2 points added, 0 transfers already there\n")));
    const QStringList aside = QDir(data.filePath(QStringLiteral("k30workbench")))
                                  .entryList({QStringLiteral("site.sqlite.set-aside-*")});
    ASSERT_EQ(aside.size(), 1);
    QFile kept(data.filePath(QStringLiteral("k30workbench/") + aside[0]));
    kept.open(QIODevice::ReadOnly);
    EXPECT_EQ(kept.readAll(), QByteArray("not a database"));
}

}  // namespace
}  // namespace k30::site::test
