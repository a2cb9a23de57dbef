#include "ui/CommandTable.h"

#include "views/BrowseSql.h"

#include <QHash>

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

// Ribbon layout flags.
enum Look : unsigned {
    Plain = 0,
    Block = 1,    // a vertical bar goes before the command
    Check = 2,    // an on/off command
    Split = 4,    // a drop-down button with a command of its own
    KeyFirst = 8, // takes a shared shortcut key before the others that have it
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
    const char *shortcut = "";
    unsigned look = Plain;
};

// clang-format off
const Entry entries[] = {
    {Command::AddMovies, "Add Movies", "Home", "Entry", 1, AnyContent, AnyKind, None},
    {Command::AddByTitle, "by Title/Barcode", "Home", "Entry", 2, AnyContent, AnyKind, None, "Ctrl+N"},
    {Command::AddByScanning, "by Scanning Harddrive", "Home", "Entry", 3, AnyContent, AnyKind, None, "Ctrl+H"},
    {Command::AddFromTextFile, "by Importing Titles from a Textfile", "Home", "Entry", 4, AnyContent, AnyKind, None},
    {Command::AddManually, "by Entering Data Manually", "Home", "Entry", 5, AnyContent, AnyKind, None, "Ctrl+M"},
    // "New" takes Ctrl+N before "by Title/Barcode" wherever it has an entry to make.
    {Command::New, "New", "Home", "Entry", 6, AnyContent, AnyKind, None, "Ctrl+N", Block | Split | KeyFirst},
    {Command::NewMovie, "Movie (manual entry)", "Home", "Entry", 7, AnyContent, AnyKind, None},
    {Command::NewPerson, "Person", "Home", "Entry", 8, AnyContent, AnyKind, None},
    {Command::NewReport, "Report", "Home", "Entry", 9, AnyContent, AnyKind, None},
    {Command::NewWantedItem, "Wanted Item", "Home", "Entry", 10, AnyContent, AnyKind, None},
    {Command::Edit, "Edit", "Home", "Entry", 11, VM | Loans | Want, AnyKind, Rows, "Ctrl+O"},
    {Command::Delete, "Delete", "Home", "Entry", 12, VM | Want, AnyKind, None, "Del"},
    {Command::Print, "Print", "Home", "Entry", 13, VM | Loans | Want | Stats, AnyKind, None, "Ctrl+P"},
    {Command::AutoUpdateMovieInfo, "Auto-Update Movie Info", "Home", "Entry", 14, VM, K10, None, "Ctrl+F5", Block},

    {Command::InstantSearch, "Instant Search", "Home", "Search and Sort", 1, VM | Loans | Want, AnyKind, None, "Ctrl+E"},
    {Command::FindAll, "Find All", "Home", "Search and Sort", 2, VM, AnyKind, None},
    {Command::ShowAll, "Show All", "Home", "Search and Sort", 3, VM | Loans | Want, AnyKind, None, "F2"},
    {Command::Sort, "Sort", "Home", "Search and Sort", 4, VM | Reports | Loans | Want, AnyKind, None},
    {Command::QuickFilter, "Quick Filter", "Home", "Search and Sort", 5, VM | Want, AnyKind, None, "", Check},

    {Command::Play, "Play", "Home", "Media", 1, VM | Want, AnyKind, None},
    {Command::PlayTrailer, "&Trailer", "Home", "Media", 2, VM | Want, K10 | K20, None},
    {Command::PlayMovie, "&Movie", "Home", "Media", 3, VM, AnyKind, None},
    {Command::UpdateCoverArt, "Update Cover Art", "Home", "Media", 4, VM | Want, AnyKind, None, "", Block},
    {Command::DownloadCoverArt, "Download Cover Art", "Home", "Media", 5, VM | Want, K10 | K20, None, "F6"},
    {Command::CoverFromClipboard, "Use Image from clipboard", "Home", "Media", 6, VM | Want, AnyKind, None, "Ctrl+I"},
    {Command::CoverFromFile, "Browse for image file...", "Home", "Media", 7, VM | Want, AnyKind, None},
    {Command::NewLoan, "New Loan", "Home", "Media", 8, VM, K10 | K20, None},
    {Command::ReturnLoan, "Return Loan", "Home", "Media", 9, VM | Loans, AnyKind, OnLoan},

    {Command::GroupBy, "Group By", "Home", "Customize", 1, VM | Loans, K10 | K20, ListLayout | FormList},
    {Command::GroupByBox, "Group By Box", "Home", "Customize", 2, VM | Loans, K10 | K20, ListLayout | FormList, "", Check},
    {Command::ThumbnailSize, "Thumbnail Size", "Home", "Customize", 3, VM | Loans | Want | Stats, AnyKind, ThumbnailLayout | FormCards},
    {Command::CustomizeColumns, "Customize Columns", "Home", "Customize", 4, VM | Loans | Want, AnyKind, None},

    {Command::MovieImdbPage, "Movie IMDb Page", "Home", "Show", 1, VM | Want, AnyKind, None},
    {Command::RottenTomatoesPage, "Visit Rotten Tomatoes Page", "Home", "Show", 2, VM | Want, K10 | K20, None},
    {Command::MovieInfoPane, "Movie Info Pane", "Home", "Show", 3, VM, AnyKind, None, "", Check},

    {Command::CreateView, "Create a View", "Modifications", "View", 1, VM, AnyKind, None},
    {Command::EditView, "Edit View", "Modifications", "View", 2, VM, AnyKind, UserView},
    {Command::ArrangeViews, "Arrange Views", "Modifications", "View", 3, VM, AnyKind, None},

    {Command::EditAllSelected, "Edit All Selected", "Modifications", "Batch Editing", 1, VM | Want, K10 | K20, None, "Ctrl+G"},
    {Command::SelectAll, "Select All", "Modifications", "Batch Editing", 2, VM, AnyKind, None, "Ctrl+A", Block},
    {Command::RandomSelection, "Random Selection", "Modifications", "Batch Editing", 3, VM | Want, AnyKind, None},
    {Command::FilterBuilder, "Filter Builder", "Modifications", "Batch Editing", 4, VM, AnyKind, None},
    {Command::ConditionalFormatting, "Conditional Formatting", "Modifications", "Batch Editing", 5, VM | Want | Loans, AnyKind, None},
    {Command::RenumberAllMedia, "Re-Number All Media", "Modifications", "Batch Editing", 6, VM, K10 | K20, None, "", Block},
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
    {Command::MobileExport, "Mobile App Package...", "Data", "Export", 2, VM, K10, None},
    {Command::ExportCoverArt, "Export Cover Art", "Data", "Export", 3, VM, K10 | K20, None},

    {Command::ReportPrint, "Print", "Report", "Report Options", 1, Reports, AnyKind, None, "Ctrl+P"},
    {Command::ReportZoom, "Zoom", "Report", "Report Options", 2, Reports, AnyKind, None},
    {Command::ReportExport, "Export", "Report", "Report Options", 3, Reports, AnyKind, None},
    {Command::PreviousPage, "Previous Page", "Report", "Navigation", 1, Reports, AnyKind, None},
    {Command::NextPage, "Next Page", "Report", "Navigation", 2, Reports, AnyKind, None},
    {Command::JumpToPage, "Jump to Page", "Report", "Navigation", 3, Reports, AnyKind, None, "", Block},

    {Command::DatabaseOperations, "Database Operations", "", "Quick Access", 1, AnyContent, AnyKind, None},
    {Command::BackupRestore, "Backup/Restore", "", "Quick Access", 2, AnyContent, AnyKind, None},
    {Command::QuickAddByScanning, "Add Movies by Scanning Hard Drive", "", "Quick Access", 3, AnyContent, AnyKind, None},
    {Command::Options, "Options", "", "Quick Access", 4, AnyContent, AnyKind, None},
    {Command::TouchMouseMode, "Touch/Mouse Mode", "", "Quick Access", 5, AnyContent, AnyKind, None, "", Check},
    {Command::About, "About Reelnest", "", "Quick Access", 6, AnyContent, AnyKind, None},

    {Command::AdvancedFind, "Advanced Find", "", "", 0, VM | Reports, AnyKind, None, "Ctrl+Shift+F"},
    {Command::ExpandQueryBuilder, "Expand the Query Builder", "", "", 0, VM, AnyKind, None, "Ctrl+Alt+W", Check},
    {Command::DeleteView, "Delete View", "", "", 0, VM, AnyKind, None},
    {Command::Duplicates, "Duplicates", "", "", 0, VM, K10, None},
    {Command::DownloadInfo, "Download Info", "", "", 0, VM, K30, None, "F6"},
    {Command::OpenContainingFolder, "Open Containing Folder", "", "", 0, VM, AnyKind, None},
    {Command::CopyAssociatedFiles, "Copy Associated Files...", "", "", 0, VM, K10 | K20, None},
    {Command::SetRating, "Set Rating", "", "", 0, VM, AnyKind, None},
    {Command::SetLastWatched, "Set Last Watched", "", "", 0, VM, AnyKind, None},
    {Command::LastWatchedToday, "today", "", "", 0, VM, AnyKind, None},
    {Command::LastWatchedYesterday, "yesterday", "", "", 0, VM, AnyKind, None},
    // The layouts of the views; the view manager shows their buttons above its grids.
    {Command::LayoutList, "List", "", "", 0, VM, AnyKind, None, "", Check},
    {Command::LayoutThumbnails, "Thumbnails", "", "", 0, VM, AnyKind, None, "", Check},
    {Command::LayoutCards, "Cards", "", "", 0, VM, AnyKind, None, "", Check},
    {Command::MoveToMovies, "Move item(s) to Movies section", "", "", 0, Want, AnyKind, None},
    {Command::ColumnLines, "Column Lines", "", "", 0, VM | Loans | Want, AnyKind, ListLayout, "", Check},
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
                         QString::fromLatin1(e.group), e.order, QString::fromLatin1(e.shortcut), (e.look & Block) != 0,
                         (e.look & Check) != 0});
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

