#include "TestSupport.h"

#include "OnlineTestSupport.h"
#include "online/IMDBHelperClassUnit.h"
#include "online/IMDBMovieClassUnit.h"
#include "online/IMDBRobotClassUnit.h"

namespace {

QString joinedCast(const QList<TIMDBMovieCast> &cast)
{
    QStringList items;
    for (const TIMDBMovieCast &member : cast)
        items << member.MoviePerson.Id + QLatin1Char('|') + member.MoviePerson.Name + QLatin1Char('|') +
                     member.MovieRole;
    return items.join(QStringLiteral("; "));
}

QString joinedCredits(const QList<TIMDBMovieCast> &credits)
{
    QStringList items;
    for (const TIMDBMovieCast &member : credits)
        items << QString::number(member.Role.Id) + QLatin1Char('|') + member.MoviePerson.Id + QLatin1Char('|') +
                     member.MoviePerson.Name;
    return items.join(QStringLiteral("; "));
}

const char *const kDownloadSwitches[] = {
    "Trivia", "Trailer",       "Theatre Date", "Cover Art", "Genres",      "Runtime", "Country", "Language",
    "Cast",   "Tagline",       "MPAA",         "Crew",      "PlotOutline", "Plot",    "Rating",  "FilmingLocations",
    "Awards", "TechnicalData", "Soundtracks",  "LeadRoles", "Keywords"};

} // namespace

class TestTitleParser : public QObject
{
    Q_OBJECT

    std::unique_ptr<FixtureServer> server;
    std::unique_ptr<RecordingUserInterface> ui;

    // A title read the way a movie download reads it.
    std::unique_ptr<TIMDBMovie> download(const QString &id, bool wantedMode = false)
    {
        auto movie = std::make_unique<TIMDBMovie>();
        movie->Id = id;
        movie->Title = QStringLiteral("From Search");
        TIMDBRobot robot;
        if (!robot.DownloadMovieInformation(*movie, false, wantedMode))
            qWarning("the title page of %s could not be fetched", qPrintable(id));
        return movie;
    }

    bool imageWasRequested() const
    {
        for (const FixtureServer::Request &request : server->requests()) {
            if (request.path.startsWith(QLatin1String("/images/")))
                return true;
        }
        return false;
    }

private slots:
    void initTestCase() { LoadNumberedLanguageTexts(); }

    void init()
    {
        ClearSettings();
        server = StartFixtureServer();
        ui = std::make_unique<RecordingUserInterface>();
        onlineHooks() = OnlineHooks();
        InstallFixtureDefinitions(*server);
    }

    void cleanup()
    {
        QCOMPARE(ui->messages.size(), 0);
        ui.reset();
        server.reset();
    }

