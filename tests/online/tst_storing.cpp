#include "TestSupport.h"

#include "OnlineTestSupport.h"
#include "core/GlobalFunctions.h"
#include "core/Translations.h"
#include "database/DM1_u.h"
#include "database/FbQuery.h"
#include "database/ImageStore.h"
#include "database/RecordHelpers.h"
#include "database/SortTitles.h"
#include "online/IMDBDatabaseDatamodule.h"
#include "online/IMDBHelperClassUnit.h"

#include <QBuffer>
#include <QImage>
#include <QRandomGenerator>

namespace {

// A picture that stays well above the 1024 bytes a downloaded picture needs once it is a JPEG.
QImage noisyPicture(int width, int height)
{
    QImage image(width, height, QImage::Format_RGB32);
    QRandomGenerator random(7);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x)
            image.setPixel(x, y, random.generate() | 0xFF000000u);
    }
    return image;
}

QByteArray jpegBytes(const QImage &image)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "JPEG", 90);
    return bytes;
}

QSize blobPictureSize(const QVariant &blob)
{
    QImage image;
    if (DecodeJpegField(blob, &image) != JpegField::Show)
        return {};
    return image.size();
}

TIMDBMovieCast castMember(const QString &id, const QString &name, const QString &character,
                          const QString &pictureUrl = QString())
{
    TIMDBMovieCast member(id, name);
    member.MovieRole = character;
    member.MoviePerson.ImageUrl = pictureUrl;
    return member;
}

TIMDBMovieCast crewMember(const QString &id, const QString &name, int role)
{
    TIMDBMovieCast member(id, name);
    member.Role.Id = role;
    return member;
}

} // namespace

class TestStoring : public QObject
{
    Q_OBJECT

    RecordingUserInterface ui;
    TDM1 dm;
    std::unique_ptr<FixtureServer> server;
    TIMDBDatabaseModule module;

    void sql(const QString &statement) { FbQuery::execute(dm.MainConnection, statement); }
    QVariant scalar(const QString &select) { return FbQuery::scalar(dm.MainConnection, select); }
    int count(const QString &table, const QString &where = QString())
    {
        return scalar(QStringLiteral("select count(*) from ") + table +
                      (where.isEmpty() ? QString() : QStringLiteral(" where ") + where))
            .toInt();
    }
    QVariantMap row(const QString &select) { return SelectRow(dm.MainConnection, select); }

    QString pictureUrl(const QString &personId) { return server->baseUrl() + "/people/" + personId + ".jpg"; }
    // Serves a picture for each person id and forgets earlier requests.
    void servePictures(const QStringList &personIds)
    {
        FixtureServer::Response picture;
        picture.contentType = "image/jpeg";
        picture.body = jpegBytes(noisyPicture(60, 80));
        for (const QString &id : personIds)
            server->setRoute("/people/" + id + ".jpg", picture);
        server->clearRequests();
    }
    int requestsFor(const QString &pathPart)
    {
        int n = 0;
        for (const FixtureServer::Request &request : server->requests())
            n += request.path.contains(pathPart) ? 1 : 0;
        return n;
    }

    QString writeCover(const QString &name, const QSize &size)
    {
        const QString file = GetTempFolder() + QLatin1Char('/') + name;
        noisyPicture(size.width(), size.height()).save(file, "JPEG", 90);
        return file;
    }

