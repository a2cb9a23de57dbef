#include "ui/Navigation.h"

#include "core/GlobalFunctions.h"
#include "database/FbQuery.h"
#include "ui/CommandTable.h"
#include "ui/Icons.h"

const QList<NavigationNode> &FixedNavigationNodes()
{
    static const QList<NavigationNode> nodes = {
        {HomepageNode, -1, 236, ContentKind::Homepage, 0, 12},
        {MoviesNode, HomepageNode, 13, ContentKind::ViewManager, 10, 42},
        {MediaNode, HomepageNode, 15, ContentKind::ViewManager, 20, 21},
        {PersonsNode, HomepageNode, 1447, ContentKind::ViewManager, 30, 43},
        {LoansNode, HomepageNode, 1575, ContentKind::Loans, 0, 44},
        {WantListNode, HomepageNode, 244, ContentKind::WantList, 0, 45},
        {StatisticsNode, HomepageNode, 96, ContentKind::Statistics, 0, 76},
        {ReportsNode, HomepageNode, 1236, ContentKind::Reports, 0, 77},
        {UserViewHolderNode, -1, 59, ContentKind::None, 0, 0},
    };
    return nodes;
}

ContentKind ContentForNode(int absoluteIndex)
{
    if (absoluteIndex >= FirstUserViewNode)
        return ContentKind::ViewManager;
    if (absoluteIndex < 0)
        return ContentKind::None;
    return FixedNavigationNodes().at(absoluteIndex).content;
}

int ViewTableForNode(int absoluteIndex)
{
    if (absoluteIndex < 0 || absoluteIndex >= FixedNodeCount)
        return 0;
    return FixedNavigationNodes().at(absoluteIndex).viewCurrentTable;
}

bool IsUserViewNode(int absoluteIndex)
{
    return absoluteIndex >= FirstUserViewNode;
}

QList<UserViewEntry> ReadUserViewEntries(FbConnection &connection)
{
    QList<UserViewEntry> entries;
    try {
        FbQuery query(connection);
        query.setSql(QStringLiteral("select NAME, ICONINDEX from USERVIEW order by LISTINDEX asc"));
        query.open();
        while (query.next())
            entries.append({query.value(0).toString(), query.value(1).toString()});
    } catch (const FbError &) {
        // A tree without user views still browses the collection.
        return {};
    }
    return entries;
}

QStringList TreeIconList(const QList<UserViewEntry> &userViews)
{
    QStringList icons;
    for (const NavigationNode &node : FixedNavigationNodes())
        icons << QString::number(node.iconIndex);
    for (const UserViewEntry &view : userViews)
        icons << view.iconEntry;
    return icons;
}

int TreeIconIndex(const QStringList &iconList, int absoluteIndex)
{
    if (absoluteIndex < 0 || absoluteIndex >= iconList.size())
        return 0;
    bool ok = false;
    const int icon = iconList.at(absoluteIndex).trimmed().toInt(&ok);
    // An index the icon set does not have would draw nothing; such a view gets the plain icon.
    if (!ok || icon < 0 || icon >= ViewIconCount())
        return 0;
    return icon;
}

int StartNodeIndex(bool homepageStartup, int storedView, int nodeCount)
{
    if (homepageStartup)
        return HomepageNode;
    // Statistics are slow to build and are never the first thing shown; node 8 shows nothing, and a
    // stored user view that was deleted since has no node.
    if (storedView < 0 || storedView >= nodeCount || storedView == StatisticsNode || storedView == UserViewHolderNode)
        return HomepageNode;
    return storedView;
}

QString StartupSection(const QString &databaseFileName)
{
    return QStringLiteral("Startup\\") + databaseFileName;
}

int StartNodeFromSettings(const QString &databaseFileName, int nodeCount)
{
    const bool homepage = ReadSettingBool(QStringLiteral("HomepageStartup"), QString(), true);
    const int stored = ReadSettingIntegerLenient(QStringLiteral("View"), StartupSection(databaseFileName), -1);
    return StartNodeIndex(homepage, stored, nodeCount);
}

bool ContentEnablesCommand(ContentKind content, const QString &command)
{
    const std::optional<Command> known = CommandByName(command);
    // Commands outside the table do not depend on the content.
    if (!known)
        return true;
    return ContentEnablesCommand(content, *known);
}

QStringList ContentGovernedCommands()
{
    QStringList commands;
    for (const CommandInfo &info : CommandCatalogue()) {
        if (ContentGoverns(info.command))
            commands << info.caption;
    }
    commands.sort();
    commands.removeDuplicates();
    return commands;
}
