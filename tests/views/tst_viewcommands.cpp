#include "TestSupport.h"
#include "ViewsFixture.h"

#include "core/GlobalFunctions.h"
#include "core/Translations.h"
#include "database/DM1_u.h"
#include "database/FbQuery.h"
#include "editing/MediaDelete.h"
#include "online/IMDBHelperClassUnit.h"
#include "views/BrowseSql.h"
#include "views/ViewCommands.h"

#include <QDir>
#include <QFile>
#include <QSet>

using ViewsFixture::jpeg;

namespace {

void writeFile(const QString &path, const QByteArray &bytes)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

QByteArray readFile(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QSize pictureSize(const QVariant &blob)
{
    QImage image;
    image.loadFromData(blob.toByteArray());
    return image.size();
}

} // namespace

// The commands' rules on small collections: statements, the delete paths, addresses, copied files
// and the cover rule.
class TestViewCommands : public QObject
{
    Q_OBJECT

    std::unique_ptr<RecordingUserInterface> ui;
    std::unique_ptr<TDM1> dm;
    QString fixturePath;
    QString deletesPath;

    FbConnection &db() { return dm->MainConnection; }
    QVariant scalar(const QString &sql) { return FbQuery::scalar(db(), sql); }
    void exec(const QString &sql) { FbQuery::execute(db(), sql); }

    void useDatabase(const QString &path)
    {
        dm->CloseViewDatasets();
        dm->MainConnection.setDatabaseName(path);
        QVERIFY(dm->ConnectMainDatabase());
    }

    QSet<int> intColumn(const QString &sql)
    {
        QSet<int> values;
        FbQuery q(db());
        q.setSql(sql);
        q.open();
        while (q.next())
            values.insert(q.value(0).toInt());
        return values;
    }

    // 11 or 10 media "in the box" and two on the shelf, each with a movie, graphics, cast, genre and
    // a file row.
    void fillDeletes(int inBox)
    {
        for (const char *table : {"MEDIA", "MEDIA_GFX", "MOVIE", "CASTCREW", "GENRE", "MOVIEFILES", "PERSON"})
            exec(QStringLiteral("delete from ") + QLatin1String(table));
        exec(QStringLiteral("insert into PERSON (PERSON_ID, NAME) values (1, 'Kept Actor')"));
        for (int id = 1; id <= inBox; ++id)
            ViewsFixture::addMediumWithMovie(db(), id, QStringLiteral("Boxed %1").arg(id), QStringLiteral("Box"));
        ViewsFixture::addMediumWithMovie(db(), 50, QStringLiteral("Shelved 1"), QStringLiteral("Shelf"));
        ViewsFixture::addMediumWithMovie(db(), 51, QStringLiteral("Shelved 2"), QStringLiteral("Shelf"));
        db().commitRetaining();
    }

private slots:
    void initTestCase()
    {
        QCOMPARE(LoadLanguageTexts(), TranslationLoad::Loaded);
        ForceDataFolders();
        ui = std::make_unique<RecordingUserInterface>();
        dm = std::make_unique<TDM1>();
        deletesPath = TestDatabasePath(QStringLiteral("deletes"));
        QVERIFY(dm->CreateRNZDB(deletesPath, false, true, false));
        fixturePath = TestDatabasePath(QStringLiteral("commands"));
        QVERIFY(dm->CreateRNZDB(fixturePath, false, true, false));
        ViewsFixture::fill(*dm);
        // A series whose three seasons share one IMDb id, a movie without one, and two copies of a
        // film.
        const QStringList rows = {
            "insert into MEDIA (MEDIA_ID, TITLE, TITLESORT) values (21, 'Series S1', 'Series S1')",
            "insert into MEDIA (MEDIA_ID, TITLE, TITLESORT) values (22, 'Series S2', 'Series S2')",
            "insert into MEDIA (MEDIA_ID, TITLE, TITLESORT) values (23, 'Series S3', 'Series S3')",
            "insert into MOVIE (MEDIA_ID, MOVIE_ID, LISTINDEX, TITLE, IMDBID, SEASON) values (21, 31, 1, 'S', 5555, 1)",
            "insert into MOVIE (MEDIA_ID, MOVIE_ID, LISTINDEX, TITLE, IMDBID, SEASON) values (22, 32, 1, 'S', 5555, 2)",
            "insert into MOVIE (MEDIA_ID, MOVIE_ID, LISTINDEX, TITLE, IMDBID, SEASON) values (23, 33, 1, 'S', 5555, 3)",
            "insert into MOVIE (MEDIA_ID, MOVIE_ID, LISTINDEX, TITLE, IMDBID, SEASON) values (23, 34, 2, 'N', 0, 0)",
            "insert into MOVIE (MEDIA_ID, MOVIE_ID, LISTINDEX, TITLE, IMDBID, SEASON) values (21, 35, 2, 'F', 777, 0)",
            "insert into MOVIE (MEDIA_ID, MOVIE_ID, LISTINDEX, TITLE, IMDBID, SEASON) values (22, 36, 2, 'F', 777, 0)",
        };
        for (const QString &sql : rows)
            exec(sql);
        db().commitRetaining();
    }

