#include "ui/CommandMenus.h"

#include "ui/Icons.h"

#include <QAction>
#include <QKeySequence>
#include <QMenu>
#include <QWidget>

#include <algorithm>

namespace {

// Handlers and conditions are kept per command; items with a value share their command's.
int key(Command command)
{
    return int(command);
}

qint64 itemKey(const CommandItem &item)
{
    return (qint64(item.command) << 32) | quint32(item.argument);
}

bool isPopupParent(const CommandItem &item)
{
    return item.argument == NoArgument && HasDropDown(item.command) && !IsSplitButton(item.command);
}

} // namespace

CommandActions::CommandActions(QWidget *window)
    : QObject(window)
    , m_window(window)
{
    for (const CommandInfo &info : CommandCatalogue()) {
        QAction *a = createAction({info.command}, info.caption);
        a->setCheckable(info.checkable);
        if (!info.shortcut.isEmpty())
            m_window->addAction(a);
    }
    for (const CommandInfo &info : CommandCatalogue()) {
        if (HasDropDown(info.command))
            buildDropDown(info.command);
    }
    update(m_context);
}

CommandActions::~CommandActions() = default;

QAction *CommandActions::createAction(const CommandItem &item, const QString &caption)
{
    auto *a = new QAction(caption, this);
    a->setObjectName(caption);
    a->setIconVisibleInMenu(true);
    if (item.argument == NoArgument)
        a->setIcon(CommandIcon(item.command));
    connect(a, &QAction::triggered, this, [this, item] { trigger(item); });
    m_actions.append(a);
    m_items.insert(a, item);
    m_byItem.insert(itemKey(item), a);
    return a;
}

void CommandActions::buildDropDown(Command parent)
{
    auto *menu = new QMenu(m_window);
    menu->setObjectName(CommandInfoOf(parent).caption);
    for (const DropDownItem &entry : DropDownItems(parent)) {
        if (entry.separatorBefore)
            menu->addSeparator();
        QAction *a = action(entry.item);
        if (!a)
            a = createAction(entry.item, entry.caption);
        menu->addAction(a);
    }
    m_menus.insert(key(parent), menu);
    // A split button keeps its own action plain, so that menus can show it as a command; the
    // ribbon gives its button the drop-down.
    if (!IsSplitButton(parent))
        action(parent)->setMenu(menu);
}

QAction *CommandActions::action(Command command, int argument) const
{
    return m_byItem.value(itemKey({command, argument}));
}

void CommandActions::connectCommand(Command command, std::function<void()> handler)
{
    m_handlers.insert(key(command), std::move(handler));
    update(m_context);
}

void CommandActions::connectCommand(Command command, std::function<void(int)> handler)
{
    m_argumentHandlers.insert(key(command), std::move(handler));
    update(m_context);
}

bool CommandActions::hasHandler(const CommandItem &item) const
{
    return item.argument == NoArgument ? m_handlers.contains(key(item.command))
                                       : m_argumentHandlers.contains(key(item.command));
}

void CommandActions::setAvailability(Command command, std::function<bool()> available)
{
    m_availability.insert(key(command), std::move(available));
    update(m_context);
}

void CommandActions::trigger(const CommandItem &item)
{
    if (!itemEnabled(item))
        return;
    if (item.argument == NoArgument) {
        if (const auto handler = m_handlers.value(key(item.command)))
            handler();
    } else if (const auto handler = m_argumentHandlers.value(key(item.command))) {
        handler(item.argument);
    }
}

bool CommandActions::itemEnabled(const CommandItem &item) const
{
    // A drop-down without a command of its own is usable when one of its items is.
    if (isPopupParent(item)) {
        if (!CommandEnabled(item.command, m_context))
            return false;
        const QList<DropDownItem> &items = DropDownItems(item.command);
        return std::any_of(items.cbegin(), items.cend(), [this](const DropDownItem &i) { return itemEnabled(i.item); });
    }
    if (!hasHandler(item) || !CommandItemEnabled(item, m_context))
        return false;
    const auto available = m_availability.value(key(item.command));
    return !available || available();
}

void CommandActions::update(const CommandContext &context)
{
    m_context = context;
    for (QAction *a : std::as_const(m_actions))
        a->setEnabled(itemEnabled(m_items.value(a)));
    assignShortcuts();
}

void CommandActions::setShortcutSuspended(Command command, bool suspended)
{
    if (suspended)
        m_suspendedShortcuts.insert(key(command));
    else
        m_suspendedShortcuts.remove(key(command));
    assignShortcuts();
}

void CommandActions::assignShortcuts()
{
    for (const QString &shortcut : CommandShortcuts()) {
        const auto usable = [this](Command c) { return !m_suspendedShortcuts.contains(key(c)); };
        std::optional<Command> owner =
            ShortcutOwner(shortcut, [&](Command c) { return usable(c) && action(c)->isEnabled(); });
        // With all of them off the key still shows beside the first one in the menus.
        if (!owner)
            owner = ShortcutOwner(shortcut, usable);
        for (Command c : CommandsWithShortcut(shortcut))
            action(c)->setShortcut(c == owner ? QKeySequence(shortcut, QKeySequence::PortableText) : QKeySequence());
    }
}

QMenu *CommandActions::contextMenu(ContextMenuKind kind, QWidget *parent) const
{
    auto *menu = new QMenu(parent);
    for (const MenuLine &line : ContextMenuLayout(kind)) {
        switch (line.kind) {
        case MenuLine::Item:
        case MenuLine::SubMenu:
            menu->addAction(action(line.item));
            break;
        case MenuLine::Separator:
            menu->addSeparator();
            break;
        case MenuLine::Section:
            menu->addSection(line.caption);
            break;
        }
    }
    return menu;
}
