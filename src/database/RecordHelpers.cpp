#include "database/RecordHelpers.h"

#include "core/GlobalFunctions.h"
#include "core/TextNumbers.h"
#include "core/UserInterface.h"
#include "database/DM1_u.h"
#include "database/FbQuery.h"

#include <climits>
#include <cmath>
#include <optional>

namespace {

std::optional<int> minimumAutoCounter;

// The first column of the first row; a null QVariant when there is no row, nothing to ask or a
// failure.
QVariant scalarOrNull(const QString &sql, bool *ok = nullptr)
{
    if (ok)
        *ok = false;
    FbConnection *connection = OpenMainConnection();
    if (!connection)
        return QVariant();
    try {
        const QVariant value = FbQuery::scalar(*connection, sql);
        if (ok)
            *ok = true;
        return value;
    } catch (const FbError &) {
        return QVariant();
    }
}

bool executeQuietly(const QString &sql)
{
    FbConnection *connection = OpenMainConnection();
    if (!connection)
        return false;
    try {
        FbQuery::execute(*connection, sql);
        return true;
    } catch (const FbError &) {
        return false;
    }
}

// MAX(keyColumn) + 1 as a whole number, 1 for an empty table; -1 on failure.
qint64 nextKeyValue(const QString &table, const QString &keyColumn)
{
    bool ok = false;
    const QVariant max = scalarOrNull(QStringLiteral("select MAX(%1) from %2").arg(keyColumn, table), &ok);
    if (!ok)
        return -1;
    return (max.isNull() ? 0 : std::llround(max.toDouble())) + 1;
}

QStringList distinctValues(const QString &sql, bool *ok)
{
    QStringList values;
    if (ok)
        *ok = false;
    FbConnection *connection = OpenMainConnection();
    if (!connection)
        return values;
    try {
        FbQuery query(*connection);
        query.setSql(sql);
        query.open();
        while (query.next()) {
            const QString value = query.value(0).toString();
            if (!value.trimmed().isEmpty())
                values << value;
        }
        if (ok)
            *ok = true;
    } catch (const FbError &) {
        // The list keeps what was read.
    }
    return values;
}

} // namespace

FbConnection *OpenMainConnection()
{
    if (!HasDM1())
        return nullptr;
    FbConnection &connection = DM1().MainConnection;
    if (!connection.isConnected() || !connection.inTransaction())
        return nullptr;
    return &connection;
}

KeyRangeError::KeyRangeError(const QString &table, const QString &keyColumn, double nextKey)
    : std::runtime_error(QStringLiteral("No new row can be added to %1: its next key (%2 %3) is larger than the "
                                        "largest key the column holds exactly (%4). A row with this key would "
                                        "overwrite the meaning of an existing one.")
                             .arg(table, keyColumn, SqlKey(nextKey), SqlKey(MaxExactFloatKey))
                             .toStdString())
{}

QString SqlKey(double key)
{
    if (std::floor(key) == key && std::fabs(key) < 9e15)
        return QString::number(static_cast<qint64>(key));
    return QString::number(key, 'g', 17);
}

double NextKey(const QString &table, const QString &keyColumn)
{
    const qint64 next = nextKeyValue(table, keyColumn);
    if (next < 0)
        return -1;
    if (next > MaxExactFloatKey)
        throw KeyRangeError(table, keyColumn, static_cast<double>(next));
    return static_cast<double>(next);
}

int NextKeyInt(const QString &table, const QString &keyColumn)
{
    const qint64 next = nextKeyValue(table, keyColumn);
    if (next < 0)
        return -1;
    if (next > INT_MAX)
        throw KeyRangeError(table, keyColumn, static_cast<double>(next));
    return static_cast<int>(next);
}

int LookupId(const QString &table, const QString &idColumn, const QString &name)
{
    if (name.trimmed().isEmpty())
        return -1;
    const QVariant id = scalarOrNull(
        QStringLiteral("select %1 from %2 where lower(NAME) = %3").arg(idColumn, table, QuotedStr(name.toLower())));
    return id.isNull() ? -1 : static_cast<int>(std::llround(id.toDouble()));
}

QString LookupValue(const QString &table, const QString &keyColumn, const QString &valueColumn,
                    const QString &keyLiteral)
{
    if (keyLiteral.trimmed().isEmpty())
        return QString();
    return scalarOrNull(
               QStringLiteral("select %1 from %2 where %3 = %4").arg(valueColumn, table, keyColumn, keyLiteral))
        .toString();
}

int AddLookupIfMissing(const QString &table, const QString &idColumn, const QString &name)
{
    if (name.trimmed().isEmpty())
        return -1;
    const int existing = LookupId(table, idColumn, name);
    if (existing != -1)
        return existing;
    const double key = NextKey(table, idColumn);
    if (key < 0)
        return -1;
    const bool inserted = executeQuietly(QStringLiteral("insert into %1 (%2, NAME) values (%3, %4)")
                                             .arg(table, idColumn, SqlKey(key), QuotedStr(CapitalizeWords(name))));
    return inserted ? static_cast<int>(key) : -1;
}

