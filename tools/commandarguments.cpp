#include "tools/commandarguments.h"

namespace Sorven::Tools {

CommandArguments::CommandArguments(const QStringList &words,
                                   const QList<QCommandLineOption> &options)
{
    m_parser.addOptions(options);
    // The parser takes the first word for the program's name.
    if (!m_parser.parse(QStringList {QString()} + words))
        m_error = m_parser.errorText();
}

int CommandArguments::number(const QString &name, int minimum, int maximum)
{
    bool ok = false;
    const int value = m_parser.value(name).toInt(&ok);
    if (ok && value >= minimum && value <= maximum)
        return value;
    const QString dashes = name.size() == 1 ? QStringLiteral("-") : QStringLiteral("--");
    if (m_error.isEmpty())
        m_error = QStringLiteral("%1%2 takes a whole number from %3 to %4, not %5")
                      .arg(dashes, name)
                      .arg(minimum)
                      .arg(maximum)
                      .arg(m_parser.value(name));
    return minimum;
}

} // namespace Sorven::Tools
