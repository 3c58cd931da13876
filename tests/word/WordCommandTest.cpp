// "Save Word Document" from the window's side: the information dialog, the
// document on the desktop, and saving it when nothing can open it.
#include <gtest/gtest.h>

#include <algorithm>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QTemporaryDir>

#include "CDlgWordK.h"
#include "ScriptedPrompt.h"
#include "WordCommand.h"
#include "WordTestSupport.h"

using namespace k30;
using namespace k30::test;

namespace {

// The first cell of the document's report information table.
QString FirstInfoCell(const QString& path)
{
    QFile f(path);
    const Node doc = DocumentOf(f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray());
    const auto blocks = BodyBlocks(doc);
    const auto info = blocks.size() > 1 ? TableTexts(*blocks[1]) : std::vector<QStringList>{};
    EXPECT_EQ(info.size(), 6u);
    return info.empty() ? QString() : info[0][0];
}

int Accept(QDialog& d)
{
    d.accept();
    return QDialog::Accepted;
}

}  // namespace

TEST(WordCommand, DialogShowsElevenFieldsInTwoColumns)
{
    ReportHeader header;
    header.Environment = "rain";
    for (Language lang : {Language::Chinese, Language::English}) {
        CDlgWordK dialog(header, lang);
        dialog.layout()->activate();
        const bool zh = lang == Language::Chinese;
        EXPECT_EQ(dialog.findChildren<QLineEdit*>().size(), 11);
        const QStringList left{"Client", "Elevation", "ProjectName", "PointLocation", "SubgradeMileage", "FillLayer"};
        const QStringList right{"ReportNumber", "FillerName", "RequiredCoefficient", "ReportDate", "Environment"};
        for (const auto& [column, onRight] : {std::pair{left, false}, std::pair{right, true}}) {
            for (qsizetype i = 0; i < column.size(); ++i) {
                const QLineEdit* edit = dialog.Field(column[i]);
                ASSERT_NE(edit, nullptr) << column[i].toStdString();
                EXPECT_EQ(edit->x() > dialog.width() / 2, onRight);
                EXPECT_TRUE(i == 0 || edit->y() > dialog.Field(column[i - 1])->y());
            }
        }
        const auto labels = dialog.findChildren<QLabel*>();
        EXPECT_TRUE(std::any_of(labels.begin(), labels.end(), [&](const QLabel* label) {
            return label->buddy() == dialog.Field("Elevation") && label->text() == (zh ? "标    高" : "Elevation");
        }));
        dialog.Field("RequiredCoefficient")->setText("120");
        EXPECT_EQ(dialog.Values().RequiredCoefficient, "120");
        EXPECT_EQ(dialog.Values().Environment, "rain");
    }
}

TEST(WordCommand, EditedValuesGoIntoTheDocumentOnTheDesktop)
{
    TestDataStore store = KnownStore(1, Language::Chinese);
    ReportHeader header;
    header.Client = "Old client";
    ScriptedPrompt prompt;
    prompt.dialog([](QDialog& d) { return d.reject(), int(QDialog::Rejected); });
    prompt.dialog([](QDialog& d) {
        auto& dlg = static_cast<CDlgWordK&>(d);
        EXPECT_EQ(dlg.Field("Client")->text(), QStringLiteral("Old client"));
        dlg.Field("Client")->setText(QStringLiteral("新委托单位"));
        return Accept(d);
    });
    QStringList shown;
    const DesktopOpener open = [&](const QString& path) { return shown << path, true; };
    RunWordExport(store, prompt, header, nullptr, open);
    EXPECT_TRUE(shown.isEmpty());  // cancelled: nothing exported
    RunWordExport(store, prompt, header, nullptr, open);
    ASSERT_EQ(shown.size(), 1);
    const QFileInfo file(shown[0]);
    // A Word template: the word processor opens a new, untitled document from
    // it, so its Save never writes into the temporary folder.
    EXPECT_EQ(file.fileName(), QStringLiteral("地基系数检测报告.dotx"));
    EXPECT_TRUE(file.dir().dirName().startsWith(QStringLiteral("k30-word-")));
    QFile written(shown[0]);
    ASSERT_TRUE(written.open(QIODevice::ReadOnly));
    const QByteArray types = Unzip(written.readAll(), "[Content_Types].xml");
    EXPECT_TRUE(types.contains(
        "application/vnd.openxmlformats-officedocument.wordprocessingml.template.main+xml"));
    EXPECT_FALSE(types.contains("wordprocessingml.document.main+xml"));
    EXPECT_EQ(FirstInfoCell(shown[0]), QStringLiteral("委托单位:  新委托单位"));
    EXPECT_EQ(header.Client, "Old client");
    EXPECT_TRUE(prompt.done());
    QDir(file.absolutePath()).removeRecursively();
}

TEST(WordCommand, WhenNothingCanOpenItTheOperatorSavesIt)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    TestDataStore store = KnownStore(1, Language::English);
    ScriptedPrompt prompt;
    prompt.dialog(Accept);
    // A place that cannot be written is refused and asked for again.
    const QString unwritable = dir.filePath(QStringLiteral("missing/folder/report.docx"));
    const QString target = dir.filePath(QStringLiteral("report.docx"));
    prompt.file(unwritable).answer(Prompt::Answer::Ok).file(target);
    QString tried;
    RunWordExport(store, prompt, ReportHeader{}, nullptr, [&](const QString& path) { return tried = path, false; });
    EXPECT_TRUE(prompt.done());
    ASSERT_EQ(prompt.fileRequests.size(), 2u);
    EXPECT_EQ(prompt.fileRequests[0].title, QStringLiteral("No application can open the document: choose where to save it"));
    EXPECT_EQ(prompt.fileRequests[0].mode, Prompt::FileRequest::Mode::Save);
    EXPECT_TRUE(prompt.fileRequests[0].directory.endsWith(QStringLiteral("Foundation Coefficient Report.docx")));
    ASSERT_EQ(prompt.asked.size(), 1u);
    EXPECT_TRUE(prompt.asked[0].text.contains(unwritable));
    EXPECT_EQ(FirstInfoCell(target), QStringLiteral("Client:  "));
    // The copy nobody could open is not left behind.
    EXPECT_FALSE(tried.isEmpty());
    EXPECT_FALSE(QFileInfo::exists(QFileInfo(tried).absolutePath()));
}

