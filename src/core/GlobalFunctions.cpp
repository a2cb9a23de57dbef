#include "core/GlobalFunctions.h"

#include "core/LanguageTexts.h"
#include "core/TextNumbers.h"
#include "core/UserInterface.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QFontDatabase>
#include <QLocale>
#include <QRegularExpression>
#include <QSettings>
#include <QStandardPaths>

#include <cmath>

namespace {

const QString kOrganization = QStringLiteral("Virelon");
const QString kApplication = QStringLiteral("Reelnest");

// "Options\Download" becomes the group "Options/Download"; blank is the root.
QString settingsGroup(const QString &section)
{
    QString group = section.trimmed();
    group.replace(QLatin1Char('\\'), QLatin1Char('/'));
    while (group.endsWith(QLatin1Char('/')))
        group.chop(1);
    return group;
}

class SettingsKey
{
public:
    explicit SettingsKey(const QString &section)
        : m_store(kOrganization, kApplication)
    {
        const QString group = settingsGroup(section);
        if (!group.isEmpty())
            m_store.beginGroup(group);
    }
    QSettings &operator*() { return m_store; }
    QSettings *operator->() { return &m_store; }

    bool write(const QString &name, const QVariant &value)
    {
        if (!m_store.isWritable())
            return false;
        m_store.setValue(name, value);
        m_store.sync();
        return m_store.status() == QSettings::NoError;
    }

private:
    QSettings m_store;
};

// Integers and booleans read back from the native store may come as text (INI) or as numbers
// (registry); anything that is not a whole number is a value of another kind.
int storedInteger(const QVariant &value, const QString &name, const QString &section)
{
    bool ok = false;
    const int result = value.toString().trimmed().toInt(&ok);
    if (!ok)
        throw SettingKindError(name, section);
    return result;
}

QString composedDataFolder(const QString &subFolder, const QString &networkFallback)
{
    const QString base = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
    const QString composed = base + QStringLiteral("/Reelnest/") + subFolder + QLatin1Char('/');
#ifdef Q_OS_WIN
    // The application data folder on a network share cannot hold databases.
    if (QDir::toNativeSeparators(composed).startsWith(QStringLiteral("\\\\"))) {
        QDir().mkpath(networkFallback);
        return networkFallback;
    }
#else
    Q_UNUSED(networkFallback);
#endif
    return composed;
}

QString withTrailingSlash(QString path)
{
    if (!path.endsWith(QLatin1Char('/')) && !path.endsWith(QLatin1Char('\\')))
        path += QLatin1Char('/');
    return path;
}

QString languageFileProblem()
{
    return QStringLiteral("There is a problem with your language file. Please contact technical support");
}

QString timeSeparator()
{
    const QString format = QLocale().timeFormat(QLocale::ShortFormat);
    const qsizetype hour = format.indexOf(QRegularExpression(QStringLiteral("[hH]")));
    for (qsizetype i = hour + 1; hour >= 0 && i < format.size(); ++i) {
        const QChar c = format.at(i);
        if (c != QLatin1Char('h') && c != QLatin1Char('H'))
            return QString(c);
    }
    return QStringLiteral(":");
}

} // namespace

SettingKindError::SettingKindError(const QString &name, const QString &section)
    : std::runtime_error(QStringLiteral("The setting \"%1\" in \"%2\" holds a value of another kind.")
                             .arg(name, section)
                             .toStdString())
{}

QString ReadSettingString(const QString &name, const QString &section, const QString &defaultValue)
{
    SettingsKey key(section);
    if (!key->contains(name))
        return defaultValue;
    return key->value(name).toString();
}

int ReadSettingInteger(const QString &name, const QString &section, int defaultValue)
{
    SettingsKey key(section);
    if (!key->contains(name))
        return defaultValue;
    return storedInteger(key->value(name), name, section);
}

bool ReadSettingBool(const QString &name, const QString &section, bool defaultValue)
{
    SettingsKey key(section);
    if (!key->contains(name))
        return defaultValue;
    return storedInteger(key->value(name), name, section) != 0;
}

QString ReadSettingStringLenient(const QString &name, const QString &section, const QString &defaultValue)
{
    try {
        return ReadSettingString(name, section, defaultValue);
    } catch (const SettingKindError &) {
        return defaultValue;
    }
}

int ReadSettingIntegerLenient(const QString &name, const QString &section, int defaultValue)
{
    try {
        return ReadSettingInteger(name, section, defaultValue);
    } catch (const SettingKindError &) {
        return defaultValue;
    }
}

bool ReadSettingBoolLenient(const QString &name, const QString &section, bool defaultValue)
{
    try {
        return ReadSettingBool(name, section, defaultValue);
    } catch (const SettingKindError &) {
        return defaultValue;
    }
}

