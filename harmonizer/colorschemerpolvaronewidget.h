#pragma once

#include <QUuid>
#include <QWidget>

namespace Sorven {

// The harmonizer pane of powder-coating collections: a contrast colour between two
// wide-contrast colours for the selected chip.
class ColorSchemerPolvaroneWidget : public QWidget
{
    Q_OBJECT
    Q_DISABLE_COPY(ColorSchemerPolvaroneWidget)

public:
    explicit ColorSchemerPolvaroneWidget(QWidget *parent = nullptr);

public slots:
    void selectedCollectionChanged(QUuid collectionId);

protected:
    void paintEvent(QPaintEvent *event) override;
};

} // namespace Sorven