    // A title with a value in every part that is stored.
    TIMDBMovie fullTitle()
    {
        TIMDBMovie movie;
        movie.Id = QStringLiteral("tt0100001");
        movie.Title = QStringLiteral("L'Été & \"Ça\" à Paris");
        movie.OriginalTitle = QStringLiteral("The Summer of It");
        movie.Year = QStringLiteral("19981");
        movie.GenreCollection = {QStringLiteral("Drama"), QStringLiteral("sci-fi")};
        movie.Runtime = QStringLiteral("118");
        movie.Country = QStringLiteral("france");
        movie.Language = QStringLiteral("French");
        movie.MPAA = QStringLiteral("PG-13");
        movie.Tagline = QStringLiteral("One summer; two 'worlds'.");
        movie.PlotOutline = QStringLiteral("A short outline.");
        movie.Plot = QStringLiteral("The long plot: a café, a train & a night.");
        movie.TriviaText = QString(40000, QLatin1Char('t'));
        movie.Rating = QStringLiteral("7.5");
        movie.Trailer = QStringLiteral("https://example.invalid/trailer");
        movie.TheatreDate = QStringLiteral("1998-07-14");
        movie.SeqNumber = 42;
        movie.UPC = QStringLiteral("0123456789012");
        movie.FilmingLocationsCollection = {QStringLiteral("Gare du Nord, Paris"), QStringLiteral("Nice")};
        movie.KeywordsCollection = {QStringLiteral("train"), QStringLiteral("night"), QStringLiteral("train")};
        movie.CastCollection = {castMember(QStringLiteral("nm1000001"), QStringLiteral("Anne O'Hara"),
                                           QStringLiteral("Élise"), pictureUrl(QStringLiteral("nm1000001"))),
                                castMember(QStringLiteral("nm1000002"), QStringLiteral("Bruno Ça"),
                                           QStringLiteral("The Conductor"), pictureUrl(QStringLiteral("nm1000002"))),
                                castMember(QStringLiteral("nm1000003"), QStringLiteral("Carla Díaz"), QString())};
        movie.CastStarsCollection = {QStringLiteral("1000002")};
        movie.CreditsCollection = {crewMember(QStringLiteral("nm1000001"), QStringLiteral("Anne O'Hara"), RoleDirector),
                                   crewMember(QStringLiteral("nm1000004"), QStringLiteral("Dan Writer"), RoleWriting),
                                   crewMember(QStringLiteral("nm1000005"), QString(), RoleProducer)};
        TIMDBAward award;
        award.Id = 1;
        award.setOrganization(QStringLiteral("Festival de Cannes"));
        award.setAwardName(QStringLiteral("Palme d'Or"));
        award.setAwardYear(1998);
        award.setCategory(QStringLiteral("Best Film"));
        award.setAwardResult(1);
        TIMDBAwardRecipient recipient;
        recipient.AwardPerson.Id = QStringLiteral("nm1000001");
        recipient.AwardPerson.Name = QStringLiteral("Anne O'Hara");
        recipient.setNote(QStringLiteral("shared"));
        award.Recipients << recipient;
        TIMDBAwardRecipient newcomer;
        newcomer.AwardPerson.Id = QStringLiteral("nm1000009");
        newcomer.AwardPerson.Name = QStringLiteral("Eve Producer");
        award.Recipients << newcomer;
        movie.AwardsCollection << award;
        TIMDBTechData sound;
        sound.Id = 1;
        sound.setData(QStringLiteral("Sound Mix"));
        sound.setDataValue(QStringLiteral("Dolby Digital"));
        movie.TechnicalDataCollection << sound;
        TIMDBSoundtrack song;
        song.Id = 1;
        song.setTitle(QStringLiteral("La Mer"));
        song.setPerformer(QStringLiteral("Charles Trenet"));
        movie.SoundtrackCollection << song;
        return movie;
    }

    double movieIdOf(const QString &imdbNumber)
    {
        return scalar(QStringLiteral("select MOVIE_ID from MOVIE where IMDBID = ") + imdbNumber).toDouble();
    }

private slots:
    void initTestCase()
    {
        QVERIFY(LoadLanguageTexts() == TranslationLoad::Loaded);
        ForceDataFolders();
        server = StartFixtureServer();
        ConnectImageDownloader();
        QVERIFY(dm.CreateRNZDB(TestDatabasePath(QStringLiteral("storing")), false, true, false));
    }

    void init()
    {
        ClearSettings();
        InstallFixtureDefinitions(*server, {{QStringLiteral("IMDB_SEASON_URL="), server->baseUrl() + "/season/%s/"},
                                            {QStringLiteral("BABEL_URL="), server->baseUrl() + "/translate/?%s&q=%s"}});
        server->clearRoutes();
        server->clearRequests();
    }

