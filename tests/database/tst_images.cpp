#include "TestSupport.h"

#include "core/GlobalFunctions.h"
#include "core/TextNumbers.h"
#include "core/Translations.h"
#include "database/DM1_u.h"
#include "database/FbQuery.h"
#include "database/ImageStore.h"
#include "database/RecordHelpers.h"

#include <QBuffer>
#include <QFile>
#include <QImageWriter>
#include <QPainter>

namespace {

QByteArray jpegBytes(int width, int height)
{
    QImage image(width, height, QImage::Format_RGB32);
    QPainter painter(&image);
    painter.fillRect(image.rect(), QLinearGradient(0, 0, width, height));
    painter.fillRect(QRect(0, 0, width / 2, height / 3), Qt::darkRed);
    painter.end();
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, "jpeg");
    writer.write(image);
    return buffer.data();
}

QSize sizeOf(const QVariant &blob)
{
    return blob.isNull() ? QSize() : QImage::fromData(blob.toByteArray()).size();
}

QSize sizeOfFile(const QString &fileName)
{
    return QImage(fileName).size();
}

void writeFile(const QString &fileName, const QByteArray &bytes)
{
    QFile file(fileName);
    QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(bytes);
}

// Records what the wait window is asked to show.
class WaitRecorder : public RecordingUserInterface
{
public:
    void showWait(const QString &message, int maxProgress) override
    {
        waitMessage = message;
        waitMaximum = maxProgress;
        waitShown = true;
    }
    void setWaitProgress(int position) override { progress << position; }
    void hideWait() override { waitShown = false; }

    QString waitMessage;
    int waitMaximum = -1;
    bool waitShown = false;
    QList<int> progress;
};

} // namespace

class TestImages : public QObject
{
    Q_OBJECT

    WaitRecorder ui;
    TDM1 dm;

    void sql(const QString &statement) { FbQuery::execute(dm.MainConnection, statement); }
    QVariant scalar(const QString &select) { return FbQuery::scalar(dm.MainConnection, select); }
    QString temp(const QString &name) { return GetTempFolder() + name; }

    void setFullSizeCovers(int mediaId, const QVariant &front, const QVariant &back)
    {
        FbQuery update(dm.MainConnection);
        update.setSql(QStringLiteral(
            "update MEDIA_GFX set FRONTCOVER_BLOB = :FRONT, BACKCOVER_BLOB = :BACK where MEDIA_ID = :ID"));
        update.setParam(QStringLiteral("FRONT"), front);
        update.setParam(QStringLiteral("BACK"), back);
        update.setParam(QStringLiteral("ID"), mediaId);
        update.exec();
    }
    QSize thumbnail(int mediaId, const char *column)
    {
        return sizeOf(
            scalar(QStringLiteral("select %1 from MEDIA where MEDIA_ID = %2").arg(QLatin1String(column)).arg(mediaId)));
    }
    QSize fullSize(int mediaId, const char *column)
    {
        return sizeOf(scalar(
            QStringLiteral("select %1 from MEDIA_GFX where MEDIA_ID = %2").arg(QLatin1String(column)).arg(mediaId)));
    }

private slots:
    void initTestCase()
    {
        QVERIFY(LoadLanguageTexts() == TranslationLoad::Loaded);
        ForceDataFolders();
        QVERIFY(dm.CreateRNZDB(TestDatabasePath(QStringLiteral("images")), false, true, false));
    }

    void init()
    {
        SetImageDownloader({});
        sql(QStringLiteral("update DB_INFO set THUMBNAILSIZE = 12"));
        sql(QStringLiteral("delete from MEDIA"));
        sql(QStringLiteral("delete from MEDIA_GFX"));
        for (int id : {1, 2, 3}) {
            sql(QStringLiteral("insert into MEDIA (MEDIA_ID, TITLE) values (%1, 'Medium %1')").arg(id));
            sql(QStringLiteral("insert into MEDIA_GFX (MEDIA_ID) values (%1)").arg(id));
        }
    }

