#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "K30.h"
#include "ReportHeader.h"

namespace k30 {

class TestDataStore;

// Contents of a project file (.K30): little-endian archive of the chosen
// points and the report header, without magic number or version.
struct ProjectData {
    std::int32_t instrumentNo = 0;
    std::vector<K30> points;
    ReportHeader header;
};

struct ProjectReadResult {
    bool ok = false;
    std::string error;  // English, for logs and the command-line tool
    ProjectData data;
};

std::vector<std::uint8_t> WriteProject(std::int32_t instrumentNo, const std::vector<const K30*>& points,
                                       const ReportHeader& header);

// Never allocates more than the input holds; a damaged file gives ok == false.
ProjectReadResult ReadProject(const std::uint8_t* data, std::size_t size);
inline ProjectReadResult ReadProject(const std::vector<std::uint8_t>& bytes)
{
    return ReadProject(bytes.data(), bytes.size());
}

// Applies a successfully read project to the store, as opening it does:
// no Ev2 points, the file's points and instrument number.
void ApplyProject(const ProjectData& data, TestDataStore& store);

}  // namespace k30
