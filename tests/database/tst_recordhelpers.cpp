#include "TestSupport.h"

#include "core/GlobalFunctions.h"
#include "core/TextNumbers.h"
#include "core/Translations.h"
#include "database/DM1_u.h"
#include "database/FbQuery.h"
#include "database/RecordHelpers.h"
#include "database/SortTitles.h"

namespace {

// The detail tables of a movie, each with the columns a minimal row needs: {movie} is the movie,
// {cast} the person of the cast row, {award} the person of the award recipient row.
const QList<QPair<QString, QString>> detailRows = {
    {QStringLiteral("CASTCREW"),
     QStringLiteral("(MOVIE_ID, PERSON_ID, ROLE_ID, LISTINDEX) values ({movie}, {cast}, 0, 1)")},
    {QStringLiteral("FEATURES"), QStringLiteral("(MOVIE_ID, AUTOINDEX, NAME) values ({movie}, 1, 'Trailer')")},
    {QStringLiteral("FORMAT"), QStringLiteral("(MOVIE_ID, FORMAT_ID) values ({movie}, 1)")},
    {QStringLiteral("GENRE"), QStringLiteral("(MOVIE_ID, GENRE_ID) values ({movie}, 1)")},
    {QStringLiteral("LANGUAGE"), QStringLiteral("(MOVIE_ID, LANGUAGE_ID, AUDIOFORMAT_ID) values ({movie}, 1, 1)")},
    {QStringLiteral("SUBTITLES"), QStringLiteral("(MOVIE_ID, LANGUAGE_ID) values ({movie}, 1)")},
    {QStringLiteral("TVSERIES"), QStringLiteral("(TVSERIES_ID, MOVIE_ID, EPISODE) values ({movie}, {movie}, 1)")},
    {QStringLiteral("MOVIEFILES"), QStringLiteral("(MOVIE_ID, LISTINDEX, FILEPATH) values ({movie}, 1, 'a.avi')")},
    {QStringLiteral("FILMINGLOCATION"), QStringLiteral("(MOVIE_ID, AUTOINDEX, NAME) values ({movie}, 1, 'Rome')")},
    {QStringLiteral("MOVIEAWARDS_PERSON"),
     QStringLiteral("(MOVIE_ID, AUTOINDEX, PERSON_ID) values ({movie}, 1, {award})")},
    {QStringLiteral("MOVIEAWARDS"),
     QStringLiteral("(MOVIE_ID, AUTOINDEX, NAME, RESULT) values ({movie}, 1, 'Oscar', 1)")},
    {QStringLiteral("TECHNICALDATA"), QStringLiteral("(MOVIE_ID, AUTOINDEX, DATAVALUE) values ({movie}, 1, '1:85')")},
    {QStringLiteral("KEYWORD"), QStringLiteral("(MOVIE_ID, KEYWORD_ID) values ({movie}, 1)")},
    {QStringLiteral("SOUNDTRACK"), QStringLiteral("(MOVIE_ID, AUTOINDEX, TITLE) values ({movie}, 1, 'Theme')")},
};

} // namespace

class TestRecordHelpers : public QObject
{
    Q_OBJECT

    RecordingUserInterface ui;
    TDM1 dm;

    void sql(const QString &statement) { FbQuery::execute(dm.MainConnection, statement); }
    int count(const QString &select) { return CountRows(select); }
    QVariant scalar(const QString &select) { return FbQuery::scalar(dm.MainConnection, select); }

    // A medium with one movie and a row in every detail table; the cast row and the award
    // recipient name the given persons.
    void addEntry(int mediaId, int movieId, int castPerson, int awardPerson)
    {
        sql(QStringLiteral("insert into MEDIA (MEDIA_ID, TITLE) values (%1, 'Medium %1')").arg(mediaId));
        sql(QStringLiteral("insert into MEDIA_GFX (MEDIA_ID) values (%1)").arg(mediaId));
        sql(QStringLiteral("insert into MOVIE (MEDIA_ID, MOVIE_ID, TITLE) values (%1, %2, 'Movie %2')")
                .arg(mediaId)
                .arg(movieId));
        for (const auto &[table, values] : detailRows) {
            QString row = values;
            row.replace(QStringLiteral("{movie}"), QString::number(movieId))
                .replace(QStringLiteral("{cast}"), QString::number(castPerson))
                .replace(QStringLiteral("{award}"), QString::number(awardPerson));
            sql(QStringLiteral("insert into %1 ").arg(table) + row);
        }
    }

