#include "TestSupport.h"

#include "core/GlobalFunctions.h"
#include "core/Translations.h"
#include "database/DM1_u.h"
#include "database/FbQuery.h"
#include "reports/ImageExport.h"

#include <QDir>
#include <QFile>

namespace {

// Bytes that are no valid picture, with zero bytes inside: the export must copy them unchanged.
QByteArray coverBytes(const QString &tag)
{
    return QByteArray("\xFF\xD8\x00", 3) + tag.toUtf8() + QByteArray(300, '\0');
}

QByteArray fileBytes(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QStringList jpgFiles(const QString &folder)
{
    return QDir(folder).entryList(QDir::Files | QDir::System, QDir::Name);
}

} // namespace

class TestImageExport : public QObject
{
    Q_OBJECT

    TDM1 dm;
    RecordingUserInterface ui;
    int folderCounter = 0;

    void addMedium(double id, const QString &title, const QVariant &seq, const QByteArray &front,
                   const QByteArray &back)
    {
        FbQuery m(dm.MainConnection);
        m.setSql(QStringLiteral("insert into MEDIA (MEDIA_ID, TITLE, SEQNUMBER) values (:ID, :TITLE, :SEQ)"));
        m.setParam(QStringLiteral("ID"), id);
        m.setParam(QStringLiteral("TITLE"), title);
        m.setParam(QStringLiteral("SEQ"), seq);
        m.exec();
        FbQuery g(dm.MainConnection);
        g.setSql(
            QStringLiteral("insert into MEDIA_GFX (MEDIA_ID, FRONTCOVER_BLOB, BACKCOVER_BLOB) values (:ID, :F, :B)"));
        g.setParam(QStringLiteral("ID"), id);
        g.setParam(QStringLiteral("F"), front.isNull() ? QVariant() : QVariant(front));
        g.setParam(QStringLiteral("B"), back.isNull() ? QVariant() : QVariant(back));
        g.exec();
    }

    QString freshFolder() { return TestHome() + QStringLiteral("/export") + QString::number(++folderCounter); }

    ImageExportResult run(const QList<double> &ids, const QString &folder, bool byNumber, bool withBack)
    {
        ImageExportSettings s;
        s.destinationDirectory = folder;
        s.numberBasedFilename = byNumber;
        s.includeBackCoverArt = withBack;
        return ExportCoverImages(dm.MainConnection, LoadImageExportItems(dm.MainConnection, ids), s);
    }

private slots:
    void initTestCase()
    {
        QVERIFY(LoadLanguageTexts() == TranslationLoad::Loaded);
        ForceDataFolders();
        QVERIFY(dm.CreateRNZDB(TestDatabasePath(QStringLiteral("imageexport")), false, true, false));
        setUserInterface(&ui);
        addMedium(1, QStringLiteral("Alien"), 17, coverBytes(QStringLiteral("alien1")),
                  coverBytes(QStringLiteral("alien1-back")));
        addMedium(2, QStringLiteral("Alien"), 18, coverBytes(QStringLiteral("alien2")), QByteArray());
        addMedium(3, QStringLiteral("Amélie: Le Film!"), QVariant(), coverBytes(QStringLiteral("amelie")),
                  QByteArray());
        // No front cover, a back cover only.
        addMedium(4, QStringLiteral("Backside"), 20, QByteArray(), coverBytes(QStringLiteral("backside-back")));
        addMedium(5, QStringLiteral("七人の侍"), 21, coverBytes(QStringLiteral("samurai")), QByteArray());
        addMedium(6, QStringLiteral("AC/DC: Live? <\"Best\"> | *"), 22, coverBytes(QStringLiteral("acdc")),
                  QByteArray());
        addMedium(7, QStringLiteral("Bravo"), 23, coverBytes(QStringLiteral("bravo")), QByteArray());
    }

    void cleanupTestCase() { setUserInterface(nullptr); }

    void fileTitles_data()
    {
        QTest::addColumn<QString>("title");
        QTest::addColumn<QString>("expected");
        QTest::newRow("accent and punctuation dropped")
            << QStringLiteral("Amélie: Le Film!") << QStringLiteral("Amlie Le Film");
        QTest::newRow("path and wildcard characters")
            << QStringLiteral("AC/DC\\Live: Who? *\"Me\"* <x>|") << QStringLiteral("ACDCLive Who Me x");
        QTest::newRow("kept characters, trimmed")
            << QStringLiteral("  (Alien 3) - v1.5  ") << QStringLiteral("(Alien 3) - v1.5");
        QTest::newRow("parent folder name") << QStringLiteral("..") << QString();
        QTest::newRow("only non-Latin") << QStringLiteral("七人の侍") << QString();
    }

    void fileTitles()
    {
        QFETCH(QString, title);
        QFETCH(QString, expected);
        QCOMPARE(CoverFileTitle(title), expected);
    }

