#include "online/IMDBHelperClassUnit.h"

#include "core/GlobalFunctions.h"
#include "core/TextNumbers.h"
#include "core/UserInterface.h"
#include "database/ImageStore.h"
#include "online/HttpClient.h"

#include <QFile>
#include <QFileInfo>
#include <QImageReader>
#include <QLocale>

#include <vector>

namespace {

struct EntityPass
{
    QString reference;
    QString replacement;
    Qt::CaseSensitivity cs;
};

// The characters 0x80 to 0x9F that pages write as references of the Windows-1252 code page.
QString windows1252Char(int code)
{
    switch (code) {
    case 0x85:
        return QStringLiteral("...");
    case 0x8A:
        return QString(QChar(0x0160));
    case 0x8B:
        return QString(QChar(0x2039));
    case 0x8C:
        return QString(QChar(0x0152));
    case 0x91:
        return QString(QChar(0x2018));
    case 0x92:
        return QString(QChar(0x2019));
    case 0x93:
        return QString(QChar(0x201C));
    case 0x94:
        return QString(QChar(0x201D));
    case 0x95:
        return QString(QChar(0x2022));
    case 0x96:
        return QString(QChar(0x2013));
    }
    return QString();
}

// What a numeric reference to code decodes to.
QString codeChar(int code)
{
    if (code == 160)
        return QStringLiteral(" ");
    if (code == 173)
        return QString();
    if (code >= 0x80 && code < 0xA0)
        return windows1252Char(code);
    return QString(QChar(code));
}

void addDecimalRange(std::vector<EntityPass> &passes, int from, int to, int width)
{
    for (int code = from; code <= to; ++code)
        passes.push_back(
            {QStringLiteral("&#%1;").arg(code, width, 10, QLatin1Char('0')), codeChar(code), Qt::CaseInsensitive});
}

void addHexRange(std::vector<EntityPass> &passes, int from, int to)
{
    for (int code = from; code <= to; ++code)
        passes.push_back(
            {QStringLiteral("&#x%1;").arg(code, 2, 16, QLatin1Char('0')), codeChar(code), Qt::CaseInsensitive});
}

const std::vector<EntityPass> &entityPasses()
{
    static const std::vector<EntityPass> passes = [] {
        std::vector<EntityPass> p;
        // 1. Three-digit decimal references (and "&#32;").
        p.push_back({QStringLiteral("&#32;"), QStringLiteral(" "), Qt::CaseInsensitive});
        addDecimalRange(p, 32, 64, 3);
        addDecimalRange(p, 91, 96, 3);
        addDecimalRange(p, 123, 126, 3);
        addDecimalRange(p, 138, 140, 3);
        addDecimalRange(p, 145, 150, 3);
        addDecimalRange(p, 160, 256, 3);
        // 2. Named references. "&amp;" goes first, so that an escaped reference ("&amp;lt;") is
        // decoded by the passes after it.
        const std::pair<const char *, const char *> named[] = {{"amp", "&"},       {"quot", "\""}, {"nbsp", " "},
                                                               {"lt", "<"},        {"gt", ">"},    {"apos", "'"},
                                                               {"euro", "\u20AC"}, {"excl", "!"}};
        for (const auto &[name, value] : named)
            p.push_back({QStringLiteral("&%1;").arg(QLatin1String(name)), QString::fromUtf8(value), Qt::CaseSensitive});
        static const char *const latin1Names[] = {
            "cent",   "pound",  "curren", "yen",    "brvbar", "sect",   "uml",    "copy",   "ordf",   "laquo",
            "not",    "shy",    "reg",    "macr",   "deg",    "plusmn", "sup2",   "sup3",   "acute",  "micro",
            "para",   "middot", "cedil",  "sup1",   "ordm",   "raquo",  "frac14", "frac12", "frac34", "iquest",
            "Agrave", "Aacute", "Acirc",  "Atilde", "Auml",   "Aring",  "AElig",  "Ccedil", "Egrave", "Eacute",
            "Ecirc",  "Euml",   "Igrave", "Iacute", "Icirc",  "Iuml",   "ETH",    "Ntilde", "Ograve", "Oacute",
            "Ocirc",  "Otilde", "Ouml",   "times",  "Oslash", "Ugrave", "Uacute", "Ucirc",  "Uuml",   "Yacute",
            "THORN",  "szlig",  "agrave", "aacute", "acirc",  "atilde", "auml",   "aring",  "aelig",  "ccedil",
            "egrave", "eacute", "ecirc",  "euml",   "igrave", "iacute", "icirc",  "iuml",   "eth",    "ntilde",
            "ograve", "oacute", "ocirc",  "otilde", "ouml",   "divide", "oslash", "ugrave", "uacute", "ucirc",
            "uuml",   "yacute", "thorn",  "yuml"};
        int code = 162;
        for (const char *name : latin1Names) {
            p.push_back({QStringLiteral("&%1;").arg(QLatin1String(name)), codeChar(code), Qt::CaseSensitive});
            ++code;
        }
        // 3. Two-digit decimal references.
        addDecimalRange(p, 33, 64, 2);
        addDecimalRange(p, 91, 96, 2);
        // 4. Hexadecimal references.
        addHexRange(p, 0x20, 0x40);
        addHexRange(p, 0x5B, 0x60);
        addHexRange(p, 0x7B, 0x7E);
        addHexRange(p, 0x85, 0x85);
        addHexRange(p, 0x8A, 0x8C);
        addHexRange(p, 0x91, 0x96);
        addHexRange(p, 0xA0, 0xFF);
        return p;
    }();
    return passes;
}

bool isTrimmed(QChar c)
{
    return c.unicode() <= 32;
}

} // namespace

