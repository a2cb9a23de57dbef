#include "online/IMDBDatabaseDatamodule.h"

#include "core/GlobalFunctions.h"
#include "database/DM1_u.h"
#include "database/FbError.h"
#include "database/FbQuery.h"
#include "database/ImageStore.h"
#include "database/RecordHelpers.h"
#include "database/SortTitles.h"
#include "online/IMDBConstantsUnit.h"
#include "online/IMDBHelperClassUnit.h"

#include <QCoreApplication>
#include <QDate>
#include <QFile>

#include <cmath>
#include <stdexcept>

namespace {

constexpr int NotFound = TIMDBDatabaseModule::NotFound;

const QString sqlPersonLookup = QStringLiteral("SELECT\nPERSON_ID, PICTURE, NAME\nFROM\nPERSON\nWHERE\nIMDBID=:IMDBID");
const QString sqlAddPerson = QStringLiteral("insert into CASTCREW\n"
                                            "(MOVIE_ID, PERSON_ID, ROLE_ID, LISTINDEX, CHARACTERNAME, LEADROLE)\n"
                                            "values\n"
                                            "(:MOVIE_ID, :PERSON_ID, :ROLE_ID, :LISTINDEX, :CHARACTERNAME, :LEADROLE)");

const QString zeroDateText = QStringLiteral("1899-12-30");

FbConnection &connection()
{
    return DM1().MainConnection;
}

// Keeps the download window painting between statements.
void pumpMessages()
{
    QCoreApplication::processEvents();
}

// An IMDb id ("tt0100001", "nm1000001", "0100001") as its number; -1 when it holds no digits.
qint64 imdbNumber(const QString &id)
{
    bool ok = false;
    const qint64 number = DigitsOnly(id).toLongLong(&ok);
    return ok ? number : -1;
}

QString sqlPart(const QString &text)
{
    return text;
}

QString sqlPart(qint64 number)
{
    return QString::number(number);
}

// Fills the place markers of a statement in one pass, so a value that itself holds "%1" stays as
// it is (chained arg() calls would fill that too).
template <typename... Values> QString fillSql(const QString &statement, const Values &...values)
{
    return statement.arg(sqlPart(values)...);
}

// The id as an SQL number (leading zeros fall away), or NULL when it holds no number.
QString imdbNumberLiteral(const QString &id)
{
    const qint64 number = imdbNumber(id);
    return number < 0 ? QStringLiteral("NULL") : QString::number(number);
}

// A "YYYY-MM-DD" text as a date; anything else is the empty date, so a missing or garbled date
// never makes the engine refuse the row.
QDate dateOrZero(const QString &text)
{
    const QDate date = QDate::fromString(TrimText(text), QStringLiteral("yyyy-MM-dd"));
    return date.isValid() ? date : ZeroDateTime().date();
}

QString dateLiteral(const QString &text)
{
    return SqlDate(dateOrZero(text));
}

// The rating as an SQL number; 0 when the page gave none.
QString ratingLiteral(const QString &rating)
{
    QString text = TrimText(rating);
    text.replace(QLatin1Char(','), QLatin1Char('.'));
    bool ok = false;
    const double value = text.toDouble(&ok);
    return ok ? QString::number(value) : QStringLiteral("0");
}

// A barcode as typed may hold blanks and dashes between its digits; the column holds 13
// characters, enough for the digits but not always for what was typed.
QString barcodeDigits(const QString &barcode)
{
    return LimitText(KeepAlphanumerics(barcode), 13);
}

int runtimeMinutes(const QString &runtime)
{
    bool ok = false;
    const int minutes = TrimText(runtime).toInt(&ok);
    return ok ? minutes : 0;
}

bool isLeadRole(const QString &personId, const QStringList &leadRoles)
{
    if (imdbNumber(personId) < 0)
        return false;
    const QString number = QString::number(imdbNumber(personId));
    for (const QString &lead : leadRoles) {
        if (QString::number(imdbNumber(lead)) == number)
            return true;
    }
    return false;
}

// The target parameter of the translation service for the program language; empty when the
// language has none.
QString translationTarget()
{
    static const QList<std::pair<QString, QString>> targets{
        {QStringLiteral("spanish"), QStringLiteral("tl=es")}, {QStringLiteral("dutch"), QStringLiteral("tl=nl")},
        {QStringLiteral("french"), QStringLiteral("tl=fr")},  {QStringLiteral("german"), QStringLiteral("tl=de")},
        {QStringLiteral("italian"), QStringLiteral("tl=it")}, {QStringLiteral("portuguese"), QStringLiteral("tl=pt")}};
    const QString language =
        ReadSettingString(QStringLiteral("Language"), QString(), QStringLiteral("english")).toLower();
    for (const auto &[name, target] : targets) {
        if (language == name)
            return target;
    }
    return QString();
}

// Removes the text from marker on; unchanged when it is absent.
QString removeFrom(const QString &text, const QString &marker)
{
    const qsizetype at = MarkerPos(text, marker);
    return at < 0 ? text : text.left(at);
}

} // namespace

QStringList SplitIntoTranslationPieces(const QString &text, int wordsPerPiece)
{
    QStringList pieces;
    QString rest = text;
    for (;;) {
        int words = 0;
        qsizetype end = -1;
        for (qsizetype i = 1; i < rest.size(); ++i) {
            if (rest.at(i) == QLatin1Char(' ') && rest.at(i - 1) != QLatin1Char(' ') && ++words == wordsPerPiece) {
                end = i;
                break;
            }
        }
        if (end < 0)
            break;
        pieces << rest.left(end);
        rest = rest.mid(end).trimmed();
    }
    if (!rest.isEmpty())
        pieces << rest;
    return pieces;
}

