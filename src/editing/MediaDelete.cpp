#include "editing/MediaDelete.h"

#include "core/GlobalFunctions.h"
#include "database/FbConnection.h"
#include "database/FbQuery.h"
#include "database/RecordHelpers.h"

#include <QFileInfo>
#include <QList>
#include <QStringList>

namespace {

// The movie detail tables, in the order their rows are deleted.
const QStringList &movieDetailTables()
{
    static const QStringList tables = {
        QStringLiteral("CASTCREW"),    QStringLiteral("FEATURES"),           QStringLiteral("FORMAT"),
        QStringLiteral("GENRE"),       QStringLiteral("LANGUAGE"),           QStringLiteral("SUBTITLES"),
        QStringLiteral("TVSERIES"),    QStringLiteral("MOVIEFILES"),         QStringLiteral("FILMINGLOCATION"),
        QStringLiteral("MOVIEAWARDS"), QStringLiteral("MOVIEAWARDS_PERSON"), QStringLiteral("TECHNICALDATA"),
        QStringLiteral("KEYWORD"),     QStringLiteral("SOUNDTRACK"),
    };
    return tables;
}

struct MovieOfMedium
{
    double movieId = 0;
    QString clipPath;
};

bool readMovies(FbConnection &connection, double mediaId, QList<MovieOfMedium> *movies)
{
    try {
        FbQuery q(connection);
        q.setSql(QStringLiteral("select MOVIE_ID, CLIPPATH from MOVIE where MEDIA_ID = ") + SqlKey(mediaId));
        q.open();
        while (q.next())
            movies->append({q.value(0).toDouble(), q.value(1).toString()});
        return true;
    } catch (const FbError &) {
        return false;
    }
}

void recycleLocalFile(const QString &path)
{
    if (IsLocalDrivePath(path) && QFileInfo(path).isFile())
        DeleteToRecycleBin(path);
}

bool recycleMovieFiles(FbConnection &connection, const MovieOfMedium &movie)
{
    recycleLocalFile(movie.clipPath.trimmed());
    try {
        FbQuery q(connection);
        q.setSql(QStringLiteral("select FILEPATH from MOVIEFILES where MOVIE_ID = ") + SqlKey(movie.movieId));
        q.open();
        while (q.next())
            recycleLocalFile(q.value(0).toString().trimmed());
        return true;
    } catch (const FbError &) {
        return false;
    }
}

} // namespace

bool IsLocalDrivePath(const QString &path)
{
    if (path.size() >= 3 && path.at(0).isLetter() && path.at(1) == QLatin1Char(':') &&
        (path.at(2) == QLatin1Char('\\') || path.at(2) == QLatin1Char('/')))
        return true;
#ifdef Q_OS_WIN
    return false;
#else
    return path.startsWith(QLatin1Char('/')) && !path.startsWith(QLatin1String("//"));
#endif
}

bool DeleteMedium(bool deleteFiles, double mediaId)
{
    FbConnection *connection = OpenMainConnection();
    if (!connection)
        return false;
    const QString media = SqlKey(mediaId);
    if (!DeleteRows(QStringLiteral("MEDIA"), QStringLiteral("MEDIA_ID"), media) ||
        !DeleteRows(QStringLiteral("MEDIA_GFX"), QStringLiteral("MEDIA_ID"), media))
        return false;
    QList<MovieOfMedium> movies;
    if (!readMovies(*connection, mediaId, &movies))
        return false;
    for (const MovieOfMedium &movie : std::as_const(movies)) {
        if (deleteFiles && !recycleMovieFiles(*connection, movie))
            return false;
        const QString key = SqlKey(movie.movieId);
        for (const QString &table : movieDetailTables()) {
            if (!DeleteRows(table, QStringLiteral("MOVIE_ID"), key))
                return false;
        }
        if (!DeleteRows(QStringLiteral("MOVIE"), QStringLiteral("MOVIE_ID"), key))
            return false;
    }
    return true;
}