namespace {

// The items of the drop-down buttons and sub-menus. An item narrows its command's rule by content
// (0: no narrowing) and by view kind (0: no narrowing).
struct ItemEntry
{
    Command parent;
    Command command;
    int argument;
    const char *caption;
    bool separatorBefore;
    Mask contents;
    Mask kinds;
    const char *field; // the column of a "Group By" item
};

constexpr bool Sep = true;
constexpr bool Joined = false;

// clang-format off
const ItemEntry itemEntries[] = {
    {Command::AddMovies, Command::AddByTitle, NoArgument, nullptr, Joined, 0, 0, nullptr},
    {Command::AddMovies, Command::AddByScanning, NoArgument, nullptr, Joined, 0, 0, nullptr},
    {Command::AddMovies, Command::AddFromTextFile, NoArgument, nullptr, Joined, 0, 0, nullptr},
    {Command::AddMovies, Command::AddManually, NoArgument, nullptr, Joined, 0, 0, nullptr},

    {Command::New, Command::NewMovie, NoArgument, nullptr, Joined, 0, 0, nullptr},
    {Command::New, Command::NewPerson, NoArgument, nullptr, Joined, 0, 0, nullptr},
    {Command::New, Command::NewReport, NoArgument, nullptr, Joined, 0, 0, nullptr},
    {Command::New, Command::NewWantedItem, NoArgument, nullptr, Joined, 0, 0, nullptr},

    {Command::FindAll, Command::FindAll, 0, "same genres", Joined, 0, K10, nullptr},
    {Command::FindAll, Command::FindAll, 1, "same year", Joined, 0, K10, nullptr},
    {Command::FindAll, Command::FindAll, 2, "Same Director(s)", Joined, 0, K10, nullptr},
    {Command::FindAll, Command::FindAll, 3, "same user rating", Joined, 0, K10, nullptr},
    {Command::FindAll, Command::FindAll, 4, "same studio", Joined, 0, K10, nullptr},
    {Command::FindAll, Command::FindAll, 5, "same length", Joined, 0, K10, nullptr},
    {Command::FindAll, Command::FindAll, 6, "same media", Sep, 0, K10 | K20, nullptr},
    {Command::FindAll, Command::FindAll, 7, "Same Location", Joined, 0, K10 | K20, nullptr},
    {Command::FindAll, Command::FindAll, 8, "same region code", Joined, 0, K20, nullptr},
    {Command::FindAll, Command::FindAll, 9, "Same Status", Joined, 0, K20, nullptr},
    {Command::FindAll, Command::FindAll, 10, "movies that failed last auto-update", Sep, 0, K10, nullptr},
    {Command::FindAll, Command::FindAll, 11, "movies with IMDb association", Joined, 0, K10, nullptr},
    {Command::FindAll, Command::FindAll, 12, "movies without IMDb association", Joined, 0, K10, nullptr},
    {Command::FindAll, Command::Duplicates, NoArgument, nullptr, Sep, 0, 0, nullptr},

    {Command::Play, Command::PlayTrailer, NoArgument, nullptr, Joined, 0, 0, nullptr},
    {Command::Play, Command::PlayMovie, NoArgument, nullptr, Joined, 0, 0, nullptr},

    {Command::UpdateCoverArt, Command::DownloadCoverArt, NoArgument, nullptr, Joined, 0, 0, nullptr},
    {Command::UpdateCoverArt, Command::CoverFromClipboard, NoArgument, nullptr, Joined, 0, 0, nullptr},
    {Command::UpdateCoverArt, Command::CoverFromFile, NoArgument, nullptr, Sep, 0, 0, nullptr},

    {Command::GroupBy, Command::GroupBy, 0, "(no grouping)", Joined, 0, 0, ""},
    {Command::GroupBy, Command::GroupBy, 1, "Certification", Sep, VM, K10, "CERTIFICATION_TEXT"},
    {Command::GroupBy, Command::GroupBy, 2, "Media Type", Joined, VM, 0, "MEDIATYPE_TEXT"},
    {Command::GroupBy, Command::GroupBy, 3, "Lend To", Joined, Loans, 0, "LENDTO"},
    {Command::GroupBy, Command::GroupBy, 4, "Location", Joined, VM, 0, "LOCATION"},
    {Command::GroupBy, Command::GroupBy, 5, "Movie Group", Joined, VM, 0, "GROUP_TEXT"},
    {Command::GroupBy, Command::GroupBy, 6, "Priority", Joined, Want, 0, "PRIORITY"},
    {Command::GroupBy, Command::GroupBy, 7, "Production Year", Joined, VM, K10, "PRODUCTIONYEAR"},
    {Command::GroupBy, Command::GroupBy, 8, "Release Date", Joined, Want, 0, "RELEASEDATE_TEXT"},
    {Command::GroupBy, Command::GroupBy, 9, "Series", Joined, VM, K10, "SERIESNAME"},
    {Command::GroupBy, Command::GroupBy, 10, "Status", Joined, VM, K20, "STATUS"},
    {Command::GroupBy, Command::GroupBy, 11, "Studio", Joined, VM, K10, "STUDIO"},
    {Command::GroupBy, Command::GroupByBox, NoArgument, nullptr, Sep, 0, 0, nullptr},

    {Command::ThumbnailSize, Command::ThumbnailSize, 5, "Small", Joined, 0, 0, nullptr},
    {Command::ThumbnailSize, Command::ThumbnailSize, 12, "Medium", Joined, 0, 0, nullptr},
    {Command::ThumbnailSize, Command::ThumbnailSize, 24, "Large", Joined, 0, 0, nullptr},

    {Command::ExportData, Command::ExportData, 0, "HTML...", Joined, 0, 0, nullptr},
    {Command::ExportData, Command::ExportData, 1, "XML...", Joined, 0, 0, nullptr},
    {Command::ExportData, Command::ExportData, 2, "Excel (XLSX)...", Joined, 0, 0, nullptr},
    {Command::ExportData, Command::ExportData, 3, "Excel Legacy (XLS)...", Joined, 0, 0, nullptr},
    {Command::ExportData, Command::ExportData, 4, "TXT...", Joined, 0, 0, nullptr},
    {Command::ExportData, Command::ExportData, 5, "CSV...", Joined, 0, 0, nullptr},
    {Command::ExportData, Command::MobileExport, NoArgument, nullptr, Sep, 0, 0, nullptr},

    {Command::ReportZoom, Command::ReportZoom, 0, "100%", Joined, 0, 0, nullptr},
    {Command::ReportZoom, Command::ReportZoom, 1, "Page Width", Joined, 0, 0, nullptr},
    {Command::ReportZoom, Command::ReportZoom, 2, "Whole Page", Joined, 0, 0, nullptr},

    {Command::ReportExport, Command::ReportExport, 0, "PDF...", Joined, 0, 0, nullptr},
    {Command::ReportExport, Command::ReportExport, 1, "PDF/A...", Joined, 0, 0, nullptr},
    {Command::ReportExport, Command::ReportExport, 2, "TXT (Textfile)...", Joined, 0, 0, nullptr},
    {Command::ReportExport, Command::ReportExport, 3, "DOC (Word)...", Joined, 0, 0, nullptr},
    {Command::ReportExport, Command::ReportExport, 4, "RTF...", Joined, 0, 0, nullptr},
    {Command::ReportExport, Command::ReportExport, 5, "HTML...", Joined, 0, 0, nullptr},
    {Command::ReportExport, Command::ReportExport, 6, "BMP...", Sep, 0, 0, nullptr},
    {Command::ReportExport, Command::ReportExport, 7, "JPEG...", Joined, 0, 0, nullptr},
    {Command::ReportExport, Command::ReportExport, 8, "GIF...", Joined, 0, 0, nullptr},
    {Command::ReportExport, Command::ReportExport, 9, "PNG...", Joined, 0, 0, nullptr},
    {Command::ReportExport, Command::ReportExport, 10, "Metafile...", Joined, 0, 0, nullptr},

    {Command::SetRating, Command::SetRating, 10, "1&0", Joined, 0, 0, nullptr},
    {Command::SetRating, Command::SetRating, 9, "&9", Joined, 0, 0, nullptr},
    {Command::SetRating, Command::SetRating, 8, "&8", Joined, 0, 0, nullptr},
    {Command::SetRating, Command::SetRating, 7, "&7", Joined, 0, 0, nullptr},
    {Command::SetRating, Command::SetRating, 6, "&6", Joined, 0, 0, nullptr},
    {Command::SetRating, Command::SetRating, 5, "&5", Joined, 0, 0, nullptr},
    {Command::SetRating, Command::SetRating, 4, "&4", Joined, 0, 0, nullptr},
    {Command::SetRating, Command::SetRating, 3, "&3", Joined, 0, 0, nullptr},
    {Command::SetRating, Command::SetRating, 2, "&2", Joined, 0, 0, nullptr},
    {Command::SetRating, Command::SetRating, 1, "&1", Joined, 0, 0, nullptr},
    {Command::SetRating, Command::SetRating, 0, "&Not Rated", Sep, 0, 0, nullptr},

    {Command::SetLastWatched, Command::LastWatchedToday, NoArgument, nullptr, Joined, 0, 0, nullptr},
    {Command::SetLastWatched, Command::LastWatchedYesterday, NoArgument, nullptr, Joined, 0, 0, nullptr},
};
// clang-format on

const ItemEntry *itemEntryOf(const CommandItem &item)
{
    for (const ItemEntry &e : itemEntries) {
        if (e.command == item.command && e.argument == item.argument)
            return &e;
    }
    return nullptr;
}

using L = MenuLine;

L item(Command command)
{
    return {L::Item, {command}, {}};
}

L subMenu(Command command)
{
    return {L::SubMenu, {command}, {}};
}

L separator()
{
    return {L::Separator, {Command::Exit}, {}};
}

L section(const char *caption)
{
    return {L::Section, {Command::Exit}, QString::fromLatin1(caption)};
}

} // namespace