void AddLinkRow(const QString &linkTable, const QString &lookupTable, const QString &idColumn, const QString &name,
                double movieId)
{
    executeQuietly(QStringLiteral("insert into %1 (MOVIE_ID, %2) values (%3, %4)")
                       .arg(linkTable, idColumn, SqlKey(movieId))
                       .arg(LookupId(lookupTable, idColumn, name)));
}

bool DeleteRows(const QString &table, const QString &column, const QString &valueLiteral)
{
    return executeQuietly(QStringLiteral("delete from %1 where %2 = %3").arg(table, column, valueLiteral));
}

double MediaIdOfMovie(double movieId)
{
    const QVariant id = scalarOrNull(QStringLiteral("select MEDIA_ID from MOVIE where MOVIE_ID = ") + SqlKey(movieId));
    return id.isNull() ? -1 : id.toDouble();
}

int ReadThumbnailSize()
{
    return scalarOrNull(QStringLiteral("select THUMBNAILSIZE from DB_INFO")).toInt();
}

QSize ThumbnailMaxSize(int thumbnailSize)
{
    return thumbnailSize > 13 ? QSize(400, 574) : QSize(200, 287);
}

int MinimumAutoCounter()
{
    if (!minimumAutoCounter)
        return ReadSettingInteger(QStringLiteral("Min AutoCounter"), QStringLiteral("Options"), 1);
    return *minimumAutoCounter;
}

void SetMinimumAutoCounter(int value)
{
    minimumAutoCounter = value;
}

int NextFreeSeqNumber(int start)
{
    BusyCursor busy;
    int n = MinimumAutoCounter();
    if (n < start)
        n = start;
    if (n < 0)
        n = 1;
    FbConnection *connection = OpenMainConnection();
    if (!connection)
        return n;
    try {
        FbQuery query(*connection);
        query.setSql(
            QStringLiteral("select distinct SEQNUMBER from MEDIA where SEQNUMBER >= %1 order by SEQNUMBER ASC").arg(n));
        query.open();
        while (query.next() && query.value(0).toInt() == n)
            ++n;
    } catch (const FbError &) {
        // The number found so far is free as far as anyone can tell.
    }
    return n;
}

QStringList DistinctValues(const QString &table, const QString &column, bool *ok)
{
    return distinctValues(QStringLiteral("select distinct %1 from %2 order by %1").arg(column, table), ok);
}

QStringList DistinctValuesWhere(const QString &table, const QString &column, const QString &whereColumn,
                                const QString &whereLiteral, bool *ok)
{
    return distinctValues(QStringLiteral("select distinct %1 from %2 where %3 = %4 order by %1")
                              .arg(column, table, whereColumn, whereLiteral),
                          ok);
}

QString LookupDescriptionHint(const QString &table, const QString &idColumn, const QString &name)
{
    const int id = LookupId(table, idColumn, name);
    const QString description =
        scalarOrNull(QStringLiteral("select DESCRIPTION from %1 where %2 = %3").arg(table, idColumn).arg(id))
            .toString();
    if (description.trimmed().isEmpty())
        return QString();
    return GetText(Txt::DescriptionHint) + QStringLiteral(":\n") + description;
}

bool ClearTrashPosts(bool cleanPersonTable)
{
    FbConnection *connection = OpenMainConnection();
    if (!connection)
        return false;
    // A MEDIA row with key -1 is an entry being made: while it exists no medium counts as missing.
    QStringList statements{
        QStringLiteral("delete from MEDIA_GFX T1 where not exists (select M.MEDIA_ID from MEDIA M where M.MEDIA_ID = "
                       "T1.MEDIA_ID or M.MEDIA_ID = -1)"),
        QStringLiteral("delete from MOVIE T1 where not exists (select M.MEDIA_ID from MEDIA M where M.MEDIA_ID = "
                       "T1.MEDIA_ID or M.MEDIA_ID = -1)"),
    };
    for (const char *table :
         {"CASTCREW", "FEATURES", "FORMAT", "GENRE", "LANGUAGE", "SUBTITLES", "TVSERIES", "MOVIEFILES",
          "FILMINGLOCATION", "MOVIEAWARDS_PERSON", "MOVIEAWARDS", "TECHNICALDATA", "KEYWORD", "SOUNDTRACK"}) {
        statements << QStringLiteral("delete from %1 T1 where not exists (select M.MOVIE_ID from MOVIE M where "
                                     "M.MOVIE_ID = T1.MOVIE_ID)")
                          .arg(QLatin1String(table));
    }
    if (cleanPersonTable) {
        statements << QStringLiteral(
            "delete from PERSON P where not exists (select C.PERSON_ID from CASTCREW C where C.PERSON_ID = "
            "P.PERSON_ID) and not exists (select MP.PERSON_ID from MOVIEAWARDS_PERSON MP where MP.PERSON_ID = "
            "P.PERSON_ID)");
    }
    bool allDone = true;
    for (const QString &sql : statements) {
        try {
            FbQuery::execute(*connection, sql);
            connection->commitRetaining();
        } catch (const FbError &) {
            allDone = false;
        }
        userInterface().processEvents();
    }
    return allDone;
}