    void byTitle_data()
    {
        QTest::addColumn<bool>("withBack");
        QTest::addColumn<QStringList>("expected");
        QTest::newRow("fronts only") << false
                                     << QStringList{QStringLiteral("21.jpg"), QStringLiteral("ACDC Live Best.jpg"),
                                                    QStringLiteral("Alien (1).jpg"), QStringLiteral("Alien.jpg"),
                                                    QStringLiteral("Amlie Le Film.jpg")};
        QTest::newRow("with back covers")
            << true << QStringList{QStringLiteral("21.jpg"),           QStringLiteral("ACDC Live Best.jpg"),
                                   QStringLiteral("Alien (1).jpg"),    QStringLiteral("Alien.jpg"),
                                   QStringLiteral("Alien_BACK.jpg"),   QStringLiteral("Amlie Le Film.jpg"),
                                   QStringLiteral("Backside_BACK.jpg")};
    }

    // Two media titled Alien, a title that needs cleaning, one that leaves nothing (named by its
    // number instead), and a medium with only a back cover.
    void byTitle()
    {
        QFETCH(bool, withBack);
        QFETCH(QStringList, expected);
        const QString folder = freshFolder() + QStringLiteral("/new/sub"); // missing parents are made
        ui.messages.clear();
        const ImageExportResult r = run({1, 2, 3, 4, 5, 6}, folder, false, withBack);
        QVERIFY(r.completed);
        QVERIFY(ui.messages.isEmpty());
        QCOMPARE(jpgFiles(folder), expected);
        QCOMPARE(r.writtenFiles.size(), expected.size());
        QCOMPARE(fileBytes(folder + QStringLiteral("/Alien.jpg")), coverBytes(QStringLiteral("alien1")));
        QCOMPARE(fileBytes(folder + QStringLiteral("/Alien (1).jpg")), coverBytes(QStringLiteral("alien2")));
        if (withBack)
            QCOMPARE(fileBytes(folder + QStringLiteral("/Alien_BACK.jpg")), coverBytes(QStringLiteral("alien1-back")));
    }

    void bySeqNumber()
    {
        const QString folder = freshFolder();
        const ImageExportResult r = run({1, 3}, folder, true, true);
        QVERIFY(r.completed);
        // Medium 3 has no number: its key names it.
        QCOMPARE(jpgFiles(folder),
                 (QStringList{QStringLiteral("17.jpg"), QStringLiteral("17_BACK.jpg"), QStringLiteral("3.jpg")}));
        QCOMPARE(fileBytes(folder + QStringLiteral("/17_BACK.jpg")), coverBytes(QStringLiteral("alien1-back")));
    }

    // A second export into the same folder numbers its files instead of overwriting; a stem whose
    // back cover is already there is not reused, so that back cover survives.
    void existingFilesKept()
    {
        const QString folder = freshFolder();
        QVERIFY(run({1}, folder, false, true).completed);
        QVERIFY(QFile::remove(folder + QStringLiteral("/Alien.jpg")));
        QVERIFY(run({1, 2}, folder, false, true).completed);
        QCOMPARE(jpgFiles(folder), (QStringList{QStringLiteral("Alien (1).jpg"), QStringLiteral("Alien (1)_BACK.jpg"),
                                                QStringLiteral("Alien (2).jpg"), QStringLiteral("Alien_BACK.jpg")}));
        QCOMPARE(fileBytes(folder + QStringLiteral("/Alien_BACK.jpg")), coverBytes(QStringLiteral("alien1-back")));
    }

    void folderProblems()
    {
        // A file where the folder should be: nothing can be created, and the user is told.
        const QString blocker = freshFolder();
        {
            QFile f(blocker);
            QVERIFY(f.open(QIODevice::WriteOnly));
        }
        ui.messages.clear();
        ImageExportResult r = run({1}, blocker + QStringLiteral("/covers"), false, false);
        QVERIFY(!r.completed);
        QCOMPARE(ui.messages.size(), 1);
        QVERIFY(ui.messages.first().text.contains(QStringLiteral("covers")));

        // A write that fails halfway (a link into a missing folder stands in for a full or
        // read-only disk): the export stops with a message and keeps the file already written.
        const QString folder = freshFolder();
        QVERIFY(QDir().mkpath(folder));
        QVERIFY(QFile::link(TestHome() + QStringLiteral("/missing/target.jpg"), folder + QStringLiteral("/Alien.jpg")));
        ui.messages.clear();
        r = run({7, 1, 3}, folder, false, false);
        QVERIFY(!r.completed);
        QCOMPARE(r.writtenFiles, QStringList{folder + QStringLiteral("/Bravo.jpg")});
        QCOMPARE(r.failedFile, folder + QStringLiteral("/Alien.jpg"));
        QCOMPARE(fileBytes(folder + QStringLiteral("/Bravo.jpg")), coverBytes(QStringLiteral("bravo")));
        QVERIFY(!QFileInfo::exists(folder + QStringLiteral("/Amlie Le Film.jpg")));
        QCOMPARE(ui.messages.size(), 1);
        QCOMPARE(ui.messages.first().kind, MessageKind::Warning);

        // No folder at all is refused before anything happens.
        ui.messages.clear();
        r = run({1}, QStringLiteral("  "), false, false);
        QVERIFY(!r.completed);
        QCOMPARE(ui.messages.size(), 1);
    }
};

RN_TEST_MAIN(TestImageExport)
#include "tst_imageexport.moc"
