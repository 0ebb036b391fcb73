#include "db/phraseindex.h"

#include <algorithm>

namespace Sorven::DB {

namespace {

// The database upper-cases ASCII letters only.
char16_t asciiUpper(QChar c)
{
    const char16_t code = c.unicode();
    return code >= u'a' && code <= u'z' ? code - u'a' + u'A' : code;
}

char16_t asciiLower(char16_t c)
{
    return c >= u'A' && c <= u'Z' ? c - u'A' + u'a' : c;
}

// As QString::compare ignoring case, which folds ASCII letters to lower case; a list of a
// collection's names takes a few million comparisons to sort, and most of them meet ASCII only.
int compareIgnoringCase(QStringView left, QStringView right)
{
    const qsizetype common = std::min(left.size(), right.size());
    for (qsizetype i = 0; i < common; ++i) {
        const char16_t l = left[i].unicode();
        const char16_t r = right[i].unicode();
        if (l >= 0x80 || r >= 0x80)
            return left.mid(i).compare(right.mid(i), Qt::CaseInsensitive);
        if (asciiLower(l) != asciiLower(r))
            return asciiLower(l) - asciiLower(r);
    }
    return int(left.size() > common) - int(right.size() > common);
}

} // namespace

bool operator==(const PhraseIndex::Key &left, const PhraseIndex::Key &right)
{
    return std::equal(left.text.cbegin(), left.text.cend(), right.text.cbegin(), right.text.cend(),
                      [](QChar l, QChar r) { return l == r || asciiUpper(l) == asciiUpper(r); });
}

// FNV-1a over the upper-cased characters.
size_t qHash(const PhraseIndex::Key &key, size_t seed)
{
    size_t hash = seed ^ 0xcbf29ce484222325ULL;
    for (const QChar c : key.text)
        hash = (hash ^ asciiUpper(c)) * 0x100000001b3ULL;
    return hash;
}

void PhraseIndex::add(const QString &text, const Match &match)
{
    // One lookup: a text new to the index grows it.
    const qsizetype known = m_matches.size();
    Match &slot = m_matches[Key {text}];
    if (m_matches.size() != known)
        slot = match;
}

const PhraseIndex::Match *PhraseIndex::find(const QString &phrase) const
{
    const auto match = m_matches.constFind(Key {phrase});
    return match == m_matches.cend() ? nullptr : &*match;
}

QStringList PhraseIndex::completion() const
{
    QStringList texts;
    texts.reserve(m_matches.size());
    for (auto match = m_matches.keyBegin(); match != m_matches.keyEnd(); ++match) {
        if (!std::all_of(match->text.cbegin(), match->text.cend(),
                         [](QChar c) { return c.isSpace(); }))
            texts.append(match->text);
    }
    sortForCompletion(texts);
    return texts;
}

// Ignoring case, then by case, so that every read of the same texts gives the same list.
void PhraseIndex::sortForCompletion(QStringList &texts)
{
    std::sort(texts.begin(), texts.end(), [](const QString &left, const QString &right) {
        const int order = compareIgnoringCase(left, right);
        return order != 0 ? order < 0 : left < right;
    });
}

} // namespace Sorven::DB
