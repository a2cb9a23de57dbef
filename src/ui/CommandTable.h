#pragma once

#include "ui/Navigation.h"

#include <QList>
#include <QString>
#include <QStringList>

#include <functional>
#include <optional>

// The user commands of the main window as data: caption, place on the ribbon and the rule that
// enables each one. The ribbon, the context menus and the shortcut keys all read this table, so a
// command is enabled by one rule wherever it appears.

enum class Command {
    // Home / Entry
    AddMovies,
    AddByTitle,
    AddByScanning,
    AddFromTextFile,
    AddManually,
    New,
    NewMovie,
    NewPerson,
    NewReport,
    NewWantedItem,
    Edit,
    Delete,
    Print,
    AutoUpdateMovieInfo,
    // Home / Search and Sort
    InstantSearch,
    FindAll,
    ShowAll,
    Sort,
    QuickFilter,
    // Home / Media
    Play,
    PlayTrailer,
    PlayMovie,
    UpdateCoverArt,
    DownloadCoverArt,
    CoverFromClipboard,
    CoverFromFile,
    NewLoan,
    ReturnLoan,
    // Home / Customize
    LayoutList,
    LayoutThumbnails,
    LayoutCards,
    GroupBy,
    GroupByBox,
    ThumbnailSize,
    CustomizeColumns,
    ColumnLines,
    // Home / Show
    MovieImdbPage,
    RottenTomatoesPage,
    MovieInfoPane,
    // Modifications / View
    CreateView,
    EditView,
    ArrangeViews,
    // Modifications / Batch Editing
    EditAllSelected,
    SelectAll,
    RandomSelection,
    FilterBuilder,
    ConditionalFormatting,
    RenumberAllMedia,
    CopyBetweenDatabases,
    MoveMovie,
    RenameVideoFiles,
    // Modifications / Movie Groups
    DefineMovieGroup,
    AddToMovieGroup,
    DissolveMovieGroup,
    // Data / Lookup Data
    AudioFormats,
    Certifications,
    Countries,
    Genres,
    Languages,
    MediaTypes,
    Roles,
    VideoFormats,
    TechnicalData,
    Keywords,
    // Data / Export
    ExportData,
    MobileExport,
    ExportCoverArt,
    // Report / Report Options and Navigation
    ReportPrint,
    ReportZoom,
    ReportExport,
    PreviousPage,
    NextPage,
    JumpToPage,
    // Quick-access toolbar
    DatabaseOperations,
    BackupRestore,
    QuickAddByScanning,
    Options,
    TouchMouseMode,
    About,
    // Only in context menus, the instant-search box or nowhere on the ribbon
    AdvancedFind,
    ExpandQueryBuilder,
    DeleteView,
    Duplicates,
    DownloadInfo,
    OpenContainingFolder,
    CopyAssociatedFiles,
    SetRating,
    SetLastWatched,
    LastWatchedToday,
    LastWatchedYesterday,
    MoveToMovies,
    Exit,
};

struct CommandInfo
{
    Command command;
    QString caption;  // English caption
    QString tab;      // ribbon tab; empty for commands outside the ribbon's tabs
    QString group;    // ribbon group, or "Quick Access"
    int order;        // place inside the group; 0 outside the ribbon
    QString shortcut; // portable key text ("Ctrl+O"); empty without one
    bool blockStart;  // a vertical bar goes before it on the ribbon
    bool checkable;   // an on/off command (the layouts are one exclusive choice)
};

// Every command, in ribbon order (tab, group, order), followed by those outside the ribbon.
const QList<CommandInfo> &CommandCatalogue();
const CommandInfo &CommandInfoOf(Command command);

// What a command's enabling depends on. The view fields count only while the view manager is
// embedded.
struct CommandContext
{
    ContentKind content = ContentKind::None;
    int viewKind = 0;         // ViewCurrentTable: 10, 20 or 30
    int layout = 0;           // ViewCurrentType: 1 list, 2 thumbnails, 3 cards; loans and wish list: 1 list, else cards
    bool userView = false;    // a user-view node is open
    bool viewHasRows = false; // the view's SQL returns at least one row
    bool focusedOnLoan = false; // the info pane shows the focused record as on loan
};

bool CommandEnabled(Command command, const CommandContext &context);

// A command together with the value its handler receives: a rating, a thumbnail size, the index of
// a group-by field, a Find All search, an export format or a zoom. Plain commands have none.
constexpr int NoArgument = -1;
struct CommandItem
{
    Command command;
    int argument = NoArgument;
    bool operator==(const CommandItem &other) const = default;
};

// An entry of a drop-down button or of a sub-menu.
struct DropDownItem
{
    CommandItem item;
    QString caption;
    bool separatorBefore = false;
};

// The items of a drop-down button in order; empty for a plain button.
const QList<DropDownItem> &DropDownItems(Command parent);
bool HasDropDown(Command command);
// A command that the ribbon shows only inside a drop-down.
bool IsDropDownItem(Command command);
// A drop-down button that also carries out a command of its own when clicked ("New").
bool IsSplitButton(Command command);
QString CommandItemCaption(const CommandItem &item);
// The command rule plus what an item adds: the kinds a Find All search needs, the content a
// group-by field belongs to.
bool CommandItemEnabled(const CommandItem &item, const CommandContext &context);
// The column that a "Group By" item groups by; empty for "(no grouping)".
QString GroupByField(int argument);

// The ribbon: its tabs with their key tips, its groups in order with the buttons of each block,
// and the quick-access commands.
struct RibbonGroup
{
    QString tab;
    QString caption;
    QList<QList<Command>> blocks;
};
QStringList RibbonTabs();
QString RibbonKeyTip(const QString &tab);
QList<RibbonGroup> RibbonGroups();
QList<Command> QuickAccessCommands();

// The context menus of the main window.
enum class ContextMenuKind { Views, Persons, NavigationTree, SearchBox };
struct MenuLine
{
    enum Kind { Item, SubMenu, Separator, Section };
    Kind kind;
    CommandItem item{Command::Exit}; // Item and SubMenu
    QString caption;                 // Section
};
QList<MenuLine> ContextMenuLayout(ContextMenuKind menu);

// Shortcut keys. Some keys belong to two commands; the key goes to the first of them that is
// enabled, or to none. "New" comes before "by Title/Barcode" (Ctrl+N); the others never are
// enabled together (F6: cover art in the movie and media views, person download in the person view).
QStringList CommandShortcuts();
QList<Command> CommandsWithShortcut(const QString &shortcut);
std::optional<Command> ShortcutOwner(const QString &shortcut, const std::function<bool(Command)> &enabled);

// The commands that hand over to another by what the window shows.
// "New": the entry that suits the content; none on the start page.
std::optional<Command> NewCommandTarget(ContentKind content);
// "by Entering Data Manually": a wanted item while the wish list is shown, else a movie.
Command ManualEntryTarget(bool wishListShown);
// The navigation pane's "Add Movies": scanning only when the user chose it and the wish list is
// not shown.
Command AddMoviesPaneTarget(bool wishListShown, bool quickAddHarddrive);

// The content rule alone: whether the embedded content form can enable the command at all.
bool ContentEnablesCommand(ContentKind content, Command command);
// Whether the content rule governs the command; the others do not depend on the content.
bool ContentGoverns(Command command);
// The command a caption names. The report tab's "Print" and "Export" are named "Report Print" and
// "Report Export", as the home tab holds commands of the same captions.
std::optional<Command> CommandByName(const QString &name);
