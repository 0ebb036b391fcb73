#include "widgets/productswidget.h"

#include "core/interfacefonts.h"

namespace Sorven {

ProductsWidget::ProductsWidget(QWidget *parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("ProductsWidget"));
    setFocusPolicy(Qt::StrongFocus);
    setMouseTracking(true);
    setFont(regularFont(4));
}

void ProductsWidget::selectedCollectionChanged(QUuid)
{
    selectedColorChanged();
}

void ProductsWidget::selectedColorChanged()
{
    update();
}

} // namespace Sorven
