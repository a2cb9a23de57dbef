#include "TestSupport.h"

#include "OnlineTestSupport.h"
#include "online/DownloadQueue.h"
#include "online/IMDBRobotClassUnit.h"
#include "online/TitleSearch.h"

#include <QUrlQuery>

namespace {

QString readFixture(const QString &path)
{
    QFile file(FixtureRoot() + path);
    if (!file.open(QIODevice::ReadOnly))
        qFatal("missing fixture %s", qPrintable(path));
    return QString::fromUtf8(file.readAll());
}

// "id|title|year" per hit, for comparing whole result lists at once.
QStringList describe(const QList<TitleSearchHit> &hits)
{
    QStringList lines;
    for (const TitleSearchHit &hit : hits)
        lines << hit.Id + QLatin1Char('|') + hit.Title + QLatin1Char('|') + hit.Year;
    return lines;
}

QStringList describe(const std::vector<std::unique_ptr<TIMDBMovie>> &movies)
{
    QStringList lines;
    for (const auto &movie : movies)
        lines << movie->Id + QLatin1Char('|') + movie->Title + QLatin1Char('|') + movie->Year;
    return lines;
}

// A result page of count plain movies, numbered from 1.
QString generatedResultPage(int count)
{
    QString items;
    for (int n = 1; n <= count; ++n)
        items += QStringLiteral("<li class=\"ipc-metadata-list-summary-item find-title-result\"><a "
                                "class=\"ipc-metadata-list-summary-item__t\" href=\"/title/tt%1/?ref_=fn_tt_tt_%2\">"
                                "Movie %2</a><ul class=\"ipc-inline-list ipc-metadata-list-summary-item__tl base\" "
                                "role=\"presentation\"><li role=\"presentation\" class=\"ipc-inline-list__item\"><span "
                                "class=\"ipc-metadata-list-summary-item__li\">(2001)</span></li></ul></li>\n")
                     .arg(n, 7, 10, QLatin1Char('0'))
                     .arg(n);
    return QStringLiteral("<html><body><section data-testid=\"find-results-section-title\"><ul>") + items +
           QStringLiteral("</ul></section></body></html>");
}

const QStringList AllFixtureHits{
    QStringLiteral("tt0300003|The Bell Tower|1987"),     QStringLiteral("tt0200002|Northwind Station|"),
    QStringLiteral("tt0100001|The Glass Harbor|2011"),   QStringLiteral("tt0500005|\"Hana & Kaze\"|2003"),
    QStringLiteral("tt0800008|The Tower Diaries|"),      QStringLiteral("tt0400004|Untitled Harbor Project|2024"),
    QStringLiteral("tt10000009|Bell Tower Rising|2022"), QStringLiteral("tt0900009|Up/Down Tower|1999")};

} // namespace

class TestTitleSearch : public QObject
{
    Q_OBJECT

    std::unique_ptr<FixtureServer> server;
    std::unique_ptr<RecordingUserInterface> ui;

    // Points the title search at one of the fixture's search pages.
    void useSearchPage(const QString &pathWithQuery)
    {
        ApplyDefinitionLines(FixtureDefinitions(
            *server, {{QStringLiteral("IMDB_TITLE_SEARCH_AKA="), server->baseUrl() + pathWithQuery}}));
    }

private slots:
    void initTestCase()
    {
        LoadNumberedLanguageTexts();
        server = StartFixtureServer();
    }

    void init()
    {
        ClearSettings();
        ApplyDefinitionLines(FixtureDefinitions(*server));
        ui = std::make_unique<RecordingUserInterface>();
        server->clearRequests();
        server->clearRoutes();
    }

    void cleanup() { ui.reset(); }

    // Series, video games and episodes are told apart by the kind after the year; the photo and
    // the text link of one title give one result; "(I)" and "/I" leave the year; a year of five
    // characters gives none; entities are decoded and a slash in a title stays.
    void resultPageByKind_data()
    {
        QTest::addColumn<int>("kind");
        QTest::addColumn<QStringList>("expected");
        const auto pick = [](std::initializer_list<int> rows) {
            QStringList lines;
            for (int row : rows)
                lines << AllFixtureHits.at(row);
            return lines;
        };
        QTest::newRow("movies") << int(SearchMovies) << pick({0, 2, 3, 5, 6, 7});
        QTest::newRow("series") << int(SearchSeries) << pick({1, 4});
        QTest::newRow("everything") << int(SearchEverything) << AllFixtureHits;
    }

