#include "windows.h"

#include <QString>

#include <algorithm>

namespace {

// A name without a defined variable stays as written, percent signs included.
QString expanded(const QString &source)
{
    QString result;
    qsizetype position = 0;
    while (position < source.size()) {
        const qsizetype open = source.indexOf(u'%', position);
        const qsizetype close = open < 0 ? -1 : source.indexOf(u'%', open + 1);
        if (close < 0) {
            result += source.mid(position);
            break;
        }
        result += source.mid(position, open - position);
        const QString name = source.mid(open + 1, close - open - 1);
        if (!name.isEmpty() && qEnvironmentVariableIsSet(name.toLocal8Bit().constData()))
            result += qEnvironmentVariable(name.toLocal8Bit().constData());
        else
            result += source.mid(open, close - open + 1);
        position = close + 1;
    }
    return result;
}

} // namespace

DWORD ExpandEnvironmentStringsW(LPCWSTR source, LPWSTR destination, DWORD size)
{
    if (!source)
        return 0;
    const std::wstring result = expanded(QString::fromWCharArray(source)).toStdWString();
    const DWORD needed = DWORD(result.size() + 1);
    if (destination && needed <= size)
        std::copy_n(result.c_str(), needed, destination);
    return needed;
}
