#pragma once

#include "core/enumerations.h"

#include <QUuid>
#include <QWidget>

namespace Sorven {

// Restricts browsing to the pages of one mood and, optionally, to pages for exterior use; for
// powder-coating collections it switches made-to-order colours on and off instead.
class MoodSelectWidget : public QWidget
{
    Q_OBJECT
    Q_DISABLE_COPY(MoodSelectWidget)

public:
    explicit MoodSelectWidget(QWidget *parent = nullptr);

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

public slots:
    void selectedCollectionChanged(QUuid collectionId);

signals:
    void moodFilterChangedInteractively(Sorven::Mood newMood);
    void exteriorFilterChangedInteractively(bool exterior);
    void showMtoChangedInteractively(bool showMto);

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QSize layoutSize(const QUuid &collectionId) const;
    QSize moodFilterSize(const QUuid &collectionId) const;
    QSize textItemSize(const QUuid &collectionId, const char *key) const;

    QSize m_layoutSize;
};

} // namespace Sorven
