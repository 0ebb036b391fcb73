#include "widgets/trendorawidget.h"

#include "widgets/trendoraviewport.h"

namespace Sorven {

TrendoraWidget::TrendoraWidget(QWidget *parent) : LazyPane(new TrendoraViewport, 10, parent)
{
    setObjectName(QStringLiteral("TrendoraWidget"));
}

TrendoraViewport *TrendoraWidget::trendoraViewport() const
{
    return static_cast<TrendoraViewport *>(widget());
}

void TrendoraWidget::layoutContents()
{
    trendoraViewport()->layoutGroups();
}

void TrendoraWidget::loadContents()
{
    trendoraViewport()->loadGroups();
}

} // namespace Sorven
