#pragma once

#include <QImage>
#include <QList>
#include <QString>
#include <QStringList>

// The in-memory record of one title as read from its pages, and the reader of the title page.
// Every value is found by cutting the page at the markers of the definitions table; a marker that
// is missing leaves its field empty (or at its default) and the other fields are read as usual.

class TIMDBPerson
{
public:
    QString Id;
    QString Name;
    QString ImageUrl;
};

class TIMDBRole
{
public:
    int Id = 0;
    QString Name;
};

// Role numbers of the crew lists.
enum TIMDBRoleId { RoleDirector = 1, RoleProducer = 2, RoleWriting = 3, RoleOriginalMusic = 6 };

class TIMDBMovieCast
{
public:
    TIMDBMovieCast() = default;
    TIMDBMovieCast(const QString &APersonId, const QString &APersonName);

    TIMDBPerson MoviePerson;
    // The character played.
    QString MovieRole;
    TIMDBRole Role;
};

class TIMDBAwardRecipient
{
public:
    TIMDBPerson AwardPerson;
    QString Note() const { return m_note; }
    void setNote(const QString &value);

private:
    QString m_note;
};

class TIMDBAward
{
public:
    int Id = 0;
    QString Organization() const { return m_organization; }
    void setOrganization(const QString &value);
    qint16 AwardYear() const { return m_awardYear; }
    // Years outside 1800 to 2200 are stored as 0.
    void setAwardYear(int value);
    QString AwardName() const { return m_awardName; }
    void setAwardName(const QString &value);
    // 0 nominated, 1 won; any non-zero value counts as won.
    int AwardResult() const { return m_awardResult; }
    void setAwardResult(int value);
    QString Category() const { return m_category; }
    void setCategory(const QString &value);
    QString Note() const { return m_note; }
    void setNote(const QString &value);
    QList<TIMDBAwardRecipient> Recipients;

private:
    QString m_organization;
    qint16 m_awardYear = 0;
    QString m_awardName;
    int m_awardResult = 0;
    QString m_category;
    QString m_note;
};

class TIMDBTechData
{
public:
    int Id = 0;
    QString Data() const { return m_data; }
    void setData(const QString &value);
    QString DataValue() const { return m_dataValue; }
    void setDataValue(const QString &value);

private:
    QString m_data;
    QString m_dataValue;
};

class TIMDBSoundtrack
{
public:
    int Id = 0;
    QString Title() const { return m_title; }
    void setTitle(const QString &value);
    QString Performer() const { return m_performer; }
    void setPerformer(const QString &value);

private:
    QString m_title;
    QString m_performer;
};

// A media type offered for the new entry.
class TMediaType
{
public:
    int Id = 0;
    QString Name;
    QString Description;
    bool IsReadOnly = false;
    bool SpecifyLength = false;
};

class TIMDBMovie
{
public:
    QString Id;
    QString Webpage;
    QString Title;
    QString AltTitle;
    QString OriginalTitle;
    QString Year;
    QStringList GenreCollection;
    QString Runtime;
    QString Country;
    QString Language;
    QString Color;
    QList<TIMDBMovieCast> CastCollection;
    QList<TIMDBMovieCast> CreditsCollection;
    QList<TIMDBMovieCast> Producers;
    QImage Cover;
    QString CoverURL;
    QString CoverLocalFilename;
    QString Tagline;
    QString PlotOutline;
    QString Plot;
    QString TriviaText;
    QString Trailer;
    QString Rating = QStringLiteral("0");
    QString TheatreDate;
    QString MPAA;
    QStringList FilmingLocationsCollection;
    QStringList CastStarsCollection;
    QStringList KeywordsCollection;
    QList<TIMDBAward> AwardsCollection;
    QList<TIMDBTechData> TechnicalDataCollection;
    QList<TIMDBSoundtrack> SoundtrackCollection;
    int SeqNumber = 0;
    int RegionCode = 0;
    int MediaTypeId = 0;
    QString MediaType;
    int SeriesSeason = 0;
    QString SeriesName;
    int WI_Priority = 0;
    QString WI_ReleaseDate;
    QString AmazonImagePath;
    QString AmazonWebpage;
    QString UPC;

    // The integer value of Year (0 when it is not a number).
    int YearAsWord() const;

    void SetMovieWebpage(const QString &AWebpage);
    QString GetMovieTitleURL() const;
    QString GetMovieSearchURL() const;
    // Empties the page, the plot and the genre, filming location, cast, credits, producer, award
    // and keyword lists.
    void Clear();

    // The full read used when a movie is added; in wish-list mode only the title, trivia,
    // trailer, theatre date and cover are read. Amazon data comes with the cover-art download.
    void GetMovieInformation(bool IncludeAmazon, bool WantedMode = false);
    // The quick read of the quick-add command: trivia, 5 cast members, tagline and crew.
    void GetMovieInformationQuickAdd();
    // The read behind the preview window, without switches or pictures.
    void GetMoviePreview();
    // The read of the automatic update, switched by the "AutoUpdate" settings.
    void GetMovieOnUpdate();

    void GetMovieTitle();
    void GetMovieOriginalTitle();
    void GetMovieReleaseYear();
    void GetMovieGenres();
    void GetMovieRuntime();
    void GetMovieCountries();
    void GetMovieLanguage();
    void GetMovieCover();
    void GetMovieTagline();
    void GetMovieMPAA();
    void GetMoviePlotOutline();
    void GetMovieRating();
    void GetMovieTrailer();
    void GetMovieTheatreDate();
    void GetMovieCast(int maxCount, bool withPictures);
    void GetMovieDirectors();
    void GetMovieWriters();
    void GetMovieProducers();
    void GetMovieComposers();

    // The sub-page readers: each fetches its own page of the title (by Id, through an address
    // template of the definitions) and replaces only its own field or list. A page that cannot
    // be fetched reads as empty; without an Id a reader does nothing.
    void ReadPlot();
    void ReadTrivia();
    void ReadFilmingLocations();
    void ReadAwards();
    void ReadTechnicalData();
    void ReadSoundtracks();
    // The leading roles: the number part of the stars' person ids (CastStarsCollection).
    void ReadLeadRoles();
    void ReadKeywords();

private:
    void readCreditList(const QString &startMarker, const QString &endMarkers, int roleId);
    void clearReadLists(bool technicalData);
};

// The address of a cast picture at the size the program asks for: people pictures "heightY"
// pixels high, three quarters as wide.
QString ResizedPersonImageUrl(const QString &address, int heightY);
// A replace-segment step of the cover address: the segment that starts with marker (up to the
// next "_") becomes replacement.
QString ReplaceAddressSegment(const QString &address, const QString &marker, const QString &replacement);
