#include "TestSupport.h"
#include "ViewsFixture.h"

#include "core/GlobalFunctions.h"
#include "core/Translations.h"
#include "database/DM1_u.h"
#include "database/FbQuery.h"
#include "views/BrowseQuery.h"
#include "views/CalculatedFields.h"
#include "views/ViewFields.h"

#include <QSignalSpy>

#include <cmath>

// The browse queries on a real collection: the calculated fields, both ways of running the SQL,
// the on-demand pages, the counts and what happens when reading fails.
class TestBrowseQuery : public QObject
{
    Q_OBJECT

    std::unique_ptr<RecordingUserInterface> ui;
    std::unique_ptr<TDM1> dm;

    int rowOfTitle(BrowseQuery &query, const QString &title)
    {
        for (int r = 0; r < query.rowCount(); ++r) {
            if (query.fieldValue(r, QStringLiteral("TITLE")).toString() == title)
                return r;
        }
        return -1;
    }

    void openMovies(bool onDemand = false)
    {
        BrowseQuery &query = dm->qry_Movie;
        query.SQL.reset(BaseSelectLine(ViewKind::Movies), BuiltInOrderLine(ViewKind::Movies));
        query.setOnDemand(onDemand);
        query.Open();
    }

    QStringList titles(BrowseQuery &query)
    {
        QStringList list;
        for (int r = 0; r < query.rowCount(); ++r)
            list << query
                        .fieldValue(r, query.viewTable() == ViewKind::Persons ? QStringLiteral("NAME")
                                                                              : QStringLiteral("TITLE"))
                        .toString();
        return list;
    }

private slots:
    void initTestCase()
    {
        QCOMPARE(LoadLanguageTexts(), TranslationLoad::Loaded);
        QLocale::setDefault(QLocale(QStringLiteral("en_US")));
        ForceDataFolders();
        ui = std::make_unique<RecordingUserInterface>();
        dm = std::make_unique<TDM1>();
        QVERIFY(dm->CreateRNZDB(TestDatabasePath(QStringLiteral("views")), false, true, false));
        ViewsFixture::fill(*dm);
    }

    void cleanupTestCase()
    {
        dm.reset();
        ui.reset();
    }

    void init()
    {
        if (!dm->MainConnection.isConnected())
            QVERIFY(dm->ConnectMainDatabase());
        dm->CloseViewDatasets();
        ui->messages.clear();
    }

