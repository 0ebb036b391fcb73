#pragma once

#include <QObject>

// Turns the paint, input and size events of a Qt window whose procedure was replaced into the
// platform's messages and sends them through the window's procedure chain. An event whose
// message does not reach Qt's procedure is dropped: on the platform, a replaced procedure that
// does not pass messages on leaves Qt's window unpainted and deaf.
class WindowMessageGate : public QObject
{
public:
    // Starts watching the application's events, once per application.
    static void watch();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    using QObject::QObject;
};
