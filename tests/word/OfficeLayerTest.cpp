// The office layer over the document builder: what each operation leaves in
// word/document.xml.
#include <gtest/gtest.h>

#include "CDornWordOffice.h"
#include "WordTestSupport.h"

using namespace k30;
using namespace k30::test;

namespace {

const QString kSong = QStringLiteral("宋体");

class WordLayer : public ::testing::Test {
protected:
    // The document as shown: exactly one package handed over.
    Node Shown()
    {
        office.SetVisible();
        EXPECT_EQ(host.shown.size(), 1u);
        if (host.shown.empty())
            return {};
        const Node doc = DocumentOf(host.shown.back());
        EXPECT_EQ(doc.name, QStringLiteral("w:document"));
        return doc;
    }

    CaptureHost host;
    CDornWordOffice office{host};
};

const Node& RunFormat(const Node& p, int run) { return *p.all(QStringLiteral("w:r"))[static_cast<std::size_t>(run)]->child(QStringLiteral("w:rPr")); }

}  // namespace

TEST_F(WordLayer, FormattingAppliesToTheTextTypedNext)
{
    ASSERT_TRUE(office.Create());
    office.SetFont(15.0f, kSong, 0);
    office.SetFontStyle(true, false, true);
    office.TypeText(QStringLiteral("Title"));
    office.SetFont(9.0f, QStringLiteral("Times New Roman"), 0x0000FF);
    office.SetFontStyle(false, true, false);
    office.TypeText(QStringLiteral("body"));
    office.TypeParagraph(2);
    office.SetAlignment(2);
    office.TypeText(QStringLiteral("right"));

    const Node doc = Shown();
    const auto blocks = BodyBlocks(doc);
    ASSERT_EQ(blocks.size(), 3u);
    const Node& p = *blocks[0];
    EXPECT_EQ(ParagraphText(p), QStringLiteral("Titlebody"));
    const Node& title = RunFormat(p, 0);
    EXPECT_EQ(title.child(QStringLiteral("w:rFonts"))->attr(QStringLiteral("w:eastAsia")), kSong);
    EXPECT_EQ(title.val(QStringLiteral("w:sz")), QStringLiteral("30"));
    EXPECT_NE(title.child(QStringLiteral("w:b")), nullptr);
    EXPECT_EQ(title.val(QStringLiteral("w:u")), QStringLiteral("single"));
    const Node& body = RunFormat(p, 1);
    EXPECT_EQ(body.child(QStringLiteral("w:rFonts"))->attr(QStringLiteral("w:ascii")), QStringLiteral("Times New Roman"));
    EXPECT_EQ(body.val(QStringLiteral("w:sz")), QStringLiteral("18"));
    EXPECT_EQ(body.child(QStringLiteral("w:b")), nullptr);
    EXPECT_NE(body.child(QStringLiteral("w:i")), nullptr);
    EXPECT_EQ(body.val(QStringLiteral("w:color")), QStringLiteral("FF0000"));  // 0x00BBGGRR
    EXPECT_EQ(ParagraphText(*blocks[2]), QStringLiteral("right"));
    EXPECT_EQ(blocks[2]->child(QStringLiteral("w:pPr"))->val(QStringLiteral("w:jc")), QStringLiteral("right"));
    EXPECT_EQ(blocks[1]->child(QStringLiteral("w:pPr"))->val(QStringLiteral("w:jc")), QStringLiteral("left"));
}

TEST_F(WordLayer, TablesStandAtTheSelectionAndMovingDownLeavesThem)
{
    office.Create();
    office.TypeText(QStringLiteral("before"));
    office.SetFont(10.5f, kSong, 0);
    office.CreateTable(2, 2);
    office.SetCellText(1, 1, QStringLiteral("a"));
    office.SetCellText(2, 2, QStringLiteral("d"));
    office.SetCellText(2, 2, QStringLiteral("typing replaces a selected cell"));
    office.MoveDown(10);
    office.SetFont(9.0f, kSong, 0);
    office.CreateTable(1, 3);
    office.SetCellText(1, 3, QStringLiteral("z"));
    office.MoveDown(10);
    office.TypeText(QStringLiteral("after"));
    EXPECT_EQ(office.GetTableCount(), 2);

    const Node doc = Shown();
    const auto blocks = BodyBlocks(doc);
    QStringList kinds;
    for (const Node* b : blocks)
        kinds << b->name;
    // An empty paragraph keeps the two tables from running into one.
    EXPECT_EQ(kinds.join(QLatin1Char(' ')), QStringLiteral("w:p w:tbl w:p w:tbl w:p"));
    EXPECT_EQ(ParagraphText(*blocks[0]), QStringLiteral("before"));
    EXPECT_EQ(ParagraphText(*blocks[4]), QStringLiteral("after"));

    const auto first = TableTexts(*blocks[1]);
    ASSERT_EQ(first.size(), 2u);
    EXPECT_EQ(first[0], (QStringList{"a", ""}));
    EXPECT_EQ(first[1], (QStringList{"", "typing replaces a selected cell"}));
    EXPECT_EQ(TableTexts(*blocks[3])[0], (QStringList{"", "", "z"}));

    // Bordered, fixed columns over the text width, cells in the selection's font.
    const Node& tblPr = *blocks[1]->child(QStringLiteral("w:tblPr"));
    EXPECT_EQ(tblPr.val(QStringLiteral("w:tblStyle")), QStringLiteral("TableGrid"));
    EXPECT_EQ(tblPr.child(QStringLiteral("w:tblBorders"))->child(QStringLiteral("w:insideH"))->attr(QStringLiteral("w:val")),
              QStringLiteral("single"));
    int width = 0;
    for (const Node* col : blocks[3]->child(QStringLiteral("w:tblGrid"))->all(QStringLiteral("w:gridCol")))
        width += col->attr(QStringLiteral("w:w")).toInt();
    EXPECT_NEAR(width, 8306, 3);
    const Node& cell = *blocks[1]->all(QStringLiteral("w:tr"))[0]->child(QStringLiteral("w:tc"));
    EXPECT_EQ(RunFormat(*cell.child(QStringLiteral("w:p")), 0).val(QStringLiteral("w:sz")), QStringLiteral("21"));
    const Node& later = *blocks[3]->all(QStringLiteral("w:tr"))[0]->all(QStringLiteral("w:tc"))[2];
    EXPECT_EQ(RunFormat(*later.child(QStringLiteral("w:p")), 0).val(QStringLiteral("w:sz")), QStringLiteral("18"));
}

