#include "widgets/collectionselectwidget.h"

#include "core/filereadiness.h"
#include "core/interfacefonts.h"
#include "core/usersettings.h"
#include "db/collectionqueries.h"
#include "db/connections.h"
#include "db/lookups.h"
#include "palette/capsureselectdialog.h"
#include "widgets/dropdownbutton.h"
#include "widgets/imagebutton.h"
#include "widgets/painting.h"
#include "widgets/popupclickguard.h"

#include <QApplication>
#include <QFileInfo>
#include <QListWidget>
#include <QPainter>
#include <QResizeEvent>

#include <algorithm>

namespace Sorven {

namespace {

const QSize BarSize(234, 30);
const QSize CapsureButtonSize(20, 20);
constexpr int ListHeight = 128;
constexpr int ListItemHeight = 28;
constexpr int ButtonGap = 3;
// How soon a capture file still being written is looked at again.
constexpr int ReadinessRecheckInterval = 250;
const QString ListStyleSheet
    = QStringLiteral("background-color: qlineargradient(spread:pad,                 x1:0.35, "
                     "y1:1,                 x2:0.65, y2:0,                 stop:0 rgba(%1, %2, "
                     "%3, %4),                 stop:1 rgba(%5, %6, %7, %8)); ")
          .arg(204)
          .arg(204)
          .arg(204)
          .arg(255)
          .arg(238)
          .arg(238)
          .arg(238)
          .arg(255);

QImage capsureImage()
{
    return DB::themeImage(DB::SystemWideCollectionUuid,
                          QStringLiteral("image.capsure.button.normal"), QSize(16, 16));
}

// The measured-colour import: the user picks one of the chips the file's names match.
std::optional<CollectionSelectWidget::CapsureChoice> chooseInDialog(QWidget *parent,
                                                                    const QString &fileName)
{
    const std::optional<CapsureCandidate> chosen = CapsureSelectDialog::choose(parent, fileName);
    if (!chosen)
        return std::nullopt;
    return CollectionSelectWidget::CapsureChoice {chosen->collection, chosen->entry};
}

} // namespace

CollectionSelectWidget::CollectionSelectWidget(QWidget *parent)
    : QWidget(parent),
      m_dropDownButton(new DropDownButton(this)),
      m_capsureButton(new ImageButton(capsureImage(), capsureImage(), this)),
      // A child of the main widget, so that it can open below the bar.
      m_collectionList(new QListWidget(parent)),
      m_capsureChooser(chooseInDialog),
      m_clickGuard(new PopupClickGuard(m_collectionList, m_dropDownButton))
{
    setFixedSize(BarSize);
    setFocusPolicy(Qt::StrongFocus);
    load(UserSettings::lastUsedCollection());
    setFont(regularFont(3));
    m_dropDownButton->setVisible(DB::availableCollections().size() >= 2);
    m_capsureButton->setFixedSize(CapsureButtonSize);
    m_capsureButton->hide();
    fillCollectionList();
    m_collectionList->hide();
    m_collectionList->installEventFilter(this);
    connect(m_dropDownButton, &QPushButton::clicked, this,
            &CollectionSelectWidget::dropDownButtonClicked);
    connect(m_capsureButton, &QPushButton::clicked, this,
            &CollectionSelectWidget::capsureButtonClicked);
    connect(m_collectionList, &QListWidget::itemActivated, this,
            &CollectionSelectWidget::listWidgetItemActivated);
    connect(m_collectionList, &QListWidget::itemClicked, this,
            &CollectionSelectWidget::listWidgetItemActivated);
    m_readinessTimer.setSingleShot(true);
    m_readinessTimer.setInterval(ReadinessRecheckInterval);
    connect(&m_readinessTimer, &QTimer::timeout, this,
            [this] { capsureFileChanged(m_watchedCapsureFile); });
    layoutContents();
}

CollectionSelectWidget::~CollectionSelectWidget()
{
    delete m_collectionList;
}

QSize CollectionSelectWidget::sizeHint() const
{
    return BarSize;
}

void CollectionSelectWidget::setCapsureChooser(CapsureChooser chooser)
{
    m_capsureChooser = std::move(chooser);
}

void CollectionSelectWidget::selectedCollectionChanged(QUuid collectionId)
{
    load(collectionId);
    layoutContents();
    update();
}

void CollectionSelectWidget::capsureFileChanged(QString fileName)
{
    m_watchedCapsureFile = fileName;
    const bool ready = isFileFinished(fileName);
    if (ready)
        m_capsureFilePath = fileName;
    if (ready == m_capsureButton->isHidden()) {
        m_capsureButton->setVisible(ready);
        QApplication::postEvent(this, new QResizeEvent(size(), size()));
    }
    if (ready && !m_choosing)
        m_capsureButton->startPulse();
    // Only a regular file is waited for; a FIFO or a missing file never becomes one to read.
    if (!ready && QFileInfo(fileName).isFile())
        m_readinessTimer.start();
    else
        m_readinessTimer.stop();
}

bool CollectionSelectWidget::eventFilter(QObject *watched, QEvent *event)
{
    if (watched != m_collectionList)
        return QWidget::eventFilter(watched, event);
    switch (event->type()) {
    case QEvent::Show:
        m_collectionList->raise();
        m_collectionList->setFocus(Qt::OtherFocusReason);
        m_dropDownButton->setClosed(false);
        break;
    case QEvent::Hide:
        m_dropDownButton->setClosed(true);
        m_clickGuard->popupClosed();
        break;
    case QEvent::FocusOut:
        // A click on the arrow closes the list itself, and commits.
        if (QApplication::focusWidget() != m_dropDownButton)
            m_collectionList->hide();
        break;
    default:
        break;
    }
    return QWidget::eventFilter(watched, event);
}

void CollectionSelectWidget::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.drawImage(rect(), m_background);
    m_dropDownButton->setBackground(m_background.copy(m_dropDownButton->geometry()));
    painter.setPen(m_textColor);
    Painting::drawTextTwice(painter, textRect(), Qt::AlignCenter | Qt::TextSingleLine,
                            shownCollectionName());
}

