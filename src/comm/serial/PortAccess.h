#pragma once

#include <QString>

#include "PortWorker.h"

namespace k30 {

// What the operator can do about a port the system refused to open.
struct AccessAdvice {
    enum class Kind { None, JoinGroup, InUse };
    Kind kind = Kind::None;
    QString group;  // JoinGroup: the group that owns the device ("dialout" when unknown)
};

// On Linux the commonest refusal is a user outside the device's group; a
// device the user may open but cannot is held by another program.
AccessAdvice AdviceFor(const OpenFailure& failure, const QString& device);

}  // namespace k30
