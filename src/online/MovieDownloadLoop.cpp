#include "online/MovieDownloadLoop.h"

#include "core/UserInterface.h"
#include "online/DownloadQueue.h"
#include "online/IMDBDatabaseDatamodule.h"
#include "online/IMDBHelperClassUnit.h"
#include "online/IMDBRobotClassUnit.h"

#include <QFile>

struct DownloadViewHooks::Saved
{
    OnlineHooks hooks;
};

DownloadViewHooks::DownloadViewHooks(DownloadProgressView &view)
    : FSaved(new Saved{onlineHooks()})
{
    OnlineHooks &hooks = onlineHooks();
    hooks.downloadTitle = [&view](const QString &text) { view.showTitle(text); };
    hooks.downloadOriginalTitle = [&view](const QString &text) { view.showOriginalTitle(text); };
    hooks.downloadTrivia = [&view](const QString &text) { view.showTrivia(text); };
    hooks.downloadCover = [&view](const QString &fileName) { view.showCover(fileName); };
    hooks.downloadStatus = [&view](const QString &text) { view.showStatus(text); };
}

DownloadViewHooks::~DownloadViewHooks()
{
    onlineHooks() = FSaved->hooks;
    delete FSaved;
}

namespace {

// What a title downloaded but not stored leaves behind.
void DiscardDownload(TIMDBMovie &movie)
{
    if (!movie.CoverLocalFilename.isEmpty())
        QFile::remove(movie.CoverLocalFilename);
    movie.Clear();
}

// Stores one downloaded title; false when the database refused it.
bool StoreTitle(TIMDBMovie &movie, TIMDBDatabaseModule &store, DownloadRunResult &result)
{
    if (store.WantedMode) {
        if (!store.AddMovieToWantList(movie))
            return false;
        ++result.wanted;
        return true;
    }
    const int movieId = store.InsertMovie(movie, movie.MediaTypeId, movie.RegionCode);
    if (movieId == TIMDBDatabaseModule::NotFound)
        return false;
    result.movieIds << movieId;
    store.StartTransaction();
    if (movie.SeriesSeason > 0) {
        // The title page reader named the series and put the season into the title.
        const QString seriesName = movie.SeriesName.isEmpty() ? movie.Title : movie.SeriesName;
        store.StoreSeasonEpisodes(movie.Id, seriesName, movie.SeriesSeason, false, movie.Runtime.toInt(), movieId);
    }
    return true;
}

} // namespace

DownloadRunResult DownloadQueueToDatabase(TDownloadQueue &queue, TIMDBRobot &robot, TIMDBDatabaseModule &store,
                                          DownloadProgressView &view, const QString &queueFile)
{
    DownloadRunResult result;
    DownloadViewHooks hooks(view);
    view.openProgress(2 * queue.count());
    if (!queueFile.isEmpty())
        queue.save(queueFile);
    for (int n = 0; n < queue.count(); ++n) {
        TIMDBMovie &movie = queue.at(n);
        const QString queuedLine = QueueLine(movie);
        result.stopped = view.stopRequested();
        if (result.stopped || !robot.DownloadMovieInformation(movie, false, store.WantedMode)) {
            DiscardDownload(movie);
            result.ended = true;
            break;
        }
        // A stop pressed while the pages came in drops this title before anything is written.
        if (view.stopRequested()) {
            DiscardDownload(movie);
            result.ended = result.stopped = true;
            break;
        }
        if (!StoreTitle(movie, store, result)) {
            result.notStored << movie.Title;
            result.notStoredError = store.LastError;
        }
        view.setProgress(2 * n + 1);
        if (!queueFile.isEmpty())
            TDownloadQueue::removeLine(queueFile, queuedLine);
        DiscardDownload(movie);
        view.setProgress(2 * n + 2);
    }
    view.closeProgress();
    if (!result.ended && !queueFile.isEmpty())
        QFile::remove(queueFile);
    queue.clear();
    return result;
}
