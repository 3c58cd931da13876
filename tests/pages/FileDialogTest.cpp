// The file dialogs list raw and project files whatever the case of their ending.
#include <gtest/gtest.h>

#include <QAbstractItemView>
#include <QComboBox>
#include <QFile>
#include <QFileDialog>
#include <QTemporaryDir>
#include <QTest>

#include "Prompt.h"

using namespace k30;

TEST(FileDialog, ListsEndingsInAnyCase)
{
    QTemporaryDir dir;
    for (const char* name : {"a.ORG", "b.org", "c.Org", "d.K30", "e.k30", "f.txt"}) {
        QFile f(dir.filePath(QString::fromLatin1(name)));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    }
    Prompt::FileRequest request;
    request.title = QStringLiteral("打开文件");
    request.directory = dir.path();
    request.nameFilters = {QStringLiteral("原始文件 (*.ORG)"), QStringLiteral("工程文件(*.K30)")};
    QFileDialog dialog;
    ConfigureFileDialog(dialog, request);
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("打开文件"));
    auto* list = dialog.findChild<QAbstractItemView*>(QStringLiteral("listView"));
    ASSERT_NE(list, nullptr);
    auto rows = [&] { return list->model()->rowCount(list->rootIndex()); };
    EXPECT_TRUE(QTest::qWaitFor([&] { return rows() == 3; }, 5000)) << rows();
    dialog.selectNameFilter(request.nameFilters[1]);
    EXPECT_TRUE(QTest::qWaitFor([&] { return rows() == 2; }, 5000)) << rows();
}

TEST(FileDialog, SavedNameWithoutEndingGetsTheChosenFormats)
{
    Prompt::FileRequest request;
    request.mode = Prompt::FileRequest::Mode::Save;
    request.nameFilters = {QStringLiteral("Excel workbook (*.xlsx)"), QStringLiteral("CSV file (*.csv)")};
    request.defaultSuffix = QStringLiteral("xlsx");
    QFileDialog dialog;
    ConfigureFileDialog(dialog, request);
    auto* formats = dialog.findChild<QComboBox*>(QStringLiteral("fileTypeCombo"));
    ASSERT_NE(formats, nullptr);
    formats->setCurrentIndex(1);
    // As a click on the entry does.
    emit formats->activated(1);
    emit formats->textActivated(formats->itemText(1));
    EXPECT_EQ(dialog.defaultSuffix(), QStringLiteral("csv"));
}
