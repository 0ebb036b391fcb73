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
    parser.addHelpOption();
    parser.addVersionOption();
    const QCommandLineOption data(
        QStringLiteral("data"),
        QStringLiteral(
            "The machine-wide data folder that holds \"Orvo Kalin/Vexa Plugin/SQLite\"."),
        QStringLiteral("ROOT"));
    const QCommandLineOption json(QStringLiteral("json"), QStringLiteral("Answer in JSON."));
    parser.addOptions({data, json});
    parser.addPositionalArgument(QStringLiteral("COMMAND"),
                                 QStringLiteral("One of the commands below."));
    parser.addPositionalArgument(QStringLiteral("ARGUMENTS"), QStringLiteral("The command's own."),
                                 QStringLiteral("[ARGUMENTS...]"));
    // Everything after the command's name is the command's, options included.
    parser.setOptionsAfterPositionalArgumentsMode(QCommandLineParser::ParseAsPositionalArguments);
    if (!parser.parse(application.arguments())) {
        QTextStream(stderr) << "vexa-inspect: " << parser.errorText() << '\n';
        return 2;
    }
    if (parser.isSet(QStringLiteral("version")))
        parser.showVersion();
    const QStringList words = parser.positionalArguments();
    const InspectCommand *command = words.isEmpty() ? nullptr : findCommand(words.first());
    if (!command) {
        const bool asked = words.isEmpty() || parser.isSet(QStringLiteral("help"));
        QTextStream(asked ? stdout : stderr) << parser.helpText() << commandList();
        return asked ? 0 : 2;
    }
    if (parser.isSet(data))
        qputenv("VEXA_COMMON_APPDATA", QFile::encodeName(parser.value(data)));
    const InspectResult result = command->run(words.mid(1));
    if (!result.error.isEmpty()) {
        QTextStream(stderr) << "vexa-inspect: " << terminalSafe(result.error) << '\n';
        return result.status;
    }
    print(result, parser.isSet(json));
    return result.status;
}