    void fullTitleIsStoredTableByTable()
    {
        servePictures({QStringLiteral("nm1000001"), QStringLiteral("nm1000002")});
        const int personsBefore = count("PERSON");
        TIMDBMovie movie = fullTitle();
        movie.CoverLocalFilename = writeCover(QStringLiteral("cover_full.jpg"), QSize(800, 1148));

        const int movieId = module.InsertMovie(movie, 2, 2);
        QVERIFY(movieId > 0);
        // Committed: a rollback of the connection's transaction keeps it.
        dm.MainConnection.rollbackRetaining();

        const QVariantMap film = row(QStringLiteral("select * from MOVIE where MOVIE_ID = %1").arg(movieId));
        QCOMPARE(film.value("TITLE").toString(), QStringLiteral("L'Été & \"Ça\" à Paris"));
        QCOMPARE(film.value("IMDBID").toInt(), 100001);
        QCOMPARE(film.value("ORIGTITLE").toString(), QStringLiteral("The Summer of It"));
        QCOMPARE(film.value("ORIGTITLESORT").toString(), MakeSortTitle(QStringLiteral("The Summer of It")));
        QCOMPARE(film.value("PRODUCTIONYEAR").toString(), QStringLiteral("1998"));
        QCOMPARE(film.value("MOVIETIME").toInt(), 118);
        QCOMPARE(film.value("TAGLINE").toString(), QStringLiteral("One summer; two 'worlds'."));
        QCOMPARE(film.value("PLOT").toString(), movie.Plot);
        QCOMPARE(film.value("PLOTOUTLINE").toString(), movie.PlotOutline);
        QCOMPARE(film.value("TRIVIA").toString(), movie.TriviaText);
        QCOMPARE(film.value("IMDBRATING").toDouble(), 7.5);
        QCOMPARE(film.value("CLIPPATH").toString(), movie.Trailer);
        QCOMPARE(film.value("THEATERDATE").toDateTime().date(), QDate(1998, 7, 14));
        QCOMPARE(film.value("LISTINDEX").toInt(), 1);
        QCOMPARE(film.value("DISCNO").toInt(), 1);
        QCOMPARE(scalar(QStringLiteral("select NAME from COUNTRYLIST where COUNTRY_ID = %1")
                            .arg(film.value("COUNTRY_ID").toInt()))
                     .toString(),
                 QStringLiteral("France"));
        QCOMPARE(scalar(QStringLiteral("select NAME from LANGUAGELIST where LANGUAGE_ID = %1")
                            .arg(film.value("ORIGINAL_LANGUAGE_ID").toInt()))
                     .toString(),
                 QStringLiteral("French"));
        QCOMPARE(scalar(QStringLiteral("select NAME from CERTIFICATIONLIST where CERTIFICATION_ID = %1")
                            .arg(film.value("CERTIFICATION_ID").toInt()))
                     .toString(),
                 QStringLiteral("PG-13"));

        const QString mediaId = SqlKey(film.value("MEDIA_ID").toDouble());
        const QVariantMap media = row("select * from MEDIA where MEDIA_ID = " + mediaId);
        QCOMPARE(media.value("TITLE").toString(), movie.Title);
        QCOMPARE(media.value("MEDIATYPE_ID").toInt(), 2);
        QCOMPARE(media.value("REGIONCODE").toInt(), 2);
        QCOMPARE(media.value("SEQNUMBER").toInt(), 42);
        QCOMPARE(media.value("NOOFDISCS").toInt(), 1);
        QCOMPARE(media.value("UPC").toString(), movie.UPC);
        QCOMPARE(blobPictureSize(scalar("select FRONTCOVER_BLOB from MEDIA_GFX where MEDIA_ID = " + mediaId)),
                 QSize(800, 1148));
        const QSize thumbnail = blobPictureSize(media.value("FRONTCOVER_BLOB"));
        QCOMPARE(thumbnail.height(), ThumbnailMaxSize(ReadThumbnailSize()).height());
        QVERIFY(!QFile::exists(movie.CoverLocalFilename));

        const QString ofMovie = QStringLiteral("MOVIE_ID = %1").arg(movieId);
        QCOMPARE(count("GENRE", ofMovie), 2);
        QCOMPARE(count("GENRELIST", "NAME = 'Sci-Fi'"), 1);
        QCOMPARE(count("KEYWORD", ofMovie), 2); // the doubled keyword is linked once
        QCOMPARE(count("FILMINGLOCATION", ofMovie + " and NAME = 'Gare du Nord, Paris'"), 1);
        QCOMPARE(count("FILMINGLOCATION", ofMovie), 2);

        // Cast in order with list indexes from 1, the star as lead role, the director also in the cast.
        const int anne = scalar("select PERSON_ID from PERSON where IMDBID = 1000001").toInt();
        QCOMPARE(scalar("select NAME from PERSON where IMDBID = 1000001").toString(), QStringLiteral("Anne O'Hara"));
        QCOMPARE(count("CASTCREW", ofMovie + " and ROLE_ID = 0"), 3);
        QCOMPARE(scalar("select CHARACTERNAME from CASTCREW where " + ofMovie + " and LISTINDEX = 1 and ROLE_ID = 0")
                     .toString(),
                 QStringLiteral("Élise"));
        QCOMPARE(scalar("select LEADROLE from CASTCREW c join PERSON p on p.PERSON_ID = c.PERSON_ID where c." +
                        ofMovie + " and p.IMDBID = 1000002")
                     .toInt(),
                 1);
        QCOMPARE(count("CASTCREW", ofMovie + " and LEADROLE = 1"), 1);
        QCOMPARE(count("CASTCREW", ofMovie + QStringLiteral(" and PERSON_ID = %1").arg(anne)), 2);
        QCOMPARE(count("CASTCREW", ofMovie + " and ROLE_ID = 1"), 1);
        QCOMPARE(count("CASTCREW", ofMovie + " and ROLE_ID = 3"), 1);
        QCOMPARE(count("CASTCREW", ofMovie + " and ROLE_ID = 2"), 0); // a crew member without a name
        // Persons: 3 cast, the writer and the award's newcomer; the director is the cast's first.
        QCOMPARE(count("PERSON"), personsBefore + 5);
        QVERIFY(!scalar("select PICTURE from PERSON where IMDBID = 1000002").toByteArray().isEmpty());
        QVERIFY(scalar("select PICTURE from PERSON where IMDBID = 1000003").isNull());

        QCOMPARE(count("MOVIEAWARDS", ofMovie + " and NAME = 'Palme d''Or' and RESULT = 1 and AWARDYEAR = 1998"), 1);
        QCOMPARE(count("MOVIEAWARDS_PERSON", ofMovie), 2);
        QCOMPARE(
            count("MOVIEAWARDS_PERSON", ofMovie + QStringLiteral(" and PERSON_ID = %1 and NOTE = 'shared'").arg(anne)),
            1);
        QCOMPARE(scalar("select l.NAME from TECHNICALDATA t join TECHNICALDATALIST l on l.TECHNICALDATA_ID = "
                        "t.TECHNICALDATA_ID where t." +
                        ofMovie + " and t.DATAVALUE = 'Dolby Digital'")
                     .toString(),
                 QStringLiteral("Sound Mix"));
        QCOMPARE(scalar("select PERFORMER from SOUNDTRACK where " + ofMovie + " and TITLE = 'La Mer'").toString(),
                 QStringLiteral("Charles Trenet"));
        QVERIFY(!QFile::exists(GetTempFolder() + QStringLiteral("/temp.jpg")));
        QVERIFY(module.MovieTitleExist(movie.Title));
    }

