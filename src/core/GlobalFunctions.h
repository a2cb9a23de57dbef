#pragma once

#include <QDateTime>
#include <QString>

#include <stdexcept>

// The settings store: a value name inside a section under "Virelon/Reelnest". A section may hold
// "\" for nested sections; a blank section is the root. Reads never create anything; each call
// opens the store by itself so nothing is cached between calls.

// A value stored with another kind than the one asked for.
class SettingKindError : public std::runtime_error
{
public:
    SettingKindError(const QString &name, const QString &section);
};

QString ReadSettingString(const QString &name, const QString &section, const QString &defaultValue = QString());
int ReadSettingInteger(const QString &name, const QString &section, int defaultValue);
bool ReadSettingBool(const QString &name, const QString &section, bool defaultValue);
// The same reads for places that must go on with a damaged setting: a value of another kind counts
// as missing and gives the default.
QString ReadSettingStringLenient(const QString &name, const QString &section, const QString &defaultValue = QString());
int ReadSettingIntegerLenient(const QString &name, const QString &section, int defaultValue);
bool ReadSettingBoolLenient(const QString &name, const QString &section, bool defaultValue);
// The zero date-time when the value is missing.
QDateTime ReadSettingDate(const QString &name, const QString &section);
bool WriteSettingString(const QString &name, const QString &section, const QString &value);
bool WriteSettingInteger(const QString &name, const QString &section, int value);
bool WriteSettingBool(const QString &name, const QString &section, bool value);
bool WriteSettingDate(const QString &name, const QString &section, const QDateTime &value);
bool DeleteSettingSection(const QString &section);
bool SettingExists(const QString &name, const QString &section);

// Date-times as day counts from 1899-12-30, the fraction being the time of day. Day 0 is the
// zero date that stands for "no date" everywhere.
QDateTime ZeroDateTime();
bool IsZeroDate(const QDateTime &value);
double DateTimeToDayCount(const QDateTime &value);
QDateTime DayCountToDateTime(double days);

// Application folders. The three data folders end with "/".
QString GetDatabaseFolder();
QString GetReportsFolder();
QString GetTempFolder();
QString GetProgramFolder();
// Creates the temporary, database and reports folders, in that order.
void ForceDataFolders();

// Language texts of the loaded language file.
QString GetText(int n);
QString GetTextWithArg(int n, const QString &value);

// Shows the standard error box; always true.
bool ShowErrorBox(const QString &problem, const QString &solution, const QString &detail);
// The text of that box, T(n) being language text n; lines are separated by "\n".
QString ErrorBoxText(const QString &problem, const QString &solution, const QString &detail);

void ShowWait(const QString &message, int maxProgress = 0);
void SetWaitProgress(int position);
void HideWait();

QString FormatFileSize(qint64 bytes);
QString FormatMinutes(int minutes, bool longForm);
QString CapitalizeWords(const QString &text);
// Setting "Use AutoFormat" decides whether anything changes; the main window keeps it.
QChar AutoCapitalizeChar(const QString &text, QChar ch, int position, bool autoFormat);
bool IsCapitalizeSeparator(QChar ch);
bool IsNumber(const QString &text);
QString KeepAlphanumerics(const QString &text);
bool CopyFileContents(const QString &source, const QString &destination);
bool DeleteToRecycleBin(const QString &path);

QString GetViewFontName();
int GetViewFontSize();

// SQL text helpers: the one quoting function for text values, and dates as 'YYYY-MM-DD'.
QString QuotedStr(const QString &text);
QString SqlDate(const QDate &date);
