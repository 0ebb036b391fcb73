// vexa-inspect: shows collection authors and support what the palette reads from the
// installed collection databases.
#include "tools/authorcommands.h"

#include <QGuiApplication>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTextStream>

using namespace Sorven::Tools;

namespace {

QString helpText()
{
    QString text = QStringLiteral("Usage: vexa-inspect [--data ROOT] [--json] COMMAND [ARGUMENTS]\n"
                                  "ROOT holds \"Orvo Kalin/Vexa Plugin/SQLite\"; COLLECTION is a "
                                  "UUID, a SYSTEMID or a name.\nCommands:\n");
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
        out << result.text;
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
        QTextStream(stderr) << message << '\n';
}

} // namespace

int main(int argc, char *argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QStringList arguments;
    for (int i = 1; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    // The data root must be known before anything looks for collections.
    const QString dataRoot = takeOption(arguments, QStringLiteral("--data"));
    if (!dataRoot.isEmpty())
        qputenv("VEXA_COMMON_APPDATA", dataRoot.toLocal8Bit());
    const bool asJson = takeFlag(arguments, QStringLiteral("--json"));

    qInstallMessageHandler(dropDebugMessages);
    QGuiApplication application(argc, argv);
    const InspectCommand *command = arguments.isEmpty() ? nullptr : findCommand(arguments.first());
    if (!command) {
        QTextStream(arguments.isEmpty() || arguments.first() == QLatin1String("--help") ? stdout
                                                                                        : stderr)
            << helpText();
        return arguments.isEmpty() || arguments.first() == QLatin1String("--help") ? 0 : 2;
    }
    const InspectResult result = command->run(arguments.mid(1));
    if (!result.error.isEmpty()) {
        QTextStream(stderr) << "vexa-inspect: " << result.error << '\n';
        return result.status;
    }
    print(result, asJson);
    return result.status;
}
