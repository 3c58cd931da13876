#pragma once

#include <QStringList>

namespace k30::site {

// The statements that create a schema version from nothing, and those that
// bring version n - 1 to n. The same statements serve SQLite and PostgreSQL:
// only the key column and the byte column are spelt per engine.
QStringList CreateStatements(int version, bool postgres);
QStringList MigrationStatements(int toVersion);

}  // namespace k30::site
