#pragma once

#include <QImage>
#include <QSize>
#include <QString>
#include <QVariant>

#include <functional>

// The display rules of the browse views: the calculated fields of the movie and media records,
// how stored values read as text, the record count and the thumbnail sizes.

// A date in the user's short date format; empty for NULL and the zero date.
QString DateText(const QVariant &value);
// The year of a date ("YYYY"); empty for NULL and the zero date.
QString YearText(const QVariant &value);
// " " (one blank, which the cell turns into an icon) when the flag is above 0, else empty.
QString AlertText(const QVariant &flag);
// A medium's length in minutes as text when it is 1 or more, else empty.
QString MediaTimeText(const QVariant &minutes);
// Minutes in hours and minutes, short form ("2:05"); empty for 0 or less.
QString HoursText(const QVariant &minutes);

// The loan fields of a movie or medium. lendPartner gives "NAME, PHONE" of a borrower, empty
// when there is none or it cannot be read.
struct LendFields
{
    QString lendTo;
    QString lendAlert;
    QString lendDateText;
};
LendFields LendFieldsOf(const QVariant &lendId, const QVariant &lendDate,
                        const std::function<QString(int lendId)> &lendPartner);
// The borrower as the views show it.
QString LendPartnerText(const QString &name, const QString &phone);

// A stored value as a cell shows it: dates without the zero date, IMDBRATING as "#.#", BUYPRICE
// as "0.00", keys and other whole numbers without decimals.
QString FormatFieldValue(const QString &field, const QVariant &value);

// The calculated person-list and genre fields cut to the length the views keep.
constexpr int ListFieldLength = 255;
// The role of CASTCREW whose names a person-list field joins: DIRECTOR 1, PRODUCER 2, WRITER 3.
int ListFieldRole(const QString &field);
// One statement for the person-list or genre field of many movies: rows of MOVIE_ID and NAME,
// each movie's names in LISTINDEX (persons) or name (genres) order. movieIds is the text of an
// "in" list of keys.
QString ListFieldSql(const QString &field, const QString &movieIds);

// The text of the record-count panel: empty for an empty view, else the count, " " and "records",
// with the selected count added when more than one record is selected.
QString RecordCountText(int count, int selectedCount);

// A JPEG picture decoded to fit maxSize (an invalid size keeps its own size). Anything that is
// not a JPEG gives a null image.
QImage DecodeJpegScaled(const QByteArray &bytes, const QSize &maxSize);

// Thumbnail sizes: the line count of the cover row of the thumbnail layouts.
namespace ThumbnailSize {
constexpr int Small = 5;
constexpr int Medium = 12;
constexpr int Large = 24;
constexpr int Minimum = 1;
constexpr int Maximum = 25;
} // namespace ThumbnailSize
int ClampThumbnailSize(int size);
// The size to use for a stored value: an unreadable one (0 or less) gives Medium.
int UsableThumbnailSize(int stored);
// The cover thumbnails must be made again when the size crosses from 13 or less to 14 or more
// (400 x 574) or back (200 x 287); an invalid size when no rebuild is needed.
QSize ThumbnailRebuildSize(int storedSize, int newSize);
// Stores a new thumbnail size in the open collection: renders the thumbnails again when needed,
// writes DB_INFO and commits. Returns the size stored (clamped); false in *ok when writing failed.
int StoreThumbnailSize(int size, bool *ok = nullptr);
