#include "TestSupport.h"
#include "ViewsFixture.h"

#include "core/GlobalFunctions.h"
#include "core/Translations.h"
#include "database/DM1_u.h"
#include "database/FbQuery.h"
#include "views/BrowseQuery.h"
#include "views/ViewDelegates.h"
#include "views/ViewHost.h"
#include "views/ViewManager.h"
#include "views/ViewProxyModels.h"

#include <QApplication>
#include <QHeaderView>
#include <QLineEdit>
#include <QListView>
#include <QTableView>

#include <cmath>

namespace {

class FakeHost : public ViewHost
{
public:
    bool useGridMode() const override { return gridMode; }
    void setRecordCountText(const QString &text) override { countText = text; }
    void setStatusText(const QString &text) override { statusText = text; }
    void setOptimizedIndicator(bool visible) override { optimized = visible; }
    void viewKindChanged(int viewCurrentTable, int viewCurrentType) override
    {
        kind = viewCurrentTable;
        type = viewCurrentType;
    }
    bool isTerminating() const override { return terminating; }

    bool gridMode = false;
    bool terminating = false;
    QString countText = QStringLiteral("unset");
    QString statusText;
    bool optimized = false;
    int kind = 0;
    int type = 0;
};

int nodeOf(int kind)
{
    return kind == ViewKind::Media ? 2 : kind == ViewKind::Persons ? 3 : 1;
}

} // namespace

// The view manager on a fixture collection and an empty one, offscreen, with a stand-in for the
// main window.
class TestGuiViewManager : public QObject
{
    Q_OBJECT

    std::unique_ptr<RecordingUserInterface> ui;
    std::unique_ptr<TDM1> dm;
    QString fixturePath;
    QString emptyPath;

    // The main window's part of switching databases.
    void useDatabase(const QString &path)
    {
        dm->CloseViewDatasets();
        for (int kind : {ViewKind::Movies, ViewKind::Media, ViewKind::Persons})
            dm->BrowseQueryOf(kind).SQL.clear();
        dm->MainConnection.setDatabaseName(path);
        QVERIFY(dm->ConnectMainDatabase());
    }

    // What the main window does when a built-in node is chosen.
    void open(TViewManager_frm &vm, int kind, int type)
    {
        dm->qry_Movie.SQL.clear();
        vm.setViewCurrentTable(kind);
        vm.setViewCurrentType(type);
        vm.ChangeView(nodeOf(kind), QStringLiteral("Node"));
    }

    QString titleAt(TViewManager_frm &vm, int sourceRow)
    {
        BrowseQuery *query = vm.DataControllerInUse();
        return query->displayText(sourceRow, query->viewTable() == ViewKind::Persons ? QStringLiteral("NAME")
                                                                                     : QStringLiteral("TITLE"));
    }

    QStringList shownTitles(TViewManager_frm &vm)
    {
        QAbstractItemView *view = vm.focusedGridView();
        QStringList titles;
        for (int r = 0; r < view->model()->rowCount(); ++r) {
            QModelIndex index = view->model()->index(r, 0);
            while (const auto *proxy = qobject_cast<const QAbstractProxyModel *>(index.model()))
                index = proxy->mapToSource(index);
            if (index.isValid())
                titles << titleAt(vm, index.row());
        }
        return titles;
    }

private slots:
    void initTestCase()
    {
        QCOMPARE(LoadLanguageTexts(), TranslationLoad::Loaded);
        ForceDataFolders();
        ui = std::make_unique<RecordingUserInterface>();
        dm = std::make_unique<TDM1>();
        emptyPath = TestDatabasePath(QStringLiteral("empty"));
        QVERIFY(dm->CreateRNZDB(emptyPath, false, true, false));
        fixturePath = TestDatabasePath(QStringLiteral("fixture"));
        QVERIFY(dm->CreateRNZDB(fixturePath, false, true, false));
        ViewsFixture::fill(*dm);
    }

    void cleanupTestCase()
    {
        dm.reset();
        ui.reset();
    }

    void init()
    {
        DeleteSettingSection(QStringLiteral("VM"));
        DeleteSettingSection(QStringLiteral("Sort"));
        useDatabase(fixturePath);
        ui->messages.clear();
    }

