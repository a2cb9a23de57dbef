#include "TestSupport.h"

#include "database/FbConnection.h"
#include "database/FbQuery.h"
#include "database/FbScript.h"
#include "database/FbServices.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>

#include <clocale>
#include <sys/stat.h>
#include <unistd.h>

namespace {

QString engineMessage(const std::function<void()> &action)
{
    try {
        action();
    } catch (const FbError &error) {
        return error.message();
    }
    return QString();
}

QByteArray randomBytes(qsizetype size)
{
    QByteArray bytes(size, Qt::Uninitialized);
    QRandomGenerator generator(20208);
    for (qsizetype i = 0; i < size; ++i)
        bytes[i] = char(generator.bounded(256));
    return bytes;
}

} // namespace

class TestFbAccess : public QObject
{
    Q_OBJECT

private:
    // Before anything touched the database client.
    const QString m_lockFolderBefore = qEnvironmentVariable("FIREBIRD_LOCK");
    QTemporaryDir m_dir;
    QString m_path;
    FbConnection m_db;

    QString path(const QString &name) const { return m_dir.filePath(name); }
    int count(const QString &sql) { return FbQuery::scalar(m_db, sql).toInt(); }

public:
    // As under the plain "C" locale of many build machines: non-ASCII file names must still work.
    TestFbAccess() { setlocale(LC_CTYPE, "C"); }

private slots:
    void initTestCase()
    {
        QVERIFY(m_dir.isValid());
        m_path = path(QStringLiteral("access.fdb"));
        m_db.setDatabaseName(m_path);
        m_db.createDatabase(4096, QStringLiteral("UTF8"));
        QVERIFY(m_db.isConnected());
        QVERIFY(!m_db.inTransaction());
        m_db.startTransaction();
        const QList<FbScriptFailure> failures =
            RunScript(m_db, QStringLiteral("create table ITEMS (ID integer not null primary key, NAME varchar(100),"
                                           " QTY integer, PRICE numeric(9,2), NOTE blob sub_type 1,"
                                           " PIC blob sub_type 0, ADDED date, STAMP timestamp, CODE char(5),"
                                           " BIG bigint, RATE double precision, FLAG smallint);"));
        QVERIFY(failures.isEmpty());
    }

    void cleanupTestCase() { m_db.disconnect(); }

    void init()
    {
        if (!m_db.inTransaction())
            m_db.startTransaction();
        FbQuery::execute(m_db, QStringLiteral("delete from ITEMS"));
        m_db.commitRetaining();
    }

    void lockFolderIsPrivate()
    {
        const QString folder = qEnvironmentVariable("FIREBIRD_LOCK");
        QCOMPARE(EnsureFirebirdLockFolder(), folder);
        if (!m_lockFolderBefore.isEmpty()) {
            QCOMPARE(folder, m_lockFolderBefore); // a folder chosen by the environment is kept
            return;
        }
        QVERIFY(folder.startsWith(QDir::tempPath() + QStringLiteral("/reelnest-firebird-")));
        struct stat info;
        QCOMPARE(::stat(QFile::encodeName(folder).constData(), &info), 0);
        QCOMPARE(info.st_mode & 0777, mode_t(0700));
        QCOMPARE(info.st_uid, ::getuid());
    }

    void createdDatabaseHasPageSizeAndCharacterSet()
    {
        QCOMPARE(FbQuery::scalar(m_db, QStringLiteral("select MON$PAGE_SIZE from MON$DATABASE")).toInt(), 4096);
        QCOMPARE(FbQuery::scalar(m_db, QStringLiteral("select RDB$CHARACTER_SET_NAME from RDB$DATABASE"))
                     .toString()
                     .trimmed(),
                 QStringLiteral("UTF8"));
        QCOMPARE(FbQuery::scalar(m_db, QStringLiteral("select MON$SQL_DIALECT from MON$DATABASE")).toInt(), 3);
    }

