#include "core/settingsinifile.h"

#include <QByteArrayView>
#include <QMap>
#include <QStringList>

#include <algorithm>
#include <cstring>
#include <utility>

namespace Sorven::SettingsIniFile {

namespace {

const char HexDigits[] = "0123456789ABCDEF";

bool isHexDigit(char32_t ch)
{
    return (ch >= '0' && ch <= '9') || (ch >= 'a' && ch <= 'f') || (ch >= 'A' && ch <= 'F');
}

int hexValue(char ch)
{
    const char upper = ch >= 'a' && ch <= 'f' ? char(ch - 'a' + 'A') : ch;
    const char *digit = upper ? std::strchr(HexDigits, upper) : nullptr;
    return digit ? int(digit - HexDigits) : -1;
}

bool isSpace(char ch)
{
    return ch == ' ' || ch == '\t' || ch == '\n' || ch == '\r' || ch == '\v' || ch == '\f';
}

void appendHex(uint value, int digits, QByteArray &out)
{
    for (int shift = 4 * (digits - 1); shift >= 0; shift -= 4)
        out += HexDigits[(value >> shift) & 0xF];
}

// Letters, digits and "_-." stand as they are, "/" becomes "\", anything else %XX or %UXXXX.
void appendKey(const QString &key, QByteArray &out)
{
    for (const QChar qch : key) {
        const char16_t ch = qch.unicode();
        if (ch == u'/') {
            out += '\\';
        } else if ((ch >= 'a' && ch <= 'z') || (ch >= 'A' && ch <= 'Z') || (ch >= '0' && ch <= '9')
                   || ch == '_' || ch == '-' || ch == '.') {
            out += char(ch);
        } else if (ch <= 0xFF) {
            out += '%';
            appendHex(ch, 2, out);
        } else {
            out += "%U";
            appendHex(ch, 4, out);
        }
    }
}

QString valueText(const QVariant &value)
{
    switch (value.typeId()) {
    case QMetaType::UnknownType:
        return QStringLiteral("@Invalid()");
    case QMetaType::QByteArray:
        return QLatin1String("@ByteArray(") + QLatin1String(value.toByteArray()) + u')';
    default:
        break;
    }
    QString text = value.toString();
    if (text.contains(QChar::Null))
        return QLatin1String("@String(") + text + u')';
    if (text.startsWith(u'@'))
        text.prepend(u'@');
    return text;
}

// Control characters, quotes and backslashes are escaped; text with ",;=" or an outer space
// is quoted, so that it reads back as one text rather than a list or a trimmed text.
void appendText(const QString &text, QByteArray &out)
{
    const qsizetype start = out.size();
    bool quoted = false;
    bool escapeNextIfHex = false;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t ch = text.at(i).unicode();
        quoted = quoted || ch == ';' || ch == ',' || ch == '=';
        if (escapeNextIfHex && isHexDigit(ch)) {
            out += "\\x" + QByteArray::number(uint(ch), 16);
            continue;
        }
        escapeNextIfHex = false;
        switch (ch) {
        case '\a':
            out += "\\a";
            break;
        case '\b':
            out += "\\b";
            break;
        case '\f':
            out += "\\f";
            break;
        case '\n':
            out += "\\n";
            break;
        case '\r':
            out += "\\r";
            break;
        case '\t':
            out += "\\t";
            break;
        case '\v':
            out += "\\v";
            break;
        case '"':
        case '\\':
            out += '\\';
            out += char(ch);
            break;
        default:
            if (ch <= 0x1F) {
                out += "\\x" + QByteArray::number(uint(ch), 16);
                escapeNextIfHex = true;
            } else if (ch < 0x7F) {
                out += char(ch);
            } else {
                const qsizetype length
                    = text.at(i).isHighSurrogate() && i + 1 < text.size() ? 2 : 1;
                out += QStringView(text).sliced(i, length).toUtf8();
                i += length - 1;
            }
        }
    }
    if (quoted || (start < out.size() && (out.at(start) == ' ' || out.back() == ' '))) {
        out.insert(start, '"');
        out += '"';
    }
}

void appendValue(const QVariant &value, QByteArray &out)
{
    const bool list = value.typeId() == QMetaType::QStringList
        || (value.typeId() == QMetaType::QVariantList && value.toList().size() != 1);
    if (!list) {
        appendText(valueText(value), out);
        return;
    }
    const QVariantList items = value.toList();
    if (items.isEmpty())
        out += "@Invalid()";
    for (qsizetype i = 0; i < items.size(); ++i) {
        if (i != 0)
            out += ", ";
        appendText(valueText(items[i]), out);
    }
}

QString unescapeKey(QByteArrayView key)
{
    const QString decoded = QString::fromUtf8(key);
    QString result;
    for (qsizetype i = 0; i < decoded.size();) {
        const QChar ch = decoded.at(i);
        if (ch == u'\\') {
            result += u'/';
            ++i;
            continue;
        }
        const qsizetype first = i + 1 + (i + 1 < decoded.size() && decoded.at(i + 1) == u'U');
        const qsizetype digits = first > i + 1 ? 4 : 2;
        bool ok = false;
        const ushort code = ch == u'%' && first + digits <= decoded.size()
            ? QStringView(decoded).sliced(first, digits).toUShort(&ok, 16)
            : 0;
        result += ok ? QChar(code) : ch;
        i = ok ? first + digits : i + 1;
    }
    return result;
}

// One logical line: where it starts, how long it is, and its first "=" outside quotes.
struct Line
{
    qsizetype start = 0;
    qsizetype length = 0;
    qsizetype equals = -1;
};

// Quoted text and a backslash before a line break carry a value over several lines; a ";" at
// the start of a line makes it a comment.
bool nextLine(QByteArrayView data, qsizetype &pos, Line &line)
{
    bool inQuotes = false;
    line.equals = -1;
    line.start = pos;
    while (line.start < data.size() && isSpace(data[line.start]))
        ++line.start;
    qsizetype i = line.start;
    while (i < data.size()) {
        const char ch = data[i++];
        if (ch == '=') {
            if (!inQuotes && line.equals == -1)
                line.equals = i - 1;
        } else if (ch == '\n' || ch == '\r') {
            if (i == line.start + 1) {
                ++line.start;
            } else if (!inQuotes) {
                --i;
                break;
            }
        } else if (ch == '\\') {
            if (i < data.size()) {
                const char escaped = data[i++];
                if (i < data.size()
                    && ((escaped == '\n' && data[i] == '\r')
                        || (escaped == '\r' && data[i] == '\n')))
                    ++i;
            }
        } else if (ch == '"') {
            inQuotes = !inQuotes;
        } else if (ch == ';') {
            if (i == line.start + 1) {
                while (i < data.size() && data[i] != '\n' && data[i] != '\r')
                    ++i;
                while (i < data.size() && isSpace(data[i]))
                    ++i;
                line.start = i;
            } else if (!inQuotes) {
                --i;
                break;
            }
        }
    }
    pos = i;
    line.length = i - line.start;
    return line.length > 0;
}

// The text of a value, unescaped; a list when it has commas outside quotes.
class ValueReader
{
public:
    explicit ValueReader(QByteArrayView text) : m_text(text) { }

