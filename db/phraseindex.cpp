#include "db/phraseindex.h"

namespace Sorven::DB {

namespace {

// The database upper-cases ASCII letters only. A text without lower-case letters, as most codes
// are, is shared rather than copied.
QString asciiUpper(const QString &text)
{
    QString upper = text;
    for (qsizetype i = 0; i < upper.size(); ++i) {
        if (const char16_t c = upper.at(i).unicode(); c >= u'a' && c <= u'z')
            upper[i] = QChar(c - u'a' + u'A');
    }
    return upper;
}

} // namespace

void PhraseIndex::addChip(const Match &chip, const QStringList &pageNames,
                          const QStringList &chipTexts)
{
    // Page names first: a chip whose own text also names its page leads to the page.
    Match page = chip;
    page.rowIndex = -1;
    for (const QString &name : pageNames)
        addFirst(name, page);
    for (const QString &text : chipTexts)
        addFirst(text, chip);
}

void PhraseIndex::addFirst(const QString &text, const Match &match)
{
    const QString key = asciiUpper(text);
    if (!m_matches.contains(key))
        m_matches.insert(key, match);
}

const PhraseIndex::Match *PhraseIndex::find(const QString &phrase) const
{
    const auto match = m_matches.constFind(asciiUpper(phrase));
    return match == m_matches.cend() ? nullptr : &*match;
}

} // namespace Sorven::DB
