#include "SiteAddress.h"

#include <QDir>
#include <QStandardPaths>
#include <QUrl>

namespace k30::site {

AddressParse ParseSiteAddress(const QString& text)
{
    AddressParse r;
    const QString t = text.trimmed();
    if (t.startsWith(QStringLiteral("sqlite:"))) {
        r.address.engine = SiteAddress::Engine::SQLite;
        r.address.path = t.mid(7);
        if (r.address.path.startsWith(QStringLiteral("//")))  // sqlite:///abs/path
            r.address.path = r.address.path.mid(2);
        if (r.address.path.isEmpty()) {
            r.error = QStringLiteral("\"%1\": the database address names no file (sqlite:PATH)").arg(text);
            return r;
        }
        r.ok = true;
        return r;
    }
    if (t.startsWith(QStringLiteral("postgresql://")) || t.startsWith(QStringLiteral("postgres://"))) {
        const QUrl url(t, QUrl::StrictMode);
        const QString name = url.path().mid(1);
        if (!url.isValid() || url.host().isEmpty() || name.isEmpty() || name.contains(QLatin1Char('/'))) {
            r.error = QStringLiteral("\"%1\" is no PostgreSQL address (postgresql://user@host:port/name)").arg(text);
            return r;
        }
        r.address.engine = SiteAddress::Engine::PostgreSQL;
        r.address.user = url.userName();
        r.address.password = url.password();
        r.address.host = url.host();
        r.address.port = url.port(5432);
        r.address.name = name;
        r.ok = true;
        return r;
    }
    r.error = QStringLiteral("\"%1\" is no database address (sqlite:PATH or postgresql://user@host:port/name)").arg(text);
    return r;
}

QString DisplayAddress(const SiteAddress& a)
{
    if (a.engine == SiteAddress::Engine::SQLite)
        return QStringLiteral("sqlite:") + a.path;
    return QStringLiteral("postgresql://%1@%2:%3/%4").arg(a.user, a.host).arg(a.port).arg(a.name);
}

QString UserDataFolder()
{
    // The workbench's AppDataLocation, named here so the tool finds the same folder.
    return QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) + QStringLiteral("/k30workbench");
}

QString DefaultArchiveFolder() { return UserDataFolder() + QStringLiteral("/transfers"); }

QString DefaultSiteAddress() { return QStringLiteral("sqlite:") + UserDataFolder() + QStringLiteral("/site.sqlite"); }

QString ChooseSiteAddress(const QString& option)
{
    if (!option.isEmpty())
        return option;
    const QString env = qEnvironmentVariable("K30_DB");
    if (!env.isEmpty())
        return env;
    return DefaultSiteAddress();
}

}  // namespace k30::site
