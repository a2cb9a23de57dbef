#include "TestSupport.h"

#include "core/GlobalFunctions.h"
#include "core/TextNumbers.h"
#include "core/Translations.h"
#include "database/DM1_u.h"
#include "database/FbQuery.h"
#include "database/ImageStore.h"
#include "database/RecordHelpers.h"
#include "editing/NewMovie.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDropEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMimeData>
#include <QPainter>
#include <QPushButton>
#include <QSpinBox>
#include <QTabWidget>

namespace {

QImage picture(int width, int height, QColor color)
{
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(color);
    QPainter painter(&image);
    painter.fillRect(width / 4, height / 4, width / 2, height / 2, Qt::white);
    return image;
}

QSize blobSize(const QVariant &blob)
{
    QImage image;
    return DecodeJpegField(blob, &image) == JpegField::Show ? image.size() : QSize();
}

} // namespace

class TestNewMovie : public QObject
{
    Q_OBJECT

    RecordingUserInterface ui;
    TDM1 dm;
    MovieEditorOptions options;

    void sql(const QString &statement) { FbQuery::execute(dm.MainConnection, statement); }
    QVariant scalar(const QString &select) { return FbQuery::scalar(dm.MainConnection, select); }
    QStringList column(const QString &select) { return SelectColumn(dm.MainConnection, select); }
    // Every row of the tables an entry touches, as text: equal snapshots mean nothing changed.
    QStringList snapshot()
    {
        QStringList rows;
        for (const char *select : {"select MEDIA_ID, TITLE, SEQNUMBER, FRONTCOVER_BLOB from MEDIA order by MEDIA_ID",
                                   "select MEDIA_ID, MOVIE_ID, LISTINDEX, TITLE, TAGLINE from MOVIE order by MOVIE_ID",
                                   "select MOVIE_ID, PERSON_ID, ROLE_ID from CASTCREW order by MOVIE_ID, PERSON_ID",
                                   "select MOVIE_ID, GENRE_ID from GENRE order by MOVIE_ID, GENRE_ID",
                                   "select MOVIE_ID, AUTOINDEX, NAME from FEATURES order by MOVIE_ID, AUTOINDEX",
                                   "select GENRE_ID, NAME from GENRELIST order by GENRE_ID"}) {
            FbQuery query(dm.MainConnection);
            query.setSql(QLatin1String(select));
            query.open();
            while (query.next()) {
                QStringList values;
                for (int i = 0; i < query.columnCount(); ++i)
                    values << query.value(i).toString();
                rows << values.join(QLatin1Char('|'));
            }
        }
        return rows;
    }

    template <typename T> static T *field(TNewMovie_frm &editor, const char *name)
    {
        T *child = editor.findChild<T *>(QLatin1String(name));
        if (!child)
            qFatal("no field %s", name);
        return child;
    }
    static QAction *action(TNewMovie_frm &editor, const char *name) { return field<QAction>(editor, name); }
    static void type(TNewMovie_frm &editor, const char *name, const QString &text)
    {
        QLineEdit *edit = field<QLineEdit>(editor, name);
        edit->setFocus();
        edit->selectAll();
        QTest::keyClick(edit, Qt::Key_Delete);
        QTest::keyClicks(edit, text);
        QTest::keyClick(edit, Qt::Key_Tab);
        emit edit->editingFinished();
    }
    static QPushButton *dialogButton(TNewMovie_frm &editor, EditorDialog dialog)
    {
        for (QPushButton *button : editor.findChildren<QPushButton *>())
            if (button->property("editorDialog").isValid() &&
                button->property("editorDialog").toInt() == static_cast<int>(dialog))
                return button;
        return nullptr;
    }
    static QStringList contentTitles(const TNewMovie_frm &editor)
    {
        QStringList titles;
        for (const ContentRow &row : editor.contents())
            titles << row.title;
        return titles;
    }
    // A medium with two movies, committed.
    double fixtureMedium(int key, const QString &title)
    {
        sql(QStringLiteral("insert into MEDIA (MEDIA_ID, TITLE, TITLESORT, SEQNUMBER, NOOFDISCS, MEDIATYPE_ID, "
                           "BUYPRICE, LEND_ID, BUYDATE) values (%1, '%2', '%2', %1, 1, 1, 0.4, 3, '1900-01-01')")
                .arg(key)
                .arg(title));
        sql(QStringLiteral("insert into MEDIA_GFX (MEDIA_ID) values (%1)").arg(key));
        for (int i = 1; i <= 2; ++i)
            sql(QStringLiteral("insert into MOVIE (MEDIA_ID, MOVIE_ID, LISTINDEX, TITLE, TAGLINE, MOVIETIME, DISCNO) "
                               "values (%1, %2, %3, '%4 %3', 'Tag', 100, 1)")
                    .arg(key)
                    .arg(key * 10 + i)
                    .arg(i)
                    .arg(title));
        dm.MainConnection.commitRetaining();
        return key;
    }

private slots:
    void initTestCase()
    {
        QVERIFY(LoadLanguageTexts() == TranslationLoad::Loaded);
        ForceDataFolders();
        QVERIFY(dm.CreateRNZDB(TestDatabasePath(QStringLiteral("newmovie")), false, true, false));
        // The engine refuses a medium titled "Broken": a save that fails halfway through.
        sql(QStringLiteral("alter table MEDIA add constraint CHK_TEST_TITLE check (TITLE is null or TITLE <> "
                           "'Broken')"));
        dm.MainConnection.commitRetaining();
        options.currencySymbol = QStringLiteral("$");
    }

