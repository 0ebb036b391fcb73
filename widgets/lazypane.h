#pragma once

#include <QScrollArea>
#include <QUuid>

class QStyle;

namespace Sorven {

// A pane that scrolls its contents vertically only, with the palette's own scroll bar, over the
// palette's background, and reads what it shows only while it is shown: a collection change
// leaves a hidden pane stale, and it reads when it is next shown, so that the change does not
// wait for a pane nobody sees.
class LazyPane : public QScrollArea
{
    Q_OBJECT
    Q_DISABLE_COPY(LazyPane)

public:
    // Lays the contents out again in the pane's current rectangle.
    virtual void layoutContents() = 0;

public slots:
    void selectedCollectionChanged(QUuid collectionId);

protected:
    // The pane owns the contents; margin surrounds them on every side.
    LazyPane(QWidget *contents, int margin, QWidget *parent);

    // Reads what the contents show for the selected collection.
    virtual void loadContents() = 0;
    void resizeEvent(QResizeEvent *event) override;
    void showEvent(QShowEvent *event) override;

private:
    void load();
    // The contents are as wide as the visible area and at least as high, and the pane's
    // background is the part of the palette's background under it.
    void fitToSize();

    QStyle *m_scrollBarStyle;
    // What the contents show belongs to a collection before the selected one.
    bool m_stale = true;
};

} // namespace Sorven
