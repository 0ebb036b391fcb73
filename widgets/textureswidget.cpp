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
    m_viewport->loadTextures();
}

void TexturesWidget::layoutContents()
{
    m_viewport->layoutTiles();
}

void TexturesWidget::selectedCollectionChanged(QUuid)
{
    m_viewport->loadTextures();
    m_viewport->layoutTiles();
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

} // namespace Sorven
