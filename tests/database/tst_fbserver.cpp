#include "TestSupport.h"

#include "database/FbConnection.h"
#include "database/FbQuery.h"
#include "database/FbScript.h"
#include "database/FbServices.h"

#include <QFileInfo>

// Runs against the private test server that scripts/test starts (REELNEST_FB_SERVER=127.0.0.1/<port>).
class TestFbServer : public QObject
{
    Q_OBJECT

private:
    QString m_server;
    QTemporaryDir m_dir;

    QString remote(const QString &fileName) const { return m_server + QLatin1Char(':') + m_dir.filePath(fileName); }

    static QString failure(const std::function<void()> &action)
    {
        try {
            action();
        } catch (const FbError &error) {
            return error.message();
        }
        return QString();
    }

private slots:
    void initTestCase()
    {
        m_server = qEnvironmentVariable("REELNEST_FB_SERVER");
        if (m_server.isEmpty())
            QSKIP("REELNEST_FB_SERVER is not set (scripts/test starts a server)");
        QVERIFY(m_dir.isValid());
    }

    void collectionThroughTheServer()
    {
        const QString database = remote(QStringLiteral("collection.fdb"));
        QVERIFY(!FbConnection::isLocalDatabaseString(database));
        FbConnection db;
        db.setDatabaseName(database);
        db.createDatabase();
        db.startTransaction();
        QCOMPARE(FbQuery::scalar(db, QStringLiteral("select MON$REMOTE_PROTOCOL from MON$ATTACHMENTS "
                                                    "where MON$ATTACHMENT_ID = current_connection"))
                     .toString()
                     .trimmed(),
                 QStringLiteral("TCPv4"));
        QCOMPARE(FbQuery::scalar(db, QStringLiteral("select MON$PAGE_SIZE from MON$DATABASE")).toInt(), 4096);
        QVERIFY(RunScript(db, QStringLiteral("create table MOVIE (MOVIE_ID float not null, NAME varchar(120),"
                                             " PLOT blob sub_type 1, COVER blob sub_type 0, ADDED date);"))
                    .isEmpty());

        const QByteArray cover(150 * 1024, '\x7f');
        FbQuery insert(db);
        insert.setSql(QStringLiteral("insert into MOVIE (MOVIE_ID, NAME, PLOT, COVER, ADDED) "
                                     "values (:ID, :NAME, :PLOT, :COVER, :ADDED)"));
        insert.setParam(QStringLiteral("ID"), 1.0);
        insert.setParam(QStringLiteral("NAME"), QStringLiteral("Ο Θίασος"));
        insert.setTextBlobParam(QStringLiteral("PLOT"), QStringLiteral("旅芸人の記録"));
        insert.setParam(QStringLiteral("COVER"), cover);
        insert.setParam(QStringLiteral("ADDED"), QDate(1975, 5, 1));
        insert.exec();
        db.commitRetaining();

        FbConnection reader;
        reader.setDatabaseName(database);
        reader.connect();
        reader.startTransaction();
        FbQuery select(reader);
        select.setSql(QStringLiteral("select * from MOVIE"));
        select.open();
        QVERIFY(select.next());
        QCOMPARE(select.value(QStringLiteral("MOVIE_ID")).toDouble(), 1.0);
        QCOMPARE(select.value(QStringLiteral("NAME")).toString(), QStringLiteral("Ο Θίασος"));
        QCOMPARE(select.value(QStringLiteral("PLOT")).toString(), QStringLiteral("旅芸人の記録"));
        QCOMPARE(select.value(QStringLiteral("COVER")).toByteArray(), cover);
        QCOMPARE(select.value(QStringLiteral("ADDED")).toDate(), QDate(1975, 5, 1));
        QVERIFY(!select.next());

        // While the server holds the file, the embedded engine must refuse it, not share it.
        FbConnection embedded;
        embedded.setDatabaseName(m_dir.filePath(QStringLiteral("collection.fdb")));
        const QString message = failure([&] { embedded.connect(); });
        QVERIFY2(message.contains(QStringLiteral("Database already opened with engine instance")), qPrintable(message));
    }

    void theServerChecksCredentials()
    {
        FbConnection db;
        db.setDatabaseName(remote(QStringLiteral("credentials.fdb")));
        db.createDatabase();
        db.disconnect();
        db.setPassword(QStringLiteral("not-the-password"));
        const QString message = failure([&] { db.connect(); });
        QVERIFY2(message.contains(QStringLiteral("password")), qPrintable(message));
        QVERIFY(!db.isConnected());
        db.setPassword(QStringLiteral("tavernoak"));
        db.connect();
        QVERIFY(db.isConnected());
    }

    void backupAndRestoreThroughTheServiceManager()
    {
        const QString database = remote(QStringLiteral("tobackup.fdb"));
        {
            FbConnection db;
            db.setDatabaseName(database);
            db.createDatabase();
            db.startTransaction();
            RunScript(db, QStringLiteral("create table T (ID integer, NAME varchar(20));"
                                         "insert into T values (7, 'Żółw');"));
            db.commit();
        }
        const QString backup = m_dir.filePath(QStringLiteral("server.bak"));
        QStringList lines;
        BackupDatabase(database, backup, QStringLiteral("SYSDBA"), QStringLiteral("tavernoak"),
                       [&](const QString &line) { lines.append(line); });
        QVERIFY(QFileInfo(backup).size() > 0);
        QVERIFY2(lines.filter(QStringLiteral("gbak:")).size() > 5, qPrintable(lines.join('\n')));

        const QString restored = remote(QStringLiteral("restored.fdb"));
        lines.clear();
        RestoreDatabase(backup, restored, false, QStringLiteral("SYSDBA"), QStringLiteral("tavernoak"),
                        [&](const QString &line) { lines.append(line); });
        QVERIFY(!lines.isEmpty());
        FbConnection check;
        check.setDatabaseName(restored);
        check.connect();
        check.startTransaction();
        QCOMPARE(FbQuery::scalar(check, QStringLiteral("select NAME from T where ID = 7")).toString(),
                 QStringLiteral("Żółw"));

        const QString message =
            failure([&] { BackupDatabase(database, backup, QStringLiteral("SYSDBA"), QStringLiteral("wrong")); });
        QVERIFY2(!message.isEmpty(), "the service manager must check the password");
    }
};

RN_TEST_MAIN(TestFbServer)
#include "tst_fbserver.moc"
