#include "TestSupport.h"
#include "ViewsFixture.h"

#include "core/GlobalFunctions.h"
#include "core/Translations.h"
#include "database/DM1_u.h"
#include "database/FbQuery.h"
#include "online/IMDBConstantsUnit.h"
#include "views/BrowseQuery.h"
#include "views/ViewHost.h"
#include "views/ViewManager.h"

#include <QAbstractItemView>
#include <QAbstractProxyModel>
#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QLineEdit>
#include <QSet>

namespace {

class Host : public ViewHost
{
public:
    bool useGridMode() const override { return false; }
    void setRecordCountText(const QString &) override {}
    void setStatusText(const QString &) override {}
    void setOptimizedIndicator(bool) override {}
    void viewKindChanged(int, int) override {}
    bool isTerminating() const override { return false; }
};

int nodeOf(int kind)
{
    return kind == ViewKind::Media ? 2 : kind == ViewKind::Persons ? 3 : 1;
}

void writeFile(const QString &path, const QByteArray &bytes)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

} // namespace

// The view manager's commands on the fixture collection: which records each command reaches in
// each view, the dialogs and addresses it hands over, and what ends up in the database.
class TestGuiViewCommands : public QObject
{
    Q_OBJECT

    std::unique_ptr<RecordingUserInterface> ui;
    std::unique_ptr<TDM1> dm;
    std::unique_ptr<Host> host;
    std::unique_ptr<TViewManager_frm> vm;
    QList<QUrl> opened;
    QString templatePath;

    FbConnection &db() { return dm->MainConnection; }
    QVariant scalar(const QString &sql) { return FbQuery::scalar(db(), sql); }
    void exec(const QString &sql) { FbQuery::execute(db(), sql); }

    QSet<int> intColumn(const QString &sql)
    {
        QSet<int> values;
        FbQuery q(db());
        q.setSql(sql);
        q.open();
        while (q.next())
            values.insert(q.value(0).toInt());
        return values;
    }

    void open(int kind)
    {
        dm->qry_Movie.SQL.clear();
        dm->qry_Media.SQL.clear();
        dm->qry_Person.SQL.clear();
        vm->setViewCurrentTable(kind);
        vm->setViewCurrentType(ViewType::List);
        vm->ChangeView(nodeOf(kind), QStringLiteral("Node"));
    }

    // The source row of the record with that title (or name).
    int rowOf(const QString &title)
    {
        BrowseQuery *query = vm->DataControllerInUse();
        const QString field =
            query->viewTable() == ViewKind::Persons ? QStringLiteral("NAME") : QStringLiteral("TITLE");
        for (int row = 0; row < query->rowCount(); ++row) {
            if (query->displayText(row, field) == title)
                return row;
        }
        return -1;
    }

    // Selects the records of the titles; the last one has the focus. An empty list leaves only
    // the focus on `focused`.
    void select(const QStringList &titles, const QString &focused = QString())
    {
        QAbstractItemView *view = vm->focusedGridView();
        QItemSelectionModel *selection = view->selectionModel();
        selection->clearSelection();
        auto indexOf = [&](const QString &title) {
            QModelIndex index = view->model()->index(0, 0);
            for (int r = 0; r < view->model()->rowCount(); ++r) {
                QModelIndex candidate = view->model()->index(r, 0);
                QModelIndex source = candidate;
                while (const auto *proxy = qobject_cast<const QAbstractProxyModel *>(source.model()))
                    source = proxy->mapToSource(source);
                if (source.row() == rowOf(title))
                    index = candidate;
            }
            return index;
        };
        for (const QString &title : titles)
            selection->select(indexOf(title), QItemSelectionModel::Select | QItemSelectionModel::Rows);
        const QString current = focused.isEmpty() ? titles.constLast() : focused;
        selection->setCurrentIndex(indexOf(current), QItemSelectionModel::NoUpdate);
        QCOMPARE(vm->focusedRow(), rowOf(current));
    }

private slots:
    void initTestCase()
    {
        QCOMPARE(LoadLanguageTexts(), TranslationLoad::Loaded);
        ForceDataFolders();
        ui = std::make_unique<RecordingUserInterface>();
        dm = std::make_unique<TDM1>();
        // As the shipped definitions word them.
        ApplyDefinitionLines({QStringLiteral("IMDB_STD_MOVIE_URL=https://www.imdb.com/title/%s/"),
                              QStringLiteral("IMDB_STD_PERSON_URL=https://www.imdb.com/name/%S/")});
        templatePath = TestDatabasePath(QStringLiteral("template"));
        QVERIFY(dm->CreateRNZDB(templatePath, false, true, false));
        ViewsFixture::fill(*dm);
        dm->MainConnection.disconnect();
    }