    void everyPageFieldByField_data()
    {
        QTest::addColumn<QString>("id");
        QTest::addColumn<QStringList>("texts"); // title, original title, year, runtime, country, language
        QTest::addColumn<QStringList>("more");  // tagline, certification, rating, theatre date, trailer video
        QTest::addColumn<QString>("genres");
        QTest::addColumn<QString>("plotOutline");
        QTest::addColumn<QString>("cast");
        QTest::addColumn<QString>("credits");
        QTest::addColumn<bool>("cover");

        QTest::newRow("feature film")
            << "tt0100001"
            << QStringList{"The Glass Harbor", "The Glass Harbor", "2011", "118", "United States / Canada / Ireland",
                           "English"}
            << QStringList{"Some doors open only once.", "PG-13", "7.4", "2011-09-09", "vi1234567890"}
            << "Drama|Mystery|Thriller"
            << "A harbour pilot who finds a message sealed in a glass float starts to doubt everything her town "
               "remembers about the night the lighthouse went dark."
            << "nm2000001|Mara Lind|Nell Calder; nm2000002|Owen Hale|Harbourmaster Quinn; nm2000003|Priya "
               "Natarajan|Dr. Asha Rao; nm2000004|Felix Moreau|The Lighthouse Keeper; nm2000005|Greta Holm|Young "
               "Nell; nm2000006|Sam Okafor|Deckhand; nm2000007|Lena Varga|Ferry Passenger"
            << "1|nm1000001|Ada Brennan; 1|nm1000002|Tomas Reyes; 3|nm1000003|Ingrid Sol; 3|nm1000001|Ada Brennan"
            << true;
        QTest::newRow("TV series") << "tt0200002"
                                   << QStringList{"Northwind Station", "Northwind Station", "2015", "52", "Norway",
                                                  "Norwegian"}
                                   << QStringList{"", "TV-14", "8.1", "2015-03-02", ""} << "Drama|Sci-Fi"
                                   << "Six scientists winter at a polar research station while the supply ship that "
                                      "should relieve them stops answering the radio."
                                   << "nm2000010|Jon Eriksen|Commander Lars Vik; nm2000011|Ruth Abara|Dr. Ife Okoro"
                                   << "" << true;
        QTest::newRow("original title")
            << "tt0300003"
            << QStringList{"The Bell Tower", "Der Glockenturm", "1987", "101", "West Germany / Austria", "German"}
            << QStringList{"Every village has a voice.", "12", "6.9", "1987-10-15", "vi2233445566"} << "Drama|History"
            << "In a village in the Alps, an old bell founder is asked to cast one last bell for a tower that the war "
               "left silent."
            << "nm2000020|Georg Keller|Anton Huber"
            << "1|nm1000020|Klaus Brenner; 3|nm1000021|Ilse Wagner" << true;
        QTest::newRow("missing fields")
            << "tt0400004" << QStringList{"Untitled Harbor Project", "Untitled Harbor Project", "2024", "", "", ""}
            << QStringList{"", "", "0", "1899-12-30", ""} << "Documentary"
            << ""
            << ""
            << "" << false;
        QTest::newRow("entities and non-Latin names")
            << "tt0500005" << QStringList{"Hana & Kaze", "花と風", "2003", "107", "Japan / France", "Japanese"}
            << QStringList{"Love grows & blows!", "PG", "7.8", "2003-10-11", ""} << "Romance|Drama"
            << "Two rival florists on one Kyoto street: \"Hana\" and \"Kaze\" & their families <all of them> &#8211; "
               "learn that O'Brien's café is for sale."
            << "nm2000030|田中 千尋|Hana; nm2000031|Ελένη Παπαδοπούλου|Kaze; nm2000032|José Ñúñez|Señor O'Brien; "
               "nm2000033|Zoë Müller|Café Owner & Narrator"
            << "1|nm1000030|山田 花子; 3|nm1000031|François Léger; 3|nm1000032|Сергей Волков" << true;
    }

    void everyPageFieldByField()
    {
        QFETCH(QString, id);
        QFETCH(QStringList, texts);
        QFETCH(QStringList, more);
        QFETCH(QString, genres);
        QFETCH(QString, plotOutline);
        QFETCH(QString, cast);
        QFETCH(QString, credits);
        QFETCH(bool, cover);

        const auto movie = download(id);
        QCOMPARE(movie->Title, texts.at(0));
        QCOMPARE(movie->OriginalTitle, texts.at(1));
        QCOMPARE(movie->Year, texts.at(2));
        QCOMPARE(movie->YearAsWord(), texts.at(2).toInt());
        QCOMPARE(movie->Runtime, texts.at(3));
        QCOMPARE(movie->Country, texts.at(4));
        QCOMPARE(movie->Language, texts.at(5));
        QCOMPARE(movie->Tagline, more.at(0));
        QCOMPARE(movie->MPAA, more.at(1));
        QCOMPARE(movie->Rating, more.at(2));
        QCOMPARE(movie->TheatreDate, more.at(3));
        QCOMPARE(movie->Trailer, more.at(4).isEmpty() ? QString() : server->baseUrl() + "/video/" + more.at(4));
        QCOMPARE(movie->GenreCollection.join(QLatin1Char('|')), genres);
        QCOMPARE(movie->PlotOutline, plotOutline);
        QCOMPARE(joinedCast(movie->CastCollection), cast);
        QCOMPARE(joinedCredits(movie->CreditsCollection), credits);
        QVERIFY(movie->SeriesName.isEmpty());
        if (cover) {
            QCOMPARE(movie->CoverURL, server->baseUrl() + QStringLiteral("/images/M/MV5B") +
                                          movie->CoverURL.section(QStringLiteral("/MV5B"), 1));
            QVERIFY(movie->CoverURL.endsWith(QLatin1String("@._V1_UX600_CR0,0,600,888_.jpg")));
            QCOMPARE(movie->CoverLocalFilename, GetTempFolder() + id + QStringLiteral(".jpg"));
            QVERIFY(QImage(movie->CoverLocalFilename).width() > 0);
        } else {
            QVERIFY(movie->CoverURL.isEmpty());
            QVERIFY(movie->CoverLocalFilename.isEmpty());
            QVERIFY(!imageWasRequested());
        }
    }