    void commitRetainingIsVisibleToASecondConnection()
    {
        FbQuery::execute(m_db, QStringLiteral("insert into ITEMS (ID, NAME) values (1, 'first')"));

        FbConnection other;
        other.setDatabaseName(m_path);
        other.connect();
        other.startTransaction();
        QCOMPARE(FbQuery::scalar(other, QStringLiteral("select count(*) from ITEMS")).toInt(), 0);

        m_db.commitRetaining();
        QVERIFY(m_db.inTransaction());
        QCOMPARE(FbQuery::scalar(other, QStringLiteral("select count(*) from ITEMS")).toInt(), 1);

        // The retained transaction keeps working and its later commits show too.
        FbQuery::execute(m_db, QStringLiteral("insert into ITEMS (ID, NAME) values (2, 'second')"));
        m_db.commitRetaining();
        QCOMPARE(FbQuery::scalar(other, QStringLiteral("select count(*) from ITEMS")).toInt(), 2);
        other.disconnect();
        QVERIFY(!other.isConnected());
    }

    void rollbackRetainingUndoesBackToTheLastRetain()
    {
        FbQuery::execute(m_db, QStringLiteral("insert into ITEMS (ID, NAME) values (1, 'kept')"));
        m_db.commitRetaining();
        FbQuery::execute(m_db, QStringLiteral("insert into ITEMS (ID, NAME) values (2, 'undone')"));
        FbQuery::execute(m_db, QStringLiteral("update ITEMS set NAME = 'changed' where ID = 1"));
        m_db.rollbackRetaining();
        QVERIFY(m_db.inTransaction());
        QCOMPARE(count(QStringLiteral("select count(*) from ITEMS")), 1);
        QCOMPARE(FbQuery::scalar(m_db, QStringLiteral("select NAME from ITEMS where ID = 1")).toString(),
                 QStringLiteral("kept"));

        FbQuery::execute(m_db, QStringLiteral("insert into ITEMS (ID, NAME) values (3, 'after')"));
        m_db.commitRetaining();
        QCOMPARE(count(QStringLiteral("select count(*) from ITEMS")), 2);
    }

    void retainingKeepsAnOpenResultAndCommitClosesIt()
    {
        FbQuery::execute(m_db, QStringLiteral("insert into ITEMS (ID) select 1 from RDB$DATABASE union all select 2 "
                                              "from RDB$DATABASE union all select 3 from RDB$DATABASE"));
        FbQuery query(m_db);
        query.setSql(QStringLiteral("select ID from ITEMS order by ID"));
        query.open();
        QVERIFY(query.next());
        QCOMPARE(query.value(0).toInt(), 1);
        m_db.commitRetaining();
        QVERIFY(query.next());
        QCOMPARE(query.value(0).toInt(), 2);

        m_db.commit();
        QVERIFY(!m_db.inTransaction());
        QVERIFY(!query.isOpen());
        QVERIFY(!query.next());
        QVERIFY(!query.value(0).isValid());

        // Without a transaction the query says so rather than failing in the engine.
        QCOMPARE(engineMessage([&] { query.open(); }),
                 QStringLiteral("No transaction is active on this database connection."));
        m_db.startTransaction();
        query.open(); // the prepared statement survives the end of the transaction
        QVERIFY(query.next());
        QCOMPARE(query.value(QStringLiteral("id")).toInt(), 1);
    }

    void transactionMisuseIsReported()
    {
        QVERIFY(!engineMessage([&] { m_db.startTransaction(); }).isEmpty());
        FbConnection closed;
        QCOMPARE(engineMessage([&] { closed.startTransaction(); }),
                 QStringLiteral("The database connection is not open."));
        QCOMPARE(engineMessage([&] { closed.commit(); }),
                 QStringLiteral("No transaction is active on this database connection."));
        closed.disconnect(); // harmless when closed
    }

