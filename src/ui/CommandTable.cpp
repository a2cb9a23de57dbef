#include "ui/CommandTable.h"

#include "views/BrowseSql.h"

#include <algorithm>
#include <iterator>

namespace {

using Mask = unsigned;

constexpr Mask bit(ContentKind content)
{
    return 1u << unsigned(content);
}

constexpr Mask AnyContent = ~0u;
constexpr Mask VM = bit(ContentKind::ViewManager);
constexpr Mask Loans = bit(ContentKind::Loans);
constexpr Mask Want = bit(ContentKind::WantList);
constexpr Mask Stats = bit(ContentKind::Statistics);
constexpr Mask Reports = bit(ContentKind::Reports);

// View kinds inside the view manager.
constexpr Mask K10 = 1;
constexpr Mask K20 = 2;
constexpr Mask K30 = 4;
constexpr Mask AnyKind = K10 | K20 | K30;

// Further conditions: the first five inside the view manager, the last two on the loans and wish-list
// forms.
enum Need : unsigned {
    None = 0,
    UserView = 1,
    ListLayout = 2,
    ThumbnailLayout = 4,
    Rows = 8,
    OnLoan = 16,
    FormList = 32,
    FormCards = 64,
};

struct Entry
{
    Command command;
    const char *caption;
    const char *tab;
    const char *group;
    int order;
    Mask contents;
    Mask kinds;
    unsigned needs;
};

// clang-format off
const Entry entries[] = {
    {Command::AddMovies, "Add Movies", "Home", "Entry", 1, AnyContent, AnyKind, None},
    {Command::AddByTitle, "by Title/Barcode", "Home", "Entry", 2, AnyContent, AnyKind, None},
    {Command::AddByScanning, "by Scanning Harddrive", "Home", "Entry", 3, AnyContent, AnyKind, None},
    {Command::AddFromTextFile, "by Importing Titles from a Textfile", "Home", "Entry", 4, AnyContent, AnyKind, None},
    {Command::AddManually, "by Entering Data Manually", "Home", "Entry", 5, AnyContent, AnyKind, None},
    {Command::New, "New", "Home", "Entry", 6, AnyContent, AnyKind, None},
    {Command::NewMovie, "Movie (manual entry)", "Home", "Entry", 7, AnyContent, AnyKind, None},
    {Command::NewPerson, "Person", "Home", "Entry", 8, AnyContent, AnyKind, None},
    {Command::NewReport, "Report", "Home", "Entry", 9, AnyContent, AnyKind, None},
    {Command::NewWantedItem, "Wanted Item", "Home", "Entry", 10, AnyContent, AnyKind, None},
    {Command::Edit, "Edit", "Home", "Entry", 11, VM | Loans | Want, AnyKind, Rows},
    {Command::Delete, "Delete", "Home", "Entry", 12, VM | Want, AnyKind, None},
    {Command::Print, "Print", "Home", "Entry", 13, VM | Loans | Want | Stats, AnyKind, None},
    {Command::AutoUpdateMovieInfo, "Auto-Update Movie Info", "Home", "Entry", 14, VM, K10, None},

    {Command::InstantSearch, "Instant Search", "Home", "Search and Sort", 1, VM | Loans | Want, AnyKind, None},
    {Command::FindAll, "Find All", "Home", "Search and Sort", 2, VM, AnyKind, None},
    {Command::ShowAll, "Show All", "Home", "Search and Sort", 3, VM | Loans | Want, AnyKind, None},
    {Command::Sort, "Sort", "Home", "Search and Sort", 4, VM | Reports | Loans | Want, AnyKind, None},
    {Command::QuickFilter, "Quick Filter", "Home", "Search and Sort", 5, VM | Want, AnyKind, None},

    {Command::Play, "Play", "Home", "Media", 1, VM | Want, AnyKind, None},
    {Command::PlayTrailer, "&Trailer", "Home", "Media", 2, VM | Want, K10 | K20, None},
    {Command::PlayMovie, "&Movie", "Home", "Media", 3, VM, AnyKind, None},
    {Command::UpdateCoverArt, "Update Cover Art", "Home", "Media", 4, VM | Want, AnyKind, None},
    {Command::DownloadCoverArt, "Download Cover Art", "Home", "Media", 5, VM | Want, K10 | K20, None},
    {Command::CoverFromClipboard, "Use Image from clipboard", "Home", "Media", 6, VM | Want, AnyKind, None},
    {Command::CoverFromFile, "Browse for image file...", "Home", "Media", 7, VM | Want, AnyKind, None},
    {Command::NewLoan, "New Loan", "Home", "Media", 8, VM, K10 | K20, None},
    {Command::ReturnLoan, "Return Loan", "Home", "Media", 9, VM | Loans, AnyKind, OnLoan},

    {Command::GroupBy, "Group By", "Home", "Customize", 1, VM | Loans, K10 | K20, ListLayout | FormList},
    {Command::GroupByBox, "Group By Box", "Home", "Customize", 2, VM | Loans, K10 | K20, ListLayout | FormList},
    {Command::ThumbnailSize, "Thumbnail Size", "Home", "Customize", 3, VM | Loans | Want | Stats, AnyKind, ThumbnailLayout | FormCards},
    {Command::CustomizeColumns, "Customize Columns", "Home", "Customize", 4, VM | Loans | Want, AnyKind, None},

    {Command::MovieImdbPage, "Movie IMDb Page", "Home", "Show", 1, VM | Want, AnyKind, None},
    {Command::RottenTomatoesPage, "Visit Rotten Tomatoes Page", "Home", "Show", 2, VM | Want, K10 | K20, None},
    {Command::MovieInfoPane, "Movie Info Pane", "Home", "Show", 3, VM, AnyKind, None},

    {Command::CreateView, "Create a View", "Modifications", "View", 1, VM, AnyKind, None},
    {Command::EditView, "Edit View", "Modifications", "View", 2, VM, AnyKind, UserView},
    {Command::ArrangeViews, "Arrange Views", "Modifications", "View", 3, VM, AnyKind, None},

    {Command::EditAllSelected, "Edit All Selected", "Modifications", "Batch Editing", 1, VM | Want, K10 | K20, None},
    {Command::SelectAll, "Select All", "Modifications", "Batch Editing", 2, VM, AnyKind, None},
    {Command::RandomSelection, "Random Selection", "Modifications", "Batch Editing", 3, VM | Want, AnyKind, None},
    {Command::FilterBuilder, "Filter Builder", "Modifications", "Batch Editing", 4, VM, AnyKind, None},
    {Command::ConditionalFormatting, "Conditional Formatting", "Modifications", "Batch Editing", 5, VM | Want | Loans, AnyKind, None},
    {Command::RenumberAllMedia, "Re-Number All Media", "Modifications", "Batch Editing", 6, VM, K10 | K20, None},
    {Command::CopyBetweenDatabases, "Copy Between Databases", "Modifications", "Batch Editing", 7, VM, K10 | K20, None},
    {Command::MoveMovie, "Move Movie", "Modifications", "Batch Editing", 8, VM, K10, None},
    {Command::RenameVideoFiles, "Rename Video Files", "Modifications", "Batch Editing", 9, AnyContent, AnyKind, None},

    {Command::DefineMovieGroup, "Define Movie Group", "Modifications", "Movie Groups", 1, VM, K10, None},
    {Command::AddToMovieGroup, "Add to Movie Group", "Modifications", "Movie Groups", 2, VM, K10, None},
    {Command::DissolveMovieGroup, "Dissolve Movie Group", "Modifications", "Movie Groups", 3, VM, K10, None},

    {Command::AudioFormats, "Audio Formats", "Data", "Lookup Data", 1, AnyContent, AnyKind, None},
    {Command::Certifications, "Certifications", "Data", "Lookup Data", 2, AnyContent, AnyKind, None},
    {Command::Countries, "Countries", "Data", "Lookup Data", 3, AnyContent, AnyKind, None},
    {Command::Genres, "Genres", "Data", "Lookup Data", 4, AnyContent, AnyKind, None},
    {Command::Languages, "Languages", "Data", "Lookup Data", 5, AnyContent, AnyKind, None},
    {Command::MediaTypes, "Media Types", "Data", "Lookup Data", 6, AnyContent, AnyKind, None},
    {Command::Roles, "Roles", "Data", "Lookup Data", 7, AnyContent, AnyKind, None},
    {Command::VideoFormats, "Video Formats", "Data", "Lookup Data", 8, AnyContent, AnyKind, None},
    {Command::TechnicalData, "Technical Data", "Data", "Lookup Data", 9, AnyContent, AnyKind, None},
    {Command::Keywords, "Keywords", "Data", "Lookup Data", 10, AnyContent, AnyKind, None},

    {Command::ExportData, "Export Data", "Data", "Export", 1, VM | Loans | Want, AnyKind, None},
    {Command::ExportCoverArt, "Export Cover Art", "Data", "Export", 2, VM, K10 | K20, None},

    {Command::ReportPrint, "Print", "Report", "Report Options", 1, Reports, AnyKind, None},
    {Command::ReportZoom, "Zoom", "Report", "Report Options", 2, Reports, AnyKind, None},
    {Command::ReportExport, "Export", "Report", "Report Options", 3, Reports, AnyKind, None},
    {Command::PreviousPage, "Previous Page", "Report", "Navigation", 1, Reports, AnyKind, None},
    {Command::NextPage, "Next Page", "Report", "Navigation", 2, Reports, AnyKind, None},
    {Command::JumpToPage, "Jump to Page", "Report", "Navigation", 3, Reports, AnyKind, None},

    {Command::DatabaseOperations, "Database Operations", "", "Quick Access", 1, AnyContent, AnyKind, None},
    {Command::BackupRestore, "Backup/Restore", "", "Quick Access", 2, AnyContent, AnyKind, None},
    {Command::QuickAddByScanning, "Add Movies by Scanning Hard Drive", "", "Quick Access", 3, AnyContent, AnyKind, None},
    {Command::Options, "Options", "", "Quick Access", 4, AnyContent, AnyKind, None},
    {Command::TouchMouseMode, "Touch/Mouse Mode", "", "Quick Access", 5, AnyContent, AnyKind, None},
    {Command::About, "About Reelnest", "", "Quick Access", 6, AnyContent, AnyKind, None},

    {Command::AdvancedFind, "Advanced Find", "", "", 0, VM | Reports, AnyKind, None},
    {Command::ExpandQueryBuilder, "Expand the Query Builder", "", "", 0, VM, AnyKind, None},
    {Command::DeleteView, "Delete View", "", "", 0, VM, AnyKind, None},
    {Command::Duplicates, "Duplicates", "", "", 0, VM, K10, None},
    {Command::DownloadInfo, "Download Info", "", "", 0, VM, K30, None},
    {Command::OpenContainingFolder, "Open Containing Folder", "", "", 0, VM, AnyKind, None},
    {Command::CopyAssociatedFiles, "Copy Associated Files...", "", "", 0, VM, K10 | K20, None},
    {Command::SetRating, "Set Rating", "", "", 0, VM, AnyKind, None},
    {Command::SetLastWatched, "Set Last Watched", "", "", 0, VM, AnyKind, None},
    {Command::LastWatchedToday, "today", "", "", 0, VM, AnyKind, None},
    {Command::LastWatchedYesterday, "yesterday", "", "", 0, VM, AnyKind, None},
    {Command::MoveToMovies, "Move item(s) to Movies section", "", "", 0, Want, AnyKind, None},
    {Command::ColumnLines, "Column Lines", "", "", 0, VM | Loans | Want, AnyKind, ListLayout},
    {Command::Exit, "Exit", "", "", 0, AnyContent, AnyKind, None},
};
// clang-format on

int indexOf(Command command)
{
    const auto it = std::find_if(std::begin(entries), std::end(entries),
                                 [command](const Entry &e) { return e.command == command; });
    Q_ASSERT(it != std::end(entries));
    return int(it - std::begin(entries));
}

const Entry &entryOf(Command command)
{
    return entries[indexOf(command)];
}

Mask kindBit(int viewKind)
{
    switch (viewKind) {
    case ViewKind::Movies:
        return K10;
    case ViewKind::Media:
        return K20;
    case ViewKind::Persons:
        return K30;
    default:
        return 0;
    }
}

} // namespace

