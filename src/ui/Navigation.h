#pragma once

#include <QList>
#include <QString>
#include <QStringList>

class FbConnection;

// The navigation tree of the main window: a fixed set of nodes followed by one node per user view,
// addressed by absolute index (the order of a depth-first walk).

// What the main window embeds in its client area.
enum class ContentKind { None, Homepage, ViewManager, Loans, WantList, Statistics, Reports };

struct NavigationNode
{
    int index;
    int parent;      // -1 for a top-level node
    int captionText; // language text
    ContentKind content;
    int viewCurrentTable; // 10, 20, 30 for the three browsable kinds, else 0
    int iconIndex;
};

constexpr int HomepageNode = 0;
constexpr int MoviesNode = 1;
constexpr int MediaNode = 2;
constexpr int PersonsNode = 3;
constexpr int LoansNode = 4;
constexpr int WantListNode = 5;
constexpr int StatisticsNode = 6;
constexpr int ReportsNode = 7;
constexpr int UserViewHolderNode = 8;
constexpr int FirstUserViewNode = 9;
constexpr int FixedNodeCount = 9;

const QList<NavigationNode> &FixedNavigationNodes();
// The content a node shows: user-view nodes show the view manager, node 8 shows nothing.
ContentKind ContentForNode(int absoluteIndex);
// The view kind of nodes 1 to 3, 0 for every other node.
int ViewTableForNode(int absoluteIndex);
bool IsUserViewNode(int absoluteIndex);

// A user view as the tree shows it: its caption and its ICONINDEX as read (may be empty).
struct UserViewEntry
{
    QString name;
    QString iconEntry;
};

// The user views in LISTINDEX order; empty when they cannot be read.
QList<UserViewEntry> ReadUserViewEntries(FbConnection &connection);

// The icon list of the tree, one entry per absolute node index: the icons of the nine fixed nodes
// followed by the user views' icon entries.
QStringList TreeIconList(const QList<UserViewEntry> &userViews);
// The icon of a node: its entry read as a number, 0 when it is missing, not a number or outside
// the icon set.
int TreeIconIndex(const QStringList &iconList, int absoluteIndex);

// The node to select when the window is first shown or after a database switch. storedView is
// the value of "View" under "Startup\" + database file name (-1 when absent); nodeCount is the size
// of the rebuilt tree. Statistics and anything that is not a node with content start on the start
// page.
int StartNodeIndex(bool homepageStartup, int storedView, int nodeCount);
// The same from the settings of the open database; an unreadable stored value counts as absent.
int StartNodeFromSettings(const QString &databaseFileName, int nodeCount);
QString StartupSection(const QString &databaseFileName);

// Command enabling by the embedded content alone, before the view manager and the loans form
// refine it (CommandTable.h holds the rule). Commands are named by their English captions.
bool ContentEnablesCommand(ContentKind content, const QString &command);
// Every command the content table governs.
QStringList ContentGovernedCommands();
