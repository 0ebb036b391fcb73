#pragma once

#include <QApplication>
#include <QMessageBox>
#include <QString>
#include <QTimer>

// Accepts the message box that the code under test opens next, once its event loop runs, and
// keeps what it said: the text, a line feed and the informative text.
inline void acceptNextMessageBox(QString &said)
{
    QTimer::singleShot(0, [&said] {
        for (QWidget *widget : QApplication::topLevelWidgets()) {
            if (auto *box = qobject_cast<QMessageBox *>(widget); box && box->isVisible()) {
                said = box->text() + u'\n' + box->informativeText();
                box->accept();
            }
        }
    });
}
