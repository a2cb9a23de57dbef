#include "TestSupport.h"

#include "core/GlobalFunctions.h"
#include "core/Translations.h"
#include "database/DM1_u.h"
#include "database/FbError.h"
#include "database/FbQuery.h"
#include "database/ImageStore.h"
#include "database/RecordHelpers.h"
#include "editing/EntryRecords.h"

#include <QImage>
#include <QPainter>

namespace {

// A movie record with a value in every field the writer sets.
MovieRecord fullMovie(double mediaId, double movieId)
{
    MovieRecord r;
    r.FMedia_ID = mediaId;
    r.FMovie_ID = movieId;
    r.FListIndex = 2;
    r.FTitle = QStringLiteral("The Third Man");
    r.FTitleSort = QStringLiteral("Third Man, The");
    r.FStudio = QStringLiteral("London Films");
    r.FReleaseDate = QDate(1949, 9, 2);
    r.FTheaterDate = QDate(1950, 1, 15);
    r.FMovieTime = 104;
    r.FCountry_ID = 7;
    r.FCertification_ID = -1;
    r.FOriginal_Language_ID = 3;
    r.FOfficialSite = QStringLiteral("http://example.org/thirdman");
    r.FTagline = QStringLiteral("Hunted by men... Sought by women!");
    r.FUserRating = 9;
    r.FImdbID = 41959;
    r.FOrigTitle = QStringLiteral("The Third Man");
    r.FOrigTitleSort = QStringLiteral("Third Man");
    r.FClipPath = QStringLiteral("/videos/ThirdMan/Trailer.mkv");
    r.FPlotOutline = QStringLiteral("Pulp novelist Holly Martins travels to Vienna.");
    r.FPlot = QStringLiteral("Line one\nLine two with 'quotes' and ; semicolons\n") + QString(40000, QLatin1Char('p'));
    r.FComments = QStringLiteral("Комментарий");
    r.FTrivia = QStringLiteral("Zither: 琴");
    r.FBudget = 1250000.5;
    r.FGrossRevenue = 4000000;
    r.FDiscNo = 1;
    r.FSeriesName = QStringLiteral("Noir");
    r.FSeason = 3;
    r.FLastWatchedDate = QDate(2024, 2, 29);
    r.FProductionYear = QStringLiteral("1949");
    r.FWatched = 1;
    r.FFeaturesWatched = 1;
    r.FImdbRating = 8.1;
    r.FThreeD_Enabled = 1;
    r.FFourK_Enabled = 1;
    r.FGroup_ID = 12;
    r.FGroup_Index = 4;
    r.FDownload_Type = QStringLiteral("imdb");
    r.FDownload_Code = QStringLiteral("tt0041959");
    r.FRottenRating = 99;
    return r;
}

QImage picture(int width, int height)
{
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(Qt::darkBlue);
    QPainter painter(&image);
    painter.fillRect(width / 4, height / 4, width / 2, height / 2, Qt::yellow);
    return image;
}

QSize blobPictureSize(const QVariant &blob)
{
    QImage image;
    if (DecodeJpegField(blob, &image) != JpegField::Show)
        return {};
    return image.size();
}

} // namespace

class TestEntryRecords : public QObject
{
    Q_OBJECT

    RecordingUserInterface ui;
    TDM1 dm;

    void sql(const QString &statement) { FbQuery::execute(dm.MainConnection, statement); }
    QVariant scalar(const QString &select) { return FbQuery::scalar(dm.MainConnection, select); }

    // Every column of one row, by name.
    QVariantMap row(const QString &select) { return SelectRow(dm.MainConnection, select); }

private slots:
    void initTestCase()
    {
        QVERIFY(LoadLanguageTexts() == TranslationLoad::Loaded);
        ForceDataFolders();
        QVERIFY(dm.CreateRNZDB(TestDatabasePath(QStringLiteral("entryrecords")), false, true, false));
    }