    void resultPageByKind()
    {
        QFETCH(int, kind);
        QFETCH(QStringList, expected);
        QCOMPARE(describe(ParseSearchResults(readFixture(QStringLiteral("/find/index.html")), kind, 100)), expected);
    }

    void resultCountIsLimited_data()
    {
        QTest::addColumn<int>("onPage");
        QTest::addColumn<int>("maximum");
        QTest::addColumn<int>("expected");
        QTest::newRow("more than the default") << 120 << 100 << 100;
        QTest::newRow("exactly the maximum") << 100 << 100 << 100;
        QTest::newRow("fewer") << 7 << 100 << 7;
        QTest::newRow("small maximum") << 7 << 3 << 3;
    }

    void resultCountIsLimited()
    {
        QFETCH(int, onPage);
        QFETCH(int, maximum);
        QFETCH(int, expected);
        const QList<TitleSearchHit> hits = ParseSearchResults(generatedResultPage(onPage), SearchMovies, maximum);
        QCOMPARE(hits.size(), expected);
        QCOMPARE(hits.first().Id, QStringLiteral("tt0000001"));
        QCOMPARE(hits.last().Title, QStringLiteral("Movie %1").arg(expected));
    }

    void pagesWithoutResults()
    {
        QVERIFY(
            ParseSearchResults(readFixture(QStringLiteral("/find/none/index.html")), SearchEverything, 100).isEmpty());
        QVERIFY(ParseSearchResults(QString(), SearchEverything, 100).isEmpty());
        // A result link cut off before its end marker is not listed, and the parser ends.
        QVERIFY(ParseSearchResults(QStringLiteral("x href=\"/title/tt0300003/\">The Bell"), SearchEverything, 100)
                    .isEmpty());
    }

