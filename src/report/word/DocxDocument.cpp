#include "DocxDocument.h"

#include <QStringList>

#include <algorithm>
#include <cmath>

namespace k30::docx {

namespace {

// What the text typed at the end of a paragraph continues with.
RunFormat FormatAtEnd(const Paragraph& p) { return p.runs.empty() ? p.mark : p.runs.back().format; }

RunFormat FormatAtStart(const Paragraph& p) { return p.runs.empty() ? p.mark : p.runs.front().format; }

int Twips(double points) { return static_cast<int>(std::lround(points * 20.0)); }

}  // namespace

Document::Document() { blocks_.emplace_back(Paragraph{}); }

Paragraph& Document::CurrentParagraph()
{
    if (Cell* cell = CurrentCell())
        return cell->paragraphs[selection_.paragraph];
    return std::get<Paragraph>(blocks_[selection_.block]);
}

Cell* Document::CurrentCell()
{
    if (selection_.row < 0)
        return nullptr;
    Table& t = std::get<Table>(blocks_[selection_.block]);
    return &t.rows[static_cast<std::size_t>(selection_.row)].cells[static_cast<std::size_t>(selection_.column)];
}

Table* Document::TableAt(int table, std::size_t* blockIndex)
{
    int seen = 0;
    for (std::size_t b = 0; b < blocks_.size(); ++b) {
        if (auto* t = std::get_if<Table>(&blocks_[b])) {
            if (seen++ == table) {
                if (blockIndex)
                    *blockIndex = b;
                return t;
            }
        }
    }
    return nullptr;
}

int Document::TableCount() const
{
    return static_cast<int>(
        std::count_if(blocks_.begin(), blocks_.end(), [](const Block& b) { return std::holds_alternative<Table>(b); }));
}

void Document::PlaceAtEnd(std::size_t block, int row, int column, std::size_t paragraph)
{
    selection_.block = block;
    selection_.row = row;
    selection_.column = column;
    selection_.paragraph = paragraph;
    selection_.cellSelected = false;
    selection_.format = FormatAtEnd(CurrentParagraph());
}

void Document::ClearSelectedCell()
{
    Cell& cell = *CurrentCell();
    Paragraph kept;
    kept.mark = FormatAtStart(cell.paragraphs.front());
    kept.alignment = cell.paragraphs.front().alignment;
    cell.paragraphs.assign(1, kept);
    selection_.paragraph = 0;
    selection_.cellSelected = false;
}

void Document::NewParagraph()
{
    Paragraph next;
    next.mark = selection_.format;
    next.alignment = CurrentParagraph().alignment;
    if (Cell* cell = CurrentCell()) {
        cell->paragraphs.insert(cell->paragraphs.begin() + static_cast<std::ptrdiff_t>(selection_.paragraph) + 1, next);
        ++selection_.paragraph;
    } else {
        blocks_.insert(blocks_.begin() + static_cast<std::ptrdiff_t>(selection_.block) + 1, next);
        ++selection_.block;
    }
}

void Document::TypeText(const QString& text)
{
    ++revision_;
    if (selection_.cellSelected)
        ClearSelectedCell();
    QString normal = text;
    normal.replace(QStringLiteral("\r\n"), QStringLiteral("\n")).replace(QLatin1Char('\r'), QLatin1Char('\n'));
    const QStringList pieces = normal.split(QLatin1Char('\n'));
    for (qsizetype i = 0; i < pieces.size(); ++i) {
        if (i > 0)
            NewParagraph();
        if (pieces[i].isEmpty())
            continue;
        Paragraph& p = CurrentParagraph();
        if (!p.runs.empty() && p.runs.back().format == selection_.format)
            p.runs.back().text += pieces[i];
        else
            p.runs.push_back(Run{pieces[i], selection_.format});
    }
}

void Document::TypeParagraph()
{
    ++revision_;
    if (selection_.cellSelected)
        ClearSelectedCell();
    NewParagraph();
}

void Document::SetFont(double sizePoints, const QString& face, std::int32_t color)
{
    ++revision_;
    if (selection_.cellSelected)
        ClearSelectedCell();
    selection_.format.sizePoints = sizePoints;
    selection_.format.face = face;
    selection_.format.color = color;
    if (CurrentParagraph().empty())
        CurrentParagraph().mark = selection_.format;
}

void Document::SetFontStyle(bool bold, bool italic, bool underline)
{
    ++revision_;
    if (selection_.cellSelected)
        ClearSelectedCell();
    selection_.format.bold = bold;
    selection_.format.italic = italic;
    selection_.format.underline = underline;
    if (CurrentParagraph().empty())
        CurrentParagraph().mark = selection_.format;
}

void Document::SetFontColor(std::int32_t color, int highlight)
{
    ++revision_;
    if (selection_.cellSelected)
        ClearSelectedCell();
    selection_.format.color = color;
    selection_.format.highlight = highlight;
    if (CurrentParagraph().empty())
        CurrentParagraph().mark = selection_.format;
}

void Document::SetAlignment(Alignment alignment)
{
    ++revision_;
    if (selection_.cellSelected) {
        for (Paragraph& p : CurrentCell()->paragraphs)
            p.alignment = alignment;
        return;
    }
    CurrentParagraph().alignment = alignment;
}

int Document::AddTable(int rows, int columns)
{
    if (selection_.row >= 0 || rows < 1 || columns < 1)
        return -1;
    ++revision_;
    const std::size_t at = selection_.block;
    const Paragraph& here = std::get<Paragraph>(blocks_[at]);

    Paragraph empty;
    empty.mark = selection_.format;
    empty.alignment = here.alignment;
    Table table;
    table.columnTwips.assign(static_cast<std::size_t>(columns), Document::kTextWidthTwips / columns);
    table.rows.assign(static_cast<std::size_t>(rows),
                      Row{std::vector<Cell>(static_cast<std::size_t>(columns), Cell{{empty}, VerticalMerge::None}), 0});

    // An empty paragraph becomes the one that follows the table; a paragraph
    // with text, or one that keeps two tables apart, stays before it.
    const bool takesPlace = here.empty() && (at == 0 || std::holds_alternative<Paragraph>(blocks_[at - 1]));
    std::size_t tableBlock = at;
    if (takesPlace) {
        blocks_.insert(blocks_.begin() + static_cast<std::ptrdiff_t>(at), std::move(table));
    } else {
        tableBlock = at + 1;
        blocks_.insert(blocks_.begin() + static_cast<std::ptrdiff_t>(tableBlock), std::move(table));
        blocks_.insert(blocks_.begin() + static_cast<std::ptrdiff_t>(tableBlock) + 1, empty);
    }
    PlaceAtEnd(tableBlock, 0, 0, 0);
    return static_cast<int>(std::count_if(blocks_.begin(), blocks_.begin() + static_cast<std::ptrdiff_t>(tableBlock),
                                          [](const Block& b) { return std::holds_alternative<Table>(b); }));
}

bool Document::SelectCell(int table, int row, int column)
{
    std::size_t block = 0;
    const Table* t = TableAt(table, &block);
    if (!t || row < 0 || row >= static_cast<int>(t->rows.size()) || column < 0 ||
        column >= static_cast<int>(t->rows[static_cast<std::size_t>(row)].cells.size()))
        return false;
    ++revision_;
    const Cell& cell = t->rows[static_cast<std::size_t>(row)].cells[static_cast<std::size_t>(column)];
    PlaceAtEnd(block, row, column, cell.paragraphs.size() - 1);
    selection_.cellSelected = true;
    selection_.format = FormatAtStart(cell.paragraphs.front());
    return true;
}

bool Document::MergeColumnCells(int table, int column, int firstRow, int lastRow)
{
    Table* t = TableAt(table);
    if (!t || firstRow < 0 || lastRow < firstRow || lastRow >= static_cast<int>(t->rows.size()) || column < 0)
        return false;
    for (int r = firstRow; r <= lastRow; ++r) {
        if (column >= static_cast<int>(t->rows[static_cast<std::size_t>(r)].cells.size()))
            return false;
    }
    ++revision_;
    auto cellAt = [&](int r) -> Cell& {
        return t->rows[static_cast<std::size_t>(r)].cells[static_cast<std::size_t>(column)];
    };
    Cell& first = cellAt(firstRow);
    std::vector<Paragraph> content;
    for (int r = firstRow; r <= lastRow; ++r) {
        for (const Paragraph& p : cellAt(r).paragraphs) {
            if (!p.empty())
                content.push_back(p);
        }
    }
    if (content.empty())
        content.push_back(first.paragraphs.front());
    for (int r = firstRow + 1; r <= lastRow; ++r) {
        Cell& c = cellAt(r);
        Paragraph blank;
        blank.mark = FormatAtStart(c.paragraphs.front());
        blank.alignment = c.paragraphs.front().alignment;
        c.paragraphs.assign(1, blank);
        c.merge = VerticalMerge::Continue;
    }
    first.paragraphs = std::move(content);
    if (lastRow > firstRow)
        first.merge = VerticalMerge::Restart;
    return SelectCell(table, firstRow, column);
}

void Document::MoveDown(int lines)
{
    std::size_t block = selection_.block;
    int row = selection_.row;
    int column = std::max(selection_.column, 0);
    std::size_t paragraph = selection_.paragraph;

    // The first line of a block: a paragraph, or the first row of a table.
    auto enter = [&](std::size_t b) {
        block = b;
        if (const auto* t = std::get_if<Table>(&blocks_[b])) {
            row = 0;
            column = std::min(column, static_cast<int>(t->rows[0].cells.size()) - 1);
        } else {
            row = -1;
        }
        paragraph = 0;
    };

    for (int i = 0; i < lines; ++i) {
        if (row >= 0) {
            const Table& t = std::get<Table>(blocks_[block]);
            const Cell& cell = t.rows[static_cast<std::size_t>(row)].cells[static_cast<std::size_t>(column)];
            if (paragraph + 1 < cell.paragraphs.size()) {
                ++paragraph;
                continue;
            }
            // Skip the rows a merged cell spans.
            int next = row + 1;
            while (next < static_cast<int>(t.rows.size()) &&
                   column < static_cast<int>(t.rows[static_cast<std::size_t>(next)].cells.size()) &&
                   t.rows[static_cast<std::size_t>(next)].cells[static_cast<std::size_t>(column)].merge ==
                       VerticalMerge::Continue)
                ++next;
            if (next < static_cast<int>(t.rows.size())) {
                row = next;
                column = std::min(column, static_cast<int>(t.rows[static_cast<std::size_t>(row)].cells.size()) - 1);
                paragraph = 0;
            } else {
                enter(block + 1);  // a table is always followed by a paragraph
            }
        } else if (block + 1 < blocks_.size()) {
            enter(block + 1);
        } else {
            break;
        }
    }
    PlaceAtEnd(block, row, row >= 0 ? column : -1, paragraph);
}

bool Document::SetRowHeight(int table, int row, double points)
{
    Table* t = TableAt(table);
    if (!t || row < -1 || row >= static_cast<int>(t->rows.size()))
        return false;
    ++revision_;
    for (int r = 0; r < static_cast<int>(t->rows.size()); ++r) {
        if (row == -1 || r == row)
            t->rows[static_cast<std::size_t>(r)].heightTwips = std::max(0, Twips(points));
    }
    return true;
}

bool Document::SetColumnWidth(int table, int column, double points)
{
    Table* t = TableAt(table);
    if (!t || column < -1 || column >= static_cast<int>(t->columnTwips.size()))
        return false;
    ++revision_;
    for (int c = 0; c < static_cast<int>(t->columnTwips.size()); ++c) {
        if (column == -1 || c == column)
            t->columnTwips[static_cast<std::size_t>(c)] = std::max(1, Twips(points));
    }
    return true;
}

}  // namespace k30::docx
