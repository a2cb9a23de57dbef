#include "TestSupport.h"

#include "OnlineTestSupport.h"
#include "core/Translations.h"
#include "database/DM1_u.h"
#include "database/FbQuery.h"
#include "online/DownloadQueue.h"
#include "online/IMDBDatabaseDatamodule.h"
#include "online/IMDBHelperClassUnit.h"
#include "online/IMDBRobotClassUnit.h"
#include "online/MovieDownloadLoop.h"

namespace {

// Records what the loop shows; the stop button is "pressed" when a chosen title appears.
class RecordingView : public DownloadProgressView
{
public:
    QStringList events;
    QStringList titles;
    QString stopAtTitle;
    bool stop = false;

    void openProgress(int maxProgress) override { events << QStringLiteral("open %1").arg(maxProgress); }
    void setProgress(int position) override { events << QString::number(position); }
    void showTitle(const QString &title) override
    {
        titles << title;
        if (title == stopAtTitle)
            stop = true;
    }
    void showOriginalTitle(const QString &) override {}
    void showTrivia(const QString &) override {}
    void showCover(const QString &) override {}
    void showStatus(const QString &) override {}
    void closeProgress() override { events << QStringLiteral("close"); }
    bool stopRequested() const override { return stop; }
};

} // namespace

// The download loop against the fixture pages and a real collection.
class TestDownloadLoop : public QObject
{
    Q_OBJECT

    std::unique_ptr<FixtureServer> server;
    std::unique_ptr<RecordingUserInterface> ui;
    TDM1 dm;
    QString queueFile;

    int count(const QString &sql) { return FbQuery::scalar(dm.MainConnection, sql).toInt(); }

    void queueTitle(TDownloadQueue &queue, const char *id, int seqNumber, int priority = 0)
    {
        auto movie = std::make_unique<TIMDBMovie>();
        movie->Id = QLatin1String(id);
        movie->Title = QLatin1String(id);
        movie->SeqNumber = seqNumber;
        movie->MediaTypeId = 1;
        movie->WI_Priority = priority;
        QVERIFY(queue.add(std::move(movie)));
    }

    QStringList queueFileIds()
    {
        TDownloadQueue saved;
        saved.load(queueFile);
        QStringList ids;
        for (const auto &movie : saved.items())
            ids << movie->Id;
        return ids;
    }

private slots:
    void initTestCase()
    {
        LoadNumberedLanguageTexts();
        ForceDataFolders();
        server = StartFixtureServer();
        ApplyDefinitionLines(FixtureDefinitions(*server));
        QVERIFY(dm.CreateRNZDB(TestDatabasePath(QStringLiteral("downloadloop")), false, true, false));
        queueFile = TestHome() + QStringLiteral("/mq_test.tmp");
    }

    void init() { ui = std::make_unique<RecordingUserInterface>(); }
    void cleanup()
    {
        ui.reset();
        QFile::remove(queueFile);
    }

    void storesEveryQueuedTitleInOrder()
    {
        const int movies = count(QStringLiteral("select count(*) from MOVIE"));
        TDownloadQueue queue;
        queueTitle(queue, "tt0300003", 11);
        queueTitle(queue, "tt0100001", 12);
        TIMDBRobot robot;
        TIMDBDatabaseModule store;
        RecordingView view;
        const DownloadRunResult result = DownloadQueueToDatabase(queue, robot, store, view, queueFile);
        QCOMPARE(result.movieIds.size(), 2);
        QVERIFY(!result.ended);
        QCOMPARE(view.events, QStringList({"open 4", "1", "2", "3", "4", "close"}));
        QCOMPARE(view.titles, QStringList({"The Bell Tower", "The Glass Harbor"}));
        QCOMPARE(count(QStringLiteral("select count(*) from MOVIE")), movies + 2);
        QCOMPARE(count(QStringLiteral("select d.SEQNUMBER from MEDIA d join MOVIE m on m.MEDIA_ID = d.MEDIA_ID "
                                      "where m.MOVIE_ID = %1")
                           .arg(result.movieIds.at(1))),
                 12);
        QVERIFY(queue.isEmpty());
        QVERIFY(!QFile::exists(queueFile));
        QVERIFY(ui->messages.isEmpty());
    }

    // The user stops while the second title's pages come in: the first stays stored, nothing of
    // the second is written, and the queue file keeps the second and third for next time.
    void stopHalfWayStoresNothingOfTheStoppedTitle()
    {
        const int movies = count(QStringLiteral("select count(*) from MOVIE"));
        const int media = count(QStringLiteral("select count(*) from MEDIA"));
        TDownloadQueue queue;
        queueTitle(queue, "tt0300003", 21);
        queueTitle(queue, "tt0500005", 22);
        queueTitle(queue, "tt0100001", 23);
        TIMDBRobot robot;
        TIMDBDatabaseModule store;
        RecordingView view;
        view.stopAtTitle = QStringLiteral("Hana & Kaze");
        const DownloadRunResult result = DownloadQueueToDatabase(queue, robot, store, view, queueFile);
        QVERIFY(result.ended);
        QVERIFY(result.stopped);
        QCOMPARE(result.movieIds.size(), 1);
        QCOMPARE(count(QStringLiteral("select count(*) from MOVIE")), movies + 1);
        QCOMPARE(count(QStringLiteral("select count(*) from MEDIA")), media + 1);
        QCOMPARE(count(QStringLiteral("select count(*) from MOVIE where IMDBID = 500005")), 0);
        QCOMPARE(queueFileIds(), QStringList({"tt0500005", "tt0100001"}));
        QCOMPARE(view.events.last(), QStringLiteral("close"));
        QVERIFY(queue.isEmpty());
    }

