#include "hostcommands.h"

#include <AcStatusBar.h>
#include <acdocman.h>
#include <standinframe.h>

#include <QAbstractButton>
#include <QApplication>
#include <QFileDialog>
#include <QMainWindow>
#include <QMessageBox>
#include <QPainter>
#include <QPlainTextEdit>
#include <QTest>
#include <QTimer>
#include <QWindow>

#include <cstdio>
#include <utility>

namespace {

// Every visible top-level window of the host drawn at its place over the main window.
QImage hostImage()
{
    QMainWindow *main = StandIn::mainWindow();
    QImage image = main->grab().toImage();
    QPainter painter(&image);
    const QPoint origin = main->geometry().topLeft();
    for (QWidget *window : QApplication::topLevelWidgets()) {
        if (window != main && window->isVisible() && window->parentWidget() == main)
            painter.drawPixmap(window->geometry().topLeft() - origin, window->grab());
    }
    return image;
}

// The palette surface of the loaded module, found by name: the host knows nothing else of it.
QWidget *paletteSurface()
{
    for (QWidget *widget : QApplication::allWidgets()) {
        if (widget->objectName() == QLatin1String("MainWidget") && widget->isVisible())
            return widget;
    }
    return nullptr;
}

QAbstractButton *visibleButton(const QString &text)
{
    for (QWidget *widget : QApplication::allWidgets()) {
        auto *button = qobject_cast<QAbstractButton *>(widget);
        if (button && button->isVisible() && button->text().remove(u'&') == text)
            return button;
    }
    return nullptr;
}

QPoint pointArgument(const QStringList &words, int first)
{
    return QPoint(words.value(first).toInt(), words.value(first + 1).toInt());
}

} // namespace

HostCommands::HostCommands(const QString &defaultModule, QObject *parent)
    : QObject(parent), m_defaultModule(defaultModule), m_loader([this](int message, int answer) {
          print(QStringLiteral("message %1 -> %2").arg(message).arg(answer));
      })
{ }

void HostCommands::runScript(const QString &script)
{
    m_scripted = true;
    run(script);
}

void HostCommands::run(const QString &commands)
{
    const bool idle = m_pending.isEmpty();
    for (const QString &command : commands.split(u';', Qt::SkipEmptyParts)) {
        if (!command.trimmed().isEmpty())
            m_pending.append(command.trimmed());
    }
    if (idle)
        runNext();
}

void HostCommands::runNext()
{
    while (!m_pending.isEmpty()) {
        const QString command = m_pending.takeFirst();
        const QStringList words = command.split(u' ', Qt::SkipEmptyParts);
        if (words.first() == QLatin1String("wait") && words.size() == 2) {
            QTimer::singleShot(words.at(1).toInt(), this, &HostCommands::runNext);
            return;
        }
        if (!execute(command)) {
            m_pending.clear();
            if (m_scripted)
                QCoreApplication::exit(1);
            return;
        }
    }
    m_scripted = false;
}

bool HostCommands::execute(const QString &command)
{
    const QStringList words = command.split(u' ', Qt::SkipEmptyParts);
    const QString verb = words.first();
    const QString argument = command.section(u' ', 1).trimmed();
    if (verb == QLatin1String("load")) {
        if (m_loader.load(argument.isEmpty() ? m_defaultModule : argument))
            return true;
        fail(QStringLiteral("the module could not be loaded"));
        return false;
    }
    if (verb == QLatin1String("unload")) {
        m_loader.unload();
        return true;
    }
    if (verb == QLatin1String("new")) {
        acDocManager->appContextNewDocument(nullptr);
        return true;
    }
    if (verb == QLatin1String("close")) {
        acDocManager->closeDocument(acDocManager->curDocument());
        return true;
    }
    if (verb == QLatin1String("pane")) {
        if (AcPane *pane = acedGetApplicationStatusBar()->GetPane(0))
            pane->OnLButtonDown(0, CPoint());
        return true;
    }
    if (verb == QLatin1String("click") || verb == QLatin1String("drag"))
        return mouse(words);
    if (verb == QLatin1String("answer")) {
        m_fileAnswer = argument;
        return true;
    }
    if (verb == QLatin1String("press"))
        return press(argument);
    if (verb == QLatin1String("screenshot"))
        return screenshot(argument);
    if (verb == QLatin1String("quit")) {
        m_loader.quit();
        m_pending.clear();
        QCoreApplication::exit(m_exitCode);
        return true;
    }
    fail(QStringLiteral("unknown command: %1").arg(command));
    return false;
}

