#include "embeddingsocket.h"

#include "nativewindows.h"

#include <QEvent>

EmbeddingSocket::EmbeddingSocket(QWidget *parent, QWidget *widget)
    : QWidget(parent), m_widget(widget), m_windowFlags(widget->windowFlags())
{
    const bool visible = widget->isVisible();
    setGeometry(QRect(QPoint(0, 0), widget->size()));
    widget->setParent(this, Qt::Widget);
    widget->move(0, 0);
    widget->setVisible(visible);
    widget->installEventFilter(this);
    show();
}

EmbeddingSocket::~EmbeddingSocket()
{
    release(false);
}

void EmbeddingSocket::embed(QWidget *widget, QWidget *parent)
{
    const bool visible = widget->isVisible();
    if (auto *socket = dynamic_cast<EmbeddingSocket *>(widget->parentWidget())) {
        socket->release(visible);
        delete socket;
    }
    if (parent)
        new EmbeddingSocket(parent, widget);
}

bool EmbeddingSocket::holds(const QWidget *widget)
{
    return widget && dynamic_cast<const EmbeddingSocket *>(widget->parentWidget());
}

void EmbeddingSocket::release(bool visible)
{
    QWidget *widget = m_widget;
    if (!widget)
        return;
    m_widget = nullptr;
    widget->removeEventFilter(this);
    widget->setParent(nullptr, m_windowFlags);
    widget->setVisible(visible);
    // A native window that lost its parent this way is gone; the Qt object stays.
    if (!visible)
        NativeWindows::forget(widget);
}

// The widget's geometry is the socket's: the widget stays at the socket's corner.
bool EmbeddingSocket::eventFilter(QObject *watched, QEvent *event)
{
    if (watched != m_widget)
        return false;
    if (event->type() == QEvent::Move && m_widget->pos() != QPoint(0, 0)) {
        move(pos() + m_widget->pos());
        m_widget->move(0, 0);
    } else if (event->type() == QEvent::Resize) {
        resize(m_widget->size());
    }
    return false;
}
