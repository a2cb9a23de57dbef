#include "TestSupport.h"

#include "OnlineTestSupport.h"
#include "database/DM1_u.h"
#include "database/FbQuery.h"
#include "online/DownloadQueue.h"
#include "online/IMDBSearchMovieForm.h"
#include "online/ImdbIdSelection.h"
#include "online/MovieDownload.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTabWidget>
#include <QTreeWidget>

namespace {

QStringList titles(const QTreeWidget *list)
{
    QStringList lines;
    for (int i = 0; i < list->topLevelItemCount(); ++i)
        lines << list->topLevelItem(i)->text(0);
    return lines;
}

void focusTitle(QTreeWidget *list, const QString &title)
{
    const QList<QTreeWidgetItem *> found = list->findItems(title, Qt::MatchExactly);
    QVERIFY2(!found.isEmpty(), qPrintable(title));
    list->setCurrentItem(found.first());
}

} // namespace

// The Movie Query window driven as a user would, against the fixture pages and a real collection.
class TestGuiMovieQuery : public QObject
{
    Q_OBJECT

    std::unique_ptr<FixtureServer> server;
    std::unique_ptr<RecordingUserInterface> ui;
    TDM1 dm;

    QString scalar(const QString &sql) { return FbQuery::scalar(dm.MainConnection, sql).toString(); }

    void search(TIMDBSearchMovieForm &form, const QString &text)
    {
        form.searchField()->clear();
        QTest::keyClicks(form.searchField(), text);
        QTest::keyClick(form.searchField(), Qt::Key_Return);
    }

    void useSearchPage(const QString &pathWithQuery)
    {
        ApplyDefinitionLines(FixtureDefinitions(
            *server, {{QStringLiteral("IMDB_TITLE_SEARCH_AKA="), server->baseUrl() + pathWithQuery}}));
    }

private slots:
    void initTestCase()
    {
        LoadNumberedLanguageTexts();
        ForceDataFolders();
        server = StartFixtureServer();
        QVERIFY(dm.CreateRNZDB(TestDatabasePath(QStringLiteral("moviequery")), false, true, false));
    }

    void init()
    {
        ClearSettings();
        ApplyDefinitionLines(FixtureDefinitions(*server));
        QFile::remove(QueueFilePath(false));
        ui = std::make_unique<RecordingUserInterface>();
    }

    void cleanup() { ui.reset(); }

    // Type a title, pick a result, set the media type, download: the new entry is in the
    // collection with what the window assigned.
    void searchPickAndDownload()
    {
        TIMDBSearchMovieForm form(false);
        form.show();
        QCOMPARE(form.searchField()->isEnabled(), true);
        QVERIFY(!form.downloadButton()->isEnabled());
        QVERIFY(!form.tabs()->isTabVisible(1));
        search(form, QStringLiteral("the bell tower"));
        QCOMPARE(form.resultGroup()->title(), QStringLiteral("T352:"));
        QCOMPARE(titles(form.resultList()),
                 QStringList({"The Bell Tower", "The Glass Harbor", "\"Hana & Kaze\"", "Untitled Harbor Project",
                              "Bell Tower Rising", "Up/Down Tower"}));
        QCOMPARE(form.resultList()->topLevelItem(3)->text(1), QStringLiteral("(2024)"));

        focusTitle(form.resultList(), QStringLiteral("The Glass Harbor"));
        QVERIFY(form.mediaList()->count() > 1);
        form.mediaList()->setCurrentIndex(1);
        const QString mediaName = form.mediaList()->currentText();
        form.regionList()->setCurrentIndex(2);
        form.seqNumberField()->setText(QStringLiteral("41"));
        QTest::mouseClick(form.addButton(), Qt::LeftButton);
        QCOMPARE(titles(form.queueList()), QStringList{"The Glass Harbor"});
        QVERIFY(!titles(form.resultList()).contains(QStringLiteral("The Glass Harbor")));
        QVERIFY(form.tabs()->isTabVisible(1));
        QCOMPARE(form.tabs()->tabText(1), QStringLiteral("T357 (1)"));
        QCOMPARE(form.seqNumberField()->text(), QStringLiteral("42"));
        QCOMPARE(ReadSettingString(QStringLiteral("Media Type"), QStringLiteral("Default Values")), mediaName);

        QVERIFY(form.downloadButton()->isEnabled());
        QTest::mouseClick(form.downloadButton(), Qt::LeftButton);
        QCOMPARE(form.result(), int(QDialog::Accepted));
        QCOMPARE(form.storedCount(), 1);
        QCOMPARE(scalar(QStringLiteral("select m.TITLE || '|' || d.SEQNUMBER || '|' || d.REGIONCODE || '|' || t.NAME "
                                       "from MOVIE m join MEDIA d on d.MEDIA_ID = m.MEDIA_ID "
                                       "join MEDIATYPE t on t.MEDIATYPE_ID = d.MEDIATYPE_ID where m.IMDBID = 100001")),
                 QStringLiteral("The Glass Harbor|41|2|") + mediaName);
        QVERIFY(!QFile::exists(QueueFilePath(false)));
        QVERIFY(ui->messages.isEmpty());

        // The next search marks the title as one the collection holds.
        TIMDBSearchMovieForm again(false);
        search(again, QStringLiteral("the bell tower"));
        const QTreeWidgetItem *stored =
            again.resultList()->findItems(QStringLiteral("The Glass Harbor"), Qt::MatchExactly).first();
        QVERIFY(stored->toolTip(0).startsWith(QStringLiteral("Movie exists in database. The Glass Harbor (2011)")));
        QVERIFY(again.resultList()->topLevelItem(0)->toolTip(0).isEmpty());
        again.reject();
    }

