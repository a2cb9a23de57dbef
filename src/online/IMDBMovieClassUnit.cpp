#include "online/IMDBMovieClassUnit.h"

#include "core/GlobalFunctions.h"
#include "core/TextNumbers.h"
#include "online/IMDBConstantsUnit.h"
#include "online/IMDBHelperClassUnit.h"

#include <QFile>
#include <QLocale>

namespace {

using K = DefKey;

QString def(DefKey key)
{
    return Definition(key);
}

const QString kDownload = QStringLiteral("Options\\Download");

bool downloadSwitch(const char *name)
{
    return ReadSettingBool(QLatin1String(name), kDownload, true);
}

bool autoUpdateSwitch(const char *name)
{
    return ReadSettingBool(QLatin1String(name), QStringLiteral("AutoUpdate"), true);
}

int maxCast()
{
    return ReadSettingInteger(QStringLiteral("Max Cast"), kDownload, 25);
}

// The user's own term for a genre or certification, when the translation table has one.
QString translated(const QString &section, const QString &item)
{
    if (item.isEmpty() || item.contains(QLatin1Char('/')) || item.contains(QLatin1Char('\\')))
        return item;
    const QString value = ReadSettingString(item, section);
    return value.isEmpty() ? item : value;
}

int numberOr(const QString &text, int fallback)
{
    bool ok = false;
    const int value = text.trimmed().toInt(&ok);
    return ok ? value : fallback;
}

// The alternatives of an end-marker value: separated by ";", double quotes grouping one that
// holds a ";".
QStringList endAlternatives(const QString &value)
{
    QStringList alternatives;
    QString current;
    bool quoted = false;
    for (const QChar c : value) {
        if (c == QLatin1Char('"')) {
            quoted = !quoted;
        } else if (c == QLatin1Char(';') && !quoted) {
            if (!current.isEmpty())
                alternatives << current;
            current.clear();
        } else {
            current += c;
        }
    }
    if (!current.isEmpty())
        alternatives << current;
    return alternatives;
}

QString roleName(int roleId)
{
    switch (roleId) {
    case RoleDirector:
        return QStringLiteral("Director");
    case RoleProducer:
        return QStringLiteral("Producer");
    case RoleWriting:
        return QStringLiteral("Writing Credits");
    case RoleOriginalMusic:
        return QStringLiteral("Original Music");
    }
    return QString();
}

void showTitle(const QString &title)
{
    const OnlineHooks &hooks = onlineHooks();
    if (hooks.downloadTitle)
        hooks.downloadTitle(title);
}

} // namespace

TIMDBMovieCast::TIMDBMovieCast(const QString &APersonId, const QString &APersonName)
{
    MoviePerson.Id = APersonId;
    MoviePerson.Name = APersonName;
}

void TIMDBAwardRecipient::setNote(const QString &value)
{
    m_note = LimitText(value, 50);
}

void TIMDBAward::setOrganization(const QString &value)
{
    m_organization = LimitText(value, 100);
}

void TIMDBAward::setAwardYear(int value)
{
    m_awardYear = (value < 1800 || value > 2200) ? 0 : static_cast<qint16>(value);
}

void TIMDBAward::setAwardName(const QString &value)
{
    m_awardName = LimitText(value, 100);
}

void TIMDBAward::setAwardResult(int value)
{
    m_awardResult = value != 0 ? 1 : 0;
}

void TIMDBAward::setCategory(const QString &value)
{
    m_category = LimitText(value, 80);
}

void TIMDBAward::setNote(const QString &value)
{
    m_note = LimitText(value, 150);
}

void TIMDBTechData::setData(const QString &value)
{
    m_data = LimitText(value, 70);
}

void TIMDBTechData::setDataValue(const QString &value)
{
    m_dataValue = LimitText(value, 100);
}

void TIMDBSoundtrack::setTitle(const QString &value)
{
    m_title = LimitText(value, 100);
}

void TIMDBSoundtrack::setPerformer(const QString &value)
{
    m_performer = LimitText(value, 200);
}

int TIMDBMovie::YearAsWord() const
{
    return numberOr(Year, 0);
}

void TIMDBMovie::SetMovieWebpage(const QString &AWebpage)
{
    Webpage = AWebpage;
}

QString TIMDBMovie::GetMovieTitleURL() const
{
    return FormatTemplate(def(K::IMDB_TITLE_URL), Id);
}

