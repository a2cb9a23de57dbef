#include "TestSupport.h"

#include "OnlineTestSupport.h"
#include "online/HttpClient.h"
#include "online/IMDBHelperClassUnit.h"
#include "online/IMDBRobotClassUnit.h"

#include <QBuffer>
#include <QImage>
#include <QImageWriter>

namespace {

QByteArray fixtureFile(const QString &path, const FixtureServer &server)
{
    QFile file(FixtureRoot() + path);
    if (!file.open(QIODevice::ReadOnly))
        return QByteArray();
    return file.readAll().replace("{{BASE}}", server.baseUrl().toUtf8());
}

// A JPEG of exactly size bytes: a small picture padded after its end marker, which readers ignore.
QByteArray jpegOfSize(int size)
{
    QImage image(8, 8, QImage::Format_RGB32);
    image.fill(Qt::darkCyan);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, "jpeg");
    writer.setQuality(50);
    writer.write(image);
    if (bytes.size() > size)
        qFatal("the test picture is larger than %d bytes", size);
    bytes.append(QByteArray(size - bytes.size(), '\0'));
    return bytes;
}

quint16 closedPort()
{
    QTcpServer probe;
    probe.listen(QHostAddress::LocalHost);
    const quint16 port = probe.serverPort();
    probe.close();
    return port;
}

} // namespace

class TestFetching : public QObject
{
    Q_OBJECT

    std::unique_ptr<FixtureServer> server;
    std::unique_ptr<RecordingUserInterface> ui;

    QString url(const QString &path) const { return server->baseUrl() + path; }

private slots:
    void initTestCase() { LoadNumberedLanguageTexts(); }

    void init()
    {
        ClearSettings();
        server = StartFixtureServer();
        ui = std::make_unique<RecordingUserInterface>();
        onlineHooks() = OnlineHooks();
    }

    void cleanup()
    {
        ui.reset();
        server.reset();
    }

    void pagesArriveWhateverTheTransport_data()
    {
        QTest::addColumn<QString>("path");
        QTest::newRow("plain") << "/title/tt0100001/";
        QTest::newRow("three redirects") << "/redirect/3/title/tt0100001/";
        QTest::newRow("ten redirects") << "/redirect/10/title/tt0100001/";
        QTest::newRow("gzip body") << "/gzip/title/tt0100001/";
    }

    void pagesArriveWhateverTheTransport()
    {
        QFETCH(QString, path);
        TIMDBRobot robot;
        const QString page = robot.DownloadMovieWebpage(url(path));
        QCOMPARE(page, QString::fromUtf8(fixtureFile(QStringLiteral("/title/tt0100001/index.html"), *server)));
        QVERIFY(ui->messages.isEmpty());
        QCOMPARE(FetchPage(url(path)), page);
    }

    void failuresAreReportedByTheRobotAndSilentElsewhere_data()
    {
        QTest::addColumn<QString>("path");
        QTest::addColumn<int>("timeout");
        QTest::addColumn<QStringList>("expectedInMessage");
        QTest::newRow("not found") << "/title/tt9999999/" << 0 << QStringList{"HTTP/1.1 404 Not Found"};
        QTest::newRow("server error") << "/status/503" << 0 << QStringList{"503"};
        QTest::newRow("eleven redirects") << "/redirect/11/title/tt0100001/" << 0 << QStringList{"redirect"};
        QTest::newRow("redirect loop") << "/redirect-loop" << 0 << QStringList{"redirect"};
        QTest::newRow("time-out") << "/delay/5000/title/tt0100001/" << 200 << QStringList{"T1419", "T1420"};
        QTest::newRow("truncated gzip") << "/gzip-truncated/title/tt0100001/" << 0 << QStringList{"damaged"};
        QTest::newRow("refused connection") << "refused" << 0 << QStringList{"T1419", "T1420"};
        QTest::newRow("empty 200 challenge") << "/challenge/empty" << 0 << QStringList{"T1856", "127.0.0.1"};
        QTest::newRow("403 challenge") << "/challenge/403" << 0 << QStringList{"T1856", "127.0.0.1", "403"};
        QTest::newRow("429 challenge") << "/challenge/429" << 0 << QStringList{"T1856", "127.0.0.1", "429"};
    }

