#include "TestSupport.h"

#include "core/GlobalFunctions.h"
#include "core/TextNumbers.h"
#include "core/Translations.h"
#include "database/DM1_u.h"
#include "database/FbQuery.h"
#include "database/RecordHelpers.h"
#include "editing/MovieEditor.h"

#include <QBuffer>
#include <QImage>
#include <QLocale>

class TestMovieEditor : public QObject
{
    Q_OBJECT

    RecordingUserInterface ui;
    TDM1 dm;

    void sql(const QString &statement) { FbQuery::execute(dm.MainConnection, statement); }
    QVariant scalar(const QString &select) { return FbQuery::scalar(dm.MainConnection, select); }
    QStringList column(const QString &select) { return SelectColumn(dm.MainConnection, select); }
    QList<int> listIndexes(double mediaId)
    {
        QList<int> indexes;
        for (const ContentRow &row : ContentsOfMedium(mediaId))
            indexes << row.listIndex;
        return indexes;
    }
    QStringList titles(double mediaId)
    {
        QStringList result;
        for (const ContentRow &row : ContentsOfMedium(mediaId))
            result << row.title;
        return result;
    }
    MovieRecord movieOf(double mediaId, double movieId, const QString &title)
    {
        MovieRecord movie;
        movie.FMedia_ID = mediaId;
        movie.FMovie_ID = movieId;
        movie.FListIndex = 1;
        movie.FTitle = title;
        movie.FTitleSort = title;
        movie.FDiscNo = 1;
        return movie;
    }
    MediaRecord mediaOf(double mediaId, const QString &title, int seq)
    {
        MediaRecord media;
        media.FMedia_ID = mediaId;
        media.FTitle = title;
        media.FTitleSort = title;
        media.FSeqNumber = seq;
        media.FNoOfDiscs = 1;
        return media;
    }

private slots:
    void initTestCase()
    {
        QVERIFY(LoadLanguageTexts() == TranslationLoad::Loaded);
        ForceDataFolders();
        QVERIFY(dm.CreateRNZDB(TestDatabasePath(QStringLiteral("movieeditor")), false, true, false));
        // A medium titled "Broken" is refused by the engine: a save that fails halfway.
        sql(QStringLiteral("alter table MEDIA add constraint CHK_TEST_TITLE check (TITLE is null or TITLE <> "
                           "'Broken')"));
        dm.MainConnection.commitRetaining();
    }

    void cleanup() { DiscardSession(dm); }

    void newEntryKeepsItsContentsInTheOrderCreated()
    {
        const double first = AddContent(-1, 1);
        const double second = AddContent(-1, 1);
        const double third = AddContent(-1, 2);
        QCOMPARE(listIndexes(-1), (QList<int>{1, 2, 3}));
        QCOMPARE(titles(-1).first(), GetText(Txt::NewMovie));

        const EntrySaveResult result = SaveEntry(dm, mediaOf(-1, QStringLiteral("Box"), 901),
                                                 movieOf(-1, first, QStringLiteral("One")), {}, true, true);
        QVERIFY2(result.saved, qPrintable(result.error));
        QVERIFY(result.mediaId > 0);
        QCOMPARE(ContentsOfMedium(-1).size(), 0);
        const QList<ContentRow> stored = ContentsOfMedium(result.mediaId);
        QCOMPARE(stored.size(), 3);
        QCOMPARE(stored.at(0).movieId, first);
        QCOMPARE(stored.at(1).movieId, second);
        QCOMPARE(stored.at(2).movieId, third);
        QCOMPARE(listIndexes(result.mediaId), (QList<int>{1, 2, 3}));
        QCOMPARE(stored.at(0).title, QStringLiteral("One"));
        // Committed: a rollback keeps it.
        DiscardSession(dm);
        QCOMPARE(ContentsOfMedium(result.mediaId).size(), 3);
        QCOMPARE(scalar(QStringLiteral("select LEND_ID from MEDIA where MEDIA_ID = ") + SqlKey(result.mediaId)).toInt(),
                 -1);
    }

