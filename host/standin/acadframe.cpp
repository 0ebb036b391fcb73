#include "acadframe.h"

#include <acdocman.h>
#include <aced.h>
#include <aduiPaletteSet.h>
#include <standinframe.h>

#include <QApplication>
#include <QBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMainWindow>
#include <QPlainTextEdit>
#include <QStatusBar>

namespace {

// The palette set whose own window holds the widget, if any: a dialog opened from the palette
// is a window of its own and belongs to no palette set.
CAdUiPaletteSet *paletteSetOf(QWidget *widget)
{
    for (; widget; widget = widget->parentWidget()) {
        auto *paletteSet = dynamic_cast<CAdUiPaletteSet *>(
            CWnd::FromHandlePermanent(reinterpret_cast<HWND>(widget)));
        if (paletteSet)
            return paletteSet;
        if (widget->isWindow())
            return nullptr;
    }
    return nullptr;
}

// Text fields take typed keys whether or not the palette announced them as edit boxes.
bool takesText(const QWidget *widget)
{
    const QWidget *focus = widget->window()->focusWidget();
    return (focus ? focus : widget)->testAttribute(Qt::WA_InputMethodEnabled);
}

bool isTypedKey(const QKeyEvent *event)
{
    return !event->text().isEmpty() && event->key() != Qt::Key_Tab
        && event->key() != Qt::Key_Backtab && event->key() != Qt::Key_Escape;
}

} // namespace

AcadFrame *AcadFrame::instance()
{
    static AcadFrame *frame = new AcadFrame;
    return frame;
}

AcadFrame::AcadFrame()
{
    auto *window = new QMainWindow;
    window->setWindowTitle(QStringLiteral("Drawing host"));
    window->resize(1280, 860);

    auto *central = new QWidget(window);
    auto *layout = new QVBoxLayout(central);
    m_drawings = new QLabel(central);
    m_drawings->setAlignment(Qt::AlignCenter);
    m_drawings->setMinimumHeight(400);
    m_drawings->setStyleSheet(QStringLiteral("background: #2b2f36; color: #9aa4b1;"));
    m_history = new QPlainTextEdit(central);
    m_history->setReadOnly(true);
    m_history->setFocusPolicy(Qt::NoFocus);
    m_history->setMaximumHeight(90);
    m_commandLine = new QLineEdit(central);
    m_commandLine->setPlaceholderText(QStringLiteral("Type a command"));
    layout->addWidget(m_drawings, 1);
    layout->addWidget(m_history);
    layout->addWidget(m_commandLine);
    window->setCentralWidget(central);

    auto *panes = new QWidget(window);
    m_panes = new QHBoxLayout(panes);
    m_panes->setContentsMargins(0, 0, 0, 0);
    window->statusBar()->addPermanentWidget(panes);

    attachWidget(window);
    refreshDocuments();
    acDocManagerPtr()->addReactor(this);
    qApp->installEventFilter(this);
}

QMainWindow *AcadFrame::mainWindow() const
{
    return static_cast<QMainWindow *>(widget());
}

void AcadFrame::refreshDocuments()
{
    AcApDocManager *documents = acDocManagerPtr();
    const AcApDocument *current = documents->curDocument();
    m_drawings->setText(current ? QString::fromWCharArray(current->fileName())
                                : QStringLiteral("No drawing open"));
}

void AcadFrame::documentCreated(AcApDocument *)
{
    refreshDocuments();
}

void AcadFrame::documentToBeDestroyed(AcApDocument *)
{
    // The drawing is still open now; show what remains once it is gone.
    QMetaObject::invokeMethod(
        this, [this] { refreshDocuments(); }, Qt::QueuedConnection);
}

bool AcadFrame::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() != QEvent::KeyPress || !watched->isWidgetType())
        return false;
    auto *key = static_cast<QKeyEvent *>(event);
    auto *widget = static_cast<QWidget *>(watched);
    CAdUiPaletteSet *paletteSet = paletteSetOf(widget);
    if (!paletteSet || !isTypedKey(key) || takesText(widget) || QApplication::activeModalWidget()
        || !paletteSet->CanFrameworkTakeFocus())
        return false;
    m_commandLine->setFocus(Qt::OtherFocusReason);
    QKeyEvent copy(key->type(), key->key(), key->modifiers(), key->text());
    QCoreApplication::sendEvent(m_commandLine, &copy);
    return true;
}

CMDIFrameWnd *acedGetAcadFrame()
{
    return AcadFrame::instance();
}

namespace StandIn {

QMainWindow *mainWindow()
{
    return AcadFrame::instance()->mainWindow();
}

QLineEdit *commandLine()
{
    return AcadFrame::instance()->commandLine();
}

QPlainTextEdit *commandHistory()
{
    return AcadFrame::instance()->commandHistory();
}

} // namespace StandIn
