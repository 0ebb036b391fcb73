#include "widgets/trendorawidget.h"

#include "widgets/orvocustomstyle.h"
#include "widgets/panescrollarea.h"
#include "widgets/trendoraviewport.h"

namespace Sorven {

TrendoraWidget::TrendoraWidget(QWidget *parent)
    : QScrollArea(parent), m_scrollBarStyle(new OrvoCustomStyle), m_viewport(new TrendoraViewport)
{
    setObjectName(QStringLiteral("TrendoraWidget"));
    m_scrollBarStyle->setParent(this);
    PaneScrollArea::setUp(this, m_scrollBarStyle);
    setViewportMargins(10, 10, 10, 10);
    setWidget(m_viewport);
}

void TrendoraWidget::layoutContents()
{
    m_viewport->layoutGroups();
}

void TrendoraWidget::selectedCollectionChanged(QUuid)
{
    m_groupsStale = true;
    if (isVisible())
        loadGroups();
}

void TrendoraWidget::resizeEvent(QResizeEvent *event)
{
    QScrollArea::resizeEvent(event);
    PaneScrollArea::fitToSize(this);
    m_viewport->layoutGroups();
}

void TrendoraWidget::showEvent(QShowEvent *event)
{
    QScrollArea::showEvent(event);
    if (m_groupsStale)
        loadGroups();
}

void TrendoraWidget::loadGroups()
{
    m_groupsStale = false;
    m_viewport->loadGroups();
    m_viewport->layoutGroups();
}

} // namespace Sorven