    void castPicturesAreResizedOrDropped()
    {
        const auto movie = download(QStringLiteral("tt0100001"));
        QStringList pictures;
        for (const TIMDBMovieCast &member : movie->CastCollection)
            pictures << QString(member.MoviePerson.ImageUrl).remove(server->baseUrl());
        QCOMPARE(pictures, (QStringList{
                               "/images/M/MV5BmaraLind@._V1_QL75_UX135_CR0,,0,135,180_.jpg",
                               "/images/M/MV5BowenHale@._V1_QL75_UY180_CR15,0,135,180_.jpg",
                               "", // no picture on the page
                               "/images/M/MV5BfelixMoreau@._V1_QL75_UX135_CR0,,0,135,180_.jpg",
                               "", // the page's "no picture" image
                               "/images/M/MV5BsamOkafor@._V1_QL75_UX135_CR0,,0,135,180_.jpg",
                               "/images/M/MV5BlenaVarga@._V1_QL75_UX135_CR0,,0,135,180_.jpg",
                           }));

        WriteSettingInteger(QStringLiteral("People Image Size Y"), QStringLiteral("Options\\Download"), 120);
        movie->GetMovieCast(2, true);
        QCOMPARE(movie->CastCollection.at(0).MoviePerson.ImageUrl.section(QLatin1Char('@'), 1),
                 QStringLiteral("._V1_QL75_UX90_CR0,,0,90,120_.jpg"));
    }

    void aPictureHeightOfZeroDoesNotDivideByZero()
    {
        QCOMPARE(ResizedPersonImageUrl(QStringLiteral("http://x/MV5Bz@._V1_UY0CR3,0,0,0_.jpg"), 180),
                 QStringLiteral("http://x/MV5Bz@._V1_UY180_CR15,0,135,180_.jpg"));
        QCOMPARE(ResizedPersonImageUrl(QStringLiteral("http://x/plain.jpg"), 180),
                 QStringLiteral("http://x/plain.jpg"));
        QCOMPARE(ReplaceAddressSegment(QStringLiteral("a_UX190_b"), QStringLiteral("UX"), QStringLiteral("UX600")),
                 QStringLiteral("a_UX600_b"));
        QCOMPARE(ReplaceAddressSegment(QStringLiteral("a_UX190"), QStringLiteral("UX"), QStringLiteral("UX600")),
                 QStringLiteral("a_UX190"));
    }

    void theCastReaderKeepsToItsMaximum()
    {
        WriteSettingInteger(QStringLiteral("Max Cast"), QStringLiteral("Options\\Download"), 5);
        auto movie = download(QStringLiteral("tt0100001"));
        QCOMPARE(movie->CastCollection.size(), 5);
        movie->GetMovieCast(3, false);
        QCOMPARE(movie->CastCollection.size(), 3);
        for (const TIMDBMovieCast &member : movie->CastCollection)
            QVERIFY(member.MoviePerson.ImageUrl.isEmpty());
    }

    void downloadSwitchesOff()
    {
        for (const char *name : kDownloadSwitches)
            WriteSettingBool(QLatin1String(name), QStringLiteral("Options\\Download"), false);
        const auto movie = download(QStringLiteral("tt0100001"));
        QCOMPARE(movie->Title, QStringLiteral("The Glass Harbor"));
        QCOMPARE(movie->OriginalTitle, QStringLiteral("The Glass Harbor"));
        QCOMPARE(movie->Year, QStringLiteral("2011"));
        QCOMPARE(movie->Rating, QStringLiteral("0"));
        QVERIFY(movie->GenreCollection.isEmpty());
        QVERIFY(movie->CastCollection.isEmpty());
        QVERIFY(movie->CreditsCollection.isEmpty());
        for (const QString &field : {movie->Runtime, movie->Country, movie->Language, movie->Tagline, movie->MPAA,
                                     movie->PlotOutline, movie->Trailer, movie->TheatreDate, movie->CoverURL})
            QVERIFY2(field.isEmpty(), qPrintable(field));
        QVERIFY(!imageWasRequested());
    }

