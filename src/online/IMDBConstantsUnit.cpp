#include "online/IMDBConstantsUnit.h"

#include "core/GlobalFunctions.h"
#include "core/TextNumbers.h"
#include "core/UserInterface.h"
#include "online/DefinitionsCipher.h"
#include "online/IMDBHelperClassUnit.h"

#include <QDate>
#include <QDomDocument>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QSaveFile>
#include <QTextStream>

#include <array>

std::function<void(const UpdateNotice &)> OnUpdateNotice;

namespace {

constexpr int kKeyCount = static_cast<int>(DefKey::Count);

const std::array<const char *, kKeyCount> &keyNames()
{
    static const std::array<const char *, kKeyCount> names = {
#define RN_DEFINITION_NAME(name) #name "=",
        RN_DEFINITION_KEYS(RN_DEFINITION_NAME)
#undef RN_DEFINITION_NAME
    };
    return names;
}

std::array<QString, kKeyCount> &table()
{
    static std::array<QString, kKeyCount> values;
    return values;
}

UpdateNotice &notice()
{
    static UpdateNotice current;
    return current;
}

const QString kFileName = QStringLiteral("mdd2e.txt");
// A definitions file of this many lines or fewer is no definitions file.
constexpr int kMinimumLines = 60;

bool readLines(const QString &path, QStringList *lines, QString *error)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        if (error)
            *error = QStringLiteral("Cannot open file \"%1\": %2").arg(path, file.errorString());
        return false;
    }
    const QString content = QString::fromUtf8(file.readAll());
    *lines = content.split(QLatin1Char('\n'));
    // A final line break does not start another line.
    if (!lines->isEmpty() && lines->last().isEmpty())
        lines->removeLast();
    for (QString &line : *lines) {
        if (line.endsWith(QLatin1Char('\r')))
            line.chop(1);
    }
    return true;
}

int toNumber(const QString &text)
{
    bool ok = false;
    const int value = text.trimmed().toInt(&ok);
    return ok ? value : 0;
}

bool checkIsDue()
{
    try {
        const QDateTime last = ReadSettingDate(QStringLiteral("LastUpdateCheck"), QString());
        return IsZeroDate(last) || QDate::currentDate() > last.date();
    } catch (const std::exception &) {
        return false;
    }
}

void showUpdateNotice()
{
    UpdateNotice &current = notice();
    current.shown = true;
    current.text = GetText(Txt::UpdateAvailable);
    current.url = Definition(DefKey::APP_PRO_DOWNLOAD);
    if (OnUpdateNotice)
        OnUpdateNotice(current);
}

// A page served in place of the file (an error page, a portal) has enough lines too; only a file
// that deciphers to a definitions version may replace the working copy.
bool holdsDefinitions(const QStringList &lines)
{
    QStringList plain;
    for (const QString &line : lines)
        plain << DecryptStr(line);
    return toNumber(GetDefinitionValue(DefinitionKeyText(DefKey::IMDB_DEFINITIONS_VERSION), plain)) > 0;
}

// Replaces the working copy by a newer file from the update server.
void downloadDefinitions(const QString &server)
{
    const QString temp = GetTempFolder() + QStringLiteral("mdd2e.temp");
    QFile::remove(temp);
    const QString address =
        server + QStringLiteral("/reelnest/mdd2e.txt?") + QString::number(QRandomGenerator::global()->bounded(32000));
    DownloadToFile(address, temp);
    if (!QFileInfo::exists(temp))
        return;
    QStringList lines;
    if (!readLines(temp, &lines, nullptr))
        return;
    if (lines.size() > kMinimumLines && holdsDefinitions(lines)) {
        // Written whole or not at all: the working copy is what every page fetch reads.
        QSaveFile out(DefinitionsWorkingCopyPath());
        if (out.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
            QTextStream stream(&out);
            for (const QString &line : lines)
                stream << line << "\r\n";
            stream.flush();
            if (out.commit())
                QFile::remove(temp);
        }
    }
    LoadDefinitions();
}

} // namespace

QString DefinitionKeyText(DefKey key)
{
    return QLatin1String(keyNames().at(static_cast<size_t>(key)));
}