    // Every test works on a copy of its own, as the commands commit.
    void init()
    {
        DeleteSettingSection(QStringLiteral("VM"));
        DeleteSettingSection(QStringLiteral("Options"));
        vm.reset();
        dm->CloseViewDatasets();
        dm->MainConnection.disconnect();
        const QString path = TestDatabasePath(QStringLiteral("commands"));
        QVERIFY(QFile::copy(templatePath, path));
        dm->MainConnection.setDatabaseName(path);
        QVERIFY(dm->ConnectMainDatabase());
        ui->messages.clear();
        ui->answers.clear();
        opened.clear();
        host = std::make_unique<Host>();
        vm = std::make_unique<TViewManager_frm>(host.get());
        vm->resize(900, 600);
        vm->show();
        vm->openAddress = [this](const QUrl &address) {
            opened << address;
            return true;
        };
        // No dialog may open unattended.
        vm->deleteDialog = [](const QString &, bool *) { return false; };
        vm->chooseFolder = [](const QString &, const QString &) { return QString(); };
        vm->chooseImageFile = [](const QString &) { return QString(); };
        vm->imageExportDialog = [](const QList<ImageExportItem> &) {};
    }

    void cleanup() { vm.reset(); }

    void cleanupTestCase()
    {
        vm.reset();
        host.reset();
        dm.reset();
        ui.reset();
    }

    void ratingFollowsTheView_data()
    {
        QTest::addColumn<int>("kind");
        QTest::addColumn<QSet<int>>("rated");
        QTest::newRow("movies view: every selected movie") << ViewKind::Movies << QSet<int>{11, 12, 14};
        // The media view rates the movie chosen in the info pane: the focused medium's first one.
        QTest::newRow("media view: the movie in the info pane") << ViewKind::Media << QSet<int>{14};
    }

    void ratingFollowsTheView()
    {
        QFETCH(int, kind);
        QFETCH(QSet<int>, rated);
        open(kind);
        select({QStringLiteral("Alpha"), QStringLiteral("Beta"), QStringLiteral("Delta")});
        vm->setRating(3);
        QCOMPARE(intColumn(QStringLiteral("select MOVIE_ID from MOVIE where USERRATING = 3")), rated);
        select({QStringLiteral("Alpha"), QStringLiteral("Beta"), QStringLiteral("Delta")});
        vm->setRating(0);
        QCOMPARE(intColumn(QStringLiteral("select MOVIE_ID from MOVIE where USERRATING = 0")), rated);
    }

    void lastWatchedFromEachView_data()
    {
        QTest::addColumn<int>("kind");
        QTest::addColumn<QSet<int>>("watched");
        QTest::newRow("media view: that season") << ViewKind::Media << QSet<int>{32};
        QTest::newRow("movies view: every season") << ViewKind::Movies << QSet<int>{31, 32};
    }

    void lastWatchedFromEachView()
    {
        QFETCH(int, kind);
        QFETCH(QSet<int>, watched);
        exec(QStringLiteral("update MOVIE set WATCHED = 0"));
        for (int season : {1, 2}) {
            exec(QStringLiteral(
                     "insert into MEDIA (MEDIA_ID, TITLE, TITLESORT) values (2%1, 'Series S%1', 'Series S%1')")
                     .arg(season));
            exec(QStringLiteral("insert into MOVIE (MEDIA_ID, MOVIE_ID, LISTINDEX, TITLE, TITLESORT, IMDBID, SEASON) "
                                "values (2%1, 3%1, 1, 'Series S%1', 'Series S%1', 5555, %1)")
                     .arg(season));
        }
        db().commitRetaining();
        open(kind);
        select({QStringLiteral("Series S2")});
        const QDate yesterday = QDate::currentDate().addDays(-1);

        vm->SetLastWatched(yesterday);

        QCOMPARE(intColumn(QStringLiteral("select MOVIE_ID from MOVIE where WATCHED = 1")), watched);
        QCOMPARE(scalar(QStringLiteral("select LASTWATCHEDDATE from MOVIE where MOVIE_ID = 32")).toDate(), yesterday);
    }

