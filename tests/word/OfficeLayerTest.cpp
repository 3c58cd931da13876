// The office layer over the document builder: what the operations the report
// itself does not use leave in word/document.xml (the report's own path is
// held byte for byte by K30WordReportTest).
#include <gtest/gtest.h>

#include "WordTestSupport.h"

using namespace k30;
using namespace k30::test;

namespace {

class WordLayer : public ::testing::Test {
protected:
    // The blocks of the document as shown: exactly one package handed over.
    std::vector<const Node*> Shown()
    {
        office.SetVisible();
        EXPECT_EQ(host.shown.size(), 1u);
        doc = host.shown.empty() ? Node{} : DocumentOf(host.shown.back());
        return BodyBlocks(doc);
    }

    CaptureHost host;
    CDornWordOffice office{host};
    Node doc;
};

}  // namespace

TEST_F(WordLayer, FormattingAppliesToTheTextTypedNext)
{
    ASSERT_TRUE(office.Create());
    office.SetFont(15.0f, QStringLiteral("宋体"), 0);
    office.SetFontStyle(true, false, true);
    office.TypeText(QStringLiteral("Title"));
    office.SetFont(9.0f, QStringLiteral("Times New Roman"), 0x0000FF);
    office.SetFontStyle(false, true, false);
    office.TypeText(QStringLiteral("body"));
    office.TypeParagraph(2);
    office.SetAlignment(2);
    office.TypeText(QStringLiteral("right"));

    const auto blocks = Shown();
    ASSERT_EQ(blocks.size(), 3u);
    EXPECT_EQ(ParagraphText(*blocks[0]), QStringLiteral("Titlebody"));
    EXPECT_EQ(RunFormat(*blocks[0], 0).child("w:rFonts")->attr("w:eastAsia"), QStringLiteral("宋体"));
    EXPECT_EQ(RunFormat(*blocks[0], 0).val("w:u"), QStringLiteral("single"));
    const Node& body = RunFormat(*blocks[0], 1);
    EXPECT_EQ(body.child("w:b"), nullptr);
    EXPECT_NE(body.child("w:i"), nullptr);
    EXPECT_EQ(body.val("w:color"), QStringLiteral("FF0000"));  // 0x00BBGGRR
    EXPECT_EQ(blocks[1]->child("w:pPr")->val("w:jc"), QStringLiteral("left"));
    EXPECT_EQ(blocks[2]->child("w:pPr")->val("w:jc"), QStringLiteral("right"));
}

TEST_F(WordLayer, MergesResizesAndKeepsEveryCharacter)
{
    office.Create();
    office.CreateTable(3, 2);
    office.SetCellText(1, 1, QStringLiteral("a"));
    office.SetCellText(2, 1, QStringLiteral("b"));
    office.MergeCells(1, 1, 3, 0);
    office.SetCellText(3, 2, QStringLiteral("replaced"));
    office.SetCellText(3, 2, QStringLiteral("x\ty <&> \"引号\" 'q'\x01\x1F end"));
    CDornWDTable table = office.GetTable(1);
    ASSERT_TRUE(table.IsValid());
    EXPECT_FALSE(office.GetTable(2).IsValid());
    EXPECT_EQ(office.GetTableCount(), 1);
    table.SetRowHeight(1.0, 2);
    CDornWDTable copy = table;
    copy.SetColumnWidth(2.5, 0);

    const auto blocks = Shown();
    ASSERT_EQ(blocks.size(), 2u);  // the table and the paragraph after it
    const auto rows = blocks[0]->all("w:tr");
    ASSERT_EQ(rows.size(), 3u);
    QStringList merge;
    for (const Node* row : rows) {
        const Node* m = row->child("w:tc")->child("w:tcPr")->child("w:vMerge");
        merge << (!m ? QStringLiteral("none") : m->attr("w:val").isEmpty() ? QStringLiteral("continue") : m->attr("w:val"));
    }
    EXPECT_EQ(merge, (QStringList{"restart", "continue", "continue"}));
    const auto texts = TableTexts(*blocks[0]);
    EXPECT_EQ(texts[0][0], QStringLiteral("a\nb"));
    // Typing replaces the cell; tabs are real tabs; the control characters XML
    // cannot carry are left out.
    EXPECT_EQ(texts[2][1], QStringLiteral("x\ty <&> \"引号\" 'q' end"));

    // 28.34646 points a centimetre, in twentieths of a point.
    EXPECT_EQ(rows[0]->child("w:trPr"), nullptr);
    const Node* height = rows[1]->child("w:trPr")->child("w:trHeight");
    EXPECT_EQ(height->attr("w:val"), QStringLiteral("567"));
    EXPECT_EQ(height->attr("w:hRule"), QStringLiteral("atLeast"));
    for (const Node* col : blocks[0]->child("w:tblGrid")->all("w:gridCol"))
        EXPECT_EQ(col->attr("w:w"), QStringLiteral("1417"));
}

TEST_F(WordLayer, MissingObjectsAndRepeatedShowing)
{
    // No application, no document: the layer's own messages, nothing else happens.
    EXPECT_FALSE(office.AddDocument());
    office.SetFont(10.5f, QStringLiteral("宋体"), 0);
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

    // What a reader needs to find the parts.
    EXPECT_TRUE(Unzip(host.shown[0], "[Content_Types].xml").contains("wordprocessingml.document.main+xml"));
    EXPECT_EQ(ParseXml(Unzip(host.shown[0], "_rels/.rels")).name, QStringLiteral("Relationships"));
}