    void cleanupTestCase()
    {
        dm.reset();
        ui.reset();
    }

    void init()
    {
        DeleteSettingSection(QStringLiteral("Options"));
        useDatabase(fixturePath);
        ui->messages.clear();
    }

    void ratingGoesToEveryMovieGiven()
    {
        QVERIFY(SetUserRating(3, {11, 12, 13}));
        QCOMPARE(intColumn(QStringLiteral("select MOVIE_ID from MOVIE where USERRATING = 3")), QSet<int>({11, 12, 13}));
        QVERIFY(SetUserRating(0, {12}));
        QCOMPARE(scalar(QStringLiteral("select USERRATING from MOVIE where MOVIE_ID = 12")).toInt(), 0);
        QCOMPARE(scalar(QStringLiteral("select USERRATING from MOVIE where MOVIE_ID = 14")), QVariant());
    }

    void lastWatchedReachesTheRightCopies_data()
    {
        QTest::addColumn<double>("movie");
        QTest::addColumn<bool>("fromMediaView");
        QTest::addColumn<bool>("duplicates");
        QTest::addColumn<QSet<int>>("marked");
        QTest::newRow("season from the media view") << 32.0 << true << true << QSet<int>{32};
        QTest::newRow("season from the movies view") << 32.0 << false << true << QSet<int>{31, 32, 33};
        QTest::newRow("duplicates option off") << 32.0 << false << false << QSet<int>{32};
        QTest::newRow("no IMDb id") << 34.0 << false << true << QSet<int>{34};
        QTest::newRow("film copies from the media view") << 35.0 << true << true << QSet<int>{35, 36};
    }

    void lastWatchedReachesTheRightCopies()
    {
        QFETCH(double, movie);
        QFETCH(bool, fromMediaView);
        QFETCH(bool, duplicates);
        QFETCH(QSet<int>, marked);
        exec(QStringLiteral("update MOVIE set WATCHED = 0, LASTWATCHEDDATE = null"));
        db().commitRetaining();
        WriteSettingBool(QStringLiteral("ApplyLastWatchedToDuplicates"), QStringLiteral("Options"), duplicates);
        const QDate date(2024, 2, 29);

        QVERIFY(ApplyLastWatched(movie, fromMediaView, date));

        QCOMPARE(intColumn(QStringLiteral("select MOVIE_ID from MOVIE where WATCHED = 1")), marked);
        QCOMPARE(intColumn(QStringLiteral("select MOVIE_ID from MOVIE where LASTWATCHEDDATE = '2024-02-29'")), marked);
    }

    void deletePaths_data()
    {
        QTest::addColumn<int>("viewTable");
        QTest::addColumn<int>("inBox");
        QTest::addColumn<int>("selected");
        QTest::addColumn<bool>("deleteFiles");
        QTest::addColumn<int>("limit"); // "select first N"; 0 for none
        QTest::addColumn<bool>("bulk");
        QTest::newRow("movies view, 11 of 11") << ViewKind::Movies << 11 << 11 << false << 0 << true;
        QTest::newRow("media view, 11 of 11") << ViewKind::Media << 11 << 11 << false << 0 << true;
        QTest::newRow("movies view, 10 of 10") << ViewKind::Movies << 10 << 10 << false << 0 << false;
        QTest::newRow("media view, 10 of 10") << ViewKind::Media << 10 << 10 << false << 0 << false;
        QTest::newRow("11 of 11 deleting files") << ViewKind::Movies << 11 << 11 << true << 0 << false;
        QTest::newRow("10 of 11") << ViewKind::Media << 11 << 10 << false << 0 << false;
        // All 11 shown records of a view limited to 11 of 13: the statement would reach all 13.
        QTest::newRow("first 11 of 13") << ViewKind::Movies << 13 << 11 << false << 11 << false;
    }

