// k30-sim: sends the bytes of a raw file (.ORG) to a serial device at the
// pace of the instrument's line, or in bursts as USB-serial adapters deliver
// them. For demonstrations and for tests through pseudo-terminals.
#include <CLI/CLI.hpp>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTimer>

#include <algorithm>
#include <iostream>

#include "CSerialPort.h"
#include "FileIO.h"
#include "TransferText.h"

namespace {

struct Options {
    std::string port;
    std::string file;
    int baud = 9600;
    int burst = 0;  // bytes per burst; 0: a steady stream at the line's pace
    int gapMs = 16;
};

// A byte on an 8N1 line takes ten bit times.
constexpr double kBitsPerByte = 10.0;

// Bytes that should have left by this time since the start.
qint64 BytesDue(const Options& o, qint64 elapsedNs)
{
    if (o.burst > 0)
        return (elapsedNs / (qint64(o.gapMs) * 1000000) + 1) * o.burst;
    return static_cast<qint64>(double(elapsedNs) * 1e-9 * o.baud / kBitsPerByte) + 1;
}

int Run(const Options& o)
{
    const k30::FileReadResult file = k30::ReadWholeFile(o.file, k30::kMaxRawFileBytes);
    if (!file.ok) {
        std::cerr << "k30-sim: " << o.file << ": " << file.error << "\n";
        return 1;
    }
    const auto bytes = k30::TransferTextToBytes(std::string_view(
        reinterpret_cast<const char*>(file.bytes.data()), file.bytes.size()));
    if (!bytes) {
        std::cerr << "k30-sim: " << o.file << ": not a transfer text (pairs of hexadecimal digits and blanks)\n";
        return 1;
    }
    const QByteArray data(reinterpret_cast<const char*>(bytes->data()), qsizetype(bytes->size()));

    int argc = 1;
    char name[] = "k30-sim";
    char* argv[] = {name, nullptr};
    QCoreApplication app(argc, argv);

    k30::CSerialPort engine;
    QObject::connect(&engine, &k30::CSerialPort::portError,
                     [](const QString& report) { std::cerr << "k30-sim: " << report.toStdString(); });
    int exitCode = 0;
    QObject::connect(&engine, &k30::CSerialPort::portLost, [&](const QString& text) {
        std::cerr << "k30-sim: " << o.port << " went away: " << text.toStdString() << "\n";
        exitCode = 1;
        app.quit();
    });
    k30::PortSettings settings;
    settings.device = QString::fromStdString(o.port);
    settings.baudRate = o.baud;
    if (!engine.OpenPort(settings)) {
        std::cerr << "k30-sim: cannot open " << o.port << ": "
                  << engine.LastOpenFailure().systemText.toStdString() << "\n";
        return 1;
    }

    qint64 sent = 0;
    bool allQueued = false;
    QElapsedTimer clock;
    QTimer pace;
    pace.setTimerType(Qt::PreciseTimer);
    // A tick each millisecond sends what is due; a burst is due at once.
    pace.setInterval(o.burst > 0 ? std::max(1, o.gapMs) : 1);
    auto tick = [&] {
        const qint64 due = std::min<qint64>(data.size(), BytesDue(o, clock.nsecsElapsed()));
        if (due > sent) {
            engine.SendBytes(data.mid(sent, due - sent));
            sent = due;
        }
        if (sent == data.size()) {
            pace.stop();
            allQueued = true;
        }
    };
    QObject::connect(&pace, &QTimer::timeout, tick);
    QObject::connect(&engine, &k30::CSerialPort::allWritten, [&] {
        if (allQueued)
            app.quit();
    });
    clock.start();
    pace.start();
    QTimer::singleShot(0, &pace, tick);
    app.exec();
    engine.RequestShutdown();
    if (exitCode == 0)
        std::cerr << "k30-sim: sent " << sent << " bytes to " << o.port << " in " << clock.elapsed() << " ms\n";
    return exitCode;
}

}  // namespace

int main(int argc, char** argv)
{
    Options o;
    CLI::App app{"k30-sim: sends the bytes of a raw transfer file (.ORG) to a serial device as the K30 instrument "
                 "would,\nat the pace of the line or in bursts as USB-serial adapters hand them over."};
    app.add_option("PORT", o.port, "Serial device: a name such as ttyUSB0 or a path such as /dev/pts/3")->required();
    app.add_option("FILE", o.file, "Raw transfer file (.ORG)")->required()->check(CLI::ExistingFile);
    app.add_option("--baud", o.baud, "Line speed in baud; a steady stream is paced to it")
        ->check(CLI::Range(50, 4000000))
        ->capture_default_str();
    auto* burst = app.add_option("--burst", o.burst, "Send this many bytes at once, every --gap-ms")
                      ->check(CLI::Range(1, 1 << 20));
    app.add_option("--gap-ms", o.gapMs, "Milliseconds between bursts")
        ->check(CLI::Range(1, 60000))
        ->needs(burst)
        ->capture_default_str();
    CLI11_PARSE(app, argc, argv);
    return Run(o);
}