    void failingTitleEndsTheRunAndKeepsTheRest()
    {
        const int movies = count(QStringLiteral("select count(*) from MOVIE"));
        TDownloadQueue queue;
        queueTitle(queue, "tt0999999", 31);
        queueTitle(queue, "tt0300003", 32);
        TIMDBRobot robot;
        TIMDBDatabaseModule store;
        RecordingView view;
        const DownloadRunResult result = DownloadQueueToDatabase(queue, robot, store, view, queueFile);
        QVERIFY(result.ended);
        QVERIFY(!result.stopped);
        QCOMPARE(count(QStringLiteral("select count(*) from MOVIE")), movies);
        QCOMPARE(queueFileIds(), QStringList({"tt0999999", "tt0300003"}));
        QCOMPARE(ui->messages.size(), 1);
    }

    // A title the database refuses is named with the engine's message; the next one is stored.
    void refusedTitleIsReportedAndTheRestStored()
    {
        FbQuery::execute(dm.MainConnection, QStringLiteral("create exception E_NO_BELLS 'no bells here'"));
        FbQuery::execute(dm.MainConnection,
                         QStringLiteral("create trigger T_NO_BELLS for MOVIE before insert as begin "
                                        "if (new.TITLE = 'The Bell Tower') then exception E_NO_BELLS; end"));
        dm.MainConnection.commitRetaining();
        TDownloadQueue queue;
        queueTitle(queue, "tt0300003", 31);
        queueTitle(queue, "tt0100001", 32);
        TIMDBRobot robot;
        TIMDBDatabaseModule store;
        RecordingView view;
        const DownloadRunResult result = DownloadQueueToDatabase(queue, robot, store, view, queueFile);
        FbQuery::execute(dm.MainConnection, QStringLiteral("drop trigger T_NO_BELLS"));
        FbQuery::execute(dm.MainConnection, QStringLiteral("drop exception E_NO_BELLS"));
        dm.MainConnection.commitRetaining();
        QCOMPARE(result.notStored, QStringList{QStringLiteral("The Bell Tower")});
        QVERIFY2(result.notStoredError.contains(QStringLiteral("no bells here")), qPrintable(result.notStoredError));
        QCOMPARE(result.movieIds.size(), 1);
    }

    void wishListModeAddsWantedItems()
    {
        const int movies = count(QStringLiteral("select count(*) from MOVIE"));
        const int wanted = count(QStringLiteral("select count(*) from WANTLIST"));
        TDownloadQueue queue;
        queueTitle(queue, "tt0400004", 0, 1);
        TIMDBRobot robot;
        TIMDBDatabaseModule store;
        store.WantedMode = true;
        RecordingView view;
        const DownloadRunResult result = DownloadQueueToDatabase(queue, robot, store, view, queueFile);
        QCOMPARE(result.wanted, 1);
        QCOMPARE(count(QStringLiteral("select count(*) from WANTLIST")), wanted + 1);
        QCOMPARE(count(QStringLiteral("select PRIORITY from WANTLIST where IMDBID = 400004")), 1);
        QCOMPARE(count(QStringLiteral("select count(*) from MOVIE")), movies);
    }

    void queuedSeasonBringsItsEpisodes()
    {
        QFile page(FixtureRoot() + QStringLiteral("/season/tt0600006/index.html"));
        QVERIFY(page.open(QIODevice::ReadOnly));
        FixtureServer::Response season;
        season.body = page.readAll();
        server->setRoute(QStringLiteral("/season/tt0200002/"), season);
        ApplyDefinitionLines(FixtureDefinitions(
            *server, {{QStringLiteral("IMDB_SEASON_URL="), server->baseUrl() + QStringLiteral("/season/%s/")}}));
        TDownloadQueue queue;
        auto series = std::make_unique<TIMDBMovie>();
        series->Id = QStringLiteral("tt0200002");
        series->SeriesSeason = 2;
        queue.add(std::move(series));
        TIMDBRobot robot;
        TIMDBDatabaseModule store;
        RecordingView view;
        const DownloadRunResult result = DownloadQueueToDatabase(queue, robot, store, view, QString());
        ApplyDefinitionLines(FixtureDefinitions(*server));
        QCOMPARE(result.movieIds.size(), 1);
        const int movieId = result.movieIds.first();
        QCOMPARE(count(QStringLiteral("select count(*) from TVSERIES where MOVIE_ID = %1").arg(movieId)), 10);
        QCOMPARE(FbQuery::scalar(
                     dm.MainConnection,
                     QStringLiteral("select SERIESNAME || '|' || SEASON from MOVIE where MOVIE_ID = %1").arg(movieId))
                     .toString(),
                 QStringLiteral("Northwind Station|2"));
    }

    // Next number: past the queue's largest, past the numbers the collection uses, and never
    // below the largest number of the queue file.
    void nextSequenceNumber()
    {
        for (int seq : {501, 502})
            FbQuery::execute(
                dm.MainConnection,
                QStringLiteral("insert into MEDIA (MEDIA_ID, SEQNUMBER) values (%1, %2)").arg(seq + 1000).arg(seq));
        TDownloadQueue queue;
        queueTitle(queue, "tt0300003", 500);
        QCOMPARE(queue.nextSeqNumber(), 503);
        queueTitle(queue, "tt0100001", 600);
        QCOMPARE(queue.nextSeqNumber(), 601);
        queue.save(queueFile);
        TDownloadQueue fromFile;
        fromFile.load(queueFile);
        fromFile.take(1);
        QCOMPARE(fromFile.nextSeqNumber(), 600);
        dm.MainConnection.rollbackRetaining();
    }
};

RN_TEST_MAIN(TestDownloadLoop)
#include "tst_downloadloop.moc"