QString TIMDBMovie::GetMovieSearchURL() const
{
    return FormatTemplate(def(K::IMDB_TITLE_SEARCH_URL), Title);
}

void TIMDBMovie::Clear()
{
    Webpage.clear();
    Plot.clear();
    GenreCollection.clear();
    FilmingLocationsCollection.clear();
    CastCollection.clear();
    CreditsCollection.clear();
    Producers.clear();
    AwardsCollection.clear();
    KeywordsCollection.clear();
}

void TIMDBMovie::clearReadLists(bool technicalData)
{
    GenreCollection.clear();
    CastCollection.clear();
    CreditsCollection.clear();
    FilmingLocationsCollection.clear();
    AwardsCollection.clear();
    CastStarsCollection.clear();
    KeywordsCollection.clear();
    if (technicalData)
        TechnicalDataCollection.clear();
}

void TIMDBMovie::GetMovieInformation(bool IncludeAmazon, bool WantedMode)
{
    Q_UNUSED(IncludeAmazon);
    clearReadLists(false);

    ShowDownloadStatus(QStringLiteral("Updating Title..."));
    GetMovieTitle();
    ShowDownloadStatus(QStringLiteral("Updating Trivia..."));
    if (downloadSwitch("Trivia"))
        ReadTrivia();
    ShowDownloadStatus(QStringLiteral("Updating Trailer..."));
    if (downloadSwitch("Trailer"))
        GetMovieTrailer();
    ShowDownloadStatus(QStringLiteral("Updating Theatre Date..."));
    if (downloadSwitch("Theatre Date"))
        GetMovieTheatreDate();
    ShowDownloadStatus(QStringLiteral("Updating Cover Art..."));
    if (downloadSwitch("Cover Art"))
        GetMovieCover();

    if (!WantedMode) {
        ShowDownloadStatus(QStringLiteral("Updating Original Title..."));
        GetMovieOriginalTitle();
        ShowDownloadStatus(QStringLiteral("Updating Release Year..."));
        GetMovieReleaseYear();
        ShowDownloadStatus(QStringLiteral("Updating Genres..."));
        if (downloadSwitch("Genres"))
            GetMovieGenres();
        ShowDownloadStatus(QStringLiteral("Updating Runtime..."));
        if (downloadSwitch("Runtime"))
            GetMovieRuntime();
        ShowDownloadStatus(QStringLiteral("Updating Country..."));
        if (downloadSwitch("Country"))
            GetMovieCountries();
        ShowDownloadStatus(QStringLiteral("Updating Language..."));
        if (downloadSwitch("Language"))
            GetMovieLanguage();
        ShowDownloadStatus(QStringLiteral("Updating Cast..."));
        if (downloadSwitch("Cast"))
            GetMovieCast(maxCast(), true);
        ShowDownloadStatus(QStringLiteral("Updating Tagline..."));
        if (downloadSwitch("Tagline"))
            GetMovieTagline();
        ShowDownloadStatus(QStringLiteral("Updating MPAA..."));
        if (downloadSwitch("MPAA"))
            GetMovieMPAA();
        ShowDownloadStatus(QStringLiteral("Updating Crew..."));
        if (downloadSwitch("Crew")) {
            GetMovieDirectors();
            GetMovieWriters();
            GetMovieComposers();
            GetMovieProducers();
        }
        ShowDownloadStatus(QStringLiteral("Updating Plot..."));
        if (downloadSwitch("PlotOutline"))
            GetMoviePlotOutline();
        if (downloadSwitch("Plot"))
            ReadPlot();
        ShowDownloadStatus(QStringLiteral("Updating Rating..."));
        if (downloadSwitch("Rating"))
            GetMovieRating();
        else
            Rating = QStringLiteral("0");
        ShowDownloadStatus(QStringLiteral("Updating Filming Locations..."));
        if (downloadSwitch("FilmingLocations"))
            ReadFilmingLocations();
        ShowDownloadStatus(QStringLiteral("Updating Awards..."));
        if (downloadSwitch("Awards"))
            ReadAwards();
        ShowDownloadStatus(QStringLiteral("Updating Technical Data..."));
        if (downloadSwitch("TechnicalData"))
            ReadTechnicalData();
        ShowDownloadStatus(QStringLiteral("Updating Soundtracks..."));
        if (downloadSwitch("Soundtracks"))
            ReadSoundtracks();
        ShowDownloadStatus(QStringLiteral("Updating Lead Roles..."));
        if (downloadSwitch("LeadRoles"))
            ReadLeadRoles();
        ShowDownloadStatus(QStringLiteral("Updating Keywords..."));
        if (downloadSwitch("Keywords"))
            ReadKeywords();
    }
    ShowDownloadStatus(QStringLiteral("Storing to Database..."));
}

