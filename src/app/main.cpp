// k30workbench: the K30 plate load test workbench.
#include <QApplication>
#include <QCommandLineParser>

#include "CMainFrame.h"
#include "CReadData.h"
#include "CPropSheet.h"
#include "Prompt.h"
#include "ReportFonts.h"
#include "Settings.h"
#include "SiteCommands.h"
#include "TestDataStore.h"
#include "UserSettings.h"
#include "WindowPlacement.h"

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("k30workbench"));
    QApplication::setApplicationVersion(QStringLiteral(K30_VERSION));
    QGuiApplication::setDesktopFileName(QStringLiteral(K30_APP_ID));
    k30::InstallFontSubstitutes();

    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("K30 plate load test workbench"));
    parser.addHelpOption();
    parser.addVersionOption();
    parser.addPositionalArgument(QStringLiteral("FILE"), QStringLiteral("Raw (.ORG) or project (.K30) file to open"),
                                 QStringLiteral("[FILE]"));
    const QCommandLineOption port(QStringLiteral("port"),
                                  QStringLiteral("Extra serial device to offer on the read page (repeatable)"),
                                  QStringLiteral("PATH"));
    const QCommandLineOption quiet(QStringLiteral("quiet-ms"),
                                   QStringLiteral("Quiet time that ends a transfer, in milliseconds"),
                                   QStringLiteral("N"));
    parser.addOption(port);
    const QCommandLineOption db(QStringLiteral("db"),
                                QStringLiteral("Site database: sqlite:PATH or postgresql://user@host:port/name"),
                                QStringLiteral("URL"));
    parser.addOption(quiet);
    parser.addOption(db);
    parser.process(app);

    k30::TestDataStore store;
    store.nLanguage = k30::ReadLanguage(k30::UserLanguageFiles());
    k30::QtPrompt prompt;
    k30::WindowOptions options;
    options.extraPorts = parser.values(port);
    options.quietMs = parser.value(quiet).toInt();
    k30::CMainFrame window(store, prompt, options);
    // The size, place and page of the last run; the first run covers the screen
    // (a bare X server cannot maximise).
    if (k30::RestoreMainWindow(window, *window.Sheet()))
        window.show();
    else
        window.showMaximized();
    window.Site().Start(parser.isSet(db) ? parser.value(db) : QString());
    if (!parser.positionalArguments().isEmpty())
        window.OpenFile(parser.positionalArguments().constFirst());
    // A reception a crash or a kill cut short is kept in the archive and offered.
    window.ReadPage()->OfferInterruptedReceptions([&window](const QString& path) { window.OpenFile(path); });
    return app.exec();
}
