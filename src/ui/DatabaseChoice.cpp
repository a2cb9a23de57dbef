#include "ui/DatabaseChoice.h"

#include "database/DM1_u.h"
#include "database/DatabaseList.h"
#include "database/FbConnection.h"

#include <QFileInfo>

namespace {
const QString kItemSeparator = QStringLiteral("  :  ");
}

QStringList DatabaseSelectorEntries(const QString &listFile, const QString &currentDatabase)
{
    DatabaseList list(listFile);
    if (!list.exists() && !currentDatabase.isEmpty())
        list.save({currentDatabase});
    return list.entries();
}

QString DatabaseStringFileName(const QString &databaseString)
{
    const qsizetype slash =
        std::max(databaseString.lastIndexOf(QLatin1Char('/')), databaseString.lastIndexOf(QLatin1Char('\\')));
    if (slash >= 0)
        return databaseString.mid(slash + 1);
    // "host:file.fdb" has no folder part.
    const qsizetype colon = databaseString.lastIndexOf(QLatin1Char(':'));
    return databaseString.mid(colon + 1);
}

QString DatabaseSelectorItemText(const QString &databaseString)
{
    // The string as stored, not lower-cased: where the file system keeps case, a lower-cased path
    // would name another file.
    return DatabaseStringFileName(databaseString) + kItemSeparator + NormalizedDatabaseString(databaseString);
}

QStringList BackstageDatabaseEntries(const QString &listFile, const QString &currentDatabase)
{
    QStringList result;
    for (const QString &entry : DatabaseList(listFile).entries()) {
        if (DatabaseList::sameDatabaseString(entry, currentDatabase))
            continue;
        if (FbConnection::isLocalDatabaseString(entry) && !QFileInfo::exists(entry))
            continue;
        result << entry;
    }
    return result;
}