void TIMDBMovie::GetMovieInformationQuickAdd()
{
    GenreCollection.clear();
    CastCollection.clear();
    CreditsCollection.clear();
    FilmingLocationsCollection.clear();
    AwardsCollection.clear();
    CastStarsCollection.clear();
    if (downloadSwitch("Trivia"))
        ReadTrivia();
    if (downloadSwitch("Cast"))
        GetMovieCast(5, true);
    if (downloadSwitch("Tagline"))
        GetMovieTagline();
    if (downloadSwitch("Crew")) {
        GetMovieDirectors();
        GetMovieWriters();
        GetMovieProducers();
    }
}

void TIMDBMovie::GetMoviePreview()
{
    GenreCollection.clear();
    CastCollection.clear();
    CreditsCollection.clear();
    FilmingLocationsCollection.clear();
    AwardsCollection.clear();
    GetMovieTitle();
    GetMovieOriginalTitle();
    GetMovieReleaseYear();
    GetMovieGenres();
    GetMovieCast(5, false);
    GetMovieDirectors();
    GetMovieProducers();
    GetMoviePlotOutline();
    GetMovieCover();
}

void TIMDBMovie::GetMovieOnUpdate()
{
    clearReadLists(true);
    const bool basic = autoUpdateSwitch("BasicImdb");
    const bool people = autoUpdateSwitch("People");
    if (basic) {
        GetMovieTitle();
        ReadTrivia();
        GetMovieTrailer();
        GetMovieTheatreDate();
    }
    if (autoUpdateSwitch("CoverArt"))
        GetMovieCover();
    if (basic) {
        GetMovieOriginalTitle();
        GetMovieReleaseYear();
        GetMovieGenres();
        GetMovieRuntime();
        GetMovieCountries();
        GetMovieLanguage();
    }
    if (people)
        GetMovieCast(maxCast(), true);
    if (basic) {
        GetMovieTagline();
        GetMovieMPAA();
    }
    if (people) {
        GetMovieDirectors();
        GetMovieWriters();
        GetMovieComposers();
        GetMovieProducers();
    }
    if (basic) {
        GetMoviePlotOutline();
        ReadPlot();
        GetMovieRating();
    } else {
        Rating = QStringLiteral("0");
    }
    if (autoUpdateSwitch("FilmingLocations"))
        ReadFilmingLocations();
    if (autoUpdateSwitch("Awards"))
        ReadAwards();
    if (autoUpdateSwitch("TechnicalData"))
        ReadTechnicalData();
    if (autoUpdateSwitch("Soundtrack"))
        ReadSoundtracks();
    if (people)
        ReadLeadRoles();
    if (autoUpdateSwitch("Keywords"))
        ReadKeywords();
}

void TIMDBMovie::GetMovieTitle()
{
    SeriesName.clear();
    const QString begin = def(K::IMDB_MOVIE_TITLE_BEGIN_TAG_LOCAL);
    if (HasMarker(Webpage, begin)) {
        QString piece = RemoveFirst(Span(Webpage, begin, def(K::IMDB_MOVIE_TITLE_END_TAG_LOCAL)), begin);
        piece = TextBefore(piece, QStringLiteral("("));
        QString title = StripQuotes(TrimText(DecodeHtmlEntities(piece)));
        if (SeriesSeason > 0) {
            SeriesName = title;
            title += QStringLiteral(" - ") + GetText(Txt::Season) + QLatin1Char(' ') + QString::number(SeriesSeason);
        }
        Title = title;
    }
    showTitle(Title);
}

void TIMDBMovie::GetMovieOriginalTitle()
{
    OriginalTitle.clear();
    const QString head = def(K::IMDB_MOVIE_ORIGINALTITLE_HEAD_TAG);
    if (HasMarker(Webpage, head)) {
        const QString piece = Span(Webpage, head, def(K::IMDB_MOVIE_ORIGINALTITLE_BOTTOM_TAG));
        const QString end = def(K::IMDB_MOVIE_ORIGINALTITLE_END_TAG);
        if (HasMarker(piece, end)) {
            const QString value = Span(piece, def(K::IMDB_MOVIE_ORIGINALTITLE_BEGIN_TAG), end);
            OriginalTitle = TrimText(DecodeHtmlEntities(StripTags(value)));
        }
    }
    if (!OriginalTitle.isEmpty()) {
        if (onlineHooks().downloadOriginalTitle)
            onlineHooks().downloadOriginalTitle(OriginalTitle);
    } else {
        OriginalTitle = Title;
    }
}