QString DecodeHtmlEntities(const QString &text)
{
    if (!text.contains(QLatin1Char('&')))
        return text;
    QString result = text;
    for (const EntityPass &pass : entityPasses()) {
        if (result.contains(pass.reference, pass.cs))
            result.replace(pass.reference, pass.replacement, pass.cs);
    }
    return result;
}

QString StripTags(const QString &text)
{
    QString result = text;
    for (;;) {
        const qsizetype open = result.indexOf(QLatin1Char('<'));
        const qsizetype close = result.indexOf(QLatin1Char('>'));
        if (open < 0 || close < 0 || close < open)
            return result;
        result.remove(open, close - open + 1);
    }
}

QString DigitsOnly(const QString &text)
{
    QString result;
    for (const QChar c : text) {
        if (c >= QLatin1Char('0') && c <= QLatin1Char('9'))
            result += c;
    }
    return result;
}

QString LettersOnly(const QString &text)
{
    QString result;
    for (const QChar c : text) {
        if ((c >= QLatin1Char('A') && c <= QLatin1Char('Z')) || (c >= QLatin1Char('a') && c <= QLatin1Char('z')))
            result += c;
    }
    return result;
}

QString NumericChars(const QString &text)
{
    const QString separator = QLocale().decimalPoint();
    QString result;
    for (const QChar c : text) {
        if ((c >= QLatin1Char('0') && c <= QLatin1Char('9')) || separator.contains(c))
            result += c;
    }
    return result;
}

QString FoldAccents(const QString &text)
{
    static const std::pair<const char *, const char *> folds[] = {{"\u00E5\u00E4\u00E1\u00E0\u00E3", "a"},
                                                                  {"\u00E9\u00E8\u00EB", "e"},
                                                                  {"\u00F6\u00F3\u00F2\u00F5", "o"},
                                                                  {"\u00EF\u00ED\u00EC", "i"},
                                                                  {"\u00FC\u00FB\u00FA\u00F9", "u"},
                                                                  {"\u00F1", "n"},
                                                                  {"\u00E6", "ae"},
                                                                  {"\u00DF", "ss"},
                                                                  {"\u00E7", "c"}};
    QString result = text;
    for (const auto &[letters, plain] : folds) {
        const QString replacement = QString::fromUtf8(plain);
        for (const QChar letter : QString::fromUtf8(letters))
            result.replace(letter, replacement, Qt::CaseInsensitive);
    }
    return result;
}