    void init()
    {
        ui.messages.clear();
        ui.answers.clear();
    }

    void newMediumWithTwoMoviesReorderedAndReopened()
    {
        double mediaId = -1;
        {
            TNewMovie_frm editor(options);
            editor.show();
            QCOMPARE(editor.windowTitle(),
                     GetText(Txt::NewEntry) + QStringLiteral(" - ") + GetText(Txt::EntryProperties));
            type(editor, "edMediaTitle", QStringLiteral("Harbour Box"));
            // The media title goes into the blank first movie title and the original title.
            QCOMPARE(field<QLineEdit>(editor, "edMovieTitle")->text(), QStringLiteral("Harbour Box"));
            QCOMPARE(field<QLineEdit>(editor, "edOrigTitle")->text(), QStringLiteral("Harbour Box"));
            type(editor, "edMovieTitle", QStringLiteral("First Light"));
            type(editor, "edTagline", QStringLiteral("Morning Comes"));
            type(editor, "edReleaseDate", QStringLiteral("2014-05-06"));
            type(editor, "edPrice", QStringLiteral("12.5"));
            type(editor, "edTrailer", QStringLiteral("/Videos/Harbour/Trailer.MKV"));
            type(editor, "edLastWatched", QStringLiteral("2023-01-02"));
            // Leaving the date ticks the box; unticking it still stores the movie as watched.
            QVERIFY(field<QCheckBox>(editor, "chkWatched")->isChecked());
            field<QCheckBox>(editor, "chkWatched")->setChecked(false);

            action(editor, "actNewContent")->trigger();
            QCOMPARE(editor.contents().size(), 2);
            QCOMPARE(field<QLineEdit>(editor, "edMovieTitle")->text(), GetText(Txt::NewMovie));
            type(editor, "edMovieTitle", QStringLiteral("Second Tide"));
            editor.MoveUpClick();
            QCOMPARE(contentTitles(editor), (QStringList{"Second Tide", "First Light"}));
            QVERIFY(editor.ChangesMadeToCurrentEntry);

            action(editor, "actSave")->trigger();
            QVERIFY(editor.ChangesMadeInLastEntrySession);
            QVERIFY(!editor.ChangesMadeToCurrentEntry);
            mediaId = editor.FMediaID;
            QVERIFY(mediaId > 0);
            editor.resize(1111, 722);
            editor.close();
            QVERIFY(ui.messages.isEmpty());
        }
        QCOMPARE(
            column(
                QStringLiteral("select TITLE from MOVIE where MEDIA_ID = %1 order by LISTINDEX").arg(SqlKey(mediaId))),
            (QStringList{"Second Tide", "First Light"}));
        QCOMPARE(column(QStringLiteral("select LISTINDEX from MOVIE where MEDIA_ID = %1 order by LISTINDEX")
                            .arg(SqlKey(mediaId))),
                 (QStringList{"1", "2"}));
        QCOMPARE(scalar(QStringLiteral("select WATCHED from MOVIE where TITLE = 'First Light'")).toInt(), 1);
#ifndef Q_OS_WIN
        QCOMPARE(scalar(QStringLiteral("select CLIPPATH from MOVIE where TITLE = 'First Light'")).toString(),
                 QStringLiteral("/Videos/Harbour/Trailer.MKV"));
#endif

        TNewMovie_frm editor(options);
        editor.FMediaID = mediaId;
        editor.show();
        QCOMPARE(editor.size(), QSize(1111, 722));
        QCOMPARE(editor.windowTitle(), QStringLiteral("Harbour Box - ") + GetText(Txt::EntryProperties));
        QCOMPARE(contentTitles(editor), (QStringList{"Second Tide", "First Light"}));
        QVERIFY(field<QWidget>(editor, "ContentsPane")->isVisible());
        QCOMPARE(field<QLineEdit>(editor, "edMovieTitle")->text(), QStringLiteral("Second Tide"));
        QCOMPARE(field<QLineEdit>(editor, "edPrice")->text(), QLocale().toString(12.5, 'f', 2));
        field<QListWidget>(editor, "ContentsList")->setCurrentRow(1);
        QCOMPARE(field<QLineEdit>(editor, "edMovieTitle")->text(), QStringLiteral("First Light"));
        QCOMPARE(field<QLineEdit>(editor, "edTagline")->text(), QStringLiteral("Morning Comes"));
        QCOMPARE(field<QLineEdit>(editor, "edReleaseDate")->text(), FormatDateField(QDate(2014, 5, 6)));
        QVERIFY(field<QCheckBox>(editor, "chkWatched")->isChecked());
        QVERIFY(!editor.ChangesMadeToCurrentEntry);
        editor.close();
        QVERIFY(ui.messages.isEmpty());
    }

