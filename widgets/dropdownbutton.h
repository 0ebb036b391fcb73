#pragma once

#include <QImage>
#include <QPushButton>
#include <QUuid>

namespace Sorven {

// The arrow at the right of the collection selector: down while the list of collections is
// closed, up while it is open.
class DropDownButton : public QPushButton
{
    Q_OBJECT
    Q_DISABLE_COPY(DropDownButton)

public:
    explicit DropDownButton(QWidget *parent = nullptr);

    bool isClosed() const { return m_closed; }
    void setClosed(bool closed);
    // The part of the bar under the button, drawn first so the button has no face of its own.
    void setBackground(const QImage &background);

public slots:
    // The arrows come from the common theme and stay the same.
    void selectedCollectionChanged(QUuid collectionId);

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QImage m_background;
    QImage m_arrowDown;
    QImage m_arrowUp;
    bool m_closed = true;
};

} // namespace Sorven
