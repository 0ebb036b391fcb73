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

private:
    OrvoCustomStyle *m_scrollBarStyle = nullptr;
    TrendoraViewport *m_viewport = nullptr;
};

} // namespace Sorven