    int detailRowsOf(int movieId)
    {
        int rows = 0;
        for (const auto &detail : detailRows)
            rows += count(QStringLiteral("select * from %1 where MOVIE_ID = %2").arg(detail.first).arg(movieId));
        return rows;
    }

private slots:
    void initTestCase()
    {
        QVERIFY(LoadLanguageTexts() == TranslationLoad::Loaded);
        ForceDataFolders();
        QVERIFY(dm.CreateRNZDB(TestDatabasePath(QStringLiteral("helpers")), false, true, false));
    }

    void init()
    {
        for (const char *table : {"MEDIA", "MEDIA_GFX", "MOVIE", "PERSON"})
            sql(QStringLiteral("delete from %1").arg(QLatin1String(table)));
        for (const auto &detail : detailRows)
            sql(QStringLiteral("delete from %1").arg(detail.first));
        ui.messages.clear();
    }

    void nextKeyIsTheMaximumPlusOne()
    {
        QCOMPARE(NextKey(QStringLiteral("MEDIA"), QStringLiteral("MEDIA_ID")), 1.0);
        QCOMPARE(NextKeyInt(QStringLiteral("MOVIEGROUP"), QStringLiteral("GROUP_ID")), 1);
        for (int key : {1, 2, 7})
            sql(QStringLiteral("insert into MEDIA (MEDIA_ID) values (%1)").arg(key));
        QCOMPARE(NextKey(QStringLiteral("MEDIA"), QStringLiteral("MEDIA_ID")), 8.0);
        QCOMPARE(NextKeyInt(QStringLiteral("MEDIA"), QStringLiteral("MEDIA_ID")), 8);
        QCOMPARE(NextKey(QStringLiteral("NO_SUCH_TABLE"), QStringLiteral("ID")), -1.0);
        QCOMPARE(NextKeyInt(QStringLiteral("MEDIA"), QStringLiteral("NO_SUCH_COLUMN")), -1);
    }

    void nextKeyRefusesKeysAFloatColumnCannotHold()
    {
        sql(QStringLiteral("insert into MEDIA (MEDIA_ID) values (16777215)"));
        QCOMPARE(NextKey(QStringLiteral("MEDIA"), QStringLiteral("MEDIA_ID")), 16777216.0);
        sql(QStringLiteral("insert into MEDIA (MEDIA_ID) values (16777216)"));
        // 16777217 would be stored as 16777216 again: the new row would take over the last one's key.
        QVERIFY_THROWS_EXCEPTION(KeyRangeError, NextKey(QStringLiteral("MEDIA"), QStringLiteral("MEDIA_ID")));
        // An integer column has room beyond it.
        sql(QStringLiteral("insert into MOVIEGROUP (GROUP_ID, NAME) values (16777216, 'Big')"));
        QCOMPARE(NextKeyInt(QStringLiteral("MOVIEGROUP"), QStringLiteral("GROUP_ID")), 16777217);
        sql(QStringLiteral("delete from MOVIEGROUP"));
    }

    void lookupsMatchNamesInAnyCase()
    {
        QCOMPARE(LookupId(QStringLiteral("GENRELIST"), QStringLiteral("GENRE_ID"), QStringLiteral("sci-fi")), 8);
        QCOMPARE(LookupId(QStringLiteral("GENRELIST"), QStringLiteral("GENRE_ID"), QStringLiteral("SCI-FI")), 8);
        QCOMPARE(LookupId(QStringLiteral("GENRELIST"), QStringLiteral("GENRE_ID"), QStringLiteral("  ")), -1);
        QCOMPARE(LookupId(QStringLiteral("GENRELIST"), QStringLiteral("GENRE_ID"), QStringLiteral("Space Opera")), -1);
        QCOMPARE(LookupId(QStringLiteral("GENRELIST"), QStringLiteral("GENRE_ID"), QStringLiteral("it's")), -1);
        QCOMPARE(LookupValue(QStringLiteral("GENRELIST"), QStringLiteral("GENRE_ID"), QStringLiteral("NAME"),
                             QStringLiteral("8")),
                 QStringLiteral("Sci-Fi"));
        QCOMPARE(LookupValue(QStringLiteral("GENRELIST"), QStringLiteral("GENRE_ID"), QStringLiteral("NAME"),
                             QStringLiteral(" ")),
                 QString());
        QCOMPARE(LookupValue(QStringLiteral("GENRELIST"), QStringLiteral("NO_SUCH"), QStringLiteral("NAME"),
                             QStringLiteral("8")),
                 QString());
    }

