#include "ui/MainForm.h"

#include "core/GlobalFunctions.h"
#include "core/StartUp.h"
#include "core/Translations.h"
#include "core/UserInterface.h"
#include "database/DM1_u.h"
#include "database/DatabaseList.h"
#include "database/RecordHelpers.h"
#include "editing/NewMovie.h"
#include "loans/WantList.h"
#include "loans/lend.h"
#include "online/IMDBSearchMovieForm.h"
#include "reports/ReportManager.h"
#include "ui/Backstage.h"
#include "ui/CommandMenus.h"
#include "ui/DatabaseChoice.h"
#include "ui/Homepage.h"
#include "ui/Icons.h"
#include "ui/MainFormSettings.h"
#include "ui/Ribbon.h"
#include "views/BrowseSql.h"
#include "views/CalculatedFields.h"
#include "views/Statistics.h"
#include "views/ViewManager.h"

#include <QAction>
#include <QActionGroup>
#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QDate>
#include <QDesktopServices>
#include <QFile>
#include <QFrame>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLocalServer>
#include <QLocalSocket>
#include <QMenu>
#include <QMessageBox>
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
    {
        // The form tells about its search box; the window listens here.
        m_form->searchBoxFocusChanged = [this](bool focused) {
            if (searchBoxFocusChanged)
                searchBoxFocusChanged(focused);
        };
    }
    ~ViewManagerAdapter() override
    {
        // The form goes after its adapter; its last focus change must not reach it.
        if (m_form)
            m_form->searchBoxFocusChanged = nullptr;
    }

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
    bool viewHasRows() const override { return m_form->viewHasRows(); }
    bool focusedOnLoan() const override { return m_form->focusedOnLoan(); }
    int selectedCount() const override { return m_form->selectedCount(); }
    void openEntry() override { m_form->openEntry(); }
    void deleteSelected() override { m_form->deleteSelected(); }
    void setRating(int rating) override { m_form->setRating(rating); }
    void setLastWatched(const QDate &date) override { m_form->SetLastWatched(date); }
    void returnLoan() override { m_form->returnLoan(); }
    void playTrailer() override { m_form->playTrailer(); }
    void openContainingFolder() override { m_form->openContainingFolder(); }
    void openImdbPage() override { m_form->openImdbPage(); }
    void openReviewPage() override { m_form->openReviewPage(); }
    void copyAssociatedFiles() override { m_form->copyAssociatedFiles(); }
    void coverFromClipboard() override { m_form->coverFromClipboard(); }
    void coverFromFile() override { m_form->coverFromFile(); }
    void selectAll() override { m_form->selectAll(); }
    void exportCoverArt() override { m_form->exportCoverArt(); }
    void applyCoverFile(const QString &imageFile, bool temporaryFile) override
    {
        m_form->applyCoverFile(imageFile, temporaryFile);
    }
    double movieInFocus() override { return m_form->movieInFocus(); }
    void setContextMenus(QMenu *entries, QMenu *persons, QMenu *searchBox) override
    {
        m_form->setContextMenus(entries, persons, searchBox);
    }
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
    connectBuiltInCommands();

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
    m_commands = new CommandActions(this);
    m_ribbon = new Ribbon(*m_commands, this);
    setMenuWidget(m_ribbon);
    m_ribbon->setTabShown(QStringLiteral("Report"), false);
    connect(m_ribbon, &Ribbon::fileClicked, this, [this] { ShowBackstage(true); });
    connect(m_ribbon, &Ribbon::minimizedChanged, this, [this](bool minimized) {
        m_ribbonMinimized = minimized;
        if (m_addMovies)
            m_addMovies->setVisible(minimized);
    });

    m_layoutGroup = new QActionGroup(this);
    m_layoutGroup->setExclusive(true);
    for (int type = ViewType::List; type <= ViewType::Cards; ++type)
        m_layoutGroup->addAction(layoutAction(type));
    const QStringList layoutNames = {QStringLiteral("bListView"), QStringLiteral("bThumbView"),
                                     QStringLiteral("bCardView")};
    for (int type = ViewType::List; type <= ViewType::Cards; ++type)
        layoutAction(type)->setObjectName(layoutNames.at(type - 1));
    for (const auto &[icon, size] :
         {std::pair{AppIcon::SizeSmall, 5}, std::pair{AppIcon::SizeMedium, 12}, std::pair{AppIcon::SizeLarge, 24}})
        thumbnailSizeAction(size)->setIcon(AppIconFor(icon));
    commandAction(Command::ColumnLines)
        ->setChecked(ReadSettingBoolLenient(QStringLiteral("ColumnLines"), QStringLiteral("Options"), false));
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
    m_addMovies->setVisible(false);
    connect(m_addMovies, &QToolButton::clicked, this, &TMainFormRNZ_frm::addMoviesClicked);
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

    m_treeMenu = m_commands->contextMenu(ContextMenuKind::NavigationTree, m_tree);
    m_tree->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(m_tree, &QTreeWidget::customContextMenuRequested, this,
            [this](const QPoint &pos) { m_treeMenu->popup(m_tree->viewport()->mapToGlobal(pos)); });

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
    UseAutoSearch =
        ReadSettingBoolLenient(QStringLiteral("Use InstantSearch"), QStringLiteral("VM\\InstantSearch"), true);
    UseAutoFormat = ReadSettingBoolLenient(QStringLiteral("Use AutoFormat"), options, true);
    UseAutoCounter = ReadSettingBoolLenient(QStringLiteral("Use AutoCounter"), options, true);
    UseAutoBackup = ReadSettingBoolLenient(QStringLiteral("Use AutoBackup"), options, false);
    SetMinimumAutoCounter(ReadSettingIntegerLenient(QStringLiteral("Min AutoCounter"), options, 1));
    m_touchMode = ReadSettingBoolLenient(QStringLiteral("TouchMode"), options, false);
    // The tree never gets smaller than the stored height; the pane gives it all the room it has.
    m_viewsHeight = std::max(0, ReadSettingIntegerLenient(QStringLiteral("ViewsHeight"), QString(), 120));
    m_tree->setMinimumHeight(std::min(m_viewsHeight, 2000));
    const int paneWidth = std::max(100, ReadSettingIntegerLenient(QStringLiteral("ShortcutBarWidth"), QString(), 200));
    m_splitter->setSizes({paneWidth, std::max(100, kDesignSize.width() - paneWidth)});
}

