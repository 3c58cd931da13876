#pragma once

#include <array>
#include <string>

#include "Language.h"

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

// Everything known about one header member, in one place.
struct HeaderField {
    const char* key;  // member name, also the JSON key of the command-line tool
    std::string ReportHeader::*member;
    Text box;    // caption of its box on the report header page
    Text label;  // on the reports and in the Word report, before the colon
};

// The order in which project files store the header. It is neither the member
// order nor the order of the page's boxes.
inline constexpr std::array<HeaderField, 14> kHeaderFileOrder{{
    {"Client", &ReportHeader::Client, {"委托单位", "Client"}, {"委托单位", "Client"}},
    {"Elevation", &ReportHeader::Elevation, {"标高", "Elevation"}, {"标    高", "Elevation"}},
    {"ProjectName", &ReportHeader::ProjectName, {"工程名称", "Project Name"}, {"工程名称", "Project Name"}},
    {"PointLocation", &ReportHeader::PointLocation, {"测点位置", "Measure Point Location"},
     {"测点位置", "Measure Point Location"}},
    {"SubgradeMileage", &ReportHeader::SubgradeMileage, {"路基里程", "Subgrade Mileage"},
     {"路基里程", "Subgrade Mileage"}},
    {"FillLayer", &ReportHeader::FillLayer, {"填土层次", "Filling Layer"}, {"填土层次", "Filling Layer"}},
    {"ReportNumber", &ReportHeader::ReportNumber, {"报告编号", "Report Number"}, {"报告编号", "Report Number"}},
    {"TestNumber", &ReportHeader::TestNumber, {"实验编号", "Test Number"}, {"试验编号", "Test Number"}},
    {"ReportDate", &ReportHeader::ReportDate, {"报告日期", "Report Date"}, {"报告日期", "Report Date"}},
    {"FillerName", &ReportHeader::FillerName, {"填料名称", "Filler Name"}, {"填料名称", "Filler Name"}},
    {"RequiredCoefficient", &ReportHeader::RequiredCoefficient, {"要求地基系数", "Required Foundation Coefficient"},
     {"要求地基系数值", "Required Foundation Coefficient"}},
    {"Environment", &ReportHeader::Environment, {"检测环境描述", "Detection Environment"},
     {"检测环境", "Detection Environment"}},
    {"Tester", &ReportHeader::Tester, {"检测人", "Tester"}, {"检测人", "Tester"}},
    {"Reviewer", &ReportHeader::Reviewer, {"复核人", "Reviewer"}, {"复核人", "Reviewer"}},
}};

// The entry of a member; every member has one.
constexpr const HeaderField& HeaderFieldOf(std::string ReportHeader::*member)
{
    for (const HeaderField& f : kHeaderFileOrder)
        if (f.member == member)
            return f;
    return kHeaderFileOrder.front();
}

}  // namespace k30
