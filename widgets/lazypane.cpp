#include "widgets/lazypane.h"

#include "core/interfacefonts.h"
#include "widgets/orvocustomstyle.h"
#include "widgets/painting.h"

#include <QScrollBar>

namespace Sorven {

LazyPane::LazyPane(QWidget *contents, int margin, QWidget *parent)
    : QScrollArea(parent), m_scrollBarStyle(new OrvoCustomStyle)
{
    m_scrollBarStyle->setParent(this);
    setFocusPolicy(Qt::StrongFocus);
    setMouseTracking(true);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    verticalScrollBar()->setStyle(m_scrollBarStyle);
    setFrameShape(QFrame::NoFrame);
    setAutoFillBackground(true);
    // Filled from the window brush fitToSize sets, whatever role a host window gives its
    // children.
    setBackgroundRole(QPalette::Window);
    viewport()->setAutoFillBackground(false);
    setFont(regularFont(2));
    setViewportMargins(margin, margin, margin, margin);
    setWidget(contents);
}

void LazyPane::selectedCollectionChanged(QUuid)
{
    m_stale = true;
    if (isVisible())
        load();
}

void LazyPane::resizeEvent(QResizeEvent *event)
{
    QScrollArea::resizeEvent(event);
    fitToSize();
    layoutContents();
}

void LazyPane::showEvent(QShowEvent *event)
{
    QScrollArea::showEvent(event);
    if (m_stale)
        load();
}

void LazyPane::load()
{
    m_stale = false;
    loadContents();
    layoutContents();
}

void LazyPane::fitToSize()
{
    const QSize visible = maximumViewportSize();
    widget()->setMinimumSize(visible);
    // A minimum only widens: narrowed, the contents would keep flowing in a width partly out
    // of sight, with no scroll bar to reach it.
    widget()->resize(visible.width(), widget()->height());
    QPalette background = palette();
    background.setBrush(QPalette::Window, QBrush(Painting::mainBackgroundUnder(this, rect())));
    setPalette(background);
}

} // namespace Sorven
