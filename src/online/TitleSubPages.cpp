// The readers of a title's sub-pages (plot, trivia, filming locations, awards, technical data,
// soundtracks, leading roles, keywords): members of TIMDBMovie kept apart from the title-page
// reader. Each fetches its page on a connection of its own and cuts it with the definitions'
// markers, like the title-page reader does.

#include "online/IMDBMovieClassUnit.h"

#include "core/GlobalFunctions.h"
#include "core/TextNumbers.h"
#include "online/IMDBConstantsUnit.h"
#include "online/IMDBHelperClassUnit.h"

#include <initializer_list>

namespace {

using K = DefKey;

QString def(DefKey key)
{
    return Definition(key);
}

// A sub-page of the title; empty without an id or an address template (no request is made then)
// and whenever the fetch fails.
QString fetchSubPage(const QString &id, DefKey addressKey)
{
    const QString addressTemplate = def(addressKey);
    if (id.isEmpty() || addressTemplate.isEmpty())
        return QString();
    return FetchPage(FormatTemplate(addressTemplate, id));
}

// The value between start and end, cleaned the way every level of the awards and the labels of
// the technical data and soundtrack lists are.
QString cleanValue(const QString &text, const QString &start, const QString &end)
{
    const QString value = StripTags(AfterFirstGreater(StripTags(TextBefore(CutAfter(text, start), end))));
    return TrimText(DecodeHtmlEntities(value));
}

// Cuts rest at start and then at end (or after each). False, leaving rest alone, when end is
// missing or the cut would not move on: the list that reads this value then stops instead of
// reading the same value again.
bool moveOn(QString &rest, const QString &start, const QString &end, bool after)
{
    QString moved = after ? CutAfter(rest, start) : CutAt(rest, start);
    if (!HasMarker(moved, end))
        return false;
    moved = after ? CutAfter(moved, end) : CutAt(moved, end);
    if (moved.size() >= rest.size())
        return false;
    rest = moved;
    return true;
}

// Whether marker is in rest ahead of every limit that is in rest (an absent limit places none).
bool liesBefore(const QString &rest, const QString &marker, std::initializer_list<QString> limits)
{
    const qsizetype at = MarkerPos(rest, marker);
    if (at < 0)
        return false;
    for (const QString &limit : limits) {
        const qsizetype limitAt = MarkerPos(rest, limit);
        if (limitAt >= 0 && at >= limitAt)
            return false;
    }
    return true;
}

// Drops the beginning of text through one character past the first occurrence of marker, so
// the next search finds the following one.
QString dropThroughOnePast(const QString &text, const QString &marker)
{
    const qsizetype at = MarkerPos(text, marker);
    return at < 0 ? text : text.mid(at + 2);
}

QString quotesAsAccents(const QString &text)
{
    QString result = text;
    result.replace(QLatin1Char('"'), QStringLiteral("\u00B4\u00B4"));
    return result;
}

void showTrivia(const QString &text)
{
    const OnlineHooks &hooks = onlineHooks();
    if (hooks.downloadTrivia)
        hooks.downloadTrivia(text);
}

struct AwardMarkers
{
    QString organizationStart = def(K::IMDB_AWARDS_ORGANIZATION_START_TAG);
    QString organizationEnd = def(K::IMDB_AWARDS_ORGANIZATION_END_TAG);
    QString yearStart = def(K::IMDB_AWARDS_YEAR_START_TAG);
    QString yearEnd = def(K::IMDB_AWARDS_YEAR_END_TAG);
    QString outcomeStart = def(K::IMDB_AWARDS_NOMINATED_START_TAG);
    QString outcomeEnd = def(K::IMDB_AWARDS_NOMINATED_END_TAG);
    QString nameStart = def(K::IMDB_AWARDS_NAME_START_TAG);
    QString nameEnd = def(K::IMDB_AWARDS_NAME_END_TAG);
    QString categoryStart = def(K::IMDB_AWARDS_CATEGORY_START_TAG);
    QString categoryEnd = def(K::IMDB_AWARDS_CATEGORY_END_TAG);
    QString personStart = def(K::IMDB_AWARDS_PERSON_START_TAG);
    QString personEnd = def(K::IMDB_AWARDS_PERSON_END_TAG);
    QString personBottom = def(K::IMDB_AWARDS_PERSON_BOTTOM_TAG);
    QString personIdEnd = def(K::IMDB_AWARDS_PERSON_ID_END_TAG);
    QString personNoteStart = def(K::IMDB_AWARDS_PERSONNOTE_START_TAG);
    QString personNoteEnd = def(K::IMDB_AWARDS_PERSONNOTE_END_TAG);
    QString personItemEnd = def(K::IMDB_AWARDS_PERSON_ITEM_END_TAG);
    QString noteStart = def(K::IMDB_AWARDS_NOTE_START_TAG);
    QString noteEnd = def(K::IMDB_AWARDS_NOTE_END_TAG);
};

// An award name counts for the current outcome only when it starts well ahead of the next year:
// a name close before a year belongs to that year's entry.
bool awardNameAhead(const QString &rest, const AwardMarkers &m)
{
    if (!liesBefore(rest, m.nameStart, {m.outcomeStart, m.organizationStart}))
        return false;
    const qsizetype yearAt = MarkerPos(rest, m.yearStart);
    return yearAt < 0 || MarkerPos(rest, m.nameStart) < yearAt - 75;
}

void readAwardRecipients(QString &rest, TIMDBAward &award, const AwardMarkers &m)
{
    for (;;) {
        const qsizetype personAt = MarkerPos(rest, m.personStart);
        const qsizetype bottomAt = MarkerPos(rest, m.personBottom);
        if (personAt < 0 || bottomAt < 0 || personAt >= bottomAt)
            return;
        TIMDBAwardRecipient recipient;
        recipient.AwardPerson.Id = TextBefore(CutAfter(rest, m.personStart), m.personIdEnd);
        recipient.AwardPerson.Name = cleanValue(rest, m.personStart, m.personEnd);
        if (!moveOn(rest, m.personStart, m.personEnd, true))
            return;
        if (liesBefore(rest, m.personNoteStart, {m.personItemEnd})) {
            recipient.setNote(cleanValue(rest, m.personNoteStart, m.personNoteEnd));
            moveOn(rest, m.personNoteStart, m.personNoteEnd, true);
        }
        award.Recipients << recipient;
    }
}

QString readAwardNote(QString &rest, const AwardMarkers &m)
{
    if (!liesBefore(rest, m.noteStart, {m.categoryStart}))
        return QString();
    QString note = TextBefore(CutAfter(rest, m.noteStart), m.noteEnd);
    note = DecodeHtmlEntities(StripTags(AfterFirstGreater(StripTags(note))));
    note = TrimText(CollapseSpaces(LineBreaksToSpaces(note)));
    moveOn(rest, m.noteStart, m.noteEnd, true);
    return note;
}

// One performer credit line of a song: the first line of block (lines end at the separator)
// that begins with valueMarker, read after it. The last line counts only while the block still
// holds its end marker.
QString performerLine(const QString &block, const QString &valueMarker)
{
    if (valueMarker.isEmpty())
        return QString();
    const QString separator = def(K::IMDB_SOUNDTRACK_PERFORMER_MID_TAG);
    const QString end = def(K::IMDB_SOUNDTRACK_PERFORMER_END_TAG);
    QString rest = block;
    while (HasMarker(rest, separator) || HasMarker(rest, end)) {
        const qsizetype at = MarkerPos(rest, separator);
        const QString line = TrimText(at >= 0 ? rest.left(at + 1) : rest);
        if (line.startsWith(valueMarker))
            return TrimText(line.mid(valueMarker.size()).left(200));
        if (at < 0)
            break;
        rest = rest.mid(at + separator.size());
    }
    return QString();
}

QString songPerformer(const QString &block)
{
    QString performer;
    for (const DefKey value : {K::IMDB_SOUNDTRACK_PERFORMER_VALUE1_TAG, K::IMDB_SOUNDTRACK_PERFORMER_VALUE2_TAG,
                               K::IMDB_SOUNDTRACK_PERFORMER_VALUE3_TAG}) {
        performer = performerLine(block, def(value));
        if (!performer.isEmpty())
            break;
    }
    performer = StripTags(performer);
    // The line ends with the first character of its separator, or with a cut-off tag.
    if (performer.contains(QLatin1Char('<')))
        performer = TextBefore(performer, QStringLiteral("<"));
    return TrimText(quotesAsAccents(DecodeHtmlEntities(performer)));
}

} // namespace

