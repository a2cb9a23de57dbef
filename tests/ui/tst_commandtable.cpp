#include "TestSupport.h"

#include "ui/CommandTable.h"
#include "views/BrowseSql.h"

#include <QKeySequence>
#include <QSet>

#include <algorithm>

Q_DECLARE_METATYPE(Command)
Q_DECLARE_METATYPE(CommandContext)

namespace {

struct State
{
    int kind = 0;
    int layout = ViewType::List;
    bool userView = false;
    bool rows = true;
    bool onLoan = false;
};

void addRow(const char *name, Command command, ContentKind content, State state, bool enabled)
{
    CommandContext context;
    context.content = content;
    context.viewKind = state.kind;
    context.layout = state.layout;
    context.userView = state.userView;
    context.viewHasRows = state.rows;
    context.focusedOnLoan = state.onLoan;
    QTest::newRow(name) << command << QVariant::fromValue(context) << enabled;
}

} // namespace

class TestCommandTable : public QObject
{
    Q_OBJECT

private slots:
    void everyCommandHasOneEntry()
    {
        QSet<int> seen;
        for (const CommandInfo &info : CommandCatalogue()) {
            QVERIFY2(!seen.contains(int(info.command)), qPrintable(info.caption));
            seen.insert(int(info.command));
            QVERIFY(!info.caption.isEmpty());
            QCOMPARE(CommandInfoOf(info.command).caption, info.caption);
        }
        for (int c = 0; c <= int(Command::Exit); ++c)
            QVERIFY2(seen.contains(c), qPrintable(QString::number(c)));
    }

    void ribbonGroupsAreOrdered()
    {
        // Inside a group the commands follow each other from 1 without gaps, so the ribbon can lay
        // them out by their order alone.
        QString group;
        int expected = 0;
        for (const CommandInfo &info : CommandCatalogue()) {
            if (info.group.isEmpty()) {
                QCOMPARE(info.order, 0);
                continue;
            }
            const QString key = info.tab + QLatin1Char('/') + info.group;
            expected = key == group ? expected + 1 : 1;
            group = key;
            QCOMPARE(info.order, expected);
        }
        QCOMPARE(CommandInfoOf(Command::ReportPrint).tab, QStringLiteral("Report"));
        QCOMPARE(CommandInfoOf(Command::ReturnLoan).group, QStringLiteral("Media"));
        QCOMPARE(CommandInfoOf(Command::About).group, QStringLiteral("Quick Access"));
    }

    void names()
    {
        // The home and report tabs both hold a "Print"; the report one goes by its own name.
        QCOMPARE(CommandByName(QStringLiteral("Print")), std::optional(Command::Print));
        QCOMPARE(CommandByName(QStringLiteral("Report Print")), std::optional(Command::ReportPrint));
        QCOMPARE(CommandByName(QStringLiteral("Report Export")), std::optional(Command::ReportExport));
        QCOMPARE(CommandByName(QStringLiteral("Copy Associated Files...")),
                 std::optional(Command::CopyAssociatedFiles));
        QCOMPARE(CommandByName(QStringLiteral("no such command")), std::nullopt);
    }

