#include "TestSupport.h"

#include "core/GlobalFunctions.h"
#include "core/Translations.h"
#include "database/DM1_u.h"
#include "database/DatabaseList.h"
#include "database/FbQuery.h"

#include <QDir>
#include <QProcess>
#include <QRandomGenerator>

namespace {

QString fixture(const QString &name)
{
    return qEnvironmentVariable("REELNEST_SOURCE_DIR") + QStringLiteral("/tests/database/data/") + name;
}

// Runs isql-fb on a closed database file: an independent look at what the program wrote.
QString isql(const QString &database, const QString &inputFile)
{
    QProcess process;
    process.start(QStringLiteral("isql-fb"),
                  {QStringLiteral("-q"), QStringLiteral("-user"), QStringLiteral("SYSDBA"), QStringLiteral("-password"),
                   QStringLiteral("tavernoak"), QStringLiteral("-i"), inputFile, database});
    process.waitForFinished(120000);
    return QString::fromUtf8(process.readAllStandardOutput() + process.readAllStandardError());
}

QString writeTemp(const QString &name, const QString &content)
{
    const QString path = TestHome() + QLatin1Char('/') + name;
    QFile file(path);
    file.open(QIODevice::WriteOnly | QIODevice::Truncate);
    file.write(content.toUtf8());
    return path;
}

QString warningsText(const RecordingUserInterface &ui)
{
    QStringList texts;
    for (const RecordedMessage &m : ui.messages) {
        if (m.kind == MessageKind::Warning)
            texts << m.text;
    }
    return texts.join(QStringLiteral("\n----\n"));
}

int warningCount(const RecordingUserInterface &ui)
{
    return std::count_if(ui.messages.cbegin(), ui.messages.cend(),
                         [](const RecordedMessage &m) { return m.kind == MessageKind::Warning; });
}

} // namespace

