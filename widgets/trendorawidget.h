#pragma once

#include <QScrollArea>
#include <QUuid>

namespace Sorven {

// The pane of the collection's colour-trend groups.
class TrendoraWidget : public QScrollArea
{
    Q_OBJECT
    Q_DISABLE_COPY(TrendoraWidget)

public:
    explicit TrendoraWidget(QWidget *parent = nullptr);

    // Lays the groups out again in the pane's current rectangle.
    void layoutContents();

public slots:
    void selectedCollectionChanged(QUuid collectionId);
};

} // namespace Sorven
