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
// download reads each title's page into its movie. Fetch failures of the title page are shown to
// the user.
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
    // The page text, or empty after telling the user why it could not be fetched.
    QString DownloadMovieWebpage(const QString &AMovieURL);
    // Fetches the title page of AMovie and reads it; false when the page could not be fetched.
    bool DownloadMovieInformation(TIMDBMovie &AMovie, bool IncludeAmazon = false, bool WantedMode = false);
    // Downloads every movie of the list in order, stopping at the first that fails.
    bool DownloadMovieInformation();

    HttpClient &connection() { return *FIMDBConnection; }

private:
    std::unique_ptr<HttpClient> FIMDBConnection;
    std::vector<std::unique_ptr<TIMDBMovie>> FMovieCollection;
    int FMaxSearchResults = 100;
};

// Tells the user why a page could not be fetched, with the common error box.
void ReportFetchError(const QString &address, const HttpResult &result);