    void closingWithoutSavingUndoesEverything()
    {
        const double mediaId = fixtureMedium(20, QStringLiteral("Quiet Shelf"));
        SetEditorDialog(EditorDialog::CastAndCrew, [this](EditorDialogRequest &request) {
            sql(QStringLiteral("insert into CASTCREW (MOVIE_ID, PERSON_ID, ROLE_ID, LISTINDEX) values (%1, 1, 1, 1)")
                    .arg(SqlKey(request.movieId)));
            return true;
        });
        const QStringList before = snapshot();
        {
            TNewMovie_frm editor(options);
            editor.FMediaID = mediaId;
            editor.show();
            QPushButton *cast = dialogButton(editor, EditorDialog::CastAndCrew);
            QVERIFY(cast && cast->isEnabled());
            type(editor, "edMediaTitle", QStringLiteral("Renamed"));
            type(editor, "edTagline", QStringLiteral("Changed tag"));
            QTest::mouseClick(cast, Qt::LeftButton);
            // Moving to another content saves this one in the open transaction.
            field<QListWidget>(editor, "ContentsList")->setCurrentRow(1);
            QTest::mouseClick(cast, Qt::LeftButton);
            action(editor, "actNewContent")->trigger();
            editor.MoveUpClick();
            ui.answers << MessageAnswer::No;
            editor.close();
            QCOMPARE(ui.messages.size(), 1);
            QCOMPARE(ui.messages.first().text, GetText(Txt::UnsavedChangesQuestion));
            QVERIFY(!editor.ChangesMadeInLastEntrySession);
        }
        SetEditorDialog(EditorDialog::CastAndCrew, {});
        QCOMPARE(snapshot(), before);
    }

    void disconnectedDialogsAreDisabled()
    {
        TNewMovie_frm editor(options);
        editor.show();
        for (const EditorDialog dialog :
             {EditorDialog::CastAndCrew, EditorDialog::Awards, EditorDialog::Episodes, EditorDialog::TechnicalData,
              EditorDialog::MovieFiles, EditorDialog::PickList})
            QVERIFY(!dialogButton(editor, dialog)->isEnabled());
        editor.close();
    }