TEST_F(WordLayer, MergesResizesAndKeepsEveryCharacter)
{
    office.Create();
    office.CreateTable(3, 2);
    office.SetCellText(1, 1, QStringLiteral("a"));
    office.SetCellText(2, 1, QStringLiteral("b"));
    office.MergeCells(1, 1, 3, 0);
    office.SetCellText(3, 2, QStringLiteral("x\ty <&> \"引号\" 'q'\x01\x1F end"));
    CDornWDTable table = office.GetTable(1);
    ASSERT_TRUE(table.IsValid());
    EXPECT_FALSE(office.GetTable(2).IsValid());
    table.SetRowHeight(1.0, 2);
    CDornWDTable copy = table;
    copy.SetColumnWidth(2.5, 0);

    const Node doc = Shown();
    const Node& tbl = *BodyBlocks(doc)[0];
    const auto rows = tbl.all(QStringLiteral("w:tr"));
    ASSERT_EQ(rows.size(), 3u);
    auto merge = [&](int r) {
        const Node* m = rows[static_cast<std::size_t>(r)]->child(QStringLiteral("w:tc"))->child(QStringLiteral("w:tcPr"))->child(QStringLiteral("w:vMerge"));
        return m ? (m->has(QStringLiteral("w:val")) ? m->attr(QStringLiteral("w:val")) : QStringLiteral("continue")) : QString();
    };
    EXPECT_EQ(merge(0), QStringLiteral("restart"));
    EXPECT_EQ(merge(1), QStringLiteral("continue"));
    EXPECT_EQ(merge(2), QStringLiteral("continue"));
    const auto texts = TableTexts(tbl);
    EXPECT_EQ(texts[0][0], QStringLiteral("a\nb"));
    // Tabs are real tabs; the control characters XML cannot carry are left out.
    EXPECT_EQ(texts[2][1], QStringLiteral("x\ty <&> \"引号\" 'q' end"));

    // 28.34646 points a centimetre, in twentieths of a point.
    EXPECT_FALSE(rows[0]->child(QStringLiteral("w:trPr")));
    const Node* height = rows[1]->child(QStringLiteral("w:trPr"))->child(QStringLiteral("w:trHeight"));
    EXPECT_EQ(height->attr(QStringLiteral("w:val")), QStringLiteral("567"));
    EXPECT_EQ(height->attr(QStringLiteral("w:hRule")), QStringLiteral("atLeast"));
    for (const Node* col : tbl.child(QStringLiteral("w:tblGrid"))->all(QStringLiteral("w:gridCol")))
        EXPECT_EQ(col->attr(QStringLiteral("w:w")), QStringLiteral("1417"));
}

TEST_F(WordLayer, MissingObjectsAndRepeatedShowing)
{
    // No application, no document: the layer's own messages, nothing else happens.
    EXPECT_FALSE(office.AddDocument());
    office.SetFont(10.5f, kSong, 0);
    office.TypeText(QStringLiteral("lost"));
    office.CreateTable(2, 2);
    office.SetVisible();
    EXPECT_EQ(host.warnings, (QStringList{QStringLiteral("Application为空,Documents创建失败!"),
                                          QStringLiteral("Select为空，字体设置失败!")}));
    EXPECT_TRUE(host.shown.empty());
    EXPECT_EQ(office.GetTableCount(), 0);

    office.Create();
    office.TypeText(QStringLiteral("one"));
    office.SetVisible();
    office.SetVisible();  // nothing new to show
    office.TypeText(QStringLiteral(" two"));
    office.SetVisible();
    ASSERT_EQ(host.shown.size(), 2u);
    EXPECT_EQ(ParagraphText(*BodyBlocks(DocumentOf(host.shown[1]))[0]), QStringLiteral("one two"));

    // The package holds what a reader needs to find the parts.
    const QByteArray types = Unzip(host.shown[0], "[Content_Types].xml");
    EXPECT_TRUE(types.contains("wordprocessingml.document.main+xml"));
    EXPECT_EQ(ParseXml(Unzip(host.shown[0], "_rels/.rels")).name, QStringLiteral("Relationships"));
    EXPECT_EQ(ParseXml(Unzip(host.shown[0], "word/styles.xml")).name, QStringLiteral("w:styles"));
}