void TMainFormRNZ_frm::applyTouchMode()
{
    const int icon = m_touchMode ? 24 : 16;
    m_ribbon->quickAccessBar()->setIconSize(QSize(icon, icon));
    commandAction(Command::TouchMouseMode)->setChecked(m_touchMode);
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
                int type =
                    ReadSettingIntegerLenient(QString::number(table), QStringLiteral("VM\\GridSettings\\InitType"), 2);
                if (type < 1 || type > 3)
                    type = 2;
                m_viewManager->setViewCurrentTable(table);
                m_viewManager->setViewCurrentType(type);
                layoutAction(type)->setChecked(true);
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
        if (m_viewManager)
            viewManagerEmbedded();
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
    m_commands->setShortcutSuspended(Command::Delete, false);
    if (form) {
        m_embeddingLayout->removeWidget(form);
        delete form;
    }
    EmbeddedForm = nullptr;
    m_content = ContentKind::None;
}

void TMainFormRNZ_frm::viewManagerEmbedded()
{
    QWidget *form = m_viewManager->form();
    // The menus go with the form that shows them.
    m_viewManager->setContextMenus(m_commands->contextMenu(ContextMenuKind::Views, form),
                                   m_commands->contextMenu(ContextMenuKind::Persons, form),
                                   m_commands->contextMenu(ContextMenuKind::SearchBox, form));
    m_viewManager->searchBoxFocusChanged = [this](bool focused) {
        m_commands->setShortcutSuspended(Command::Delete, focused);
    };
    if (auto *views = qobject_cast<TViewManager_frm *>(form)) {
        connect(views, &TViewManager_frm::focusedRecordChanged, this, &TMainFormRNZ_frm::updateCommandStates);
        connect(views, &TViewManager_frm::selectionCountChanged, this, &TMainFormRNZ_frm::updateCommandStates);
        views->editMedia = [this, views](double mediaId) {
            const QList<double> mediaIds = views->loadedMediaIds();
            return EditMedia(this, mediaId, editorOptions(), {mediaIds, int(mediaIds.indexOf(mediaId))});
        };
    }
}