const QList<DropDownItem> &DropDownItems(Command parent)
{
    static const QHash<int, QList<DropDownItem>> menus = [] {
        QHash<int, QList<DropDownItem>> all;
        for (const ItemEntry &e : itemEntries) {
            const CommandItem item{e.command, e.argument};
            all[int(e.parent)].append({item, CommandItemCaption(item), e.separatorBefore});
        }
        return all;
    }();
    static const QList<DropDownItem> none;
    const auto it = menus.constFind(int(parent));
    return it == menus.cend() ? none : *it;
}

bool HasDropDown(Command command)
{
    return !DropDownItems(command).isEmpty();
}

bool IsDropDownItem(Command command)
{
    return std::any_of(std::begin(itemEntries), std::end(itemEntries),
                       [command](const ItemEntry &e) { return e.command == command && e.parent != command; });
}

bool IsSplitButton(Command command)
{
    return (entryOf(command).look & Split) != 0;
}

QString CommandItemCaption(const CommandItem &item)
{
    const ItemEntry *e = itemEntryOf(item);
    if (e && e->caption)
        return QString::fromLatin1(e->caption);
    return CommandInfoOf(item.command).caption;
}

bool CommandItemEnabled(const CommandItem &item, const CommandContext &context)
{
    if (!CommandEnabled(item.command, context))
        return false;
    const ItemEntry *e = itemEntryOf(item);
    if (!e)
        return true;
    if (e->contents && !(e->contents & bit(context.content)))
        return false;
    if (e->kinds && context.content == ContentKind::ViewManager && !(e->kinds & kindBit(context.viewKind)))
        return false;
    return true;
}