QString EncodeQueryText(const QString &text)
{
    QString result = text;
    result.replace(QLatin1Char(' '), QStringLiteral("%20"));
    result.replace(QLatin1Char('/'), QStringLiteral("%2F"));
    result.replace(QLatin1Char('#'), QStringLiteral("%23"));
    result.replace(QLatin1Char(','), QStringLiteral("%2C"));
    result.replace(QLatin1Char(':'), QStringLiteral("%3A"));
    result.replace(QLatin1Char('\r'), QStringLiteral("%0D%0A"));
    for (const QChar c : {QChar(u'&'), QChar(u'\\'), QChar(0x00B4), QChar(u'`'), QChar(u'"')})
        result.remove(c);
    return FoldAccents(result);
}

QString ParseTextDate(const QString &text)
{
    const QString trimmed = TrimText(text);
    const QString year = trimmed.right(4);
    const QString letters = LettersOnly(trimmed);
    static const std::pair<const char *, const char *> months[] = {
        {"February", "02"}, {"Feb", "02"},    {"March", "03"},    {"Mar", "03"},       {"April", "04"},
        {"Apr", "04"},      {"May", "05"},    {"June", "06"},     {"Jun", "06"},       {"July", "07"},
        {"Jul", "07"},      {"August", "08"}, {"Aug", "08"},      {"September", "09"}, {"Sep", "09"},
        {"October", "10"},  {"Oct", "10"},    {"November", "11"}, {"Nov", "11"},       {"December", "12"},
        {"Dec", "12"}};
    QString month = QStringLiteral("01");
    for (const auto &[name, number] : months) {
        if (letters.contains(QLatin1String(name))) {
            month = QLatin1String(number);
            break;
        }
    }
    QString rest = trimmed;
    if (!year.isEmpty())
        rest.remove(year);
    QString day = DigitsOnly(rest);
    if (day.isEmpty())
        day = QStringLiteral("01");
    else if (day.size() == 1)
        day.prepend(QLatin1Char('0'));
    if (!year.startsWith(QLatin1Char('1')) && !year.startsWith(QLatin1Char('2')))
        return QString();
    return year + QLatin1Char('-') + month + QLatin1Char('-') + day;
}

QString StripQuotes(const QString &text)
{
    if (text.size() >= 2 && text.startsWith(QLatin1Char('"')) && text.endsWith(QLatin1Char('"')))
        return text.mid(1, text.size() - 2);
    return text;
}

QString LineBreaksToSpaces(const QString &text)
{
    QString result = text;
    result.replace(QLatin1Char('\r'), QLatin1Char(' '));
    result.replace(QLatin1Char('\n'), QLatin1Char(' '));
    return result;
}

QString CollapseSpaces(const QString &text)
{
    QString result = text;
    while (result.contains(QLatin1String("  ")))
        result.replace(QLatin1String("  "), QLatin1String(" "));
    return result;
}

QString TrimText(const QString &text)
{
    qsizetype start = 0;
    qsizetype end = text.size();
    while (start < end && isTrimmed(text.at(start)))
        ++start;
    while (end > start && isTrimmed(text.at(end - 1)))
        --end;
    return text.mid(start, end - start);
}

QString LimitText(const QString &text, int limit)
{
    return TrimText(text.left(limit));
}

QString FormatTemplate(const QString &templ, const QString &value)
{
    QString result = templ;
    const qsizetype at = result.indexOf(QLatin1String("%s"), 0, Qt::CaseInsensitive);
    if (at >= 0)
        result.replace(at, 2, value);
    return result;
}

QString PaddedImdbId(const QVariant &imdbId)
{
    bool ok = false;
    const qlonglong id = imdbId.toString().trimmed().toLongLong(&ok);
    if (!ok || id <= 0)
        return QString();
    return QString::number(id).rightJustified(7, QLatin1Char('0'));
}

QString ImdbPageAddress(const QString &addressTemplate, const QString &prefix, const QVariant &imdbId)
{
    const QString id = PaddedImdbId(imdbId);
    return id.isEmpty() ? QString() : FormatTemplate(addressTemplate, prefix + id);
}

