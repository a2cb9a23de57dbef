#include "FakeViewManager.h"
#include "TestSupport.h"

#include "core/GlobalFunctions.h"
#include "core/Translations.h"
#include "database/DM1_u.h"
#include "database/DatabaseList.h"
#include "database/FbQuery.h"
#include "ui/Backstage.h"
#include "ui/MainForm.h"
#include "ui/Ribbon.h"
#include "views/ViewManager.h"
#include "views/ViewsFixture.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QFile>
#include <QListWidget>
#include <QPushButton>
#include <QSettings>
#include <QToolButton>
#include <QTreeWidget>

namespace {

QString fileName(const QString &path)
{
    return QFileInfo(path).fileName();
}

} // namespace

class TestMainForm : public QObject
{
    Q_OBJECT

    RecordingUserInterface m_ui;
    std::unique_ptr<TDM1> m_dm;
    QString m_a;
    QString m_b;
    QString m_fixture;
    QStringList m_log;

    void useFakeViews(TMainFormRNZ_frm &window)
    {
        window.viewManagerFactory = [this](ViewHost *host, QWidget *parent) {
            return std::make_unique<FakeViewManager>(host, parent, &m_log);
        };
    }

    void open(const QString &path)
    {
        m_dm->MainConnection.disconnect();
        m_dm->MainConnection.setDatabaseName(path);
        QVERIFY(m_dm->ConnectMainDatabase());
    }

    void writeDatabaseList(const QStringList &lines)
    {
        QFile list(DatabaseList::defaultFilePath());
        QVERIFY(list.open(QIODevice::WriteOnly | QIODevice::Truncate | QIODevice::Text));
        list.write(lines.join(QLatin1Char('\n')).toUtf8());
    }

    void execute(const QString &sql)
    {
        FbQuery::execute(m_dm->MainConnection, sql);
        m_dm->MainConnection.commitRetaining();
    }

private slots:
    void initTestCase()
    {
        QVERIFY(LoadLanguageTexts() == TranslationLoad::Loaded);
        ForceDataFolders();
        m_dm = std::make_unique<TDM1>();
        m_a = TestDatabasePath(QStringLiteral("alpha"));
        m_b = TestDatabasePath(QStringLiteral("beta"));
        QVERIFY(m_dm->CreateRNZDB(m_a, false, true, false));
        QVERIFY(m_dm->CreateRNZDB(m_b, false, true, false));
        // The second collection has one user view less, so a tree built from it shows.
        execute(QStringLiteral("delete from USERVIEW where USERVIEW_ID = 6"));
        m_fixture = TestDatabasePath(QStringLiteral("fixture"));
        QVERIFY(m_dm->CreateRNZDB(m_fixture, false, true, false));
        ViewsFixture::fill(*m_dm);
    }

    void init()
    {
        QSettings settings(QStringLiteral("Virelon"), QStringLiteral("Reelnest"));
        settings.clear();
        settings.sync();
        m_log.clear();
        FakeViewManager::orderLine.clear();
        m_ui.messages.clear();
        writeDatabaseList({m_a, m_b, m_fixture});
        open(m_a);
    }

    void cleanupTestCase() { m_dm.reset(); }

