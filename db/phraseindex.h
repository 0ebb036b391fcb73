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

    // Adds the next chip in search order with its page's searched names and its own searched
    // texts; a text an earlier chip carries keeps leading there.
    void addChip(const Match &chip, const QStringList &pageNames, const QStringList &chipTexts);
    // The match for the phrase, or nullptr.
    const Match *find(const QString &phrase) const;

private:
    void addFirst(const QString &text, const Match &match);

    QHash<QString, Match> m_matches;
};

} // namespace Sorven::DB
