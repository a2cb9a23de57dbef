#pragma once

#include <QStringList>

#include <QList>
#include <QString>

class TDownloadQueue;
class TIMDBDatabaseModule;
class TIMDBRobot;

// What a download shows while it runs: the download window implements it, the command-line tool
// prints it. The same operations serve the import's downloads.
class DownloadProgressView
{
public:
    virtual ~DownloadProgressView() = default;
    // Shows the view; a progress bar only when maxProgress is above 1.
    virtual void openProgress(int maxProgress) = 0;
    virtual void setProgress(int position) = 0;
    virtual void showTitle(const QString &title) = 0;
    virtual void showOriginalTitle(const QString &title) = 0;
    virtual void showTrivia(const QString &trivia) = 0;
    // A cover picture file; empty clears the cover.
    virtual void showCover(const QString &fileName) = 0;
    virtual void showStatus(const QString &text) = 0;
    virtual void closeProgress() = 0;
    // True once the user asked the download to stop.
    virtual bool stopRequested() const { return false; }
};

// Routes the scrapers' title, original title, trivia, cover and status texts to a view while it
// lives, and restores the previous routes afterwards.
class DownloadViewHooks
{
public:
    explicit DownloadViewHooks(DownloadProgressView &view);
    ~DownloadViewHooks();
    DownloadViewHooks(const DownloadViewHooks &) = delete;
    DownloadViewHooks &operator=(const DownloadViewHooks &) = delete;

private:
    struct Saved;
    Saved *FSaved;
};

struct DownloadRunResult
{
    // The movie numbers of the titles stored in the collection, in queue order.
    QList<int> movieIds;
    // Wish-list entries added.
    int wanted = 0;
    // Titles fetched but refused by the database (nothing of them stays), and the engine's message
    // of the last one.
    QStringList notStored;
    QString notStoredError;
    // The run ended before its last title: a page could not be fetched, or the user stopped it.
    // The titles not yet done stay in the queue file.
    bool ended = false;
    bool stopped = false;
};

// Downloads every queued title in queue order and stores it: as a wish-list entry in wish-list
// mode (store.WantedMode), otherwise as a new medium and movie with its media type and region
// code, followed by the episodes of a queued season. Every stored title leaves the queue file
// (none when queueFile is empty). A title that cannot be fetched, or a stop, ends the run; the
// stopped title is not stored. The queue is empty afterwards.
DownloadRunResult DownloadQueueToDatabase(TDownloadQueue &queue, TIMDBRobot &robot, TIMDBDatabaseModule &store,
                                          DownloadProgressView &view, const QString &queueFile);
