#include "TestSupport.h"

#include "core/GlobalFunctions.h"
#include "core/LanguageTexts.h"
#include "core/Translations.h"
#include "database/DM1_u.h"

#include <QDir>
#include <QGuiApplication>
#include <QSettings>

class TestGlobalFunctions : public QObject
{
    Q_OBJECT

private slots:
    void init() { QSettings(QStringLiteral("Virelon"), QStringLiteral("Reelnest")).clear(); }

    void blankSectionIsTheRoot()
    {
        QVERIFY(WriteSettingString(QStringLiteral("Language"), QStringLiteral("   "), QStringLiteral("german")));
        QCOMPARE(ReadSettingString(QStringLiteral("Language"), QString()), QStringLiteral("german"));
        QSettings raw(QStringLiteral("Virelon"), QStringLiteral("Reelnest"));
        QCOMPARE(raw.value(QStringLiteral("Language")).toString(), QStringLiteral("german"));
    }

    void missingValuesGiveTheDefault()
    {
        QCOMPARE(ReadSettingBool(QStringLiteral("ShowSplash"), QStringLiteral("Options"), true), true);
        QCOMPARE(ReadSettingBool(QStringLiteral("ShowSplash"), QStringLiteral("Options"), false), false);
        QCOMPARE(ReadSettingInteger(QStringLiteral("Size"), QStringLiteral("Font\\Views"), 9), 9);
        QCOMPARE(ReadSettingString(QStringLiteral("Nothing"), QStringLiteral("Nowhere"), QStringLiteral("x")),
                 QStringLiteral("x"));
        QVERIFY(IsZeroDate(ReadSettingDate(QStringLiteral("LastCheck"), QStringLiteral("Update"))));
        // Reading never creates the section.
        QVERIFY(!QSettings(QStringLiteral("Virelon"), QStringLiteral("Reelnest"))
                     .childGroups()
                     .contains(QStringLiteral("Options")));
    }

    void writesCreateNestedSections()
    {
        QVERIFY(WriteSettingBool(QStringLiteral("Plot"), QStringLiteral("Options\\Download"), false));
        QVERIFY(SettingExists(QStringLiteral("Plot"), QStringLiteral("Options\\Download")));
        QCOMPARE(ReadSettingBool(QStringLiteral("Plot"), QStringLiteral("Options\\Download"), true), false);
        QVERIFY(WriteSettingInteger(QStringLiteral("Size"), QStringLiteral("Font\\Views"), 11));
        QCOMPARE(GetViewFontSize(), 11);
        QVERIFY(!SettingExists(QStringLiteral("Plot"), QStringLiteral("Options")));
    }

    void deletingASectionRemovesItsSubsections()
    {
        WriteSettingString(QStringLiteral("A"), QStringLiteral("Wanted Items"), QStringLiteral("1"));
        WriteSettingString(QStringLiteral("B"), QStringLiteral("Wanted Items\\GridSettings\\InitType"),
                           QStringLiteral("2"));
        WriteSettingString(QStringLiteral("C"), QStringLiteral("Wanted"), QStringLiteral("3"));
        QVERIFY(DeleteSettingSection(QStringLiteral("Wanted Items")));
        QVERIFY(!SettingExists(QStringLiteral("A"), QStringLiteral("Wanted Items")));
        QVERIFY(!SettingExists(QStringLiteral("B"), QStringLiteral("Wanted Items\\GridSettings\\InitType")));
        QVERIFY(SettingExists(QStringLiteral("C"), QStringLiteral("Wanted")));
        // A section that is not there, and the root, are not deleted.
        QVERIFY(!DeleteSettingSection(QStringLiteral("Wanted Items")));
        QVERIFY(!DeleteSettingSection(QString()));
        QVERIFY(SettingExists(QStringLiteral("C"), QStringLiteral("Wanted")));
    }

