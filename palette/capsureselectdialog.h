#pragma once

#include "palette/capsureimport.h"

#include <QDialog>
#include <QList>
#include <QUuid>

#include <optional>

class QComboBox;
class QFrame;
class QLabel;

namespace Sorven {

class TaskButton;

// Lets the user pick one of the chips matched to a measurement. The swatch shows the picked
// chip's colour; the dialog cannot be accepted without a pick.
class CapsureSelectDialog : public QDialog
{
    Q_OBJECT
    Q_DISABLE_COPY(CapsureSelectDialog)

public:
    // Texts come from the collection; candidates as matchCapsureFile gives them, name matches
    // first.
    CapsureSelectDialog(const QUuid &collection, const QList<CapsureCandidate> &candidates,
                        QWidget *parent = nullptr);

    // Reads the measurement file, offers its matched chips and answers the one the user
    // confirms; none when the user cancels, or when the file gives nothing to choose, which
    // the user is told with the reason.
    static std::optional<CapsureCandidate> choose(QWidget *parent, const QString &fileName);

    // The chip picked last; none while nothing is picked.
    std::optional<CapsureCandidate> chosen() const;

public slots:
    void itemSelectionChanged(int itemIndex);
    void okBtnClicked();

protected:
    void resizeEvent(QResizeEvent *event) override;

private:
    QList<CapsureCandidate> m_choices;
    QFrame *m_background = nullptr;
    QComboBox *m_combo = nullptr;
    QFrame *m_swatch = nullptr;
    TaskButton *m_okButton = nullptr;
    QLabel *m_label = nullptr;
    // Position in m_choices; -1 while nothing is picked.
    qsizetype m_chosen = -1;
};

} // namespace Sorven
