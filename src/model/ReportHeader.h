#pragma once

#include <array>
#include <string>

namespace k30 {

// The fourteen free texts printed on every report (the report header page).
struct ReportHeader {
    std::string Client;
    std::string Tester;
    std::string Reviewer;
    std::string Elevation;
    std::string ReportNumber;
    std::string FillerName;
    std::string TestNumber;
    std::string ProjectName;
    std::string RequiredCoefficient;
    std::string ReportDate;
    std::string PointLocation;
    std::string Environment;
    std::string SubgradeMileage;
    std::string FillLayer;

    friend bool operator==(const ReportHeader&, const ReportHeader&) = default;
};

struct HeaderField {
    const char* key;  // member name, also the JSON key of the command-line tool
    std::string ReportHeader::*member;
};

// The order in which project files store the header. It is neither the member
// order nor the order of the page's boxes.
inline constexpr std::array<HeaderField, 14> kHeaderFileOrder{{
    {"Client", &ReportHeader::Client},
    {"Elevation", &ReportHeader::Elevation},
    {"ProjectName", &ReportHeader::ProjectName},
    {"PointLocation", &ReportHeader::PointLocation},
    {"SubgradeMileage", &ReportHeader::SubgradeMileage},
    {"FillLayer", &ReportHeader::FillLayer},
    {"ReportNumber", &ReportHeader::ReportNumber},
    {"TestNumber", &ReportHeader::TestNumber},
    {"ReportDate", &ReportHeader::ReportDate},
    {"FillerName", &ReportHeader::FillerName},
    {"RequiredCoefficient", &ReportHeader::RequiredCoefficient},
    {"Environment", &ReportHeader::Environment},
    {"Tester", &ReportHeader::Tester},
    {"Reviewer", &ReportHeader::Reviewer},
}};

}  // namespace k30
