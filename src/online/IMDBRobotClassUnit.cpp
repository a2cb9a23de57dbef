#include "online/IMDBRobotClassUnit.h"

#include "core/GlobalFunctions.h"
#include "core/TextNumbers.h"
#include "core/UserInterface.h"
#include "online/IMDBHelperClassUnit.h"
#include "online/TitleSearch.h"

#include <QUrl>

TIMDBRobot::TIMDBRobot()
    : FIMDBConnection(std::make_unique<HttpClient>())
{
    ConfigureHttpClient(*FIMDBConnection, true, true);
}

TIMDBRobot::~TIMDBRobot() = default;

void TIMDBRobot::Clear()
{
    FMovieCollection.clear();
}

void ReportFetchError(const QString &address, const HttpResult &result)
{
    userInterface().setBusyCursor(false);
    if (result.refused) {
        const QString site = QUrl(address).host();
        ShowErrorBox(GetTextWithArg(Txt::SiteRefused, site), QString(), result.errorMessage);
    } else if (result.socketError) {
        ShowErrorBox(GetText(Txt::InternetFailure), GetText(Txt::InternetFailureSolution), result.errorMessage);
    } else {
        ShowErrorBox(QString(), QString(), result.errorMessage);
    }
}

QString TIMDBRobot::fetchPage(const QString &address, QString *finalAddress)
{
    const HttpResult result = FIMDBConnection->get(address);
    if (finalAddress)
        *finalAddress = result.finalAddress;
    if (result.ok)
        return result.text;
    ReportFetchError(address, result);
    return QString();
}

QString TIMDBRobot::DownloadMovieWebpage(const QString &AMovieURL)
{
    return fetchPage(AMovieURL);
}

bool TIMDBRobot::DownloadTitleCollection(const QString &ASearchString, int DlType)
{
    const QString searchText = ASearchString.trimmed();
    userInterface().processEvents();
    QString finalAddress;
    const QString page = fetchPage(TitleSearchAddress(searchText), &finalAddress);
    userInterface().processEvents();
    Clear();
    if (page.isEmpty())
        return false;
    if (!IsSearchResultPage(page, searchText))
        return readDirectHit(finalAddress, searchText);
    for (const TitleSearchHit &hit : ParseSearchResults(page, DlType, FMaxSearchResults)) {
        auto movie = std::make_unique<TIMDBMovie>();
        movie->Id = hit.Id;
        movie->Title = hit.Title;
        movie->Year = hit.Year;
        FMovieCollection.push_back(std::move(movie));
    }
    return true;
}

bool TIMDBRobot::readDirectHit(const QString &finalAddress, const QString &searchText)
{
    auto movie = std::make_unique<TIMDBMovie>();
    movie->Id = ImdbIdFromAddress(finalAddress);
    // A page that is neither a result list nor a title page has no titles to offer.
    if (movie->Id.isEmpty())
        return true;
    const QString page = DownloadMovieWebpage(movie->GetMovieTitleURL());
    if (page.isEmpty())
        return false;
    movie->SetMovieWebpage(page);
    movie->GetMovieTitle();
    if (!movie->Title.toLower().contains(searchText.toLower())) {
        movie->AltTitle = CapitalizeWords(searchText);
        movie->Title = movie->AltTitle;
    }
    movie->GetMovieReleaseYear();
    FMovieCollection.push_back(std::move(movie));
    return true;
}

bool TIMDBRobot::DownloadTitleForImdbID(const QString &ASearchString)
{
    Clear();
    auto movie = std::make_unique<TIMDBMovie>();
    movie->Id = ImdbIdFromAddress(ASearchString);
    if (movie->Id.isEmpty())
        return false;
    const QString page = DownloadMovieWebpage(movie->GetMovieTitleURL());
    if (page.isEmpty())
        return false;
    movie->SetMovieWebpage(page);
    movie->GetMovieTitle();
    movie->GetMovieReleaseYear();
    FMovieCollection.push_back(std::move(movie));
    return true;
}

bool TIMDBRobot::DownloadMovieInformation(TIMDBMovie &AMovie, bool IncludeAmazon, bool WantedMode)
{
    const QString page = DownloadMovieWebpage(AMovie.GetMovieTitleURL());
    if (page.isEmpty())
        return false;
    AMovie.SetMovieWebpage(page);
    AMovie.GetMovieInformation(IncludeAmazon, WantedMode);
    return true;
}

bool TIMDBRobot::DownloadMovieInformation()
{
    const int count = static_cast<int>(FMovieCollection.size());
    for (int i = 0; i < count; ++i) {
        if (OnIMDBDownloadProgress)
            OnIMDBDownloadProgress(count - 1, 0, i);
        if (!DownloadMovieInformation(*FMovieCollection.at(i))) {
            userInterface().setBusyCursor(false);
            return false;
        }
    }
    return true;
}

bool DownloadMoviePreview(TIMDBMovie &movie)
{
    HttpClient client;
    ConfigureHttpClient(client, true, true);
    const QString address = movie.GetMovieTitleURL();
    const HttpResult result = client.get(address);
    if (!result.ok) {
        ReportFetchError(address, result);
        return false;
    }
    movie.SetMovieWebpage(result.text);
    movie.GetMoviePreview();
    return true;
}

QString LookupBarcode(const QString &barcode)
{
    return BarcodeProductTitle(FetchPage(BarcodeLookupAddress(barcode)));
}
