#include "core/WidgetsUserInterface.h"

#include "core/ChooseLanguage.h"
#include "core/Splash.h"
#include "core/Wait.h"
#include "database/DM1_u.h"

#include <QApplication>
#include <QMessageBox>

namespace {

QMessageBox::Icon iconOf(MessageKind kind)
{
    switch (kind) {
    case MessageKind::Information:
        return QMessageBox::Information;
    case MessageKind::Warning:
        return QMessageBox::Warning;
    case MessageKind::Error:
        return QMessageBox::Critical;
    case MessageKind::Confirmation:
        return QMessageBox::Question;
    }
    return QMessageBox::NoIcon;
}

QMessageBox::StandardButtons buttonsOf(MessageButtons buttons)
{
    switch (buttons) {
    case MessageButtons::Ok:
        return QMessageBox::Ok;
    case MessageButtons::OkCancel:
        return QMessageBox::Ok | QMessageBox::Cancel;
    case MessageButtons::YesNo:
        return QMessageBox::Yes | QMessageBox::No;
    case MessageButtons::YesNoCancel:
        return QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel;
    case MessageButtons::AbortRetry:
        return QMessageBox::Abort | QMessageBox::Retry;
    }
    return QMessageBox::Ok;
}

MessageAnswer answerOf(int button)
{
    switch (button) {
    case QMessageBox::Cancel:
        return MessageAnswer::Cancel;
    case QMessageBox::Yes:
        return MessageAnswer::Yes;
    case QMessageBox::No:
        return MessageAnswer::No;
    case QMessageBox::Abort:
        return MessageAnswer::Abort;
    case QMessageBox::Retry:
        return MessageAnswer::Retry;
    default:
        return MessageAnswer::Ok;
    }
}

} // namespace

WidgetsUserInterface::WidgetsUserInterface()
{
    setUserInterface(this);
}

WidgetsUserInterface::~WidgetsUserInterface()
{
    delete m_wait;
    setUserInterface(nullptr);
}

bool WidgetsUserInterface::unattended()
{
    return !qEnvironmentVariableIsEmpty("REELNEST_UNATTENDED");
}

MessageAnswer WidgetsUserInterface::showMessage(MessageKind kind, const QString &text, MessageButtons buttons)
{
    if (unattended())
        return m_console.showMessage(kind, text, buttons);
    HideSplashWindow();
    QMessageBox box(iconOf(kind), QStringLiteral("Reelnest"), text, buttonsOf(buttons), QApplication::activeWindow());
    return answerOf(box.exec());
}

void WidgetsUserInterface::setBusyCursor(bool busy)
{
    if (busy) {
        ++m_busyDepth;
        QApplication::setOverrideCursor(Qt::WaitCursor);
        return;
    }
    // The normal cursor comes back whatever was stacked, as an error box requires.
    while (m_busyDepth > 0) {
        QApplication::restoreOverrideCursor();
        --m_busyDepth;
    }
}

void WidgetsUserInterface::createWaitWindow(QWidget *owner)
{
    delete m_wait;
    m_wait = new TWait_frm(owner);
}

void WidgetsUserInterface::showWait(const QString &message, int maxProgress)
{
    if (SplashWindowExists())
        return;
    if (!m_wait)
        m_wait = new TWait_frm(nullptr);
    m_wait->showWait(message, maxProgress);
}

void WidgetsUserInterface::setWaitProgress(int position)
{
    if (m_wait)
        m_wait->setProgress(position);
}

void WidgetsUserInterface::hideWait()
{
    if (m_wait)
        m_wait->hideWait();
    else
        processEvents();
}

bool WidgetsUserInterface::runFirstStartDialog()
{
    HideSplashWindow();
    TChooseLanguage_frm dialog;
    dialog.exec();
    return HasDM1() && DM1().MainConnection.isConnected();
}

TWait_frm *WidgetsUserInterface::waitWindow() const
{
    return m_wait;
}
