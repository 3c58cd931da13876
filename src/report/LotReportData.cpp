#include "LotReportData.h"

#include <QDate>
#include <QRegularExpression>
#include <QStringList>

#include "AcceptanceFormat.h"
#include "AcceptanceTexts.h"
#include "Chainage.h"
#include "LotReportTexts.h"
#include "SiteDatabase.h"
#include "Texts.h"
#include "UiText.h"

namespace k30 {

using namespace site_texts;

QString SitePointDate(const site::SitePoint& p)
{
    // The instrument writes "2026-5-12-08:05": the date as yyyy-MM-dd, or the text as it is.
    static const QRegularExpression kDate(QStringLiteral("^\\s*(\\d{4})\\D(\\d{1,2})\\D(\\d{1,2})"));
    const QRegularExpressionMatch m = kDate.match(p.startTime);
    if (m.hasMatch()) {
        const QDate date(m.captured(1).toInt(), m.captured(2).toInt(), m.captured(3).toInt());
        if (date.isValid())
            return date.toString(Qt::ISODate);
    }
    return p.startTime.trimmed();
}

QString SitePointValue(const site::SitePoint& p)
{
    if (p.kind != site::PointKind::K30)
        return p.ev2;
    // The instrument writes 0 when 1.25 mm was not reached; show the bound, as the list page does.
    if (p.k30Bound)
        return Tr(acceptance_texts::kBoundOnly, Language::English).arg(*p.k30Bound);
    return TrimmedText(p.k30Value.toStdString());
}

QString LotFilterWords(const site::SiteFilter& f, Language lang)
{
    QStringList words;
    if (f.from)
        words << Tr(kWordsFrom, lang).arg(f.from->toString(Qt::ISODate));
    if (f.to)
        words << Tr(kWordsTo, lang).arg(f.to->toString(Qt::ISODate));
    if (f.kind)
        words << Tr(kWordsKind, lang).arg(*f.kind == site::PointKind::K30 ? QStringLiteral("K30") : QStringLiteral("Ev2"));
    if (f.layer)
        words << Tr(kWordsLayer, lang).arg(*f.layer);
    if (f.lot)
        words << Tr(kWordsLot, lang).arg(*f.lot);
    if (f.chainageFrom || f.chainageTo) {
        // "DK125+300", not "DK125+300.000": as the engineer types it.
        auto text = [](const std::optional<double>& m) {
            if (!m)
                return QStringLiteral("…");
            QString t = QString::fromStdString(FormatChainage(*m, "DK"));
            if (t.contains(QLatin1Char('.'))) {
                while (t.endsWith(QLatin1Char('0')))
                    t.chop(1);
                if (t.endsWith(QLatin1Char('.')))
                    t.chop(1);
            }
            return t;
        };
        words << Tr(kWordsChainage, lang).arg(text(f.chainageFrom), text(f.chainageTo));
    }
    if (f.verdict) {
        const Text& v = *f.verdict == Verdict::Pass ? kVerdictPass : *f.verdict == Verdict::Fail ? kVerdictFail
                                                                                                 : kVerdictNone;
        words << Tr(kWordsVerdict, lang).arg(Tr(v, lang));
    }
    if (!f.text.isEmpty())
        words << Tr(kWordsText, lang).arg(f.text);
    return words.isEmpty() ? Tr(kLotAll, lang) : words.join(Tr(texts::kListSeparator, lang));
}

SiteChartData LotChartData(site::SiteDatabase& db, const site::SiteFilter& filter, const site::SiteStats& stats,
                           Language lang)
{
    SiteChartData shown;
    site::SiteFilter f = filter;
    const auto judged = [](const VerdictCounts& c) { return c.passed + c.failed + c.none; };
    // One quantity per chart: Ev2 when only Ev2 points are chosen, else K30.
    const bool ev2 = f.kind ? *f.kind == site::PointKind::Ev2
                            : judged(stats.k30Counts) == 0 && judged(stats.ev2Counts) > 0;
    f.kind = ev2 ? site::PointKind::Ev2 : site::PointKind::K30;
    f.chainageOnly = true;
    shown.quantity = Tr(ev2 ? acceptance_texts::kQuantityEv2 : acceptance_texts::kQuantityK30, lang);
    shown.required = ev2 ? f.required.ev2Min : f.required.k30;
    if (!db.IsOpen())
        return shown;
    for (const site::SitePoint& p :
         db.Points(f, site::SiteSort{site::SortColumn::Chainage, false}, 0, kLotMaxChartPoints)) {
        bool ok = p.k30Bound.has_value();
        // A bound stands at its least value: the point lies at or above it.
        const double value = ok ? *p.k30Bound : SitePointValue(p).toDouble(&ok);
        if (!p.chainageM || !ok)
            continue;
        if (shown.points.empty()) {
            // "DK125+340" labels its axis "DK125+300", "K12+345" "K12+300"; metres alone "K".
            QString letters;
            for (const QChar c : p.chainage.trimmed()) {
                if (!c.isLetter())
                    break;
                letters += c.toUpper();
            }
            if (!letters.isEmpty())
                shown.prefix = letters;
        }
        shown.points.push_back(SiteChartPoint{p.id, *p.chainageM, value, p.verdict, false, p.name});
    }
    return shown;
}

LotReportData BuildLotReport(site::SiteDatabase& db, const site::SiteFilter& f, const site::SiteSort& sort,
                             const ReportHeader& header, Language lang, const site::SiteStats* known)
{
    LotReportData d;
    d.header = header;
    d.lang = lang;
    d.scope = LotFilterWords(f, lang);
    d.required = f.required;
    const site::SiteStats stats = known ? *known : db.Stats(f);
    d.k30 = stats.k30;
    d.ev2 = stats.ev2;
    d.ratio = stats.ratio;
    d.k30Counts = stats.k30Counts;
    d.ev2Counts = stats.ev2Counts;
    d.totalPoints = db.Count(f);
    d.chart = LotChartData(db, f, stats, lang);
    for (const site::SitePoint& p : db.Points(f, sort, 0, kLotMaxReportRows)) {
        const bool k30 = p.kind == site::PointKind::K30;
        d.rows.push_back(LotRow{k30 ? QStringLiteral("K30") : QStringLiteral("Ev2"), p.name, SitePointDate(p),
                                p.chainage, p.offset, p.layer, p.lot, SitePointValue(p), k30 ? QString() : p.ratio,
                                p.verdict});
    }
    return d;
}

}  // namespace k30
