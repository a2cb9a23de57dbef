#pragma once

#include <QString>

// What the core asks of whoever shows things to the user. The desktop program installs a
// widgets implementation at start; the command-line tool and the tests install their own.
// Every rule stays in the core: this interface only shows boxes, cursors and the wait window.

enum class MessageKind { Information, Warning, Error, Confirmation };
enum class MessageButtons { Ok, OkCancel, YesNo, YesNoCancel, AbortRetry };
enum class MessageAnswer { Ok, Cancel, Yes, No, Abort, Retry };

class UserInterface
{
public:
    virtual ~UserInterface() = default;

    virtual MessageAnswer showMessage(MessageKind kind, const QString &text, MessageButtons buttons) = 0;
    // The application's standard message for an error that no operation handled.
    virtual void showApplicationError(const QString &message);
    virtual void setBusyCursor(bool busy);
    virtual void showWait(const QString &message, int maxProgress);
    virtual void setWaitProgress(int position);
    virtual void hideWait();
    // Lets pending window messages run during long work.
    virtual void processEvents();
    // The first-start dialog; returns when it closes. True when a database was opened.
    virtual bool runFirstStartDialog();
    // Ends the program after a problem it cannot go on with: every running event loop is left, and
    // the start-up sequence, which asks endRequested() before it enters its own loop, stops.
    virtual void endApplication(int exitCode);
    bool endRequested() const { return m_endRequested; }
    int requestedExitCode() const { return m_exitCode; }

private:
    bool m_endRequested = false;
    int m_exitCode = 0;
};

// The hourglass cursor for the lifetime of the object.
class BusyCursor
{
public:
    BusyCursor();
    ~BusyCursor();
    BusyCursor(const BusyCursor &) = delete;
    BusyCursor &operator=(const BusyCursor &) = delete;
};

// Writes messages to standard error and answers every question with its first choice;
// the default until a program installs another.
class ConsoleUserInterface : public UserInterface
{
public:
    MessageAnswer showMessage(MessageKind kind, const QString &text, MessageButtons buttons) override;
};

UserInterface &userInterface();
// Installs ui (not owned) as the current one; nullptr restores the console default.
void setUserInterface(UserInterface *ui);