MovieEditorOptions TMainFormRNZ_frm::editorOptions() const
{
    MovieEditorOptions options = StoredMovieEditorOptions();
    options.useAutoFormat = UseAutoFormat;
    options.useAutoCounter = UseAutoCounter;
    return options;
}

void TMainFormRNZ_frm::newMovieEntry()
{
    ChangesMadeInLastEntrySession = NewMedia(this, editorOptions());
    if (ChangesMadeInLastEntrySession && m_viewManager && m_content == ContentKind::ViewManager)
        m_viewManager->changeView(selectedViewIndex(), nodeCaption(selectedViewIndex()));
}

void TMainFormRNZ_frm::enableCommandsForContent()
{
    const bool reports = m_content == ContentKind::Reports;
    m_ribbon->setTabShown(QStringLiteral("Report"), reports);
    m_ribbon->activateTab(reports ? QStringLiteral("Report") : QStringLiteral("Home"));
    updateCommandStates();
}

CommandContext TMainFormRNZ_frm::commandContext() const
{
    CommandContext context;
    context.content = m_content;
    // The loans and wish-list forms show their lists until they tell otherwise.
    context.layout = ViewType::List;
    if (m_content == ContentKind::ViewManager && m_viewManager) {
        context.viewKind = m_viewManager->viewCurrentTable();
        context.layout = m_viewManager->viewCurrentType();
        context.userView = !m_viewManager->viewUserViewName().isEmpty();
        context.viewHasRows = m_viewManager->viewHasRows();
        context.focusedOnLoan = m_viewManager->focusedOnLoan();
    }
    return context;
}

void TMainFormRNZ_frm::updateCommandStates()
{
    m_commands->update(commandContext());
    const bool wishList = m_content == ContentKind::WantList;
    const bool quickAddHarddrive =
        ReadSettingBoolLenient(QStringLiteral("QuickAddHarddrive"), QStringLiteral("Options"), false);
    m_addMovies->setEnabled(commandAction(AddMoviesPaneTarget(wishList, quickAddHarddrive))->isEnabled());
}

void TMainFormRNZ_frm::viewKindChanged(int viewCurrentTable, int viewCurrentType)
{
    Q_UNUSED(viewCurrentTable);
    if (QAction *layout = layoutAction(viewCurrentType))
        layout->setChecked(true);
    updateCommandStates();
}

void TMainFormRNZ_frm::connectCommand(Command command, std::function<void()> handler)
{
    m_commands->connectCommand(command, std::move(handler));
    updateCommandStates();
}

void TMainFormRNZ_frm::connectCommand(Command command, std::function<void(int)> handler)
{
    m_commands->connectCommand(command, std::move(handler));
    updateCommandStates();
}

QAction *TMainFormRNZ_frm::commandAction(Command command, int argument) const
{
    return m_commands->action(command, argument);
}

// Commands that only the view manager carries out so far: where the loans or the wish list will
// do them too, their handlers take over here.
void TMainFormRNZ_frm::connectViewCommand(Command command, std::function<void(EmbeddedViewManager &)> handler)
{
    m_commands->connectCommand(command, [this, handler] {
        if (m_viewManager && m_content == ContentKind::ViewManager)
            handler(*m_viewManager);
    });
    m_commands->setAvailability(command, [this] { return m_viewManager && m_content == ContentKind::ViewManager; });
}

