#pragma once

#include <QString>

#include <cstdint>
#include <variant>
#include <vector>

namespace k30::docx {

// Colours as the office layer passes them: 0x00BBGGRR, 0 black.
inline constexpr std::int32_t kAutomaticColor = -16777216;

// Character formatting of a run of text.
struct RunFormat {
    double sizePoints = 10.5;
    QString face;  // empty: the document's default faces
    std::int32_t color = kAutomaticColor;
    bool bold = false;
    bool italic = false;
    bool underline = false;
    int highlight = 0;  // colour index, 0 none

    friend bool operator==(const RunFormat&, const RunFormat&) = default;
};

enum class Alignment { Left = 0, Center = 1, Right = 2, Justify = 3 };

// Text of one format; '\t' in it is a real tab.
struct Run {
    QString text;
    RunFormat format;
};

struct Paragraph {
    std::vector<Run> runs;
    RunFormat mark;  // the paragraph mark's format: what an empty paragraph shows
    Alignment alignment = Alignment::Left;

    bool empty() const { return runs.empty(); }
};

enum class VerticalMerge { None, Restart, Continue };

struct Cell {
    std::vector<Paragraph> paragraphs;  // never empty
    VerticalMerge merge = VerticalMerge::None;
};

struct Row {
    std::vector<Cell> cells;
    int heightTwips = 0;  // 0: as the text needs; otherwise at least this
};

// A table with single borders and fixed column widths.
struct Table {
    std::vector<Row> rows;
    std::vector<int> columnTwips;
};

using Block = std::variant<Paragraph, Table>;

// A word-processing document edited through a selection, the way a word
// processor's automation interface edits one: formatting set on the selection
// applies to the text typed next and to a table added there; typing replaces a
// selected cell's content. Paragraphs only grow at their end: the insertion
// point always stands at the end of a paragraph.
class Document {
public:
    Document();

    // Text at the selection; '\t' becomes a tab, '\n' a new paragraph.
    void TypeText(const QString& text);
    void TypeParagraph();

    // Formatting of the text typed next. A selected cell loses its content,
    // as the text it is replaced by will take its place.
    void SetFont(double sizePoints, const QString& face, std::int32_t color);
    void SetFontStyle(bool bold, bool italic, bool underline);
    void SetFontColor(std::int32_t color, int highlight);
    void SetAlignment(Alignment alignment);

    // Adds a table of empty cells at the selection, in the selection's
    // formatting and spread over the text width, and puts the selection into
    // its first cell. Returns the table's number (from 0), or -1 inside a table,
    // which cannot hold one, or for a size below 1 x 1.
    int AddTable(int rows, int columns);

    // Rows and columns count from 0. False for a cell outside the table.
    bool SelectCell(int table, int row, int column);
    // Merges the cells of one column from firstRow to lastRow into one, whose
    // content is theirs, paragraph after paragraph; selects the merged cell.
    bool MergeColumnCells(int table, int column, int firstRow, int lastRow);

    // Moves the selection down by lines: a paragraph or a table row is one line;
    // past a table's last row the selection leaves the table. Stops at the end.
    void MoveDown(int lines);

    int TableCount() const;
    // Row or column -1: all of them. False for a missing table, row or column.
    bool SetRowHeight(int table, int row, double points);
    bool SetColumnWidth(int table, int column, double points);

    const std::vector<Block>& Blocks() const { return blocks_; }
    // Counts every change, so a viewer can tell whether it has shown the latest state.
    std::uint64_t Revision() const { return revision_; }

    // A4 portrait with 3.17 cm side margins and 2.54 cm at the top and bottom.
    static constexpr int kPageWidthTwips = 11906;
    static constexpr int kPageHeightTwips = 16838;
    static constexpr int kSideMarginTwips = 1800;
    static constexpr int kTopMarginTwips = 1440;
    static constexpr int kTextWidthTwips = kPageWidthTwips - 2 * kSideMarginTwips;

private:
    struct Selection {
        std::size_t block = 0;
        int row = -1;  // -1: a paragraph of the body, not a cell
        int column = -1;
        std::size_t paragraph = 0;  // within the cell
        bool cellSelected = false;  // the whole cell, replaced by the next text
        RunFormat format;
    };

    Paragraph& CurrentParagraph();
    Cell* CurrentCell();
    Table* TableAt(int table, std::size_t* blockIndex = nullptr);
    void ClearSelectedCell();
    void PlaceAtEnd(std::size_t block, int row, int column, std::size_t paragraph);
    void NewParagraph();

    std::vector<Block> blocks_;
    Selection selection_;
    std::uint64_t revision_ = 0;
};

}  // namespace k30::docx
