#pragma once

#include "core/UserInterface.h"

#include <QGuiApplication>
#include <QList>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <QVariantMap>
#include <QtTest>

// Gives every test process its own settings store, data folders and Firebird lock folder, so that
// tests never touch the user's files and can run side by side.
void PrepareTestEnvironment();
// The isolated home of this test process.
QString TestHome();
// A fresh database path inside the test home.
QString TestDatabasePath(const QString &stem);

class FbConnection;
// The first column of every row a select returns, as text.
QStringList SelectColumn(FbConnection &db, const QString &select);
// Every column of the first row a select returns, by name; empty when there is none.
QVariantMap SelectRow(FbConnection &db, const QString &select);

struct RecordedMessage
{
    MessageKind kind;
    QString text;
    MessageButtons buttons;
};

// Records every message and answers from a queue (first choice when the queue is empty).
class RecordingUserInterface : public UserInterface
{
public:
    RecordingUserInterface();
    ~RecordingUserInterface() override;

    MessageAnswer showMessage(MessageKind kind, const QString &text, MessageButtons buttons) override;
    void showApplicationError(const QString &message) override;
    bool runFirstStartDialog() override;

    QList<RecordedMessage> messages;
    QList<MessageAnswer> answers;
    int firstStartDialogs = 0;
    std::function<bool()> onFirstStartDialog;
};

#define RN_TEST_MAIN(TestClass)                                                                                        \
    int main(int argc, char **argv)                                                                                    \
    {                                                                                                                  \
        PrepareTestEnvironment();                                                                                      \
        QGuiApplication app(argc, argv);                                                                               \
        TestClass test;                                                                                                \
        return QTest::qExec(&test, argc, argv);                                                                        \
    }

#define RN_GUI_TEST_MAIN(TestClass)                                                                                    \
    int main(int argc, char **argv)                                                                                    \
    {                                                                                                                  \
        PrepareTestEnvironment();                                                                                      \
        QApplication app(argc, argv);                                                                                  \
        TestClass test;                                                                                                \
        return QTest::qExec(&test, argc, argv);                                                                        \
    }
