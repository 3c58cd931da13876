// "Save Word Document" from the window's side: the information dialog, the
// document on the desktop, and saving it when nothing can open it.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>

#include "CDlgWordK.h"
#include "ScriptedPrompt.h"
#include "WordCommand.h"
#include "WordTestSupport.h"

using namespace k30;
using namespace k30::test;
using Answer = Prompt::Answer;

namespace {

TestDataStore OnePoint(Language lang)
{
    TestDataStore s;
    K30 p;
    p.name = "7";
    p.stress125 = "0.192";
    p.testType = "K30";
    p.k30Value = "153";
    s.AddK30Point(p);
    s.nK30Count = 1;
    s.nLanguage = lang;
    return s;
}

// Cell texts of the document's first table (the report information).
std::vector<QStringList> InfoTable(const QByteArray& package)
{
    const Node doc = DocumentOf(package);
    const auto blocks = BodyBlocks(doc);
    return blocks.size() > 1 ? TableTexts(*blocks[1]) : std::vector<QStringList>{};
}

QByteArray ReadFile(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

}  // namespace

TEST(WordCommand, DialogShowsElevenFieldsInTwoColumns)
{
    ReportHeader header;
    header.Client = "委托方";
    header.Environment = "rain";
    header.Tester = "T";
    header.TestNumber = "12";
    for (Language lang : {Language::Chinese, Language::English}) {
        CDlgWordK dialog(header, lang);
        dialog.layout()->activate();
        const bool zh = lang == Language::Chinese;
        EXPECT_EQ(dialog.windowTitle(), zh ? QStringLiteral("填写地基系数报告信息") : QStringLiteral("Report Information"));
        QStringList buttons;
        for (const QPushButton* b : dialog.findChildren<QPushButton*>())
            buttons << b->text();
        EXPECT_EQ(buttons, zh ? QStringList({"确认", "取消"}) : QStringList({"Ok", "Cancel"}));
        EXPECT_EQ(dialog.findChildren<QLineEdit*>().size(), 11);

        const QStringList left{"Client", "Elevation", "ProjectName", "PointLocation", "SubgradeMileage", "FillLayer"};
        const QStringList right{"ReportNumber", "FillerName", "RequiredCoefficient", "ReportDate", "Environment"};
        for (const auto& [column, onRight] : {std::pair{left, false}, std::pair{right, true}}) {
            for (qsizetype i = 0; i < column.size(); ++i) {
                const QLineEdit* edit = dialog.Field(column[i]);
                ASSERT_NE(edit, nullptr) << column[i].toStdString();
                EXPECT_EQ(edit->x() > dialog.width() / 2, onRight);
                if (i > 0) {
                    EXPECT_GT(edit->y(), dialog.Field(column[i - 1])->y());
                }
            }
        }
        EXPECT_EQ(dialog.Field("Client")->text(), QStringLiteral("委托方"));
        for (const QLabel* label : dialog.findChildren<QLabel*>()) {
            if (label->buddy() == dialog.Field("Elevation")) {
                EXPECT_EQ(label->text(), zh ? QStringLiteral("标    高") : QStringLiteral("Elevation"));
            }
        }
        dialog.Field("RequiredCoefficient")->setText("120");
        const ReportHeader values = dialog.Values();
        EXPECT_EQ(values.RequiredCoefficient, "120");
        EXPECT_EQ(values.Environment, "rain");
        EXPECT_EQ(values.Tester, "T");  // not the dialog's, kept as it came
        EXPECT_EQ(values.TestNumber, "12");
    }
}

TEST(WordCommand, CancelledDialogExportsNothing)
{
    TestDataStore store = OnePoint(Language::English);
    ScriptedPrompt prompt;
    prompt.dialog([](QDialog& d) {
        d.reject();
        return int(QDialog::Rejected);
    });
    int opened = 0;
    RunWordExport(store, prompt, ReportHeader{}, nullptr, [&](const QString&) { return ++opened, true; });
    EXPECT_EQ(opened, 0);
    EXPECT_TRUE(prompt.done());
}

TEST(WordCommand, EditedValuesGoIntoTheDocumentOnTheDesktop)
{
    TestDataStore store = OnePoint(Language::Chinese);
    ReportHeader header;
    header.Client = "Old client";
    ScriptedPrompt prompt;
    prompt.dialog([](QDialog& d) {
        auto& dlg = static_cast<CDlgWordK&>(d);
        EXPECT_EQ(dlg.Field("Client")->text(), QStringLiteral("Old client"));
        dlg.Field("Client")->setText(QStringLiteral("新委托单位"));
        d.accept();
        return int(QDialog::Accepted);
    });
    QString shownPath;
    RunWordExport(store, prompt, header, nullptr, [&](const QString& path) {
        shownPath = path;
        return true;
    });
    ASSERT_FALSE(shownPath.isEmpty());
    const QFileInfo file(shownPath);
    EXPECT_EQ(file.fileName(), QStringLiteral("地基系数检测报告.docx"));
    EXPECT_TRUE(file.dir().dirName().startsWith(QStringLiteral("k30-word-")));
    const auto info = InfoTable(ReadFile(shownPath));
    ASSERT_EQ(info.size(), 6u);
    EXPECT_EQ(info[0][0], QStringLiteral("委托单位:  新委托单位"));
    EXPECT_EQ(header.Client, "Old client");
    EXPECT_TRUE(prompt.done());
    QDir(file.absolutePath()).removeRecursively();
}

TEST(WordCommand, WhenNothingCanOpenItTheOperatorSavesIt)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    TestDataStore store = OnePoint(Language::English);
    ScriptedPrompt prompt;
    prompt.dialog([](QDialog& d) {
        d.accept();
        return int(QDialog::Accepted);
    });
    const QString unwritable = dir.filePath(QStringLiteral("missing/folder/report.docx"));
    const QString target = dir.filePath(QStringLiteral("report.docx"));
    prompt.file(unwritable).answer(Answer::Ok).file(target);
    QString tried;
    RunWordExport(store, prompt, ReportHeader{}, nullptr, [&](const QString& path) {
        tried = path;
        return false;
    });
    EXPECT_TRUE(prompt.done());
    ASSERT_EQ(prompt.fileRequests.size(), 2u);
    EXPECT_EQ(prompt.fileRequests[0].title, QStringLiteral("No application can open the document: choose where to save it"));
    EXPECT_EQ(prompt.fileRequests[0].mode, Prompt::FileRequest::Mode::Save);
    EXPECT_EQ(prompt.fileRequests[0].defaultSuffix, QStringLiteral("docx"));
    EXPECT_TRUE(prompt.fileRequests[0].directory.endsWith(QStringLiteral("Foundation Coefficient Report.docx")));
    ASSERT_EQ(prompt.asked.size(), 1u);
    EXPECT_EQ(prompt.asked[0].icon, Prompt::Icon::Warning);
    EXPECT_TRUE(prompt.asked[0].text.contains(unwritable));

    const auto info = InfoTable(ReadFile(target));
    ASSERT_EQ(info.size(), 6u);
    EXPECT_EQ(info[0][0], QStringLiteral("Client:  "));
    // The copy nobody could open is not left behind.
    EXPECT_FALSE(tried.isEmpty());
    EXPECT_FALSE(QFileInfo::exists(QFileInfo(tried).absolutePath()));
}
