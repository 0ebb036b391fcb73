#pragma once

#include "moduleloader.h"

#include <QObject>
#include <QPointer>
#include <QStringList>

#include <functional>
#include <memory>

// The host's command interpreter: what the user types at the command line and what scripts
// pass with --commands, one command at a time, waiting where a command says so. Input commands
// (click, drag, press, type, key, answer) act as the user's mouse and keyboard and may open a
// dialog that stays open for the commands after them; while a dialog is open the host itself
// runs no command.
class HostCommands : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY(HostCommands)

public:
    explicit HostCommands(const QString &defaultModule, QObject *parent = nullptr);

    // Runs "CMD; CMD; ..." in order; a failed command stops the rest. A script's failure also
    // ends the host with exit code 1, so that the script's caller sees it.
    void run(const QString &commands);
    void runScript(const QString &script);
    int exitCode() const { return m_exitCode; }

private:
    void runNext();
    bool waitsForDialogs(const QString &verb);
    void stop();
    bool execute(const QString &command);
    bool hostCommand(const QString &verb, const QString &argument);
    bool mouse(const QStringList &words);
    bool press(const QString &text);
    bool type(const QString &text);
    bool key(const QString &sequence);
    bool answer(const QString &file);
    void answerFileDialog();
    void deliver(std::function<void()> input);
    void resumeWhenSettled();
    bool screenshot(const QString &path);
    void print(const QString &line);
    void fail(const QString &message);

    QString m_defaultModule;
    ModuleLoader m_loader;
    QStringList m_pending;
    QString m_fileAnswer;
    // The input being delivered: done once its handler returns, which a dialog it opened delays.
    std::shared_ptr<bool> m_inputDone;
    QPointer<QWidget> m_dialogBeforeInput;
    int m_exitCode = 0;
    bool m_running = false;
    bool m_scripted = false;
};