QString GroupByField(int argument)
{
    const ItemEntry *e = itemEntryOf({Command::GroupBy, argument});
    return e && e->field ? QString::fromLatin1(e->field) : QString();
}

QStringList RibbonTabs()
{
    return {QStringLiteral("Home"), QStringLiteral("Modifications"), QStringLiteral("Data"), QStringLiteral("Report")};
}

QString RibbonKeyTip(const QString &tab)
{
    if (tab == QLatin1String("Home"))
        return QStringLiteral("H");
    if (tab == QLatin1String("Modifications"))
        return QStringLiteral("M");
    if (tab == QLatin1String("Data"))
        return QStringLiteral("D");
    if (tab == QLatin1String("Report"))
        return QStringLiteral("R");
    return QString();
}

QList<RibbonGroup> RibbonGroups()
{
    QList<RibbonGroup> groups;
    for (const QString &tab : RibbonTabs()) {
        for (const Entry &e : entries) {
            if (tab != QLatin1String(e.tab) || IsDropDownItem(e.command))
                continue;
            const QString caption = QString::fromLatin1(e.group);
            if (groups.isEmpty() || groups.last().tab != tab || groups.last().caption != caption)
                groups.append({tab, caption, {QList<Command>()}});
            if ((e.look & Block) && !groups.last().blocks.last().isEmpty())
                groups.last().blocks.append(QList<Command>());
            groups.last().blocks.last().append(e.command);
        }
    }
    return groups;
}

