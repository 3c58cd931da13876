#include "CsvExport.h"

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
    AppendRow(out, table.titles);
    std::vector<std::string> fields;
    for (const auto& row : table.rows) {
        fields.clear();
        for (const ExportCell& cell : row)
            fields.push_back(cell.text);
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
