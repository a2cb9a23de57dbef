#pragma once

#include <QDate>
#include <QImage>
#include <QList>
#include <QString>
#include <QStringList>
#include <QUrl>
#include <QVariant>
#include <QVariantMap>

// The commands the view manager carries out on its records: rating, last-watched date, delete,
// return loan, trailer, folder and web pages, copying the files of movies and applying a cover.
// The window picks the records; everything it then does to the collection or the files is here.
//
// Statements run on the data module's main connection. Each command commits once at its end; a
// failing statement rolls back what the command wrote and gives the engine's message in *error.

// --- Rating and last-watched date ---

QString RatingStatement(int rating, double movieId);
// Gives every movie the rating (0 to 10, 0 being "not rated").
bool SetUserRating(int rating, const QList<double> &movieIds, QString *error = nullptr);

// The statement that marks a movie watched, with the parameter :LASTWATCHEDDATE and, for one
// season of a series, :SEASON. Without "ApplyLastWatchedToDuplicates" or without an IMDb id only
// the movie itself; otherwise every copy with the same IMDb id, narrowed to the season when the
// season is above 0. Without setDate only WATCHED is set (no :LASTWATCHEDDATE), so that copies keep
// the date they were watched on.
QString LastWatchedStatement(double movieId, int imdbId, int season, bool applyToDuplicates, bool setDate = true);
// The "ApplyLastWatchedToDuplicates" option (section "Options", default true).
bool ApplyLastWatchedToDuplicates();
// Marks the movie watched on date. The season counts only from the media view, where the movie
// is one season chosen in the info pane; from the other views every copy of the title is marked.
bool ApplyLastWatched(double movieId, bool fromMediaView, const QDate &date, QString *error = nullptr);

// --- Delete ---

// The question of the delete dialog: the count when more than one entry is selected, otherwise
// the one entry's title or name.
QString DeleteQuestion(int selectedCount, const QString &title);
// The "DeleteFilesWithMovies" option (section "Options", default false).
bool DeleteFilesWithMovies();
void SetDeleteFilesWithMovies(bool on);
// Whether the selection is deleted with one statement built from the view's SQL: more than ten
// records selected, all the view's rows, and no files to delete.
bool UseBulkDelete(int selectedCount, int viewRowCount, bool deleteFiles);
// That statement for the movies view (10) or the media view (20): the view's conditions applied to
// MEDIA. Empty when the lines have no select line or the kind has no media.
QString BulkDeleteStatement(int viewTable, const QStringList &sqlLines);

// What the delete command works on: the open view's SQL and parameters and the media of the
// selected records (in the movies view the medium of each movie).
struct MediaDeleteRequest
{
    int viewTable = 0;
    QStringList sqlLines;
    QVariantMap params;
    QList<double> mediaIds;
    bool deleteFiles = false;
};
enum class MediaDeletePath { Bulk, OneByOne, Failed };
// Deletes the media of the request, by one statement or medium by medium (see UseBulkDelete),
// and sweeps the rows left without their medium. Commits.
MediaDeletePath DeleteMediaOfView(const MediaDeleteRequest &request, QString *error = nullptr);
// Deletes the persons with their cast and crew rows. Commits.
bool DeletePersons(const QList<double> &personIds, QString *error = nullptr);

// --- Loans ---

QString ReturnLoanStatement(double mediaId);
bool ReturnLoans(const QList<double> &mediaIds, QString *error = nullptr);

// --- Trailer, folder and web pages ---

// A path or address as the shell opens it: web and mail addresses as they are, anything else as
// a local file.
QUrl ShellAddress(const QString &pathOrAddress);

struct TrailerInfo
{
    QString clipPath;
    QString title;
    QString productionYear;
};
TrailerInfo ReadTrailerInfo(double movieId);
// The video-site search for a title's trailer: title, year and "trailer", each URL-encoded.
QUrl TrailerSearchAddress(const QString &title, const QString &productionYear);
// The trailer file or address when the movie has one, otherwise the search.
QUrl TrailerAddress(const TrailerInfo &trailer);

// The first of the movie's files (by LISTINDEX); empty when it has none.
QString FirstMovieFile(double movieId);
// The folder holding the movie's first file; empty when there is no file or it does not exist.
QString MovieFolderToOpen(double movieId);

// The title-page and person-page templates of the definitions.
QString TitlePageTemplate();
QString PersonPageTemplate();
// IMDBID of the movie at listIndex (from 1) on the medium; null when there is none.
QVariant ImdbIdOfMediaMovie(double mediaId, int listIndex);

// --- Copying the files of movies ---

// The folder the files of one record go to: the chosen folder itself for a single record,
// otherwise a subfolder "Title (Year)", or "Title" without a year.
QString CopyTargetFolder(const QString &chosenFolder, const QString &title, const QString &productionYear,
                         bool severalRecords);
// The movies of a medium in LISTINDEX order.
QList<double> MoviesOfMedium(double mediaId);
// Copies every file of the movie into targetFolder (created when missing) under its own name,
// replacing a file of that name. A file that cannot be copied is skipped. Returns the files copied.
int CopyMovieFiles(double movieId, const QString &targetFolder);

// --- Cover rule ---

// "fullsize_temp.jpg" in the temporary folder holding the image; empty for a null image or when it
// cannot be written.
QString CoverFileFromImage(const QImage &image);
// Stores a picture file as the medium's front cover: full size into MEDIA_GFX and shrunk to the
// collection's thumbnail limit into MEDIA. A file that is no picture stores nothing (false).
bool ApplyCoverToMedium(const QString &imageFile, double mediaId);
// Stores a picture file as the person's picture.
bool ApplyPersonPicture(const QString &imageFile, double personId);
// The cover rule for a view kind and its records (media keys, or one person key); commits.
// Returns how many records got the picture.
int ApplyCoverRule(int viewTable, const QString &imageFile, const QList<double> &keys);