QList<Command> QuickAccessCommands()
{
    QList<Command> commands;
    for (const Entry &e : entries) {
        if (QLatin1String(e.group) == QLatin1String("Quick Access"))
            commands.append(e.command);
    }
    return commands;
}

QList<MenuLine> ContextMenuLayout(ContextMenuKind menu)
{
    switch (menu) {
    case ContextMenuKind::Views:
        return {section("Entry"),
                item(Command::Edit),
                item(Command::Delete),
                section("Search"),
                subMenu(Command::FindAll),
                item(Command::ShowAll),
                section("Movie"),
                subMenu(Command::Play),
                item(Command::OpenContainingFolder),
                item(Command::CopyAssociatedFiles),
                section("Edit"),
                item(Command::EditAllSelected),
                subMenu(Command::UpdateCoverArt),
                separator(),
                subMenu(Command::SetRating),
                subMenu(Command::SetLastWatched),
                separator(),
                item(Command::CustomizeColumns),
                item(Command::ColumnLines)};
    case ContextMenuKind::Persons:
        return {item(Command::New),
                item(Command::Edit),
                item(Command::Delete),
                separator(),
                item(Command::DownloadInfo),
                separator(),
                item(Command::CustomizeColumns),
                item(Command::ColumnLines)};
    case ContextMenuKind::NavigationTree:
        return {
            item(Command::CreateView), item(Command::EditView), separator(), item(Command::ArrangeViews), separator(),
            item(Command::DeleteView)};
    case ContextMenuKind::SearchBox:
        return {item(Command::InstantSearch), separator(), item(Command::AdvancedFind),
                item(Command::ExpandQueryBuilder)};
    }
    return {};
}