    void textsWithPlaceMarkersStayAsGiven()
    {
        // Values that look like the place markers of the statement text must not be filled in.
        const QString odd = QStringLiteral("100% %1 %2 %10 %19 'Sure' & Ça");
        TIMDBMovie movie;
        movie.Id = QStringLiteral("tt0100008");
        movie.Title = odd;
        movie.Tagline = odd;
        movie.PlotOutline = odd;
        movie.CastCollection = {castMember(QStringLiteral("nm1000008"), odd, odd)};
        TIMDBAward award;
        award.Id = 1;
        award.setOrganization(odd);
        award.setAwardName(odd);
        award.setAwardYear(2001);
        movie.AwardsCollection << award;
        const int movieId = module.InsertMovie(movie, 1, 0);
        QVERIFY(movieId > 0);
        const QVariantMap film = row(QStringLiteral("select * from MOVIE where MOVIE_ID = %1").arg(movieId));
        QCOMPARE(film.value("TITLE").toString(), odd);
        QCOMPARE(film.value("TAGLINE").toString(), odd);
        QCOMPARE(film.value("PLOTOUTLINE").toString(), odd);
        QCOMPARE(
            scalar("select TITLE from MEDIA where MEDIA_ID = " + SqlKey(film.value("MEDIA_ID").toDouble())).toString(),
            odd);
        QCOMPARE(scalar("select NAME from PERSON where IMDBID = 1000008").toString(), odd);
        QCOMPARE(
            scalar(QStringLiteral("select CHARACTERNAME from CASTCREW where MOVIE_ID = %1").arg(movieId)).toString(),
            odd);
        const QVariantMap awardRow = row(QStringLiteral("select * from MOVIEAWARDS where MOVIE_ID = %1").arg(movieId));
        QCOMPARE(awardRow.value("ORGANIZATION").toString(), odd);
        QCOMPARE(awardRow.value("NAME").toString(), odd);
        QCOMPARE(awardRow.value("AWARDYEAR").toInt(), 2001);
    }

    void secondTitleReusesItsPersons()
    {
        servePictures({QStringLiteral("nm1000002"), QStringLiteral("nm1000010")});
        const int personsBefore = count("PERSON");
        TIMDBMovie movie;
        movie.Id = QStringLiteral("tt0100002");
        movie.Title = QStringLiteral("The Sequel");
        // The same actor under another name: matched by number, and the stored name is kept.
        movie.CastCollection = {castMember(QStringLiteral("nm1000002"), QStringLiteral("B. Ca"),
                                           QStringLiteral("Conductor"), pictureUrl(QStringLiteral("nm1000002"))),
                                castMember(QStringLiteral("nm1000010"), QStringLiteral("Bruno Ça"),
                                           QStringLiteral("Passenger"), pictureUrl(QStringLiteral("nm1000010")))};
        const int movieId = module.InsertMovie(movie, 1, 0);
        QVERIFY(movieId > 0);

        QCOMPARE(count("PERSON"), personsBefore + 1);
        QCOMPARE(count("PERSON", "IMDBID = 1000002"), 1);
        QCOMPARE(scalar("select NAME from PERSON where IMDBID = 1000002").toString(), QStringLiteral("Bruno Ça"));
        // Two persons with the same name stay two.
        QCOMPARE(count("PERSON", "NAME = 'Bruno Ça'"), 2);
        QCOMPARE(requestsFor(QStringLiteral("nm1000002")), 0);
        QCOMPARE(requestsFor(QStringLiteral("nm1000010")), 1);
        QCOMPARE(count("CASTCREW", QStringLiteral("MOVIE_ID = %1").arg(movieId)), 2);
    }

    void castPicturesUpToTheSetLimit()
    {
        WriteSettingInteger(QStringLiteral("MaxCastImgToDownload"), QStringLiteral("Movie Query"), 10);
        QStringList ids;
        TIMDBMovie movie;
        movie.Id = QStringLiteral("tt0100003");
        movie.Title = QStringLiteral("Ensemble");
        for (int i = 0; i < 15; ++i) {
            const QString id = QStringLiteral("nm20000%1").arg(i, 2, 10, QLatin1Char('0'));
            ids << id;
            movie.CastCollection << castMember(id, QStringLiteral("Actor %1").arg(i), QString(), pictureUrl(id));
        }
        servePictures(ids);
        QVERIFY(module.InsertMovie(movie, 1, 0) > 0);
        QCOMPARE(requestsFor(QStringLiteral("/people/")), 11);
        QCOMPARE(count("PERSON", "IMDBID between 2000000 and 2000099 and PICTURE is not null"), 11);
        QCOMPARE(count("CASTCREW", QStringLiteral("MOVIE_ID = %1").arg(movieIdOf("100003"))), 15);
    }

