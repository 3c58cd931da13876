#pragma once

#include <optional>
#include <vector>

#include <QByteArray>
#include <QDate>
#include <QString>

#include "Acceptance.h"
#include "ReportHeader.h"

namespace k30::site {

enum class PointKind { K30, Ev2 };
enum class SourceKind { Transfer, Project };

// One test point of the site as the database holds it. Result texts are the
// instrument's (K30) or the evaluation's (Ev2), exactly as `k30 show --json`
// gives them; the verdict is judged against the requirements of the query.
struct SitePoint {
    qint64 id = 0;
    qint64 sourceId = 0;
    QString transfer;  // SHA-256 of the source, hex
    PointKind kind = PointKind::K30;
    int seq = 0;       // index of the point in its source (per kind)
    QString name;
    QString startTime;
    QString endTime;
    QString stress125;  // K30 points
    QString k30Value;
    std::optional<double> k30Bound;  // 1.25 mm not reached: K30 is at least this
    QString testType;
    QString designLoad;
    QString sigma0max;  // Ev2 points
    QString ev1;
    QString ev2;
    QString ratio;
    QString chainage;
    std::optional<double> chainageM;
    QString offset;
    QString layer;
    QString lot;
    QString remark;
    Verdict verdict = Verdict::None;
    int instrumentNo = 0;
};

// What the engineer adds to points; an absent member is left as it is.
struct PointEdit {
    std::optional<QString> chainage;  // parsed: a chainage that does not parse refuses the whole edit
    std::optional<QString> offset;
    std::optional<QString> layer;
    std::optional<QString> lot;
    std::optional<QString> remark;
};

// The engineer's fields of one point, as they were before an edit (undo).
struct PointFields {
    qint64 id = 0;
    QString chainage;
    QString offset;
    QString layer;
    QString lot;
    QString remark;
};

// Which points a list, a count or the statistics cover. Every member set
// narrows the selection; the requirements judge the verdicts.
struct SiteFilter {
    std::optional<QDate> from;  // test date, inclusive
    std::optional<QDate> to;
    std::optional<PointKind> kind;
    std::optional<QString> layer;  // exact
    std::optional<QString> lot;    // exact
    std::optional<double> chainageFrom;  // metres, inclusive
    std::optional<double> chainageTo;
    std::optional<Verdict> verdict;
    QString text;  // free text: name, chainage, offset, layer, lot, remark, transfer (case-insensitive)
    bool chainageOnly = false;  // only points with a chainage (the chart)
    Requirements required;
};

enum class SortColumn { Id, Kind, Name, Date, Chainage, Offset, Layer, Lot, Value, Ratio, Verdict, Transfer };

struct SiteSort {
    SortColumn column = SortColumn::Id;
    bool descending = false;
};

// Statistics of the filtered points: K30 over points with K30 > 0, Ev2 and
// Ev2/Ev1 over points with a result; verdict counts per kind.
struct SiteStats {
    SampleStats k30;
    SampleStats ev2;
    SampleStats ratio;
    VerdictCounts k30Counts;
    VerdictCounts ev2Counts;
};

// A source as it came in: a transfer text or a project file's bytes.
struct SiteSource {
    qint64 id = 0;
    QString sha256;
    SourceKind kind = SourceKind::Transfer;
    int instrumentNo = 0;
    QString acceptedAt;  // "2026-12-06 14:30:05" local, or the file's time
    QString filePath;    // archive or imported file
    QByteArray content;  // transfer text, or the project file's bytes
    ReportHeader header;  // project files
};

struct ImportCounts {
    int transfersAdded = 0;
    int transfersPresent = 0;  // already in the database
    int pointsAdded = 0;
    ImportCounts& operator+=(const ImportCounts& o)
    {
        transfersAdded += o.transfersAdded;
        transfersPresent += o.transfersPresent;
        pointsAdded += o.pointsAdded;
        return *this;
    }
};

struct ImportResult {
    bool ok = false;
    QString error;  // English, with the file
    ImportCounts counts;
};

}  // namespace k30::site