QString ReadTranslationAnswer(const QString &answer)
{
    if (!HasMarker(answer, Definition(DefKey::BABEL_VERIFY)))
        return QString();
    const QString head = Definition(DefKey::BABEL_HEAD_TAG);
    // The head marker ends one character before the end of its tag.
    QString text = HasMarker(answer, head) ? CutAfter(answer, head).mid(1) : answer;
    text = removeFrom(text, Definition(DefKey::BABEL_BOTTOM_TAG));
    text = CutAfter(text, Definition(DefKey::BABEL_START_TAG));
    text = removeFrom(text, Definition(DefKey::BABEL_END_TAG));
    text = TrimText(text);
    text.remove(QChar(0));
    return text;
}

QString SeasonPageAddress(const QString &imdbId, int season)
{
    const QString padded = DigitsOnly(imdbId).rightJustified(7, QLatin1Char('0'));
    // The title addresses take the id with its "tt" (".../title/%s/"), as the search gives it.
    const QString id = QStringLiteral("tt") + padded;
    QString address = Definition(DefKey::IMDB_SEASON_URL);
    const qsizetype at = address.indexOf(QLatin1String("%s"), 0, Qt::CaseInsensitive);
    if (at >= 0)
        address.replace(at, 2, id);
    const QString second = Definition(DefKey::IMDB_SEASON_URL_2);
    if (!second.trimmed().isEmpty())
        address += QString(second).replace(QLatin1String("%s"), QString::number(season), Qt::CaseInsensitive);
    return address;
}

QList<TSeasonEpisode> ReadSeasonEpisodes(const QString &page, int season)
{
    QString rest = page;
    const QString seasonName = Definition(DefKey::IMDB_SEASON_NAME_TAG) + QString::number(season);
    if (HasMarker(rest, seasonName)) {
        rest = CutAfter(rest, seasonName);
        rest = CutAt(rest, Definition(DefKey::IMDB_SEASON_BEGIN_TAG));
        rest = ThroughFirstCharOf(rest, Definition(DefKey::IMDB_SEASON_END_TAG));
    }
    const QString episodeBegin = Definition(DefKey::IMDB_EPSIODE_BEGIN_TAG);
    const QString title1 = Definition(DefKey::IMDB_EPISODE_TITLE1_TAG);
    const QString airDate1 = Definition(DefKey::IMDB_EPISODE_AIRDATE1_TAG);
    const QString plot1 = Definition(DefKey::IMDB_EPISODE_PLOT1_TAG);

    QList<TSeasonEpisode> episodes;
    while (HasMarker(rest, episodeBegin)) {
        // Each step must move on, or a page without the inner markers would never end.
        if (!HasMarker(rest, title1) && !HasMarker(rest, airDate1) && !HasMarker(rest, plot1))
            break;
        TSeasonEpisode episode;
        rest = CutAfter(rest, title1);
        episode.Name =
            LimitText(DecodeHtmlEntities(TextBefore(rest, Definition(DefKey::IMDB_EPISODE_TITLE2_TAG))), 100);
        rest = CutAfter(rest, airDate1);
        // The air-date marker ends inside its tag: what is left of the tag is not part of the date.
        const QString airDate =
            ParseTextDate(AfterFirstGreater(TextBefore(rest, Definition(DefKey::IMDB_EPISODE_AIRDATE2_TAG))));
        episode.AirDate = dateOrZero(airDate).toString(QStringLiteral("yyyy-MM-dd"));
        rest = CutAfter(rest, plot1);
        episode.Plot = TrimText(TextBefore(rest, Definition(DefKey::IMDB_EPISODE_PLOT2_TAG)));
        episodes << episode;
    }
    return episodes;
}

// --- Statements ---

bool TIMDBDatabaseModule::tryExec(const QString &sql)
{
    try {
        exec(sql);
        return true;
    } catch (const FbError &) {
        return false;
    }
}

void TIMDBDatabaseModule::exec(const QString &sql)
{
    try {
        FbQuery::execute(connection(), sql);
    } catch (const FbError &) {
        pumpMessages();
        throw;
    }
    pumpMessages();
}

int TIMDBDatabaseModule::scalarInt(const QString &sql)
{
    try {
        const QVariant value = FbQuery::scalar(connection(), sql);
        pumpMessages();
        return value.isNull() ? NotFound : static_cast<int>(std::llround(value.toDouble()));
    } catch (const FbError &) {
        return NotFound;
    }
}

bool TIMDBDatabaseModule::hasRow(const QString &sql)
{
    try {
        FbQuery query(connection());
        query.setSql(sql);
        query.open();
        const bool found = query.next();
        query.close();
        pumpMessages();
        return found;
    } catch (const FbError &) {
        return false;
    }
}

int TIMDBDatabaseModule::GetUniqueID(const QString &ATablename, const QString &AIDFieldName)
{
    const int key = NextKeyInt(ATablename, AIDFieldName);
    return key < 0 ? 0 : key;
}

void TIMDBDatabaseModule::StartTransaction()
{
    if (!connection().inTransaction())
        connection().startTransaction();
}

void TIMDBDatabaseModule::CommitTransaction()
{
    connection().commitRetaining();
}

void TIMDBDatabaseModule::RollbackTransaction()
{
    try {
        if (connection().inTransaction())
            connection().rollbackRetaining();
    } catch (const FbError &) {
        // Nothing more can be undone; the caller already knows the title failed.
    }
}

// --- Lookup lists ---

