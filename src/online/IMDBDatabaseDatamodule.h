#pragma once

#include "online/IMDBMovieClassUnit.h"

#include <QList>
#include <QString>
#include <QStringList>

// Writes downloaded titles into the open collection: the medium with its pictures, the movie, the
// lookup rows it needs, persons matched by IMDb number and every detail row. A title is written in
// the connection's one transaction and ends with commit-retaining, or rollback-retaining when a
// step that cannot be skipped fails, so a failed download leaves no half entry and the caller's
// browsing state survives. No message is shown from here.
class TIMDBDatabaseModule
{
public:
    // The module writes through the data module's main connection (DM1().MainConnection).
    TIMDBDatabaseModule() = default;
    TIMDBDatabaseModule(const TIMDBDatabaseModule &) = delete;
    TIMDBDatabaseModule &operator=(const TIMDBDatabaseModule &) = delete;

    // The number every failed look-up or insert gives.
    static constexpr int NotFound = -999999;

    // Set by the caller when titles go to the wish list instead of the collection.
    bool WantedMode = false;
    // Why the last title was not stored (the engine's message); empty after a stored one.
    QString LastError;

    // Stores a whole downloaded title (medium, movie and all its details), deletes its cover file
    // and commits. Returns the new movie number, or NotFound when nothing was stored because a step
    // that cannot be skipped failed (everything it wrote is rolled back).
    int InsertMovie(TIMDBMovie &AMovie, int AMediaTypeId, int ARegionCode);
    // The MEDIA and MEDIA_GFX rows with the cover (full size and reduced); does not commit.
    // Returns the new media number or NotFound.
    int InsertMedia(TIMDBMovie &AMovie, int AMediaTypeId, int ARegionCode);
    // A wish-list entry with its cover; commits, or rolls back on an error. False on an error.
    bool AddMovieToWantList(TIMDBMovie &AMovie);

    // Persons are matched by IMDb id only; a missing one is created.
    int GetPersonId(const TIMDBPerson &APerson);
    // As GetPersonId, and whether the stored person already has a picture. False when the person
    // could neither be found nor created (PersonId is then NotFound).
    bool GetPersonId2(const TIMDBPerson &APerson, int &PersonId, bool &GotPicture);
    // The number of the person with that IMDb id, or NotFound.
    int GetPersonId(const QString &AIMDBID);
    // Inserts the person; the new number, or NotFound.
    int InsertPerson(const TIMDBPerson &APerson);

    // Lookup lists: get-or-create by name. A name is cut to the list's limit and matched without
    // regard to case; a new one is stored with each word capitalised.
    // The Get... forms return NotFound when the name is not stored; Insert... return the new number
    // or NotFound.
    int GetGenreId(const QString &AName);
    int InsertGenre(const QString &AName);
    int GetKeywordId(const QString &AName);
    int InsertKeyword(const QString &AName);
    int GetCertificationId(const QString &AName);
    int InsertCertification(const QString &AName);
    int GetCountryId(const QString &AName);
    int InsertCountry(const QString &AName);
    int GetLanguageId(const QString &AName);
    int InsertLanguage(const QString &AName);
    int GetTechnicalDataId(const QString &AName);
    int InsertTechnicalData(const QString &AName);

    // Link rows; each returns false when its statement failed or was skipped by its guard.
    bool GenreIsLinkedToMovie(int AMovieId, int AGenreId);
    bool AddGenreToMovie(int AMovieId, int AGenreId);
    bool KeywordIsLinkedToMovie(int AMovieId, int AKeywordId);
    bool AddKeywordToMovie(int AMovieId, int AKeywordId);
    bool AddFilmingLocationToMovie(int AMovieId, int AAutoIndex, const QString &AFilmingLocation);
    bool AddAwardsToMovie(int AMovieID, const TIMDBAward &MovieAward);
    bool AddAwardRecipientToMovie(int AMovieID, int AAuotIndex, int APersonId, const QString &APersonNote);
    bool AddTechnicalDataToMovie(int AMovieID, int TechnicalDataId, const TIMDBTechData &TechnicalData);
    bool AddSoundtrackToMovie(int AMovieID, const TIMDBSoundtrack &Soundtrack);
    bool ActorIsLinkedToMovieAndRole(int AMovieId, int APersonId, const QString &ACharacterName);
    bool AddActorToMovie(int AMovieId, int APersonId, int AListIndex, const QString &ACharacterName, bool ALeadRole);
    bool PersonIsLinkedToMovieAndRole(int AMovieId, int APersonId, int ARoleId);
    bool AddPersonRoleToMovie(int AMovieId, int APersonId, int ARoleId, int AListIndex);

