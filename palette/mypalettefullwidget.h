#pragma once

#include <QImage>
#include <QUuid>
#include <QWidget>

namespace Sorven {

// The enlarged view of My Palette that slides over the whole palette.
class MyPaletteFullWidget : public QWidget
{
    Q_OBJECT
    Q_DISABLE_COPY(MyPaletteFullWidget)

public:
    explicit MyPaletteFullWidget(QWidget *parent = nullptr);

public slots:
    void selectedCollectionChanged(QUuid collectionId);

signals:
    void backButtonClicked();

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QImage m_bar;
};

} // namespace Sorven
