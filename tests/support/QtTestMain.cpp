// Entry point of the Qt test programs: an offscreen application object, the
// report fonts, then GoogleTest.
#include <gtest/gtest.h>

#include <QTemporaryDir>

// Programs that need no widgets run with the plain GUI application.
#ifdef K30_GUI_ONLY
#include <QGuiApplication>
using TestApplication = QGuiApplication;
#else
#include <QApplication>
using TestApplication = QApplication;
#endif

#include "ReportFonts.h"

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    // The user's settings and data folders of a test run are its own, so no
    // test reads what another run (or the user) left there.
    QTemporaryDir home;
    qputenv("XDG_CONFIG_HOME", home.filePath(QStringLiteral("config")).toLocal8Bit());
    qputenv("XDG_DATA_HOME", home.filePath(QStringLiteral("data")).toLocal8Bit());
    TestApplication app(argc, argv);
    k30::InstallFontSubstitutes();
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