    void recognisers_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("barcode");
        QTest::addColumn<bool>("titleAddress");
        QTest::addColumn<QString>("idFromAddress");
        QTest::newRow("12 digits") << "012345678905" << true << false << "";
        QTest::newRow("12 digits with blanks and dashes") << "0 12345-67890 5" << true << false << "";
        QTest::newRow("13 digits") << "4006381333931" << true << false << "";
        QTest::newRow("8 digits") << "96385074" << true << false << "";
        QTest::newRow("11 digits") << "01234567890" << false << false << "";
        QTest::newRow("a title with 12 digits in it") << "Film 12345678" << false << false << "";
        QTest::newRow("exponent form") << "1234567E1234" << false << false << "";
        QTest::newRow("https www") << "https://www.imdb.com/title/tt0300003/" << false << true << "tt0300003";
        QTest::newRow("http without www") << "HTTP://imdb.com/title/tt0300003/?ref_=x" << false << true << "tt0300003";
        QTest::newRow("eight digits") << "https://imdb.com/title/tt10000009/" << false << true << "tt10000009";
        QTest::newRow("another site") << "https://www.example.com/title/tt0300003/" << false << false << "tt0300003";
        QTest::newRow("a person page") << "https://www.imdb.com/name/nm0000001/" << false << false << "";
    }

    void recognisers()
    {
        QFETCH(QString, text);
        QFETCH(bool, barcode);
        QFETCH(bool, titleAddress);
        QFETCH(QString, idFromAddress);
        ApplyDefinitionLines(ShippedPlainDefinitions());
        QCOMPARE(IsBarcode(text), barcode);
        QCOMPARE(IsImdbTitleAddress(text), titleAddress);
        QCOMPARE(ImdbIdFromAddress(text), idFromAddress);
    }

    void scannerOutputIsDecoded_data()
    {
        QTest::addColumn<QString>("input");
        QTest::addColumn<QString>("expected");
        QTest::newRow("scanner output") << " .C3nZC3nZC3nZC3nZC3nZC3nZ.fHmc.C3jXChD2Dxr7ENn2. "
                                        << "012345678905";
        QTest::newRow("too short") << ".C3nZ.fHmc.C3jXChD2Dxr7ENn2."
                                   << ".C3nZ.fHmc.C3jXChD2Dxr7ENn2.";
        QTest::newRow("a title") << "  The Bell Tower  "
                                 << "The Bell Tower";
    }

    void scannerOutputIsDecoded()
    {
        QFETCH(QString, input);
        QFETCH(QString, expected);
        QCOMPARE(DecodeScannerInput(input), expected);
    }

    void searchFetchesAndParses()
    {
        TIMDBRobot robot;
        QVERIFY(robot.DownloadTitleCollection(QStringLiteral("  the bell tower "), SearchMovies));
        QCOMPARE(describe(robot.MovieCollection()).size(), 6);
        QCOMPARE(robot.MovieCollection().front()->Title, QStringLiteral("The Bell Tower"));
        QCOMPARE(server->requests().last().target, QByteArray("/find/?q=the+bell+tower&s=tt"));
        robot.setMaxSearchResults(2);
        QVERIFY(robot.DownloadTitleCollection(QStringLiteral("the bell tower"), SearchEverything));
        QCOMPARE(describe(robot.MovieCollection()), AllFixtureHits.mid(0, 2));
        QVERIFY(ui->messages.isEmpty());
    }

    // Quotes, ampersands and accents: the ampersand and double quotes cannot travel in the query
    // and are left out, accents are folded, blanks become the definitions' blank.
    void searchTextIsEncoded()
    {
        TIMDBRobot robot;
        QVERIFY(robot.DownloadTitleCollection(QStringLiteral("Amélie & \"Nino's\" Café"), SearchMovies));
        const QUrl sent(QStringLiteral("http://x") + QString::fromLatin1(server->requests().last().target));
        QCOMPARE(QUrlQuery(sent).queryItemValue(QStringLiteral("q"), QUrl::FullyDecoded),
                 QStringLiteral("Amelie++Nino's+Cafe"));
        QCOMPARE(robot.MovieCollection().size(), size_t(6));
    }

    void searchWithoutResults()
    {
        useSearchPage(QStringLiteral("/find/none/?q=%s"));
        TIMDBRobot robot;
        QVERIFY(robot.DownloadTitleCollection(QStringLiteral("zzyzx qwerty"), SearchMovies));
        QVERIFY(robot.MovieCollection().empty());
        QVERIFY(ui->messages.isEmpty());
    }

    // The site jumps to the title page: the title is read from it; a search text the title does
    // not contain becomes the title, capitalised (an alternative title was searched).
    void directHit_data()
    {
        QTest::addColumn<QString>("searchText");
        QTest::addColumn<QString>("title");
        QTest::addColumn<QString>("altTitle");
        QTest::newRow("title contains the text") << "bell tower"
                                                 << "The Bell Tower"
                                                 << "";
        QTest::newRow("alternative title") << "der glockenturm-film"
                                           << "Der Glockenturm-Film"
                                           << "Der Glockenturm-Film";
    }

    void directHit()
    {
        QFETCH(QString, searchText);
        QFETCH(QString, title);
        QFETCH(QString, altTitle);
        useSearchPage(QStringLiteral("/redirect/2/title/tt0300003/?q=%s"));
        TIMDBRobot robot;
        QVERIFY(robot.DownloadTitleCollection(searchText, SearchMovies));
        QCOMPARE(robot.MovieCollection().size(), size_t(1));
        const TIMDBMovie &movie = *robot.MovieCollection().front();
        QCOMPARE(movie.Id, QStringLiteral("tt0300003"));
        QCOMPARE(movie.Title, title);
        QCOMPARE(movie.AltTitle, altTitle);
        QCOMPARE(movie.Year, QStringLiteral("1987"));
    }

    void titleAddressLooksUpThatTitle()
    {
        TIMDBRobot robot;
        QVERIFY(robot.DownloadTitleForImdbID(server->baseUrl() + QStringLiteral("/title/tt0500005/?ref_=nv")));
        QCOMPARE(describe(robot.MovieCollection()), QStringList{QStringLiteral("tt0500005|Hana & Kaze|2003")});
        QVERIFY(!robot.DownloadTitleForImdbID(server->baseUrl() + QStringLiteral("/title/tt0999999/")));
        QVERIFY(robot.MovieCollection().empty());
        QCOMPARE(ui->messages.size(), 1);
    }

    void unreachableSearchIsReported()
    {
        useSearchPage(QStringLiteral("/status/503?q=%s"));
        TIMDBRobot robot;
        robot.MovieCollection().push_back(std::make_unique<TIMDBMovie>());
        QVERIFY(!robot.DownloadTitleCollection(QStringLiteral("the bell tower"), SearchMovies));
        QVERIFY(robot.MovieCollection().empty());
        QCOMPARE(ui->messages.size(), 1);
        QVERIFY(ui->messages.first().text.contains(QStringLiteral("503")));
    }

    void barcodeLookup_data()
    {
        QTest::addColumn<QString>("barcode");
        QTest::addColumn<QString>("expected");
        QTest::newRow("known product") << "012345678905"
                                       << "The Bell Tower";
        QTest::newRow("unknown to the service") << "000000000000"
                                                << "";
        QTest::newRow("no answer") << "111111111111"
                                   << "";
        QTest::newRow("typed with blanks and dashes") << "0 12345-67890 5"
                                                      << "The Bell Tower";
    }

    void barcodeLookup()
    {
        QFETCH(QString, barcode);
        QFETCH(QString, expected);
        QCOMPARE(LookupBarcode(barcode), expected);
        QCOMPARE(server->requests().last().path, QStringLiteral("/upc/") + KeepAlphanumerics(barcode));
        QVERIFY(ui->messages.isEmpty());
    }

    void barcodeAnswerOfAnotherSiteIsIgnored()
    {
        ApplyDefinitionLines(
            FixtureDefinitions(*server, {{QStringLiteral("UPC_VERIFY="), QStringLiteral("upc.example")}}));
        QCOMPARE(LookupBarcode(QStringLiteral("012345678905")), QString());
    }

    void queueLinesRoundTrip_data()
    {
        QTest::addColumn<QString>("title");
        QTest::addColumn<QString>("altTitle");
        QTest::newRow("blanks") << "The Bell Tower"
                                << "Der Glockenturm";
        QTest::newRow("quotes, ampersand, accents") << "\"Hana & Kaze\" l'été"
                                                    << "";
        QTest::newRow("semicolons") << "Part 1; Part 2"
                                    << "A;B";
        QTest::newRow("leading dash") << "-ism"
                                      << "-";
        // Place markers in a title must not take the numbers meant for the later fields.
        QTest::newRow("percent signs") << "100%1 Pure %4"
                                       << "Up %2";
    }

    void queueLinesRoundTrip()
    {
        QFETCH(QString, title);
        QFETCH(QString, altTitle);
        TIMDBMovie movie;
        movie.Id = QStringLiteral("tt0300003");
        movie.Title = title;
        movie.AltTitle = altTitle;
        movie.Year = QStringLiteral("1987");
        movie.MediaTypeId = 4;
        movie.SeqNumber = 17;
        movie.RegionCode = 2;
        const QString line = QueueLine(movie);
        QVERIFY(!line.contains(QLatin1Char(' ')));
        const auto back = ParseQueueLine(line);
        QVERIFY(back);
        QCOMPARE(back->Id, movie.Id);
        QCOMPARE(back->Title, title);
        QCOMPARE(back->AltTitle, altTitle);
        QCOMPARE(back->Year, movie.Year);
        QCOMPARE(back->MediaTypeId, 4);
        QCOMPARE(back->SeqNumber, 17);
        QCOMPARE(back->RegionCode, 2);
    }

    void queueKeepsOneEntryPerTitleButEverySeason()
    {
        TDownloadQueue queue;
        const auto title = [](const char *id, int season) {
            auto movie = std::make_unique<TIMDBMovie>();
            movie->Id = QLatin1String(id);
            movie->SeriesSeason = season;
            return movie;
        };
        QVERIFY(queue.add(title("tt0300003", 0)));
        QVERIFY(!queue.add(title("tt0300003", 0)));
        QVERIFY(queue.add(title("tt0200002", 1)));
        QVERIFY(queue.add(title("tt0200002", 2)));
        QCOMPARE(queue.count(), 3);
        auto taken = queue.take(0);
        QCOMPARE(taken->Id, QStringLiteral("tt0300003"));
        QVERIFY(!queue.containsId(QStringLiteral("tt0300003")));
        QVERIFY(!queue.take(5));
    }

    void queueFileKeepsTitlesForNextTime()
    {
        const QString path = TestHome() + QStringLiteral("/queue.tmp");
        TDownloadQueue queue;
        for (int n = 1; n <= 3; ++n) {
            auto movie = std::make_unique<TIMDBMovie>();
            movie->Id = QStringLiteral("tt010000%1").arg(n);
            movie->Title = QStringLiteral("Title %1").arg(n);
            movie->SeqNumber = 10 * n;
            queue.add(std::move(movie));
        }
        QVERIFY(queue.save(path));
        TDownloadQueue::removeLine(path, QueueLine(queue.at(1)));
        TDownloadQueue again;
        QCOMPARE(again.load(path), 2);
        QCOMPARE(again.at(0).Title, QStringLiteral("Title 1"));
        QCOMPARE(again.at(1).Title, QStringLiteral("Title 3"));
        QCOMPARE(again.largestFileSeqNumber(), 30);
        QCOMPARE(TDownloadQueue().load(TestHome() + QStringLiteral("/missing.tmp")), 0);
    }
};

RN_TEST_MAIN(TestTitleSearch)
#include "tst_titlesearch.moc"
