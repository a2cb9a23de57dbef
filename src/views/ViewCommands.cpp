#include "views/ViewCommands.h"

#include "core/GlobalFunctions.h"
#include "core/TextNumbers.h"
#include "database/DM1_u.h"
#include "database/FbConnection.h"
#include "database/FbQuery.h"
#include "database/ImageStore.h"
#include "database/RecordHelpers.h"
#include "editing/MediaDelete.h"
#include "online/IMDBConstantsUnit.h"
#include "online/IMDBHelperClassUnit.h"
#include "views/BrowseSql.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImageReader>
#include <QRegularExpression>

#include <functional>

namespace {

const QString kOptions = QStringLiteral("Options");

// Runs statements and commits them together; on a failure rolls back what they wrote.
bool runAndCommit(const QStringList &statements, QString *error, const std::function<void(FbQuery &)> &bind = nullptr)
{
    FbConnection *connection = OpenMainConnection();
    if (!connection) {
        if (error)
            *error = QStringLiteral("No database is open.");
        return false;
    }
    try {
        FbQuery q(*connection);
        for (const QString &sql : statements) {
            q.setSql(sql);
            if (bind)
                bind(q);
            q.exec();
        }
        connection->commitRetaining();
        return true;
    } catch (const FbError &e) {
        connection->rollbackRetaining();
        if (error)
            *error = e.message();
        return false;
    }
}

QString tempFile(const QString &name)
{
    return GetTempFolder() + name;
}

// The picture as JPEG data, as every blob holds it: a JPEG file as it is, any other picture
// converted into a temporary file (*converted is then true). Empty when the file is no picture.
QString jpegFileOf(const QString &imageFile, bool *converted)
{
    *converted = false;
    QImageReader reader(imageFile);
    const QByteArray format = reader.format();
    if (format.isEmpty())
        return QString();
    if (format == "jpeg" || format == "jpg")
        return imageFile;
    const QImage image = reader.read();
    const QString jpeg = tempFile(QStringLiteral("converted_cover.jpg"));
    if (image.isNull() || !SaveJpeg(image, jpeg))
        return QString();
    *converted = true;
    return jpeg;
}

// A medium made without its graphics row would silently lose its full-size cover.
void ensureGraphicsRow(FbConnection &connection, double mediaId)
{
    const QString key = SqlKey(mediaId);
    try {
        if (FbQuery::scalar(connection, QStringLiteral("select count(*) from MEDIA_GFX where MEDIA_ID = ") + key)
                .toInt() == 0)
            FbQuery::execute(connection, QStringLiteral("insert into MEDIA_GFX (MEDIA_ID) values (") + key + ')');
    } catch (const FbError &) {
        // The store that follows fails quietly as well.
    }
}

// The last part of a path, whichever separator it uses: files recorded on another system keep
// their own.
QString fileNameOfPath(const QString &path)
{
    const qsizetype cut = std::max(path.lastIndexOf(QLatin1Char('/')), path.lastIndexOf(QLatin1Char('\\')));
    return path.mid(cut + 1);
}

// A title as one folder name: separators would make nested folders and "." or ".." would leave
// the chosen folder.
QString folderNameOfTitle(const QString &title)
{
    QString name = title;
    // Characters some file systems refuse (a FAT stick, Windows) would make every copy fail.
    name.replace(QRegularExpression(QStringLiteral("[<>:\"/\\\\|?*\\x00-\\x1f]")), QStringLiteral("_"));
    name = name.trimmed();
    while (name.startsWith(QLatin1Char('.')))
        name.remove(0, 1);
    return name.trimmed();
}

} // namespace

QString RatingStatement(int rating, double movieId)
{
    return QStringLiteral("update MOVIE set USERRATING = %1 where MOVIE_ID = %2").arg(rating).arg(SqlKey(movieId));
}

bool SetUserRating(int rating, const QList<double> &movieIds, QString *error)
{
    QStringList statements;
    for (const double id : movieIds)
        statements << RatingStatement(rating, id);
    return runAndCommit(statements, error);
}

QString LastWatchedStatement(double movieId, int imdbId, int season, bool applyToDuplicates, bool setDate)
{
    const QString head = setDate
                             ? QStringLiteral("update MOVIE set WATCHED = 1, LASTWATCHEDDATE = :LASTWATCHEDDATE where ")
                             : QStringLiteral("update MOVIE set WATCHED = 1 where ");
    if (!applyToDuplicates || imdbId <= 0)
        return head + QStringLiteral("MOVIE_ID = ") + SqlKey(movieId);
    const QString sameTitle = head + QStringLiteral("IMDBID = ") + QString::number(imdbId);
    return season <= 0 ? sameTitle : sameTitle + QStringLiteral(" and SEASON = :SEASON");
}

