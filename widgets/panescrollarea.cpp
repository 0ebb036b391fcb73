#include "widgets/panescrollarea.h"

#include "core/interfacefonts.h"
#include "widgets/painting.h"

#include <QImage>
#include <QScrollArea>
#include <QScrollBar>

namespace Sorven::PaneScrollArea {

void setUp(QScrollArea *area, QStyle *scrollBarStyle)
{
    area->setFocusPolicy(Qt::StrongFocus);
    area->setMouseTracking(true);
    area->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    area->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    area->verticalScrollBar()->setStyle(scrollBarStyle);
    area->setFrameShape(QFrame::NoFrame);
    area->setAutoFillBackground(true);
    // Filled from the window brush fitToSize sets, whatever role a host window gives its
    // children.
    area->setBackgroundRole(QPalette::Window);
    area->viewport()->setAutoFillBackground(false);
    area->setFont(regularFont(2));
}

void fitToSize(QScrollArea *area)
{
    if (QWidget *contents = area->widget())
        contents->setMinimumSize(area->maximumViewportSize());
    QPalette palette = area->palette();
    palette.setBrush(QPalette::Window, QBrush(Painting::mainBackgroundUnder(area, area->rect())));
    area->setPalette(palette);
}

} // namespace Sorven::PaneScrollArea
