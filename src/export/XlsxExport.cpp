#include "XlsxExport.h"

#include <xlsxwriter.h>

#include <unistd.h>

#include <algorithm>
#include <array>
#include <cctype>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>

#include "ExportTables.h"
#include "ExportTexts.h"
#include "HeaderLabels.h"
#include "StatFormat.h"
#include "TestDataStore.h"

namespace k30 {

namespace {

constexpr std::size_t kMaxCellText = 32767;  // Excel's limit, in bytes here
constexpr double kMinWidth = 6.0;
constexpr double kMaxWidth = 40.0;
constexpr double kMaxTitleWidth = 18.0;  // longer titles wrap

// Characters as a spreadsheet lays them out: Chinese ones are two wide.
double DisplayWidth(const std::string& text)
{
    double width = 0.0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const auto c = static_cast<unsigned char>(text[i]);
        if ((c & 0xC0) == 0x80)
            continue;  // continuation byte
        width += c >= 0xE0 ? 2.0 : 1.0;
    }
    return width;
}

// Cut at a character boundary so the text is never refused.
std::string Clip(const std::string& text, std::size_t limit = kMaxCellText)
{
    if (text.size() <= limit)
        return text;
    std::size_t end = limit;
    while (end > 0 && (static_cast<unsigned char>(text[end]) & 0xC0) == 0x80)
        --end;
    return text.substr(0, end);
}

// The file format writes characters it cannot hold as "_xHHHH_", so a text
// holding such a sequence literally gets its underscore escaped as "_x005F_"
// and comes back exactly as written.
std::string EscapeLiteralCodes(const std::string& text)
{
    auto isCode = [&text](std::size_t at) {
        if (at + 7 > text.size() || text[at + 1] != 'x' || text[at + 6] != '_')
            return false;
        for (std::size_t i = at + 2; i < at + 6; ++i)
            if (!std::isxdigit(static_cast<unsigned char>(text[i])))
                return false;
        return true;
    };
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '_' && isCode(i))
            out += "_x005F";
        out += text[i];
    }
    return out;
}

// The cell text as the file holds it, within the cell limit.
std::string CellText(const std::string& text)
{
    std::size_t limit = kMaxCellText;
    std::string escaped = EscapeLiteralCodes(Clip(text, limit));
    while (escaped.size() > kMaxCellText) {
        limit -= escaped.size() - kMaxCellText;
        escaped = EscapeLiteralCodes(Clip(text, limit));
    }
    return escaped;
}

std::string Str(std::string_view s) { return std::string(s); }

class Workbook {
public:
    explicit Workbook(const std::string& path) : book_(Open(path))
    {
        if (!book_)
            return;
        bold_ = workbook_add_format(book_);
        format_set_bold(bold_);
        title_ = workbook_add_format(book_);
        format_set_bold(title_);
        format_set_text_wrap(title_);
        format_set_align(title_, LXW_ALIGN_VERTICAL_TOP);
        percent_ = workbook_add_format(book_);
        format_set_num_format(percent_, "0.0%");
    }
    ~Workbook()
    {
        if (book_)
            workbook_close(book_);
    }
    Workbook(const Workbook&) = delete;
    Workbook& operator=(const Workbook&) = delete;

    bool ok() const { return book_ != nullptr && status_ == LXW_NO_ERROR; }
    lxw_workbook* get() { return book_; }
    lxw_format* Bold() { return bold_; }
    lxw_format* Title() { return title_; }
    lxw_format* Percent() { return percent_; }

    lxw_format* Decimals(int decimals)
    {
        auto& f = numbers_[decimals];
        if (!f) {
            f = workbook_add_format(book_);
            const std::string pattern = decimals > 0 ? "0." + std::string(static_cast<std::size_t>(decimals), '0') : "0";
            format_set_num_format(f, pattern.c_str());
        }
        return f;
    }