    void cutRules_data()
    {
        QTest::addColumn<QString>("input");
        QTest::addColumn<int>("length");
        QTest::addColumn<int>("rule");
        QTest::addColumn<QString>("expected");

        const QString a99(99, QLatin1Char('a'));
        const QString clef = QStringLiteral("\U0001D11E"); // outside the basic plane: two UTF-16 units
        const auto keep = int(TextRule::Keep);
        const auto lower = int(TextRule::Lower);

        QTest::newRow("120 characters cut to 100")
            << QString(120, QLatin1Char('x')) << 100 << keep << QString(100, QLatin1Char('x'));
        QTest::newRow("trimmed after the cut") << QStringLiteral("  Alien  ") << 100 << keep << QStringLiteral("Alien");
        QTest::newRow("blank after the cut")
            << (QString(13, QLatin1Char(' ')) + QStringLiteral("0123")) << 13 << keep << QString();
        QTest::newRow("sort title lower-cased after the cut")
            << (QString(95, QLatin1Char('A')) + QStringLiteral("BCDEFGH")) << 100 << lower
            << (QString(95, QLatin1Char('a')) + QStringLiteral("bcdef"));
        QTest::newRow("wide character at the limit kept whole")
            << (a99 + clef + QStringLiteral("b")) << 100 << keep << (a99 + clef);
        QTest::newRow("wide character beyond the limit dropped whole")
            << (a99 + QStringLiteral("b") + clef) << 100 << keep << (a99 + QStringLiteral("b"));
        // Dotted capital I lower-cases to two characters; the sort title must still fit.
        QTest::newRow("lower-casing that lengthens is cut again")
            << QString(100, QChar(0x0130)) << 100 << lower << QString(100, QChar(0x0130)).toLower().left(100);
        QTest::newRow("production year") << QStringLiteral("19491") << 4 << keep << QStringLiteral("1949");
    }

    void cutRules()
    {
        QFETCH(QString, input);
        QFETCH(int, length);
        QFETCH(int, rule);
        QFETCH(QString, expected);
        QCOMPARE(CutRecordText(input, length, TextRule(rule)), expected);
    }

    void recordFieldsApplyTheirRules()
    {
        const QString long300 = QStringLiteral(" ") + QString(299, QLatin1Char('Q'));
        MediaRecord media;
        media.FTitle = long300;
        media.FTitleSort = long300;
        media.FEdition = long300;
        media.FUPC = QStringLiteral("0123456789012345");
        media.FLocation = long300;
        media.FStatus = long300;
        media.FMediaOwner = QStringLiteral(" Ann ");
        QCOMPARE(media.FTitle.value(), QString(99, QLatin1Char('Q')));
        QCOMPARE(media.FTitleSort.value(), QString(99, QLatin1Char('q')));
        QCOMPARE(media.FEdition.value().size(), 49);
        QCOMPARE(media.FUPC.value(), QStringLiteral("0123456789012"));
        QCOMPARE(media.FLocation.value().size(), 39);
        QCOMPARE(media.FStatus.value().size(), 24);
        QCOMPARE(media.FMediaOwner, QStringLiteral(" Ann ")); // as entered

        MovieRecord movie;
        movie.FStudio = long300;
        movie.FOfficialSite = long300;
        movie.FTagline = long300;
        movie.FOrigTitleSort = long300;
        movie.FPlotOutline = long300;
        movie.FSeriesName = long300;
        movie.FDownload_Type = long300;
        movie.FDownload_Code = long300;
        movie.FPlot = long300;
        QCOMPARE(movie.FStudio.value().size(), 49);
        QCOMPARE(movie.FOfficialSite.value().size(), 199);
        QCOMPARE(movie.FTagline.value().size(), 254);
        QCOMPARE(movie.FOrigTitleSort.value(), QString(99, QLatin1Char('q')));
        QCOMPARE(movie.FPlotOutline.value().size(), 254);
        QCOMPARE(movie.FSeriesName.value().size(), 74);
        QCOMPARE(movie.FDownload_Type.value().size(), 49);
        QCOMPARE(movie.FDownload_Code.value().size(), 49);
        QCOMPARE(movie.FPlot, long300); // memo texts are not cut

        movie.FClipPath = QStringLiteral("  /Videos/Trailer.MKV ") + QString(300, QLatin1Char('x'));
#ifdef Q_OS_WIN
        QVERIFY(movie.FClipPath.value().startsWith(QStringLiteral("/videos/trailer.mkv")));
#else
        // Paths keep their case where the file system does not ignore it.
        QVERIFY(movie.FClipPath.value().startsWith(QStringLiteral("/Videos/Trailer.MKV")));
#endif
        QCOMPARE(movie.FClipPath.value().size(), 255 - 2);
    }