    void scalingRules_data()
    {
        QTest::addColumn<QSize>("picture");
        QTest::addColumn<QSize>("thumbnail"); // SaveFieldAsThumbnailFile(..., 200, 287)
        QTest::addColumn<QSize>("shrunk");    // ShrinkJpegFile(..., 200, 287)
        QTest::newRow("only the height over") << QSize(150, 900) << QSize(150, 900) << QSize(150, 900);
        QTest::newRow("only the width over") << QSize(300, 200) << QSize(300, 200) << QSize(300, 200);
        QTest::newRow("exactly the limit") << QSize(200, 287) << QSize(200, 287) << QSize(200, 287);
        QTest::newRow("both over, portrait") << QSize(1000, 1500) << QSize(200, 300) << QSize(191, 287);
        QTest::newRow("both over, landscape") << QSize(1500, 1000) << QSize(200, 133) << QSize(200, 133);
        QTest::newRow("both over, square") << QSize(600, 600) << QSize(200, 200) << QSize(287, 287);
        QTest::newRow("one pixel over") << QSize(201, 288) << QSize(200, 286) << QSize(200, 287);
    }

    void scalingRules()
    {
        QFETCH(QSize, picture);
        QFETCH(QSize, thumbnail);
        QFETCH(QSize, shrunk);
        const QByteArray bytes = jpegBytes(picture.width(), picture.height());
        const QString thumbnailFile = temp(QStringLiteral("test_thumbnail.jpg"));
        QFile::remove(thumbnailFile);
        SaveFieldAsThumbnailFile(thumbnailFile, bytes, 200, 287);
        QCOMPARE(sizeOfFile(thumbnailFile), thumbnail);

        const QString shrinkFile = temp(QStringLiteral("test_shrink.jpg"));
        writeFile(shrinkFile, bytes);
        QVERIFY(ShrinkJpegFile(shrinkFile, 200, 287));
        QCOMPARE(sizeOfFile(shrinkFile), shrunk);
    }

    void unreadablePicturesAreLeftAlone()
    {
        const QString file = temp(QStringLiteral("test_bad.jpg"));
        QFile::remove(file);
        QVERIFY(!ShrinkJpegFile(file, 200, 287));
        writeFile(file, "not a picture");
        QVERIFY(!ShrinkJpegFile(file, 200, 287));
        QFile::remove(file);
        SaveFieldAsThumbnailFile(file, QByteArray("not a picture"), 200, 287);
        SaveFieldAsThumbnailFile(file, QVariant(), 200, 287);
        QVERIFY(!QFile::exists(file));
    }

    void picturesOfBlobFields()
    {
        QImage image(10, 10, QImage::Format_RGB32);
        LoadJpegField(image, QByteArray());
        QCOMPARE(image.size(), QSize(10, 10));
        LoadJpegField(image, jpegBytes(30, 40));
        QCOMPARE(image.size(), QSize(30, 40));
        LoadJpegField(image, QByteArray("broken"));
        QVERIFY(image.isNull());
        LoadJpegField(image, jpegBytes(30, 40));
        LoadJpegField(image, QVariant());
        QVERIFY(image.isNull());
    }

