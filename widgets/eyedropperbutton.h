#pragma once

#include "db/colorentry.h"
#include "db/itemindex.h"
#include "palette/pickedcolor.h"
#include "widgets/imagebutton.h"

#include <QColor>
#include <QPixmap>
#include <QUuid>

#include <functional>

class QMenu;
class QScreen;

namespace Sorven {

// The small button beside the search bar that picks a colour anywhere on the screen. It moves
// the palette to the chip a free colour of that colour stands for, then offers the nearest
// chips of the selected collection and of each other collection to choose from.
class EyedropperButton : public ImageButton
{
    Q_OBJECT
    Q_DISABLE_COPY(EyedropperButton)

public:
    // The platform's screen grab, replaceable where a test needs one the platform refuses.
    using ScreenGrabber = std::function<QPixmap(QScreen *screen)>;

    explicit EyedropperButton(QWidget *parent = nullptr);

    void setScreenGrabber(ScreenGrabber grabber);

public slots:
    void selectedCollectionChanged(QUuid collectionId);

signals:
    void chipSelectedInteractively(QUuid collectionId, Sorven::DB::ColorEntry colorEntry);

private slots:
    void startPicking();
    void colorPicked(QColor color);

private:
    void showOffer(const QColor &color, const QUuid &collection, const PickedColorOffer &offer);
    void addEquivalents(QMenu *menu, const QString &caption,
                        const QList<ColorEquivalent> &equivalents, const QUuid &collection);
    void selectChip(const DB::ItemIndex &chip);

    ScreenGrabber m_grabScreen;
};

} // namespace Sorven