    void deleteAsksAndDeletesTheSelection()
    {
        open(ViewKind::Movies);
        select({QStringLiteral("Alpha"), QStringLiteral("Gamma")});
        QStringList questions;
        vm->deleteDialog = [&](const QString &question, bool *deleteFiles) {
            questions << question;
            *deleteFiles = questions.size() == 1; // the first answer is Cancel
            return questions.size() > 1;
        };

        vm->deleteSelected();
        QCOMPARE(scalar(QStringLiteral("select count(*) from MEDIA")).toInt(), 4);
        vm->deleteSelected();

        QCOMPARE(questions.value(0), QStringLiteral("Do you want to delete the 2 selected entries?"));
        QCOMPARE(intColumn(QStringLiteral("select MEDIA_ID from MEDIA")), QSet<int>({2, 4}));
        QCOMPARE(ViewsFixture::orphanRows(db()), 0);
        QCOMPARE(vm->DataControllerInUse()->rowCount(), 2);
        // The dialog's choice is stored: only the accepted one.
        QVERIFY(!ReadSettingBool(QStringLiteral("DeleteFilesWithMovies"), QStringLiteral("Options"), true));

        select({QStringLiteral("Delta")});
        vm->deleteSelected();
        QCOMPARE(questions.value(2), QStringLiteral("Do you want to delete \"Delta\"?"));
        QCOMPARE(intColumn(QStringLiteral("select MEDIA_ID from MEDIA")), QSet<int>({2}));
    }

    void deleteAllElevenAtOnce()
    {
        for (int id = 5; id <= 11; ++id)
            ViewsFixture::addMediumWithMovie(db(), id, QStringLiteral("Extra %1").arg(id), QStringLiteral("Box"));
        db().commitRetaining();
        open(ViewKind::Media);
        vm->selectAll();
        QCOMPARE(vm->selectedCount(), 11);
        vm->deleteDialog = [](const QString &, bool *) { return true; };

        vm->deleteSelected();

        QCOMPARE(scalar(QStringLiteral("select count(*) from MEDIA")).toInt(), 0);
        QCOMPARE(scalar(QStringLiteral("select count(*) from MOVIE")).toInt(), 0);
        QCOMPARE(ViewsFixture::orphanRows(db()), 0);
        QVERIFY(!vm->viewHasRows());
        // Nothing left: the commands do nothing.
        vm->deleteSelected();
        vm->setRating(5);
        QVERIFY(ui->messages.isEmpty());
    }

    void deletePersonAfterConfirmation()
    {
        open(ViewKind::Persons);
        select({QStringLiteral("Wes Writer")});
        ui->answers = {MessageAnswer::No, MessageAnswer::Yes};
        vm->deleteSelected();
        QCOMPARE(scalar(QStringLiteral("select count(*) from PERSON where PERSON_ID = 104")).toInt(), 1);
        vm->deleteSelected();

        QCOMPARE(ui->messages.size(), 2);
        QCOMPARE(ui->messages.at(1).text, QStringLiteral("Do you want to delete \"Wes Writer\"?"));
        QCOMPARE(scalar(QStringLiteral("select count(*) from PERSON where PERSON_ID = 104")).toInt(), 0);
        QCOMPARE(scalar(QStringLiteral("select count(*) from CASTCREW where PERSON_ID = 104")).toInt(), 0);
        QCOMPARE(scalar(QStringLiteral("select count(*) from MOVIE")).toInt(), 4);
    }

    void returnLoanInBothViews_data()
    {
        QTest::addColumn<int>("kind");
        QTest::addColumn<QString>("title");
        QTest::addColumn<int>("media");
        QTest::newRow("movies view") << ViewKind::Movies << "Beta" << 2;
        QTest::newRow("media view, borrower 0") << ViewKind::Media << "Gamma" << 3;
    }

