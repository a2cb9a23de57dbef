#include "database/ImageStore.h"

#include "core/GlobalFunctions.h"
#include "core/TextNumbers.h"
#include "core/UserInterface.h"
#include "database/DM1_u.h"
#include "database/FbConnection.h"
#include "database/FbQuery.h"
#include "database/RecordHelpers.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImageReader>
#include <QImageWriter>

namespace {

ImageDownloader imageDownloader;

// A file of this module in the temporary folder, which may not exist yet when no window made it.
QString tempFile(const QString &name)
{
    const QString folder = GetTempFolder();
    QDir().mkpath(folder);
    return folder + name;
}

bool isWebAddress(const QString &source)
{
    return source.startsWith(QStringLiteral("http://"), Qt::CaseInsensitive) ||
           source.startsWith(QStringLiteral("https://"), Qt::CaseInsensitive);
}

bool holdsData(const QVariant &field)
{
    return !field.isNull() && !field.toByteArray().isEmpty();
}

QVariant fileBytesOrNull(const QString &fileName)
{
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly))
        return QVariant();
    return file.readAll();
}

// The blob update shared by storing and clearing: a null value clears the column.
bool updateBlob(const QString &table, const QString &keyColumn, const QString &blobColumn, double keyValue,
                const QVariant &bytes)
{
    FbConnection *connection = OpenMainConnection();
    if (!connection)
        return false;
    try {
        FbQuery update(*connection);
        update.setSql(QStringLiteral("update %1 set %2 = :%2 where %3 = :%3").arg(table, blobColumn, keyColumn));
        update.setParam(blobColumn, bytes);
        update.setParam(keyColumn, keyValue);
        update.exec();
        return true;
    } catch (const FbError &) {
        return false;
    }
}

} // namespace

JpegField DecodeJpegField(const QVariant &field, QImage *image)
{
    if (field.isNull())
        return JpegField::Clear;
    const QByteArray bytes = field.toByteArray();
    if (bytes.isEmpty())
        return JpegField::Unchanged;
    QImage decoded = QImage::fromData(bytes);
    if (decoded.isNull())
        return JpegField::Clear;
    *image = decoded.convertToFormat(QImage::Format_RGB32);
    return JpegField::Show;
}

void LoadJpegField(QImage &image, const QVariant &field)
{
    QImage decoded;
    switch (DecodeJpegField(field, &decoded)) {
    case JpegField::Clear:
        image = QImage();
        break;
    case JpegField::Unchanged:
        break;
    case JpegField::Show:
        image = decoded;
        break;
    }
}

bool SaveJpeg(const QImage &image, const QString &fileName)
{
    if (image.isNull())
        return false;
    QImageWriter writer(fileName, "jpeg");
    writer.setQuality(JpegQuality);
    return writer.write(image);
}