    void clearEmptiesEveryField()
    {
        MediaRecord media;
        media.FMedia_ID = 5;
        media.FTitle = QStringLiteral("x");
        media.FSeqNumber = 9;
        media.FBuyPrice = 3.5;
        media.FBuyDate = QDate(2020, 1, 1);
        media.FFrontCover = picture(10, 10);
        media.FMediaOwner = QStringLiteral("Ann");
        media.Clear();
        QCOMPARE(media.FMedia_ID, -1.0);
        QVERIFY(media.FTitle.value().isEmpty());
        QCOMPARE(media.FSeqNumber, 0);
        QCOMPARE(media.FBuyPrice, 0.0);
        QCOMPARE(media.FBuyDate, QDate(1899, 12, 30));
        QVERIFY(media.FFrontCover.isNull());
        QVERIFY(media.FMediaOwner.isEmpty());

        MovieRecord movie = fullMovie(1, 2);
        movie.Clear();
        QCOMPARE(movie.FMedia_ID, -1.0);
        QCOMPARE(movie.FMovie_ID, -1.0);
        QCOMPARE(movie.FListIndex, -1);
        QVERIFY(movie.FTitle.value().isEmpty());
        QVERIFY(movie.FPlot.isEmpty());
        QCOMPARE(movie.FWatched, qint16(0));
        QCOMPARE(movie.FImdbRating, 0.0);
        QCOMPARE(movie.FLastWatchedDate, QDate(1899, 12, 30));
        QCOMPARE(movie.FReleaseDate, QDate(1899, 12, 30));
    }

    void mediumWrittenAndReadBack()
    {
        MediaRecord r;
        r.FMedia_ID = 101;
        r.FTitle = QStringLiteral("The Third Man");
        r.FTitleSort = QStringLiteral("Third Man, The");
        r.FMediaTime = 104;
        r.FEdition = QStringLiteral("Criterion");
        r.FSeqNumber = 17;
        r.FMediaType_ID = -1;
        r.FRegionCode = 2;
        r.FUPC = QStringLiteral("5012345678900");
        r.FLocation = QStringLiteral("Shelf 3");
        r.FStatus = QStringLiteral("Owned");
        r.FBuyPrice = 12.5;
        r.FBuyDate = QDate(2019, 5, 4);
        r.FNoOfDiscs = 2;
        r.FDeck = 4;
        r.FSlot = 11;
        r.FMediaOwner = QStringLiteral("Ann");
        AlterMediaTable(dm, r, true);

        const QVariantMap m = row(QStringLiteral("select * from MEDIA where MEDIA_ID = 101"));
        QCOMPARE(m.value("TITLE").toString(), QStringLiteral("The Third Man"));
        QCOMPARE(m.value("TITLESORT").toString(), QStringLiteral("third man, the"));
        QCOMPARE(m.value("MEDIATIME").toInt(), 104);
        QCOMPARE(m.value("EDITION").toString(), QStringLiteral("Criterion"));
        QCOMPARE(m.value("SEQNUMBER").toInt(), 17);
        QCOMPARE(m.value("MEDIATYPE_ID").toInt(), -1);
        QCOMPARE(m.value("REGIONCODE").toInt(), 2);
        QCOMPARE(m.value("UPC").toString(), QStringLiteral("5012345678900"));
        QCOMPARE(m.value("LOCATION").toString(), QStringLiteral("Shelf 3"));
        QCOMPARE(m.value("STATUS").toString(), QStringLiteral("Owned"));
        QCOMPARE(m.value("BUYPRICE").toDouble(), 12.5);
        QCOMPARE(m.value("BUYDATE").toDateTime().date(), QDate(2019, 5, 4));
        QCOMPARE(m.value("NOOFDISCS").toInt(), 2);
        QCOMPARE(m.value("DECK").toInt(), 4);
        QCOMPARE(m.value("SLOT").toInt(), 11);
        QCOMPARE(m.value("MEDIAOWNER").toString(), QStringLiteral("Ann"));
        // A new medium is not lent and was added and modified today.
        QCOMPARE(m.value("LEND_ID").toInt(), -1);
        QCOMPARE(m.value("DATE_ADDED").toDateTime().date(), QDate::currentDate());
        QCOMPARE(m.value("DATE_MODIFIED").toDateTime().date(), QDate::currentDate());
        QCOMPARE(scalar(QStringLiteral("select count(*) from MEDIA_GFX where MEDIA_ID = 101")).toInt(), 1);

        // An empty date goes in as the zero date, never as NULL.
        r.FBuyDate = QDate();
        AlterMediaTable(dm, r, false);
        QCOMPARE(scalar(QStringLiteral("select BUYDATE from MEDIA where MEDIA_ID = 101")).toDateTime().date(),
                 QDate(1899, 12, 30));
    }