    void eachKindInEachLayout_data()
    {
        QTest::addColumn<bool>("empty");
        QTest::addColumn<int>("kind");
        QTest::addColumn<int>("type");
        QTest::addColumn<QString>("count");
        QTest::addColumn<QString>("first");
        for (const bool empty : {false, true}) {
            for (const int kind : {ViewKind::Movies, ViewKind::Media, ViewKind::Persons}) {
                for (const int type : {ViewType::List, ViewType::Thumbnails, ViewType::Cards}) {
                    const QString first = empty                       ? QString()
                                          : kind == ViewKind::Persons ? QStringLiteral("Amy Director")
                                                                      : QStringLiteral("Alpha");
                    QTest::addRow("%s kind %d type %d", empty ? "empty" : "fixture", kind, type)
                        << empty << kind << type << (empty ? QString() : QStringLiteral("4 records")) << first;
                }
            }
        }
    }

    void eachKindInEachLayout()
    {
        QFETCH(bool, empty);
        QFETCH(int, kind);
        QFETCH(int, type);
        QFETCH(QString, count);
        QFETCH(QString, first);
        if (empty)
            useDatabase(emptyPath);
        FakeHost host;
        TViewManager_frm vm(&host);
        vm.resize(900, 600);
        vm.show();
        open(vm, kind, type);

        QCOMPARE(host.countText, count);
        QCOMPARE(host.kind, kind);
        QCOMPARE(host.type, type);
        QVERIFY(!host.optimized);
        QVERIFY(ui->messages.isEmpty());
        QAbstractItemView *view = vm.focusedGridView();
        QVERIFY(view && view->isVisible());
        QCOMPARE(view->objectName(), GridViewName(kind, type));
        QCOMPARE(shownTitles(vm).value(0), first);
        QCOMPARE(view->model()->rowCount(), empty ? 0 : 4);
        // Only the grid in use is bound, and the other kinds' queries are closed.
        for (const QString &name : GridViewNames()) {
            if (name == view->objectName())
                continue;
            if (auto *other = vm.findChild<QAbstractItemView *>(name))
                QVERIFY(!other->model() || other->model()->rowCount() == 0);
        }
        for (int other : {ViewKind::Movies, ViewKind::Media, ViewKind::Persons}) {
            if (other != kind)
                QVERIFY(!dm->BrowseQueryOf(other).Active());
        }
        // Painting every cell: pictures that are no JPEG, empty fields and all.
        QVERIFY(!vm.grab().isNull());
        QVERIFY(ui->messages.isEmpty());
    }

    void optimizedMode()
    {
        FakeHost host;
        host.gridMode = true;
        TViewManager_frm vm(&host);
        vm.show();
        open(vm, ViewKind::Movies, ViewType::List);
        QVERIFY(host.optimized);
        QVERIFY(dm->qry_Movie.onDemand());
        QCOMPARE(host.countText, QStringLiteral("4 records"));
        QVERIFY(vm.instantSearchBox()->isVisible());
        QVERIFY(!vm.findPanel()->isVisible());
        // The grid sorts through SQL: a header click is handed on, not sorted in memory.
        QString clicked;
        connect(&vm, &TViewManager_frm::optimizedHeaderClicked, this, [&clicked](const QString &f) { clicked = f; });
        auto *table = qobject_cast<QTableView *>(vm.focusedGridView());
        QVERIFY(table);
        emit table->horizontalHeader()->sectionClicked(dm->qry_Movie.fieldColumn(QStringLiteral("TITLE")));
        QCOMPARE(clicked, QStringLiteral("TITLE"));
        QCOMPARE(shownTitles(vm).value(0), QStringLiteral("Alpha"));

        // Persons always read everything.
        open(vm, ViewKind::Persons, ViewType::List);
        QVERIFY(!host.optimized);
        QVERIFY(vm.findPanel()->isVisible());
    }

    void selectionAndCount()
    {
        FakeHost host;
        TViewManager_frm vm(&host);
        vm.show();
        open(vm, ViewKind::Movies, ViewType::List);
        QAbstractItemView *view = vm.focusedGridView();
        view->selectAll();
        QCOMPARE(vm.selectedRows().size(), 4);
        QCOMPARE(host.countText, QStringLiteral("4 records (4 selected)"));
        view->clearSelection();
        QCOMPARE(host.countText, QStringLiteral("4 records"));

        // The find panel filters the records in memory and the count follows.
        vm.findPanel()->setText(QStringLiteral("ta"));
        QCOMPARE(shownTitles(vm), (QStringList{"Beta", "Delta"}));
        QCOMPARE(host.countText, QStringLiteral("2 records"));
    }

