// The window's report commands, driven through the scripted prompt: the print
// options dialog, the refusals, the print dialog's page range and the errors
// of exports that cannot be written.
#include <gtest/gtest.h>

#include <QFile>
#include <QPrintDialog>
#include <QPrinter>
#include <QRadioButton>
#include <QTemporaryDir>

#include "CPrintType.h"
#include "ReportCommands.h"
#include "ReportTestSupport.h"
#include "ScriptedPrompt.h"

namespace k30 {
namespace {

using test::Choose;

class Commands : public ::testing::Test {
protected:
    ReportCommands Make(Language lang)
    {
        store_.nLanguage = lang;
        return ReportCommands(store_, prompt_, [this] { return test::SampleHeader(store_.nLanguage); }, nullptr);
    }
    TestDataStore store_ = test::MakeStore(5, Language::Chinese);
    test::ScriptedPrompt prompt_;
    QTemporaryDir dir_;
};

TEST_F(Commands, CurrentDataWithoutAPointIsRefusedBeforeAnyPrintJob)
{
    ReportCommands commands = Make(Language::Chinese);
    store_.strCurK30Name.clear();
    prompt_.dialog(Choose(3)).answer(Prompt::Answer::Ok);
    commands.Print();  // a print dialog here would be an unexpected step
    ASSERT_TRUE(prompt_.done());
    ASSERT_EQ(prompt_.asked.size(), 1u);
    EXPECT_EQ(prompt_.asked[0].text, QStringLiteral("请选择要打印的测试点"));
    EXPECT_EQ(prompt_.asked[0].caption, QStringLiteral("Brenlow"));

    store_ = TestDataStore{};
    store_.nLanguage = Language::Chinese;
    prompt_.dialog(Choose(4)).answer(Prompt::Answer::Ok);
    commands.PrintPreview();
    EXPECT_TRUE(prompt_.done());
    EXPECT_EQ(prompt_.asked.back().text, QStringLiteral("没有可打印的测试点"));
    EXPECT_EQ(commands.PrintType(), 4);
}

TEST_F(Commands, PrintOptionsKeepTheirTypeOnCancelAndThePrintDialogChoosesThePages)
{
    ReportCommands commands = Make(Language::English);
    prompt_.dialog([](QDialog& d) {
        auto& dialog = dynamic_cast<CPrintType&>(d);
        EXPECT_TRUE(dialog.Button(3)->isChecked());
        dialog.Button(4)->click();
        dialog.reject();
        return int(QDialog::Rejected);
    });
    commands.Print();
    EXPECT_EQ(commands.PrintType(), 3);

    const QString pdf = dir_.filePath(QStringLiteral("printed.pdf"));
    prompt_.dialog(Choose(4)).dialog([&](QDialog& d) {
        auto& dialog = dynamic_cast<QPrintDialog&>(d);
        EXPECT_EQ(dialog.minPage(), 1);
        EXPECT_EQ(dialog.maxPage(), 5);
        QPrinter* printer = dialog.printer();
        EXPECT_EQ(printer->pageLayout().pageSize().id(), QPageSize::A4);
        EXPECT_EQ(printer->pageLayout().orientation(), QPageLayout::Portrait);
        printer->setOutputFormat(QPrinter::PdfFormat);
        printer->setOutputFileName(pdf);
        printer->setPrintRange(QPrinter::PageRange);
        printer->setPageRanges(QPageRanges::fromString(QStringLiteral("2-3")));
        return int(QDialog::Accepted);
    });
    commands.Print();
    EXPECT_TRUE(prompt_.done());
    EXPECT_TRUE(prompt_.asked.empty());
    EXPECT_EQ(test::PdfPages(pdf), 2);
    const QString text = test::PdfText(pdf);
    EXPECT_TRUE(text.contains(QStringLiteral("Test Number:P2")));
    EXPECT_TRUE(text.contains(QStringLiteral("3/5")));
    EXPECT_FALSE(text.contains(QStringLiteral("Test Number:P1")));
}

TEST_F(Commands, BitmapsNeedAPointThatExistsAndExportsThatCannotBeWrittenSayWhy)
{
    ReportCommands commands = Make(Language::Chinese);
    for (const char* name : {"", "renamed"}) {
        store_.strCurK30Name = name;
        prompt_.answer(Prompt::Answer::Ok);
        commands.SaveBitmap();
        ASSERT_TRUE(prompt_.done());
        EXPECT_EQ(prompt_.asked.back().text, QStringLiteral("请选择测试点"));
    }
    EXPECT_TRUE(prompt_.fileRequests.empty());
    prompt_.asked.clear();

    const QString missing = dir_.filePath(QStringLiteral("gone/report.pdf"));
    prompt_.dialog(Choose(5)).file(missing).answer(Prompt::Answer::Ok);
    commands.ExportPdf();
    ASSERT_TRUE(prompt_.done());
    ASSERT_EQ(prompt_.fileRequests.size(), 1u);
    EXPECT_EQ(prompt_.fileRequests[0].title, QStringLiteral("导出PDF"));
    EXPECT_EQ(prompt_.fileRequests[0].defaultSuffix, QStringLiteral("pdf"));
    ASSERT_EQ(prompt_.asked.size(), 1u);
    EXPECT_TRUE(prompt_.asked[0].text.startsWith(QStringLiteral("无法写入文件")));
    EXPECT_TRUE(prompt_.asked[0].text.contains(missing));
    EXPECT_FALSE(QFile::exists(missing));

    store_.nLanguage = Language::English;
    store_.strCurK30Name = "P2";
    const QString bitmap = dir_.filePath(QStringLiteral("gone/p2.bmp"));
    prompt_.file(bitmap).answer(Prompt::Answer::Ok);
    commands.SaveBitmap();
    ASSERT_TRUE(prompt_.done());
    EXPECT_EQ(prompt_.fileRequests[1].title, QStringLiteral("Storage path of bitmap"));
    EXPECT_EQ(prompt_.fileRequests[1].nameFilters, QStringList{QStringLiteral("Bitmap (*.bmp)")});
    EXPECT_TRUE(prompt_.asked[1].text.startsWith(QStringLiteral("Cannot write the file")));
    EXPECT_FALSE(QFile::exists(bitmap));

    const QString written = dir_.filePath(QStringLiteral("p2.bmp"));
    prompt_.file(written);
    commands.SaveBitmap();
    EXPECT_EQ(QFile(written).size(), 1400054);
}

}  // namespace
}  // namespace k30
