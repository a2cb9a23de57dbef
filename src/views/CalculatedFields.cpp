#include "views/CalculatedFields.h"

#include "core/GlobalFunctions.h"
#include "database/DM1_u.h"
#include "database/ImageStore.h"
#include "database/RecordHelpers.h"

#include <QBuffer>
#include <QDateTime>
#include <QImageReader>
#include <QLocale>

#include <algorithm>
#include <cmath>

namespace {

// The date of a date or timestamp value; invalid for NULL and the zero date.
QDate usableDate(const QVariant &value)
{
    if (value.isNull())
        return QDate();
    QDateTime dateTime;
    if (value.typeId() == QMetaType::QDate)
        dateTime = QDateTime(value.toDate(), QTime(0, 0));
    else
        dateTime = value.toDateTime();
    if (!dateTime.isValid() || IsZeroDate(dateTime) || dateTime.date() == ZeroDateTime().date())
        return QDate();
    return dateTime.date();
}

bool isWholeNumber(double value)
{
    return std::isfinite(value) && std::floor(value) == value && std::fabs(value) < 1e15;
}

} // namespace

QString DateText(const QVariant &value)
{
    const QDate date = usableDate(value);
    return date.isValid() ? QLocale().toString(date, QLocale::ShortFormat) : QString();
}

QString YearText(const QVariant &value)
{
    const QDate date = usableDate(value);
    return date.isValid() ? QStringLiteral("%1").arg(date.year(), 4, 10, QLatin1Char('0')) : QString();
}

QString AlertText(const QVariant &flag)
{
    bool ok = false;
    const double number = flag.toDouble(&ok);
    return ok && number > 0 ? QStringLiteral(" ") : QString();
}

QString MediaTimeText(const QVariant &minutes)
{
    bool ok = false;
    const int number = minutes.toInt(&ok);
    return ok && number >= 1 ? QString::number(number) : QString();
}

QString HoursText(const QVariant &minutes)
{
    bool ok = false;
    const int number = minutes.toInt(&ok);
    return ok ? FormatMinutes(number, false) : QString();
}

QString LendPartnerText(const QString &name, const QString &phone)
{
    return name + QStringLiteral(", ") + phone;
}

LendFields LendFieldsOf(const QVariant &lendId, const QVariant &lendDate,
                        const std::function<QString(int lendId)> &lendPartner)
{
    LendFields fields;
    bool ok = false;
    const int id = lendId.toInt(&ok);
    if (lendId.isNull() || !ok || id < 0)
        return fields;
    fields.lendTo = lendPartner(id);
    if (fields.lendTo.isEmpty())
        return fields; // no such borrower: the medium does not show as lent
    fields.lendAlert = QStringLiteral(" ");
    fields.lendDateText = DateText(lendDate);
    return fields;
}

QString FormatFieldValue(const QString &field, const QVariant &value)
{
    if (value.isNull())
        return QString();
    switch (value.typeId()) {
    case QMetaType::QDateTime:
    case QMetaType::QDate:
        return DateText(value);
    case QMetaType::QByteArray:
        return QString(); // pictures have no text
    case QMetaType::Double:
    case QMetaType::Float: {
        const double number = value.toDouble();
        if (field == QLatin1String("IMDBRATING")) {
            // "#.#": one decimal at most, nothing for 0.
            const double rounded = std::round(number * 10.0) / 10.0;
            if (rounded == 0)
                return QString();
            return QLocale().toString(rounded, 'f', isWholeNumber(rounded) ? 0 : 1);
        }
        if (field == QLatin1String("BUYPRICE"))
            return QLocale().toString(number, 'f', 2);
        if (isWholeNumber(number))
            return QString::number(qint64(number));
        return QLocale().toString(number, 'f', 2);
    }
    default:
        return value.toString();
    }
}

int ListFieldRole(const QString &field)
{
    if (field == QLatin1String("DIRECTOR"))
        return 1;
    if (field == QLatin1String("PRODUCER"))
        return 2;
    if (field == QLatin1String("WRITER"))
        return 3;
    return -1;
}

QString ListFieldSql(const QString &field, const QString &movieIds)
{
    if (field == QLatin1String("GENRES")) {
        return QStringLiteral("select GENRE.MOVIE_ID, GENRELIST.NAME from GENRE, GENRELIST where GENRE.MOVIE_ID in (") +
               movieIds +
               QStringLiteral(") and GENRELIST.GENRE_ID = GENRE.GENRE_ID order by GENRE.MOVIE_ID, GENRELIST.NAME");
    }
    return QStringLiteral("select CASTCREW.MOVIE_ID, PERSON.NAME from CASTCREW, PERSON where CASTCREW.MOVIE_ID in (") +
           movieIds +
           QStringLiteral(") and PERSON.PERSON_ID = CASTCREW.PERSON_ID and CASTCREW.ROLE_ID = %1 "
                          "order by CASTCREW.MOVIE_ID, CASTCREW.LISTINDEX")
               .arg(ListFieldRole(field));
}

QString RecordCountText(int count, int selectedCount)
{
    if (count <= 0)
        return QString();
    QString text = QString::number(count) + QLatin1Char(' ') + GetText(16);
    if (selectedCount > 1)
        text += QStringLiteral(" (") + GetTextWithArg(1651, QString::number(selectedCount)) + QLatin1Char(')');
    return text;
}

QImage DecodeJpegScaled(const QByteArray &bytes, const QSize &maxSize)
{
    if (bytes.size() < 4)
        return QImage();
    QBuffer buffer;
    buffer.setData(bytes);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer, "jpeg");
    reader.setDecideFormatFromContent(false);
    if (!reader.canRead())
        return QImage();
    const QSize size = reader.size();
    if (maxSize.isValid() && size.isValid() && (size.width() > maxSize.width() || size.height() > maxSize.height())) {
        // The decoder scales while it decodes, far cheaper than decoding in full and shrinking.
        reader.setScaledSize(size.scaled(maxSize, Qt::KeepAspectRatio).expandedTo(QSize(1, 1)));
    }
    QImage image = reader.read();
    return image;
}

int ClampThumbnailSize(int size)
{
    return std::clamp(size, int(ThumbnailSize::Minimum), int(ThumbnailSize::Maximum));
}

int UsableThumbnailSize(int stored)
{
    return stored <= 0 ? ThumbnailSize::Medium : ClampThumbnailSize(stored);
}

QSize ThumbnailRebuildSize(int storedSize, int newSize)
{
    if (storedSize <= 13 && newSize >= 14)
        return ThumbnailMaxSize(newSize);
    if (storedSize > 13 && newSize < 14)
        return ThumbnailMaxSize(newSize);
    return QSize();
}

int StoreThumbnailSize(int size, bool *ok)
{
    const int n = ClampThumbnailSize(size);
    if (ok)
        *ok = false;
    if (!HasDM1() || !DM1().MainConnection.isConnected())
        return n;
    const QSize rebuild = ThumbnailRebuildSize(ReadThumbnailSize(), n);
    if (rebuild.isValid())
        RebuildThumbnails(rebuild.width(), rebuild.height(), true);
    try {
        FbQuery::execute(DM1().MainConnection, QStringLiteral("update DB_INFO set THUMBNAILSIZE = %1").arg(n));
        DM1().MainConnection.commitRetaining();
        if (ok)
            *ok = true;
    } catch (const FbError &) {
        // The views still use the new size; the collection keeps the old one.
    }
    return n;
}