// Names are looked up as they will be stored (cut, without regard to case), so a long name or a
// different case finds its row again instead of adding a double.
int TIMDBDatabaseModule::lookupByName(const QString &table, const QString &idField, const QString &name, int limit)
{
    return scalarInt(QStringLiteral("SELECT %1 FROM %2 WHERE lower(NAME)=lower(%3)")
                         .arg(idField, table, QuotedStr(LimitText(name, limit))));
}

int TIMDBDatabaseModule::insertLookup(const QString &table, const QString &idField, const QString &name, int limit)
{
    try {
        const int key = GetUniqueID(table, idField);
        if (key <= 0)
            return NotFound;
        const QString stored = CapitalizeWords(LimitText(name, limit));
        return tryExec(QStringLiteral("INSERT INTO %1 (%2, NAME) VALUES (%3, %4)")
                           .arg(table, idField)
                           .arg(key)
                           .arg(QuotedStr(stored)))
                   ? key
                   : NotFound;
    } catch (const KeyRangeError &) {
        return NotFound;
    }
}

int TIMDBDatabaseModule::GetGenreId(const QString &AName)
{
    return lookupByName(QStringLiteral("GENRELIST"), QStringLiteral("GENRE_ID"), AName, 30);
}

int TIMDBDatabaseModule::InsertGenre(const QString &AName)
{
    return insertLookup(QStringLiteral("GENRELIST"), QStringLiteral("GENRE_ID"), AName, 30);
}

int TIMDBDatabaseModule::GetKeywordId(const QString &AName)
{
    return lookupByName(QStringLiteral("KEYWORDLIST"), QStringLiteral("KEYWORD_ID"), AName, 30);
}

int TIMDBDatabaseModule::InsertKeyword(const QString &AName)
{
    return insertLookup(QStringLiteral("KEYWORDLIST"), QStringLiteral("KEYWORD_ID"), AName, 30);
}

int TIMDBDatabaseModule::GetCertificationId(const QString &AName)
{
    return lookupByName(QStringLiteral("CERTIFICATIONLIST"), QStringLiteral("CERTIFICATION_ID"), AName, 20);
}

int TIMDBDatabaseModule::InsertCertification(const QString &AName)
{
    return insertLookup(QStringLiteral("CERTIFICATIONLIST"), QStringLiteral("CERTIFICATION_ID"), AName, 20);
}

int TIMDBDatabaseModule::GetCountryId(const QString &AName)
{
    return lookupByName(QStringLiteral("COUNTRYLIST"), QStringLiteral("COUNTRY_ID"), AName, 50);
}

int TIMDBDatabaseModule::InsertCountry(const QString &AName)
{
    return insertLookup(QStringLiteral("COUNTRYLIST"), QStringLiteral("COUNTRY_ID"), AName, 50);
}

int TIMDBDatabaseModule::GetLanguageId(const QString &AName)
{
    return lookupByName(QStringLiteral("LANGUAGELIST"), QStringLiteral("LANGUAGE_ID"), AName, 50);
}

int TIMDBDatabaseModule::InsertLanguage(const QString &AName)
{
    return insertLookup(QStringLiteral("LANGUAGELIST"), QStringLiteral("LANGUAGE_ID"), AName, 50);
}

int TIMDBDatabaseModule::GetTechnicalDataId(const QString &AName)
{
    return lookupByName(QStringLiteral("TECHNICALDATALIST"), QStringLiteral("TECHNICALDATA_ID"), AName, 70);
}

int TIMDBDatabaseModule::InsertTechnicalData(const QString &AName)
{
    return insertLookup(QStringLiteral("TECHNICALDATALIST"), QStringLiteral("TECHNICALDATA_ID"), AName, 70);
}

int TIMDBDatabaseModule::getOrCreate(LookupFunction get, LookupFunction insert, const QString &name)
{
    const int existing = (this->*get)(name);
    return existing != NotFound ? existing : (this->*insert)(name);
}

// --- Link rows ---

bool TIMDBDatabaseModule::GenreIsLinkedToMovie(int AMovieId, int AGenreId)
{
    return hasRow(QStringLiteral("SELECT * FROM GENRE WHERE MOVIE_ID=%1 AND GENRE_ID=%2").arg(AMovieId).arg(AGenreId));
}

bool TIMDBDatabaseModule::AddGenreToMovie(int AMovieId, int AGenreId)
{
    if (GenreIsLinkedToMovie(AMovieId, AGenreId))
        return false;
    return tryExec(
        QStringLiteral("INSERT INTO GENRE (MOVIE_ID, GENRE_ID) VALUES (%1, %2)").arg(AMovieId).arg(AGenreId));
}

bool TIMDBDatabaseModule::KeywordIsLinkedToMovie(int AMovieId, int AKeywordId)
{
    return hasRow(
        QStringLiteral("SELECT * FROM KEYWORD WHERE MOVIE_ID=%1 AND KEYWORD_ID=%2").arg(AMovieId).arg(AKeywordId));
}

bool TIMDBDatabaseModule::AddKeywordToMovie(int AMovieId, int AKeywordId)
{
    if (KeywordIsLinkedToMovie(AMovieId, AKeywordId))
        return false;
    return tryExec(
        QStringLiteral("INSERT INTO KEYWORD (MOVIE_ID, KEYWORD_ID) VALUES (%1, %2)").arg(AMovieId).arg(AKeywordId));
}

bool TIMDBDatabaseModule::AddFilmingLocationToMovie(int AMovieId, int AAutoIndex, const QString &AFilmingLocation)
{
    return tryExec(QStringLiteral("INSERT INTO FILMINGLOCATION (MOVIE_ID, AUTOINDEX, NAME) VALUES (%1, %2, %3)")
                       .arg(AMovieId)
                       .arg(AAutoIndex)
                       .arg(QuotedStr(LimitText(AFilmingLocation, 150))));
}

