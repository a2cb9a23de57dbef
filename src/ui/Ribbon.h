#pragma once

#include "ui/CommandTable.h"

#include <QHash>
#include <QWidget>

class CommandActions;
class QAction;
class QFrame;
class QLabel;
class QStackedWidget;
class QTabBar;
class QToolBar;
class QToolButton;
class QVBoxLayout;

// The command ribbon of the main window: a quick-access bar, the "File" button, the tabs with
// their key tips and, under them, the groups of the current tab laid out from the command table
// (a large button for the first command of a block, small ones for the rest, a bar between
// blocks, the group's caption underneath). Minimized, only the tabs stay; a click on a tab then
// shows its groups as a pop-up panel.
class Ribbon : public QWidget
{
    Q_OBJECT
public:
    Ribbon(CommandActions &actions, QWidget *parent);
    ~Ribbon() override;

    QTabBar *tabBar() const { return m_tabs; }
    QToolButton *fileButton() const { return m_fileButton; }
    QToolBar *quickAccessBar() const { return m_quickAccess; }
    // The panel with the groups of the current tab.
    QWidget *groupsPanel() const;
    QAction *minimizeAction() const { return m_minimizeAction; }
    // The ribbon button of a command (not of a drop-down item); null when it has none.
    QToolButton *button(Command command) const { return m_buttons.value(int(command)); }
    // The group captions of a tab, in order.
    QStringList groupCaptions(const QString &tab) const;

    void setMinimized(bool minimized);
    bool isMinimized() const { return m_minimized; }
    bool popupShown() const;
    void setTabShown(const QString &tab, bool shown);
    bool tabShown(const QString &tab) const;
    void activateTab(const QString &tab);
    QString currentTab() const;

    // The key tips: a letter over every tab that the next key press picks.
    void showKeyTips(bool show);
    bool keyTipsShown() const { return m_keyTipsShown; }

signals:
    void fileClicked();
    void minimizedChanged(bool minimized);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QWidget *buildPage(const QString &tab);
    QWidget *buildGroup(const RibbonGroup &group, QWidget *parent);
    QToolButton *makeButton(Command command, bool large, QWidget *parent);
    void tabClicked(int index);
    void showPopup();
    void hidePopup();
    bool keyEvent(QObject *watched, QEvent *event);
    int tabIndex(const QString &tab) const;

    CommandActions &m_actions;
    QToolBar *m_quickAccess;
    QToolButton *m_fileButton;
    QTabBar *m_tabs;
    QToolButton *m_minimizeButton;
    QAction *m_minimizeAction;
    QStackedWidget *m_pages;
    QVBoxLayout *m_layout;
    QFrame *m_popup;
    QVBoxLayout *m_popupLayout;
    QHash<int, QToolButton *> m_buttons;
    QHash<QString, QStringList> m_groupCaptions;
    QList<QLabel *> m_keyTips;
    bool m_minimized = false;
    bool m_keyTipsShown = false;
    bool m_altDown = false;
    bool m_ignoreClick = false;
};