void TIMDBMovie::GetMovieReleaseYear()
{
    const QString start = def(K::IMDB_YEAR_START_TAG);
    const QString tvHead = def(K::IMDB_YEAR_TV_HEAD_TAG);
    QString text;
    if (HasMarker(Webpage, start)) {
        text = TrimText(AfterFirstGreater(Span(CutAt(Webpage, start), start, def(K::IMDB_YEAR_END_TAG))));
    } else if (HasMarker(Webpage, tvHead)) {
        text = ThroughFirstCharOf(CutAt(Webpage, tvHead), def(K::IMDB_YEAR_TV_BOTTOM_TAG));
    }
    // A year alone, or followed by one closing character, survives.
    if (text.size() > 6)
        text = text.mid(text.size() - 7, 6);
    Year = DigitsOnly(text);
}

void TIMDBMovie::GetMovieGenres()
{
    const QString head = def(K::IMDB_GENRE_HEAD_TAG);
    // Without its section the page has no genre list; items elsewhere on the page are no genres.
    if (!HasMarker(Webpage, head))
        return;
    const QString start = def(K::IMDB_GENRE_START_TAG);
    const QString end = def(K::IMDB_GENRE_END_TAG);
    QString rest = TextBefore(CutAfter(Webpage, head), def(K::IMDB_GENRE_BOTTOM_TAG));
    while (HasMarker(rest, start)) {
        rest = CutAt(rest, start);
        const qsizetype endAt = MarkerPos(rest, end);
        if (endAt < 0)
            break;
        const QString item = AfterFirstGreater(Span(rest, start, end));
        GenreCollection << translated(QStringLiteral("TranslationTable\\Genre"), item);
        const QString next = TrimText(rest.mid(endAt));
        if (next.size() >= rest.size())
            break;
        rest = next;
    }
}

void TIMDBMovie::GetMovieRuntime()
{
    const QString start = def(K::IMDB_RUNTIME_START_TAG);
    if (!HasMarker(Webpage, start))
        return;
    QString text = Span(CutAt(Webpage, start), start, def(K::IMDB_RUNTIME_END_TAG));
    text = RemoveEvery(text, start, Qt::CaseInsensitive);
    for (const char *noise : {"\r", "\n", "min", " "})
        text = RemoveEvery(text, QLatin1String(noise), Qt::CaseInsensitive);
    text = StripTags(text);
    for (const char *divider : {"/", "|", "("}) {
        if (text.contains(QLatin1String(divider)))
            text = TextBefore(text, QLatin1String(divider));
    }
    if (text.contains(QLatin1Char(':')))
        text = CutAfter(text, QStringLiteral(":"));
    Runtime = DigitsOnly(text);
}

void TIMDBMovie::GetMovieCountries()
{
    const QString head = def(K::IMDB_COUNTRY_HEAD_TAG);
    if (!HasMarker(Webpage, head))
        return;
    const QString start = def(K::IMDB_COUNTRY_START_TAG);
    const QString end = def(K::IMDB_COUNTRY_END_TAG);
    QString rest = TextBefore(CutAfter(Webpage, head), def(K::IMDB_COUNTRY_BOTTOM_TAG));
    while (HasMarker(rest, start)) {
        rest = CutAt(rest, start);
        if (!HasMarker(rest, end))
            break;
        QString item = ThroughFirstCharOf(rest, end);
        rest = RemoveFirst(rest, start);
        item = AfterFirstGreater(item);
        item.chop(1);
        item = TrimText(RemoveFirst(RemoveFirst(item, QStringLiteral("<")), QStringLiteral(">")));
        if (item.isEmpty())
            continue;
        Country = Country.isEmpty() ? item : Country + QStringLiteral(" / ") + item;
    }
}

