#pragma once

#include "tools/democollectionplan.h"

#include <QList>
#include <QString>

namespace Sorven::Demo {

struct DemoPage;
struct DemoChip;

struct DemoProductGroup
{
    int id;
    QString name;
};

struct DemoProduct
{
    int id;
    QString name;
    QString code;
    int groupId;
};

// The paints and coatings of a database file; every collection of the file sells its colours
// in some of them.
QList<DemoProductGroup> demoProductGroups();
QList<DemoProduct> demoProducts();
// The products (IDs) a chip is sold in, chosen by where the colour can be used.
QList<int> productsOf(DemoCardType cardType, const DemoPage &page, const DemoChip &chip);
// The product groups of those products, each once.
QList<int> productGroupsOf(const QList<int> &productIds);

} // namespace Sorven::Demo
