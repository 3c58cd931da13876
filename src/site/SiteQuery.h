#pragma once

#include <QString>
#include <QVariantList>

#include "SiteTypes.h"

namespace k30::site {

// The SQL of a filter, the same text for SQLite and PostgreSQL. Texts are
// bound (positional ? in order of values); numbers are the program's own and
// written into the text.
struct WhereClause {
    QString sql;  // " WHERE ..." or empty
    QVariantList values;
    bool needsSources = false;  // refers to s.* (the transfer's SHA-256)
};

WhereClause BuildWhere(const SiteFilter& filter);

// 0 none, 1 pass, 2 fail, judged in SQL as AssessK30Point and AssessEv2Point
// judge: K30 on the instrument's value, or on its lower bound when the
// readings never reach 1.25 mm (pass or none); Ev2 and Ev2/Ev1 as shown.
QString VerdictSql(const Requirements& required);

// Two sums over points of one kind: how many pass and how many fail, as
// VerdictSql judges them (0, 0 when no requirement is in force).
QString VerdictCountsSql(const Requirements& required, PointKind kind);

QString OrderBySql(const SiteSort& sort, const SiteFilter& filter);

}  // namespace k30::site
