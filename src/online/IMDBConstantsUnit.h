#pragma once

#include <QString>
#include <QStringList>

#include <functional>

// The definitions table: every address template and marker the scrapers use, read from the
// enciphered definitions file "mdd2e.txt" at start and after each definitions update. A key that
// the file lacks reads as the empty text, and an empty marker is never found, so the field it
// serves stays empty.

// Every key the program reads, grouped by the scraper that uses it.
#define RN_DEFINITION_KEYS(X)                                                                                          \
    /* Program update */                                                                                               \
    X(APP_LATEST_BUILD)                                                                                                \
    X(APP_PRO_DOWNLOAD)                                                                                                \
    /* File version */                                                                                                 \
    X(IMDB_DEFINITIONS_VERSION)                                                                                        \
    /* Search */                                                                                                       \
    X(IMDB_EMPTYSPACE_CHAR)                                                                                            \
    X(IMDB_TITLE_SEARCH_URL)                                                                                           \
    X(IMDB_TITLE_SEARCH_AKA)                                                                                           \
    X(IMDB_TITLE_SEARCH_MOVIE)                                                                                         \
    X(IMDB_TITLE_SEARCH_MOVIE_1)                                                                                       \
    X(IMDB_TITLE_START_TAG)                                                                                            \
    X(IMDB_TITLE_MID_TAG)                                                                                              \
    X(IMDB_TITLE_END_TAG)                                                                                              \
    X(IMDB_TITLE_REMOVE1_TAG)                                                                                          \
    X(IMDB_TITLE_REMOVE2_TAG)                                                                                          \
    X(IMDB_TITLE_REMOVE3_TAG)                                                                                          \
    X(IMDB_TITLE_VIDEOGAME_TAG)                                                                                        \
    X(IMDB_TITLE_TVEPISODE_TAG)                                                                                        \
    X(IMDB_TITLE_ID_SEPERATOR)                                                                                         \
    X(IMDB_TITLE_ID_SEPERATOR_2)                                                                                       \
    X(IMDB_TITLE_TVSERIES_IDENTIFIER)                                                                                  \
    X(IMDB_TITLE_TVSERIES_IDENTIFIER_2)                                                                                \
    X(IMDB_TITLE_TVSERIES_IDENTIFIER_3)                                                                                \
    X(IMDB_TITLE_TVSERIES_END_TAG)                                                                                     \
    X(IMDB_YEAR_SEARCH_START_TAG)                                                                                      \
    X(IMDB_YEAR_SEARCH_END_TAG)                                                                                        \
    /* Title page */                                                                                                   \
    X(IMDB_TITLE_URL)                                                                                                  \
    X(IMDB_STD_MOVIE_URL)                                                                                              \
    X(IMDB_STD_PERSON_URL)                                                                                             \
    X(IMDB_MOVIE_TITLE_BEGIN_TAG_LOCAL)                                                                                \
    X(IMDB_MOVIE_TITLE_END_TAG_LOCAL)                                                                                  \
    X(IMDB_MOVIE_ORIGINALTITLE_HEAD_TAG)                                                                               \
    X(IMDB_MOVIE_ORIGINALTITLE_BOTTOM_TAG)                                                                             \
    X(IMDB_MOVIE_ORIGINALTITLE_BEGIN_TAG)                                                                              \
    X(IMDB_MOVIE_ORIGINALTITLE_END_TAG)                                                                                \
    X(IMDB_YEAR_START_TAG)                                                                                             \
    X(IMDB_YEAR_END_TAG)                                                                                               \
    X(IMDB_YEAR_TV_HEAD_TAG)                                                                                           \
    X(IMDB_YEAR_TV_BOTTOM_TAG)                                                                                         \
    X(IMDB_GENRE_HEAD_TAG)                                                                                             \
    X(IMDB_GENRE_START_TAG)                                                                                            \
    X(IMDB_GENRE_END_TAG)                                                                                              \
    X(IMDB_GENRE_BOTTOM_TAG)                                                                                           \
    X(IMDB_RUNTIME_START_TAG)                                                                                          \
    X(IMDB_RUNTIME_END_TAG)                                                                                            \
    X(IMDB_COUNTRY_HEAD_TAG)                                                                                           \
    X(IMDB_COUNTRY_START_TAG)                                                                                          \
    X(IMDB_COUNTRY_END_TAG)                                                                                            \
    X(IMDB_COUNTRY_BOTTOM_TAG)                                                                                         \
    X(IMDB_LANGUAGE_START_TAG)                                                                                         \
    X(IMDB_LANGUAGE_END_TAG)                                                                                           \
    X(IMDB_TAGLINE_START_TAG)                                                                                          \
    X(IMDB_TAGLINE_MID_TAG)                                                                                            \
    X(IMDB_TAGLINE_END_TAG)                                                                                            \
    X(IMDB_MPAA_START_TAG)                                                                                             \
    X(IMDB_MPAA_MIDDLE_TAG)                                                                                            \
    X(IMDB_MPAA_END_TAG)                                                                                               \
    X(IMDB_PLOTOUTLINE_START_TAG)                                                                                      \
    X(IMDB_PLOTOUTLINE_MIDDLE_TAG)                                                                                     \
    X(IMDB_PLOTOUTLINE_MIDDLE_TAG_2)                                                                                   \
    X(IMDB_PLOTOUTLINE_END_TAG)                                                                                        \
    X(IMDB_PLOTOUTLINE_END_TAG_2)                                                                                      \
    X(IMDB_RATING_HEAD_TAG)                                                                                            \
    X(IMDB_RATING_BOTTOM_TAG)                                                                                          \
    X(IMDB_RATING_BEGIN_TAG)                                                                                           \
    X(IMDB_RATING_END_TAG)                                                                                             \
    X(IMDB_THEATREDATE_START_TAG)                                                                                      \
    X(IMDB_THEATREDATE_MID_TAG)                                                                                        \
    X(IMDB_THEATREDATE_END_TAG)                                                                                        \
    X(IMDB_TRAILER_HEAD_TAG)                                                                                           \
    X(IMDB_TRAILER_BOTTOM_TAG)                                                                                         \
    X(IMDB_TRAILER_BEGIN_TAG)                                                                                          \
    X(IMDB_TRAILER_END_TAG)                                                                                            \
    X(IMDB_TRAILER_PRE_URL)                                                                                            \
    X(IMDB_TRAILER_CHECK_TAG)                                                                                          \
    X(IMDB_COVER_START_TAG)                                                                                            \
    X(IMDB_COVER_SRC_START_TAG)                                                                                        \
    X(IMDB_COVER_SRC_END_TAG)                                                                                          \
    X(IMDB_COVER_IMAGE_MIDDLE)                                                                                         \
    X(IMDB_COVER_IMAGE_X)                                                                                              \
    X(IMDB_COVER_IMAGE_Y)                                                                                              \
    X(IMDB_COVER_IMAGE_X_NEW)                                                                                          \
    X(IMDB_COVER_IMAGE_Y_NEW)                                                                                          \
    X(IMDB_COVER_IGNORE)                                                                                               \
    /* Cast and crew */                                                                                                \
    X(IMDB_CAST_HEADER_START_TAG)                                                                                      \
    X(IMDB_CAST_MEMBER_REALNAME_START_TAG)                                                                             \
    X(IMDB_CAST_MEMBER_REALNAME_END_TAG)                                                                               \
    X(IMDB_CAST_MEMBER_ROLENAME_START_TAG)                                                                             \
    X(IMDB_CAST_MEMBER_ROLENAME_MIDDLE_TAG)                                                                            \
    X(IMDB_CAST_MEMBER_ROLENAME_MIDDLE2_TAG)                                                                           \
    X(IMDB_CAST_MEMBER_ROLENAME_END_TAG)                                                                               \
    X(IMDB_CAST_EXIT_TAG)                                                                                              \
    X(IMDB_CAST_VOICEONLY_TAG)                                                                                         \
    X(IMDB_PERSON_IMAGE_TOP_TAG)                                                                                       \
    X(IMDB_PERSON_IMAGE_BOTTOM_TAG)                                                                                    \
    X(IMDB_PERSON_IMAGE_START_TAG)                                                                                     \
    X(IMDB_PERSON_IMAGE_END_TAG)                                                                                       \
    X(IMDB_PERSON_IMAGE_X2)                                                                                            \
    X(IMDB_PERSON_IMAGE_Y2)                                                                                            \
    X(IMDB_PERSON_IMAGE_CENTER)                                                                                        \
    X(IMDB_PERSON_IGNORE1_URL)                                                                                         \
    X(IMDB_PERSON_IGNORE2_URL)                                                                                         \
    X(IMDB_PERSON_PREPOSITION_TAG)                                                                                     \
    X(IMDB_PERSON_REMOVE1)                                                                                             \
    X(IMDB_PERSON_REMOVE2)                                                                                             \
    X(IMDB_CREDIT_BEGIN_TAG)                                                                                           \
    X(IMDB_CREDIT_MIDDLE_TAG)                                                                                          \
    X(IMDB_CREDIT_END_TAG)                                                                                             \
    X(IMDB_DIRECTOR_START_TAG)                                                                                         \
    X(IMDB_DIRECTOR_END_TAG)                                                                                           \
    X(IMDB_WRITING_START_TAG)                                                                                          \
    X(IMDB_WRITING_END_TAG)                                                                                            \
    X(IMDB_PRODUCER_START_TAG)                                                                                         \
    X(IMDB_PRODUCER_END_TAG)                                                                                           \
    X(IMDB_PRODUCER_TYPE_START_TAG)                                                                                    \
    X(IMDB_PRODUCER_TYPE_END_TAG)                                                                                      \
    X(IMDB_PRODUCER_TYPE_IDENTIFIER)                                                                                   \
    X(IMDB_MUSIC_BEGIN_TAG)                                                                                            \
    X(IMDB_MUSIC_END_TAG)                                                                                              \
    X(IMDB_STARS_URL)                                                                                                  \
    X(IMDB_STARS_HEAD_TAG)                                                                                             \
    X(IMDB_STARS_BOTTOM_TAG)                                                                                           \
    X(IMDB_STARS_START_TAG)                                                                                            \
    X(IMDB_STARS_END_TAG)                                                                                              \
    /* Sub-pages */                                                                                                    \
    X(IMDB_PLOT_URL)                                                                                                   \
    X(IMDB_PLOT_START_TAG)                                                                                             \
    X(IMDB_PLOT_END_TAG)                                                                                               \
    X(IMDB_PLOT_BOTTOM_TAG)                                                                                            \
    X(IMDB_TRIVIA_URL)                                                                                                 \
    X(IMDB_TRIVIA_HEAD_TAG)                                                                                            \
    X(IMDB_TRIVIA_BOTTOM_TAG)                                                                                          \
    X(IMDB_TRIVIA_START_TAG)                                                                                           \
    X(IMDB_TRIVIA_END_TAG)                                                                                             \
    X(IMDB_FILMINGLOCATIONS_URL)                                                                                       \
    X(IMDB_FILMINGLOCATIONS_HEAD_TAG)                                                                                  \
    X(IMDB_FILMINGLOCATIONS_START_TAG)                                                                                 \
    X(IMDB_FILMINGLOCATIONS_END_TAG)                                                                                   \
    X(IMDB_FILMINGLOCATIONS_BOTTOM_TAG)                                                                                \
    X(IMDB_AWARDS_URL)                                                                                                 \
    X(IMDB_AWARDS_HEAD_TAG)                                                                                            \
    X(IMDB_AWARDS_BOTTOM_TAG)                                                                                          \
    X(IMDB_AWARDS_ORGANIZATION_START_TAG)                                                                              \
    X(IMDB_AWARDS_ORGANIZATION_END_TAG)                                                                                \
    X(IMDB_AWARDS_YEAR_START_TAG)                                                                                      \
    X(IMDB_AWARDS_YEAR_END_TAG)                                                                                        \
    X(IMDB_AWARDS_NOMINATED_START_TAG)                                                                                 \
    X(IMDB_AWARDS_NOMINATED_END_TAG)                                                                                   \
    X(IMDB_AWARDS_NAME_START_TAG)                                                                                      \
    X(IMDB_AWARDS_NAME_END_TAG)                                                                                        \
    X(IMDB_AWARDS_CATEGORY_START_TAG)                                                                                  \
    X(IMDB_AWARDS_CATEGORY_END_TAG)                                                                                    \
    X(IMDB_AWARDS_PERSON_START_TAG)                                                                                    \
    X(IMDB_AWARDS_PERSON_END_TAG)                                                                                      \
    X(IMDB_AWARDS_PERSON_BOTTOM_TAG)                                                                                   \
    X(IMDB_AWARDS_PERSON_ID_END_TAG)                                                                                   \
    X(IMDB_AWARDS_PERSONNOTE_START_TAG)                                                                                \
    X(IMDB_AWARDS_PERSONNOTE_END_TAG)                                                                                  \
    X(IMDB_AWARDS_PERSON_ITEM_END_TAG)                                                                                 \
    X(IMDB_AWARDS_NOTE_START_TAG)                                                                                      \
    X(IMDB_AWARDS_NOTE_END_TAG)                                                                                        \
    X(IMDB_AWARDS_RESULT)                                                                                              \
    X(IMDB_TECHDATA_URL)                                                                                               \
    X(IMDB_TECHDATA_HEAD_TAG)                                                                                          \
    X(IMDB_TECHDATA_BOTTOM_TAG)                                                                                        \
    X(IMDB_TECHDATA_DATA_START_TAG)                                                                                    \
    X(IMDB_TECHDATA_DATA_END_TAG)                                                                                      \
    X(IMDB_TECHDATA_VALUE_START_TAG)                                                                                   \
    X(IMDB_TECHDATA_VALUE_END_TAG)                                                                                     \
    X(IMDB_TECHDATA_VALUE_DIVIDER_TAG)                                                                                 \
    X(IMDB_TECHDATA_ASPECTRATIO_TAG)                                                                                   \
    X(IMDB_TECHDATA_SOUNDMIX_TAG)                                                                                      \
    X(IMDB_TECHDATA_RUNTIME_TAG)                                                                                       \
    X(IMDB_SOUNDTRACK_URL)                                                                                             \
    X(IMDB_SOUNDTRACK_HEAD_TAG)                                                                                        \
    X(IMDB_SOUNDTRACK_BOTTOM_TAG)                                                                                      \
    X(IMDB_SOUNDTRACK_TITLE_START_TAG)                                                                                 \
    X(IMDB_SOUNDTRACK_TITLE_END_TAG)                                                                                   \
    X(IMDB_SOUNDTRACK_PERFORMER_START_TAG)                                                                             \
    X(IMDB_SOUNDTRACK_PERFORMER_END_TAG)                                                                               \
    X(IMDB_SOUNDTRACK_PERFORMER_MID_TAG)                                                                               \
    X(IMDB_SOUNDTRACK_PERFORMER_VALUE1_TAG)                                                                            \
    X(IMDB_SOUNDTRACK_PERFORMER_VALUE2_TAG)                                                                            \
    X(IMDB_SOUNDTRACK_PERFORMER_VALUE3_TAG)                                                                            \
    X(IMDB_KEYWORDS_URL)                                                                                               \
    X(IMDB_KEYWORDS_HEAD_TAG)                                                                                          \
    X(IMDB_KEYWORDS_START_TAG)                                                                                         \
    X(IMDB_KEYWORDS_END_TAG)                                                                                           \
    X(IMDB_KEYWORDS_BOTTOM_TAG)                                                                                        \
    /* Seasons and episodes */                                                                                         \
    X(IMDB_SEASON_URL)                                                                                                 \
    X(IMDB_SEASON_URL_2)                                                                                               \
    X(IMDB_SEASON_NAME_TAG)                                                                                            \
    X(IMDB_SEASON_BEGIN_TAG)                                                                                           \
    X(IMDB_SEASON_END_TAG)                                                                                             \
    X(IMDB_EPSIODE_BEGIN_TAG)                                                                                          \
    X(IMDB_EPISODE_TITLE1_TAG)                                                                                         \
    X(IMDB_EPISODE_TITLE2_TAG)                                                                                         \
    X(IMDB_EPISODE_AIRDATE1_TAG)                                                                                       \
    X(IMDB_EPISODE_AIRDATE2_TAG)                                                                                       \
    X(IMDB_EPISODE_PLOT1_TAG)                                                                                          \
    X(IMDB_EPISODE_PLOT2_TAG)                                                                                          \
    /* Person pages */                                                                                                 \
    X(IMDB_PERSONPAGE_URL)                                                                                             \
    X(IMDB_PERSONPAGE_IMAGE_HEAD_TAG)                                                                                  \
    X(IMDB_PERSONPAGE_IMAGE_BOTTOM_TAG)                                                                                \
    X(IMDB_PERSONPAGE_IMAGE_START_TAG)                                                                                 \
    X(IMDB_PERSONPAGE_IMAGE_END_TAG)                                                                                   \
    X(IMDB_PERSONPAGE_IGNORE_URL)                                                                                      \
    X(IMDB_PERSONPAGE_YEAR_TAG)                                                                                        \
    X(IMDB_PERSON_IMAGE_X)                                                                                             \
    X(IMDB_PERSON_IMAGE_Y)                                                                                             \
    X(IMDB_BIOPAGE_URL)                                                                                                \
    X(IMDB_BIOPAGE_BIO_HEAD)                                                                                           \
    X(IMDB_BIOPAGE_BIO_START_TAG)                                                                                      \
    X(IMDB_BIOPAGE_BIO_END_TAG)                                                                                        \
    X(IMDB_BIOPAGE_BIO_RETURN_TAG)                                                                                     \
    X(IMDB_PERSONTRIVIA_URL)                                                                                           \
    X(IMDB_PERSONTRIVIA_HEAD_TAG)                                                                                      \
    X(IMDB_PERSONTRIVIA_BOTTOM_TAG)                                                                                    \
    X(IMDB_PERSONTRIVIA_BOTTOM2_TAG)                                                                                   \
    X(IMDB_PERSONTRIVIA_START_TAG)                                                                                     \
    X(IMDB_PERSONTRIVIA_END_TAG)                                                                                       \
    /* Ratings service */                                                                                              \
    X(ROTTEN_RATING_URL)                                                                                               \
    X(ROTTEN_RATING_HEAD_TAG)                                                                                          \
    X(ROTTEN_RATING_BOTTOM_TAG)                                                                                        \
    X(ROTTEN_RATING_START_TAG)                                                                                         \
    X(ROTTEN_RATING_END_TAG)                                                                                           \
    X(ROTTEN_URL_START_TAG)                                                                                            \
    X(ROTTEN_URL_END_TAG)                                                                                              \
    /* Open movie data service */                                                                                      \
    X(OMDB_URL)                                                                                                        \
    X(OMDB_HEAD_TAG)                                                                                                   \
    X(OMDB_BOTTOM_TAG)                                                                                                 \
    X(OMDB_ROTTEN_RATING_START_TAG)                                                                                    \
    X(OMDB_ROTTEN_RATING_END_TAG)                                                                                      \
    X(OMDB_TITLE_START_TAG)                                                                                            \
    X(OMDB_TITLE_END_TAG)                                                                                              \
    X(OMDB_OFFICIALSITE_URL_START_TAG)                                                                                 \
    X(OMDB_OFFICIALSITE_URL_END_TAG)                                                                                   \
    X(OMDB_YEAR_START_TAG)                                                                                             \
    X(OMDB_YEAR_END_TAG)                                                                                               \
    X(OMDB_GENRES_START_TAG)                                                                                           \
    X(OMDB_GENRES_END_TAG)                                                                                             \
    X(OMDB_IMDB_RATING_START_TAG)                                                                                      \
    X(OMDB_IMDB_RATING_END_TAG)                                                                                        \
    X(OMDB_MOVIETIME_START_TAG)                                                                                        \
    X(OMDB_MOVIETIME_END_TAG)                                                                                          \
    X(OMDB_THEATREDATE_START_TAG)                                                                                      \
    X(OMDB_THEATREDATE_END_TAG)                                                                                        \
    X(OMDB_RELEASEDATE_START_TAG)                                                                                      \
    X(OMDB_RELEASEDATE_END_TAG)                                                                                        \
    X(OMDB_STUDIO_START_TAG)                                                                                           \
    X(OMDB_STUDIO_END_TAG)                                                                                             \
    X(OMDB_PLOT_START_TAG)                                                                                             \
    X(OMDB_PLOT_END_TAG)                                                                                               \
    X(OMDB_COVERARTURL_START_TAG)                                                                                      \
    X(OMDB_COVERARTURL_END_TAG)                                                                                        \
    X(OMDB_COUNTRY_START_TAG)                                                                                          \
    X(OMDB_COUNTRY_END_TAG)                                                                                            \
    X(OMDB_CERTIFICATION_START_TAG)                                                                                    \
    X(OMDB_CERTIFICATION_END_TAG)                                                                                      \
    X(OMDB_LANGUAGES_START_TAG)                                                                                        \
    X(OMDB_LANGUAGES_END_TAG)                                                                                          \
    /* Translation links */                                                                                            \
    X(BABEL_URL)                                                                                                       \
    X(BABEL_VERIFY)                                                                                                    \
    X(BABEL_HEAD_TAG)                                                                                                  \
    X(BABEL_BOTTOM_TAG)                                                                                                \
    X(BABEL_START_TAG)                                                                                                 \
    X(BABEL_END_TAG)                                                                                                   \
    /* Barcode lookup */                                                                                               \
    X(UPC_URL)                                                                                                         \
    X(UPC_VERIFY)                                                                                                      \
    X(UPC_HEAD_TAG)                                                                                                    \
    X(UPC_BOTTOM_TAG)                                                                                                  \
    X(UPC_START_TAG)                                                                                                   \
    X(UPC_END_TAG)                                                                                                     \
    X(UPC_UNKNOWN_TAG)                                                                                                 \
    /* Amazon */                                                                                                       \
    X(AMAZON_URL1)                                                                                                     \
    X(AMAZON_URL_INTERNATIONAL)                                                                                        \
    X(AMAZON_NORESULT)                                                                                                 \
    X(AMAZON_TITLE_TAG1)                                                                                               \
    X(AMAZON_TITLE_TAG3)                                                                                               \
    X(AMAZON_TITLE_TAG4)                                                                                               \
    X(AMAZON_PRODUCTPAGE_TAG1)                                                                                         \
    X(AMAZON_PRODUCTPAGE_TAG3)                                                                                         \
    X(AMAZON_IMAGE_URL1)                                                                                               \
    X(AMAZON_STUDIO_TAG1)                                                                                              \
    X(AMAZON_STUDIO_TAG2)                                                                                              \
    X(AMAZON_RELEASEDATE_TAG1)                                                                                         \
    X(AMAZON_RELEASEDATE_TAG2)                                                                                         \
    X(AMAZON_ASPECTRATIO_TAG1)                                                                                         \
    X(AMAZON_ASPECTRATIO_TAG2)                                                                                         \
    X(AMAZON_SMALLIMG_TAG)                                                                                             \
    X(AMAZON_NOSMALLIMAGE1)                                                                                            \
    X(AMAZON_NOSMALLIMAGE2)                                                                                            \
    X(AMAZON_DATACOLUMN_TAG)                                                                                           \
    X(AMAZON_DATACOLUMN_TAG_2)                                                                                         \
    X(AMAZON_SRTITLE_TAG)                                                                                              \
    X(AMAZON_BINDING_TAG)                                                                                              \
    X(AMAZON_SMALLIMAGE_TAG1_1)                                                                                        \
    X(AMAZON_SMALLIMAGE_TAG2_1)                                                                                        \
    X(AMAZON_SMALLIMAGE_TAG1_2)                                                                                        \
    X(AMAZON_SMALLIMAGE_TAG2_2)                                                                                        \
    X(AMAZON_PRODYEAR_START)                                                                                           \
    X(AMAZON_PRODYEAR_END)                                                                                             \
    X(AMAZON_PLOT_HEAD_TAG)                                                                                            \
    X(AMAZON_PLOT_BOTTOM_TAG)                                                                                          \
    X(AMAZON_PLOT_BEGIN_TAG)                                                                                           \
    X(AMAZON_PLOT_END_TAG)                                                                                             \
    X(AMAZON_PLOT_BREAKIF_TAG)

