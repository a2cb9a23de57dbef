#pragma once

#include "ui/Navigation.h"

#include <QList>
#include <QString>

#include <QString>
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
    QString caption; // English caption
    QString tab;     // ribbon tab; empty for commands outside the ribbon's tabs
    QString group;   // ribbon group, or "Quick Access"
    int order;       // place inside the group; 0 outside the ribbon
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

// The content rule alone: whether the embedded content form can enable the command at all.
bool ContentEnablesCommand(ContentKind content, Command command);
// Whether the content rule governs the command; the others do not depend on the content.
bool ContentGoverns(Command command);
// The command a caption names. The report tab's "Print" and "Export" are named "Report Print" and
// "Report Export", as the home tab holds commands of the same captions.
std::optional<Command> CommandByName(const QString &name);
