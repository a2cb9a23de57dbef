#pragma once

#include <QImage>
#include <QString>
#include <QVariant>

#include <functional>

// Cover images and other pictures kept in blob columns as JPEG data. A medium keeps its full-size
// covers in MEDIA_GFX and thumbnails of them in MEDIA; the thumbnail limit follows DB_INFO's
// thumbnail size (ThumbnailMaxSize). Failures are ignored as the callers expect: a picture that
// cannot be read or stored leaves the row as it was.

// The JPEG quality of every picture the program writes.
constexpr int JpegQuality = 90;

// What a blob field means for a picture shown from it.
enum class JpegField {
    Clear,     // NULL, or data that is no picture: the picture goes
    Unchanged, // an empty blob: the picture stays as it is
    Show,      // decoded into the image
};
JpegField DecodeJpegField(const QVariant &field, QImage *image);
// Puts the picture of a blob field into image by the rules above.
void LoadJpegField(QImage &image, const QVariant &field);

// Writes a picture as a JPEG file.
bool SaveJpeg(const QImage &image, const QString &fileName);
// Saves the picture of a blob field as a JPEG file. Only a picture wider than maxWidth and higher
// than maxHeight is scaled, to maxWidth wide with its proportions kept.
void SaveFieldAsThumbnailFile(const QString &fileName, const QVariant &field, int maxWidth, int maxHeight);
// Shrinks a picture file that is wider than maxWidth and higher than maxHeight: a landscape picture
// to maxWidth wide, any other to maxHeight high, proportions kept; the file is overwritten. False
// when the file does not exist or cannot be read.
bool ShrinkJpegFile(const QString &fileName, int maxWidth, int maxHeight);

// Fetches a web address into a file; true when the file then holds a usable JPEG picture.
using ImageDownloader = std::function<bool(const QString &address, const QString &fileName)>;
// The page-fetching code installs its downloader here; until then web addresses are not stored.
void SetImageDownloader(ImageDownloader downloader);

// Stores the bytes of a picture file into blobColumn of the row whose keyColumn is keyValue. A
// source that is a web address (http:// or https://) is downloaded to "temp.jpg" in the temporary
// folder first. With deleteAfter the stored file is deleted afterwards. True when stored.
bool StoreImageFile(const QString &table, const QString &keyColumn, const QString &blobColumn, bool deleteAfter,
                    double keyValue, const QString &source);
// Sets blobColumn of that row to NULL.
bool ClearBlob(const QString &table, const QString &keyColumn, const QString &blobColumn, double keyValue);
// The cover store of every editor: a picture goes in full size into MEDIA_GFX and as a thumbnail
// into MEDIA; a null image clears the cover in both. blobColumn is FRONTCOVER_BLOB or
// BACKCOVER_BLOB.
void StoreCoverImage(const QImage &image, const QString &blobColumn, double mediaId);
// The same for a JPEG file, stored as it is into MEDIA_GFX and shrunk to the collection's
// thumbnail size into MEDIA; the file itself is left unchanged. True when both were stored.
bool StoreCoverFile(const QString &jpegFile, const QString &blobColumn, double mediaId);
// Whether the medium has a front cover thumbnail (10 bytes or more); true when that cannot be read,
// so that nothing overwrites a cover that may be there.
bool HasFrontCover(double mediaId);
// Makes every medium's thumbnails again from its full-size covers, within maxWidth x maxHeight;
// with showProgress the wait window counts the media. Commits.
void RebuildThumbnails(int maxWidth, int maxHeight, bool showProgress);
