#include "AcceptanceFormat.h"

#include "AcceptanceTexts.h"
#include "StatFormat.h"
#include "ReportCanvas.h"

namespace k30 {

using namespace acceptance_texts;

QString NumberText(double value, int decimals)
{
    QString text = QString::number(value, 'f', decimals);
    if (text.contains(QLatin1Char('.'))) {
        while (text.endsWith(QLatin1Char('0')))
            text.chop(1);
        if (text.endsWith(QLatin1Char('.')))
            text.chop(1);
    }
    return text == QStringLiteral("-0") ? QStringLiteral("0") : text;
}

QString StatText(const std::optional<double>& value, int decimals)
{
    return QString::fromStdString(StatFixed(value, decimals));
}

QString PercentText(const std::optional<double>& fraction) { return QString::fromStdString(StatPercent(fraction)); }

QString VerdictQText(Verdict verdict, Language lang)
{
    const std::string_view word = VerdictText(verdict, lang);
    return QString::fromUtf8(word.data(), static_cast<qsizetype>(word.size()));
}

QString K30VerdictText(const K30Assessment& assessment, Language lang)
{
    if (!assessment.lowerBound)
        return VerdictQText(assessment.verdict, lang);
    const Text& form = assessment.verdict == Verdict::Pass ? kPassWithBound : kBoundOnly;
    return Tr(form, lang).arg(*assessment.lowerBound);
}

QString K30ShownText(const K30& point, const K30Assessment& assessment)
{
    if (assessment.lowerBound)
        return Tr(kBoundOnly, Language::English).arg(*assessment.lowerBound);
    return QString::fromStdString(point.k30Value);
}

QString K30ResultText(const K30& point, const K30Assessment& assessment)
{
    const QString type = QString::fromStdString(point.testType);
    if (assessment.lowerBound)
        return type + QLatin1Char(' ') + K30ShownText(point, assessment);
    return type + QLatin1Char('=') + K30ShownText(point, assessment);
}

QString TrimmedText(const std::string& text) { return QString::fromStdString(text).trimmed(); }

QStringList StatsTexts(const SampleStats& stats, StatDecimals decimals)
{
    return {QString::number(stats.count),         StatText(stats.mean, decimals.spread),
            StatText(stats.std, decimals.spread),  PercentText(stats.cv),
            StatText(stats.min, decimals.extremes), StatText(stats.max, decimals.extremes)};
}

QString StatsLine(const Text& form, const SampleStats& stats, StatDecimals decimals, Language lang)
{
    const QStringList t = StatsTexts(stats, decimals);
    return Tr(form, lang).arg(t[0], t[1], t[2], t[3], t[4], t[5]);
}

QString CountsLine(const VerdictCounts& counts, bool required, Language lang)
{
    return Tr(kCounts, lang)
        .arg(counts.passed)
        .arg(counts.failed)
        .arg(counts.none)
        .arg(required ? PercentText(JudgedPassRate(counts)) : QString::fromUtf8(kNoStatistic));
}

QString OverallConclusion(const VerdictCounts& counts, Language lang)
{
    const int total = counts.passed + counts.failed + counts.none;
    if (counts.passed + counts.failed == 0)
        return Tr(kOverallNoneJudged, lang).arg(total);
    const std::optional<double> rate = counts.PassRate();
    return Tr(kOverall, lang)
        .arg(total)
        .arg(counts.passed)
        .arg(counts.failed)
        .arg(counts.none)
        .arg(QString::number(rate.value_or(0.0) * 100.0, 'f', 1));
}

QString K30RequirementText(const Requirements& required, Language lang)
{
    if (!required.k30 && !required.k30Unreadable.empty())
        return UnreadableRequirementText(required, lang);
    if (!required.k30)
        return Tr(kNoK30Requirement, lang);
    return Tr(kRequiredK30, lang).arg(NumberText(*required.k30, 3));
}

QString UnreadableRequirementText(const Requirements& required, Language lang)
{
    if (required.k30Unreadable.empty())
        return {};
    return Tr(kRequirementUnreadable, lang).arg(QString::fromStdString(required.k30Unreadable));
}

QString Ev2RequirementText(const Requirements& required, Language lang)
{
    QStringList parts;
    if (required.ev2Min)
        parts << Tr(kRequiredEv2Min, lang).arg(NumberText(*required.ev2Min, 3));
    if (required.ratioMax)
        parts << Tr(kRequiredRatioMax, lang).arg(NumberText(*required.ratioMax, 3));
    if (parts.isEmpty())
        return Tr(kNoEv2Requirement, lang);
    return parts.join(Tr(kSeparator, lang));
}

int DifferingCount(const StoreAssessment& assessment)
{
    int n = 0;
    for (const K30Assessment& a : assessment.k30)
        n += a.agrees == false ? 1 : 0;
    return n;
}

}  // namespace k30
