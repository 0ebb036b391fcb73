#pragma once

#include "core/enumerations.h"
#include "db/labsample.h"
#include "harmonizer/schemechips.h"
#include "widgets/accessibleitems.h"
#include "widgets/chippointer.h"

#include <QFont>
#include <QHash>
#include <QImage>
#include <QList>
#include <QPixmap>
#include <QPoint>
#include <QRect>
#include <QUuid>
#include <QVector>
#include <QWidget>

#include <optional>

namespace Sorven {

// The harmonizer pane: the colour schemes the collection's authors matched to the selected chip,
// under a row of scheme buttons. A collection without schemes borrows those of another
// collection for the chip nearest in colour. It holds no navigation state: it reads the chosen
// scheme and chip from the user settings whenever it paints and asks for changes through its
// signals.
class ColorSchemerWidget : public QWidget, public AccessibleItems
{
    Q_OBJECT
    Q_DISABLE_COPY(ColorSchemerWidget)

public:
    // A chip as last painted: its scheme row and its place in that row, both from 0.
    struct ChipIndex
    {
        int row = -1;
        int column = -1;
        bool isValid() const { return row >= 0 && column >= 0; }
        friend bool operator==(const ChipIndex &, const ChipIndex &) = default;
    };

    explicit ColorSchemerWidget(QWidget *parent = nullptr);

    // The collection whose schemes are shown.
    QUuid collectionInUse() const { return m_inUse; }
    QList<SchemeKind> buttons() const { return m_kinds; }
    QRect buttonRect(int button) const;
    QRect captionRect(int button) const;
    // The button whose image circle or caption holds pos, or -1.
    int buttonAt(const QPoint &pos) const;
    QRect chipArea() const { return m_chipArea; }
    // The rectangle of a chip in the last paint; null when there is none.
    QRect indexRect(const ChipIndex &index) const;
    ChipIndex indexAt(const QPoint &pos) const;
    ChipPointer *chipPointer() const { return m_pointer; }

    // The scheme buttons, then the chips of the last paint row by row.
    int accessibleItemCount() const override;
    Item accessibleItem(int index) const override;

public slots:
    void selectedCollectionChanged(QUuid collectionId);

signals:
    void schemeKindChangedInteractively(Sorven::SchemeKind scheme);
    void schemeNeutralSubKindChangedInteractively(Sorven::SchemeKind scheme);

protected slots:
    void switchToScheme1();
    void switchToScheme2();
    void switchToScheme3();
    void switchToScheme4();
    void switchToScheme5();
    void switchToScheme6();
    void switchToScheme7();
    void switchToScheme8();
    void switchToScheme9();

protected:
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    struct Button
    {
        QImage normal;
        QImage selected;
        QRect image;
        QRect caption;
    };

    // What the buttons and the drag-and-drop line look like.
    struct FixedLook
    {
        SchemeKind current = NoScheme;
        SchemeKind neutralShown = NoScheme;
        bool complementary = false;
        QSize size;
        qreal ratio = 1;
        QFont font;
        QRect chipArea;
        friend bool operator==(const FixedLook &, const FixedLook &) = default;
    };

    void addShortcuts();
    void layoutButtons();
    void layoutChipArea(int captionBottom);
    void refreshScheme();
    void layoutChips();
    void switchToScheme(int number);
    void paintButton(QPainter &painter, int button, SchemeKind current) const;
    void paintChips(QPainter &painter) const;
    QPixmap paintFixedLayer(const FixedLook &look) const;
    const DB::ColorEntry *entryAt(const ChipIndex &index) const;
    Item buttonItem(int button) const;
    Item chipItem(int chip) const;
    // The kind whose caption and tooltip a button shows.
    SchemeKind shownKind(int button) const;
    bool startDrag(const QPoint &pos);
    ChipPointer::ToolTip toolTipAt(const QPoint &pos) const;
    DB::ItemIndex chipAt(const QPoint &pos) const;

    QUuid m_inUse;
    // The colour table of the collection in use while it stands in for another.
    QList<DB::LabSample> m_samples;
    QList<SchemeKind> m_kinds;
    QList<Button> m_buttons;
    QHash<int, QString> m_captions;
    QImage m_markerNormal;
    QImage m_markerSelected;
    QRect m_chipArea;
    // The request as read from the settings, and as moved into the collection in use.
    std::optional<SchemeRequest> m_lastSettings;
    std::optional<SchemeRequest> m_lastRequest;
    SchemeChips m_scheme;
    QList<QVector<QRect>> m_chipRects;
    std::optional<FixedLook> m_fixedLook;
    QPixmap m_fixedLayer;
    ChipPointer *m_pointer;
};

} // namespace Sorven
