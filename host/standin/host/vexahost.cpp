// vexa-host [--data ROOT] [--module PATH] [--commands "CMD; CMD; ..."]: a drawing program's
// frame with one drawing open that loads the palette module and runs typed or scripted
// commands: load [PATH], unload, new, close, pane, click X Y and drag X1 Y1 X2 Y2 (on the
// palette surface), press TEXT (a button), type TEXT and key SEQUENCE (the keyboard),
// answer FILE (the open or next file dialog), screenshot FILE.png, wait MS, quit.
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
        QStringLiteral("module"), QStringLiteral("The palette module file to load."),
        QStringLiteral("PATH"),
        QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral("vexapalette.so")));
    const QCommandLineOption commands(QStringLiteral("commands"),
                                      QStringLiteral("Commands to run, separated by ';'."),
                                      QStringLiteral("COMMANDS"));
    parser.addOptions({data, module, commands});
    parser.process(application);
    if (parser.isSet(data))
        qputenv("VEXA_COMMON_APPDATA", QFile::encodeName(parser.value(data)));

    acedGetAcadFrame();
    StandIn::mainWindow()->show();

    HostCommands host(parser.value(module));
    QObject::connect(StandIn::commandLine(), &QLineEdit::returnPressed, &host, [&host] {
        host.run(StandIn::commandLine()->text());
        StandIn::commandLine()->clear();
    });
    // Scripts start once the event loop runs, so that their quit ends it.
    QTimer::singleShot(0, &host, [&] { host.runScript(parser.value(commands)); });
    const int result = application.exec();
    return result != 0 ? result : host.exitCode();
}
