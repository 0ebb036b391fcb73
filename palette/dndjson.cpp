#include "palette/dndjson.h"

#include <QString>
#include <QStringList>

#include <algorithm>
#include <cmath>

namespace Sorven::DndJson {

namespace {

// The payload may come from any application; deeper nesting than a record could ever need is
// refused rather than followed down the stack.
constexpr int MaximumDepth = 64;

bool isHexDigit(QChar c)
{
    return (c >= u'0' && c <= u'9') || (c >= u'a' && c <= u'f') || (c >= u'A' && c <= u'F');
}

// A surrogate without its partner cannot be written as UTF-8; escaping it keeps the text the
// same when it is read back.
bool isLoneSurrogate(const QString &text, qsizetype i)
{
    const QChar c = text.at(i);
    if (c.isHighSurrogate())
        return i + 1 == text.size() || !text.at(i + 1).isLowSurrogate();
    return c.isLowSurrogate() && (i == 0 || !text.at(i - 1).isHighSurrogate());
}

QString quoted(const QString &text)
{
    QString result;
    result.reserve(text.size() + 2);
    result += u'"';
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        switch (c.unicode()) {
        case u'\\':
            result += QLatin1String("\\\\");
            break;
        case u'"':
            result += QLatin1String("\\\"");
            break;
        case u'\b':
            result += QLatin1String("\\b");
            break;
        case u'\f':
            result += QLatin1String("\\f");
            break;
        case u'\n':
            result += QLatin1String("\\n");
            break;
        case u'\r':
            result += QLatin1String("\\r");
            break;
        case u'\t':
            result += QLatin1String("\\t");
            break;
        default:
            if (isLoneSurrogate(text, i))
                result += QStringLiteral("\\u%1").arg(c.unicode(), 4, 16, QLatin1Char('0'));
            else
                result += c;
        }
    }
    result += u'"';
    return result;
}

QString number(double value)
{
    if (!std::isfinite(value))
        return QStringLiteral("null");
    QString text = QString::number(value, 'g', 20);
    if (!text.contains(u'.') && !text.contains(u'e'))
        text += QLatin1String(".0");
    return text;
}

QString text(const QVariant &value);

QString object(const QVariantMap &map)
{
    QStringList members;
    for (auto it = map.cbegin(); it != map.cend(); ++it)
        members.append(quoted(it.key()) + QLatin1String(" : ") + text(it.value()));
    return QLatin1String("{ ") + members.join(QLatin1String(", ")) + QLatin1String(" }");
}

QString array(const QVariantList &list)
{
    QStringList items;
    for (const QVariant &item : list)
        items.append(text(item));
    return QLatin1String("[ ") + items.join(QLatin1String(", ")) + QLatin1String(" ]");
}

QString text(const QVariant &value)
{
    switch (value.typeId()) {
    case QMetaType::QVariantMap:
        return object(value.toMap());
    case QMetaType::QVariantList:
        return array(value.toList());
    case QMetaType::QString:
        return quoted(value.toString());
    case QMetaType::Bool:
        return value.toBool() ? QStringLiteral("true") : QStringLiteral("false");
    case QMetaType::Int:
    case QMetaType::Long:
    case QMetaType::LongLong:
        return QString::number(value.toLongLong());
    case QMetaType::UInt:
    case QMetaType::ULong:
    case QMetaType::ULongLong:
        return QString::number(value.toULongLong());
    case QMetaType::Double:
    case QMetaType::Float:
        return number(value.toDouble());
    default:
        return QStringLiteral("null");
    }
}

class Reader
{
public:
    explicit Reader(const QByteArray &utf8) : m_text(QString::fromUtf8(utf8)) { }

    std::optional<QVariant> document()
    {
        std::optional<QVariant> result = value(0);
        skipWhiteSpace();
        if (m_position != m_text.size())
            return std::nullopt;
        return result;
    }

private:
    std::optional<QVariant> value(int depth)
    {
        skipWhiteSpace();
        if (depth > MaximumDepth || atEnd())
            return std::nullopt;
        switch (current().unicode()) {
        case u'{':
            return object(depth + 1);
        case u'[':
            return array(depth + 1);
        case u'"': {
            std::optional<QString> s = string();
            return s ? std::optional<QVariant>(*s) : std::nullopt;
        }
        case u't':
            return literal(QStringLiteral("true"), true);
        case u'f':
            return literal(QStringLiteral("false"), false);
        case u'n':
            return literal(QStringLiteral("null"), QVariant());
        default:
            return number();
        }
    }

