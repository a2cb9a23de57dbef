#include "TestSupport.h"

#include "OnlineTestSupport.h"

#include <QProcess>
#include <QSignalSpy>

namespace {

struct Run
{
    int exitCode = -1;
    QString out;
    QString err;
};

} // namespace

// reelnest-cli title against the fixture server, which answers from this process: the test keeps
// its event loop running while the tool waits for pages.
class TestCliTitle : public QObject
{
    Q_OBJECT

    std::unique_ptr<FixtureServer> server;
    QString definitions;

    Run cli(const QStringList &arguments)
    {
        QProcess process;
        QSignalSpy finished(&process, &QProcess::finished);
        process.start(GetProgramFolder() + QStringLiteral("/reelnest-cli"), arguments);
        Run run;
        if (!finished.wait(120000)) {
            process.kill();
            process.waitForFinished();
            return run;
        }
        run.exitCode = process.exitCode();
        run.out = QString::fromUtf8(process.readAllStandardOutput());
        run.err = QString::fromUtf8(process.readAllStandardError());
        return run;
    }

private slots:
    void initTestCase()
    {
        server = StartFixtureServer();
        definitions = TestHome() + QStringLiteral("/fixture-mdd2e.txt");
        WriteEnciphered(definitions, FixtureDefinitions(*server));
    }

    void printsTheFieldsOfATitle()
    {
        const Run run =
            cli({QStringLiteral("title"), QStringLiteral("tt0300003"), QStringLiteral("--definitions"), definitions});
        QVERIFY2(run.exitCode == 0, qPrintable(run.err));
        const QStringList lines = run.out.split(QLatin1Char('\n'), Qt::SkipEmptyParts);
        for (const QString &expected :
             {QStringLiteral("Id: tt0300003"), QStringLiteral("Title: The Bell Tower"),
              QStringLiteral("OriginalTitle: Der Glockenturm"), QStringLiteral("Year: 1987"),
              QStringLiteral("Genre: Drama"), QStringLiteral("Genre: History"), QStringLiteral("Runtime: 101"),
              QStringLiteral("Country: West Germany / Austria"), QStringLiteral("Language: German"),
              QStringLiteral("Rating: 6.9"), QStringLiteral("TheatreDate: 1987-10-15"),
              QStringLiteral("Trailer: ") + server->baseUrl() + QStringLiteral("/video/vi2233445566"),
              QStringLiteral("Credit: Director | nm1000020 | Klaus Brenner")})
            QVERIFY2(lines.contains(expected), qPrintable(expected + QStringLiteral("\n---\n") + run.out));
        QVERIFY(lines
                    .filter(QRegularExpression(
                        QStringLiteral("^Cast: nm2000020 \\| Georg Keller \\| Anton Huber \\| http")))
                    .size() == 1);
        QVERIFY(lines.filter(QStringLiteral("CoverLocalFilename: /")).size() == 1);
    }

    void failuresGoToStandardError_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QString>("expected");
        QTest::newRow("unknown title") << QStringList{"title", "tt0999999", "--definitions", "@defs"} << "404";
        QTest::newRow("definitions missing")
            << QStringList{"title", "tt0100001", "--definitions", "/nonexistent/mdd2e.txt"} << "/nonexistent/mdd2e.txt";
        QTest::newRow("option without a file") << QStringList{"title", "tt0100001", "--definitions"} << "usage";
    }

    void failuresGoToStandardError()
    {
        QFETCH(QStringList, arguments);
        QFETCH(QString, expected);
        arguments.replaceInStrings(QStringLiteral("@defs"), definitions);
        const Run run = cli(arguments);
        QVERIFY(run.exitCode != 0);
        QVERIFY2(run.err.contains(expected), qPrintable(run.err));
        QVERIFY(run.out.isEmpty());
    }
};

RN_TEST_MAIN(TestCliTitle)
#include "tst_cli_title.moc"