    void switchLayoutAndRestoreAfterRestart()
    {
        {
            FakeHost host;
            TViewManager_frm vm(&host);
            vm.show();
            open(vm, ViewKind::Movies, ViewType::Thumbnails);
            vm.SwitchLayout(ViewType::List);
            QCOMPARE(vm.ViewCurrentType(), int(ViewType::List));
            QCOMPARE(vm.focusedGridView()->objectName(), QStringLiteral("grid_ViewEntryDBTableView1"));
            QCOMPARE(host.countText, QStringLiteral("4 records"));
            QCOMPARE(StoredViewType(ViewKind::Movies), int(ViewType::Thumbnails)); // the layout left

            auto *table = qobject_cast<QTableView *>(vm.focusedGridView());
            QHeaderView *header = table->horizontalHeader();
            const int title = dm->qry_Movie.fieldColumn(QStringLiteral("TITLE"));
            const int plot = dm->qry_Movie.fieldColumn(QStringLiteral("PLOTOUTLINE"));
            const int director = dm->qry_Movie.fieldColumn(QStringLiteral("DIRECTOR"));
            header->moveSection(header->visualIndex(title), 0);
            header->resizeSection(title, 321);
            header->setSectionHidden(plot, true);
            header->setSectionHidden(director, false);
            header->resizeSection(director, 150);
            // A sort the user chose, kept for the next start under "Sort\Default".
            dm->qry_Movie.SQL.replaceOrderLine(QStringLiteral("order by TITLESORT DESC"));
            vm.CloseForm();
        }
        QCOMPARE(StoredViewType(ViewKind::Movies), int(ViewType::List));

        FakeHost host;
        TViewManager_frm vm(&host);
        vm.show();
        open(vm, ViewKind::Movies, StoredViewType(ViewKind::Movies));
        auto *table = qobject_cast<QTableView *>(vm.focusedGridView());
        QVERIFY(table);
        QHeaderView *header = table->horizontalHeader();
        const int title = dm->qry_Movie.fieldColumn(QStringLiteral("TITLE"));
        QCOMPARE(header->logicalIndex(0), title);
        QCOMPARE(header->sectionSize(title), 321);
        QVERIFY(header->isSectionHidden(dm->qry_Movie.fieldColumn(QStringLiteral("PLOTOUTLINE"))));
        QVERIFY(!header->isSectionHidden(dm->qry_Movie.fieldColumn(QStringLiteral("DIRECTOR"))));
        QCOMPARE(dm->qry_Movie.SQL.lastLine(), QStringLiteral("order by TITLESORT DESC"));
        QCOMPARE(shownTitles(vm).value(0), QStringLiteral("Gamma"));
        // The shown DIRECTOR column is computed; the hidden ones stay empty.
        QVERIFY(dm->qry_Movie.listFieldsShown().contains(QStringLiteral("DIRECTOR")));
        QVERIFY(!dm->qry_Movie.listFieldsShown().contains(QStringLiteral("GENRES")));
        const int alpha = dm->qry_Movie.locate(11);
        QCOMPARE(dm->qry_Movie.displayText(alpha, QStringLiteral("DIRECTOR")),
                 QStringLiteral("Zed Director, Amy Director"));
        QCOMPARE(dm->qry_Movie.displayText(alpha, QStringLiteral("GENRES")), QString());
    }

