#pragma once

#include <QString>
#include <QtGlobal>

namespace k30 {

// How a port is opened. The defaults are the instrument's line: 9600 baud,
// no parity, 8 data bits, 1 stop bit, no flow control, RTS raised while open.
struct PortSettings {
    QString device;  // path or name as QSerialPort takes it ("ttyUSB0", "/dev/pts/3")
    QString name;    // what the operator sees in texts; the device when empty
    qint32 baudRate = 9600;
    char parity = 'N';  // N, E, O, M or S
    int dataBits = 8;
    int stopBits = 1;  // 1 or 2
    bool raiseRts = true;

    QString ShownName() const { return name.isEmpty() ? device : name; }
};

}  // namespace k30