    void treeFromUserViews()
    {
        const QString path = TestDatabasePath(QStringLiteral("icons"));
        QVERIFY(m_dm->CreateRNZDB(path, false, true, false));
        // The tree follows LISTINDEX, not the key; a view with an unreadable or unknown icon
        // gets icon 0.
        execute(QStringLiteral("update USERVIEW set LISTINDEX = 10 where USERVIEW_ID = 1"));
        execute(QStringLiteral("update USERVIEW set ICONINDEX = null where USERVIEW_ID = 2"));
        execute(QStringLiteral("update USERVIEW set ICONINDEX = 900 where USERVIEW_ID = 3"));
        QStringList names;
        FbQuery query(m_dm->MainConnection);
        query.setSql(QStringLiteral("select NAME from USERVIEW order by LISTINDEX"));
        query.open();
        while (query.next())
            names << query.value(0).toString();
        query.close();
        QCOMPARE(names.size(), 6);
        QCOMPARE(names.last(), GetText(1587));

        TMainFormRNZ_frm window;
        useFakeViews(window);
        window.RefreshViews(false);
        QCOMPARE(window.nodeCount(), 15);
        const QList<int> fixedIcons = {12, 42, 21, 43, 44, 45, 76, 77, 0};
        const QList<int> captions = {236, 13, 15, 1447, 1575, 244, 96, 1236, 59};
        for (int i = 0; i < 9; ++i) {
            QCOMPARE(window.nodeIconIndex(i), fixedIcons.at(i));
            QCOMPARE(window.nodeCaption(i), GetText(captions.at(i)));
        }
        // Standard views in LISTINDEX order: top rated (null icon), unwatched (icon 900),
        // Blu-ray, Oscar movies, Oscar people, latest additions.
        const QList<int> userIcons = {0, 0, 29, 55, 54, 50};
        for (int i = 0; i < 6; ++i) {
            QCOMPARE(window.nodeCaption(9 + i), names.at(i));
            QCOMPARE(window.nodeIconIndex(9 + i), userIcons.at(i));
        }
        QCOMPARE(window.treeIcons().at(10), QStringLiteral("900"));

        QTreeWidget *tree = window.navigationTree();
        QCOMPARE(tree->topLevelItemCount(), 2);
        QCOMPARE(tree->topLevelItem(0)->childCount(), 7);
        QCOMPARE(tree->topLevelItem(1)->childCount(), 6);
        QVERIFY(tree->topLevelItem(0)->isExpanded());
        QVERIFY(tree->topLevelItem(1)->isExpanded());
        QVERIFY(!tree->itemsExpandable());
        QCOMPARE(window.selectedViewIndex(), -1);

        // Selecting a user view opens it in the view manager by its caption.
        window.ChangeViewIndex(11);
        QCOMPARE(window.embeddedContent(), ContentKind::ViewManager);
        QCOMPARE(window.viewManager()->viewUserViewName(), names.at(2));
        // The holder of the user views shows nothing new.
        window.ChangeViewIndex(8);
        QCOMPARE(window.embeddedContent(), ContentKind::ViewManager);
        // An index without a node changes nothing.
        window.ChangeViewIndex(40);
        QCOMPARE(window.selectedViewIndex(), 8);
        open(m_a);
    }

    void startNode_data()
    {
        QTest::addColumn<bool>("homepageStartup");
        QTest::addColumn<QVariant>("stored");
        QTest::addColumn<int>("node");
        QTest::addColumn<int>("content");
        QTest::newRow("statistics stored") << false << QVariant(6) << 0 << int(ContentKind::Homepage);
        QTest::newRow("nothing stored") << false << QVariant() << 0 << int(ContentKind::Homepage);
        QTest::newRow("minus one") << false << QVariant(-1) << 0 << int(ContentKind::Homepage);
        QTest::newRow("persons stored") << false << QVariant(3) << 3 << int(ContentKind::ViewManager);
        QTest::newRow("loans stored") << false << QVariant(4) << 4 << int(ContentKind::Loans);
        QTest::newRow("user view stored") << false << QVariant(12) << 12 << int(ContentKind::ViewManager);
        QTest::newRow("start page wanted") << true << QVariant(3) << 0 << int(ContentKind::Homepage);
        QTest::newRow("unreadable") << false << QVariant(QStringLiteral("persons")) << 0 << int(ContentKind::Homepage);
    }

    void startNode()
    {
        QFETCH(bool, homepageStartup);
        QFETCH(QVariant, stored);
        QFETCH(int, node);
        QFETCH(int, content);
        WriteSettingBool(QStringLiteral("HomepageStartup"), QString(), homepageStartup);
        const QString section = QStringLiteral("Startup\\") + fileName(m_a);
        if (stored.typeId() == QMetaType::Int)
            WriteSettingInteger(QStringLiteral("View"), section, stored.toInt());
        else if (stored.isValid())
            WriteSettingString(QStringLiteral("View"), section, stored.toString());

        TMainFormRNZ_frm window;
        useFakeViews(window);
        window.show();
        QCOMPARE(window.selectedViewIndex(), node);
        QCOMPARE(int(window.embeddedContent()), content);
        QVERIFY(window.EmbeddedForm);
        if (node == 3) {
            QCOMPARE(window.viewManager()->viewCurrentTable(), 30);
            QCOMPARE(window.recordCountText(), QStringLiteral("30 records"));
        }
        window.close();
        // What was selected at close is this collection's start node next time.
        QCOMPARE(ReadSettingInteger(QStringLiteral("View"), section, -2), node);
        QCOMPARE(ReadSettingString(QStringLiteral("DB Location"), QString()), m_a);
    }

