// File › Export through the real command with a scripted save dialog.
#include <gtest/gtest.h>

#include <QAction>
#include <QRadioButton>

#include "AcceptanceSettings.h"
#include "CHeadk30.h"
#include "CPrintType.h"
#include "WindowFixture.h"
#include "../export/ExportTestSupport.h"

using namespace k30;
using namespace k30::test;

namespace {

class Export : public WindowFixture<> {
protected:
    // The window again, over a store of its own.
    void Open(Language lang, TestDataStore store = KnownStore())
    {
        frame_.reset();
        store_ = std::move(store);
        store_.nLanguage = lang;
        frame_ = std::make_unique<CMainFrame>(store_, prompt_);
    }
    void Run() { frame_->Action(CommandId::Export)->trigger(); }
    // What the exports left beside the window's language file.
    QStringList Files(QDir::Filters filters = QDir::Files) const
    {
        QStringList files = QDir(dir_.path()).entryList(filters);
        files.removeOne(QStringLiteral("Config.cfg"));
        return files;
    }
};

TEST_F(Export, WorkbookWithTheThreeFormatsOffered)
{
    Open(Language::English);
    prompt_.file(Path("layer.xlsx"));
    Run();
    ASSERT_EQ(prompt_.fileRequests.size(), 1u);
    const Prompt::FileRequest& request = prompt_.fileRequests[0];
    EXPECT_EQ(request.mode, Prompt::FileRequest::Mode::Save);
    EXPECT_EQ(request.nameFilters.filter(QStringLiteral("(*.xlsx)")).size(), 1);
    EXPECT_EQ(request.nameFilters.filter(QStringLiteral("(*.csv)")).size(), 1);
    EXPECT_EQ(request.nameFilters.filter(QStringLiteral("(*.ags)")).size(), 1);
    EXPECT_TRUE(Slurp(Path("layer.xlsx")).startsWith("PK"));
    EXPECT_TRUE(prompt_.asked.empty());
}

TEST_F(Export, CsvPutsTheEv2TableBesideWithTheHeaderPageAndSettingsRequirements)
{
    SaveEv2LimitTexts({QStringLiteral("400"), QStringLiteral("5")});
    Open(Language::Chinese);
    frame_->HeaderPage()->Box(&ReportHeader::RequiredCoefficient)->setText(QStringLiteral("130"));
    prompt_.file(Path("layer.csv"));
    Run();
    const QByteArray k30 = Slurp(Path("layer.csv"));
    const QByteArray ev2 = Slurp(Path("layer-Ev2.csv"));
    EXPECT_TRUE(k30.startsWith("\xEF\xBB\xBF测试号,开始时间"));
    // 125 < 130 fails; the bound 240 and 150 pass.
    const auto rows = ParseCsv(k30.mid(3).toStdString(), true).value();
    ASSERT_EQ(rows.size(), 5u);
    EXPECT_EQ(rows[1][39], "不合格");
    EXPECT_EQ(rows[2][39], "合格");
    EXPECT_TRUE(ev2.contains("\r\n3,2026-11-4,10:05,10:40,0.350,112.5,450.0,4.00,合格,"));
    SaveEv2LimitTexts({});
}

TEST_F(Export, FailuresAreToldAndLeaveNoFile)
{
    Open(Language::Chinese);
    // A folder that does not exist.
    prompt_.file(Path("missing/layer.ags")).answer(Prompt::Answer::Ok);
    Run();
    ASSERT_EQ(prompt_.asked.size(), 1u);
    EXPECT_TRUE(prompt_.asked[0].text.startsWith(QStringLiteral("无法导出文件"))) << prompt_.asked[0].text.toStdString();

    // The K30 table cannot replace a folder: the Ev2 file written before it
    // is taken back.
    ASSERT_TRUE(QDir(dir_.path()).mkdir(QStringLiteral("taken.csv")));
    prompt_.file(Path("taken.csv")).answer(Prompt::Answer::Ok);
    Run();
    ASSERT_EQ(prompt_.asked.size(), 2u);
    EXPECT_TRUE(prompt_.asked[1].text.startsWith(QStringLiteral("无法导出文件")));

    // Not one of the three endings.
    prompt_.file(Path("layer.txt")).answer(Prompt::Answer::Ok);
    Run();
    ASSERT_EQ(prompt_.asked.size(), 3u);
    EXPECT_TRUE(prompt_.asked[2].text.contains(QStringLiteral(".xlsx")));
    EXPECT_TRUE(Files().isEmpty()) << Files().join(' ').toStdString();
}

TEST_F(Export, AReadOnlyFileIsRefusedWithTheDialogAgainAndAgsRefusesTextsOutsideAscii)
{
    Open(Language::Chinese);
    {
        QFile kept(Path("ro.xlsx"));
        ASSERT_TRUE(kept.open(QIODevice::WriteOnly));
        kept.write("kept");
    }
    ASSERT_TRUE(QFile::setPermissions(Path("ro.xlsx"), QFileDevice::ReadOwner | QFileDevice::ReadGroup));
    prompt_.file(Path("ro.xlsx")).answer(Prompt::Answer::Ok).file(QString());
    Run();
    EXPECT_EQ(prompt_.fileRequests.size(), 2u);
    ASSERT_EQ(prompt_.asked.size(), 1u);
    EXPECT_TRUE(prompt_.asked[0].text.startsWith(QStringLiteral("该文件为只读文件"))) << prompt_.asked[0].text.toStdString();
    EXPECT_EQ(Slurp(Path("ro.xlsx")), QByteArray("kept"));

    // The store's point names are Chinese: AGS4 cannot hold them.
    prompt_.file(Path("layer.ags")).answer(Prompt::Answer::Ok);
    Run();
    ASSERT_EQ(prompt_.asked.size(), 2u);
    EXPECT_TRUE(prompt_.asked[1].text.contains(QStringLiteral("AGS4文件只能包含ASCII字符")));
    EXPECT_TRUE(prompt_.asked[1].text.contains(QStringLiteral("K30测点编号 2: \"低值点\"")))
        << prompt_.asked[1].text.toStdString();
    EXPECT_EQ(Files(), QStringList{QStringLiteral("ro.xlsx")});
}

TEST_F(Export, ACancelLeavesNoFileNoTemporaryAndAnOldFileUntouched)
{
    Open(Language::English);
    const auto everything = [this] { return Files(QDir::Files | QDir::Hidden); };
    // While the tables are made.
    prompt_.file(Path("layer.csv")).cancelProgress(1);
    Run();
    EXPECT_TRUE(everything().isEmpty()) << everything().join(' ').toStdString();

    // While the bytes go to disk, over an existing file.
    {
        QFile old(Path("old.xlsx"));
        ASSERT_TRUE(old.open(QIODevice::WriteOnly));
        old.write("old bytes");
    }
    prompt_.file(Path("old.xlsx")).cancelProgress(2);
    Run();
    EXPECT_EQ(Slurp(Path("old.xlsx")), QByteArray("old bytes"));
    EXPECT_EQ(everything(), QStringList{QStringLiteral("old.xlsx")});

    // A PDF of a page per point, stopped after its first page.
    prompt_.dialog([](QDialog& d) {
        dynamic_cast<CPrintType&>(d).Button(4)->setChecked(true);
        d.accept();
        return static_cast<int>(QDialog::Accepted);
    });
    prompt_.file(Path("report.pdf")).cancelProgress(2);
    frame_->OnExportPdf();
    EXPECT_EQ(everything(), QStringList{QStringLiteral("old.xlsx")});
    EXPECT_TRUE(prompt_.asked.empty()) << "a cancel needs no word";
    EXPECT_EQ(prompt_.progressLabels, (std::vector<QString>{QStringLiteral("Exporting…"), QStringLiteral("Exporting…"),
                                                            QStringLiteral("Writing the PDF…")}));
}

TEST_F(Export, AnEmptyStoreAsksForNoFile)
{
    Open(Language::English, TestDataStore{});
    prompt_.answer(Prompt::Answer::Ok);
    Run();
    EXPECT_TRUE(prompt_.fileRequests.empty());
    ASSERT_EQ(prompt_.asked.size(), 1u);
    EXPECT_EQ(prompt_.asked[0].text, QStringLiteral("There are no test points to export."));
}

}  // namespace