    void failuresAreReportedByTheRobotAndSilentElsewhere()
    {
        QFETCH(QString, path);
        QFETCH(int, timeout);
        QFETCH(QStringList, expectedInMessage);
        if (timeout > 0)
            WriteSettingInteger(QStringLiteral("Timeout"), QStringLiteral("HTTP"), timeout);
        const QString address =
            path == QLatin1String("refused") ? QStringLiteral("http://127.0.0.1:%1/").arg(closedPort()) : url(path);

        TIMDBRobot robot;
        QCOMPARE(robot.DownloadMovieWebpage(address), QString());
        QCOMPARE(ui->messages.size(), 1);
        const QString message = ui->messages.first().text;
        QCOMPARE(ui->messages.first().kind, MessageKind::Error);
        for (const QString &expected : expectedInMessage)
            QVERIFY2(message.contains(expected, Qt::CaseInsensitive), qPrintable(message));
        const bool socket = expectedInMessage.contains(QStringLiteral("T1419"));
        QCOMPARE(message.contains(QLatin1String("T1419")), socket);

        ui->messages.clear();
        QCOMPARE(FetchPage(address), QString());
        QVERIFY(ui->messages.isEmpty());
    }

    void theRobotDownloadsItsListInOrder()
    {
        InstallFixtureDefinitions(*server);
        TIMDBRobot robot;
        for (const char *id : {"tt0100001", "tt0999999", "tt0300003"}) {
            auto movie = std::make_unique<TIMDBMovie>();
            movie->Id = QLatin1String(id);
            robot.MovieCollection().push_back(std::move(movie));
        }
        QList<QList<int>> progress;
        robot.OnIMDBDownloadProgress = [&progress](int maximum, int minimum, int current) {
            progress << QList<int>{maximum, minimum, current};
        };
        QVERIFY(!robot.DownloadMovieInformation());
        QCOMPARE(progress, (QList<QList<int>>{{2, 0, 0}, {2, 0, 1}}));
        QCOMPARE(robot.MovieCollection().at(0)->Title, QStringLiteral("The Glass Harbor"));
        QVERIFY(robot.MovieCollection().at(2)->Title.isEmpty());
        QCOMPARE(ui->messages.size(), 1);
        for (const FixtureServer::Request &request : server->requests())
            QVERIFY(!request.path.contains(QLatin1String("tt0300003")));
        robot.Clear();
        QVERIFY(robot.MovieCollection().empty());
    }

    void requestsCarryTheUserAgentAndNoCookies()
    {
        FixtureServer::Response withCookie;
        withCookie.body = "<html>cookie</html>";
        withCookie.headers.append(qMakePair(QByteArray("Set-Cookie"), QByteArray("session=abc; Path=/")));
        server->setRoute(QStringLiteral("/cookie"), withCookie);
        TIMDBRobot robot;
        QVERIFY(!robot.DownloadMovieWebpage(url(QStringLiteral("/cookie"))).isEmpty());
        QVERIFY(!robot.DownloadMovieWebpage(url(QStringLiteral("/cookie"))).isEmpty());
        QCOMPARE(server->requests().size(), 2);
        for (const FixtureServer::Request &request : server->requests()) {
            QCOMPARE(request.headers.value("user-agent"),
                     QByteArray("Mozilla/5.0 (compatible; MSIE 10.0; Windows NT 6.1; Trident/5.0)"));
            QVERIFY(!request.headers.contains("cookie"));
        }
    }

    void theProxySettingsAreApplied_data()
    {
        QTest::addColumn<bool>("withCredentials");
        QTest::newRow("with credentials") << true;
        QTest::newRow("credentials missing") << false;
    }

    void theProxySettingsAreApplied()
    {
        QFETCH(bool, withCredentials);
        server->requireProxyAuthorization(QStringLiteral("reel"), QStringLiteral("s3cret"));
        const QString section = QStringLiteral("Proxy");
        WriteSettingString(QStringLiteral("IP"), section, QStringLiteral("127.0.0.1"));
        WriteSettingInteger(QStringLiteral("Port"), section, server->serverPort());
        if (withCredentials) {
            WriteSettingString(QStringLiteral("UserName"), section, QStringLiteral("reel"));
            WriteSettingString(QStringLiteral("Password"), section, QStringLiteral("s3cret"));
        }
        // A name that never resolves: only the proxy can answer for it.
        const QString address = QStringLiteral("http://fixture.invalid/title/tt0100001/");
        TIMDBRobot robot;
        const QString page = robot.DownloadMovieWebpage(address);
        QCOMPARE(!page.isEmpty(), withCredentials);
        QCOMPARE(FetchPage(address).isEmpty(), !withCredentials);
        QVERIFY(!server->requests().isEmpty());
        QCOMPARE(server->requests().first().target, QByteArray("http://fixture.invalid/title/tt0100001/"));
        if (withCredentials)
            QCOMPARE(server->requests().last().headers.value("proxy-authorization"),
                     QByteArray("Basic ") + QByteArray("reel:s3cret").toBase64());
    }

