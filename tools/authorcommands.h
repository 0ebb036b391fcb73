#pragma once

#include <QCommandLineOption>
#include <QJsonValue>
#include <QStringList>

// The commands of vexa-inspect. Each answers with JSON for scripts and text for people, or
// with an error for standard error.
namespace Sorven::Tools {

struct InspectResult
{
    int status = 0;
    QJsonValue json;
    QString text;
    QString error;

    static InspectResult failure(const QString &message) { return {1, {}, {}, message}; }
};

struct InspectCommand
{
    const char *name;
    const char *usage;
    InspectResult (*run)(const QStringList &arguments);
    // The command's own options, which it reads from its arguments; vexa-inspect takes them
    // anywhere on its command line and hands them on.
    QList<QCommandLineOption> options = {};
};

// Every command, in the order the help lists them.
const QList<InspectCommand> &inspectCommands();

// The collection named by a UUID, a SYSTEMID or a name, compared without regard to case;
// the null UUID when none matches.
QUuid resolveCollection(const QString &text);

} // namespace Sorven::Tools