bool TIMDBDatabaseModule::AddAwardsToMovie(int AMovieID, const TIMDBAward &MovieAward)
{
    return tryExec(fillSql(QStringLiteral("insert into MOVIEAWARDS (MOVIE_ID, AUTOINDEX, ORGANIZATION, NAME, "
                                          "AWARDYEAR, CATEGORY, NOTE, RESULT) values (%1, %2, %3, %4, %5, %6, %7, %8)"),
                           qint64(AMovieID), qint64(MovieAward.Id), QuotedStr(MovieAward.Organization()),
                           QuotedStr(MovieAward.AwardName()), qint64(MovieAward.AwardYear()),
                           QuotedStr(MovieAward.Category()), QuotedStr(MovieAward.Note()),
                           qint64(MovieAward.AwardResult())));
}

bool TIMDBDatabaseModule::AddAwardRecipientToMovie(int AMovieID, int AAuotIndex, int APersonId,
                                                   const QString &APersonNote)
{
    return tryExec(
        QStringLiteral("insert into MOVIEAWARDS_PERSON (MOVIE_ID, AUTOINDEX, PERSON_ID, NOTE) values (%1, %2, %3, %4)")
            .arg(AMovieID)
            .arg(AAuotIndex)
            .arg(APersonId)
            .arg(QuotedStr(LimitText(APersonNote, 50))));
}

bool TIMDBDatabaseModule::AddTechnicalDataToMovie(int AMovieID, int TechnicalDataId, const TIMDBTechData &TechnicalData)
{
    return tryExec(QStringLiteral("insert into TECHNICALDATA (MOVIE_ID, AUTOINDEX, TECHNICALDATA_ID, DATAVALUE) "
                                  "values (%1, %2, %3, %4)")
                       .arg(AMovieID)
                       .arg(TechnicalData.Id)
                       .arg(TechnicalDataId)
                       .arg(QuotedStr(TechnicalData.DataValue())));
}

bool TIMDBDatabaseModule::AddSoundtrackToMovie(int AMovieID, const TIMDBSoundtrack &Soundtrack)
{
    return tryExec(
        QStringLiteral("insert into SOUNDTRACK (MOVIE_ID, AUTOINDEX, TITLE, PERFORMER) values (%1, %2, %3, %4)")
            .arg(AMovieID)
            .arg(Soundtrack.Id)
            .arg(QuotedStr(Soundtrack.Title()), QuotedStr(Soundtrack.Performer())));
}

bool TIMDBDatabaseModule::ActorIsLinkedToMovieAndRole(int AMovieId, int APersonId, const QString &ACharacterName)
{
    return hasRow(QStringLiteral("SELECT MOVIE_ID, PERSON_ID FROM CASTCREW WHERE MOVIE_ID=%1 AND PERSON_ID=%2 AND "
                                 "CHARACTERNAME=%3")
                      .arg(AMovieId)
                      .arg(APersonId)
                      .arg(QuotedStr(ACharacterName)));
}

namespace {

bool addCastCrewRow(int movieId, int personId, int roleId, int listIndex, const QString &characterName, bool leadRole)
{
    try {
        FbQuery query(connection());
        query.setSql(sqlAddPerson);
        query.setParam(QStringLiteral("MOVIE_ID"), movieId);
        query.setParam(QStringLiteral("PERSON_ID"), personId);
        query.setParam(QStringLiteral("ROLE_ID"), roleId);
        query.setParam(QStringLiteral("LISTINDEX"), listIndex);
        // An empty text, not NULL: the link guards compare the character name.
        query.setParam(QStringLiteral("CHARACTERNAME"), characterName.isNull() ? QStringLiteral("") : characterName);
        query.setParam(QStringLiteral("LEADROLE"), leadRole ? 1 : 0);
        query.exec();
        pumpMessages();
        return true;
    } catch (const FbError &) {
        pumpMessages();
        return false;
    }
}

} // namespace

bool TIMDBDatabaseModule::AddActorToMovie(int AMovieId, int APersonId, int AListIndex, const QString &ACharacterName,
                                          bool ALeadRole)
{
    if (ActorIsLinkedToMovieAndRole(AMovieId, APersonId, ACharacterName))
        return false;
    return addCastCrewRow(AMovieId, APersonId, 0, AListIndex, ACharacterName, ALeadRole);
}

bool TIMDBDatabaseModule::PersonIsLinkedToMovieAndRole(int AMovieId, int APersonId, int ARoleId)
{
    return hasRow(QStringLiteral("SELECT * FROM CASTCREW WHERE MOVIE_ID=%1 AND PERSON_ID=%2 AND ROLE_ID=%3 AND "
                                 "CHARACTERNAME=%4")
                      .arg(AMovieId)
                      .arg(APersonId)
                      .arg(ARoleId)
                      .arg(QuotedStr(QString())));
}

bool TIMDBDatabaseModule::AddPersonRoleToMovie(int AMovieId, int APersonId, int ARoleId, int AListIndex)
{
    if (PersonIsLinkedToMovieAndRole(AMovieId, APersonId, ARoleId))
        return false;
    return addCastCrewRow(AMovieId, APersonId, ARoleId, AListIndex, QString(), false);
}