    void datesRoundTrip()
    {
        const QDateTime when(QDate(2026, 12, 11), QTime(18, 30, 15, 250));
        QVERIFY(WriteSettingDate(QStringLiteral("LastCheck"), QStringLiteral("Update"), when));
        QCOMPARE(ReadSettingDate(QStringLiteral("LastCheck"), QStringLiteral("Update")), when);
        QCOMPARE(DateTimeToDayCount(QDateTime(QDate(1899, 12, 31), QTime(12, 0))), 1.5);
        QCOMPARE(DayCountToDateTime(0), ZeroDateTime());
    }

    void aValueOfAnotherKindIsAnError()
    {
        WriteSettingString(QStringLiteral("Size"), QStringLiteral("Font\\Views"), QStringLiteral("large"));
        QVERIFY_THROWS_EXCEPTION(SettingKindError,
                                 ReadSettingInteger(QStringLiteral("Size"), QStringLiteral("Font\\Views"), 9));
        QVERIFY_THROWS_EXCEPTION(SettingKindError,
                                 ReadSettingBool(QStringLiteral("Size"), QStringLiteral("Font\\Views"), true));
    }

    void reportsFolder()
    {
        const QString standard = GetReportsFolder();
        QVERIFY(standard.endsWith(QStringLiteral("/Reelnest/Reports/")));
        WriteSettingString(QStringLiteral("ReportsFolder"), QString(), TestHome() + QStringLiteral("/missing"));
        QCOMPARE(GetReportsFolder(), standard);
        QDir().mkpath(TestHome() + QStringLiteral("/my reports"));
        WriteSettingString(QStringLiteral("ReportsFolder"), QString(), TestHome() + QStringLiteral("/my reports"));
        QCOMPARE(GetReportsFolder(), TestHome() + QStringLiteral("/my reports/"));
        QVERIFY(GetDatabaseFolder().startsWith(TestHome()));
        QVERIFY(GetTempFolder().endsWith(QStringLiteral("/Reelnest/Temp/")));
    }

    void formatFileSize_data()
    {
        QTest::addColumn<QString>("locale");
        QTest::addColumn<qint64>("bytes");
        QTest::addColumn<QString>("expected");
        QTest::newRow("zero") << "en_US" << qint64(0) << "";
        QTest::newRow("bytes") << "en_US" << qint64(1023) << "1,023 b";
        QTest::newRow("kilobytes") << "en_US" << qint64(2048) << "2.0 kb";
        QTest::newRow("last kb") << "en_US" << qint64(102399) << "100.0 kb";
        QTest::newRow("first MB") << "en_US" << qint64(102400) << "0.1 MB";
        QTest::newRow("1 MiB with the decimal divisor") << "en_US" << qint64(1048576) << "1.0 MB";
        QTest::newRow("decimal comma") << "de_DE" << qint64(1048576) << "1,0 MB";
        QTest::newRow("just below GB") << "en_US" << qint64(1023999999) << "1,000.0 MB";
        QTest::newRow("GB") << "en_US" << qint64(1024000000) << "1.0 GB";
        QTest::newRow("large") << "en_US" << qint64(5120000000LL) << "5.0 GB";
    }

    void formatFileSize()
    {
        QFETCH(QString, locale);
        QFETCH(qint64, bytes);
        QFETCH(QString, expected);
        QLocale::setDefault(QLocale(locale));
        QCOMPARE(FormatFileSize(bytes), expected);
        QLocale::setDefault(QLocale(QStringLiteral("en_US")));
    }

    void formatMinutes_data()
    {
        QTest::addColumn<int>("minutes");
        QTest::addColumn<bool>("longForm");
        QTest::addColumn<QString>("expected");
        QTest::newRow("short") << 125 << false << "2:05";
        QTest::newRow("short under an hour") << 45 << false << "0:45";
        QTest::newRow("long") << 90 << true << "1 h 30 min";
        QTest::newRow("long rest not padded") << 125 << true << "2 h 5 min";
        QTest::newRow("zero") << 0 << true << "";
        QTest::newRow("negative") << -5 << false << "";
    }

