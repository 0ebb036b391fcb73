#pragma once

#include <QHash>
#include <QString>
#include <QStringList>

namespace Sorven::DB {

// Where a search phrase leads in one collection: every searched page name, chip name and code,
// each with the first chip that carries it. Texts match when they are equal after upper-casing
// their ASCII letters, as the database's NOCASE comparison has them.
class PhraseIndex
{
public:
    // The page and chip a phrase leads to; rowIndex is -1 when the phrase names the page.
    struct Match
    {
        int pageIndex = -1;
        int rowIndex = -1;
        int segment = -1;
        int mood = 0;
        bool exterior = false;
    };

    // A text that equals another one ignoring ASCII case. The text is kept as first added, so
    // that the index holds no upper-cased copies and lends its texts to the completion.
    struct Key
    {
        QString text;

        friend bool operator==(const Key &left, const Key &right);
        friend size_t qHash(const Key &key, size_t seed);
    };

    // Adds a text in search order: a page's names before the texts of its first chip, each
    // chip's after those of the chips before it. A text added before keeps leading there.
    void add(const QString &text, const Match &match);
    // The match for the phrase, or nullptr.
    const Match *find(const QString &phrase) const;
    // Every text that is not blank, as first added, sorted ignoring case: what completes.
    QStringList completion() const;
    static void sortForCompletion(QStringList &texts);

private:
    QHash<Key, Match> m_matches;
};

} // namespace Sorven::DB