    void namedParametersCarryLargeBlobsAndText()
    {
        const QByteArray picture = randomBytes(1024 * 1024 + 17);
        const QString note = QStringLiteral("千と千尋の神隠し — Η Μαρίνα και ο Ωκεανός\nsecond line");
        const QString longNote = QString(20000, QChar(0x3042)); // 60000 bytes of UTF-8: beyond any VARCHAR

        FbQuery insert(m_db);
        insert.setSql(QStringLiteral("insert into ITEMS (ID, NAME, PIC, NOTE) values (:ID, :Title, :PIC, :NOTE)"));
        QCOMPARE(insert.paramNames(), (QStringList{"ID", "TITLE", "PIC", "NOTE"}));
        insert.setParam(QStringLiteral("id"), 1);
        insert.setParam(QStringLiteral("TITLE"), QStringLiteral("Spirited Away"));
        insert.setParam(QStringLiteral("PIC"), picture);
        insert.setTextBlobParam(QStringLiteral("NOTE"), note);
        insert.exec();
        QCOMPARE(insert.rowsAffected(), 1);

        // Same prepared statement, new values; a plain QString also reaches a blob column.
        insert.setParam(QStringLiteral("ID"), 2);
        insert.setParam(QStringLiteral("PIC"), QByteArray());
        insert.setParam(QStringLiteral("NOTE"), longNote);
        insert.exec();

        FbQuery select(m_db);
        select.setSql(QStringLiteral("select ID, PIC, NOTE, octet_length(PIC) as PIC_SIZE from ITEMS order by ID"));
        select.open();
        QCOMPARE(select.columnNames(), (QStringList{"ID", "PIC", "NOTE", "PIC_SIZE"}));
        QVERIFY(select.next());
        QCOMPARE(select.value(QStringLiteral("PIC_SIZE")).toLongLong(), qint64(picture.size()));
        QCOMPARE(select.value(QStringLiteral("pic")).toByteArray(), picture);
        QCOMPARE(select.value(QStringLiteral("NOTE")).typeId(), QMetaType::QString);
        QCOMPARE(select.value(QStringLiteral("NOTE")).toString(), note);
        QVERIFY(select.next());
        QCOMPARE(select.value(QStringLiteral("NOTE")).toString(), longNote);
        QVERIFY(select.value(QStringLiteral("PIC")).toByteArray().isEmpty());
        QVERIFY(!select.next());
        QVERIFY(!select.next());
    }

    void repeatedParameterName()
    {
        FbQuery query(m_db);
        query.setSql(QStringLiteral("insert into ITEMS (ID, QTY, BIG, NAME) values (:N, :N, :n * 2, :NAME)"));
        QCOMPARE(query.paramNames(), (QStringList{"N", "NAME"}));
        query.setParam(QStringLiteral("N"), 7);
        query.setParam(QStringLiteral("NAME"), QStringLiteral("seven"));
        query.exec();
        FbQuery check(m_db);
        check.setSql(QStringLiteral("select QTY, BIG from ITEMS where ID = :N and NAME = :NAME"));
        check.setParam(QStringLiteral("n"), QStringLiteral("7")); // text for an integer: the engine converts
        check.setParam(QStringLiteral("name"), QStringLiteral("seven"));
        check.open();
        QVERIFY(check.next());
        QCOMPARE(check.value(QStringLiteral("QTY")).toInt(), 7);
        QCOMPARE(check.value(QStringLiteral("BIG")).toLongLong(), 14);
        QVERIFY(!engineMessage([&] { check.setParam(QStringLiteral("MISSING"), 1); }).isEmpty());
    }