    void formatMinutes()
    {
        QFETCH(int, minutes);
        QFETCH(bool, longForm);
        QFETCH(QString, expected);
        QLocale::setDefault(QLocale(QStringLiteral("en_US")));
        QVERIFY(LoadLanguageTexts() == TranslationLoad::Loaded);
        QCOMPARE(FormatMinutes(minutes, longForm), expected);
    }

    void capitalizeWords_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("expected");
        QTest::newRow("words") << "the lord of the rings"
                               << "The Lord Of The Rings";
        QTest::newRow("separators") << "a(b\"c.d,e/f-g:h&i\\j"
                                    << "A(B\"C.D,E/F-G:H&I\\J";
        QTest::newRow("apostrophe is no separator") << "o'brien"
                                                    << "O'brien";
        QTest::newRow("capitals stay") << "mcDONALD"
                                       << "McDONALD";
        QTest::newRow("empty") << ""
                               << "";
        QTest::newRow("accented") << "élan vital"
                                  << "Élan Vital";
    }

    void capitalizeWords()
    {
        QFETCH(QString, text);
        QFETCH(QString, expected);
        QCOMPARE(CapitalizeWords(text), expected);
    }

    void autoCapitalizeChar_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("ch");
        QTest::addColumn<int>("position");
        QTest::addColumn<bool>("autoFormat");
        QTest::addColumn<QString>("expected");
        QTest::newRow("start of field") << ""
                                        << "a" << 0 << true << "A";
        QTest::newRow("after blank") << "star "
                                     << "w" << 5 << true << "W";
        QTest::newRow("after hyphen") << "spider-"
                                      << "m" << 7 << true << "M";
        QTest::newRow("inside a word") << "sta"
                                       << "r" << 3 << true << "r";
        QTest::newRow("not a-z") << ""
                                 << "é" << 0 << true << "é";
        QTest::newRow("digit") << ""
                               << "1" << 0 << true << "1";
        QTest::newRow("option off") << ""
                                    << "a" << 0 << false << "a";
        QTest::newRow("caret in the middle") << "ab cd"
                                             << "x" << 3 << true << "X";
    }

    void autoCapitalizeChar()
    {
        QFETCH(QString, text);
        QFETCH(QString, ch);
        QFETCH(int, position);
        QFETCH(bool, autoFormat);
        QFETCH(QString, expected);
        QCOMPARE(QString(AutoCapitalizeChar(text, ch.at(0), position, autoFormat)), expected);
    }

    void smallTextOperations()
    {
        QLocale::setDefault(QLocale(QStringLiteral("en_US")));
        QVERIFY(IsNumber(QStringLiteral("12.5")));
        QVERIFY(!IsNumber(QStringLiteral("12,5x")));
        QVERIFY(!IsNumber(QString()));
        QCOMPARE(KeepAlphanumerics(QStringLiteral("Amélie (2001)!")), QStringLiteral("Amlie2001"));
        QCOMPARE(QuotedStr(QStringLiteral("Schindler's List")), QStringLiteral("'Schindler''s List'"));
    }

    void languageTextLookup()
    {
        const QString file = TestHome() + QStringLiteral("/test.dat");
        QFile out(file);
        QVERIFY(out.open(QIODevice::WriteOnly));
        out.write("Testish|by us\r\n0001    plain text   \r\n0002 Found %S titles\r\n0003 none\r\n");
        out.close();
        RecordingUserInterface ui;
        LanguageTexts &texts = LanguageTexts::instance();
        QVERIFY(texts.load(file));
        QCOMPARE(GetText(1), QStringLiteral("plain text"));
        QCOMPARE(GetTextWithArg(2, QStringLiteral("%s 100%")), QStringLiteral("Found %s 100% titles"));
        QCOMPARE(GetTextWithArg(3, QStringLiteral("x")), QStringLiteral("none"));
        QCOMPARE(texts.headerName(), QStringLiteral("Testish"));
        QCOMPARE(texts.headerCredit(), QStringLiteral("by us"));
        QVERIFY(ui.messages.isEmpty());
        QCOMPARE(GetText(4), QString());
        QCOMPARE(ui.messages.size(), 1);
        QVERIFY(ui.messages.at(0).text.contains(QStringLiteral("problem with your language file")));
        texts.clear();
        QCOMPARE(GetTextWithArg(1, QStringLiteral("x")), QString());
        QCOMPARE(ui.messages.size(), 2);
    }

    void errorBoxText()
    {
        QVERIFY(LoadLanguageTexts() == TranslationLoad::Loaded);
        RecordingUserInterface ui;
        QVERIFY(ShowErrorBox(QStringLiteral("P"), QString(), QStringLiteral("D")));
        QCOMPARE(ui.messages.at(0).text, GetText(1415) + "\n\n" + GetText(1416) + ":\nP\n\n" + GetText(1418) + ":\nD");
        QVERIFY(ui.messages.at(0).buttons == MessageButtons::Ok);
        ShowErrorBox(QStringLiteral("P"), QStringLiteral("S"), QStringLiteral("D"));
        QCOMPARE(ui.messages.at(1).text, GetText(1415) + "\n\n" + GetText(1416) + ":\nP\n\n" + GetText(1417) +
                                             ":\nS\n\n" + GetText(1418) + ":\nD");
        ShowErrorBox(QStringLiteral("  "), QStringLiteral("S"), QStringLiteral("D"));
        QCOMPARE(ui.messages.at(2).text, GetText(1415) + "\n\n" + GetText(1418) + ":\nD");
        QVERIFY(ui.messages.at(2).buttons == MessageButtons::AbortRetry);
        QVERIFY(ui.messages.at(2).kind == MessageKind::Error);
    }

    void countQueryText_data()
    {
        QTest::addColumn<QString>("select");
        QTest::addColumn<QString>("expected");
        QTest::newRow("ordered") << "select MOVIE_ID from MOVIE order by TITLESORT"
                                 << "select count(*) from MOVIE ";
        QTest::newRow("plain") << "SELECT * FROM DB_INFO"
                               << "select count(*) FROM DB_INFO";
        QTest::newRow("where kept, literal case kept")
            << "select M.TITLE from MOVIE M where M.TITLE = 'From Dusk' order  by 1"
            << "select count(*) from MOVIE M where M.TITLE = 'From Dusk' ";
        QTest::newRow("grouped") << "select genre, count(x) from t group by genre"
                                 << "select count(distinct x) from t ";
        QTest::newRow("grouped upper case") << "SELECT G.NAME, COUNT(M.MOVIE_ID) FROM GENRE G GROUP BY G.NAME"
                                            << "SELECT COUNT(distinct M.MOVIE_ID) FROM GENRE G ";
        QTest::newRow("column named like a keyword") << "select DATE_FROM, X from T_FROM_X order by X"
                                                     << "select count(*) from T_FROM_X ";
    }

    void countQueryText()
    {
        QFETCH(QString, select);
        QFETCH(QString, expected);
        QCOMPARE(CountQueryText(select), expected);
    }

    void copyAndRecycle()
    {
        const QString source = TestHome() + QStringLiteral("/source.bin");
        const QString target = TestHome() + QStringLiteral("/target.bin");
        QFile s(source);
        QVERIFY(s.open(QIODevice::WriteOnly));
        s.write(QByteArray(3 * 1024 * 1024 + 7, 'x'));
        s.close();
        QFile t(target);
        QVERIFY(t.open(QIODevice::WriteOnly));
        t.write(QByteArray(10 * 1024 * 1024, 'y'));
        t.close();
        QVERIFY(CopyFileContents(source, target));
        QCOMPARE(QFileInfo(target).size(), QFileInfo(source).size());
        QVERIFY(!CopyFileContents(TestHome() + QStringLiteral("/absent"), target));
        QVERIFY(!DeleteToRecycleBin(TestHome() + QStringLiteral("/absent")));
    }
};

RN_TEST_MAIN(TestGlobalFunctions)
#include "tst_globalfunctions.moc"