    void returnLoanInBothViews()
    {
        QFETCH(int, kind);
        QFETCH(QString, title);
        QFETCH(int, media);
        open(kind);
        select({QStringLiteral("Alpha")});
        QVERIFY(!vm->focusedOnLoan());
        select({title});
        QVERIFY(vm->focusedOnLoan());

        vm->returnLoan();

        QCOMPARE(scalar(QStringLiteral("select LEND_ID from MEDIA where MEDIA_ID = %1").arg(media)).toInt(), -1);
        QCOMPARE(scalar(QStringLiteral("select LEND_RETURNDATE from MEDIA where MEDIA_ID = %1").arg(media)).toDate(),
                 QDate(1899, 12, 30));
        QVERIFY(!vm->focusedOnLoan());
        QCOMPARE(vm->DataControllerInUse()->displayText(vm->focusedRow(), QStringLiteral("LENDTO")), QString());

        // A borrower who no longer exists: the views do not show the medium as lent, nor does the
        // command offer a return.
        exec(QStringLiteral("update MEDIA set LEND_ID = 999 where MEDIA_ID = %1").arg(media));
        db().commitRetaining();
        vm->RefreshViewDatasets();
        select({title});
        QVERIFY(!vm->focusedOnLoan());
        exec(QStringLiteral("update MEDIA set LEND_ID = -1 where MEDIA_ID = %1").arg(media));
        db().commitRetaining();
        vm->RefreshViewDatasets();
    }

    void trailerOpensTheFileOrASearch()
    {
        exec(QStringLiteral("update MOVIE set PRODUCTIONYEAR = '2001' where MOVIE_ID = 11"));
        db().commitRetaining();
        open(ViewKind::Movies);
        select({QStringLiteral("Alpha")});
        vm->playTrailer();
        select({QStringLiteral("Beta")});
        vm->playTrailer();

        QCOMPARE(opened.size(), 2);
        QCOMPARE(opened.at(0).toString(QUrl::FullyEncoded),
                 QStringLiteral("https://www.youtube.com/results?search_query=Alpha%202001%20trailer"));
        QCOMPARE(opened.at(1), QUrl::fromLocalFile(QStringLiteral("trailer.mp4")));
    }

    void containingFolder()
    {
        const QString file = TestHome() + QStringLiteral("/films/alpha.mkv");
        writeFile(file, "x");
        exec(QStringLiteral("insert into MOVIEFILES (MOVIE_ID, LISTINDEX, FILEPATH) values (11, 1, %1)")
                 .arg(QuotedStr(file)));
        exec(QStringLiteral(
            "insert into MOVIEFILES (MOVIE_ID, LISTINDEX, FILEPATH) values (12, 1, 'nowhere/beta.mkv')"));
        db().commitRetaining();
        open(ViewKind::Media);
        for (const QString &title : {QStringLiteral("Alpha"), QStringLiteral("Beta"), QStringLiteral("Gamma")}) {
            select({title});
            vm->openContainingFolder();
        }

        QCOMPARE(opened, QList<QUrl>{QUrl::fromLocalFile(QFileInfo(file).absolutePath())});
        QCOMPARE(ui->messages.size(), 2);
        for (const RecordedMessage &message : std::as_const(ui->messages)) {
            QCOMPARE(message.kind, MessageKind::Information);
            QCOMPARE(message.text, GetText(1475));
        }
    }

    void imdbPages_data()
    {
        QTest::addColumn<int>("kind");
        QTest::addColumn<QString>("title");
        QTest::addColumn<QString>("address"); // empty: the message that there is no id
        QTest::newRow("movies view") << ViewKind::Movies << "Alpha"
                                     << "https://www.imdb.com/title/tt0133093/";
        QTest::newRow("movies view, no id") << ViewKind::Movies << "Beta" << QString();
        QTest::newRow("media view") << ViewKind::Media << "Alpha"
                                    << "https://www.imdb.com/title/tt0133093/";
        QTest::newRow("media view, id 0") << ViewKind::Media << "Gamma" << QString();
        QTest::newRow("person view") << ViewKind::Persons << "Amy Director"
                                     << "https://www.imdb.com/name/nm0000042/";
        QTest::newRow("person view, no id") << ViewKind::Persons << "Wes Writer" << QString();
    }

    void imdbPages()
    {
        QFETCH(int, kind);
        QFETCH(QString, title);
        QFETCH(QString, address);
        exec(QStringLiteral("update MOVIE set IMDBID = 133093 where MOVIE_ID = 11"));
        exec(QStringLiteral("update MOVIE set IMDBID = 0 where MOVIE_ID = 13"));
        exec(QStringLiteral("update PERSON set IMDBID = 42 where PERSON_ID = 102"));
        db().commitRetaining();
        open(kind);
        select({title});

        vm->openImdbPage();

        if (address.isEmpty()) {
            QVERIFY(opened.isEmpty());
            QCOMPARE(ui->messages.size(), 1);
            QCOMPARE(ui->messages.at(0).text, GetText(1271));
        } else {
            QCOMPARE(opened, QList<QUrl>{QUrl(address)});
            QVERIFY(ui->messages.isEmpty());
        }
    }