    void switchingShowsTheNewDatabasesStartNode()
    {
        WriteSettingBool(QStringLiteral("HomepageStartup"), QString(), false);
        WriteSettingInteger(QStringLiteral("View"), QStringLiteral("Startup\\") + fileName(m_a), 1);
        WriteSettingInteger(QStringLiteral("View"), QStringLiteral("Startup\\") + fileName(m_b), 3);
        TMainFormRNZ_frm window;
        useFakeViews(window);
        window.show();
        QCOMPARE(window.selectedViewIndex(), 1);
        QCOMPARE(window.nodeCount(), 15);

        // Through the switcher, as the user does it.
        m_log.clear();
        QComboBox *selector = window.databaseSelector();
        const int beta = selector->findData(m_b);
        QVERIFY(beta >= 0);
        selector->setCurrentIndex(beta);
        QCOMPARE(m_dm->MainConnection.databaseName(), m_b);
        QVERIFY(m_dm->MainConnection.inTransaction());
        QCOMPARE(window.selectedViewIndex(), 3);
        QCOMPARE(window.nodeCount(), 14);
        QCOMPARE(window.viewManager()->viewCurrentTable(), 30);
        const QString a = QStringLiteral(" @") + fileName(m_a);
        const QString b = QStringLiteral(" @") + fileName(m_b);
        // The old view is saved while its collection is open, and never into the new one.
        QCOMPARE(m_log, (QStringList{QStringLiteral("saveToRegistry") + a, QStringLiteral("saveCurrentView") + a,
                                     QStringLiteral("initGridModeSettings") + b,
                                     QStringLiteral("applyStoredThumbnailSize") + b,
                                     QStringLiteral("emptyMovieQuery") + b, QStringLiteral("changeView 3 30") + b}));
        QCOMPARE(selector->currentData().toString(), m_b);
        QCOMPARE(selector->toolTip(), selector->currentText());

        // Back to a collection that starts on the start page: the view manager goes without
        // writing its state into that collection.
        WriteSettingInteger(QStringLiteral("View"), QStringLiteral("Startup\\") + fileName(m_a), -1);
        m_log.clear();
        QVERIFY(window.SwitchDatabase(m_a));
        QCOMPARE(window.selectedViewIndex(), 0);
        QCOMPARE(window.embeddedContent(), ContentKind::Homepage);
        QCOMPARE(m_log.filter(QStringLiteral("save")),
                 (QStringList{QStringLiteral("saveToRegistry") + b, QStringLiteral("saveCurrentView") + b}));
        QVERIFY(window.saveViewFlag());

        // From the start page to a collection that starts on its persons.
        QVERIFY(window.SwitchDatabase(m_b));
        QCOMPARE(window.selectedViewIndex(), 3);
        QCOMPARE(window.embeddedContent(), ContentKind::ViewManager);
        window.close();
    }

