#include "editing/MovieEditor.h"

#include "core/GlobalFunctions.h"
#include "core/TextNumbers.h"
#include "database/DM1_u.h"
#include "database/FbQuery.h"
#include "database/ImageStore.h"
#include "database/RecordHelpers.h"
#include "editing/MediaDelete.h"
#include "views/ViewCommands.h"

#include <QLocale>
#include <QRegularExpression>
#include <QSet>

namespace {

// The savepoint that lets a failed save undo its own statements and nothing the session wrote
// before it.
const QString kSavepoint = QStringLiteral("EDITOR_SAVE");

FbConnection &mainConnection()
{
    return DM1().MainConnection;
}

void execute(const QString &sql)
{
    FbQuery::execute(mainConnection(), sql);
}

QDate dateOf(const QVariant &value)
{
    return value.isNull() ? ZeroDate() : value.toDateTime().date();
}

int intOf(const FbQuery &query, const QString &column)
{
    return query.value(column).toInt();
}

QString textOf(const FbQuery &query, const QString &column)
{
    return query.value(column).toString();
}

QString lookupName(const QString &table, const QString &idColumn, int id)
{
    return id < 0 ? QString() : LookupValue(table, idColumn, QStringLiteral("NAME"), QString::number(id));
}

QStringList firstColumn(const QString &sql)
{
    QStringList values;
    FbQuery query(mainConnection());
    query.setSql(sql);
    query.open();
    while (query.next())
        values << query.value(0).toString();
    return values;
}

// The link lists whose items are names of a lookup table.
struct LookupList
{
    QString linkTable;
    QString lookupTable;
    QString keyColumn;
    QStringList ContentLists::*items;
};

const QList<LookupList> &lookupLists()
{
    static const QList<LookupList> lists = {
        {QStringLiteral("GENRE"), QStringLiteral("GENRELIST"), QStringLiteral("GENRE_ID"), &ContentLists::genres},
        {QStringLiteral("FORMAT"), QStringLiteral("FORMATLIST"), QStringLiteral("FORMAT_ID"), &ContentLists::formats},
        {QStringLiteral("SUBTITLES"), QStringLiteral("LANGUAGELIST"), QStringLiteral("LANGUAGE_ID"),
         &ContentLists::subtitles},
        {QStringLiteral("KEYWORD"), QStringLiteral("KEYWORDLIST"), QStringLiteral("KEYWORD_ID"),
         &ContentLists::keywords},
    };
    return lists;
}

// The key of a lookup name, adding the name when no row has it. A failure must stop the save, not
// link the content to a row that does not exist.
int lookupKeyAddingMissing(const QString &table, const QString &keyColumn, const QString &name)
{
    const int key = AddLookupIfMissing(table, keyColumn, name.trimmed());
    if (key < 0)
        throw FbError(QStringLiteral("%1: \"%2\" could not be added.").arg(table, name));
    return key;
}

QString cut(const QString &text, int length)
{
    return CutRecordText(text, length);
}

// "language: audio format" into its two names.
std::pair<QString, QString> splitLanguageItem(const QString &item)
{
    const qsizetype colon = item.indexOf(QLatin1Char(':'));
    if (colon < 0)
        return {item.trimmed(), QString()};
    return {item.left(colon).trimmed(), item.mid(colon + 1).trimmed()};
}

// "\"title\" performer" into title and performer.
std::pair<QString, QString> splitSoundtrackItem(const QString &item)
{
    const qsizetype open = item.indexOf(QLatin1Char('"'));
    const qsizetype close = open < 0 ? -1 : item.indexOf(QLatin1Char('"'), open + 1);
    if (close < 0)
        return {item.trimmed(), QString()};
    return {item.mid(open + 1, close - open - 1), item.mid(close + 1).trimmed()};
}

void saveLookupLists(const QString &key, const ContentLists &lists)
{
    for (const LookupList &list : lookupLists()) {
        execute(QStringLiteral("delete from %1 where MOVIE_ID = %2").arg(list.linkTable, key));
        QSet<int> linked;
        for (const QString &name : lists.*list.items) {
            if (name.trimmed().isEmpty())
                continue;
            const int id = lookupKeyAddingMissing(list.lookupTable, list.keyColumn, name);
            if (linked.contains(id))
                continue;
            linked.insert(id);
            execute(QStringLiteral("insert into %1 (MOVIE_ID, %2) values (%3, %4)")
                        .arg(list.linkTable, list.keyColumn, key)
                        .arg(id));
        }
    }
}

void saveFeatures(const QString &key, const QStringList &features)
{
    execute(QStringLiteral("delete from FEATURES where MOVIE_ID = ") + key);
    int n = 0;
    for (const QString &feature : features)
        execute(QStringLiteral("insert into FEATURES (MOVIE_ID, AUTOINDEX, NAME) values (%1, %2, %3)")
                    .arg(key)
                    .arg(++n)
                    .arg(QuotedStr(cut(feature, 125))));
}

void saveFilmingLocations(const QString &key, const QStringList &locations)
{
    execute(QStringLiteral("delete from FILMINGLOCATION where MOVIE_ID = ") + key);
    for (const QString &location : locations) {
        const int next = FbQuery::scalar(mainConnection(),
                                         QStringLiteral("select coalesce(max(AUTOINDEX), 0) + 1 from FILMINGLOCATION"))
                             .toInt();
        execute(QStringLiteral("insert into FILMINGLOCATION (MOVIE_ID, AUTOINDEX, NAME) values (%1, %2, %3)")
                    .arg(key)
                    .arg(next)
                    .arg(QuotedStr(cut(location, 150))));
    }
}

void saveLanguages(const QString &key, const QStringList &languages)
{
    execute(QStringLiteral("delete from LANGUAGE where MOVIE_ID = ") + key);
    QSet<std::pair<int, int>> linked;
    for (const QString &item : languages) {
        const auto [language, audioFormat] = splitLanguageItem(item);
        if (language.isEmpty())
            continue;
        const int languageId =
            lookupKeyAddingMissing(QStringLiteral("LANGUAGELIST"), QStringLiteral("LANGUAGE_ID"), language);
        const int formatId =
            audioFormat.isEmpty()
                ? -1
                : lookupKeyAddingMissing(QStringLiteral("AUDIOFORMAT"), QStringLiteral("AUDIOFORMAT_ID"), audioFormat);
        if (linked.contains({languageId, formatId}))
            continue;
        linked.insert({languageId, formatId});
        execute(QStringLiteral("insert into LANGUAGE (MOVIE_ID, LANGUAGE_ID, AUDIOFORMAT_ID) values (%1, %2, %3)")
                    .arg(key)
                    .arg(languageId)
                    .arg(formatId));
    }
}

void saveSoundtrack(const QString &key, const QStringList &tracks)
{
    execute(QStringLiteral("delete from SOUNDTRACK where MOVIE_ID = ") + key);
    int n = 0;
    for (const QString &item : tracks) {
        const auto [title, performer] = splitSoundtrackItem(item);
        execute(QStringLiteral("insert into SOUNDTRACK (MOVIE_ID, AUTOINDEX, TITLE, PERFORMER) values (%1, %2, %3, "
                               "%4)")
                    .arg(key)
                    .arg(++n)
                    .arg(QuotedStr(cut(title, 100)), QuotedStr(cut(performer, 200))));
    }
}

// A movie ticked watched without a date marks its copies watched but leaves the dates they have.
void markDuplicatesWatched(const MovieRecord &movie)
{
    const bool hasDate = !IsEmptyStoredDate(movie.FLastWatchedDate);
    FbQuery query(mainConnection());
    query.setSql(LastWatchedStatement(movie.FMovie_ID, movie.FImdbID, movie.FSeason, true, hasDate));
    if (hasDate)
        query.setParam(QStringLiteral("LASTWATCHEDDATE"), movie.FLastWatchedDate);
    if (query.paramNames().contains(QStringLiteral("SEASON")))
        query.setParam(QStringLiteral("SEASON"), movie.FSeason);
    query.exec();
}

void rollBackToSavepoint()
{
    try {
        execute(QStringLiteral("rollback to savepoint ") + kSavepoint);
    } catch (const FbError &) {
        // The savepoint is gone only when the transaction is; nothing is left to undo.
    }
}

// Runs work inside the savepoint; on failure undoes it and gives the message.
template <typename Work> bool runInSavepoint(Work work, QString *error)
{
    try {
        execute(QStringLiteral("savepoint ") + kSavepoint);
    } catch (const FbError &e) {
        if (error)
            *error = e.message();
        return false;
    }
    try {
        work();
        execute(QStringLiteral("release savepoint ") + kSavepoint);
        return true;
    } catch (const std::exception &e) {
        rollBackToSavepoint();
        if (error)
            *error = QString::fromStdString(e.what());
        return false;
    }
}

} // namespace

