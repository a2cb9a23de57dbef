#include "ui/MainForm.h"

#include "core/GlobalFunctions.h"
#include "core/StartUp.h"
#include "core/Translations.h"
#include "core/UserInterface.h"
#include "database/DM1_u.h"
#include "database/DatabaseList.h"
#include "database/RecordHelpers.h"
#include "loans/WantList.h"
#include "loans/lend.h"
#include "reports/ReportManager.h"
#include "ui/Backstage.h"
#include "ui/DatabaseChoice.h"
#include "ui/Homepage.h"
#include "ui/Icons.h"
#include "ui/MainFormSettings.h"
#include "views/BrowseSql.h"
#include "views/CalculatedFields.h"
#include "views/Statistics.h"
#include "views/ViewManager.h"

#include <QAction>
#include <QActionGroup>
#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QDesktopServices>
#include <QFile>
#include <QFrame>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLocalServer>
#include <QLocalSocket>
#include <QMenu>
#include <QScreen>
#include <QSplitter>
#include <QStackedWidget>
#include <QStatusBar>
#include <QStyle>
#include <QToolBar>
#include <QToolButton>
#include <QTreeWidget>
#include <QUrl>
#include <QVBoxLayout>

#include <tuple>

namespace {

const QSize kDesignSize(1024, 700);
const int kNodeIndexRole = Qt::UserRole;

int readInteger(const QString &name, const QString &section, int defaultValue)
{
    try {
        return ReadSettingInteger(name, section, defaultValue);
    } catch (const SettingKindError &) {
        return defaultValue;
    }
}

bool readBool(const QString &name, const QString &section, bool defaultValue)
{
    try {
        return ReadSettingBool(name, section, defaultValue);
    } catch (const SettingKindError &) {
        return defaultValue;
    }
}

// The browse queries of the views belong to the open collection. A database switch also
// empties their SQL, so the new collection's views start from their base selects.
void closeViewDatasets(bool emptySql)
{
    if (!HasDM1())
        return;
    TDM1 &dm = DM1();
    dm.CloseViewDatasets();
    if (emptySql) {
        dm.qry_Movie.SQL.clear();
        dm.qry_Media.SQL.clear();
        dm.qry_Person.SQL.clear();
    }
}

// The view manager as the window embeds it.
class ViewManagerAdapter : public EmbeddedViewManager
{
public:
    ViewManagerAdapter(ViewHost *host, QWidget *parent)
        : m_form(new TViewManager_frm(host, parent))
    {}

    QWidget *form() const override { return m_form; }
    int viewCurrentTable() const override { return m_form->ViewCurrentTable(); }
    int viewCurrentType() const override { return m_form->ViewCurrentType(); }
    void setViewCurrentTable(int table) override { m_form->setViewCurrentTable(table); }
    void setViewCurrentType(int type) override { m_form->setViewCurrentType(type); }
    QString viewUserViewName() const override { return m_form->ViewUserViewName(); }
    void changeView(int node, const QString &caption) override { m_form->ChangeView(node, caption); }
    void switchLayout(int type) override { m_form->SwitchLayout(type); }
    void saveCurrentView() override { m_form->SaveCurrentView(); }
    void saveToRegistry() override { m_form->SaveToRegistry(); }
    void refreshViewDatasets() override { m_form->RefreshViewDatasets(); }
    void initGridModeSettings() override { m_form->InitGridModeSettings(); }
    void applyStoredThumbnailSize() override { m_form->ApplyThumbnailSize(UsableThumbnailSize(ReadThumbnailSize())); }
    void updateThumbnailHeight(int size) override { m_form->ThumbnailSizeCommand(size); }
    QString lastSqlLine() const override { return m_form->LastSqlLine(); }
    QString dataSourceName() const override { return DataSourceName(m_form->ViewCurrentTable()); }
    void emptyMovieQuery() override
    {
        if (HasDM1())
            DM1().qry_Movie.SQL.clear();
    }
    void focusGrid() override { m_form->focusGrid(); }
    void discardState() override
    {
        // The form stores a user view's layout when it goes; that view belongs to the collection
        // that was open before.
        m_form->storeUserViewLayout = nullptr;
    }

private:
    QPointer<TViewManager_frm> m_form;
};

QPalette schemePalette(int theme, const QPalette &base)
{
    QPalette palette = base;
    if (theme == 1) {
        for (QPalette::ColorRole role : {QPalette::Window, QPalette::Base, QPalette::Button})
            palette.setColor(role, Qt::white);
        palette.setColor(QPalette::AlternateBase, QColor(245, 245, 245));
    } else if (theme == 2) {
        const QColor window(68, 68, 68);
        const QColor text(230, 230, 230);
        palette.setColor(QPalette::Window, window);
        palette.setColor(QPalette::WindowText, text);
        palette.setColor(QPalette::Base, QColor(52, 52, 52));
        palette.setColor(QPalette::AlternateBase, QColor(60, 60, 60));
        palette.setColor(QPalette::Text, text);
        palette.setColor(QPalette::Button, QColor(80, 80, 80));
        palette.setColor(QPalette::ButtonText, text);
        palette.setColor(QPalette::ToolTipBase, window);
        palette.setColor(QPalette::ToolTipText, text);
        palette.setColor(QPalette::PlaceholderText, QColor(160, 160, 160));
        palette.setColor(QPalette::Highlight, QColor(70, 110, 170));
        palette.setColor(QPalette::HighlightedText, Qt::white);
        // Light links stay readable on the dark background.
        palette.setColor(QPalette::Link, QColor(135, 206, 235));
        palette.setColor(QPalette::LinkVisited, QColor(135, 206, 235));
    }
    return palette;
}

} // namespace

