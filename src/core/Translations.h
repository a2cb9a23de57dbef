#pragma once

#include <QList>
#include <QString>
#include <QStringList>

enum class TranslationLoad { Loaded, NotFound, NotValid };

// The offered languages: one per language/*.dat in the program folder, named by the file name
// without its extension after CapitalizeWords, in the order the folder lists them.
QStringList AvailableLanguages();

// A language as the drop-downs offer it: its name and its flag (-1: none).
struct OfferedLanguage
{
    QString name;
    int flagIndex = -1;
};
QList<OfferedLanguage> OfferedLanguages();
// The flag of a language name (compared in lower case); -1 for a language without one.
int LanguageFlagIndex(const QString &languageName);
// The picture file of a flag in the program folder; empty for -1.
QString LanguageFlagFile(int flagIndex);

// The language file for a name, found without regard to case; empty when there is none.
QString LanguageFilePath(const QString &languageName);
// Loads the texts of the "Language" setting, English when its file is missing.
TranslationLoad LoadLanguageTexts();
// The message that ends the program when loading failed.
QString TranslationLoadMessage(TranslationLoad result);
// Loads the language texts for the whole program. When no usable file is found the user is told
// why and the program is ended (false). Once the data module exists, the report language follows
// the "Language" setting.
bool LoadTranslation();
// The language change of the options dialog: forgets the layouts stored with the old language's
// captions, stores the new language and loads it.
bool ChangeProgramLanguage(const QString &languageName);

QString GetLanguageName();
QString GetLanguageCredit();

// The languages the report designer and previewer know; anything else shows them in English.
enum class ReportLanguage { English, Danish, Dutch, French, German, Italian, Norwegian, Portuguese, Spanish, Swedish };
// The report language for a language name: exact, case-sensitive names select their language.
ReportLanguage ReportLanguageFor(const QString &languageName);
// The report language chosen last; the report designer and previewer read it.
ReportLanguage CurrentReportLanguage();
void SetReportLanguage(ReportLanguage language);
