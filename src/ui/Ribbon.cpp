#include "ui/Ribbon.h"

#include "ui/CommandMenus.h"
#include "ui/Icons.h"

#include <QAction>
#include <QApplication>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QMouseEvent>
#include <QStackedWidget>
#include <QTabBar>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>

#include <algorithm>

namespace {

constexpr int kSmallRows = 3;
constexpr int kLargeIcon = 32;
constexpr int kSmallIcon = 16;

QFrame *verticalBar(QWidget *parent)
{
    auto *bar = new QFrame(parent);
    bar->setFrameShape(QFrame::VLine);
    bar->setFrameShadow(QFrame::Sunken);
    return bar;
}

// A long caption under a large button goes on two lines, split at the blank nearest its middle.
QString twoLineCaption(const QString &caption)
{
    QString text = caption;
    text.remove(QLatin1Char('&'));
    if (text.size() < 8)
        return text;
    int best = -1;
    for (int i = 0; i < text.size(); ++i) {
        if (text.at(i) == QLatin1Char(' ') && (best < 0 || qAbs(i - text.size() / 2) < qAbs(best - text.size() / 2)))
            best = i;
    }
    if (best > 0)
        text[best] = QLatin1Char('\n');
    return text;
}

} // namespace

Ribbon::Ribbon(CommandActions &actions, QWidget *parent)
    : QWidget(parent)
    , m_actions(actions)
{
    setObjectName(QStringLiteral("Ribbon"));
    m_layout = new QVBoxLayout(this);
    m_layout->setContentsMargins(2, 0, 2, 0);
    m_layout->setSpacing(0);

    m_quickAccess = new QToolBar(this);
    m_quickAccess->setObjectName(QStringLiteral("QuickAccess"));
    m_quickAccess->setIconSize(QSize(kSmallIcon, kSmallIcon));
    m_quickAccess->setToolButtonStyle(Qt::ToolButtonIconOnly);
    m_quickAccess->setContextMenuPolicy(Qt::PreventContextMenu);
    for (Command command : QuickAccessCommands())
        m_quickAccess->addAction(m_actions.action(command));
    m_layout->addWidget(m_quickAccess);

    auto *tabRow = new QHBoxLayout;
    tabRow->setContentsMargins(0, 0, 0, 0);
    m_fileButton = new QToolButton(this);
    m_fileButton->setObjectName(QStringLiteral("File"));
    m_fileButton->setText(QStringLiteral("File"));
    m_fileButton->setToolButtonStyle(Qt::ToolButtonTextOnly);
    m_fileButton->setAutoFillBackground(true);
    QPalette filePalette = m_fileButton->palette();
    filePalette.setColor(QPalette::Button, QColor(43, 87, 154));
    filePalette.setColor(QPalette::ButtonText, Qt::white);
    m_fileButton->setPalette(filePalette);
    m_fileButton->setMinimumWidth(56);
    connect(m_fileButton, &QToolButton::clicked, this, &Ribbon::fileClicked);
    tabRow->addWidget(m_fileButton);

    m_tabs = new QTabBar(this);
    m_tabs->setObjectName(QStringLiteral("RibbonTabs"));
    m_tabs->setDrawBase(false);
    m_tabs->setExpanding(false);
    m_tabs->setFocusPolicy(Qt::NoFocus);
    m_tabs->setUsesScrollButtons(false);
    m_tabs->setElideMode(Qt::ElideNone);
    for (const QString &tab : RibbonTabs())
        m_tabs->addTab(tab);
    tabRow->addWidget(m_tabs);
    tabRow->addStretch(1);

    m_minimizeAction = new QAction(this);
    m_minimizeAction->setObjectName(QStringLiteral("MinimizeRibbon"));
    m_minimizeAction->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_F1));
    m_minimizeAction->setShortcutContext(Qt::WindowShortcut);
    connect(m_minimizeAction, &QAction::triggered, this, [this] { setMinimized(!m_minimized); });
    addAction(m_minimizeAction);
    m_minimizeButton = new QToolButton(this);
    m_minimizeButton->setObjectName(QStringLiteral("bMinimizeRibbon"));
    m_minimizeButton->setAutoRaise(true);
    m_minimizeButton->setDefaultAction(m_minimizeAction);
    tabRow->addWidget(m_minimizeButton);
    m_layout->addLayout(tabRow);

    m_pages = new QStackedWidget(this);
    m_pages->setObjectName(QStringLiteral("RibbonGroups"));
    m_pages->setAutoFillBackground(true);
    QPalette panel = m_pages->palette();
    panel.setColor(QPalette::Window, panel.color(QPalette::Base));
    m_pages->setPalette(panel);
    for (const QString &tab : RibbonTabs())
        m_pages->addWidget(buildPage(tab));
    m_pages->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Fixed);
    m_layout->addWidget(m_pages);

    m_popup = new QFrame(this, Qt::Popup);
    m_popup->setObjectName(QStringLiteral("RibbonPopup"));
    m_popup->setFrameShape(QFrame::StyledPanel);
    m_popupLayout = new QVBoxLayout(m_popup);
    m_popupLayout->setContentsMargins(1, 1, 1, 1);
    m_popup->installEventFilter(this);

    connect(m_tabs, &QTabBar::currentChanged, m_pages, &QStackedWidget::setCurrentIndex);
    connect(m_tabs, &QTabBar::tabBarClicked, this, &Ribbon::tabClicked);
    connect(m_tabs, &QTabBar::tabBarDoubleClicked, this, [this] {
        setMinimized(!m_minimized);
        // The tab bar reports the double click's second press as a click as well.
        m_ignoreClick = true;
    });
    qApp->installEventFilter(this);
    setMinimized(false);
}

