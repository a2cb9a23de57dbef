#include "TestSupport.h"

#include "core/ChooseLanguage.h"
#include "core/GlobalFunctions.h"
#include "core/Translations.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QSettings>

namespace {

QByteArray shippedEnglish()
{
    QFile file(qEnvironmentVariable("REELNEST_PROGRAM_FOLDER") + QStringLiteral("/language/english.dat"));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// The shipped English file with another header and a German welcome line.
QByteArray germanFile()
{
    QList<QByteArray> lines = shippedEnglish().split('\n');
    lines[0] = "Deutsch|Reelnest-Team\r";
    lines[228] = "0228 Willkommen bei\r";
    return lines.join('\n');
}

// A program folder of the test's own: language files and the shipped flags.
class ProgramFolder
{
public:
    explicit ProgramFolder(const QMap<QString, QByteArray> &languageFiles)
        : m_previous(qgetenv("REELNEST_PROGRAM_FOLDER"))
    {
        QDir().mkpath(m_dir.path() + QStringLiteral("/language"));
        for (auto it = languageFiles.cbegin(); it != languageFiles.cend(); ++it) {
            QFile file(m_dir.path() + QStringLiteral("/language/") + it.key());
            if (file.open(QIODevice::WriteOnly))
                file.write(it.value());
        }
        const QDir shippedFlags(QString::fromLocal8Bit(m_previous) + QStringLiteral("/flags"));
        QDir().mkpath(m_dir.path() + QStringLiteral("/flags"));
        for (const QString &flag : shippedFlags.entryList(QDir::Files))
            QFile::copy(shippedFlags.filePath(flag), m_dir.path() + QStringLiteral("/flags/") + flag);
        qputenv("REELNEST_PROGRAM_FOLDER", m_dir.path().toLocal8Bit());
    }
    ~ProgramFolder() { qputenv("REELNEST_PROGRAM_FOLDER", m_previous); }

private:
    QTemporaryDir m_dir;
    QByteArray m_previous;
};

} // namespace

class TestGuiLanguages : public QObject
{
    Q_OBJECT

private slots:
    void init() { QSettings(QStringLiteral("Virelon"), QStringLiteral("Reelnest")).clear(); }

    void dropDownOffersEveryLanguageWithItsFlag()
    {
        ProgramFolder folder({{QStringLiteral("english.dat"), shippedEnglish()},
                              {QStringLiteral("german.dat"), germanFile()},
                              {QStringLiteral("klingon.dat"), shippedEnglish()}});
        QComboBox box;
        box.addItem(QStringLiteral("left over"));
        QCOMPARE(FillLanguageList(&box), 3);
        QCOMPARE(box.itemText(0), QStringLiteral("English"));
        QCOMPARE(box.itemData(1).toString(), QStringLiteral("German"));
        QVERIFY(!box.itemIcon(0).isNull());
        QVERIFY(!box.itemIcon(1).isNull());
        QVERIFY(box.itemIcon(2).isNull());
    }

    void firstStartDialogSwitchesItsLanguage()
    {
        RecordingUserInterface ui;
        ProgramFolder folder({{QStringLiteral("english.dat"), shippedEnglish()},
                              {QStringLiteral("german.dat"), germanFile()},
                              {QStringLiteral("broken.dat"), "no header line\r\n"}});
        WriteSettingString(QStringLiteral("Language"), QString(), QStringLiteral("english"));
        QVERIFY(LoadTranslation());
        TChooseLanguage_frm dialog;
        QCOMPARE(dialog.languageBox()->currentText(), QStringLiteral("English"));
        QCOMPARE(dialog.windowTitle(), QStringLiteral("Welcome to Reelnest"));

        dialog.languageBox()->setCurrentIndex(dialog.languageBox()->findData(QStringLiteral("German")));
        QCOMPARE(ReadSettingString(QStringLiteral("Language"), QString()), QStringLiteral("German"));
        QCOMPARE(dialog.windowTitle(), QStringLiteral("Willkommen bei Reelnest"));
        QVERIFY(ui.messages.isEmpty());

        dialog.languageBox()->setCurrentIndex(dialog.languageBox()->findData(QStringLiteral("Broken")));
        QCOMPARE(ui.messages.size(), 1);
        QCOMPARE(ui.messages.first().text,
                 QStringLiteral("Translation file not valid. Please contact Technical Support."));
        QVERIFY(ui.endRequested());
    }

    void firstStartDialogSelectsTheStoredLanguage()
    {
        RecordingUserInterface ui;
        ProgramFolder folder(
            {{QStringLiteral("english.dat"), shippedEnglish()}, {QStringLiteral("german.dat"), germanFile()}});
        WriteSettingString(QStringLiteral("Language"), QString(), QStringLiteral("german"));
        QVERIFY(LoadTranslation());
        TChooseLanguage_frm german;
        QCOMPARE(german.languageBox()->currentText(), QStringLiteral("German"));
        WriteSettingString(QStringLiteral("Language"), QString(), QStringLiteral("Swedish"));
        TChooseLanguage_frm fallback;
        QCOMPARE(fallback.languageBox()->currentText(), QStringLiteral("English"));
    }
};

RN_GUI_TEST_MAIN(TestGuiLanguages)
#include "tst_gui_languages.moc"
