#pragma once

#include <array>
#include <string>

#include "ExportTexts.h"
#include "ReportHeader.h"

namespace k30 {

// The fourteen report header texts with their labels, in the order the
// report header page shows them.
struct HeaderLabel {
    const Text* label;
    std::string ReportHeader::*member;
};

inline const std::array<HeaderLabel, 14> kHeaderLabels{{
    {&exporttexts::kClient, &ReportHeader::Client},
    {&exporttexts::kProjectName, &ReportHeader::ProjectName},
    {&exporttexts::kSubgradeMileage, &ReportHeader::SubgradeMileage},
    {&exporttexts::kElevation, &ReportHeader::Elevation},
    {&exporttexts::kPointLocation, &ReportHeader::PointLocation},
    {&exporttexts::kFillLayer, &ReportHeader::FillLayer},
    {&exporttexts::kReportNumber, &ReportHeader::ReportNumber},
    {&exporttexts::kTestNumber, &ReportHeader::TestNumber},
    {&exporttexts::kReportDate, &ReportHeader::ReportDate},
    {&exporttexts::kFillerName, &ReportHeader::FillerName},
    {&exporttexts::kRequiredCoefficient, &ReportHeader::RequiredCoefficient},
    {&exporttexts::kEnvironment, &ReportHeader::Environment},
    {&exporttexts::kTester, &ReportHeader::Tester},
    {&exporttexts::kReviewer, &ReportHeader::Reviewer},
}};

}  // namespace k30