    void sameMovieQueuedOnceButEverySeason()
    {
        TIMDBSearchMovieForm form(false);
        search(form, QStringLiteral("bell"));
        focusTitle(form.resultList(), QStringLiteral("The Bell Tower"));
        form.addButton()->click();
        search(form, QStringLiteral("bell"));
        focusTitle(form.resultList(), QStringLiteral("The Bell Tower"));
        form.addButton()->click();
        QCOMPARE(titles(form.queueList()), QStringList{"The Bell Tower"});
        QVERIFY(titles(form.resultList()).contains(QStringLiteral("The Bell Tower")));

        form.seriesKind()->setChecked(true);
        QVERIFY(form.seasonField()->isEnabled());
        QCOMPARE(form.seasonField()->value(), 1);
        search(form, QStringLiteral("station"));
        QCOMPARE(titles(form.resultList()), QStringList({"Northwind Station", "The Tower Diaries"}));
        focusTitle(form.resultList(), QStringLiteral("Northwind Station"));
        form.addButton()->click();
        search(form, QStringLiteral("station"));
        form.seasonField()->setValue(2);
        focusTitle(form.resultList(), QStringLiteral("Northwind Station"));
        form.addButton()->click();
        QCOMPARE(titles(form.queueList()),
                 QStringList({"The Bell Tower", "Northwind Station - T382 1", "Northwind Station - T382 2"}));
        QCOMPARE(form.downloadQueue().at(2).SeriesSeason, 2);

        // Taken back out of the queue, a title returns to the results once.
        form.queueList()->setCurrentItem(form.queueList()->topLevelItem(0));
        form.removeButton()->click();
        QCOMPARE(titles(form.resultList()), QStringList({"The Tower Diaries", "The Bell Tower"}));
        QCOMPARE(form.downloadQueue().count(), 2);
        ui->answers << MessageAnswer::No;
        form.reject();
        QVERIFY(!QFile::exists(QueueFilePath(false)));
    }

    void closingKeepsTheQueueWhenAsked()
    {
        {
            TIMDBSearchMovieForm form(false);
            search(form, QStringLiteral("bell"));
            for (const char *title : {"The Bell Tower", "Bell Tower Rising", "Up/Down Tower"}) {
                focusTitle(form.resultList(), QLatin1String(title));
                form.addButton()->click();
            }
            ui->answers << MessageAnswer::Yes;
            form.reject();
            QCOMPARE(ui->messages.last().text, QStringLiteral("T1252"));
        }
        QVERIFY(QFile::exists(QueueFilePath(false)));
        TIMDBSearchMovieForm again(false);
        QCOMPARE(titles(again.queueList()), QStringList({"The Bell Tower", "Bell Tower Rising", "Up/Down Tower"}));
        QVERIFY(again.tabs()->isTabVisible(1));
        QVERIFY(!QFile::exists(QueueFilePath(false)));
        ui->answers << MessageAnswer::No;
        again.reject();
    }

