#pragma once

#include "db/colorentry.h"

#include <QImage>
#include <QString>
#include <QTimer>
#include <QUuid>
#include <QWidget>

#include <functional>
#include <optional>

class QListWidget;
class QListWidgetItem;

namespace Sorven {

class DropDownButton;
class ImageButton;
class PopupClickGuard;

// The bar at the top of the palette that names the selected collection. Its arrow opens the
// list of installed collections below it, and its capture button appears when the capture
// device has left a finished measurement file.
class CollectionSelectWidget : public QWidget
{
    Q_OBJECT
    Q_DISABLE_COPY(CollectionSelectWidget)

public:
    // A chip the user matched to a measured colour.
    struct CapsureChoice
    {
        QUuid collectionId;
        DB::ColorEntry colorEntry;
    };
    // Lets the user pick one of the measured colours of the file; nothing when cancelled.
    using CapsureChooser
        = std::function<std::optional<CapsureChoice>(QWidget *parent, const QString &fileName)>;

    explicit CollectionSelectWidget(QWidget *parent = nullptr);
    // The list belongs to the parent; it goes with the bar.
    ~CollectionSelectWidget() override;

    QSize sizeHint() const override;

    DropDownButton *dropDownButton() const { return m_dropDownButton; }
    ImageButton *capsureButton() const { return m_capsureButton; }
    QListWidget *collectionList() const { return m_collectionList; }
    // The last capture file found ready.
    QString capsureFilePath() const { return m_capsureFilePath; }
    // The collection's name as the bar shows it: shortened with "…" where it does not fit.
    QString shownCollectionName() const;
    void setCapsureChooser(CapsureChooser chooser);

public slots:
    void selectedCollectionChanged(QUuid collectionId);
    void capsureFileChanged(QString fileName);

signals:
    void collectionSelectedInteractively(QUuid collectionId);
    void capsureItemSelectedInteractively(QUuid collectionId, Sorven::DB::ColorEntry colorEntry);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private slots:
    void dropDownButtonClicked();
    void capsureButtonClicked();
    void listWidgetItemActivated(QListWidgetItem *item);

private:
    void load(const QUuid &collectionId);
    void fillCollectionList();
    void layoutContents();
    QRect listGeometry() const;
    QRect textRect() const;
    void commit();

    QImage m_background;
    QString m_collectionName;
    QColor m_textColor;
    DropDownButton *m_dropDownButton = nullptr;
    ImageButton *m_capsureButton = nullptr;
    QString m_capsureFilePath;
    QListWidget *m_collectionList = nullptr;
    QUuid m_pendingCollection;
    CapsureChooser m_capsureChooser;
    PopupClickGuard *m_clickGuard = nullptr;
    // Asks again while a writer still holds the capture file: closing it makes no change event.
    QTimer m_readinessTimer;
    QString m_watchedCapsureFile;
    // The button does not pulse while the user is choosing.
    bool m_choosing = false;
};

} // namespace Sorven