    void valueTypes_data()
    {
        QTest::addColumn<QString>("column");
        QTest::addColumn<QVariant>("sent");
        QTest::addColumn<QVariant>("expected");

        QTest::newRow("null integer") << "QTY" << QVariant() << QVariant();
        QTest::newRow("zero is not null") << "QTY" << QVariant(0) << QVariant(0);
        QTest::newRow("empty text is not null") << "NAME" << QVariant(QString()) << QVariant(QString(""));
        QTest::newRow("null text") << "NAME" << QVariant() << QVariant();
        QTest::newRow("text for an integer") << "QTY" << QVariant(QStringLiteral("42")) << QVariant(42);
        QTest::newRow("bool as 0/1") << "FLAG" << QVariant(true) << QVariant(1);
        QTest::newRow("bigint") << "BIG" << QVariant(qint64(9000000000123LL)) << QVariant(qint64(9000000000123LL));
        QTest::newRow("numeric from double") << "PRICE" << QVariant(12.34) << QVariant(12.34);
        QTest::newRow("numeric rounds") << "PRICE" << QVariant(0.005) << QVariant(0.01);
        QTest::newRow("numeric from integer") << "PRICE" << QVariant(5) << QVariant(5.0);
        QTest::newRow("double") << "RATE" << QVariant(0.1) << QVariant(0.1);
        QTest::newRow("char is unpadded") << "CODE" << QVariant(QStringLiteral("ab")) << QVariant(QStringLiteral("ab"));
        QTest::newRow("accented text") << "NAME" << QVariant(QStringLiteral("Amélie Poulain ñ ø"))
                                       << QVariant(QStringLiteral("Amélie Poulain ñ ø"));
        QTest::newRow("date") << "ADDED" << QVariant(QDate(2024, 2, 29)) << QVariant(QDate(2024, 2, 29));
        QTest::newRow("zero date") << "ADDED" << QVariant(QDate(1899, 12, 30)) << QVariant(QDate(1899, 12, 30));
        QTest::newRow("invalid date is null") << "ADDED" << QVariant(QDate()) << QVariant();
        QTest::newRow("date from timestamp column")
            << "STAMP" << QVariant(QDate(2001, 9, 9)) << QVariant(QDateTime(QDate(2001, 9, 9), QTime(0, 0)));
        QTest::newRow("timestamp with milliseconds")
            << "STAMP" << QVariant(QDateTime(QDate(1999, 12, 31), QTime(23, 59, 58, 123)))
            << QVariant(QDateTime(QDate(1999, 12, 31), QTime(23, 59, 58, 123)));
        QTest::newRow("timestamp into a date column")
            << "ADDED" << QVariant(QDateTime(QDate(2010, 5, 6), QTime(7, 8, 9))) << QVariant(QDate(2010, 5, 6));
    }

    void valueTypes()
    {
        QFETCH(QString, column);
        QFETCH(QVariant, sent);
        QFETCH(QVariant, expected);
        FbQuery insert(m_db);
        insert.setSql(QStringLiteral("insert into ITEMS (ID, %1) values (1, :V)").arg(column));
        insert.setParam(QStringLiteral("V"), sent);
        insert.exec();

        FbQuery select(m_db);
        select.setSql(QStringLiteral("select %1 from ITEMS where ID = 1").arg(column));
        select.open();
        QVERIFY(select.next());
        const QVariant got = select.value(column);
        QCOMPARE(got.isValid(), expected.isValid());
        QCOMPARE(select.isNull(column), !expected.isValid());
        if (!expected.isValid())
            return;
        QCOMPARE(got, expected); // doubles too: a scaled number must come back as the nearest double
        QCOMPARE(got.typeId(), expected.typeId());
    }

    void colonInsideLiteralsIsNotAParameter()
    {
        FbQuery insert(m_db);
        insert.setSql(QStringLiteral("insert into ITEMS (ID, NAME, NOTE) values (:ID, 'at 10:30 :NOT', "
                                     "'it''s :ALSO_NOT') -- :COMMENT\n"));
        QCOMPARE(insert.paramNames(), QStringList{"ID"});
        insert.setParam(QStringLiteral("ID"), 1);
        insert.exec();
        FbQuery select(m_db);
        select.setSql(QStringLiteral("select NAME, NOTE from ITEMS where NAME = 'at 10:30 :NOT' and ID = :ID"));
        select.setParam(QStringLiteral("ID"), 1);
        select.open();
        QVERIFY(select.next());
        QCOMPARE(select.value(QStringLiteral("NOTE")).toString(), QStringLiteral("it's :ALSO_NOT"));
    }