TMainFormRNZ_frm::TMainFormRNZ_frm()
    : m_instanceServer(new QLocalServer(this))
{
    setObjectName(QStringLiteral("TMainFormRNZ_frm"));
    SetCurrentSortWords(&SortWords);
    // The program's named presence: another instance that finds it asks this window to come forward.
    QLocalServer::removeServer(InstanceServerName());
    m_instanceServer->listen(InstanceServerName());
    connect(m_instanceServer, &QLocalServer::newConnection, this, [this] {
        delete m_instanceServer->nextPendingConnection();
        showNormal();
        raise();
        activateWindow();
    });

    viewManagerFactory = [](ViewHost *host, QWidget *parent) -> std::unique_ptr<EmbeddedViewManager> {
        return std::make_unique<ViewManagerAdapter>(host, parent);
    };

    UpgradeSettingsLayout();
    ForceDataFolders();
    buildRibbon();
    buildNavigationPane();
    buildClientArea();
    buildStatusBar();
    readOptions();

    resize(kDesignSize);
    const WindowPlacement placement = ReadWindowPlacement(kDesignSize);
    if (placement.hasBounds) {
        const QScreen *screen = QGuiApplication::primaryScreen();
        setGeometry(PlaceOnScreen(placement.bounds, screen ? screen->availableGeometry() : QRect()));
    }
    ActivateScheme();
    applyTouchMode();

    // An installer fetched by an earlier update has done its work.
    QFile::remove(GetDatabaseFolder() + QStringLiteral("reelnest_update.exe"));
}

TMainFormRNZ_frm::~TMainFormRNZ_frm()
{
    m_terminating = true;
    m_viewManager.reset();
    if (&CurrentSortWords() == &SortWords)
        SetCurrentSortWords(nullptr);
}

void TMainFormRNZ_frm::buildRibbon()
{
    m_ribbon = new QToolBar(this);
    m_ribbon->setObjectName(QStringLiteral("Ribbon"));
    m_ribbon->setMovable(false);
    m_ribbon->setFloatable(false);
    m_ribbon->setContextMenuPolicy(Qt::PreventContextMenu);
    m_ribbon->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
    addToolBar(Qt::TopToolBarArea, m_ribbon);

    m_fileAction = m_ribbon->addAction(AppIconFor(AppIcon::File), QStringLiteral("File"));
    m_fileAction->setObjectName(QStringLiteral("File"));
    connect(m_fileAction, &QAction::triggered, this, [this] { ShowBackstage(true); });
    m_groupActions << m_ribbon->addSeparator();

    m_layoutGroup = new QActionGroup(this);
    m_layoutGroup->setExclusive(true);
    const QList<QPair<AppIcon, QString>> layouts = {{AppIcon::ListLayout, QStringLiteral("List")},
                                                    {AppIcon::ThumbnailLayout, QStringLiteral("Thumbnails")},
                                                    {AppIcon::CardLayout, QStringLiteral("Cards")}};
    const QStringList layoutNames = {QStringLiteral("bListView"), QStringLiteral("bThumbView"),
                                     QStringLiteral("bCardView")};
    for (int type = 1; type <= 3; ++type) {
        QAction *action = m_ribbon->addAction(AppIconFor(layouts.at(type - 1).first), layouts.at(type - 1).second);
        action->setObjectName(layoutNames.at(type - 1));
        action->setCheckable(true);
        action->setData(type);
        m_layoutGroup->addAction(action);
        m_layoutActions << action;
        m_groupActions << action;
        connect(action, &QAction::triggered, this, [this, type] { layoutCommand(type); });
    }

    m_thumbnailSizeButton = new QToolButton(m_ribbon);
    m_thumbnailSizeButton->setObjectName(QStringLiteral("Thumbnail Size"));
    m_thumbnailSizeButton->setText(QStringLiteral("Thumbnail Size"));
    m_thumbnailSizeButton->setIcon(AppIconFor(AppIcon::ThumbnailSize));
    m_thumbnailSizeButton->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
    m_thumbnailSizeButton->setPopupMode(QToolButton::InstantPopup);
    auto *sizes = new QMenu(m_thumbnailSizeButton);
    const QList<std::tuple<AppIcon, QString, int>> sizeItems = {{AppIcon::SizeSmall, QStringLiteral("Small"), 5},
                                                                {AppIcon::SizeMedium, QStringLiteral("Medium"), 12},
                                                                {AppIcon::SizeLarge, QStringLiteral("Large"), 24}};
    for (const auto &[icon, caption, size] : sizeItems) {
        QAction *action = sizes->addAction(AppIconFor(icon), caption);
        action->setObjectName(caption);
        action->setData(size);
        m_thumbnailSizeActions << action;
        connect(action, &QAction::triggered, this, [this, size = size] { thumbnailSizeCommand(size); });
    }
    m_thumbnailSizeButton->setMenu(sizes);
    m_groupActions << m_ribbon->addWidget(m_thumbnailSizeButton);

    auto *spacer = new QWidget(m_ribbon);
    spacer->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Preferred);
    m_ribbon->addWidget(spacer);
    m_ribbonToggle = m_ribbon->addAction(AppIconFor(AppIcon::RibbonMinimize), QString());
    m_ribbonToggle->setObjectName(QStringLiteral("MinimizeRibbon"));
    m_ribbonToggle->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_F1));
    connect(m_ribbonToggle, &QAction::triggered, this, [this] { setRibbonMinimized(!m_ribbonMinimized); });
    setRibbonMinimized(false);
}