void SaveFieldAsThumbnailFile(const QString &fileName, const QVariant &field, int maxWidth, int maxHeight)
{
    QImage image;
    if (DecodeJpegField(field, &image) != JpegField::Show)
        return;
    if (image.width() > maxWidth && image.height() > maxHeight) {
        const int height = static_cast<int>(qint64(maxWidth) * image.height() / image.width());
        image = image.scaled(maxWidth, height, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    }
    SaveJpeg(image, fileName);
}

bool ShrinkJpegFile(const QString &fileName, int maxWidth, int maxHeight)
{
    if (!QFileInfo(fileName).isFile())
        return false;
    QImageReader reader(fileName);
    QImage image = reader.read();
    if (image.isNull())
        return false;
    const qint64 width = image.width();
    const qint64 height = image.height();
    if (width > maxWidth && height > maxHeight) {
        if (height < width)
            image = image.scaled(maxWidth, static_cast<int>(maxWidth * height / width), Qt::IgnoreAspectRatio,
                                 Qt::SmoothTransformation);
        else
            image = image.scaled(static_cast<int>(maxHeight * width / height), maxHeight, Qt::IgnoreAspectRatio,
                                 Qt::SmoothTransformation);
        SaveJpeg(image, fileName);
    }
    return true;
}

void SetImageDownloader(ImageDownloader downloader)
{
    imageDownloader = std::move(downloader);
}

bool StoreImageFile(const QString &table, const QString &keyColumn, const QString &blobColumn, bool deleteAfter,
                    double keyValue, const QString &source)
{
    QString file = source;
    if (isWebAddress(source)) {
        file = tempFile(QStringLiteral("temp.jpg"));
        // A picture left from an earlier download must never be stored for this one.
        QFile::remove(file);
        if (!imageDownloader || !imageDownloader(source, file))
            return false;
    }
    if (!QFileInfo(file).isFile())
        return false;
    const QVariant bytes = fileBytesOrNull(file);
    const bool stored = !bytes.isNull() && updateBlob(table, keyColumn, blobColumn, keyValue, bytes);
    if (deleteAfter)
        QFile::remove(file);
    return stored;
}

bool ClearBlob(const QString &table, const QString &keyColumn, const QString &blobColumn, double keyValue)
{
    return updateBlob(table, keyColumn, blobColumn, keyValue, QVariant());
}

void StoreCoverImage(const QImage &image, const QString &blobColumn, double mediaId)
{
    const QString fullSize = tempFile(QStringLiteral("fullsize_temp.jpg"));
    // A file left from an earlier cover must not be stored when this one cannot be written.
    QFile::remove(fullSize);
    if (!image.isNull()) {
        if (SaveJpeg(image, fullSize))
            StoreCoverFile(fullSize, blobColumn, mediaId);
    } else {
        ClearBlob(QStringLiteral("MEDIA"), QStringLiteral("MEDIA_ID"), blobColumn, mediaId);
        ClearBlob(QStringLiteral("MEDIA_GFX"), QStringLiteral("MEDIA_ID"), blobColumn, mediaId);
    }
    QFile::remove(fullSize);
}

bool StoreCoverFile(const QString &jpegFile, const QString &blobColumn, double mediaId)
{
    const QString key = QStringLiteral("MEDIA_ID");
    if (!StoreImageFile(QStringLiteral("MEDIA_GFX"), key, blobColumn, false, mediaId, jpegFile))
        return false;
    // The thumbnail is made from a copy, so the caller's file keeps its full size.
    const QString thumbnail = tempFile(QStringLiteral("thumbnail_temp.jpg"));
    QFile::remove(thumbnail);
    if (!QFile::copy(jpegFile, thumbnail))
        return false;
    const QSize limit = ThumbnailMaxSize(ReadThumbnailSize());
    ShrinkJpegFile(thumbnail, limit.width(), limit.height());
    return StoreImageFile(QStringLiteral("MEDIA"), key, blobColumn, true, mediaId, thumbnail);
}

bool HasFrontCover(double mediaId)
{
    FbConnection *connection = OpenMainConnection();
    if (!connection)
        return true;
    try {
        const QVariant cover = FbQuery::scalar(
            *connection, QStringLiteral("select FRONTCOVER_BLOB from MEDIA where MEDIA_ID = ") + SqlKey(mediaId));
        return !cover.isNull() && cover.toByteArray().size() >= 10;
    } catch (const FbError &) {
        return true;
    }
}

void RebuildThumbnails(int maxWidth, int maxHeight, bool showProgress)
{
    FbConnection *connection = OpenMainConnection();
    if (!connection)
        return;
    UserInterface &ui = userInterface();
    const QString front = tempFile(QStringLiteral("conv_front.jpg"));
    const QString back = tempFile(QStringLiteral("conv_back.jpg"));
    if (showProgress)
        ShowWait(GetText(Txt::RebuildingThumbnails), CountRows(QStringLiteral("select MEDIA_ID from MEDIA_GFX")));
    try {
        FbQuery rows(*connection);
        rows.setSql(QStringLiteral("select MEDIA_ID, FRONTCOVER_BLOB, BACKCOVER_BLOB from MEDIA_GFX"));
        rows.open();
        FbQuery update(*connection);
        update.setSql(QStringLiteral("update MEDIA set FRONTCOVER_BLOB = :FRONTCOVER_BLOB, BACKCOVER_BLOB = "
                                     ":BACKCOVER_BLOB where MEDIA_ID = :MEDIA_ID"));
        int row = 0;
        while (rows.next()) {
            ++row;
            // Files left by an interrupted run would otherwise become this medium's covers.
            QFile::remove(front);
            QFile::remove(back);
            const QVariant frontCover = rows.value(1);
            const QVariant backCover = rows.value(2);
            if (holdsData(frontCover))
                SaveFieldAsThumbnailFile(front, frontCover, maxWidth, maxHeight);
            if (holdsData(backCover))
                SaveFieldAsThumbnailFile(back, backCover, maxWidth, maxHeight);
            if (QFileInfo::exists(front) || QFileInfo::exists(back)) {
                try {
                    update.setParam(QStringLiteral("FRONTCOVER_BLOB"), fileBytesOrNull(front));
                    update.setParam(QStringLiteral("BACKCOVER_BLOB"), fileBytesOrNull(back));
                    update.setParam(QStringLiteral("MEDIA_ID"), rows.value(0).toDouble());
                    update.exec();
                } catch (const FbError &) {
                    // This medium keeps its old thumbnails.
                }
                QFile::remove(front);
                QFile::remove(back);
            }
            ui.processEvents();
            if (showProgress)
                SetWaitProgress(row);
        }
        rows.close();
        connection->commitRetaining();
    } catch (const FbError &) {
        // Reading the covers failed: the thumbnails stay as they were.
    }
    if (showProgress)
        HideWait();
}
