// vexa-inspect: shows collection authors and support what the palette reads from the
// installed collection databases.
#include "tools/authorcommands.h"
#include "tools/authorformat.h"

#include <QCommandLineParser>
#include <QFile>
#include <QGuiApplication>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTextStream>

using namespace Sorven::Tools;

namespace {

QString commandList()
{
    QString text = QStringLiteral("\nCOLLECTION is a UUID, a SYSTEMID or a name.\nCommands:\n");
    for (const InspectCommand &command : inspectCommands())
        text += QStringLiteral("  ") + QLatin1String(command.usage) + u'\n';
    return text;
}

const InspectCommand *findCommand(const QString &name)
{
    for (const InspectCommand &command : inspectCommands()) {
        if (name == QLatin1String(command.name))
            return &command;
    }
    return nullptr;
}

void print(const InspectResult &result, bool asJson)
{
    QTextStream out(stdout);
    if (!asJson) {
        out << terminalSafe(result.text, true);
        return;
    }
    const QJsonDocument document = result.json.isArray() ? QJsonDocument(result.json.toArray())
                                                         : QJsonDocument(result.json.toObject());
    out << document.toJson(QJsonDocument::Indented);
}

// The palette writes some statements to the debug output; an author reading answers does not
// want them mixed in.
void dropDebugMessages(QtMsgType type, const QMessageLogContext &, const QString &message)
{
    if (type != QtDebugMsg)
        QTextStream(stderr) << terminalSafe(message, true) << '\n';
}

// The command reads its own options again, so they reach it from either side of its name; an
// option of another command is refused as the parser refuses one it does not know.
QStringList commandWords(const QCommandLineParser &parser, const InspectCommand &command,
                         QString &error)
{
    QStringList own;
    for (const QCommandLineOption &option : command.options)
        own += option.names();
    for (const InspectCommand &other : inspectCommands()) {
        for (const QCommandLineOption &option : other.options) {
            const QString name = option.names().constFirst();
            if (parser.isSet(name) && !own.contains(name)) {
                error = QStringLiteral("Unknown option '%1'.").arg(name);
                return {};
            }
        }
    }
    QStringList words;
    for (const QCommandLineOption &option : command.options) {
        const QString name = option.names().constFirst();
        if (!parser.isSet(name))
            continue;
        if (option.valueName().isEmpty())
            words << QStringLiteral("--") + name;
        for (const QString &value : parser.values(name))
            words << QStringLiteral("--%1=%2").arg(name, value);
    }
    // A word that starts with a dash after "--" stays an argument.
    if (!words.isEmpty())
        words << QStringLiteral("--");
    return words + parser.positionalArguments().mid(1);
}

} // namespace

int main(int argc, char *argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    qInstallMessageHandler(dropDebugMessages);
    QGuiApplication application(argc, argv);
    QCoreApplication::setApplicationVersion(QStringLiteral(VEXA_VERSION));

    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("Shows what the palette reads from the installed collection databases."));
    const QCommandLineOption help = parser.addHelpOption();
    parser.addVersionOption();
    const QCommandLineOption data(
        QStringLiteral("data"),
        QStringLiteral(
            "The machine-wide data folder that holds \"Orvo Kalin/Vexa Plugin/SQLite\"."),
        QStringLiteral("ROOT"));
    const QCommandLineOption json(QStringLiteral("json"), QStringLiteral("Answer in JSON."));
    parser.addOptions({data, json});
    // Commands share option names, so the first of each name stands for all.
    QStringList commandOptions;
    for (const InspectCommand &command : inspectCommands()) {
        for (const QCommandLineOption &option : command.options) {
            if (commandOptions.contains(option.names().constFirst()))
                continue;
            commandOptions << option.names();
            QCommandLineOption hidden = option;
            hidden.setFlags(QCommandLineOption::HiddenFromHelp);
            parser.addOption(hidden);
        }
    }
    parser.addPositionalArgument(QStringLiteral("COMMAND"),
                                 QStringLiteral("One of the commands below."));
    parser.addPositionalArgument(QStringLiteral("ARGUMENTS"),
                                 QStringLiteral("The command's own. Options go anywhere."),
                                 QStringLiteral("[ARGUMENTS...]"));
    if (!parser.parse(application.arguments())) {
        QTextStream(stderr) << "vexa-inspect: " << parser.errorText() << '\n';
        return 2;
    }
    if (parser.isSet(QStringLiteral("version")))
        parser.showVersion();
    const QStringList words = parser.positionalArguments();
    const InspectCommand *command = words.isEmpty() ? nullptr : findCommand(words.first());
    if (!command || parser.isSet(help)) {
        const bool asked = words.isEmpty() || parser.isSet(help);
        QTextStream(asked ? stdout : stderr) << parser.helpText() << commandList();
        return asked ? 0 : 2;
    }
    if (parser.isSet(data))
        qputenv("VEXA_COMMON_APPDATA", QFile::encodeName(parser.value(data)));
    QString optionError;
    const QStringList arguments = commandWords(parser, *command, optionError);
    const InspectResult result
        = optionError.isEmpty() ? command->run(arguments) : InspectResult::failure(optionError);
    if (!result.error.isEmpty()) {
        QTextStream(stderr) << "vexa-inspect: " << terminalSafe(result.error) << '\n';
        return result.status;
    }
    print(result, parser.isSet(json));
    return result.status;
}