bool ApplyLastWatchedToDuplicates()
{
    return ReadSettingBoolLenient(QStringLiteral("ApplyLastWatchedToDuplicates"), kOptions, true);
}

bool ApplyLastWatched(double movieId, bool fromMediaView, const QDate &date, QString *error)
{
    FbConnection *connection = OpenMainConnection();
    if (!connection)
        return false;
    int imdbId = 0;
    int season = 0;
    try {
        FbQuery q(*connection);
        q.setSql(QStringLiteral("select IMDBID, SEASON from MOVIE where MOVIE_ID = ") + SqlKey(movieId));
        q.open();
        if (q.next()) {
            imdbId = q.value(0).toInt();
            season = fromMediaView ? q.value(1).toInt() : 0;
        }
    } catch (const FbError &e) {
        if (error)
            *error = e.message();
        return false;
    }
    const QString sql = LastWatchedStatement(movieId, imdbId, season, ApplyLastWatchedToDuplicates());
    return runAndCommit({sql}, error, [&](FbQuery &q) {
        q.setParam(QStringLiteral("LASTWATCHEDDATE"), date);
        if (q.paramNames().contains(QStringLiteral("SEASON")))
            q.setParam(QStringLiteral("SEASON"), season);
    });
}

QString DeleteQuestion(int selectedCount, const QString &title)
{
    return selectedCount > 1 ? GetTextWithArg(Txt::DeleteSelectedEntries, QString::number(selectedCount))
                             : GetTextWithArg(Txt::DeleteEntry, title);
}

bool DeleteFilesWithMovies()
{
    return ReadSettingBoolLenient(QStringLiteral("DeleteFilesWithMovies"), kOptions, false);
}

void SetDeleteFilesWithMovies(bool on)
{
    WriteSettingBool(QStringLiteral("DeleteFilesWithMovies"), kOptions, on);
}

bool UseBulkDelete(int selectedCount, int viewRowCount, bool deleteFiles)
{
    return selectedCount > 10 && selectedCount == viewRowCount && !deleteFiles;
}

QString BulkDeleteStatement(int viewTable, const QStringList &sqlLines)
{
    if (sqlLines.isEmpty() || (viewTable != ViewKind::Movies && viewTable != ViewKind::Media))
        return QString();
    QStringList conditions = sqlLines.mid(1);
    // Only an order line goes: taking away a condition would widen the delete.
    if (!conditions.isEmpty() && IsOrderLine(conditions.constLast()))
        conditions.removeLast();
    if (viewTable == ViewKind::Media)
        return (QStringList{QStringLiteral("delete from MEDIA")} + conditions).join(QLatin1Char('\n'));
    // The movies view's conditions may name any column of the database view it reads (a
    // medium's LOCATION, say), so its media are selected from that view: one row per movie, as
    // from MOVIE.
    const QString select =
        (QStringList{QStringLiteral("select MEDIA_ID from ") + ViewTableName(ViewKind::Movies)} + conditions)
            .join(QLatin1Char('\n'));
    return QStringLiteral("delete from MEDIA where MEDIA_ID in (") + select + QLatin1Char(')');
}

MediaDeletePath DeleteMediaOfView(const MediaDeleteRequest &request, QString *error)
{
    FbConnection *connection = OpenMainConnection();
    if (!connection || !HasDM1())
        return MediaDeletePath::Failed;
    const int selected = int(request.mediaIds.size());
    const QString statement = BulkDeleteStatement(request.viewTable, request.sqlLines);
    const bool bulk =
        !statement.isEmpty() &&
        UseBulkDelete(selected, DM1().ReturnCountFunction(request.sqlLines.join(QLatin1Char('\n')), request.params),
                      request.deleteFiles);
    if (bulk) {
        try {
            FbQuery q(*connection);
            q.setSql(statement);
            for (auto it = request.params.cbegin(); it != request.params.cend(); ++it) {
                if (q.paramNames().contains(it.key().toUpper()))
                    q.setParam(it.key(), it.value());
            }
            q.exec();
        } catch (const FbError &e) {
            connection->rollbackRetaining();
            if (error)
                *error = e.message();
            return MediaDeletePath::Failed;
        }
        ClearTrashPosts(false);
        connection->commitRetaining();
        return MediaDeletePath::Bulk;
    }
    // A failing medium is left as far as it got; the sweep of the database clean-up finishes it.
    for (const double mediaId : request.mediaIds)
        DeleteMedium(request.deleteFiles, mediaId);
    connection->commitRetaining();
    return MediaDeletePath::OneByOne;
}

