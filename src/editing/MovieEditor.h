#pragma once

#include "editing/EntryRecords.h"

#include <QDate>
#include <QList>
#include <QString>
#include <QStringList>

class TDM1;

// The rules of the movie and media editor that need no window: loading an entry, the contents of a
// medium and their order, the lists of a content, checking typed numbers and dates, and the save
// sequence. Everything runs on the data module's main connection inside its open transaction; only
// a completed entry save and an entry delete commit (retaining), so that closing the editor without
// saving can roll back everything the session wrote.

// --- Loading ---

// A stored date shows as empty when its year is not above 1900 (the zero date among them).
bool IsEmptyStoredDate(const QDate &date);
// The stored date as the editor shows it: invalid when empty.
QDate ShownDate(const QDate &stored);

struct StoredMedium
{
    MediaRecord record; // covers in full size from MEDIA_GFX
    QString mediaTypeName;
    QDate dateAdded;    // invalid when empty
    QDate dateModified; // invalid when empty
};
// False when the medium does not exist or cannot be read.
bool LoadMedium(double mediaId, StoredMedium *medium);

struct StoredContent
{
    MovieRecord record;
    QString countryName;
    QString certificationName;
    QString originalLanguageName;
    QString groupName; // empty unless GROUP_ID is 1 or more
};
bool LoadContent(double movieId, StoredContent *content);

// One row of the contents list of a medium.
struct ContentRow
{
    double movieId = -1;
    int listIndex = 0;
    QString title;
};
// The contents of a medium in LISTINDEX order; empty on failure.
QList<ContentRow> ContentsOfMedium(double mediaId);

// The lists of one content as the editor shows them. Lookup lists hold names; languages are
// "language: audio format"; soundtrack items are a double-quoted title, a blank and the performer.
struct ContentLists
{
    QStringList genres;
    QStringList formats;
    QStringList subtitles;
    QStringList keywords;
    QStringList features;
    QStringList filmingLocations;
    QStringList languages;
    QStringList soundtrack;

    bool operator==(const ContentLists &other) const = default;
};
ContentLists LoadContentLists(double movieId);

// What the "Movie File(s):" field shows: the one file, the several-files text, or nothing.
QString MovieFilesText(double movieId);

// The "TV-Series" tab is shown for a series name, a season other than 0 or an episode.
bool ShowsSeriesTab(const QString &seriesName, int season, double movieId);

// The hint of a media type: the description text, ":", a line break and its DESCRIPTION; empty
// without a description.
struct MediaTypeFlags
{
    bool found = false;
    bool viewContents = true; // the contents pane is shown
    bool specifyLength = false;
    QString hint;
};
MediaTypeFlags MediaTypeFlagsOf(const QString &mediaTypeName);

// --- Contents of a medium ---

// Inserts a content at the end of the medium's contents (MEDIA_ID -1 for an entry not saved yet),
// titled with the new-movie text. Returns its MOVIE_ID. Throws FbError or KeyRangeError.
double AddContent(double mediaId, int discNo);
// Removes a content and its rows and renumbers the remaining contents from 1. Does nothing when it
// is the only content. False when nothing was removed. Throws FbError.
bool RemoveContent(double mediaId, double movieId);
// Swaps the content at position index (from 0 in LISTINDEX order) with its neighbour above or
// below. False at the ends. Throws FbError.
bool MoveContent(double mediaId, int index, bool up);

// --- Typed input ---

// The format of the editor's date fields: the short date format with a four-digit year.
QString DateFieldFormat();
QString FormatDateField(const QDate &date);
// A typed date: blank gives an invalid date (the field is empty) and true; text that is no date in
// the field format or as YYYY-MM-DD gives false.
bool ParseDateField(const QString &text, QDate *date);
// A typed amount: blank gives 0; an optional currency symbol, blanks and group separators are
// ignored; the decimal separator of the system or a point. False for anything else.
bool ParseAmount(const QString &text, const QString &currencySymbol, double *value);
// A whole number without sign or decimals (a sequence number); blank is not one.
bool ParseWholeNumber(const QString &text, int *value);
// An amount shown in a field: empty when below threshold, else with the currency symbol.
QString FormatAmount(double value, const QString &currencySymbol, int decimals);

// --- Saving ---

// Whether another medium already has the sequence number.
bool SequenceNumberTaken(int seqNumber);
// Rewrites the content's lists, each by deleting its rows and inserting the items in list order.
// Lookup names that no row has are added, each word capitalised; a name listed twice is linked
// once. Texts are cut to their column's length. Throws FbError.
void SaveContentLists(double movieId, const ContentLists &lists);
// Writes the content's row and lists and, when watched and the option is on, marks every other copy
// of the title watched. Nothing for a record without a movie key (a medium left without contents).
// Throws FbError.
void SaveContent(TDM1 &dm, const MovieRecord &movie, const ContentLists &lists, bool applyLastWatchedToDuplicates);

// Marks the contents created for an entry not yet saved (MEDIA_ID -1) as contents of mediaId.
void AttachNewContents(double mediaId);

struct EntrySaveResult
{
    bool saved = false;
    double mediaId = -1; // the medium's key, new for a first save
    QString error;       // the engine's message when not saved
};
// The save of an entry: the current content, for a new entry the medium's key with its contents
// attached to it, the medium's row and covers, then commit-retaining. A failure rolls back to
// before the save (everything the editing session wrote before stays pending) and gives the
// engine's message.
EntrySaveResult SaveEntry(TDM1 &dm, MediaRecord media, MovieRecord movie, const ContentLists &lists, bool isNew,
                          bool applyLastWatchedToDuplicates);
// Saves the current content before another one is shown; rolls back to before it on failure.
bool SaveContentInPlace(TDM1 &dm, const MovieRecord &movie, const ContentLists &lists,
                        bool applyLastWatchedToDuplicates, QString *error);

// Deletes the entry and commits. On failure rolls back to before it and gives the message.
bool DeleteEntry(TDM1 &dm, double mediaId, QString *error);
// Undoes everything the editing session wrote (rollback retaining).
void DiscardSession(TDM1 &dm);
