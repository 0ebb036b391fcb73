#include "widgets/searchwidget.h"

#include "core/interfacefonts.h"
#include "core/usersettings.h"
#include "db/connections.h"
#include "db/lookups.h"
#include "db/search.h"
#include "widgets/rollbutton.h"
#include "widgets/touppercasevalidator.h"

#include <QCompleter>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPainter>

#include <utility>

namespace Sorven {

namespace {

const QSize BarSize(210, 26);
const QColor FrameColor(45, 45, 45);

} // namespace

SearchWidget::SearchWidget(QWidget *parent)
    : QWidget(parent),
      m_phraseEdit(new QLineEdit(this)),
      m_backwardButton(new RollButton(Backward, this)),
      m_forwardButton(new RollButton(Forward, this))
{
    m_phraseEdit->setFocusPolicy(Qt::StrongFocus);
    m_phraseEdit->setFrame(false);
    m_phraseEdit->setTextMargins(0, 0, 0, 0);
    m_phraseEdit->setValidator(new ToUpperCaseValidator(m_phraseEdit));
    m_phraseEdit->setFont(italicFont(2));
    setFixedSize(BarSize);
    m_phraseEdit->installEventFilter(this);
    connect(m_forwardButton, &QPushButton::clicked, this, &SearchWidget::rollForwardButtonClicked);
    connect(m_backwardButton, &QPushButton::clicked, this,
            &SearchWidget::rollBackwardButtonClicked);
    connect(m_phraseEdit, &QLineEdit::returnPressed, this,
            &SearchWidget::searchPhraseReturnPressed);
    connect(&m_completionWatcher, &QFutureWatcher<QStringList>::finished, this,
            &SearchWidget::installCompleter);
    selectedCollectionChanged(UserSettings::lastUsedCollection());
}

QSize SearchWidget::sizeHint() const
{
    return BarSize;
}

QSize SearchWidget::minimumSizeHint() const
{
    return BarSize;
}

void SearchWidget::setBackgroundImage(const QImage &image)
{
    m_background = image;
    layoutContents();
}

void SearchWidget::selectedCollectionChanged(QUuid collectionId)
{
    m_magnifier = DB::themeImage(DB::SystemWideCollectionUuid,
                                 QStringLiteral("image.widget.search.magnifying.glass"), size());
    m_backwardButton->selectedCollectionChanged(collectionId);
    m_forwardButton->selectedCollectionChanged(collectionId);
    m_phraseEdit->setPlaceholderText(
        DB::localeString(collectionId, QStringLiteral("color.palette.enter.search.text")));
    loadCompleter(collectionId);
    // Read while the user types, so that the first Return need not wait for it.
    DB::preparePhraseSearch(collectionId);
    layoutContents();
}

bool SearchWidget::eventFilter(QObject *watched, QEvent *event)
{
    if (watched != m_phraseEdit)
        return QWidget::eventFilter(watched, event);
    switch (event->type()) {
    case QEvent::FocusIn:
        installCompleter();
        m_phraseEdit->setFont(regularFont(2));
        break;
    case QEvent::FocusOut:
        // The placeholder text shows in italics.
        if (m_phraseEdit->text().isEmpty())
            m_phraseEdit->setFont(italicFont(2));
        break;
    case QEvent::KeyPress:
        installCompleter();
        if (static_cast<QKeyEvent *>(event)->key() == Qt::Key_Escape) {
            m_phraseEdit->clear();
            event->accept();
            setFocus(Qt::OtherFocusReason);
            return true;
        }
        break;
    default:
        break;
    }
    return QWidget::eventFilter(watched, event);
}

void SearchWidget::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.drawImage(m_magnifierRect.topLeft(), m_magnifier);
    const int right = m_phraseEdit->geometry().right() + 6;
    const int bottom = height() - 3;
    painter.setBrush(Qt::NoBrush);
    painter.setRenderHint(QPainter::Antialiasing, true);
    QColor frame = FrameColor;
    frame.setAlpha(96);
    painter.setPen(frame);
    painter.drawRoundedRect(QRect(QPoint(1, 1), QPoint(right - 1, bottom)), 7, 7);
    painter.drawRoundedRect(QRect(QPoint(0, 0), QPoint(right, bottom + 1)), 7, 7);
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setPen(FrameColor);
    painter.drawRoundedRect(QRect(QPoint(1, 1), QPoint(right - 1, bottom)), 7, 7);
}

void SearchWidget::resizeEvent(QResizeEvent *)
{
    layoutContents();
}

void SearchWidget::rollForwardButtonClicked()
{
    emit roll(Forward);
}

void SearchWidget::rollBackwardButtonClicked()
{
    emit roll(Backward);
}

void SearchWidget::searchPhraseReturnPressed()
{
    const QString phrase = m_phraseEdit->text().trimmed();
    m_phraseEdit->clear();
    setFocus(Qt::OtherFocusReason);
    emit searchForPhrase(phrase);
}

// A large collection has many thousands of entries, which a collection change does not wait
// for. Names of another collection would complete into phrases that find nothing here, so the
// old completion goes at once.
void SearchWidget::loadCompleter(const QUuid &collectionId)
{
    m_phraseEdit->setCompleter(nullptr);
    m_completionEntries = DB::completionEntriesLater(collectionId);
    m_completionPending = true;
    m_completionWatcher.setFuture(m_completionEntries);
}

// Typing before the entries arrive waits for them, so that it completes as it would have. A
// collection without names goes without completion. The editor deletes a completer it owns when
// it gets another.
void SearchWidget::installCompleter()
{
    if (!std::exchange(m_completionPending, false))
        return;
    const QStringList words = m_completionEntries.result();
    if (!words.isEmpty()) {
        auto *completer = new QCompleter(words, m_phraseEdit);
        completer->setCompletionMode(QCompleter::InlineCompletion);
        completer->setCaseSensitivity(Qt::CaseInsensitive);
        m_phraseEdit->setCompleter(completer);
    }
}

void SearchWidget::layoutContents()
{
    m_magnifierRect = QRect(QPoint(7, (height() - m_magnifier.height()) / 2), m_magnifier.size());
    m_forwardButton->move(width() - m_forwardButton->width(),
                          (height() - m_forwardButton->height()) / 2);
    m_backwardButton->move(m_forwardButton->x() - m_backwardButton->width(),
                           (height() - m_backwardButton->height()) / 2);
    const int lineHeight = m_phraseEdit->fontMetrics().height();
    const int left = m_magnifierRect.right() + 2;
    const int right = m_backwardButton->x() - 15;
    m_phraseEdit->setGeometry(left, (height() - lineHeight) / 2, right - left + 1, lineHeight);
    QPalette palette = m_phraseEdit->palette();
    if (!m_background.isNull()) {
        const QBrush background(m_background.copy(m_phraseEdit->geometry()));
        palette.setBrush(QPalette::Window, background);
        palette.setBrush(QPalette::Base, background);
    }
    palette.setColor(QPalette::Text, Qt::white);
    m_phraseEdit->setPalette(palette);
    update();
}

} // namespace Sorven