    void Check(lxw_error e)
    {
        if (e != LXW_NO_ERROR && status_ == LXW_NO_ERROR)
            status_ = e;
    }
    lxw_error Status() const { return status_; }

    // Closes the workbook, which writes the file.
    lxw_error Close()
    {
        const lxw_error e = workbook_close(book_);
        book_ = nullptr;
        return status_ != LXW_NO_ERROR ? status_ : e;
    }

private:
    // Rows go straight to the file as they are written: a list of thousands
    // of points needs no cell tree in memory.
    static lxw_workbook* Open(const std::string& path)
    {
        lxw_workbook_options options{};
        options.constant_memory = LXW_TRUE;
        return workbook_new_opt(path.c_str(), &options);
    }

    lxw_workbook* book_;
    lxw_format* bold_ = nullptr;
    lxw_format* title_ = nullptr;
    lxw_format* percent_ = nullptr;
    std::map<int, lxw_format*> numbers_;
    lxw_error status_ = LXW_NO_ERROR;
};

void WriteText(Workbook& book, lxw_worksheet* sheet, lxw_row_t row, lxw_col_t col, const std::string& text,
               lxw_format* format = nullptr)
{
    if (!text.empty())
        book.Check(worksheet_write_string(sheet, row, col, CellText(text).c_str(), format));
}

void WriteCell(Workbook& book, lxw_worksheet* sheet, lxw_row_t row, lxw_col_t col, const ExportCell& cell)
{
    switch (cell.kind) {
    case ExportCell::Kind::Empty:
        break;
    case ExportCell::Kind::Text:
        WriteText(book, sheet, row, col, cell.text);
        break;
    case ExportCell::Kind::Number:
        book.Check(worksheet_write_number(sheet, row, col, cell.number, book.Decimals(cell.decimals)));
        break;
    }
}

void WriteTableSheet(Workbook& book, const char* name, const ExportTable& table)
{
    lxw_worksheet* sheet = workbook_add_worksheet(book.get(), name);
    std::vector<double> widths(table.titles.size(), kMinWidth);
    for (const auto& row : table.rows)
        for (std::size_t c = 0; c < row.size() && c < widths.size(); ++c)
            widths[c] = std::max(widths[c], DisplayWidth(row[c].text) + 1.0);
    int titleLines = 1;
    for (std::size_t c = 0; c < table.titles.size(); ++c) {
        const double title = DisplayWidth(table.titles[c]) + 1.0;
        widths[c] = std::min(kMaxWidth, std::max(widths[c], std::min(title, kMaxTitleWidth)));
        titleLines = std::max(titleLines, static_cast<int>((title + widths[c] - 1.0) / widths[c]));
        book.Check(worksheet_set_column(sheet, static_cast<lxw_col_t>(c), static_cast<lxw_col_t>(c), widths[c], nullptr));
    }
    // Rows are written in order, each before the next.
    book.Check(worksheet_set_row(sheet, 0, 15.0 * titleLines, nullptr));
    for (std::size_t c = 0; c < table.titles.size(); ++c)
        WriteText(book, sheet, 0, static_cast<lxw_col_t>(c), table.titles[c], book.Title());
    worksheet_freeze_panes(sheet, 1, 1);
    lxw_row_t r = 1;
    for (const auto& row : table.rows) {
        for (std::size_t c = 0; c < row.size(); ++c)
            WriteCell(book, sheet, r, static_cast<lxw_col_t>(c), row[c]);
        ++r;
    }
}