void TIMDBMovie::GetMovieLanguage()
{
    const QString start = def(K::IMDB_LANGUAGE_START_TAG);
    if (!HasMarker(Webpage, start))
        return;
    QString text = ThroughFirstCharOf(CutAt(Webpage, start), def(K::IMDB_LANGUAGE_END_TAG));
    const qsizetype gt = text.indexOf(QLatin1Char('>'));
    if (gt >= 0)
        text = text.mid(gt);
    Language = TrimText(RemoveFirst(RemoveFirst(text, QStringLiteral("<")), QStringLiteral(">")));
}

QString ReplaceAddressSegment(const QString &address, const QString &marker, const QString &replacement)
{
    const qsizetype at = MarkerPos(address, marker);
    if (at < 0)
        return address;
    const qsizetype underscore = address.indexOf(QLatin1Char('_'), at + marker.size());
    // Without a following "_" the segment has no end, and the address is left alone.
    if (underscore < 0)
        return address;
    QString result = address;
    result.remove(at, underscore - at);
    result.insert(at, replacement);
    return result;
}

void TIMDBMovie::GetMovieCover()
{
    CoverURL.clear();
    CoverLocalFilename.clear();
    const QString start = def(K::IMDB_COVER_START_TAG);
    const QString srcStart = def(K::IMDB_COVER_SRC_START_TAG);
    // Without the poster section any other picture of the page would be taken for the cover.
    if (!HasMarker(Webpage, start))
        return;
    const QString section = CutAt(Webpage, start);
    if (!HasMarker(section, srcStart))
        return;
    QString address = TextBefore(CutAfter(section, srcStart), def(K::IMDB_COVER_SRC_END_TAG));
    if (address == def(K::IMDB_COVER_IGNORE))
        address.clear();
    if (address.isEmpty())
        return;
    address = ReplaceAddressSegment(address, def(K::IMDB_COVER_IMAGE_MIDDLE), QString());
    address = ReplaceAddressSegment(address, def(K::IMDB_COVER_IMAGE_X), def(K::IMDB_COVER_IMAGE_X_NEW));
    address = ReplaceAddressSegment(address, def(K::IMDB_COVER_IMAGE_Y), def(K::IMDB_COVER_IMAGE_Y_NEW));
    CoverURL = address;
    // The id comes from outside; only its letters and digits name the file.
    const QString fileName = GetTempFolder() + KeepAlphanumerics(Id) + QStringLiteral(".jpg");
    if (DownloadImageFile(address, fileName)) {
        CoverLocalFilename = fileName;
        if (onlineHooks().downloadCover)
            onlineHooks().downloadCover(fileName);
    } else {
        QFile::remove(fileName);
        CoverURL.clear();
    }
}

void TIMDBMovie::GetMovieTagline()
{
    const QString start = def(K::IMDB_TAGLINE_START_TAG);
    if (!HasMarker(Webpage, start))
        return;
    QString text = TextBefore(RemoveFirst(CutAt(Webpage, start), start), def(K::IMDB_TAGLINE_END_TAG));
    text = FirstLine(text);
    text = RemoveFirst(text, def(K::IMDB_TAGLINE_MID_TAG));
    Tagline = DecodeHtmlEntities(TrimText(StripTags(text)));
}

void TIMDBMovie::GetMovieMPAA()
{
    const QString start = def(K::IMDB_MPAA_START_TAG);
    if (!HasMarker(Webpage, start))
        return;
    QString text = CutAfter(CutAt(Webpage, start), def(K::IMDB_MPAA_MIDDLE_TAG));
    text = DecodeHtmlEntities(TrimText(TextBefore(text, def(K::IMDB_MPAA_END_TAG))));
    MPAA = translated(QStringLiteral("TranslationTable\\MPAA"), text);
}

void TIMDBMovie::GetMoviePlotOutline()
{
    const QString start = def(K::IMDB_PLOTOUTLINE_START_TAG);
    if (!HasMarker(Webpage, start))
        return;
    QString text = CutAfter(Webpage, start);
    for (const DefKey end : {K::IMDB_PLOTOUTLINE_END_TAG, K::IMDB_PLOTOUTLINE_END_TAG_2}) {
        if (HasMarker(text, def(end)))
            text = TextBefore(text, def(end));
    }
    for (const DefKey middle : {K::IMDB_PLOTOUTLINE_MIDDLE_TAG, K::IMDB_PLOTOUTLINE_MIDDLE_TAG_2}) {
        const QString marker = def(middle);
        while (HasMarker(text, marker))
            text = CutAfter(text, marker);
    }
    text = DecodeHtmlEntities(StripTags(TrimText(text)));
    if (text.endsWith(QLatin1Char('|')))
        text.chop(1);
    PlotOutline = TrimText(text);
}