    void enabling_data()
    {
        QTest::addColumn<Command>("command");
        QTest::addColumn<QVariant>("context");
        QTest::addColumn<bool>("enabled");
        using C = ContentKind;
        const State none;

        // Content forms without a view.
        addRow("start page: Edit", Command::Edit, C::Homepage, none, false);
        addRow("start page: Thumbnail Size", Command::ThumbnailSize, C::Homepage, none, false);
        addRow("start page: by Title/Barcode", Command::AddByTitle, C::Homepage, none, true);
        addRow("start page: Options", Command::Options, C::Homepage, none, true);
        addRow("nothing embedded: Print", Command::Print, C::None, none, false);
        addRow("nothing embedded: Exit", Command::Exit, C::None, none, true);
        addRow("statistics: Print", Command::Print, C::Statistics, none, true);
        addRow("statistics: Thumbnail Size", Command::ThumbnailSize, C::Statistics, none, true);
        addRow("statistics: Sort", Command::Sort, C::Statistics, none, false);
        addRow("reports: report Print", Command::ReportPrint, C::Reports, none, true);
        addRow("reports: home Print", Command::Print, C::Reports, none, false);
        addRow("reports: Next Page", Command::NextPage, C::Reports, none, true);
        addRow("reports: Advanced Find", Command::AdvancedFind, C::Reports, none, true);
        addRow("reports: Sort", Command::Sort, C::Reports, none, true);
        addRow("reports: Delete", Command::Delete, C::Reports, none, false);
        addRow("view manager: report Zoom", Command::ReportZoom, C::ViewManager, {10}, false);

        // Loans: grouping in the list layout, thumbnail sizes in the card layouts.
        addRow("loans: Edit", Command::Edit, C::Loans, none, true);
        addRow("loans: Delete", Command::Delete, C::Loans, none, false);
        addRow("loans: Return Loan", Command::ReturnLoan, C::Loans, none, true);
        addRow("loans list: Group By", Command::GroupBy, C::Loans, {0, 1}, true);
        addRow("loans cards: Group By Box", Command::GroupByBox, C::Loans, {0, 3}, false);
        addRow("loans list: Thumbnail Size", Command::ThumbnailSize, C::Loans, {0, 1}, false);
        addRow("loans cards: Thumbnail Size", Command::ThumbnailSize, C::Loans, {0, 2}, true);
        addRow("loans cards: Column Lines", Command::ColumnLines, C::Loans, {0, 3}, true);
        addRow("loans: Conditional Formatting", Command::ConditionalFormatting, C::Loans, none, true);
        addRow("loans: Advanced Find", Command::AdvancedFind, C::Loans, none, false);

        // Wish list: the kind-bound commands of the movie and media views are its own there.
        addRow("wish list: Trailer", Command::PlayTrailer, C::WantList, none, true);
        addRow("wish list: Download Cover Art", Command::DownloadCoverArt, C::WantList, none, true);
        addRow("wish list: Edit All Selected", Command::EditAllSelected, C::WantList, none, true);
        addRow("wish list: Move to Movies", Command::MoveToMovies, C::WantList, none, true);
        addRow("wish list: Movie", Command::PlayMovie, C::WantList, none, false);
        addRow("wish list: Return Loan", Command::ReturnLoan, C::WantList, none, false);
        addRow("wish list: Find All", Command::FindAll, C::WantList, none, false);
        addRow("wish list: Group By", Command::GroupBy, C::WantList, none, false);
        addRow("wish list list: Thumbnail Size", Command::ThumbnailSize, C::WantList, {0, 1}, false);
        addRow("wish list cards: Thumbnail Size", Command::ThumbnailSize, C::WantList, {0, 3}, true);
        addRow("view manager: Move to Movies", Command::MoveToMovies, C::ViewManager, {10}, false);

        // The view manager by kind.
        for (const auto &[command, name, k10, k20, k30] :
             {std::tuple{Command::MoveMovie, "Move Movie", true, false, false},
              std::tuple{Command::AutoUpdateMovieInfo, "Auto-Update Movie Info", true, false, false},
              std::tuple{Command::DefineMovieGroup, "Define Movie Group", true, false, false},
              std::tuple{Command::Duplicates, "Duplicates", true, false, false},
              std::tuple{Command::PlayTrailer, "Trailer", true, true, false},
              std::tuple{Command::DownloadCoverArt, "Download Cover Art", true, true, false},
              std::tuple{Command::ExportCoverArt, "Export Cover Art", true, true, false},
              std::tuple{Command::RenumberAllMedia, "Re-Number All Media", true, true, false},
              std::tuple{Command::EditAllSelected, "Edit All Selected", true, true, false},
              std::tuple{Command::NewLoan, "New Loan", true, true, false},
              std::tuple{Command::CopyAssociatedFiles, "Copy Associated Files", true, true, false},
              std::tuple{Command::RottenTomatoesPage, "Rotten Tomatoes", true, true, false},
              std::tuple{Command::DownloadInfo, "Download Info", false, false, true},
              std::tuple{Command::SetRating, "Set Rating", true, true, true},
              std::tuple{Command::LastWatchedToday, "today", true, true, true},
              std::tuple{Command::Delete, "Delete", true, true, true}}) {
            const bool expected[] = {k10, k20, k30};
            for (int i = 0; i < 3; ++i) {
                const QByteArray row = QByteArray(name) + " in kind " + QByteArray::number(10 * (i + 1));
                addRow(row.constData(), command, C::ViewManager, {10 * (i + 1)}, expected[i]);
            }
        }

        // The view manager by layout, view and focused record.
        addRow("thumbnails: Thumbnail Size", Command::ThumbnailSize, C::ViewManager, {10, 2}, true);
        addRow("list: Thumbnail Size", Command::ThumbnailSize, C::ViewManager, {10, 1}, false);
        addRow("cards: Thumbnail Size", Command::ThumbnailSize, C::ViewManager, {20, 3}, false);
        addRow("list: Column Lines", Command::ColumnLines, C::ViewManager, {30, 1}, true);
        addRow("cards: Column Lines", Command::ColumnLines, C::ViewManager, {10, 3}, false);
        addRow("movies list: Group By", Command::GroupBy, C::ViewManager, {10, 1}, true);
        addRow("media list: Group By Box", Command::GroupByBox, C::ViewManager, {20, 1}, true);
        addRow("persons list: Group By", Command::GroupBy, C::ViewManager, {30, 1}, false);
        addRow("movies thumbnails: Group By", Command::GroupBy, C::ViewManager, {10, 2}, false);
        addRow("rows: Edit", Command::Edit, C::ViewManager, {20, 1, false, true}, true);
        addRow("empty view: Edit", Command::Edit, C::ViewManager, {20, 1, false, false}, false);
        addRow("empty view: Delete", Command::Delete, C::ViewManager, {20, 1, false, false}, true);
        addRow("user view: Edit View", Command::EditView, C::ViewManager, {10, 1, true}, true);
        addRow("built-in view: Edit View", Command::EditView, C::ViewManager, {10, 1, false}, false);
        addRow("built-in view: Create a View", Command::CreateView, C::ViewManager, {10, 1, false}, true);
        addRow("on loan: Return Loan", Command::ReturnLoan, C::ViewManager, {20, 1, false, true, true}, true);
        addRow("not on loan: Return Loan", Command::ReturnLoan, C::ViewManager, {20, 1, false, true, false}, false);
        addRow("kind not set yet: Move Movie", Command::MoveMovie, C::ViewManager, {0}, false);
        addRow("kind not set yet: Select All", Command::SelectAll, C::ViewManager, {0}, true);
    }

