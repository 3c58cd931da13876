// The database tests: an application object (Qt SQL loads its drivers
// through it), then GoogleTest. Run as
// "PROGRAM --import-until-killed ADDRESS" it is the child of the killed-import
// test: it imports a large transfer and stops in the middle of the
// transaction, saying so, until it is killed.
#include <gtest/gtest.h>

#include <csignal>
#include <cstring>
#include <iostream>

#include <QCoreApplication>
#include <QTemporaryDir>

#include <unistd.h>

#include "SiteDatabase.h"
#include "TransferBuilder.h"
#include "TransferText.h"

namespace {
int ImportUntilKilled(const QString& address)
{
    k30::site::SiteDatabase db;
    if (!db.Open(address)) {
        std::cerr << db.LastError().toStdString() << "\n";
        return 1;
    }
    db.SetImportObserver([](int points) {
        if (points == 50) {
            std::cout << "mid-import" << std::endl;
            for (;;)
                pause();
        }
    });
    db.ImportTransferText(k30::BytesToTransferText(k30::BuildTransfer(k30::RegularPlan(100))));
    return 1;
}
}  // namespace

int main(int argc, char** argv)
{
    QTemporaryDir home;
    qputenv("XDG_DATA_HOME", home.filePath(QStringLiteral("data")).toLocal8Bit());
    qputenv("XDG_CONFIG_HOME", home.filePath(QStringLiteral("config")).toLocal8Bit());
    QCoreApplication app(argc, argv);
    if (argc == 3 && std::strcmp(argv[1], "--import-until-killed") == 0)
        return ImportUntilKilled(QString::fromLocal8Bit(argv[2]));
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
