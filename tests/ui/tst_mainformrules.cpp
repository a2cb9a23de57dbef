#include "TestSupport.h"

#include "core/GlobalFunctions.h"
#include "database/DatabaseList.h"
#include "ui/DatabaseChoice.h"
#include "ui/Icons.h"
#include "ui/MainFormSettings.h"
#include "ui/Navigation.h"

#include <QDir>
#include <QFile>
#include <QSettings>

class TestMainFormRules : public QObject
{
    Q_OBJECT

private slots:
    void treeIconIndex_data()
    {
        QTest::addColumn<QString>("entry");
        QTest::addColumn<int>("icon");
        QTest::newRow("number") << QStringLiteral("55") << 55;
        QTest::newRow("blanks around") << QStringLiteral(" 7 ") << 7;
        QTest::newRow("null column") << QString() << 0;
        QTest::newRow("text") << QStringLiteral("star") << 0;
        QTest::newRow("fraction") << QStringLiteral("3.5") << 0;
        QTest::newRow("negative") << QStringLiteral("-1") << 0;
        QTest::newRow("beyond the icon set") << QString::number(ViewIconCount()) << 0;
        QTest::newRow("last icon") << QString::number(ViewIconCount() - 1) << ViewIconCount() - 1;
    }

    void treeIconIndex()
    {
        QFETCH(QString, entry);
        QFETCH(int, icon);
        const QStringList icons = TreeIconList({{QStringLiteral("A view"), entry}});
        QCOMPARE(icons.size(), FixedNodeCount + 1);
        QCOMPARE(TreeIconIndex(icons, FirstUserViewNode), icon);
        QVERIFY(!ViewIcon(TreeIconIndex(icons, FirstUserViewNode)).isNull());
    }

    void fixedNodesKeepTheirIcons()
    {
        const QStringList icons = TreeIconList({});
        const QList<int> expected = {12, 42, 21, 43, 44, 45, 76, 77, 0};
        for (int i = 0; i < FixedNodeCount; ++i)
            QCOMPARE(TreeIconIndex(icons, i), expected.at(i));
        // Outside the list: icon 0, never a crash.
        QCOMPARE(TreeIconIndex(icons, FixedNodeCount), 0);
        QCOMPARE(TreeIconIndex(icons, -1), 0);
    }

    void nodeContent()
    {
        QCOMPARE(ContentForNode(HomepageNode), ContentKind::Homepage);
        QCOMPARE(ContentForNode(PersonsNode), ContentKind::ViewManager);
        QCOMPARE(ViewTableForNode(MoviesNode), 10);
        QCOMPARE(ViewTableForNode(MediaNode), 20);
        QCOMPARE(ViewTableForNode(PersonsNode), 30);
        QCOMPARE(ViewTableForNode(FirstUserViewNode), 0);
        QCOMPARE(ContentForNode(StatisticsNode), ContentKind::Statistics);
        QCOMPARE(ContentForNode(UserViewHolderNode), ContentKind::None);
        QCOMPARE(ContentForNode(FirstUserViewNode + 3), ContentKind::ViewManager);
    }

    void startNode_data()
    {
        QTest::addColumn<bool>("homepageStartup");
        QTest::addColumn<int>("stored");
        QTest::addColumn<int>("nodeCount");
        QTest::addColumn<int>("expected");
        QTest::newRow("start page wins over a stored view") << true << 3 << 15 << 0;
        QTest::newRow("nothing stored") << false << -1 << 15 << 0;
        QTest::newRow("statistics stored") << false << 6 << 15 << 0;
        QTest::newRow("media stored") << false << 2 << 15 << 2;
        QTest::newRow("wish list stored") << false << 5 << 15 << 5;
        QTest::newRow("user view stored") << false << 12 << 15 << 12;
        QTest::newRow("holder of the user views") << false << 8 << 15 << 0;
        QTest::newRow("user view deleted since") << false << 15 << 15 << 0;
    }

    void startNode()
    {
        QFETCH(bool, homepageStartup);
        QFETCH(int, stored);
        QFETCH(int, nodeCount);
        QFETCH(int, expected);
        QCOMPARE(StartNodeIndex(homepageStartup, stored, nodeCount), expected);
    }

