#include "reports/ImageExport.h"

#include "core/GlobalFunctions.h"
#include "core/TextNumbers.h"
#include "core/UserInterface.h"
#include "database/FbQuery.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace {

const QString Section = QStringLiteral("Image Export");

QString keyText(double key)
{
    return QString::number(key, 'f', 0);
}

// True only when every byte reached the file: a full disk or a folder without write permission
// must not pass for a finished export. A half-written picture is removed rather than left behind.
bool writeBytes(const QString &fileName, const QByteArray &bytes)
{
    QFile file(fileName);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return false;
    if (file.write(bytes) != bytes.size() || !file.flush()) {
        file.remove();
        return false;
    }
    return true;
}

void showNotWritable(const QString &folder)
{
    userInterface().showMessage(MessageKind::Warning,
                                GetTextWithArg(Txt::CoverExportFolderNotWritable, QDir::toNativeSeparators(folder)),
                                MessageButtons::Ok);
}

} // namespace

ImageExportSettings ReadImageExportSettings()
{
    ImageExportSettings s;
    s.destinationDirectory = ReadSettingString(QStringLiteral("DestinationDirectory"), Section);
    s.numberBasedFilename = ReadSettingBool(QStringLiteral("NumberBasedFilename"), Section, false);
    s.includeBackCoverArt = ReadSettingBool(QStringLiteral("IncludeBackCoverArt"), Section, false);
    return s;
}

void WriteImageExportSettings(const ImageExportSettings &settings)
{
    WriteSettingString(QStringLiteral("DestinationDirectory"), Section, settings.destinationDirectory);
    WriteSettingBool(QStringLiteral("NumberBasedFilename"), Section, settings.numberBasedFilename);
    WriteSettingBool(QStringLiteral("IncludeBackCoverArt"), Section, settings.includeBackCoverArt);
}

QList<ImageExportItem> LoadImageExportItems(FbConnection &connection, const QList<double> &mediaIds)
{
    QList<ImageExportItem> items;
    for (const double id : mediaIds) {
        try {
            FbQuery q(connection);
            q.setSql(QStringLiteral("select TITLE, SEQNUMBER from MEDIA where MEDIA_ID = ") + keyText(id));
            q.open();
            if (q.next())
                items.append(
                    {id, q.value(0).toString(), q.isNull(QStringLiteral("SEQNUMBER")) ? QVariant() : q.value(1)});
            q.close();
        } catch (const std::exception &) {
            // A medium that cannot be read is left out, like one that no longer exists.
        }
    }
    return items;
}

QString CoverFileTitle(const QString &title)
{
    QString result;
    for (const QChar c : title) {
        if (c == QLatin1Char(' ') || c == QLatin1Char('(') || c == QLatin1Char(')') || c == QLatin1Char('-') ||
            c == QLatin1Char('.') || !KeepAlphanumerics(QString(c)).isEmpty())
            result += c;
    }
    result = result.trimmed();
    // Names made only of dots ("." and "..") are the folder itself or its parent.
    if (result.count(QLatin1Char('.')) == result.size())
        return QString();
    return result;
}

QString CoverFileStem(const ImageExportItem &item, bool numberBased)
{
    if (!numberBased) {
        const QString title = CoverFileTitle(item.title);
        if (!title.isEmpty())
            return title;
    }
    if (!item.seqNumber.isNull())
        return QString::number(item.seqNumber.toLongLong());
    return keyText(item.mediaId);
}

QString UniqueCoverBase(const QString &folder, const QString &stem, bool withBack)
{
    const auto used = [withBack](const QString &base) {
        return QFileInfo::exists(base + QStringLiteral(".jpg")) ||
               (withBack && QFileInfo::exists(base + QStringLiteral("_BACK.jpg")));
    };
    const QString base = folder + stem;
    if (!used(base))
        return base;
    for (int k = 1;; ++k) {
        const QString numbered = base + QStringLiteral(" (") + QString::number(k) + QLatin1Char(')');
        if (!used(numbered))
            return numbered;
    }
}

ImageExportResult ExportCoverImages(FbConnection &connection, const QList<ImageExportItem> &items,
                                    const ImageExportSettings &settings)
{
    ImageExportResult result;
    QString folder = settings.destinationDirectory.trimmed();
    if (folder.isEmpty()) {
        userInterface().showMessage(MessageKind::Warning, GetText(Txt::CoverExportNoFolder), MessageButtons::Ok);
        result.completed = false;
        return result;
    }
    if (!folder.endsWith(QLatin1Char('/')) && !folder.endsWith(QLatin1Char('\\')))
        folder += QLatin1Char('/');

    if (!QDir().mkpath(folder)) {
        result.completed = false;
        showNotWritable(folder);
        return result;
    }
    const auto fail = [&result](const QString &file) {
        result.completed = false;
        result.failedFile = file;
    };

    BusyCursor busy;
    ShowWait(GetText(Txt::PleaseWait), int(items.size()) - 1);
    for (qsizetype i = 0; i < items.size() && result.completed; ++i) {
        const ImageExportItem &item = items.at(i);
        QByteArray front;
        QByteArray back;
        try {
            FbQuery q(connection);
            q.setSql(QStringLiteral("select FRONTCOVER_BLOB, BACKCOVER_BLOB from MEDIA_GFX where MEDIA_ID = ") +
                     keyText(item.mediaId));
            q.open();
            if (q.next()) {
                front = q.value(0).toByteArray();
                back = q.value(1).toByteArray();
            }
            q.close();
        } catch (const std::exception &) {
            // An unreadable cover is exported as no cover.
        }

        const bool withBack = settings.includeBackCoverArt && !back.isEmpty();
        if (!front.isEmpty() || withBack) {
            const QString base = UniqueCoverBase(folder, CoverFileStem(item, settings.numberBasedFilename),
                                                 settings.includeBackCoverArt);
            if (!front.isEmpty()) {
                const QString file = base + QStringLiteral(".jpg");
                if (writeBytes(file, front))
                    result.writtenFiles.append(file);
                else
                    fail(file);
            }
            if (withBack && result.completed) {
                const QString file = base + QStringLiteral("_BACK.jpg");
                if (writeBytes(file, back))
                    result.writtenFiles.append(file);
                else
                    fail(file);
            }
        }
        SetWaitProgress(int(i));
        userInterface().processEvents();
    }
    HideWait();
    if (!result.completed)
        showNotWritable(folder);
    return result;
}
