#include "PortAccess.h"

#include <QFile>
#include <QFileInfo>

#include <unistd.h>

namespace k30 {

AccessAdvice AdviceFor(const OpenFailure& failure, const QString& device)
{
    AccessAdvice advice;
    if (failure.error != QSerialPort::PermissionError)
        return advice;
    const QByteArray path = QFile::encodeName(device);
    if (::access(path.constData(), R_OK | W_OK) == 0) {
        advice.kind = AccessAdvice::Kind::InUse;
        return advice;
    }
    advice.kind = AccessAdvice::Kind::JoinGroup;
    advice.group = QFileInfo(device).group();
    if (advice.group.isEmpty())
        advice.group = QStringLiteral("dialout");
    return advice;
}

}  // namespace k30