    void startNodeFromSettings()
    {
        WriteSettingBool(QStringLiteral("HomepageStartup"), QString(), false);
        WriteSettingInteger(QStringLiteral("View"), QStringLiteral("Startup\\films.fdb"), 3);
        QCOMPARE(StartNodeFromSettings(QStringLiteral("films.fdb"), 15), 3);
        // Another collection has its own start node.
        QCOMPARE(StartNodeFromSettings(QStringLiteral("other.fdb"), 15), 0);
        WriteSettingString(QStringLiteral("View"), QStringLiteral("Startup\\films.fdb"), QStringLiteral("media"));
        QCOMPARE(StartNodeFromSettings(QStringLiteral("films.fdb"), 15), 0);
        DeleteSettingSection(QStringLiteral("Startup"));
        WriteSettingBool(QStringLiteral("HomepageStartup"), QString(), true);
    }

    void commandEnabling_data()
    {
        QTest::addColumn<QString>("command");
        QTest::addColumn<int>("content");
        QTest::addColumn<bool>("enabled");
        const auto row = [](const char *command, ContentKind content, bool enabled) {
            QTest::addRow("%s / %d", command, int(content)) << QString::fromLatin1(command) << int(content) << enabled;
        };
        row("Edit", ContentKind::Loans, true);
        row("Edit", ContentKind::Homepage, false);
        row("Delete", ContentKind::WantList, true);
        row("Delete", ContentKind::Loans, false);
        row("Print", ContentKind::Statistics, true);
        row("Print", ContentKind::Reports, false);
        row("Sort", ContentKind::Reports, true);
        row("Advanced Find", ContentKind::Reports, true);
        row("Advanced Find", ContentKind::Loans, false);
        row("Return Loan", ContentKind::Loans, true);
        row("Return Loan", ContentKind::WantList, false);
        row("Find All", ContentKind::ViewManager, true);
        row("Find All", ContentKind::WantList, false);
        row("Next Page", ContentKind::Reports, true);
        row("Next Page", ContentKind::ViewManager, false);
        row("Thumbnail Size", ContentKind::Homepage, false);
        row("Thumbnail Size", ContentKind::Reports, false);
        row("Thumbnail Size", ContentKind::ViewManager, true);
        row("Move item(s) to Movies section", ContentKind::WantList, true);
        row("Move item(s) to Movies section", ContentKind::ViewManager, false);
        // Only the view manager and the loans form can enable grouping; their layout decides the rest.
        row("Group By", ContentKind::ViewManager, true);
        row("Group By", ContentKind::WantList, false);
        row("&Movie", ContentKind::WantList, false);
        row("Options", ContentKind::Homepage, true);
    }

    void commandEnabling()
    {
        QFETCH(QString, command);
        QFETCH(int, content);
        QFETCH(bool, enabled);
        QCOMPARE(ContentEnablesCommand(ContentKind(content), command), enabled);
    }

    void selectorItems()
    {
        const QString listFile = TestHome() + QStringLiteral("/selector/database.lst");
        QDir().mkpath(TestHome() + QStringLiteral("/selector"));
        const QString current = TestHome() + QStringLiteral("/selector/My Films.fdb");
        // A missing list is made holding the open collection.
        QCOMPARE(DatabaseSelectorEntries(listFile, current), QStringList{current});
        QCOMPARE(DatabaseList(listFile).entries(), QStringList{current});

        QCOMPARE(DatabaseSelectorItemText(current), QStringLiteral("My Films.fdb  :  ") + current);
        QCOMPARE(DatabaseSelectorItemText(QStringLiteral("nas/3051:/srv/Films.fdb")),
                 QStringLiteral("Films.fdb  :  nas/3051:/srv/Films.fdb"));
        QCOMPARE(DatabaseStringFileName(QStringLiteral("server:films.fdb")), QStringLiteral("films.fdb"));
    }