    void eachKindInEachLayoutThroughTheTree()
    {
        open(m_fixture);
        WriteSettingBool(QStringLiteral("HomepageStartup"), QString(), false);
        WriteSettingInteger(QStringLiteral("View"), QStringLiteral("Startup\\") + fileName(m_b), 1);
        const QString fourRecords = QStringLiteral("4 ") + GetText(16);
        {
            TMainFormRNZ_frm window;
            window.show();
            QCOMPARE(window.embeddedContent(), ContentKind::Homepage);
            for (int node : {1, 2, 3}) {
                window.ChangeViewIndex(node);
                QVERIFY(qobject_cast<TViewManager_frm *>(window.EmbeddedForm));
                QCOMPARE(window.viewManager()->viewCurrentTable(), node * 10);
                for (int layout : {1, 2, 3}) {
                    window.layoutAction(layout)->trigger();
                    QCOMPARE(window.viewManager()->viewCurrentType(), layout);
                    QVERIFY(window.layoutAction(layout)->isChecked());
                    QCOMPARE(window.recordCountText(), fourRecords);
                    QVERIFY(!window.optimizedIndicatorShown());
                }
            }
            // Media left in the card layout, movies in cards too; the persons end in cards.
            window.ChangeViewIndex(2);
            window.layoutAction(1)->trigger();
            window.ChangeViewIndex(4);
            QCOMPARE(window.recordCountText(), QString());

            // From the persons to an empty collection: the start node stored for it, an empty
            // count.
            window.ChangeViewIndex(3);
            QVERIFY(window.SwitchDatabase(m_b));
            QCOMPARE(window.selectedViewIndex(), 1);
            QCOMPARE(window.viewManager()->viewCurrentTable(), 10);
            QCOMPARE(window.recordCountText(), QString());
            // Loans stay loans across a switch.
            window.ChangeViewIndex(4);
            QVERIFY(window.SwitchDatabase(m_fixture));
            QCOMPARE(window.selectedViewIndex(), 4);
            QCOMPARE(window.embeddedContent(), ContentKind::Loans);
            window.close();
        }

        // After a restart each kind opens in the layout it was left in.
        open(m_fixture);
        TMainFormRNZ_frm window;
        window.UseGridMode = true;
        window.show();
        window.ChangeViewIndex(2);
        QCOMPARE(window.viewManager()->viewCurrentType(), 1);
        QVERIFY(window.layoutAction(1)->isChecked());
        window.ChangeViewIndex(1);
        QCOMPARE(window.viewManager()->viewCurrentType(), 3);
        // The optimized mode counts through the database and says so.
        QCOMPARE(window.recordCountText(), fourRecords);
        QVERIFY(window.optimizedIndicatorShown());
        window.close();
    }

    void switchingToAMissingDatabaseKeepsTheWindowUsable()
    {
        writeDatabaseList({m_a});
        TMainFormRNZ_frm window;
        useFakeViews(window);
        window.show();
        const QString missing = TestHome() + QStringLiteral("/gone/missing.fdb");
        window.SwitchDatabase(missing);
        // The failure is reported and a listed collection is open again.
        QVERIFY(!m_ui.messages.isEmpty());
        QVERIFY(m_ui.messages.first().text.contains(missing));
        QCOMPARE(m_dm->MainConnection.databaseName(), m_a);
        QVERIFY(m_dm->MainConnection.inTransaction());
        QCOMPARE(window.databaseSelector()->currentData().toString(), m_a);
        QCOMPARE(window.nodeCount(), 15);

        // Nothing listed opens and the first-start dialog is closed: the collection that was
        // open is opened again instead of ending the program.
        writeDatabaseList({missing});
        window.ChangeViewIndex(2);
        m_ui.messages.clear();
        const int dialogs = m_ui.firstStartDialogs;
        QVERIFY(!window.SwitchDatabase(missing));
        QCOMPARE(m_ui.firstStartDialogs, dialogs + 1);
        QCOMPARE(m_ui.messages.last().text, GetText(11));
        QCOMPARE(m_dm->MainConnection.databaseName(), m_a);
        QVERIFY(m_dm->MainConnection.inTransaction());
        QCOMPARE(window.selectedViewIndex(), 2);
        QCOMPARE(window.embeddedContent(), ContentKind::ViewManager);
        window.close();
    }

    void switcherItems()
    {
        QFile::remove(DatabaseList::defaultFilePath());
        TMainFormRNZ_frm window;
        window.RefreshDatabaseSelector();
        QComboBox *selector = window.databaseSelector();
        QCOMPARE(selector->count(), 1);
        QCOMPARE(selector->itemText(0), fileName(m_a) + QStringLiteral("  :  ") + m_a);
        QCOMPARE(DatabaseList().entries(), QStringList{m_a});

        const QString deleted = TestHome() + QStringLiteral("/deleted.fdb");
        writeDatabaseList({m_b, QString(), m_a, deleted});
        window.RefreshDatabaseSelector();
        QCOMPARE(selector->count(), 3);
        QCOMPARE(selector->currentIndex(), 1);
        QCOMPARE(selector->itemText(2), QStringLiteral("deleted.fdb  :  ") + deleted);
        QCOMPARE(selector->maxVisibleItems(), 15);
        // Refilling switched nothing.
        QCOMPARE(m_dm->MainConnection.databaseName(), m_a);
        // While the database-operations dialog is open, a change of the selection does nothing.
        window.setDatabaseOperationsOpen(true);
        selector->setCurrentIndex(0);
        QCOMPARE(m_dm->MainConnection.databaseName(), m_a);
    }