    void enabling()
    {
        QFETCH(Command, command);
        QFETCH(QVariant, context);
        QFETCH(bool, enabled);
        QCOMPARE(CommandEnabled(command, context.value<CommandContext>()), enabled);
    }

    void ribbonLayout()
    {
        // Blocks split where a vertical bar stands; drop-down items never get buttons of their own.
        const QList<RibbonGroup> groups = RibbonGroups();
        const auto entry = std::find_if(groups.cbegin(), groups.cend(),
                                        [](const RibbonGroup &g) { return g.caption == QLatin1String("Entry"); });
        QVERIFY(entry != groups.cend());
        QCOMPARE(entry->blocks, (QList<QList<Command>>{{Command::AddMovies},
                                                       {Command::New, Command::Edit, Command::Delete, Command::Print},
                                                       {Command::AutoUpdateMovieInfo}}));
        QStringList captions;
        QSet<int> shown;
        for (const RibbonGroup &g : groups) {
            captions << g.tab + QLatin1Char('/') + g.caption;
            for (const QList<Command> &block : g.blocks) {
                QVERIFY(!block.isEmpty());
                for (Command c : block) {
                    QVERIFY2(!IsDropDownItem(c), qPrintable(CommandInfoOf(c).caption));
                    QVERIFY2(!shown.contains(int(c)), qPrintable(CommandInfoOf(c).caption));
                    shown.insert(int(c));
                }
            }
        }
        QCOMPARE(captions, (QStringList{QStringLiteral("Home/Entry"), QStringLiteral("Home/Search and Sort"),
                                        QStringLiteral("Home/Media"), QStringLiteral("Home/Customize"),
                                        QStringLiteral("Home/Show"), QStringLiteral("Modifications/View"),
                                        QStringLiteral("Modifications/Batch Editing"),
                                        QStringLiteral("Modifications/Movie Groups"),
                                        QStringLiteral("Data/Lookup Data"), QStringLiteral("Data/Export"),
                                        QStringLiteral("Report/Report Options"), QStringLiteral("Report/Navigation")}));
        QCOMPARE(QuickAccessCommands(),
                 (QList<Command>{Command::DatabaseOperations, Command::BackupRestore, Command::QuickAddByScanning,
                                 Command::Options, Command::TouchMouseMode, Command::About}));
        QCOMPARE(RibbonKeyTip(QStringLiteral("Home")), QStringLiteral("H"));
        QCOMPARE(RibbonKeyTip(QStringLiteral("Data")), QStringLiteral("D"));
        QCOMPARE(RibbonKeyTip(QStringLiteral("Report")), QStringLiteral("R"));
    }