int TIMDBDatabaseModule::GetNewCastCrewListIndex(int ARoleId, int AMovieId)
{
    const QString sql =
        ARoleId == 0
            ? QStringLiteral(
                  "SELECT MAX(LISTINDEX) as MAX_LISTINDEX_VALUE FROM CASTCREW WHERE ROLE_ID=0 AND MOVIE_ID=%1;")
            : QStringLiteral(
                  "SELECT MAX(LISTINDEX) as MAX_LISTINDEX_VALUE FROM CASTCREW WHERE ROLE_ID>0 AND MOVIE_ID=%1;");
    const int maximum = scalarInt(sql.arg(AMovieId));
    return maximum == NotFound ? 1 : maximum + 1;
}

// --- Persons ---

bool TIMDBDatabaseModule::GetPersonId2(const TIMDBPerson &APerson, int &PersonId, bool &GotPicture)
{
    PersonId = NotFound;
    GotPicture = false;
    const qint64 number = imdbNumber(APerson.Id);
    if (number >= 0) {
        try {
            FbQuery query(connection());
            query.setSql(sqlPersonLookup);
            query.setParam(QStringLiteral("IMDBID"), number);
            query.open();
            if (query.next()) {
                PersonId = static_cast<int>(std::llround(query.value(QStringLiteral("PERSON_ID")).toDouble()));
                GotPicture = !query.value(QStringLiteral("PICTURE")).toByteArray().isEmpty();
            }
            query.close();
            pumpMessages();
        } catch (const FbError &) {
            PersonId = NotFound;
        }
    }
    if (PersonId == NotFound)
        PersonId = InsertPerson(APerson);
    return PersonId != NotFound;
}

int TIMDBDatabaseModule::GetPersonId(const TIMDBPerson &APerson)
{
    int personId = NotFound;
    bool gotPicture = false;
    GetPersonId2(APerson, personId, gotPicture);
    return personId;
}

int TIMDBDatabaseModule::GetPersonId(const QString &AIMDBID)
{
    const qint64 number = imdbNumber(AIMDBID);
    if (number < 0)
        return NotFound;
    return scalarInt(QStringLiteral("SELECT PERSON_ID FROM PERSON WHERE IMDBID=%1").arg(number));
}

int TIMDBDatabaseModule::InsertPerson(const TIMDBPerson &APerson)
{
    // A person without a number could never be matched again: it is not stored.
    const qint64 number = imdbNumber(APerson.Id);
    if (number < 0)
        return NotFound;
    try {
        const int key = GetUniqueID(QStringLiteral("PERSON"), QStringLiteral("PERSON_ID"));
        if (key > 0 &&
            tryExec(fillSql(QStringLiteral("INSERT INTO PERSON (PERSON_ID, NAME, IMDBID) VALUES (%1, %2, %3)"),
                            qint64(key), QuotedStr(LimitText(APerson.Name, 100)), number)))
            return key;
    } catch (const KeyRangeError &) {
    }
    return GetPersonId(APerson.Id);
}

void TIMDBDatabaseModule::storePersonPicture(int personId, const QString &address)
{
    if (!address.trimmed().isEmpty())
        StoreImageFile(QStringLiteral("PERSON"), QStringLiteral("PERSON_ID"), QStringLiteral("PICTURE"), true, personId,
                       address);
    pumpMessages();
}

// --- Media and movies ---

bool TIMDBDatabaseModule::storeCover(const TIMDBMovie &movie, int mediaId)
{
    const QString file = movie.CoverLocalFilename;
    if (file.isEmpty() || !QFile::exists(file))
        return false;
    const bool stored = StoreCoverFile(file, QStringLiteral("FRONTCOVER_BLOB"), mediaId);
    pumpMessages();
    return stored;
}

void TIMDBDatabaseModule::deleteCoverFile(const TIMDBMovie &movie)
{
    if (!movie.CoverLocalFilename.isEmpty())
        QFile::remove(movie.CoverLocalFilename);
}

int TIMDBDatabaseModule::InsertMedia(TIMDBMovie &AMovie, int AMediaTypeId, int ARegionCode)
{
    try {
        const int mediaId = GetUniqueID(QStringLiteral("MEDIA"), QStringLiteral("MEDIA_ID"));
        if (mediaId <= 0)
            return NotFound;
        const QString title = LimitText(AMovie.Title, 100);
        exec(
            fillSql(QStringLiteral("INSERT INTO MEDIA (MEDIA_ID, MEDIATYPE_ID, TITLE, TITLESORT, MEDIATIME, NOOFDISCS, "
                                   "SEQNUMBER, REGIONCODE, UPC, DATE_ADDED, DATE_MODIFIED) VALUES (%1, %2, %3, %4, %5, "
                                   "%6, %7, %8, %9, CURRENT_DATE, CURRENT_DATE)"),
                    qint64(mediaId), qint64(AMediaTypeId), QuotedStr(title), QuotedStr(MakeSortTitle(title)), qint64(0),
                    qint64(1), qint64(AMovie.SeqNumber), qint64(ARegionCode), QuotedStr(barcodeDigits(AMovie.UPC))));
        exec(QStringLiteral("insert into MEDIA_GFX (MEDIA_ID) values (") + QString::number(mediaId) +
             QStringLiteral(")"));
        storeCover(AMovie, mediaId);
        return mediaId;
    } catch (const std::runtime_error &e) {
        // An engine error or a key out of range: the caller reports it.
        LastError = QString::fromStdString(e.what());
        return NotFound;
    }
}