    void lookupNamesAreCreatedOnceAndCapitalised_data()
    {
        QTest::addColumn<QString>("first");
        QTest::addColumn<QString>("second");
        QTest::addColumn<QString>("stored");

        QTest::newRow("capitalised") << "film-noir"
                                     << "Film-Noir"
                                     << "Film-Noir";
        QTest::newRow("other case") << "Road Movie"
                                    << "ROAD MOVIE"
                                    << "Road Movie";
        QTest::newRow("cut to 30, found again") << "An extraordinarily long genre name for tests"
                                                << "An extraordinarily long genre name for tests"
                                                << "An Extraordinarily Long Genre";
        QTest::newRow("quotes") << "director's cut"
                                << "Director's Cut"
                                << "Director's Cut";
    }

    void lookupNamesAreCreatedOnceAndCapitalised()
    {
        QFETCH(QString, first);
        QFETCH(QString, second);
        QFETCH(QString, stored);

        const int rowsBefore = count("GENRELIST");
        for (const QString &name : {first, second}) {
            TIMDBMovie movie;
            movie.Id = QStringLiteral("tt0100004");
            movie.Title = QStringLiteral("Genre probe");
            movie.GenreCollection = {name};
            QVERIFY(module.InsertMovie(movie, 1, 0) > 0);
        }
        QCOMPARE(count("GENRELIST"), rowsBefore + 1);
        QCOMPARE(count("GENRELIST", "NAME = " + QuotedStr(stored)), 1);
    }

    // The barcode the user searched with may be typed with blanks and dashes; the medium keeps its
    // digits, all of them, not the first 13 characters of what was typed.
    void barcodeTypedWithSeparatorsIsStoredAsDigits()
    {
        TIMDBMovie movie;
        movie.Id = QStringLiteral("tt0100019");
        movie.Title = QStringLiteral("Barcode probe");
        movie.UPC = QStringLiteral("0 12345-67890 5");
        const int movieId = module.InsertMovie(movie, 1, 0);
        QVERIFY(movieId > 0);
        QCOMPARE(scalar(QStringLiteral("select d.UPC from MEDIA d join MOVIE m on m.MEDIA_ID = d.MEDIA_ID "
                                       "where m.MOVIE_ID = ") +
                        QString::number(movieId))
                     .toString(),
                 QStringLiteral("012345678905"));
    }

    void refusedMovieRowLeavesNoTrace()
    {
        sql(QStringLiteral("create exception E_REFUSED 'refused for the test'"));
        sql(QStringLiteral("create trigger T_REFUSE_MOVIE for MOVIE before insert as begin "
                           "if (new.TITLE = 'Refused') then exception E_REFUSED; end"));
        dm.MainConnection.commitRetaining();
        servePictures({QStringLiteral("nm3000001")});

        const QStringList tables{"MEDIA",   "MEDIA_GFX",  "MOVIE",       "PERSON",       "CASTCREW",
                                 "GENRE",   "GENRELIST",  "COUNTRYLIST", "LANGUAGELIST", "CERTIFICATIONLIST",
                                 "KEYWORD", "KEYWORDLIST"};
        QMap<QString, int> before;
        for (const QString &table : tables)
            before.insert(table, count(table));

        TIMDBMovie movie;
        movie.Id = QStringLiteral("tt0100005");
        movie.Title = QStringLiteral("Refused");
        movie.Country = QStringLiteral("Atlantis");
        movie.Language = QStringLiteral("Atlantean");
        movie.MPAA = QStringLiteral("X-99");
        movie.GenreCollection = {QStringLiteral("Never Stored")};
        movie.CastCollection = {castMember(QStringLiteral("nm3000001"), QStringLiteral("Ghost"), QString(),
                                           pictureUrl(QStringLiteral("nm3000001")))};
        movie.CoverLocalFilename = writeCover(QStringLiteral("cover_refused.jpg"), QSize(300, 430));

        QCOMPARE(module.InsertMovie(movie, 1, 0), TIMDBDatabaseModule::NotFound);
        // The engine's own words are kept for the user.
        QVERIFY2(module.LastError.contains(QStringLiteral("refused for the test")), qPrintable(module.LastError));
        for (const QString &table : tables)
            QVERIFY2(count(table) == before.value(table), qPrintable(table));
        QVERIFY(!QFile::exists(movie.CoverLocalFilename));
        QVERIFY(dm.MainConnection.inTransaction());

        sql(QStringLiteral("drop trigger T_REFUSE_MOVIE"));
        sql(QStringLiteral("drop exception E_REFUSED"));
        dm.MainConnection.commitRetaining();
        // The module is usable afterwards.
        movie.Title = QStringLiteral("Accepted");
        QVERIFY(module.InsertMovie(movie, 1, 0) > 0);
        QVERIFY(module.LastError.isEmpty());
    }

