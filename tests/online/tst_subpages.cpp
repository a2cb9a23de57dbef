#include "TestSupport.h"

#include "OnlineTestSupport.h"
#include "online/IMDBHelperClassUnit.h"
#include "online/IMDBMovieClassUnit.h"
#include "online/IMDBRobotClassUnit.h"

#include <functional>

namespace {

const QString kDownload = QStringLiteral("Options\\Download");

QString awardsText(const QList<TIMDBAward> &awards)
{
    QStringList lines;
    for (const TIMDBAward &award : awards) {
        QStringList recipients;
        for (const TIMDBAwardRecipient &recipient : award.Recipients)
            recipients << recipient.AwardPerson.Id + QLatin1Char(' ') + recipient.AwardPerson.Name +
                              (recipient.Note().isEmpty() ? QString() : QStringLiteral(" / ") + recipient.Note());
        lines << QStringList{QString::number(award.Id),
                             award.Organization(),
                             QString::number(award.AwardYear()),
                             QString::number(award.AwardResult()),
                             award.AwardName(),
                             award.Category(),
                             award.Note(),
                             recipients.join(QStringLiteral(", "))}
                     .join(QLatin1Char('|'));
    }
    return lines.join(QLatin1Char('\n'));
}

QString technicalText(const QList<TIMDBTechData> &items)
{
    QStringList lines;
    for (const TIMDBTechData &item : items)
        lines << QString::number(item.Id) + QLatin1Char('|') + item.Data() + QLatin1Char('|') + item.DataValue();
    return lines.join(QLatin1Char('\n'));
}

QString songsText(const QList<TIMDBSoundtrack> &songs)
{
    QStringList lines;
    for (const TIMDBSoundtrack &song : songs)
        lines << QString::number(song.Id) + QLatin1Char('|') + song.Title() + QLatin1Char('|') + song.Performer();
    return lines.join(QLatin1Char('\n'));
}

// What the sub-page readers filled, one text per field.
QMap<QString, QString> subPageFields(const TIMDBMovie &movie)
{
    return {{"plot", movie.Plot},
            {"trivia", movie.TriviaText},
            {"locations", movie.FilmingLocationsCollection.join(QLatin1Char('|'))},
            {"awards", awardsText(movie.AwardsCollection)},
            {"technical", technicalText(movie.TechnicalDataCollection)},
            {"soundtracks", songsText(movie.SoundtrackCollection)},
            {"stars", movie.CastStarsCollection.join(QLatin1Char('|'))},
            {"keywords", movie.KeywordsCollection.join(QLatin1Char('|'))}};
}

// Everything the sub-pages of the fixture title "The Glass Harbor" hold.
QMap<QString, QString> glassHarborFields()
{
    return {{"plot",
             "When the lighthouse on Kerrow Point goes dark for one night, harbour pilot Nell Calder finds a "
             "message sealed in a glass float.\r\rHer search for its writer leads her through the town's oldest "
             "secrets & its quietest families."},
            {"trivia", "The lighthouse scenes were shot at Hook Head in a single night.\r\n\r\n"
                       "Mara Lind learned to pilot a harbour launch for the role & kept her licence.\r\n\r\n"
                       "The glass float seen on screen was blown by a glassworks in Waterford."},
            {"locations", "Kinsale, County Cork, Ireland|Hook Head Lighthouse, County Wexford, Ireland|"
                          "Pier 7 & Dock Road, Halifax, Nova Scotia, Canada"},
            {"awards", "1|Academy Awards, USA|2012|0|Oscar|Best Cinematography||nm1000040 Ilse Varga\n"
                       "2|Academy Awards, USA|2012|1|Oscar|Best Original Score|Shared with the second unit.|"
                       "nm1000002 Tomas Reyes\n"
                       "3|Galway Film Fleadh|2011|1|Audience Award|Best Feature|For its portrait of a coastal town.|"
                       "nm1000001 Ada Brennan, nm1000002 Tomas Reyes\n"
                       "4|Galway Film Fleadh|2011|0|Grand Prix|Best Irish Feature||\n"
                       "5|Irish Film & Television Academy|2012|1|IFTA Award|Best Actress in a Lead Role||"
                       "nm2000001 Mara Lind"},
            // Runtime, sound mix and aspect ratio are no technical data; the numbers run on across labels.
            {"technical", "1|Color|Color\n2|Camera|Arri Alexa, Cooke S4 Lenses\n3|Camera|Arriflex 235\n"
                          "4|Camera|Red One & Zeiss\n5|Negative Format|Codex\n"
                          "6|Negative Format|35 mm (Kodak Vision3 500T 5219)\n7|Printed Film Format|D-Cinema"},
            // The fourth song has no credit lines and does not take those of the fifth.
            {"soundtracks", QStringLiteral("1|Harbor Lights|Mara Lind\n2|´´Salt & Glass´´|The Kerrow Choir\n"
                                           "3|Lighthouse Waltz|Owen Hale on the fiddle\n4|Untitled Shanty|\n"
                                           "5|Closing Tide|Ada ´´Addie´´ Brennan")},
            {"stars", "2000001|2000002"},
            // "Lighthouse" is listed twice, in different letter case.
            {"keywords", "lighthouse|message in a bottle|harbor pilot|small town & secrets|ireland"}};
}

// The address template keys of the sub-pages, by field.
const QMap<QString, QString> kAddressKeys{
    {"plot", "IMDB_PLOT_URL="},     {"trivia", "IMDB_TRIVIA_URL="},      {"locations", "IMDB_FILMINGLOCATIONS_URL="},
    {"awards", "IMDB_AWARDS_URL="}, {"technical", "IMDB_TECHDATA_URL="}, {"soundtracks", "IMDB_SOUNDTRACK_URL="},
    {"stars", "IMDB_STARS_URL="},   {"keywords", "IMDB_KEYWORDS_URL="}};

const QMap<QString, std::function<void(TIMDBMovie &)>> kReaders{{"plot", &TIMDBMovie::ReadPlot},
                                                                {"trivia", &TIMDBMovie::ReadTrivia},
                                                                {"locations", &TIMDBMovie::ReadFilmingLocations},
                                                                {"awards", &TIMDBMovie::ReadAwards},
                                                                {"technical", &TIMDBMovie::ReadTechnicalData},
                                                                {"soundtracks", &TIMDBMovie::ReadSoundtracks},
                                                                {"stars", &TIMDBMovie::ReadLeadRoles},
                                                                {"keywords", &TIMDBMovie::ReadKeywords}};

// A title whose every sub-page field already holds something.
void fillSubPageFields(TIMDBMovie &movie)
{
    movie.Plot = QStringLiteral("old plot");
    movie.TriviaText = QStringLiteral("old trivia");
    movie.FilmingLocationsCollection = {QStringLiteral("Old Place")};
    TIMDBAward award;
    award.Id = 1;
    award.setAwardName(QStringLiteral("Old Award"));
    movie.AwardsCollection = {award};
    TIMDBTechData data;
    data.Id = 1;
    data.setData(QStringLiteral("Camera"));
    data.setDataValue(QStringLiteral("Old Camera"));
    movie.TechnicalDataCollection = {data};
    TIMDBSoundtrack song;
    song.Id = 1;
    song.setTitle(QStringLiteral("Old Song"));
    movie.SoundtrackCollection = {song};
    movie.CastStarsCollection = {QStringLiteral("1")};
    movie.KeywordsCollection = {QStringLiteral("old keyword")};
}

FixtureServer::Response page(const QString &html)
{
    FixtureServer::Response response;
    response.body = html.toUtf8();
    return response;
}

} // namespace