    void rejectedFilterOpensUnfiltered()
    {
        FakeHost host;
        TViewManager_frm vm(&host);
        vm.show();
        vm.setViewCurrentTable(ViewKind::Media);
        vm.setViewCurrentType(ViewType::List);
        dm->qry_Media.SQL.setLines({BaseSelectLine(ViewKind::Media), QStringLiteral("where NOSUCHCOLUMN = 'x'"),
                                    QStringLiteral("order by SEQNUMBER DESC")});
        vm.ChangeView(2, QStringLiteral("Media"));
        QCOMPARE(ui->messages.size(), 1);
        QCOMPARE(ui->messages.first().kind, MessageKind::Error);
        QVERIFY(ui->messages.first().text.contains(QStringLiteral("Could not open the view")));
        QVERIFY(ui->messages.first().text.contains(QStringLiteral("NOSUCHCOLUMN")));
        QCOMPARE(dm->qry_Media.SQL.lines(),
                 (QStringList{BaseSelectLine(ViewKind::Media), BuiltInOrderLine(ViewKind::Media)}));
        QCOMPARE(host.countText, QStringLiteral("4 records"));
        QCOMPARE(shownTitles(vm).value(0), QStringLiteral("Alpha"));
    }

    void refreshKeepsTheFocusedMovie_data()
    {
        QTest::addColumn<bool>("optimized");
        QTest::newRow("normal") << false;
        QTest::newRow("optimized") << true;
    }

    void refreshKeepsTheFocusedMovie()
    {
        QFETCH(bool, optimized);
        FakeHost host;
        host.gridMode = optimized;
        TViewManager_frm vm(&host);
        vm.show();
        open(vm, ViewKind::Movies, ViewType::Cards);
        vm.focusedGridView()->setCurrentIndex(vm.focusedGridView()->model()->index(2, 0)); // Delta
        QCOMPARE(vm.GetSelectedMovieID(), 14.0);

        FbQuery::execute(
            dm->MainConnection,
            QStringLiteral("insert into MEDIA (MEDIA_ID, TITLE, TITLESORT) values (5, 'Aardvark', 'Aardvark')"));
        FbQuery::execute(dm->MainConnection, QStringLiteral("insert into MOVIE (MEDIA_ID, MOVIE_ID, TITLE, TITLESORT) "
                                                            "values (5, 15, 'Aardvark', 'Aardvark')"));
        vm.RefreshViewDatasets();
        QCOMPARE(vm.GetSelectedMovieID(), 14.0);
        QCOMPARE(host.countText, QStringLiteral("5 records"));
        QCOMPARE(shownTitles(vm).value(0), QStringLiteral("Aardvark"));
        dm->MainConnection.rollbackRetaining();
    }

    void mediaViewSelectsTheMediumsMovie()
    {
        FakeHost host;
        TViewManager_frm vm(&host);
        vm.show();
        open(vm, ViewKind::Media, ViewType::List);
        QCOMPARE(vm.GetSelectedMovieID(), 11.0);
        open(vm, ViewKind::Persons, ViewType::List);
        QCOMPARE(vm.GetSelectedMovieID(), -1.0);
    }

    void groupingInMemory()
    {
        FakeHost host;
        TViewManager_frm vm(&host);
        vm.show();
        open(vm, ViewKind::Movies, ViewType::List);
        vm.GroupBy(QStringLiteral("MEDIATYPE_TEXT"));
        QAbstractItemView *view = vm.focusedGridView();
        auto *groups = qobject_cast<GroupProxyModel *>(view->model());
        QVERIFY(groups);
        // Groups "", "Blu-ray", "DVD" each lead their records.
        QCOMPARE(view->model()->rowCount(), 7);
        QVERIFY(groups->isGroupHeader(0));
        QCOMPARE(groups->headerData(dm->qry_Movie.fieldColumn(QStringLiteral("TITLE")), Qt::Horizontal).toString(),
                 GetText(21));
        QCOMPARE(shownTitles(vm), (QStringList{"Gamma", "Beta", "Alpha", "Delta"}));
        QVERIFY(groups->index(4, 0).data().toString().contains(QStringLiteral("DVD (2)")));
        QCOMPARE(host.countText, QStringLiteral("4 records"));
        view->selectAll();
        QCOMPARE(vm.selectedRows().size(), 4);
        groups->toggleCollapsed(4);
        QCOMPARE(view->model()->rowCount(), 5);
        QVERIFY(!vm.grab().isNull());

        // The grouping is part of the layout the view keeps.
        vm.SaveCurrentView();
        QCOMPARE(vm.gridLayout(QStringLiteral("grid_ViewEntryDBTableView1")).groupBy, QStringLiteral("MEDIATYPE_TEXT"));
        vm.GroupBy(QString());
        QCOMPARE(view->model()->rowCount(), 4);
    }

