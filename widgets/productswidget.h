#pragma once

#include <QUuid>
#include <QWidget>

class QLabel;
class QListWidget;

namespace Sorven {

class OrvoCustomStyle;

// The pane that names the selected chip and lists its products or product groups in columns
// that scroll sideways.
class ProductsWidget : public QWidget
{
    Q_OBJECT
    Q_DISABLE_COPY(ProductsWidget)

public:
    explicit ProductsWidget(QWidget *parent = nullptr);

    QLabel *label() const { return m_label; }
    QListWidget *list() const { return m_list; }

public slots:
    void selectedCollectionChanged(QUuid collectionId);
    // Fills the pane again for the selected chip.
    void selectedColorChanged();

protected:
    void resizeEvent(QResizeEvent *event) override;
    void showEvent(QShowEvent *event) override;

private:
    OrvoCustomStyle *m_scrollBarStyle = nullptr;
    QLabel *m_label = nullptr;
    QListWidget *m_list = nullptr;
};

} // namespace Sorven