    void dropDowns()
    {
        const auto captions = [](Command parent) {
            QStringList list;
            for (const DropDownItem &item : DropDownItems(parent))
                list << (item.separatorBefore ? QStringLiteral("| ") : QString()) + item.caption;
            return list;
        };
        QCOMPARE(captions(Command::UpdateCoverArt),
                 (QStringList{QStringLiteral("Download Cover Art"), QStringLiteral("Use Image from clipboard"),
                              QStringLiteral("| Browse for image file...")}));
        QCOMPARE(captions(Command::Play), (QStringList{QStringLiteral("&Trailer"), QStringLiteral("&Movie")}));
        QCOMPARE(captions(Command::GroupBy).first(), QStringLiteral("(no grouping)"));
        QCOMPARE(captions(Command::GroupBy).at(1), QStringLiteral("| Certification"));
        QCOMPARE(captions(Command::GroupBy).last(), QStringLiteral("| Group By Box"));
        QCOMPARE(captions(Command::ExportData).last(), QStringLiteral("| Mobile App Package..."));
        QCOMPARE(captions(Command::ReportExport).at(6), QStringLiteral("| BMP..."));

        // The rating items pass 10 down to 1, then 0.
        QList<int> ratings;
        for (const DropDownItem &item : DropDownItems(Command::SetRating))
            ratings << item.item.argument;
        QCOMPARE(ratings, (QList<int>{10, 9, 8, 7, 6, 5, 4, 3, 2, 1, 0}));
        QCOMPARE(CommandItemCaption({Command::SetRating, 0}), QStringLiteral("&Not Rated"));
        QList<int> sizes;
        for (const DropDownItem &item : DropDownItems(Command::ThumbnailSize))
            sizes << item.item.argument;
        QCOMPARE(sizes, (QList<int>{5, 12, 24}));

        QVERIFY(IsSplitButton(Command::New));
        QVERIFY(!IsSplitButton(Command::AddMovies));
        QVERIFY(IsDropDownItem(Command::GroupByBox));
        QVERIFY(!IsDropDownItem(Command::GroupBy));
        QCOMPARE(GroupByField(0), QString());
        QCOMPARE(GroupByField(11), QStringLiteral("STUDIO"));
    }

