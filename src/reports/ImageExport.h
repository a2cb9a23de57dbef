#pragma once

#include <QList>
#include <QString>
#include <QStringList>
#include <QVariant>

class FbConnection;

// Export of the full-size covers of media as JPEG files into a folder. The stored bytes are
// written unchanged: nothing is re-encoded or resized.

// The dialog's choices, kept in the settings section "Image Export".
struct ImageExportSettings
{
    QString destinationDirectory;
    bool numberBasedFilename = false; // name files by SEQNUMBER instead of title
    bool includeBackCoverArt = false;
};

ImageExportSettings ReadImageExportSettings();
void WriteImageExportSettings(const ImageExportSettings &settings);

// One record of the view's selection: the medium whose covers are exported and the values that
// name its files (the record's own title, which in the movies view is the movie's).
struct ImageExportItem
{
    double mediaId = 0;
    QString title;
    QVariant seqNumber; // null when the medium has none
};

// Reads TITLE and SEQNUMBER from MEDIA for each key, in the order given; unknown keys are left out.
QList<ImageExportItem> LoadImageExportItems(FbConnection &connection, const QList<double> &mediaIds);

// The title reduced to blank, "(", ")", "-", ".", digits and Latin letters, then trimmed: a name
// every file system accepts, whatever the title holds.
QString CoverFileTitle(const QString &title);

// The name (without ".jpg") a record's files get, before numbering against existing files. A title
// that leaves nothing usable falls back to the number, then to the key, so no file is named ".jpg".
QString CoverFileStem(const ImageExportItem &item, bool numberBased);

// folder + stem, or folder + stem + " (k)" for the smallest k from 1 for which no file is in the
// way. With back covers a stem whose "_BACK.jpg" exists is taken as used too, so the back cover of
// an earlier medium is never overwritten by a later one of the same name.
QString UniqueCoverBase(const QString &folder, const QString &stem, bool withBack);

struct ImageExportResult
{
    QStringList writtenFiles;
    bool completed = true; // false when a file could not be written; the export stopped there
    QString failedFile;
};

// Writes the covers of the items into folder (created with its missing parents), showing the wait
// window. A folder that cannot be created or written stops the export with a message naming it;
// the files written up to then are kept. An empty folder is refused with a message.
ImageExportResult ExportCoverImages(FbConnection &connection, const QList<ImageExportItem> &items,
                                    const ImageExportSettings &settings);