void TIMDBMovie::GetMovieRating()
{
    Rating = QStringLiteral("0");
    const QString head = def(K::IMDB_RATING_HEAD_TAG);
    if (!HasMarker(Webpage, head))
        return;
    QString text = CutAfter(Span(Webpage, head, def(K::IMDB_RATING_BOTTOM_TAG)), def(K::IMDB_RATING_BEGIN_TAG));
    text = TrimText(StripTags(TextBefore(text, def(K::IMDB_RATING_END_TAG))));
    QString probe = text;
    const qsizetype dot = probe.indexOf(QLatin1Char('.'));
    if (dot >= 0)
        probe.replace(dot, 1, QLocale().decimalPoint());
    bool ok = false;
    QLocale().toDouble(probe, &ok);
    if (ok && !text.isEmpty())
        Rating = text;
}

void TIMDBMovie::GetMovieTrailer()
{
    const QString head = def(K::IMDB_TRAILER_HEAD_TAG);
    if (!HasMarker(Webpage, head))
        return;
    QString text = ThroughEndOf(CutAfter(Webpage, head), def(K::IMDB_TRAILER_BOTTOM_TAG), 1);
    text = CutAfter(text, def(K::IMDB_TRAILER_BEGIN_TAG));
    const QString end = def(K::IMDB_TRAILER_END_TAG);
    // The first (position of the end marker, counted from 1, minus its length) characters.
    const qsizetype count = MarkerPos(text, end) + 1 - end.size();
    text = (MarkerPos(text, end) >= 0 && count > 0) ? text.left(count) : QString();
    text = TrimText(StripTags(text));
    if (!text.isEmpty() && HasMarker(text, def(K::IMDB_TRAILER_CHECK_TAG)))
        Trailer = (def(K::IMDB_TRAILER_PRE_URL) + text).toLower();
    else
        Trailer.clear();
}

void TIMDBMovie::GetMovieTheatreDate()
{
    const QString start = def(K::IMDB_THEATREDATE_START_TAG);
    QString date;
    if (HasMarker(Webpage, start)) {
        QString text = TextBefore(RemoveFirst(CutAt(Webpage, start), start), def(K::IMDB_THEATREDATE_END_TAG));
        text = FirstLine(text);
        text = RemoveFirst(text, def(K::IMDB_THEATREDATE_MID_TAG));
        text = DecodeHtmlEntities(TrimText(StripTags(text)));
        if (text.contains(QLatin1Char('(')))
            text = TrimText(TextBefore(text, QStringLiteral("(")));
        date = ParseTextDate(text);
    }
    TheatreDate = date.isEmpty() ? ZeroDateTime().date().toString(QStringLiteral("yyyy-MM-dd")) : date;
}

QString ResizedPersonImageUrl(const QString &address, int heightY)
{
    const int height = heightY;
    const int width = static_cast<int>(height * 0.75);
    const QString center = def(K::IMDB_PERSON_IMAGE_CENTER);
    const QString y2 = def(K::IMDB_PERSON_IMAGE_Y2);
    const qsizetype y2At = MarkerPos(address, y2);
    if (y2At >= 1) {
        const QString tail = address.mid(y2At);
        int h0 = numberOr(TextBefore(CutAfter(tail, y2), center), 35);
        // A height of 0 would divide by zero below.
        if (h0 <= 1)
            h0 = 35;
        const int w0 = static_cast<int>(h0 * 0.75);
        const int x0 = numberOr(TextBefore(CutAfter(tail, center), QStringLiteral(",")), 17);
        const int x = static_cast<int>(static_cast<double>(x0) / w0 * width);
        return address.left(y2At) + y2 + QString::number(height) + QLatin1Char('_') + center + QString::number(x) +
               QStringLiteral(",0,") + QString::number(width) + QLatin1Char(',') + QString::number(height) +
               QStringLiteral("_.jpg");
    }
    const QString x2 = def(K::IMDB_PERSON_IMAGE_X2);
    const qsizetype x2At = MarkerPos(address, x2);
    if (x2At >= 1) {
        return address.left(x2At) + x2 + QString::number(width) + QLatin1Char('_') + center + QStringLiteral("0,,0,") +
               QString::number(width) + QLatin1Char(',') + QString::number(height) + QStringLiteral("_.jpg");
    }
    return address;
}

