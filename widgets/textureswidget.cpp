#include "widgets/textureswidget.h"

#include "widgets/texturesviewport.h"

namespace Sorven {

TexturesWidget::TexturesWidget(QWidget *parent) : LazyPane(new TexturesViewport, 16, parent)
{
    setObjectName(QStringLiteral("TexturesWidget"));
}

TexturesViewport *TexturesWidget::texturesViewport() const
{
    return static_cast<TexturesViewport *>(widget());
}

void TexturesWidget::layoutContents()
{
    texturesViewport()->layoutTiles();
}

void TexturesWidget::selectedPageChanged()
{
    layoutContents();
}

void TexturesWidget::selectedRowChanged()
{
    texturesViewport()->update();
}

// Decoding the textures is what a hidden pane puts off.
void TexturesWidget::loadContents()
{
    texturesViewport()->loadTextures();
}

} // namespace Sorven
