#include "JsonOutput.h"

#include <iostream>

namespace k30::cli {

nlohmann::json ToJson(const LoadedFile& file)
{
    using nlohmann::json;
    const TestDataStore& s = file.store;
    json out;
    out["kind"] = file.kind == FileKind::Raw ? "raw" : "project";
    out["instrumentNo"] = s.nInstrumentNo;
    out["ev2Count"] = s.nEv2Count;
    out["k30Count"] = s.nK30Count;
    json points = json::array();
    for (std::size_t k = 0; k < s.ValidCount(); ++k) {
        const K30& p = s.k30List[k];
        json reading = json::array();
        for (int j = 0; j < kUsedPairs; ++j) {
            const ReadingPair& r = p.reading[static_cast<std::size_t>(j)];
            reading.push_back({{"stress", r.stress}, {"settlement", r.settlement}});
        }
        points.push_back({{"name", p.name},
                          {"startTime", p.startTime},
                          {"endTime", p.endTime},
                          {"stress125", p.stress125},
                          {"k30Value", p.k30Value},
                          {"testType", p.testType},
                          {"designLoad", p.designLoad},
                          {"reading", reading}});
    }
    out["points"] = points;
    if (file.kind == FileKind::Project) {
        json header = json::object();
        for (const HeaderField& f : kHeaderFileOrder)
            header[f.key] = file.header.*f.member;
        out["header"] = header;
    }
    return out;
}

bool HeaderFromJson(const nlohmann::json& j, ReportHeader& header, std::string& error)
{
    if (!j.is_object()) {
        error = "the header must be a JSON object";
        return false;
    }
    header = ReportHeader{};
    for (const HeaderField& f : kHeaderFileOrder) {
        const auto it = j.find(f.key);
        if (it == j.end())
            continue;
        if (!it->is_string()) {
            error = std::string("header member ") + f.key + " must be a string";
            return false;
        }
        header.*f.member = it->get<std::string>();
    }
    return true;
}

bool ReadHeaderFile(const std::string& path, ReportHeader& header)
{
    const FileReadResult file = ReadWholeFile(path, 16ull * 1024 * 1024);
    if (!file.ok) {
        std::cerr << "k30: " << path << ": " << file.error << "\n";
        return false;
    }
    const auto j = nlohmann::json::parse(file.bytes.begin(), file.bytes.end(), nullptr, false);
    std::string error = "not valid JSON";
    if (j.is_discarded() || !HeaderFromJson(j, header, error)) {
        std::cerr << "k30: " << path << ": " << error << "\n";
        return false;
    }
    return true;
}

}  // namespace k30::cli