    void removingAContentRenumbersWithoutGap()
    {
        const double a = AddContent(50, 1);
        const double b = AddContent(50, 1);
        const double c = AddContent(50, 1);
        sql(QStringLiteral("insert into GENRE (MOVIE_ID, GENRE_ID) values (%1, 1)").arg(SqlKey(b)));
        QVERIFY(RemoveContent(50, b));
        const QList<ContentRow> rest = ContentsOfMedium(50);
        QCOMPARE(rest.size(), 2);
        QCOMPARE(rest.at(0).movieId, a);
        QCOMPARE(rest.at(1).movieId, c);
        QCOMPARE(listIndexes(50), (QList<int>{1, 2}));
        QCOMPARE(scalar(QStringLiteral("select count(*) from GENRE where MOVIE_ID = ") + SqlKey(b)).toInt(), 0);

        QVERIFY(RemoveContent(50, a));
        // The last content of a medium stays.
        QVERIFY(!RemoveContent(50, c));
        QCOMPARE(ContentsOfMedium(50).size(), 1);
    }

    void moveContent_data()
    {
        QTest::addColumn<QList<int>>("startIndexes");
        QTest::addColumn<int>("index");
        QTest::addColumn<bool>("up");
        QTest::addColumn<bool>("moved");
        QTest::addColumn<QStringList>("order");
        const QList<int> plain{1, 2, 3};
        QTest::newRow("second up") << plain << 1 << true << true << QStringList{"B", "A", "C"};
        QTest::newRow("second down") << plain << 1 << false << true << QStringList{"A", "C", "B"};
        QTest::newRow("first up does nothing") << plain << 0 << true << false << QStringList{"A", "B", "C"};
        QTest::newRow("last down does nothing") << plain << 2 << false << false << QStringList{"A", "B", "C"};
        // Numbering damaged elsewhere still swaps the two.
        QTest::newRow("gap in the numbering") << QList<int>{1, 5, 9} << 2 << true << true << QStringList{"A", "C", "B"};
        QTest::newRow("same number twice") << QList<int>{1, 2, 2} << 1 << false << true << QStringList{"A", "C", "B"};
    }

    void moveContent()
    {
        QFETCH(QList<int>, startIndexes);
        QFETCH(int, index);
        QFETCH(bool, up);
        QFETCH(bool, moved);
        QFETCH(QStringList, order);
        const double media = 60;
        const QStringList names{"A", "B", "C"};
        for (int i = 0; i < 3; ++i)
            sql(QStringLiteral("insert into MOVIE (MEDIA_ID, MOVIE_ID, LISTINDEX, TITLE) values (60, %1, %2, '%3')")
                    .arg(600 + i)
                    .arg(startIndexes.at(i))
                    .arg(names.at(i)));
        QCOMPARE(MoveContent(media, index, up), moved);
        QCOMPARE(titles(media), order);
    }

    void listsSavedInOrderWithNewLookupNamesOnce()
    {
        const double movie = AddContent(70, 1);
        const int genresBefore = scalar(QStringLiteral("select count(*) from GENRELIST")).toInt();
        ContentLists lists;
        lists.genres = QStringList{"Drama", "space opera", "Space Opera", "drama"};
        lists.keywords = QStringList{"lighthouse keeper"};
        lists.features = QStringList{"Making-of", "Deleted Scenes", "Commentary"};
        lists.filmingLocations = QStringList{"Oslo, Norway", "Bergen"};
        lists.languages = QStringList{"English: Dolby Digital 5.1", "german:  stereo"};
        lists.soundtrack = QStringList{"\"Sea Song\" The Keepers", "\"Night\" Ann O'Neil"};
        SaveContentLists(movie, lists);

        QCOMPARE(scalar(QStringLiteral("select count(*) from GENRELIST")).toInt(), genresBefore + 1);
        QCOMPARE(column(QStringLiteral("select NAME from GENRELIST where lower(NAME) = 'space opera'")),
                 QStringList{"Space Opera"});
        QCOMPARE(column(QStringLiteral("select NAME from KEYWORDLIST where lower(NAME) = 'lighthouse keeper'")),
                 QStringList{"Lighthouse Keeper"});
        QCOMPARE(
            column(
                QStringLiteral("select NAME from FEATURES where MOVIE_ID = %1 order by AUTOINDEX").arg(SqlKey(movie))),
            lists.features);
        QCOMPARE(column(QStringLiteral("select AUTOINDEX from FEATURES where MOVIE_ID = %1 order by AUTOINDEX")
                            .arg(SqlKey(movie))),
                 (QStringList{"1", "2", "3"}));
        QCOMPARE(column(QStringLiteral("select PERFORMER from SOUNDTRACK where MOVIE_ID = %1 order by AUTOINDEX")
                            .arg(SqlKey(movie))),
                 (QStringList{"The Keepers", "Ann O'Neil"}));

        const ContentLists loaded = LoadContentLists(movie);
        QCOMPARE(loaded.genres, (QStringList{"Drama", "Space Opera"}));
        QCOMPARE(loaded.filmingLocations, lists.filmingLocations);
        QCOMPARE(loaded.features, lists.features);
        QVERIFY(loaded.languages.contains(QStringLiteral("English: Dolby Digital 5.1")));
        QVERIFY(loaded.languages.contains(QStringLiteral("German: Stereo")));
        QCOMPARE(loaded.soundtrack, (QStringList{"\"Night\" Ann O'Neil", "\"Sea Song\" The Keepers"}));

        // A second save replaces every list.
        lists = ContentLists();
        lists.features = QStringList{"Trailer"};
        SaveContentLists(movie, lists);
        const ContentLists replaced = LoadContentLists(movie);
        QCOMPARE(replaced.features, QStringList{"Trailer"});
        QVERIFY(replaced.genres.isEmpty());
        QVERIFY(replaced.soundtrack.isEmpty());
    }

