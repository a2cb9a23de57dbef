#include "TestSupport.h"

#include "core/GlobalFunctions.h"
#include "core/LanguageTexts.h"
#include "core/Translations.h"
#include "database/DM1_u.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QSettings>

namespace {

void writeFile(const QString &path, const QByteArray &content)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(content);
}

// A program folder of the test's own, holding the given language files.
class ProgramFolder
{
public:
    explicit ProgramFolder(const QMap<QString, QByteArray> &languageFiles)
        : m_previous(qgetenv("REELNEST_PROGRAM_FOLDER"))
    {
        for (auto it = languageFiles.cbegin(); it != languageFiles.cend(); ++it)
            writeFile(m_dir.path() + QStringLiteral("/language/") + it.key(), it.value());
        qputenv("REELNEST_PROGRAM_FOLDER", m_dir.path().toLocal8Bit());
    }
    ~ProgramFolder() { qputenv("REELNEST_PROGRAM_FOLDER", m_previous); }

private:
    QTemporaryDir m_dir;
    QByteArray m_previous;
};

const QByteArray englishFile = "English|Reelnest team\r\n0001 OK\r\n0002 Cancel\r\n";
const QByteArray germanFile = "Deutsch|Reelnest-Team\r\n0001 OK\r\n0002 Abbrechen\r\n";

} // namespace

Q_DECLARE_METATYPE(ReportLanguage)

class TestLanguages : public QObject
{
    Q_OBJECT

private slots:
    void init()
    {
        QSettings(QStringLiteral("Virelon"), QStringLiteral("Reelnest")).clear();
        SetReportLanguage(ReportLanguage::English);
    }

    void offeredLanguagesCarryTheirFlags()
    {
        ProgramFolder folder({{QStringLiteral("english.dat"), englishFile},
                              {QStringLiteral("german.dat"), germanFile},
                              {QStringLiteral("klingon.dat"), englishFile},
                              {QStringLiteral("portuguese (brazil).dat"), englishFile},
                              {QStringLiteral("readme.txt"), "not a language"}});
        QStringList names;
        QList<int> flags;
        for (const OfferedLanguage &language : OfferedLanguages()) {
            names << language.name;
            flags << language.flagIndex;
        }
        QCOMPARE(names, (QStringList{QStringLiteral("English"), QStringLiteral("German"), QStringLiteral("Klingon"),
                                     QStringLiteral("Portuguese (Brazil)")}));
        QCOMPARE(flags, (QList<int>{0, 2, -1, 20}));
        QVERIFY(LanguageFlagFile(-1).isEmpty());
    }

    void everyFlagOfTheTableIsShipped()
    {
        const QStringList names{QStringLiteral("english"),
                                QStringLiteral("swedish"),
                                QStringLiteral("german"),
                                QStringLiteral("dutch"),
                                QStringLiteral("portuguese"),
                                QStringLiteral("french"),
                                QStringLiteral("italian"),
                                QStringLiteral("polish"),
                                QStringLiteral("danish"),
                                QStringLiteral("finnish"),
                                QStringLiteral("norwegian"),
                                QStringLiteral("spanish"),
                                QStringLiteral("croatian"),
                                QStringLiteral("serbian"),
                                QStringLiteral("czech"),
                                QStringLiteral("russian"),
                                QStringLiteral("turkish"),
                                QStringLiteral("Chinese (Simplified)"),
                                QStringLiteral("Chinese (Traditional)"),
                                QStringLiteral("greek"),
                                QStringLiteral("persian"),
                                QStringLiteral("Portuguese (Brazil)"),
                                QStringLiteral("arabic"),
                                QStringLiteral("afrikaans"),
                                QStringLiteral("LATVIAN")};
        QSet<int> indexes;
        for (const QString &name : names) {
            const int index = LanguageFlagIndex(name);
            QVERIFY2(index >= 0, qPrintable(name));
            indexes.insert(index);
            const QImage flag(LanguageFlagFile(index));
            QVERIFY2(!flag.isNull(), qPrintable(LanguageFlagFile(index)));
        }
        QCOMPARE(indexes.size(), 24);
        QCOMPARE(LanguageFlagIndex(QStringLiteral("Chinese (Simplified)")),
                 LanguageFlagIndex(QStringLiteral("chinese (traditional)")));
    }

    void storedLanguageIsFoundInAnyCase()
    {
        RecordingUserInterface ui;
        ProgramFolder folder(
            {{QStringLiteral("english.dat"), englishFile}, {QStringLiteral("german.dat"), germanFile}});
        WriteSettingString(QStringLiteral("Language"), QString(), QStringLiteral("German"));
        QVERIFY(LoadTranslation());
        QCOMPARE(GetLanguageName(), QStringLiteral("Deutsch"));
        QCOMPARE(GetLanguageCredit(), QStringLiteral("Reelnest-Team"));
        QCOMPARE(GetText(2), QStringLiteral("Abbrechen"));
        QVERIFY(ui.messages.isEmpty());
    }

