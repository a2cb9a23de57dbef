#include "TestSupport.h"

#include "ui/CommandTable.h"
#include "views/BrowseSql.h"

#include <QSet>

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