    void translateParameters_data()
    {
        QTest::addColumn<QString>("sql");
        QTest::addColumn<QString>("translated");
        QTest::addColumn<QStringList>("names");

        QTest::newRow("plain") << "select * from T where A = :a and B=:B_2"
                               << "select * from T where A = ? and B=?" << QStringList{"A", "B_2"};
        QTest::newRow("repeated") << "values (:X, :y, :x)"
                                  << "values (?, ?, ?)" << QStringList{"X", "Y", "X"};
        QTest::newRow("string literal") << "where A = ':NO' and B = 'x'':NO''' and C = :YES"
                                        << "where A = ':NO' and B = 'x'':NO''' and C = ?" << QStringList{"YES"};
        QTest::newRow("quoted identifier") << "select \"a:NO\" from T where X = :P"
                                           << "select \"a:NO\" from T where X = ?" << QStringList{"P"};
        QTest::newRow("line comment") << "select 1 -- :NO\nfrom T where X = :P"
                                      << "select 1 -- :NO\nfrom T where X = ?" << QStringList{"P"};
        QTest::newRow("block comment") << "select /* :NO ' */ :P from T"
                                       << "select /* :NO ' */ ? from T" << QStringList{"P"};
        QTest::newRow("q-string") << "select q'{it's :NO}' from T where X = :P"
                                  << "select q'{it's :NO}' from T where X = ?" << QStringList{"P"};
        QTest::newRow("not a name") << "select A[1:2], :1 from T"
                                    << "select A[1:2], :1 from T" << QStringList{};
        QTest::newRow("unterminated literal") << "select ':NO"
                                              << "select ':NO" << QStringList{};
    }

    void translateParameters()
    {
        QFETCH(QString, sql);
        QFETCH(QString, translated);
        QFETCH(QStringList, names);
        QStringList got;
        QCOMPARE(FbQuery::translateParameters(sql, &got), translated);
        QCOMPARE(got, names);
    }

    void accentBlindComparison()
    {
        FbQuery::execute(m_db, QStringLiteral("insert into ITEMS (ID, NAME) values (1, 'Amélie')"));
        FbQuery::execute(m_db, QStringLiteral("insert into ITEMS (ID, NAME) values (2, 'Amelia')"));
        QCOMPARE(count(QStringLiteral("select count(*) from ITEMS where lower(NAME COLLATE UNICODE_CI_AI) = "
                                      "lower('amelie')")),
                 1);
        QCOMPARE(count(QStringLiteral("select count(*) from ITEMS where lower(NAME) = lower('amelie')")), 0);
        QCOMPARE(FbQuery::scalar(m_db, QStringLiteral("select ID from ITEMS where lower(NAME COLLATE UNICODE_CI_AI) "
                                                      "= lower('AMÉLIE')"))
                     .toInt(),
                 1);
    }

    void execGivesReturnedRowAndCounts()
    {
        FbQuery::execute(m_db, QStringLiteral("insert into ITEMS (ID, QTY) values (1, 1)"));
        FbQuery::execute(m_db, QStringLiteral("insert into ITEMS (ID, QTY) values (2, 1)"));
        FbQuery update(m_db);
        update.setSql(QStringLiteral("update ITEMS set QTY = QTY + 1 where QTY = :Q"));
        update.setParam(QStringLiteral("Q"), 1);
        update.exec();
        QCOMPARE(update.rowsAffected(), 2);
        update.exec();
        QCOMPARE(update.rowsAffected(), 0);

        FbQuery returning(m_db);
        returning.setSql(QStringLiteral("insert into ITEMS (ID, NAME) values (3, 'r') returning ID, NAME"));
        returning.exec();
        QCOMPARE(returning.value(QStringLiteral("NAME")).toString(), QStringLiteral("r"));
        QVERIFY(FbQuery::scalar(m_db, QStringLiteral("select NAME from ITEMS where ID = -1")).isNull());
    }

    void engineErrorsCarryTheEngineMessage()
    {
        const QString message =
            engineMessage([&] { FbQuery::execute(m_db, QStringLiteral("insert into NO_SUCH_TABLE values (1)")); });
        QVERIFY2(message.contains(QStringLiteral("Table unknown")), qPrintable(message));
        QVERIFY(message.contains(QStringLiteral("NO_SUCH_TABLE")));
        QVERIFY(message.contains(QLatin1Char('\n'))); // every line of the engine's status

        FbQuery::execute(m_db, QStringLiteral("insert into ITEMS (ID) values (1)"));
        const QString duplicate =
            engineMessage([&] { FbQuery::execute(m_db, QStringLiteral("insert into ITEMS (ID) values (1)")); });
        QVERIFY2(duplicate.contains(QStringLiteral("PRIMARY or UNIQUE KEY")), qPrintable(duplicate));
        // A failed statement leaves the transaction usable.
        FbQuery::execute(m_db, QStringLiteral("insert into ITEMS (ID) values (2)"));
        QCOMPARE(count(QStringLiteral("select count(*) from ITEMS")), 2);
    }

