#include "online/TitleSearch.h"

#include "core/GlobalFunctions.h"
#include "online/IMDBConstantsUnit.h"
#include "online/IMDBHelperClassUnit.h"

#include <QHash>
#include <QUrl>

using K = DefKey;

namespace {

QString def(K key)
{
    return Definition(key);
}

// The text before the first marker; the whole text when the marker is absent.
QString DeleteFrom(const QString &text, const QString &marker)
{
    const qsizetype at = MarkerPos(text, marker);
    return at < 0 ? text : text.left(at);
}

// What follows the first marker; empty when it is absent.
QString TextAfter(const QString &text, const QString &marker)
{
    const qsizetype at = MarkerPos(text, marker);
    return at < 0 ? QString() : text.mid(at + marker.size());
}

qsizetype DigitRun(const QString &text, qsizetype from)
{
    qsizetype end = from;
    while (end < text.size() && text.at(end).isDigit())
        ++end;
    return end - from;
}

// Title numbers have seven digits, newer ones eight: the number is every digit that follows.
qsizetype TitleNumberLength(const QString &text, qsizetype from)
{
    const qsizetype digits = DigitRun(text, from);
    return digits > 0 ? digits : 7;
}

// Of several links to the same title in a row the last one is read: the rest moves on while the
// start of the current link occurs again further on.
QString SkipRepeatedLinks(QString rest, const QString &start)
{
    for (;;) {
        const qsizetype headLength = start.size() + TitleNumberLength(rest, start.size());
        if (rest.size() < headLength || rest.indexOf(rest.left(headLength), 15) < 0)
            return rest;
        rest = CutAt(rest.mid(headLength), start);
        if (!rest.startsWith(start))
            return rest;
    }
}

QString AfterYearStart(const QString &rest)
{
    return TextAfter(rest, def(K::IMDB_YEAR_SEARCH_START_TAG));
}

// The few characters after the year that name the kind of title (video game, episode).
QString KindText(const QString &rest)
{
    const QString text = AfterYearStart(rest);
    const qsizetype close = text.indexOf(QLatin1Char(')'));
    return text.left(close + 1 + 25);
}

bool IsSeries(const QString &rest)
{
    const QString tvText = ThroughFirstCharOf(AfterYearStart(rest), def(K::IMDB_TITLE_TVSERIES_END_TAG));
    return HasMarker(tvText, def(K::IMDB_TITLE_TVSERIES_IDENTIFIER)) ||
           HasMarker(tvText, def(K::IMDB_TITLE_TVSERIES_IDENTIFIER_2)) ||
           HasMarker(tvText, def(K::IMDB_TITLE_TVSERIES_IDENTIFIER_3));
}

QString ResultYear(const QString &rest)
{
    QString year = AfterYearStart(rest);
    for (const char *numeral : {"(I)", "(II)", "(III)"})
        year = RemoveFirst(year, QLatin1String(numeral));
    year = ThroughFirstCharOf(year, def(K::IMDB_YEAR_SEARCH_END_TAG));
    for (const char *mark : {"(", ")", "/", "I"})
        year = RemoveFirst(year, QLatin1String(mark));
    year = year.trimmed();
    return year.size() == 4 ? year : QString();
}

bool KindFits(bool series, int DlType)
{
    return DlType == SearchEverything || (DlType == SearchMovies && !series) || (DlType == SearchSeries && series);
}

// The title line up to and including the first characters of the end marker.
QString TitleLine(const QString &rest, qsizetype endPos)
{
    return rest.left(endPos + 4);
}

// The hit a purified title line names; an empty id when the line holds none.
TitleSearchHit HitFromLine(const QString &line, const QString &year)
{
    const QString separator = def(K::IMDB_TITLE_ID_SEPERATOR);
    TitleSearchHit hit;
    const qsizetype at = MarkerPos(line, separator);
    if (at <= 0)
        return hit;
    const QString number = line.left(at);
    if (DigitRun(number, 0) != number.size())
        return hit;
    hit.Id = QStringLiteral("tt") + number;
    hit.Title = line.mid(at + 1);
    const QString separator2 = def(K::IMDB_TITLE_ID_SEPERATOR_2);
    if (HasMarker(hit.Title, separator2))
        hit.Title = CutAfter(hit.Title, separator2);
    hit.Year = year;
    return hit;
}

bool ContainsId(const QList<TitleSearchHit> &hits, const QString &id)
{
    for (const TitleSearchHit &hit : hits) {
        if (hit.Id == id)
            return true;
    }
    return false;
}

// The base-64 alphabet of the scanner's output.
const QString &ScannerAlphabet()
{
    static const QString alphabet = QStringLiteral("abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789+-");
    return alphabet;
}

// The scanner sends each digit XORed with 'C' and base-64 encoded, three digits in four
// characters: the first digit fills two characters, the second and third one each. The three
// tables follow from that encoding.
const QHash<QString, QChar> &ScannerTable(int position)
{
    static const auto build = [](int pos) {
        QHash<QString, QChar> table;
        const int nextDigitByte = '0' ^ 'C';
        for (int d = 0; d <= 9; ++d) {
            const int b = ('0' + d) ^ 'C';
            QString group;
            if (pos == 0)
                group =
                    QString(ScannerAlphabet().at(b >> 2)) + ScannerAlphabet().at(((b & 3) << 4) | (nextDigitByte >> 4));
            else if (pos == 1)
                group = ScannerAlphabet().at(((b & 15) << 2) | (nextDigitByte >> 6));
            else
                group = ScannerAlphabet().at(b & 63);
            table.insert(group, QChar(u'0' + d));
        }
        return table;
    };
    static const QHash<QString, QChar> tables[3] = {build(0), build(1), build(2)};
    return tables[position];
}

} // namespace

