#include "TestSupport.h"

#include "core/Translations.h"
#include "views/BrowseSql.h"
#include "views/CalculatedFields.h"
#include "views/ViewFields.h"

// The rules of the browse views that need no database: the SQL line model, how a browse
// statement is run, the stored layout text, thumbnail sizes and the record-count text.
class TestBrowseSql : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        QCOMPARE(LoadLanguageTexts(), TranslationLoad::Loaded);
        QLocale::setDefault(QLocale(QStringLiteral("en_US")));
    }

    void rebuildKeepsTheOrderLine()
    {
        BrowseSqlLines sql;
        sql.reset(BaseSelectLine(ViewKind::Movies), QStringLiteral("order by PRODUCTIONYEAR DESC"));
        sql.addCondition(QStringLiteral("and"), QStringLiteral("WATCHED = 1"));
        sql.addCondition(QStringLiteral("and"), QStringLiteral("SEASON = 2"));
        QCOMPARE(sql.lines(),
                 (QStringList{QStringLiteral("select * from MOVIE_EXTENDED_VIEW"), QStringLiteral("where WATCHED = 1"),
                              QStringLiteral("and SEASON = 2"), QStringLiteral("order by PRODUCTIONYEAR DESC")}));

        const QString kept = sql.beginRebuild(LimitSelectLine(ViewKind::Movies, 25));
        QVERIFY(sql.isFirstCondition());
        sql.addCondition(QStringLiteral("or"), QStringLiteral("lower(TITLE) like '%x%'"));
        sql.addCondition(QStringLiteral("or"), QStringLiteral("lower(TAGLINE) like '%x%'"));
        sql.endRebuild(kept);

        QCOMPARE(sql.lines(), (QStringList{QStringLiteral("select first 25 * from MOVIE_EXTENDED_VIEW"),
                                           QStringLiteral("where lower(TITLE) like '%x%'"),
                                           QStringLiteral("or lower(TAGLINE) like '%x%'"),
                                           QStringLiteral("order by PRODUCTIONYEAR DESC")}));
        // A second rebuild (say "Show All") still ends with the same order line.
        sql.endRebuild(sql.beginRebuild(BaseSelectLine(ViewKind::Movies)));
        QCOMPARE(sql.lines(), (QStringList{QStringLiteral("select * from MOVIE_EXTENDED_VIEW"),
                                           QStringLiteral("order by PRODUCTIONYEAR DESC")}));
    }

    void sortingReplacesOnlyTheOrderLine()
    {
        BrowseSqlLines sql;
        sql.setLines({BaseSelectLine(ViewKind::Media), QStringLiteral("where LOCATION = 'A'"),
                      QStringLiteral("  ORDER BY TITLESORT ASC")});
        QCOMPARE(sql.orderLine(), QStringLiteral("  ORDER BY TITLESORT ASC"));
        sql.replaceOrderLine(QStringLiteral("order by SEQNUMBER DESC"));
        QCOMPARE(sql.lines(), (QStringList{BaseSelectLine(ViewKind::Media), QStringLiteral("where LOCATION = 'A'"),
                                           QStringLiteral("order by SEQNUMBER DESC")}));

        // Without an order line the condition stays: the new order line is added after it.
        sql.setLines({BaseSelectLine(ViewKind::Media), QStringLiteral("where LOCATION = 'A'")});
        QVERIFY(sql.orderLine().isEmpty());
        sql.replaceOrderLine(QStringLiteral("order by TITLESORT ASC"));
        QCOMPARE(sql.count(), 3);
        QCOMPARE(sql.line(1), QStringLiteral("where LOCATION = 'A'"));

        // A rebuild of a list without an order line adds none.
        sql.setLines({BaseSelectLine(ViewKind::Media), QStringLiteral("where LOCATION = 'A'")});
        sql.endRebuild(sql.beginRebuild(BaseSelectLine(ViewKind::Media)));
        QCOMPARE(sql.lines(), QStringList{BaseSelectLine(ViewKind::Media)});
    }

    void kindLines_data()
    {
        QTest::addColumn<int>("kind");
        QTest::addColumn<QString>("select");
        QTest::addColumn<QString>("limited");
        QTest::addColumn<QString>("order");
        QTest::addColumn<QString>("dataSource");
        QTest::newRow("movies") << ViewKind::Movies << "select * from MOVIE_EXTENDED_VIEW"
                                << "select first 3 * from MOVIE_EXTENDED_VIEW"
                                << "order by TITLESORT ASC"
                                << "ds_Movie";
        QTest::newRow("media") << ViewKind::Media << "select * from MEDIA"
                               << "select first 3 * from MEDIA"
                               << "order by TITLESORT ASC"
                               << "ds_Media";
        QTest::newRow("persons") << ViewKind::Persons << "select * from PERSON"
                                 << "select first 3 * from PERSON"
                                 << "order by NAME ASC"
                                 << "ds_Person";
    }

    void kindLines()
    {
        QFETCH(int, kind);
        QFETCH(QString, select);
        QFETCH(QString, limited);
        QFETCH(QString, order);
        QFETCH(QString, dataSource);
        QCOMPARE(BaseSelectLine(kind), select);
        QCOMPARE(LimitSelectLine(kind, 3), limited);
        QCOMPARE(LimitSelectLine(kind, 0), select);
        QCOMPARE(BuiltInOrderLine(kind), order);
        QCOMPARE(DataSourceName(kind), dataSource);
    }

    void planBrowseStatements_data()
    {
        QTest::addColumn<int>("kind");
        QTest::addColumn<QStringList>("lines");
        QTest::addColumn<QString>("keysSql");
        QTest::addColumn<QString>("countSql");
        QTest::addColumn<int>("limit");

        QTest::newRow("movies, unfiltered: the table alone")
            << ViewKind::Movies << QStringList{"select * from MOVIE_EXTENDED_VIEW", "order by TITLESORT ASC"}
            << "select MEDIA_ID, MOVIE_ID from MOVIE\norder by TITLESORT ASC"
            << "select MOVIE_ID from MOVIE" << 0;
        QTest::newRow("movies, several MOVIE columns")
            << ViewKind::Movies
            << QStringList{"select * from MOVIE_EXTENDED_VIEW", "order by MOVIETIME DESC, TITLESORT"}
            << "select MEDIA_ID, MOVIE_ID from MOVIE\norder by MOVIETIME DESC, TITLESORT"
            << "select MOVIE_ID from MOVIE" << 0;
        QTest::newRow("movies, limited")
            << ViewKind::Movies << QStringList{"select first 25 * from MOVIE_EXTENDED_VIEW", "order by SEQNUMBER DESC"}
            << "select first 25 MEDIA_ID, MOVIE_ID from MOVIE_EXTENDED_VIEW\norder by SEQNUMBER DESC"
            << "select first 25 * from MOVIE_EXTENDED_VIEW\norder by SEQNUMBER DESC" << 25;
        QTest::newRow("movies, a medium's column in the order: the view")
            << ViewKind::Movies << QStringList{"select * from MOVIE_EXTENDED_VIEW", "order by SEQNUMBER DESC"}
            << "select MEDIA_ID, MOVIE_ID from MOVIE_EXTENDED_VIEW\norder by SEQNUMBER DESC"
            << "select * from MOVIE_EXTENDED_VIEW\norder by SEQNUMBER DESC" << 0;
        QTest::newRow("movies, filtered: the view")
            << ViewKind::Movies
            << QStringList{"select * from MOVIE_EXTENDED_VIEW", "where LEND_ID >= 0", "order by TITLESORT ASC"}
            << "select MEDIA_ID, MOVIE_ID from MOVIE_EXTENDED_VIEW\nwhere LEND_ID >= 0\norder by TITLESORT ASC"
            << "select * from MOVIE_EXTENDED_VIEW\nwhere LEND_ID >= 0\norder by TITLESORT ASC" << 0;
        QTest::newRow("movies, condition on the select line (Find All)")
            << ViewKind::Movies
            << QStringList{" select * from MOVIE_EXTENDED_VIEW where STUDIO = 'A'", "order by TITLESORT ASC"}
            << "select MEDIA_ID, MOVIE_ID from MOVIE_EXTENDED_VIEW where STUDIO = 'A'\norder by TITLESORT ASC"
            << " select * from MOVIE_EXTENDED_VIEW where STUDIO = 'A'\norder by TITLESORT ASC" << 0;
        QTest::newRow("media") << ViewKind::Media << QStringList{"SELECT * FROM media", "order by TITLESORT ASC"}
                               << "select MEDIA_ID from media\norder by TITLESORT ASC"
                               << "SELECT * FROM media\norder by TITLESORT ASC" << 0;
        QTest::newRow("persons, limited")
            << ViewKind::Persons << QStringList{"select first 25 * from PERSON", "order by NAME ASC"}
            << "select first 25 PERSON_ID from PERSON\norder by NAME ASC"
            << "select first 25 * from PERSON\norder by NAME ASC" << 25;
        QTest::newRow("own column list: as it stands")
            << ViewKind::Movies << QStringList{"select TITLE, MOVIE_ID from MOVIE_EXTENDED_VIEW"} << ""
            << "select TITLE, MOVIE_ID from MOVIE_EXTENDED_VIEW" << 0;
        QTest::newRow("with an alias") << ViewKind::Media << QStringList{"select * from MEDIA M where M.DECK = 1"}
                                       << "select MEDIA_ID from MEDIA M where M.DECK = 1"
                                       << "select * from MEDIA M where M.DECK = 1" << 0;
        QTest::newRow("a join: as it stands")
            << ViewKind::Media << QStringList{"select * from MEDIA join MOVIE on MOVIE.MEDIA_ID = MEDIA.MEDIA_ID"} << ""
            << "select * from MEDIA join MOVIE on MOVIE.MEDIA_ID = MEDIA.MEDIA_ID" << 0;
        QTest::newRow("two tables: as it stands") << ViewKind::Media << QStringList{"select * from MEDIA, MOVIE"} << ""
                                                  << "select * from MEDIA, MOVIE" << 0;
        QTest::newRow("a union: as it stands")
            << ViewKind::Persons << QStringList{"select * from PERSON where NAME = 'a' union select * from PERSON"}
            << ""
            << "select * from PERSON where NAME = 'a' union select * from PERSON" << 0;
        QTest::newRow("another kind's table: as it stands")
            << ViewKind::Media << QStringList{"select * from MEDIA_GFX"} << ""
            << "select * from MEDIA_GFX" << 0;
    }

    void planBrowseStatements()
    {
        QFETCH(int, kind);
        QFETCH(QStringList, lines);
        QFETCH(QString, keysSql);
        QFETCH(QString, countSql);
        QFETCH(int, limit);
        const BrowseStatements plan = PlanBrowseStatements(kind, lines);
        QCOMPARE(plan.keysSql, keysSql);
        QCOMPARE(plan.countSql, countSql);
        QCOMPARE(plan.limit, limit);
    }

    void namedColumnsForm()
    {
        BrowseStatements plan = PlanBrowseStatements(
            ViewKind::Movies, {"select first 5 * from MOVIE_EXTENDED_VIEW", "where SEASON = 1", "order by TITLESORT"});
        QCOMPARE(plan.selectHead, QStringLiteral("select first 5 "));
        QCOMPARE(plan.fromClause, QStringLiteral("from MOVIE_EXTENDED_VIEW\nwhere SEASON = 1\norder by TITLESORT"));
        plan = PlanBrowseStatements(ViewKind::Persons, {"select NAME from PERSON"});
        QVERIFY(plan.selectHead.isEmpty() && plan.fromClause.isEmpty());
    }

    void layoutTextRoundTrip()
    {
        GridLayout layout = DefaultGridLayout(QStringLiteral("grid_ViewEntryDBTableView1"));
        layout.columns.move(4, 0); // TITLE first
        layout.columns[1].width = 33;
        layout.columns[2].visible = false;
        layout.groupBy = QStringLiteral("MEDIATYPE_TEXT");
        layout.sortField = QStringLiteral("TITLESORT");
        layout.sortDescending = true;

        const QString text = GridLayoutToText(layout);
        QVERIFY(text.contains(QStringLiteral("Name=grid_ViewEntryDBTableView1")));
        GridLayout read;
        QVERIFY(GridLayoutFromText(text, &read));
        QCOMPARE(read.gridViewName, layout.gridViewName);
        QCOMPARE(read.visibleFields(), layout.visibleFields());
        QCOMPARE(read.columns.at(1).width, 33);
        QCOMPARE(read.groupBy, layout.groupBy);
        QCOMPARE(read.sortField, layout.sortField);
        QVERIFY(read.sortDescending);
        QCOMPARE(FittedGridLayout(read, read.gridViewName).columns.size(), layout.columns.size());
    }

    void layoutTextFromOtherSources()
    {
        // The standard user views carry a kind and layout but no grid view name.
        GridLayout layout;
        QVERIFY(GridLayoutFromText(QStringLiteral("[Main]\nVersion=2\n[View]\nTable=Movies\nLayout=Thumbnails\n"
                                                  "ThumbnailSize=12\n[Column.TITLE]\nVisible=1\nWidth=200\n"),
                                   &layout));
        QCOMPARE(layout.gridViewName, QStringLiteral("grid_EntryCardDBCardView1"));

        // Fields that no longer exist go; missing ones come back hidden; a bad width gets its default.
        QVERIFY(GridLayoutFromText(QStringLiteral("[View]\nName=grid_viewpersondbtableview2\n"
                                                  "[Column.BIO]\nVisible=1\nWidth=-5\n"
                                                  "[Column.NOSUCHFIELD]\nVisible=1\nWidth=10\n"
                                                  "[Column.NAME]\nVisible=1\nWidth=150\n"),
                                   &layout));
        QCOMPARE(layout.gridViewName, QStringLiteral("grid_ViewPersonDBTableView2"));
        const GridLayout fitted = FittedGridLayout(layout, layout.gridViewName);
        QCOMPARE(fitted.visibleFields(), (QStringList{QStringLiteral("BIO"), QStringLiteral("NAME")}));
        QVERIFY(fitted.columns.at(0).width > 0);
        QCOMPARE(fitted.columns.size(), ViewFieldNames(ViewKind::Persons).size());

        QVERIFY(!GridLayoutFromText(QStringLiteral("[View]\nTable=Nothing\n"), &layout));
        QVERIFY(!GridLayoutFromText(QString(), &layout));
    }

    void gridViewNames()
    {
        QCOMPARE(GridViewNames().size(), 9);
        for (const QString &name : GridViewNames()) {
            int kind = 0, type = 0;
            QVERIFY(GridViewOfName(name, &kind, &type));
            QCOMPARE(GridViewName(kind, type), name);
            QVERIFY(DefaultGridLayout(name).visibleFields().size() >= 3);
        }
    }

    void thumbnailRebuild_data()
    {
        QTest::addColumn<int>("stored");
        QTest::addColumn<int>("requested");
        QTest::addColumn<QSize>("rebuild");
        QTest::newRow("12 to 24") << 12 << 24 << QSize(400, 574);
        QTest::newRow("13 to 14") << 13 << 14 << QSize(400, 574);
        QTest::newRow("24 to 14") << 24 << 14 << QSize();
        QTest::newRow("14 to 13") << 14 << 13 << QSize(200, 287);
        QTest::newRow("24 to 5") << 24 << 5 << QSize(200, 287);
        QTest::newRow("5 to 12") << 5 << 12 << QSize();
        QTest::newRow("unreadable to 12") << 0 << 12 << QSize();
    }

    void thumbnailRebuild()
    {
        QFETCH(int, stored);
        QFETCH(int, requested);
        QFETCH(QSize, rebuild);
        QCOMPARE(ThumbnailRebuildSize(stored, requested), rebuild);
    }

    void thumbnailSizeLimits()
    {
        QCOMPARE(ClampThumbnailSize(0), 1);
        QCOMPARE(ClampThumbnailSize(26), 25);
        QCOMPARE(ClampThumbnailSize(12), 12);
        QCOMPARE(UsableThumbnailSize(0), int(ThumbnailSize::Medium));
        QCOMPARE(UsableThumbnailSize(99), 25);
    }

    void recordCountText()
    {
        QCOMPARE(RecordCountText(0, 0), QString());
        QCOMPARE(RecordCountText(4, 1), QStringLiteral("4 records"));
        QCOMPARE(RecordCountText(4, 3), QStringLiteral("4 records (3 selected)"));
    }

    void fieldValueTexts()
    {
        QCOMPARE(FormatFieldValue(QStringLiteral("IMDBRATING"), 7.25), QStringLiteral("7.3"));
        QCOMPARE(FormatFieldValue(QStringLiteral("IMDBRATING"), 7.0), QStringLiteral("7"));
        QCOMPARE(FormatFieldValue(QStringLiteral("IMDBRATING"), 0.0), QString());
        QCOMPARE(FormatFieldValue(QStringLiteral("BUYPRICE"), 9.5), QStringLiteral("9.50"));
        QCOMPARE(FormatFieldValue(QStringLiteral("MEDIA_ID"), 12.0), QStringLiteral("12"));
        QCOMPARE(FormatFieldValue(QStringLiteral("DATE_ADDED"), QDateTime(QDate(1899, 12, 30), QTime(0, 0))),
                 QString());
        QCOMPARE(FormatFieldValue(QStringLiteral("FRONTCOVER_BLOB"), QByteArray("xyz")), QString());
    }

    void notAJpeg()
    {
        QVERIFY(DecodeJpegScaled(QByteArray("this is no picture at all"), QSize(50, 50)).isNull());
        QVERIFY(DecodeJpegScaled(QByteArray(), QSize(50, 50)).isNull());
        QImage png(40, 40, QImage::Format_RGB32);
        png.fill(Qt::red);
        QByteArray bytes;
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::WriteOnly);
        png.save(&buffer, "PNG");
        QVERIFY(DecodeJpegScaled(bytes, QSize(50, 50)).isNull());

        QByteArray jpeg;
        QBuffer jpegBuffer(&jpeg);
        jpegBuffer.open(QIODevice::WriteOnly);
        QImage(400, 574, QImage::Format_RGB32).save(&jpegBuffer, "JPEG");
        const QImage scaled = DecodeJpegScaled(jpeg, QSize(100, 100));
        QVERIFY(!scaled.isNull());
        QVERIFY(scaled.width() <= 100 && scaled.height() <= 100);
    }
};

RN_TEST_MAIN(TestBrowseSql)
#include "tst_browsesql.moc"
