#include "SiteSchema.h"

namespace k30::site {

namespace {

// Version 1: the first release.
QStringList Version1(bool postgres)
{
    const QString id = postgres ? QStringLiteral("BIGSERIAL PRIMARY KEY") : QStringLiteral("INTEGER PRIMARY KEY");
    const QString bytes = postgres ? QStringLiteral("BYTEA") : QStringLiteral("BLOB");
    return {
        QStringLiteral("CREATE TABLE site_meta (key TEXT PRIMARY KEY, value TEXT NOT NULL)"),
        QStringLiteral("CREATE TABLE sources (id %1, sha256 TEXT NOT NULL UNIQUE, kind TEXT NOT NULL, "
                       "instrument_no INTEGER NOT NULL, accepted_at TEXT NOT NULL, file_path TEXT NOT NULL, "
                       "header TEXT NOT NULL, content %2 NOT NULL, imported_at TEXT NOT NULL)")
            .arg(id, bytes),
        QStringLiteral("CREATE TABLE points (id %1, source_id BIGINT NOT NULL REFERENCES sources(id), "
                       "kind TEXT NOT NULL, seq INTEGER NOT NULL, name TEXT NOT NULL, start_time TEXT NOT NULL, "
                       "end_time TEXT NOT NULL, test_date TEXT, stress125 TEXT NOT NULL, k30_text TEXT NOT NULL, "
                       "test_type TEXT NOT NULL, design_load TEXT NOT NULL, sigma0max TEXT NOT NULL, ev1 TEXT NOT NULL, "
                       "ev2 TEXT NOT NULL, ratio TEXT NOT NULL, readings TEXT NOT NULL, "
                       "k30_num DOUBLE PRECISION, k30_bound DOUBLE PRECISION, ev2_num DOUBLE PRECISION, "
                       "ratio_num DOUBLE PRECISION, ev2_shown DOUBLE PRECISION, ratio_shown DOUBLE PRECISION, "
                       "chainage TEXT NOT NULL DEFAULT '', chainage_m DOUBLE PRECISION, "
                       "side_offset TEXT NOT NULL DEFAULT '', layer TEXT NOT NULL DEFAULT '', "
                       "lot TEXT NOT NULL DEFAULT '', UNIQUE (source_id, kind, seq))")
            .arg(id),
        QStringLiteral("CREATE INDEX points_source ON points (source_id)"),
        QStringLiteral("CREATE INDEX points_layer ON points (layer)"),
        QStringLiteral("CREATE INDEX points_lot ON points (lot)"),
        QStringLiteral("CREATE INDEX points_chainage ON points (chainage_m)"),
        QStringLiteral("CREATE INDEX points_date ON points (test_date)"),
        QStringLiteral("INSERT INTO site_meta (key, value) VALUES ('schema_version', '1')"),
    };
}

// Version 2: a remark per point; an index holding every value the statistics
// and verdicts read, so statistics over the whole site scan it instead of
// the rows; a lot's or a layer's stretch of line found by one index each.
QStringList To2()
{
    return {
        QStringLiteral("ALTER TABLE points ADD COLUMN remark TEXT NOT NULL DEFAULT ''"),
        QStringLiteral("CREATE INDEX points_values ON points "
                       "(kind, k30_num, k30_bound, ev2_num, ratio_num, ev2_shown, ratio_shown)"),
        QStringLiteral("CREATE INDEX points_layer_chainage ON points (layer, chainage_m)"),
        QStringLiteral("CREATE INDEX points_lot_chainage ON points (lot, chainage_m)"),
        QStringLiteral("UPDATE site_meta SET value = '2' WHERE key = 'schema_version'"),
    };
}

}  // namespace

QStringList CreateStatements(int version, bool postgres)
{
    QStringList s = Version1(postgres);
    for (int v = 2; v <= version; ++v)
        s += MigrationStatements(v);
    return s;
}

QStringList MigrationStatements(int toVersion)
{
    switch (toVersion) {
    case 2:
        return To2();
    default:
        return {};
    }
}

}  // namespace k30::site
