// Entry point of the Qt test programs: an offscreen application object, the
// report fonts, then GoogleTest.
#include <gtest/gtest.h>

#include <QApplication>

#include "ReportFonts.h"

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    k30::InstallFontSubstitutes();
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
