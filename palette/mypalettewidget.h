#pragma once

#include "core/enumerations.h"

#include <QImage>
#include <QString>
#include <QUuid>
#include <QWidget>

class QLineEdit;

namespace Sorven {

// The user's personal palette of 6 × 4 chips, docked at the bottom of the palette.
class MyPaletteWidget : public QWidget
{
    Q_OBJECT
    Q_DISABLE_COPY(MyPaletteWidget)

public:
    explicit MyPaletteWidget(QWidget *parent = nullptr);

    QLineEdit *descriptionEdit() const { return m_descriptionEdit; }

public slots:
    void selectedCollectionChanged(QUuid collectionId);
    void savePaletteTo(Sorven::PaletteFileFormat fileFormat, QString path);
    void loadPaletteFrom(Sorven::PaletteFileFormat expectedFileFormat, QString path);

signals:
    void zoomMyPaletteClicked();
    void myPaletteChanged();
    void myPaletteSelectionChanged();

protected:
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    void layoutContents();

    QImage m_bar;
    QLineEdit *m_descriptionEdit = nullptr;
};

} // namespace Sorven