class TestDM1 : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        QVERIFY(LoadLanguageTexts() == TranslationLoad::Loaded);
        ForceDataFolders();
    }

    void init() { QFile::remove(DatabaseList::defaultFilePath()); }

    void createdCollectionMatchesTheSchema()
    {
        RecordingUserInterface ui;
        TDM1 dm;
        const QString path = TestDatabasePath(QStringLiteral("schema"));
        QVERIFY(dm.CreateRNZDB(path, false, true, false));
        QVERIFY2(ui.messages.isEmpty(), qPrintable(ui.messages.value(0).text));
        QVERIFY(dm.MainConnection.isConnected() && dm.MainConnection.inTransaction());
        QCOMPARE(DatabaseList().entries(), QStringList{path});
        dm.MainConnection.disconnect();

        const QString actual = isql(path, fixture(QStringLiteral("schema-check.sql")));
        QFile expectedFile(fixture(QStringLiteral("schema-check.expected")));
        QVERIFY(expectedFile.open(QIODevice::ReadOnly));
        const QStringList expected = QString::fromUtf8(expectedFile.readAll()).split(QLatin1Char('\n'));
        const QStringList lines = actual.split(QLatin1Char('\n'));
        for (qsizetype i = 0; i < std::max(expected.size(), lines.size()); ++i)
            QCOMPARE(lines.value(i).trimmed(), expected.value(i).trimmed());
    }

    void createdCollectionHasItsDefaults()
    {
        RecordingUserInterface ui;
        TDM1 dm;
        QVERIFY(dm.CreateRNZDB(TestDatabasePath(QStringLiteral("defaults")), false, true, false));
        FbConnection &c = dm.MainConnection;
        QCOMPARE(FbQuery::scalar(c, QStringLiteral("select VERSION from DB_INFO")).toInt(), 20208);
        QCOMPARE(FbQuery::scalar(c, QStringLiteral("select THUMBNAILSIZE from DB_INFO")).toInt(), 12);
        QCOMPARE(FbQuery::scalar(c, QStringLiteral("select MON$PAGE_SIZE from MON$DATABASE")).toInt(), 4096);
        QCOMPARE(FbQuery::scalar(c, QStringLiteral("select trim(RDB$CHARACTER_SET_NAME) from RDB$DATABASE")).toString(),
                 QStringLiteral("UTF8"));
        QCOMPARE(FbQuery::scalar(c, QStringLiteral("select NAME from COUNTRYLIST where COUNTRY_ID = 1")).toString(),
                 QStringLiteral("USA"));
        QCOMPARE(FbQuery::scalar(c, QStringLiteral("select NAME from COUNTRYLIST where COUNTRY_ID = 260")).toString(),
                 QStringLiteral("Zimbabwe"));
        QCOMPARE(FbQuery::scalar(c, QStringLiteral("select NAME from LANGUAGELIST where LANGUAGE_ID = 47")).toString(),
                 QStringLiteral("Vietnamese"));
        // Every default media type whose name fits an icon got one.
        FbQuery types(c);
        types.setSql(QStringLiteral("select NAME, ICON_BLOB from MEDIATYPE"));
        types.open();
        int withIcon = 0;
        while (types.next()) {
            const bool fits = !MediaTypeIconFile(types.value(QStringLiteral("NAME")).toString()).isEmpty();
            QCOMPARE(!types.isNull(QStringLiteral("ICON_BLOB")), fits);
            withIcon += fits;
        }
        QVERIFY(withIcon > 0);
        // The six standard views, each with its stored layout.
        QCOMPARE(CountRows(QStringLiteral("select * from USERVIEW order by LISTINDEX")), 6);
        QCOMPARE(FbQuery::scalar(c, QStringLiteral("select NAME from USERVIEW where USERVIEW_ID = 1")).toString(),
                 GetText(1587));
        QCOMPARE(
            FbQuery::scalar(c, QStringLiteral("select INIFILE_BLOB from USERVIEW where USERVIEW_ID = 6")).toString(),
            TDM1::upgradePeopleListIni);
        QCOMPARE(FbQuery::scalar(c, QStringLiteral("select DBFIELD3 || DBOPERATOR3 || DBVALUE3 from USERVIEW "
                                                   "where USERVIEW_ID = 5"))
                     .toString(),
                 QStringLiteral("FILE_BITRATElike"));
        // Adding them again inserts nothing more.
        dm.AddStandardUserViews();
        QCOMPARE(CountRows(QStringLiteral("select * from USERVIEW")), 6);
    }

    void mediaTypeIcons_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("icon");
        QTest::newRow("ultra hd blu-ray") << "Ultra HD Blu-ray"
                                          << "icon_bluray.jpg";
        QTest::newRow("hd dvd before dvd") << "HD DVD"
                                           << "icon_hddvd.jpg";
        QTest::newRow("hard drive") << "HardDrive"
                                    << "icon_divx.jpg";
        QTest::newRow("any ld") << "Gold Edition"
                                << "icon_ld.jpg";
        QTest::newRow("dvd") << "DVD"
                             << "icon_dvd.jpg";
        QTest::newRow("video cd") << "Video CD"
                                  << "icon_vcd.jpg";
        QTest::newRow("vhs") << "VHS"
                             << "icon_vhs.jpg";
        QTest::newRow("none") << "Stream"
                              << "";
    }

    void mediaTypeIcons()
    {
        QFETCH(QString, name);
        QFETCH(QString, icon);
        QCOMPARE(MediaTypeIconFile(name), icon);
        if (!icon.isEmpty())
            QVERIFY(QFile::exists(GetProgramFolder() + QLatin1Char('/') + icon));
    }

    void countRowsRunsTheRewrite()
    {
        RecordingUserInterface ui;
        TDM1 dm;
        QVERIFY(dm.CreateRNZDB(TestDatabasePath(QStringLiteral("count")), false, true, false));
        QCOMPARE(CountRows(QStringLiteral("select MOVIE_ID from MOVIE order by TITLESORT")), 0);
        QCOMPARE(CountRows(QStringLiteral("select * from COUNTRYLIST where NAME starting with 'S' order by NAME")),
                 CountRows(QStringLiteral("select COUNTRY_ID from COUNTRYLIST where lower(NAME) like 's%'")));
        QCOMPARE(CountRows(QStringLiteral("select * from COUNTRYLIST order by NAME")), 260);
        FbQuery::execute(dm.MainConnection, QStringLiteral("insert into GENRE (MOVIE_ID, GENRE_ID) values (1, 1)"));
        FbQuery::execute(dm.MainConnection, QStringLiteral("insert into GENRE (MOVIE_ID, GENRE_ID) values (2, 1)"));
        FbQuery::execute(dm.MainConnection, QStringLiteral("insert into GENRE (MOVIE_ID, GENRE_ID) values (2, 3)"));
        QCOMPARE(CountRows(QStringLiteral("select GENRE_ID, count(GENRE_ID) from GENRE group by GENRE_ID")), 2);
        QCOMPARE(dm.ReturnCountFunction(QStringLiteral("select * from GENRE where GENRE_ID = :G"),
                                        {{QStringLiteral("G"), 1}}),
                 2);
        QCOMPARE(CountRows(QStringLiteral("select * from NO_SUCH_TABLE")), 0);
        QCOMPARE(CountRows(QStringLiteral("select * from DB_INFO")), 1);
    }

    void creationFailureRemovesOnlyItsOwnFile()
    {
        RecordingUserInterface ui;
        TDM1 dm;
        QVERIFY(!dm.CreateRNZDB(TestHome() + QStringLiteral("/no/such/folder/x.fdb"), false, true, false));
        QCOMPARE(ui.messages.size(), 1);
        QVERIFY(ui.messages.at(0).kind == MessageKind::Error);
        QVERIFY(ui.messages.at(0).text.contains(QStringLiteral("Could not create a database")));
        QVERIFY(!QFile::exists(TestHome() + QStringLiteral("/no/such/folder/x.fdb")));

        // A file that is already there is never deleted by a failed creation.
        const QString existing = writeTemp(QStringLiteral("precious.fdb"), QStringLiteral("my collection"));
        QVERIFY(!dm.CreateRNZDB(existing, false, true, false));
        QVERIFY(QFile::exists(existing));
        QVERIFY(!DatabaseList().entries().contains(existing));
    }

    void creatingTheSamePathTwiceListsItOnce()
    {
        RecordingUserInterface ui;
        TDM1 dm;
        const QString path = TestDatabasePath(QStringLiteral("twice"));
        QVERIFY(dm.CreateRNZDB(path, false, true, false));
        dm.MainConnection.disconnect();
        QVERIFY(QFile::remove(path));
        QVERIFY(dm.CreateRNZDB(path, false, true, false));
        const QString other = TestDatabasePath(QStringLiteral("another"));
        QVERIFY(dm.CreateRNZDB(other, false, true, false));
        QStringList expected{path, other};
        std::sort(expected.begin(), expected.end(),
                  [](const QString &a, const QString &b) { return a.compare(b, Qt::CaseInsensitive) < 0; });
        QCOMPARE(DatabaseList().entries(), expected);
    }

    void gdbIsRenamedOnDiskAndInTheList()
    {
        RecordingUserInterface ui;
        TDM1 dm;
        const QString fdb = TestDatabasePath(QStringLiteral("old"));
        QVERIFY(dm.CreateRNZDB(fdb, false, true, false));
        dm.MainConnection.disconnect();
        QString gdb = fdb;
        gdb.replace(QStringLiteral(".fdb"), QStringLiteral(".gdb"));
        QVERIFY(QFile::rename(fdb, gdb));
        const QString other = TestDatabasePath(QStringLiteral("other"));
        DatabaseList().save({gdb, other});

        dm.OpenDatabase(gdb);
        QVERIFY2(warningCount(ui) == 0, qPrintable(warningsText(ui)));
        QVERIFY(QFile::exists(fdb));
        QVERIFY(!QFile::exists(gdb));
        QCOMPARE(DatabaseList().entries(), (QStringList{other, fdb}));
        QCOMPARE(dm.MainConnection.databaseName(), fdb);
        // Left closed for the caller, who connects and starts the transaction.
        QVERIFY(!dm.MainConnection.isConnected());
        QVERIFY(dm.ConnectMainDatabase());
    }

    void openFallsBackThroughTheList()
    {
        RecordingUserInterface ui;
        TDM1 dm;
        const QString good = TestDatabasePath(QStringLiteral("good"));
        QVERIFY(dm.CreateRNZDB(good, false, true, false));
        dm.MainConnection.disconnect();
        QByteArray noise(64 * 1024, Qt::Uninitialized);
        for (char &c : noise)
            c = static_cast<char>(QRandomGenerator::global()->bounded(256));
        const QString garbage = TestHome() + QStringLiteral("/garbage.fdb");
        QFile g(garbage);
        QVERIFY(g.open(QIODevice::WriteOnly));
        g.write(noise);
        g.close();
        const QString missing = TestHome() + QStringLiteral("/missing.fdb");
        DatabaseList().save({missing, garbage, good});

        bool decided = false;
        dm.hooks.decideGridMode = [&](bool local, int movies) {
            decided = true;
            QVERIFY(local);
            QCOMPARE(movies, 0);
        };
        dm.OpenDatabase(garbage);
        QCOMPARE(dm.MainConnection.databaseName(), good);
        QVERIFY(decided);
        // The file itself, then the missing list entry; the failed path is not tried twice.
        QCOMPARE(warningCount(ui), 2);
        QVERIFY(!warningsText(ui).contains(GetText(1473)));
        QVERIFY(warningsText(ui).contains(GetText(1474)));
        QCOMPARE(ui.firstStartDialogs, 0);
    }

    void nothingOpensShowsTheFirstStartDialog()
    {
        RecordingUserInterface ui;
        TDM1 dm;
        const QString missing = TestHome() + QStringLiteral("/gone.fdb");
        DatabaseList().save({TestHome() + QStringLiteral("/gone-too.fdb")});
        dm.OpenDatabase(missing);
        QCOMPARE(ui.firstStartDialogs, 1);
        QCOMPARE(warningCount(ui), 2);
        QVERIFY(!dm.MainConnection.isConnected());
        QVERIFY(dm.firstStartAbandoned());

        // Without a list, the list is made holding the path alone.
        QFile::remove(DatabaseList::defaultFilePath());
        dm.OpenDatabase(missing);
        QCOMPARE(DatabaseList().entries(), QStringList{missing});
    }

    void serverAddressWarningExplainsTheServer()
    {
        RecordingUserInterface ui;
        TDM1 dm;
        dm.OpenDatabase(QStringLiteral("127.0.0.1/1:/srv/none.fdb"));
        QVERIFY(warningCount(ui) >= 1);
        QVERIFY(warningsText(ui).startsWith(GetText(1472) + QStringLiteral("\n\n") + GetText(1473)));
        QVERIFY(!OpenFailureText(TestHome() + QStringLiteral("/x.fdb"), QStringLiteral("e")).contains(GetText(1473)));
        QCOMPARE(OpenFailureText(QStringLiteral("/x.fdb"), QStringLiteral("engine says no")),
                 GetText(1472) + QStringLiteral("\n\n") + GetText(1474) + QStringLiteral("\nengine says no"));
    }

    void securityList_data()
    {
        QTest::addColumn<QString>("content");
        QTest::addColumn<QString>("user");
        QTest::addColumn<QString>("password");
        QTest::newRow("credentials") << "other:/x.fdb\nbob:pw\nserver:/db/c.fdb\nalice:se:cret\n"
                                     << "alice"
                                     << "se:cret";
        QTest::newRow("case-blind match") << "SERVER:/DB/C.FDB\nalice:pw\n"
                                          << "alice"
                                          << "pw";
        QTest::newRow("no colon keeps the defaults") << "server:/db/c.fdb\nalice\n"
                                                     << "SYSDBA"
                                                     << "tavernoak";
        QTest::newRow("last line keeps the defaults") << "server:/db/c.fdb"
                                                      << "SYSDBA"
                                                      << "tavernoak";
        QTest::newRow("other database") << "server:/db/d.fdb\nalice:pw\n"
                                        << "SYSDBA"
                                        << "tavernoak";
    }

    void securityList()
    {
        QFETCH(QString, content);
        QFETCH(QString, user);
        QFETCH(QString, password);
        const QString file = GetDatabaseFolder() + QStringLiteral("security.lst");
        writeTemp(QStringLiteral("security.tmp"), content);
        QFile::remove(file);
        QVERIFY(QFile::copy(TestHome() + QStringLiteral("/security.tmp"), file));
        TDM1 dm;
        dm.MainConnection.setDatabaseName(QStringLiteral("server:/db/c.fdb"));
        dm.MainDatabaseBeforeConnect();
        QCOMPARE(dm.MainConnection.userName(), user);
        QCOMPARE(dm.MainConnection.password(), password);
        QFile::remove(file);
    }

    void optimizedModeDecision_data()
    {
        QTest::addColumn<bool>("option");
        QTest::addColumn<int>("movies");
        QTest::addColumn<QString>("database");
        QTest::addColumn<bool>("optimized");
        QTest::newRow("3000 local") << true << 3000 << "/data/films.fdb" << false;
        QTest::newRow("3001 local") << true << 3001 << "/data/films.fdb" << true;
        QTest::newRow("option off") << false << 50000 << "/data/films.fdb" << false;
        QTest::newRow("server, few movies") << true << 10 << "nas:/data/films.fdb" << true;
        QTest::newRow("server, option off") << false << 10 << "nas/3051:/data/films.fdb" << true;
    }

    void optimizedModeDecision()
    {
        QFETCH(bool, option);
        QFETCH(int, movies);
        QFETCH(QString, database);
        QFETCH(bool, optimized);
        QCOMPARE(DecideOptimizedMode(option, movies, database), optimized);
    }

    void currentDatabaseFileName()
    {
        TDM1 dm;
        dm.MainConnection.setDatabaseName(QStringLiteral("/home/me/Movies/My Films.fdb"));
        QCOMPARE(GetCurrentDatabaseFileName(), QStringLiteral("My Films.fdb"));
        dm.MainConnection.setDatabaseName(QStringLiteral("nas/3051:c:\\db\\Shared.fdb"));
        QCOMPARE(GetCurrentDatabaseFileName(), QStringLiteral("Shared.fdb"));
    }
};

RN_TEST_MAIN(TestDM1)
#include "tst_dm1.moc"
