#include "AcceptanceSettings.h"

#include <QSettings>

#include "UserSettings.h"

namespace k30 {

namespace {
const QString kEv2MinKey = QStringLiteral("acceptance/ev2Min");
const QString kRatioMaxKey = QStringLiteral("acceptance/ratioMax");
}  // namespace

Ev2LimitTexts LoadEv2LimitTexts()
{
    QSettings settings(UserPreferencesFile(), QSettings::IniFormat);
    return {settings.value(kEv2MinKey).toString(), settings.value(kRatioMaxKey).toString()};
}

void SaveEv2LimitTexts(const Ev2LimitTexts& limits)
{
    QSettings settings(UserPreferencesFile(), QSettings::IniFormat);
    settings.setValue(kEv2MinKey, limits.ev2Min);
    settings.setValue(kRatioMaxKey, limits.ratioMax);
}

Requirements CurrentRequirements(const ReportHeader& header)
{
    const Ev2LimitTexts limits = LoadEv2LimitTexts();
    Requirements r;
    SetRequiredK30(r, header.RequiredCoefficient);
    r.ev2Min = ParseRequirement(limits.ev2Min.toStdString());
    r.ratioMax = ParseRequirement(limits.ratioMax.toStdString());
    return r;
}

}  // namespace k30