    void movieFields_data()
    {
        QTest::addColumn<QString>("title");
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("expected");
        const QString theatre = QLocale().toString(QDate(2001, 7, 4), QLocale::ShortFormat);
        const QString lent = QLocale().toString(QDate(2023, 3, 15), QLocale::ShortFormat);
        const QString lentZero = QLocale().toString(QDate(2022, 1, 2), QLocale::ShortFormat);

        QTest::newRow("LEND_ID -1: no borrower") << "Alpha"
                                                 << "LENDTO"
                                                 << "";
        QTest::newRow("LEND_ID -1: no alert") << "Alpha"
                                              << "LENDALERT"
                                              << "";
        QTest::newRow("LEND_ID -1: zero lend date stays empty") << "Alpha"
                                                                << "LENDDATE_TEXT"
                                                                << "";
        QTest::newRow("LEND_ID 1: borrower") << "Beta"
                                             << "LENDTO"
                                             << "Ann Lender, 555-1234";
        QTest::newRow("LEND_ID 1: alert") << "Beta"
                                          << "LENDALERT"
                                          << " ";
        QTest::newRow("LEND_ID 1: lend date") << "Beta"
                                              << "LENDDATE_TEXT" << lent;
        QTest::newRow("LEND_ID 0 counts") << "Gamma"
                                          << "LENDTO"
                                          << "Zero Borrower, 555-0000";
        QTest::newRow("LEND_ID 0: lend date") << "Gamma"
                                              << "LENDDATE_TEXT" << lentZero;
        QTest::newRow("LEND_ID NULL") << "Delta"
                                      << "LENDALERT"
                                      << "";
        QTest::newRow("MOVIETIME 45") << "Alpha"
                                      << "MOVIETIME_HOURS"
                                      << "0:45";
        QTest::newRow("MOVIETIME 60") << "Beta"
                                      << "MOVIETIME_HOURS"
                                      << "1:00";
        QTest::newRow("MOVIETIME 0") << "Gamma"
                                     << "MOVIETIME_HOURS"
                                     << "";
        QTest::newRow("MOVIETIME 125") << "Delta"
                                       << "MOVIETIME_HOURS"
                                       << "2:05";
        QTest::newRow("zero release date") << "Alpha"
                                           << "RELEASEDATE_TEXT"
                                           << "";
        QTest::newRow("zero release year") << "Alpha"
                                           << "RELEASEYEAR"
                                           << "";
        QTest::newRow("NULL release year") << "Gamma"
                                           << "RELEASEYEAR"
                                           << "";
        QTest::newRow("release year") << "Beta"
                                      << "RELEASEYEAR"
                                      << "1999";
        QTest::newRow("theatre date") << "Alpha"
                                      << "THEATERDATE_TEXT" << theatre;
        QTest::newRow("theatre year") << "Alpha"
                                      << "THEATERYEAR"
                                      << "2001";
        QTest::newRow("watched") << "Alpha"
                                 << "WATCHED_ALERT"
                                 << " ";
        QTest::newRow("not watched") << "Beta"
                                     << "WATCHED_ALERT"
                                     << "";
        QTest::newRow("4K") << "Alpha"
                            << "FOURK_ALERT"
                            << " ";
        QTest::newRow("3D") << "Delta"
                            << "THREED_ALERT"
                            << " ";
        QTest::newRow("no 3D") << "Alpha"
                               << "THREED_ALERT"
                               << "";
        QTest::newRow("empty clip path: no trailer") << "Alpha"
                                                     << "HASTRAILER"
                                                     << "";
        QTest::newRow("trailer") << "Beta"
                                 << "HASTRAILER"
                                 << "t";
        QTest::newRow("directors in LISTINDEX order") << "Alpha"
                                                      << "DIRECTOR"
                                                      << "Zed Director, Amy Director";
        QTest::newRow("producer") << "Alpha"
                                  << "PRODUCER"
                                  << "Pat Producer";
        QTest::newRow("writer") << "Alpha"
                                << "WRITER"
                                << "Wes Writer";
        QTest::newRow("genres in name order") << "Alpha"
                                              << "GENRES"
                                              << "Action, Drama, Sci-Fi";
        QTest::newRow("no crew") << "Beta"
                                 << "DIRECTOR"
                                 << "";
        QTest::newRow("media type of the view") << "Beta"
                                                << "MEDIATYPE_TEXT"
                                                << "Blu-ray";
        QTest::newRow("text blob") << "Alpha"
                                   << "PLOT"
                                   << "A long plot.";
    }

    void movieFields()
    {
        QFETCH(QString, title);
        QFETCH(QString, field);
        QFETCH(QString, expected);
        // Every way of running the SQL gives the same fields: the named columns (normal mode), keys
        // and blocks (on-demand mode), and the statement as it stands.
        const QList<QPair<QString, bool>> ways = {
            {BaseSelectLine(ViewKind::Movies), false},
            {BaseSelectLine(ViewKind::Movies), true},
            {QStringLiteral("select MOVIE_EXTENDED_VIEW.* from MOVIE_EXTENDED_VIEW"), false},
        };
        for (const auto &[select, onDemand] : ways) {
            BrowseQuery &query = dm->qry_Movie;
            query.setListFieldsShown({QStringLiteral("DIRECTOR"), QStringLiteral("PRODUCER"), QStringLiteral("WRITER"),
                                      QStringLiteral("GENRES")});
            query.SQL.reset(select, BuiltInOrderLine(ViewKind::Movies));
            query.setOnDemand(onDemand);
            query.Open();
            QCOMPARE(titles(query), (QStringList{"Alpha", "Beta", "Delta", "Gamma"}));
            const int row = rowOfTitle(query, title);
            QCOMPARE(query.displayText(row, field), expected);
            QCOMPARE(query.data(query.index(row, query.fieldColumn(field))).toString(),
                     query.fieldColumn(field) >= 0 ? expected : QString());
        }
        dm->qry_Movie.setOnDemand(false);
    }

