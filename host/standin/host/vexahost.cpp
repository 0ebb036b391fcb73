// vexa-host [--data ROOT] [--module PATH] [--commands "CMD; CMD; ..."]: a drawing program's
// frame with one drawing open that loads the palette module (without --module, the modules its
// autoloader bundles ask to load at start-up) and runs typed or scripted
// commands: load [PATH], unload, new, close, pane, click X Y and drag X1 Y1 X2 Y2 (on the
// palette surface), press TEXT (a button), type TEXT and key SEQUENCE (the keyboard),
// answer FILE (the open or next file dialog), screenshot FILE.png, wait MS, quit.
#include "applicationplugins.h"
#include "hostcommands.h"

#include <aced.h>
#include <standinframe.h>

#include <QApplication>
#include <QCommandLineParser>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QMainWindow>
#include <QTimer>

#include <cstdio>

int main(int argc, char *argv[])
{
    QApplication::setAttribute(Qt::AA_DontCreateNativeWidgetSiblings);
    QApplication application(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("vexa-host"));
    QCoreApplication::setApplicationVersion(QStringLiteral(VEXA_VERSION));
    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("Loads the palette module into a drawing program's frame."));
    parser.addHelpOption();
    parser.addVersionOption();
    const QCommandLineOption data(QStringLiteral("data"),
                                  QStringLiteral("The machine-wide data folder to read from."),
                                  QStringLiteral("ROOT"));
    const QCommandLineOption module(
        QStringLiteral("module"),
        QStringLiteral("The palette module file to load; without it, the modules of the "
                       "bundles in the ApplicationPlugins folders load at start."),
        QStringLiteral("PATH"));
    const QCommandLineOption commands(QStringLiteral("commands"),
                                      QStringLiteral("Commands to run, separated by ';'."),
                                      QStringLiteral("COMMANDS"));
    parser.addOptions({data, module, commands});
    parser.process(application);
    if (parser.isSet(data))
        qputenv("VEXA_COMMON_APPDATA", QFile::encodeName(parser.value(data)));

    acedGetAcadFrame();
    StandIn::mainWindow()->show();

    const QStringList startup
        = parser.isSet(module) ? QStringList() : ApplicationPlugins::startupModules();
    const QString beside
        = QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral("vexapalette.so"));
    HostCommands host(parser.isSet(module) ? parser.value(module) : startup.value(0, beside));
    QObject::connect(StandIn::commandLine(), &QLineEdit::returnPressed, &host, [&host] {
        host.run(StandIn::commandLine()->text());
        StandIn::commandLine()->clear();
    });
    // The host holds one module at a time: the first bundle's, the others are named.
    for (const QString &other : startup.mid(1))
        std::fprintf(stderr, "vexa-host: not loaded, one module at a time: %s\n",
                     qPrintable(other));
    // Scripts start once the event loop runs, so that their quit ends it. A module that fails
    // to start leaves the frame open, as the real host does.
    QTimer::singleShot(0, &host, [&] {
        if (!startup.isEmpty())
            host.run(QStringLiteral("load"));
        host.runScript(parser.value(commands));
    });
    const int result = application.exec();
    return result != 0 ? result : host.exitCode();
}
