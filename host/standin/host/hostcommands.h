#pragma once

#include "moduleloader.h"

#include <QObject>
#include <QStringList>

// The host's command interpreter: what the user types at the command line and what scripts
// pass with --commands, one command at a time, waiting where a command says so.
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
    bool execute(const QString &command);
    bool mouse(const QStringList &words);
    bool press(const QString &text);
    void answerFileDialog();
    bool screenshot(const QString &path);
    void print(const QString &line);
    void fail(const QString &message);

    QString m_defaultModule;
    ModuleLoader m_loader;
    QStringList m_pending;
    QString m_fileAnswer;
    int m_exitCode = 0;
    bool m_scripted = false;
};