    void missingPicturePageSkipsOnlyThePicture()
    {
        servePictures({});
        TIMDBMovie movie;
        movie.Id = QStringLiteral("tt0100006");
        movie.Title = QStringLiteral("No Pictures");
        movie.CastCollection = {castMember(QStringLiteral("nm3000010"), QStringLiteral("Faceless"), QString(),
                                           server->baseUrl() + "/status/404")};
        const int movieId = module.InsertMovie(movie, 1, 0);
        QVERIFY(movieId > 0);
        QVERIFY(scalar("select PICTURE from PERSON where IMDBID = 3000010").isNull());
        QCOMPARE(count("CASTCREW", QStringLiteral("MOVIE_ID = %1").arg(movieId)), 1);
        QVERIFY(!QFile::exists(GetTempFolder() + QStringLiteral("/temp.jpg")));
    }

    void personsAreMatchedByNumberOnly_data()
    {
        QTest::addColumn<QString>("id");
        QTest::addColumn<bool>("stored");

        QTest::newRow("nm form") << "nm4000001" << true;
        QTest::newRow("digits") << "4000002" << true;
        QTest::newRow("no number") << "unknown" << false;
        QTest::newRow("empty") << "" << false;
    }

    void personsAreMatchedByNumberOnly()
    {
        QFETCH(QString, id);
        QFETCH(bool, stored);
        TIMDBPerson person;
        person.Id = id;
        person.Name = QStringLiteral("Someone");
        const int first = module.GetPersonId(person);
        QCOMPARE(first != TIMDBDatabaseModule::NotFound, stored);
        QCOMPARE(module.GetPersonId(person), first);
        QCOMPARE(module.GetPersonId(id), first);
    }

    void wishListEntry()
    {
        TIMDBMovie movie;
        movie.Id = QStringLiteral("tt0700007");
        movie.Title = QStringLiteral("Wanted 'Thing'");
        movie.MediaTypeId = 3;
        movie.SeriesName = QStringLiteral("The Series");
        movie.SeriesSeason = 4;
        movie.WI_Priority = 2;
        movie.WI_ReleaseDate = QStringLiteral("2030-01-02");
        movie.Trailer = QStringLiteral("https://example.invalid/t");
        movie.CoverLocalFilename = writeCover(QStringLiteral("cover_wanted.jpg"), QSize(100, 140));

        QVERIFY(module.AddMovieToWantList(movie));
        dm.MainConnection.rollbackRetaining();
        const QVariantMap wanted = row(QStringLiteral("select * from WANTLIST where IMDBID = 700007"));
        QCOMPARE(wanted.value("TITLE").toString(), movie.Title); // a blank alternative title takes the title
        QCOMPARE(wanted.value("MEDIATYPE_ID").toInt(), 3);
        QCOMPARE(wanted.value("SERIESNAME").toString(), QStringLiteral("The Series"));
        QCOMPARE(wanted.value("SEASON").toInt(), 4);
        QCOMPARE(wanted.value("PRIORITY").toInt(), 2);
        QCOMPARE(wanted.value("RELEASEDATE").toDateTime().date(), QDate(2030, 1, 2));
        // An empty theatre date is the empty date, not a refused row.
        QCOMPARE(wanted.value("THEATREDATE").toDateTime().date(), QDate(1899, 12, 30));
        QCOMPARE(blobPictureSize(wanted.value("FRONTCOVER_BLOB")), QSize(100, 140));
        QVERIFY(!QFile::exists(movie.CoverLocalFilename));
    }

