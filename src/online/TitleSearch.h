#pragma once

#include <QList>
#include <QString>

// The title search without the network: what the search sends, how a result page is cut into
// titles, and the recognisers for what the user may type instead of a title (a title address, a
// barcode, the raw output of a barcode scanner).

// Which titles a search keeps (`DlType`).
enum TitleSearchKind { SearchMovies = 0, SearchSeries = 1, SearchEverything = 99 };

// One title of a result page.
struct TitleSearchHit
{
    // "tt" and the title number, the form the address templates take.
    QString Id;
    QString Title;
    // Four digits or empty.
    QString Year;
};

// Every blank, in any case, replaced by the definitions' blank for search addresses.
QString PrepareSearchString(const QString &text);
// The address the site's search answers for text.
QString TitleSearchAddress(const QString &text);
// False when the site answered a search with a title page instead of a list of results.
bool IsSearchResultPage(const QString &page, const QString &searchText);
// The titles of a result page in page order, without doubles, at most maxResults.
QList<TitleSearchHit> ParseSearchResults(const QString &page, int DlType, int maxResults);
// The title line of one result reduced to "number" + separator + "title".
QString PurifyTitleLine(const QString &line);

// "tt" and the digits that follow the first "/tt" of address; empty when there are none.
QString ImdbIdFromAddress(const QString &address);
// The title number without "tt" and leading zeros, as the collection stores it; 0 when none.
int ImdbNumber(const QString &id);
// The title page of a number for the browser: at least 7 digits, in "IMDB_STD_MOVIE_URL=".
QString ImdbTitlePageAddress(const QString &id);
// Text that begins with the address of a title page of the site the definitions name (http or
// https, with or without the "www." prefix).
bool IsImdbTitleAddress(const QString &text);
// 8, 12 or 13 digits once everything but letters and digits is taken out.
bool IsBarcode(const QString &text);
// The raw output of a barcode scanner (".id.type.data.", more than 40 characters) decoded into
// its digits; any other text comes back trimmed and unchanged.
QString DecodeScannerInput(const QString &text);

// The barcode service's address for a barcode; blanks and dashes typed between the digits are
// left out, as the service knows the digits only.
QString BarcodeLookupAddress(const QString &barcode);
// The product title on the barcode service's answer; empty when the page is not one of its
// answers or names no product.
QString BarcodeProductTitle(const QString &page);