    void listFieldsOnlyWhileShown()
    {
        BrowseQuery &query = dm->qry_Movie;
        query.setListFieldsShown({});
        openMovies();
        const int alpha = rowOfTitle(query, QStringLiteral("Alpha"));
        for (const QString &field : ListFields())
            QCOMPARE(query.displayText(alpha, field), QString());

        QSignalSpy changed(&query, &QAbstractItemModel::dataChanged);
        query.setListFieldsShown({QStringLiteral("GENRES")});
        QVERIFY(!changed.isEmpty());
        QCOMPARE(query.displayText(alpha, QStringLiteral("GENRES")), QStringLiteral("Action, Drama, Sci-Fi"));
        QCOMPARE(query.displayText(alpha, QStringLiteral("DIRECTOR")), QString());
        query.setListFieldsShown({});
        QCOMPARE(query.displayText(alpha, QStringLiteral("GENRES")), QString());
    }

    void mediaFields_data()
    {
        QTest::addColumn<QString>("title");
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("expected");
        QTest::newRow("media type by lookup") << "Alpha"
                                              << "MEDIATYPE_TEXT"
                                              << "DVD";
        QTest::newRow("no media type") << "Gamma"
                                       << "MEDIATYPE_TEXT"
                                       << "";
        QTest::newRow("length 45") << "Alpha"
                                   << "MEDIATIME_TEXT"
                                   << "45";
        QTest::newRow("length 0") << "Beta"
                                  << "MEDIATIME_TEXT"
                                  << "";
        QTest::newRow("length in hours") << "Delta"
                                         << "MEDIATIME_HOURS"
                                         << "2:05";
        QTest::newRow("zero buy date") << "Beta"
                                       << "BUYDATE_TEXT"
                                       << "";
        QTest::newRow("buy date") << "Alpha"
                                  << "BUYDATE_TEXT" << QLocale().toString(QDate(2020, 5, 1), QLocale::ShortFormat);
        QTest::newRow("borrower") << "Beta"
                                  << "LENDTO"
                                  << "Ann Lender, 555-1234";
        QTest::newRow("not lent") << "Alpha"
                                  << "LENDALERT"
                                  << "";
    }

    void mediaFields()
    {
        QFETCH(QString, title);
        QFETCH(QString, field);
        QFETCH(QString, expected);
        BrowseQuery &query = dm->qry_Media;
        query.SQL.reset(BaseSelectLine(ViewKind::Media), BuiltInOrderLine(ViewKind::Media));
        query.Open();
        QCOMPARE(query.rowCount(), 4);
        QCOMPARE(query.displayText(rowOfTitle(query, title), field), expected);
    }

    void countsOfFilteredQueries_data()
    {
        QTest::addColumn<int>("kind");
        QTest::addColumn<QStringList>("lines");
        QTest::addColumn<int>("rows");
        QTest::newRow("movies, lent") << ViewKind::Movies
                                      << QStringList{"select * from MOVIE_EXTENDED_VIEW", "where LEND_ID >= 0",
                                                     "order by TITLESORT ASC"}
                                      << 2;
        QTest::newRow("movies, two conditions")
            << ViewKind::Movies
            << QStringList{"select * from MOVIE_EXTENDED_VIEW", "where LOCATION = 'Shelf A'", "or MOVIETIME > 100",
                           "order by TITLESORT ASC"}
            << 3;
        QTest::newRow("movies, a subselect")
            << ViewKind::Movies
            << QStringList{"select * from MOVIE_EXTENDED_VIEW", "where MOVIE_ID in (select MOVIE_ID from GENRE)",
                           "order by TITLESORT DESC"}
            << 2;
        QTest::newRow("media, no match") << ViewKind::Media
                                         << QStringList{"select * from MEDIA", "where lower(TITLE) like '%zzz%'",
                                                        "order by TITLESORT ASC"}
                                         << 0;
        QTest::newRow("persons") << ViewKind::Persons
                                 << QStringList{"select * from PERSON", "where BIRTHYEAR < '1975'", "order by NAME ASC"}
                                 << 3;
    }

    void countsOfFilteredQueries()
    {
        QFETCH(int, kind);
        QFETCH(QStringList, lines);
        QFETCH(int, rows);
        BrowseQuery &query = dm->BrowseQueryOf(kind);
        query.SQL.setLines(lines);
        query.setOnDemand(false);
        query.Open();
        QCOMPARE(query.rowCount(), rows);
        QCOMPARE(dm->ReturnCountFunction(query.SQL.text()), rows);
        query.setOnDemand(true);
        query.Open();
        QCOMPARE(query.RecordCount(), rows);
    }

    void limitedSelectCountsNoMoreThanItShows()
    {
        BrowseQuery &query = dm->qry_Movie;
        query.SQL.reset(LimitSelectLine(ViewKind::Movies, 2), BuiltInOrderLine(ViewKind::Movies));
        query.setOnDemand(true);
        query.Open();
        QCOMPARE(titles(query), (QStringList{"Alpha", "Beta"}));
        QCOMPARE(query.RecordCount(), 2);
    }