    void theWishListNeedsOnlyTheBasics()
    {
        const auto movie = download(QStringLiteral("tt0300003"), true);
        QCOMPARE(movie->Title, QStringLiteral("The Bell Tower"));
        QCOMPARE(movie->Trailer, server->baseUrl() + QStringLiteral("/video/vi2233445566"));
        QCOMPARE(movie->TheatreDate, QStringLiteral("1987-10-15"));
        QVERIFY(!movie->CoverLocalFilename.isEmpty());
        QVERIFY(movie->OriginalTitle.isEmpty());
        QVERIFY(movie->Year.isEmpty());
        QVERIFY(movie->GenreCollection.isEmpty());
        QVERIFY(movie->CastCollection.isEmpty());
        QCOMPARE(movie->Rating, QStringLiteral("0"));
    }

    void aMissingMarkerEmptiesOnlyItsField_data()
    {
        QTest::addColumn<QString>("id");
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("expected");
        QTest::newRow("genre section") << "tt0100001"
                                       << "IMDB_GENRE_HEAD_TAG="
                                       << "genres"
                                       << "";
        QTest::newRow("genre end") << "tt0100001"
                                   << "IMDB_GENRE_END_TAG="
                                   << "genres"
                                   << "";
        QTest::newRow("country section") << "tt0100001"
                                         << "IMDB_COUNTRY_HEAD_TAG="
                                         << "country"
                                         << "";
        QTest::newRow("country end") << "tt0100001"
                                     << "IMDB_COUNTRY_END_TAG="
                                     << "country"
                                     << "";
        QTest::newRow("poster") << "tt0100001"
                                << "IMDB_COVER_START_TAG="
                                << "cover"
                                << "";
        QTest::newRow("rating") << "tt0100001"
                                << "IMDB_RATING_HEAD_TAG="
                                << "rating"
                                << "0";
        QTest::newRow("cast") << "tt0100001"
                              << "IMDB_CAST_HEADER_START_TAG="
                              << "cast"
                              << "";
        QTest::newRow("cast name end") << "tt0100001"
                                       << "IMDB_CAST_MEMBER_REALNAME_END_TAG="
                                       << "cast"
                                       << "1";
        QTest::newRow("cast pictures") << "tt0100001"
                                       << "IMDB_PERSON_IMAGE_START_TAG="
                                       << "pictures"
                                       << "";
        QTest::newRow("directors") << "tt0100001"
                                   << "IMDB_DIRECTOR_START_TAG="
                                   << "credits"
                                   << "3|3";
        QTest::newRow("credit end") << "tt0100001"
                                    << "IMDB_CREDIT_END_TAG="
                                    << "credits"
                                    << "";
        QTest::newRow("theatre date") << "tt0100001"
                                      << "IMDB_THEATREDATE_START_TAG="
                                      << "theatre"
                                      << "1899-12-30";
        QTest::newRow("tagline end") << "tt0100001"
                                     << "IMDB_TAGLINE_END_TAG="
                                     << "tagline"
                                     << "";
        QTest::newRow("year of a film") << "tt0100001"
                                        << "IMDB_YEAR_START_TAG="
                                        << "year"
                                        << "";
        QTest::newRow("year of a series") << "tt0200002"
                                          << "IMDB_YEAR_START_TAG="
                                          << "year"
                                          << "2015";
        QTest::newRow("original title") << "tt0300003"
                                        << "IMDB_MOVIE_ORIGINALTITLE_END_TAG="
                                        << "original"
                                        << "The Bell Tower";
        QTest::newRow("title") << "tt0300003"
                               << "IMDB_MOVIE_TITLE_BEGIN_TAG_LOCAL="
                               << "title"
                               << "From Search";
    }

