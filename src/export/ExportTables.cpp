#include "ExportTables.h"

#include <cmath>

#include "ExportTexts.h"
#include "Format.h"
#include "TestDataStore.h"

namespace k30 {

namespace {

constexpr int kStressDecimals = 3;
constexpr int kSettlementDecimals = 2;

std::string Str(std::string_view s) { return std::string(s); }

void AddReadingTitles(std::vector<std::string>& titles, int pairs, Language lang)
{
    for (int j = 1; j <= pairs; ++j) {
        titles.push_back(std::to_string(j) + Str(exporttexts::kStress.in(lang)));
        titles.push_back(std::to_string(j) + Str(exporttexts::kSettlement.in(lang)));
    }
}

template <std::size_t N>
void AddReadings(std::vector<ExportCell>& row, const std::array<ReadingPair, N>& reading, int pairs)
{
    for (int j = 0; j < pairs; ++j) {
        const ReadingPair& r = reading[static_cast<std::size_t>(j)];
        row.push_back(ExportCell::Number(r.stress / 1000.0, kStressDecimals));
        row.push_back(ExportCell::Number(r.settlement / 100.0, kSettlementDecimals));
    }
}

}  // namespace

ExportCell ExportCell::Text(std::string text)
{
    ExportCell c;
    if (!text.empty()) {
        c.kind = Kind::Text;
        c.text = std::move(text);
    }
    return c;
}

ExportCell ExportCell::Number(double value, int decimals)
{
    ExportCell c;
    if (!std::isfinite(value))
        return c;
    c.kind = Kind::Number;
    c.text = FormatFixed(value, decimals);
    if (c.text == "-" + FormatFixed(0.0, decimals))
        c.text.erase(0, 1);  // a rounded -0.0001 shows as 0.000, not -0.000
    c.number = ParseDecimal(c.text);
    c.decimals = decimals;
    return c;
}

ExportCell ExportCell::FromText(std::string_view text, int decimals)
{
    if (const auto value = ParseRequirement(text))
        return Number(*value, decimals);
    return Text(std::string(text));
}

DateAndTime SplitDateTime(std::string_view text)
{
    const std::size_t dash = text.rfind('-');
    if (dash == std::string_view::npos || dash == 0)
        return {{}, std::string(text)};
    return {std::string(text.substr(0, dash)), std::string(text.substr(dash + 1))};
}

ExportTable K30Table(const TestDataStore& store, const StoreAssessment& assessment, Language lang)
{
    using namespace exporttexts;
    ExportTable t;
    for (const Text* title : {&kName, &kStartTime, &kEndTime, &kStress125, &kK30, &kTestType, &kDesignLoad})
        t.titles.push_back(Str(title->in(lang)));
    AddReadingTitles(t.titles, kUsedPairs, lang);
    for (const Text* title : {&kVerdict, &kLowerBound, &kRecomputedK30})
        t.titles.push_back(Str(title->in(lang)));

    const std::size_t n = std::min(store.ValidCount(), assessment.k30.size());
    t.rows.reserve(n);
    for (std::size_t k = 0; k < n; ++k) {
        const K30& p = store.k30List[k];
        const K30Assessment& a = assessment.k30[k];
        std::vector<ExportCell> row;
        row.reserve(t.titles.size());
        row.push_back(ExportCell::Text(p.name));
        row.push_back(ExportCell::Text(p.startTime));
        row.push_back(ExportCell::Text(p.endTime));
        row.push_back(ExportCell::FromText(p.stress125, kStressDecimals));
        row.push_back(ExportCell::FromText(p.k30Value, 0));
        row.push_back(ExportCell::Text(p.testType));
        row.push_back(ExportCell::FromText(p.designLoad, kStressDecimals));
        AddReadings(row, p.reading, kUsedPairs);
        row.push_back(ExportCell::Text(Str(VerdictText(a.verdict, lang))));
        row.push_back(a.lowerBound ? ExportCell::Number(*a.lowerBound, 0) : ExportCell{});
        row.push_back(a.recomputed ? ExportCell::FromText(a.recomputed->k30Text, 0) : ExportCell{});
        t.rows.push_back(std::move(row));
    }
    return t;
}

ExportTable Ev2Table(const TestDataStore& store, const StoreAssessment& assessment, Language lang)
{
    using namespace exporttexts;
    ExportTable t;
    for (const Text* title : {&kName, &kDate, &kStartTime, &kEndTime, &kSigma0max, &kEv1, &kEv2, &kRatio, &kVerdict})
        t.titles.push_back(Str(title->in(lang)));
    AddReadingTitles(t.titles, kEv2Pairs, lang);

    const std::size_t n = std::min(store.ev2List.size(), assessment.ev2.size());
    t.rows.reserve(n);
    for (std::size_t k = 0; k < n; ++k) {
        const Ev2Point& p = store.ev2List[k];
        const Ev2Assessment& a = assessment.ev2[k];
        const DateAndTime start = SplitDateTime(p.startTime);
        const DateAndTime end = SplitDateTime(p.endTime);
        std::vector<ExportCell> row;
        row.reserve(t.titles.size());
        row.push_back(ExportCell::Text(p.name));
        row.push_back(ExportCell::Text(start.date.empty() ? end.date : start.date));
        row.push_back(ExportCell::Text(start.time));
        row.push_back(ExportCell::Text(end.time));
        row.push_back(ExportCell::FromText(a.result.sigma0maxText, 3));
        row.push_back(ExportCell::FromText(a.result.ev1Text, 1));
        row.push_back(ExportCell::FromText(a.result.ev2Text, 1));
        row.push_back(ExportCell::FromText(a.result.ratioText, 2));
        row.push_back(ExportCell::Text(Str(VerdictText(a.verdict, lang))));
        AddReadings(row, p.reading, kEv2Pairs);
        t.rows.push_back(std::move(row));
    }
    return t;
}

}  // namespace k30
