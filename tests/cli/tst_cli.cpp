#include "TestSupport.h"

#include "core/GlobalFunctions.h"

#include <QProcess>

namespace {

struct Run
{
    int exitCode;
    QString out;
    QString err;
};

Run cli(const QStringList &arguments)
{
    QProcess process;
    process.start(GetProgramFolder() + QStringLiteral("/reelnest-cli"), arguments);
    process.waitForFinished(120000);
    return {process.exitCode(), QString::fromUtf8(process.readAllStandardOutput()),
            QString::fromUtf8(process.readAllStandardError())};
}

} // namespace

class TestCli : public QObject
{
    Q_OBJECT

private slots:
    void createThenInfo()
    {
        const QString path = TestDatabasePath(QStringLiteral("cli"));
        const Run created = cli({QStringLiteral("create"), path});
        QVERIFY2(created.exitCode == 0, qPrintable(created.err));
        const Run info = cli({QStringLiteral("info"), path});
        QVERIFY2(info.exitCode == 0, qPrintable(info.err));
        const QStringList lines = info.out.split(QLatin1Char('\n'), Qt::SkipEmptyParts);
        QCOMPARE(lines.value(0), QStringLiteral("version 20208"));
        QCOMPARE(lines.value(1), QStringLiteral("thumbnailsize 12"));
        QVERIFY(lines.contains(QStringLiteral("COUNTRYLIST 260")));
        QVERIFY(lines.contains(QStringLiteral("USERVIEW 6")));
        QVERIFY(lines.contains(QStringLiteral("MOVIE 0")));
    }

    void relativePathIsLocal()
    {
        QProcess process;
        process.setWorkingDirectory(TestHome());
        process.start(GetProgramFolder() + QStringLiteral("/reelnest-cli"),
                      {QStringLiteral("create"), QStringLiteral("relative.fdb")});
        QVERIFY(process.waitForFinished(120000));
        QCOMPARE(process.exitCode(), 0);
        QVERIFY(QFile::exists(TestHome() + QStringLiteral("/relative.fdb")));
    }

    void errorsGoToStandardErrorWithTheEngineMessage_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QString>("expected");
        QTest::newRow("folder missing") << QStringList{"create", TestHome() + "/none/x.fdb"} << "I/O error";
        QTest::newRow("not a database") << QStringList{"info",
                                                       qEnvironmentVariable("REELNEST_SOURCE_DIR") + "/README.md"}
                                        << "Could not open";
        QTest::newRow("unreachable server") << QStringList{"info", "127.0.0.1/1:/x.fdb"} << "127.0.0.1";
        QTest::newRow("unknown command") << QStringList{"drop", "x"} << "usage";
    }

    void errorsGoToStandardErrorWithTheEngineMessage()
    {
        QFETCH(QStringList, arguments);
        QFETCH(QString, expected);
        const Run run = cli(arguments);
        QVERIFY(run.exitCode != 0);
        QVERIFY2(run.err.contains(expected), qPrintable(run.err));
        QVERIFY(run.out.isEmpty());
    }

    void collectionOnTheTestServer()
    {
        const QString server = qEnvironmentVariable("REELNEST_FB_SERVER");
        if (server.isEmpty())
            QSKIP("REELNEST_FB_SERVER is not set (scripts/test starts a server)");
        const QString address = server + QLatin1Char(':') + TestDatabasePath(QStringLiteral("served"));
        const Run created = cli({QStringLiteral("create"), address});
        QVERIFY2(created.exitCode == 0, qPrintable(created.err));
        const Run info = cli({QStringLiteral("info"), address});
        QVERIFY2(info.exitCode == 0, qPrintable(info.err));
        QVERIFY(info.out.startsWith(QStringLiteral("version 20208\n")));
        QVERIFY(info.out.contains(QStringLiteral("LANGUAGELIST 47")));
    }
};

RN_TEST_MAIN(TestCli)
#include "tst_cli.moc"