    void backstageLeavesOutMissingFilesAndTheOpenOne()
    {
        const QString folder = TestHome() + QStringLiteral("/backstage");
        QDir().mkpath(folder);
        const QString current = folder + QStringLiteral("/current.fdb");
        const QString present = folder + QStringLiteral("/present.fdb");
        const QString missing = folder + QStringLiteral("/deleted.fdb");
        const QString remote = QStringLiteral("server:/srv/remote.fdb");
        for (const QString &file : {current, present}) {
            QFile f(file);
            QVERIFY(f.open(QIODevice::WriteOnly));
        }
        const QString listFile = folder + QStringLiteral("/database.lst");
        QFile list(listFile);
        QVERIFY(list.open(QIODevice::WriteOnly | QIODevice::Text));
        list.write(QStringList{current, present, QString(), QStringLiteral("   "), missing, remote}
                       .join(QLatin1Char('\n'))
                       .toUtf8());
        list.close();

        QCOMPARE(BackstageDatabaseEntries(listFile, current), (QStringList{present, remote}));
        // The switcher offers every listed entry, the deleted file too.
        QCOMPARE(DatabaseSelectorEntries(listFile, current), (QStringList{current, present, missing, remote}));
    }

    void settingsLayoutUpgrade()
    {
        WriteSettingInteger(QStringLiteral("Theme"), QStringLiteral("Options"), 2);
        WriteSettingString(QStringLiteral("A"), QStringLiteral("Menus"), QStringLiteral("x"));
        WriteSettingString(QStringLiteral("B"), QStringLiteral("Wanted Items"), QStringLiteral("y"));
        UpgradeSettingsLayout();
        QCOMPARE(ReadSettingInteger(QStringLiteral("RegVer"), QString(), 0), 14000);
        QCOMPARE(ReadSettingInteger(QStringLiteral("Theme"), QStringLiteral("Options"), -1), 0);
        QVERIFY(!SettingExists(QStringLiteral("A"), QStringLiteral("Menus")));
        QVERIFY(!SettingExists(QStringLiteral("B"), QStringLiteral("Wanted Items")));

        // A current layout is left alone.
        WriteSettingInteger(QStringLiteral("Theme"), QStringLiteral("Options"), 2);
        WriteSettingString(QStringLiteral("A"), QStringLiteral("Menus"), QStringLiteral("x"));
        UpgradeSettingsLayout();
        QCOMPARE(ReadSettingInteger(QStringLiteral("Theme"), QStringLiteral("Options"), -1), 2);
        QVERIFY(SettingExists(QStringLiteral("A"), QStringLiteral("Menus")));

        // Between the two layouts only the version moves on.
        WriteSettingInteger(QStringLiteral("RegVer"), QString(), 13500);
        UpgradeSettingsLayout();
        QCOMPARE(ReadSettingInteger(QStringLiteral("Theme"), QStringLiteral("Options"), -1), 2);
        QCOMPARE(ReadSettingInteger(QStringLiteral("RegVer"), QString(), 0), 14000);
        DeleteSettingSection(QStringLiteral("Menus"));
    }

    void windowPlacement()
    {
        WriteWindowPlacement(false, QRect(10, 20, 800, 600));
        WriteWindowPlacement(true, QRect(0, 0, 1920, 1080));
        const WindowPlacement placement = ReadWindowPlacement(QSize(1024, 700));
        QVERIFY(placement.maximized);
        QVERIFY(placement.hasBounds);
        QCOMPARE(placement.bounds, QRect(10, 20, 800, 600));

        const QRect screen(0, 0, 1280, 800);
        QCOMPARE(PlaceOnScreen(QRect(10, 20, 800, 600), screen), QRect(10, 20, 800, 600));
        // Closed on a screen that is gone: back onto this one, whole.
        const QRect moved = PlaceOnScreen(QRect(3000, 200, 800, 600), screen);
        QVERIFY(screen.contains(moved));
        QCOMPARE(moved.size(), QSize(800, 600));
        QVERIFY(screen.contains(PlaceOnScreen(QRect(100, -500, 2000, 1500), screen)));
    }
};

RN_TEST_MAIN(TestMainFormRules)
#include "tst_mainformrules.moc"