    void reviewPageFromThePaddedId()
    {
        exec(QStringLiteral("update MOVIE set IMDBID = 133093 where MOVIE_ID = 11"));
        db().commitRetaining();
        QStringList asked;
        vm->reviewPageAddress = [&](const QString &id) {
            asked << id;
            return QStringLiteral("https://reviews.example/m/") + id;
        };
        open(ViewKind::Media);
        select({QStringLiteral("Beta")});
        vm->openReviewPage();
        QCOMPARE(ui->messages.size(), 1);
        QCOMPARE(ui->messages.at(0).text, GetText(1271));
        select({QStringLiteral("Alpha")});
        vm->openReviewPage();

        QCOMPARE(asked, QStringList{QStringLiteral("0133093")});
        QCOMPARE(opened, QList<QUrl>{QUrl(QStringLiteral("https://reviews.example/m/0133093"))});
    }

    void copyAssociatedFiles_data()
    {
        QTest::addColumn<int>("kind");
        QTest::addColumn<QStringList>("titles");
        QTest::addColumn<QStringList>("copies");
        QTest::newRow("one movie") << ViewKind::Movies << QStringList{"Beta"} << QStringList{"beta.mkv"};
        QTest::newRow("two movies") << ViewKind::Movies << QStringList{"Alpha", "Beta"}
                                    << QStringList{"Alpha/alpha.mkv", "Beta (1999)/beta.mkv"};
        QTest::newRow("two media") << ViewKind::Media << QStringList{"Alpha", "Beta"}
                                   << QStringList{"Alpha/alpha.mkv", "Beta/beta.mkv"};
    }

    void copyAssociatedFiles()
    {
        QFETCH(int, kind);
        QFETCH(QStringList, titles);
        QFETCH(QStringList, copies);
        const QString films = TestHome() + QStringLiteral("/films/");
        writeFile(films + QStringLiteral("alpha.mkv"), "alpha");
        writeFile(films + QStringLiteral("beta.mkv"), "beta");
        exec(QStringLiteral("insert into MOVIEFILES (MOVIE_ID, LISTINDEX, FILEPATH) values (11, 1, %1)")
                 .arg(QuotedStr(films + QStringLiteral("alpha.mkv"))));
        exec(QStringLiteral("insert into MOVIEFILES (MOVIE_ID, LISTINDEX, FILEPATH) values (12, 1, %1)")
                 .arg(QuotedStr(films + QStringLiteral("missing.mkv"))));
        exec(QStringLiteral("insert into MOVIEFILES (MOVIE_ID, LISTINDEX, FILEPATH) values (12, 2, %1)")
                 .arg(QuotedStr(films + QStringLiteral("beta.mkv"))));
        exec(QStringLiteral("update MOVIE set PRODUCTIONYEAR = '1999' where MOVIE_ID = 12"));
        db().commitRetaining();
        const QString chosen =
            QDir(TestHome())
                .filePath(QStringLiteral("copies-") + QString::number(kind) + QString::number(titles.size()));
        QString startedAt = QStringLiteral("unset");
        vm->chooseFolder = [&](const QString &title, const QString &start) {
            startedAt = start;
            return title == GetText(68) ? chosen : QString();
        };
        open(kind);
        select(titles);

        vm->copyAssociatedFiles();

        QStringList found;
        QDirIterator it(chosen, QDir::Files, QDirIterator::Subdirectories);
        while (it.hasNext())
            found << QDir(chosen).relativeFilePath(it.next());
        found.sort();
        QCOMPARE(found, copies);
        QCOMPARE(startedAt, QString());
        QCOMPARE(ReadSettingString(QStringLiteral("CopyToFolder"), QStringLiteral("VM")), chosen);
    }