    void splitScript_data()
    {
        QTest::addColumn<QString>("script");
        QTest::addColumn<QStringList>("statements");

        QTest::newRow("plain") << "create table A (X integer);\n insert into A values (1) ;\n\n"
                               << QStringList{"create table A (X integer)", "insert into A values (1)"};
        QTest::newRow("last without separator")
            << "select 1 from X; select 2 from Y" << QStringList{"select 1 from X", "select 2 from Y"};
        QTest::newRow("separator in literal and identifier")
            << "insert into A values ('a;b', 'it''s;');update \"B;C\" set X = 1;"
            << QStringList{"insert into A values ('a;b', 'it''s;')", "update \"B;C\" set X = 1"};
        QTest::newRow("separator in comments") << "-- one; two\ninsert into A values (1); /* x; y */ ;\n-- end;"
                                               << QStringList{"-- one; two\ninsert into A values (1)"};
        QTest::newRow("empty pieces") << ";; ;\n;" << QStringList{};
        QTest::newRow("set term")
            << "set term ^ ;\ncreate procedure P as begin update A set X = 1; end^\nset term ; ^\nselect 1 from A;"
            << QStringList{"create procedure P as begin update A set X = 1; end", "select 1 from A"};
    }

    void splitScript()
    {
        QFETCH(QString, script);
        QFETCH(QStringList, statements);
        QCOMPARE(SplitScript(script), statements);
    }

    void scriptReportsFailuresAndGoesOn()
    {
        const QString script =
            QStringLiteral("create table S_ONE (ID integer not null, NAME varchar(20));\n"
                           "create index IDX_S_ONE on S_ONE (NAME);\n"
                           "insert into S_ONE values (1, 'a;b');\n"
                           "create view S_VIEW as select ID, NAME from S_ONE;\n"
                           "insert into S_MISSING values (1);\n"
                           "insert into S_ONE values (2, 'a;b');\n"
                           "create unique index IDX_S_UNIQUE on S_ONE (NAME);\n" // fails only when committed
                           "commit;\n"
                           "insert into S_ONE select ID + 10, NAME from S_VIEW;\n");
        QList<FbScriptFailure> reported;
        const QList<FbScriptFailure> failures =
            RunScript(m_db, script, [&](const FbScriptFailure &failure) { reported.append(failure); });

        QCOMPARE(failures.size(), 2);
        QCOMPARE(reported.size(), 2);
        QCOMPARE(failures.at(0).statement, QStringLiteral("insert into S_MISSING values (1)"));
        QVERIFY2(failures.at(0).message.contains(QStringLiteral("S_MISSING")), qPrintable(failures.at(0).message));
        QCOMPARE(reported.at(0).message, failures.at(0).message);
        QCOMPARE(failures.at(1).statement, QStringLiteral("create unique index IDX_S_UNIQUE on S_ONE (NAME)"));
        QVERIFY2(failures.at(1).message.contains(QStringLiteral("duplicate")), qPrintable(failures.at(1).message));

        QVERIFY(m_db.inTransaction());
        QCOMPARE(count(QStringLiteral("select count(*) from S_VIEW")), 4);
        QCOMPARE(count(QStringLiteral("select count(*) from RDB$INDICES where RDB$INDEX_NAME = 'IDX_S_UNIQUE'")), 0);
        QCOMPARE(count(QStringLiteral("select count(*) from RDB$INDICES where RDB$INDEX_NAME = 'IDX_S_ONE'")), 1);
        m_db.commitRetaining(); // nothing left over that would fail again

        FbConnection closed;
        QVERIFY(!engineMessage([&] { RunScript(closed, QStringLiteral("select 1 from RDB$DATABASE")); }).isEmpty());
    }

    void connectFailures_data()
    {
        QTest::addColumn<QString>("databaseString");
        QTest::addColumn<QString>("expectedText");

        QTest::newRow("missing file") << "MISSING"
                                      << "";
        QTest::newRow("random bytes") << "RANDOM"
                                      << "";
        QTest::newRow("empty file") << "EMPTY"
                                    << "";
        QTest::newRow("unreachable server") << "127.0.0.1/1:/x.fdb"
                                            << "network request";
    }