Ribbon::~Ribbon()
{
    qApp->removeEventFilter(this);
}

QWidget *Ribbon::buildPage(const QString &tab)
{
    auto *page = new QWidget(this);
    auto *row = new QHBoxLayout(page);
    row->setContentsMargins(0, 2, 0, 0);
    row->setSpacing(2);
    bool first = true;
    for (const RibbonGroup &group : RibbonGroups()) {
        if (group.tab != tab)
            continue;
        if (!first)
            row->addWidget(verticalBar(page));
        first = false;
        row->addWidget(buildGroup(group, page));
        m_groupCaptions[tab].append(group.caption);
    }
    row->addStretch(1);
    // A page narrower than the window is cut off at the right rather than squeezing its buttons.
    page->setMinimumWidth(page->minimumSizeHint().width());
    return page;
}

QWidget *Ribbon::buildGroup(const RibbonGroup &group, QWidget *parent)
{
    auto *box = new QWidget(parent);
    box->setObjectName(group.tab + QLatin1Char('/') + group.caption);
    auto *column = new QVBoxLayout(box);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);
    auto *blocks = new QHBoxLayout;
    blocks->setSpacing(2);
    for (int b = 0; b < group.blocks.size(); ++b) {
        const QList<Command> &block = group.blocks.at(b);
        if (b > 0)
            blocks->addWidget(verticalBar(box));
        blocks->addWidget(makeButton(block.first(), true, box), 0, Qt::AlignTop);
        if (block.size() == 1)
            continue;
        auto *small = new QGridLayout;
        small->setSpacing(0);
        for (int i = 1; i < block.size(); ++i)
            small->addWidget(makeButton(block.at(i), false, box), (i - 1) % kSmallRows, (i - 1) / kSmallRows);
        small->setRowStretch(kSmallRows, 1);
        blocks->addLayout(small);
    }
    column->addLayout(blocks, 1);
    auto *caption = new QLabel(group.caption, box);
    caption->setAlignment(Qt::AlignCenter);
    QPalette muted = caption->palette();
    muted.setColor(QPalette::WindowText, QColor(110, 110, 110));
    caption->setPalette(muted);
    column->addWidget(caption);
    return box;
}

