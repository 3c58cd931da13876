// The list model and the report header page's behaviour.
#include <gtest/gtest.h>

#include <QLineEdit>

#include "CHeadk30.h"
#include "CListData.h"
#include "K30ListModel.h"
#include "TestDataStore.h"

using namespace k30;

namespace {

K30 Point(const char* name)
{
    K30 p;
    p.name = name;
    p.stress125 = "0.250";
    p.k30Value = "190";
    p.startTime = "2009-5-12-08:05";
    p.reading[0] = {123.0f, 112.0f};
    p.reading[15] = {600.0f, 205.0f};
    return p;
}

QString Cell(const K30ListModel& m, int row, int column)
{
    return m.data(m.index(row, column), Qt::DisplayRole).toString();
}

}  // namespace

TEST(ListModel, ColumnsAndTexts)
{
    TestDataStore s;
    s.AddK30Point(Point("7"));
    K30 manual;
    manual.name = "hand";
    s.AddK30Point(manual);
    s.nK30Count = 2;
    K30ListModel m(s, Language::Chinese);
    ASSERT_EQ(m.columnCount(), 40);
    ASSERT_EQ(m.rowCount(), 2);
    EXPECT_EQ(Cell(m, 0, 0), QStringLiteral("7"));
    EXPECT_EQ(Cell(m, 0, 3), QStringLiteral("0.1230"));  // four decimals on the list
    EXPECT_EQ(Cell(m, 0, 4), QStringLiteral("1.12"));
    EXPECT_EQ(Cell(m, 0, 33), QStringLiteral("0.6000"));
    EXPECT_EQ(Cell(m, 0, 35), QStringLiteral("2009-5-12-08:05"));
    EXPECT_TRUE(Cell(m, 1, 35).isEmpty());
    EXPECT_EQ(m.data(m.index(0, 0), Qt::TextAlignmentRole).toInt() & Qt::AlignLeft, Qt::AlignLeft);
    EXPECT_EQ(m.data(m.index(0, 5), Qt::TextAlignmentRole).toInt() & Qt::AlignRight, Qt::AlignRight);
}

TEST(ListPage, RefillsOnActivationUpToTheCount)
{
    TestDataStore s;
    s.nLanguage = Language::English;
    CListData page(s);
    EXPECT_EQ(page.Model()->rowCount(), 0);
    for (int i = 0; i < 10000; ++i)
        s.AddK30Point(Point("p"));
    s.nK30Count = 10000;
    page.OnActivated();
    EXPECT_EQ(page.Model()->rowCount(), 10000);
    // The count, not the list's size, bounds the rows.
    s.nK30Count = 3;
    page.OnActivated();
    EXPECT_EQ(page.Model()->rowCount(), 3);
}

TEST(HeaderPage, TestNumberFollowsTheShownPoint)
{
    TestDataStore s;
    s.AddK30Point(Point("A1"));
    s.AddK30Point(Point("B2"));
    s.nK30Count = 2;
    CHeadk30 page(s);
    page.Box(&ReportHeader::Client)->setText(QStringLiteral("中铁"));

    s.strCurK30Name = "B2";  // shown on the test data page
    page.OnActivated();
    EXPECT_EQ(page.Box(&ReportHeader::TestNumber)->text(), QStringLiteral("B2"));
    // What was typed before is kept.
    EXPECT_EQ(page.Box(&ReportHeader::Client)->text(), QStringLiteral("中铁"));
    EXPECT_EQ(page.CurrentHeader().Client, "中铁");

    // A typed test number stays through later visits while the same point is shown.
    page.Box(&ReportHeader::TestNumber)->setText(QStringLiteral("T-9"));
    page.OnActivated();
    page.OnActivated();
    EXPECT_EQ(page.Box(&ReportHeader::TestNumber)->text(), QStringLiteral("T-9"));
    EXPECT_EQ(page.Fields().TestNumber, "T-9");

    // A newly shown point whose name no point has any more gives the first point.
    s.strCurK30Name = "gone";
    page.OnActivated();
    EXPECT_EQ(page.Fields().TestNumber, "A1");
}