    void failedSaveRollsBackOnlyItself()
    {
        sql(QStringLiteral("insert into MEDIA (MEDIA_ID, TITLE, SEQNUMBER) values (80, 'Shelf Copy', 80)"));
        sql(QStringLiteral("insert into MOVIE (MEDIA_ID, MOVIE_ID, LISTINDEX, TITLE) values (80, 800, 1, 'Old')"));
        sql(QStringLiteral("insert into GENRE (MOVIE_ID, GENRE_ID) values (800, 1)"));
        dm.MainConnection.commitRetaining();
        // What a sub-dialog wrote earlier in the session.
        sql(QStringLiteral("insert into CASTCREW (MOVIE_ID, PERSON_ID, ROLE_ID, LISTINDEX) values (800, 1, 1, 1)"));

        ContentLists lists;
        lists.genres = QStringList{"Brand New Genre"};
        const EntrySaveResult result = SaveEntry(dm, mediaOf(80, QStringLiteral("Broken"), 80),
                                                 movieOf(80, 800, QStringLiteral("Changed")), lists, false, true);
        QVERIFY(!result.saved);
        QVERIFY(result.error.contains(QStringLiteral("CHK_TEST_TITLE")));
        QCOMPARE(scalar(QStringLiteral("select TITLE from MOVIE where MOVIE_ID = 800")).toString(),
                 QStringLiteral("Old"));
        QCOMPARE(scalar(QStringLiteral("select TITLE from MEDIA where MEDIA_ID = 80")).toString(),
                 QStringLiteral("Shelf Copy"));
        QCOMPARE(column(QStringLiteral("select GENRE_ID from GENRE where MOVIE_ID = 800")), QStringList{"1"});
        QCOMPARE(scalar(QStringLiteral("select count(*) from GENRELIST where NAME = 'Brand New Genre'")).toInt(), 0);
        // The session's earlier rows are still pending, not committed.
        QCOMPARE(scalar(QStringLiteral("select count(*) from CASTCREW where MOVIE_ID = 800")).toInt(), 1);
        DiscardSession(dm);
        QCOMPARE(scalar(QStringLiteral("select count(*) from CASTCREW where MOVIE_ID = 800")).toInt(), 0);

        // A new entry whose save fails leaves its contents unattached and no medium behind.
        const int mediaBefore = scalar(QStringLiteral("select count(*) from MEDIA")).toInt();
        const double movie = AddContent(-1, 1);
        const EntrySaveResult failed = SaveEntry(dm, mediaOf(-1, QStringLiteral("Broken"), 81),
                                                 movieOf(-1, movie, QStringLiteral("X")), {}, true, true);
        QVERIFY(!failed.saved);
        QCOMPARE(failed.mediaId, -1.0);
        QCOMPARE(ContentsOfMedium(-1).size(), 1);
        QCOMPARE(scalar(QStringLiteral("select count(*) from MEDIA")).toInt(), mediaBefore);
    }

    void watchedMarksCopiesOfTheSameTitle_data()
    {
        QTest::addColumn<int>("season");
        QTest::addColumn<bool>("applyToDuplicates");
        QTest::addColumn<QStringList>("watchedIds");
        QTest::newRow("movie: every copy") << 0 << true << QStringList{"900", "901", "902"};
        QTest::newRow("season: same season only") << 2 << true << QStringList{"900", "901"};
        QTest::newRow("option off: only itself") << 0 << false << QStringList{"900"};
    }