bool IsEmptyStoredDate(const QDate &date)
{
    return !date.isValid() || date.year() <= 1900;
}

QDate ShownDate(const QDate &stored)
{
    return IsEmptyStoredDate(stored) ? QDate() : stored;
}

bool LoadMedium(double mediaId, StoredMedium *medium)
{
    try {
        FbQuery query(mainConnection());
        query.setSql(QStringLiteral("select * from MEDIA where MEDIA_ID = :MEDIA_ID"));
        query.setParam(QStringLiteral("MEDIA_ID"), mediaId);
        query.open();
        if (!query.next())
            return false;
        MediaRecord &r = medium->record;
        r.Clear();
        r.FMedia_ID = mediaId;
        r.FTitle = textOf(query, QStringLiteral("TITLE"));
        r.FTitleSort = textOf(query, QStringLiteral("TITLESORT"));
        r.FMediaTime = intOf(query, QStringLiteral("MEDIATIME"));
        r.FEdition = textOf(query, QStringLiteral("EDITION"));
        r.FSeqNumber = intOf(query, QStringLiteral("SEQNUMBER"));
        r.FMediaType_ID =
            query.isNull(QStringLiteral("MEDIATYPE_ID")) ? -1 : intOf(query, QStringLiteral("MEDIATYPE_ID"));
        r.FRegionCode = query.isNull(QStringLiteral("REGIONCODE")) ? -1 : intOf(query, QStringLiteral("REGIONCODE"));
        r.FUPC = textOf(query, QStringLiteral("UPC"));
        r.FLocation = textOf(query, QStringLiteral("LOCATION"));
        r.FStatus = textOf(query, QStringLiteral("STATUS"));
        r.FBuyPrice = query.value(QStringLiteral("BUYPRICE")).toDouble();
        r.FBuyDate = dateOf(query.value(QStringLiteral("BUYDATE")));
        r.FNoOfDiscs = intOf(query, QStringLiteral("NOOFDISCS"));
        r.FDeck = intOf(query, QStringLiteral("DECK"));
        r.FSlot = intOf(query, QStringLiteral("SLOT"));
        r.FMediaOwner = textOf(query, QStringLiteral("MEDIAOWNER"));
        medium->dateAdded = ShownDate(dateOf(query.value(QStringLiteral("DATE_ADDED"))));
        medium->dateModified = ShownDate(dateOf(query.value(QStringLiteral("DATE_MODIFIED"))));
        query.close();

        query.setSql(QStringLiteral("select FRONTCOVER_BLOB, BACKCOVER_BLOB from MEDIA_GFX where MEDIA_ID = ") +
                     SqlKey(mediaId));
        query.open();
        if (query.next()) {
            LoadJpegField(r.FFrontCover, query.value(0));
            LoadJpegField(r.FBackCover, query.value(1));
        }
        query.close();
        // Older entries may hold only the reduced covers; shown and saved back, they are kept
        // instead of being cleared by the save.
        if (r.FFrontCover.isNull() || r.FBackCover.isNull()) {
            query.setSql(QStringLiteral("select FRONTCOVER_BLOB, BACKCOVER_BLOB from MEDIA where MEDIA_ID = ") +
                         SqlKey(mediaId));
            query.open();
            if (query.next()) {
                if (r.FFrontCover.isNull())
                    LoadJpegField(r.FFrontCover, query.value(0));
                if (r.FBackCover.isNull())
                    LoadJpegField(r.FBackCover, query.value(1));
            }
        }
        medium->mediaTypeName =
            lookupName(QStringLiteral("MEDIATYPE"), QStringLiteral("MEDIATYPE_ID"), r.FMediaType_ID);
        return true;
    } catch (const FbError &) {
        return false;
    }
}

