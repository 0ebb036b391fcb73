#pragma once

#include <QUuid>
#include <QWidget>

namespace Sorven {

// The pane that lists the products or product groups of the selected chip.
class ProductsWidget : public QWidget
{
    Q_OBJECT
    Q_DISABLE_COPY(ProductsWidget)

public:
    explicit ProductsWidget(QWidget *parent = nullptr);

public slots:
    void selectedCollectionChanged(QUuid collectionId);
    // Fills the pane again for the selected chip.
    void selectedColorChanged();
};

} // namespace Sorven
