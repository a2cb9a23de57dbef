#pragma once

#include <QString>
#include <QStringList>

enum class TranslationLoad { Loaded, NotFound, NotValid };

// The offered languages: one per language/*.dat in the program folder, named by the file name
// without its extension after CapitalizeWords, in the order the folder lists them.
QStringList AvailableLanguages();
// The language file for a name, found without regard to case; empty when there is none.
QString LanguageFilePath(const QString &languageName);
// Loads the texts of the "Language" setting, English when its file is missing.
TranslationLoad LoadLanguageTexts();
// The message that ends the program when loading failed.
QString TranslationLoadMessage(TranslationLoad result);
QString GetLanguageName();
QString GetLanguageCredit();
