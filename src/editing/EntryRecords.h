#pragma once

#include <QDate>
#include <QImage>
#include <QString>

class TDM1;

// The records behind every complete write of a medium or a movie row, and their two writers. The
// caller fills a record field by field; text fields apply their cut rule on assignment, so a record
// never holds a value its column would refuse.

// How a record text is shaped after it is cut to its length and trimmed.
enum class TextRule {
    Keep,  // as cut and trimmed
    Lower, // sort titles: lower-cased as well
    Path,  // file paths: lower-cased only where the file system ignores case (Windows)
};

// The first maxLength characters of text, trimmed, then shaped by rule. Characters are Unicode code
// points, as the columns count them: a character outside the basic plane is kept whole or dropped,
// never split. When lower-casing lengthens the text (some letters become two), it is cut again.
QString CutRecordText(const QString &text, int maxLength, TextRule rule = TextRule::Keep);

// A text field with its cut rule, applied on every assignment.
template <int MaxLength, TextRule Rule = TextRule::Keep> class RecordText
{
public:
    RecordText() = default;
    RecordText(const QString &text)
        : m_value(CutRecordText(text, MaxLength, Rule))
    {}
    RecordText &operator=(const QString &text)
    {
        m_value = CutRecordText(text, MaxLength, Rule);
        return *this;
    }
    const QString &value() const { return m_value; }
    operator const QString &() const { return m_value; }

private:
    QString m_value;
};

// The zero date (30 December 1899) that stands for an empty date.
QDate ZeroDate();

// One MEDIA row with its covers. Keys are whole numbers held as floating point, as their columns.
struct MediaRecord
{
    double FMedia_ID = -1;
    RecordText<100> FTitle;
    RecordText<100, TextRule::Lower> FTitleSort;
    int FMediaTime = 0;
    RecordText<50> FEdition;
    int FSeqNumber = 0;
    int FMediaType_ID = 0; // -1 when no media type matched
    int FRegionCode = 0;
    RecordText<13> FUPC;
    // A null image clears the cover.
    QImage FFrontCover;
    QImage FBackCover;
    RecordText<40> FLocation;
    RecordText<25> FStatus;
    double FBuyPrice = 0;
    QDate FBuyDate = ZeroDate();
    int FNoOfDiscs = 0;
    int FDeck = 0;
    int FSlot = 0;
    QString FMediaOwner; // as entered; the editor trims it

    void Clear() { *this = MediaRecord(); }
};

// One MOVIE row.
struct MovieRecord
{
    double FMedia_ID = -1;
    double FMovie_ID = -1;
    int FListIndex = -1;
    RecordText<100> FTitle;
    RecordText<100, TextRule::Lower> FTitleSort;
    RecordText<50> FStudio;
    QDate FReleaseDate = ZeroDate();
    QDate FTheaterDate = ZeroDate();
    int FMovieTime = 0;
    int FCountry_ID = 0;           // -1 when nothing matched
    int FCertification_ID = 0;     // -1 when nothing matched
    int FOriginal_Language_ID = 0; // -1 when nothing matched
    RecordText<200> FOfficialSite;
    RecordText<255> FTagline;
    int FUserRating = 0; // 0-10
    int FImdbID = 0;     // 0 when none
    RecordText<100> FOrigTitle;
    RecordText<100, TextRule::Lower> FOrigTitleSort;
    RecordText<255, TextRule::Path> FClipPath;
    RecordText<255> FPlotOutline;
    QString FPlot;
    QString FComments;
    QString FTrivia;
    double FBudget = 0;
    double FGrossRevenue = 0;
    int FDiscNo = 0;
    RecordText<75> FSeriesName;
    int FSeason = 0;
    QDate FLastWatchedDate = ZeroDate();
    RecordText<4> FProductionYear;
    qint16 FWatched = 0;
    qint16 FFeaturesWatched = 0;
    double FImdbRating = 0; // 0-10
    qint16 FThreeD_Enabled = 0;
    qint16 FFourK_Enabled = 0;
    int FGroup_ID = 0;
    int FGroup_Index = 0;
    RecordText<50> FDownload_Type;
    RecordText<50> FDownload_Code;
    qint16 FRottenRating = 0; // 0-100

    void Clear() { *this = MovieRecord(); }
};

// The four statements the writers run, parameters by name.
QString sqlMediaNew();
QString sqlMediaEdit();
QString sqlMovieNew();
QString sqlMovieEdit();

// Writes one MEDIA row on the data module's main connection: with append a new row (not lent,
// added and modified today) and its empty MEDIA_GFX row, otherwise an update of the row with the
// record's key that leaves the loan columns alone and sets the modified date to today. Then the
// covers go in full size into MEDIA_GFX and reduced into MEDIA (a null image clears both). An
// empty date is written as the zero date, never as NULL. Commits nothing; a database error
// propagates as FbError. dm must be the program's data module, on which the cover store works.
void AlterMediaTable(TDM1 &dm, const MediaRecord &record, bool append);

// Writes one MOVIE row: with append a new row, otherwise an update of the row with the record's
// MOVIE_ID. The FILE_ columns are never written (NULL on a new row, untouched on an update), nor
// are HTTPERROR and TEMP_TAG. Commits nothing; a database error propagates as FbError.
void AlterMovieTable(TDM1 &dm, const MovieRecord &record, bool append);
