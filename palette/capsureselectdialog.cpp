#include "palette/capsureselectdialog.h"

#include "core/interfacefonts.h"
#include "core/usersettings.h"
#include "db/displaytext.h"
#include "db/lookups.h"
#include "palette/savefailuremessage.h"
#include "widgets/taskbutton.h"

#include <QComboBox>
#include <QFrame>
#include <QLabel>
#include <QResizeEvent>

namespace Sorven {

namespace {

const QSize DialogSize(320, 200);
const QSize OkButtonSize(80, 22);

QString swatchStyle(const QColor &color)
{
    return QStringLiteral("background-color: rgba(%1, %2, %3, %4);")
        .arg(color.red())
        .arg(color.green())
        .arg(color.blue())
        .arg(color.alpha());
}

} // namespace

CapsureSelectDialog::CapsureSelectDialog(const QUuid &collection,
                                         const QList<CapsureCandidate> &candidates, QWidget *parent)
    : QDialog(parent), m_choices(capsureChoices(candidates))
{
    setWindowTitle(DB::localeString(collection, QStringLiteral("capsure.dialog.caption")));
    setWindowFlags((windowFlags()
                    & ~(Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint
                        | Qt::WindowContextHelpButtonHint | Qt::MSWindowsFixedSizeDialogHint))
                   | Qt::CustomizeWindowHint);
    setWindowOpacity(1.0);
    setFont(regularFont(2));

    m_background = new QFrame(this);
    m_background->setStyleSheet(QStringLiteral("background-color: rgb(123, 123, 123);"));

    m_combo = new QComboBox(this);
    m_combo->setEditable(false);
    m_combo->setInsertPolicy(QComboBox::InsertAtBottom);
    m_combo->setFont(font());
    m_combo->raise();

    m_swatch = new QFrame(this);
    m_swatch->setObjectName(QStringLiteral("swatch"));
    m_swatch->setStyleSheet(QStringLiteral("background-color: rgb(255, 0, 0);"));
    m_swatch->raise();

    m_okButton = new TaskButton(this);
    m_okButton->setText(QStringLiteral("OK"));
    m_okButton->setEnabled(false);
    m_okButton->setDefault(true);
    m_okButton->adjustSize();
    m_okButton->raise();
    connect(m_okButton, &QPushButton::clicked, this, &CapsureSelectDialog::okBtnClicked);

    m_label = new QLabel(
        DB::inertDisplayText(DB::localeString(collection, QStringLiteral("capsure.dialog.todo"))),
        this);
    m_label->setAlignment(Qt::AlignCenter);
    m_label->setStyleSheet(QStringLiteral("color:rgb(240,240,240);border-color:rgb(255,255,255);"));
    m_label->setFrameStyle(QFrame::Box | QFrame::Plain);
    m_label->raise();

    // Chip IDs repeat across database files, so an item names its choice by position.
    for (qsizetype i = 0; i < m_choices.size(); ++i)
        m_combo->addItem(m_choices[i].text, i);
    itemSelectionChanged(m_combo->currentIndex());
    connect(m_combo, &QComboBox::currentIndexChanged, this,
            &CapsureSelectDialog::itemSelectionChanged);

    setFixedSize(DialogSize);
    QResizeEvent event(size(), size());
    resizeEvent(&event);
}

std::optional<CapsureCandidate> CapsureSelectDialog::choose(QWidget *parent,
                                                            const QString &fileName)
{
    const QUuid collection = UserSettings::lastUsedCollection();
    const CapsureMatch match = matchCapsureFile(fileName);
    if (!match.error.isEmpty()) {
        showCapsureFailure(parent, collection, match.error);
        return std::nullopt;
    }
    CapsureSelectDialog dialog(collection, match.candidates, parent);
    // Modal to the palette's window only: the drawing program's other windows stay usable.
    dialog.setWindowModality(Qt::WindowModal);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return dialog.chosen();
}

std::optional<CapsureCandidate> CapsureSelectDialog::chosen() const
{
    if (m_chosen < 0 || m_chosen >= m_choices.size())
        return std::nullopt;
    return m_choices[m_chosen];
}

void CapsureSelectDialog::itemSelectionChanged(int itemIndex)
{
    m_chosen = itemIndex >= 0 ? m_combo->itemData(itemIndex).toLongLong() : -1;
    const std::optional<CapsureCandidate> choice = chosen();
    m_swatch->setStyleSheet(swatchStyle(choice ? choice->entry.color() : QColor(0, 0, 0, 0)));
    m_okButton->setEnabled(choice.has_value());
}

void CapsureSelectDialog::okBtnClicked()
{
    accept();
}

void CapsureSelectDialog::resizeEvent(QResizeEvent *event)
{
    QDialog::resizeEvent(event);
    const int w = width();
    const int h = height();
    const int lineHeight = fontMetrics().height();
    const int comboHeight = m_combo->sizeHint().height();
    m_combo->setGeometry(QRect(QPoint(48, 20), QPoint(w - 49, comboHeight + 21)));
    m_label->setGeometry(QRect(QPoint(-1, h - lineHeight - 8), QPoint(w, h)));
    const QRect ok(QPoint((w - OkButtonSize.width()) / 2, h - lineHeight - 42), OkButtonSize);
    m_okButton->setGeometry(ok);
    m_swatch->setGeometry(QRect(QPoint(48, comboHeight + 33), QPoint(w - 49, ok.top() - 12)));
    m_background->setGeometry(rect());
}

} // namespace Sorven
