#pragma once

#include <QApplication>
#include <QString>

// The desktop program's application object: an exception that no operation handled reaches the
// user as the standard error message and the program goes on.
class ReelnestApplication : public QApplication
{
public:
    ReelnestApplication(int &argc, char **argv);
    bool notify(QObject *receiver, QEvent *event) override;
};

// The name under which a running program can be found by another instance.
QString InstanceServerName();
// The lock file that only one running program can hold.
QString InstanceLockFilePath();

// The start sequence; returns the program's exit code.
int RunReelnest(int argc, char **argv);