bool DeletePersons(const QList<double> &personIds, QString *error)
{
    QStringList statements;
    for (const double id : personIds) {
        statements << QStringLiteral("delete from CASTCREW where PERSON_ID = ") + SqlKey(id)
                   << QStringLiteral("delete from PERSON where PERSON_ID = ") + SqlKey(id);
    }
    return runAndCommit(statements, error);
}

QString ReturnLoanStatement(double mediaId)
{
    const QString zero = SqlDate(ZeroDateTime().date());
    return QStringLiteral("update MEDIA set LEND_ID = -1, LENDDATE = %1, LEND_RETURNDATE = %1 where MEDIA_ID = %2")
        .arg(zero, SqlKey(mediaId));
}

bool ReturnLoans(const QList<double> &mediaIds, QString *error)
{
    QStringList statements;
    for (const double id : mediaIds)
        statements << ReturnLoanStatement(id);
    return runAndCommit(statements, error);
}

QUrl ShellAddress(const QString &pathOrAddress)
{
    const QString text = pathOrAddress.trimmed();
    static const QRegularExpression scheme(QStringLiteral("^([a-z][a-z0-9+.-]+://|mailto:)"),
                                           QRegularExpression::CaseInsensitiveOption);
    if (scheme.match(text).hasMatch())
        return QUrl(text);
    return QUrl::fromLocalFile(text);
}

TrailerInfo ReadTrailerInfo(double movieId)
{
    TrailerInfo info;
    FbConnection *connection = OpenMainConnection();
    if (!connection)
        return info;
    try {
        FbQuery q(*connection);
        q.setSql(QStringLiteral("select CLIPPATH, TITLE, PRODUCTIONYEAR from MOVIE where MOVIE_ID = ") +
                 SqlKey(movieId));
        q.open();
        if (q.next())
            info = {q.value(0).toString(), q.value(1).toString(), q.value(2).toString()};
    } catch (const FbError &) {
        // No trailer data: the search for the title finds nothing either.
    }
    return info;
}

QUrl TrailerSearchAddress(const QString &title, const QString &productionYear)
{
    const QByteArray query =
        QUrl::toPercentEncoding(title) + "%20" + QUrl::toPercentEncoding(productionYear) + "%20trailer";
    return QUrl::fromEncoded("https://www.youtube.com/results?search_query=" + query, QUrl::StrictMode);
}

QUrl TrailerAddress(const TrailerInfo &trailer)
{
    if (!trailer.clipPath.trimmed().isEmpty())
        return ShellAddress(trailer.clipPath);
    return TrailerSearchAddress(trailer.title, trailer.productionYear);
}

QString FirstMovieFile(double movieId)
{
    FbConnection *connection = OpenMainConnection();
    if (!connection)
        return QString();
    try {
        FbQuery q(*connection);
        q.setSql(QStringLiteral("select FILEPATH from MOVIEFILES where MOVIE_ID = ") + SqlKey(movieId) +
                 QStringLiteral(" order by LISTINDEX"));
        q.open();
        return q.next() ? q.value(0).toString().trimmed() : QString();
    } catch (const FbError &) {
        return QString();
    }
}

QString MovieFolderToOpen(double movieId)
{
    const QString file = FirstMovieFile(movieId);
    if (file.isEmpty() || !QFileInfo(file).isFile())
        return QString();
    return QFileInfo(file).absolutePath();
}

QString TitlePageTemplate()
{
    return Definition(DefKey::IMDB_STD_MOVIE_URL);
}

QString PersonPageTemplate()
{
    return Definition(DefKey::IMDB_STD_PERSON_URL);
}

QVariant ImdbIdOfMediaMovie(double mediaId, int listIndex)
{
    FbConnection *connection = OpenMainConnection();
    if (!connection)
        return QVariant();
    try {
        return FbQuery::scalar(*connection, QStringLiteral("select IMDBID from MOVIE where MEDIA_ID = %1 and "
                                                           "LISTINDEX = %2")
                                                .arg(SqlKey(mediaId))
                                                .arg(listIndex));
    } catch (const FbError &) {
        return QVariant();
    }
}

