#include "K30WordReport.h"

#include <QString>

#include "CDornWordOffice.h"
#include "ReportFonts.h"
#include "WordTexts.h"

namespace k30 {

namespace {

QString Tr(const Text& text, Language lang)
{
    const std::string_view s = text.in(lang);
    return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size()));
}

QString Q(const std::string& utf8) { return QString::fromStdString(utf8); }

void WriteHeaderTable(CDornWordOffice& office, const ReportHeader& info, Language lang)
{
    using namespace wordtexts;
    const struct {
        int row, column;
        const Text& label;
        const std::string& value;
    } cells[] = {
        {1, 1, kClient, info.Client},
        {2, 1, kElevation, info.Elevation},
        {3, 1, kProjectName, info.ProjectName},
        {4, 1, kPointLocation, info.PointLocation},
        {5, 1, kSubgradeMileage, info.SubgradeMileage},
        {6, 1, kFillLayer, info.FillLayer},
        {1, 2, kReportNumber, info.ReportNumber},
        {2, 2, kFillerName, info.FillerName},
        {3, 2, kRequiredCoefficient, info.RequiredCoefficient},
        {4, 2, kReportDate, info.ReportDate},
        {5, 2, kEnvironment, info.Environment},
    };
    office.CreateTable(6, 2);
    for (const auto& c : cells)
        office.SetCellText(c.row, c.column, Tr(c.label, lang) + Q(c.value));
}

void WriteResultsTable(CDornWordOffice& office, const TestDataStore& store, Language lang)
{
    using namespace wordtexts;
    const int n = static_cast<int>(store.ValidCount());
    office.CreateTable(n / 2 + n % 2 + 1, 6);
    for (int half = 0; half < 2; ++half) {
        office.SetCellText(1, 3 * half + 1, Tr(kTestNumber, lang));
        office.SetCellText(1, 3 * half + 2, Tr(kStress125, lang));
        office.SetCellText(1, 3 * half + 3, Tr(kK30Value, lang));
    }
    for (int i = 0; i < n; ++i) {
        const K30& p = store.k30List[static_cast<std::size_t>(i)];
        const int row = i / 2 + 2;
        const int column = i % 2 == 0 ? 1 : 4;
        office.SetCellText(row, column, Q(p.name));
        office.SetCellText(row, column + 1, Q(p.stress125));
        office.SetCellText(row, column + 2, Q(p.testType) + QLatin1Char('=') + Q(p.k30Value));
    }
}

}  // namespace

void WriteK30WordReport(CDornWordOffice& office, const TestDataStore& store, const ReportHeader& info, Language lang)
{
    const QString face = FaceFor(lang);
    office.Create();

    office.SetFont(15.0f, face, 0);
    office.SetFontStyle(true, false, false);
    office.TypeText(Tr(wordtexts::kTitle, lang));

    office.SetFont(10.5f, face, 0);
    office.SetFontStyle(false, false, false);
    WriteHeaderTable(office, info, lang);

    office.MoveDown(10);
    office.SetFont(9.0f, face, 0);
    office.SetAlignment(0);
    WriteResultsTable(office, store, lang);

    office.MoveDown(10);
    office.TypeText(Tr(wordtexts::kSignOff, lang));
    office.MoveDown(5);
    office.SetVisible();
}

}  // namespace k30
