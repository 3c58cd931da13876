#pragma once

// The database suite runs once per engine: SQLite in a temporary folder, and
// PostgreSQL on the server K30_TEST_PG names (scripts/test starts a throwaway
// one), each case in a database of its own.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include <QAtomicInteger>
#include <QCoreApplication>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QUrl>

#include "SiteAddress.h"
#include "TransferBuilder.h"
#include "TransferText.h"

namespace k30::site::test {

// A transfer of K30 points with the given K30 values (MPa/m) and a number of
// typical Ev2 points; `tag` makes transfers differ (instrument number). A K30
// of 0 comes with readings that stop at 0.75 mm: K30 >= 0.3 MPa / 1.25 mm = 240.
inline std::string Transfer(int tag, const std::vector<int>& k30Values, int ev2Points = 0, int day = 12)
{
    TransferPlan plan;
    plan.k30InstrumentNo = static_cast<std::uint16_t>(tag);
    for (std::size_t i = 0; i < k30Values.size(); ++i) {
        InstrumentK30Record r;
        r.number = static_cast<std::uint16_t>(i + 1);
        r.day = static_cast<std::uint8_t>(day);
        r.k30 = static_cast<std::uint16_t>(k30Values[i]);
        r.stress125 = static_cast<std::uint16_t>(k30Values[i] * 5 / 4);
        for (int j = 0; j < 16; ++j) {
            r.stress[static_cast<std::size_t>(j)] = static_cast<std::uint16_t>(j * 20);
            r.settlement[static_cast<std::size_t>(j)] = static_cast<std::uint16_t>(k30Values[i] == 0 ? j * 5 : j * 15);
        }
        plan.k30Records.push_back(r);
    }
    if (ev2Points > 0) {
        plan.ev2Section = true;
        plan.ev2InstrumentNo = static_cast<std::uint16_t>(tag);
        plan.ev2Records = ev2Points;
    }
    return BytesToTransferText(BuildTransfer(plan));
}

inline QSqlDatabase RawConnection(const SiteAddress& a, const QString& name)
{
    QSqlDatabase db = QSqlDatabase::addDatabase(
        a.engine == SiteAddress::Engine::PostgreSQL ? QStringLiteral("QPSQL") : QStringLiteral("QSQLITE"), name);
    if (a.engine == SiteAddress::Engine::PostgreSQL) {
        db.setHostName(a.host);
        db.setPort(a.port);
        db.setUserName(a.user);
        db.setPassword(a.password);
        db.setDatabaseName(a.name);
    } else {
        db.setDatabaseName(a.path);
    }
    db.open();
    return db;
}

// Runs statements on the database at address outside the program's own code.
inline void ExecRaw(const QString& address, const QStringList& statements)
{
    static QAtomicInteger<int> n;
    const QString name = QStringLiteral("raw-%1").arg(++n);
    {
        QSqlDatabase db = RawConnection(ParseSiteAddress(address).address, name);
        ASSERT_TRUE(db.isOpen()) << db.lastError().text().toStdString();
        for (const QString& s : statements) {
            QSqlQuery q(db);
            ASSERT_TRUE(q.exec(s)) << s.toStdString() << ": " << q.lastError().text().toStdString();
        }
        db.close();
    }
    QSqlDatabase::removeDatabase(name);
}

struct SQLiteEngine {
    static constexpr bool kPostgres = false;
    QTemporaryDir dir;
    QString address;
    bool Start(std::string&)
    {
        address = QStringLiteral("sqlite:") + dir.filePath(QStringLiteral("site.sqlite"));
        return dir.isValid();
    }
    void Stop() {}
};

struct PostgresEngine {
    static constexpr bool kPostgres = true;
    QString address;
    QString name;
    QString admin;
    bool Start(std::string& why)
    {
        admin = qEnvironmentVariable("K30_TEST_PG");
        if (admin.isEmpty()) {
            why = "K30_TEST_PG is not set (scripts/test starts a PostgreSQL server and sets it)";
            return false;
        }
        static QAtomicInteger<int> n;
        name = QStringLiteral("k30t_%1_%2").arg(QCoreApplication::applicationPid()).arg(++n);
        ExecRaw(admin, {QStringLiteral("DROP DATABASE IF EXISTS %1").arg(name), QStringLiteral("CREATE DATABASE %1").arg(name)});
        QUrl url(admin);
        url.setPath(QLatin1Char('/') + name);
        address = url.toString();
        return true;
    }
    void Stop()
    {
        if (!name.isEmpty())
            ExecRaw(admin, {QStringLiteral("DROP DATABASE IF EXISTS %1 WITH (FORCE)").arg(name)});
    }
};

template <typename Engine>
class SiteTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        std::string why;
        if (!engine.Start(why))
            GTEST_SKIP() << why;
    }
    void TearDown() override { engine.Stop(); }

    const QString& Address() const { return engine.address; }
    Engine engine;
};

using Engines = ::testing::Types<SQLiteEngine, PostgresEngine>;

struct EngineNames {
    template <typename T>
    static std::string GetName(int)
    {
        return T::kPostgres ? "PostgreSQL" : "SQLite";
    }
};

}  // namespace k30::site::test