    // The view holds the boxed media only (a condition on the medium's location, which the movies
    // view reads through its database view); the shelved ones must survive either path.
    void deletePaths()
    {
        QFETCH(int, viewTable);
        QFETCH(int, inBox);
        QFETCH(int, selected);
        QFETCH(bool, deleteFiles);
        QFETCH(int, limit);
        QFETCH(bool, bulk);
        useDatabase(deletesPath);
        fillDeletes(inBox);
        MediaDeleteRequest request;
        request.viewTable = viewTable;
        request.sqlLines = {LimitSelectLine(viewTable, limit), QStringLiteral("where LOCATION = :PLACE"),
                            BuiltInOrderLine(viewTable)};
        request.params = {{QStringLiteral("PLACE"), QStringLiteral("Box")}};
        request.deleteFiles = deleteFiles;
        for (int id = 1; id <= selected; ++id)
            request.mediaIds << id;
        QString error;

        const MediaDeletePath path = DeleteMediaOfView(request, &error);

        QVERIFY2(error.isEmpty(), qPrintable(error));
        QCOMPARE(path, bulk ? MediaDeletePath::Bulk : MediaDeletePath::OneByOne);
        QSet<int> left = {50, 51};
        for (int id = selected + 1; id <= inBox; ++id)
            left.insert(id);
        QCOMPARE(intColumn(QStringLiteral("select MEDIA_ID from MEDIA")), left);
        QCOMPARE(intColumn(QStringLiteral("select MEDIA_ID from MEDIA_GFX")), left);
        QCOMPARE(ViewsFixture::orphanRows(db()), 0);
        // Persons stay for other movies; the maintenance sweep removes them.
        QCOMPARE(scalar(QStringLiteral("select count(*) from PERSON")).toInt(), 1);
        // Committed: a rollback keeps the result.
        db().rollbackRetaining();
        QCOMPARE(intColumn(QStringLiteral("select MEDIA_ID from MEDIA")), left);
    }

    void bulkStatementKeepsConditionsAndDropsOnlyTheOrder_data()
    {
        QTest::addColumn<int>("viewTable");
        QTest::addColumn<QStringList>("lines");
        QTest::addColumn<QString>("statement");
        QTest::newRow("media") << ViewKind::Media
                               << QStringList{"select first 20 * from MEDIA", "where A = 1", "order by TITLESORT ASC"}
                               << "delete from MEDIA\nwhere A = 1";
        QTest::newRow("movies") << ViewKind::Movies
                                << QStringList{"select * from MOVIE_EXTENDED_VIEW", "where A = 1", "or B = 2",
                                               "order by TITLESORT ASC"}
                                << "delete from MEDIA where MEDIA_ID in (select MEDIA_ID from MOVIE_EXTENDED_VIEW\n"
                                   "where A = 1\nor B = 2)";
        QTest::newRow("no order line") << ViewKind::Media << QStringList{"select * from MEDIA", "where A = 1"}
                                       << "delete from MEDIA\nwhere A = 1";
        QTest::newRow("persons") << ViewKind::Persons << QStringList{"select * from PERSON", "order by NAME"}
                                 << QString();
    }

    void bulkStatementKeepsConditionsAndDropsOnlyTheOrder()
    {
        QFETCH(int, viewTable);
        QFETCH(QStringList, lines);
        QFETCH(QString, statement);
        QCOMPARE(BulkDeleteStatement(viewTable, lines), statement);
    }