    void coverFromTheClipboard()
    {
        open(ViewKind::Media);
        select({QStringLiteral("Alpha"), QStringLiteral("Beta")});
        QGuiApplication::clipboard()->setText(QStringLiteral("no picture here"));
        ui->answers = {MessageAnswer::Yes};
        vm->coverFromClipboard();
        QCOMPARE(scalar(QStringLiteral("select count(*) from MEDIA_GFX")).toInt(), 0);
        QCOMPARE(scalar(QStringLiteral("select count(*) from MEDIA where FRONTCOVER_BLOB is not null")).toInt(), 2);

        QImage picture(500, 700, QImage::Format_RGB32);
        picture.fill(Qt::darkGreen);
        QGuiApplication::clipboard()->setImage(picture);
        ui->answers = {MessageAnswer::No, MessageAnswer::Yes};
        vm->coverFromClipboard();
        QCOMPARE(scalar(QStringLiteral("select count(*) from MEDIA_GFX")).toInt(), 0);
        vm->coverFromClipboard();

        QCOMPARE(intColumn(QStringLiteral("select MEDIA_ID from MEDIA_GFX where FRONTCOVER_BLOB is not null")),
                 QSet<int>({1, 2}));
        QImage thumbnail;
        thumbnail.loadFromData(
            scalar(QStringLiteral("select FRONTCOVER_BLOB from MEDIA where MEDIA_ID = 1")).toByteArray());
        QCOMPARE(thumbnail.height(), 287);
        QVERIFY(!QFile::exists(GetTempFolder() + QStringLiteral("fullsize_temp.jpg")));
        QCOMPARE(ui->messages.size(), 3);
        QCOMPARE(ui->messages.at(0).text, GetText(101));
    }

    void personPictureFromAFile()
    {
        const QString file = TestHome() + QStringLiteral("/pictures/amy.jpg");
        writeFile(file, ViewsFixture::jpeg(120, 160));
        vm->chooseImageFile = [&](const QString &) { return file; };
        open(ViewKind::Persons);
        select({QStringLiteral("Amy Director"), QStringLiteral("Pat Producer")}, QStringLiteral("Amy Director"));

        vm->coverFromFile();

        QCOMPARE(intColumn(QStringLiteral("select PERSON_ID from PERSON where PICTURE is not null")), QSet<int>{102});
        QVERIFY(QFile::exists(file));
        QCOMPARE(ReadSettingString(QStringLiteral("LastManualImageDir"), QStringLiteral("Movie Editor")),
                 QFileInfo(file).absolutePath());
    }

    void coverExportWithoutSelectionTakesTheFocusedRecord()
    {
        QList<ImageExportItem> exported;
        vm->imageExportDialog = [&](const QList<ImageExportItem> &items) { exported = items; };
        open(ViewKind::Movies);
        select({}, QStringLiteral("Delta"));
        QCOMPARE(vm->selectedCount(), 0);

        vm->exportCoverArt();

        QCOMPARE(exported.size(), 1);
        QCOMPARE(exported.at(0).mediaId, 4.0);
        QCOMPARE(exported.at(0).title, QStringLiteral("Delta"));
        QCOMPARE(exported.at(0).seqNumber.toInt(), 4);
        QCOMPARE(vm->focusedRow(), rowOf(QStringLiteral("Delta")));
        QVERIFY(vm->focusedGridView()->updatesEnabled());
    }

    void openEntryHandsTheRecordToItsEditor()
    {
        QList<double> media;
        vm->editMedia = [&](double id) {
            media << id;
            return true;
        };
        open(ViewKind::Movies);
        select({QStringLiteral("Gamma")});
        vm->openEntry();
        QTest::keyClick(vm->focusedGridView(), Qt::Key_Return);
        QCOMPARE(media, QList<double>({3, 3}));

        QList<double> persons;
        vm->editPerson = [&](double id) {
            persons << id;
            return false;
        };
        open(ViewKind::Persons);
        select({QStringLiteral("Pat Producer")});
        vm->openEntry();
        QCOMPARE(persons, QList<double>{103});
    }

    void searchBoxReportsItsFocus()
    {
        QList<bool> changes;
        vm->searchBoxFocusChanged = [&](bool focused) { changes << focused; };
        open(ViewKind::Movies);
        QFocusEvent in(QEvent::FocusIn);
        QFocusEvent out(QEvent::FocusOut);
        QApplication::sendEvent(vm->findPanel(), &in);
        QApplication::sendEvent(vm->findPanel(), &out);
        QCOMPARE(changes, QList<bool>({true, false}));
    }
};

RN_GUI_TEST_MAIN(TestGuiViewCommands)
#include "tst_gui_viewcommands.moc"