void TMainFormRNZ_frm::buildNavigationPane()
{
    m_navigationPane = new QWidget(this);
    m_navigationPane->setObjectName(QStringLiteral("NavigationPane"));
    m_navigationPane->setMinimumWidth(100);
    auto *layout = new QVBoxLayout(m_navigationPane);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(2);

    m_addMovies = new QToolButton(m_navigationPane);
    m_addMovies->setObjectName(QStringLiteral("bAddMovies"));
    m_addMovies->setIcon(AppIconFor(AppIcon::AddMovies));
    m_addMovies->setText(QStringLiteral("Add Movies"));
    m_addMovies->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    m_addMovies->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    // The title search that it starts arrives with the command ribbon.
    m_addMovies->setEnabled(false);
    m_addMovies->setVisible(false);
    layout->addWidget(m_addMovies);

    m_tree = new QTreeWidget(m_navigationPane);
    m_tree->setObjectName(QStringLiteral("tvViews"));
    m_tree->setHeaderHidden(true);
    m_tree->setColumnCount(1);
    m_tree->setRootIsDecorated(false);
    m_tree->setItemsExpandable(false);
    m_tree->setExpandsOnDoubleClick(false);
    m_tree->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_tree->setSelectionMode(QAbstractItemView::SingleSelection);
    m_tree->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_tree->setMouseTracking(true);
    m_tree->setFrameShape(QFrame::NoFrame);
    m_tree->setIndentation(14);
    layout->addWidget(m_tree, 1);

    connect(m_tree, &QTreeWidget::currentItemChanged, this, &TMainFormRNZ_frm::treeSelectionChanged);
    connect(m_tree, &QTreeWidget::itemClicked, this, [this](QTreeWidgetItem *item) {
        // A click on the node already shown goes on to the view.
        if (item == m_tree->currentItem() && m_viewManager && m_content == ContentKind::ViewManager)
            m_viewManager->focusGrid();
    });
}

void TMainFormRNZ_frm::buildClientArea()
{
    m_pages = new QStackedWidget(this);
    m_splitter = new QSplitter(Qt::Horizontal, m_pages);
    m_splitter->setObjectName(QStringLiteral("MainSplitter"));
    m_splitter->setChildrenCollapsible(false);
    m_splitter->addWidget(m_navigationPane);

    auto *client = new QWidget(m_splitter);
    client->setObjectName(QStringLiteral("ClientArea"));
    auto *clientLayout = new QVBoxLayout(client);
    clientLayout->setContentsMargins(0, 0, 0, 0);
    clientLayout->setSpacing(0);

    m_updatePanel = new QFrame(client);
    m_updatePanel->setObjectName(QStringLiteral("pnlSoftwareUpdate"));
    m_updatePanel->setFrameShape(QFrame::StyledPanel);
    m_updatePanel->setAutoFillBackground(true);
    QPalette notice = m_updatePanel->palette();
    notice.setColor(QPalette::Window, QColor(255, 244, 200));
    notice.setColor(QPalette::WindowText, QColor(60, 50, 0));
    m_updatePanel->setPalette(notice);
    m_updatePanel->setCursor(Qt::PointingHandCursor);
    auto *noticeLayout = new QHBoxLayout(m_updatePanel);
    noticeLayout->setContentsMargins(6, 2, 2, 2);
    auto *noticeIcon = new QLabel(m_updatePanel);
    noticeIcon->setPixmap(AppIconFor(AppIcon::Update).pixmap(16, 16));
    m_updateTitle = new QLabel(QStringLiteral("Software Update"), m_updatePanel);
    QFont bold = m_updateTitle->font();
    bold.setBold(true);
    m_updateTitle->setFont(bold);
    m_updateText = new QLabel(m_updatePanel);
    auto *closeNotice = new QToolButton(m_updatePanel);
    closeNotice->setObjectName(QStringLiteral("bCloseUpdateNotice"));
    closeNotice->setIcon(AppIconFor(AppIcon::Close));
    closeNotice->setAutoRaise(true);
    closeNotice->setCursor(Qt::ArrowCursor);
    connect(closeNotice, &QToolButton::clicked, this, &TMainFormRNZ_frm::HideUpdateNotice);
    noticeLayout->addWidget(noticeIcon);
    noticeLayout->addWidget(m_updateTitle);
    noticeLayout->addWidget(m_updateText, 1);
    noticeLayout->addWidget(closeNotice);
    for (QWidget *w : {static_cast<QWidget *>(m_updatePanel), static_cast<QWidget *>(m_updateTitle),
                       static_cast<QWidget *>(m_updateText)})
        w->installEventFilter(this);
    m_updatePanel->hide();

    m_embeddingPanel = new QWidget(client);
    m_embeddingPanel->setObjectName(QStringLiteral("EmbeddingPanel"));
    m_embeddingLayout = new QVBoxLayout(m_embeddingPanel);
    m_embeddingLayout->setContentsMargins(0, 0, 0, 0);

    clientLayout->addWidget(m_updatePanel);
    clientLayout->addWidget(m_embeddingPanel, 1);
    m_splitter->addWidget(client);
    m_splitter->setStretchFactor(0, 0);
    m_splitter->setStretchFactor(1, 1);

    m_backstage = new TBackstage_frm(m_pages);
    connect(m_backstage, &TBackstage_frm::backRequested, this, [this] { ShowBackstage(false); });
    connect(m_backstage, &TBackstage_frm::openDatabaseRequested, this, [this](const QString &database) {
        ShowBackstage(false);
        SwitchDatabase(database);
    });

    m_pages->addWidget(m_splitter);
    m_pages->addWidget(m_backstage);
    setCentralWidget(m_pages);
}