    void deleteMediumTakesEveryMovieOfABoxSet()
    {
        useDatabase(deletesPath);
        fillDeletes(1);
        // One row in every detail table for each of the box set's three movies.
        const QStringList details = {
            "FEATURES (MOVIE_ID, AUTOINDEX) values (%1, 1)",
            "FORMAT (MOVIE_ID, FORMAT_ID) values (%1, 1)",
            "LANGUAGE (MOVIE_ID, LANGUAGE_ID) values (%1, 1)",
            "SUBTITLES (MOVIE_ID, LANGUAGE_ID) values (%1, 1)",
            "TVSERIES (TVSERIES_ID, MOVIE_ID) values (%1, %1)",
            "FILMINGLOCATION (MOVIE_ID, AUTOINDEX) values (%1, 1)",
            "MOVIEAWARDS (MOVIE_ID, AUTOINDEX) values (%1, 1)",
            "MOVIEAWARDS_PERSON (MOVIE_ID, AUTOINDEX, PERSON_ID) values (%1, 1, 1)",
            "TECHNICALDATA (MOVIE_ID, AUTOINDEX) values (%1, 1)",
            "KEYWORD (MOVIE_ID, KEYWORD_ID) values (%1, 1)",
            "SOUNDTRACK (MOVIE_ID, AUTOINDEX) values (%1, 1)",
        };
        for (int movie : {101, 102, 103}) {
            if (movie != 101) {
                exec(QStringLiteral(
                         "insert into MOVIE (MEDIA_ID, MOVIE_ID, LISTINDEX, TITLE) values (1, %1, %2, 'More')")
                         .arg(movie)
                         .arg(movie - 100));
                exec(QStringLiteral(
                         "insert into CASTCREW (MOVIE_ID, PERSON_ID, ROLE_ID, LISTINDEX) values (%1, 1, 0, 1)")
                         .arg(movie));
            }
            for (const QString &detail : details)
                exec(QStringLiteral("insert into ") + detail.arg(movie));
        }
        db().commitRetaining();

        QVERIFY(DeleteMedium(false, 1));

        QCOMPARE(scalar(QStringLiteral("select count(*) from MOVIE where MEDIA_ID = 1")).toInt(), 0);
        QStringList tables = {"CASTCREW", "GENRE", "MOVIEFILES"};
        for (const QString &detail : details)
            tables << detail.section(QLatin1Char(' '), 0, 0);
        for (const QString &table : std::as_const(tables)) {
            QCOMPARE(
                scalar(QStringLiteral("select count(*) from %1 where MOVIE_ID in (101, 102, 103)").arg(table)).toInt(),
                0);
        }
        QCOMPARE(intColumn(QStringLiteral("select MEDIA_ID from MEDIA")), QSet<int>({50, 51}));
        QCOMPARE(scalar(QStringLiteral("select count(*) from CASTCREW")).toInt(), 2); // the shelved movies' rows
        // The cascade leaves the commit to its caller.
        db().rollbackRetaining();
        QCOMPARE(scalar(QStringLiteral("select count(*) from MOVIE where MEDIA_ID = 1")).toInt(), 3);
    }

    void deleteFilesOnlyOnLocalDrives_data()
    {
        QTest::addColumn<QString>("path");
        QTest::addColumn<bool>("local");
        QTest::newRow("drive letter") << "C:\\Movies\\a.mkv" << true;
        QTest::newRow("drive letter, slash") << "d:/a.mkv" << true;
        QTest::newRow("network share") << "\\\\server\\share\\a.mkv" << false;
        QTest::newRow("web address") << "http://example.com/a.mkv" << false;
        QTest::newRow("relative") << "a.mkv" << false;
        QTest::newRow("empty") << "" << false;
#ifndef Q_OS_WIN
        QTest::newRow("absolute") << "/home/me/a.mkv" << true;
        QTest::newRow("network, slashes") << "//server/share/a.mkv" << false;
#endif
    }

    void deleteFilesOnlyOnLocalDrives()
    {
        QFETCH(QString, path);
        QFETCH(bool, local);
        QCOMPARE(IsLocalDrivePath(path), local);
    }

    void deleteMediumWithFilesRecyclesTheLocalOnes()
    {
        useDatabase(deletesPath);
        fillDeletes(1);
        const QString movieFile = TestHome() + QStringLiteral("/films/one.mkv");
        const QString trailer = TestHome() + QStringLiteral("/films/one-trailer.mp4");
        writeFile(movieFile, "movie");
        writeFile(trailer, "trailer");
        exec(QStringLiteral("update MOVIEFILES set FILEPATH = %1 where MOVIE_ID = 101").arg(QuotedStr(movieFile)));
        exec(QStringLiteral("update MOVIE set CLIPPATH = %1 where MOVIE_ID = 101").arg(QuotedStr(trailer)));

        QVERIFY(DeleteMedium(true, 1));

        QVERIFY(!QFile::exists(movieFile));
        QVERIFY(!QFile::exists(trailer));
        QCOMPARE(scalar(QStringLiteral("select count(*) from MOVIE where MEDIA_ID = 1")).toInt(), 0);
    }

