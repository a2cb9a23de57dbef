#include "TestSupport.h"

#include "OnlineTestSupport.h"
#include "online/DefinitionsCipher.h"
#include "online/IMDBConstantsUnit.h"

#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>

#include <gcrypt.h>

#include <cstring>

namespace {

// The cipher written out again from its description, with libgcrypt used for the Blowfish block
// and SHA-512 only, so that the program and this test cannot share one mistake in the mode.
class IndependentCipher
{
public:
    IndependentCipher()
    {
        if (!gcry_control(GCRYCTL_INITIALIZATION_FINISHED_P)) {
            gcry_check_version(nullptr);
            gcry_control(GCRYCTL_DISABLE_SECMEM, 0);
            gcry_control(GCRYCTL_INITIALIZATION_FINISHED, 0);
        }
        const char keyText[] = "[{475C092F-3F6B-4110-90CF-863E0F035B34}]";
        unsigned char digest[64];
        gcry_md_hash_buffer(GCRY_MD_SHA512, digest, keyText, std::strlen(keyText));
        gcry_cipher_open(&m_block, GCRY_CIPHER_BLOWFISH, GCRY_CIPHER_MODE_ECB, 0);
        gcry_cipher_setkey(m_block, digest, 56);
    }
    ~IndependentCipher() { gcry_cipher_close(m_block); }

    QString encipher(const QString &plain) { return QString::fromLatin1(run(plain.toUtf8(), true).toBase64()); }
    QString decipher(const QString &line)
    {
        return QString::fromUtf8(run(QByteArray::fromBase64(line.toLatin1()), false));
    }

private:
    QByteArray run(const QByteArray &in, bool encrypt)
    {
        unsigned char chain[8] = {};
        gcry_cipher_encrypt(m_block, chain, 8, nullptr, 0);
        QByteArray out;
        for (const char c : in) {
            unsigned char stream[8];
            gcry_cipher_encrypt(m_block, stream, 8, chain, 8);
            const auto result = static_cast<unsigned char>(static_cast<unsigned char>(c) ^ stream[0]);
            out += static_cast<char>(result);
            std::memmove(chain, chain + 1, 7);
            chain[7] = encrypt ? result : static_cast<unsigned char>(c);
        }
        return out;
    }

    gcry_cipher_hd_t m_block = nullptr;
};

QString programFolderBackup;

} // namespace