QString PrepareSearchString(const QString &text)
{
    QString result = text;
    return result.replace(QLatin1Char(' '), def(K::IMDB_EMPTYSPACE_CHAR), Qt::CaseInsensitive);
}

QString TitleSearchAddress(const QString &text)
{
    return FormatTemplate(def(K::IMDB_TITLE_SEARCH_AKA), EncodeQueryText(PrepareSearchString(text)));
}

bool IsSearchResultPage(const QString &page, const QString &searchText)
{
    const QString expected =
        FormatTemplate(def(K::IMDB_TITLE_SEARCH_MOVIE),
                       EncodeQueryText(searchText).replace(QStringLiteral("%20"), QStringLiteral(" ")));
    return HasMarker(page, def(K::IMDB_TITLE_SEARCH_MOVIE_1)) || HasMarker(page, expected);
}

QString PurifyTitleLine(const QString &line)
{
    const QString start = def(K::IMDB_TITLE_START_TAG);
    QString result = RemoveEvery(line, QStringLiteral("</a>"), Qt::CaseInsensitive);
    result = RemoveEvery(result, start, Qt::CaseInsensitive);
    const qsizetype numberLength = TitleNumberLength(result, 0);
    const qsizetype linkEnd = result.indexOf(QStringLiteral("\">"), numberLength);
    if (linkEnd >= 0) {
        const QString linkTail = result.mid(numberLength, linkEnd + 2 - numberLength);
        result.replace(linkTail, def(K::IMDB_TITLE_ID_SEPERATOR));
    }
    return DecodeHtmlEntities(result);
}

QList<TitleSearchHit> ParseSearchResults(const QString &page, int DlType, int maxResults)
{
    const QString start = def(K::IMDB_TITLE_START_TAG);
    const QString mid = def(K::IMDB_TITLE_MID_TAG);
    const QString end = def(K::IMDB_TITLE_END_TAG);
    const QString removals[] = {def(K::IMDB_TITLE_REMOVE1_TAG), def(K::IMDB_TITLE_REMOVE2_TAG),
                                def(K::IMDB_TITLE_REMOVE3_TAG)};
    QList<TitleSearchHit> hits;
    QString rest = page;
    while (HasMarker(rest, start)) {
        rest = SkipRepeatedLinks(CutAt(rest, start), start);
        for (const QString &removal : removals) {
            if (!removal.trimmed().isEmpty())
                rest = RemoveEvery(rest, removal);
        }
        const QString kind = KindText(rest);
        const bool series = IsSeries(rest);
        const QString year = ResultYear(rest);
        const qsizetype endPos = MarkerPos(rest, end);
        const qsizetype midPos = MarkerPos(rest, mid);
        if (hits.size() >= maxResults)
            break;
        // A link whose end lies beyond the next result is not a title of the list.
        const bool wholeResult = endPos >= 0 && (midPos < 0 || midPos > endPos);
        if (wholeResult && !HasMarker(kind, def(K::IMDB_TITLE_VIDEOGAME_TAG)) &&
            !HasMarker(kind, def(K::IMDB_TITLE_TVEPISODE_TAG)) && KindFits(series, DlType)) {
            const TitleSearchHit hit = HitFromLine(PurifyTitleLine(TitleLine(rest, endPos)), year);
            if (!hit.Id.isEmpty() && !ContainsId(hits, hit.Id))
                hits << hit;
        }
        qsizetype next = -1;
        if (midPos >= 0 && endPos >= 0)
            next = qMin(midPos, endPos);
        else
            next = qMax(midPos, endPos);
        if (next < 0)
            break;
        // One character before the marker, but always past the current link.
        rest = rest.mid(qMax<qsizetype>(next - 1, start.size()));
    }
    return hits;
}