    void deletePersonsWithTheirCastRows()
    {
        useDatabase(deletesPath);
        fillDeletes(2);
        QVERIFY(DeletePersons({1}));
        QCOMPARE(scalar(QStringLiteral("select count(*) from PERSON")).toInt(), 0);
        QCOMPARE(scalar(QStringLiteral("select count(*) from CASTCREW")).toInt(), 0);
        QCOMPARE(scalar(QStringLiteral("select count(*) from MOVIE")).toInt(), 4);
    }

    void deleteQuestion()
    {
        QCOMPARE(DeleteQuestion(3, QStringLiteral("Alpha")),
                 QStringLiteral("Do you want to delete the 3 selected entries?"));
        QCOMPARE(DeleteQuestion(1, QStringLiteral("Alpha")), QStringLiteral("Do you want to delete \"Alpha\"?"));
        QCOMPARE(DeleteQuestion(0, QStringLiteral("Alpha")), QStringLiteral("Do you want to delete \"Alpha\"?"));
    }

    void returnLoanClearsTheLendingFields()
    {
        QVERIFY(ReturnLoans({2, 3}));
        FbQuery q(db());
        q.setSql(QStringLiteral("select LEND_ID, LENDDATE, LEND_RETURNDATE from MEDIA where MEDIA_ID in (2, 3)"));
        q.open();
        int rows = 0;
        while (q.next()) {
            ++rows;
            QCOMPARE(q.value(0).toInt(), -1);
            QCOMPARE(q.value(1).toDate(), QDate(1899, 12, 30));
            QCOMPARE(q.value(2).toDate(), QDate(1899, 12, 30));
        }
        QCOMPARE(rows, 2);
        QCOMPARE(scalar(QStringLiteral("select LEND_ID from MEDIA where MEDIA_ID = 4")), QVariant());
    }

    void trailerAddress_data()
    {
        QTest::addColumn<QString>("clipPath");
        QTest::addColumn<QString>("title");
        QTest::addColumn<QString>("year");
        QTest::addColumn<QString>("address");
        QTest::newRow("search") << ""
                                << "Bill & Ted's \"Big\" Adventure"
                                << "1989"
                                << "https://www.youtube.com/results?search_query="
                                   "Bill%20%26%20Ted%27s%20%22Big%22%20Adventure%201989%20trailer";
        QTest::newRow("blank path searches") << "  "
                                             << "Alien"
                                             << ""
                                             << "https://www.youtube.com/results?search_query="
                                                "Alien%20%20trailer";
        QTest::newRow("file") << "/films/a trailer.mp4"
                              << "Alien"
                              << "1979"
                              << "file:///films/a%20trailer.mp4";
        QTest::newRow("web address") << "https://example.com/t?v=1"
                                     << "Alien"
                                     << "1979"
                                     << "https://example.com/t?v=1";
    }

    void trailerAddress()
    {
        QFETCH(QString, clipPath);
        QFETCH(QString, title);
        QFETCH(QString, year);
        QFETCH(QString, address);
        QCOMPARE(TrailerAddress({clipPath, title, year}).toString(QUrl::FullyEncoded), address);
    }

    void trailerInfoIsReadFromTheMovie()
    {
        exec(QStringLiteral("update MOVIE set PRODUCTIONYEAR = '1999' where MOVIE_ID = 12"));
        const TrailerInfo info = ReadTrailerInfo(12);
        QCOMPARE(info.clipPath, QStringLiteral("trailer.mp4"));
        QCOMPARE(info.title, QStringLiteral("Beta"));
        QCOMPARE(info.productionYear, QStringLiteral("1999"));
        db().rollbackRetaining();
    }

