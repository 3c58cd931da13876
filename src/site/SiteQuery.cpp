#include "SiteQuery.h"

#include <QStringList>

namespace k30::site {

namespace {

// Round-trip text of a double, as an SQL literal.
QString Literal(double v) { return QStringLiteral("(%1)").arg(QString::number(v, 'g', 17)); }

QString LikePattern(const QString& text)
{
    QString t = text.toLower();
    t.replace(QLatin1Char('\\'), QStringLiteral("\\\\"));
    t.replace(QLatin1Char('%'), QStringLiteral("\\%"));
    t.replace(QLatin1Char('_'), QStringLiteral("\\_"));
    return QLatin1Char('%') + t + QLatin1Char('%');
}

}  // namespace

QString VerdictSql(const Requirements& required)
{
    const QString k30 = required.k30 ? QStringLiteral("CASE WHEN p.k30_num IS NOT NULL THEN "
                                                      "(CASE WHEN p.k30_num >= %1 THEN 1 ELSE 2 END) "
                                                      "WHEN p.k30_bound >= %1 THEN 1 ELSE 0 END")
                                           .arg(Literal(*required.k30))
                                     : QStringLiteral("0");
    QString ev2 = QStringLiteral("0");
    if (required.ev2Min || required.ratioMax) {
        QStringList missing;
        QStringList pass;
        if (required.ev2Min) {
            missing << QStringLiteral("p.ev2_shown IS NULL");
            pass << QStringLiteral("p.ev2_shown >= ") + Literal(*required.ev2Min);
        }
        if (required.ratioMax) {
            missing << QStringLiteral("p.ratio_shown IS NULL");
            pass << QStringLiteral("p.ratio_shown <= ") + Literal(*required.ratioMax);
        }
        ev2 = QStringLiteral("CASE WHEN %1 THEN 0 WHEN %2 THEN 1 ELSE 2 END")
                  .arg(missing.join(QStringLiteral(" OR ")), pass.join(QStringLiteral(" AND ")));
    }
    return QStringLiteral("(CASE WHEN p.kind = 'k30' THEN %1 ELSE %2 END)").arg(k30, ev2);
}

QString VerdictCountsSql(const Requirements& required, PointKind kind)
{
    const auto sums = [](const QString& pass, const QString& fail) {
        return QStringLiteral("SUM(CASE WHEN %1 THEN 1 ELSE 0 END), SUM(CASE WHEN %2 THEN 1 ELSE 0 END)").arg(pass, fail);
    };
    if (kind == PointKind::K30) {
        if (!required.k30)
            return QStringLiteral("0, 0");
        const QString r = Literal(*required.k30);
        // A point whose readings never reach 1.25 mm passes on its lower bound or is not judged.
        return sums(QStringLiteral("p.k30_num >= %1 OR (p.k30_num IS NULL AND p.k30_bound >= %1)").arg(r),
                    QStringLiteral("p.k30_num < %1").arg(r));
    }
    if (!required.ev2Min && !required.ratioMax)
        return QStringLiteral("0, 0");
    QStringList present;
    QStringList pass;
    QStringList fail;
    if (required.ev2Min) {
        present << QStringLiteral("p.ev2_shown IS NOT NULL");
        pass << QStringLiteral("p.ev2_shown >= ") + Literal(*required.ev2Min);
        fail << QStringLiteral("p.ev2_shown < ") + Literal(*required.ev2Min);
    }
    if (required.ratioMax) {
        present << QStringLiteral("p.ratio_shown IS NOT NULL");
        pass << QStringLiteral("p.ratio_shown <= ") + Literal(*required.ratioMax);
        fail << QStringLiteral("p.ratio_shown > ") + Literal(*required.ratioMax);
    }
    // Judged only with every value the requirements read; then failing any one fails.
    return sums(pass.join(QStringLiteral(" AND ")),
                present.join(QStringLiteral(" AND ")) + QStringLiteral(" AND (") + fail.join(QStringLiteral(" OR ")) +
                    QLatin1Char(')'));
}

WhereClause BuildWhere(const SiteFilter& f)
{
    WhereClause w;
    QStringList c;
    if (f.from) {
        c << QStringLiteral("p.test_date >= ?");
        w.values << f.from->toString(QStringLiteral("yyyy-MM-dd"));
    }
    if (f.to) {
        c << QStringLiteral("p.test_date <= ?");
        w.values << f.to->toString(QStringLiteral("yyyy-MM-dd"));
    }
    if (f.kind)
        c << (*f.kind == PointKind::K30 ? QStringLiteral("p.kind = 'k30'") : QStringLiteral("p.kind = 'ev2'"));
    if (f.layer) {
        c << QStringLiteral("p.layer = ?");
        w.values << (f.layer->isNull() ? QStringLiteral("") : *f.layer);  // null binds as NULL
    }
    if (f.lot) {
        c << QStringLiteral("p.lot = ?");
        w.values << (f.lot->isNull() ? QStringLiteral("") : *f.lot);
    }
    if (f.chainageFrom)
        c << QStringLiteral("p.chainage_m >= ") + Literal(*f.chainageFrom);
    if (f.chainageTo)
        c << QStringLiteral("p.chainage_m <= ") + Literal(*f.chainageTo);
    if (f.chainageOnly)
        c << QStringLiteral("p.chainage_m IS NOT NULL");
    if (f.verdict) {
        const int v = *f.verdict == Verdict::Pass ? 1 : *f.verdict == Verdict::Fail ? 2 : 0;
        c << QStringLiteral("%1 = %2").arg(VerdictSql(f.required)).arg(v);
    }
    const QString text = f.text.trimmed();
    if (!text.isEmpty()) {
        QStringList any;
        for (const char* column : {"p.name", "p.chainage", "p.side_offset", "p.layer", "p.lot", "p.remark", "s.sha256"}) {
            any << QStringLiteral("LOWER(%1) LIKE ? ESCAPE '\\'").arg(QLatin1String(column));
            w.values << LikePattern(text);
        }
        c << QLatin1Char('(') + any.join(QStringLiteral(" OR ")) + QLatin1Char(')');
        w.needsSources = true;
    }
    if (!c.isEmpty())
        w.sql = QStringLiteral(" WHERE ") + c.join(QStringLiteral(" AND "));
    return w;
}

QString OrderBySql(const SiteSort& sort, const SiteFilter& filter)
{
    const Requirements& required = filter.required;
    QString key;
    switch (sort.column) {
    case SortColumn::Id:
        break;
    case SortColumn::Kind:
        key = QStringLiteral("p.kind");
        break;
    case SortColumn::Name:
        key = QStringLiteral("p.name");
        break;
    case SortColumn::Date:
        key = QStringLiteral("p.test_date");
        break;
    case SortColumn::Chainage:
        key = QStringLiteral("p.chainage_m");
        break;
    case SortColumn::Offset:
        key = QStringLiteral("p.side_offset");
        break;
    case SortColumn::Layer:
        key = QStringLiteral("p.layer");
        break;
    case SortColumn::Lot:
        key = QStringLiteral("p.lot");
        break;
    case SortColumn::Value:
        key = QStringLiteral("COALESCE(p.k30_num, p.ev2_num)");
        break;
    case SortColumn::Ratio:
        key = QStringLiteral("p.ratio_num");
        break;
    case SortColumn::Verdict:
        key = VerdictSql(required);
        break;
    case SortColumn::Transfer:
        key = QStringLiteral("s.sha256");
        break;
    }
    const QString dir = sort.descending ? QStringLiteral(" DESC") : QStringLiteral(" ASC");
    // Points without a value last either way, on both engines; the id makes
    // the order total so pages never overlap.
    if (key.isEmpty())
        return QStringLiteral("p.id") + dir;
    // Without points lacking a chainage the order is the chainage index's own,
    // so a first page of a million points reads only that page.
    if (sort.column == SortColumn::Chainage && filter.chainageOnly)
        return key + dir + QStringLiteral(", p.id") + dir;
    return key + dir + QStringLiteral(" NULLS LAST, p.id") + dir;
}

}  // namespace k30::site