void TMainFormRNZ_frm::buildStatusBar()
{
    m_recordCount = new QLabel(this);
    m_recordCount->setObjectName(QStringLiteral("RecordCount"));
    m_recordCount->setMinimumWidth(250);
    m_freeText = new QLabel(this);
    m_freeText->setObjectName(QStringLiteral("StatusText"));
    m_optimizedIndicator = new QLabel(this);
    m_optimizedIndicator->setObjectName(QStringLiteral("OptimizedIndicator"));
    m_optimizedIndicator->setFixedWidth(20);
    m_optimizedIndicator->setAlignment(Qt::AlignCenter);
    m_optimizedIndicator->setToolTip(QStringLiteral("Optimized mode"));
    m_databaseSelector = new QComboBox(this);
    m_databaseSelector->setObjectName(QStringLiteral("DatabaseSelector"));
    m_databaseSelector->setEditable(false);
    m_databaseSelector->setFixedWidth(200);
    m_databaseSelector->setMaxVisibleItems(15);
    connect(m_databaseSelector, &QComboBox::currentIndexChanged, this, &TMainFormRNZ_frm::databaseSelectorChanged);

    statusBar()->addWidget(m_recordCount);
    statusBar()->addWidget(m_freeText, 1);
    statusBar()->addPermanentWidget(m_optimizedIndicator);
    statusBar()->addPermanentWidget(m_databaseSelector);
}

void TMainFormRNZ_frm::readOptions()
{
    const QString options = QStringLiteral("Options");
    UseAutoSearch = readBool(QStringLiteral("Use InstantSearch"), QStringLiteral("VM\\InstantSearch"), true);
    UseAutoFormat = readBool(QStringLiteral("Use AutoFormat"), options, true);
    UseAutoCounter = readBool(QStringLiteral("Use AutoCounter"), options, true);
    UseAutoBackup = readBool(QStringLiteral("Use AutoBackup"), options, false);
    SetMinimumAutoCounter(readInteger(QStringLiteral("Min AutoCounter"), options, 1));
    m_touchMode = readBool(QStringLiteral("TouchMode"), options, false);
    // The tree never gets smaller than the stored height; the pane gives it all the room it has.
    m_viewsHeight = std::max(0, readInteger(QStringLiteral("ViewsHeight"), QString(), 120));
    m_tree->setMinimumHeight(std::min(m_viewsHeight, 2000));
    const int paneWidth = std::max(100, readInteger(QStringLiteral("ShortcutBarWidth"), QString(), 200));
    m_splitter->setSizes({paneWidth, std::max(100, kDesignSize.width() - paneWidth)});
}

void TMainFormRNZ_frm::applyTouchMode()
{
    const int icon = m_touchMode ? 32 : 24;
    m_ribbon->setIconSize(QSize(icon, icon));
    m_thumbnailSizeButton->setIconSize(QSize(icon, icon));
    m_tree->setIconSize(m_touchMode ? QSize(28, 28) : QSize(20, 20));
}

bool TMainFormRNZ_frm::LoadTranslation()
{
    return ::LoadTranslation();
}

void TMainFormRNZ_frm::translate()
{
    setWindowTitle(QStringLiteral("Reelnest"));
    for (int i = 0; i < std::min<qsizetype>(m_nodes.size(), FixedNodeCount); ++i)
        m_nodes.at(i)->setText(0, GetText(FixedNavigationNodes().at(i).captionText));
    m_backstage->translate();
    if (m_updatePanel->isVisible())
        m_updateText->setText(GetText(1301));
}

QString TMainFormRNZ_frm::currentDatabase() const
{
    return HasDM1() ? DM1().MainConnection.databaseName() : QString();
}