bool LoadContent(double movieId, StoredContent *content)
{
    try {
        FbQuery query(mainConnection());
        query.setSql(
            QStringLiteral("select MOVIE.*, MOVIEGROUP.NAME as MOVIEGROUP from MOVIE left outer join MOVIEGROUP "
                           "on (MOVIEGROUP.GROUP_ID = MOVIE.GROUP_ID) where MOVIE_ID = ") +
            SqlKey(movieId));
        query.open();
        if (!query.next())
            return false;
        MovieRecord &r = content->record;
        r.Clear();
        r.FMedia_ID = query.value(QStringLiteral("MEDIA_ID")).toDouble();
        r.FMovie_ID = movieId;
        r.FListIndex = intOf(query, QStringLiteral("LISTINDEX"));
        r.FTitle = textOf(query, QStringLiteral("TITLE"));
        r.FTitleSort = textOf(query, QStringLiteral("TITLESORT"));
        r.FStudio = textOf(query, QStringLiteral("STUDIO"));
        r.FReleaseDate = dateOf(query.value(QStringLiteral("RELEASEDATE")));
        r.FTheaterDate = dateOf(query.value(QStringLiteral("THEATERDATE")));
        r.FMovieTime = intOf(query, QStringLiteral("MOVIETIME"));
        r.FCountry_ID = query.isNull(QStringLiteral("COUNTRY_ID")) ? -1 : intOf(query, QStringLiteral("COUNTRY_ID"));
        r.FCertification_ID =
            query.isNull(QStringLiteral("CERTIFICATION_ID")) ? -1 : intOf(query, QStringLiteral("CERTIFICATION_ID"));
        r.FOriginal_Language_ID = query.isNull(QStringLiteral("ORIGINAL_LANGUAGE_ID"))
                                      ? -1
                                      : intOf(query, QStringLiteral("ORIGINAL_LANGUAGE_ID"));
        r.FOfficialSite = textOf(query, QStringLiteral("OFFICIALSITE"));
        r.FTagline = textOf(query, QStringLiteral("TAGLINE"));
        r.FUserRating = intOf(query, QStringLiteral("USERRATING"));
        r.FImdbID = intOf(query, QStringLiteral("IMDBID"));
        r.FOrigTitle = textOf(query, QStringLiteral("ORIGTITLE"));
        r.FOrigTitleSort = textOf(query, QStringLiteral("ORIGTITLESORT"));
        r.FClipPath = textOf(query, QStringLiteral("CLIPPATH"));
        r.FPlotOutline = textOf(query, QStringLiteral("PLOTOUTLINE"));
        r.FPlot = textOf(query, QStringLiteral("PLOT"));
        r.FComments = textOf(query, QStringLiteral("COMMENTS"));
        r.FTrivia = textOf(query, QStringLiteral("TRIVIA"));
        r.FBudget = query.value(QStringLiteral("BUDGET")).toDouble();
        r.FGrossRevenue = query.value(QStringLiteral("GROSSREVENUE")).toDouble();
        r.FDiscNo = intOf(query, QStringLiteral("DISCNO"));
        r.FSeriesName = textOf(query, QStringLiteral("SERIESNAME"));
        r.FSeason = intOf(query, QStringLiteral("SEASON"));
        r.FLastWatchedDate = dateOf(query.value(QStringLiteral("LASTWATCHEDDATE")));
        r.FProductionYear = textOf(query, QStringLiteral("PRODUCTIONYEAR"));
        r.FWatched = intOf(query, QStringLiteral("WATCHED")) > 0 ? 1 : 0;
        r.FFeaturesWatched = intOf(query, QStringLiteral("FEATURESWATCHED")) > 0 ? 1 : 0;
        r.FImdbRating = query.value(QStringLiteral("IMDBRATING")).toDouble();
        r.FThreeD_Enabled = intOf(query, QStringLiteral("THREED_ENABLED")) > 0 ? 1 : 0;
        r.FFourK_Enabled = intOf(query, QStringLiteral("FOURK_ENABLED")) > 0 ? 1 : 0;
        r.FGroup_ID = intOf(query, QStringLiteral("GROUP_ID"));
        r.FGroup_Index = intOf(query, QStringLiteral("GROUP_INDEX"));
        r.FDownload_Type = textOf(query, QStringLiteral("DOWNLOAD_TYPE"));
        r.FDownload_Code = textOf(query, QStringLiteral("DOWNLOAD_CODE"));
        r.FRottenRating = static_cast<qint16>(intOf(query, QStringLiteral("ROTTEN_RATING")));
        content->groupName = r.FGroup_ID >= 1 ? textOf(query, QStringLiteral("MOVIEGROUP")) : QString();
        query.close();
        content->countryName = lookupName(QStringLiteral("COUNTRYLIST"), QStringLiteral("COUNTRY_ID"), r.FCountry_ID);
        content->certificationName =
            lookupName(QStringLiteral("CERTIFICATIONLIST"), QStringLiteral("CERTIFICATION_ID"), r.FCertification_ID);
        content->originalLanguageName =
            lookupName(QStringLiteral("LANGUAGELIST"), QStringLiteral("LANGUAGE_ID"), r.FOriginal_Language_ID);
        return true;
    } catch (const FbError &) {
        return false;
    }
}