    void aMissingMarkerEmptiesOnlyItsField()
    {
        QFETCH(QString, id);
        QFETCH(QString, key);
        QFETCH(QString, field);
        QFETCH(QString, expected);
        InstallFixtureDefinitions(*server, {{key, QString()}});
        const auto movie = download(id);
        QString pictures;
        for (const TIMDBMovieCast &member : movie->CastCollection)
            pictures += member.MoviePerson.ImageUrl;
        QStringList creditRoles;
        for (const TIMDBMovieCast &member : movie->CreditsCollection)
            creditRoles << QString::number(member.Role.Id);
        const QMap<QString, QString> fields{
            {"genres", movie->GenreCollection.join(QLatin1Char('|'))},
            {"country", movie->Country},
            {"cover", movie->CoverLocalFilename + movie->CoverURL},
            {"rating", movie->Rating},
            {"cast", movie->CastCollection.isEmpty() ? QString() : QString::number(movie->CastCollection.size())},
            {"pictures", pictures},
            {"credits", creditRoles.join(QLatin1Char('|'))},
            {"theatre", movie->TheatreDate},
            {"tagline", movie->Tagline},
            {"year", movie->Year},
            {"original", movie->OriginalTitle},
            {"title", movie->Title}};
        QVERIFY(fields.contains(field));
        QCOMPARE(fields.value(field), expected);
        // The rest of the page is read as usual.
        if (field != QLatin1String("title"))
            QVERIFY(movie->Title != QLatin1String("From Search"));
        QVERIFY(!movie->Runtime.isEmpty());
        QVERIFY(!movie->Language.isEmpty());
        if (field != QLatin1String("cover"))
            QVERIFY(!movie->CoverLocalFilename.isEmpty());
        // Without the poster section no other picture of the page is taken for the cover.
        if (field == QLatin1String("cover")) {
            for (const FixtureServer::Request &request : server->requests())
                QVERIFY2(request.path.startsWith(QLatin1String("/title/")), qPrintable(request.path));
        }
    }

    void aLineBreakEndsTaglineAndTheatreDate_data()
    {
        QTest::addColumn<QString>("lineEnd");
        QTest::newRow("LF") << "\n";
        QTest::newRow("CR LF") << "\r\n";
    }

    void aLineBreakEndsTaglineAndTheatreDate()
    {
        QFETCH(QString, lineEnd);
        TIMDBMovie movie;
        movie.SetMovieWebpage(QStringLiteral("<li data-testid=\"storyline-taglines\"><span>Taglines</span><span>Free "
                                             "your mind") +
                              lineEnd +
                              QStringLiteral("and more</span></li>"
                                             "<li data-testid=\"title-details-releasedate\"><a>Release date</a>"
                                             "<a>March 31, 1999") +
                              lineEnd + QStringLiteral("(United States)</a></li></ul>"));
        movie.GetMovieTagline();
        movie.GetMovieTheatreDate();
        QCOMPARE(movie.Tagline, QStringLiteral("Free your mind"));
        QCOMPARE(movie.TheatreDate, QStringLiteral("1999-03-31"));
    }

    void everyKeyMissing()
    {
        auto movie = download(QStringLiteral("tt0100001"));
        TIMDBMovie bare;
        bare.Title = QStringLiteral("From Search");
        bare.SetMovieWebpage(movie->Webpage);
        ClearDefinitions();
        server->clearRequests();
        bare.GetMovieInformation(false);
        QCOMPARE(bare.Title, QStringLiteral("From Search"));
        QCOMPARE(bare.OriginalTitle, QStringLiteral("From Search"));
        QCOMPARE(bare.Rating, QStringLiteral("0"));
        QCOMPARE(bare.TheatreDate, QStringLiteral("1899-12-30"));
        QVERIFY(bare.GenreCollection.isEmpty() && bare.CastCollection.isEmpty() && bare.CreditsCollection.isEmpty());
        for (const QString &field : {bare.Year, bare.Runtime, bare.Country, bare.Language, bare.Tagline, bare.MPAA,
                                     bare.PlotOutline, bare.Trailer, bare.CoverURL})
            QVERIFY2(field.isEmpty(), qPrintable(field));
        QVERIFY(server->requests().isEmpty());
    }

    void translatedGenresAndCertifications()
    {
        WriteSettingString(QStringLiteral("Mystery"), QStringLiteral("TranslationTable\\Genre"),
                           QStringLiteral("Krimi"));
        WriteSettingString(QStringLiteral("Drama"), QStringLiteral("TranslationTable\\Genre"), QString());
        WriteSettingString(QStringLiteral("PG-13"), QStringLiteral("TranslationTable\\MPAA"), QStringLiteral("FSK 12"));
        const auto movie = download(QStringLiteral("tt0100001"));
        QCOMPARE(movie->GenreCollection, (QStringList{"Drama", "Krimi", "Thriller"}));
        QCOMPARE(movie->MPAA, QStringLiteral("FSK 12"));
    }

