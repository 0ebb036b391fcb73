#pragma once

#include <QCommandLineOption>
#include <QCommandLineParser>

namespace Sorven::Tools {

// The words after a vexa-inspect command's name, read with QCommandLineParser: the command's
// options anywhere, the rest positional. The first problem met (an unknown option, a missing
// value, a number out of range) is kept for the command to report.
class CommandArguments
{
public:
    CommandArguments(const QStringList &words, const QList<QCommandLineOption> &options);

    QStringList positional() const { return m_parser.positionalArguments(); }
    bool isSet(const QString &name) const { return m_parser.isSet(name); }
    QString value(const QString &name) const { return m_parser.value(name); }
    // The option's whole-number value, or its default when absent; outside [minimum, maximum]
    // it records an error and answers minimum.
    int number(const QString &name, int minimum, int maximum);
    QString error() const { return m_error; }

private:
    Q_DISABLE_COPY(CommandArguments)

    QCommandLineParser m_parser;
    QString m_error;
};

} // namespace Sorven::Tools