    void automaticCounterPicksTheNextFreeNumber()
    {
        for (const int seq : {500, 501, 503})
            sql(QStringLiteral("insert into MEDIA (MEDIA_ID, TITLE, SEQNUMBER) values (%1, 'Numbered', %1)").arg(seq));
        dm.MainConnection.commitRetaining();
        SetMinimumAutoCounter(500);

        {
            TNewMovie_frm editor(options);
            editor.show();
            QCOMPARE(field<QLineEdit>(editor, "edSeqNumber")->text(), QStringLiteral("502"));
            // A number another medium has cannot be saved for a new entry.
            type(editor, "edSeqNumber", QStringLiteral("501"));
            QVERIFY(!editor.SaveClick());
            QCOMPARE(ui.messages.last().text, GetText(Txt::SeqNumberInUse));
            QCOMPARE(editor.FMediaID, -1.0);
            QVERIFY(editor.isVisible());
            ui.answers << MessageAnswer::No;
            editor.close();
        }

        MovieEditorOptions noCounter = options;
        noCounter.useAutoCounter = false;
        TNewMovie_frm editor(noCounter);
        editor.show();
        QCOMPARE(field<QLineEdit>(editor, "edSeqNumber")->text(), QString());
        QVERIFY(editor.SaveClick());
        QCOMPARE(field<QLineEdit>(editor, "edSeqNumber")->text(), QStringLiteral("502"));
        // Blank titles are saved under the new-entry texts.
        QCOMPARE(scalar(QStringLiteral("select TITLE from MEDIA where SEQNUMBER = 502")).toString(),
                 GetText(Txt::NewMedia));
        QCOMPARE(scalar(QStringLiteral("select count(*) from MOVIE where MEDIA_ID = %1 and TITLE = %2")
                            .arg(SqlKey(editor.FMediaID), QuotedStr(GetText(Txt::NewMovie))))
                     .toInt(),
                 1);
        editor.close();
        SetMinimumAutoCounter(1);
    }

