#include "PortAccess.h"

#include <QFile>
#include <QFileInfo>
#include <QSerialPortInfo>

#include <unistd.h>

namespace k30 {

AccessAdvice AdviceFor(const OpenFailure& failure, const QString& device)
{
    AccessAdvice advice;
    if (failure.error != QSerialPort::PermissionError)
        return advice;
    // A bare name such as ttyUSB0 stands for its device file.
    const QString location = device.contains(QLatin1Char('/')) ? device : QSerialPortInfo(device).systemLocation();
    const QByteArray path = QFile::encodeName(location);
    if (::access(path.constData(), R_OK | W_OK) == 0) {
        advice.kind = AccessAdvice::Kind::InUse;
        return advice;
    }
    advice.kind = AccessAdvice::Kind::JoinGroup;
    advice.group = QFileInfo(location).group();
    if (advice.group.isEmpty())
        advice.group = QStringLiteral("dialout");
    return advice;
}

}  // namespace k30