    void coverStoreKeepsFullSizeAndThumbnail()
    {
        const QImage cover = QImage::fromData(jpegBytes(1000, 1500));
        StoreCoverImage(cover, QStringLiteral("FRONTCOVER_BLOB"), 1);
        QCOMPARE(fullSize(1, "FRONTCOVER_BLOB"), QSize(1000, 1500));
        QCOMPARE(thumbnail(1, "FRONTCOVER_BLOB"), QSize(191, 287));
        QVERIFY(scalar(QStringLiteral("select BACKCOVER_BLOB from MEDIA where MEDIA_ID = 1")).isNull());
        QVERIFY(!QFile::exists(temp(QStringLiteral("fullsize_temp.jpg"))));
        QVERIFY(HasFrontCover(1));
        QVERIFY(!HasFrontCover(2));

        sql(QStringLiteral("update DB_INFO set THUMBNAILSIZE = 14"));
        StoreCoverImage(cover, QStringLiteral("BACKCOVER_BLOB"), 1);
        QCOMPARE(thumbnail(1, "BACKCOVER_BLOB"), QSize(382, 574));
        QCOMPARE(fullSize(1, "BACKCOVER_BLOB"), QSize(1000, 1500));

        StoreCoverImage(QImage(), QStringLiteral("FRONTCOVER_BLOB"), 1);
        QVERIFY(scalar(QStringLiteral("select FRONTCOVER_BLOB from MEDIA where MEDIA_ID = 1")).isNull());
        QVERIFY(scalar(QStringLiteral("select FRONTCOVER_BLOB from MEDIA_GFX where MEDIA_ID = 1")).isNull());
        QCOMPARE(thumbnail(1, "BACKCOVER_BLOB"), QSize(382, 574));
        QVERIFY(!HasFrontCover(1));
    }

    void frontCoverNeedsTenBytes()
    {
        FbQuery update(dm.MainConnection);
        update.setSql(QStringLiteral("update MEDIA set FRONTCOVER_BLOB = :B where MEDIA_ID = 2"));
        update.setParam(QStringLiteral("B"), QByteArray("123456789"));
        update.exec();
        QVERIFY(!HasFrontCover(2));
        update.setParam(QStringLiteral("B"), QByteArray("1234567890"));
        update.exec();
        QVERIFY(HasFrontCover(2));
        QVERIFY(!HasFrontCover(99));
    }

    void imageFilesAreStoredAndOptionallyDeleted()
    {
        const QString file = temp(QStringLiteral("test_person.jpg"));
        writeFile(file, jpegBytes(50, 60));
        QVERIFY(StoreImageFile(QStringLiteral("MEDIA"), QStringLiteral("MEDIA_ID"), QStringLiteral("BACKCOVER_BLOB"),
                               false, 2, file));
        QVERIFY(QFile::exists(file));
        QCOMPARE(thumbnail(2, "BACKCOVER_BLOB"), QSize(50, 60));
        QVERIFY(StoreImageFile(QStringLiteral("MEDIA"), QStringLiteral("MEDIA_ID"), QStringLiteral("FRONTCOVER_BLOB"),
                               true, 2, file));
        QVERIFY(!QFile::exists(file));
        QVERIFY(!StoreImageFile(QStringLiteral("MEDIA"), QStringLiteral("MEDIA_ID"), QStringLiteral("FRONTCOVER_BLOB"),
                                true, 3, file));
        QVERIFY(ClearBlob(QStringLiteral("MEDIA"), QStringLiteral("MEDIA_ID"), QStringLiteral("FRONTCOVER_BLOB"), 2));
        QVERIFY(scalar(QStringLiteral("select FRONTCOVER_BLOB from MEDIA where MEDIA_ID = 2")).isNull());
    }

    void webAddressesGoThroughTheDownloader()
    {
        // A picture left from an earlier download is never stored for an address that cannot be fetched.
        writeFile(temp(QStringLiteral("temp.jpg")), jpegBytes(20, 20));
        QVERIFY(!StoreImageFile(QStringLiteral("MEDIA"), QStringLiteral("MEDIA_ID"), QStringLiteral("FRONTCOVER_BLOB"),
                                false, 3, QStringLiteral("https://x.invalid/a.jpg")));
        QVERIFY(scalar(QStringLiteral("select FRONTCOVER_BLOB from MEDIA where MEDIA_ID = 3")).isNull());

        QStringList asked;
        SetImageDownloader([&asked](const QString &address, const QString &fileName) {
            asked << address;
            if (address.contains(QStringLiteral("missing")))
                return false;
            QFile file(fileName);
            return file.open(QIODevice::WriteOnly) && file.write(jpegBytes(70, 80)) > 0;
        });
        QVERIFY(!StoreImageFile(QStringLiteral("MEDIA"), QStringLiteral("MEDIA_ID"), QStringLiteral("FRONTCOVER_BLOB"),
                                true, 3, QStringLiteral("http://x.invalid/missing")));
        QVERIFY(StoreImageFile(QStringLiteral("MEDIA"), QStringLiteral("MEDIA_ID"), QStringLiteral("FRONTCOVER_BLOB"),
                               true, 3, QStringLiteral("HTTPS://x.invalid/cover.jpg")));
        QCOMPARE(asked.size(), 2);
        QCOMPARE(thumbnail(3, "FRONTCOVER_BLOB"), QSize(70, 80));
        QVERIFY(!QFile::exists(temp(QStringLiteral("temp.jpg"))));
    }

