#include "ListReport.h"

#include <QPainter>

#include <array>

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

// Top-left corner that centres the text in the cell.
void Centred(ReportCanvas& c, int left, int top, int width, int height, const QString& text)
{
    c.Text(left + (width - c.TextWidth(text)) / 2, top + (height - c.TextHeight()) / 2, text);
}

// Returns the y below the block.
int DrawHeaderBlock(ReportCanvas& c, const ReportPage& page, int Lw, int y, const ReportHeader& header)
{
    const Language lang = c.language();
    const int lh = c.TextHeight();  // one line of the 12-pt font
    const int block = 4 * c.TextHeight() + 20;
    const int pitch = (page.W - lh - 10) / 3;
    const int right = page.W - Lw - 3;
    c.Line(Lw, y, right, y);
    c.Line(Lw, y + block, right, y + block);
    c.Line(Lw, y, Lw, y + block);
    c.Line(right, y, right, y + block);
    for (std::size_t r = 0; r < 4; ++r) {
        const int rowY = y + static_cast<int>(r) * lh + 10;
        c.Text(Lw + 10, rowY, ListHeaderLabelled(kColumn1[r], header.*kColumn1[r], lang));
        c.Text(Lw + pitch + 10, rowY, ListHeaderLabelled(kColumn2[r], header.*kColumn2[r], lang));
        if (r < 3)
            c.Text(Lw + 1.9 * pitch, rowY, ListHeaderLabelled(kColumn3[r], header.*kColumn3[r], lang));
    }
    return y + block;
}

void DrawCaptionRow(ReportCanvas& c, int Lw, int y, int C, int R)
{
    const Language lang = c.language();
    for (const int col : {0, 4})
        Centred(c, Lw + col * C, y, C, R, HeaderLabel(&ReportHeader::TestNumber, lang));
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
    c.Text(x0, y, HeaderLabel(&ReportHeader::Tester, lang) + QStringLiteral(":") + Str(header.Tester));
    const int x3 = date(Trunc(x0 + 1.4 * w0) + Trunc(w0));
    const int x4 = Trunc(x3 + c.TextWidth(day) + 3 * w0);
    c.Text(x4, y, HeaderLabel(&ReportHeader::Reviewer, lang) + QStringLiteral(":") + Str(header.Reviewer));
    date(Trunc(x4 + w0 + 1.4 * w0) + Trunc(w0));
}

}  // namespace

QString ListHeaderLabelled(std::string ReportHeader::*member, const std::string& value, Language lang)
{
    const QString label = member == &ReportHeader::FillLayer ? Tr(kListFillLayer, lang) : HeaderLabel(member, lang);
    return label + QStringLiteral(": ") + Str(value);
}

bool DrawK30ListReport(QPainter& painter, const ReportPage& page, const TestDataStore& store,
                       const ReportHeader& header, Language lang, int pageCount, int pageNumber)
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
    const int R = (page.H - Lw - y) / kTableRows;
    const int onPage = std::min(kListPointsPerPage, count - first);
    const bool lastPage = first + onPage >= count;
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
    DrawCaptionRow(c, Lw, y, C, R);
    for (int k = 0; k < onPage; ++k) {
        const K30& point = store.k30List[static_cast<std::size_t>(first + k)];
        const int rowY = y + (k / 2 + 1) * R;
        const int col = k % 2 == 0 ? 0 : 4;
        Centred(c, Lw + col * C, rowY, C, R, Str(point.name));
        Centred(c, Lw + (col + 1) * C, rowY, C, R, Str(point.stress125));
        Centred(c, Lw + (col + 3) * C, rowY, C, R, Str(point.k30Value));
    }

    DrawFooter(c, Lw + 30, y + (onPage / 2 + parity + 1) * R + 10, header);

    c.SetFont(kTextPoints);
    const QString number = PageNumberText(pageCount, pageNumber, lang);
    c.Text(page.W - c.TextWidth(number) - Lw, page.T + c.TextHeight(), number);
    painter.restore();
    return true;
}

}  // namespace k30