QList<ContentRow> ContentsOfMedium(double mediaId)
{
    QList<ContentRow> rows;
    try {
        FbQuery query(mainConnection());
        query.setSql(QStringLiteral("select MOVIE_ID, LISTINDEX, TITLE from MOVIE where MEDIA_ID = :MEDIA_ID order by "
                                    "LISTINDEX"));
        query.setParam(QStringLiteral("MEDIA_ID"), mediaId);
        query.open();
        while (query.next())
            rows.append({query.value(0).toDouble(), query.value(1).toInt(), query.value(2).toString()});
    } catch (const FbError &) {
        rows.clear();
    }
    return rows;
}

ContentLists LoadContentLists(double movieId)
{
    ContentLists lists;
    const QString key = SqlKey(movieId);
    try {
        for (const LookupList &list : lookupLists())
            lists.*list.items = firstColumn(
                QStringLiteral("select NAME from %1 where %2 in (select %2 from %3 where MOVIE_ID = %4) order by NAME")
                    .arg(list.lookupTable, list.keyColumn, list.linkTable, key));
        lists.features =
            firstColumn(QStringLiteral("select NAME from FEATURES where MOVIE_ID = %1 order by AUTOINDEX").arg(key));
        lists.filmingLocations = firstColumn(
            QStringLiteral("select NAME from FILMINGLOCATION where MOVIE_ID = %1 order by AUTOINDEX").arg(key));

        FbQuery query(mainConnection());
        query.setSql(QStringLiteral(
                         "select (select AUDIOFORMAT.NAME from AUDIOFORMAT where AUDIOFORMAT.AUDIOFORMAT_ID = "
                         "LANGUAGE.AUDIOFORMAT_ID) as AUDIOFORMAT_NAME, (select LANGUAGELIST.NAME from LANGUAGELIST "
                         "where LANGUAGELIST.LANGUAGE_ID = LANGUAGE.LANGUAGE_ID) as LANGUAGE_NAME from LANGUAGE where "
                         "MOVIE_ID = ") +
                     key);
        query.open();
        while (query.next())
            lists.languages << query.value(1).toString() + QStringLiteral(": ") + query.value(0).toString();
        query.close();

        query.setSql(QStringLiteral("select TITLE, PERFORMER from SOUNDTRACK where MOVIE_ID = %1 order by TITLE, "
                                    "PERFORMER")
                         .arg(key));
        query.open();
        while (query.next())
            lists.soundtrack << QLatin1Char('"') + query.value(0).toString() + QStringLiteral("\" ") +
                                    query.value(1).toString();
    } catch (const FbError &) {
        // What was read stays shown.
    }
    return lists;
}