class TestSubPages : public QObject
{
    Q_OBJECT

    std::unique_ptr<FixtureServer> server;
    std::unique_ptr<RecordingUserInterface> ui;

    std::unique_ptr<TIMDBMovie> download(const QString &id)
    {
        auto movie = std::make_unique<TIMDBMovie>();
        movie->Id = id;
        movie->Title = QStringLiteral("From Search");
        TIMDBRobot robot;
        if (!robot.DownloadMovieInformation(*movie, false, false))
            qWarning("the title page of %s could not be fetched", qPrintable(id));
        return movie;
    }

    QStringList requestedPaths() const
    {
        QStringList paths;
        for (const FixtureServer::Request &request : server->requests())
            paths << request.path;
        return paths;
    }

    // The sub-page fields of the fixture title, with the named ones expected empty.
    static QMap<QString, QString> glassHarborWithout(const QStringList &emptyFields)
    {
        QMap<QString, QString> expected = glassHarborFields();
        for (const QString &field : emptyFields)
            expected[field].clear();
        return expected;
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
        // Sub-pages fail silently.
        QCOMPARE(ui->messages.size(), 0);
        ui.reset();
        server.reset();
    }

    void everySubPageOfATitle()
    {
        const auto movie = download(QStringLiteral("tt0100001"));
        const QMap<QString, QString> fields = subPageFields(*movie);
        const QMap<QString, QString> expected = glassHarborFields();
        for (auto it = expected.cbegin(); it != expected.cend(); ++it)
            QCOMPARE(fields.value(it.key()), it.value());
        // The title page is read as before.
        QCOMPARE(movie->Title, QStringLiteral("The Glass Harbor"));
        QCOMPARE(movie->CastCollection.size(), 7);
    }