    void newLookupNamesAreCapitalisedOnce()
    {
        const int next = static_cast<int>(NextKey(QStringLiteral("GENRELIST"), QStringLiteral("GENRE_ID")));
        QCOMPARE(AddLookupIfMissing(QStringLiteral("GENRELIST"), QStringLiteral("GENRE_ID"),
                                    QStringLiteral("science fiction")),
                 next);
        QCOMPARE(scalar(QStringLiteral("select NAME from GENRELIST where GENRE_ID = %1").arg(next)).toString(),
                 QStringLiteral("Science Fiction"));
        QCOMPARE(AddLookupIfMissing(QStringLiteral("GENRELIST"), QStringLiteral("GENRE_ID"),
                                    QStringLiteral("SCIENCE FICTION")),
                 next);
        QCOMPARE(AddLookupIfMissing(QStringLiteral("GENRELIST"), QStringLiteral("GENRE_ID"), QString()), -1);
        QCOMPARE(count(QStringLiteral("select * from GENRELIST where lower(NAME) = 'science fiction'")), 1);
        QCOMPARE(NextKey(QStringLiteral("GENRELIST"), QStringLiteral("GENRE_ID")), double(next + 1));
        // A name with a quote is stored and found like any other.
        const int quoted =
            AddLookupIfMissing(QStringLiteral("KEYWORDLIST"), QStringLiteral("KEYWORD_ID"), QStringLiteral("o'brien"));
        QVERIFY(quoted >= 0);
        QCOMPARE(LookupId(QStringLiteral("KEYWORDLIST"), QStringLiteral("KEYWORD_ID"), QStringLiteral("O'BRIEN")),
                 quoted);
        sql(QStringLiteral("delete from GENRELIST where GENRE_ID = %1").arg(next));
        sql(QStringLiteral("delete from KEYWORDLIST where KEYWORD_ID = %1").arg(quoted));
    }

    void linkRowsAndRowDeletes()
    {
        AddLinkRow(QStringLiteral("GENRE"), QStringLiteral("GENRELIST"), QStringLiteral("GENRE_ID"),
                   QStringLiteral("drama"), 5);
        AddLinkRow(QStringLiteral("GENRE"), QStringLiteral("GENRELIST"), QStringLiteral("GENRE_ID"),
                   QStringLiteral("no such genre"), 5);
        // The same link again breaks the key of GENRE: ignored.
        AddLinkRow(QStringLiteral("GENRE"), QStringLiteral("GENRELIST"), QStringLiteral("GENRE_ID"),
                   QStringLiteral("Drama"), 5);
        QCOMPARE(count(QStringLiteral("select * from GENRE where MOVIE_ID = 5 and GENRE_ID = 4")), 1);
        QCOMPARE(count(QStringLiteral("select * from GENRE where MOVIE_ID = 5 and GENRE_ID = -1")), 1);
        QVERIFY(DeleteRows(QStringLiteral("GENRE"), QStringLiteral("MOVIE_ID"), SqlKey(5)));
        QCOMPARE(count(QStringLiteral("select * from GENRE")), 0);
        QVERIFY(!DeleteRows(QStringLiteral("GENRE"), QStringLiteral("NO_SUCH_COLUMN"), QStringLiteral("5")));
    }

    void mediumOfAMovie()
    {
        addEntry(3, 30, 1, 1);
        QCOMPARE(MediaIdOfMovie(30), 3.0);
        QCOMPARE(MediaIdOfMovie(31), -1.0);
        QCOMPARE(ReadThumbnailSize(), 12);
        QCOMPARE(ThumbnailMaxSize(13), QSize(200, 287));
        QCOMPARE(ThumbnailMaxSize(14), QSize(400, 574));
    }

    void nextFreeSeqNumberFindsTheFirstGap_data()
    {
        QTest::addColumn<int>("minimum");
        QTest::addColumn<int>("start");
        QTest::addColumn<int>("expected");
        QTest::newRow("from 1") << 1 << 1 << 4;
        QTest::newRow("start in the gap") << 1 << 4 << 4;
        QTest::newRow("start after the gap") << 1 << 5 << 6;
        QTest::newRow("minimum above start") << 5 << 1 << 6;
        QTest::newRow("negative minimum") << -3 << -7 << 4;
    }

    void nextFreeSeqNumberFindsTheFirstGap()
    {
        QFETCH(int, minimum);
        QFETCH(int, start);
        QFETCH(int, expected);
        int key = 1;
        for (int number : {1, 2, 3, 3, 5})
            sql(QStringLiteral("insert into MEDIA (MEDIA_ID, SEQNUMBER) values (%1, %2)").arg(key++).arg(number));
        sql(QStringLiteral("insert into MEDIA (MEDIA_ID) values (%1)").arg(key));
        SetMinimumAutoCounter(minimum);
        QCOMPARE(NextFreeSeqNumber(start), expected);
    }

