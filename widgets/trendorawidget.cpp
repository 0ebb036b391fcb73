#include "widgets/trendorawidget.h"

#include "core/interfacefonts.h"

namespace Sorven {

TrendoraWidget::TrendoraWidget(QWidget *parent) : QScrollArea(parent)
{
    setObjectName(QStringLiteral("TrendoraWidget"));
    setFocusPolicy(Qt::StrongFocus);
    setMouseTracking(true);
    setFrameShape(QFrame::NoFrame);
    setFont(regularFont(2));
    // The palette's background shows through.
    viewport()->setAutoFillBackground(false);
}

void TrendoraWidget::layoutContents()
{
    viewport()->update();
}

void TrendoraWidget::selectedCollectionChanged(QUuid)
{
    layoutContents();
}

} // namespace Sorven
