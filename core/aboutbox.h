#pragma once

#include <QDialog>
#include <QIcon>
#include <QString>

class QLabel;
class QPushButton;
class QTextEdit;

namespace Sorven {

// The modal About dialog: the selected collection's logo, title, notice, version and licence
// texts, with a way to Qt's own about dialog.
class AboutBox : public QDialog
{
    Q_OBJECT
    Q_DISABLE_COPY(AboutBox)

public:
    AboutBox(QWidget *parent, const QString &productText);

    static QString versionText(const QString &productText);
    static QIcon applicationIcon();

protected:
    void resizeEvent(QResizeEvent *event) override;

private slots:
    void onQtLicenseClicked();

private:
    void createChildren();
    QLabel *createTextLabel(const QFont &font, const QString &text);
    void layoutContents();

    QString m_productText;
    QWidget *m_background = nullptr;
    QLabel *m_logo = nullptr;
    QLabel *m_title = nullptr;
    QLabel *m_notice = nullptr;
    QLabel *m_version = nullptr;
    QTextEdit *m_license = nullptr;
    QPushButton *m_qtLicenseButton = nullptr;
    QPushButton *m_closeButton = nullptr;
};

} // namespace Sorven
