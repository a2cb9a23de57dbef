#pragma once

#include "core/UserInterface.h"

#include <QPointer>

class QWidget;
class TWait_frm;

// Message boxes, the busy cursor and the wait window of the desktop program. With the environment
// variable REELNEST_UNATTENDED set (screenshots, tests of the whole program), messages go to
// standard error and take their first answer instead of waiting for a click.
class WidgetsUserInterface : public UserInterface
{
public:
    WidgetsUserInterface();
    ~WidgetsUserInterface() override;

    MessageAnswer showMessage(MessageKind kind, const QString &text, MessageButtons buttons) override;
    void setBusyCursor(bool busy) override;
    void showWait(const QString &message, int maxProgress) override;
    void setWaitProgress(int position) override;
    void hideWait() override;
    bool runFirstStartDialog() override;

    void createWaitWindow(QWidget *owner);
    TWait_frm *waitWindow() const;

    static bool unattended();

private:
    QPointer<TWait_frm> m_wait;
    int m_busyDepth = 0;
    ConsoleUserInterface m_console;
};
