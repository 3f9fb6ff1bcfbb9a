#pragma once

#include <QString>
#include <QStringList>

// What a finished helper program left behind.
struct CommandResult {
    bool started = false;
    int exitcode = -1;
    QString output; // standard output
    QString errors; // standard error
    bool ok() const { return started && exitcode == 0; }
};

// Runs a desktop's own helper programs (gsettings, xfconf-query) and waits for them.
class CommandRunner {
public:
    virtual ~CommandRunner() = default;
    virtual CommandResult run(const QString& program, const QStringList& args) = 0;
};

class ProcessRunner : public CommandRunner {
public:
    explicit ProcessRunner(int timeoutMsecs = 5000) : timeout_(timeoutMsecs) {}
    CommandResult run(const QString& program, const QStringList& args) override;

private:
    int timeout_;
};
