#pragma once

#include <QSize>
#include <QString>
#include <QStringList>

#include <stdexcept>

class FbConnection;

// Shared operations on the open collection: keys, lookups by name, row deletes, the running
// number of media, the values offered by drop-down fields and the orphan sweep. The collection has
// no generators and no foreign keys, so the program assigns keys and keeps the relations itself.
//
// Everything runs on the data module's main connection inside its open transaction and commits
// nothing unless said. Failures are swallowed: keys and lookups give -1 or an empty text, the
// rest false, and none of them shows a message. The one exception is KeyRangeError below.
//
// Parameters named "...Literal" are SQL literals put into the statement as given: a number (see
// SqlKey) or a text already quoted with QuotedStr.

// The largest key a float key column holds exactly: beyond it two keys would be the same value.
constexpr double MaxExactFloatKey = 16777216;

// Thrown by NextKey when the next key is beyond what a float key column holds exactly (and by
// NextKeyInt beyond a 32-bit integer): a row inserted with it would silently collide with an
// existing one, so the insert must not happen. It reaches the user as an error message.
class KeyRangeError : public std::runtime_error
{
public:
    KeyRangeError(const QString &table, const QString &keyColumn, double nextKey);
};

// The data module's main connection when it can run statements (connected, in its transaction);
// null otherwise, and the helpers then fail quietly.
FbConnection *OpenMainConnection();

// A key as SQL text: whole numbers without exponent or decimals.
QString SqlKey(double key);

// The maximum of the key column plus one (1 for an empty table); -1 on failure. Throws
// KeyRangeError when the result would be above MaxExactFloatKey.
double NextKey(const QString &table, const QString &keyColumn);
// The same as a 32-bit integer; throws KeyRangeError when it would not fit.
int NextKeyInt(const QString &table, const QString &keyColumn);

// The key of the lookup row whose NAME equals name without regard to case; -1 for a blank name,
// no such row or a failure.
int LookupId(const QString &table, const QString &idColumn, const QString &name);
// valueColumn of the row whose keyColumn equals keyLiteral, as text; empty for a blank key or on
// failure.
QString LookupValue(const QString &table, const QString &keyColumn, const QString &valueColumn,
                    const QString &keyLiteral);
// Inserts name (each word capitalised) into the lookup table when no row has that name in any
// case. Returns the row's key, -1 for a blank name or on failure; KeyRangeError as NextKey.
int AddLookupIfMissing(const QString &table, const QString &idColumn, const QString &name);
// Links a movie to the lookup row named name (-1 when there is none). Errors are ignored.
void AddLinkRow(const QString &linkTable, const QString &lookupTable, const QString &idColumn, const QString &name,
                double movieId);
bool DeleteRows(const QString &table, const QString &column, const QString &valueLiteral);
// The medium of a movie; -1 when there is none or on failure.
double MediaIdOfMovie(double movieId);
// DB_INFO.THUMBNAILSIZE; 0 when it cannot be read.
int ReadThumbnailSize();
// The largest cover thumbnail for a thumbnail size: 200 x 287 up to 13, 400 x 574 from 14 on.
QSize ThumbnailMaxSize(int thumbnailSize);

// The start of the automatic running number ("Min AutoCounter"), which the main window keeps and
// the options change. Until it is set, the stored setting.
int MinimumAutoCounter();
void SetMinimumAutoCounter(int value);
// The first running number (MEDIA.SEQNUMBER) from max(start, MinimumAutoCounter()) on that no
// medium uses.
int NextFreeSeqNumber(int start);

// The values a drop-down field offers: the distinct non-blank values of a column in order, each as
// stored. *ok is false when reading failed; the values read until then are returned.
QStringList DistinctValues(const QString &table, const QString &column, bool *ok = nullptr);
QStringList DistinctValuesWhere(const QString &table, const QString &column, const QString &whereColumn,
                                const QString &whereLiteral, bool *ok = nullptr);
// The tooltip that explains a lookup entry: language text "Description", ":", a line break and the
// entry's DESCRIPTION; empty when the entry has no description.
QString LookupDescriptionHint(const QString &table, const QString &idColumn, const QString &name);

// Deletes the rows that lost their parent: media graphics and movies without their medium, then
// every detail row of a missing movie, and with cleanPersonTable every person named nowhere. Each
// step is committed. While a MEDIA row with key -1 exists, no medium counts as missing. False when
// a step failed (the others still run).
bool ClearTrashPosts(bool cleanPersonTable);