    void missingFileLoadsEnglishAndKeepsTheSetting()
    {
        RecordingUserInterface ui;
        ProgramFolder folder(
            {{QStringLiteral("english.dat"), englishFile}, {QStringLiteral("german.dat"), germanFile}});
        WriteSettingString(QStringLiteral("Language"), QString(), QStringLiteral("Swedish"));
        QVERIFY(LoadTranslation());
        QCOMPARE(GetLanguageName(), QStringLiteral("English"));
        QCOMPARE(ReadSettingString(QStringLiteral("Language"), QString()), QStringLiteral("Swedish"));
        QVERIFY(ui.messages.isEmpty());
        QVERIFY(!ui.endRequested());
    }

    void unusableFilesEndTheProgram_data()
    {
        QTest::addColumn<QByteArray>("english");
        QTest::addColumn<QString>("message");
        QTest::newRow("no header bar") << QByteArray("English Reelnest team\r\n0001 OK\r\n")
                                       << QStringLiteral(
                                              "Translation file not valid. Please contact Technical Support.");
        QTest::newRow("empty file") << QByteArray()
                                    << QStringLiteral("Translation file not valid. Please contact Technical Support.");
        QTest::newRow("no file") << QByteArray("-")
                                 << QStringLiteral("Translation file not found. Please contact Technical Support.");
    }

    void unusableFilesEndTheProgram()
    {
        QFETCH(QByteArray, english);
        QFETCH(QString, message);
        RecordingUserInterface ui;
        QMap<QString, QByteArray> files{{QStringLiteral("german.dat"), germanFile}};
        if (english != "-")
            files.insert(QStringLiteral("english.dat"), english);
        ProgramFolder folder(files);
        QVERIFY(!LoadTranslation());
        QCOMPARE(ui.messages.size(), 1);
        QCOMPARE(ui.messages.first().kind, MessageKind::Error);
        QCOMPARE(ui.messages.first().text, message);
        QVERIFY(ui.endRequested());
        QCOMPARE(ui.requestedExitCode(), 1);
    }

    void reportLanguageFollowsExactNames_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<ReportLanguage>("expected");
        QTest::newRow("Swedish") << QStringLiteral("Swedish") << ReportLanguage::Swedish;
        QTest::newRow("Portuguese") << QStringLiteral("Portuguese") << ReportLanguage::Portuguese;
        QTest::newRow("Polish") << QStringLiteral("Polish") << ReportLanguage::English;
        QTest::newRow("lower case") << QStringLiteral("swedish") << ReportLanguage::English;
        QTest::newRow("Portuguese (Brazil)") << QStringLiteral("Portuguese (Brazil)") << ReportLanguage::English;
    }

    void reportLanguageFollowsExactNames()
    {
        QFETCH(QString, name);
        QFETCH(ReportLanguage, expected);
        QCOMPARE(ReportLanguageFor(name), expected);
    }

    void loadingSetsTheReportLanguageOnceTheDataModuleExists()
    {
        RecordingUserInterface ui;
        ProgramFolder folder(
            {{QStringLiteral("english.dat"), englishFile}, {QStringLiteral("german.dat"), germanFile}});
        WriteSettingString(QStringLiteral("Language"), QString(), QStringLiteral("German"));
        QVERIFY(LoadTranslation());
        QCOMPARE(CurrentReportLanguage(), ReportLanguage::English);
        TDM1 dataModule;
        QVERIFY(LoadTranslation());
        QCOMPARE(CurrentReportLanguage(), ReportLanguage::German);
    }

    void changingTheLanguageForgetsLayoutsOfTheOldOne()
    {
        RecordingUserInterface ui;
        ProgramFolder folder(
            {{QStringLiteral("english.dat"), englishFile}, {QStringLiteral("german.dat"), germanFile}});
        WriteSettingString(QStringLiteral("Layout"), QStringLiteral("Treeview"), QStringLiteral("x"));
        WriteSettingString(QStringLiteral("Layout"), QStringLiteral("Report Designer\\Tools"), QStringLiteral("y"));
        WriteSettingString(QStringLiteral("Layout"), QStringLiteral("Sort"), QStringLiteral("z"));
        QVERIFY(ChangeProgramLanguage(QStringLiteral("German")));
        QVERIFY(!SettingExists(QStringLiteral("Layout"), QStringLiteral("Treeview")));
        QVERIFY(!SettingExists(QStringLiteral("Layout"), QStringLiteral("Report Designer\\Tools")));
        QVERIFY(SettingExists(QStringLiteral("Layout"), QStringLiteral("Sort")));
        QCOMPARE(ReadSettingString(QStringLiteral("Language"), QString()), QStringLiteral("German"));
        QCOMPARE(GetLanguageName(), QStringLiteral("Deutsch"));
    }
};

RN_TEST_MAIN(TestLanguages)
#include "tst_languages.moc"
