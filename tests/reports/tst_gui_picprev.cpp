#include "TestSupport.h"

#include "core/GlobalFunctions.h"
#include "core/Translations.h"
#include "database/DM1_u.h"
#include "reports/ImageExportDialog.h"
#include "reports/PicPrev.h"
#include "reports/PictureFit.h"

#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QTimer>

class TestPicPrev : public QObject
{
    Q_OBJECT

    static QImage picture(int w, int h)
    {
        QImage image(w, h, QImage::Format_RGB32);
        image.fill(Qt::darkCyan);
        return image;
    }

private slots:
    void initTestCase() { QVERIFY(LoadLanguageTexts() == TranslationLoad::Loaded); }

    void fit_data()
    {
        QTest::addColumn<QSize>("picture");
        QTest::addColumn<QPoint>("window");
        QTest::addColumn<QPoint>("expectedPos");
        QTest::addColumn<QSize>("expectedSize");
        QTest::addColumn<bool>("zoomable");
        const QSize big(3000, 4000);
        QTest::newRow("fits: natural size")
            << QSize(400, 600) << QPoint(100, 100) << QPoint(100, 100) << QSize(400, 600) << false;
        QTest::newRow("tall picture reduced") << big << QPoint(100, 100) << QPoint(100, 100) << QSize(720, 960) << true;
        QTest::newRow("wide picture reduced")
            << QSize(4000, 500) << QPoint(100, 100) << QPoint(100, 100) << QSize(1800, 225) << true;
        QTest::newRow("window near the right edge moves to 100")
            << big << QPoint(1850, 100) << QPoint(100, 100) << QSize(720, 960) << true;
        QTest::newRow("window near the bottom moves to 100")
            << QSize(2000, 1000) << QPoint(0, 1000) << QPoint(0, 100) << QSize(1900, 950) << true;
        QTest::newRow("no picture") << QSize() << QPoint(5, 5) << QPoint(5, 5) << QSize() << false;
    }

    // On a 1920 x 1080 desktop.
    void fit()
    {
        QFETCH(QSize, picture);
        QFETCH(QPoint, window);
        QFETCH(QPoint, expectedPos);
        QFETCH(QSize, expectedSize);
        QFETCH(bool, zoomable);
        const PictureFit f = FitPicture(picture, window, QSize(1920, 1080));
        QCOMPARE(f.windowPos, expectedPos);
        QCOMPARE(f.imageSize, expectedSize);
        QCOMPARE(f.zoomable, zoomable);
    }

    void rememberedPosition()
    {
        const QSize desktop(1920, 1080);
        DeleteSettingSection(QStringLiteral("Picture Preview"));
        QCOMPARE(PreviewStartPosition(QPoint(7, 8), desktop), QPoint(7, 8));
        SavePreviewPosition(QPoint(300, 200));
        QCOMPARE(PreviewStartPosition(QPoint(7, 8), desktop), QPoint(300, 200));
        // Each coordinate off the desktop is dropped on its own.
        SavePreviewPosition(QPoint(1900, 200));
        QCOMPARE(PreviewStartPosition(QPoint(7, 8), desktop), QPoint(7, 200));
        SavePreviewPosition(QPoint(300, 1040));
        QCOMPARE(PreviewStartPosition(QPoint(7, 8), desktop), QPoint(300, 8));
    }

    void turnAndZoom()
    {
        TPicPrev_frm form;
        QCOMPARE(form.windowTitle(), GetText(110));
        QCOMPARE(form.turnButton()->text(), GetText(1776) + QStringLiteral(" >"));
        const QSize desktop = QGuiApplication::primaryScreen()->availableGeometry().size();
        form.setFirstPicture(picture(200, 150));
        form.setSecondPicture(picture(desktop.width() * 3, desktop.height() * 4));
        form.show();
        QVERIFY(form.turnButton()->isVisible());
        QVERIFY(!form.zoomButton()->isVisible());
        QCOMPARE(form.imageLabel()->size(), QSize(200, 150));
        QCOMPARE(form.zoomButton()->x(), form.turnButton()->geometry().right() + 1 + 3);

        form.TurnClick();
        QVERIFY(form.secondVisible());
        QVERIFY(form.zoomButton()->isVisible());
        QVERIFY(form.imageLabel()->height() < desktop.height());
        form.ZoomClick();
        QCOMPARE(form.imageLabel()->size(), QSize(desktop.width() * 3, desktop.height() * 4));
        QVERIFY(!form.zoomButton()->isVisible());
        form.TurnClick();
        QVERIFY(!form.secondVisible());
        QCOMPARE(form.imageLabel()->size(), QSize(200, 150));

        DeleteSettingSection(QStringLiteral("Picture Preview"));
        QTest::keyClick(&form, Qt::Key_Escape);
        QVERIFY(!form.isVisible());
        QVERIFY(SettingExists(QStringLiteral("WindowTop"), QStringLiteral("Picture Preview")));
    }

    // A person's picture: no second picture, no turn button, the zoom button at the left edge.
    void singlePicture()
    {
        TPicPrev_frm form;
        form.setFirstPicture(picture(100, 120));
        form.show();
        QVERIFY(!form.turnButton()->isVisible());
        QCOMPARE(form.zoomButton()->x(), 4);
        QTest::mouseClick(form.imageLabel(), Qt::LeftButton);
        QVERIFY(!form.isVisible());
    }

    void exportDialogSettings()
    {
        WriteSettingString(QStringLiteral("DestinationDirectory"), QStringLiteral("Image Export"),
                           TestHome() + QStringLiteral("/covers"));
        WriteSettingBool(QStringLiteral("NumberBasedFilename"), QStringLiteral("Image Export"), true);
        WriteSettingBool(QStringLiteral("IncludeBackCoverArt"), QStringLiteral("Image Export"), true);
        TDM1 dm;
        QVERIFY(dm.CreateRNZDB(TestDatabasePath(QStringLiteral("picprev")), false, true, false));
        TImageExport_frm form(dm.MainConnection, {});
        QCOMPARE(form.folderEdit()->text(), TestHome() + QStringLiteral("/covers"));
        QVERIFY(form.numberChoice()->isChecked());
        QVERIFY(form.backCoverBox()->isChecked());

        // OK writes the choices back, makes the folder and closes.
        form.titleChoice()->setChecked(true);
        form.backCoverBox()->setChecked(false);
        form.folderEdit()->setText(TestHome() + QStringLiteral("/covers2"));
        form.show();
        form.OkClick();
        QCOMPARE(form.result(), QDialog::Accepted);
        QVERIFY(QFileInfo(TestHome() + QStringLiteral("/covers2")).isDir());
        const ImageExportSettings s = ReadImageExportSettings();
        QCOMPARE(s.destinationDirectory, TestHome() + QStringLiteral("/covers2"));
        QVERIFY(!s.numberBasedFilename);
        QVERIFY(!s.includeBackCoverArt);
    }
};

RN_GUI_TEST_MAIN(TestPicPrev)
#include "tst_gui_picprev.moc"