void TIMDBMovie::ReadPlot()
{
    if (Id.isEmpty())
        return;
    const bool onTitlePage = def(K::IMDB_PLOT_URL) == def(K::IMDB_TITLE_URL);
    const QString page = onTitlePage ? Webpage : fetchSubPage(Id, K::IMDB_PLOT_URL);
    const QString start = def(K::IMDB_PLOT_START_TAG);
    if (!HasMarker(page, start))
        return;
    QString text = TextBefore(CutAfter(page, start), def(K::IMDB_PLOT_END_TAG));
    const QString bottom = def(K::IMDB_PLOT_BOTTOM_TAG);
    if (HasMarker(text, bottom))
        text = TextBefore(text, bottom);
    const QString lineBreak = def(K::IMDB_BIOPAGE_BIO_RETURN_TAG);
    if (!lineBreak.isEmpty())
        text.replace(lineBreak, QStringLiteral("\r\n"));
    text = DecodeHtmlEntities(StripTags(text));
    // The page's own line ends go; the breaks put in above stay as carriage returns.
    text = TrimText(RemoveEvery(text, QStringLiteral("\n")));
    if (text.endsWith(QLatin1Char('|'))) {
        text.chop(1);
        text = TrimText(text);
    }
    Plot = text;
}

void TIMDBMovie::ReadTrivia()
{
    if (Id.isEmpty())
        return;
    const QString page = fetchSubPage(Id, K::IMDB_TRIVIA_URL);
    const QString head = def(K::IMDB_TRIVIA_HEAD_TAG);
    if (!HasMarker(page, head)) {
        showTrivia(GetText(Txt::NoTriviaFound));
        return;
    }
    const QString start = def(K::IMDB_TRIVIA_START_TAG);
    const QString end = def(K::IMDB_TRIVIA_END_TAG);
    QString rest = TextBefore(CutAfter(page, head), def(K::IMDB_TRIVIA_BOTTOM_TAG));
    QStringList items;
    for (int round = 0; round <= 20 && HasMarker(rest, start); ++round) {
        const QString item = CutAfter(rest, start);
        if (!HasMarker(item, end))
            break;
        items << TrimText(DecodeHtmlEntities(StripTags(ThroughEndOf(item, end, 1))));
        if (items.size() == 1)
            showTrivia(items.first());
        rest = dropThroughOnePast(dropThroughOnePast(rest, start), end);
    }
    TriviaText = items.join(QStringLiteral("\r\n\r\n"));
}

