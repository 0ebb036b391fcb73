#include "core/aboutbox.h"

#include "core/interfacefonts.h"
#include "core/usersettings.h"
#include "db/displaytext.h"
#include "db/lookups.h"

#include <QApplication>
#include <QFontMetrics>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QTextEdit>

#include <algorithm>

namespace Sorven {

namespace {

const QString ProgramVersion = QStringLiteral("4.0.0");
const int Margin = 16;
const int LineGap = 4;
const QSize LogoSize(128, 48);
const QSize LogoImageSize(128, 64);

QString text(const char *key)
{
    return DB::localeString(UserSettings::lastUsedCollection(), QString::fromLatin1(key));
}

void fitToText(QLabel *label)
{
    const QFontMetrics metrics(label->font());
    label->resize(metrics.horizontalAdvance(label->text()), metrics.height());
}

} // namespace

AboutBox::AboutBox(QWidget *parent, const QString &productText)
    : QDialog(parent), m_productText(productText)
{
    setWindowTitle(text("aboutbox.caption"));
    setWindowIcon(applicationIcon());
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint
                   | Qt::WindowCloseButtonHint);
    setWindowModality(Qt::ApplicationModal);
    setSizeGripEnabled(false);
    QFont dialogFont = regularFont(2);
    dialogFont.setStyleStrategy(QFont::PreferQuality);
    setFont(dialogFont);
    createChildren();
    setFixedSize(680, 480);
    if (const QScreen *screen = QGuiApplication::primaryScreen()) {
        const QRect available = screen->geometry();
        move(available.left() + (available.width() - width()) / 2,
             available.top() + available.height() / 3);
    }
    connect(m_qtLicenseButton, &QPushButton::clicked, this, &AboutBox::onQtLicenseClicked);
    connect(m_closeButton, &QPushButton::clicked, this, &QDialog::accept);
}

QString AboutBox::versionText(const QString &productText)
{
    if (productText.isEmpty())
        return QStringLiteral("%1 %2 (%3bit)")
            .arg(text("aboutbox.version"), ProgramVersion)
            .arg(64);
    return QStringLiteral("%1 (engine %2) (%3bit)").arg(productText, ProgramVersion).arg(64);
}

QIcon AboutBox::applicationIcon()
{
    QIcon icon(QStringLiteral(":/image/ui/icon_16.png"));
    for (const int size : {32, 48, 64})
        icon.addFile(QStringLiteral(":/image/ui/icon_%1.png").arg(size), QSize(), QIcon::Normal,
                     QIcon::Off);
    return icon;
}

QLabel *AboutBox::createTextLabel(const QFont &labelFont, const QString &labelText)
{
    auto *label = new QLabel(DB::inertDisplayText(labelText), this);
    label->setFont(labelFont);
    fitToText(label);
    return label;
}

void AboutBox::createChildren()
{
    m_background = new QWidget(this);
    m_background->setStyleSheet(QStringLiteral(
        "background-color: qlineargradient(spread:pad, x1:0, y1:0, x2:0.5, y2:1, stop:0 "
        "rgba(238, 238, 238, 255), stop:1 rgba(218, 218, 218, 255));"));
    m_background->lower();

    m_logo = new QLabel(this);
    m_logo->setFrameShape(QFrame::NoFrame);
    m_logo->setPixmap(QPixmap::fromImage(DB::themeImage(
        UserSettings::lastUsedCollection(), QStringLiteral("image.about.logo"), LogoImageSize)));
    m_logo->setAlignment(Qt::AlignCenter);
    m_logo->setFixedSize(LogoSize);

    QFont titleFont(font().family(), font().pointSize() + 2);
    titleFont.setWeight(QFont::Bold);
    m_title = createTextLabel(titleFont, text("aboutbox.main"));
    m_notice = createTextLabel(font(), text("aboutbox.copyright"));
    m_version = createTextLabel(QFont(font().family(), font().pointSize() - 2),
                                versionText(m_productText));

    m_license = new QTextEdit(this);
    m_license->setReadOnly(true);
    m_license->setHtml(DB::inertRichText(text("license.copyright")));

    m_qtLicenseButton = new QPushButton(text("aboutbox.qt.license.button"), this);
    m_qtLicenseButton->setAutoDefault(false);
    m_qtLicenseButton->adjustSize();
    m_closeButton = new QPushButton(text("aboutbox.close.button"), this);
    m_closeButton->setAutoDefault(false);
    m_closeButton->setDefault(true);
    m_closeButton->adjustSize();
    const int buttonWidth = std::max(m_qtLicenseButton->width(), m_closeButton->width()) + 6;
    m_qtLicenseButton->resize(buttonWidth, m_qtLicenseButton->height());
    m_closeButton->resize(buttonWidth, m_closeButton->height());
}

void AboutBox::resizeEvent(QResizeEvent *event)
{
    QDialog::resizeEvent(event);
    layoutContents();
}

void AboutBox::layoutContents()
{
    m_background->setGeometry(rect());
    m_logo->move(Margin, Margin);
    const int column = m_logo->pixmap().isNull() ? Margin : Margin + m_logo->width() + Margin;
    m_title->move(column, Margin);
    m_notice->move(column, m_title->geometry().bottom() + 1 + LineGap);
    m_version->move(column, m_notice->geometry().bottom() + 1 + LineGap);
    const int buttonTop = height() - Margin - m_closeButton->height();
    m_qtLicenseButton->move(column, height() - Margin - m_qtLicenseButton->height());
    m_closeButton->move(width() - Margin - m_closeButton->width(), buttonTop);
    const int licenseTop = m_version->geometry().bottom() + 1 + LineGap;
    m_license->setGeometry(column, licenseTop, width() - Margin - column,
                           buttonTop - 17 - licenseTop);
}

void AboutBox::onQtLicenseClicked()
{
    QApplication::aboutQt();
}

} // namespace Sorven