    void noProxyWithoutAHost()
    {
        WriteSettingInteger(QStringLiteral("Port"), QStringLiteral("Proxy"), 3128);
        QCOMPARE(ConfiguredProxy().type(), QNetworkProxy::NoProxy);
        WriteSettingString(QStringLiteral("IP"), QStringLiteral("Proxy"), QStringLiteral("proxy.invalid"));
        const QNetworkProxy proxy = ConfiguredProxy();
        QCOMPARE(proxy.type(), QNetworkProxy::HttpProxy);
        QCOMPARE(proxy.hostName(), QStringLiteral("proxy.invalid"));
        QCOMPARE(proxy.port(), quint16(3128));
        QVERIFY(proxy.user().isEmpty());
    }

    void bodiesAreDecodedByTheirCharset_data()
    {
        QTest::addColumn<QByteArray>("contentType");
        QTest::addColumn<QByteArray>("body");
        QTest::addColumn<QString>("expected");
        QTest::newRow("declared UTF-8") << QByteArray("text/html; charset=UTF-8")
                                        << QByteArray("caf\xc3\xa9 \xe8\x8a\xb1") << "café 花";
        QTest::newRow("declared Latin-1")
            << QByteArray("text/html; charset=ISO-8859-1") << QByteArray("caf\xe9") << "café";
        QTest::newRow("meta charset") << QByteArray("text/html")
                                      << QByteArray("<meta charset=\"windows-1252\"><p>\x93quoted\x94</p>")
                                      << "<meta charset=\"windows-1252\"><p>\u201Cquoted\u201D</p>";
        QTest::newRow("undeclared UTF-8") << QByteArray("text/html") << QByteArray("Ελένη") << "Ελένη";
        QTest::newRow("undeclared single-byte")
            << QByteArray("text/html") << QByteArray("Zo\xeb \x96 x") << "Zoë \u2013 x";
    }

    void bodiesAreDecodedByTheirCharset()
    {
        QFETCH(QByteArray, contentType);
        QFETCH(QByteArray, body);
        QFETCH(QString, expected);
        FixtureServer::Response response;
        response.contentType = contentType;
        response.body = body;
        server->setRoute(QStringLiteral("/charset"), response);
        QCOMPARE(FetchPage(url(QStringLiteral("/charset"))), expected);
    }

    void withoutTlsSecureAddressesAreRefused()
    {
        HttpClient client;
        ConfigureHttpClient(client, true, false);
        const HttpResult result = client.get(QStringLiteral("https://127.0.0.1:%1/").arg(server->serverPort()));
        QVERIFY(!result.ok);
        QVERIFY(server->requests().isEmpty());
    }

    void imageDownloads_data()
    {
        QTest::addColumn<QByteArray>("body");
        QTest::addColumn<int>("status");
        QTest::addColumn<bool>("expected");
        QTest::addColumn<bool>("expectStatusText");
        QTest::newRow("JPEG of 1025 bytes") << jpegOfSize(1025) << 200 << true << false;
        QTest::newRow("JPEG of 1024 bytes") << jpegOfSize(1024) << 200 << false << false;
        QImage png(64, 64, QImage::Format_RGB32);
        png.fill(Qt::red);
        QByteArray pngBytes;
        QBuffer buffer(&pngBytes);
        buffer.open(QIODevice::WriteOnly);
        png.save(&buffer, "PNG", 0);
        pngBytes.append(QByteArray(2000, '\0'));
        QTest::newRow("PNG") << pngBytes << 200 << false << false;
        QTest::newRow("page instead of a picture") << QByteArray(3000, 'x').prepend("<html>") << 200 << false << false;
        QTest::newRow("not found") << QByteArray("<html>missing</html>") << 404 << false << true;
    }

    void imageDownloads()
    {
        QFETCH(QByteArray, body);
        QFETCH(int, status);
        QFETCH(bool, expected);
        QFETCH(bool, expectStatusText);
        FixtureServer::Response response;
        response.status = status;
        response.contentType = "image/jpeg";
        response.body = body;
        server->setRoute(QStringLiteral("/picture.jpg"), response);
        QStringList statusTexts;
        onlineHooks().mainStatusText = [&statusTexts](int panel, const QString &text) {
            statusTexts << QStringLiteral("%1:%2").arg(panel).arg(text);
        };
        QDir().mkpath(GetTempFolder());
        const QString file = GetTempFolder() + QStringLiteral("picture.jpg");
        QFile old(file);
        QVERIFY(old.open(QIODevice::WriteOnly));
        old.write("an older picture");
        old.close();

        QCOMPARE(DownloadImageFile(url(QStringLiteral("/picture.jpg")), file), expected);
        QCOMPARE(QFile::exists(file), expected);
        if (expected)
            QCOMPARE(QFileInfo(file).size(), qint64(body.size()));
        QCOMPARE(statusTexts, expectStatusText ? QStringList{QStringLiteral("1:T12")} : QStringList{});
        QVERIFY(ui->messages.isEmpty());
    }
};

RN_TEST_MAIN(TestFetching)
#include "tst_fetching.moc"