    std::optional<QVariant> object(int depth)
    {
        ++m_position;
        QVariantMap map;
        if (consume(u'}'))
            return map;
        do {
            skipWhiteSpace();
            if (atEnd() || current() != u'"')
                return std::nullopt;
            const std::optional<QString> key = string();
            if (!key || !consume(u':'))
                return std::nullopt;
            std::optional<QVariant> member = value(depth);
            if (!member)
                return std::nullopt;
            map.insert(*key, *member);
        } while (consume(u','));
        if (!consume(u'}'))
            return std::nullopt;
        return map;
    }

    std::optional<QVariant> array(int depth)
    {
        ++m_position;
        QVariantList list;
        if (consume(u']'))
            return list;
        do {
            std::optional<QVariant> item = value(depth);
            if (!item)
                return std::nullopt;
            list.append(*item);
        } while (consume(u','));
        if (!consume(u']'))
            return std::nullopt;
        return list;
    }

    std::optional<QString> string()
    {
        ++m_position;
        QString result;
        while (!atEnd()) {
            const QChar c = m_text.at(m_position++);
            if (c == u'"')
                return result;
            if (c != u'\\') {
                result += c;
                continue;
            }
            const std::optional<QChar> escaped = escape();
            if (!escaped)
                return std::nullopt;
            result += *escaped;
        }
        return std::nullopt;
    }

    std::optional<QChar> escape()
    {
        if (atEnd())
            return std::nullopt;
        switch (m_text.at(m_position++).unicode()) {
        case u'"':
            return QChar(u'"');
        case u'\\':
            return QChar(u'\\');
        case u'/':
            return QChar(u'/');
        case u'b':
            return QChar(u'\b');
        case u'f':
            return QChar(u'\f');
        case u'n':
            return QChar(u'\n');
        case u'r':
            return QChar(u'\r');
        case u't':
            return QChar(u'\t');
        case u'u':
            return codeUnit();
        default:
            return std::nullopt;
        }
    }

    // Exactly four hexadecimal digits; toUShort alone would also take a sign or "0x".
    std::optional<QChar> codeUnit()
    {
        const QString digits = m_text.mid(m_position, 4);
        if (digits.size() != 4 || !std::all_of(digits.cbegin(), digits.cend(), isHexDigit))
            return std::nullopt;
        m_position += 4;
        return QChar(digits.toUShort(nullptr, 16));
    }

    std::optional<QVariant> literal(const QString &word, const QVariant &result)
    {
        if (m_text.mid(m_position, word.size()) != word)
            return std::nullopt;
        m_position += word.size();
        return result;
    }

    // The longest run of number characters. A double when it has a fraction or an exponent,
    // so that every double the writer produces reads back as one.
    std::optional<QVariant> number()
    {
        static const QString NumberCharacters = QStringLiteral("0123456789+-.eE");
        const qsizetype start = m_position;
        while (!atEnd() && NumberCharacters.contains(current()))
            ++m_position;
        const QString token = m_text.mid(start, m_position - start);
        bool ok = false;
        QVariant result;
        if (token.contains(u'.') || token.contains(u'e') || token.contains(u'E'))
            result = token.toDouble(&ok);
        else if (token.startsWith(u'-'))
            result = token.toLongLong(&ok, 10);
        else
            result = token.toULongLong(&ok, 10);
        return ok ? std::optional<QVariant>(result) : std::nullopt;
    }

    bool consume(QChar c)
    {
        skipWhiteSpace();
        if (atEnd() || current() != c)
            return false;
        ++m_position;
        return true;
    }

    void skipWhiteSpace()
    {
        while (!atEnd()
               && (current() == u' ' || current() == u'\t' || current() == u'\n'
                   || current() == u'\r'))
            ++m_position;
    }

    bool atEnd() const { return m_position >= m_text.size(); }
    QChar current() const { return m_text.at(m_position); }

    QString m_text;
    qsizetype m_position = 0;
};

} // namespace

QByteArray write(const QVariant &value)
{
    return text(value).toUtf8();
}

std::optional<QVariant> read(const QByteArray &utf8)
{
    return Reader(utf8).document();
}

} // namespace Sorven::DndJson
