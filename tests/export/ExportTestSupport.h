#pragma once

#include <optional>
#include <string>
#include <vector>

#include "Acceptance.h"
#include "ReportHeader.h"
#include "TestDataStore.h"

namespace k30::test {

using CsvRows = std::vector<std::vector<std::string>>;

// A plain RFC 4180 reader: quoted fields with doubled quotes, commas and
// line breaks inside quotes. With crlf set a record must end in CRLF (a bare
// CR or LF outside quotes is an error); otherwise LF ends one too. nullopt
// on malformed input.
inline std::optional<CsvRows> ParseCsv(const std::string& text, bool crlf)
{
    CsvRows rows;
    std::vector<std::string> row;
    std::string field;
    bool quoted = false;
    bool wasQuoted = false;
    std::size_t i = 0;
    auto endField = [&] {
        row.push_back(field);
        field.clear();
        wasQuoted = false;
    };
    while (i < text.size()) {
        const char c = text[i];
        if (quoted) {
            if (c == '"') {
                if (i + 1 < text.size() && text[i + 1] == '"') {
                    field += '"';
                    i += 2;
                    continue;
                }
                quoted = false;
                wasQuoted = true;
            } else {
                field += c;
            }
            ++i;
            continue;
        }
        if (c == '"') {
            if (!field.empty() || wasQuoted)
                return std::nullopt;  // a quote inside an unquoted field
            quoted = true;
            ++i;
        } else if (c == ',') {
            endField();
            ++i;
        } else if (c == '\r' || c == '\n') {
            if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') {
                i += 2;
            } else if (c == '\n' && !crlf) {
                ++i;
            } else {
                return std::nullopt;
            }
            endField();
            rows.push_back(std::move(row));
            row.clear();
        } else {
            if (wasQuoted)
                return std::nullopt;  // text after a closing quote
            field += c;
            ++i;
        }
    }
    if (quoted)
        return std::nullopt;
    if (!field.empty() || !row.empty()) {
        if (crlf)
            return std::nullopt;  // the last record lacks its CRLF
        endField();
        rows.push_back(std::move(row));
    }
    return rows;
}

inline constexpr const char* kAwkwardName = "A,1 \"quoted\"\n第二行 测点";

// Four K30 points and one Ev2 point whose results are worked out by hand:
//  - "A,1…": stress 25·j, settlement 20·j (0.001 MPa, 0.01 mm). 1.25 mm lies
//    between j = 6 (120) and 7 (140): 150 + 5/20·25 = 156.25 → 0.156 MPa,
//    K30 = 0.15625 / 1.25 mm = 125 MPa/m.
//  - "低值点": stress 20·j, settlement 8·j, never 1.25 mm; K30 "0", lower
//    bound 300 / 1.25 = 240.
//  - "3": the instrument's K30 100, readings of the first up to j = 9.
//  - "3" again: K30 150, the first one's readings.
//  - Ev2 point "3": first loading s = 2·sigma (a1 = 2: Ev1 = 1.5·150/2 =
//    112.5), second loading s = 0.5 + 0.5·sigma (Ev2 = 225/0.5 = 450.0),
//    ratio 4.00, sigma0max 0.350.
// K30 statistics over 125, 100, 150: mean 125.0, std 25.0, cv 20.0 %.
inline TestDataStore KnownStore()
{
    TestDataStore s;
    auto k30 = [](std::string name, std::string stress125, std::string value, int stressStep, int settlementStep,
                  int lastStage) {
        K30 p;
        p.name = std::move(name);
        p.startTime = "2026-11-3-08:05";
        p.endTime = "2026-11-3-08:31";
        p.stress125 = std::move(stress125);
        p.k30Value = std::move(value);
        p.testType = "K30";
        p.designLoad = "0.150";
        for (int j = 0; j <= lastStage; ++j)
            p.reading[static_cast<std::size_t>(j)] = {static_cast<float>(stressStep * j),
                                                       static_cast<float>(settlementStep * j)};
        return p;
    };
    s.AddK30Point(k30(kAwkwardName, "0.156", "125", 25, 20, 15));
    s.AddK30Point(k30("低值点", "0.000", "0", 20, 8, 15));
    s.AddK30Point(k30("3", "0.125", "100", 25, 20, 9));
    s.AddK30Point(k30("3", "0.188", "150", 25, 20, 15));
    s.nK30Count = 4;

    Ev2Point e;
    e.name = "3";
    e.startTime = "2026-11-4-10:05";
    e.endTime = "2026-11-4-10:40";
    for (int j = 0; j <= 7; ++j)
        e.reading[static_cast<std::size_t>(j)] = {50.0f * j, 10.0f * j};
    e.reading[8] = {200.0f, 65.0f};
    e.reading[9] = {100.0f, 58.0f};
    for (int j = 10; j <= 16; ++j)
        e.reading[static_cast<std::size_t>(j)] = {100.0f * (j - 10), 50.0f + 5.0f * (j - 10)};
    s.ev2List.push_back(e);
    s.nEv2Count = 1;
    return s;
}

inline Requirements KnownRequirements() { return Requirements{125.0, 400.0, 5.0, {}}; }

inline ReportHeader KnownHeader()
{
    ReportHeader h;
    h.Client = "Client, \"Ltd\"";
    h.ProjectName = "京沪线 路基";
    h.Environment = "sunny\nwindy";
    h.RequiredCoefficient = "125";
    h.ReportNumber = "R-7";
    return h;
}

}  // namespace k30::test