void TMainFormRNZ_frm::RefreshViews(bool InitViewAfter)
{
    const int oldIndex = selectedViewIndex();
    const QString oldCaption = oldIndex >= 0 ? nodeCaption(oldIndex) : QString();

    m_rebuildingTree = true;
    m_tree->clear();
    m_nodes.clear();
    QList<UserViewEntry> userViews;
    if (HasDM1() && DM1().MainConnection.inTransaction())
        userViews = ReadUserViewEntries(DM1().MainConnection);
    m_treeIcons = TreeIconList(userViews);

    for (const NavigationNode &node : FixedNavigationNodes()) {
        QTreeWidgetItem *item =
            node.parent < 0 ? new QTreeWidgetItem(m_tree) : new QTreeWidgetItem(m_nodes.at(node.parent));
        item->setText(0, GetText(node.captionText));
        m_nodes << item;
    }
    for (const UserViewEntry &view : userViews) {
        auto *item = new QTreeWidgetItem(m_nodes.at(UserViewHolderNode));
        item->setText(0, view.name);
        m_nodes << item;
    }
    for (int i = 0; i < m_nodes.size(); ++i) {
        m_nodes.at(i)->setData(0, kNodeIndexRole, i);
        m_nodes.at(i)->setIcon(0, ViewIcon(TreeIconIndex(m_treeIcons, i)));
    }
    m_nodes.at(HomepageNode)->setExpanded(true);
    m_nodes.at(UserViewHolderNode)->setExpanded(true);
    m_tree->setCurrentItem(nullptr);
    m_tree->clearSelection();
    m_rebuildingTree = false;

    if (!InitViewAfter || oldIndex < 0)
        return;
    // The same view where it still exists, even when the user views moved; else the movies.
    for (int i = 1; i < m_nodes.size(); ++i) {
        if (i != UserViewHolderNode && nodeCaption(i) == oldCaption) {
            ChangeViewIndex(i);
            return;
        }
    }
    ChangeViewIndex(oldIndex < m_nodes.size() ? oldIndex : MoviesNode);
}

void TMainFormRNZ_frm::ChangeViewIndex(int ViewAbsoluteIndex)
{
    if (ViewAbsoluteIndex < 0 || ViewAbsoluteIndex >= m_nodes.size())
        return;
    m_tree->setCurrentItem(m_nodes.at(ViewAbsoluteIndex));
}

int TMainFormRNZ_frm::selectedViewIndex() const
{
    const QTreeWidgetItem *item = m_tree->currentItem();
    return item ? item->data(0, kNodeIndexRole).toInt() : -1;
}

int TMainFormRNZ_frm::nodeCount() const
{
    return int(m_nodes.size());
}

QString TMainFormRNZ_frm::nodeCaption(int absoluteIndex) const
{
    if (absoluteIndex < 0 || absoluteIndex >= m_nodes.size())
        return QString();
    return m_nodes.at(absoluteIndex)->text(0);
}

int TMainFormRNZ_frm::nodeIconIndex(int absoluteIndex) const
{
    return TreeIconIndex(m_treeIcons, absoluteIndex);
}

void TMainFormRNZ_frm::treeSelectionChanged(QTreeWidgetItem *current, QTreeWidgetItem *previous)
{
    if (m_rebuildingTree || m_terminating)
        return;
    if (m_nodes.size() < FixedNodeCount)
        return;
    if (previous)
        leaveNode(previous->data(0, kNodeIndexRole).toInt());
    if (current)
        enterNode(current->data(0, kNodeIndexRole).toInt());
    // Only the first selection after a database switch leaves the old view unsaved.
    m_saveView = true;
}

void TMainFormRNZ_frm::leaveNode(int index)
{
    if (!m_viewManager || m_content != ContentKind::ViewManager)
        return;
    if (ViewTableForNode(index) != 0) {
        const QString orderLine = m_viewManager->lastSqlLine().trimmed();
        // An emptied query has no order to remember; storing its blank line would forget the
        // user's sort.
        if (orderLine.startsWith(QStringLiteral("order by"), Qt::CaseInsensitive) &&
            !m_viewManager->dataSourceName().isEmpty())
            WriteSettingString(m_viewManager->dataSourceName(), QStringLiteral("Sort\\Default"), orderLine);
        if (m_saveView)
            m_viewManager->saveCurrentView();
    } else if (IsUserViewNode(index) && m_saveView) {
        m_viewManager->saveCurrentView();
    }
}

void TMainFormRNZ_frm::enterNode(int index)
{
    const ContentKind content = ContentForNode(index);
    if (content == ContentKind::None)
        return;
    m_navigationPane->setEnabled(false);
    if (content == ContentKind::ViewManager) {
        if (m_content == ContentKind::ViewManager && m_viewManager)
            m_viewManager->emptyMovieQuery();
        else
            embed(ContentKind::ViewManager);
        if (m_viewManager) {
            const int table = ViewTableForNode(index);
            if (table != 0) {
                int type = readInteger(QString::number(table), QStringLiteral("VM\\GridSettings\\InitType"), 2);
                if (type < 1 || type > 3)
                    type = 2;
                m_viewManager->setViewCurrentTable(table);
                m_viewManager->setViewCurrentType(type);
                m_layoutActions.at(type - 1)->setChecked(true);
            }
            m_viewManager->changeView(index, nodeCaption(index));
        }
    } else {
        embed(content);
    }
    m_navigationPane->setEnabled(true);
}