QString MovieFilesText(double movieId)
{
    try {
        const QStringList files =
            firstColumn(QStringLiteral("select FILEPATH from MOVIEFILES where MOVIE_ID = %1 order by LISTINDEX")
                            .arg(SqlKey(movieId)));
        if (files.size() == 1)
            return files.first();
        return files.isEmpty() ? QString() : GetText(Txt::SeveralFiles);
    } catch (const FbError &) {
        return QString();
    }
}

bool ShowsSeriesTab(const QString &seriesName, int season, double movieId)
{
    if (!seriesName.trimmed().isEmpty() || season != 0)
        return true;
    return CountRows(QStringLiteral("select * from TVSERIES where MOVIE_ID = ") + SqlKey(movieId)) > 0;
}

MediaTypeFlags MediaTypeFlagsOf(const QString &mediaTypeName)
{
    MediaTypeFlags flags;
    try {
        FbQuery query(mainConnection());
        query.setSql(QStringLiteral("select * from MEDIATYPE where NAME = ") + QuotedStr(mediaTypeName));
        query.open();
        if (!query.next())
            return flags;
        flags.found = true;
        flags.viewContents = intOf(query, QStringLiteral("VIEWCONTENTS")) > 0;
        flags.specifyLength = intOf(query, QStringLiteral("SPECIFYLENGTH")) > 0;
        const QString description = textOf(query, QStringLiteral("DESCRIPTION"));
        if (!description.isEmpty())
            flags.hint = GetText(Txt::DescriptionHint) + QStringLiteral(":\n") + description;
    } catch (const FbError &) {
        flags.found = false;
    }
    return flags;
}