void TIMDBMovie::ReadFilmingLocations()
{
    if (Id.isEmpty())
        return;
    const QString page = fetchSubPage(Id, K::IMDB_FILMINGLOCATIONS_URL);
    const QString head = def(K::IMDB_FILMINGLOCATIONS_HEAD_TAG);
    if (!HasMarker(page, head))
        return;
    FilmingLocationsCollection.clear();
    const QString start = def(K::IMDB_FILMINGLOCATIONS_START_TAG);
    const QString end = def(K::IMDB_FILMINGLOCATIONS_END_TAG);
    QString rest = TextBefore(CutAt(page, head), def(K::IMDB_FILMINGLOCATIONS_BOTTOM_TAG));
    while (HasMarker(rest, start)) {
        rest = CutAt(rest, start);
        const QString item = AfterFirstGreater(StripTags(DecodeHtmlEntities(Span(rest, start, end))));
        if (!TrimText(item).isEmpty())
            FilmingLocationsCollection << item;
        const QString next = TrimText(CutAt(rest, end));
        if (!HasMarker(rest, end) || next.size() >= rest.size())
            break;
        rest = next;
    }
}

void TIMDBMovie::ReadAwards()
{
    if (Id.isEmpty())
        return;
    const QString page = fetchSubPage(Id, K::IMDB_AWARDS_URL);
    const QString head = def(K::IMDB_AWARDS_HEAD_TAG);
    if (!HasMarker(page, head))
        return;
    AwardsCollection.clear();
    const AwardMarkers m;
    const QString winner = def(K::IMDB_AWARDS_RESULT);
    QString rest = TextBefore(CutAt(page, head), def(K::IMDB_AWARDS_BOTTOM_TAG));
    int counter = 0;
    // Organisation, year, outcome, award name and category nest; each level repeats while its
    // marker comes before the next value of an enclosing level.
    while (HasMarker(rest, m.organizationStart)) {
        const QString organization = cleanValue(rest, m.organizationStart, m.organizationEnd);
        if (!moveOn(rest, m.organizationStart, m.organizationEnd, false))
            break;
        while (liesBefore(rest, m.yearStart, {m.organizationStart})) {
            bool isNumber = false;
            int year = cleanValue(rest, m.yearStart, m.yearEnd).toInt(&isNumber);
            if (!isNumber)
                year = 0;
            if (!moveOn(rest, m.yearStart, m.yearEnd, false))
                break;
            while (liesBefore(rest, m.outcomeStart, {m.yearStart, m.organizationStart})) {
                const QString outcome = cleanValue(rest, m.outcomeStart, m.outcomeEnd);
                if (!moveOn(rest, m.outcomeStart, m.outcomeEnd, false))
                    break;
                while (awardNameAhead(rest, m)) {
                    const QString name = cleanValue(rest, m.nameStart, m.nameEnd);
                    if (!moveOn(rest, m.nameStart, m.nameEnd, false))
                        break;
                    while (liesBefore(rest, m.categoryStart,
                                      {m.nameStart, m.outcomeStart, m.yearStart, m.organizationStart})) {
                        const QString category = cleanValue(rest, m.categoryStart, m.categoryEnd);
                        if (!moveOn(rest, m.categoryStart, m.categoryEnd, true))
                            break;
                        TIMDBAward award;
                        award.Id = ++counter;
                        readAwardRecipients(rest, award, m);
                        award.setNote(readAwardNote(rest, m));
                        award.setOrganization(organization);
                        award.setAwardYear(year);
                        award.setAwardName(name);
                        award.setCategory(category);
                        award.setAwardResult(outcome.toLower() == winner ? 1 : 0);
                        AwardsCollection << award;
                    }
                }
            }
        }
    }
}

