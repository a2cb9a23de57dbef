#include "TestSupport.h"

#include "core/GlobalFunctions.h"
#include "core/Translations.h"
#include "database/DM1_u.h"
#include "database/NetworkConnect.h"

#include <QApplication>
#include <QLineEdit>
#include <QPushButton>

class TestNetworkConnect : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { QVERIFY(LoadLanguageTexts() == TranslationLoad::Loaded); }

    void failedTestKeepsOkDisabledAndCancelReconnects()
    {
        RecordingUserInterface ui;
        TDM1 dm;
        const QString local = TestDatabasePath(QStringLiteral("before"));
        QVERIFY(dm.CreateRNZDB(local, false, true, false));
        TNetworkConnect_frm dialog;
        QCOMPARE(dialog.windowTitle(), GetText(1561));
        QVERIFY(!dialog.okButton()->isEnabled());
        dialog.addressField()->setText(QStringLiteral("127.0.0.1/1:/srv/none.fdb"));
        dialog.testButton()->click();
        QCOMPARE(dialog.statusText(), QStringLiteral("Could not Connect..."));
        QVERIFY(!dialog.okButton()->isEnabled());
        QCOMPARE(ui.messages.size(), 1);
        QVERIFY(!ui.messages.at(0).text.isEmpty());
        dialog.cancelButton()->click();
        QCOMPARE(dialog.result(), int(QDialog::Rejected));
        QCOMPARE(dm.MainConnection.databaseName(), local);
        QVERIFY(dm.MainConnection.inTransaction());
    }

    void successfulTestEnablesOk()
    {
        const QString server = qEnvironmentVariable("REELNEST_FB_SERVER");
        if (server.isEmpty())
            QSKIP("REELNEST_FB_SERVER is not set (scripts/test starts a server)");
        RecordingUserInterface ui;
        TDM1 dm;
        const QString remote = server + QLatin1Char(':') + TestDatabasePath(QStringLiteral("remote"));
        QVERIFY(dm.CreateRNZDB(remote, false, true, false));
        const QString local = TestDatabasePath(QStringLiteral("local"));
        QVERIFY(dm.CreateRNZDB(local, false, true, false));
        TNetworkConnect_frm dialog;
        dialog.addressField()->setText(remote);
        dialog.testButton()->click();
        QCOMPARE(dialog.statusText(), QStringLiteral("Connection Successfull!"));
        QVERIFY(dialog.okButton()->isEnabled());
        dialog.okButton()->click();
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
        QCOMPARE(dm.MainConnection.databaseName(), remote);
        QVERIFY(ui.messages.isEmpty());
    }
};

RN_GUI_TEST_MAIN(TestNetworkConnect)
#include "tst_gui_networkconnect.moc"