qsizetype MarkerPos(const QString &text, const QString &marker, qsizetype from)
{
    if (marker.isEmpty())
        return -1;
    return text.indexOf(marker, from);
}

bool HasMarker(const QString &text, const QString &marker)
{
    return MarkerPos(text, marker) >= 0;
}

QString CutAt(const QString &text, const QString &marker)
{
    const qsizetype at = MarkerPos(text, marker);
    return at < 0 ? text : text.mid(at);
}

QString CutAfter(const QString &text, const QString &marker)
{
    const qsizetype at = MarkerPos(text, marker);
    return at < 0 ? text : text.mid(at + marker.size());
}

QString TextBefore(const QString &text, const QString &marker)
{
    const qsizetype at = MarkerPos(text, marker);
    return at < 0 ? QString() : text.left(at);
}

QString Span(const QString &text, const QString &a, const QString &b)
{
    const qsizetype start = MarkerPos(text, a);
    const qsizetype end = MarkerPos(text, b);
    if (start < 0 || end < 0 || end < start)
        return QString();
    return text.mid(start, end - start);
}

QString AfterFirstGreater(const QString &text)
{
    const qsizetype at = text.indexOf(QLatin1Char('>'));
    return at < 0 ? text : text.mid(at + 1);
}

QString RemoveFirst(const QString &text, const QString &marker)
{
    const qsizetype at = MarkerPos(text, marker);
    if (at < 0)
        return text;
    QString result = text;
    result.remove(at, marker.size());
    return result;
}

QString RemoveEvery(const QString &text, const QString &marker, Qt::CaseSensitivity cs)
{
    if (marker.isEmpty())
        return text;
    QString result = text;
    result.remove(marker, cs);
    return result;
}

QString ThroughFirstCharOf(const QString &text, const QString &marker)
{
    const qsizetype at = MarkerPos(text, marker);
    return at < 0 ? QString() : text.left(at + 1);
}

QString ThroughEndOf(const QString &text, const QString &marker, int extra)
{
    const qsizetype at = MarkerPos(text, marker);
    return at < 0 ? text : text.left(at + marker.size() + extra);
}

QString FirstLine(const QString &text)
{
    const qsizetype lf = text.indexOf(QLatin1Char('\n'));
    if (lf < 0)
        return text;
    QString line = text.left(lf);
    if (line.endsWith(QLatin1Char('\r')))
        line.chop(1);
    return line;
}

OnlineHooks &onlineHooks()
{
    static OnlineHooks hooks;
    return hooks;
}

void ShowDownloadStatus(const QString &text)
{
    const OnlineHooks &hooks = onlineHooks();
    if (!hooks.downloadStatus)
        return;
    if (!ReadSettingBool(QStringLiteral("ShowDownloadDebugText"), QStringLiteral("Options"), false))
        return;
    hooks.downloadStatus(text);
}

QString FetchPage(const QString &address)
{
    HttpClient client;
    ConfigureHttpClient(client, true, true);
    const HttpResult result = client.get(address);
    return result.ok ? result.text : QString();
}

bool DownloadToFile(const QString &address, const QString &fileName)
{
    HttpClient client;
    ConfigureHttpClient(client, true, true);
    const HttpResult result = client.get(address);
    if (!result.ok)
        return false;
    QFile file(fileName);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return false;
    if (file.write(result.body) != result.body.size()) {
        file.close();
        file.remove();
        return false;
    }
    return true;
}

bool DownloadImageFile(const QString &address, const QString &fileName)
{
    QFile::remove(fileName);
    const bool written = DownloadToFile(address, fileName);
    bool ok = false;
    if (written) {
        QImageReader reader(fileName, "jpeg");
        ok = QFileInfo(fileName).size() > 1024 && reader.canRead() && !reader.read().isNull();
        // A page or picture of another kind must not be taken for the cover later on.
        if (!ok)
            QFile::remove(fileName);
    } else if (onlineHooks().mainStatusText) {
        onlineHooks().mainStatusText(1, GetText(Txt::PictureNotDownloaded));
    }
    userInterface().processEvents();
    return ok;
}

void ConnectImageDownloader()
{
    SetImageDownloader(DownloadImageFile);
}