void TIMDBMovie::ReadTechnicalData()
{
    if (Id.isEmpty())
        return;
    const QString page = fetchSubPage(Id, K::IMDB_TECHDATA_URL);
    const QString head = def(K::IMDB_TECHDATA_HEAD_TAG);
    if (!HasMarker(page, head))
        return;
    TechnicalDataCollection.clear();
    const QString dataStart = def(K::IMDB_TECHDATA_DATA_START_TAG);
    const QString dataEnd = def(K::IMDB_TECHDATA_DATA_END_TAG);
    const QString valueStart = def(K::IMDB_TECHDATA_VALUE_START_TAG);
    const QString valueEnd = def(K::IMDB_TECHDATA_VALUE_END_TAG);
    const QString divider = def(K::IMDB_TECHDATA_VALUE_DIVIDER_TAG);
    // These are stored with the movie itself, not as technical data.
    const QStringList skipped{def(K::IMDB_TECHDATA_ASPECTRATIO_TAG), def(K::IMDB_TECHDATA_SOUNDMIX_TAG),
                              def(K::IMDB_TECHDATA_RUNTIME_TAG)};
    QString rest = TextBefore(CutAt(page, head), def(K::IMDB_TECHDATA_BOTTOM_TAG));
    int number = 0;
    while (HasMarker(rest, dataStart)) {
        rest = CutAt(rest, dataStart);
        const QString label = cleanValue(rest, dataStart, dataEnd);
        if (!moveOn(rest, dataStart, dataEnd, false))
            break;
        if (!skipped.contains(label.toLower())) {
            QString values = TrimText(DecodeHtmlEntities(TextBefore(CutAfter(rest, valueStart), valueEnd)));
            QStringList items;
            while (HasMarker(values, divider)) {
                items << TextBefore(values, divider);
                values = CutAfter(values, divider);
            }
            items << values;
            for (const QString &item : items) {
                const QString value = StripTags(item);
                // Markup around a list leaves empty pieces before the first or after the last
                // divider; they are no values.
                if (TrimText(value).isEmpty())
                    continue;
                TIMDBTechData data;
                data.Id = ++number;
                data.setData(label);
                data.setDataValue(value);
                TechnicalDataCollection << data;
            }
        }
        moveOn(rest, valueStart, valueEnd, false);
    }
}