    void updatingAMediumLeavesLoanAndAddedDate()
    {
        MediaRecord r;
        r.FMedia_ID = 102;
        r.FTitle = QStringLiteral("Lent");
        AlterMediaTable(dm, r, true);
        sql(QStringLiteral("update MEDIA set LEND_ID = 4, LENDDATE = '2024-03-01', LEND_RETURNDATE = '2024-03-15', "
                           "DATE_ADDED = '2001-01-01', DATE_MODIFIED = '2001-01-01' where MEDIA_ID = 102"));

        r.FTitle = QStringLiteral("Lent, renamed");
        AlterMediaTable(dm, r, false);
        const QVariantMap m = row(QStringLiteral("select * from MEDIA where MEDIA_ID = 102"));
        QCOMPARE(m.value("TITLE").toString(), QStringLiteral("Lent, renamed"));
        QCOMPARE(m.value("LEND_ID").toInt(), 4);
        QCOMPARE(m.value("LENDDATE").toDateTime().date(), QDate(2024, 3, 1));
        QCOMPARE(m.value("LEND_RETURNDATE").toDateTime().date(), QDate(2024, 3, 15));
        QCOMPARE(m.value("DATE_ADDED").toDateTime().date(), QDate(2001, 1, 1));
        QCOMPARE(m.value("DATE_MODIFIED").toDateTime().date(), QDate::currentDate());
        QCOMPARE(scalar(QStringLiteral("select count(*) from MEDIA_GFX where MEDIA_ID = 102")).toInt(), 1);
    }

    void coversStoredFullSizeAndReduced()
    {
        MediaRecord r;
        r.FMedia_ID = 103;
        r.FTitle = QStringLiteral("Covered");
        r.FFrontCover = picture(1200, 1700);
        r.FBackCover = picture(900, 1300);
        AlterMediaTable(dm, r, true);

        const QSize limit = ThumbnailMaxSize(ReadThumbnailSize());
        const QVariantMap full = row(QStringLiteral("select * from MEDIA_GFX where MEDIA_ID = 103"));
        const QVariantMap reduced = row(QStringLiteral("select * from MEDIA where MEDIA_ID = 103"));
        QCOMPARE(blobPictureSize(full.value("FRONTCOVER_BLOB")), QSize(1200, 1700));
        QCOMPARE(blobPictureSize(full.value("BACKCOVER_BLOB")), QSize(900, 1300));
        // The reduced copies are the portraits scaled to the thumbnail height, proportions kept.
        const QSize frontReduced(int(qint64(limit.height()) * 1200 / 1700), limit.height());
        const QSize backReduced(int(qint64(limit.height()) * 900 / 1300), limit.height());
        QCOMPARE(blobPictureSize(reduced.value("FRONTCOVER_BLOB")), frontReduced);
        QCOMPARE(blobPictureSize(reduced.value("BACKCOVER_BLOB")), backReduced);

        // Empty images clear both covers in both tables.
        r.FFrontCover = QImage();
        r.FBackCover = QImage();
        AlterMediaTable(dm, r, false);
        for (const QString &table : {QStringLiteral("MEDIA"), QStringLiteral("MEDIA_GFX")}) {
            const QVariantMap cleared = row(QStringLiteral("select * from %1 where MEDIA_ID = 103").arg(table));
            QVERIFY2(cleared.value("FRONTCOVER_BLOB").isNull(), qPrintable(table));
            QVERIFY2(cleared.value("BACKCOVER_BLOB").isNull(), qPrintable(table));
        }
    }

