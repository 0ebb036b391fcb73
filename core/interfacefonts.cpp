#include "core/interfacefonts.h"

#include "db/connections.h"
#include "db/lookups.h"

#include <QFontDatabase>
#include <QGuiApplication>
#include <QHash>
#include <QStringList>

#include <algorithm>

namespace Sorven {

namespace {

const QString PreferredFacesKey = QStringLiteral("list.of.preferred.font.faces");
const QString DefaultPreferredFaces = QStringLiteral("Myriad Pro,10;Arial,8");

struct FontState
{
    QString family;
    int baseSize = 0;
    QHash<QString, QFont> fonts;
};

FontState &state()
{
    static FontState state;
    return state;
}

QString preferredFaces()
{
    QByteArray bytes;
    if (DB::themeItemData(DB::SystemWideCollectionUuid, PreferredFacesKey, bytes) == DB::Success
        || DB::themeItemData(DB::SystemWideCollectionUuid, PreferredFacesKey + ".windows", bytes)
            == DB::Success)
        return QString::fromUtf8(bytes);
    return DefaultPreferredFaces;
}

struct Candidates
{
    QStringList families;
    QHash<QString, int> sizes;
};

// Pairs of family and point size; a family listed twice makes the whole list unusable.
Candidates parseCandidates(const QString &text)
{
    Candidates candidates;
    for (const QString &pair : text.split(u';', Qt::SkipEmptyParts)) {
        const QStringList fields = pair.split(u',', Qt::SkipEmptyParts);
        bool ok = false;
        const int size = fields.value(1).toInt(&ok, 10);
        const QString family = fields.value(0).trimmed();
        if (fields.size() != 2 || family.isEmpty() || !ok || size <= 0)
            continue;
        candidates.families.append(family);
        candidates.sizes.insert(family, size);
    }
    if (candidates.families.isEmpty() || candidates.families.size() > candidates.sizes.size())
        return parseCandidates(DefaultPreferredFaces);
    return candidates;
}

// When no preferred family is installed the application's own font stands in, so that every
// request gets a real family and a positive size instead of choosing again each time.
void chooseFamily(FontState &fonts)
{
    const Candidates candidates = parseCandidates(preferredFaces());
    const QStringList installed = QFontDatabase::families();
    const auto isInstalled = [&installed](const QString &family) {
        return installed.contains(family, Qt::CaseInsensitive);
    };
    const auto found
        = std::find_if(candidates.families.cbegin(), candidates.families.cend(), isInstalled);
    if (found != candidates.families.cend()) {
        fonts.family = *found;
        fonts.baseSize = candidates.sizes.value(*found);
        return;
    }
    const QFont fallback = QGuiApplication::font();
    fonts.family = fallback.family();
    fonts.baseSize = fallback.pointSize() > 0 ? fallback.pointSize() : 9;
}

FontState &chosenFonts()
{
    FontState &fonts = state();
    if (fonts.family.isEmpty())
        chooseFamily(fonts);
    return fonts;
}

int pointSize(int sizeStep)
{
    const int base = chosenFonts().baseSize;
    switch (sizeStep) {
    case 0:
        return base - 2;
    case 1:
        return base - 1;
    case 3:
        return base + 1;
    case 4:
        return base + 2;
    default:
        return base;
    }
}

QFont interfaceFont(int sizeStep, QFont::Weight weight, bool italic)
{
    return cachedFont(interfaceFontFamily(), pointSize(sizeStep), weight, italic, 100, 100);
}

} // namespace

QString interfaceFontFamily()
{
    return chosenFonts().family;
}

QFont regularFont(int sizeStep)
{
    return interfaceFont(sizeStep, QFont::Normal, false);
}

QFont italicFont(int sizeStep)
{
    return interfaceFont(sizeStep, QFont::Normal, true);
}

QFont boldFont(int sizeStep)
{
    return interfaceFont(sizeStep, QFont::Bold, false);
}

QFont cachedFont(const QString &family, int pointSize, QFont::Weight weight, bool italic,
                 qreal letterSpacing, int stretch)
{
    const int size = std::max(pointSize, 1);
    const QString key = QStringList {family,
                                     QString::number(size),
                                     QString::number(int(weight)),
                                     QString::number(int(italic)),
                                     QString::number(letterSpacing),
                                     QString::number(stretch)}
                            .join(u',');
    QHash<QString, QFont> &fonts = state().fonts;
    if (const auto cached = fonts.constFind(key); cached != fonts.cend())
        return *cached;
    QFont font(family, size, weight, italic);
    font.setStyleStrategy(QFont::PreferAntialias);
    font.setLetterSpacing(QFont::PercentageSpacing, letterSpacing);
    font.setStretch(stretch);
    fonts.insert(key, font);
    return font;
}

void clearInterfaceFonts()
{
    state() = FontState();
}

} // namespace Sorven