void TMainFormRNZ_frm::embed(ContentKind content)
{
    if (m_content == content && EmbeddedForm)
        return;
    BusyCursor busy;
    const bool paneEnabled = m_navigationPane->isEnabled();
    m_navigationPane->setEnabled(false);
    setRecordCountText(QString());
    setStatusText(QString());
    setOptimizedIndicator(false);
    closeEmbeddedForm(m_saveView);

    QWidget *form = nullptr;
    switch (content) {
    case ContentKind::Homepage:
        form = new THomepage_frm(m_embeddingPanel);
        break;
    case ContentKind::ViewManager:
        m_viewManager = viewManagerFactory(this, m_embeddingPanel);
        form = m_viewManager ? m_viewManager->form() : nullptr;
        break;
    case ContentKind::Loans:
        form = new TLend_frm(m_embeddingPanel);
        break;
    case ContentKind::WantList:
        form = new TWantList_frm(m_embeddingPanel);
        break;
    case ContentKind::Statistics:
        form = new TStatistics_frm(m_embeddingPanel);
        break;
    case ContentKind::Reports:
        form = new TReportManager_frm(m_embeddingPanel);
        break;
    case ContentKind::None:
        break;
    }
    if (form) {
        form->setWindowFlags(Qt::Widget);
        m_embeddingLayout->addWidget(form);
        form->show();
        m_content = content;
    }
    EmbeddedForm = form;
    enableCommandsForContent();
    m_navigationPane->setEnabled(paneEnabled);
}

void TMainFormRNZ_frm::closeEmbeddedForm(bool saveState)
{
    QWidget *form = EmbeddedForm;
    // A form saves its state in its close handler; after a database switch that state belongs to
    // the old collection and must not be written into the new one.
    if (form && saveState)
        form->close();
    if (m_viewManager && !saveState)
        m_viewManager->discardState();
    m_viewManager.reset();
    if (form) {
        m_embeddingLayout->removeWidget(form);
        delete form;
    }
    EmbeddedForm = nullptr;
    m_content = ContentKind::None;
}

void TMainFormRNZ_frm::enableCommandsForContent()
{
    const bool views = m_content == ContentKind::ViewManager && m_viewManager;
    for (QAction *action : m_layoutActions)
        action->setEnabled(views);
    // The thumbnail size needs thumbnails: the view manager says when its layout has them.
    const bool thumbnails = views && m_viewManager->viewCurrentType() == 2;
    m_thumbnailSizeButton->setEnabled(ContentEnablesCommand(m_content, QStringLiteral("Thumbnail Size")) && thumbnails);
}

void TMainFormRNZ_frm::viewKindChanged(int viewCurrentTable, int viewCurrentType)
{
    Q_UNUSED(viewCurrentTable);
    if (viewCurrentType >= 1 && viewCurrentType <= 3)
        m_layoutActions.at(viewCurrentType - 1)->setChecked(true);
    enableCommandsForContent();
}

void TMainFormRNZ_frm::layoutCommand(int viewCurrentType)
{
    if (!m_viewManager || m_content != ContentKind::ViewManager)
        return;
    if (m_viewManager->viewCurrentType() == viewCurrentType)
        return;
    m_viewManager->switchLayout(viewCurrentType);
}

void TMainFormRNZ_frm::thumbnailSizeCommand(int size)
{
    if (m_viewManager && m_content == ContentKind::ViewManager)
        m_viewManager->updateThumbnailHeight(size);
}

void TMainFormRNZ_frm::setRecordCountText(const QString &text)
{
    m_recordCount->setText(text);
}

void TMainFormRNZ_frm::setStatusText(const QString &text)
{
    m_freeText->setText(text);
}

void TMainFormRNZ_frm::setOptimizedIndicator(bool visible)
{
    m_optimizedShown = visible;
    m_optimizedIndicator->setPixmap(visible ? AppIconFor(AppIcon::OptimizedMode).pixmap(16, 16) : QPixmap());
}

QString TMainFormRNZ_frm::recordCountText() const
{
    return m_recordCount->text();
}

QString TMainFormRNZ_frm::statusText() const
{
    return m_freeText->text();
}

bool TMainFormRNZ_frm::optimizedIndicatorShown() const
{
    return m_optimizedShown;
}

QWidget *TMainFormRNZ_frm::addMoviesButton() const
{
    return m_addMovies;
}

QAction *TMainFormRNZ_frm::layoutAction(int viewCurrentType) const
{
    return viewCurrentType >= 1 && viewCurrentType <= 3 ? m_layoutActions.at(viewCurrentType - 1) : nullptr;
}

QAction *TMainFormRNZ_frm::thumbnailSizeAction(int size) const
{
    for (QAction *action : m_thumbnailSizeActions) {
        if (action->data().toInt() == size)
            return action;
    }
    return nullptr;
}

void TMainFormRNZ_frm::selectStartNode()
{
    ChangeViewIndex(StartNodeFromSettings(GetCurrentDatabaseFileName(), nodeCount()));
    if (selectedViewIndex() < 0)
        ChangeViewIndex(HomepageNode);
}