    void clearTrashPostsRemovesWhatLostItsParent()
    {
        addEntry(1, 10, 100, 100);
        addEntry(2, 20, 101, 103);
        sql(QStringLiteral("insert into PERSON (PERSON_ID, NAME) values (100, 'Only in movie 10')"));
        sql(QStringLiteral("insert into PERSON (PERSON_ID, NAME) values (101, 'Cast of movie 20')"));
        sql(QStringLiteral("insert into PERSON (PERSON_ID, NAME) values (102, 'Nowhere')"));
        sql(QStringLiteral("insert into PERSON (PERSON_ID, NAME) values (103, 'Award of movie 20')"));
        const int detailsOf20 = detailRowsOf(20);
        QCOMPARE(detailsOf20, detailRows.size());

        sql(QStringLiteral("delete from MEDIA where MEDIA_ID = 1"));
        QVERIFY(ClearTrashPosts(false));
        QCOMPARE(count(QStringLiteral("select * from MOVIE where MOVIE_ID = 10")), 0);
        QCOMPARE(count(QStringLiteral("select * from MEDIA_GFX where MEDIA_ID = 1")), 0);
        QCOMPARE(detailRowsOf(10), 0);
        QCOMPARE(detailRowsOf(20), detailsOf20);
        QCOMPARE(count(QStringLiteral("select * from PERSON")), 4);

        QVERIFY(ClearTrashPosts(true));
        QCOMPARE(count(QStringLiteral("select * from PERSON where PERSON_ID in (101, 103)")), 2);
        QCOMPARE(count(QStringLiteral("select * from PERSON")), 2);
    }

    void clearTrashPostsWaitsWhileAnEntryIsBeingMade()
    {
        addEntry(2, 20, 101, 101);
        sql(QStringLiteral("insert into MEDIA (MEDIA_ID, TITLE) values (-1, 'being made')"));
        sql(QStringLiteral("delete from MEDIA where MEDIA_ID = 2"));
        QVERIFY(ClearTrashPosts(false));
        QCOMPARE(count(QStringLiteral("select * from MOVIE where MOVIE_ID = 20")), 1);
        QCOMPARE(count(QStringLiteral("select * from MEDIA_GFX where MEDIA_ID = 2")), 1);
        QCOMPARE(detailRowsOf(20), detailRows.size());

        sql(QStringLiteral("delete from MEDIA where MEDIA_ID = -1"));
        QVERIFY(ClearTrashPosts(false));
        QCOMPARE(count(QStringLiteral("select * from MOVIE")), 0);
        QCOMPARE(detailRowsOf(20), 0);
    }

    void dropDownValues()
    {
        int key = 0;
        for (const char *location : {"Shelf B", "Shelf A", "  ", "", "Shelf A"}) {
            ++key;
            // Only the first medium, on "Shelf B", is of media type 1.
            sql(QStringLiteral("insert into MEDIA (MEDIA_ID, LOCATION, MEDIATYPE_ID) values (%1, %2, %3)")
                    .arg(key)
                    .arg(QuotedStr(QLatin1String(location)))
                    .arg(key == 1 ? 1 : 2));
        }
        sql(QStringLiteral("insert into MEDIA (MEDIA_ID) values (%1)").arg(key + 1));
        bool ok = false;
        QCOMPARE(DistinctValues(QStringLiteral("MEDIA"), QStringLiteral("LOCATION"), &ok),
                 (QStringList{QStringLiteral("Shelf A"), QStringLiteral("Shelf B")}));
        QVERIFY(ok);
        QCOMPARE(DistinctValuesWhere(QStringLiteral("MEDIA"), QStringLiteral("LOCATION"),
                                     QStringLiteral("MEDIATYPE_ID"), QStringLiteral("1")),
                 QStringList{QStringLiteral("Shelf B")});
        QVERIFY(DistinctValues(QStringLiteral("MEDIA"), QStringLiteral("NO_SUCH_COLUMN"), &ok).isEmpty());
        QVERIFY(!ok);
    }