    void movieWrittenAndReadBack()
    {
        const MovieRecord r = fullMovie(101, 201);
        AlterMovieTable(dm, r, true);
        QVariantMap m = row(QStringLiteral("select * from MOVIE where MOVIE_ID = 201"));
        QCOMPARE(m.value("MEDIA_ID").toDouble(), 101.0);
        QCOMPARE(m.value("LISTINDEX").toInt(), 2);
        QCOMPARE(m.value("TITLE").toString(), QStringLiteral("The Third Man"));
        QCOMPARE(m.value("TITLESORT").toString(), QStringLiteral("third man, the"));
        QCOMPARE(m.value("STUDIO").toString(), QStringLiteral("London Films"));
        QCOMPARE(m.value("RELEASEDATE").toDateTime().date(), QDate(1949, 9, 2));
        QCOMPARE(m.value("THEATERDATE").toDateTime().date(), QDate(1950, 1, 15));
        QCOMPARE(m.value("MOVIETIME").toInt(), 104);
        QCOMPARE(m.value("COUNTRY_ID").toInt(), 7);
        QCOMPARE(m.value("CERTIFICATION_ID").toInt(), -1);
        QCOMPARE(m.value("ORIGINAL_LANGUAGE_ID").toInt(), 3);
        QCOMPARE(m.value("OFFICIALSITE").toString(), r.FOfficialSite.value());
        QCOMPARE(m.value("TAGLINE").toString(), r.FTagline.value());
        QCOMPARE(m.value("USERRATING").toInt(), 9);
        QCOMPARE(m.value("IMDBID").toInt(), 41959);
        QCOMPARE(m.value("ORIGTITLE").toString(), QStringLiteral("The Third Man"));
        QCOMPARE(m.value("ORIGTITLESORT").toString(), QStringLiteral("third man"));
        QCOMPARE(m.value("CLIPPATH").toString(), r.FClipPath.value());
        QCOMPARE(m.value("PLOTOUTLINE").toString(), r.FPlotOutline.value());
        QCOMPARE(m.value("PLOT").toString(), r.FPlot);
        QCOMPARE(m.value("COMMENTS").toString(), r.FComments);
        QCOMPARE(m.value("TRIVIA").toString(), r.FTrivia);
        QCOMPARE(m.value("BUDGET").toDouble(), 1250000.5);
        QCOMPARE(m.value("GROSSREVENUE").toDouble(), 4000000.0);
        QCOMPARE(m.value("DISCNO").toInt(), 1);
        QCOMPARE(m.value("SERIESNAME").toString(), QStringLiteral("Noir"));
        QCOMPARE(m.value("SEASON").toInt(), 3);
        QCOMPARE(m.value("LASTWATCHEDDATE").toDateTime().date(), QDate(2024, 2, 29));
        QCOMPARE(m.value("PRODUCTIONYEAR").toString(), QStringLiteral("1949"));
        QCOMPARE(m.value("WATCHED").toInt(), 1);
        QCOMPARE(m.value("FEATURESWATCHED").toInt(), 1);
        QCOMPARE(float(m.value("IMDBRATING").toDouble()), 8.1f); // a float column
        QCOMPARE(m.value("THREED_ENABLED").toInt(), 1);
        QCOMPARE(m.value("FOURK_ENABLED").toInt(), 1);
        QCOMPARE(m.value("GROUP_ID").toInt(), 12);
        QCOMPARE(m.value("GROUP_INDEX").toInt(), 4);
        QCOMPARE(m.value("DOWNLOAD_TYPE").toString(), QStringLiteral("imdb"));
        QCOMPARE(m.value("DOWNLOAD_CODE").toString(), QStringLiteral("tt0041959"));
        QCOMPARE(m.value("ROTTEN_RATING").toInt(), 99);
        for (const QString &column : m.keys()) {
            if (column.startsWith(QStringLiteral("FILE_")))
                QVERIFY2(m.value(column).isNull(), qPrintable(column));
        }

        // An update leaves the columns the writer does not own as they were.
        sql(QStringLiteral("update MOVIE set FILE_CODECNAME = 'h264', FILE_FORMAT = 'Matroska', FILE_VIDEOSIZE = "
                           "'1920x1080', FILE_BITRATE = 8000, FILE_FRAMERATE = 24, FILE_STANDARD = 'PAL', "
                           "FILE_RESOLUTION = 1080, FILE_MAXBITRATE = 12000, HTTPERROR = 1, TEMP_TAG = 5 "
                           "where MOVIE_ID = 201"));
        MovieRecord edited = r;
        edited.FTitle = QStringLiteral("Der dritte Mann");
        edited.FPlot.clear();
        edited.FLastWatchedDate = QDate();
        AlterMovieTable(dm, edited, false);
        m = row(QStringLiteral("select * from MOVIE where MOVIE_ID = 201"));
        QCOMPARE(m.value("TITLE").toString(), QStringLiteral("Der dritte Mann"));
        QCOMPARE(m.value("PLOT").toString(), QString());
        QCOMPARE(m.value("LASTWATCHEDDATE").toDateTime().date(), QDate(1899, 12, 30));
        QCOMPARE(m.value("FILE_CODECNAME").toString(), QStringLiteral("h264"));
        QCOMPARE(m.value("FILE_FORMAT").toString(), QStringLiteral("Matroska"));
        QCOMPARE(m.value("FILE_VIDEOSIZE").toString(), QStringLiteral("1920x1080"));
        QCOMPARE(m.value("FILE_BITRATE").toInt(), 8000);
        QCOMPARE(m.value("FILE_FRAMERATE").toInt(), 24);
        QCOMPARE(m.value("FILE_STANDARD").toString(), QStringLiteral("PAL"));
        QCOMPARE(m.value("FILE_RESOLUTION").toInt(), 1080);
        QCOMPARE(m.value("FILE_MAXBITRATE").toInt(), 12000);
        QCOMPARE(m.value("HTTPERROR").toInt(), 1);
        QCOMPARE(m.value("TEMP_TAG").toInt(), 5);
    }