int TIMDBDatabaseModule::InsertMovie(TIMDBMovie &AMovie, int AMediaTypeId, int ARegionCode)
{
    LastError.clear();
    // MEDIA goes into the same transaction as the rest, so a failure takes it back too.
    try {
        StartTransaction();
    } catch (const FbError &e) {
        LastError = e.message();
        return NotFound;
    }
    int movieId = NotFound;
    try {
        const int mediaId = InsertMedia(AMovie, AMediaTypeId, ARegionCode);
        if (mediaId == NotFound)
            throw std::runtime_error("the medium was refused");
        movieId = GetUniqueID(QStringLiteral("MOVIE"), QStringLiteral("MOVIE_ID"));
        if (movieId <= 0)
            throw std::runtime_error("no movie number");
        const int countryId =
            getOrCreate(&TIMDBDatabaseModule::GetCountryId, &TIMDBDatabaseModule::InsertCountry, AMovie.Country);
        const int languageId =
            getOrCreate(&TIMDBDatabaseModule::GetLanguageId, &TIMDBDatabaseModule::InsertLanguage, AMovie.Language);
        const int certificationId = getOrCreate(&TIMDBDatabaseModule::GetCertificationId,
                                                &TIMDBDatabaseModule::InsertCertification, AMovie.MPAA);

        const QString plotOutline = TranslateText(AMovie.PlotOutline);
        const QString plot = AMovie.Plot.trimmed().isEmpty() ? plotOutline : TranslateText(AMovie.Plot);
        const QString trivia = TranslateText(AMovie.TriviaText);
        if (AMovie.AltTitle.trimmed().isEmpty())
            AMovie.AltTitle = AMovie.Title;
        QString title = AMovie.Title;
        // Without an original title the movie would lose its name.
        if (ReadSettingBool(QStringLiteral("UseOriginalTitleAsTitle"), QStringLiteral("Options"), false) &&
            !AMovie.OriginalTitle.trimmed().isEmpty())
            title = AMovie.OriginalTitle;
        title = LimitText(title, 100);
        const QString originalTitle = LimitText(AMovie.OriginalTitle, 100);

        FbQuery insert(connection());
        // Long texts go as parameters: an embedded literal has a length limit the trivia can pass.
        insert.setSql(fillSql(
            QStringLiteral("INSERT INTO MOVIE (MOVIE_ID, MEDIA_ID, IMDBID, TITLE, ORIGTITLE, TITLESORT, ORIGTITLESORT, "
                           "LISTINDEX, MOVIETIME, COUNTRY_ID, TAGLINE, DISCNO, PRODUCTIONYEAR, CERTIFICATION_ID, PLOT, "
                           "PLOTOUTLINE, TRIVIA, IMDBRATING, CLIPPATH, ORIGINAL_LANGUAGE_ID, THEATERDATE) VALUES (%1, "
                           "%2, %3, %4, %5, %6, %7, %8, %9, %10, %11, %12, %13, %14, :PLOT, %15, :TRIVIA, %16, %17, "
                           "%18, %19)"),
            qint64(movieId), qint64(mediaId), imdbNumberLiteral(AMovie.Id), QuotedStr(title), QuotedStr(originalTitle),
            QuotedStr(MakeSortTitle(title)), QuotedStr(MakeSortTitle(originalTitle)), qint64(GetNewMovieListIndex()),
            qint64(runtimeMinutes(AMovie.Runtime)), qint64(countryId), QuotedStr(LimitText(AMovie.Tagline, 255)),
            qint64(1), QuotedStr(LimitText(AMovie.Year, 4)), qint64(certificationId),
            QuotedStr(LimitText(plotOutline, 255)), ratingLiteral(AMovie.Rating),
            QuotedStr(LimitText(AMovie.Trailer, 255)), qint64(languageId), dateLiteral(AMovie.TheatreDate)));
        insert.setTextBlobParam(QStringLiteral("PLOT"), plot);
        insert.setTextBlobParam(QStringLiteral("TRIVIA"), trivia);
        insert.exec();
        pumpMessages();

        storeMovieDetails(AMovie, movieId);
        deleteCoverFile(AMovie);
        CommitTransaction();
        return movieId;
    } catch (const std::exception &e) {
        if (LastError.isEmpty())
            LastError = QString::fromStdString(e.what());
        RollbackTransaction();
        deleteCoverFile(AMovie);
        return NotFound;
    }
}

void TIMDBDatabaseModule::storeMovieDetails(TIMDBMovie &movie, int movieId)
{
    for (const QString &genre : std::as_const(movie.GenreCollection)) {
        const int genreId = getOrCreate(&TIMDBDatabaseModule::GetGenreId, &TIMDBDatabaseModule::InsertGenre, genre);
        if (genreId != NotFound)
            AddGenreToMovie(movieId, genreId);
    }
    for (const QString &location : std::as_const(movie.FilmingLocationsCollection))
        AddFilmingLocationToMovie(movieId, GetUniqueID(QStringLiteral("FILMINGLOCATION"), QStringLiteral("AUTOINDEX")),
                                  location);
    for (const QString &keyword : std::as_const(movie.KeywordsCollection)) {
        const int keywordId =
            getOrCreate(&TIMDBDatabaseModule::GetKeywordId, &TIMDBDatabaseModule::InsertKeyword, keyword);
        if (keywordId != NotFound)
            AddKeywordToMovie(movieId, keywordId);
    }
    storeCast(movie, movieId);
    storeCrew(movie, movieId);
    storeAwards(movie, movieId);
    for (const TIMDBTechData &item : std::as_const(movie.TechnicalDataCollection)) {
        const int labelId = getOrCreate(&TIMDBDatabaseModule::GetTechnicalDataId,
                                        &TIMDBDatabaseModule::InsertTechnicalData, item.Data());
        if (labelId != NotFound)
            AddTechnicalDataToMovie(movieId, labelId, item);
    }
    for (const TIMDBSoundtrack &song : std::as_const(movie.SoundtrackCollection))
        AddSoundtrackToMovie(movieId, song);
}

