#pragma once

#include <QScrollArea>
#include <QUuid>

namespace Sorven {

class OrvoCustomStyle;
class TrendoraViewport;

// The pane of the collection's colour-trend groups, scrolling vertically.
class TrendoraWidget : public QScrollArea
{
    Q_OBJECT
    Q_DISABLE_COPY(TrendoraWidget)

public:
    explicit TrendoraWidget(QWidget *parent = nullptr);

    TrendoraViewport *trendoraViewport() const { return m_viewport; }
    // Lays the groups out again in the pane's current rectangle.
    void layoutContents();

public slots:
    void selectedCollectionChanged(QUuid collectionId);

protected:
    void resizeEvent(QResizeEvent *event) override;
    void showEvent(QShowEvent *event) override;

private:
    void loadGroups();

    OrvoCustomStyle *m_scrollBarStyle = nullptr;
    TrendoraViewport *m_viewport = nullptr;
    // The groups belong to a collection before the current one; a hidden pane reads them when
    // it is shown, so that a collection change does not wait for a pane nobody sees.
    bool m_groupsStale = true;
};

} // namespace Sorven