    void itemEnabling_data()
    {
        QTest::addColumn<int>("command");
        QTest::addColumn<int>("argument");
        QTest::addColumn<int>("content");
        QTest::addColumn<int>("kind");
        QTest::addColumn<bool>("enabled");
        const int vm = int(ContentKind::ViewManager);
        const int loans = int(ContentKind::Loans);
        const int findAll = int(Command::FindAll);
        const int groupBy = int(Command::GroupBy);
        QTest::newRow("same genres, movies") << findAll << 0 << vm << 10 << true;
        QTest::newRow("same genres, media") << findAll << 0 << vm << 20 << false;
        QTest::newRow("same media, media") << findAll << 6 << vm << 20 << true;
        QTest::newRow("same media, persons") << findAll << 6 << vm << 30 << false;
        QTest::newRow("same region code, movies") << findAll << 8 << vm << 10 << false;
        QTest::newRow("same status, media") << findAll << 9 << vm << 20 << true;
        QTest::newRow("IMDb association, media") << findAll << 11 << vm << 20 << false;
        QTest::newRow("group by studio, movies") << groupBy << 11 << vm << 10 << true;
        QTest::newRow("group by studio, media") << groupBy << 11 << vm << 20 << false;
        QTest::newRow("group by status, media") << groupBy << 10 << vm << 20 << true;
        QTest::newRow("group by media type, media") << groupBy << 2 << vm << 20 << true;
        QTest::newRow("group by lend to, movies") << groupBy << 3 << vm << 10 << false;
        QTest::newRow("group by lend to, loans") << groupBy << 3 << loans << 0 << true;
        QTest::newRow("group by location, loans") << groupBy << 4 << loans << 0 << false;
        QTest::newRow("no grouping, loans") << groupBy << 0 << loans << 0 << true;
        QTest::newRow("rating 7, persons") << int(Command::SetRating) << 7 << vm << 30 << true;
    }

    void itemEnabling()
    {
        QFETCH(int, command);
        QFETCH(int, argument);
        QFETCH(int, content);
        QFETCH(int, kind);
        QFETCH(bool, enabled);
        CommandContext context;
        context.content = ContentKind(content);
        context.viewKind = kind;
        context.layout = ViewType::List;
        QCOMPARE(CommandItemEnabled({Command(command), argument}, context), enabled);
    }

    void shortcutOwners_data()
    {
        QTest::addColumn<QString>("shortcut");
        QTest::addColumn<QList<int>>("enabled");
        QTest::addColumn<int>("owner"); // -1: nobody
        const auto c = [](Command command) { return int(command); };
        QTest::newRow("Ctrl+N, both") << "Ctrl+N" << QList<int>{c(Command::New), c(Command::AddByTitle)}
                                      << c(Command::New);
        QTest::newRow("Ctrl+N, title search only")
            << "Ctrl+N" << QList<int>{c(Command::AddByTitle)} << c(Command::AddByTitle);
        QTest::newRow("F6, movies") << "F6" << QList<int>{c(Command::DownloadCoverArt)} << c(Command::DownloadCoverArt);
        QTest::newRow("F6, persons") << "F6" << QList<int>{c(Command::DownloadInfo)} << c(Command::DownloadInfo);
        QTest::newRow("F6, neither") << "F6" << QList<int>{} << -1;
        QTest::newRow("Ctrl+P, reports") << "Ctrl+P" << QList<int>{c(Command::ReportPrint)} << c(Command::ReportPrint);
        QTest::newRow("Del") << "Del" << QList<int>{c(Command::Delete)} << c(Command::Delete);
    }

    void shortcutOwners()
    {
        QFETCH(QString, shortcut);
        QFETCH(QList<int>, enabled);
        QFETCH(int, owner);
        const std::optional<Command> found =
            ShortcutOwner(shortcut, [&](Command command) { return enabled.contains(int(command)); });
        QCOMPARE(found ? int(*found) : -1, owner);
    }