QString CopyTargetFolder(const QString &chosenFolder, const QString &title, const QString &productionYear,
                         bool severalRecords)
{
    QString folder = QDir::cleanPath(chosenFolder);
    if (!severalRecords)
        return folder;
    const QString year = productionYear.trimmed();
    QString name = folderNameOfTitle(title);
    if (!year.isEmpty())
        name += QStringLiteral(" (") + year + QLatin1Char(')');
    // A title that leaves no name still gets a folder of its own.
    if (name.isEmpty())
        name = QStringLiteral("_");
    return folder + QLatin1Char('/') + name;
}

QList<double> MoviesOfMedium(double mediaId)
{
    QList<double> movies;
    FbConnection *connection = OpenMainConnection();
    if (!connection)
        return movies;
    try {
        FbQuery q(*connection);
        q.setSql(QStringLiteral("select MOVIE_ID from MOVIE where MEDIA_ID = ") + SqlKey(mediaId) +
                 QStringLiteral(" order by LISTINDEX"));
        q.open();
        while (q.next())
            movies << q.value(0).toDouble();
    } catch (const FbError &) {
        // The medium's movies as far as they could be read.
    }
    return movies;
}

int CopyMovieFiles(double movieId, const QString &targetFolder)
{
    FbConnection *connection = OpenMainConnection();
    if (!connection)
        return 0;
    QStringList files;
    try {
        FbQuery q(*connection);
        q.setSql(QStringLiteral("select * from MOVIEFILES where MOVIE_ID = ") + SqlKey(movieId) +
                 QStringLiteral(" order by LISTINDEX"));
        q.open();
        while (q.next())
            files << q.value(QStringLiteral("FILEPATH")).toString().trimmed();
    } catch (const FbError &) {
        return 0;
    }
    int copied = 0;
    for (const QString &source : std::as_const(files)) {
        const QString name = fileNameOfPath(source);
        if (name.isEmpty() || !QFileInfo(source).isFile() || !QDir().mkpath(targetFolder))
            continue;
        const QString target = QDir(targetFolder).filePath(name);
        // Copying a file onto itself would empty it before reading it.
        if (QFileInfo(target).exists() &&
            QFileInfo(target).canonicalFilePath() == QFileInfo(source).canonicalFilePath())
            continue;
        if (CopyFileContents(source, target))
            ++copied;
    }
    return copied;
}

QString CoverFileFromImage(const QImage &image)
{
    if (image.isNull())
        return QString();
    const QString file = tempFile(QStringLiteral("fullsize_temp.jpg"));
    QFile::remove(file);
    return SaveJpeg(image, file) ? file : QString();
}

bool ApplyCoverToMedium(const QString &imageFile, double mediaId)
{
    FbConnection *connection = OpenMainConnection();
    if (!connection)
        return false;
    bool converted = false;
    const QString jpeg = jpegFileOf(imageFile, &converted);
    if (jpeg.isEmpty())
        return false;
    ensureGraphicsRow(*connection, mediaId);
    const bool stored = StoreCoverFile(jpeg, QStringLiteral("FRONTCOVER_BLOB"), mediaId);
    if (converted)
        QFile::remove(jpeg);
    return stored;
}

bool ApplyPersonPicture(const QString &imageFile, double personId)
{
    bool converted = false;
    const QString jpeg = jpegFileOf(imageFile, &converted);
    if (jpeg.isEmpty())
        return false;
    const bool stored = StoreImageFile(QStringLiteral("PERSON"), QStringLiteral("PERSON_ID"), QStringLiteral("PICTURE"),
                                       converted, personId, jpeg);
    return stored;
}

int ApplyCoverRule(int viewTable, const QString &imageFile, const QList<double> &keys)
{
    FbConnection *connection = OpenMainConnection();
    if (!connection || imageFile.isEmpty())
        return 0;
    int applied = 0;
    if (viewTable == ViewKind::Persons) {
        if (!keys.isEmpty() && ApplyPersonPicture(imageFile, keys.constFirst()))
            ++applied;
    } else {
        for (const double mediaId : keys) {
            if (ApplyCoverToMedium(imageFile, mediaId))
                ++applied;
        }
    }
    if (applied > 0)
        connection->commitRetaining();
    return applied;
}
