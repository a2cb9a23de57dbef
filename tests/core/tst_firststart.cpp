#include "TestSupport.h"

#include "core/FirstStart.h"
#include "core/GlobalFunctions.h"
#include "core/Translations.h"
#include "database/DM1_u.h"
#include "database/DatabaseList.h"
#include "database/FbQuery.h"

#include <QDir>

class TestFirstStart : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        QVERIFY(LoadLanguageTexts() == TranslationLoad::Loaded);
        ForceDataFolders();
    }

    void refusedPaths_data()
    {
        QTest::addColumn<QString>("path");
        QTest::addColumn<QString>("message");
        QTest::newRow("network share") << "\\\\nas\\movies\\db.fdb"
                                       << "created on the local harddrive";
        QTest::newRow("network path on unix") << "//nas/movies/db.fdb"
                                              << "created on the local harddrive";
        QTest::newRow("quote") << TestHome() + "/Bob's movies.fdb"
                               << "do not allow ' symbols";
    }

    void refusedPaths()
    {
        QFETCH(QString, path);
        QFETCH(QString, message);
        RecordingUserInterface ui;
        TDM1 dm;
        QVERIFY(!FirstStartAccept(&path));
        QCOMPARE(ui.messages.size(), 1);
        QVERIFY(ui.messages.at(0).kind == MessageKind::Information);
        QVERIFY2(ui.messages.at(0).text.contains(message), qPrintable(ui.messages.at(0).text));
        QVERIFY(!dm.MainConnection.isConnected());
    }

    void newPathIsCreatedWithItsExtensionAndOpened()
    {
        RecordingUserInterface ui;
        TDM1 dm;
        QString path = TestHome() + QStringLiteral("/Reelnest Databases/Sub Folder/My Films");
        QVERIFY(FirstStartAccept(&path));
        QCOMPARE(path, TestHome() + QStringLiteral("/Reelnest Databases/Sub Folder/My Films.fdb"));
        QVERIFY(QFile::exists(path));
        QVERIFY(dm.MainConnection.isConnected() && dm.MainConnection.inTransaction());
        // Stored as given: this file system tells case apart.
        QCOMPARE(dm.MainConnection.databaseName(), path);
        // No demo collection ships, so the new collection has its own default rows.
        QCOMPARE(FbQuery::scalar(dm.MainConnection, QStringLiteral("select VERSION from DB_INFO")).toInt(), 20208);
        QCOMPARE(CountRows(QStringLiteral("select * from LANGUAGELIST")), 47);
        QVERIFY2(ui.messages.isEmpty(), qPrintable(ui.messages.value(0).text));
    }

    void existingFileIsOpenedWithoutCreating()
    {
        RecordingUserInterface ui;
        TDM1 dm;
        const QString path = TestDatabasePath(QStringLiteral("existing"));
        QVERIFY(dm.CreateRNZDB(path, false, true, false));
        FbQuery::execute(dm.MainConnection,
                         QStringLiteral("insert into GENRELIST (GENRE_ID, NAME) values (99, 'Mine')"));
        dm.MainConnection.commitRetaining();
        dm.MainConnection.disconnect();
        QString typed = path;
        QVERIFY(FirstStartAccept(&typed));
        QCOMPARE(FbQuery::scalar(dm.MainConnection, QStringLiteral("select NAME from GENRELIST where GENRE_ID = 99"))
                     .toString(),
                 QStringLiteral("Mine"));
    }

    void startupWithoutLocationShowsTheDialog()
    {
        RecordingUserInterface ui;
        TDM1 dm;
        WriteSettingString(QStringLiteral("DB Location"), QString(), QString());
        QVERIFY(!dm.Startup());
        QCOMPARE(ui.firstStartDialogs, 1);

        const QString path = TestDatabasePath(QStringLiteral("chosen"));
        ui.onFirstStartDialog = [&] {
            QString typed = path;
            return FirstStartAccept(&typed);
        };
        QVERIFY(dm.Startup());
        QCOMPARE(ui.firstStartDialogs, 2);
        QCOMPARE(dm.MainConnection.databaseName(), path);
    }

    void startupReopensTheLastLocation()
    {
        RecordingUserInterface ui;
        TDM1 dm;
        const QString path = TestDatabasePath(QStringLiteral("last"));
        QVERIFY(dm.CreateRNZDB(path, false, true, false));
        dm.MainConnection.disconnect();
        WriteSettingString(QStringLiteral("DB Location"), QString(), path);
        QVERIFY(dm.Startup());
        QCOMPARE(ui.firstStartDialogs, 0);
        QVERIFY(dm.MainConnection.inTransaction());
        QCOMPARE(dm.MainConnection.databaseName(), path);
    }
};

RN_TEST_MAIN(TestFirstStart)
#include "tst_firststart.moc"
