#include "widgets/tabbarwidget.h"

#include "core/collectionsettings.h"
#include "core/interfacefonts.h"
#include "core/usersettings.h"
#include "db/connections.h"
#include "db/lookups.h"
#include "widgets/itemsaccessible.h"
#include "widgets/painting.h"

#include <QAction>
#include <QKeySequence>
#include <QMouseEvent>
#include <QPainter>

#include <utility>

namespace Sorven {

namespace {

const QList<TabBarPage> DefaultOrder = {ColorSchemes, Products, Trendora, Textures};

const std::pair<TabBarPage, const char *> CaptionKeys[] = {
    {ColorSchemes, "tab.bar.color.schemes.caption"},
    {Products, "tab.bar.products.caption"},
    {Trendora, "tab.bar.trendora.caption"},
    {Textures, "tab.bar.textures.caption"},
};

// Room around a caption inside its tab.
const int CaptionPadding = 31;

TabBarPage currentPage()
{
    return UserSettings::tabPageIndex(UserSettings::lastUsedCollection());
}

} // namespace

TabBarWidget::TabBarWidget(QWidget *parent) : QWidget(parent)
{
    setFocusPolicy(Qt::StrongFocus);
    ItemsAccessible::install();
    // The cursor shows which places take a click.
    setMouseTracking(true);
    loadCollection(UserSettings::lastUsedCollection());
    setFont(regularFont(3));
    addShortcut(Qt::Key_1, &TabBarWidget::switchToTab1);
    addShortcut(Qt::Key_2, &TabBarWidget::switchToTab2);
    addShortcut(Qt::Key_3, &TabBarWidget::switchToTab3);
    addShortcut(Qt::Key_4, &TabBarWidget::switchToTab4);
}

void TabBarWidget::addShortcut(int key, void (TabBarWidget::*slot)())
{
    auto *action = new QAction(this);
    action->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_T, Qt::CTRL | Qt::Key(key)));
    connect(action, &QAction::triggered, this, slot);
    addAction(action);
}

void TabBarWidget::loadCollection(const QUuid &uuid)
{
    m_background = DB::themeImage(DB::SystemWideCollectionUuid,
                                  QStringLiteral("image.widget.bar.background"), QSize(30, 30));
    m_tabs.clear();
    for (const auto &[page, key] : CaptionKeys)
        m_tabs.insert(page, Tab {DB::localeString(uuid, QString::fromLatin1(key)), QRect()});

    QList<TabBarPage> order = CollectionSettings::tabBarPages(uuid);
    if (order.isEmpty())
        order = DefaultOrder;
    const TabBarPages available = CollectionSettings::availableTabBarPages(uuid);
    m_visiblePages.clear();
    // A page named twice gets one tab: a second one could never be told apart from the first.
    for (const TabBarPage page : order) {
        if (page != NoTabBarPage && available.testFlag(page) && !m_visiblePages.contains(page))
            m_visiblePages.append(page);
    }
}

void TabBarWidget::selectedCollectionChanged(QUuid collectionId)
{
    loadCollection(collectionId);
    update();
}

TabBarPage TabBarWidget::pageAt(const QPoint &position) const
{
    for (const TabBarPage page : m_visiblePages) {
        if (m_tabs.value(page).rect.contains(position))
            return page;
    }
    return NoTabBarPage;
}

QRect TabBarWidget::tabRect(TabBarPage page) const
{
    return m_visiblePages.contains(page) ? m_tabs.value(page).rect : QRect();
}

int TabBarWidget::accessibleItemCount() const
{
    return int(m_visiblePages.size());
}

AccessibleItems::Item TabBarWidget::accessibleItem(int index) const
{
    const TabBarPage page = m_visiblePages.value(index, NoTabBarPage);
    const Tab tab = m_tabs.value(page);
    return {QAccessible::PageTab, tab.rect, tab.caption, {}, page == currentPage()};
}

void TabBarWidget::switchToTab1()
{
    switchToTab(1);
}

void TabBarWidget::switchToTab2()
{
    switchToTab(2);
}

void TabBarWidget::switchToTab3()
{
    switchToTab(3);
}

void TabBarWidget::switchToTab4()
{
    switchToTab(4);
}

void TabBarWidget::switchToTab(int number)
{
    if (!isVisible() || number > m_visiblePages.size())
        return;
    const TabBarPage page = m_visiblePages.at(number - 1);
    if (page != currentPage())
        emit tabPageSelected(page);
}

void TabBarWidget::mousePressEvent(QMouseEvent *event)
{
    const TabBarPage page = pageAt(event->position().toPoint());
    if (page != NoTabBarPage)
        emit tabPageSelected(page);
}

void TabBarWidget::mouseMoveEvent(QMouseEvent *event)
{
    const bool overTab = pageAt(event->position().toPoint()) != NoTabBarPage;
    setCursor(overTab ? Qt::PointingHandCursor : Qt::ArrowCursor);
}

void TabBarWidget::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    if (!m_background.isNull()) {
        for (int x = 0; x < width(); x += m_background.width())
            painter.drawImage(x, 0, m_background);
    }
    painter.setPen(Painting::SecondaryGrey);
    painter.drawLine(0, 0, 0, height() - 1);

    const TabBarPage current = currentPage();
    int x = 1;
    for (const TabBarPage page : std::as_const(m_visiblePages)) {
        Tab &tab = m_tabs[page];
        const int right = x + fontMetrics().horizontalAdvance(tab.caption) + CaptionPadding;
        tab.rect = QRect(QPoint(x, 1), QPoint(right, height() - 2));
        if (page == current) {
            painter.fillRect(tab.rect, QColor(255, 255, 255, 178));
            painter.setPen(QColor(55, 55, 55));
        } else {
            painter.setPen(QColor(128, 128, 128));
        }
        Painting::drawTextTwice(painter, tab.rect, Qt::AlignCenter | Qt::TextSingleLine,
                                tab.caption);
        painter.setPen(Painting::SecondaryGrey);
        painter.drawLine(tab.rect.topRight(), tab.rect.bottomRight());
        x = right + 1;
    }
}

} // namespace Sorven
