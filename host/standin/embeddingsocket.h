#pragma once

#include <QPointer>
#include <QWidget>

// Where a widget made a native child of another window sits. The socket is the Qt child of the
// native parent and shows the widget inside it, but does not own it: when the parent goes, the
// socket lets the widget go first, as a native parent's end destroys its child windows but not
// the Qt objects behind them.
class EmbeddingSocket : public QWidget
{
public:
    ~EmbeddingSocket() override;

    // Shows the widget inside the parent, or, without a parent, as a window of its own again.
    static void embed(QWidget *widget, QWidget *parent);
    static bool holds(const QWidget *widget);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    EmbeddingSocket(QWidget *parent, QWidget *widget);
    Q_DISABLE_COPY(EmbeddingSocket)

    // Gives the widget back as a window of its own, hidden, as the parent's end leaves it.
    void release(bool visible);

    QPointer<QWidget> m_widget;
    Qt::WindowFlags m_windowFlags;
};
