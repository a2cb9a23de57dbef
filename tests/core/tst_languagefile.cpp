#include "TestSupport.h"

#include "core/GlobalFunctions.h"
#include "core/LanguageTexts.h"
#include "core/TextNumbers.h"

#include <QDirIterator>
#include <QFile>
#include <QRegularExpression>

namespace {

QString sourceFile(const QString &relative)
{
    return qEnvironmentVariable("REELNEST_SOURCE_DIR") + QLatin1Char('/') + relative;
}

QString englishFile()
{
    return sourceFile(QStringLiteral("data/language/english.dat"));
}

// Every "GetText(123" or "GetTextWithArg(123" written with a plain number in the program's sources.
QMap<int, QString> literalTextNumbers()
{
    QMap<int, QString> numbers;
    const QRegularExpression call(QStringLiteral("GetText(?:WithArg)?\\(\\s*(\\d+)"));
    QDirIterator it(sourceFile(QStringLiteral("src")), {QStringLiteral("*.cpp"), QStringLiteral("*.h")}, QDir::Files,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        QFile file(path);
        if (!file.open(QIODevice::ReadOnly))
            continue;
        const QString code = QString::fromUtf8(file.readAll());
        for (const QRegularExpressionMatch &m : call.globalMatch(code))
            numbers.insert(m.captured(1).toInt(), path);
    }
    return numbers;
}

} // namespace

class TestLanguageFile : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { QVERIFY(LanguageTexts::instance().load(englishFile())); }

    void everyLineIsNumberedInOrder()
    {
        const LanguageTexts &texts = LanguageTexts::instance();
        QVERIFY(texts.hasValidHeader());
        QCOMPARE(texts.headerName(), QStringLiteral("English"));
        QVERIFY(!texts.headerCredit().isEmpty());
        for (int n = 1; n < texts.lineCount(); ++n) {
            const QString line = texts.lines().at(n);
            QVERIFY2(line.startsWith(QStringLiteral("%1 ").arg(n, 4, 10, QLatin1Char('0'))),
                     qPrintable(QStringLiteral("line %1: \"%2\"").arg(n).arg(line)));
        }
    }

    void everyTextTheProgramAsksForIsThere()
    {
        for (const Txt::Entry &entry : Txt::AllUsed) {
            QString text;
            const QString what = QStringLiteral("%1 (%2)").arg(QLatin1String(entry.name)).arg(entry.number);
            QVERIFY2(LanguageTexts::instance().text(entry.number, &text), qPrintable(what + " is missing"));
            QVERIFY2(!text.isEmpty(), qPrintable(what + " is empty"));
            // A text that takes a value needs its place holder; any other would show "%s" to the user.
            QVERIFY2(text.count(QStringLiteral("%s"), Qt::CaseInsensitive) == (entry.withArg ? 1 : 0),
                     qPrintable(what + ": \"" + text + "\""));
        }
    }

    void numbersWrittenInTheCodeAreThereToo()
    {
        const QMap<int, QString> numbers = literalTextNumbers();
        for (auto it = numbers.cbegin(); it != numbers.cend(); ++it) {
            QString text;
            QVERIFY2(LanguageTexts::instance().text(it.key(), &text) && !text.isEmpty(),
                     qPrintable(QStringLiteral("text %1 asked for in %2").arg(it.key()).arg(it.value())));
        }
    }
};

RN_TEST_MAIN(TestLanguageFile)
#include "tst_languagefile.moc"