// The grid commands reach the view manager's own form; a view manager of another make has none.
void TMainFormRNZ_frm::connectGridCommand(Command command, std::function<void(TViewManager_frm &)> handler)
{
    m_commands->connectCommand(command, [this, handler] {
        if (TViewManager_frm *form = viewManagerForm())
            handler(*form);
    });
    m_commands->setAvailability(command, [this] { return viewManagerForm() != nullptr; });
}

TViewManager_frm *TMainFormRNZ_frm::viewManagerForm() const
{
    if (!m_viewManager || m_content != ContentKind::ViewManager)
        return nullptr;
    return qobject_cast<TViewManager_frm *>(m_viewManager->form());
}

void TMainFormRNZ_frm::connectBuiltInCommands()
{
    m_commands->connectCommand(Command::LayoutList, [this] { layoutCommand(ViewType::List); });
    m_commands->connectCommand(Command::LayoutThumbnails, [this] { layoutCommand(ViewType::Thumbnails); });
    m_commands->connectCommand(Command::LayoutCards, [this] { layoutCommand(ViewType::Cards); });
    m_commands->connectCommand(Command::ThumbnailSize, [this](int size) { thumbnailSizeCommand(size); });
    // The other forms with thumbnails bring their own sizes.
    m_commands->setAvailability(Command::ThumbnailSize,
                                [this] { return m_viewManager && m_content == ContentKind::ViewManager; });

    connectViewCommand(Command::Edit, [](EmbeddedViewManager &vm) { vm.openEntry(); });
    connectViewCommand(Command::Delete, [](EmbeddedViewManager &vm) { vm.deleteSelected(); });
    m_commands->connectCommand(Command::SetRating, [this](int rating) {
        if (m_viewManager && m_content == ContentKind::ViewManager)
            m_viewManager->setRating(rating);
    });
    connectViewCommand(Command::LastWatchedToday,
                       [](EmbeddedViewManager &vm) { vm.setLastWatched(QDate::currentDate()); });
    connectViewCommand(Command::LastWatchedYesterday,
                       [](EmbeddedViewManager &vm) { vm.setLastWatched(QDate::currentDate().addDays(-1)); });
    connectViewCommand(Command::ReturnLoan, [](EmbeddedViewManager &vm) { vm.returnLoan(); });
    connectViewCommand(Command::PlayTrailer, [](EmbeddedViewManager &vm) { vm.playTrailer(); });
    connectViewCommand(Command::OpenContainingFolder, [](EmbeddedViewManager &vm) { vm.openContainingFolder(); });
    connectViewCommand(Command::MovieImdbPage, [](EmbeddedViewManager &vm) { vm.openImdbPage(); });
    connectViewCommand(Command::CopyAssociatedFiles, [](EmbeddedViewManager &vm) { vm.copyAssociatedFiles(); });
    connectViewCommand(Command::CoverFromClipboard, [](EmbeddedViewManager &vm) { vm.coverFromClipboard(); });
    connectViewCommand(Command::CoverFromFile, [](EmbeddedViewManager &vm) { vm.coverFromFile(); });
    connectViewCommand(Command::SelectAll, [](EmbeddedViewManager &vm) { vm.selectAll(); });
    connectViewCommand(Command::ExportCoverArt, [](EmbeddedViewManager &vm) { vm.exportCoverArt(); });

    m_commands->connectCommand(Command::GroupBy, [this](int item) {
        if (TViewManager_frm *form = viewManagerForm())
            form->GroupBy(GroupByField(item));
    });
    m_commands->setAvailability(Command::GroupBy, [this] { return viewManagerForm() != nullptr; });
    connectGridCommand(Command::CustomizeColumns, [](TViewManager_frm &form) { form.CustomizeColumns(); });
    connectGridCommand(Command::ColumnLines, [this](TViewManager_frm &form) {
        form.SetColumnLines(commandAction(Command::ColumnLines)->isChecked());
    });

    // Entries that depend on what is shown: each goes to the command of that entry, and is
    // available as far as that command is.
    m_commands->connectCommand(Command::New, [this] { dispatch(NewCommandTarget(m_content)); });
    m_commands->setAvailability(Command::New, [this] {
        const std::optional<Command> target = NewCommandTarget(m_content);
        return target && m_commands->hasHandler({*target});
    });
    m_commands->connectCommand(Command::AddManually,
                               [this] { dispatch(ManualEntryTarget(m_content == ContentKind::WantList)); });
    m_commands->setAvailability(Command::AddManually, [this] {
        return m_commands->hasHandler({ManualEntryTarget(m_content == ContentKind::WantList)});
    });

    m_commands->connectCommand(Command::NewMovie, [this] { newMovieEntry(); });
    m_commands->connectCommand(Command::AddByTitle, [this] {
        if (ShowSearchMovieDialog(this, m_content == ContentKind::WantList))
            RefreshViewDataSources();
    });

    m_commands->connectCommand(Command::TouchMouseMode, [this] {
        m_touchMode = commandAction(Command::TouchMouseMode)->isChecked();
        applyTouchMode();
    });
    m_commands->connectCommand(Command::About, [this] { showAboutBox(); });
    m_commands->connectCommand(Command::Exit, [this] { close(); });
}

