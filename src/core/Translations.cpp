#include "core/Translations.h"

#include "core/GlobalFunctions.h"
#include "core/LanguageTexts.h"

#include <QDir>
#include <QFileInfo>

namespace {
QDir languageFolder()
{
    return QDir(GetProgramFolder() + QStringLiteral("/language"));
}
} // namespace

QStringList AvailableLanguages()
{
    QStringList names;
    const QFileInfoList files =
        languageFolder().entryInfoList({QStringLiteral("*.dat")}, QDir::Files, QDir::Name | QDir::IgnoreCase);
    for (const QFileInfo &file : files)
        names << CapitalizeWords(file.fileName().chopped(4));
    return names;
}

QString LanguageFilePath(const QString &languageName)
{
    const QString wanted = languageName.trimmed() + QStringLiteral(".dat");
    const QFileInfoList files = languageFolder().entryInfoList({QStringLiteral("*.dat")}, QDir::Files);
    for (const QFileInfo &file : files) {
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

QString GetLanguageName()
{
    return LanguageTexts::instance().headerName();
}

QString GetLanguageCredit()
{
    return LanguageTexts::instance().headerCredit();
}