void TIMDBDatabaseModule::storeCast(const TIMDBMovie &movie, int movieId)
{
    const int base = GetNewCastCrewListIndex(0, movieId);
    const int maxPictures =
        ReadSettingInteger(QStringLiteral("MaxCastImgToDownload"), QStringLiteral("Movie Query"), 10);
    for (int p = 0; p < movie.CastCollection.size(); ++p) {
        const TIMDBMovieCast &member = movie.CastCollection.at(p);
        int personId = NotFound;
        bool gotPicture = false;
        if (!GetPersonId2(member.MoviePerson, personId, gotPicture))
            continue;
        AddActorToMovie(movieId, personId, base + p, LimitText(member.MovieRole, 100),
                        isLeadRole(member.MoviePerson.Id, movie.CastStarsCollection));
        if (p <= maxPictures && !gotPicture)
            storePersonPicture(personId, member.MoviePerson.ImageUrl);
    }
}

void TIMDBDatabaseModule::storeCrew(const TIMDBMovie &movie, int movieId)
{
    for (const TIMDBMovieCast &member : movie.CreditsCollection) {
        if (member.MoviePerson.Name.trimmed().isEmpty())
            continue;
        int personId = NotFound;
        bool gotPicture = false;
        if (!GetPersonId2(member.MoviePerson, personId, gotPicture))
            continue;
        AddPersonRoleToMovie(movieId, personId, member.Role.Id, GetNewCastCrewListIndex(member.Role.Id, movieId));
        if (!gotPicture)
            storePersonPicture(personId, member.MoviePerson.ImageUrl);
    }
}

void TIMDBDatabaseModule::storeAwards(const TIMDBMovie &movie, int movieId)
{
    for (const TIMDBAward &award : movie.AwardsCollection) {
        AddAwardsToMovie(movieId, award);
        for (const TIMDBAwardRecipient &recipient : award.Recipients) {
            if (recipient.AwardPerson.Name.trimmed().isEmpty())
                continue;
            const int personId = GetPersonId(recipient.AwardPerson);
            if (personId != NotFound)
                AddAwardRecipientToMovie(movieId, award.Id, personId, recipient.Note());
        }
    }
}

bool TIMDBDatabaseModule::AddMovieToWantList(TIMDBMovie &AMovie)
{
    LastError.clear();
    try {
        StartTransaction();
        const int key = GetUniqueID(QStringLiteral("WANTLIST"), QStringLiteral("AUTOINDEX"));
        if (key <= 0)
            throw std::runtime_error("no wish-list number");
        if (AMovie.AltTitle.trimmed().isEmpty())
            AMovie.AltTitle = AMovie.Title;
        FbQuery insert(connection());
        insert.setSql(QStringLiteral(
            "insert into WANTLIST (AUTOINDEX, TITLE, IMDBID, MEDIATYPE_ID, SERIESNAME, SEASON, PRIORITY, RELEASEDATE, "
            "CLIPPATH, THEATREDATE, DATE_ADDED, DATE_MODIFIED)  values (:AUTOINDEX, :TITLE, :IMDBID, :MEDIATYPE_ID, "
            ":SERIESNAME, :SEASON, :PRIORITY, :RELEASEDATE, :CLIPPATH, :THEATREDATE, CURRENT_DATE, CURRENT_DATE)"));
        const qint64 imdbId = imdbNumber(AMovie.Id);
        insert.setParam(QStringLiteral("AUTOINDEX"), key);
        insert.setParam(QStringLiteral("TITLE"), LimitText(AMovie.AltTitle, 150));
        insert.setParam(QStringLiteral("IMDBID"), imdbId < 0 ? QVariant() : QVariant(imdbId));
        insert.setParam(QStringLiteral("MEDIATYPE_ID"), AMovie.MediaTypeId);
        insert.setParam(QStringLiteral("SERIESNAME"), LimitText(AMovie.SeriesName, 75));
        insert.setParam(QStringLiteral("SEASON"), AMovie.SeriesSeason);
        insert.setParam(QStringLiteral("PRIORITY"), AMovie.WI_Priority);
        insert.setParam(QStringLiteral("RELEASEDATE"), dateOrZero(AMovie.WI_ReleaseDate));
        insert.setParam(QStringLiteral("CLIPPATH"), LimitText(AMovie.Trailer, 255));
        insert.setParam(QStringLiteral("THEATREDATE"), dateOrZero(AMovie.TheatreDate));
        insert.exec();
        pumpMessages();
        if (!AMovie.CoverLocalFilename.isEmpty() && QFile::exists(AMovie.CoverLocalFilename))
            StoreImageFile(QStringLiteral("WANTLIST"), QStringLiteral("AUTOINDEX"), QStringLiteral("FRONTCOVER_BLOB"),
                           true, key, AMovie.CoverLocalFilename);
        CommitTransaction();
        return true;
    } catch (const std::exception &e) {
        LastError = QString::fromStdString(e.what());
        RollbackTransaction();
        deleteCoverFile(AMovie);
        return false;
    }
}

// --- Questions about the collection ---

void TIMDBDatabaseModule::GetAllMediaTypes(QList<TMediaType> *AMediaTypeCollection)
{
    if (!AMediaTypeCollection)
        throw std::invalid_argument("MediatypeCollector is unassigned. Contact support for help.");
    FbQuery query(connection());
    query.setSql(QStringLiteral("SELECT * FROM MEDIATYPE ORDER BY NAME ASC;"));
    query.open();
    while (query.next()) {
        TMediaType type;
        type.Id = query.value(QStringLiteral("MEDIATYPE_ID")).toInt();
        type.Name = query.value(QStringLiteral("NAME")).toString();
        type.Description = query.value(QStringLiteral("DESCRIPTION")).toString();
        type.SpecifyLength = query.value(QStringLiteral("SPECIFYLENGTH")).toInt() != 0;
        type.IsReadOnly = type.Id == 1;
        AMediaTypeCollection->append(type);
    }
    query.close();
}