    void movieFolderOnlyForAnExistingFile()
    {
        const QString file = TestHome() + QStringLiteral("/folder test/movie.mkv");
        writeFile(file, "x");
        exec(QStringLiteral("insert into MOVIEFILES (MOVIE_ID, LISTINDEX, FILEPATH) values (11, 2, 'later.mkv')"));
        exec(QStringLiteral("insert into MOVIEFILES (MOVIE_ID, LISTINDEX, FILEPATH) values (11, 1, %1)")
                 .arg(QuotedStr(file)));
        exec(QStringLiteral("insert into MOVIEFILES (MOVIE_ID, LISTINDEX, FILEPATH) values (12, 1, %1)")
                 .arg(QuotedStr(TestHome() + QStringLiteral("/gone.mkv"))));

        QCOMPARE(MovieFolderToOpen(11), QFileInfo(file).absolutePath());
        QCOMPARE(MovieFolderToOpen(12), QString());
        QCOMPARE(MovieFolderToOpen(13), QString());
        db().rollbackRetaining();
    }

    void imdbPageAddress_data()
    {
        QTest::addColumn<QString>("addressTemplate");
        QTest::addColumn<QString>("prefix");
        QTest::addColumn<QVariant>("id");
        QTest::addColumn<QString>("address");
        // The shipped templates leave the "tt" and "nm" to the program.
        const QString title = QStringLiteral("https://www.imdb.com/title/%s/");
        const QString tt = QStringLiteral("tt");
        QTest::newRow("padded") << title << tt << QVariant(133093) << "https://www.imdb.com/title/tt0133093/";
        QTest::newRow("upper-case marker") << "https://www.imdb.com/name/%S/"
                                           << "nm" << QVariant(42) << "https://www.imdb.com/name/nm0000042/";
        QTest::newRow("eight digits") << title << tt << QVariant(12345678) << "https://www.imdb.com/title/tt12345678/";
        QTest::newRow("as text") << title << tt << QVariant(QStringLiteral(" 7 "))
                                 << "https://www.imdb.com/title/tt0000007/";
        QTest::newRow("zero") << title << tt << QVariant(0) << QString();
        QTest::newRow("negative") << title << tt << QVariant(-3) << QString();
        QTest::newRow("not a number") << title << tt << QVariant(QStringLiteral("tt1")) << QString();
        QTest::newRow("null") << title << tt << QVariant() << QString();
    }

    void imdbPageAddress()
    {
        QFETCH(QString, addressTemplate);
        QFETCH(QString, prefix);
        QFETCH(QVariant, id);
        QFETCH(QString, address);
        QCOMPARE(ImdbPageAddress(addressTemplate, prefix, id), address);
    }

    void copyTargetFolder_data()
    {
        QTest::addColumn<QString>("title");
        QTest::addColumn<QString>("year");
        QTest::addColumn<bool>("several");
        QTest::addColumn<QString>("folder");
        QTest::newRow("one record") << "Alien"
                                    << "1979" << false << "/out";
        QTest::newRow("several") << "Alien"
                                 << "1979" << true << "/out/Alien (1979)";
        QTest::newRow("no year") << "Alien"
                                 << " " << true << "/out/Alien";
        QTest::newRow("separator in title") << "AC/DC: Live"
                                            << "1992" << true << "/out/AC_DC_ Live (1992)";
        QTest::newRow("characters some file systems refuse")
            << "Why? <Because> \"Star*\" | Me"
            << "2001" << true << "/out/Why_ _Because_ _Star__ _ Me (2001)";
        QTest::newRow("dots leave nothing") << ".."
                                            << "" << true << "/out/_";
    }

    void copyTargetFolder()
    {
        QFETCH(QString, title);
        QFETCH(QString, year);
        QFETCH(bool, several);
        QFETCH(QString, folder);
        QCOMPARE(CopyTargetFolder(QStringLiteral("/out/"), title, year, several), folder);
    }