void WriteHeaderSheet(Workbook& book, const ReportHeader& header, Language lang)
{
    lxw_worksheet* sheet = workbook_add_worksheet(book.get(), "Header");
    double labelWidth = DisplayWidth(Str(exporttexts::kHeaderItem.in(lang)));
    double textWidth = DisplayWidth(Str(exporttexts::kHeaderText.in(lang)));
    WriteText(book, sheet, 0, 0, Str(exporttexts::kHeaderItem.in(lang)), book.Bold());
    WriteText(book, sheet, 0, 1, Str(exporttexts::kHeaderText.in(lang)), book.Bold());
    lxw_row_t r = 1;
    for (const HeaderLabel& field : kHeaderLabels) {
        const std::string label = Str(field.label->in(lang));
        const std::string& text = header.*field.member;
        labelWidth = std::max(labelWidth, DisplayWidth(label));
        textWidth = std::max(textWidth, DisplayWidth(text));
        WriteText(book, sheet, r, 0, label);
        WriteText(book, sheet, r, 1, text);
        ++r;
    }
    book.Check(worksheet_set_column(sheet, 0, 0, std::min(kMaxWidth, labelWidth + 2.0), nullptr));
    book.Check(worksheet_set_column(sheet, 1, 1, std::clamp(textWidth + 2.0, 20.0, 80.0), nullptr));
    worksheet_freeze_panes(sheet, 1, 0);
}

struct StatColumn {
    const Text* title;
    const SampleStats* stats;
    const VerdictCounts* counts;  // none for the ratio
    int decimals;                 // of the mean and the standard deviation
    int valueDecimals;            // of the minimum and the maximum
};

void WriteSummarySheet(Workbook& book, const StoreAssessment& a, bool withEv2, Language lang)
{
    using namespace exporttexts;
    lxw_worksheet* sheet = workbook_add_worksheet(book.get(), "Summary");
    lxw_row_t r = 0;
    WriteText(book, sheet, r++, 0, Str(kRequirements.in(lang)), book.Bold());
    const std::array<std::pair<const Text*, const std::optional<double>*>, 3> required{{
        {&kRequiredK30, &a.required.k30},
        {&kRequiredEv2Min, &a.required.ev2Min},
        {&kRequiredRatioMax, &a.required.ratioMax},
    }};
    double labelWidth = 12.0;
    for (const auto& [label, value] : required) {
        WriteText(book, sheet, r, 0, Str(label->in(lang)));
        labelWidth = std::max(labelWidth, DisplayWidth(Str(label->in(lang))));
        if (*value)
            book.Check(worksheet_write_number(sheet, r, 1, **value, nullptr));
        else
            WriteText(book, sheet, r, 1, Str(kNoRequirement.in(lang)));
        ++r;
    }
    ++r;

    std::vector<StatColumn> columns{{&kK30, &a.k30Stats, &a.k30Counts, 1, 0}};
    if (withEv2) {
        columns.push_back({&kEv2, &a.ev2Stats, &a.ev2Counts, 1, 1});
        columns.push_back({&kRatio, &a.ratioStats, nullptr, 2, 2});
    }
    WriteText(book, sheet, r, 0, Str(kStatistic.in(lang)), book.Bold());
    for (std::size_t c = 0; c < columns.size(); ++c)
        WriteText(book, sheet, r, static_cast<lxw_col_t>(c + 1), Str(columns[c].title->in(lang)), book.Bold());
    ++r;

    using Getter = std::optional<double> (*)(const StatColumn&);
    struct StatRow {
        const Text* label;
        Getter get;
        int kind;  // 0 count, 1 mean-like, 2 value-like, 3 percent
    };
    const std::array<StatRow, 10> rows{{
        {&kCount, [](const StatColumn& s) -> std::optional<double> { return s.stats->count; }, 0},
        {&kMean, [](const StatColumn& s) { return s.stats->mean; }, 1},
        {&kStd, [](const StatColumn& s) { return s.stats->std; }, 1},
        {&kCv, [](const StatColumn& s) { return s.stats->cv; }, 3},
        {&kMin, [](const StatColumn& s) { return s.stats->min; }, 2},
        {&kMax, [](const StatColumn& s) { return s.stats->max; }, 2},
        {&kPassed,
         [](const StatColumn& s) -> std::optional<double> {
             if (!s.counts)
                 return std::nullopt;
             return s.counts->passed;
         },
         0},
        {&kFailed,
         [](const StatColumn& s) -> std::optional<double> {
             if (!s.counts)
                 return std::nullopt;
             return s.counts->failed;
         },
         0},
        {&kNotAssessable,
         [](const StatColumn& s) -> std::optional<double> {
             if (!s.counts)
                 return std::nullopt;
             return s.counts->none;
         },
         0},
        {&kPassRate,
         [](const StatColumn& s) -> std::optional<double> {
             if (!s.counts)
                 return std::nullopt;
             return JudgedPassRate(*s.counts);
         },
         3},
    }};
    for (const StatRow& row : rows) {
        WriteText(book, sheet, r, 0, Str(row.label->in(lang)));
        labelWidth = std::max(labelWidth, DisplayWidth(Str(row.label->in(lang))));
        for (std::size_t c = 0; c < columns.size(); ++c) {
            const auto value = FiniteStat(row.get(columns[c]));
            if (!value)
                continue;
            const auto col = static_cast<lxw_col_t>(c + 1);
            switch (row.kind) {
            case 0:
                WriteCell(book, sheet, r, col, ExportCell::Number(*value, 0));
                break;
            case 1:
                WriteCell(book, sheet, r, col, ExportCell::Number(*value, columns[c].decimals));
                break;
            case 2:
                WriteCell(book, sheet, r, col, ExportCell::Number(*value, columns[c].valueDecimals));
                break;
            default:
                book.Check(worksheet_write_number(sheet, r, col, *value, book.Percent()));
                break;
            }
        }
        ++r;
    }
    book.Check(worksheet_set_column(sheet, 0, 0, std::min(kMaxWidth, labelWidth + 2.0), nullptr));
    book.Check(worksheet_set_column(sheet, 1, static_cast<lxw_col_t>(columns.size()), 16.0, nullptr));
}

