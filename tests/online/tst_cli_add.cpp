#include "TestSupport.h"

#include "OnlineTestSupport.h"
#include "database/DM1_u.h"
#include "database/FbConnection.h"
#include "database/FbQuery.h"

#include <QProcess>
#include <QSignalSpy>

namespace {

struct Run
{
    int exitCode = -1;
    QString out;
    QString err;
};

} // namespace

// reelnest-cli add against the fixture server, which answers from this process while the tool
// runs; the collection is read back here once the tool has ended.
class TestCliAdd : public QObject
{
    Q_OBJECT

    std::unique_ptr<FixtureServer> server;
    QString definitions;
    QString database;

    Run cli(const QStringList &arguments)
    {
        QProcess process;
        QSignalSpy finished(&process, &QProcess::finished);
        process.start(GetProgramFolder() + QStringLiteral("/reelnest-cli"), arguments);
        Run run;
        if (!finished.wait(180000)) {
            process.kill();
            process.waitForFinished();
            return run;
        }
        run.exitCode = process.exitCode();
        run.out = QString::fromUtf8(process.readAllStandardOutput());
        run.err = QString::fromUtf8(process.readAllStandardError());
        return run;
    }

    Run add(const QString &title, const QStringList &more = {}, const QString &definitionsFile = QString())
    {
        return cli(QStringList{QStringLiteral("add"), title, QStringLiteral("--database"), database,
                               QStringLiteral("--definitions"),
                               definitionsFile.isEmpty() ? definitions : definitionsFile} +
                   more);
    }

    // One row of the collection as "column|column|...", read while the tool is not running.
    QString row(const QString &sql)
    {
        TDM1 dm;
        dm.MainConnection.setDatabaseName(database);
        QString error;
        if (!dm.ConnectMainDatabase(&error))
            qFatal("%s", qPrintable(error));
        FbQuery query(dm.MainConnection);
        query.setSql(sql);
        query.open();
        QStringList values;
        if (query.next()) {
            for (int i = 0; i < query.columnCount(); ++i)
                values << query.value(i).toString();
        }
        query.close();
        dm.MainConnection.disconnect();
        return values.join(QLatin1Char('|'));
    }

private slots:
    void initTestCase()
    {
        server = StartFixtureServer();
        definitions = TestHome() + QStringLiteral("/fixture-mdd2e.txt");
        WriteEnciphered(definitions, FixtureDefinitions(*server));
        database = TestDatabasePath(QStringLiteral("cliadd"));
        const Run created = cli({QStringLiteral("create"), database});
        QVERIFY2(created.exitCode == 0, qPrintable(created.err));
    }

    void storesTheBestHit()
    {
        const Run run = add(QStringLiteral("The Bell Tower"));
        QVERIFY2(run.exitCode == 0, qPrintable(run.err + run.out));
        QVERIFY2(run.out.contains(QStringLiteral("queued tt0300003 The Bell Tower as number 1")), qPrintable(run.out));
        QVERIFY(run.out.contains(QStringLiteral("progress 2/2")));
        QVERIFY(run.out.contains(QStringLiteral("stored movie 1")));
        QCOMPARE(row(QStringLiteral("select m.TITLE, m.IMDBID, m.PRODUCTIONYEAR, d.SEQNUMBER, "
                                    "(select count(*) from GENRE g where g.MOVIE_ID = m.MOVIE_ID) "
                                    "from MOVIE m join MEDIA d on d.MEDIA_ID = m.MEDIA_ID where m.MOVIE_ID = 1")),
                 QStringLiteral("The Bell Tower|300003|1987|1|2"));
        QVERIFY(!row(QStringLiteral("select FRONTCOVER_BLOB from MEDIA where MEDIA_ID = 1")).isEmpty());
    }

    void storesTheChosenHitWithTheNextNumber()
    {
        const Run run = add(QStringLiteral("The Bell Tower"), {QStringLiteral("--id"), QStringLiteral("tt0500005")});
        QVERIFY2(run.exitCode == 0, qPrintable(run.err + run.out));
        QCOMPARE(row(QStringLiteral("select m.TITLE, d.SEQNUMBER from MOVIE m join MEDIA d on d.MEDIA_ID = m.MEDIA_ID "
                                    "where m.IMDBID = 500005")),
                 QStringLiteral("Hana & Kaze|2"));
    }

    void failuresStoreNothing_data()
    {
        QTest::addColumn<QString>("title");
        QTest::addColumn<QStringList>("more");
        QTest::addColumn<QString>("searchPage");
        QTest::addColumn<QString>("expected");
        QTest::newRow("no hit with that id") << "The Bell Tower" << QStringList{"--id", "999"} << ""
                                             << "no hit";
        QTest::newRow("search without results") << "zzyzx" << QStringList{} << "/find/none/?q=%s"
                                                << "no title found";
        QTest::newRow("title page missing") << "lost" << QStringList{} << "/redirect/1/title/tt0999999/?q=%s"
                                            << "404";
    }

    void failuresStoreNothing()
    {
        QFETCH(QString, title);
        QFETCH(QStringList, more);
        QFETCH(QString, searchPage);
        QFETCH(QString, expected);
        QString definitionsFile;
        if (!searchPage.isEmpty()) {
            definitionsFile = TestHome() + QStringLiteral("/search-mdd2e.txt");
            WriteEnciphered(definitionsFile, FixtureDefinitions(*server, {{QStringLiteral("IMDB_TITLE_SEARCH_AKA="),
                                                                           server->baseUrl() + searchPage}}));
        }
        const QString before = row(QStringLiteral("select count(*) from MOVIE"));
        const Run run = add(title, more, definitionsFile);
        QVERIFY(run.exitCode != 0);
        QVERIFY2(run.err.contains(expected), qPrintable(run.err));
        QCOMPARE(row(QStringLiteral("select count(*) from MOVIE")), before);
    }

    void addNeedsADatabase()
    {
        const Run run = cli({QStringLiteral("add"), QStringLiteral("The Bell Tower")});
        QCOMPARE(run.exitCode, 2);
        QVERIFY(run.err.contains(QStringLiteral("usage")));
    }
};

RN_TEST_MAIN(TestCliAdd)
#include "tst_cli_add.moc"