    void aSwitchedOffReaderFetchesNothing_data()
    {
        QTest::addColumn<QString>("switchName");
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("subPage");
        QTest::newRow("plot") << "Plot"
                              << "plot"
                              << "plotsummary/";
        QTest::newRow("trivia") << "Trivia"
                                << "trivia"
                                << "trivia/";
        QTest::newRow("filming locations") << "FilmingLocations"
                                           << "locations"
                                           << "locations/";
        QTest::newRow("awards") << "Awards"
                                << "awards"
                                << "awards/";
        QTest::newRow("technical data") << "TechnicalData"
                                        << "technical"
                                        << "technical/";
        QTest::newRow("soundtracks") << "Soundtracks"
                                     << "soundtracks"
                                     << "soundtrack/";
        // The leading roles are read from the title page itself, fetched a second time.
        QTest::newRow("lead roles") << "LeadRoles"
                                    << "stars"
                                    << "";
        QTest::newRow("keywords") << "Keywords"
                                  << "keywords"
                                  << "keywords/";
    }

    void aSwitchedOffReaderFetchesNothing()
    {
        QFETCH(QString, switchName);
        QFETCH(QString, field);
        QFETCH(QString, subPage);
        WriteSettingBool(switchName, kDownload, false);
        const auto movie = download(QStringLiteral("tt0100001"));
        QCOMPARE(subPageFields(*movie), glassHarborWithout({field}));
        const QString path = QStringLiteral("/title/tt0100001/") + subPage;
        QCOMPARE(requestedPaths().count(path), qsizetype(subPage.isEmpty() ? 1 : 0));
    }

    void aFailingSubPageLeavesOnlyItsFieldsEmpty_data()
    {
        QTest::addColumn<QString>("field");
        QTest::addColumn<int>("status");
        QTest::newRow("plot") << "plot" << 500;
        QTest::newRow("trivia") << "trivia" << 404;
        QTest::newRow("filming locations") << "locations" << 503;
        QTest::newRow("awards") << "awards" << 500;
        QTest::newRow("technical data") << "technical" << 403;
        QTest::newRow("soundtracks") << "soundtracks" << 500;
        QTest::newRow("lead roles") << "stars" << 502;
        QTest::newRow("keywords") << "keywords" << 410;
    }

    void aFailingSubPageLeavesOnlyItsFieldsEmpty()
    {
        QFETCH(QString, field);
        QFETCH(int, status);
        const QString failing = server->baseUrl() + QStringLiteral("/status/%1/%s/").arg(status);
        InstallFixtureDefinitions(*server, {{kAddressKeys.value(field), failing}});
        const auto movie = download(QStringLiteral("tt0100001"));
        QVERIFY(requestedPaths().contains(QStringLiteral("/status/%1/tt0100001/").arg(status)));
        QCOMPARE(subPageFields(*movie), glassHarborWithout({field}));
    }

