#include "acadframe.h"
#include "iconhandle.h"

#include <AcStatusBar.h>

#include <QBoxLayout>
#include <QHash>
#include <QList>
#include <QToolButton>

namespace {

// The panes in the status bar, in order, each drawn as a tool button.
QList<AcPane *> &panes()
{
    static QList<AcPane *> list;
    return list;
}

QHash<const AcStatusBarItem *, QToolButton *> &buttons()
{
    static QHash<const AcStatusBarItem *, QToolButton *> table;
    return table;
}

void show(const AcStatusBarItem *item)
{
    QToolButton *button = buttons().value(item);
    if (!button)
        return;
    button->setIcon(item->GetIcon() ? item->GetIcon()->icon : QIcon());
    button->setVisible(item->IsVisible());
    button->setEnabled(item->IsEnabled());
    if (const auto *pane = dynamic_cast<const AcPane *>(item))
        button->setDown(!(pane->GetStyle() & AcPane::kPanePopOut));
}

} // namespace

AcStatusBarItem::~AcStatusBarItem()
{
    delete buttons().take(this);
}

BOOL AcStatusBarItem::SetIcon(HICON icon)
{
    m_icon = icon;
    changed();
    return TRUE;
}

void AcStatusBarItem::SetVisible(BOOL visible)
{
    m_visible = visible;
    changed();
}

BOOL AcStatusBarItem::Enable(BOOL enable)
{
    m_enabled = enable;
    changed();
    return TRUE;
}

void AcStatusBarItem::OnLButtonDown(UINT, CPoint) { }

void AcStatusBarItem::changed()
{
    show(this);
}

BOOL AcPane::SetStyle(int style)
{
    m_style = style;
    show(this);
    return TRUE;
}

BOOL AcApStatusBar::Add(AcPane *pane)
{
    if (!pane || panes().contains(pane))
        return FALSE;
    panes().append(pane);
    auto *button = new QToolButton;
    button->setAutoRaise(true);
    QObject::connect(button, &QToolButton::pressed, button,
                     [pane] { pane->OnLButtonDown(0, CPoint()); });
    AcadFrame::instance()->paneLayout()->addWidget(button);
    buttons().insert(pane, button);
    show(pane);
    return TRUE;
}

BOOL AcApStatusBar::Remove(AcPane *pane)
{
    if (!panes().removeOne(pane))
        return FALSE;
    delete buttons().take(pane);
    return TRUE;
}

int AcApStatusBar::GetPaneCount() const
{
    return panes().size();
}

AcPane *AcApStatusBar::GetPane(int index) const
{
    return panes().value(index);
}

AcApStatusBar *acedGetApplicationStatusBar()
{
    static AcApStatusBar statusBar;
    return &statusBar;
}