    QVariant read()
    {
        skipSpaces();
        while (m_pos < m_text.size()) {
            const char ch = m_text[m_pos];
            if (ch == '\\')
                escape();
            else if (ch == '"')
                quote();
            else if (ch == ',' && !m_inQuotes)
                nextItem();
            else
                plainRun();
        }
        finishItem();
        return m_list ? listValue(m_items) : textValue(m_items.value(0));
    }

private:
    static QVariant textValue(const QString &text)
    {
        if (text.startsWith(u'@') && text.endsWith(u')')) {
            if (text.startsWith(QLatin1String("@ByteArray(")))
                return QStringView(text).sliced(11).chopped(1).toLatin1();
            if (text.startsWith(QLatin1String("@String(")))
                return QStringView(text).sliced(8).chopped(1).toString();
            if (text == QLatin1String("@Invalid()"))
                return QVariant();
        }
        return text.startsWith(QLatin1String("@@")) ? text.sliced(1) : text;
    }

    // Items that are all plain texts make a text list; any typed item makes a value list.
    static QVariant listValue(QStringList items)
    {
        const bool typed = std::any_of(items.cbegin(), items.cend(), [](const QString &item) {
            return item.startsWith(u'@') && !item.startsWith(QLatin1String("@@"));
        });
        if (typed) {
            QVariantList values;
            for (const QString &item : std::as_const(items))
                values.append(textValue(item));
            return values;
        }
        for (QString &item : items) {
            if (item.startsWith(u'@'))
                item.remove(0, 1);
        }
        return items;
    }

    void flushBytes()
    {
        m_current += QString::fromUtf8(m_bytes);
        m_bytes.clear();
    }

    void skipSpaces()
    {
        while (m_pos < m_text.size() && (m_text[m_pos] == ' ' || m_text[m_pos] == '\t'))
            ++m_pos;
        flushBytes();
        m_chopLimit = m_current.size();
    }

    void plainRun()
    {
        qsizetype end = m_pos + 1;
        while (end < m_text.size() && m_text[end] != '\\' && m_text[end] != '"'
               && m_text[end] != ',')
            ++end;
        m_bytes += m_text.sliced(m_pos, end - m_pos);
        m_pos = end;
    }