QDateTime ReadSettingDate(const QString &name, const QString &section)
{
    SettingsKey key(section);
    if (!key->contains(name))
        return ZeroDateTime();
    bool ok = false;
    const double days = key->value(name).toString().toDouble(&ok);
    if (!ok)
        throw SettingKindError(name, section);
    return DayCountToDateTime(days);
}

bool WriteSettingString(const QString &name, const QString &section, const QString &value)
{
    return SettingsKey(section).write(name, value);
}

bool WriteSettingInteger(const QString &name, const QString &section, int value)
{
    return SettingsKey(section).write(name, value);
}

bool WriteSettingBool(const QString &name, const QString &section, bool value)
{
    return SettingsKey(section).write(name, value ? 1 : 0);
}

bool WriteSettingDate(const QString &name, const QString &section, const QDateTime &value)
{
    return SettingsKey(section).write(name, QString::number(DateTimeToDayCount(value), 'g', 17));
}

bool DeleteSettingSection(const QString &section)
{
    const QString group = settingsGroup(section);
    // Deleting the root would wipe every setting of the program.
    if (group.isEmpty())
        return false;
    SettingsKey key(section);
    if (key->childKeys().isEmpty() && key->childGroups().isEmpty())
        return false;
    if (!key->isWritable())
        return false;
    key->remove(QString());
    key->sync();
    return key->status() == QSettings::NoError;
}

bool SettingExists(const QString &name, const QString &section)
{
    return SettingsKey(section)->contains(name);
}

QDateTime ZeroDateTime()
{
    return QDateTime(QDate(1899, 12, 30), QTime(0, 0));
}

bool IsZeroDate(const QDateTime &value)
{
    return !value.isValid() || value == ZeroDateTime();
}

double DateTimeToDayCount(const QDateTime &value)
{
    if (!value.isValid())
        return 0;
    const qint64 days = ZeroDateTime().date().daysTo(value.date());
    const double fraction = value.time().msecsSinceStartOfDay() / 86400000.0;
    return days + fraction;
}

QDateTime DayCountToDateTime(double days)
{
    const double whole = std::floor(days);
    const QDate date = ZeroDateTime().date().addDays(static_cast<qint64>(whole));
    const int msecs = static_cast<int>(std::llround((days - whole) * 86400000.0));
    return QDateTime(date, QTime(0, 0)).addMSecs(msecs);
}

QString GetDatabaseFolder()
{
    return composedDataFolder(QStringLiteral("DB"), QStringLiteral("c:/db/"));
}

QString GetReportsFolder()
{
    if (SettingExists(QStringLiteral("ReportsFolder"), QString())) {
        const QString folder = ReadSettingString(QStringLiteral("ReportsFolder"), QString());
        if (!folder.trimmed().isEmpty() && QFileInfo(folder).isDir())
            return withTrailingSlash(folder);
    }
    return composedDataFolder(QStringLiteral("Reports"), QStringLiteral("c:/db/reelnest reports/"));
}

QString GetTempFolder()
{
    return composedDataFolder(QStringLiteral("Temp"), QStringLiteral("c:/temp/"));
}

QString GetProgramFolder()
{
    const QString overridden = qEnvironmentVariable("REELNEST_PROGRAM_FOLDER");
    if (!overridden.isEmpty())
        return QDir::cleanPath(overridden);
    const QString executableFolder = QCoreApplication::applicationDirPath();
    if (QFileInfo(executableFolder + QStringLiteral("/language")).isDir())
        return executableFolder;
    return QDir::cleanPath(executableFolder + QStringLiteral("/../share/reelnest"));
}

void ForceDataFolders()
{
    QDir().mkpath(GetTempFolder());
    QDir().mkpath(GetDatabaseFolder());
    QDir().mkpath(GetReportsFolder());
}

QString GetText(int n)
{
    QString text;
    if (!LanguageTexts::instance().text(n, &text)) {
        userInterface().showMessage(MessageKind::Information, languageFileProblem(), MessageButtons::Ok);
        return QString();
    }
    return text;
}

QString GetTextWithArg(int n, const QString &value)
{
    QString text = GetText(n);
    const qsizetype at = text.indexOf(QStringLiteral("%s"), 0, Qt::CaseInsensitive);
    if (at < 0)
        return text;
    // The value goes in after the marker, then the marker goes: a "%s" in the value stays.
    text.insert(at + 2, value);
    text.remove(at, 2);
    return text;
}

QString ErrorBoxText(const QString &problem, const QString &solution, const QString &detail)
{
    QStringList lines{GetText(Txt::ErrorHeading), QString()};
    if (!problem.trimmed().isEmpty()) {
        lines << GetText(Txt::ErrorProblem) + QLatin1Char(':') << problem << QString();
        if (!solution.trimmed().isEmpty())
            lines << GetText(Txt::ErrorSolution) + QLatin1Char(':') << solution << QString();
    }
    lines << GetText(Txt::ErrorDetail) + QLatin1Char(':') << detail;
    return lines.join(QLatin1Char('\n'));
}