double AddContent(double mediaId, int discNo)
{
    const int listIndex = ContentsOfMedium(mediaId).size() + 1;
    const double movieId = NextKey(QStringLiteral("MOVIE"), QStringLiteral("MOVIE_ID"));
    if (movieId < 0)
        throw FbError(QStringLiteral("MOVIE: no new key"));
    execute(QStringLiteral("insert into MOVIE (MEDIA_ID, MOVIE_ID, LISTINDEX, TITLE, DISCNO) values (%1, %2, %3, %4, "
                           "%5)")
                .arg(SqlKey(mediaId), SqlKey(movieId))
                .arg(listIndex)
                .arg(QuotedStr(GetText(Txt::NewMovie)))
                .arg(discNo));
    return movieId;
}

bool RemoveContent(double mediaId, double movieId)
{
    const QList<ContentRow> contents = ContentsOfMedium(mediaId);
    if (contents.size() < 2)
        return false;
    const QString key = SqlKey(movieId);
    execute(QStringLiteral("delete from MOVIE where MOVIE_ID = ") + key);
    int n = 0;
    for (const ContentRow &row : ContentsOfMedium(mediaId))
        execute(
            QStringLiteral("update MOVIE set LISTINDEX = %1 where MOVIE_ID = %2").arg(++n).arg(SqlKey(row.movieId)));
    for (const char *table : {"CASTCREW", "FEATURES", "FORMAT", "GENRE", "LANGUAGE", "MOVIEFILES", "KEYWORD"})
        execute(QStringLiteral("delete from %1 where MOVIE_ID = %2").arg(QLatin1String(table), key));
    return true;
}

bool MoveContent(double mediaId, int index, bool up)
{
    const QList<ContentRow> contents = ContentsOfMedium(mediaId);
    const int neighbour = up ? index - 1 : index + 1;
    if (index < 0 || index >= contents.size() || neighbour < 0 || neighbour >= contents.size())
        return false;
    // The list indexes are set outright: a medium whose numbering has a gap or a double still ends
    // up swapped, where adding and subtracting one would not.
    const ContentRow &moving = contents.at(index);
    const ContentRow &other = contents.at(neighbour);
    execute(QStringLiteral("update MOVIE set LISTINDEX = %1 where MOVIE_ID = %2")
                .arg(other.listIndex == moving.listIndex ? neighbour + 1 : other.listIndex)
                .arg(SqlKey(moving.movieId)));
    execute(QStringLiteral("update MOVIE set LISTINDEX = %1 where MOVIE_ID = %2")
                .arg(other.listIndex == moving.listIndex ? index + 1 : moving.listIndex)
                .arg(SqlKey(other.movieId)));
    return true;
}

QString DateFieldFormat()
{
    QString format = QLocale().dateFormat(QLocale::ShortFormat);
    // A two-digit year would be read as 19xx.
    if (!format.contains(QStringLiteral("yyyy")))
        format.replace(QStringLiteral("yy"), QStringLiteral("yyyy"));
    return format;
}

QString FormatDateField(const QDate &date)
{
    return date.isValid() ? QLocale().toString(date, DateFieldFormat()) : QString();
}

bool ParseDateField(const QString &text, QDate *date)
{
    const QString trimmed = text.trimmed();
    if (trimmed.isEmpty()) {
        *date = QDate();
        return true;
    }
    QDate parsed = QLocale().toDate(trimmed, DateFieldFormat());
    if (!parsed.isValid())
        parsed = QDate::fromString(trimmed, Qt::ISODate);
    // Years before 1901 are the empty date in every column; they cannot be kept.
    if (!parsed.isValid() || parsed.year() <= 1900)
        return false;
    *date = parsed;
    return true;
}

