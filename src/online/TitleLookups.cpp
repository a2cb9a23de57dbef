#include "online/TitleLookups.h"

#include "core/GlobalFunctions.h"
#include "database/FbConnection.h"
#include "database/FbError.h"
#include "database/FbQuery.h"
#include "database/RecordHelpers.h"
#include "online/TitleSearch.h"

namespace {

bool HasRowWithImdbId(FbConnection &connection, const QString &sql, int number)
{
    FbQuery query(connection);
    query.setSql(sql);
    query.setParam(QStringLiteral("IMDBID"), number);
    query.open();
    const bool found = query.next();
    query.close();
    return found;
}

} // namespace

TitleKnownAs KnownTitle(const QString &id)
{
    FbConnection *connection = OpenMainConnection();
    const int number = ImdbNumber(id);
    if (!connection || number <= 0)
        return TitleKnownAs::Unknown;
    try {
        if (HasRowWithImdbId(*connection, QStringLiteral("select MOVIE_ID from MOVIE where IMDBID = :IMDBID"), number))
            return TitleKnownAs::InCollection;
        if (HasRowWithImdbId(*connection, QStringLiteral("select AUTOINDEX from WANTLIST where IMDBID = :IMDBID"),
                             number))
            return TitleKnownAs::Wanted;
    } catch (const FbError &) {
    }
    return TitleKnownAs::Unknown;
}

bool AssociateOnlineTitle(const QString &id, double entryNumber, bool importRow)
{
    FbConnection *connection = OpenMainConnection();
    if (!connection)
        return false;
    const QString sql = importRow ? QStringLiteral("update IMPORT_MOVIE set IMDBID = %1 where IMPORT_MOVIE_ID = %2")
                                  : QStringLiteral("update MOVIE set IMDBID = %1 where MOVIE_ID = %2");
    try {
        FbQuery::execute(*connection, sql.arg(ImdbNumber(id)).arg(SqlKey(entryNumber)));
        connection->commitRetaining();
        return true;
    } catch (const FbError &e) {
        QString detail = e.message();
        try {
            connection->rollbackRetaining();
        } catch (const FbError &lost) {
            // The connection is gone: both messages tell why.
            detail += QLatin1Char('\n') + lost.message();
        }
        ShowErrorBox(QString(), QString(), detail);
        return false;
    }
}