void TMainFormRNZ_frm::RefreshDatabaseSelector()
{
    const QString current = currentDatabase();
    m_fillingSelector = true;
    m_databaseSelector->clear();
    for (const QString &entry : DatabaseSelectorEntries(DatabaseList::defaultFilePath(), current))
        m_databaseSelector->addItem(AppIconFor(AppIcon::Database), DatabaseSelectorItemText(entry), entry);
    int selected = -1;
    for (int i = 0; i < m_databaseSelector->count(); ++i) {
        if (DatabaseList::sameDatabaseString(m_databaseSelector->itemData(i).toString(), current)) {
            selected = i;
            break;
        }
    }
    // A collection opened from outside the list is still the one in use: the switcher names it.
    if (selected < 0 && !current.isEmpty()) {
        m_databaseSelector->insertItem(0, AppIconFor(AppIcon::Database), DatabaseSelectorItemText(current), current);
        selected = 0;
    }
    m_databaseSelector->setCurrentIndex(selected);
    m_databaseSelector->setToolTip(m_databaseSelector->currentText());
    m_fillingSelector = false;
    m_backstage->refillDatabaseList(DatabaseList::defaultFilePath(), current);
}

void TMainFormRNZ_frm::setDatabaseOperationsOpen(bool open)
{
    m_databaseOperationsOpen = open;
}

void TMainFormRNZ_frm::databaseSelectorChanged(int index)
{
    if (m_fillingSelector || m_databaseOperationsOpen || index < 0)
        return;
    const QString database = m_databaseSelector->itemData(index).toString();
    if (database.isEmpty() || DatabaseList::sameDatabaseString(database, currentDatabase()))
        return;
    SwitchDatabase(database);
}

bool TMainFormRNZ_frm::SwitchDatabase(const QString &databaseString)
{
    if (!HasDM1() || databaseString.trimmed().isEmpty())
        return false;
    TDM1 &dm = DM1();
    BusyCursor busy;
    const QString previous = currentDatabase();
    if (m_content == ContentKind::ViewManager && m_viewManager) {
        m_viewManager->saveToRegistry();
        m_viewManager->saveCurrentView();
    }
    closeViewDatasets(true);

    // When nothing opened and the first-start dialog was closed, the name left behind is one that
    // failed, so this connect fails too.
    dm.OpenDatabase(databaseString);
    if (!dm.ConnectMainDatabase()) {
        userInterface().setBusyCursor(false);
        userInterface().showMessage(MessageKind::Information, GetText(11), MessageButtons::Ok);
        // Stay with the collection that was open, so the window remains usable.
        dm.MainConnection.setDatabaseName(previous);
        if (!previous.isEmpty() && dm.ConnectMainDatabase() && m_content == ContentKind::ViewManager && m_viewManager)
            m_viewManager->changeView(selectedViewIndex(), nodeCaption(selectedViewIndex()));
        RefreshDatabaseSelector();
        return false;
    }

    // The words left out of sort titles are the new collection's own.
    UpdateSortOmitList();
    switch (m_content) {
    case ContentKind::ViewManager:
        m_viewManager->initGridModeSettings();
        m_viewManager->applyStoredThumbnailSize();
        RefreshViews(false);
        m_saveView = false;
        selectStartNode();
        break;
    case ContentKind::Statistics:
    case ContentKind::Reports:
    case ContentKind::WantList:
    case ContentKind::Loans: {
        const ContentKind content = m_content;
        // Re-created so that they show the new collection.
        closeEmbeddedForm(true);
        RefreshViews(false);
        ChangeViewIndex(content == ContentKind::Statistics ? StatisticsNode
                        : content == ContentKind::Reports  ? ReportsNode
                        : content == ContentKind::WantList ? WantListNode
                                                           : LoansNode);
        break;
    }
    case ContentKind::Homepage:
    case ContentKind::None:
        // The start page shows the old collection's summary: it is made anew for the new one.
        closeEmbeddedForm(true);
        RefreshViews(false);
        selectStartNode();
        break;
    }
    m_saveView = true;
    RefreshDatabaseSelector();
    if (EmbeddedForm)
        EmbeddedForm->setFocus();
    return true;
}

void TMainFormRNZ_frm::RefreshViewDataSources()
{
    if (m_content != ContentKind::ViewManager || !m_viewManager)
        return;
    m_viewManager->saveCurrentView();
    closeViewDatasets(false);
    const int node = selectedViewIndex();
    m_viewManager->changeView(node, nodeCaption(node));
}

void TMainFormRNZ_frm::ActivateScheme()
{
    const int theme = readInteger(QStringLiteral("Theme"), QStringLiteral("Options"), 0);
    setPalette(schemePalette(theme, QApplication::palette()));
}

void TMainFormRNZ_frm::setRibbonMinimized(bool minimized)
{
    m_ribbonMinimized = minimized;
    for (QAction *action : m_groupActions)
        action->setVisible(!minimized);
    m_ribbonToggle->setIcon(AppIconFor(minimized ? AppIcon::RibbonRestore : AppIcon::RibbonMinimize));
    m_ribbonToggle->setToolTip(minimized ? QStringLiteral("Show the Ribbon") : QStringLiteral("Minimize the Ribbon"));
    if (m_addMovies)
        m_addMovies->setVisible(minimized);
}