bool ParseAmount(const QString &text, const QString &currencySymbol, double *value)
{
    QString amount = text.trimmed();
    if (!currencySymbol.isEmpty())
        amount.remove(currencySymbol);
    const QLocale locale;
    amount.remove(QRegularExpression(QStringLiteral("\\s")));
    if (amount.isEmpty()) {
        *value = 0;
        return true;
    }
    bool ok = false;
    double parsed = locale.toDouble(amount, &ok);
    if (!ok)
        parsed = QLocale::c().toDouble(amount, &ok);
    if (!ok || !std::isfinite(parsed))
        return false;
    *value = parsed;
    return true;
}

bool ParseWholeNumber(const QString &text, int *value)
{
    static const QRegularExpression digits(QStringLiteral("^\\d{1,9}$"));
    const QString trimmed = text.trimmed();
    if (!digits.match(trimmed).hasMatch())
        return false;
    *value = trimmed.toInt();
    return true;
}

QString FormatAmount(double value, const QString &currencySymbol, int decimals)
{
    const QString number = QLocale().toString(value, 'f', decimals);
    return currencySymbol.isEmpty() ? number : currencySymbol + QLatin1Char(' ') + number;
}

bool SequenceNumberTaken(int seqNumber)
{
    return CountRows(QStringLiteral("select MEDIA_ID from MEDIA where SEQNUMBER = %1").arg(seqNumber)) > 0;
}

void SaveContentLists(double movieId, const ContentLists &lists)
{
    const QString key = SqlKey(movieId);
    saveLookupLists(key, lists);
    saveFeatures(key, lists.features);
    saveFilmingLocations(key, lists.filmingLocations);
    saveLanguages(key, lists.languages);
    saveSoundtrack(key, lists.soundtrack);
}

void SaveContent(TDM1 &dm, const MovieRecord &movie, const ContentLists &lists, bool applyLastWatchedToDuplicates)
{
    // A medium without contents shows none: its lists would land on a movie key that no row has.
    if (movie.FMovie_ID < 0)
        return;
    AlterMovieTable(dm, movie, false);
    SaveContentLists(movie.FMovie_ID, lists);
    if (applyLastWatchedToDuplicates && movie.FImdbID > 0 && movie.FWatched == 1)
        markDuplicatesWatched(movie);
}

void AttachNewContents(double mediaId)
{
    execute(QStringLiteral("update MOVIE set MEDIA_ID = %1 where MEDIA_ID = -1").arg(SqlKey(mediaId)));
}

EntrySaveResult SaveEntry(TDM1 &dm, MediaRecord media, MovieRecord movie, const ContentLists &lists, bool isNew,
                          bool applyLastWatchedToDuplicates)
{
    EntrySaveResult result;
    result.mediaId = media.FMedia_ID;
    double key = media.FMedia_ID;
    result.saved = runInSavepoint(
        [&] {
            SaveContent(dm, movie, lists, applyLastWatchedToDuplicates);
            if (isNew) {
                key = NextKey(QStringLiteral("MEDIA"), QStringLiteral("MEDIA_ID"));
                if (key < 0)
                    throw FbError(QStringLiteral("MEDIA: no new key"));
                AttachNewContents(key);
            }
            media.FMedia_ID = key;
            AlterMediaTable(dm, media, isNew);
        },
        &result.error);
    if (!result.saved)
        return result;
    try {
        dm.MainConnection.commitRetaining();
    } catch (const FbError &e) {
        result.saved = false;
        result.error = e.message();
        return result;
    }
    result.mediaId = key;
    return result;
}

bool SaveContentInPlace(TDM1 &dm, const MovieRecord &movie, const ContentLists &lists,
                        bool applyLastWatchedToDuplicates, QString *error)
{
    return runInSavepoint([&] { SaveContent(dm, movie, lists, applyLastWatchedToDuplicates); }, error);
}

bool DeleteEntry(TDM1 &dm, double mediaId, QString *error)
{
    const bool deleted = runInSavepoint(
        [&] {
            if (!DeleteMedium(false, mediaId))
                throw FbError(QStringLiteral("MEDIA: the entry could not be deleted."));
        },
        error);
    if (!deleted)
        return false;
    try {
        dm.MainConnection.commitRetaining();
    } catch (const FbError &e) {
        if (error)
            *error = e.message();
        return false;
    }
    ClearTrashPosts(false);
    return true;
}

void DiscardSession(TDM1 &dm)
{
    try {
        if (dm.MainConnection.inTransaction())
            dm.MainConnection.rollbackRetaining();
    } catch (const FbError &) {
        // A connection that is gone has nothing pending.
    }
}
