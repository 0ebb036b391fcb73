#include "widgets/textureswidget.h"

#include "core/interfacefonts.h"

namespace Sorven {

TexturesWidget::TexturesWidget(QWidget *parent) : QScrollArea(parent)
{
    setObjectName(QStringLiteral("TexturesWidget"));
    setFocusPolicy(Qt::StrongFocus);
    setMouseTracking(true);
    setFrameShape(QFrame::NoFrame);
    setFont(regularFont(2));
    // The palette's background shows through.
    viewport()->setAutoFillBackground(false);
}

void TexturesWidget::layoutContents()
{
    viewport()->update();
}

void TexturesWidget::selectedCollectionChanged(QUuid)
{
    layoutContents();
}

void TexturesWidget::selectedPageChanged()
{
    layoutContents();
}

void TexturesWidget::selectedRowChanged()
{
    viewport()->update();
}

} // namespace Sorven
