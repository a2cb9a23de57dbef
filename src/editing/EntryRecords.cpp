#include "editing/EntryRecords.h"

#include "core/GlobalFunctions.h"
#include "database/DM1_u.h"
#include "database/FbQuery.h"
#include "database/ImageStore.h"
#include "database/RecordHelpers.h"

#include <QStringList>

namespace {

// The first maxLength code points of text; a surrogate pair counts as one and is never split.
QString firstCodePoints(const QString &text, int maxLength)
{
    qsizetype end = 0;
    for (int count = 0; end < text.size() && count < maxLength; ++count) {
        if (text.at(end).isHighSurrogate() && end + 1 < text.size() && text.at(end + 1).isLowSurrogate())
            end += 2;
        else
            ++end;
    }
    return text.left(end);
}

QString insertStatement(const QString &table, const QStringList &columns)
{
    return QStringLiteral("insert into %1 (%2) values (:%3)")
        .arg(table, columns.join(QStringLiteral(", ")), columns.join(QStringLiteral(", :")));
}

QString updateStatement(const QString &table, const QStringList &columns, const QString &extra,
                        const QString &keyColumn)
{
    QStringList assignments;
    for (const QString &column : columns)
        assignments << column + QStringLiteral(" = :") + column;
    if (!extra.isEmpty())
        assignments << extra;
    return QStringLiteral("update %1 set %2 where %3 = :%3")
        .arg(table, assignments.join(QStringLiteral(", ")), keyColumn);
}

const QStringList &mediaColumns()
{
    static const QStringList columns = {
        QStringLiteral("MEDIA_ID"),     QStringLiteral("TITLE"),      QStringLiteral("TITLESORT"),
        QStringLiteral("MEDIATIME"),    QStringLiteral("EDITION"),    QStringLiteral("SEQNUMBER"),
        QStringLiteral("MEDIATYPE_ID"), QStringLiteral("REGIONCODE"), QStringLiteral("UPC"),
        QStringLiteral("LOCATION"),     QStringLiteral("STATUS"),     QStringLiteral("BUYPRICE"),
        QStringLiteral("BUYDATE"),      QStringLiteral("NOOFDISCS"),  QStringLiteral("DECK"),
        QStringLiteral("SLOT"),
    };
    return columns;
}

// The movie columns both writers set, in the order of the row.
const QStringList &movieColumns()
{
    static const QStringList columns = {
        QStringLiteral("MEDIA_ID"),        QStringLiteral("MOVIE_ID"),       QStringLiteral("LISTINDEX"),
        QStringLiteral("TITLE"),           QStringLiteral("TITLESORT"),      QStringLiteral("STUDIO"),
        QStringLiteral("RELEASEDATE"),     QStringLiteral("THEATERDATE"),    QStringLiteral("MOVIETIME"),
        QStringLiteral("COUNTRY_ID"),      QStringLiteral("OFFICIALSITE"),   QStringLiteral("CERTIFICATION_ID"),
        QStringLiteral("TAGLINE"),         QStringLiteral("USERRATING"),     QStringLiteral("IMDBID"),
        QStringLiteral("ORIGTITLE"),       QStringLiteral("ORIGTITLESORT"),  QStringLiteral("CLIPPATH"),
        QStringLiteral("PLOTOUTLINE"),     QStringLiteral("PLOT"),           QStringLiteral("COMMENTS"),
        QStringLiteral("TRIVIA"),          QStringLiteral("BUDGET"),         QStringLiteral("GROSSREVENUE"),
        QStringLiteral("DISCNO"),          QStringLiteral("SERIESNAME"),     QStringLiteral("SEASON"),
        QStringLiteral("LASTWATCHEDDATE"), QStringLiteral("PRODUCTIONYEAR"), QStringLiteral("WATCHED"),
        QStringLiteral("FEATURESWATCHED"), QStringLiteral("IMDBRATING"),     QStringLiteral("THREED_ENABLED"),
        QStringLiteral("FOURK_ENABLED"),   QStringLiteral("GROUP_ID"),       QStringLiteral("GROUP_INDEX"),
    };
    return columns;
}

const QStringList &movieColumnsAfterFiles()
{
    static const QStringList columns = {QStringLiteral("ORIGINAL_LANGUAGE_ID"), QStringLiteral("DOWNLOAD_TYPE"),
                                        QStringLiteral("DOWNLOAD_CODE"), QStringLiteral("ROTTEN_RATING")};
    return columns;
}

// An invalid date would go to the engine as NULL; an empty date is the zero date everywhere.
QDate dateOrZero(const QDate &date)
{
    return date.isValid() ? date : ZeroDate();
}

void bindMedia(FbQuery &query, const MediaRecord &r)
{
    query.setParam(QStringLiteral("MEDIA_ID"), r.FMedia_ID);
    query.setParam(QStringLiteral("TITLE"), r.FTitle.value());
    query.setParam(QStringLiteral("TITLESORT"), r.FTitleSort.value());
    query.setParam(QStringLiteral("MEDIATIME"), r.FMediaTime);
    query.setParam(QStringLiteral("EDITION"), r.FEdition.value());
    query.setParam(QStringLiteral("SEQNUMBER"), r.FSeqNumber);
    query.setParam(QStringLiteral("MEDIATYPE_ID"), r.FMediaType_ID);
    query.setParam(QStringLiteral("REGIONCODE"), r.FRegionCode);
    query.setParam(QStringLiteral("UPC"), r.FUPC.value());
    query.setParam(QStringLiteral("LOCATION"), r.FLocation.value());
    query.setParam(QStringLiteral("STATUS"), r.FStatus.value());
    query.setParam(QStringLiteral("BUYPRICE"), r.FBuyPrice);
    query.setParam(QStringLiteral("BUYDATE"), dateOrZero(r.FBuyDate));
    query.setParam(QStringLiteral("NOOFDISCS"), r.FNoOfDiscs);
    query.setParam(QStringLiteral("DECK"), r.FDeck);
    query.setParam(QStringLiteral("SLOT"), r.FSlot);
    query.setParam(QStringLiteral("MEDIAOWNER"), r.FMediaOwner);
}

void bindMovie(FbQuery &query, const MovieRecord &r)
{
    query.setParam(QStringLiteral("MEDIA_ID"), r.FMedia_ID);
    query.setParam(QStringLiteral("MOVIE_ID"), r.FMovie_ID);
    query.setParam(QStringLiteral("LISTINDEX"), r.FListIndex);
    query.setParam(QStringLiteral("TITLE"), r.FTitle.value());
    query.setParam(QStringLiteral("TITLESORT"), r.FTitleSort.value());
    query.setParam(QStringLiteral("STUDIO"), r.FStudio.value());
    query.setParam(QStringLiteral("RELEASEDATE"), dateOrZero(r.FReleaseDate));
    query.setParam(QStringLiteral("THEATERDATE"), dateOrZero(r.FTheaterDate));
    query.setParam(QStringLiteral("MOVIETIME"), r.FMovieTime);
    query.setParam(QStringLiteral("COUNTRY_ID"), r.FCountry_ID);
    query.setParam(QStringLiteral("OFFICIALSITE"), r.FOfficialSite.value());
    query.setParam(QStringLiteral("CERTIFICATION_ID"), r.FCertification_ID);
    query.setParam(QStringLiteral("TAGLINE"), r.FTagline.value());
    query.setParam(QStringLiteral("USERRATING"), r.FUserRating);
    query.setParam(QStringLiteral("IMDBID"), r.FImdbID);
    query.setParam(QStringLiteral("ORIGTITLE"), r.FOrigTitle.value());
    query.setParam(QStringLiteral("ORIGTITLESORT"), r.FOrigTitleSort.value());
    query.setParam(QStringLiteral("CLIPPATH"), r.FClipPath.value());
    query.setParam(QStringLiteral("PLOTOUTLINE"), r.FPlotOutline.value());
    query.setTextBlobParam(QStringLiteral("PLOT"), r.FPlot);
    query.setTextBlobParam(QStringLiteral("COMMENTS"), r.FComments);
    query.setTextBlobParam(QStringLiteral("TRIVIA"), r.FTrivia);
    query.setParam(QStringLiteral("BUDGET"), r.FBudget);
    query.setParam(QStringLiteral("GROSSREVENUE"), r.FGrossRevenue);
    query.setParam(QStringLiteral("DISCNO"), r.FDiscNo);
    query.setParam(QStringLiteral("SERIESNAME"), r.FSeriesName.value());
    query.setParam(QStringLiteral("SEASON"), r.FSeason);
    query.setParam(QStringLiteral("LASTWATCHEDDATE"), dateOrZero(r.FLastWatchedDate));
    query.setParam(QStringLiteral("PRODUCTIONYEAR"), r.FProductionYear.value());
    query.setParam(QStringLiteral("WATCHED"), r.FWatched);
    query.setParam(QStringLiteral("FEATURESWATCHED"), r.FFeaturesWatched);
    query.setParam(QStringLiteral("IMDBRATING"), r.FImdbRating);
    query.setParam(QStringLiteral("THREED_ENABLED"), r.FThreeD_Enabled);
    query.setParam(QStringLiteral("FOURK_ENABLED"), r.FFourK_Enabled);
    query.setParam(QStringLiteral("GROUP_ID"), r.FGroup_ID);
    query.setParam(QStringLiteral("GROUP_INDEX"), r.FGroup_Index);
    query.setParam(QStringLiteral("ORIGINAL_LANGUAGE_ID"), r.FOriginal_Language_ID);
    query.setParam(QStringLiteral("DOWNLOAD_TYPE"), r.FDownload_Type.value());
    query.setParam(QStringLiteral("DOWNLOAD_CODE"), r.FDownload_Code.value());
    query.setParam(QStringLiteral("ROTTEN_RATING"), r.FRottenRating);
}

} // namespace

