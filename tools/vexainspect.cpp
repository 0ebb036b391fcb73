// vexa-inspect: shows collection authors and support what the palette reads from the
// installed collection databases.
#include "tools/inspectcommands.h"

#include <QCommandLineParser>
#include <QGuiApplication>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTextStream>

using namespace Sorven::Tools;

namespace {

QString commandList()
{
    QStringList usages;
    for (const InspectCommand &command : inspectCommands())
        usages << QStringLiteral("  ") + QLatin1String(command.usage);
    return QStringLiteral("Commands:\n") + usages.join(u'\n');
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
        out << result.text;
        return;
    }
    const QJsonDocument document = result.json.isArray() ? QJsonDocument(result.json.toArray())
                                                         : QJsonDocument(result.json.toObject());
    out << document.toJson(QJsonDocument::Indented);
}

} // namespace

int main(int argc, char *argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    // Options must be known before the application object exists, since --data sets the
    // data root every later lookup reads.
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    QCommandLineParser parser;
    parser.setApplicationDescription(commandList());
    parser.addHelpOption();
    parser.addOption({"data", "Data root holding \"Orvo Kalin/Vexa Plugin/SQLite\".", "ROOT"});
    parser.addOption({"json", "Answer in JSON."});
    parser.addPositionalArgument("command", "What to show.", "COMMAND [ARGUMENTS...]");
    parser.setOptionsAfterPositionalArgumentsMode(QCommandLineParser::ParseAsOptions);
    parser.parse(arguments);
    if (parser.isSet("data"))
        qputenv("VEXA_COMMON_APPDATA", parser.value("data").toLocal8Bit());

    QGuiApplication application(argc, argv);
    application.setApplicationName(QStringLiteral("vexa-inspect"));
    parser.process(application);
    QStringList positional = parser.positionalArguments();
    const InspectCommand *command
        = positional.isEmpty() ? nullptr : findCommand(positional.first());
    if (!command) {
        QTextStream(stderr) << parser.helpText();
        return 2;
    }
    positional.removeFirst();
    const InspectResult result = command->run(positional);
    if (!result.error.isEmpty()) {
        QTextStream(stderr) << "vexa-inspect: " << result.error << '\n';
        return result.status;
    }
    print(result, parser.isSet("json"));
    return result.status;
}