    void sortingInMemoryUsesTheSortTitle()
    {
        FbQuery::execute(dm->MainConnection, QStringLiteral("update MOVIE set TITLESORT = 'Zulu' where MOVIE_ID = 14"));
        FakeHost host;
        TViewManager_frm vm(&host);
        vm.show();
        open(vm, ViewKind::Movies, ViewType::List);
        auto *table = qobject_cast<QTableView *>(vm.focusedGridView());
        const int title = dm->qry_Movie.fieldColumn(QStringLiteral("TITLE"));
        emit table->horizontalHeader()->sectionClicked(title);
        QCOMPARE(shownTitles(vm), (QStringList{"Alpha", "Beta", "Gamma", "Delta"}));
        emit table->horizontalHeader()->sectionClicked(title);
        QCOMPARE(shownTitles(vm), (QStringList{"Delta", "Gamma", "Beta", "Alpha"}));
        QCOMPARE(vm.GetSelectedMovieID(), 14.0); // the top row after a sort
        QCOMPARE(table->horizontalHeader()->sortIndicatorOrder(), Qt::DescendingOrder);
        // The in-memory sort is part of the layout.
        vm.SaveCurrentView();
        const GridLayout layout = vm.gridLayout(QStringLiteral("grid_ViewEntryDBTableView1"));
        QCOMPARE(layout.sortField, QStringLiteral("TITLE"));
        QVERIFY(layout.sortDescending);
        dm->MainConnection.rollbackRetaining();
    }

    void userViewHooks()
    {
        FakeHost host;
        TViewManager_frm vm(&host);
        vm.show();
        QString stored;
        int switched = 0;
        vm.userViewLoader = [this](TViewManager_frm &form, const QString &caption) {
            // What reading a user view does: kind, layout, its layout text and its SQL.
            form.setViewCurrentTable(ViewKind::Persons);
            form.setViewCurrentType(ViewType::List);
            GridLayout layout = DefaultGridLayout(QStringLiteral("grid_ViewPersonDBTableView2"));
            layout.columns[layout.indexOf(QStringLiteral("BIO"))].visible = false;
            form.ApplyUserViewLayout(GridLayoutToText(layout));
            dm->qry_Person.SQL.setLines({LimitSelectLine(ViewKind::Persons, 2), QStringLiteral("order by NAME DESC")});
            return caption == QStringLiteral("Two persons");
        };
        vm.storeUserViewLayout = [&stored](const QString &text) { stored = text; };
        vm.userViewLayoutSwitch = [&switched](int) { ++switched; };
        vm.ChangeView(9, QStringLiteral("Two persons"));
        QCOMPARE(vm.ViewUserViewName(), QStringLiteral("Two persons"));
        QCOMPARE(vm.focusedGridViewName(), QStringLiteral("grid_ViewPersonDBTableView2"));
        QCOMPARE(shownTitles(vm), (QStringList{"Zed Director", "Wes Writer"}));
        QCOMPARE(host.countText, QStringLiteral("2 records"));
        auto *table = qobject_cast<QTableView *>(vm.focusedGridView());
        QVERIFY(table->horizontalHeader()->isSectionHidden(dm->qry_Person.fieldColumn(QStringLiteral("BIO"))));

        // Its layout goes to the user view, not to the built-in view's settings.
        vm.SwitchLayout(ViewType::Cards);
        QCOMPARE(switched, 1);
        QVERIFY(stored.contains(QStringLiteral("Name=grid_ViewPersonDBTableView2")));
        QVERIFY(
            ReadSettingString(GridLayoutValueName(), GridLayoutSection(QStringLiteral("grid_ViewPersonDBTableView2")))
                .isEmpty());

        // A built-in node clears the user view again.
        open(vm, ViewKind::Persons, ViewType::List);
        QVERIFY(vm.ViewUserViewName().isEmpty());
    }

