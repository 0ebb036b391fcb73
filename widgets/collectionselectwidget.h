#pragma once

#include "db/colorentry.h"

#include <QImage>
#include <QString>
#include <QUuid>
#include <QWidget>

namespace Sorven {

// The bar at the top of the palette that names the selected collection and asks for another.
class CollectionSelectWidget : public QWidget
{
    Q_OBJECT
    Q_DISABLE_COPY(CollectionSelectWidget)

public:
    explicit CollectionSelectWidget(QWidget *parent = nullptr);

    QSize sizeHint() const override;

public slots:
    void selectedCollectionChanged(QUuid collectionId);
    void capsureFileChanged(QString fileName);

signals:
    void collectionSelectedInteractively(QUuid collectionId);
    void capsureItemSelectedInteractively(QUuid collectionId, Sorven::DB::ColorEntry colorEntry);

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    void load(const QUuid &collectionId);

    QImage m_background;
    QString m_collectionName;
    QColor m_textColor;
};

} // namespace Sorven