    void backstageOpensAnotherDatabase()
    {
        const QString deleted = TestHome() + QStringLiteral("/deleted.fdb");
        writeDatabaseList({m_a, deleted, QStringLiteral("   "), m_b});
        TMainFormRNZ_frm window;
        useFakeViews(window);
        window.show();
        window.ShowBackstage(true);
        QVERIFY(window.backstageShown());
        QListWidget *list = window.backstage()->databaseList();
        QCOMPARE(list->count(), 1);
        QCOMPARE(list->item(0)->text(), m_b);
        QVERIFY(!window.backstage()->openButton()->isEnabled());
        list->setCurrentRow(0);
        window.backstage()->openButton()->click();
        QCOMPARE(m_dm->MainConnection.databaseName(), m_b);
        QVERIFY(!window.backstageShown());
        QCOMPARE(list->count(), 1);
        QCOMPARE(list->item(0)->text(), m_a);
        QVERIFY(window.backstage()->versionText().startsWith(QStringLiteral("Version: ")));
        QCOMPARE(window.backstage()->languageText(), QStringLiteral("Active Language: ") + GetLanguageName());
        window.close();
    }

    void closingWhileMaximizedKeepsTheNormalBounds()
    {
        WriteSettingString(QStringLiteral("WindowState"), QString(), QStringLiteral("Normal"));
        WriteSettingInteger(QStringLiteral("WindowLeft"), QString(), 10);
        WriteSettingInteger(QStringLiteral("WindowTop"), QString(), 20);
        WriteSettingInteger(QStringLiteral("WindowWidth"), QString(), 800);
        WriteSettingInteger(QStringLiteral("WindowHeight"), QString(), 600);
        {
            TMainFormRNZ_frm window;
            window.show();
            QCOMPARE(window.geometry().size(), QSize(800, 600));
            window.showMaximized();
            QVERIFY(window.isMaximized());
            window.close();
        }
        QCOMPARE(ReadSettingString(QStringLiteral("WindowState"), QString()), QStringLiteral("Maximized"));
        QCOMPARE(ReadSettingInteger(QStringLiteral("WindowLeft"), QString(), -1), 10);
        QCOMPARE(ReadSettingInteger(QStringLiteral("WindowTop"), QString(), -1), 20);
        QCOMPARE(ReadSettingInteger(QStringLiteral("WindowWidth"), QString(), -1), 800);
        QCOMPARE(ReadSettingInteger(QStringLiteral("WindowHeight"), QString(), -1), 600);

        // Started maximized, it still knows where to go back to.
        {
            TMainFormRNZ_frm window;
            window.show();
            QVERIFY(window.isMaximized());
            window.showNormal();
            window.resize(900, 650);
            window.close();
        }
        QCOMPARE(ReadSettingString(QStringLiteral("WindowState"), QString()), QStringLiteral("Normal"));
        QCOMPARE(ReadSettingInteger(QStringLiteral("WindowWidth"), QString(), -1), 900);
        QCOMPARE(ReadSettingInteger(QStringLiteral("WindowHeight"), QString(), -1), 650);
        QVERIFY(!m_dm->MainConnection.isConnected());
    }

    void leavingABuiltInViewStoresItsOrder()
    {
        TMainFormRNZ_frm window;
        useFakeViews(window);
        window.show();
        window.ChangeViewIndex(1);
        FakeViewManager::orderLine = QStringLiteral("order by TITLESORT DESC");
        window.ChangeViewIndex(2);
        QCOMPARE(ReadSettingString(QStringLiteral("ds_Movie"), QStringLiteral("Sort\\Default")),
                 QStringLiteral("order by TITLESORT DESC"));
        QVERIFY(m_log.contains(QStringLiteral("saveCurrentView @") + fileName(m_a)));
        // Staying in the view manager: the movie query is emptied, not the form replaced.
        QVERIFY(m_log.contains(QStringLiteral("emptyMovieQuery @") + fileName(m_a)));

        // An emptied query has no order line: the stored one stays.
        window.ChangeViewIndex(1);
        FakeViewManager::orderLine.clear();
        window.ChangeViewIndex(0);
        QCOMPARE(ReadSettingString(QStringLiteral("ds_Movie"), QStringLiteral("Sort\\Default")),
                 QStringLiteral("order by TITLESORT DESC"));

        // Leaving a user view saves it too.
        window.ChangeViewIndex(10);
        m_log.clear();
        window.ChangeViewIndex(4);
        QCOMPARE(m_log, QStringList{QStringLiteral("saveCurrentView @") + fileName(m_a)});
        window.close();
    }