    void floatKeys_data()
    {
        QTest::addColumn<double>("key");
        QTest::newRow("1") << 1.0;
        QTest::newRow("above 2^16") << 65537.0;
        QTest::newRow("largest exact minus one") << MaxExactFloatKey - 1;
        QTest::newRow("largest exact") << MaxExactFloatKey;
    }

    void floatKeys()
    {
        QFETCH(double, key);
        MediaRecord media;
        media.FMedia_ID = key;
        media.FTitle = QStringLiteral("Key medium");
        AlterMediaTable(dm, media, true);
        MovieRecord movie;
        movie.FMedia_ID = key;
        movie.FMovie_ID = key;
        movie.FListIndex = 1;
        movie.FTitle = QStringLiteral("Key movie");
        AlterMovieTable(dm, movie, true);

        // The updates find the very rows the inserts made, by the key as the float column holds it.
        media.FTitle = QStringLiteral("Key medium edited");
        AlterMediaTable(dm, media, false);
        movie.FTitle = QStringLiteral("Key movie edited");
        AlterMovieTable(dm, movie, false);

        const QString where = QStringLiteral(" where MEDIA_ID = ") + SqlKey(key);
        QCOMPARE(scalar(QStringLiteral("select TITLE from MEDIA") + where).toString(),
                 QStringLiteral("Key medium edited"));
        QCOMPARE(scalar(QStringLiteral("select MEDIA_ID from MEDIA") + where).toDouble(), key);
        QCOMPARE(scalar(QStringLiteral("select count(*) from MEDIA_GFX") + where).toInt(), 1);
        QCOMPARE(scalar(QStringLiteral("select TITLE from MOVIE where MOVIE_ID = ") + SqlKey(key)).toString(),
                 QStringLiteral("Key movie edited"));
        QCOMPARE(scalar(QStringLiteral("select MOVIE_ID from MOVIE where MOVIE_ID = ") + SqlKey(key)).toDouble(), key);
        sql(QStringLiteral("delete from MOVIE") + where);
        sql(QStringLiteral("delete from MEDIA_GFX") + where);
        sql(QStringLiteral("delete from MEDIA") + where);
    }