bool TIMDBDatabaseModule::IdExistsInTable(const QString &ATablename, const QString &AIDFieldName, int AId)
{
    return hasRow(QStringLiteral("SELECT %1 FROM %2 WHERE %1=%3").arg(AIDFieldName, ATablename).arg(AId));
}

bool TIMDBDatabaseModule::MovieTitleExist(const QString &AMovieTitle)
{
    return hasRow(QStringLiteral("SELECT TITLE FROM MOVIE WHERE TITLE=%1").arg(QuotedStr(AMovieTitle)));
}

// --- Translation ---

QString TIMDBDatabaseModule::TranslateText(const QString &AText)
{
    if (!ReadSettingBool(QStringLiteral("TranslateTexts"), QStringLiteral("Options"), false))
        return AText;
    const QString target = translationTarget();
    if (target.isEmpty() || AText.trimmed().isEmpty())
        return AText;
    QStringList translated;
    for (const QString &piece : SplitIntoTranslationPieces(AText, 140)) {
        QString encoded = EncodeQueryText(piece);
        encoded.remove(QStringLiteral("%0D"));
        encoded.remove(QLatin1Char('\''));
        encoded.remove(QLatin1Char('"'));
        QString address = Definition(DefKey::BABEL_URL);
        address = FormatTemplate(FormatTemplate(address, target), encoded);
        const QString answer = ReadTranslationAnswer(FetchPage(address));
        pumpMessages();
        // The other pieces alone would lose this part of the text: it stays untranslated.
        if (answer.isEmpty())
            return AText;
        translated << answer;
    }
    const QString result = DecodeHtmlEntities(translated.join(QLatin1Char(' ')));
    return result.isEmpty() ? AText : result;
}

// --- Season episodes ---

bool TIMDBDatabaseModule::StoreSeasonEpisodes(const QString &AIMDBID, const QString &ASeriesName, int ASeason,
                                              bool AOnlyMissing, int AEpisodeLength, int AMovieId)
{
    const QString movie = QString::number(AMovieId);
    try {
        if (!AOnlyMissing) {
            exec(QStringLiteral("update MOVIE set   SERIESNAME = ") + QuotedStr(LimitText(ASeriesName, 100)) +
                 QStringLiteral(", SEASON = ") + QString::number(ASeason) + QStringLiteral("  where MOVIE_ID = ") +
                 movie);
            CommitTransaction();
        }
    } catch (const FbError &) {
        RollbackTransaction();
        return false;
    }

    const QString page = FetchPage(SeasonPageAddress(AIMDBID, ASeason));
    pumpMessages();
    if (page.isEmpty())
        return false;
    const QList<TSeasonEpisode> episodes = ReadSeasonEpisodes(page, ASeason);

    int length = AEpisodeLength;
    if (length == 0) {
        length = scalarInt(QStringLiteral("select MOVIETIME from MOVIE where MOVIE_ID = ") + movie);
        if (length == NotFound)
            length = 0;
    }

    bool stored = false;
    try {
        for (int i = 0; i < episodes.size(); ++i) {
            const TSeasonEpisode &episode = episodes.at(i);
            const QString number = QString::number(i + 1);
            if (AOnlyMissing) {
                const QString existing = QStringLiteral("select TVSERIES_ID from TVSERIES where MOVIE_ID = ") + movie +
                                         QStringLiteral(" and EPISODE = ") + number;
                try {
                    FbQuery query(connection());
                    query.setSql(existing);
                    query.open();
                    if (query.next())
                        continue;
                } catch (const FbError &) {
                    continue;
                }
            }
            const int key = NextKeyInt(QStringLiteral("TVSERIES"), QStringLiteral("TVSERIES_ID"));
            if (key <= 0)
                continue;
            FbQuery insert(connection());
            insert.setSql(QStringLiteral("insert into TVSERIES (TVSERIES_ID, MOVIE_ID, EPISODE, EPISODENAME, "
                                         "EPISODETIME, AIRDATE, LASTWATCHEDDATE, PLOT) values (") +
                          QStringList{QString::number(key), movie, number, QuotedStr(episode.Name),
                                      QString::number(length), QuotedStr(episode.AirDate), QuotedStr(zeroDateText),
                                      QStringLiteral(":PLOT")}
                              .join(QStringLiteral(", ")) +
                          QStringLiteral(")"));
            // The plot is a text blob: as a parameter it has no length limit.
            insert.setTextBlobParam(QStringLiteral("PLOT"), episode.Plot);
            try {
                insert.exec();
            } catch (const FbError &) {
                pumpMessages();
                continue;
            }
            pumpMessages();
            stored = true;
            if (i == 0 && episode.AirDate != zeroDateText && episode.AirDate.size() > 3)
                tryExec(QStringLiteral("update MOVIE set PRODUCTIONYEAR = ") + QuotedStr(episode.AirDate.left(4)) +
                        QStringLiteral(" where MOVIE_ID = ") + movie);
        }
        // Only a run that stored episodes sets the total: a run that adds nothing must not multiply
        // a total that is already one.
        if (stored && length > 0)
            tryExec(QStringLiteral("update MOVIE set MOVIETIME = ") +
                    QString::number(qint64(length) * episodes.size()) + QStringLiteral(" where MOVIE_ID = ") + movie);
        CommitTransaction();
    } catch (const std::exception &) {
        RollbackTransaction();
        return false;
    }
    return stored;
}