QToolButton *Ribbon::makeButton(Command command, bool large, QWidget *parent)
{
    QAction *action = m_actions.action(command);
    if (large)
        action->setIconText(twoLineCaption(action->text()));
    auto *button = new QToolButton(parent);
    button->setObjectName(action->text());
    button->setDefaultAction(action);
    button->setAutoRaise(true);
    button->setToolButtonStyle(large ? Qt::ToolButtonTextUnderIcon : Qt::ToolButtonTextBesideIcon);
    button->setIconSize(large ? QSize(kLargeIcon, kLargeIcon) : QSize(kSmallIcon, kSmallIcon));
    // Buttons keep their full captions; a ribbon wider than the window is cut off at the right.
    button->setSizePolicy(large ? QSizePolicy::Fixed : QSizePolicy::Minimum, QSizePolicy::Fixed);
    if (large) {
        // Room for the widest caption line and the drop-down arrow, which styles take out of the
        // label's width and would otherwise cut the caption short.
        int textWidth = 0;
        for (const QString &line : action->iconText().split(QLatin1Char('\n')))
            textWidth = std::max(textWidth, button->fontMetrics().horizontalAdvance(line));
        const int arrow = HasDropDown(command) ? 10 : 0;
        button->setMinimumWidth(std::max(44, textWidth + 8 + arrow));
    }
    if (IsSplitButton(command)) {
        button->setMenu(m_actions.dropDownMenu(command));
        button->setPopupMode(QToolButton::MenuButtonPopup);
    } else if (HasDropDown(command)) {
        button->setPopupMode(QToolButton::InstantPopup);
    }
    if (!m_buttons.contains(int(command)))
        m_buttons.insert(int(command), button);
    return button;
}

QWidget *Ribbon::groupsPanel() const
{
    return m_pages;
}

QStringList Ribbon::groupCaptions(const QString &tab) const
{
    return m_groupCaptions.value(tab);
}

void Ribbon::setMinimized(bool minimized)
{
    hidePopup();
    const bool changed = m_minimized != minimized;
    m_minimized = minimized;
    m_pages->setVisible(!minimized);
    m_minimizeAction->setIcon(AppIconFor(minimized ? AppIcon::RibbonRestore : AppIcon::RibbonMinimize));
    m_minimizeAction->setToolTip(minimized ? QStringLiteral("Show the Ribbon") : QStringLiteral("Minimize the Ribbon"));
    if (changed)
        emit minimizedChanged(minimized);
}

void Ribbon::tabClicked(int index)
{
    const bool ignore = m_ignoreClick;
    m_ignoreClick = false;
    if (ignore || !m_minimized || index < 0)
        return;
    if (popupShown() && index == m_tabs->currentIndex()) {
        hidePopup();
        return;
    }
    m_tabs->setCurrentIndex(index);
    if (!popupShown())
        showPopup();
}

void Ribbon::showPopup()
{
    m_layout->removeWidget(m_pages);
    m_popupLayout->addWidget(m_pages);
    m_pages->show();
    const QPoint below = m_tabs->mapToGlobal(QPoint(0, m_tabs->height()));
    m_popup->move(mapToGlobal(QPoint(0, 0)).x(), below.y());
    m_popup->resize(width(), m_pages->sizeHint().height() + 2);
    m_popup->show();
}

void Ribbon::hidePopup()
{
    if (m_popup->isVisible())
        m_popup->hide();
    if (m_pages->parentWidget() != this) {
        m_popupLayout->removeWidget(m_pages);
        m_pages->setParent(this);
        m_layout->addWidget(m_pages);
        m_pages->setVisible(!m_minimized);
    }
}

bool Ribbon::popupShown() const
{
    return m_popup->isVisible();
}

int Ribbon::tabIndex(const QString &tab) const
{
    return int(RibbonTabs().indexOf(tab));
}

void Ribbon::setTabShown(const QString &tab, bool shown)
{
    const int index = tabIndex(tab);
    if (index < 0 || m_tabs->isTabVisible(index) == shown)
        return;
    m_tabs->setTabVisible(index, shown);
    // The bar's size follows its visible tabs only when asked to.
    m_tabs->updateGeometry();
}