QString ImdbIdFromAddress(const QString &address)
{
    const qsizetype at = address.indexOf(QStringLiteral("/tt"));
    if (at < 0)
        return QString();
    const qsizetype digits = DigitRun(address, at + 3);
    return digits > 0 ? QStringLiteral("tt") + address.mid(at + 3, digits) : QString();
}

int ImdbNumber(const QString &id)
{
    return DigitsOnly(id).toInt();
}

QString ImdbTitlePageAddress(const QString &id)
{
    return ImdbPageAddress(def(K::IMDB_STD_MOVIE_URL), QStringLiteral("tt"), DigitsOnly(id));
}

bool IsImdbTitleAddress(const QString &text)
{
    const QUrl site(def(K::IMDB_STD_MOVIE_URL));
    QString host = site.host();
    if (host.isEmpty())
        return false;
    if (host.startsWith(QLatin1String("www."), Qt::CaseInsensitive))
        host = host.mid(4);
    const QString port = site.port() > 0 ? QStringLiteral(":%1").arg(site.port()) : QString();
    for (const char *scheme : {"http://", "https://"}) {
        for (const char *prefix : {"www.", ""}) {
            const QString start =
                QLatin1String(scheme) + QLatin1String(prefix) + host + port + QStringLiteral("/title/tt");
            if (text.startsWith(start, Qt::CaseInsensitive))
                return true;
        }
    }
    return false;
}

bool IsBarcode(const QString &text)
{
    const QString code = KeepAlphanumerics(text);
    const bool digitsOnly = !code.isEmpty() && DigitRun(code, 0) == code.size();
    return digitsOnly && (code.size() == 8 || code.size() == 12 || code.size() == 13);
}

QString DecodeScannerInput(const QString &text)
{
    const QString trimmed = text.trimmed();
    if (trimmed.size() <= 40 || !trimmed.startsWith(QLatin1Char('.')) || !trimmed.endsWith(QLatin1Char('.')))
        return trimmed;
    // ".serial.type.data.": the data field holds the barcode.
    const QString data = trimmed.section(QLatin1Char('.'), 3, 3);
    static const int groupSizes[] = {2, 1, 1};
    QString digits;
    qsizetype at = 0;
    for (int group = 0; at < data.size(); ++group) {
        const int position = group % 3;
        const QString piece = data.mid(at, groupSizes[position]);
        at += groupSizes[position];
        const auto found = ScannerTable(position).constFind(piece);
        if (found != ScannerTable(position).constEnd())
            digits += *found;
    }
    return digits;
}

QString BarcodeLookupAddress(const QString &barcode)
{
    QString address = def(K::UPC_URL);
    const qsizetype at = address.indexOf(QStringLiteral("%s"), 0, Qt::CaseInsensitive);
    if (at >= 0)
        address.replace(at, 2, KeepAlphanumerics(barcode));
    return address;
}

QString BarcodeProductTitle(const QString &page)
{
    if (!HasMarker(page, def(K::UPC_VERIFY)))
        return QString();
    QString title = CutAfter(page, def(K::UPC_HEAD_TAG));
    title = DeleteFrom(title, def(K::UPC_BOTTOM_TAG));
    title = CutAfter(title, def(K::UPC_START_TAG));
    title = DeleteFrom(title, def(K::UPC_END_TAG));
    title = DecodeHtmlEntities(StripTags(title));
    title = DeleteFrom(title, QStringLiteral("["));
    title = DeleteFrom(title, QStringLiteral("(")).trimmed();
    return title == def(K::UPC_UNKNOWN_TAG) ? QString() : title;
}
