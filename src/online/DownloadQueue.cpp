#include "online/DownloadQueue.h"

#include "core/GlobalFunctions.h"
#include "database/RecordHelpers.h"

#include <QFile>
#include <QSaveFile>
#include <QStringConverter>
#include <QTextStream>

#include <algorithm>

namespace {

const QString Fields[] = {QStringLiteral("/ID-"),      QStringLiteral("/TITLE"),  QStringLiteral("/YEAR-"),
                          QStringLiteral("/MEDIAID-"), QStringLiteral("/SEQNR-"), QStringLiteral("/REGIONCODE-"),
                          QStringLiteral("/ALTTITLE")};

bool StartsAField(const QString &piece)
{
    return std::any_of(std::begin(Fields), std::end(Fields),
                       [&piece](const QString &field) { return piece.startsWith(field); });
}

// The fields of a line. A ";" inside a title does not start a new field: pieces that begin with
// no field name belong to the field before them.
QStringList SplitFields(const QString &line)
{
    QStringList fields;
    for (const QString &piece : line.split(QLatin1Char(';'))) {
        if (fields.isEmpty() || StartsAField(piece))
            fields << piece;
        else
            fields.last() += QLatin1Char(';') + piece;
    }
    return fields;
}

// A field's value: what follows its name and, for the two names written without it, the "-".
QString FieldValue(const QString &field, const QString &name)
{
    QString value = field.mid(name.size());
    if (!name.endsWith(QLatin1Char('-')) && value.startsWith(QLatin1Char('-')))
        value.remove(0, 1);
    return value;
}

QString Blanks(QString text)
{
    return text.replace(QLatin1Char('_'), QLatin1Char(' '));
}

QString Underscores(QString text)
{
    return text.replace(QLatin1Char(' '), QLatin1Char('_'));
}

QStringList ReadLines(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        return {};
    QTextStream in(&file);
    in.setEncoding(QStringConverter::Utf8);
    QStringList lines;
    while (!in.atEnd()) {
        const QString line = in.readLine();
        if (!line.trimmed().isEmpty())
            lines << line;
    }
    return lines;
}

bool WriteLines(const QString &path, const QStringList &lines)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Text))
        return false;
    QTextStream out(&file);
    out.setEncoding(QStringConverter::Utf8);
    for (const QString &line : lines)
        out << line << '\n';
    out.flush();
    return file.commit();
}

} // namespace

std::unique_ptr<TIMDBMovie> QueuedCopy(const TIMDBMovie &result, const QueueAssignment &assignment)
{
    auto movie = std::make_unique<TIMDBMovie>(result);
    movie->SeqNumber = assignment.SeqNumber;
    movie->RegionCode = assignment.RegionCode;
    movie->MediaTypeId = assignment.MediaTypeId;
    movie->MediaType = assignment.MediaType;
    movie->SeriesSeason = assignment.SeriesSeason;
    movie->UPC = assignment.UPC;
    movie->WI_Priority = assignment.WI_Priority;
    movie->WI_ReleaseDate = assignment.WI_ReleaseDate;
    return movie;
}

int DefaultMediaTypeIndex(const QList<TMediaType> &types)
{
    const QString name = ReadSettingString(QStringLiteral("Media Type"), QStringLiteral("Default Values"));
    for (qsizetype i = 0; i < types.size(); ++i) {
        if (types.at(i).Name == name)
            return static_cast<int>(i);
    }
    return types.isEmpty() ? -1 : 0;
}

QString QueueFilePath(bool wantedMode)
{
    return GetTempFolder() + (wantedMode ? QStringLiteral("/mq_wanted.tmp") : QStringLiteral("/mq_movie.tmp"));
}

QString QueueLine(const TIMDBMovie &movie)
{
    // One pass: a "%1" inside a title must stay text, not take a later field's value.
    return QStringLiteral("/ID-%1;/TITLE-%2;/YEAR-%3;/MEDIAID-%4;/SEQNR-%5;/REGIONCODE-%6;/ALTTITLE-%7")
        .arg(movie.Id, Underscores(movie.Title), movie.Year, QString::number(movie.MediaTypeId),
             QString::number(movie.SeqNumber), QString::number(movie.RegionCode), Underscores(movie.AltTitle));
}

std::unique_ptr<TIMDBMovie> ParseQueueLine(const QString &line)
{
    auto movie = std::make_unique<TIMDBMovie>();
    for (const QString &field : SplitFields(line.trimmed())) {
        if (field.startsWith(Fields[0]))
            movie->Id = FieldValue(field, Fields[0]);
        else if (field.startsWith(Fields[1]))
            movie->Title = Blanks(FieldValue(field, Fields[1]));
        else if (field.startsWith(Fields[2]))
            movie->Year = FieldValue(field, Fields[2]);
        else if (field.startsWith(Fields[3]))
            movie->MediaTypeId = FieldValue(field, Fields[3]).toInt();
        else if (field.startsWith(Fields[4]))
            movie->SeqNumber = FieldValue(field, Fields[4]).toInt();
        else if (field.startsWith(Fields[5]))
            movie->RegionCode = FieldValue(field, Fields[5]).toInt();
        else if (field.startsWith(Fields[6]))
            movie->AltTitle = Blanks(FieldValue(field, Fields[6]));
    }
    if (movie->Id.isEmpty())
        return nullptr;
    return movie;
}

bool TDownloadQueue::containsId(const QString &id) const
{
    return std::any_of(FItems.cbegin(), FItems.cend(), [&id](const auto &item) { return item->Id == id; });
}

bool TDownloadQueue::canQueue(const TIMDBMovie &movie) const
{
    return movie.SeriesSeason > 0 || !containsId(movie.Id);
}

bool TDownloadQueue::add(std::unique_ptr<TIMDBMovie> movie)
{
    if (!movie || !canQueue(*movie))
        return false;
    FItems.push_back(std::move(movie));
    return true;
}

std::unique_ptr<TIMDBMovie> TDownloadQueue::take(int index)
{
    if (index < 0 || index >= count())
        return nullptr;
    auto movie = std::move(FItems.at(static_cast<size_t>(index)));
    FItems.erase(FItems.begin() + index);
    return movie;
}

int TDownloadQueue::nextSeqNumber() const
{
    int largest = 0;
    for (const auto &item : FItems)
        largest = qMax(largest, item->SeqNumber);
    const int free = NextFreeSeqNumber(largest + 1);
    return qMax(qMax(free, largest + 1), FLargestFileSeqNumber);
}

bool TDownloadQueue::save(const QString &path) const
{
    QStringList lines;
    for (const auto &item : FItems)
        lines << QueueLine(*item);
    return WriteLines(path, lines);
}

int TDownloadQueue::load(const QString &path)
{
    int read = 0;
    for (const QString &line : ReadLines(path)) {
        auto movie = ParseQueueLine(line);
        if (!movie)
            continue;
        FLargestFileSeqNumber = qMax(FLargestFileSeqNumber, movie->SeqNumber);
        FItems.push_back(std::move(movie));
        ++read;
    }
    return read;
}

void TDownloadQueue::removeLine(const QString &path, const QString &line)
{
    QStringList lines = ReadLines(path);
    const qsizetype at = lines.indexOf(line);
    if (at < 0)
        return;
    lines.removeAt(at);
    WriteLines(path, lines);
}
