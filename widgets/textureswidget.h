#pragma once

#include <QScrollArea>
#include <QUuid>

namespace Sorven {

// The pane of the textures assigned to the current page, tinted with the selected chip.
class TexturesWidget : public QScrollArea
{
    Q_OBJECT
    Q_DISABLE_COPY(TexturesWidget)

public:
    explicit TexturesWidget(QWidget *parent = nullptr);

    // Lays the tiles out again in the pane's current rectangle.
    void layoutContents();

public slots:
    void selectedCollectionChanged(QUuid collectionId);
    void selectedPageChanged();
    void selectedRowChanged();
};

} // namespace Sorven