QString CollectionSelectWidget::shownCollectionName() const
{
    return fontMetrics().elidedText(m_collectionName, Qt::ElideRight, textRect().width());
}

void CollectionSelectWidget::resizeEvent(QResizeEvent *)
{
    layoutContents();
}

void CollectionSelectWidget::dropDownButtonClicked()
{
    if (m_collectionList->isVisible()) {
        m_collectionList->hide();
        commit();
        return;
    }
    // The main widget moves the bar without resizing it.
    m_collectionList->setGeometry(listGeometry());
    m_collectionList->show();
    const QString selected = UserSettings::lastUsedCollection().toString();
    for (int row = 0; row < m_collectionList->count(); ++row) {
        QListWidgetItem *item = m_collectionList->item(row);
        if (item->data(Qt::UserRole).toString() == selected)
            m_collectionList->setCurrentItem(item);
    }
    m_collectionList->setFocus(Qt::OtherFocusReason);
}

void CollectionSelectWidget::capsureButtonClicked()
{
    m_capsureButton->stopPulse();
    m_choosing = true;
    const std::optional<CapsureChoice> choice = m_capsureChooser(this, m_capsureFilePath);
    m_choosing = false;
    if (choice)
        emit capsureItemSelectedInteractively(choice->collectionId, choice->colorEntry);
    m_capsureButton->stopPulse();
}

// A click reports both a click and, on some styles, an activation; the first one closes the
// list and the second has nothing left to choose.
void CollectionSelectWidget::listWidgetItemActivated(QListWidgetItem *item)
{
    if (!item || m_collectionList->isHidden())
        return;
    const QVariant data = item->data(Qt::UserRole);
    if (data.canConvert<QString>())
        m_pendingCollection = QUuid(data.toString());
    m_collectionList->hide();
    commit();
}

// A collection that does not load keeps the name shown before.
void CollectionSelectWidget::load(const QUuid &collectionId)
{
    // Stretched to the bar once, so that the part under the arrow matches what the bar shows.
    m_background = DB::themeImage(DB::SystemWideCollectionUuid,
                                  QStringLiteral("image.widget.bar.background"), size())
                       .scaled(size(), Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    m_textColor = DB::themeColor(DB::SystemWideCollectionUuid,
                                 QStringLiteral("color.widget.collectionselector.text"), Qt::black);
    QSharedPointer<DB::Collection> collection;
    if (DB::loadCollection(collectionId, collection) == DB::Success && collection)
        m_collectionName = collection->name;
}

void CollectionSelectWidget::fillCollectionList()
{
    m_collectionList->setFont(regularFont(3));
    m_collectionList->setFrameShape(QFrame::NoFrame);
    m_collectionList->setStyleSheet(ListStyleSheet);
    for (const QUuid &uuid : DB::availableCollections()) {
        QSharedPointer<DB::Collection> collection;
        if (DB::loadCollection(uuid, collection) != DB::Success || !collection)
            continue;
        auto *item = new QListWidgetItem(collection->name, m_collectionList);
        item->setData(Qt::UserRole, uuid.toString());
        item->setSizeHint(QSize(0, ListItemHeight));
    }
}

// The buttons sit at the right, the capture button outermost, centred in the bar's height.
void CollectionSelectWidget::layoutContents()
{
    const int margin
        = (height() - std::max(m_dropDownButton->height(), m_capsureButton->height())) / 2;
    const auto place = [&](QWidget *button, int right) {
        const int bandHeight = height() - 2 * margin;
        button->move(right - button->width() + 1, margin + (bandHeight - button->height()) / 2);
    };
    int right = width() - 2 - margin;
    if (!m_capsureButton->isHidden()) {
        place(m_capsureButton, right);
        right = m_capsureButton->x() - ButtonGap;
    }
    place(m_dropDownButton, right);
    m_collectionList->setGeometry(listGeometry());
    m_dropDownButton->setBackground(m_background.copy(m_dropDownButton->geometry()));
}

// Directly below the bar and as wide, in the parent's coordinates.
QRect CollectionSelectWidget::listGeometry() const
{
    return QRect(geometry().bottomLeft() + QPoint(0, 1), QSize(width(), ListHeight));
}

// The name ends before the leftmost button shown.
QRect CollectionSelectWidget::textRect() const
{
    QRect text = rect();
    for (QWidget *button :
         {static_cast<QWidget *>(m_capsureButton), static_cast<QWidget *>(m_dropDownButton)}) {
        if (!button->isHidden())
            text.setRight(std::min(text.right(), button->x() - 2));
    }
    return text;
}

void CollectionSelectWidget::commit()
{
    if (m_pendingCollection.isNull())
        return;
    const QUuid chosen = m_pendingCollection;
    m_pendingCollection = QUuid();
    emit collectionSelectedInteractively(chosen);
}

} // namespace Sorven
