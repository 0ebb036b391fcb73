#include "hostcommands.h"

#include <AcStatusBar.h>
#include <acdocman.h>
#include <standinframe.h>

#include <QAbstractButton>
#include <QApplication>
#include <QDialog>
#include <QFileDialog>
#include <QGuiApplication>
#include <QKeySequence>
#include <QMainWindow>
#include <QMessageBox>
#include <QPainter>
#include <QPlainTextEdit>
#include <QPointer>
#include <QTest>
#include <QThread>
#include <QTimer>
#include <QWindow>

#include <cstdio>
#include <utility>

namespace {

const int PollInterval = 20;
const int DialogSettleTime = 150;

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

// The dialog the user has to answer before anything else, if one is open.
QWidget *openDialog()
{
    return QApplication::activeModalWidget();
}

QString describe(const QWidget *dialog)
{
    const auto *box = qobject_cast<const QMessageBox *>(dialog);
    return (box ? box->text() : dialog->windowTitle()).simplified();
}

// A dialog's own event loop runs until it has unwound back to the host's.
bool insideDialogLoop()
{
    return QThread::currentThread()->loopLevel() > 1;
}

// While a dialog is open, only its buttons can be reached.
QAbstractButton *visibleButton(const QString &text)
{
    QWidget *dialog = openDialog();
    const QList<QWidget *> widgets
        = dialog ? dialog->findChildren<QWidget *>() : QApplication::allWidgets();
    for (QWidget *widget : widgets) {
        auto *button = qobject_cast<QAbstractButton *>(widget);
        if (button && button->isVisible() && button->text().remove(u'&') == text)
            return button;
    }
    return nullptr;
}

// Where a keyboard's keys go: an open popup or dialog first, else the focus window.
QWindow *keyboardWindow()
{
    QWidget *grab = QApplication::activePopupWidget();
    if (!grab)
        grab = openDialog();
    if (grab)
        return grab->window()->windowHandle();
    if (QWindow *focus = QGuiApplication::focusWindow())
        return focus;
    return StandIn::mainWindow()->windowHandle();
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
    for (const QString &command : commands.split(u';', Qt::SkipEmptyParts)) {
        if (!command.trimmed().isEmpty())
            m_pending.append(command.trimmed());
    }
    if (m_running || m_pending.isEmpty())
        return;
    m_running = true;
    // Never inside the key press that typed the command: the command may unload the palette
    // whose widget is still handling it.
    QTimer::singleShot(0, this, &HostCommands::runNext);
}

void HostCommands::runNext()
{
    while (!m_pending.isEmpty()) {
        const QStringList words = m_pending.first().split(u' ', Qt::SkipEmptyParts);
        if (words.first() == QLatin1String("wait") && words.size() == 2) {
            m_pending.removeFirst();
            QTimer::singleShot(words.at(1).toInt(), this, &HostCommands::runNext);
            return;
        }
        if (waitsForDialogs(words.first()))
            return;
        if (!execute(m_pending.takeFirst())) {
            stop();
            return;
        }
        if (m_inputDone)
            return;
    }
    m_running = false;
    m_scripted = false;
}

// The host is modal while a dialog is open, as the real one is: its own commands wait until the
// dialog's loop has unwound, and one that would have to run under an open dialog fails. Quit
// closes the dialog first, as closing the program would.
bool HostCommands::waitsForDialogs(const QString &verb)
{
    static const QStringList HostVerbs {QStringLiteral("load"), QStringLiteral("unload"),
                                        QStringLiteral("new"),  QStringLiteral("close"),
                                        QStringLiteral("pane"), QStringLiteral("quit")};
    if (!HostVerbs.contains(verb))
        return false;
    if (QWidget *dialog = openDialog()) {
        auto *modal = qobject_cast<QDialog *>(dialog);
        if (verb != QLatin1String("quit") || !modal) {
            fail(QStringLiteral("%1: a dialog is open: %2").arg(verb, describe(dialog)));
            stop();
            return true;
        }
        fail(QStringLiteral("quit closes a dialog left open: %1").arg(describe(dialog)));
        modal->reject();
    } else if (!insideDialogLoop()) {
        return false;
    }
    QTimer::singleShot(PollInterval, this, &HostCommands::runNext);
    return true;
}

void HostCommands::stop()
{
    m_pending.clear();
    m_inputDone.reset();
    m_running = false;
    if (std::exchange(m_scripted, false))
        QCoreApplication::exit(1);
}

bool HostCommands::execute(const QString &command)
{
    const QStringList words = command.split(u' ', Qt::SkipEmptyParts);
    const QString verb = words.first();
    const QString argument = command.section(u' ', 1).trimmed();
    if (verb == QLatin1String("click") || verb == QLatin1String("drag"))
        return mouse(words);
    if (verb == QLatin1String("press"))
        return press(argument);
    if (verb == QLatin1String("type"))
        return type(argument);
    if (verb == QLatin1String("key"))
        return key(argument);
    if (verb == QLatin1String("answer"))
        return answer(argument);
    if (verb == QLatin1String("screenshot"))
        return screenshot(argument);
    return hostCommand(verb, argument);
}

bool HostCommands::hostCommand(const QString &verb, const QString &argument)
{
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
    if (verb == QLatin1String("quit")) {
        m_loader.quit();
        m_pending.clear();
        m_running = false;
        QCoreApplication::exit(m_exitCode);
        return true;
    }
    fail(QStringLiteral("unknown command: %1 %2").arg(verb, argument).trimmed());
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
    const auto at
        = [surface](const QPoint &point) { return surface->mapTo(surface->window(), point); };
    const QPoint from = at(pointArgument(words, 1));
    const QPoint to = drag ? at(pointArgument(words, 3)) : from;
    QPointer<QWindow> window = surface->window()->windowHandle();
    deliver([window, from, to, drag] {
        if (!window)
            return;
        // A click brings its window to the front with the keyboard, as a window manager does.
        window->requestActivate();
        QTest::mousePress(window, Qt::LeftButton, {}, from);
        if (!drag) {
            QTest::mouseRelease(window, Qt::LeftButton, {}, to);
            return;
        }
        QTimer::singleShot(100, window.data(), [window, to] { QTest::mouseMove(window, to); });
        QTimer::singleShot(200, window.data(),
                           [window, to] { QTest::mouseRelease(window, Qt::LeftButton, {}, to); });
        for (int step = 1; step <= 4 && window; ++step)
            QTest::mouseMove(window, from + (to - from) * step / 40);
        QTest::qWait(300);
    });
    return true;
}

// Clicks the visible button with that text, as the user would. A file dialog it opens takes
// the file of an earlier "answer", else it stays open for the commands that follow.
bool HostCommands::press(const QString &text)
{
    QPointer<QAbstractButton> button = visibleButton(text);
    if (!button || !button->isEnabled()) {
        const QString reason
            = button ? QStringLiteral("the button %1 is disabled") : QStringLiteral("no button %1");
        fail(reason.arg(text));
        return false;
    }
    deliver([button] {
        if (button)
            button->click();
    });
    return true;
}

bool HostCommands::type(const QString &text)
{
    if (text.isEmpty()) {
        fail(QStringLiteral("nothing to type"));
        return false;
    }
    deliver([text] {
        for (const QChar character : text) {
            const auto code = Qt::Key(character.toUpper().unicode());
            QTest::sendKeyEvent(QTest::Click, keyboardWindow(), code, QString(character),
                                Qt::NoModifier);
        }
    });
    return true;
}

bool HostCommands::key(const QString &sequence)
{
    const QKeySequence keys = QKeySequence::fromString(sequence, QKeySequence::PortableText);
    if (keys.isEmpty() || keys[0].key() == Qt::Key_unknown) {
        fail(QStringLiteral("no key %1").arg(sequence));
        return false;
    }
    deliver([keys] {
        for (int index = 0; index < keys.count(); ++index)
            QTest::keyClick(keyboardWindow(), keys[index].key(), keys[index].keyboardModifiers());
    });
    return true;
}

// Answers the open file dialog with the file, as typing its name and pressing the dialog's
// button would; without one, the file waits for the next file dialog a press opens.
bool HostCommands::answer(const QString &file)
{
    QPointer<QFileDialog> dialog = qobject_cast<QFileDialog *>(openDialog());
    if (!dialog) {
        m_fileAnswer = file;
        return true;
    }
    m_fileAnswer.clear();
    deliver([dialog, file] {
        if (!dialog)
            return;
        // The dialog keeps what is typed in its name box while that box has the focus.
        if (QWidget *focus = dialog->focusWidget())
            focus->clearFocus();
        dialog->selectFile(file);
        static_cast<QDialog *>(dialog.data())->accept();
    });
    return true;
}

// Posted rather than sent, so that a dialog the input opens runs its loop outside the
// interpreter, which then goes on with the commands meant for that dialog.
void HostCommands::deliver(std::function<void()> input)
{
    auto done = std::make_shared<bool>(false);
    m_inputDone = done;
    m_dialogBeforeInput = openDialog();
    QMetaObject::invokeMethod(
        this,
        [input = std::move(input), done] {
            input();
            *done = true;
        },
        Qt::QueuedConnection);
    QTimer::singleShot(PollInterval, this, &HostCommands::resumeWhenSettled);
}

void HostCommands::resumeWhenSettled()
{
    if (!m_inputDone)
        return;
    QWidget *dialog = openDialog();
    const bool opened = dialog && dialog != m_dialogBeforeInput;
    if (!*m_inputDone && !opened) {
        QTimer::singleShot(PollInterval, this, &HostCommands::resumeWhenSettled);
        return;
    }
    m_inputDone.reset();
    if (opened) {
        print(QStringLiteral("dialog: %1").arg(describe(dialog)));
        if (!m_fileAnswer.isEmpty() && qobject_cast<QFileDialog *>(dialog))
            m_pending.prepend(QStringLiteral("answer ") + m_fileAnswer);
    }
    // A dialog gets a moment to show and take the focus before the keys meant for it.
    QTimer::singleShot(opened ? DialogSettleTime : 0, this, &HostCommands::runNext);
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
