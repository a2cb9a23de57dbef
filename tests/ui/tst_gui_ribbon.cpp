#include "FakeViewManager.h"
#include "TestSupport.h"

#include "core/GlobalFunctions.h"
#include "core/Translations.h"
#include "database/DM1_u.h"
#include "ui/CommandMenus.h"
#include "ui/MainForm.h"
#include "ui/MainFormSettings.h"
#include "ui/Ribbon.h"
#include "views/BrowseSql.h"
#include "views/ViewManager.h"
#include "views/ViewsFixture.h"

#include <QAction>
#include <QApplication>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QTabBar>
#include <QToolBar>
#include <QToolButton>
#include <QTreeWidget>

namespace {

QStringList buttonNames(const QWidget *group)
{
    QStringList names;
    for (const QToolButton *button : group->findChildren<QToolButton *>())
        names << button->objectName();
    return names;
}

// The menu's lines: captions, "|" for a plain separator and "[caption]" for a section.
QStringList menuLines(const QMenu *menu)
{
    QStringList lines;
    for (const QAction *action : menu->actions()) {
        if (action->isSeparator())
            lines << (action->text().isEmpty() ? QStringLiteral("|")
                                               : QLatin1Char('[') + action->text() + QLatin1Char(']'));
        else
            lines << action->text();
    }
    return lines;
}

QAction *menuItem(const QMenu *menu, const QString &caption)
{
    for (QAction *action : menu->actions()) {
        if (action->text() == caption)
            return action;
    }
    return nullptr;
}

} // namespace

class TestRibbon : public QObject
{
    Q_OBJECT

    RecordingUserInterface m_ui;
    QStringList m_log;
    std::unique_ptr<TMainFormRNZ_frm> m_window;

    TMainFormRNZ_frm &window() { return *m_window; }

    // A shown window whose view manager is the recording fake, on the given node and layout.
    void openWindow(int node = MoviesNode, int layout = ViewType::List)
    {
        WriteSettingBool(QStringLiteral("HomepageStartup"), QString(), true);
        m_window = std::make_unique<TMainFormRNZ_frm>();
        m_window->viewManagerFactory = [this](ViewHost *host, QWidget *parent) {
            return std::make_unique<FakeViewManager>(host, parent, &m_log);
        };
        m_window->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_window.get()));
        showNode(node, layout);
        m_log.clear();
    }

    void showNode(int node, int layout = ViewType::List)
    {
        window().ChangeViewIndex(node);
        if (window().embeddedContent() == ContentKind::ViewManager && window().layoutAction(layout)->isEnabled())
            window().layoutAction(layout)->trigger();
    }

    QAction *action(Command command, int argument = NoArgument) { return window().commandAction(command, argument); }

    // The log without the collection each entry names.
    QStringList calls() const
    {
        QStringList list;
        for (const QString &entry : m_log)
            list << entry.section(QStringLiteral(" @"), 0, 0);
        return list;
    }

