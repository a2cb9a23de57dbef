#include "core/UserInterface.h"

#include <QCoreApplication>
#include <QTextStream>

namespace {
UserInterface *currentUi = nullptr;

MessageAnswer firstAnswer(MessageButtons buttons)
{
    switch (buttons) {
    case MessageButtons::Ok:
    case MessageButtons::OkCancel:
        return MessageAnswer::Ok;
    case MessageButtons::YesNo:
    case MessageButtons::YesNoCancel:
        return MessageAnswer::Yes;
    case MessageButtons::AbortRetry:
        return MessageAnswer::Abort;
    }
    return MessageAnswer::Ok;
}
} // namespace

void UserInterface::showApplicationError(const QString &message)
{
    showMessage(MessageKind::Error, message, MessageButtons::Ok);
}

void UserInterface::setBusyCursor(bool) {}

void UserInterface::showWait(const QString &, int) {}

void UserInterface::setWaitProgress(int) {}

void UserInterface::hideWait() {}

void UserInterface::processEvents()
{
    if (QCoreApplication::instance())
        QCoreApplication::processEvents();
}

bool UserInterface::runFirstStartDialog()
{
    return false;
}

void UserInterface::endApplication(int exitCode)
{
    m_endRequested = true;
    m_exitCode = exitCode;
    if (QCoreApplication::instance())
        QCoreApplication::exit(exitCode);
}

BusyCursor::BusyCursor()
{
    userInterface().setBusyCursor(true);
}

BusyCursor::~BusyCursor()
{
    userInterface().setBusyCursor(false);
}

MessageAnswer ConsoleUserInterface::showMessage(MessageKind, const QString &text, MessageButtons buttons)
{
    QTextStream(stderr) << text << Qt::endl;
    return firstAnswer(buttons);
}

UserInterface &userInterface()
{
    static ConsoleUserInterface console;
    return currentUi ? *currentUi : console;
}

void setUserInterface(UserInterface *ui)
{
    currentUi = ui;
}
