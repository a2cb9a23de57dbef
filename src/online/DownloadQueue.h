#pragma once

#include "online/IMDBMovieClassUnit.h"

#include <QString>

#include <memory>
#include <vector>

// The titles the user picked for download, each with its assignment (media type, region code,
// sequence number, season), and the text file that keeps them between two runs of the Movie
// Query window.
class TDownloadQueue
{
public:
    const std::vector<std::unique_ptr<TIMDBMovie>> &items() const { return FItems; }
    int count() const { return static_cast<int>(FItems.size()); }
    bool isEmpty() const { return FItems.empty(); }
    TIMDBMovie &at(int index) { return *FItems.at(static_cast<size_t>(index)); }
    const TIMDBMovie &at(int index) const { return *FItems.at(static_cast<size_t>(index)); }
    void clear() { FItems.clear(); }

    // False when a title with the same id is queued and no season is set: seasons of one series
    // may be queued more than once, anything else once.
    bool canQueue(const TIMDBMovie &movie) const;
    // Queues movie when canQueue allows it; false (movie dropped) otherwise.
    bool add(std::unique_ptr<TIMDBMovie> movie);
    std::unique_ptr<TIMDBMovie> take(int index);
    bool containsId(const QString &id) const;

    // The largest queued sequence number plus 1, raised to the next number the collection does
    // not use, and never below the largest number the queue file held.
    int nextSeqNumber() const;
    int largestFileSeqNumber() const { return FLargestFileSeqNumber; }

    // Writes every queued title to path, one line each; false when the file cannot be written.
    bool save(const QString &path) const;
    // Appends the titles of a queue file; the number of titles read.
    int load(const QString &path);
    // Takes one line (QueueLine of a title as it was queued) out of a queue file.
    static void removeLine(const QString &path, const QString &line);

private:
    std::vector<std::unique_ptr<TIMDBMovie>> FItems;
    int FLargestFileSeqNumber = 0;
};

// What the Movie Query window assigns to a title when it is queued.
struct QueueAssignment
{
    int SeqNumber = 0;
    int RegionCode = 0;
    int MediaTypeId = 0;
    QString MediaType;
    int SeriesSeason = 0;
    // The barcode the user searched with.
    QString UPC;
    int WI_Priority = 0;
    QString WI_ReleaseDate;
};

// A search result as it goes into the queue: a copy with the assignment.
std::unique_ptr<TIMDBMovie> QueuedCopy(const TIMDBMovie &result, const QueueAssignment &assignment);
// The media type preselected for new titles: the one "Default Values"/"Media Type" names, else
// the first; -1 when there is none.
int DefaultMediaTypeIndex(const QList<TMediaType> &types);

// The queue file of the Movie Query window, one for the collection and one for the wish list.
QString QueueFilePath(bool wantedMode);
// One title as a queue-file line, and back.
QString QueueLine(const TIMDBMovie &movie);
std::unique_ptr<TIMDBMovie> ParseQueueLine(const QString &line);