    void whatTheSearchFieldAccepts_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("searchPage");
        QTest::addColumn<QStringList>("expected");
        QTest::newRow("barcode with blanks and dashes")
            << "0 12345-67890 5"
            << ""
            << QStringList({"The Bell Tower", "The Glass Harbor", "\"Hana & Kaze\"", "Untitled Harbor Project",
                            "Bell Tower Rising", "Up/Down Tower"});
        QTest::newRow("unknown barcode") << "000000000000"
                                         << "" << QStringList{"No titles found"};
        QTest::newRow("title address") << "@base/title/tt0500005/"
                                       << "" << QStringList{"Hana & Kaze"};
        QTest::newRow("no results") << "zzyzx qwerty"
                                    << "/find/none/?q=%s" << QStringList{"No titles found"};
    }

    void whatTheSearchFieldAccepts()
    {
        QFETCH(QString, typed);
        QFETCH(QString, searchPage);
        QFETCH(QStringList, expected);
        if (!searchPage.isEmpty())
            useSearchPage(searchPage);
        typed.replace(QStringLiteral("@base"), server->baseUrl());
        TIMDBSearchMovieForm form(false);
        search(form, typed);
        QCOMPARE(titles(form.resultList()), expected);
        QCOMPARE(form.addButton()->isEnabled(), expected.first() != QLatin1String("No titles found"));
        QVERIFY(ui->messages.isEmpty());
        if (form.addButton()->isEnabled() && typed.startsWith(QLatin1Char('0'))) {
            form.addButton()->click();
            QCOMPARE(form.downloadQueue().at(0).UPC, typed);
        }
        ui->answers << MessageAnswer::No;
        form.reject();
    }

    void wishListModeAssignsPriority()
    {
        TIMDBSearchMovieForm form(true);
        QVERIFY(form.windowTitle().endsWith(QStringLiteral(" - T244")));
        QVERIFY(form.quickAddBox()->isHidden());
        QVERIFY(form.priorityList()->isVisibleTo(&form));
        QVERIFY(!form.regionList()->isVisibleTo(&form));
        search(form, QStringLiteral("bell"));
        form.priorityList()->setCurrentIndex(1);
        form.addButton()->click();
        QCOMPARE(form.downloadQueue().at(0).WI_Priority, 1);
        ui->answers << MessageAnswer::No;
        form.reject();
    }

    void downloadWindowShowsProgressAndStops()
    {
        TMovieDownload_frm download;
        download.openProgress(1);
        QVERIFY(download.isVisible());
        // The rest of the program waits while titles are stored.
        QCOMPARE(QApplication::activeModalWidget(), &download);
        QVERIFY(!download.progressBar()->isVisibleTo(&download));
        download.openProgress(6);
        QVERIFY(download.progressBar()->isVisibleTo(&download));
        download.setProgress(3);
        QCOMPARE(download.progressBar()->value(), 3);
        download.showTitle(QStringLiteral("The Bell Tower"));
        QCOMPARE(download.titleLabel()->text(), QStringLiteral("The Bell Tower"));
        QVERIFY(!download.stopRequested());
        QTest::mouseClick(download.stopButton(), Qt::LeftButton);
        QVERIFY(download.stopRequested());
        download.closeProgress();
        QVERIFY(!download.isVisible());
    }

    void associationStoresTheChosenNumber()
    {
        const QString movieId = scalar(QStringLiteral("select MOVIE_ID from MOVIE where IMDBID = 100001"));
        QVERIFY(!movieId.isEmpty());
        TImdbIdSelection_frm selection(QStringLiteral("The Bell Tower"), QStringLiteral("1987"), QString(),
                                       movieId.toDouble(), false);
        QCOMPARE(selection.resultList()->topLevelItemCount(), 8);
        QVERIFY(selection.noMatchButton()->isVisibleTo(&selection));
        QVERIFY(!selection.searchField()->isVisibleTo(&selection));
        focusTitle(selection.resultList(), QStringLiteral("Northwind Station"));
        selection.okButton()->click();
        QCOMPARE(selection.result(), int(QDialog::Accepted));
        QCOMPARE(scalar(QStringLiteral("select IMDBID from MOVIE where MOVIE_ID = ") + movieId),
                 QStringLiteral("200002"));
    }

    void associationWithoutResultsOffersTheSearchField()
    {
        useSearchPage(QStringLiteral("/find/none/?q=%s"));
        TImdbIdSelection_frm selection(QStringLiteral("Lost Reel"), QString(), QString(), 1, false);
        QCOMPARE(selection.resultList()->topLevelItemCount(), 0);
        QVERIFY(selection.searchField()->isVisibleTo(&selection));
        QCOMPARE(selection.searchField()->text(), QStringLiteral("Lost Reel"));
        QVERIFY(!selection.okButton()->isEnabled());
        ApplyDefinitionLines(FixtureDefinitions(*server));
        QTest::keyClick(selection.searchField(), Qt::Key_Return);
        QCOMPARE(selection.resultList()->topLevelItemCount(), 8);
        selection.reject();
    }
};

RN_GUI_TEST_MAIN(TestGuiMovieQuery)
#include "tst_gui_moviequery.moc"