    void seasonEpisodesAreStored()
    {
        TIMDBMovie series;
        series.Id = QStringLiteral("tt0600006");
        series.Title = QStringLiteral("The Long Watch");
        series.Year = QStringLiteral("2009");
        const int movieId = module.InsertMovie(series, 1, 0);
        QVERIFY(movieId > 0);

        QVERIFY(module.StoreSeasonEpisodes(series.Id, QStringLiteral("The Long Watch"), 2, false, 45, movieId));
        dm.MainConnection.rollbackRetaining();
        const QString ofMovie = QStringLiteral("MOVIE_ID = %1").arg(movieId);
        QCOMPARE(count("TVSERIES", ofMovie), 10);
        const QVariantMap film = row("select * from MOVIE where " + ofMovie);
        QCOMPARE(film.value("SERIESNAME").toString(), QStringLiteral("The Long Watch"));
        QCOMPARE(film.value("SEASON").toInt(), 2);
        QCOMPARE(film.value("MOVIETIME").toInt(), 450);
        QCOMPARE(film.value("PRODUCTIONYEAR").toString(), QStringLiteral("2010"));

        const QVariantMap second = row("select * from TVSERIES where " + ofMovie + " and EPISODE = 2");
        QCOMPARE(second.value("EPISODENAME").toString(), QStringLiteral("S2.E2 ∙ Arrival & Departure"));
        QCOMPARE(second.value("AIRDATE").toDate(), QDate(2010, 9, 7));
        QCOMPARE(second.value("EPISODETIME").toInt(), 45);
        QCOMPARE(second.value("LASTWATCHEDDATE").toDate(), QDate(1899, 12, 30));
        QCOMPARE(second.value("PLOT").toString(), QStringLiteral("The crew faces trial number 2."));
        // An episode without an air date gets the empty date.
        QCOMPARE(scalar("select AIRDATE from TVSERIES where " + ofMovie + " and EPISODE = 3").toDate(),
                 QDate(1899, 12, 30));
        QCOMPARE(count("TVSERIES", "EPISODENAME = 'Not an episode'"), 0);
        QVERIFY(requestsFor(QStringLiteral("/season/tt0600006")) == 1);

        // Only the missing ones: nothing is added, and the total stays.
        QVERIFY(!module.StoreSeasonEpisodes(series.Id, QString(), 2, true, 45, movieId));
        QCOMPARE(count("TVSERIES", ofMovie), 10);
        QCOMPARE(scalar("select MOVIETIME from MOVIE where " + ofMovie).toInt(), 450);
        // After losing one episode, only that one comes back.
        sql("delete from TVSERIES where " + ofMovie + " and EPISODE = 5");
        QVERIFY(module.StoreSeasonEpisodes(series.Id, QString(), 2, true, 45, movieId));
        QCOMPARE(count("TVSERIES", ofMovie), 10);
        QCOMPARE(count("TVSERIES", ofMovie + " and EPISODE = 5 and EPISODENAME = 'S2.E5 ∙ Chapter 5'"), 1);
        QCOMPARE(scalar("select SEASON from MOVIE where " + ofMovie).toInt(), 2);
    }

    void episodeLengthFallsBackToTheRuntime()
    {
        TIMDBMovie series;
        series.Id = QStringLiteral("tt0600006");
        series.Title = QStringLiteral("The Long Watch again");
        series.Runtime = QStringLiteral("45");
        const int movieId = module.InsertMovie(series, 1, 0);
        QVERIFY(module.StoreSeasonEpisodes(series.Id, series.Title, 2, false, 0, movieId));
        const QString ofMovie = QStringLiteral("MOVIE_ID = %1").arg(movieId);
        QCOMPARE(count("TVSERIES", ofMovie + " and EPISODETIME = 45"), 10);
        QCOMPARE(scalar("select MOVIETIME from MOVIE where " + ofMovie).toInt(), 450);
    }

    void seasonPageThatCannotBeFetched()
    {
        QVERIFY(!module.StoreSeasonEpisodes(QStringLiteral("tt9999999"), QStringLiteral("Nowhere"), 1, true, 30, 1));
    }

    void seasonPageAddress()
    {
        QCOMPARE(SeasonPageAddress(QStringLiteral("tt0600006"), 3), server->baseUrl() + "/season/tt0600006/?season=3");
        QCOMPARE(SeasonPageAddress(QStringLiteral("600006"), 1), server->baseUrl() + "/season/tt0600006/?season=1");
        QCOMPARE(SeasonPageAddress(QStringLiteral("tt12345678"), 1),
                 server->baseUrl() + "/season/tt12345678/?season=1");
    }

    void episodeWithoutInnerMarkersEndsTheList()
    {
        // An episode start without title, date or plot markers must not keep the reader turning.
        const QString page = QStringLiteral("<article class=\"sc-a\">nothing inside</article>");
        QVERIFY(ReadSeasonEpisodes(page, 1).isEmpty());
    }

    void translationPieces_data()
    {
        QTest::addColumn<int>("words");
        QTest::addColumn<int>("pieces");
        QTest::addColumn<int>("wordsInFirst");

        QTest::newRow("short") << 5 << 1 << 5;
        QTest::newRow("exactly one piece") << 140 << 1 << 140;
        QTest::newRow("one word over") << 141 << 2 << 140;
        QTest::newRow("three pieces") << 300 << 3 << 140;
    }

    void translationPieces()
    {
        QFETCH(int, words);
        QFETCH(int, pieces);
        QFETCH(int, wordsInFirst);
        QStringList text;
        for (int i = 0; i < words; ++i)
            text << QStringLiteral("w%1").arg(i);
        const QStringList result = SplitIntoTranslationPieces(text.join(QLatin1Char(' ')), 140);
        QCOMPARE(result.size(), pieces);
        QCOMPARE(result.first().split(QLatin1Char(' ')).size(), wordsInFirst);
        QCOMPARE(result.join(QLatin1Char(' ')), text.join(QLatin1Char(' ')));
    }

