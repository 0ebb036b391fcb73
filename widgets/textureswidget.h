#pragma once

#include <QScrollArea>
#include <QUuid>

namespace Sorven {

class OrvoCustomStyle;
class TexturesViewport;

// The pane of the textures assigned to the current page, tinted with the selected chip.
class TexturesWidget : public QScrollArea
{
    Q_OBJECT
    Q_DISABLE_COPY(TexturesWidget)

public:
    explicit TexturesWidget(QWidget *parent = nullptr);

    TexturesViewport *texturesViewport() const { return m_viewport; }
    // Lays the tiles out again in the pane's current rectangle.
    void layoutContents();

public slots:
    void selectedCollectionChanged(QUuid collectionId);
    void selectedPageChanged();
    void selectedRowChanged();

protected:
    void resizeEvent(QResizeEvent *event) override;
    void showEvent(QShowEvent *event) override;

private:
    void loadTextures();

    OrvoCustomStyle *m_scrollBarStyle = nullptr;
    TexturesViewport *m_viewport = nullptr;
    // The textures belong to a collection before the current one; a hidden pane reads and
    // decodes them when it is shown, so that a collection change does not wait for them.
    bool m_texturesStale = true;
};

} // namespace Sorven