    void connectFailures()
    {
        QFETCH(QString, databaseString);
        QFETCH(QString, expectedText);
        if (databaseString == QLatin1String("MISSING")) {
            databaseString = path(QStringLiteral("missing.fdb"));
        } else if (databaseString == QLatin1String("RANDOM") || databaseString == QLatin1String("EMPTY")) {
            databaseString = path(databaseString.toLower() + QStringLiteral(".fdb"));
            QFile file(databaseString);
            QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
            if (QTest::currentDataTag() == QLatin1String("random bytes"))
                file.write(randomBytes(64 * 1024));
        }
        FbConnection connection;
        connection.setDatabaseName(databaseString);
        const QString message = engineMessage([&] { connection.connect(); });
        QVERIFY(!message.isEmpty());
        QVERIFY2(message.contains(expectedText), qPrintable(message));
        QVERIFY(!connection.isConnected());
        // The engine's text, not a wrong guess through a local server.
        if (FbConnection::isLocalDatabaseString(databaseString))
            QVERIFY2(!message.contains(QStringLiteral("localhost")), qPrintable(message));
    }

    void createFailures()
    {
        FbConnection connection;
        connection.setDatabaseName(path(QStringLiteral("no/such/folder/new.fdb")));
        QString message = engineMessage([&] { connection.createDatabase(); });
        QVERIFY2(message.contains(QStringLiteral("I/O error")), qPrintable(message));
        QVERIFY(!connection.isConnected());

        // A file in place of a folder stops root too.
        QFile blocker(path(QStringLiteral("blocker")));
        QVERIFY(blocker.open(QIODevice::WriteOnly));
        blocker.close();
        connection.setDatabaseName(path(QStringLiteral("blocker/new.fdb")));
        QVERIFY(!engineMessage([&] { connection.createDatabase(); }).isEmpty());

        connection.setDatabaseName(m_path); // exists already
        message = engineMessage([&] { connection.createDatabase(); });
        QVERIFY2(!message.isEmpty(), "creating over an existing database must fail");
        QVERIFY(QFileInfo(m_path).size() > 0);
    }

    void nonAsciiFileNames()
    {
        const QString folder = path(QStringLiteral("Fïlms ό"));
        QVERIFY(QDir().mkpath(folder));
        const QString file = folder + QStringLiteral("/Amélie 映画.fdb");
        FbConnection connection;
        connection.setDatabaseName(file);
        connection.createDatabase();
        connection.disconnect();
        QVERIFY(QFileInfo::exists(file));
        connection.connect();
        connection.startTransaction();
        QCOMPARE(FbQuery::scalar(connection, QStringLiteral("select MON$DATABASE_NAME from MON$DATABASE")).toString(),
                 file);
        connection.disconnect();
        BackupDatabase(file, file + QStringLiteral(".bak"), QStringLiteral("SYSDBA"), QStringLiteral("tavernoak"));
        RestoreDatabase(file + QStringLiteral(".bak"), folder + QStringLiteral("/Ωmega.fdb"), false,
                        QStringLiteral("SYSDBA"), QStringLiteral("tavernoak"));
        QVERIFY(QFileInfo::exists(folder + QStringLiteral("/Ωmega.fdb")));
    }

    void queryOutlivesItsConnection()
    {
        auto connection = std::make_unique<FbConnection>();
        connection->setDatabaseName(m_path);
        connection->connect();
        connection->startTransaction();
        FbQuery query(*connection);
        query.setSql(QStringLiteral("select ID from ITEMS"));
        query.open();
        connection->disconnect();
        QVERIFY(!query.isOpen());
        QCOMPARE(engineMessage([&] { query.open(); }), QStringLiteral("The database connection is not open."));
        connection.reset();
        QVERIFY(!engineMessage([&] { query.open(); }).isEmpty());
    }