    void awkwardTitlesReadBackUnchanged_data()
    {
        QTest::addColumn<QString>("title");
        QTest::newRow("quotes") << QStringLiteral("Don't Look \"Now\" ''");
        QTest::newRow("semicolons and SQL") << QStringLiteral("a; drop table MEDIA; -- :TITLE");
        QTest::newRow("Cyrillic") << QStringLiteral("Война и мир");
        QTest::newRow("Japanese") << QStringLiteral("千と千尋の神隠し");
        QTest::newRow("Arabic") << QStringLiteral("الرسالة");
        QTest::newRow("outside the basic plane") << QStringLiteral("Film \U0001F3AC \U0001D11E");
        QTest::newRow("Greek at the cut length") << QString(100, QChar(0x03A9));
        QTest::newRow("wide characters at the cut length")
            << QString(50, QLatin1Char('a')).append(QString(QStringLiteral("\U0001F3AC")).repeated(50));
    }

    void awkwardTitlesReadBackUnchanged()
    {
        QFETCH(QString, title);
        MediaRecord media;
        media.FMedia_ID = 500;
        media.FTitle = title;
        media.FTitleSort = title;
        AlterMediaTable(dm, media, true);
        MovieRecord movie;
        movie.FMedia_ID = 500;
        movie.FMovie_ID = 500;
        movie.FTitle = title;
        movie.FOrigTitle = title;
        movie.FTitleSort = title;
        AlterMovieTable(dm, movie, true);

        QCOMPARE(media.FTitle.value(), title);
        const QVariantMap m = row(QStringLiteral("select * from MEDIA where MEDIA_ID = 500"));
        QCOMPARE(m.value("TITLE").toString(), title);
        QCOMPARE(m.value("TITLESORT").toString(), title.toLower());
        const QVariantMap v = row(QStringLiteral("select * from MOVIE where MOVIE_ID = 500"));
        QCOMPARE(v.value("TITLE").toString(), title);
        QCOMPARE(v.value("ORIGTITLE").toString(), title);
        QCOMPARE(v.value("TITLESORT").toString(), title.toLower());
        sql(QStringLiteral("delete from MOVIE where MOVIE_ID = 500"));
        sql(QStringLiteral("delete from MEDIA_GFX where MEDIA_ID = 500"));
        sql(QStringLiteral("delete from MEDIA where MEDIA_ID = 500"));
    }

    void databaseErrorsReachTheCaller()
    {
        MediaRecord media;
        media.FMedia_ID = 600;
        AlterMediaTable(dm, media, true);
        // The second insert breaks the unique key; the writer takes no steps of its own.
        QVERIFY_THROWS_EXCEPTION(FbError, AlterMediaTable(dm, media, true));
        QCOMPARE(scalar(QStringLiteral("select count(*) from MEDIA where MEDIA_ID = 600")).toInt(), 1);
    }
};

RN_TEST_MAIN(TestEntryRecords)
#include "tst_entryrecords.moc"