    void quote()
    {
        ++m_pos;
        m_quoted = true;
        m_inQuotes = !m_inQuotes;
        if (!m_inQuotes)
            skipSpaces();
    }

    void escape()
    {
        flushBytes();
        if (++m_pos >= m_text.size())
            return;
        const char ch = m_text[m_pos++];
        static const char Codes[][2]
            = {{'a', '\a'}, {'b', '\b'}, {'f', '\f'}, {'n', '\n'},  {'r', '\r'}, {'t', '\t'},
               {'v', '\v'}, {'"', '"'},  {'?', '?'},  {'\'', '\''}, {'\\', '\\'}};
        for (const auto &code : Codes) {
            if (ch == code[0]) {
                m_current += QLatin1Char(code[1]);
                return;
            }
        }
        if (ch == 'x' && m_pos < m_text.size() && isHexDigit(uchar(m_text[m_pos])))
            number(16);
        else if (ch >= '0' && ch <= '7')
            number(8, ch - '0');
        else if ((ch == '\n' || ch == '\r') && m_pos < m_text.size()
                 && (m_text[m_pos] == '\n' || m_text[m_pos] == '\r') && m_text[m_pos] != ch)
            ++m_pos;
        m_chopLimit = m_current.size();
    }

    void number(int base, char16_t value = 0)
    {
        for (; m_pos < m_text.size(); ++m_pos) {
            const char ch = m_text[m_pos];
            const int digit = base == 16 ? hexValue(ch) : (ch >= '0' && ch <= '7' ? ch - '0' : -1);
            if (digit < 0)
                break;
            value = char16_t(value * base + digit);
        }
        m_current += QChar(value);
    }

    void finishItem()
    {
        flushBytes();
        if (!m_quoted) {
            qsizetype end = m_current.size();
            while (end > m_chopLimit && (m_current[end - 1] == u' ' || m_current[end - 1] == u'\t'))
                --end;
            m_current.truncate(end);
        }
        m_items.append(std::exchange(m_current, {}));
        m_quoted = false;
    }

    void nextItem()
    {
        ++m_pos;
        m_list = true;
        finishItem();
        skipSpaces();
    }

    QByteArrayView m_text;
    qsizetype m_pos = 0;
    QByteArray m_bytes;
    QString m_current;
    QStringList m_items;
    qsizetype m_chopLimit = 0;
    bool m_inQuotes = false;
    bool m_quoted = false;
    bool m_list = false;
};

// "[General]" holds the keys without a group; "[%General]" a group that is really so named.
QString sectionName(QByteArrayView line)
{
    const qsizetype close = line.indexOf(']');
    const QByteArray name
        = (close < 0 ? line.sliced(1) : line.sliced(1, close - 1)).toByteArray().trimmed();
    if (name.compare("general", Qt::CaseInsensitive) == 0)
        return {};
    return (name.compare("%general", Qt::CaseInsensitive) == 0 ? QString::fromLatin1(name.sliced(1))
                                                               : unescapeKey(name))
        + u'/';
}

} // namespace

QByteArray serialize(const QSettings::SettingsMap &values)
{
    QMap<QString, QList<std::pair<QString, QVariant>>> sections;
    for (auto value = values.cbegin(); value != values.cend(); ++value) {
        const qsizetype slash = value.key().indexOf(u'/');
        sections[slash < 0 ? QString() : value.key().left(slash)].append(
            {value.key().sliced(slash + 1), value.value()});
    }
    QByteArray out;
    for (auto section = sections.cbegin(); section != sections.cend(); ++section) {
        if (!out.isEmpty())
            out += '\n';
        QByteArray name;
        appendKey(section.key(), name);
        if (name.isEmpty())
            name = "General";
        else if (name.compare("general", Qt::CaseInsensitive) == 0)
            name.prepend('%');
        out += '[' + name + "]\n";
        for (const auto &[key, value] : section.value()) {
            appendKey(key, out);
            out += '=';
            appendValue(value, out);
            out += '\n';
        }
    }
    return out;
}

QSettings::SettingsMap parse(const QByteArray &text)
{
    const QByteArrayView data(text);
    qsizetype pos = data.startsWith("\xEF\xBB\xBF") ? 3 : 0;
    QSettings::SettingsMap values;
    QString section;
    Line line;
    while (nextLine(data, pos, line)) {
        const QByteArrayView content = data.sliced(line.start, line.length);
        if (content.startsWith('[')) {
            section = sectionName(content);
        } else if (line.equals >= 0) {
            const qsizetype equals = line.equals - line.start;
            values.insert(section + unescapeKey(content.first(equals).trimmed()),
                          ValueReader(content.sliced(equals + 1)).read());
        }
    }
    return values;
}

} // namespace Sorven::SettingsIniFile