QString CutRecordText(const QString &text, int maxLength, TextRule rule)
{
    QString result = firstCodePoints(text, maxLength).trimmed();
    bool lower = rule == TextRule::Lower;
#ifdef Q_OS_WIN
    lower = lower || rule == TextRule::Path;
#endif
    if (lower)
        result = firstCodePoints(result.toLower(), maxLength).trimmed();
    return result;
}

QDate ZeroDate()
{
    return ZeroDateTime().date();
}

QString sqlMediaNew()
{
    // A new medium is not lent and is added and modified today.
    return QStringLiteral("insert into MEDIA (MEDIA_ID, TITLE, TITLESORT, MEDIATIME, EDITION, SEQNUMBER, MEDIATYPE_ID, "
                          "REGIONCODE, UPC, LOCATION, STATUS, BUYPRICE, BUYDATE, NOOFDISCS, DECK, SLOT, LEND_ID, "
                          "MEDIAOWNER, DATE_ADDED, DATE_MODIFIED) values (:MEDIA_ID, :TITLE, :TITLESORT, :MEDIATIME, "
                          ":EDITION, :SEQNUMBER, :MEDIATYPE_ID, :REGIONCODE, :UPC, :LOCATION, :STATUS, :BUYPRICE, "
                          ":BUYDATE, :NOOFDISCS, :DECK, :SLOT, -1, :MEDIAOWNER, CURRENT_DATE, CURRENT_DATE)");
}

