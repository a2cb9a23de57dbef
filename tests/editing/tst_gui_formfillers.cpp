#include "TestSupport.h"

#include "core/GlobalFunctions.h"
#include "core/TextNumbers.h"
#include "core/Translations.h"
#include "database/DM1_u.h"
#include "database/FbQuery.h"
#include "editing/FormFillers.h"

#include <QApplication>
#include <QBuffer>
#include <QComboBox>
#include <QLabel>

class TestFormFillers : public QObject
{
    Q_OBJECT

    RecordingUserInterface ui;
    TDM1 dm;

    void sql(const QString &statement) { FbQuery::execute(dm.MainConnection, statement); }

    static QStringList items(const QComboBox &box)
    {
        QStringList texts;
        for (int i = 0; i < box.count(); ++i)
            texts << box.itemText(i);
        return texts;
    }

private slots:
    void initTestCase()
    {
        QVERIFY(LoadLanguageTexts() == TranslationLoad::Loaded);
        ForceDataFolders();
        QVERIFY(dm.CreateRNZDB(TestDatabasePath(QStringLiteral("fillers")), false, true, false));
        sql(QStringLiteral("insert into MEDIA (MEDIA_ID, STATUS, MEDIATYPE_ID) values (1, 'Sealed', 1)"));
        sql(QStringLiteral("insert into MEDIA (MEDIA_ID, STATUS, MEDIATYPE_ID) values (2, 'Opened', 2)"));
        sql(QStringLiteral("insert into MEDIA (MEDIA_ID, STATUS, MEDIATYPE_ID) values (3, ' ', 2)"));
    }

    void dropDownsOfferTheStoredValues()
    {
        QComboBox box;
        box.addItem(QStringLiteral("old"));
        FillDistinctValues(&box, QStringLiteral("MEDIA"), QStringLiteral("STATUS"));
        QCOMPARE(items(box), (QStringList{QString(), QStringLiteral("Opened"), QStringLiteral("Sealed")}));
        FillDistinctValuesWhere(&box, QStringLiteral("MEDIA"), QStringLiteral("STATUS"), QStringLiteral("MEDIATYPE_ID"),
                                QStringLiteral("2"));
        QCOMPARE(items(box), (QStringList{QString(), QStringLiteral("Opened")}));
    }

    void refillingKeepsTheTypedText()
    {
        QComboBox box;
        box.setEditable(true);
        box.setEditText(QStringLiteral("  Lent out "));
        RefillDistinctValues(&box, QStringLiteral("MEDIA"), QStringLiteral("STATUS"));
        QCOMPARE(items(box), (QStringList{QStringLiteral("Opened"), QStringLiteral("Sealed")}));
        QCOMPARE(box.currentText(), QStringLiteral("Lent out"));
        RefillDistinctValues(&box, QStringLiteral("MEDIA"), QStringLiteral("NO_SUCH_COLUMN"));
        QCOMPARE(box.currentText(), QString());

        QComboBox fixed;
        fixed.addItem(QStringLiteral("Sealed"));
        RefillDistinctValues(&fixed, QStringLiteral("MEDIA"), QStringLiteral("STATUS"));
        QCOMPARE(fixed.currentText(), QStringLiteral("Sealed"));
    }

    void descriptionHintsComeAndGo()
    {
        sql(QStringLiteral("insert into FORMATLIST (FORMAT_ID, NAME, DESCRIPTION) values (900, 'Test 2.39:1', "
                           "'Cinemascope')"));
        QLabel control;
        control.setToolTip(QStringLiteral("old"));
        ShowLookupDescriptionHint(QStringLiteral("FORMATLIST"), QStringLiteral("FORMAT_ID"),
                                  QStringLiteral("test 2.39:1"), &control);
        QCOMPARE(control.toolTip(), GetText(Txt::DescriptionHint) + QStringLiteral(":\nCinemascope"));
        ShowLookupDescriptionHint(QStringLiteral("FORMATLIST"), QStringLiteral("FORMAT_ID"), QStringLiteral("nothing"),
                                  &control);
        QVERIFY(control.toolTip().isEmpty());
    }

    void imageControlsShowAndStoreCovers()
    {
        QImage picture(60, 90, QImage::Format_RGB32);
        picture.fill(Qt::darkBlue);
        QBuffer jpeg;
        jpeg.open(QIODevice::WriteOnly);
        picture.save(&jpeg, "JPG");

        QLabel control;
        LoadJpegField(&control, jpeg.data());
        QCOMPARE(control.pixmap().size(), QSize(60, 90));
        LoadJpegField(&control, QByteArray());
        QCOMPARE(control.pixmap().size(), QSize(60, 90));

        sql(QStringLiteral("insert into MEDIA_GFX (MEDIA_ID) values (1)"));
        StoreCoverImage(&control, QStringLiteral("FRONTCOVER_BLOB"), 1);
        QCOMPARE(
            QImage::fromData(FbQuery::scalar(dm.MainConnection, QStringLiteral("select FRONTCOVER_BLOB from MEDIA_GFX"))
                                 .toByteArray())
                .size(),
            QSize(60, 90));

        LoadJpegField(&control, QVariant());
        QVERIFY(control.pixmap().isNull());
        StoreCoverImage(&control, QStringLiteral("FRONTCOVER_BLOB"), 1);
        QVERIFY(FbQuery::scalar(dm.MainConnection, QStringLiteral("select FRONTCOVER_BLOB from MEDIA_GFX")).isNull());
    }
};

RN_GUI_TEST_MAIN(TestFormFillers)
#include "tst_gui_formfillers.moc"