    void thumbnailsAreRebuiltFromTheFullSizeCovers()
    {
        setFullSizeCovers(1, jpegBytes(800, 1148), jpegBytes(800, 1148));
        setFullSizeCovers(2, jpegBytes(800, 1148), QVariant());
        // Medium 3 has no full-size covers: its thumbnail stays.
        FbQuery update(dm.MainConnection);
        update.setSql(QStringLiteral("update MEDIA set FRONTCOVER_BLOB = :B where MEDIA_ID = 3"));
        update.setParam(QStringLiteral("B"), jpegBytes(100, 120));
        update.exec();

        RebuildThumbnails(400, 574, true);
        QCOMPARE(thumbnail(1, "FRONTCOVER_BLOB"), QSize(400, 574));
        QCOMPARE(thumbnail(1, "BACKCOVER_BLOB"), QSize(400, 574));
        QCOMPARE(thumbnail(2, "FRONTCOVER_BLOB"), QSize(400, 574));
        QVERIFY(scalar(QStringLiteral("select BACKCOVER_BLOB from MEDIA where MEDIA_ID = 2")).isNull());
        QCOMPARE(thumbnail(3, "FRONTCOVER_BLOB"), QSize(100, 120));
        QCOMPARE(ui.waitMessage, GetText(Txt::RebuildingThumbnails));
        QCOMPARE(ui.waitMaximum, 3);
        QCOMPARE(ui.progress, (QList<int>{1, 2, 3}));
        QVERIFY(!ui.waitShown);
        QVERIFY(!QFile::exists(temp(QStringLiteral("conv_front.jpg"))));
        QVERIFY(!QFile::exists(temp(QStringLiteral("conv_back.jpg"))));

        ui.progress.clear();
        RebuildThumbnails(200, 287, false);
        QCOMPARE(thumbnail(1, "FRONTCOVER_BLOB"), QSize(200, 287));
        QCOMPARE(thumbnail(1, "BACKCOVER_BLOB"), QSize(200, 287));
        QCOMPARE(thumbnail(2, "FRONTCOVER_BLOB"), QSize(200, 287));
        QVERIFY(ui.progress.isEmpty());
    }

    void filesLeftByAnInterruptedRebuildAreNotStored()
    {
        FbQuery update(dm.MainConnection);
        update.setSql(QStringLiteral("update MEDIA set FRONTCOVER_BLOB = :B where MEDIA_ID = 3"));
        update.setParam(QStringLiteral("B"), jpegBytes(100, 120));
        update.exec();
        writeFile(temp(QStringLiteral("conv_front.jpg")), jpegBytes(10, 10));
        writeFile(temp(QStringLiteral("conv_back.jpg")), jpegBytes(10, 10));
        RebuildThumbnails(200, 287, false);
        QCOMPARE(thumbnail(3, "FRONTCOVER_BLOB"), QSize(100, 120));
        QVERIFY(scalar(QStringLiteral("select count(*) from MEDIA where BACKCOVER_BLOB is not null")).toInt() == 0);
        QVERIFY(thumbnail(1, "FRONTCOVER_BLOB").isEmpty());
    }
};

RN_TEST_MAIN(TestImages)
#include "tst_images.moc"