    void layoutAndThumbnailCommands()
    {
        WriteSettingInteger(QStringLiteral("20"), QStringLiteral("VM\\GridSettings\\InitType"), 3);
        TMainFormRNZ_frm window;
        useFakeViews(window);
        window.show();
        QVERIFY(!window.layoutAction(1)->isEnabled());
        QVERIFY(!window.findChild<QToolButton *>(QStringLiteral("Thumbnail Size"))->isEnabled());

        // Each kind opens in the layout last used for it.
        window.ChangeViewIndex(2);
        QCOMPARE(window.viewManager()->viewCurrentType(), 3);
        QVERIFY(window.layoutAction(3)->isChecked());
        QVERIFY(!window.findChild<QToolButton *>(QStringLiteral("Thumbnail Size"))->isEnabled());
        window.ChangeViewIndex(1);
        QCOMPARE(window.viewManager()->viewCurrentType(), 2);
        QVERIFY(window.layoutAction(2)->isChecked());
        QVERIFY(window.findChild<QToolButton *>(QStringLiteral("Thumbnail Size"))->isEnabled());

        window.thumbnailSizeAction(24)->trigger();
        window.layoutAction(1)->trigger();
        QVERIFY(m_log.contains(QStringLiteral("updateThumbnailHeight 24 @") + fileName(m_a)));
        QVERIFY(m_log.contains(QStringLiteral("switchLayout 1 @") + fileName(m_a)));
        QVERIFY(window.layoutAction(1)->isChecked());
        QVERIFY(!window.findChild<QToolButton *>(QStringLiteral("Thumbnail Size"))->isEnabled());

        // The ribbon minimized: its groups go, the pane's "Add Movies" button comes.
        QVERIFY(!window.addMoviesButton()->isVisible());
        window.setRibbonMinimized(true);
        QVERIFY(window.addMoviesButton()->isVisible());
        QVERIFY(!window.ribbon()->groupsPanel()->isVisible());
        window.setRibbonMinimized(false);
        QVERIFY(!window.addMoviesButton()->isVisible());
        window.close();
    }

    void updateNotice()
    {
        TMainFormRNZ_frm window;
        window.show();
        QVERIFY(!window.updateNoticeVisible());
        window.SetUpdateNotice(QString());
        QVERIFY(window.updateNoticeVisible());
        QCOMPARE(window.updateNoticeText(), GetText(1301));

        auto *panel = window.findChild<QWidget *>(QStringLiteral("pnlSoftwareUpdate"));
        QVERIFY(panel);
        QTest::mouseClick(panel, Qt::LeftButton);
        QCOMPARE(m_ui.messages.size(), 1);
        QVERIFY(m_ui.messages.first().text.startsWith(QStringLiteral("Upgrade URL empty.")));

        QStringList requested;
        window.downloadUpdateInstaller = [&](const QString &url, const QString &target) {
            requested << url << target;
            return false;
        };
        window.SetUpdateNotice(QStringLiteral("http://127.0.0.1:1/setup.exe"));
        QCOMPARE(window.UpgradeURL, QStringLiteral("http://127.0.0.1:1/setup.exe"));
        QTest::mouseClick(panel, Qt::LeftButton);
        QCOMPARE(requested, (QStringList{QStringLiteral("http://127.0.0.1:1/setup.exe"),
                                         GetDatabaseFolder() + QStringLiteral("reelnest_update.exe")}));
        QVERIFY(window.isVisible());
        window.findChild<QToolButton *>(QStringLiteral("bCloseUpdateNotice"))->click();
        QVERIFY(!window.updateNoticeVisible());
        window.close();
    }
};

RN_GUI_TEST_MAIN(TestMainForm)
#include "tst_gui_mainform.moc"