QString sqlMediaEdit()
{
    // The loan columns belong to lending and stay as they are.
    return updateStatement(QStringLiteral("MEDIA"), mediaColumns() + QStringList{QStringLiteral("MEDIAOWNER")},
                           QStringLiteral("DATE_MODIFIED = CURRENT_DATE"), QStringLiteral("MEDIA_ID"));
}

QString sqlMovieNew()
{
    // The FILE_ parameters are never set, so a new row gets NULL there.
    static const QStringList files = {QStringLiteral("FILE_CODECNAME"),  QStringLiteral("FILE_FORMAT"),
                                      QStringLiteral("FILE_VIDEOSIZE"),  QStringLiteral("FILE_BITRATE"),
                                      QStringLiteral("FILE_FRAMERATE"),  QStringLiteral("FILE_STANDARD"),
                                      QStringLiteral("FILE_RESOLUTION"), QStringLiteral("FILE_MAXBITRATE")};
    return insertStatement(QStringLiteral("MOVIE"), movieColumns() + files + movieColumnsAfterFiles());
}

QString sqlMovieEdit()
{
    return updateStatement(QStringLiteral("MOVIE"), movieColumns() + movieColumnsAfterFiles(), QString(),
                           QStringLiteral("MOVIE_ID"));
}

void AlterMediaTable(TDM1 &dm, const MediaRecord &record, bool append)
{
    Q_ASSERT(&dm == &DM1());
    FbQuery query(dm.MainConnection);
    query.setSql(append ? sqlMediaNew() : sqlMediaEdit());
    bindMedia(query, record);
    query.exec();
    if (append)
        FbQuery::execute(dm.MainConnection, QStringLiteral("insert into MEDIA_GFX (MEDIA_ID) values (") +
                                                SqlKey(record.FMedia_ID) + QLatin1Char(')'));
    StoreCoverImage(record.FFrontCover, QStringLiteral("FRONTCOVER_BLOB"), record.FMedia_ID);
    StoreCoverImage(record.FBackCover, QStringLiteral("BACKCOVER_BLOB"), record.FMedia_ID);
}

void AlterMovieTable(TDM1 &dm, const MovieRecord &record, bool append)
{
    FbQuery query(dm.MainConnection);
    query.setSql(append ? sqlMovieNew() : sqlMovieEdit());
    bindMovie(query, record);
    query.exec();
}