    void aTitleWithoutSubPages()
    {
        QStringList shownTrivia;
        onlineHooks().downloadTrivia = [&shownTrivia](const QString &text) { shownTrivia << text; };
        const auto movie = download(QStringLiteral("tt0400004"));
        for (const QString &text : subPageFields(*movie))
            QVERIFY2(text.isEmpty(), qPrintable(text));
        QCOMPARE(movie->Title, QStringLiteral("Untitled Harbor Project"));
        QCOMPARE(shownTrivia, QStringList{"T1441"});

        shownTrivia.clear();
        download(QStringLiteral("tt0100001"));
        QCOMPARE(shownTrivia, QStringList{"The lighthouse scenes were shot at Hook Head in a single night."});
    }

    void aReaderWithoutAnIdDoesNothing()
    {
        TIMDBMovie movie;
        movie.SetMovieWebpage(download(QStringLiteral("tt0100001"))->Webpage);
        fillSubPageFields(movie);
        const QMap<QString, QString> before = subPageFields(movie);
        server->clearRequests();
        for (const auto &read : kReaders)
            read(movie);
        QCOMPARE(subPageFields(movie), before);
        QVERIFY(server->requests().isEmpty());
    }

    void aPageWithoutItsSectionKeepsTheLists()
    {
        QMap<QString, QString> bareAddresses;
        for (const QString &key : kAddressKeys)
            bareAddresses.insert(key, server->baseUrl() + QStringLiteral("/bare/%s/"));
        InstallFixtureDefinitions(*server, bareAddresses);
        server->setRoute(QStringLiteral("/bare/tt0100001/"), page(QStringLiteral("<html><body>Moved</body></html>")));
        QStringList shownTrivia;
        onlineHooks().downloadTrivia = [&shownTrivia](const QString &text) { shownTrivia << text; };

        TIMDBMovie movie;
        movie.Id = QStringLiteral("tt0100001");
        fillSubPageFields(movie);
        QMap<QString, QString> expected = subPageFields(movie);
        for (const auto &read : kReaders)
            read(movie);
        // Only the keywords are emptied before their section is looked for.
        expected[QStringLiteral("keywords")].clear();
        QCOMPARE(subPageFields(movie), expected);
        QCOMPARE(shownTrivia, QStringList{"T1441"});
        QCOMPARE(requestedPaths().count(QStringLiteral("/bare/tt0100001/")), kReaders.size());
    }

    void thePlotMayComeFromTheTitlePage()
    {
        InstallFixtureDefinitions(*server, {{"IMDB_PLOT_URL=", server->baseUrl() + QStringLiteral("/title/%s/")},
                                            {"IMDB_PLOT_START_TAG=",
                                             QStringLiteral("data-testid=\"plot-xl\" class=\"sc-16ede01-0 kZdJah\">")},
                                            {"IMDB_PLOT_END_TAG=", QStringLiteral("</span>")}});
        const auto movie = download(QStringLiteral("tt0100001"));
        QCOMPARE(movie->Plot, movie->PlotOutline);
        QVERIFY(movie->Plot.startsWith(QLatin1String("A harbour pilot who finds")));
        QVERIFY(!requestedPaths().contains(QStringLiteral("/title/tt0100001/plotsummary/")));
    }

    void triviaStopsAfterTwentyOneItems()
    {
        QString html = QStringLiteral("<div data-testid=\"sub-section-uncategorized\"><ul>");
        QStringList expected;
        for (int n = 1; n <= 30; ++n) {
            html += QStringLiteral("<li><div class=\"ipc-html-content-inner-div\" role=\"presentation\">Fact %1 "
                                   "&amp; more</div></li>")
                        .arg(n);
            if (n <= 21)
                expected << QStringLiteral("Fact %1 & more").arg(n);
        }
        html += QStringLiteral("</ul></div></section>");
        server->setRoute(QStringLiteral("/title/tt0900009/trivia/"), page(html));
        TIMDBMovie movie;
        movie.Id = QStringLiteral("tt0900009");
        movie.ReadTrivia();
        QCOMPARE(movie.TriviaText, expected.join(QStringLiteral("\r\n\r\n")));
    }