    void coversStoredFullSizeAndReduced()
    {
        const QString file = TestHome() + QStringLiteral("/front.jpg");
        QVERIFY(picture(900, 1300, Qt::darkRed).save(file, "JPEG"));
        double mediaId = -1;
        {
            TNewMovie_frm editor(options);
            editor.show();
            QVERIFY(field<QPushButton>(editor, "btnAddFront")->isVisible());
            QVERIFY(editor.loadCoverFile(true, file));
            QVERIFY(!field<QPushButton>(editor, "btnAddFront")->isVisible());
            QVERIFY(editor.ChangesMadeToCurrentEntry);
            // A picture dropped on the back cover box.
            QMimeData data;
            data.setImageData(picture(700, 1000, Qt::darkBlue));
            QLabel *back = field<QLabel>(editor, "imgBack");
            QDragEnterEvent enter(QPoint(10, 10), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
            QApplication::sendEvent(back, &enter);
            QVERIFY(enter.isAccepted());
            QDropEvent drop(QPointF(10, 10), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
            QApplication::sendEvent(back, &drop);
            QCOMPARE(editor.cover(false).size(), QSize(700, 1000));
            QVERIFY(editor.SaveClick());
            mediaId = editor.FMediaID;
            editor.close();
        }
        const QString key = SqlKey(mediaId);
        QCOMPARE(blobSize(scalar(QStringLiteral("select FRONTCOVER_BLOB from MEDIA_GFX where MEDIA_ID = ") + key)),
                 QSize(900, 1300));
        QCOMPARE(blobSize(scalar(QStringLiteral("select BACKCOVER_BLOB from MEDIA_GFX where MEDIA_ID = ") + key)),
                 QSize(700, 1000));
        const QSize reduced =
            blobSize(scalar(QStringLiteral("select FRONTCOVER_BLOB from MEDIA where MEDIA_ID = ") + key));
        const QSize limit = ThumbnailMaxSize(ReadThumbnailSize());
        QVERIFY(reduced.isValid());
        QVERIFY2(reduced.width() <= limit.width() && reduced.height() <= limit.height(),
                 qPrintable(QStringLiteral("%1x%2").arg(reduced.width()).arg(reduced.height())));

        TNewMovie_frm editor(options);
        editor.FMediaID = mediaId;
        editor.show();
        QCOMPARE(editor.cover(true).size(), QSize(900, 1300));
        action(editor, "actRemoveBack")->trigger();
        QVERIFY(editor.SaveClick());
        editor.close();
        QVERIFY(scalar(QStringLiteral("select BACKCOVER_BLOB from MEDIA_GFX where MEDIA_ID = ") + key).isNull());
        QVERIFY(scalar(QStringLiteral("select BACKCOVER_BLOB from MEDIA where MEDIA_ID = ") + key).isNull());
    }

    void detailListsSavedInOrderWithNewNamesOnce()
    {
        SetEditorDialog(EditorDialog::PickList, [](EditorDialogRequest &request) {
            if (request.table == QLatin1String("GENRELIST"))
                *request.items = QStringList{"Drama", "harbour noir"};
            return true;
        });
        SetEditorDialog(EditorDialog::ListText, [](EditorDialogRequest &request) {
            *request.items << QStringLiteral("Making-of") << QStringLiteral("Commentary") << QStringLiteral("Bloopers");
            return true;
        });
        double mediaId = -1;
        {
            TNewMovie_frm editor(options);
            editor.show();
            type(editor, "edMediaTitle", QStringLiteral("Noir Set"));
            QTest::mouseClick(field<QPushButton>(editor, "lstGenresAdd"), Qt::LeftButton);
            QTest::mouseClick(field<QPushButton>(editor, "lstSpecialFeaturesAdd"), Qt::LeftButton);
            // The second movie names the same new genre.
            action(editor, "actNewContent")->trigger();
            QTest::mouseClick(field<QPushButton>(editor, "lstGenresAdd"), Qt::LeftButton);
            QVERIFY(editor.SaveClick());
            mediaId = editor.FMediaID;
            editor.close();
        }
        SetEditorDialog(EditorDialog::PickList, {});
        SetEditorDialog(EditorDialog::ListText, {});
        QCOMPARE(column(QStringLiteral("select NAME from GENRELIST where lower(NAME) = 'harbour noir'")),
                 QStringList{"Harbour Noir"});
        const QStringList movies = column(
            QStringLiteral("select MOVIE_ID from MOVIE where MEDIA_ID = %1 order by LISTINDEX").arg(SqlKey(mediaId)));
        QCOMPARE(movies.size(), 2);
        for (const QString &movie : movies)
            QCOMPARE(column(QStringLiteral("select count(*) from GENRE where MOVIE_ID = ") + movie), QStringList{"2"});
        QCOMPARE(
            column(
                QStringLiteral("select NAME from FEATURES where MOVIE_ID = %1 order by AUTOINDEX").arg(movies.first())),
            (QStringList{"Making-of", "Commentary", "Bloopers"}));
    }

    void failingSaveKeepsTheInput()
    {
        const int mediaBefore = scalar(QStringLiteral("select count(*) from MEDIA")).toInt();
        TNewMovie_frm editor(options);
        editor.show();
        type(editor, "edMediaTitle", QStringLiteral("Broken"));
        type(editor, "edMovieTitle", QStringLiteral("Kept Input"));
        type(editor, "edTagline", QStringLiteral("Still Here"));
        QVERIFY(!editor.SaveClick());
        QCOMPARE(ui.messages.size(), 1);
        QCOMPARE(ui.messages.first().kind, MessageKind::Error);
        QVERIFY(ui.messages.first().text.contains(QStringLiteral("CHK_TEST_TITLE")));
        QVERIFY(editor.isVisible());
        QCOMPARE(editor.FMediaID, -1.0);
        QCOMPARE(field<QLineEdit>(editor, "edMovieTitle")->text(), QStringLiteral("Kept Input"));
        QCOMPARE(field<QLineEdit>(editor, "edTagline")->text(), QStringLiteral("Still Here"));
        QCOMPARE(scalar(QStringLiteral("select count(*) from MEDIA")).toInt(), mediaBefore);
        QCOMPARE(scalar(QStringLiteral("select count(*) from MOVIE where TITLE = 'Kept Input'")).toInt(), 0);

        // Text that is no date or number is refused before anything is written.
        type(editor, "edMediaTitle", QStringLiteral("Mended"));
        for (const auto &[name, text] :
             {std::pair{"edReleaseDate", "31.31.2020"}, std::pair{"edReleaseDate", ""}, std::pair{"edBudget", "lots"},
              std::pair{"edBudget", ""}, std::pair{"edSeqNumber", "A-12"}}) {
            type(editor, name, QLatin1String(text));
            if (!*text)
                continue;
            ui.messages.clear();
            QVERIFY(!editor.SaveClick());
            QCOMPARE(ui.messages.size(), 1);
            QCOMPARE(ui.messages.first().kind, MessageKind::Warning);
            QVERIFY(ui.messages.first().text.contains(QLatin1String(text)));
            QCOMPARE(field<QLineEdit>(editor, name)->text(), QLatin1String(text));
            QCOMPARE(scalar(QStringLiteral("select count(*) from MEDIA")).toInt(), mediaBefore);
        }
        type(editor, "edSeqNumber", QStringLiteral("612"));
        QVERIFY(editor.SaveClick());
        QCOMPARE(
            scalar(QStringLiteral("select TITLE from MOVIE where MEDIA_ID = ") + SqlKey(editor.FMediaID)).toString(),
            QStringLiteral("Kept Input"));
        editor.close();
    }

    void storedValuesShowByTheirRules()
    {
        const double mediaId = fixtureMedium(30, QStringLiteral("Lent Copy"));
        sql(QStringLiteral("update MEDIA set LENDDATE = '2024-01-02' where MEDIA_ID = 30"));
        dm.MainConnection.commitRetaining();
        TNewMovie_frm editor(options);
        editor.FMediaID = mediaId;
        editor.show();
        // A price that rounds to 0 and a date of 1900 show empty.
        QCOMPARE(field<QLineEdit>(editor, "edPrice")->text(), QString());
        QCOMPARE(field<QLineEdit>(editor, "edBuyDate")->text(), QString());
        QVERIFY(editor.SaveClick());
        editor.close();
        QCOMPARE(scalar(QStringLiteral("select BUYPRICE from MEDIA where MEDIA_ID = 30")).toDouble(), 0.0);
        QCOMPARE(scalar(QStringLiteral("select BUYDATE from MEDIA where MEDIA_ID = 30")).toDateTime().date(),
                 QDate(1899, 12, 30));
        // The loan stays as it was.
        QCOMPARE(scalar(QStringLiteral("select LEND_ID from MEDIA where MEDIA_ID = 30")).toInt(), 3);
        QCOMPARE(scalar(QStringLiteral("select LENDDATE from MEDIA where MEDIA_ID = 30")).toDateTime().date(),
                 QDate(2024, 1, 2));
    }

    void typingCapitalisesWords_data()
    {
        QTest::addColumn<bool>("autoFormat");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("shown");
        QTest::newRow("on") << true << "the keeper's (second) tale/part two"
                            << "The Keeper's (Second) Tale/Part Two";
        QTest::newRow("off") << false << "the keeper's tale"
                             << "the keeper's tale";
    }

    void typingCapitalisesWords()
    {
        QFETCH(bool, autoFormat);
        QFETCH(QString, typed);
        QFETCH(QString, shown);
        MovieEditorOptions typing = options;
        typing.useAutoFormat = autoFormat;
        TNewMovie_frm editor(typing);
        editor.show();
        for (const char *name : {"edMovieTitle", "edTagline"}) {
            QLineEdit *edit = field<QLineEdit>(editor, name);
            edit->clear();
            QTest::keyClicks(edit, typed);
            QCOMPARE(edit->text(), shown);
        }
        QLineEdit *studio = field<QComboBox>(editor, "cbStudio")->lineEdit();
        QTest::keyClicks(studio, typed);
        QCOMPARE(studio->text(), shown);
        // Fields without the rule keep what is typed.
        QLineEdit *code = field<QLineEdit>(editor, "edDownloadCode");
        QTest::keyClicks(code, typed);
        QCOMPARE(code->text(), typed);
        ui.answers << MessageAnswer::No;
        editor.close();
    }

    void openNextAndPreviousStepThroughTheView()
    {
        const double first = fixtureMedium(50, QStringLiteral("Step One"));
        const double second = fixtureMedium(51, QStringLiteral("Step Two"));
        const QStringList before = snapshot();
        TNewMovie_frm editor(options);
        editor.FMediaID = first;
        editor.FDataSetInUse = EntrySequence{{first, second}, 0};
        editor.show();
        QVERIFY(!action(editor, "actOpenPrevious")->isEnabled());
        QVERIFY(action(editor, "actOpenNext")->isEnabled());
        type(editor, "edTagline", QStringLiteral("Not Kept"));
        action(editor, "actNewContent")->trigger();
        ui.answers << MessageAnswer::No;
        action(editor, "actOpenNext")->trigger();
        QCOMPARE(ui.messages.size(), 1);
        QCOMPARE(editor.FMediaID, second);
        QCOMPARE(field<QLineEdit>(editor, "edMediaTitle")->text(), QStringLiteral("Step Two"));
        QVERIFY(action(editor, "actOpenPrevious")->isEnabled());
        QVERIFY(!action(editor, "actOpenNext")->isEnabled());
        QVERIFY(!editor.ChangesMadeToCurrentEntry);
        // What was answered No to is gone.
        QCOMPARE(snapshot(), before);
        action(editor, "actOpenPrevious")->trigger();
        QCOMPARE(editor.FMediaID, first);
        QCOMPARE(contentTitles(editor), (QStringList{"Step One 1", "Step One 2"}));
        editor.close();
    }

    void mediaTypeDecidesPaneAndLength_data()
    {
        QTest::addColumn<QString>("mediaType");
        QTest::addColumn<bool>("pane");
        QTest::addColumn<bool>("length");
        QTest::addColumn<int>("storedLength");
        QTest::newRow("tape: length, no contents") << "Test Tape" << false << true << 95;
        QTest::newRow("box: contents, no length") << "Test Box" << true << false << 0;
        QTest::newRow("no type: contents") << "" << true << false << 0;
    }

    void mediaTypeDecidesPaneAndLength()
    {
        QFETCH(QString, mediaType);
        QFETCH(bool, pane);
        QFETCH(bool, length);
        QFETCH(int, storedLength);
        if (scalar(QStringLiteral("select count(*) from MEDIATYPE where NAME = 'Test Tape'")).toInt() == 0) {
            sql(QStringLiteral("insert into MEDIATYPE (MEDIATYPE_ID, NAME, DESCRIPTION, SPECIFYLENGTH, VIEWCONTENTS) "
                               "values (901, 'Test Tape', 'Magnetic tape', 1, 0)"));
            sql(QStringLiteral("insert into MEDIATYPE (MEDIATYPE_ID, NAME, DESCRIPTION, SPECIFYLENGTH, VIEWCONTENTS) "
                               "values (902, 'Test Box', '', 0, 1)"));
            dm.MainConnection.commitRetaining();
        }
        TNewMovie_frm editor(options);
        editor.show();
        QComboBox *type = field<QComboBox>(editor, "cbMediaType");
        type->setCurrentIndex(type->findText(mediaType));
        QCOMPARE(field<QWidget>(editor, "ContentsPane")->isVisible(), pane);
        QCOMPARE(field<QSpinBox>(editor, "spLength")->isVisible(), length);
        QCOMPARE(type->toolTip().contains(QStringLiteral("Magnetic tape")), mediaType == QLatin1String("Test Tape"));
        field<QSpinBox>(editor, "spLength")->setValue(95);
        field<QLineEdit>(editor, "edSeqNumber")->clear();
        QVERIFY(editor.SaveClick());
        QCOMPARE(
            scalar(QStringLiteral("select MEDIATIME from MEDIA where MEDIA_ID = ") + SqlKey(editor.FMediaID)).toInt(),
            storedLength);
        editor.close();
    }

    void deleteRemovesTheEntry()
    {
        const double mediaId = fixtureMedium(40, QStringLiteral("Gone Soon"));
        TNewMovie_frm editor(options);
        editor.FMediaID = mediaId;
        editor.show();
        ui.answers << MessageAnswer::Yes;
        action(editor, "actDelete")->trigger();
        QCOMPARE(ui.messages.first().text, GetText(Txt::DeleteThisEntry));
        QVERIFY(editor.ChangesMadeInLastEntrySession);
        QVERIFY(!editor.isVisible());
        DiscardSession(dm);
        QCOMPARE(scalar(QStringLiteral("select count(*) from MEDIA where MEDIA_ID = 40")).toInt(), 0);
        QCOMPARE(scalar(QStringLiteral("select count(*) from MOVIE where MEDIA_ID = 40")).toInt(), 0);
    }
};

RN_GUI_TEST_MAIN(TestNewMovie)
#include "tst_gui_newmovie.moc"
