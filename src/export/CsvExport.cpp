#include "CsvExport.h"

#include <string_view>

#include "TestDataStore.h"

namespace k30 {

namespace {

void AppendField(std::string& out, const std::string& field)
{
    if (field.find_first_of(",\"\r\n") == std::string::npos) {
        out += field;
        return;
    }
    out += '"';
    for (char c : field) {
        if (c == '"')
            out += '"';
        out += c;
    }
    out += '"';
}

// A text a spreadsheet would take for a formula gets a leading apostrophe, so
// that opening the file never runs what a point name holds. Numbers are
// written as numbers.
std::string Defused(const std::string& text)
{
    if (!text.empty() && std::string_view("=+-@\t\r").find(text.front()) != std::string_view::npos)
        return "'" + text;
    return text;
}

void AppendRow(std::string& out, const std::vector<std::string>& fields)
{
    for (std::size_t i = 0; i < fields.size(); ++i) {
        if (i > 0)
            out += ',';
        AppendField(out, fields[i]);
    }
    out += "\r\n";
}

}  // namespace

std::string TableToCsv(const ExportTable& table)
{
    std::string out = "\xEF\xBB\xBF";
    std::vector<std::string> fields;
    for (const std::string& title : table.titles)
        fields.push_back(Defused(title));
    AppendRow(out, fields);
    for (const auto& row : table.rows) {
        fields.clear();
        for (const ExportCell& cell : row)
            fields.push_back(cell.kind == ExportCell::Kind::Text ? Defused(cell.text) : cell.text);
        AppendRow(out, fields);
    }
    return out;
}

std::string WriteCsv(const TestDataStore& store, const ReportHeader& /*header*/, const Requirements& required,
                     Language lang, CsvTable table)
{
    const StoreAssessment assessment = AssessStore(store, required);
    return TableToCsv(table == CsvTable::K30 ? K30Table(store, assessment, lang) : Ev2Table(store, assessment, lang));
}

}  // namespace k30
