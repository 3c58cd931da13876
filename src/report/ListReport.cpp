#include "ListReport.h"

#include <QPainter>

#include <algorithm>
#include <array>
#include <vector>

#include "AcceptanceFormat.h"
#include "AcceptanceTexts.h"

#include "PrintType.h"
#include "ReportCanvas.h"
#include "ReportTexts.h"

namespace k30 {

namespace {

using namespace report_texts;

constexpr double kTitlePoints = 20;
constexpr double kTextPoints = 12;
constexpr double kTablePoints = 9;
constexpr int kTableRows = 21;  // caption row and 20 rows of two points
constexpr int kHeaderGap = 8;    // a header text ends this far before the next column or the frame
constexpr int kCellPadding = 3;

int Trunc(double v) { return static_cast<int>(v); }

QString Str(const std::string& utf8) { return QString::fromStdString(utf8); }

using Member = std::string ReportHeader::*;


// The header block's three columns, top to bottom.
constexpr std::array<Member, 4> kColumn1{&ReportHeader::Client, &ReportHeader::Elevation, &ReportHeader::ProjectName,
                                         &ReportHeader::PointLocation};
constexpr std::array<Member, 4> kColumn2{&ReportHeader::SubgradeMileage, &ReportHeader::FillLayer,
                                         &ReportHeader::ReportNumber, &ReportHeader::FillerName};
constexpr std::array<Member, 3> kColumn3{&ReportHeader::RequiredCoefficient, &ReportHeader::ReportDate,
                                         &ReportHeader::Environment};

// Top-left corner that centres the text in the cell; a text wider than the
// cell is fitted into it instead.
void Centred(ReportCanvas& c, int left, int top, int width, int height, const QString& text)
{
    if (c.Fits(text, width - 2 * kCellPadding)) {
        c.Text(left + (width - c.TextWidth(text)) / 2, top + (height - c.TextHeight()) / 2, text);
        return;
    }
    c.FitText(left + kCellPadding, top + 2, width - 2 * kCellPadding, height - 4, text);
}

// Returns the y below the block.
int DrawHeaderBlock(ReportCanvas& c, const ReportPage& page, int Lw, int y, const ReportHeader& header)
{
    const Language lang = c.language();
    const int lh = c.TextHeight();  // one line of the 12-pt font
    const int pitch = (page.W - lh - 10) / 3;
    const int right = page.W - Lw - 3;
    std::vector<QStringList> columns(3);
    for (std::size_t r = 0; r < 4; ++r) {
        columns[0] << ListHeaderLabelled(kColumn1[r], header.*kColumn1[r], lang);
        columns[1] << ListHeaderLabelled(kColumn2[r], header.*kColumn2[r], lang);
        if (r < 3)
            columns[2] << ListHeaderLabelled(kColumn3[r], header.*kColumn3[r], lang);
    }
    return DrawHeaderColumns(c, Lw, right, y, {Lw + 10, Lw + pitch + 10, Trunc(Lw + 1.9 * pitch)}, columns);
}

void DrawCaptionRow(ReportCanvas& c, int Lw, int y, int C, int R, bool verdicts)
{
    const Language lang = c.language();
    for (const int col : {0, 4})
        Centred(c, Lw + col * C, y, C, R, HeaderLabel(&ReportHeader::TestNumber, lang));
    if (verdicts) {
        // The stress keeps one column of its two; the verdict takes the other.
        for (const int col : {1, 5}) {
            Centred(c, Lw + col * C, y, C, R, Tr(texts::kStress125Caption, lang));
            Centred(c, Lw + (col + 1) * C, y, C, R, Tr(acceptance_texts::kColVerdict, lang));
        }
        for (const int col : {3, 7})
            Centred(c, Lw + col * C, y, C, R, Tr(texts::kCoefficientCaption, lang));
        return;
    }
    if (lang == Language::Chinese) {
        const QString stress = Tr(texts::kStress125Caption, lang);
        for (const int col : {1, 5})
            c.Text(Lw + col * C + 5, y + (R - c.TextHeight()) / 2, stress);
        for (const int col : {3, 7})
            Centred(c, Lw + col * C, y, C, R, Tr(texts::kCoefficientCaption, lang));
        return;
    }
    // The two-line captions are placed by the height of the whole caption,
    // which is one line high.
    const int h = c.TextHeight();
    for (const int col : {1, 5}) {
        c.Text(Lw + col * C + 5, y + (R - h) / 2 - 10, QString::fromLatin1(kListStressLine1En));
        c.Text(Lw + col * C + 5, y + (R - h) / 2 + 10, QString::fromLatin1(kListStressLine2En));
    }
    const int w = c.TextWidth(Tr(texts::kCoefficientCaption, lang));
    for (const int col : {3, 7}) {
        const int x = Lw + col * C + (C - w) / 2 + 30;
        c.Text(x, y + (R - h) / 2 - 10, QString::fromLatin1(kListCoefficientLine1En));
        c.Text(x, y + (R - h) / 2 + 10, QString::fromLatin1(kListCoefficientLine2En));
    }
}

void DrawFooter(ReportCanvas& c, int x0, int y, const ReportHeader& header)
{
    const Language lang = c.language();
    const double w0 = c.TextWidth(HeaderLabel(&ReportHeader::Tester, lang) + QStringLiteral(": "));
    const QString year = Tr(kYear, lang);
    const QString month = Tr(kMonth, lang);
    const QString day = Tr(kDay, lang);
    // Blanks for the date after each signature: year, month, day.
    auto date = [&](int yearX) {
        const int monthX = Trunc(yearX + c.TextWidth(year) + 0.5 * w0);
        const int dayX = Trunc(monthX + c.TextWidth(month) + 0.5 * w0);
        c.Text(yearX, y, year);
        c.Text(monthX, y, month);
        c.Text(dayX, y, day);
        return dayX;
    };
    // A name ends before the date that follows it.
    const auto signature = [&](int x, int yearX, const QString& text) {
        c.FitText(x, y, yearX - x - kHeaderGap, 2 * c.TextHeight(), text);
    };
    const int yearX1 = Trunc(x0 + 1.4 * w0) + Trunc(w0);
    signature(x0, yearX1, HeaderLabel(&ReportHeader::Tester, lang) + QStringLiteral(":") + Str(header.Tester));
    const int x3 = date(yearX1);
    const int x4 = Trunc(x3 + c.TextWidth(day) + 3 * w0);
    const int yearX2 = Trunc(x4 + w0 + 1.4 * w0) + Trunc(w0);
    signature(x4, yearX2, HeaderLabel(&ReportHeader::Reviewer, lang) + QStringLiteral(":") + Str(header.Reviewer));
    date(yearX2);
}

}  // namespace

int DrawHeaderColumns(ReportCanvas& c, int left, int right, int y, const std::vector<int>& columnX,
                      const std::vector<QStringList>& columns)
{
    const int lh = c.TextHeight();
    const auto columnWidth = [&](std::size_t col) {
        const int end = col + 1 < columnX.size() ? columnX[col + 1] : right;
        return end - columnX[col] - kHeaderGap;
    };
    bool allFit = true;
    std::size_t rows = 0;
    for (std::size_t col = 0; col < columns.size() && col < columnX.size(); ++col) {
        rows = std::max(rows, static_cast<std::size_t>(columns[col].size()));
        for (const QString& text : columns[col])
            allFit = allFit && c.Fits(text, columnWidth(col));
    }
    // A text too long for its column gets a second line: every row then has
    // room for two, and the block grows with them.
    const int pitch = allFit ? lh : Trunc(2.2 * lh);
    const int block = static_cast<int>(rows) * pitch + 20;
    c.Line(left, y, right, y);
    c.Line(left, y + block, right, y + block);
    c.Line(left, y, left, y + block);
    c.Line(right, y, right, y + block);
    for (std::size_t col = 0; col < columns.size() && col < columnX.size(); ++col) {
        for (qsizetype r = 0; r < columns[col].size(); ++r)
            c.FitText(columnX[col], y + static_cast<int>(r) * pitch + 10, columnWidth(col), pitch,
                      columns[col][r]);
    }
    return y + block;
}

QString ListHeaderLabelled(std::string ReportHeader::*member, const std::string& value, Language lang)
{
    const QString label = member == &ReportHeader::FillLayer ? Tr(kListFillLayer, lang) : HeaderLabel(member, lang);
    return label + QStringLiteral(": ") + Str(value);
}

bool DrawK30ListReport(QPainter& painter, const ReportPage& page, const TestDataStore& store,
                       const ReportHeader& header, Language lang, int pageCount, int pageNumber,
                       const Requirements& required)
{
    const int count = static_cast<int>(store.ValidCount());
    const int first = kListPointsPerPage * (pageNumber - 1);
    if (pageNumber < 1 || first >= count)
        return false;
    painter.save();
    ReportCanvas c(painter, lang);

    // The list stands further in from the left than the other reports.
    const int Lw = Trunc(2.5 * page.L);

    c.SetFont(kTitlePoints);
    const QString title = Tr(kPointTitle, lang);
    c.Text((page.W - c.TextWidth(title)) / 2, page.T + 10, title);
    int y = page.T + 10 + c.TextHeight() + 30;
    c.SetFont(kTextPoints);
    if (pageNumber == 1)
        y = DrawHeaderBlock(c, page, Lw, y, header);

    // Table: eight columns, a point taking three of them (the stress two).
    c.SetFont(kTablePoints);
    const int C = (page.W - 2 * Lw) / 8;
    const int onPage = std::min(kListPointsPerPage, count - first);
    const bool lastPage = first + onPage >= count;
    const StoreAssessment assessment = AssessStore(store, required);
    const bool verdicts = required.k30.has_value();
    // The last page keeps room for the overall conclusion below the table.
    c.SetFont(kTextPoints);
    const QString conclusionLabel = Tr(kConclusion, lang);
    const QString conclusion = OverallConclusion(assessment.k30Counts, lang);
    const int conclusionWidth = page.W - 2 * Lw - 40 - c.TextWidth(conclusionLabel);
    const int conclusionHeight = lastPage ? 2 * c.TextHeight() + 10 : 0;
    c.SetFont(kTablePoints);
    const int R = (page.H - Lw - y - conclusionHeight) / kTableRows;
    // The parity of this page's points: on the last page it is the parity of
    // the whole list; on a full page it is even, so the footer follows the table
    // there too. (Taking the whole list's parity put the footer of every full
    // page of an odd list a row lower, past the bottom of the printable area.)
    const int parity = onPage % 2;
    const int rows = lastPage ? onPage / 2 + parity + 1 : kTableRows;
    for (int r = 0; r <= rows; ++r)
        c.Line(Lw - 1, y + r * R, Lw + 8 * C - 1, y + r * R);
    for (const int col : {0, 1, 3, 4, 5, 7, 8})
        c.Line(Lw + col * C - 1, y, Lw + col * C - 1, y + rows * R);
    if (verdicts) {
        for (const int col : {2, 6})
            c.Line(Lw + col * C - 1, y, Lw + col * C - 1, y + rows * R);
    }
    DrawCaptionRow(c, Lw, y, C, R, verdicts);
    for (int k = 0; k < onPage; ++k) {
        const K30& point = store.k30List[static_cast<std::size_t>(first + k)];
        const int rowY = y + (k / 2 + 1) * R;
        const int col = k % 2 == 0 ? 0 : 4;
        Centred(c, Lw + col * C, rowY, C, R, Str(point.name));
        const K30Assessment& a = assessment.k30[static_cast<std::size_t>(first + k)];
        Centred(c, Lw + (col + 1) * C, rowY, C, R, Str(point.stress125));
        if (verdicts)
            Centred(c, Lw + (col + 2) * C, rowY, C, R, K30VerdictText(a, lang));
        Centred(c, Lw + (col + 3) * C, rowY, C, R, K30ShownText(point, a));
    }

    int footerY = y + (onPage / 2 + parity + 1) * R + 10;
    if (lastPage) {
        c.SetFont(kTextPoints);
        c.Text(Lw + 30, footerY, conclusionLabel);
        c.FitText(Lw + 40 + c.TextWidth(conclusionLabel), footerY, conclusionWidth, 2 * c.TextHeight(), conclusion);
        footerY += conclusionHeight;
        c.SetFont(kTablePoints);
    }
    DrawFooter(c, Lw + 30, footerY, header);

    c.SetFont(kTextPoints);
    const QString number = PageNumberText(pageCount, pageNumber, lang);
    c.Text(page.W - c.TextWidth(number) - Lw, page.T + c.TextHeight(), number);
    painter.restore();
    return true;
}

}  // namespace k30