    void leadRolesKeepOnlyPersonNumbers()
    {
        server->setRoute(QStringLiteral("/title/tt0900009/"),
                         page(QStringLiteral("<li><span>Stars</span><ul>"
                                             "<li><a href=\"/name/nm0000042/?ref_=tt_ov_st\">Forty Two</a></li>"
                                             "<li><a href=\"/name/nmABC/?ref_=tt_ov_st\">Not A Number</a></li>"
                                             "<li><a href=\"/name/nm0000000/?ref_=tt_ov_st\">Zero</a></li>"
                                             "<li><a href=\"/name/nm7654321/?ref_=tt_ov_st\">Last Star</a></li>"
                                             "</ul><a href=\"/name/nm5555555/?ref_=tt_ov_wr\">Writer</a></li>")));
        TIMDBMovie movie;
        movie.Id = QStringLiteral("tt0900009");
        movie.ReadLeadRoles();
        QCOMPARE(movie.CastStarsCollection, (QStringList{"42", "7654321"}));
    }

    void anAwardNameCloseBeforeTheNextYear_data()
    {
        QTest::addColumn<int>("padding");
        QTest::addColumn<QString>("awards");
        // "<n>B</n><c>CatB</c>" is 19 characters long.
        QTest::newRow("right before the year") << 0 << "A CatA 2001; C CatC 2002";
        QTest::newRow("74 characters before") << 55 << "A CatA 2001; C CatC 2002";
        QTest::newRow("76 characters before") << 57 << "A CatA 2001; B CatB 2001; C CatC 2002";
    }

    void anAwardNameCloseBeforeTheNextYear()
    {
        QFETCH(int, padding);
        QFETCH(QString, awards);
        // Short markers make the distances plain.
        const QList<std::pair<const char *, const char *>> markers{
            {"ORGANIZATION", "o"}, {"YEAR", "y"}, {"NOMINATED", "r"}, {"NAME", "n"}, {"CATEGORY", "c"}};
        QMap<QString, QString> changes{{"IMDB_AWARDS_HEAD_TAG=", "<awards>"}, {"IMDB_AWARDS_BOTTOM_TAG=", "</awards>"}};
        for (const auto &[level, tag] : markers) {
            changes.insert(QStringLiteral("IMDB_AWARDS_%1_START_TAG=").arg(QLatin1String(level)),
                           QStringLiteral("<%1>").arg(QLatin1String(tag)));
            changes.insert(QStringLiteral("IMDB_AWARDS_%1_END_TAG=").arg(QLatin1String(level)),
                           QStringLiteral("</%1>").arg(QLatin1String(tag)));
        }
        InstallFixtureDefinitions(*server, changes);
        server->setRoute(QStringLiteral("/title/tt0900009/awards/"),
                         page(QStringLiteral("<awards><o>Festival</o><y>2001</y><r>Winner</r><n>A</n><c>CatA</c>") +
                              QString(80, QLatin1Char(' ')) + QStringLiteral("<n>B</n><c>CatB</c>") +
                              QString(padding, QLatin1Char(' ')) +
                              QStringLiteral("<y>2002</y><r>Nominee</r><n>C</n><c>CatC</c></awards>")));
        TIMDBMovie movie;
        movie.Id = QStringLiteral("tt0900009");
        movie.ReadAwards();
        QStringList read;
        for (const TIMDBAward &award : movie.AwardsCollection)
            read << award.AwardName() + QLatin1Char(' ') + award.Category() + QLatin1Char(' ') +
                        QString::number(award.AwardYear());
        QCOMPARE(read.join(QStringLiteral("; ")), awards);
    }