    void aSeasonNamesTheSeries()
    {
        auto movie = std::make_unique<TIMDBMovie>();
        movie->Id = QStringLiteral("tt0200002");
        movie->SeriesSeason = 2;
        TIMDBRobot robot;
        QVERIFY(robot.DownloadMovieInformation(*movie));
        QCOMPARE(movie->SeriesName, QStringLiteral("Northwind Station"));
        QCOMPARE(movie->Title, QStringLiteral("Northwind Station - T382 2"));
    }

    void smallPages_data()
    {
        QTest::addColumn<QString>("page");
        QTest::addColumn<QString>("title");
        QTest::addColumn<QString>("rating");
        QTest::addColumn<QString>("trailer");
        QTest::newRow("title without a year") << "<title>No Year Here - IMDb</title>"
                                              << ""
                                              << "0"
                                              << "";
        QTest::newRow("quoted title") << "<title>&quot;Quoted&quot; (1990) - IMDb</title>"
                                      << "Quoted"
                                      << "0"
                                      << "";
        QTest::newRow("rating not a number")
            << "<title>R (2000)</title><div data-testid=\"hero-rating-bar__aggregate-rating__score\" "
               "class=\"x\"><span class=\"y\">N/A</span><span>/<!-- -->10</span></div>"
            << "R"
            << "0"
            << "";
        QTest::newRow("rating with a comma") << "<title>R (2000)</title><div data-testid=\"hero-rating-bar__aggregate-"
                                                "rating__score\" class=\"x\"><span>7.5.1</span>/<!-- -->10"
                                             << "R"
                                             << "0"
                                             << "";
        QTest::newRow("trailer without the check marker")
            << "<title>T (2000)</title><a data-testid=\"videos-slate-overlay-1\" href=\"/video/xy123/?x=1\" "
               "aria-label=\"Trailer\">"
            << "T"
            << "0"
            << "";
        QTest::newRow("trailer in lower case")
            << "<title>T (2000)</title><a data-testid=\"videos-slate-overlay-1\" href=\"/video/viAB77/?x=1\" "
               "aria-label=\"Trailer\">"
            << "T"
            << "0"
            << "/video/viab77";
    }

    void smallPages()
    {
        QFETCH(QString, page);
        QFETCH(QString, title);
        QFETCH(QString, rating);
        QFETCH(QString, trailer);
        TIMDBMovie movie;
        movie.Title = QStringLiteral("From Search");
        movie.SetMovieWebpage(page);
        movie.GetMovieTitle();
        movie.GetMovieRating();
        movie.GetMovieTrailer();
        QCOMPARE(movie.Title, title);
        QCOMPARE(movie.Rating, rating);
        QCOMPARE(movie.Trailer, trailer.isEmpty() ? QString() : server->baseUrl().toLower() + trailer);
    }

    void producersAndComposersFromACreditsTable()
    {
        const QString page =
            QStringLiteral("<h4 class=\"dataHeaderWithBorder\">Produced by</h4><table class=\"simpleTable\"><tbody>"
                           "<tr><td class=\"name\"><a href=\"/name/nm3000001/\">Bo Berman</a></td><td>...</td>"
                           "<td class=\"credit\">executive producer</td></tr>"
                           "<tr><td class=\"name\"><a href=\"/name/nm3000002/\">Jo Silver</a></td><td>...</td>"
                           "<td class=\"credit\">producer</td></tr>"
                           "<tr><td class=\"name\"><a href=\"/name/nm3000003/\">Al &amp; Co</a></td><td>...</td>"
                           "<td class=\"credit\">producer</td></tr>"
                           "</tbody></table>"
                           "<h4 class=\"dataHeaderWithBorder\">Music by</h4><table class=\"simpleTable\"><tbody>\n"
                           "<tr><td class=\"name\"><a href=\"/name/nm3000010/\">Don Davis</a></td></tr>\n"
                           "<tr><td class=\"name\"><a href=\"/name/nm3000011/\">Zo&euml; Keating</a></td></tr>\n"
                           "</tbody></table>");
        TIMDBMovie movie;
        movie.SetMovieWebpage(page);
        movie.GetMovieProducers();
        movie.GetMovieComposers();
        QCOMPARE(joinedCredits(movie.CreditsCollection),
                 QStringLiteral("2|nm3000002|Jo Silver; 2|nm3000003|Al & Co; 6|nm3000010|Don Davis; "
                                "6|nm3000011|Zoë Keating"));
        for (const TIMDBMovieCast &member : movie.CreditsCollection)
            QCOMPARE(member.Role.Name,
                     member.Role.Id == 2 ? QStringLiteral("Producer") : QStringLiteral("Original Music"));
    }

