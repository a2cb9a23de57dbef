#pragma once

// The numbers of the language texts the program asks for, in one list. Code names a text by its
// constant (GetText(Txt::PleaseWait)); a test reads this list and checks that every text is in the
// shipped English file, so a missing line is caught before a user meets the language-file message.
//
// Each entry: the constant's name, the line number in the language file, and whether the program
// inserts a value into the text's "%s" (GetTextWithArg).
#define REELNEST_LANGUAGE_TEXTS(X)                                                                                     \
    X(Ok, 1, false)                                                                                                    \
    X(Cancel, 2, false)                                                                                                \
    X(DefaultDatabaseName, 9, false)                                                                                   \
    X(DemoDataQuestion, 10, false)                                                                                     \
    X(PictureNotDownloaded, 12, false)                                                                                 \
    X(DatabaseCouldNotBeOpened, 11, false)                                                                             \
    X(WaitOpeningView, 55, false)                                                                                      \
    X(PleaseWait, 56, false)                                                                                           \
    X(MinutesShort, 188, false)                                                                                        \
    X(WelcomeTo, 228, false)                                                                                           \
    X(DatabaseFileType, 243, false)                                                                                    \
    X(Browse, 301, false)                                                                                              \
    X(Season, 382, false)                                                                                              \
    X(WishList, 244, false)                                                                                            \
    X(WantedItem, 325, false)                                                                                          \
    X(LowPriority, 326, false)                                                                                         \
    X(SearchResultsFor, 352, true)                                                                                     \
    X(MovieTitle, 353, false)                                                                                          \
    X(SearchCaption, 354, false)                                                                                       \
    X(DownloadQueue, 357, false)                                                                                       \
    X(KeepDownloadQueue, 1252, false)                                                                                  \
    X(SeriesTitle, 1389, false)                                                                                        \
    X(Downloading, 1439, false)                                                                                        \
    X(PleaseWaitCaption, 1657, false)                                                                                  \
    X(Media, 15, false)                                                                                                \
    X(MediaType, 35, false)                                                                                            \
    X(OriginalTitle, 54, false)                                                                                        \
    X(Close, 64, false)                                                                                                \
    X(Cast, 115, false)                                                                                                \
    X(Remove, 145, false)                                                                                              \
    X(RegionCode, 172, false)                                                                                          \
    X(ReleaseDate, 174, false)                                                                                         \
    X(Genres, 180, false)                                                                                              \
    X(Priority, 323, false)                                                                                            \
    X(PlotOutline, 1414, false)                                                                                        \
    X(DescriptionHint, 341, false)                                                                                     \
    X(UpdateAvailable, 1301, false)                                                                                    \
    X(ChooseYourLanguage, 1408, false)                                                                                 \
    X(FirstStartIntroduction, 1409, true)                                                                              \
    X(CreateNewDatabase, 1410, false)                                                                                  \
    X(OpenExistingDatabaseLink, 1411, false)                                                                           \
    X(OpenDatabaseTitle, 1412, true)                                                                                   \
    X(CreateDatabaseTitle, 1413, false)                                                                                \
    X(ErrorHeading, 1415, false)                                                                                       \
    X(ErrorProblem, 1416, false)                                                                                       \
    X(ErrorSolution, 1417, false)                                                                                      \
    X(ErrorDetail, 1418, false)                                                                                        \
    X(InternetFailure, 1419, false)                                                                                    \
    X(InternetFailureSolution, 1420, false)                                                                            \
    X(NoTriviaFound, 1441, false)                                                                                      \
    X(OpenFailure, 1472, false)                                                                                        \
    X(OpenFailureServer, 1473, false)                                                                                  \
    X(OpenFailureEngine, 1474, false)                                                                                  \
    X(HoursShort, 1507, false)                                                                                         \
    X(NetworkConnectCaption, 1561, false)                                                                              \
    X(NetworkConnectExplanation, 1562, false)                                                                          \
    X(NetworkConnectAddress, 1563, false)                                                                              \
    X(TestConnection, 1564, false)                                                                                     \
    X(ViewLatestAdditions, 1587, false)                                                                                \
    X(RebuildingThumbnails, 1696, false)                                                                               \
    X(ViewTopRated, 1737, false)                                                                                       \
    X(ViewBluRay, 1738, false)                                                                                         \
    X(ViewOscarMovies, 1739, false)                                                                                    \
    X(ViewOscarPeople, 1740, false)                                                                                    \
    X(ViewUnwatched, 1741, false)                                                                                      \
    X(SiteRefused, 1856, true)                                                                                         \
    X(Title, 21, false)                                                                                                \
    X(SelectAFolder, 68, false)                                                                                        \
    X(DeleteEntry, 72, true)                                                                                           \
    X(DeleteSelectedEntries, 73, true)                                                                                 \
    X(UseClipboardPicture, 101, false)                                                                                 \
    X(DeleteCaption, 168, false)                                                                                       \
    X(SelectEntries, 277, false)                                                                                       \
    X(NoImdbNumber, 1271, false)                                                                                       \
    X(MovieFileNotFound, 1475, false)                                                                                  \
    X(DeleteMovieFiles, 1595, false)                                                                                   \
    X(UnsavedChangesQuestion, 25, false)                                                                               \
    X(NewMovie, 30, false)                                                                                             \
    X(NewMedia, 39, false)                                                                                             \
    X(SeqNumberInUse, 44, false)                                                                                       \
    X(EntryProperties, 45, false)                                                                                      \
    X(NewEntry, 46, false)                                                                                             \
    X(DeleteThisEntry, 269, false)                                                                                     \
    X(CopyShowsSavedState, 651, false)                                                                                 \
    X(SeveralFiles, 1600, false)                                                                                       \
    X(DateAdded, 1648, false)                                                                                          \
    X(DateModified, 1649, false)                                                                                       \
    X(PartOfMovieGroup, 1770, true)                                                                                    \
    X(PicturePreview, 110, false)                                                                                      \
    X(Filename, 136, false)                                                                                            \
    X(SeqNumber, 169, false)                                                                                           \
    X(CoverArtExport, 1299, false)                                                                                     \
    X(DestinationDirectory, 1300, false)                                                                               \
    X(IncludeBackCoverArt, 1664, false)                                                                                \
    X(Turn, 1776, false)                                                                                               \
    X(CoverExportFolderNotWritable, 1857, true)                                                                        \
    X(CoverExportNoFolder, 1858, false)                                                                                \
    X(NotANumber, 1859, true)                                                                                          \
    X(NotADate, 1860, true)                                                                                            \
    X(EntryNotSaved, 1861, false)                                                                                      \
    X(EntryNotSavedSolution, 1862, false)                                                                              \
    X(TitlesNotStored, 1863, true)

namespace Txt {

#define REELNEST_TEXT_CONSTANT(name, number, withArg) name = number,
enum Number : int { REELNEST_LANGUAGE_TEXTS(REELNEST_TEXT_CONSTANT) };
#undef REELNEST_TEXT_CONSTANT

struct Entry
{
    const char *name;
    int number;
    bool withArg;
};

#define REELNEST_TEXT_ENTRY(name, number, withArg) Entry{#name, number, withArg},
inline constexpr Entry AllUsed[] = {REELNEST_LANGUAGE_TEXTS(REELNEST_TEXT_ENTRY)};
#undef REELNEST_TEXT_ENTRY

} // namespace Txt