    void awardsWithoutTheRecipientBottom()
    {
        InstallFixtureDefinitions(*server, {{"IMDB_AWARDS_PERSON_BOTTOM_TAG=", QString()}});
        TIMDBMovie movie;
        movie.Id = QStringLiteral("tt0100001");
        movie.ReadAwards();
        QCOMPARE(movie.AwardsCollection.size(), 5);
        for (const TIMDBAward &award : movie.AwardsCollection)
            QVERIFY(award.Recipients.isEmpty());
        QCOMPARE(movie.AwardsCollection.at(2).Note(), QStringLiteral("For its portrait of a coastal town."));
    }

    // A page cut short anywhere ends every list; no reader loops on a start marker whose end is gone.
    void aTruncatedSubPageEndsItsList_data()
    {
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("subPage");
        QTest::newRow("plot") << "plot"
                              << "plotsummary/";
        QTest::newRow("trivia") << "trivia"
                                << "trivia/";
        QTest::newRow("filming locations") << "locations"
                                           << "locations/";
        QTest::newRow("awards") << "awards"
                                << "awards/";
        QTest::newRow("technical data") << "technical"
                                        << "technical/";
        QTest::newRow("soundtracks") << "soundtracks"
                                     << "soundtrack/";
        QTest::newRow("lead roles") << "stars"
                                    << "";
        QTest::newRow("keywords") << "keywords"
                                  << "keywords/";
    }

    void aTruncatedSubPageEndsItsList()
    {
        QFETCH(QString, field);
        QFETCH(QString, subPage);
        QFile file(FixtureRoot() + QStringLiteral("/title/tt0100001/") + subPage + QStringLiteral("index.html"));
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QString full = QString::fromUtf8(file.readAll()).replace(QLatin1String("{{BASE}}"), server->baseUrl());
        const QString path = QStringLiteral("/title/tt0100001/") + subPage;
        const QString complete = glassHarborFields().value(field);
        for (qsizetype length = 0; length < full.size(); length += 97) {
            server->setRoute(path, page(full.left(length)));
            TIMDBMovie movie;
            movie.Id = QStringLiteral("tt0100001");
            kReaders.value(field)(movie);
            const QString text = subPageFields(movie).value(field);
            QVERIFY2(text.size() <= complete.size() + 200, qPrintable(text));
        }
    }

    void otherReadSequences()
    {
        const auto movie = download(QStringLiteral("tt0100001"));
        WriteSettingBool(QStringLiteral("Awards"), QStringLiteral("AutoUpdate"), false);
        WriteSettingBool(QStringLiteral("People"), QStringLiteral("AutoUpdate"), false);
        TIMDBMovie update;
        update.Id = movie->Id;
        update.SetMovieWebpage(movie->Webpage);
        fillSubPageFields(update);
        update.GetMovieOnUpdate();
        // The update empties the award and lead-role lists before it decides what to read.
        QCOMPARE(subPageFields(update), glassHarborWithout({"awards", "stars"}));

        WriteSettingBool(QStringLiteral("BasicImdb"), QStringLiteral("AutoUpdate"), false);
        TIMDBMovie basicOff;
        basicOff.Id = movie->Id;
        basicOff.SetMovieWebpage(movie->Webpage);
        basicOff.GetMovieOnUpdate();
        QVERIFY(basicOff.Plot.isEmpty() && basicOff.TriviaText.isEmpty());
        QVERIFY(!basicOff.KeywordsCollection.isEmpty());

        server->clearRequests();
        TIMDBMovie quick;
        quick.Id = movie->Id;
        quick.SetMovieWebpage(movie->Webpage);
        quick.GetMovieInformationQuickAdd();
        QCOMPARE(quick.TriviaText, glassHarborFields().value("trivia"));
        QCOMPARE(requestedPaths().filter(QStringLiteral("/title/")),
                 QStringList{QStringLiteral("/title/tt0100001/trivia/")});
    }
};

RN_TEST_MAIN(TestSubPages)
#include "tst_subpages.moc"
