#include "TestSupport.h"

#include "online/IMDBHelperClassUnit.h"
#include "online/IMDBMovieClassUnit.h"

#include <QLocale>

class TestTextFunctions : public QObject
{
    Q_OBJECT

private slots:
    void decodeHtmlEntities_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("expected");
        QTest::newRow("named") << "Tom &amp; Jerry &quot;&lt;b&gt;&quot;"
                               << "Tom & Jerry \"<b>\"";
        QTest::newRow("escaped lt decodes twice") << "&amp;lt;"
                                                  << "<";
        QTest::newRow("escaped quot decodes twice") << "&amp;quot;"
                                                    << "\"";
        QTest::newRow("hex ampersand then lt stays") << "&#x26;lt;"
                                                     << "&lt;";
        QTest::newRow("named in other case stays") << "&AMP; &Quot;"
                                                   << "&AMP; &Quot;";
        QTest::newRow("numeric letters stay") << "&#65;&#065;&#97;&#x41;"
                                              << "&#65;&#065;&#97;&#x41;";
        QTest::newRow("hex small and capital") << "caf&#xe9; CAF&#XC9;"
                                               << "café CAFÉ";
        QTest::newRow("two and three digits") << "&#39;a&#039; &#33;&#064;"
                                              << "'a' !@";
        QTest::newRow("space forms") << "a&#32;b&#032;c&nbsp;d&#160;e&#xA0;f"
                                     << "a b c d e f";
        QTest::newRow("soft hyphens removed") << "ab&shy;c&#173;d&#xad;e"
                                              << "abcde";
        QTest::newRow("Windows-1252 range") << "&#145;x&#146; &#147;y&#148; &#150; &#138;&#x8C;"
                                            << "\u2018x\u2019 \u201Cy\u201D \u2013 \u0160\u0152";
        QTest::newRow("hex ellipsis") << "wait&#x85;"
                                      << "wait...";
        QTest::newRow("Latin-1 names") << "&Agrave;&eacute;&times;&divide;&yuml;&szlig;&euro;&copy;"
                                       << "Àé×÷ÿß€©";
        QTest::newRow("above 256 stays") << "&#8211; &#x2013; &#257;"
                                         << "&#8211; &#x2013; &#257;";
        QTest::newRow("256 itself") << "&#256;"
                                    << "\u0100";
        QTest::newRow("non-Latin text untouched") << "田中 千尋 &amp; Ελένη"
                                                  << "田中 千尋 & Ελένη";
    }

    void decodeHtmlEntities()
    {
        QFETCH(QString, text);
        QFETCH(QString, expected);
        QCOMPARE(DecodeHtmlEntities(text), expected);
    }

    void stripTags_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("expected");
        QTest::newRow("tags") << "<a href=\"x\">Name</a> <b>bold</b>"
                              << "Name bold";
        QTest::newRow("stray > first stops") << "x > y <b>z</b>"
                                             << "x > y <b>z</b>";
        QTest::newRow("unclosed") << "a <b"
                                  << "a <b";
        QTest::newRow("stray > later") << "<i>a</i> > <b>c</b>"
                                       << "a > <b>c</b>";
        QTest::newRow("nothing") << "plain"
                                 << "plain";
    }

    void stripTags()
    {
        QFETCH(QString, text);
        QFETCH(QString, expected);
        QCOMPARE(StripTags(text), expected);
    }

    void characterFilters()
    {
        QCOMPARE(DigitsOnly(QStringLiteral("2h 16m (136 min) ٣")), QStringLiteral("216136"));
        QCOMPARE(LettersOnly(QStringLiteral("31. März 1999, Zoë")), QStringLiteral("MrzZo"));
        const QString separator = QLocale().decimalPoint();
        QCOMPARE(NumericChars(QStringLiteral("Rating: 7") + separator + QStringLiteral("4/10")),
                 QStringLiteral("7") + separator + QStringLiteral("410"));
        QCOMPARE(StripQuotes(QStringLiteral("\"Quoted\"")), QStringLiteral("Quoted"));
        QCOMPARE(StripQuotes(QStringLiteral("\"Only one")), QStringLiteral("\"Only one"));
        QCOMPARE(StripQuotes(QStringLiteral("\"")), QStringLiteral("\""));
        QCOMPARE(LineBreaksToSpaces(QStringLiteral("a\r\nb\nc")), QStringLiteral("a  b c"));
        QCOMPARE(CollapseSpaces(QStringLiteral("a     b  c")), QStringLiteral("a b c"));
        QCOMPARE(TrimText(QStringLiteral("\x01 \t text \r\n\x1f")), QStringLiteral("text"));
        QCOMPARE(LimitText(QStringLiteral("  abcdef"), 5), QStringLiteral("abc"));
        QCOMPARE(FormatTemplate(QStringLiteral("http://x/title/%s/?a=%20"), QStringLiteral("tt1")),
                 QStringLiteral("http://x/title/tt1/?a=%20"));
    }

    void encodeQueryText_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("expected");
        QTest::newRow("blank, slash, colon") << "Mission: Impossible / II"
                                             << "Mission%3A%20Impossible%20%2F%20II";
        QTest::newRow("hash and comma") << "#1, again"
                                        << "%231%2C%20again";
        QTest::newRow("percent kept") << "100% Wolf"
                                      << "100%%20Wolf";
        QTest::newRow("carriage return") << "a\rb\nc"
                                         << "a%0D%0Ab\nc";
        QTest::newRow("deleted characters") << "Tom & \"Jerry\" \\ `x´"
                                            << "Tom%20%20Jerry%20%20x";
        QTest::newRow("accents folded") << "Amélie Ørsted Ñandú Ærø Straße Çà"
                                        << "Amelie%20Ørsted%20nandu%20aerø%20Strasse%20ca";
        QTest::newRow("capitals fold to small") << "ÉCOLE ÜBER"
                                                << "eCOLE%20uBER";
        QTest::newRow("letters without a fold stay") << "crêpe île"
                                                     << "crêpe%20île";
    }

    void encodeQueryText()
    {
        QFETCH(QString, text);
        QFETCH(QString, expected);
        QCOMPARE(EncodeQueryText(text), expected);
    }

    void parseTextDate_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("expected");
        QTest::newRow("month day, year") << "March 31, 1999"
                                         << "1999-03-31";
        QTest::newRow("day month year") << " 9 Sep 2011 "
                                        << "2011-09-09";
        QTest::newRow("short month") << "Dec 5 1987"
                                     << "1987-12-05";
        QTest::newRow("January needs no test") << "1 January 2000"
                                               << "2000-01-01";
        QTest::newRow("May") << "May 2003"
                             << "2003-05-01";
        QTest::newRow("year only") << "2024"
                                   << "2024-01-01";
        QTest::newRow("year beginning with 0") << "March 3, 0999"
                                               << "";
        QTest::newRow("no year") << "soon"
                                 << "";
        QTest::newRow("empty") << ""
                               << "";
        QTest::newRow("only the year is taken out of the day") << "12 Feb 2012"
                                                               << "2012-02-12";
    }

    void parseTextDate()
    {
        QFETCH(QString, text);
        QFETCH(QString, expected);
        QCOMPARE(ParseTextDate(text), expected);
    }

    void markerPrimitives()
    {
        const QString text = QStringLiteral("a<b>c<b>d");
        QCOMPARE(CutAt(text, QStringLiteral("<b>")), QStringLiteral("<b>c<b>d"));
        QCOMPARE(CutAt(text, QStringLiteral("x")), text);
        QCOMPARE(CutAfter(text, QStringLiteral("<b>")), QStringLiteral("c<b>d"));
        QCOMPARE(CutAfter(text, QString()), text);
        QCOMPARE(TextBefore(text, QStringLiteral("<b>")), QStringLiteral("a"));
        QCOMPARE(TextBefore(text, QStringLiteral("x")), QString());
        QCOMPARE(Span(text, QStringLiteral("c"), QStringLiteral("d")), QStringLiteral("c<b>"));
        QCOMPARE(Span(text, QStringLiteral("c"), QStringLiteral("a")), QString());
        QCOMPARE(Span(text, QStringLiteral("c"), QString()), QString());
        QCOMPARE(AfterFirstGreater(text), QStringLiteral("c<b>d"));
        QCOMPARE(RemoveFirst(text, QStringLiteral("<b>")), QStringLiteral("ac<b>d"));
        QCOMPARE(RemoveEvery(text, QStringLiteral("<B>"), Qt::CaseInsensitive), QStringLiteral("acd"));
        QCOMPARE(ThroughFirstCharOf(text, QStringLiteral("<b>")), QStringLiteral("a<"));
        QCOMPARE(ThroughFirstCharOf(text, QStringLiteral("x")), QString());
        QCOMPARE(ThroughEndOf(text, QStringLiteral("c"), 1), QStringLiteral("a<b>c<"));
        QCOMPARE(FirstLine(QStringLiteral("one\r\ntwo")), QStringLiteral("one"));
        QCOMPARE(FirstLine(QStringLiteral("one\ntwo")), QStringLiteral("one"));
        QVERIFY(!HasMarker(text, QString()));
    }

    void recordLimits()
    {
        TIMDBAward award;
        award.setOrganization(QString(120, QLatin1Char('o')));
        award.setAwardName(QString(99, QLatin1Char('n')) + QStringLiteral(" x"));
        award.setCategory(QStringLiteral("  ") + QString(90, QLatin1Char('c')));
        award.setNote(QString(200, QLatin1Char('n')));
        QCOMPARE(award.Organization().size(), 100);
        QCOMPARE(award.AwardName().size(), 99);
        QCOMPARE(award.Category().size(), 78);
        QCOMPARE(award.Note().size(), 150);
        for (const auto &[year, stored] : {std::pair{1799, 0}, {1800, 1800}, {2200, 2200}, {2201, 0}}) {
            award.setAwardYear(year);
            QCOMPARE(int(award.AwardYear()), stored);
        }
        award.setAwardResult(7);
        QCOMPARE(award.AwardResult(), 1);
        award.setAwardResult(0);
        QCOMPARE(award.AwardResult(), 0);
        TIMDBAwardRecipient recipient;
        recipient.setNote(QString(60, QLatin1Char('r')));
        QCOMPARE(recipient.Note().size(), 50);
        TIMDBTechData tech;
        tech.setData(QString(80, QLatin1Char('d')));
        tech.setDataValue(QString(120, QLatin1Char('v')));
        QCOMPARE(tech.Data().size(), 70);
        QCOMPARE(tech.DataValue().size(), 100);
        TIMDBSoundtrack song;
        song.setTitle(QString(101, QLatin1Char('t')));
        song.setPerformer(QString(201, QLatin1Char('p')));
        QCOMPARE(song.Title().size(), 100);
        QCOMPARE(song.Performer().size(), 200);
    }
};

RN_TEST_MAIN(TestTextFunctions)
#include "tst_textfunctions.moc"