enum class DefKey {
#define RN_DEFINITION_ENUM(name) name,
    RN_DEFINITION_KEYS(RN_DEFINITION_ENUM)
#undef RN_DEFINITION_ENUM
        Count
};

// The key as written in the file, with its "=" ("IMDB_TITLE_URL=").
QString DefinitionKeyText(DefKey key);
// The value the table holds for a key.
QString Definition(DefKey key);
// The whole table, in key order, as "KEY=value" lines (what a loaded file amounts to).
QStringList DefinitionTableLines();

// The value of the first deciphered line that begins with key (key includes its "="), with blanks
// and control characters trimmed; empty when no line begins with it.
QString GetDefinitionValue(const QString &key, const QStringList &decipheredLines);
// Fills the table from deciphered lines: every key gets its value, absent keys the empty text.
void ApplyDefinitionLines(const QStringList &decipheredLines);
// Empties every value (the program's end).
void ClearDefinitions();

// The working copy in the temporary folder and the installed copy in the program folder.
QString DefinitionsWorkingCopyPath();
QString DefinitionsInstalledCopyPath();
// Reads an enciphered definitions file into the table. The working copy is seeded from the
// installed copy when it is missing. False, with the reason, when no file could be read; the table
// then holds nothing.
bool LoadDefinitions(QString *error = nullptr);
bool LoadDefinitionsFile(const QString &path, QString *error = nullptr);
// "IMDB_DEFINITIONS_VERSION=" as a number (0 when it is not one).
int DefinitionsVersion();
// The version as the About box and the application menu show it: "MDD File version 2.<number>".
QString DefinitionsVersionLabel();

// The update server's address (scheme, host and optional port); empty means no update check.
// Kept in the settings store's root as "UpdateServer".
QString UpdateServerAddress();
// The running program's build number (the fourth part of its version).
quint16 ProgramBuildNumber();

// The program update notice for the main window: the label text and the installer's address.
struct UpdateNotice
{
    bool shown = false;
    QString text;
    QString url;
};
const UpdateNotice &CurrentUpdateNotice();
// The main window shows the notice when this is set; it is called when the notice appears.
extern std::function<void(const UpdateNotice &)> OnUpdateNotice;

// The daily check for a newer definitions file and program build. Without force it runs at most
// once a day; with force the program update notice is never shown. Records today's date even when
// nothing could be fetched.
void CheckForUpdates(bool force);
// The start of the program's online part: loads the definitions (when no file can be read, the
// user gets the reason as the application's error message and the program goes on without them)
// and runs the daily update check.
void StartDefinitions();
