#include "widgets/textureswidget.h"

#include "widgets/orvocustomstyle.h"
#include "widgets/panescrollarea.h"
#include "widgets/texturesviewport.h"

namespace Sorven {

TexturesWidget::TexturesWidget(QWidget *parent)
    : QScrollArea(parent), m_scrollBarStyle(new OrvoCustomStyle), m_viewport(new TexturesViewport)
{
    setObjectName(QStringLiteral("TexturesWidget"));
    m_scrollBarStyle->setParent(this);
    PaneScrollArea::setUp(this, m_scrollBarStyle);
    setViewportMargins(16, 16, 16, 16);
    setWidget(m_viewport);
}

void TexturesWidget::layoutContents()
{
    m_viewport->layoutTiles();
}

void TexturesWidget::selectedCollectionChanged(QUuid)
{
    m_texturesStale = true;
    if (isVisible())
        loadTextures();
}

void TexturesWidget::selectedPageChanged()
{
    m_viewport->layoutTiles();
}

void TexturesWidget::selectedRowChanged()
{
    m_viewport->update();
}

void TexturesWidget::resizeEvent(QResizeEvent *event)
{
    QScrollArea::resizeEvent(event);
    PaneScrollArea::fitToSize(this);
    m_viewport->layoutTiles();
}

void TexturesWidget::showEvent(QShowEvent *event)
{
    QScrollArea::showEvent(event);
    if (m_texturesStale)
        loadTextures();
}

void TexturesWidget::loadTextures()
{
    m_texturesStale = false;
    m_viewport->loadTextures();
    m_viewport->layoutTiles();
}

} // namespace Sorven