    void aCoverThatIsNoPictureIsDropped()
    {
        FixtureServer::Response notAPicture;
        notAPicture.body = QByteArray(4000, 'x').prepend("<html>");
        server->setRoute(QStringLiteral("/images/M/MV5BglassHarborPoster@._V1_UX600_CR0,0,600,888_.jpg"), notAPicture);
        const auto movie = download(QStringLiteral("tt0100001"));
        QVERIFY(imageWasRequested());
        QVERIFY(movie->CoverURL.isEmpty());
        QVERIFY(movie->CoverLocalFilename.isEmpty());
        QVERIFY(!QFile::exists(GetTempFolder() + QStringLiteral("tt0100001.jpg")));
    }

    void theDownloadWindowFollowsTheRead()
    {
        QStringList shown;
        OnlineHooks &hooks = onlineHooks();
        hooks.downloadStatus = [&shown](const QString &text) { shown << QStringLiteral("status:") + text; };
        hooks.downloadTitle = [&shown](const QString &text) { shown << QStringLiteral("title:") + text; };
        hooks.downloadOriginalTitle = [&shown](const QString &text) { shown << QStringLiteral("original:") + text; };
        hooks.downloadCover = [&shown](const QString &file) { shown << QStringLiteral("cover:") + file; };

        download(QStringLiteral("tt0300003"));
        QCOMPARE(shown, (QStringList{"title:The Bell Tower", "cover:" + GetTempFolder() + "tt0300003.jpg",
                                     "original:Der Glockenturm"}));

        shown.clear();
        WriteSettingBool(QStringLiteral("ShowDownloadDebugText"), QStringLiteral("Options"), true);
        download(QStringLiteral("tt0100001"));
        const QStringList statuses = shown.filter(QStringLiteral("status:"));
        QCOMPARE(statuses.size(), 24);
        QCOMPARE(statuses.first(), QStringLiteral("status:Updating Title..."));
        QCOMPARE(statuses.last(), QStringLiteral("status:Storing to Database..."));
        QVERIFY(!shown.join(QLatin1Char('\n')).contains(QLatin1String("original:")));
    }

    void otherReadSequences()
    {
        auto movie = download(QStringLiteral("tt0100001"));
        TIMDBMovie preview;
        preview.Id = movie->Id;
        preview.SetMovieWebpage(movie->Webpage);
        preview.GetMoviePreview();
        QCOMPARE(preview.Title, QStringLiteral("The Glass Harbor"));
        QCOMPARE(preview.CastCollection.size(), 5);
        for (const TIMDBMovieCast &member : preview.CastCollection)
            QVERIFY(member.MoviePerson.ImageUrl.isEmpty());
        QCOMPARE(preview.CreditsCollection.size(), 2);
        QVERIFY(!preview.PlotOutline.isEmpty());
        QVERIFY(preview.Rating == QLatin1String("0") && preview.Runtime.isEmpty());

        TIMDBMovie quick;
        quick.SetMovieWebpage(movie->Webpage);
        quick.GetMovieInformationQuickAdd();
        QCOMPARE(quick.CastCollection.size(), 5);
        QCOMPARE(quick.CreditsCollection.size(), 4);
        QCOMPARE(quick.Tagline, QStringLiteral("Some doors open only once."));
        QVERIFY(quick.Title.isEmpty());

        WriteSettingBool(QStringLiteral("BasicImdb"), QStringLiteral("AutoUpdate"), false);
        TIMDBMovie update;
        update.Title = QStringLiteral("Kept");
        update.SetMovieWebpage(movie->Webpage);
        update.GetMovieOnUpdate();
        QCOMPARE(update.Title, QStringLiteral("Kept"));
        QCOMPARE(update.Rating, QStringLiteral("0"));
        QCOMPARE(update.CastCollection.size(), 7);
        QCOMPARE(update.CreditsCollection.size(), 4);
        QVERIFY(!update.CoverLocalFilename.isEmpty());
        QVERIFY(update.GenreCollection.isEmpty());
    }
};

RN_TEST_MAIN(TestTitleParser)
#include "tst_titleparser.moc"
