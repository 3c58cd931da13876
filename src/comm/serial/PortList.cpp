#include "PortList.h"

#include <QFileInfo>
#include <QSerialPortInfo>
#include <QSet>

#include <algorithm>

namespace k30 {

QStringList ExtraPortsFromEnvironment()
{
    return qEnvironmentVariable(kExtraPortsVariable).split(QLatin1Char(':'), Qt::SkipEmptyParts);
}

std::vector<PortEntry> ListPorts(const QStringList& extraDevices)
{
    std::vector<PortEntry> ports;
    QSet<QString> seen;
    // A symbolic link (socat's link=, a udev alias) and its target are one device.
    auto add = [&](const QString& name, const QString& device) {
        const QString canonical = QFileInfo(device).canonicalFilePath();
        const QString key = canonical.isEmpty() ? device : canonical;
        if (name.isEmpty() || seen.contains(key))
            return;
        seen.insert(key);
        ports.push_back(PortEntry{name, device});
    };
    for (const QSerialPortInfo& info : QSerialPortInfo::availablePorts())
        add(info.portName(), info.systemLocation());
    for (const QString& path : extraDevices + ExtraPortsFromEnvironment())
        add(path.trimmed(), path.trimmed());
    std::sort(ports.begin(), ports.end(), [](const PortEntry& a, const PortEntry& b) { return a.name < b.name; });
    return ports;
}

}  // namespace k30