private slots:
    void initTestCase()
    {
        QVERIFY(LoadLanguageTexts() == TranslationLoad::Loaded);
        ForceDataFolders();
    }

    void cleanup()
    {
        if (m_window)
            m_window->close();
        m_window.reset();
        m_log.clear();
    }

    void tabsGroupsAndButtons()
    {
        openWindow(HomepageNode);
        Ribbon *ribbon = window().ribbon();
        QTabBar *tabs = ribbon->tabBar();
        QCOMPARE(tabs->count(), 4);
        QCOMPARE(tabs->tabText(0), QStringLiteral("Home"));
        QCOMPARE(ribbon->currentTab(), QStringLiteral("Home"));
        // The report tab belongs to the report manager.
        QVERIFY(ribbon->tabShown(QStringLiteral("Data")));
        QVERIFY(!ribbon->tabShown(QStringLiteral("Report")));
        QCOMPARE(ribbon->groupCaptions(QStringLiteral("Home")),
                 (QStringList{QStringLiteral("Entry"), QStringLiteral("Search and Sort"), QStringLiteral("Media"),
                              QStringLiteral("Customize"), QStringLiteral("Show")}));

        const auto *entry = ribbon->findChild<QWidget *>(QStringLiteral("Home/Entry"));
        QVERIFY(entry);
        QCOMPARE(buttonNames(entry), (QStringList{QStringLiteral("Add Movies"), QStringLiteral("New"),
                                                  QStringLiteral("Edit"), QStringLiteral("Delete"),
                                                  QStringLiteral("Print"), QStringLiteral("Auto-Update Movie Info")}));
        // Every group shows the table's commands in the table's order.
        for (const RibbonGroup &group : RibbonGroups()) {
            const auto *box = ribbon->findChild<QWidget *>(group.tab + QLatin1Char('/') + group.caption);
            QVERIFY2(box, qPrintable(group.caption));
            QStringList expected;
            for (const QList<Command> &block : group.blocks) {
                for (Command command : block)
                    expected << CommandInfoOf(command).caption;
            }
            QCOMPARE(buttonNames(box), expected);
        }
        // Two bars: after "Add Movies" and before "Auto-Update Movie Info".
        int bars = 0;
        for (const QFrame *frame : entry->findChildren<QFrame *>()) {
            if (frame->frameShape() == QFrame::VLine)
                ++bars;
        }
        QCOMPARE(bars, 2);
        // The first button of a block is large.
        QCOMPARE(ribbon->button(Command::New)->toolButtonStyle(), Qt::ToolButtonTextUnderIcon);
        QCOMPARE(ribbon->button(Command::Edit)->toolButtonStyle(), Qt::ToolButtonTextBesideIcon);

        // Drop-downs hold their items in order, with the separators of the table.
        QToolButton *addMovies = ribbon->button(Command::AddMovies);
        QCOMPARE(addMovies->popupMode(), QToolButton::InstantPopup);
        QCOMPARE(menuLines(addMovies->defaultAction()->menu()),
                 (QStringList{QStringLiteral("by Title/Barcode"), QStringLiteral("by Scanning Harddrive"),
                              QStringLiteral("by Importing Titles from a Textfile"),
                              QStringLiteral("by Entering Data Manually")}));
        QToolButton *newButton = ribbon->button(Command::New);
        QCOMPARE(newButton->popupMode(), QToolButton::MenuButtonPopup);
        QCOMPARE(menuLines(newButton->menu()),
                 (QStringList{QStringLiteral("Movie (manual entry)"), QStringLiteral("Person"),
                              QStringLiteral("Report"), QStringLiteral("Wanted Item")}));
        QCOMPARE(menuLines(ribbon->button(Command::UpdateCoverArt)->defaultAction()->menu()),
                 (QStringList{QStringLiteral("Download Cover Art"), QStringLiteral("Use Image from clipboard"),
                              QStringLiteral("|"), QStringLiteral("Browse for image file...")}));
        QVERIFY(!ribbon->button(Command::DownloadCoverArt));
        QVERIFY(!ribbon->button(Command::GroupByBox));
        QCOMPARE(ribbon->findChild<QToolButton *>(QStringLiteral("Thumbnail Size")),
                 ribbon->button(Command::ThumbnailSize));

        // Shortcut keys; Del and Ctrl+O belong to their commands even while they are off.
        QCOMPARE(action(Command::Edit)->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_O));
        QCOMPARE(action(Command::Delete)->shortcut(), QKeySequence(Qt::Key_Delete));
        QCOMPARE(action(Command::AdvancedFind)->shortcut(), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_F));
        QCOMPARE(action(Command::ShowAll)->shortcut(), QKeySequence(Qt::Key_F2));

        QList<QAction *> quick = ribbon->quickAccessBar()->actions();
        QCOMPARE(quick.size(), 6);
        QCOMPARE(quick.first()->text(), QStringLiteral("Database Operations"));
        QCOMPARE(quick.last()->text(), QStringLiteral("About Reelnest"));
    }

    void commandWithoutHandlerIsDisabled()
    {
        openWindow(MoviesNode);
        // "Sort" is allowed in the view manager but has no work yet.
        QVERIFY(!action(Command::Sort)->isEnabled());
        QStringList sorted;
        window().connectCommand(Command::Sort, [&] { sorted << QStringLiteral("sort"); });
        QVERIFY(action(Command::Sort)->isEnabled());
        window().ribbon()->button(Command::Sort)->click();
        QCOMPARE(sorted, QStringList{QStringLiteral("sort")});
        // The start page does not allow it, handler or not.
        showNode(HomepageNode);
        QVERIFY(!action(Command::Sort)->isEnabled());
        // A drop-down is usable while one of its items is.
        QVERIFY(!action(Command::Play)->isEnabled());
        showNode(MediaNode);
        QVERIFY(action(Command::Play)->isEnabled());
        QVERIFY(!action(Command::PlayMovie)->isEnabled());
    }

    void enablingFollowsContentAndView_data()
    {
        QTest::addColumn<int>("node");
        QTest::addColumn<int>("layout");
        QTest::addColumn<bool>("rows");
        QTest::addColumn<bool>("onLoan");
        QTest::addColumn<int>("command");
        QTest::addColumn<int>("argument");
        QTest::addColumn<bool>("enabled");
        const int list = ViewType::List;
        const int thumbs = ViewType::Thumbnails;
        const auto row = [](const char *name, int node, int layout, bool rows, bool onLoan, Command command,
                            int argument, bool enabled) {
            QTest::newRow(name) << node << layout << rows << onLoan << int(command) << argument << enabled;
        };
        row("movies list: Edit", MoviesNode, list, true, false, Command::Edit, NoArgument, true);
        row("empty view: Edit", MoviesNode, list, false, false, Command::Edit, NoArgument, false);
        row("empty view: Delete", MoviesNode, list, false, false, Command::Delete, NoArgument, true);
        row("movies list: Group By Studio", MoviesNode, list, true, false, Command::GroupBy, 11, false);
        row("movies list: Small", MoviesNode, list, true, false, Command::ThumbnailSize, 5, false);
        row("movies thumbnails: Small", MoviesNode, thumbs, true, false, Command::ThumbnailSize, 5, true);
        row("media thumbnails: Trailer", MediaNode, thumbs, true, false, Command::PlayTrailer, NoArgument, true);
        row("persons list: Trailer", PersonsNode, list, true, false, Command::PlayTrailer, NoArgument, false);
        row("persons list: rating 7", PersonsNode, list, true, false, Command::SetRating, 7, true);
        row("media list: on loan", MediaNode, list, true, true, Command::ReturnLoan, NoArgument, true);
        row("media list: not on loan", MediaNode, list, true, false, Command::ReturnLoan, NoArgument, false);
        row("start page: Edit", HomepageNode, list, true, false, Command::Edit, NoArgument, false);
        row("start page: Exit", HomepageNode, list, true, false, Command::Exit, NoArgument, true);
        row("wish list: Delete", WantListNode, list, true, false, Command::Delete, NoArgument, false);
    }

    void enablingFollowsContentAndView()
    {
        QFETCH(int, node);
        QFETCH(int, layout);
        QFETCH(bool, rows);
        QFETCH(bool, onLoan);
        QFETCH(int, command);
        QFETCH(int, argument);
        QFETCH(bool, enabled);
        openWindow(node, layout);
        if (FakeViewManager *views = FakeViewManager::last) {
            views->rows = rows;
            views->onLoan = onLoan;
        }
        window().updateCommandStates();
        QCOMPARE(action(Command(command), argument)->isEnabled(), enabled);
    }

    void commandsReachTheViewManager()
    {
        openWindow(MoviesNode);
        FakeViewManager *views = FakeViewManager::last;
        QVERIFY(views && views->entriesMenu && views->personsMenu && views->searchBoxMenu);
        QCOMPARE(menuLines(views->entriesMenu).first(), QStringLiteral("[Entry]"));
        QCOMPARE(menuLines(views->searchBoxMenu),
                 (QStringList{QStringLiteral("Instant Search"), QStringLiteral("|"), QStringLiteral("Advanced Find"),
                              QStringLiteral("Expand the Query Builder")}));

        // From the context menu: rating 7 and "yesterday".
        QMenu *ratings = menuItem(views->entriesMenu, QStringLiteral("Set Rating"))->menu();
        QVERIFY(ratings);
        menuItem(ratings, QStringLiteral("&7"))->trigger();
        menuItem(ratings, QStringLiteral("&Not Rated"))->trigger();
        QMenu *watched = menuItem(views->entriesMenu, QStringLiteral("Set Last Watched"))->menu();
        menuItem(watched, QStringLiteral("yesterday"))->trigger();
        menuItem(watched, QStringLiteral("today"))->trigger();
        // From the ribbon and by keys.
        window().ribbon()->button(Command::Delete)->click();
        QTest::keyClick(&window(), Qt::Key_O, Qt::ControlModifier);
        QTest::keyClick(&window(), Qt::Key_I, Qt::ControlModifier);
        menuItem(window().ribbon()->button(Command::Play)->defaultAction()->menu(), QStringLiteral("&Trailer"))
            ->trigger();
        QCOMPARE(calls(), (QStringList{QStringLiteral("setRating 7"), QStringLiteral("setRating 0"),
                                       QStringLiteral("setLastWatched ") +
                                           QDate::currentDate().addDays(-1).toString(Qt::ISODate),
                                       QStringLiteral("setLastWatched ") + QDate::currentDate().toString(Qt::ISODate),
                                       QStringLiteral("deleteSelected"), QStringLiteral("openEntry"),
                                       QStringLiteral("coverFromClipboard"), QStringLiteral("playTrailer")}));

        // A disabled command's key does nothing: Ctrl+O in an empty view.
        m_log.clear();
        views->rows = false;
        window().updateCommandStates();
        QTest::keyClick(&window(), Qt::Key_O, Qt::ControlModifier);
        QVERIFY(m_log.isEmpty());

        // The navigation tree has its own menu.
        QCOMPARE(menuLines(window().navigationTreeMenu()),
                 (QStringList{QStringLiteral("Create a View"), QStringLiteral("Edit View"), QStringLiteral("|"),
                              QStringLiteral("Arrange Views"), QStringLiteral("|"), QStringLiteral("Delete View")}));
    }

    void deleteKeyLeavesTheSearchBoxAlone()
    {
        openWindow(MoviesNode);
        FakeViewManager *views = FakeViewManager::last;
        QVERIFY(views->searchBoxFocusChanged);
        views->searchBoxFocusChanged(true);
        QVERIFY(action(Command::Delete)->shortcut().isEmpty());
        QTest::keyClick(&window(), Qt::Key_Delete);
        QVERIFY(m_log.isEmpty());
        // Commands are re-enabled while the box has the focus: the key stays with the box.
        window().updateCommandStates();
        QVERIFY(action(Command::Delete)->shortcut().isEmpty());
        views->searchBoxFocusChanged(false);
        QCOMPARE(action(Command::Delete)->shortcut(), QKeySequence(Qt::Key_Delete));
        QTest::keyClick(&window(), Qt::Key_Delete);
        QCOMPARE(calls(), QStringList{QStringLiteral("deleteSelected")});
    }

    void entriesGoWhereTheContentSays()
    {
        openWindow(MoviesNode);
        QStringList made;
        // Wanted items have no handler yet: on the wish list "New" and "by Entering Data Manually"
        // stay off.
        showNode(WantListNode);
        QVERIFY(!action(Command::New)->isEnabled());
        QVERIFY(!action(Command::AddManually)->isEnabled());
        showNode(MoviesNode);
        window().connectCommand(Command::NewMovie, [&] { made << QStringLiteral("movie"); });
        window().connectCommand(Command::NewWantedItem, [&] { made << QStringLiteral("wanted"); });
        window().connectCommand(Command::AddByTitle, [&] { made << QStringLiteral("title search"); });

        action(Command::AddManually)->trigger();
        QTest::keyClick(&window(), Qt::Key_N, Qt::ControlModifier);
        showNode(WantListNode);
        action(Command::AddManually)->trigger();
        action(Command::New)->trigger();
        // Loans would make a person, which has no handler: "New" is off and Ctrl+N searches titles.
        showNode(LoansNode);
        QVERIFY(!action(Command::New)->isEnabled());
        QTest::keyClick(&window(), Qt::Key_N, Qt::ControlModifier);
        // The start page has nothing for "New" either.
        showNode(HomepageNode);
        QTest::keyClick(&window(), Qt::Key_N, Qt::ControlModifier);
        QCOMPARE(made, (QStringList{QStringLiteral("movie"), QStringLiteral("movie"), QStringLiteral("wanted"),
                                    QStringLiteral("wanted"), QStringLiteral("title search"),
                                    QStringLiteral("title search")}));
    }

    void minimizeAndRestore()
    {
        WriteSettingBool(QStringLiteral("QuickAddHarddrive"), QStringLiteral("Options"), true);
        openWindow(MoviesNode);
        Ribbon *ribbon = window().ribbon();
        QStringList added;
        window().connectCommand(Command::AddByTitle, [&] { added << QStringLiteral("title"); });
        window().connectCommand(Command::AddByScanning, [&] { added << QStringLiteral("scan"); });

        QVERIFY(!window().addMoviesButton()->isVisible());
        QTabBar *tabs = ribbon->tabBar();
        QTest::mouseDClick(tabs, Qt::LeftButton, {}, tabs->tabRect(0).center());
        QVERIFY(window().ribbonMinimized());
        QVERIFY(!ribbon->groupsPanel()->isVisible());
        QVERIFY(window().addMoviesButton()->isVisible());

        // A click on a tab shows its groups over the window.
        QTest::mouseClick(tabs, Qt::LeftButton, {}, tabs->tabRect(2).center());
        QVERIFY(ribbon->popupShown());
        QCOMPARE(ribbon->currentTab(), QStringLiteral("Data"));
        QVERIFY(ribbon->groupsPanel()->isVisible());

        // While it is open another tab turns its page; its own tab closes it.
        QTest::mouseClick(tabs, Qt::LeftButton, {}, tabs->tabRect(1).center());
        QVERIFY(ribbon->popupShown());
        QCOMPARE(ribbon->currentTab(), QStringLiteral("Modifications"));
        QTest::mouseClick(tabs, Qt::LeftButton, {}, tabs->tabRect(1).center());
        QTRY_VERIFY(!ribbon->popupShown());
        QVERIFY(window().ribbonMinimized());

        // The pane's button: scanning as chosen, the title search while the wish list is shown.
        ribbon->setMinimized(true);
        static_cast<QToolButton *>(window().addMoviesButton())->click();
        showNode(WantListNode);
        static_cast<QToolButton *>(window().addMoviesButton())->click();
        QCOMPARE(added, (QStringList{QStringLiteral("scan"), QStringLiteral("title")}));

        QTest::keyClick(&window(), Qt::Key_F1, Qt::ControlModifier);
        QVERIFY(!window().ribbonMinimized());
        QVERIFY(!ribbon->popupShown());
        QVERIFY(ribbon->groupsPanel()->isVisible());
        QVERIFY(!window().addMoviesButton()->isVisible());
        ribbon->minimizeAction()->trigger();
        QVERIFY(window().ribbonMinimized());
        WriteSettingBool(QStringLiteral("QuickAddHarddrive"), QStringLiteral("Options"), false);
    }

    void keyTips()
    {
        openWindow(HomepageNode);
        Ribbon *ribbon = window().ribbon();
        QWidget *target = QApplication::focusWidget() ? QApplication::focusWidget() : &window();
        QTest::keyPress(target, Qt::Key_Alt, Qt::AltModifier);
        QTest::keyRelease(target, Qt::Key_Alt);
        QVERIFY(ribbon->keyTipsShown());
        // A letter over every visible tab; the report tab is hidden here.
        QStringList letters;
        for (const QLabel *tip : ribbon->tabBar()->findChildren<QLabel *>())
            letters << tip->text();
        QCOMPARE(letters, (QStringList{QStringLiteral("H"), QStringLiteral("M"), QStringLiteral("D")}));
        QTest::keyClick(target, Qt::Key_D);
        QVERIFY(!ribbon->keyTipsShown());
        QCOMPARE(ribbon->currentTab(), QStringLiteral("Data"));

        // Esc takes the tips away and leaves the tab; a hidden tab's letter picks nothing.
        QTest::keyPress(target, Qt::Key_Alt, Qt::AltModifier);
        QTest::keyRelease(target, Qt::Key_Alt);
        QVERIFY(ribbon->keyTipsShown());
        QTest::keyClick(target, Qt::Key_Escape);
        QVERIFY(!ribbon->keyTipsShown());
        QTest::keyPress(target, Qt::Key_Alt, Qt::AltModifier);
        QTest::keyRelease(target, Qt::Key_Alt);
        QTest::keyClick(target, Qt::Key_R);
        QCOMPARE(ribbon->currentTab(), QStringLiteral("Data"));
        // Alt used with another key is no request for tips.
        QTest::keyPress(target, Qt::Key_Alt, Qt::AltModifier);
        QTest::keyClick(target, Qt::Key_X, Qt::AltModifier);
        QTest::keyRelease(target, Qt::Key_Alt);
        QVERIFY(!ribbon->keyTipsShown());
    }

    void withTheViewManagerItself()
    {
        TDM1 dm;
        QVERIFY(dm.CreateRNZDB(TestDatabasePath(QStringLiteral("ribbon")), false, true, false));
        ViewsFixture::fill(dm);
        WriteSettingBool(QStringLiteral("HomepageStartup"), QString(), true);
        TMainFormRNZ_frm window;
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        window.ChangeViewIndex(MoviesNode);
        window.layoutAction(ViewType::List)->trigger();
        auto *views = qobject_cast<TViewManager_frm *>(window.EmbeddedForm);
        QVERIFY(views);
        // The view's rows and the grid commands come from the form itself.
        QVERIFY(window.commandAction(Command::Edit)->isEnabled());
        QVERIFY(window.commandAction(Command::GroupBy, 11)->isEnabled());
        QVERIFY(window.commandAction(Command::CustomizeColumns)->isEnabled());
        const bool lines = views->columnLines();
        window.commandAction(Command::ColumnLines)->trigger();
        QCOMPARE(views->columnLines(), !lines);
        window.commandAction(Command::ColumnLines)->trigger();
        QCOMPARE(views->columnLines(), lines);

        // The find panel takes Del while it has the focus.
        QLineEdit *find = views->findPanel();
        QVERIFY(find->isVisible());
        find->setFocus();
        QTRY_VERIFY(find->hasFocus());
        QVERIFY(window.commandAction(Command::Delete)->shortcut().isEmpty());
        window.navigationTree()->setFocus();
        QTRY_VERIFY(!find->hasFocus());
        QCOMPARE(window.commandAction(Command::Delete)->shortcut(), QKeySequence(Qt::Key_Delete));

        // The report manager brings its tab and leaves with it.
        window.ChangeViewIndex(ReportsNode);
        QVERIFY(window.ribbon()->tabShown(QStringLiteral("Report")));
        QCOMPARE(window.ribbon()->currentTab(), QStringLiteral("Report"));
        QVERIFY(!window.commandAction(Command::ThumbnailSize)->isEnabled());
        window.ChangeViewIndex(MediaNode);
        QVERIFY(!window.ribbon()->tabShown(QStringLiteral("Report")));
        QCOMPARE(window.ribbon()->currentTab(), QStringLiteral("Home"));
        window.close();
        dm.MainConnection.disconnect();
    }

    void builtInCommands()
    {
        openWindow(MoviesNode);
        action(Command::About)->trigger();
        auto *about = window().findChild<QMessageBox *>(QStringLiteral("AboutBox"));
        QVERIFY(about);
        QCOMPARE(about->windowTitle(), QStringLiteral("About Reelnest"));
        QVERIFY(about->text().contains(ProgramVersionText()));
        about->close();

        const bool touch = action(Command::TouchMouseMode)->isChecked();
        action(Command::TouchMouseMode)->trigger();
        QCOMPARE(window().ribbon()->quickAccessBar()->iconSize(), touch ? QSize(16, 16) : QSize(24, 24));
        action(Command::TouchMouseMode)->trigger();

        window().ribbon()->fileButton()->click();
        QVERIFY(window().backstageShown());
        QVERIFY(!window().ribbon()->isEnabled());
        window().ShowBackstage(false);

        action(Command::Exit)->trigger();
        QVERIFY(!window().isVisible());
    }
};

RN_GUI_TEST_MAIN(TestRibbon)
#include "tst_gui_ribbon.moc"