    void watchedMarksCopiesOfTheSameTitle()
    {
        QFETCH(int, season);
        QFETCH(bool, applyToDuplicates);
        QFETCH(QStringList, watchedIds);
        for (const auto &[id, s] : {std::pair{900, season}, std::pair{901, season}, std::pair{902, season + 1}})
            sql(QStringLiteral("insert into MOVIE (MEDIA_ID, MOVIE_ID, LISTINDEX, TITLE, IMDBID, SEASON, WATCHED) "
                               "values (90, %1, 1, 'Copy', 4242, %2, 0)")
                    .arg(id)
                    .arg(s));
        MovieRecord movie = movieOf(90, 900, QStringLiteral("Copy"));
        movie.FImdbID = 4242;
        movie.FSeason = season;
        movie.FWatched = 1;
        movie.FLastWatchedDate = QDate(2024, 5, 6);
        SaveContent(dm, movie, {}, applyToDuplicates);
        QCOMPARE(column(QStringLiteral("select MOVIE_ID from MOVIE where IMDBID = 4242 and WATCHED = 1 order by "
                                       "MOVIE_ID")),
                 watchedIds);
        for (const QString &id : watchedIds)
            QCOMPARE(
                scalar(QStringLiteral("select LASTWATCHEDDATE from MOVIE where MOVIE_ID = ") + id).toDateTime().date(),
                QDate(2024, 5, 6));
    }

    // Ticking "watched" without a date must not wipe the date another copy was watched on.
    void watchedWithoutDateKeepsTheCopiesDates()
    {
        sql(QStringLiteral("insert into MOVIE (MEDIA_ID, MOVIE_ID, LISTINDEX, TITLE, IMDBID, SEASON, WATCHED, "
                           "LASTWATCHEDDATE) values (91, 910, 1, 'Copy', 4343, 0, 0, '1899-12-30')"));
        sql(QStringLiteral("insert into MOVIE (MEDIA_ID, MOVIE_ID, LISTINDEX, TITLE, IMDBID, SEASON, WATCHED, "
                           "LASTWATCHEDDATE) values (92, 911, 1, 'Copy', 4343, 0, 1, '2023-03-04')"));
        MovieRecord movie = movieOf(91, 910, QStringLiteral("Copy"));
        movie.FImdbID = 4343;
        movie.FWatched = 1;
        movie.FLastWatchedDate = ZeroDate();
        SaveContent(dm, movie, {}, true);
        QCOMPARE(column(QStringLiteral("select WATCHED from MOVIE where IMDBID = 4343 order by MOVIE_ID")),
                 (QStringList{"1", "1"}));
        QCOMPARE(scalar(QStringLiteral("select LASTWATCHEDDATE from MOVIE where MOVIE_ID = 911")).toDateTime().date(),
                 QDate(2023, 3, 4));
    }

    void typedInput_data()
    {
        QTest::addColumn<int>("kind"); // 0 date, 1 amount, 2 whole number
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("accepted");
        QTest::addColumn<QVariant>("value");
        const QString today = FormatDateField(QDate(2021, 3, 14));
        QTest::newRow("date in the field format") << 0 << today << true << QVariant(QDate(2021, 3, 14));
        QTest::newRow("date as YYYY-MM-DD") << 0 << "2019-12-31" << true << QVariant(QDate(2019, 12, 31));
        QTest::newRow("blank date is empty") << 0 << "  " << true << QVariant(QDate());
        QTest::newRow("no date") << 0 << "next week" << false << QVariant();
        QTest::newRow("impossible date") << 0 << "2021-02-30" << false << QVariant();
        QTest::newRow("year that means empty") << 0 << "1900-01-01" << false << QVariant();
        QTest::newRow("amount with symbol") << 1 << "$ 12.50" << true << QVariant(12.5);
        QTest::newRow("amount with group separators")
            << 1 << QLocale().toString(1234567.0, 'f', 0) << true << QVariant(1234567.0);
        QTest::newRow("blank amount is 0") << 1 << "" << true << QVariant(0.0);
        QTest::newRow("no amount") << 1 << "twelve" << false << QVariant();
        QTest::newRow("sequence number") << 2 << " 42 " << true << QVariant(42);
        QTest::newRow("negative sequence number") << 2 << "-3" << false << QVariant();
        QTest::newRow("decimal sequence number") << 2 << "4.5" << false << QVariant();
        QTest::newRow("blank sequence number") << 2 << "" << false << QVariant();
    }

