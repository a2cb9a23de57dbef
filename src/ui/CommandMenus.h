#pragma once

#include "ui/CommandTable.h"

#include <QHash>
#include <QObject>
#include <QSet>

#include <functional>

class QAction;
class QMenu;
class QWidget;

// One QAction per command and per drop-down item, made from the command table. The ribbon, the
// quick-access bar, the shortcut keys and the context menus all show these same actions, so a
// command is enabled, checked and carried out in one place. A command without a handler stays
// visible and disabled.
class CommandActions : public QObject
{
    Q_OBJECT
public:
    // The actions are added to window so that their shortcut keys work wherever the focus is.
    explicit CommandActions(QWidget *window);
    ~CommandActions() override;

    QAction *action(Command command, int argument = NoArgument) const;
    QAction *action(const CommandItem &item) const { return action(item.command, item.argument); }

    // The one place where a command gets its work. The second form serves the items of a
    // drop-down that pass a value (rating, size, field, format).
    void connectCommand(Command command, std::function<void()> handler);
    void connectCommand(Command command, std::function<void(int argument)> handler);
    bool hasHandler(const CommandItem &item) const;
    // A further condition for a command that hands over to another ("New" needs an entry it can
    // make here).
    void setAvailability(Command command, std::function<bool()> available);

    // Enables every action for what the window shows and gives each shortcut key to its owner.
    void update(const CommandContext &context);
    const CommandContext &context() const { return m_context; }
    // While the instant-search box has the focus "Delete" gives up its key.
    void setShortcutSuspended(Command command, bool suspended);

    // The items of a drop-down button (shared by every place that shows it).
    QMenu *dropDownMenu(Command parent) const { return m_menus.value(int(parent)); }
    // A new menu of the table's layout, owned by parent.
    QMenu *contextMenu(ContextMenuKind kind, QWidget *parent) const;

private:
    QAction *createAction(const CommandItem &item, const QString &caption);
    void buildDropDown(Command parent);
    void trigger(const CommandItem &item);
    bool itemEnabled(const CommandItem &item) const;
    void assignShortcuts();

    QWidget *m_window;
    QList<QAction *> m_actions;
    QHash<QAction *, CommandItem> m_items;
    QHash<qint64, QAction *> m_byItem;
    QHash<int, std::function<void()>> m_handlers;
    QHash<int, std::function<void(int)>> m_argumentHandlers;
    QHash<int, std::function<bool()>> m_availability;
    QHash<int, QMenu *> m_menus;
    QSet<int> m_suspendedShortcuts;
    CommandContext m_context;
};