    void translation_data()
    {
        QTest::addColumn<bool>("enabled");
        QTest::addColumn<QString>("language");
        QTest::addColumn<QString>("expected");
        QTest::addColumn<QString>("target");

        QTest::newRow("spanish") << true << "Spanish"
                                 << "Hola & adiós"
                                 << "tl=es";
        QTest::newRow("german") << true << "german"
                                << "Hola & adiós"
                                << "tl=de";
        QTest::newRow("english stays") << true << "english"
                                       << "Hello, world"
                                       << "";
        QTest::newRow("switched off") << false << "spanish"
                                      << "Hello, world"
                                      << "";
    }

    void translation()
    {
        QFETCH(bool, enabled);
        QFETCH(QString, language);
        QFETCH(QString, expected);
        QFETCH(QString, target);
        WriteSettingBool(QStringLiteral("TranslateTexts"), QStringLiteral("Options"), enabled);
        WriteSettingString(QStringLiteral("Language"), QString(), language);

        QCOMPARE(module.TranslateText(QStringLiteral("Hello, world")), expected);
        if (target.isEmpty()) {
            QCOMPARE(requestsFor(QStringLiteral("/translate/")), 0);
        } else {
            QCOMPARE(requestsFor(QStringLiteral("/translate/")), 1);
            const QString sent = QString::fromUtf8(server->requests().constLast().target);
            QVERIFY2(sent.contains(target) && sent.contains(QStringLiteral("Hello%2C%20world")), qPrintable(sent));
        }
    }

    void translationAnswerThatIsNoneKeepsTheText()
    {
        WriteSettingBool(QStringLiteral("TranslateTexts"), QStringLiteral("Options"), true);
        WriteSettingString(QStringLiteral("Language"), QString(), QStringLiteral("french"));
        FixtureServer::Response other;
        other.body = "<html>some other site</html>";
        server->setRoute(QStringLiteral("/translate/"), other);
        QCOMPARE(module.TranslateText(QStringLiteral("Keep me")), QStringLiteral("Keep me"));
        server->setRoute(QStringLiteral("/translate/"), FixtureServer::Response{404, "text/html", {}, "gone", 0});
        QCOMPARE(module.TranslateText(QStringLiteral("Keep me")), QStringLiteral("Keep me"));
    }

    // A long text goes in pieces; when one piece comes back untranslated, storing the others alone
    // would lose that part of the text, so the whole text stays as it was.
    void translationWithAFailedPieceKeepsTheText()
    {
        WriteSettingBool(QStringLiteral("TranslateTexts"), QStringLiteral("Options"), true);
        WriteSettingString(QStringLiteral("Language"), QString(), QStringLiteral("spanish"));
        InstallFixtureDefinitions(*server, {{QStringLiteral("BABEL_URL="), server->baseUrl() + "/tr/%s/%s"}});
        QStringList words;
        for (int i = 0; i < 150; ++i)
            words << QStringLiteral("w%1").arg(i);
        const QString text = words.join(QLatin1Char(' '));
        QFile answer(SourceFolder() + QStringLiteral("/tests/online/data/translate/index.html"));
        QVERIFY(answer.open(QIODevice::ReadOnly));
        FixtureServer::Response translated;
        translated.body = answer.readAll();
        // Only the first piece has an answer; the second gets "not found".
        const QString firstPiece = words.mid(0, 140).join(QLatin1Char(' '));
        server->setRoute(QStringLiteral("/tr/tl=es/") + firstPiece, translated);
        QCOMPARE(module.TranslateText(firstPiece), QStringLiteral("Hola & adiós"));
        QCOMPARE(module.TranslateText(text), text);
        QCOMPARE(requestsFor(QStringLiteral("/tr/")), 3);
    }

    void mediaTypesAndQuestions()
    {
        QList<TMediaType> types;
        module.GetAllMediaTypes(&types);
        QVERIFY(!types.isEmpty());
        QCOMPARE(types.size(), count("MEDIATYPE"));
        for (qsizetype i = 1; i < types.size(); ++i)
            QVERIFY(types.at(i - 1).Name <= types.at(i).Name);
        for (const TMediaType &type : types)
            QCOMPARE(type.IsReadOnly, type.Id == 1);
        QVERIFY_THROWS_EXCEPTION(std::invalid_argument, module.GetAllMediaTypes(nullptr));

        QVERIFY(module.IdExistsInTable(QStringLiteral("MEDIATYPE"), QStringLiteral("MEDIATYPE_ID"), types.first().Id));
        QVERIFY(!module.IdExistsInTable(QStringLiteral("MEDIATYPE"), QStringLiteral("MEDIATYPE_ID"), 987654));
        QVERIFY(!module.MovieTitleExist(QStringLiteral("No 'such' title")));
        QCOMPARE(module.GetUniqueID(QStringLiteral("LENDLIST"), QStringLiteral("LEND_ID")), 1);
        QCOMPARE(module.GetUniqueID(QStringLiteral("NO_SUCH_TABLE"), QStringLiteral("ID")), 0);
    }
};

RN_TEST_MAIN(TestStoring)
#include "tst_storing.moc"
