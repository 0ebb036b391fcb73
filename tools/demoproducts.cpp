#include "tools/demoproducts.h"

#include "tools/demopalette.h"

namespace Sorven::Demo {

namespace {

enum ProductId {
    MattEmulsion = 1,
    SilkEmulsion,
    ScrubbableMatt,
    KitchenAndBath,
    Satinwood,
    GlossEnamel,
    MasonrySmooth,
    MasonryTextured,
    FloorCoat,
    PowderFineMatt,
    PowderSatin,
    PowderHammer,
    PowderFineTexture,
};

enum GroupId { WallsAndCeilings = 1, WoodAndMetal, Masonry, Floors, PowderCoatings };

} // namespace

QList<DemoProductGroup> demoProductGroups()
{
    return {
        {WallsAndCeilings, QStringLiteral("Interior walls and ceilings")},
        {WoodAndMetal, QStringLiteral("Wood and metal")},
        {Masonry, QStringLiteral("Exterior masonry")},
        {Floors, QStringLiteral("Floors")},
        {PowderCoatings, QStringLiteral("Powder coatings")},
    };
}

QList<DemoProduct> demoProducts()
{
    static const QList<DemoProduct> products {
        {MattEmulsion, QStringLiteral("Vexa Matt Emulsion"), QStringLiteral("VX-ME"),
         WallsAndCeilings},
        {SilkEmulsion, QStringLiteral("Vexa Silk Emulsion"), QStringLiteral("VX-SE"),
         WallsAndCeilings},
        {ScrubbableMatt, QStringLiteral("Vexa Scrubbable Matt"), QStringLiteral("VX-SM"),
         WallsAndCeilings},
        {KitchenAndBath, QStringLiteral("Vexa Kitchen & Bath"), QStringLiteral("VX-KB"),
         WallsAndCeilings},
        {Satinwood, QStringLiteral("Vexa Satinwood"), QStringLiteral("VX-SW"), WoodAndMetal},
        {GlossEnamel, QStringLiteral("Vexa Gloss Enamel"), QStringLiteral("VX-GE"), WoodAndMetal},
        {MasonrySmooth, QStringLiteral("Vexa Masonry Smooth"), QStringLiteral("VX-MS"), Masonry},
        {MasonryTextured, QStringLiteral("Vexa Masonry Textured"), QStringLiteral("VX-MT"),
         Masonry},
        {FloorCoat, QStringLiteral("Vexa Floor Coat"), QStringLiteral("VX-FC"), Floors},
        {PowderFineMatt, QStringLiteral("Polvaron Fine Matt"), QStringLiteral("PV-FM"),
         PowderCoatings},
        {PowderSatin, QStringLiteral("Polvaron Satin"), QStringLiteral("PV-SA"), PowderCoatings},
        {PowderHammer, QStringLiteral("Polvaron Hammer"), QStringLiteral("PV-HT"), PowderCoatings},
        {PowderFineTexture, QStringLiteral("Polvaron Fine Texture"), QStringLiteral("PV-FT"),
         PowderCoatings},
    };
    return products;
}

QList<int> productsOf(DemoCardType cardType, const DemoPage &page, const DemoChip &chip)
{
    if (cardType == DemoCardType::Polvaron) {
        QList<int> products {PowderFineMatt};
        if (!chip.madeToOrder)
            products << PowderSatin;
        if (chip.l < 45.0)
            products << PowderHammer;
        if (chip.neutral)
            products << PowderFineTexture;
        return products;
    }
    QList<int> products {MattEmulsion};
    if (chip.l > 35.0)
        products << SilkEmulsion;
    if (chip.white || chip.neutral || page.mood == 3)
        products << ScrubbableMatt << KitchenAndBath;
    products << Satinwood;
    if (page.mood == 2 || page.mood == 4)
        products << GlossEnamel;
    if (page.exterior)
        products << MasonrySmooth << MasonryTextured;
    if (chip.neutral && chip.l < 70.0)
        products << FloorCoat;
    return products;
}

QList<int> productGroupsOf(const QList<int> &productIds)
{
    QList<int> groups;
    for (const DemoProduct &product : demoProducts()) {
        if (productIds.contains(product.id) && !groups.contains(product.groupId))
            groups << product.groupId;
    }
    return groups;
}

} // namespace Sorven::Demo
