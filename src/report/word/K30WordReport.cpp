#include "K30WordReport.h"

#include <QString>

#include "AcceptanceFormat.h"
#include "CDornWordOffice.h"
#include "ReportFonts.h"
#include "UiText.h"
#include "WordTexts.h"

namespace k30 {

namespace {

void WriteHeaderTable(CDornWordOffice& office, const ReportHeader& info, Language lang)
{
    using Member = std::string ReportHeader::*;
    const struct {
        int row, column;
        Member member;
        const char* after;  // between the label and the value
    } cells[] = {
        {1, 1, &ReportHeader::Client, ":  "},
        {2, 1, &ReportHeader::Elevation, ":  "},
        {3, 1, &ReportHeader::ProjectName, ": "},
        {4, 1, &ReportHeader::PointLocation, ": "},
        {5, 1, &ReportHeader::SubgradeMileage, ": "},
        {6, 1, &ReportHeader::FillLayer, ": "},
        {1, 2, &ReportHeader::ReportNumber, ": "},
        {2, 2, &ReportHeader::FillerName, ": "},
        {3, 2, &ReportHeader::RequiredCoefficient, ": "},
        {4, 2, &ReportHeader::ReportDate, ": "},
        {5, 2, &ReportHeader::Environment, ": "},
    };
    office.CreateTable(6, 2);
    for (const auto& c : cells)
        office.SetCellText(c.row, c.column,
                           HeaderLabel(c.member, lang) + QString::fromLatin1(c.after) + Q(info.*c.member));
}

void WriteResultsTable(CDornWordOffice& office, const TestDataStore& store, Language lang)
{
    const int n = static_cast<int>(store.ValidCount());
    office.CreateTable(n / 2 + n % 2 + 1, 6);
    for (int half = 0; half < 2; ++half) {
        office.SetCellText(1, 3 * half + 1, HeaderLabel(&ReportHeader::TestNumber, lang));
        office.SetCellText(1, 3 * half + 2, Tr(texts::kStress125Caption, lang));
        office.SetCellText(1, 3 * half + 3, Tr(texts::kCoefficientCaption, lang));
    }
    for (int i = 0; i < n; ++i) {
        const K30& p = store.k30List[static_cast<std::size_t>(i)];
        const int row = i / 2 + 2;
        const int column = i % 2 == 0 ? 1 : 4;
        office.SetCellText(row, column, Q(p.name));
        office.SetCellText(row, column + 1, Q(p.stress125));
        office.SetCellText(row, column + 2, K30ResultText(p, AssessK30Point(p, store.bManualInput, {})));
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
