#include "TestSupport.h"

#include "core/ChooseLanguage.h"
#include "core/GlobalFunctions.h"
#include "core/Splash.h"
#include "core/StartUp.h"
#include "core/Translations.h"
#include "core/Wait.h"
#include "core/WidgetsUserInterface.h"
#include "database/DM1_u.h"
#include "ui/MainForm.h"

#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QLockFile>
#include <QProcess>
#include <QPushButton>

class TestStartup : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { QVERIFY(LoadLanguageTexts() == TranslationLoad::Loaded); }

    void secondInstanceEndsBeforeAnyWindow()
    {
        QLockFile running(InstanceLockFilePath());
        QVERIFY(running.tryLock(0));
        const QString freshData = TestHome() + QStringLiteral("/second-instance-data");
        QProcess second;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("REELNEST_UNATTENDED"), QStringLiteral("1"));
        env.insert(QStringLiteral("XDG_DATA_HOME"), freshData);
        second.setProcessEnvironment(env);
        second.start(GetProgramFolder() + QStringLiteral("/reelnest"), {});
        QVERIFY(second.waitForFinished(60000));
        QCOMPARE(second.exitCode(), 0);
        QVERIFY(
            QString::fromUtf8(second.readAllStandardError()).contains(QStringLiteral("Reelnest is already running.")));
        // The main window makes the data folders when it is created: none were made.
        QVERIFY(!QFileInfo::exists(freshData + QStringLiteral("/Reelnest")));
    }

    void firstStartDialogCreatesAndOpens()
    {
        RecordingUserInterface ui;
        TDM1 dm;
        TChooseLanguage_frm dialog;
        QCOMPARE(dialog.windowTitle(), GetText(228) + QStringLiteral(" Reelnest"));
        QCOMPARE(dialog.languageBox()->currentText(), QStringLiteral("English"));
        QVERIFY(dialog.pathField()->text().endsWith(QStringLiteral("My Database.fdb")));
        const QString path = TestHome() + QStringLiteral("/dialog/Films");
        dialog.pathField()->setText(path);
        dialog.okButton()->click();
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
        QCOMPARE(dialog.pathField()->text(), path + QStringLiteral(".fdb"));
        QVERIFY(dm.MainConnection.inTransaction());
    }

    void firstStartDialogStaysOpenOnABadPath()
    {
        RecordingUserInterface ui;
        TDM1 dm;
        TChooseLanguage_frm dialog;
        dialog.pathField()->setText(TestHome() + QStringLiteral("/it's.fdb"));
        dialog.okButton()->click();
        QCOMPARE(dialog.result(), int(QDialog::Rejected));
        QCOMPARE(ui.messages.size(), 1);
    }

    void mainWindowShowsTheCollectionAndRemembersIt()
    {
        RecordingUserInterface ui;
        TDM1 dm;
        const QString path = TestDatabasePath(QStringLiteral("window"));
        QVERIFY(dm.CreateRNZDB(path, false, true, false));
        TMainFormRNZ_frm window;
        bool firstShow = false;
        window.onFirstShow = [&] { firstShow = true; };
        window.translate();
        window.show();
        QVERIFY(firstShow);
        QCOMPARE(window.databaseSelector()->currentData().toString(), path);
        window.close();
        QCOMPARE(ReadSettingString(QStringLiteral("DB Location"), QString()), path);
        QVERIFY(!dm.MainConnection.isConnected());
    }

    void waitWindow()
    {
        TWait_frm wait;
        QCOMPARE(wait.upperText(), GetText(55));
        QCOMPARE(wait.lowerText(), GetText(56));
        wait.showWait(QStringLiteral("Importing"), 10);
        QVERIFY(wait.isVisible());
        QVERIFY(wait.progressVisible());
        QCOMPARE(wait.upperText(), QStringLiteral("Importing"));
        wait.hideWait();
        QVERIFY(!wait.isVisible());
        QVERIFY(!wait.progressVisible());
        wait.showWait(QString(), 0);
        QCOMPARE(wait.upperText(), QStringLiteral("Importing"));
        QVERIFY(!wait.progressVisible());
        wait.hideWait();
    }

    void waitWindowStaysAwayWhileTheSplashExists()
    {
        WidgetsUserInterface ui;
        {
            TSplash_frm splash;
            QVERIFY(splash.versionText().startsWith(QStringLiteral("version ")));
            ui.showWait(QStringLiteral("x"), 0);
            QVERIFY(!ui.waitWindow());
        }
        ui.showWait(QStringLiteral("x"), 0);
        QVERIFY(ui.waitWindow() && ui.waitWindow()->isVisible());
        ui.hideWait();
    }
};

RN_GUI_TEST_MAIN(TestStartup)
#include "tst_gui_startup.moc"
