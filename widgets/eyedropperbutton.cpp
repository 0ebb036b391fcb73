#include "widgets/eyedropperbutton.h"

#include "core/usersettings.h"
#include "db/collectionqueries.h"
#include "db/connections.h"
#include "db/lookups.h"
#include "palette/pickedcolor.h"
#include "palette/screenpick.h"
#include "widgets/eyedropperoverlay.h"

#include <QCursor>
#include <QGuiApplication>
#include <QMenu>
#include <QPainter>
#include <QScreen>
#include <QToolTip>

namespace Sorven {

namespace {

QImage eyedropperImage()
{
    return DB::themeImage(DB::SystemWideCollectionUuid, QStringLiteral("image.widget.eyedropper"),
                          QSize(12, 16));
}

QString localeText(const QUuid &collection, const char *key)
{
    return DB::localeString(collection, QString::fromLatin1(key));
}

// A collection's names and codes are shown as they are, not as mnemonics.
QString menuText(QString text)
{
    return text.replace(QLatin1Char('&'), QLatin1String("&&"));
}

QIcon swatch(const QColor &color)
{
    QPixmap pixmap(16, 16);
    pixmap.fill(color);
    QPainter painter(&pixmap);
    painter.setPen(QColor(64, 64, 64));
    painter.drawRect(pixmap.rect().adjusted(0, 0, -1, -1));
    return QIcon(pixmap);
}

} // namespace

EyedropperButton::EyedropperButton(QWidget *parent)
    : ImageButton(eyedropperImage(), eyedropperImage(), parent),
      m_grabScreen([](QScreen *screen) { return screen->grabWindow(0); })
{
    setObjectName(QStringLiteral("eyedropperButton"));
    connect(this, &QPushButton::clicked, this, &EyedropperButton::startPicking);
    selectedCollectionChanged(UserSettings::lastUsedCollection());
}

void EyedropperButton::setScreenGrabber(ScreenGrabber grabber)
{
    m_grabScreen = std::move(grabber);
}

void EyedropperButton::selectedCollectionChanged(QUuid collectionId)
{
    setToolTip(localeText(collectionId, "eyedropper.button.tooltip"));
}

// The grab is taken once, before anything of ours covers the screen, and picked from frozen.
void EyedropperButton::startPicking()
{
    QScreen *screen = QGuiApplication::screenAt(QCursor::pos());
    if (!screen)
        screen = this->screen();
    const ScreenPick pick(m_grabScreen(screen).toImage());
    if (!pick.isValid()) {
        QToolTip::showText(
            mapToGlobal(QPoint(0, height())),
            localeText(UserSettings::lastUsedCollection(), "eyedropper.grab.refused"), this);
        return;
    }
    auto *overlay = new EyedropperOverlay(pick, screen->geometry(), this);
    connect(overlay, &EyedropperOverlay::colorPicked, this, &EyedropperButton::colorPicked);
    overlay->show();
}

// The lists are those of the collection the colour was picked in, even when the palette goes
// to an exact match in another.
void EyedropperButton::colorPicked(QColor color)
{
    const QUuid selected = UserSettings::lastUsedCollection();
    const PickedColorOffer offer = offerForPickedColor(selected, color);
    if (offer.chip)
        selectChip(*offer.chip);
    showOffer(color, selected, offer);
}

void EyedropperButton::showOffer(const QColor &color, const QUuid &collection,
                                 const PickedColorOffer &offer)
{
    auto *menu = new QMenu(this);
    menu->setAttribute(Qt::WA_DeleteOnClose);
    menu->addAction(swatch(color), color.name())->setEnabled(false);
    const QString nearestCaption
        = localeText(collection, "eyedropper.menu.nearest")
              .arg(offer.nearest.isEmpty() ? QString() : menuText(offer.nearest[0].collectionName));
    addEquivalents(menu, nearestCaption, offer.nearest, collection);
    addEquivalents(menu, localeText(collection, "eyedropper.menu.others"), offer.otherCollections,
                   collection);
    menu->popup(mapToGlobal(rect().topRight()));
}

void EyedropperButton::addEquivalents(QMenu *menu, const QString &caption,
                                      const QList<ColorEquivalent> &equivalents,
                                      const QUuid &collection)
{
    if (equivalents.isEmpty())
        return;
    menu->addSection(caption);
    const QString entry = localeText(collection, "eyedropper.menu.entry");
    for (const ColorEquivalent &equivalent : equivalents) {
        QAction *action = menu->addAction(swatch(equivalent.color),
                                          entry.arg(menuText(equivalent.code),
                                                    menuText(equivalent.collectionName),
                                                    QString::number(equivalent.deltaE, 'f', 1)));
        connect(action, &QAction::triggered, this,
                [this, chip = equivalent.chip] { selectChip(chip); });
    }
}

void EyedropperButton::selectChip(const DB::ItemIndex &chip)
{
    DB::ColorEntry entry;
    if (DB::loadEntryById(chip.collection, chip.rowId, entry) == DB::Success)
        emit chipSelectedInteractively(chip.collection, entry);
}

} // namespace Sorven