bool TMainFormRNZ_frm::ribbonMinimized() const
{
    return m_ribbonMinimized;
}

void TMainFormRNZ_frm::ShowBackstage(bool show)
{
    if (show)
        m_backstage->refillDatabaseList(DatabaseList::defaultFilePath(), currentDatabase());
    m_pages->setCurrentIndex(show ? 1 : 0);
    m_ribbon->setEnabled(!show);
    if (show)
        m_backstage->setFocus();
}

bool TMainFormRNZ_frm::backstageShown() const
{
    return m_pages->currentIndex() == 1;
}

void TMainFormRNZ_frm::SetUpdateNotice(const QString &upgradeUrl)
{
    UpgradeURL = upgradeUrl;
    m_updateText->setText(GetText(1301));
    m_updatePanel->show();
}

void TMainFormRNZ_frm::HideUpdateNotice()
{
    m_updatePanel->hide();
}

bool TMainFormRNZ_frm::updateNoticeVisible() const
{
    return !m_updatePanel->isHidden();
}

QString TMainFormRNZ_frm::updateNoticeText() const
{
    return m_updateText->text();
}

bool TMainFormRNZ_frm::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::MouseButtonRelease &&
        (watched == m_updatePanel || watched == m_updateTitle || watched == m_updateText)) {
        updateNoticeClicked();
        return true;
    }
    return QMainWindow::eventFilter(watched, event);
}

void TMainFormRNZ_frm::updateNoticeClicked()
{
    const QString installer = GetDatabaseFolder() + QStringLiteral("reelnest_update.exe");
    QFile::remove(installer);
    ShowWait(QStringLiteral("Preparing Update..."));
    if (UpgradeURL.trimmed().isEmpty()) {
        HideWait();
        userInterface().showMessage(
            MessageKind::Warning,
            QStringLiteral("Upgrade URL empty. Please try again later. If this error persists, contact support."),
            MessageButtons::Ok);
        return;
    }
    // The download itself belongs to the definitions update, which installs it here.
    const bool downloaded = downloadUpdateInstaller && downloadUpdateInstaller(UpgradeURL, installer);
    HideWait();
    if (!downloaded)
        return;
    QDesktopServices::openUrl(QUrl::fromLocalFile(installer));
    close();
}

void TMainFormRNZ_frm::showEvent(QShowEvent *event)
{
    QMainWindow::showEvent(event);
    if (m_shown)
        return;
    m_shown = true;
    {
        BusyCursor busy;
        RefreshViews(false);
        selectStartNode();
        setRibbonMinimized(m_ribbonMinimized);
        UpdateSortOmitList();
        RefreshDatabaseSelector();
        if (EmbeddedForm)
            EmbeddedForm->setFocus();
        if (onFirstShow)
            onFirstShow();
    }
    if (ReadWindowPlacement(kDesignSize).maximized)
        setWindowState(windowState() | Qt::WindowMaximized);
}

void TMainFormRNZ_frm::closeEvent(QCloseEvent *event)
{
    if (m_terminating) {
        event->accept();
        return;
    }
    BusyCursor busy;
    m_terminating = true;
    disconnect(m_tree, &QTreeWidget::currentItemChanged, this, &TMainFormRNZ_frm::treeSelectionChanged);

    const QString database = currentDatabase();
    if (!database.isEmpty()) {
        WriteSettingString(QStringLiteral("DB Location"), QString(), database);
        WriteSettingInteger(QStringLiteral("View"), StartupSection(GetCurrentDatabaseFileName()), selectedViewIndex());
    }
    WriteWindowPlacement(isMaximized(), geometry());
    WriteSettingInteger(QStringLiteral("ViewsHeight"), QString(), m_viewsHeight);
    if (m_navigationPane->width() >= 100)
        WriteSettingInteger(QStringLiteral("ShortcutBarWidth"), QString(), m_navigationPane->width());
    const QString options = QStringLiteral("Options");
    WriteSettingBool(QStringLiteral("Use AutoFormat"), options, UseAutoFormat);
    WriteSettingBool(QStringLiteral("Use AutoCounter"), options, UseAutoCounter);
    WriteSettingBool(QStringLiteral("Use AutoBackup"), options, UseAutoBackup);
    WriteSettingInteger(QStringLiteral("Min AutoCounter"), options, MinimumAutoCounter());
    WriteSettingBool(QStringLiteral("TouchMode"), options, m_touchMode);
    // Rewritten so that the value always exists for those who edit it by hand.
    WriteSettingInteger(QStringLiteral("Timeout"), QStringLiteral("HTTP"),
                        readInteger(QStringLiteral("Timeout"), QStringLiteral("HTTP"), 10000));

    // The embedded form saves its state first: a user view keeps its layout in the collection,
    // which must still be open for that.
    closeEmbeddedForm(true);
    m_tree->clear();
    m_nodes.clear();
    if (HasDM1())
        DM1().MainConnection.disconnect();
    if (UseAutoBackup)
        autoBackupAtClose();
    event->accept();
}

void TMainFormRNZ_frm::autoBackupAtClose()
{
    // The automatic backup (file name, rotation, service run) comes with backup and restore; this
    // is where the window runs it, after the collection was closed.
}
