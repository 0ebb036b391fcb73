#pragma once

#include "core/enumerations.h"

#include <QUuid>
#include <QWidget>

namespace Sorven {

// The harmonizer pane: the colour schemes the collection's authors matched to the selected chip.
class ColorSchemerWidget : public QWidget
{
    Q_OBJECT
    Q_DISABLE_COPY(ColorSchemerWidget)

public:
    explicit ColorSchemerWidget(QWidget *parent = nullptr);

public slots:
    void selectedCollectionChanged(QUuid collectionId);

signals:
    void schemeKindChangedInteractively(Sorven::SchemeKind scheme);
    void schemeNeutralSubKindChangedInteractively(Sorven::SchemeKind scheme);

protected:
    void paintEvent(QPaintEvent *event) override;
};

} // namespace Sorven