void TIMDBMovie::GetMovieCast(int maxCount, bool withPictures)
{
    CastCollection.clear();
    const QString header = def(K::IMDB_CAST_HEADER_START_TAG);
    if (!HasMarker(Webpage, header))
        return;
    const QString realStart = def(K::IMDB_CAST_MEMBER_REALNAME_START_TAG);
    const QString realEnd = def(K::IMDB_CAST_MEMBER_REALNAME_END_TAG);
    const QString roleStart = def(K::IMDB_CAST_MEMBER_ROLENAME_START_TAG);
    const QString exitMarker = def(K::IMDB_CAST_EXIT_TAG);
    const QString top = def(K::IMDB_PERSON_IMAGE_TOP_TAG);
    const QString imageStart = def(K::IMDB_PERSON_IMAGE_START_TAG);
    const int imageHeight = ReadSettingInteger(QStringLiteral("People Image Size Y"), kDownload, 180);

    QString rest = CutAt(Webpage, header);
    while (CastCollection.size() < maxCount && HasMarker(rest, realStart)) {
        QString picture;
        if (withPictures && HasMarker(rest, top)) {
            const QString piece = TextBefore(CutAfter(rest, top), def(K::IMDB_PERSON_IMAGE_BOTTOM_TAG));
            // A member without a picture has no address at all, never a piece of the markup.
            if (HasMarker(piece, imageStart))
                picture = TextBefore(CutAfter(piece, imageStart), def(K::IMDB_PERSON_IMAGE_END_TAG));
            if (picture == def(K::IMDB_PERSON_IGNORE1_URL) || picture == def(K::IMDB_PERSON_IGNORE2_URL))
                picture.clear();
        }
        if (!picture.isEmpty())
            picture = ResizedPersonImageUrl(picture, imageHeight);

        rest = CutAt(rest, realStart);

        QString character = Span(rest, roleStart, def(K::IMDB_CAST_MEMBER_ROLENAME_END_TAG));
        character = RemoveFirst(character, roleStart);
        character = RemoveFirst(character, def(K::IMDB_CAST_MEMBER_ROLENAME_MIDDLE_TAG));
        if (HasMarker(character, def(K::IMDB_CAST_MEMBER_ROLENAME_MIDDLE2_TAG)))
            character = CutAfter(character, QStringLiteral("/\">"));
        character = RemoveFirst(character, QStringLiteral("</a>"));
        character = StripTags(DecodeHtmlEntities(character));
        character = TrimText(RemoveFirst(character, def(K::IMDB_CAST_VOICEONLY_TAG)));

        QString person = Span(rest, realStart, realEnd);
        person = TrimText(DecodeHtmlEntities(RemoveFirst(RemoveFirst(person, realStart), realEnd)));
        const QString personId = TextBefore(person, QStringLiteral("/"));
        QString name = TrimText(StripTags(CutAfter(person, QStringLiteral("/"))));
        while (name.contains(QLatin1Char('>')))
            name = AfterFirstGreater(name);

        TIMDBMovieCast member(personId, name);
        member.MoviePerson.ImageUrl = picture;
        member.MovieRole = StripTags(character);
        CastCollection << member;

        // Without the end of the name there is no way on to the next member.
        if (!HasMarker(rest, realEnd))
            break;
        rest = CutAt(rest, realEnd);
        const qsizetype exitAt = MarkerPos(rest, exitMarker);
        const qsizetype nextAt = MarkerPos(rest, realStart);
        if (exitAt < nextAt)
            break;
    }
}

