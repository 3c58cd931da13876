#pragma once

#include <QString>
#include <QStringList>

#include <vector>

namespace k30 {

// A port the operator can choose: the name shown and the device opened.
struct PortEntry {
    QString name;    // "ttyUSB0", or an extra device path as given ("/dev/pts/3")
    QString device;  // what QSerialPort opens
};

// The environment variable that names extra device paths, colon-separated.
inline constexpr const char* kExtraPortsVariable = "K30_EXTRA_PORTS";

QStringList ExtraPortsFromEnvironment();

// The serial ports of the machine, the extra device paths given (from
// --port) and those of K30_EXTRA_PORTS; sorted by name, each device once.
std::vector<PortEntry> ListPorts(const QStringList& extraDevices);

}  // namespace k30