    void thumbnailSizes()
    {
        FakeHost host;
        TViewManager_frm vm(&host);
        vm.resize(900, 600);
        vm.show();
        open(vm, ViewKind::Movies, ViewType::Thumbnails);
        auto *list = qobject_cast<QListView *>(vm.focusedGridView());
        QVERIFY(list);
        QCOMPARE(vm.thumbnailSize(), 12);
        const int medium = list->visualRect(list->model()->index(0, list->modelColumn())).height();
        vm.ThumbnailSizeCommand(24);
        QCOMPARE(vm.thumbnailSize(), 24);
        list = qobject_cast<QListView *>(vm.focusedGridView());
        QVERIFY(list->visualRect(list->model()->index(0, list->modelColumn())).height() > medium);
        QCOMPARE(FbQuery::scalar(dm->MainConnection, QStringLiteral("select THUMBNAILSIZE from DB_INFO")).toInt(), 24);
        QCOMPARE(host.countText, QStringLiteral("4 records"));
        vm.UpdateThumbnailHeight(0);
        QCOMPARE(vm.thumbnailSize(), 1);
        vm.UpdateThumbnailHeight(12);
    }

    void columnLinesAndCheckBoxes()
    {
        WriteSettingBool(QStringLiteral("CheckboxMultiselect"), QStringLiteral("Options"), true);
        FakeHost host;
        TViewManager_frm vm(&host);
        vm.show();
        open(vm, ViewKind::Movies, ViewType::List);
        auto *table = qobject_cast<QTableView *>(vm.focusedGridView());
        auto *delegate = qobject_cast<TListCellDelegate *>(table->itemDelegate());
        auto *boxes = qobject_cast<TCheckBoxHeader *>(table->verticalHeader());
        QVERIFY(delegate && boxes && boxes->isVisible());
        QVERIFY(!delegate->columnLines());
        vm.SetColumnLines(true);
        QVERIFY(delegate->columnLines());
        QVERIFY(ReadSettingBool(QStringLiteral("ColumnLines"), QString(), false));

        // A click on a row's check box adds the row to the selection instead of replacing it.
        table->clearSelection();
        for (int row : {0, 2}) {
            const QRect box = boxes->checkBoxRect(row);
            QVERIFY(box.isValid());
            QTest::mouseClick(boxes->viewport(), Qt::LeftButton, Qt::NoModifier, box.center());
        }
        QCOMPARE(vm.selectedRows().size(), 2);
        QCOMPARE(host.countText, QStringLiteral("4 records (2 selected)"));
        QTest::mouseClick(boxes->viewport(), Qt::LeftButton, Qt::NoModifier, boxes->checkBoxRect(0).center());
        QCOMPARE(vm.selectedRows().size(), 1);

        // A group's box selects the whole group.
        vm.GroupBy(QStringLiteral("MEDIATYPE_TEXT"));
        table->clearSelection();
        QTest::mouseClick(boxes->viewport(), Qt::LeftButton, Qt::NoModifier, boxes->checkBoxRect(4).center()); // DVD
        QCOMPARE(vm.selectedRows().size(), 2);
        QVERIFY(GroupFullySelected(table->model(), 4, table->selectionModel()));
        vm.GroupBy(QString());

        // Without the option there are no boxes.
        WriteSettingBool(QStringLiteral("CheckboxMultiselect"), QStringLiteral("Options"), false);
        vm.InitViewSettings();
        QVERIFY(!boxes->isVisible());
        WriteSettingBool(QStringLiteral("CheckboxMultiselect"), QStringLiteral("Options"), true);
        vm.SetColumnLines(false);
    }

    void lostDatabaseLeavesTheProgramUsable()
    {
        FakeHost host;
        TViewManager_frm vm(&host);
        vm.show();
        open(vm, ViewKind::Media, ViewType::List);
        ViewsFixture::killMainAttachment(*dm);
        vm.RefreshViewDatasets();
        QCoreApplication::processEvents();
        QCOMPARE(ui->messages.size(), 1);
        QVERIFY(!ui->messages.first().text.isEmpty());
        QCOMPARE(host.countText, QString());

        // Switching to another database works as usual.
        ui->messages.clear();
        vm.SaveCurrentView();
        useDatabase(emptyPath);
        open(vm, ViewKind::Movies, ViewType::Cards);
        QVERIFY(ui->messages.isEmpty());
        QCOMPARE(host.countText, QString());
        useDatabase(fixturePath);
        open(vm, ViewKind::Movies, ViewType::Cards);
        QCOMPARE(host.countText, QStringLiteral("4 records"));
    }
};

RN_GUI_TEST_MAIN(TestGuiViewManager)
#include "tst_gui_viewmanager.moc"
