#pragma once

#include "online/HttpClient.h"
#include "online/IMDBMovieClassUnit.h"

#include <QString>

#include <functional>
#include <memory>
#include <vector>

// Raised before each movie of a download run: maximum, minimum, current.
using TIMDBProgress = std::function<void(int AMaximumValue, int AMinimumValue, int ACurrentValue)>;

// Ties a list of titles to one persistent HTTP connection: the search fills the list, the
// download reads each title's page into its movie. Fetch failures of the search and the title
// page are shown to the user.
class TIMDBRobot
{
public:
    TIMDBRobot();
    ~TIMDBRobot();
    TIMDBRobot(const TIMDBRobot &) = delete;
    TIMDBRobot &operator=(const TIMDBRobot &) = delete;

    std::vector<std::unique_ptr<TIMDBMovie>> &MovieCollection() { return FMovieCollection; }
    int MaxSearchResults() const { return FMaxSearchResults; }
    void setMaxSearchResults(int value) { FMaxSearchResults = value; }
    TIMDBProgress OnIMDBDownloadProgress;

    // Empties the movie list.
    void Clear();
    // Fills the list with the titles the site finds for ASearchString, keeping the kinds DlType
    // asks for (TitleSearchKind). When the site answers with a title page, that title is the
    // only result. False when the search page could not be fetched.
    bool DownloadTitleCollection(const QString &ASearchString, int DlType);
    // Fills the list with the one title a title-page address names. False when the address names
    // none or its page could not be fetched.
    bool DownloadTitleForImdbID(const QString &ASearchString);
    // The page text, or empty after telling the user why it could not be fetched.
    QString DownloadMovieWebpage(const QString &AMovieURL);
    // Fetches the title page of AMovie and reads it; false when the page could not be fetched.
    bool DownloadMovieInformation(TIMDBMovie &AMovie, bool IncludeAmazon = false, bool WantedMode = false);
    // Downloads every movie of the list in order, stopping at the first that fails.
    bool DownloadMovieInformation();

    HttpClient &connection() { return *FIMDBConnection; }

private:
    // The page, or empty after telling the user why it could not be fetched; finalAddress gets
    // the address the answer came from.
    QString fetchPage(const QString &address, QString *finalAddress = nullptr);
    // The title of a page the site jumped to; the search text when the page's title does not
    // contain it (an alternative title was searched).
    bool readDirectHit(const QString &finalAddress, const QString &searchText);

    std::unique_ptr<HttpClient> FIMDBConnection;
    std::vector<std::unique_ptr<TIMDBMovie>> FMovieCollection;
    int FMaxSearchResults = 100;
};

// Tells the user why a page could not be fetched, with the common error box.
void ReportFetchError(const QString &address, const HttpResult &result);
// Reads the preview of a title (main details, five cast members, the cover) from its page on a
// connection of its own. False, after telling the user why, when the page could not be fetched.
bool DownloadMoviePreview(TIMDBMovie &movie);
// The product title the barcode service names for a barcode; empty when it names none or could
// not be reached (no message).
QString LookupBarcode(const QString &barcode);
