#pragma once

#include "core/enumerations.h"

#include <QFuture>
#include <QFutureWatcher>
#include <QImage>
#include <QRect>
#include <QStringList>
#include <QUuid>
#include <QWidget>

class QLineEdit;

namespace Sorven {

class RollButton;

// The search bar above the card roller: a phrase editor that asks for a search on return, and
// the two buttons that roll the cards.
class SearchWidget : public QWidget
{
    Q_OBJECT
    Q_DISABLE_COPY(SearchWidget)

public:
    explicit SearchWidget(QWidget *parent = nullptr);

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

    // The part of the parent's background under the bar, so the editor looks transparent.
    void setBackgroundImage(const QImage &image);
    QLineEdit *phraseEdit() const { return m_phraseEdit; }

public slots:
    void selectedCollectionChanged(QUuid collectionId);

signals:
    void roll(Sorven::Direction dir);
    void searchForPhrase(QString phrase);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private slots:
    void rollForwardButtonClicked();
    void rollBackwardButtonClicked();
    void searchPhraseReturnPressed();
    void installCompleter();

private:
    void loadCompleter(const QUuid &collectionId);
    void layoutContents();

    QImage m_background;
    QImage m_magnifier;
    QRect m_magnifierRect;
    QLineEdit *m_phraseEdit = nullptr;
    RollButton *m_backwardButton = nullptr;
    RollButton *m_forwardButton = nullptr;
    // The completion entries of the collection, read on a worker thread; installed when they
    // arrive or when the editor is used before, whichever comes first.
    QFuture<QStringList> m_completionEntries;
    QFutureWatcher<QStringList> m_completionWatcher;
    bool m_completionPending = false;
};

} // namespace Sorven