    // The next cast (ARoleId 0) or crew (ARoleId > 0) list index of a movie; 1 when none.
    int GetNewCastCrewListIndex(int ARoleId, int AMovieId);
    int GetNewMovieListIndex() const { return 1; }

    // Fills the list with the media types ordered by name. Throws std::invalid_argument for a null
    // list.
    void GetAllMediaTypes(QList<TMediaType> *AMediaTypeCollection);
    bool IdExistsInTable(const QString &ATablename, const QString &AIDFieldName, int AId);
    bool MovieTitleExist(const QString &AMovieTitle);

    // The text through the online translation service when "TranslateTexts" is on and the program
    // language has a target; otherwise (or when the service gives nothing) unchanged.
    QString TranslateText(const QString &AText);

    // Reads the episodes of a series season from its page into TVSERIES and commits. True when at
    // least one episode was stored.
    bool StoreSeasonEpisodes(const QString &AIMDBID, const QString &ASeriesName, int ASeason, bool AOnlyMissing,
                             int AEpisodeLength, int AMovieId);

    // The maximum of the column plus 1 (1 for an empty table); 0 when the query fails. Throws
    // KeyRangeError (RecordHelpers.h) when the next key would collide with an existing one.
    int GetUniqueID(const QString &ATablename, const QString &AIDFieldName);

    // The transaction: started when none is active; ended retaining, so it stays usable.
    void StartTransaction();
    void CommitTransaction();
    void RollbackTransaction();

private:
    // Runs a statement; false (error swallowed) on failure.
    bool tryExec(const QString &sql);
    // Runs a statement; throws FbError on failure.
    void exec(const QString &sql);
    // The first column of the first row as an integer, or NotFound when there is none or on error.
    int scalarInt(const QString &sql);
    bool hasRow(const QString &sql);
    int lookupByName(const QString &table, const QString &idField, const QString &name, int limit);
    int insertLookup(const QString &table, const QString &idField, const QString &name, int limit);
    using LookupFunction = int (TIMDBDatabaseModule::*)(const QString &);
    int getOrCreate(LookupFunction get, LookupFunction insert, const QString &name);
    void storeMovieDetails(TIMDBMovie &movie, int movieId);
    void storeCast(const TIMDBMovie &movie, int movieId);
    void storeCrew(const TIMDBMovie &movie, int movieId);
    void storeAwards(const TIMDBMovie &movie, int movieId);
    void storePersonPicture(int personId, const QString &address);
    bool storeCover(const TIMDBMovie &movie, int mediaId);
    void deleteCoverFile(const TIMDBMovie &movie);
};

// One episode as read from a season page; AirDate is "YYYY-MM-DD", the empty date when unknown.
struct TSeasonEpisode
{
    QString Name;
    QString AirDate;
    QString Plot;
};

// The address of a season's episode list: the id's digits padded to 7 with "tt" before them.
QString SeasonPageAddress(const QString &imdbId, int season);
// The episodes of a season page, in page order, cut by the definitions' markers.
QList<TSeasonEpisode> ReadSeasonEpisodes(const QString &page, int season);
// A text cut for the translation service: pieces that each end at the blank after their
// wordsPerPiece-th word; the last piece is the rest.
QStringList SplitIntoTranslationPieces(const QString &text, int wordsPerPiece);
// The translated text of a translation service's answer; empty when the answer is not one.
QString ReadTranslationAnswer(const QString &answer);