QStringList CommandShortcuts()
{
    QStringList keys;
    for (const Entry &e : entries) {
        const QString key = QString::fromLatin1(e.shortcut);
        if (!key.isEmpty() && !keys.contains(key))
            keys.append(key);
    }
    return keys;
}

QList<Command> CommandsWithShortcut(const QString &shortcut)
{
    QList<Command> first;
    QList<Command> rest;
    for (const Entry &e : entries) {
        if (shortcut == QLatin1String(e.shortcut))
            ((e.look & KeyFirst) ? first : rest).append(e.command);
    }
    return first + rest;
}

std::optional<Command> ShortcutOwner(const QString &shortcut, const std::function<bool(Command)> &enabled)
{
    for (Command command : CommandsWithShortcut(shortcut)) {
        if (enabled(command))
            return command;
    }
    return std::nullopt;
}

std::optional<Command> NewCommandTarget(ContentKind content)
{
    switch (content) {
    case ContentKind::ViewManager:
    case ContentKind::Statistics:
        return Command::NewMovie;
    case ContentKind::WantList:
        return Command::NewWantedItem;
    case ContentKind::Loans:
        return Command::NewPerson;
    case ContentKind::Reports:
        return Command::NewReport;
    case ContentKind::Homepage:
    case ContentKind::None:
        break;
    }
    return std::nullopt;
}

Command ManualEntryTarget(bool wishListShown)
{
    return wishListShown ? Command::NewWantedItem : Command::NewMovie;
}

Command AddMoviesPaneTarget(bool wishListShown, bool quickAddHarddrive)
{
    return quickAddHarddrive && !wishListShown ? Command::AddByScanning : Command::AddByTitle;
}