    void typedInput()
    {
        QFETCH(int, kind);
        QFETCH(QString, text);
        QFETCH(bool, accepted);
        QFETCH(QVariant, value);
        if (kind == 0) {
            QDate date(1999, 1, 1);
            QCOMPARE(ParseDateField(text, &date), accepted);
            if (accepted)
                QCOMPARE(date, value.toDate());
        } else if (kind == 1) {
            double amount = -1;
            QCOMPARE(ParseAmount(text, QStringLiteral("$"), &amount), accepted);
            if (accepted)
                QCOMPARE(amount, value.toDouble());
        } else {
            int number = -1;
            QCOMPARE(ParseWholeNumber(text, &number), accepted);
            if (accepted)
                QCOMPARE(number, value.toInt());
        }
    }

    void storedDatesUpTo1900ShowEmpty()
    {
        QVERIFY(IsEmptyStoredDate(ZeroDate()));
        QVERIFY(IsEmptyStoredDate(QDate(1900, 1, 1)));
        QVERIFY(IsEmptyStoredDate(QDate(1900, 12, 31)));
        QVERIFY(!IsEmptyStoredDate(QDate(1901, 1, 1)));
        QCOMPARE(ShownDate(QDate(1900, 1, 1)), QDate());
    }

    void sequenceNumberTaken()
    {
        sql(QStringLiteral("insert into MEDIA (MEDIA_ID, TITLE, SEQNUMBER) values (95, 'Numbered', 777)"));
        QVERIFY(SequenceNumberTaken(777));
        QVERIFY(!SequenceNumberTaken(778));
    }

    // A medium left without movies (its only movie moved away) shows no content: saving it must
    // write the medium and no list rows for a movie that does not exist.
    void savingAMediumWithoutContentsWritesNoContentRows()
    {
        sql(QStringLiteral("insert into MEDIA (MEDIA_ID, TITLE, SEQNUMBER) values (96, 'Emptied Box', 96)"));
        dm.MainConnection.commitRetaining();
        ContentLists lists;
        lists.genres = QStringList{"Drama"};
        lists.features = QStringList{"Commentary"};
        const EntrySaveResult result = SaveEntry(dm, mediaOf(96, QStringLiteral("Emptied Box, Renamed"), 96),
                                                 movieOf(96, -1, QStringLiteral("Typed")), lists, false, true);
        QVERIFY2(result.saved, qPrintable(result.error));
        QCOMPARE(scalar(QStringLiteral("select TITLE from MEDIA where MEDIA_ID = 96")).toString(),
                 QStringLiteral("Emptied Box, Renamed"));
        for (const char *table : {"GENRE", "FEATURES"})
            QCOMPARE(
                scalar(QStringLiteral("select count(*) from %1 where MOVIE_ID = -1").arg(QLatin1String(table))).toInt(),
                0);
    }

    // An older entry with only the reduced cover keeps it through an edit.
    void reducedCoverOnlyIsKeptBySaving()
    {
        QImage cover(60, 86, QImage::Format_RGB32);
        cover.fill(Qt::darkBlue);
        QByteArray jpeg;
        QBuffer buffer(&jpeg);
        buffer.open(QIODevice::WriteOnly);
        QVERIFY(cover.save(&buffer, "JPEG"));
        FbQuery insert(dm.MainConnection);
        insert.setSql(QStringLiteral("insert into MEDIA (MEDIA_ID, TITLE, SEQNUMBER, FRONTCOVER_BLOB) values (97, "
                                     "'Old Box', 97, :COVER)"));
        insert.setParam(QStringLiteral("COVER"), jpeg);
        insert.exec();
        sql(QStringLiteral("insert into MEDIA_GFX (MEDIA_ID) values (97)"));
        dm.MainConnection.commitRetaining();

        StoredMedium medium;
        QVERIFY(LoadMedium(97, &medium));
        QVERIFY(!medium.record.FFrontCover.isNull());
        const EntrySaveResult result =
            SaveEntry(dm, medium.record, movieOf(97, -1, QStringLiteral("Old")), {}, false, true);
        QVERIFY2(result.saved, qPrintable(result.error));
        QVERIFY(!scalar(QStringLiteral("select FRONTCOVER_BLOB from MEDIA where MEDIA_ID = 97")).isNull());
        QVERIFY(!scalar(QStringLiteral("select FRONTCOVER_BLOB from MEDIA_GFX where MEDIA_ID = 97")).isNull());
    }
};

RN_TEST_MAIN(TestMovieEditor)
#include "tst_movieeditor.moc"
