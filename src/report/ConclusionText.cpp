#include "ConclusionText.h"

#include "AcceptanceFormat.h"
#include "AcceptanceTexts.h"
#include "ReportCanvas.h"

namespace k30 {

using namespace acceptance_texts;

QStringList ConclusionLines(const K30& point, const K30Assessment& assessment, std::optional<double> requiredK30,
                            Language lang)
{
    if (!requiredK30)
        return {};
    const QString required = NumberText(*requiredK30, 3);
    QStringList lines;
    if (assessment.lowerBound) {
        const Text& form = assessment.verdict == Verdict::Pass ? kConclusionBoundPass : kConclusionBoundOpen;
        lines << Tr(form, lang).arg(*assessment.lowerBound).arg(required);
    } else if (assessment.verdict == Verdict::None) {
        lines << Tr(kConclusionNoResult, lang).arg(required);
    } else {
        const Text& form = assessment.verdict == Verdict::Pass ? kConclusionPass : kConclusionFail;
        lines << Tr(form, lang).arg(TrimmedText(point.k30Value), required);
    }
    if (assessment.agrees == false && assessment.recomputed) {
        lines << Tr(kConclusionDiffers, lang);
        lines << Tr(kConclusionRecomputed, lang)
                     .arg(QString::fromStdString(assessment.recomputed->stress125Text),
                          TrimmedText(assessment.recomputed->k30Text));
    }
    return lines;
}

QStringList WrapToWidth(const QStringList& lines, int maxWidth, const std::function<int(const QString&)>& width)
{
    QStringList wrapped;
    for (QString rest : lines) {
        while (width(rest) > maxWidth) {
            // The longest head that fits and ends at a break.
            qsizetype cut = 0;
            for (qsizetype i = 1; i < rest.size(); ++i) {
                const QChar before = rest[i - 1];
                const QChar after = rest[i];
                const bool breakable = after == QLatin1Char(' ') || before == QLatin1Char(' ') ||
                                       before.unicode() >= 0x2E80 || after.unicode() >= 0x2E80;
                if (!breakable)
                    continue;
                if (width(rest.left(i)) > maxWidth)
                    break;
                cut = i;
            }
            if (cut == 0) {
                // No break fits: the first word stands alone.
                cut = rest.indexOf(QLatin1Char(' '), 1);
                if (cut < 0)
                    break;
            }
            // Closing punctuation stays with the text before it.
            while (cut < rest.size() && QStringLiteral("，。；：,.;:)）").contains(rest[cut]))
                ++cut;
            wrapped << rest.left(cut).trimmed();
            rest = rest.mid(cut).trimmed();
        }
        if (!rest.isEmpty())
            wrapped << rest;
    }
    return wrapped;
}

}  // namespace k30
