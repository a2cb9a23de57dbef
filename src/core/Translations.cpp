#include "core/Translations.h"

#include "core/GlobalFunctions.h"
#include "core/LanguageTexts.h"
#include "core/UserInterface.h"
#include "database/DM1_u.h"

#include <QDir>
#include <QFileInfo>
#include <QHash>

namespace {

ReportLanguage currentReportLanguage = ReportLanguage::English;

QDir languageFolder()
{
    return QDir(GetProgramFolder() + QStringLiteral("/language"));
}

QFileInfoList languageFiles()
{
    return languageFolder().entryInfoList({QStringLiteral("*.dat")}, QDir::Files, QDir::Name | QDir::IgnoreCase);
}

QString languageNameOfFile(const QFileInfo &file)
{
    return CapitalizeWords(file.fileName().chopped(4));
}

} // namespace

QStringList AvailableLanguages()
{
    QStringList names;
    for (const QFileInfo &file : languageFiles())
        names << languageNameOfFile(file);
    return names;
}

QList<OfferedLanguage> OfferedLanguages()
{
    QList<OfferedLanguage> languages;
    for (const QString &name : AvailableLanguages())
        languages.append({name, LanguageFlagIndex(name)});
    return languages;
}

int LanguageFlagIndex(const QString &languageName)
{
    static const QHash<QString, int> flags = {
        {QStringLiteral("english"), 0},
        {QStringLiteral("swedish"), 1},
        {QStringLiteral("german"), 2},
        {QStringLiteral("dutch"), 3},
        {QStringLiteral("portuguese"), 4},
        {QStringLiteral("french"), 5},
        {QStringLiteral("italian"), 6},
        {QStringLiteral("polish"), 7},
        {QStringLiteral("danish"), 8},
        {QStringLiteral("finnish"), 9},
        {QStringLiteral("norwegian"), 10},
        {QStringLiteral("spanish"), 11},
        {QStringLiteral("croatian"), 12},
        {QStringLiteral("serbian"), 13},
        {QStringLiteral("czech"), 14},
        {QStringLiteral("russian"), 15},
        {QStringLiteral("turkish"), 16},
        {QStringLiteral("chinese (simplified)"), 17},
        {QStringLiteral("chinese (traditional)"), 17},
        {QStringLiteral("greek"), 18},
        {QStringLiteral("persian"), 19},
        {QStringLiteral("portuguese (brazil)"), 20},
        {QStringLiteral("arabic"), 21},
        {QStringLiteral("afrikaans"), 22},
        {QStringLiteral("latvian"), 23},
    };
    return flags.value(languageName.toLower(), -1);
}

QString LanguageFlagFile(int flagIndex)
{
    if (flagIndex < 0)
        return QString();
    return GetProgramFolder() + QStringLiteral("/flags/flag%1.png").arg(flagIndex, 2, 10, QLatin1Char('0'));
}

QString LanguageFilePath(const QString &languageName)
{
    const QString wanted = languageName.trimmed() + QStringLiteral(".dat");
    for (const QFileInfo &file : languageFiles()) {
        if (file.fileName().compare(wanted, Qt::CaseInsensitive) == 0)
            return file.absoluteFilePath();
    }
    return QString();
}

TranslationLoad LoadLanguageTexts()
{
    LanguageTexts &texts = LanguageTexts::instance();
    texts.clear();
    QString file =
        LanguageFilePath(ReadSettingString(QStringLiteral("Language"), QString(), QStringLiteral("english")));
    if (file.isEmpty())
        file = LanguageFilePath(QStringLiteral("english"));
    if (file.isEmpty() || !texts.load(file))
        return TranslationLoad::NotFound;
    if (!texts.hasValidHeader())
        return TranslationLoad::NotValid;
    return TranslationLoad::Loaded;
}

QString TranslationLoadMessage(TranslationLoad result)
{
    switch (result) {
    case TranslationLoad::NotFound:
        return QStringLiteral("Translation file not found. Please contact Technical Support.");
    case TranslationLoad::NotValid:
        return QStringLiteral("Translation file not valid. Please contact Technical Support.");
    case TranslationLoad::Loaded:
        break;
    }
    return QString();
}

bool LoadTranslation()
{
    const TranslationLoad result = LoadLanguageTexts();
    if (result != TranslationLoad::Loaded) {
        UserInterface &ui = userInterface();
        ui.showMessage(MessageKind::Error, TranslationLoadMessage(result), MessageButtons::Ok);
        ui.endApplication(1);
        return false;
    }
    if (HasDM1())
        SetReportLanguage(
            ReportLanguageFor(ReadSettingString(QStringLiteral("Language"), QString(), QStringLiteral("english"))));
    return true;
}

bool ChangeProgramLanguage(const QString &languageName)
{
    // Stored tree and designer layouts carry the old language's captions.
    DeleteSettingSection(QStringLiteral("Treeview"));
    DeleteSettingSection(QStringLiteral("Report Designer"));
    WriteSettingString(QStringLiteral("Language"), QString(), languageName);
    return LoadTranslation();
}

QString GetLanguageName()
{
    return LanguageTexts::instance().headerName();
}

QString GetLanguageCredit()
{
    return LanguageTexts::instance().headerCredit();
}

ReportLanguage ReportLanguageFor(const QString &languageName)
{
    static const QHash<QString, ReportLanguage> languages = {
        {QStringLiteral("Danish"), ReportLanguage::Danish},
        {QStringLiteral("Dutch"), ReportLanguage::Dutch},
        {QStringLiteral("French"), ReportLanguage::French},
        {QStringLiteral("German"), ReportLanguage::German},
        {QStringLiteral("Italian"), ReportLanguage::Italian},
        {QStringLiteral("Norwegian"), ReportLanguage::Norwegian},
        {QStringLiteral("Portuguese"), ReportLanguage::Portuguese},
        {QStringLiteral("Spanish"), ReportLanguage::Spanish},
        {QStringLiteral("Swedish"), ReportLanguage::Swedish},
    };
    return languages.value(languageName, ReportLanguage::English);
}

ReportLanguage CurrentReportLanguage()
{
    return currentReportLanguage;
}

void SetReportLanguage(ReportLanguage language)
{
    currentReportLanguage = language;
}
