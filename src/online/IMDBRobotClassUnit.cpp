#include "online/IMDBRobotClassUnit.h"

#include "core/GlobalFunctions.h"
#include "core/TextNumbers.h"
#include "core/UserInterface.h"

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

QString TIMDBRobot::DownloadMovieWebpage(const QString &AMovieURL)
{
    const HttpResult result = FIMDBConnection->get(AMovieURL);
    if (result.ok)
        return result.text;
    ReportFetchError(AMovieURL, result);
    return QString();
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
