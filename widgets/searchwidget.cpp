#include "widgets/searchwidget.h"

#include "core/interfacefonts.h"
#include "core/usersettings.h"
#include "db/connections.h"
#include "db/lookups.h"
#include "widgets/rollbutton.h"

#include <QLineEdit>
#include <QPainter>

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
    m_phraseEdit->setFont(italicFont(2));
    setFixedSize(BarSize);
    connect(m_forwardButton, &QPushButton::clicked, this, &SearchWidget::rollForwardButtonClicked);
    connect(m_backwardButton, &QPushButton::clicked, this,
            &SearchWidget::rollBackwardButtonClicked);
    connect(m_phraseEdit, &QLineEdit::returnPressed, this,
            &SearchWidget::searchPhraseReturnPressed);
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
    layoutContents();
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