    void lookupDescriptionHint()
    {
        sql(QStringLiteral("insert into CERTIFICATIONLIST (CERTIFICATION_ID, NAME, DESCRIPTION) values (900, "
                           "'Test-13', 'Parents strongly cautioned')"));
        sql(QStringLiteral("insert into CERTIFICATIONLIST (CERTIFICATION_ID, NAME, DESCRIPTION) values (901, "
                           "'Test-0', ' ')"));
        QCOMPARE(LookupDescriptionHint(QStringLiteral("CERTIFICATIONLIST"), QStringLiteral("CERTIFICATION_ID"),
                                       QStringLiteral("test-13")),
                 GetText(Txt::DescriptionHint) + QStringLiteral(":\nParents strongly cautioned"));
        QVERIFY(LookupDescriptionHint(QStringLiteral("CERTIFICATIONLIST"), QStringLiteral("CERTIFICATION_ID"),
                                      QStringLiteral("Test-0"))
                    .isEmpty());
        QVERIFY(LookupDescriptionHint(QStringLiteral("CERTIFICATIONLIST"), QStringLiteral("CERTIFICATION_ID"),
                                      QStringLiteral("nothing"))
                    .isEmpty());
        sql(QStringLiteral("delete from CERTIFICATIONLIST where CERTIFICATION_ID >= 900"));
    }

    void makeSortTitle_data()
    {
        QTest::addColumn<QString>("title");
        QTest::addColumn<QString>("expected");
        QTest::newRow("leading") << QStringLiteral("The Matrix") << QStringLiteral("matrix");
        QTest::newRow("trailing") << QStringLiteral("Matrix, The") << QStringLiteral("matrix");
        QTest::newRow("trailing without blank") << QStringLiteral("Matrix,The") << QStringLiteral("matrix");
        QTest::newRow("leading a") << QStringLiteral("A Star Is Born") << QStringLiteral("star is born");
        QTest::newRow("trailing a") << QStringLiteral("Star Is Born, A") << QStringLiteral("star is born");
        QTest::newRow("the alone") << QStringLiteral("The") << QStringLiteral("the");
        QTest::newRow("word inside a word") << QStringLiteral("Theatre") << QStringLiteral("theatre");
        QTest::newRow("surrounding blanks") << QStringLiteral("  The Birds  ") << QStringLiteral("birds");
        QTest::newRow("article also inside")
            << QStringLiteral("Good, the Bad and the Ugly, The") << QStringLiteral("good, the bad and the ugly");
        QTest::newRow("first word decides") << QStringLiteral("The A-Team, A") << QStringLiteral("the a-team");
        QTest::newRow("empty") << QString() << QString();
    }

    void makeSortTitle()
    {
        QFETCH(QString, title);
        QFETCH(QString, expected);
        QCOMPARE(MakeSortTitle(title, {QStringLiteral("a"), QStringLiteral("the")}), expected);
    }

    void sortTitlesOfTheWholeCollection()
    {
        sql(QStringLiteral("insert into SORT_OMIT (AUTOINDEX, WORDTOOMIT) values (2, 'a')"));
        UpdateSortOmitList();
        QCOMPARE(CurrentSortWords().words(), (QStringList{QStringLiteral("a"), QStringLiteral("the")}));
        sql(QStringLiteral("insert into MEDIA (MEDIA_ID, TITLE) values (1, 'The Director''s Cut')"));
        sql(QStringLiteral("insert into MOVIE (MEDIA_ID, MOVIE_ID, TITLE, ORIGTITLE) values (1, 1, "
                           "'Director''s Cut, The', 'A Fool''s Errand')"));
        sql(QStringLiteral("insert into MOVIE (MEDIA_ID, MOVIE_ID) values (1, 2)"));
        QVERIFY(ReSortAllTitleFields());
        QCOMPARE(scalar(QStringLiteral("select TITLESORT from MEDIA where MEDIA_ID = 1")).toString(),
                 QStringLiteral("director's cut"));
        QCOMPARE(scalar(QStringLiteral("select TITLESORT from MOVIE where MOVIE_ID = 1")).toString(),
                 QStringLiteral("director's cut"));
        QCOMPARE(scalar(QStringLiteral("select ORIGTITLESORT from MOVIE where MOVIE_ID = 1")).toString(),
                 QStringLiteral("fool's errand"));
        QCOMPARE(scalar(QStringLiteral("select TITLESORT from MOVIE where MOVIE_ID = 2")).toString(), QString());
        sql(QStringLiteral("delete from SORT_OMIT where AUTOINDEX = 2"));
        UpdateSortOmitList();
        QCOMPARE(CurrentSortWords().words(), QStringList{QStringLiteral("the")});
    }
};

RN_TEST_MAIN(TestRecordHelpers)
#include "tst_recordhelpers.moc"