void TIMDBMovie::readCreditList(const QString &startMarker, const QString &endMarkers, int roleId)
{
    if (!HasMarker(Webpage, startMarker))
        return;
    const QStringList ends = endAlternatives(endMarkers);
    QString section = CutAt(Webpage, startMarker);
    const qsizetype firstEnd = MarkerPos(section, ends.value(0));
    if (firstEnd >= 0)
        section = section.left(firstEnd + ends.value(0).size() + 1);
    if (!HasMarker(section, startMarker))
        return;

    const QString link = def(K::IMDB_PERSON_PREPOSITION_TAG);
    const QString creditEnd = def(K::IMDB_CREDIT_END_TAG);
    QString rest = section;
    bool first = true;
    for (;;) {
        const QString entry = Span(CutAt(rest, link), link, creditEnd);
        if (entry.isEmpty())
            break;
        bool keep = true;
        if (roleId == RoleProducer) {
            const QString source = first ? rest : CutAfter(rest, def(K::IMDB_CREDIT_BEGIN_TAG));
            const QString typeStart = def(K::IMDB_PRODUCER_TYPE_START_TAG);
            const QString kind = HasMarker(source, typeStart) ? ThroughFirstCharOf(CutAfter(source, typeStart),
                                                                                   def(K::IMDB_PRODUCER_TYPE_END_TAG))
                                                              : QString();
            QString kindValue = kind;
            kindValue.chop(1);
            keep = HasMarker(kind, def(K::IMDB_PRODUCER_TYPE_IDENTIFIER)) &&
                   TrimText(StripTags(kindValue)).toLower() == QLatin1String("producer");
        }
        const QString personId = TextBefore(RemoveFirst(entry, link), QStringLiteral("/"));
        const QString rawName = AfterFirstGreater(entry);
        if (keep) {
            TIMDBMovieCast member(personId, TrimText(DecodeHtmlEntities(rawName)));
            member.Role.Id = roleId;
            member.Role.Name = roleName(roleId);
            CreditsCollection << member;
        }

        if (!first)
            rest = CutAfter(rest, QStringLiteral("<br>"));
        first = false;
        const qsizetype passed = MarkerPos(rest, rawName + creditEnd);
        if (passed < 0)
            break;
        rest = rest.mid(passed + rawName.size() + creditEnd.size());

        const qsizetype nextLink = MarkerPos(rest, link);
        if (nextLink < 0)
            break;
        bool anyEnd = false;
        bool beforeAnEnd = false;
        for (const QString &end : ends) {
            const qsizetype at = MarkerPos(rest, end);
            if (at >= 0) {
                anyEnd = true;
                beforeAnEnd = beforeAnEnd || nextLink < at;
            }
        }
        if (anyEnd ? !beforeAnEnd : !(nextLink < rest.indexOf(QLatin1String("</table>"))))
            break;
    }
}

void TIMDBMovie::GetMovieDirectors()
{
    readCreditList(def(K::IMDB_DIRECTOR_START_TAG), def(K::IMDB_DIRECTOR_END_TAG), RoleDirector);
}

void TIMDBMovie::GetMovieWriters()
{
    readCreditList(def(K::IMDB_WRITING_START_TAG), def(K::IMDB_WRITING_END_TAG), RoleWriting);
}

void TIMDBMovie::GetMovieProducers()
{
    readCreditList(def(K::IMDB_PRODUCER_START_TAG), def(K::IMDB_PRODUCER_END_TAG), RoleProducer);
}

void TIMDBMovie::GetMovieComposers()
{
    const QString begin = def(K::IMDB_MUSIC_BEGIN_TAG);
    if (!HasMarker(Webpage, begin))
        return;
    QString text = CutAt(Webpage, begin);
    const qsizetype endAt = MarkerPos(text, def(K::IMDB_MUSIC_END_TAG));
    if (endAt >= 0)
        text = text.left(endAt + 2);
    text = RemoveEvery(RemoveEvery(text, QStringLiteral("\n")), QStringLiteral("\r"));
    for (const DefKey removal : {K::IMDB_PERSON_REMOVE1, K::IMDB_PERSON_REMOVE2}) {
        if (!def(removal).trimmed().isEmpty())
            text = RemoveEvery(text, def(removal));
    }
    const QString link = def(K::IMDB_PERSON_PREPOSITION_TAG);
    const QString creditBegin = def(K::IMDB_CREDIT_BEGIN_TAG);
    QString rest = text;
    while (HasMarker(rest, creditBegin)) {
        rest = CutAt(rest, link);
        const QString entry = ThroughFirstCharOf(rest, def(K::IMDB_CREDIT_END_TAG));
        if (entry.isEmpty())
            break;
        const QString personId = TextBefore(RemoveFirst(entry, link), QStringLiteral("/"));
        const qsizetype nameAt = entry.indexOf(QLatin1String("/\">"));
        if (nameAt >= 0) {
            QString name = RemoveFirst(entry.mid(nameAt), QStringLiteral("/\">"));
            name = TrimText(RemoveFirst(DecodeHtmlEntities(name), QStringLiteral("<")));
            TIMDBMovieCast member(personId, name);
            member.Role.Id = RoleOriginalMusic;
            member.Role.Name = roleName(RoleOriginalMusic);
            CreditsCollection << member;
        }
        rest = CutAfter(rest, creditBegin);
    }
}