    void copyMovieFilesSkipsMissingAndReplacesExisting()
    {
        const QString source = TestHome() + QStringLiteral("/copy-source/");
        writeFile(source + QStringLiteral("part1.mkv"), "one");
        writeFile(source + QStringLiteral("part2.mkv"), "two");
        exec(QStringLiteral("insert into MOVIEFILES (MOVIE_ID, LISTINDEX, FILEPATH) values (14, 1, %1)")
                 .arg(QuotedStr(source + QStringLiteral("part1.mkv"))));
        exec(QStringLiteral("insert into MOVIEFILES (MOVIE_ID, LISTINDEX, FILEPATH) values (14, 2, %1)")
                 .arg(QuotedStr(source + QStringLiteral("missing.mkv"))));
        exec(QStringLiteral("insert into MOVIEFILES (MOVIE_ID, LISTINDEX, FILEPATH) values (14, 3, %1)")
                 .arg(QuotedStr(source + QStringLiteral("part2.mkv"))));
        const QString target = TestHome() + QStringLiteral("/copy-target/Delta (2001)");
        writeFile(target + QStringLiteral("/part2.mkv"), "an older copy");

        QCOMPARE(CopyMovieFiles(14, target), 2);

        QCOMPARE(readFile(target + QStringLiteral("/part1.mkv")), QByteArray("one"));
        QCOMPARE(readFile(target + QStringLiteral("/part2.mkv")), QByteArray("two"));
        QVERIFY(!QFile::exists(target + QStringLiteral("/missing.mkv")));
        // Copying into the files' own folder leaves them whole.
        QCOMPARE(CopyMovieFiles(14, source), 0);
        QCOMPARE(readFile(source + QStringLiteral("part1.mkv")), QByteArray("one"));
        db().rollbackRetaining();
    }

    void coverRuleStoresFullSizeAndThumbnail_data()
    {
        QTest::addColumn<int>("thumbnailSize");
        QTest::addColumn<int>("thumbnailHeight");
        QTest::newRow("small thumbnails") << 12 << 287;
        QTest::newRow("large thumbnails") << 14 << 574;
    }

    void coverRuleStoresFullSizeAndThumbnail()
    {
        QFETCH(int, thumbnailSize);
        QFETCH(int, thumbnailHeight);
        exec(QStringLiteral("update DB_INFO set THUMBNAILSIZE = %1").arg(thumbnailSize));
        const QByteArray picture = jpeg(1000, 1400);
        const QString file = TestHome() + QStringLiteral("/cover.jpg");
        writeFile(file, picture);

        // The fixture's media have no graphics row yet: the full-size cover must not get lost.
        QCOMPARE(ApplyCoverRule(ViewKind::Media, file, {1, 2}), 2);

        for (int media : {1, 2}) {
            QCOMPARE(scalar(QStringLiteral("select FRONTCOVER_BLOB from MEDIA_GFX where MEDIA_ID = %1").arg(media))
                         .toByteArray(),
                     picture);
            QCOMPARE(
                pictureSize(scalar(QStringLiteral("select FRONTCOVER_BLOB from MEDIA where MEDIA_ID = %1").arg(media)))
                    .height(),
                thumbnailHeight);
        }
        QVERIFY(QFile::exists(file)); // the user's own file stays
        db().rollbackRetaining();
        QCOMPARE(scalar(QStringLiteral("select count(*) from MEDIA_GFX where FRONTCOVER_BLOB is not null")).toInt(), 2);
        exec(QStringLiteral("delete from MEDIA_GFX"));
        exec(QStringLiteral("update MEDIA set FRONTCOVER_BLOB = null where MEDIA_ID in (1, 2)"));
        db().commitRetaining();
    }

    void coverRuleForAPersonAndForNoPicture()
    {
        const QString png = TestHome() + QStringLiteral("/person.png");
        QImage image(60, 80, QImage::Format_RGB32);
        image.fill(Qt::red);
        QVERIFY(image.save(png, "PNG"));
        const QString text = TestHome() + QStringLiteral("/notes.jpg");
        writeFile(text, "no picture in here");

        QCOMPARE(ApplyCoverRule(ViewKind::Persons, png, {101}), 1);
        const QByteArray stored =
            scalar(QStringLiteral("select PICTURE from PERSON where PERSON_ID = 101")).toByteArray();
        QVERIFY(stored.startsWith("\xFF\xD8")); // kept as JPEG like every picture
        QCOMPARE(pictureSize(stored), QSize(60, 80));
        QVERIFY(QFile::exists(png));

        QCOMPARE(ApplyCoverRule(ViewKind::Media, text, {4}), 0);
        QCOMPARE(pictureSize(scalar(QStringLiteral("select FRONTCOVER_BLOB from MEDIA where MEDIA_ID = 4"))),
                 QSize(200, 287));
        QCOMPARE(CoverFileFromImage(QImage()), QString());
        db().rollbackRetaining();
    }
};

RN_TEST_MAIN(TestViewCommands)
#include "tst_viewcommands.moc"