const QList<CommandInfo> &CommandCatalogue()
{
    static const QList<CommandInfo> catalogue = [] {
        QList<CommandInfo> list;
        for (const Entry &e : entries)
            list.append({e.command, QString::fromLatin1(e.caption), QString::fromLatin1(e.tab),
                         QString::fromLatin1(e.group), e.order});
        return list;
    }();
    return catalogue;
}

const CommandInfo &CommandInfoOf(Command command)
{
    return CommandCatalogue().at(indexOf(command));
}

bool ContentGoverns(Command command)
{
    return entryOf(command).contents != AnyContent;
}

bool ContentEnablesCommand(ContentKind content, Command command)
{
    return (entryOf(command).contents & bit(content)) != 0;
}

bool CommandEnabled(Command command, const CommandContext &context)
{
    const Entry &e = entryOf(command);
    if (!(e.contents & bit(context.content)))
        return false;
    if (context.content == ContentKind::Loans || context.content == ContentKind::WantList) {
        // These forms have one list layout; every other layout of theirs shows cards.
        if ((e.needs & FormList) && context.layout != ViewType::List)
            return false;
        if ((e.needs & FormCards) && context.layout == ViewType::List)
            return false;
        return true;
    }
    if (context.content != ContentKind::ViewManager)
        return true;
    // Commands for every kind stay enabled before the kind is known.
    if (e.kinds != AnyKind && !(e.kinds & kindBit(context.viewKind)))
        return false;
    if ((e.needs & UserView) && !context.userView)
        return false;
    if ((e.needs & ListLayout) && context.layout != ViewType::List)
        return false;
    if ((e.needs & ThumbnailLayout) && context.layout != ViewType::Thumbnails)
        return false;
    if ((e.needs & Rows) && !context.viewHasRows)
        return false;
    if ((e.needs & OnLoan) && !context.focusedOnLoan)
        return false;
    return true;
}

std::optional<Command> CommandByName(const QString &name)
{
    if (name == QLatin1String("Report Print"))
        return Command::ReportPrint;
    if (name == QLatin1String("Report Export"))
        return Command::ReportExport;
    for (const Entry &e : entries) {
        if (name == QLatin1String(e.caption))
            return e.command;
    }
    return std::nullopt;
}
