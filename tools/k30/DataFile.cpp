#include "DataFile.h"

#include <iostream>

#include "ProjectFile.h"
#include "TransferDecoder.h"

namespace k30::cli {

namespace {
// Project files hold about 200 bytes a point; this is far beyond any real one.
constexpr std::uint64_t kMaxProjectFileBytes = 256ull * 1024 * 1024;
}  // namespace

LoadStatus LoadDataFile(const std::string& path, LoadedFile& out)
{
    out.kind = KindOfPath(path);
    if (out.kind == FileKind::Unknown) {
        std::cerr << "k30: " << path << ": not a raw (.ORG) or project (.K30) file name\n";
        return LoadStatus::UnknownKind;
    }
    FileReadResult file = ReadWholeFile(path, out.kind == FileKind::Raw ? kMaxRawFileBytes : kMaxProjectFileBytes);
    if (!file.ok) {
        std::cerr << "k30: " << path << ": " << file.error << "\n";
        return LoadStatus::Failed;
    }
    if (out.kind == FileKind::Raw) {
        out.rawText.assign(file.bytes.begin(), file.bytes.end());
        std::vector<std::uint8_t>().swap(file.bytes);  // one copy of a large transfer while decoding
        DecodeTransfer(out.rawText, out.store);
        return LoadStatus::Ok;
    }
    const ProjectReadResult project = ReadProject(file.bytes);
    if (!project.ok) {
        std::cerr << "k30: " << path << ": " << project.error << "\n";
        return LoadStatus::Failed;
    }
    ApplyProject(project.data, out.store);
    out.header = project.data.header;
    return LoadStatus::Ok;
}

int LoadDataFileExitCode(const std::string& path, LoadedFile& out)
{
    switch (LoadDataFile(path, out)) {
    case LoadStatus::UnknownKind:
        return 2;
    case LoadStatus::Failed:
        return 1;
    case LoadStatus::Ok:
        break;
    }
    return 0;
}

void TakeHeaderRequirement(const ReportHeader& header, Requirements& required, Language lang)
{
    SetRequiredK30(required, header.RequiredCoefficient);
    if (!required.k30Unreadable.empty())
        std::cerr << "k30: "
                  << Text{"警告：要求的 K30 值不是数字，不作判定：", "warning: the required K30 is not a number, nothing is judged by it: "}.in(lang)
                  << "\"" << required.k30Unreadable << "\"\n";
}

}  // namespace k30::cli
