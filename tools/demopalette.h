#pragma once

#include "tools/democollectionplan.h"

#include <QColor>
#include <QList>
#include <QString>

// The pages and chips of a demo collection, designed by colour: hue segments laid out for the
// colour wheel, pages from light to dark, moods and exterior use chosen by colour.
namespace Sorven::Demo {

struct DemoChip
{
    int rowIndex = 0;
    QString code;
    QString name;
    QString secondName;
    QString extra;
    QColor color;
    double l = 0.0;
    double a = 0.0;
    double b = 0.0;
    bool neutral = false;
    bool white = false;
    bool madeToOrder = false;
};

struct DemoPage
{
    int pageIndex = 0;
    int segment = 0;
    // Position among the pages of its segment, 0-based.
    int position = 0;
    DemoFamily family = DemoFamily::Medium;
    QString name;
    QString extra;
    int mood = 0;
    bool exterior = false;
    // Ordinal of the page's first chip within the collection, 0-based.
    int firstChip = 0;
    QList<DemoChip> chips;
};

struct DemoCollection
{
    DemoCollectionPlan plan;
    int pagesPerSegment = 0;
    // Segment by segment, in page-index order.
    QList<DemoPage> pages;

    int chipCount() const;
    // The page of a segment at a position, or -1.
    int pageNumber(int segment, int position) const;
};

DemoCollection generateCollection(const DemoCollectionPlan &plan);

// Mood ID of a page: 1 fresh, 2 warm, 3 calm, 4 rich, 5 offwhite, 6 neutral.
int moodOf(DemoFamily family, int segment);

} // namespace Sorven::Demo