bool ShowErrorBox(const QString &problem, const QString &solution, const QString &detail)
{
    UserInterface &ui = userInterface();
    ui.setBusyCursor(false);
    const MessageButtons buttons = problem.trimmed().isEmpty() ? MessageButtons::AbortRetry : MessageButtons::Ok;
    ui.showMessage(MessageKind::Error, ErrorBoxText(problem, solution, detail), buttons);
    return true;
}

void ShowWait(const QString &message, int maxProgress)
{
    userInterface().showWait(message, maxProgress);
}

void SetWaitProgress(int position)
{
    userInterface().setWaitProgress(position);
}

void HideWait()
{
    userInterface().hideWait();
}

QString FormatFileSize(qint64 bytes)
{
    const QLocale locale;
    if (bytes == 0)
        return QString();
    if (bytes < 1024)
        return locale.toString(bytes) + QStringLiteral(" b");
    if (bytes < 102400)
        return locale.toString(bytes / 1024.0, 'f', 1) + QStringLiteral(" kb");
    if (bytes >= 1024000000LL)
        return locale.toString(bytes / 1.024e9, 'f', 1) + QStringLiteral(" GB");
    return locale.toString(bytes / 1024000.0, 'f', 1) + QStringLiteral(" MB");
}

QString FormatMinutes(int minutes, bool longForm)
{
    if (minutes <= 0)
        return QString();
    const int hours = minutes / 60;
    const int rest = minutes - 60 * hours;
    if (longForm)
        return QStringLiteral("%1 %2 %3 %4")
            .arg(hours)
            .arg(GetText(Txt::HoursShort))
            .arg(rest)
            .arg(GetText(Txt::MinutesShort));
    return QString::number(hours) + timeSeparator() + QStringLiteral("%1").arg(rest, 2, 10, QLatin1Char('0'));
}

bool IsCapitalizeSeparator(QChar ch)
{
    static const QString separators = QStringLiteral(" (\".,/-:&\\");
    return separators.contains(ch);
}

QString CapitalizeWords(const QString &text)
{
    QString result = text;
    for (qsizetype i = 0; i < result.size(); ++i) {
        if (i == 0 || IsCapitalizeSeparator(result.at(i - 1)))
            result[i] = result.at(i).toUpper();
    }
    return result;
}

QChar AutoCapitalizeChar(const QString &text, QChar ch, int position, bool autoFormat)
{
    if (!autoFormat)
        return ch;
    if (position > 0 && position <= text.size() && !IsCapitalizeSeparator(text.at(position - 1)))
        return ch;
    if (ch >= QLatin1Char('a') && ch <= QLatin1Char('z'))
        return ch.toUpper();
    return ch;
}

bool IsNumber(const QString &text)
{
    bool ok = false;
    QLocale().toDouble(text.trimmed(), &ok);
    return ok;
}

QString KeepAlphanumerics(const QString &text)
{
    QString result;
    for (const QChar c : text) {
        if ((c >= QLatin1Char('0') && c <= QLatin1Char('9')) || (c >= QLatin1Char('A') && c <= QLatin1Char('Z')) ||
            (c >= QLatin1Char('a') && c <= QLatin1Char('z')))
            result += c;
    }
    return result;
}

bool CopyFileContents(const QString &source, const QString &destination)
{
    QFile in(source);
    if (!in.open(QIODevice::ReadOnly))
        return false;
    QFile out(destination);
    if (!out.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return false;
    while (!in.atEnd()) {
        const QByteArray chunk = in.read(1 << 20);
        if (chunk.isEmpty() && in.error() != QFile::NoError)
            return false;
        if (out.write(chunk) != chunk.size())
            return false;
    }
    return out.flush();
}

bool DeleteToRecycleBin(const QString &path)
{
    if (!QFileInfo::exists(path))
        return false;
    return QFile::moveToTrash(path);
}

QString GetViewFontName()
{
    const QString section = QStringLiteral("Font\\Views");
    if (SettingExists(QStringLiteral("Name"), section))
        return ReadSettingString(QStringLiteral("Name"), section);
    return QFontDatabase::systemFont(QFontDatabase::GeneralFont).family();
}

int GetViewFontSize()
{
    return ReadSettingInteger(QStringLiteral("Size"), QStringLiteral("Font\\Views"), 9);
}

QString QuotedStr(const QString &text)
{
    QString doubled = text;
    doubled.replace(QLatin1Char('\''), QStringLiteral("''"));
    return QLatin1Char('\'') + doubled + QLatin1Char('\'');
}

QString SqlDate(const QDate &date)
{
    return QLatin1Char('\'') + date.toString(QStringLiteral("yyyy-MM-dd")) + QLatin1Char('\'');
}