    void onDemandPages()
    {
        // 250 more persons: three pages.
        FbQuery insert(dm->MainConnection);
        insert.setSql(QStringLiteral("insert into PERSON (PERSON_ID, NAME) values (:ID, :NAME)"));
        for (int i = 0; i < 250; ++i) {
            insert.setParam(QStringLiteral("ID"), 1000 + i);
            insert.setParam(QStringLiteral("NAME"), QStringLiteral("Person %1").arg(i, 3, 10, QLatin1Char('0')));
            insert.exec();
        }
        BrowseQuery &query = dm->qry_Person;
        query.SQL.reset(BaseSelectLine(ViewKind::Persons), BuiltInOrderLine(ViewKind::Persons));
        query.setOnDemand(true);
        query.Open();
        QCOMPARE(query.rowCount(), BrowseQuery::PageSize);
        QCOMPARE(query.RecordCount(), 254);
        QVERIFY(query.canFetchMore(QModelIndex()));
        QSignalSpy inserted(&query, &QAbstractItemModel::rowsInserted);
        query.fetchMore(QModelIndex());
        QCOMPARE(query.rowCount(), 2 * BrowseQuery::PageSize);
        QCOMPARE(inserted.size(), 1);

        // Locating a record beyond the pages read reads on until it is found.
        const int row = query.locate(104);
        QCOMPARE(query.displayText(row, QStringLiteral("NAME")), QStringLiteral("Wes Writer"));
        QVERIFY(!query.canFetchMore(QModelIndex()));
        QCOMPARE(query.rowCount(), 254);
        QCOMPARE(query.locate(999999), -1);
        QVERIFY(!std::isnan(query.keyValue(0)));

        // The normal mode reads everything at once.
        query.setOnDemand(false);
        query.Open();
        QCOMPARE(query.rowCount(), 254);
        QVERIFY(!query.canFetchMore(QModelIndex()));
        dm->MainConnection.rollbackRetaining();
    }

    void refreshShowsChanges()
    {
        openMovies(true);
        QCOMPARE(query().rowCount(), 4);
        FbQuery::execute(dm->MainConnection,
                         QStringLiteral("update MOVIE set TITLE = 'Alpha Two' where MOVIE_ID = 11"));
        query().Refresh();
        QCOMPARE(query().displayText(0, QStringLiteral("TITLE")), QStringLiteral("Alpha Two"));
        dm->MainConnection.rollbackRetaining();
    }

    void rejectedSqlThrows()
    {
        BrowseQuery &query = dm->qry_Movie;
        query.SQL.setLines({BaseSelectLine(ViewKind::Movies), QStringLiteral("where NOSUCHCOLUMN = 1")});
        QVERIFY_THROWS_EXCEPTION(FbError, query.Open());
        QVERIFY(!query.Active());
        QCOMPARE(query.rowCount(), 0);
        QCOMPARE(query.RecordCount(), 0);
    }

    void covers()
    {
        BrowseQuery &query = dm->qry_Movie;
        query.setImageSize(QStringLiteral("FRONTCOVER_BLOB"), QSize(70, 100));
        openMovies();
        // Not a JPEG: an empty cover. No cover at all: the same.
        QVERIFY(query.image(rowOfTitle(query, QStringLiteral("Gamma")), QStringLiteral("FRONTCOVER_BLOB")).isNull());
        QVERIFY(query.image(rowOfTitle(query, QStringLiteral("Beta")), QStringLiteral("FRONTCOVER_BLOB")).isNull());
        const QImage cover = query.image(rowOfTitle(query, QStringLiteral("Delta")), QStringLiteral("FRONTCOVER_BLOB"));
        QVERIFY(!cover.isNull());
        QVERIFY(cover.width() <= 70 && cover.height() <= 100);
        QVERIFY(query.data(query.index(0, query.fieldColumn(QStringLiteral("FRONTCOVER_BLOB")))).toString().isEmpty());
    }

