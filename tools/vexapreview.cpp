// vexa-preview: shows the palette surface on the collections below ROOT, the machine-wide data
// folder, with My Palette loaded from a palette file when given, or renders it once into a PNG
// file. --help lists the options.
#include "core/collectionsettings.h"
#include "core/mainwidget.h"
#include "core/usersettings.h"
#include "db/databaselayer.h"
#include "db/lookups.h"
#include "db/search.h"
#include "palette/mypalettewidget.h"
#include "palette/palettefile.h"
#include "tools/authorcommands.h"

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

// The palette starts on the collection last used; this makes it the one named.
int useCollection(const QString &name)
{
    const QUuid uuid = Sorven::Tools::resolveCollection(name);
    if (uuid.isNull())
        return fail(QStringLiteral("no collection is named %1").arg(name));
    Sorven::UserSettings::setLastUsedCollection(uuid);
    Sorven::DB::loadNameOrders(uuid);
    Sorven::CollectionSettings::setCurrentCollection(uuid);
    return 0;
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication::setApplicationName(QStringLiteral("vexa-preview"));
    QCoreApplication::setApplicationVersion(QStringLiteral(VEXA_VERSION));
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("Shows the colour palette on the installed "
                                                    "colour collections."));
    const QCommandLineOption help = parser.addHelpOption();
    const QCommandLineOption version = parser.addVersionOption();
    const QCommandLineOption data(QStringLiteral("data"),
                                  QStringLiteral("The machine-wide data folder to read from."),
                                  QStringLiteral("ROOT"));
    const QCommandLineOption screenshot(QStringLiteral("screenshot"),
                                        QStringLiteral("Render once into FILE.png and quit."),
                                        QStringLiteral("FILE.png"));
    const QCommandLineOption collection(
        QStringLiteral("collection"),
        QStringLiteral("Start on collection C, given by UUID, SYSTEMID or name."),
        QStringLiteral("C"));
    const QCommandLineOption palette(QStringLiteral("palette"),
                                     QStringLiteral("Load My Palette from FILE first."),
                                     QStringLiteral("FILE"));
    parser.addOptions({data, screenshot, collection, palette});
    // The options decide the platform, so they are read before the application exists.
    if (!parser.parse(arguments))
        return fail(parser.errorText());
    if (parser.isSet(help) || parser.isSet(version)) {
        const QCoreApplication application(argc, argv);
        parser.process(application);
    }
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
    if (parser.isSet(collection)) {
        if (const int status = useCollection(parser.value(collection)); status != 0)
            return status;
    }

    Sorven::MainWidget widget;
    if (parser.isSet(palette)) {
        const QString file = parser.value(palette);
        if (const Sorven::PaletteFileRead read = Sorven::readPaletteFile(file); !read.palette)
            return fail(QStringLiteral("%1: %2").arg(file, read.reason));
        widget.myPalette()->loadPaletteFrom(Sorven::PaletteXmlFile, file);
    }
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
