// vexa-mkcollections OUTPUT_ROOT [--scale CHIPS]: writes the demo collection databases below
// OUTPUT_ROOT, the machine-wide data folder the palette reads them from.
#include "tools/democollections.h"
#include "tools/demopalettefile.h"

#include <QCommandLineParser>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QLocale>

#include <cstdio>

namespace {

void print(FILE *stream, const QString &text)
{
    std::fputs(qPrintable(text + QLatin1Char('\n')), stream);
}

int fail(const QString &message)
{
    print(stderr, QStringLiteral("vexa-mkcollections: %1").arg(message));
    return 1;
}

void report(const Sorven::Demo::DemoBuildResult &result, qint64 milliseconds)
{
    const QLocale english(QLocale::English);
    for (const auto &collection : result.collections)
        print(stdout,
              QStringLiteral("%1  %2  %3  %4 pages  %5 chips")
                  .arg(collection.fileName, collection.systemId, collection.name)
                  .arg(collection.pages)
                  .arg(english.toString(collection.chips)));
    for (const QString &file : result.files)
        print(stdout,
              QStringLiteral("%1  %2 bytes").arg(file, english.toString(QFileInfo(file).size())));
    print(stdout, QStringLiteral("written in %1 ms").arg(milliseconds));
}

} // namespace

int main(int argc, char *argv[])
{
    // Text is drawn into the theme images, which needs a GUI application but no display.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication application(argc, argv);
    QCoreApplication::setApplicationVersion(QStringLiteral(VEXA_VERSION));

    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("Writes the demo colour collection databases."));
    parser.addHelpOption();
    parser.addVersionOption();
    parser.addPositionalArgument(QStringLiteral("OUTPUT_ROOT"),
                                 QStringLiteral("The machine-wide data folder to write below."));
    const QCommandLineOption scale(
        QStringLiteral("scale"),
        QStringLiteral("Also write a benchmark collection of CHIPS chips."),
        QStringLiteral("CHIPS"));
    parser.addOption(scale);
    if (!parser.parse(application.arguments()))
        return fail(parser.errorText());
    if (parser.isSet(QStringLiteral("help"))) {
        print(stdout, parser.helpText());
        return 0;
    }
    if (parser.isSet(QStringLiteral("version")))
        parser.showVersion();
    if (parser.positionalArguments().size() != 1)
        return fail(QStringLiteral("usage: vexa-mkcollections OUTPUT_ROOT [--scale CHIPS]"));

    Sorven::Demo::DemoOptions options;
    if (parser.isSet(scale)) {
        bool ok = false;
        options.scaleChips = parser.value(scale).toInt(&ok);
        if (!ok || options.scaleChips < Sorven::Demo::MinimumScaleChips
            || options.scaleChips > Sorven::Demo::MaximumScaleChips)
            return fail(QStringLiteral("--scale takes %1 to %2 chips")
                            .arg(Sorven::Demo::MinimumScaleChips)
                            .arg(Sorven::Demo::MaximumScaleChips));
    }
    QElapsedTimer timer;
    timer.start();
    const auto result
        = Sorven::Demo::buildDemoCollections(parser.positionalArguments().first(), options);
    if (!result.error.isEmpty())
        return fail(result.error);
    // The sample palette refers to the chips as the palette reads them from that folder.
    qputenv("VEXA_COMMON_APPDATA", QFile::encodeName(parser.positionalArguments().first()));
    if (const QString error = Sorven::Demo::writeDemoPaletteFile(
            parser.positionalArguments().first(), result.collections);
        !error.isEmpty())
        return fail(error);
    report(result, timer.elapsed());
    return 0;
}