    void lostConnection()
    {
        BrowseQuery &query = dm->qry_Person;
        query.SQL.reset(BaseSelectLine(ViewKind::Persons), BuiltInOrderLine(ViewKind::Persons));
        query.setOnDemand(true);
        FbQuery insert(dm->MainConnection);
        insert.setSql(QStringLiteral("insert into PERSON (PERSON_ID, NAME) values (:ID, 'Someone')"));
        for (int i = 0; i < 150; ++i) {
            insert.setParam(QStringLiteral("ID"), 5000 + i);
            insert.exec();
        }
        dm->MainConnection.commitRetaining();
        query.Open();
        QSignalSpy failed(&query, &BrowseQuery::fetchFailed);
        ViewsFixture::killMainAttachment(*dm);

        // Reading on fails once with the engine's message; nothing else is read or reported.
        query.fetchMore(QModelIndex());
        query.fetchMore(QModelIndex());
        QCOMPARE(failed.size(), 1);
        QVERIFY(!failed.first().first().toString().isEmpty());
        QVERIFY(!query.canFetchMore(QModelIndex()));
        QVERIFY(query.failed());
        QCOMPARE(query.rowCount(), BrowseQuery::PageSize);
        QVERIFY(query.image(0, QStringLiteral("PICTURE")).isNull());
        query.displayText(0, QStringLiteral("BIO"));
        QCOMPARE(failed.size(), 1);

        // A block of records not read yet fails the same way and leaves empty rows.
        QVERIFY(dm->ConnectMainDatabase());
        openMovies(true);
        ViewsFixture::killMainAttachment(*dm);
        QSignalSpy movieFailed(&dm->qry_Movie, &BrowseQuery::fetchFailed);
        QCOMPARE(dm->qry_Movie.displayText(0, QStringLiteral("TITLE")), QString());
        QCOMPARE(dm->qry_Movie.RecordCount(), 0);
        QCOMPARE(movieFailed.size(), 1);

        // Once connected again the query opens as before.
        QVERIFY(dm->ConnectMainDatabase());
        openMovies(true);
        QCOMPARE(titles(dm->qry_Movie).size(), 4);

        // A connection closed on purpose just ends the pages.
        query.Open();
        dm->MainConnection.disconnect();
        query.fetchMore(QModelIndex());
        QVERIFY(!query.canFetchMore(QModelIndex()));
        QVERIFY(dm->ConnectMainDatabase());
        FbQuery::execute(dm->MainConnection, QStringLiteral("delete from PERSON where PERSON_ID >= 5000"));
        dm->MainConnection.commitRetaining();
    }

    void thumbnailSizes()
    {
        // A full-size cover in MEDIA_GFX and a small thumbnail in MEDIA.
        FbQuery gfx(dm->MainConnection);
        gfx.setSql(QStringLiteral("insert into MEDIA_GFX (MEDIA_ID, FRONTCOVER_BLOB) values (4, :COVER)"));
        gfx.setParam(QStringLiteral("COVER"), ViewsFixture::jpeg(800, 1148));
        gfx.exec();
        dm->MainConnection.commitRetaining();
        auto thumbnailWidth = [this] {
            const QByteArray bytes =
                FbQuery::scalar(dm->MainConnection,
                                QStringLiteral("select FRONTCOVER_BLOB from MEDIA where MEDIA_ID = 4"))
                    .toByteArray();
            return QImage::fromData(bytes).width();
        };
        auto stored = [this] {
            return FbQuery::scalar(dm->MainConnection, QStringLiteral("select THUMBNAILSIZE from DB_INFO")).toInt();
        };
        QCOMPARE(stored(), 12);
        QCOMPARE(thumbnailWidth(), 200);

        bool ok = false;
        QCOMPARE(StoreThumbnailSize(24, &ok), 24);
        QVERIFY(ok);
        QCOMPARE(stored(), 24);
        QCOMPARE(thumbnailWidth(), 400); // made again from the full-size cover

        FbQuery::execute(dm->MainConnection,
                         QStringLiteral("update MEDIA set FRONTCOVER_BLOB = null where MEDIA_ID = 4"));
        QCOMPARE(StoreThumbnailSize(14), 14);
        QCOMPARE(thumbnailWidth(), 0); // 24 to 14 renders nothing again

        QCOMPARE(StoreThumbnailSize(99), 25);
        QCOMPARE(StoreThumbnailSize(5), 5);
        QCOMPARE(thumbnailWidth(), 200);
        QCOMPARE(stored(), 5);
        StoreThumbnailSize(12);
    }

private:
    BrowseQuery &query() { return dm->qry_Movie; }
};

RN_TEST_MAIN(TestBrowseQuery)
#include "tst_browsequery.moc"
