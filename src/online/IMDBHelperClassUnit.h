#pragma once

#include <QString>
#include <QVariant>

#include <functional>

// The text layer under every scraper: the functions that turn HTML fragments into clean values,
// the marker primitives the page readers cut pages with, and the fetches that fail silently.

// --- Text functions (pure) ---

// Replaces HTML character references by characters, in a fixed order of passes; references
// outside the lists stay as they are.
QString DecodeHtmlEntities(const QString &text);
// Removes markup tags from the front on; a ">" before the first "<" stops it.
QString StripTags(const QString &text);
QString DigitsOnly(const QString &text);
// The ASCII letters only.
QString LettersOnly(const QString &text);
// The digits and the current locale's decimal separator.
QString NumericChars(const QString &text);
// A title made usable inside a query string.
QString EncodeQueryText(const QString &text);
QString FoldAccents(const QString &text);
// A written date ("March 31, 1999", "31 Mar 1999", "1999") as "YYYY-MM-DD"; empty when the year
// does not begin with 1 or 2.
QString ParseTextDate(const QString &text);
QString StripQuotes(const QString &text);
QString LineBreaksToSpaces(const QString &text);
QString CollapseSpaces(const QString &text);
// Removes leading and trailing blanks and control characters.
QString TrimText(const QString &text);
// A text cut to at most limit characters, then trimmed: the rule of every limited record field.
QString LimitText(const QString &text, int limit);
// A definitions address template with its one "%s" (in either case) replaced by value.
QString FormatTemplate(const QString &templ, const QString &value);
// An IMDb number padded with zeros to seven digits; empty when it is not a number above 0.
QString PaddedImdbId(const QVariant &imdbId);
// The page of an IMDb number in a definitions address template: prefix ("tt" for titles, "nm" for
// persons) and the padded number in place of its "%s". Empty when the number is not above 0.
QString ImdbPageAddress(const QString &addressTemplate, const QString &prefix, const QVariant &imdbId);

// --- Marker primitives of the page readers ---
// All find the first occurrence, case-sensitively; an empty marker is never found.

// Index of marker in text from "from" on, or -1.
qsizetype MarkerPos(const QString &text, const QString &marker, qsizetype from = 0);
bool HasMarker(const QString &text, const QString &marker);
// The text from the first marker on, marker included; unchanged when the marker is absent.
QString CutAt(const QString &text, const QString &marker);
// What follows the first marker; unchanged when the marker is absent.
QString CutAfter(const QString &text, const QString &marker);
// What precedes the first marker; empty when the marker is absent.
QString TextBefore(const QString &text, const QString &marker);
// From the first a (included) to the first b (excluded); empty when b is absent or before a.
QString Span(const QString &text, const QString &a, const QString &b);
// What follows the first ">", when there is one.
QString AfterFirstGreater(const QString &text);
QString RemoveFirst(const QString &text, const QString &marker);
QString RemoveEvery(const QString &text, const QString &marker, Qt::CaseSensitivity cs = Qt::CaseSensitive);
// The text up to and including the first character of marker; empty when it is absent.
QString ThroughFirstCharOf(const QString &text, const QString &marker);
// The text up to the end of marker plus `extra` characters; unchanged when it is absent.
QString ThroughEndOf(const QString &text, const QString &marker, int extra);
// The text before the first line feed, without the carriage return of a CR LF pair.
QString FirstLine(const QString &text);

// --- What the scrapers show while they run ---

// The download window (when open) and the main window set these; unset ones are skipped.
struct OnlineHooks
{
    // The download window's status line.
    std::function<void(const QString &)> downloadStatus;
    // The download window's title line; a new title also clears its original-title and trivia
    // lines and its cover.
    std::function<void(const QString &)> downloadTitle;
    std::function<void(const QString &)> downloadOriginalTitle;
    std::function<void(const QString &)> downloadTrivia;
    // A cover picture file, or empty to clear it.
    std::function<void(const QString &)> downloadCover;
    // The main window's status bar: panel, text.
    std::function<void(int, const QString &)> mainStatusText;
};
OnlineHooks &onlineHooks();

// Shows a scraper's step text in the download window when "ShowDownloadDebugText" is on.
void ShowDownloadStatus(const QString &text);

// --- Fetches ---

// A page on a connection of its own; any failure, a refusal included, gives the empty text and
// no message (sub-page readers then find nothing).
QString FetchPage(const QString &address);
// Downloads a picture into fileName. True only when the file then holds a JPEG image of more than
// 1024 bytes; otherwise no file is left behind. Main status bar panel 1 shows text 12 when the
// download wrote nothing.
bool DownloadImageFile(const QString &address, const QString &fileName);
// Downloads any file (the definitions update); false and no file when the fetch failed.
bool DownloadToFile(const QString &address, const QString &fileName);
// Lets the image store fetch pictures from web addresses with DownloadImageFile.
void ConnectImageDownloader();