    void databaseStrings_data()
    {
        QTest::addColumn<QString>("databaseString");
        QTest::addColumn<bool>("local");
        QTest::addColumn<QString>("serviceManager");
        QTest::addColumn<QString>("path");

        QTest::newRow("local") << "/home/u/My Movies.fdb" << true << "service_mgr"
                               << "/home/u/My Movies.fdb";
        QTest::newRow("host") << "server:/data/movies.fdb" << false << "server:service_mgr"
                              << "/data/movies.fdb";
        QTest::newRow("host and port") << "10.0.0.5/3051:/data/m.fdb" << false << "10.0.0.5/3051:service_mgr"
                                       << "/data/m.fdb";
        QTest::newRow("windows path on a server") << "nas:C:\\db\\m.fdb" << false << "nas:service_mgr"
                                                  << "C:\\db\\m.fdb";
        QTest::newRow("ipv6") << "[::1]/3050:/m.fdb" << false << "[::1]/3050:service_mgr"
                              << "/m.fdb";
    }

    void databaseStrings()
    {
        QFETCH(QString, databaseString);
        QFETCH(bool, local);
        QFETCH(QString, serviceManager);
        QFETCH(QString, path);
        QCOMPARE(FbConnection::isLocalDatabaseString(databaseString), local);
        QString gotPath;
        QCOMPARE(ServiceManagerFor(databaseString, &gotPath), serviceManager);
        QCOMPARE(gotPath, path);
    }

    void backupAndRestore()
    {
        const QByteArray picture = randomBytes(200 * 1024);
        FbQuery insert(m_db);
        insert.setSql(QStringLiteral("insert into ITEMS (ID, NAME, PIC) values (1, 'Ωmega', :PIC)"));
        insert.setParam(QStringLiteral("PIC"), picture);
        insert.exec();
        m_db.commitRetaining();

        const QString backup = path(QStringLiteral("access.bak"));
        QStringList backupLines;
        BackupDatabase(m_path, backup, m_db.userName(), m_db.password(),
                       [&](const QString &line) { backupLines.append(line); });
        QVERIFY(QFileInfo(backup).size() > 0);
        QVERIFY2(backupLines.size() > 10, qPrintable(backupLines.join('\n')));
        QVERIFY(backupLines.filter(QStringLiteral("ITEMS")).size() > 0);

        const QString restored = path(QStringLiteral("restored.fdb"));
        QStringList restoreLines;
        RestoreDatabase(backup, restored, false, QStringLiteral("SYSDBA"), QStringLiteral("tavernoak"),
                        [&](const QString &line) { restoreLines.append(line); });
        QVERIFY(restoreLines.size() > 10);

        FbConnection check;
        check.setDatabaseName(restored);
        check.connect();
        check.startTransaction();
        QCOMPARE(FbQuery::scalar(check, QStringLiteral("select NAME from ITEMS where ID = 1")).toString(),
                 QStringLiteral("Ωmega"));
        QCOMPARE(FbQuery::scalar(check, QStringLiteral("select PIC from ITEMS where ID = 1")).toByteArray(), picture);
        QCOMPARE(FbQuery::scalar(check, QStringLiteral("select MON$PAGE_SIZE from MON$DATABASE")).toInt(), 4096);
        check.disconnect();

        // Without replace an existing file is kept; with replace it is overwritten.
        QString message = engineMessage(
            [&] { RestoreDatabase(backup, restored, false, QStringLiteral("SYSDBA"), QStringLiteral("tavernoak")); });
        QVERIFY2(!message.isEmpty(), "restoring over an existing file without replace must fail");
        RestoreDatabase(backup, restored, true, QStringLiteral("SYSDBA"), QStringLiteral("tavernoak"));

        message = engineMessage([&] {
            BackupDatabase(path(QStringLiteral("missing.fdb")), path(QStringLiteral("x.bak")), QStringLiteral("SYSDBA"),
                           QStringLiteral("tavernoak"));
        });
        QVERIFY2(!message.isEmpty(), "backing up a missing database must fail");
        message = engineMessage([&] {
            RestoreDatabase(path(QStringLiteral("missing.bak")), path(QStringLiteral("y.fdb")), true,
                            QStringLiteral("SYSDBA"), QStringLiteral("tavernoak"));
        });
        QVERIFY2(!message.isEmpty(), "restoring a missing backup must fail");
    }
};

RN_TEST_MAIN(TestFbAccess)
#include "tst_fbaccess.moc"