QString Definition(DefKey key)
{
    return table().at(static_cast<size_t>(key));
}

QStringList DefinitionTableLines()
{
    QStringList lines;
    for (int i = 0; i < kKeyCount; ++i)
        lines << QLatin1String(keyNames().at(i)) + table().at(i);
    return lines;
}

QString GetDefinitionValue(const QString &key, const QStringList &decipheredLines)
{
    if (key.isEmpty())
        return QString();
    for (const QString &line : decipheredLines) {
        if (line.startsWith(key))
            return TrimText(line.mid(key.size()));
    }
    return QString();
}

void ApplyDefinitionLines(const QStringList &decipheredLines)
{
    for (int i = 0; i < kKeyCount; ++i)
        table().at(i) = GetDefinitionValue(QLatin1String(keyNames().at(i)), decipheredLines);
}

void ClearDefinitions()
{
    for (QString &value : table())
        value.clear();
}

QString DefinitionsWorkingCopyPath()
{
    return GetTempFolder() + kFileName;
}

QString DefinitionsInstalledCopyPath()
{
    return GetProgramFolder() + QLatin1Char('/') + kFileName;
}

bool LoadDefinitions(QString *error)
{
    const QString working = DefinitionsWorkingCopyPath();
    if (!QFileInfo::exists(working)) {
        const QString installed = DefinitionsInstalledCopyPath();
        if (!QFileInfo::exists(installed)) {
            ClearDefinitions();
            if (error)
                *error = QStringLiteral("Cannot open the definitions file \"%1\": it does not exist, and there is "
                                        "no installed copy \"%2\" to start from.")
                             .arg(working, installed);
            return false;
        }
        QFile::remove(working);
        if (!QFile::copy(installed, working)) {
            ClearDefinitions();
            if (error)
                *error = QStringLiteral("Cannot copy the definitions file \"%1\" to \"%2\".").arg(installed, working);
            return false;
        }
    }
    return LoadDefinitionsFile(working, error);
}

bool LoadDefinitionsFile(const QString &path, QString *error)
{
    QStringList lines;
    if (!readLines(path, &lines, error)) {
        ClearDefinitions();
        return false;
    }
    for (QString &line : lines)
        line = DecryptStr(line);
    ApplyDefinitionLines(lines);
    return true;
}

int DefinitionsVersion()
{
    return toNumber(Definition(DefKey::IMDB_DEFINITIONS_VERSION));
}

QString DefinitionsVersionLabel()
{
    return QStringLiteral("MDD File version 2.") + QString::number(DefinitionsVersion());
}

QString UpdateServerAddress()
{
    QString server = ReadSettingString(QStringLiteral("UpdateServer"), QString()).trimmed();
    while (server.endsWith(QLatin1Char('/')))
        server.chop(1);
    return server;
}

quint16 ProgramBuildNumber()
{
    return static_cast<quint16>(REELNEST_BUILD_NUMBER);
}

const UpdateNotice &CurrentUpdateNotice()
{
    return notice();
}

void CheckForUpdates(bool force)
{
    if (!force && !checkIsDue())
        return;

    const QString server = UpdateServerAddress();
    if (!server.isEmpty()) {
        QDomDocument document;
        const QString text = FetchPage(server + QStringLiteral("/reelnest/rnzversion.xml"));
        if (!text.isEmpty() && document.setContent(text)) {
            const QDomElement version = document.documentElement().firstChildElement(QStringLiteral("version"));
            if (!force && ProgramBuildNumber() < toNumber(Definition(DefKey::APP_LATEST_BUILD)))
                showUpdateNotice();
            const int latest = toNumber(version.firstChildElement(QStringLiteral("LatestMDD2File")).text());
            if (latest > DefinitionsVersion())
                downloadDefinitions(server);
        }
    }
    WriteSettingDate(QStringLiteral("LastUpdateCheck"), QString(), QDateTime(QDate::currentDate(), QTime(0, 0)));
}

void StartDefinitions()
{
    QString error;
    if (!LoadDefinitions(&error))
        userInterface().showApplicationError(error);
    CheckForUpdates(false);
}