bool Ribbon::tabShown(const QString &tab) const
{
    const int index = tabIndex(tab);
    return index >= 0 && m_tabs->isTabVisible(index);
}

void Ribbon::activateTab(const QString &tab)
{
    const int index = tabIndex(tab);
    if (index >= 0 && m_tabs->isTabVisible(index))
        m_tabs->setCurrentIndex(index);
}

QString Ribbon::currentTab() const
{
    return RibbonTabs().value(m_tabs->currentIndex());
}

void Ribbon::showKeyTips(bool show)
{
    qDeleteAll(m_keyTips);
    m_keyTips.clear();
    m_keyTipsShown = show;
    if (!show)
        return;
    for (int i = 0; i < m_tabs->count(); ++i) {
        if (!m_tabs->isTabVisible(i))
            continue;
        auto *tip = new QLabel(RibbonKeyTip(m_tabs->tabText(i)), m_tabs);
        tip->setObjectName(QStringLiteral("KeyTip ") + m_tabs->tabText(i));
        tip->setAlignment(Qt::AlignCenter);
        tip->setAutoFillBackground(true);
        tip->setFrameShape(QFrame::Box);
        QPalette look = tip->palette();
        look.setColor(QPalette::Window, QColor(255, 250, 210));
        look.setColor(QPalette::WindowText, Qt::black);
        tip->setPalette(look);
        tip->adjustSize();
        const QRect tab = m_tabs->tabRect(i);
        tip->move(tab.center().x() - tip->width() / 2, tab.bottom() - tip->height() + 2);
        tip->show();
        m_keyTips.append(tip);
    }
}

bool Ribbon::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_popup && event->type() == QEvent::MouseButtonPress) {
        // The pop-up sees every press while it is open. On another tab it turns the page; on its
        // own tab it closes, so that the second press of a double click does not open it again.
        const QPoint at = m_tabs->mapFromGlobal(static_cast<QMouseEvent *>(event)->globalPosition().toPoint());
        const int index = m_tabs->tabAt(at);
        if (index < 0)
            return false;
        if (index == m_tabs->currentIndex())
            m_popup->hide();
        else
            m_tabs->setCurrentIndex(index);
        return true;
    }
    if (watched == m_popup && event->type() == QEvent::Hide) {
        // Closed by a click outside or a command: the groups go back under the tabs.
        QMetaObject::invokeMethod(this, &Ribbon::hidePopup, Qt::QueuedConnection);
        return false;
    }
    switch (event->type()) {
    case QEvent::KeyPress:
    case QEvent::KeyRelease:
        return keyEvent(watched, event);
    case QEvent::MouseButtonPress:
        m_altDown = false;
        if (m_keyTipsShown)
            showKeyTips(false);
        return false;
    default:
        return false;
    }
}

bool Ribbon::keyEvent(QObject *watched, QEvent *event)
{
    auto *widget = qobject_cast<QWidget *>(watched);
    if (!widget || widget->window() != window() || !isVisible())
        return false;
    auto *key = static_cast<QKeyEvent *>(event);
    if (event->type() == QEvent::KeyPress) {
        if (m_keyTipsShown) {
            showKeyTips(false);
            // The letter picks its tab; Esc only takes the tips away. Either way the key is used up.
            for (const QString &tab : RibbonTabs()) {
                if (tabShown(tab) && key->text().compare(RibbonKeyTip(tab), Qt::CaseInsensitive) == 0) {
                    activateTab(tab);
                    if (m_minimized)
                        showPopup();
                }
            }
            return true;
        }
        m_altDown = key->key() == Qt::Key_Alt && !key->isAutoRepeat();
        return false;
    }
    // Alt pressed and released alone shows the tips; the release is used up so that it is not
    // seen twice while it travels up to the window.
    if (key->key() == Qt::Key_Alt && m_altDown) {
        m_altDown = false;
        showKeyTips(!m_keyTipsShown);
        return true;
    }
    return false;
}
