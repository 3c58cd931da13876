#include "ConclusionText.h"

#include "AcceptanceFormat.h"
#include "AcceptanceTexts.h"
#include "ReportCanvas.h"

namespace k30 {

using namespace acceptance_texts;

QStringList ConclusionLines(const K30& point, const K30Assessment& assessment, const Requirements& requirements,
                            Language lang)
{
    const std::optional<double>& requiredK30 = requirements.k30;
    if (!requiredK30) {
        if (requirements.k30Unreadable.empty())
            return {};
        return {UnreadableRequirementText(requirements, lang)};
    }
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

QStringList Ev2ConclusionLines(const Ev2Assessment& assessment, const Requirements& required, Language lang)
{
    if (!required.ev2Min && !required.ratioMax)
        return {};
    if (assessment.verdict == Verdict::None)
        return {Tr(kEv2NoResult, lang).arg(Ev2RequirementText(required, lang))};
    const Ev2Result& r = assessment.result;
    QStringList parts;
    if (required.ev2Min) {
        const bool ok = QString::fromStdString(r.ev2Text).toDouble() >= *required.ev2Min;
        parts << Tr(ok ? kEv2NotBelow : kEv2Below, lang)
                     .arg(QString::fromStdString(r.ev2Text), NumberText(*required.ev2Min, 3));
    }
    if (required.ratioMax) {
        const bool ok = QString::fromStdString(r.ratioText).toDouble() <= *required.ratioMax;
        parts << Tr(ok ? kRatioNotAbove : kRatioAbove, lang)
                     .arg(QString::fromStdString(r.ratioText), NumberText(*required.ratioMax, 3));
    }
    const Text& end = assessment.verdict == Verdict::Pass ? kEv2Passes : kEv2Fails;
    return {parts.join(Tr(kEv2PartsSeparator, lang)) + Tr(end, lang)};
}

}  // namespace k30