class TestDefinitions : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        programFolderBackup = qEnvironmentVariable("REELNEST_PROGRAM_FOLDER");
        LoadNumberedLanguageTexts();
    }

    void init()
    {
        ClearSettings();
        qputenv("REELNEST_PROGRAM_FOLDER", programFolderBackup.toLocal8Bit());
        QFile::remove(DefinitionsWorkingCopyPath());
        QFile::remove(GetTempFolder() + QStringLiteral("mdd2e.temp"));
        ClearDefinitions();
        OnUpdateNotice = nullptr;
    }

    void blowfishBlockIsTheStandardOne()
    {
        // Schneier's test vector: the test's own block cipher is the real Blowfish.
        IndependentCipher();
        gcry_cipher_hd_t h;
        QCOMPARE(gcry_cipher_open(&h, GCRY_CIPHER_BLOWFISH, GCRY_CIPHER_MODE_ECB, 0), 0u);
        const unsigned char key[8] = {};
        unsigned char block[8] = {};
        QCOMPARE(gcry_cipher_setkey(h, key, 8), 0u);
        QCOMPARE(gcry_cipher_encrypt(h, block, 8, nullptr, 0), 0u);
        gcry_cipher_close(h);
        QCOMPARE(QByteArray(reinterpret_cast<const char *>(block), 8).toHex(), QByteArray("4ef997456198dd78"));
    }

    void linesDecipherBothWays_data()
    {
        QTest::addColumn<QString>("plain");
        QTest::newRow("key and value") << "IMDB_TITLE_URL=https://example.invalid/title/%s/";
        QTest::newRow("equals in value") << "IMDB_COVER_SRC_START_TAG=src=\"";
        QTest::newRow("non-Latin") << "IMDB_YEAR_TV_BOTTOM_TAG=– 花と風 Ελένη";
        QTest::newRow("one byte") << "X";
        QTest::newRow("long") << QString(500, QLatin1Char('m'));
    }

    void linesDecipherBothWays()
    {
        QFETCH(QString, plain);
        IndependentCipher independent;
        QCOMPARE(DecryptStr(independent.encipher(plain)), plain);
        QCOMPARE(independent.decipher(EncryptStr(plain)), plain);
    }

    void aLineWrittenEarlierStaysReadable()
    {
        // Shipped files depend on the key text: a file written today must read the same later.
        QCOMPARE(DecryptStr(QStringLiteral("rC0uEwLI+bRxhy0MOqJC978qRZspcGyiKp0=")),
                 QStringLiteral("IMDB_DEFINITIONS_VERSION=1"));
    }

    void badLinesMatchNoKey_data()
    {
        QTest::addColumn<QString>("line");
        QTest::newRow("not Base64") << "this is not base64!";
        QTest::newRow("empty") << "";
        QTest::newRow("random bytes") << QString::fromLatin1(QByteArray("\x13\x99\xfe\x01garbage-bytes").toBase64());
        QTest::newRow("plain key line") << "IMDB_TITLE_URL=https://example.invalid/";
    }

    void badLinesMatchNoKey()
    {
        QFETCH(QString, line);
        const QString plain = DecryptStr(line);
        QVERIFY(!plain.startsWith(QLatin1String("IMDB_TITLE_URL=")));
        QCOMPARE(GetDefinitionValue(QStringLiteral("IMDB_TITLE_URL="), {plain}), QString());
    }

    void theToolEnciphersAndDeciphers()
    {
        QTemporaryDir dir;
        const QString plainPath = dir.filePath(QStringLiteral("plain.txt"));
        QFile plain(plainPath);
        QVERIFY(plain.open(QIODevice::WriteOnly));
        plain.write("# a note\nIMDB_DEFINITIONS_VERSION=7\r\n\nIMDB_TITLE_URL=http://127.0.0.1/title/%s/\n"
                    "IMDB_YEAR_TV_BOTTOM_TAG=\xe2\x80\x93\n");
        plain.close();
        const QString tool = GetProgramFolder() + QStringLiteral("/mdd-tool");
        const QString enciphered = dir.filePath(QStringLiteral("mdd2e.txt"));
        QCOMPARE(QProcess::execute(tool, {QStringLiteral("encipher"), plainPath, enciphered}), 0);

        QFile file(enciphered);
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QStringList lines = QString::fromLatin1(file.readAll()).split(QStringLiteral("\r\n"), Qt::SkipEmptyParts);
        IndependentCipher independent;
        QStringList deciphered;
        for (const QString &line : lines)
            deciphered << independent.decipher(line);
        const QStringList expected{QStringLiteral("IMDB_DEFINITIONS_VERSION=7"),
                                   QStringLiteral("IMDB_TITLE_URL=http://127.0.0.1/title/%s/"),
                                   QStringLiteral("IMDB_YEAR_TV_BOTTOM_TAG=–")};
        QCOMPARE(deciphered, expected);

        const QString back = dir.filePath(QStringLiteral("back.txt"));
        QCOMPARE(QProcess::execute(tool, {QStringLiteral("decipher"), enciphered, back}), 0);
        QFile backFile(back);
        QVERIFY(backFile.open(QIODevice::ReadOnly));
        QCOMPARE(QString::fromUtf8(backFile.readAll()).split(QLatin1Char('\n'), Qt::SkipEmptyParts), expected);
    }

    void lookup_data()
    {
        QTest::addColumn<QStringList>("lines");
        QTest::addColumn<QString>("expected");
        QTest::newRow("first of two") << QStringList{"KEY_A=first", "KEY_A=second"} << "first";
        QTest::newRow("blanks and control characters trimmed")
            << QStringList{QStringLiteral("KEY_A= \tabc \x01\x1f")} << "abc";
        QTest::newRow("equals in the value") << QStringList{"KEY_A=href=\"x=y\""} << "href=\"x=y\"";
        QTest::newRow("other case does not match") << QStringList{"key_a=lower", "KEY_A=upper"} << "upper";
        QTest::newRow("only at the line's start") << QStringList{" KEY_A=indented", "X_KEY_A=inner"} << "";
        QTest::newRow("a longer key is another key") << QStringList{"KEY_AB=other"} << "";
        QTest::newRow("empty value") << QStringList{"KEY_A=", "KEY_A=later"} << "";
        QTest::newRow("absent") << QStringList{} << "";
    }

    void lookup()
    {
        QFETCH(QStringList, lines);
        QFETCH(QString, expected);
        QCOMPARE(GetDefinitionValue(QStringLiteral("KEY_A="), lines), expected);
    }

    void loadingFillsEveryKeyAndSkipsGarbage()
    {
        QDir().mkpath(GetTempFolder());
        QFile file(DefinitionsWorkingCopyPath());
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("not base64 at all\r\n");
        file.write(EncryptStr(QStringLiteral("IMDB_TITLE_URL= http://127.0.0.1/title/%s/ ")).toLatin1() + "\r\n");
        file.write(QByteArray("\x01\x02garbage").toBase64() + "\n\r\n");
        file.write(EncryptStr(QStringLiteral("IMDB_DEFINITIONS_VERSION=12")).toLatin1() + "\n");
        file.write(EncryptStr(QStringLiteral("UNKNOWN_KEY=ignored")).toLatin1());
        file.close();

        QVERIFY(LoadDefinitions());
        QCOMPARE(Definition(DefKey::IMDB_TITLE_URL), QStringLiteral("http://127.0.0.1/title/%s/"));
        QCOMPARE(DefinitionsVersion(), 12);
        QCOMPARE(DefinitionsVersionLabel(), QStringLiteral("MDD File version 2.12"));
        QCOMPARE(Definition(DefKey::AMAZON_URL1), QString());
        QCOMPARE(DefinitionKeyText(DefKey::AMAZON_PLOT_BREAKIF_TAG), QStringLiteral("AMAZON_PLOT_BREAKIF_TAG="));
    }

    void theWorkingCopyIsSeededFromTheInstalledCopy()
    {
        QTemporaryDir program;
        qputenv("REELNEST_PROGRAM_FOLDER", program.path().toLocal8Bit());
        WriteEnciphered(program.filePath(QStringLiteral("mdd2e.txt")), {QStringLiteral("IMDB_DEFINITIONS_VERSION=3")});
        QVERIFY(LoadDefinitions());
        QCOMPARE(DefinitionsVersion(), 3);
        QVERIFY(QFile::exists(DefinitionsWorkingCopyPath()));

        // From now on the working copy is read, whatever the installed copy says.
        WriteEnciphered(program.filePath(QStringLiteral("mdd2e.txt")), {QStringLiteral("IMDB_DEFINITIONS_VERSION=4")});
        QVERIFY(LoadDefinitions());
        QCOMPARE(DefinitionsVersion(), 3);
    }

    void noCopyAnywhereIsAClearError()
    {
        QTemporaryDir program;
        qputenv("REELNEST_PROGRAM_FOLDER", program.path().toLocal8Bit());
        ApplyDefinitionLines({QStringLiteral("IMDB_DEFINITIONS_VERSION=9")});
        QString error;
        QVERIFY(!LoadDefinitions(&error));
        QVERIFY2(error.contains(DefinitionsWorkingCopyPath()), qPrintable(error));
        QVERIFY2(error.contains(program.filePath(QStringLiteral("mdd2e.txt"))), qPrintable(error));
        QCOMPARE(DefinitionsVersion(), 0);
    }

    void theShippedFileIsReadable()
    {
        QVERIFY(LoadDefinitionsFile(GetProgramFolder() + QStringLiteral("/mdd2e.txt")));
        QVERIFY(DefinitionsVersion() >= 1);
        QVERIFY(Definition(DefKey::IMDB_TITLE_URL).contains(QLatin1String("%s")));
        int filled = 0;
        for (const QString &line : DefinitionTableLines())
            filled += line.section(QLatin1Char('='), 1).isEmpty() ? 0 : 1;
        QVERIFY(filled > 60);
    }

    // --- The update check ---

    void updateCheck_data()
    {
        QTest::addColumn<int>("lastCheckDaysAgo"); // -1: never checked
        QTest::addColumn<bool>("force");
        QTest::addColumn<int>("latestOnServer");
        QTest::addColumn<int>("downloadLines");
        QTest::addColumn<bool>("expectVersionDocument");
        QTest::addColumn<bool>("expectDownload");
        QTest::addColumn<int>("expectVersion");
        QTest::addColumn<bool>("expectTempLeft");
        QTest::addColumn<bool>("pageInstead");

        QTest::newRow("never checked") << -1 << false << 5 << 61 << true << true << 5 << false << false;
        QTest::newRow("checked yesterday") << 1 << false << 5 << 61 << true << true << 5 << false << false;
        QTest::newRow("checked today") << 0 << false << 5 << 61 << false << false << 2 << false << false;
        QTest::newRow("checked today, forced") << 0 << true << 5 << 61 << true << true << 5 << false << false;
        QTest::newRow("equal version") << -1 << false << 2 << 61 << true << false << 2 << false << false;
        QTest::newRow("older on server") << -1 << false << 1 << 61 << true << false << 2 << false << false;
        QTest::newRow("60 lines refused") << -1 << false << 5 << 60 << true << true << 2 << true << false;
        QTest::newRow("page served instead") << -1 << false << 5 << 61 << true << true << 2 << true << true;
    }

    void updateCheck()
    {
        QFETCH(int, lastCheckDaysAgo);
        QFETCH(bool, force);
        QFETCH(int, latestOnServer);
        QFETCH(int, downloadLines);
        QFETCH(bool, expectVersionDocument);
        QFETCH(bool, expectDownload);
        QFETCH(int, expectVersion);
        QFETCH(bool, expectTempLeft);
        QFETCH(bool, pageInstead);

        auto server = StartFixtureServer();
        WriteSettingString(QStringLiteral("UpdateServer"), QString(), server->baseUrl() + QLatin1Char('/'));
        if (lastCheckDaysAgo >= 0)
            WriteSettingDate(QStringLiteral("LastUpdateCheck"), QString(),
                             QDateTime(QDate::currentDate().addDays(-lastCheckDaysAgo), QTime(9, 30)));
        QDir().mkpath(GetTempFolder());
        WriteEnciphered(DefinitionsWorkingCopyPath(), {QStringLiteral("IMDB_DEFINITIONS_VERSION=2")});
        QVERIFY(LoadDefinitions());

        FixtureServer::Response version;
        version.contentType = "application/xml";
        version.body = QStringLiteral("<?xml version=\"1.0\"?><reelnest><version><LatestBuild>1</LatestBuild>"
                                      "<LatestMDD2File>%1</LatestMDD2File></version></reelnest>")
                           .arg(latestOnServer)
                           .toUtf8();
        server->setRoute(QStringLiteral("/reelnest/rnzversion.xml"), version);
        FixtureServer::Response download;
        download.contentType = "text/plain";
        download.body = EncryptStr(QStringLiteral("IMDB_DEFINITIONS_VERSION=%1").arg(latestOnServer)).toLatin1();
        for (int i = 1; i < downloadLines; ++i)
            download.body += "\r\n" + EncryptStr(QStringLiteral("FILLER_%1=x").arg(i)).toLatin1();
        if (pageInstead)
            download.body = QByteArray("<html>\r\n").repeated(downloadLines);
        server->setRoute(QStringLiteral("/reelnest/mdd2e.txt"), download);

        CheckForUpdates(force);

        QStringList targets;
        for (const FixtureServer::Request &request : server->requests())
            targets << QString::fromLatin1(request.target);
        QCOMPARE(targets.contains(QStringLiteral("/reelnest/rnzversion.xml")), expectVersionDocument);
        const QStringList downloads = targets.filter(QStringLiteral("/reelnest/mdd2e.txt"));
        QCOMPARE(!downloads.isEmpty(), expectDownload);
        for (const QString &target : downloads) {
            const QRegularExpressionMatch match =
                QRegularExpression(QStringLiteral("^/reelnest/mdd2e\\.txt\\?(\\d+)$")).match(target);
            QVERIFY2(match.hasMatch(), qPrintable(target));
            QVERIFY(match.captured(1).toInt() < 32000);
        }
        QCOMPARE(DefinitionsVersion(), expectVersion);
        QCOMPARE(QFile::exists(GetTempFolder() + QStringLiteral("mdd2e.temp")), expectTempLeft);
        QCOMPARE(ReadSettingDate(QStringLiteral("LastUpdateCheck"), QString()).date(), QDate::currentDate());
    }

    void aDownloadReplacesTheWorkingCopy()
    {
        auto server = StartFixtureServer();
        WriteSettingString(QStringLiteral("UpdateServer"), QString(), server->baseUrl());
        QDir().mkpath(GetTempFolder());
        WriteEnciphered(DefinitionsWorkingCopyPath(), {QStringLiteral("IMDB_DEFINITIONS_VERSION=2")});
        QVERIFY(LoadDefinitions());
        FixtureServer::Response version;
        version.body = "<reelnest><version><LatestMDD2File>3</LatestMDD2File></version></reelnest>";
        server->setRoute(QStringLiteral("/reelnest/rnzversion.xml"), version);
        QStringList lines{QStringLiteral("IMDB_DEFINITIONS_VERSION=3"), QStringLiteral("IMDB_TITLE_URL=new/%s")};
        for (int i = 0; i < 59; ++i)
            lines << QStringLiteral("FILLER=%1").arg(i);
        FixtureServer::Response download;
        for (const QString &line : lines)
            download.body += EncryptStr(line).toLatin1() + "\r\n";
        server->setRoute(QStringLiteral("/reelnest/mdd2e.txt"), download);

        CheckForUpdates(false);

        QCOMPARE(Definition(DefKey::IMDB_TITLE_URL), QStringLiteral("new/%s"));
        ClearDefinitions();
        QVERIFY(LoadDefinitions());
        QCOMPARE(DefinitionsVersion(), 3);
    }

    void theProgramUpdateNotice_data()
    {
        QTest::addColumn<QString>("latestBuild");
        QTest::addColumn<bool>("force");
        QTest::addColumn<bool>("expectNotice");
        QTest::newRow("newer build") << "5" << false << true;
        QTest::newRow("newer build, forced") << "5" << true << false;
        QTest::newRow("same build") << QString::number(ProgramBuildNumber()) << false << false;
        QTest::newRow("not a number") << "five" << false << false;
    }

    void theProgramUpdateNotice()
    {
        QFETCH(QString, latestBuild);
        QFETCH(bool, force);
        QFETCH(bool, expectNotice);
        auto server = StartFixtureServer();
        WriteSettingString(QStringLiteral("UpdateServer"), QString(), server->baseUrl());
        QDir().mkpath(GetTempFolder());
        WriteEnciphered(DefinitionsWorkingCopyPath(), {QStringLiteral("IMDB_DEFINITIONS_VERSION=2"),
                                                       QStringLiteral("APP_LATEST_BUILD=") + latestBuild,
                                                       QStringLiteral("APP_PRO_DOWNLOAD=http://127.0.0.1/setup")});
        QVERIFY(LoadDefinitions());
        FixtureServer::Response version;
        version.body = "<reelnest><version><LatestMDD2File>2</LatestMDD2File></version></reelnest>";
        server->setRoute(QStringLiteral("/reelnest/rnzversion.xml"), version);
        QList<UpdateNotice> shown;
        OnUpdateNotice = [&shown](const UpdateNotice &notice) { shown << notice; };

        CheckForUpdates(force);

        QCOMPARE(shown.size(), expectNotice ? 1 : 0);
        if (expectNotice) {
            QCOMPARE(shown.first().text, QStringLiteral("T1301"));
            QCOMPARE(shown.first().url, QStringLiteral("http://127.0.0.1/setup"));
            QVERIFY(CurrentUpdateNotice().shown);
        }
    }

    void nothingFetchedStillRecordsTheDate_data()
    {
        QTest::addColumn<QString>("route");
        QTest::addColumn<QByteArray>("body");
        QTest::newRow("no server set") << QString() << QByteArray();
        QTest::newRow("unreachable server") << QStringLiteral("unreachable") << QByteArray();
        QTest::newRow("malformed document")
            << QStringLiteral("/reelnest/rnzversion.xml") << QByteArray("<reelnest><ver");
        QTest::newRow("document missing") << QStringLiteral("none") << QByteArray();
    }

    void nothingFetchedStillRecordsTheDate()
    {
        QFETCH(QString, route);
        QFETCH(QByteArray, body);
        auto server = StartFixtureServer();
        if (route == QLatin1String("unreachable")) {
            // A port that was free a moment ago: nothing listens there.
            QTcpServer probe;
            QVERIFY(probe.listen(QHostAddress::LocalHost));
            const quint16 port = probe.serverPort();
            probe.close();
            WriteSettingString(QStringLiteral("UpdateServer"), QString(),
                               QStringLiteral("http://127.0.0.1:%1").arg(port));
        } else if (!route.isEmpty()) {
            WriteSettingString(QStringLiteral("UpdateServer"), QString(), server->baseUrl());
            FixtureServer::Response response;
            response.body = body;
            if (route.startsWith(QLatin1Char('/')))
                server->setRoute(route, response);
        }
        ApplyDefinitionLines({QStringLiteral("IMDB_DEFINITIONS_VERSION=2")});

        CheckForUpdates(false);

        QCOMPARE(ReadSettingDate(QStringLiteral("LastUpdateCheck"), QString()).date(), QDate::currentDate());
        QCOMPARE(DefinitionsVersion(), 2);
        for (const FixtureServer::Request &request : server->requests())
            QVERIFY(!request.target.startsWith("/reelnest/mdd2e.txt"));
    }
};

RN_TEST_MAIN(TestDefinitions)
#include "tst_definitions.moc"