void TMainFormRNZ_frm::dispatch(std::optional<Command> target)
{
    if (target)
        commandAction(*target)->trigger();
}

void TMainFormRNZ_frm::addMoviesClicked()
{
    const bool quickAddHarddrive =
        ReadSettingBoolLenient(QStringLiteral("QuickAddHarddrive"), QStringLiteral("Options"), false);
    dispatch(AddMoviesPaneTarget(m_content == ContentKind::WantList, quickAddHarddrive));
}

void TMainFormRNZ_frm::showAboutBox()
{
    auto *box = new QMessageBox(this);
    box->setObjectName(QStringLiteral("AboutBox"));
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->setWindowTitle(QStringLiteral("About Reelnest"));
    box->setIconPixmap(AppIconFor(AppIcon::AddMovies).pixmap(48, 48));
    box->setText(QStringLiteral("<b>Reelnest</b><br>") + ProgramVersionText());
    box->setInformativeText(
        QStringLiteral("A catalogue for your movies and TV series.<br><br>Built with Qt %1, the Firebird database "
                       "engine, QuaZip, libxlsxwriter, libgcrypt and MediaInfo.<br>%2")
            .arg(QString::fromLatin1(qVersion()), TranslationCreditText()));
    box->setStandardButtons(QMessageBox::Ok);
    box->open();
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
    switch (viewCurrentType) {
    case ViewType::List:
        return commandAction(Command::LayoutList);
    case ViewType::Thumbnails:
        return commandAction(Command::LayoutThumbnails);
    case ViewType::Cards:
        return commandAction(Command::LayoutCards);
    default:
        return nullptr;
    }
}

QAction *TMainFormRNZ_frm::thumbnailSizeAction(int size) const
{
    return commandAction(Command::ThumbnailSize, size);
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
    const int theme = ReadSettingIntegerLenient(QStringLiteral("Theme"), QStringLiteral("Options"), 0);
    setPalette(schemePalette(theme, QApplication::palette()));
}

void TMainFormRNZ_frm::setRibbonMinimized(bool minimized)
{
    m_ribbon->setMinimized(minimized);
    m_ribbonMinimized = minimized;
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
                        ReadSettingIntegerLenient(QStringLiteral("Timeout"), QStringLiteral("HTTP"), 10000));

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