// Mouse input as the window system delivers it, so that a drag started by the press runs its
// own event loop and sees the later moves and the release.
bool HostCommands::mouse(const QStringList &words)
{
    QWidget *surface = paletteSurface();
    const bool drag = words.first() == QLatin1String("drag");
    if (!surface || words.size() != (drag ? 5 : 3)) {
        fail(QStringLiteral("nothing to %1 there").arg(words.first()));
        return false;
    }
    QWindow *window = surface->window()->windowHandle();
    const auto at
        = [surface](const QPoint &point) { return surface->mapTo(surface->window(), point); };
    const QPoint from = at(pointArgument(words, 1));
    const QPoint to = drag ? at(pointArgument(words, 3)) : from;
    QTest::mousePress(window, Qt::LeftButton, {}, from);
    if (drag) {
        QTimer::singleShot(100, window, [window, to] { QTest::mouseMove(window, to); });
        QTimer::singleShot(200, window,
                           [window, to] { QTest::mouseRelease(window, Qt::LeftButton, {}, to); });
        for (int step = 1; step <= 4; ++step)
            QTest::mouseMove(window, from + (to - from) * step / 40);
        QTest::qWait(300);
        return true;
    }
    QTest::mouseRelease(window, Qt::LeftButton, {}, to);
    return true;
}

// Clicks the visible button with that text, as the user would; a file dialog it opens is
// answered with the file of the last "answer" command, or cancelled without one.
bool HostCommands::press(const QString &text)
{
    QAbstractButton *button = visibleButton(text);
    if (!button) {
        fail(QStringLiteral("no button %1").arg(text));
        return false;
    }
    QTimer answering;
    connect(&answering, &QTimer::timeout, this, &HostCommands::answerFileDialog);
    answering.start(50);
    button->click();
    return true;
}

void HostCommands::answerFileDialog()
{
    for (QWidget *window : QApplication::topLevelWidgets()) {
        if (!window->isVisible())
            continue;
        // A message box would wait for a user the script does not have.
        if (auto *box = qobject_cast<QMessageBox *>(window)) {
            fail(box->text());
            box->reject();
            continue;
        }
        auto *dialog = qobject_cast<QFileDialog *>(window);
        if (!dialog)
            continue;
        if (m_fileAnswer.isEmpty()) {
            dialog->reject();
            continue;
        }
        // The dialog keeps what is typed in its name box while that box has the focus.
        if (QWidget *focus = dialog->focusWidget())
            focus->clearFocus();
        dialog->selectFile(std::exchange(m_fileAnswer, QString()));
        static_cast<QDialog *>(dialog)->accept();
    }
}

bool HostCommands::screenshot(const QString &path)
{
    if (hostImage().save(path, "PNG"))
        return true;
    fail(QStringLiteral("cannot write %1").arg(path));
    return false;
}

void HostCommands::print(const QString &line)
{
    StandIn::commandHistory()->appendPlainText(line);
    std::fputs(qPrintable(line + u'\n'), stdout);
    std::fflush(stdout);
}

void HostCommands::fail(const QString &message)
{
    m_exitCode = 1;
    StandIn::commandHistory()->appendPlainText(message);
    std::fputs(qPrintable(QStringLiteral("vexa-host: %1\n").arg(message)), stderr);
}