void TIMDBMovie::ReadSoundtracks()
{
    if (Id.isEmpty())
        return;
    const QString page = fetchSubPage(Id, K::IMDB_SOUNDTRACK_URL);
    const QString head = def(K::IMDB_SOUNDTRACK_HEAD_TAG);
    if (!HasMarker(page, head))
        return;
    SoundtrackCollection.clear();
    const QString titleStart = def(K::IMDB_SOUNDTRACK_TITLE_START_TAG);
    const QString titleEnd = def(K::IMDB_SOUNDTRACK_TITLE_END_TAG);
    const QString performerStart = def(K::IMDB_SOUNDTRACK_PERFORMER_START_TAG);
    const QString performerEnd = def(K::IMDB_SOUNDTRACK_PERFORMER_END_TAG);
    QString rest = TextBefore(CutAt(page, head), def(K::IMDB_SOUNDTRACK_BOTTOM_TAG));
    int number = 0;
    while (HasMarker(rest, titleStart)) {
        rest = CutAt(rest, titleStart);
        const QString title = TrimText(quotesAsAccents(cleanValue(rest, titleStart, titleEnd)));
        if (!moveOn(rest, titleStart, titleEnd, false))
            break;
        QString performer;
        // A song without credit lines must not take those of the next song.
        if (liesBefore(rest, performerStart, {titleStart})) {
            performer = songPerformer(ThroughEndOf(CutAfter(rest, performerStart), performerEnd, 2));
            moveOn(rest, performerStart, performerEnd, false);
        }
        TIMDBSoundtrack song;
        song.Id = ++number;
        song.setTitle(title);
        song.setPerformer(performer);
        SoundtrackCollection << song;
    }
}

void TIMDBMovie::ReadLeadRoles()
{
    if (Id.isEmpty())
        return;
    const QString page = fetchSubPage(Id, K::IMDB_STARS_URL);
    const QString head = def(K::IMDB_STARS_HEAD_TAG);
    if (!HasMarker(page, head))
        return;
    CastStarsCollection.clear();
    const QString start = def(K::IMDB_STARS_START_TAG);
    const QString end = def(K::IMDB_STARS_END_TAG);
    QString rest = TextBefore(CutAt(page, head), def(K::IMDB_STARS_BOTTOM_TAG));
    while (HasMarker(rest, start)) {
        rest = CutAt(rest, start);
        QString item = TextBefore(CutAfter(rest, start), end);
        item = AfterFirstGreater(StripTags(DecodeHtmlEntities(RemoveEvery(item, QStringLiteral("/")))));
        bool isNumber = false;
        const qlonglong personNumber = TrimText(item).toLongLong(&isNumber);
        if (isNumber && personNumber != 0)
            CastStarsCollection << QString::number(personNumber);
        const QString next = TrimText(CutAt(rest, end));
        if (!HasMarker(rest, end) || next.size() >= rest.size())
            break;
        rest = next;
    }
}

void TIMDBMovie::ReadKeywords()
{
    if (Id.isEmpty())
        return;
    const QString page = fetchSubPage(Id, K::IMDB_KEYWORDS_URL);
    KeywordsCollection.clear();
    const QString head = def(K::IMDB_KEYWORDS_HEAD_TAG);
    if (!HasMarker(page, head))
        return;
    const QString start = def(K::IMDB_KEYWORDS_START_TAG);
    const QString end = def(K::IMDB_KEYWORDS_END_TAG);
    QString rest = TextBefore(CutAfter(page, head), def(K::IMDB_KEYWORDS_BOTTOM_TAG));
    for (int round = 0; round < 1000 && HasMarker(rest, start); ++round) {
        const QString after = CutAfter(rest, start);
        if (!HasMarker(after, end))
            break;
        const QString keyword = TrimText(DecodeHtmlEntities(StripTags(TextBefore(after, end))));
        if (!keyword.isEmpty() && !KeywordsCollection.contains(keyword, Qt::CaseInsensitive))
            KeywordsCollection << keyword;
        rest = dropThroughOnePast(dropThroughOnePast(rest, start), end);
    }
}
