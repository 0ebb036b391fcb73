// vexa-preview [--data ROOT] [--screenshot FILE.png]: shows the palette surface on the
// collections below ROOT, the machine-wide data folder, or renders it once into a PNG file.
#include "core/mainwidget.h"
#include "core/usersettings.h"
#include "db/databaselayer.h"
#include "db/lookups.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QFile>
#include <QImage>

#include <cstdio>

namespace {

int fail(const QString &message)
{
    std::fputs(qPrintable(QStringLiteral("vexa-preview: %1\n").arg(message)), stderr);
    return 1;
}

} // namespace

int main(int argc, char *argv[])
{
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    QCommandLineParser parser;
    const QCommandLineOption data(QStringLiteral("data"),
                                  QStringLiteral("The machine-wide data folder to read from."),
                                  QStringLiteral("ROOT"));
    const QCommandLineOption screenshot(QStringLiteral("screenshot"),
                                        QStringLiteral("Render once into FILE.png and quit."),
                                        QStringLiteral("FILE.png"));
    parser.addOptions({data, screenshot});
    // The options decide the platform, so they are read before the application exists.
    if (!parser.parse(arguments))
        return fail(parser.errorText());
    if (parser.isSet(data))
        qputenv("VEXA_COMMON_APPDATA", QFile::encodeName(parser.value(data)));
    if (parser.isSet(screenshot))
        qputenv("QT_QPA_PLATFORM", "offscreen");

    QApplication application(argc, argv);
    Sorven::UserSettings::setHostName(QStringLiteral("AutoCAD"));
    const int result
        = Sorven::DB::initializeDatabaseLayer(QCoreApplication::applicationFilePath(), QString());
    if (result != 0)
        return fail(QStringLiteral("no colour collection could be opened (error %1)").arg(result));

    Sorven::MainWidget widget;
    widget.setWindowTitle(Sorven::DB::localeString(Sorven::UserSettings::lastUsedCollection(),
                                                   QStringLiteral("color.palette.caption")));
    widget.show();
    if (!parser.isSet(screenshot))
        return application.exec();
    QCoreApplication::processEvents();
    if (!widget.grab().toImage().save(parser.value(screenshot), "PNG"))
        return fail(QStringLiteral("cannot write %1").arg(parser.value(screenshot)));
    return 0;
}