// A fresh, empty file in the temporary folder, removed again on destruction.
class TemporaryFile {
public:
    TemporaryFile()
    {
        std::error_code ec;
        std::filesystem::path dir = std::filesystem::temp_directory_path(ec);
        if (ec)
            dir = "/tmp";
        std::string pattern = (dir / "k30-export-XXXXXX.xlsx").string();
        const int fd = mkstemps(pattern.data(), 5);
        if (fd >= 0) {
            close(fd);
            path_ = pattern;
        }
    }
    ~TemporaryFile()
    {
        if (!path_.empty())
            std::remove(path_.c_str());
    }
    TemporaryFile(const TemporaryFile&) = delete;
    TemporaryFile& operator=(const TemporaryFile&) = delete;

    const std::string& path() const { return path_; }

private:
    std::string path_;
};

}  // namespace

bool WriteXlsx(const TestDataStore& store, const ReportHeader& header, const Requirements& required, Language lang,
               std::string& bytes, std::string& error)
{
    TemporaryFile file;
    if (file.path().empty()) {
        error = "cannot create a temporary file";
        return false;
    }
    const StoreAssessment assessment = AssessStore(store, required);
    const bool withEv2 = !store.ev2List.empty();
    {
        Workbook book(file.path());
        if (!book.ok()) {
            error = "cannot create the workbook";
            return false;
        }
        WriteTableSheet(book, "K30", K30Table(store, assessment, lang));
        if (withEv2)
            WriteTableSheet(book, "Ev2", Ev2Table(store, assessment, lang));
        WriteHeaderSheet(book, header, lang);
        WriteSummarySheet(book, assessment, withEv2, lang);
        const lxw_error e = book.Close();
        if (e != LXW_NO_ERROR) {
            error = lxw_strerror(e);
            return false;
        }
    }
    std::ifstream in(file.path(), std::ios::binary);
    bytes.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    if (!in.good() && !in.eof()) {
        error = "cannot read the workbook back";
        return false;
    }
    if (bytes.empty()) {
        error = "the workbook is empty";
        return false;
    }
    return true;
}

}  // namespace k30