    void shortcutsOfTheTable()
    {
        QCOMPARE(CommandInfoOf(Command::Edit).shortcut, QStringLiteral("Ctrl+O"));
        QCOMPARE(CommandInfoOf(Command::ExpandQueryBuilder).shortcut, QStringLiteral("Ctrl+Alt+W"));
        QCOMPARE(CommandsWithShortcut(QStringLiteral("Ctrl+N")), (QList<Command>{Command::New, Command::AddByTitle}));
        // Every key is readable as a key sequence.
        for (const QString &key : CommandShortcuts())
            QVERIFY2(!QKeySequence(key, QKeySequence::PortableText).isEmpty(), qPrintable(key));
    }

    void dispatchTargets()
    {
        QCOMPARE(NewCommandTarget(ContentKind::ViewManager), std::optional(Command::NewMovie));
        QCOMPARE(NewCommandTarget(ContentKind::Statistics), std::optional(Command::NewMovie));
        QCOMPARE(NewCommandTarget(ContentKind::WantList), std::optional(Command::NewWantedItem));
        QCOMPARE(NewCommandTarget(ContentKind::Loans), std::optional(Command::NewPerson));
        QCOMPARE(NewCommandTarget(ContentKind::Reports), std::optional(Command::NewReport));
        QCOMPARE(NewCommandTarget(ContentKind::Homepage), std::nullopt);
        QCOMPARE(ManualEntryTarget(true), Command::NewWantedItem);
        QCOMPARE(ManualEntryTarget(false), Command::NewMovie);
        QCOMPARE(AddMoviesPaneTarget(false, true), Command::AddByScanning);
        QCOMPARE(AddMoviesPaneTarget(true, true), Command::AddByTitle);
        QCOMPARE(AddMoviesPaneTarget(false, false), Command::AddByTitle);
    }

    void contextMenus()
    {
        const auto text = [](ContextMenuKind kind) {
            QStringList lines;
            for (const MenuLine &line : ContextMenuLayout(kind)) {
                switch (line.kind) {
                case MenuLine::Item:
                    lines << CommandItemCaption(line.item);
                    break;
                case MenuLine::SubMenu:
                    lines << CommandItemCaption(line.item) + QStringLiteral(" >");
                    break;
                case MenuLine::Separator:
                    lines << QStringLiteral("|");
                    break;
                case MenuLine::Section:
                    lines << QLatin1Char('[') + line.caption + QLatin1Char(']');
                    break;
                }
            }
            return lines.join(QStringLiteral(", "));
        };
        QCOMPARE(
            text(ContextMenuKind::Views),
            QStringLiteral("[Entry], Edit, Delete, [Search], Find All >, Show All, [Movie], Play >, Open Containing "
                           "Folder, Copy Associated Files..., [Edit], Edit All Selected, Update Cover Art >, |, Set "
                           "Rating >, Set Last Watched >, |, Customize Columns, Column Lines"));
        QCOMPARE(text(ContextMenuKind::Persons),
                 QStringLiteral("New, Edit, Delete, |, Download Info, |, Customize Columns, Column Lines"));
        QCOMPARE(text(ContextMenuKind::NavigationTree),
                 QStringLiteral("Create a View, Edit View, |, Arrange Views, |, Delete View"));
        QCOMPARE(text(ContextMenuKind::SearchBox),
                 QStringLiteral("Instant Search, |, Advanced Find, Expand the Query Builder"));
    }

    void contentRuleAgreesWithTheFullRule()
    {
        // A command the content cannot enable stays off whatever the view shows.
        for (const CommandInfo &info : CommandCatalogue()) {
            for (ContentKind content :
                 {ContentKind::None, ContentKind::Homepage, ContentKind::ViewManager, ContentKind::Loans,
                  ContentKind::WantList, ContentKind::Statistics, ContentKind::Reports}) {
                if (ContentEnablesCommand(content, info.command))
                    continue;
                for (int kind : {10, 20, 30}) {
                    for (int layout : {1, 2, 3}) {
                        CommandContext context{content, kind, layout, true, true, true};
                        QVERIFY2(!CommandEnabled(info.command, context), qPrintable(info.caption));
                    }
                }
            }
        }
    }
};

RN_TEST_MAIN(TestCommandTable)
#include "tst_commandtable.moc"
