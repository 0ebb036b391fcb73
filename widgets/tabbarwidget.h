#pragma once

#include "core/enumerations.h"
#include "widgets/accessibleitems.h"

#include <QHash>
#include <QImage>
#include <QList>
#include <QRect>
#include <QString>
#include <QUuid>
#include <QWidget>

namespace Sorven {

// The tabs that switch the lower pane between colour schemes, products, trend groups and
// textures. The current tab is the one stored in the user settings; the bar only asks for a
// change through tabPageSelected.
class TabBarWidget : public QWidget, public AccessibleItems
{
    Q_OBJECT
    Q_DISABLE_COPY(TabBarWidget)

public:
    explicit TabBarWidget(QWidget *parent = nullptr);

    // The page whose tab covered position at the last paint; NoTabBarPage elsewhere.
    TabBarPage pageAt(const QPoint &position) const;
    // The page's tab at the last paint; empty for a page without a tab.
    QRect tabRect(TabBarPage page) const;

    // The tabs in display order.
    int accessibleItemCount() const override;
    Item accessibleItem(int index) const override;
    QAccessible::Role accessibleRole() const override { return QAccessible::PageTabList; }

public slots:
    void selectedCollectionChanged(QUuid collectionId);
    void switchToTab1();
    void switchToTab2();
    void switchToTab3();
    void switchToTab4();

signals:
    void tabPageSelected(Sorven::TabBarPage newPage);

protected:
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void paintEvent(QPaintEvent *event) override;

private:
    struct Tab
    {
        QString caption;
        QRect rect;
    };

    void loadCollection(const QUuid &uuid);
    void addShortcut(int key, void (TabBarWidget::*slot)());
    void switchToTab(int number);

    QImage m_background;
    QHash<TabBarPage, Tab> m_tabs;
    // The pages that have a tab, in display order.
    QList<TabBarPage> m_visiblePages;
};

} // namespace Sorven
