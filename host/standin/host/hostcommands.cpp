#include "hostcommands.h"

#include <AcStatusBar.h>
#include <acdocman.h>
#include <standinframe.h>

#include <QApplication>
#include <QMainWindow>
#include <QPainter>
#include <QPlainTextEdit>
#include <QTimer>

#include <cstdio>

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
