#include "views/ViewManager.h"

#include "core/GlobalFunctions.h"
#include "core/TextNumbers.h"
#include "core/UserInterface.h"
#include "database/DM1_u.h"
#include "database/FbQuery.h"
#include "database/RecordHelpers.h"
#include "online/IMDBHelperClassUnit.h"
#include "reports/ImageExportDialog.h"
#include "views/BrowseQuery.h"
#include "views/CalculatedFields.h"
#include "views/ViewCommands.h"
#include "views/ViewDelegates.h"
#include "views/ViewHost.h"
#include "views/ViewIcons.h"
#include "views/ViewProxyModels.h"

#include <QCheckBox>
#include <QClipboard>
#include <QDesktopServices>
#include <QDialog>
#include <QDialogButtonBox>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QListWidget>
#include <QMenu>
#include <QMouseEvent>
#include <QSet>
#include <QStackedWidget>
#include <QTableView>
#include <QToolButton>
#include <QVBoxLayout>

#include <algorithm>
#include <cmath>
#include <limits>

namespace {

constexpr int kLastFixedNode = 8; // nodes above it are user views

const QString kVm = QStringLiteral("VM");
const QString kOptions = QStringLiteral("Options");

// Captions for choosing fields: a caption that several fields share (a text and its sortable
// companion) gets the field's name added.
QStringList chooserCaptions(const QStringList &fields)
{
    QStringList captions;
    for (const QString &field : fields)
        captions << FieldCaption(field);
    for (int i = 0; i < captions.size(); ++i) {
        if (captions.count(captions.at(i)) > 1 || captions.at(i).isEmpty())
            captions[i] = FieldCaption(fields.at(i)) + QStringLiteral(" (") + fields.at(i) + QLatin1Char(')');
    }
    return captions;
}

// The field that typing in a grid searches: the title row, or the name of a person.
QString titleField(int viewTable)
{
    return viewTable == ViewKind::Persons ? QStringLiteral("NAME") : QStringLiteral("TITLE");
}

int gridIndex(int viewTable, int viewType)
{
    const int kind = viewTable == ViewKind::Media ? 1 : viewTable == ViewKind::Persons ? 2 : 0;
    return kind * 3 + std::clamp(viewType, 1, 3) - 1;
}

// The message of a browse query that could not open: the filter is taken away and the view opens
// unfiltered.
QString openFailureProblem()
{
    return QStringLiteral("Could not open the view due. Likely due to an error in the filter. Find the details "
                          "below. Opening view unfiltered instead.");
}

} // namespace

TViewManager_frm::TViewManager_frm(ViewHost *host, QWidget *parent)
    : QWidget(parent)
    , m_host(host)
    , m_stack(new QStackedWidget(this))
    , m_findPanel(new QLineEdit(this))
    , m_instantSearch(new QLineEdit(this))
    , m_sortProxy(new ViewSortFilterProxy(this))
    , m_groupProxy(new GroupProxyModel(this))
{
    setObjectName(QStringLiteral("TViewManager_frm"));
    const QStringList names = GridViewNames();
    for (int i = 0; i < int(m_grids.size()); ++i) {
        GridView &g = m_grids[i];
        g.name = names.at(i);
        GridViewOfName(g.name, &g.viewTable, &g.viewType);
    }

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(2);
    auto *bar = new QHBoxLayout;
    bar->setContentsMargins(2, 2, 2, 0);
    const char *buttonNames[] = {"bListView", "bThumbView", "bCardView"};
    for (int type = ViewType::List; type <= ViewType::Cards; ++type) {
        auto *button = new QToolButton(this);
        button->setObjectName(QLatin1String(buttonNames[type - 1]));
        button->setCheckable(true);
        button->setAutoRaise(true);
        button->setIcon(ViewIcons::layoutIcon(type));
        connect(button, &QToolButton::clicked, this, [this, type] { SwitchLayout(type); });
        m_layoutButtons[type - 1] = button;
        bar->addWidget(button);
    }
    bar->addSpacing(8);
    m_findPanel->setObjectName(QStringLiteral("FindPanel"));
    m_findPanel->setClearButtonEnabled(true);
    m_findPanel->setPlaceholderText(GetText(354));
    bar->addWidget(m_findPanel, 1);
    m_instantSearch->setObjectName(QStringLiteral("beInstantSearch"));
    m_instantSearch->setClearButtonEnabled(true);
    bar->addWidget(m_instantSearch, 1);
    m_instantSearch->hide();
    layout->addLayout(bar);
    layout->addWidget(m_stack, 1);

    connect(m_findPanel, &QLineEdit::textChanged, this, [this](const QString &text) {
        m_sortProxy->setFindText(text);
        UpdateRecordCount();
    });
    connect(m_groupProxy, &QAbstractItemModel::modelReset, this, [this] {
        if (QAbstractItemView *view = focusedGridView())
            view->viewport()->update();
    });

    m_quickFilterVisible = ReadSettingBoolLenient(QStringLiteral("QuickFilter Visible"), kVm, true);
    m_queryBuilderVisible = ReadSettingBoolLenient(QStringLiteral("QueryBuilder Visible"), kVm, false);
    m_movieInfoBarVisible = ReadSettingBoolLenient(QStringLiteral("MovieInfoBar Visible"), kVm, true);
    m_movieInfoBarWidth = ReadSettingIntegerLenient(QStringLiteral("MovieInfoBarWidth"), kVm, 310);
    m_personInfoBarWidth = ReadSettingIntegerLenient(QStringLiteral("PersonInfoBarWidth"), kVm, 310);
    m_movieInfoBarHeight = ReadSettingIntegerLenient(QStringLiteral("MovieInfoBarHeight"), kVm, 185);
    m_personBioHeight = ReadSettingIntegerLenient(QStringLiteral("PersonBioHeight"), kVm, 195);
    m_mibMovieListHeight = ReadSettingIntegerLenient(QStringLiteral("MIBMovieListHeight"), kVm, 66);

    if (HasDM1()) {
        for (int kind : {ViewKind::Movies, ViewKind::Media, ViewKind::Persons}) {
            // Queued: a failure found while a grid paints is reported after the paint.
            connect(&DM1().BrowseQueryOf(kind), &BrowseQuery::fetchFailed, this, &TViewManager_frm::fetchFailed,
                    Qt::QueuedConnection);
        }
        ApplyThumbnailSize(UsableThumbnailSize(DM1().MainConnection.isConnected() ? ReadThumbnailSize() : 0));
    }
    InitViewSettings();
    InitGridModeSettings();
    installCommandDefaults();
}

TViewManager_frm::~TViewManager_frm()
{
    CloseForm();
    for (GridView &g : m_grids) {
        if (g.widget)
            g.widget->setModel(nullptr);
    }
}

void TViewManager_frm::setViewCurrentTable(int viewTable)
{
    m_viewCurrentTable = IsViewKind(viewTable) ? viewTable : int(ViewKind::Movies);
}

void TViewManager_frm::setViewCurrentType(int viewType)
{
    m_viewCurrentType = IsViewType(viewType) ? viewType : int(ViewType::Thumbnails);
}

TViewManager_frm::GridView &TViewManager_frm::grid(int viewTable, int viewType)
{
    return m_grids[gridIndex(viewTable, viewType)];
}

TViewManager_frm::GridView *TViewManager_frm::focusedGrid() const
{
    if (m_focusedIndex < 0)
        return nullptr;
    return const_cast<GridView *>(&m_grids[m_focusedIndex]);
}

QAbstractItemView *TViewManager_frm::focusedGridView() const
{
    const GridView *g = focusedGrid();
    return g ? g->widget : nullptr;
}

QString TViewManager_frm::focusedGridViewName() const
{
    const GridView *g = focusedGrid();
    return g ? g->name : QString();
}

void TViewManager_frm::createWidget(GridView &g)
{
    if (g.widget)
        return;
    if (g.viewType == ViewType::List) {
        auto *table = new QTableView(m_stack);
        table->setSelectionBehavior(QAbstractItemView::SelectRows);
        table->setShowGrid(false);
        table->setWordWrap(false);
        table->setCornerButtonEnabled(false);
        table->setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
        g.checkBoxes = new TCheckBoxHeader(table);
        table->setVerticalHeader(g.checkBoxes);
        g.checkBoxes->setDefaultSectionSize(table->fontMetrics().height() + 6);
        g.checkBoxes->setVisible(m_checkBoxes);
        QHeaderView *header = table->horizontalHeader();
        header->setSectionsMovable(true);
        header->setSectionsClickable(true);
        // Narrow icon columns show the start of their caption, cut with an ellipsis.
        header->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
        header->setTextElideMode(Qt::ElideRight);
        header->setHighlightSections(false);
        header->setSortIndicatorShown(false);
        header->setContextMenuPolicy(Qt::CustomContextMenu);
        connect(header, &QHeaderView::sectionClicked, this, &TViewManager_frm::headerClicked);
        connect(header, &QHeaderView::customContextMenuRequested, this, &TViewManager_frm::headerMenu);
        g.listDelegate = new TListCellDelegate(table);
        table->setItemDelegate(g.listDelegate);
        g.widget = table;
    } else {
        auto *list = new QListView(m_stack);
        list->setViewMode(QListView::ListMode);
        list->setUniformItemSizes(true);
        list->setResizeMode(QListView::Adjust);
        list->setSpacing(7);
        list->setVerticalScrollMode(QAbstractItemView::ScrollPerPixel);
        list->setLayoutMode(QListView::SinglePass);
        if (g.viewType == ViewType::Thumbnails) {
            list->setFlow(QListView::LeftToRight);
            list->setWrapping(true);
        } else {
            // Cards stretch to the width of the view (measured again at every layout).
            list->setFlow(QListView::TopToBottom);
            list->setWrapping(false);
            list->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        }
        g.cardDelegate = new TCardDelegate(list, g.viewTable,
                                           g.viewType == ViewType::Thumbnails ? TCardDelegate::Mode::Thumbnail
                                                                              : TCardDelegate::Mode::Card);
        if (g.viewType == ViewType::Thumbnails)
            g.cardDelegate->setCoverLines(m_thumbnailSize);
        list->setItemDelegate(g.cardDelegate);
        g.widget = list;
    }
    g.widget->setObjectName(g.name);
    g.widget->setSelectionMode(QAbstractItemView::ExtendedSelection);
    g.widget->setEditTriggers(QAbstractItemView::NoEditTriggers);
    g.widget->setAlternatingRowColors(m_oddRowColor);
    g.widget->installEventFilter(this);
    g.widget->viewport()->installEventFilter(this);
    if (g.listDelegate)
        g.listDelegate->setColumnLines(m_columnLines);
    if (g.checkBoxes)
        g.checkBoxes->viewport()->installEventFilter(this);
    g.widget->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(g.widget, &QWidget::customContextMenuRequested, this, &TViewManager_frm::showContextMenu);
    connect(g.widget, &QAbstractItemView::doubleClicked, this, [this](const QModelIndex &index) {
        const int row = sourceRow(index);
        if (row >= 0 && m_dataControllerInUse)
            emit recordActivated(m_dataControllerInUse->viewTable(), m_dataControllerInUse->keyValue(row));
    });
    m_stack->addWidget(g.widget);
}

void TViewManager_frm::loadStoredLayout(GridView &g)
{
    GridLayout stored;
    const QString text = ReadSettingStringLenient(GridLayoutValueName(), GridLayoutSection(g.name));
    if (!text.isEmpty() && GridLayoutFromText(text, &stored) && stored.gridViewName == g.name)
        g.layout = FittedGridLayout(stored, g.name);
    else
        g.layout = DefaultGridLayout(g.name);
    g.layoutLoaded = true;
}

GridLayout TViewManager_frm::gridLayout(const QString &gridViewName)
{
    for (GridView &g : m_grids) {
        if (g.name != gridViewName)
            continue;
        if (g.widget && &g == focusedGrid())
            readLayout(g);
        else if (!g.layoutLoaded)
            loadStoredLayout(g);
        return g.layout;
    }
    return GridLayout();
}

void TViewManager_frm::ApplyUserViewLayout(const QString &layoutText)
{
    m_userViewLayout = layoutText;
}

void TViewManager_frm::applyLayout(GridView &g)
{
    if (!g.widget)
        return;
    if (auto *table = qobject_cast<QTableView *>(g.widget)) {
        QHeaderView *header = table->horizontalHeader();
        const QStringList fields = ViewFieldNames(g.viewTable);
        if (header->count() != fields.size())
            return; // not bound yet
        const QSignalBlocker block(header);
        int position = 0;
        for (const GridColumn &column : std::as_const(g.layout.columns)) {
            const int logical = int(fields.indexOf(column.field));
            if (logical < 0)
                continue;
            header->moveSection(header->visualIndex(logical), position++);
            header->setSectionHidden(logical, !column.visible);
            if (column.visible)
                header->resizeSection(logical, std::max(column.width, 16));
        }
        // Only the normal mode sorts in memory; the optimized mode sorts by SQL.
        const BrowseQuery *query = m_dataControllerInUse;
        const int sortColumn = int(fields.indexOf(g.layout.sortField));
        const bool sorted = query && !query->onDemand() && sortColumn >= 0;
        header->setSortIndicatorShown(sorted);
        if (sorted)
            header->setSortIndicator(sortColumn, g.layout.sortDescending ? Qt::DescendingOrder : Qt::AscendingOrder);
        table->viewport()->update();
    } else if (g.cardDelegate) {
        g.cardDelegate->setFields(g.layout.visibleFields());
        auto *list = static_cast<QListView *>(g.widget);
        // The cards change size: the view measures them again as it lays them out.
        list->doItemsLayout();
        list->viewport()->update();
    }
}

void TViewManager_frm::readLayout(GridView &g)
{
    auto *table = qobject_cast<QTableView *>(g.widget);
    if (!table)
        return; // card layouts keep their fields in g.layout as they change
    QHeaderView *header = table->horizontalHeader();
    const QStringList fields = ViewFieldNames(g.viewTable);
    if (header->count() != fields.size())
        return;
    QList<GridColumn> columns;
    for (int visual = 0; visual < header->count(); ++visual) {
        const int logical = header->logicalIndex(visual);
        GridColumn column;
        column.field = fields.at(logical);
        column.visible = !header->isSectionHidden(logical);
        const int previous = g.layout.indexOf(column.field);
        column.width =
            column.visible ? header->sectionSize(logical) : (previous >= 0 ? g.layout.columns.at(previous).width : 100);
        columns.append(column);
    }
    g.layout.columns = columns;
}

void TViewManager_frm::bindGrid(GridView &g, BrowseQuery &query)
{
    createWidget(g);
    QAbstractItemModel *top = &query;
    if (!query.onDemand()) {
        if (m_sortProxy->browseQuery() != &query)
            m_sortProxy->setBrowseQuery(&query);
        top = m_sortProxy;
        const int groupColumn = query.fieldColumn(g.layout.groupBy);
        if (g.viewType == ViewType::List && g.viewTable != ViewKind::Persons && groupColumn >= 0) {
            if (m_groupProxy->sourceModel() != m_sortProxy)
                m_groupProxy->setSourceModel(m_sortProxy);
            m_groupProxy->setGroupColumn(groupColumn);
            top = m_groupProxy;
        }
    }
    if (g.widget->model() != top) {
        QItemSelectionModel *old = g.widget->selectionModel();
        g.widget->setModel(top);
        if (old && old != g.widget->selectionModel())
            old->deleteLater();
        connect(g.widget->selectionModel(), &QItemSelectionModel::selectionChanged, this,
                &TViewManager_frm::selectionChanged);
        connect(g.widget->selectionModel(), &QItemSelectionModel::currentChanged, this,
                &TViewManager_frm::currentChanged);
    }
    if (g.viewType != ViewType::List)
        static_cast<QListView *>(g.widget)->setModelColumn(std::max(0, query.fieldColumn(titleField(g.viewTable))));
}

void TViewManager_frm::unbindGrid(GridView &g)
{
    if (!g.widget || !g.widget->model())
        return;
    QItemSelectionModel *old = g.widget->selectionModel();
    g.widget->setModel(nullptr);
    if (old && old != g.widget->selectionModel())
        old->deleteLater();
}

void TViewManager_frm::updateListFieldsShown()
{
    if (!HasDM1())
        return;
    QSet<QString> shown;
    for (GridView &g : m_grids) {
        if (g.viewTable != ViewKind::Movies)
            continue;
        if (&g == focusedGrid() && g.widget)
            readLayout(g);
        else if (!g.layoutLoaded)
            loadStoredLayout(g);
        for (const QString &field : ListFields()) {
            if (g.layout.isVisible(field))
                shown.insert(field);
        }
    }
    DM1().qry_Movie.setListFieldsShown(shown);
}

void TViewManager_frm::updateImageSizes(GridView &g)
{
    if (!HasDM1() || !g.widget)
        return;
    BrowseQuery &query = DM1().BrowseQueryOf(g.viewTable);
    if (g.viewType == ViewType::List) {
        const int height = static_cast<QTableView *>(g.widget)->verticalHeader()->defaultSectionSize() - 2;
        for (const QString &field : ViewFieldNames(g.viewTable)) {
            if (FieldDrawingOf(field) == FieldDrawing::Image)
                query.setImageSize(field, QSize(std::max(height, 8) * 3, std::max(height, 8)));
        }
    } else if (g.cardDelegate) {
        for (const QString &field : ViewFieldNames(g.viewTable)) {
            if (FieldDrawingOf(field) == FieldDrawing::Image)
                query.setImageSize(field, g.cardDelegate->coverSize());
        }
    }
}

void TViewManager_frm::updateFindFields()
{
    if (const GridView *g = focusedGrid())
        m_sortProxy->setFindFields(g->layout.visibleFields());
}

void TViewManager_frm::updateSearchBoxes()
{
    const bool optimized = m_dataControllerInUse && m_dataControllerInUse->onDemand();
    m_findPanel->setVisible(!optimized);
    m_instantSearch->setVisible(optimized);
    m_instantSearch->setPlaceholderText(GetText(354) + QLatin1Char(' ') + m_nodeCaption + QStringLiteral(" (Ctrl+E)"));
}

void TViewManager_frm::ChangeView(int node, const QString &caption)
{
    m_node = node;
    m_nodeCaption = caption;
    ChangeView();
}

void TViewManager_frm::ChangeView()
{
    if (!HasDM1())
        return;
    ShowWait(GetText(55));
    {
        BusyCursor busy;
        LoadCurrentView(m_node, m_nodeCaption);
        emit focusedRecordChanged(m_viewCurrentTable, std::numeric_limits<double>::quiet_NaN());
        if (m_host) {
            m_host->setRecordCountText(QString());
            m_host->setStatusText(QString());
        }
        if (m_host && m_host->isTerminating()) {
            HideWait();
            return;
        }
        switch (m_viewCurrentTable) {
        case ViewKind::Media:
            MediaView();
            break;
        case ViewKind::Persons:
            PersonView();
            break;
        default:
            MoviesView();
            break;
        }
        m_lastSelectedCount = -1;
        UpdateRecordCount();
        if (m_host) {
            m_host->viewKindChanged(m_viewCurrentTable, m_viewCurrentType);
            m_host->setOptimizedIndicator(m_dataControllerInUse && m_dataControllerInUse->onDemand());
        }
        m_instantSearch->clear();
        updateSearchBoxes();
        InitViewTypeButton();
    }
    HideWait();
    emit focusedRecordChanged(m_viewCurrentTable, focusedKey());
}

void TViewManager_frm::LoadCurrentView(int node, const QString &caption)
{
    if (node > kLastFixedNode) {
        m_viewUserViewName = caption;
        if (userViewLoader)
            userViewLoader(*this, caption);
        return;
    }
    m_viewUserViewName.clear();
}

void TViewManager_frm::MoviesView()
{
    openKind(ViewKind::Movies);
}

void TViewManager_frm::MediaView()
{
    openKind(ViewKind::Media);
}

void TViewManager_frm::PersonView()
{
    openKind(ViewKind::Persons);
}

void TViewManager_frm::openKind(int viewTable)
{
    m_viewCurrentTable = viewTable;
    GridView &g = grid(viewTable, m_viewCurrentType);
    BrowseQuery &query = DM1().BrowseQueryOf(viewTable);
    createWidget(g);

    GridLayout userLayout;
    if (!m_viewUserViewName.isEmpty() && !m_userViewLayout.isEmpty() &&
        GridLayoutFromText(m_userViewLayout, &userLayout) && userLayout.gridViewName == g.name) {
        g.layout = FittedGridLayout(userLayout, g.name);
        g.layoutLoaded = true;
    } else if (m_viewUserViewName.isEmpty()) {
        loadStoredLayout(g);
    } else if (!g.layoutLoaded) {
        loadStoredLayout(g);
    }
    m_userViewLayout.clear();

    for (int type = ViewType::List; type <= ViewType::Cards; ++type) {
        if (type != m_viewCurrentType)
            unbindGrid(grid(viewTable, type));
    }
    m_focusedIndex = gridIndex(viewTable, m_viewCurrentType);
    m_dataControllerInUse = &query;
    bindGrid(g, query);
    applyLayout(g);
    m_stack->setCurrentWidget(g.widget);
    // The grids of the other kinds are unbound as well: only the focused view reads.
    for (GridView &other : m_grids) {
        if (other.viewTable != viewTable)
            unbindGrid(other);
    }
    for (int kind : {ViewKind::Movies, ViewKind::Media, ViewKind::Persons}) {
        if (kind != viewTable)
            DM1().BrowseQueryOf(kind).Close();
    }
    updateListFieldsShown();
    updateImageSizes(g);
    updateFindFields();

    if (query.SQL.isEmpty()) {
        QString order = ReadSettingStringLenient(DataSourceName(viewTable), QStringLiteral("Sort\\Default"));
        if (!IsOrderLine(order))
            order = BuiltInOrderLine(viewTable);
        query.SQL.reset(BaseSelectLine(viewTable), order);
    }
    try {
        query.Open();
    } catch (const FbError &e) {
        userInterface().setBusyCursor(false);
        const QStringList unfiltered = {BaseSelectLine(viewTable), BuiltInOrderLine(viewTable)};
        if (query.SQL.lines() == unfiltered) {
            // Nothing to take away: the database itself failed (a lost connection).
            userInterface().showApplicationError(e.message());
        } else {
            ShowErrorBox(openFailureProblem(), QString(), e.message());
            query.SQL.setLines(unfiltered);
            try {
                query.Open();
            } catch (const FbError &again) {
                userInterface().showApplicationError(again.message());
            }
        }
        userInterface().setBusyCursor(true);
    }
    if (!query.onDemand() && g.viewType == ViewType::List) {
        const int sortColumn = query.fieldColumn(g.layout.sortField);
        m_sortProxy->sort(sortColumn, g.layout.sortDescending ? Qt::DescendingOrder : Qt::AscendingOrder);
    } else if (!query.onDemand()) {
        m_sortProxy->sort(-1);
    }
    if (query.rowCount() > 0)
        selectSourceRow(0);
    g.widget->setFocus();
}

void TViewManager_frm::InitGridModeSettings()
{
    if (!HasDM1())
        return;
    const bool optimized = m_host && m_host->useGridMode();
    DM1().qry_Movie.setOnDemand(optimized);
    DM1().qry_Media.setOnDemand(optimized);
    // The persons views always read every record.
    DM1().qry_Person.setOnDemand(false);
}

void TViewManager_frm::InitViewSettings()
{
    m_oddRowColor = ReadSettingBoolLenient(QStringLiteral("OddRowColor"), kOptions, false);
    m_checkBoxes = ReadSettingBoolLenient(QStringLiteral("CheckboxMultiselect"), kOptions, true);
    m_columnLines = ReadSettingBoolLenient(QStringLiteral("ColumnLines"), QString(), false);
    for (GridView &g : m_grids) {
        if (!g.widget)
            continue;
        g.widget->setAlternatingRowColors(m_oddRowColor);
        if (g.listDelegate)
            g.listDelegate->setColumnLines(m_columnLines);
        if (g.checkBoxes)
            g.checkBoxes->setVisible(m_checkBoxes);
        g.widget->viewport()->update();
    }
}

void TViewManager_frm::InitViewTypeButton()
{
    for (int i = 0; i < int(m_layoutButtons.size()); ++i)
        m_layoutButtons[i]->setChecked(i + 1 == m_viewCurrentType);
}

void TViewManager_frm::ApplyThumbnailSize(int size)
{
    m_thumbnailSize = ClampThumbnailSize(size);
    for (GridView &g : m_grids) {
        if (g.viewType != ViewType::Thumbnails || !g.cardDelegate)
            continue;
        g.cardDelegate->setCoverLines(m_thumbnailSize);
        if (&g == focusedGrid()) {
            updateImageSizes(g);
            applyLayout(g);
        }
    }
}

void TViewManager_frm::UpdateThumbnailHeight(int ThumbnailHeight)
{
    const int size = ClampThumbnailSize(ThumbnailHeight);
    ApplyThumbnailSize(size);
    StoreThumbnailSize(size);
}

void TViewManager_frm::ThumbnailSizeCommand(int size)
{
    if (!HasDM1())
        return;
    DM1().CloseViewDatasets();
    UpdateThumbnailHeight(size);
    ChangeView();
}

void TViewManager_frm::RefreshViewDatasets()
{
    BrowseQuery *query = m_dataControllerInUse;
    GridView *g = focusedGrid();
    if (!query || !g || !g->widget || !HasDM1())
        return;
    const double key = focusedKey();
    g->widget->setUpdatesEnabled(false);
    try {
        query->Refresh();
    } catch (const FbError &e) {
        userInterface().showApplicationError(e.message());
    }
    if (!query->onDemand() && m_sortProxy->sortColumn() >= 0)
        m_sortProxy->sort(m_sortProxy->sortColumn(), m_sortProxy->sortOrder());
    for (int kind : {ViewKind::Movies, ViewKind::Media, ViewKind::Persons}) {
        if (kind != query->viewTable())
            DM1().BrowseQueryOf(kind).Close();
    }
    const int row = std::isnan(key) ? -1 : query->locate(key);
    if (row >= 0)
        selectSourceRow(row);
    else if (query->rowCount() > 0)
        selectSourceRow(0);
    g->widget->setUpdatesEnabled(true);
    m_lastSelectedCount = -1;
    UpdateRecordCount();
    emit focusedRecordChanged(query->viewTable(), focusedKey());
}

double TViewManager_frm::GetSelectedMovieID()
{
    BrowseQuery *query = m_dataControllerInUse;
    const int row = focusedRow();
    if (!query || row < 0)
        return -1;
    if (query->viewTable() == ViewKind::Movies) {
        const double id = query->keyValue(row);
        return std::isnan(id) ? -1 : id;
    }
    if (query->viewTable() != ViewKind::Media || !HasDM1())
        return -1;
    const int position = infoPaneMovieListIndex ? infoPaneMovieListIndex() : 0;
    try {
        FbQuery movie(DM1().MainConnection);
        movie.setSql(QStringLiteral("select * from MOVIE where MEDIA_ID = %1 and LISTINDEX = %2")
                         .arg(SqlKey(query->keyValue(row)))
                         .arg(position + 1));
        movie.open();
        return movie.next() ? movie.value(QStringLiteral("MOVIE_ID")).toDouble() : -1;
    } catch (const FbError &) {
        return -1;
    }
}

void TViewManager_frm::SaveCurrentView()
{
    GridView *g = focusedGrid();
    if (!g || !g->widget)
        return;
    readLayout(*g);
    const QString text = GridLayoutToText(g->layout);
    if (m_viewUserViewName.isEmpty()) {
        WriteSettingString(GridLayoutValueName(), GridLayoutSection(g->name), text);
        StoreViewType(g->viewTable, g->viewType);
    } else if (storeUserViewLayout) {
        storeUserViewLayout(text);
    }
}

void TViewManager_frm::SaveToRegistry()
{
    WriteSettingBool(QStringLiteral("QuickFilter Visible"), kVm, m_quickFilterVisible);
    WriteSettingBool(QStringLiteral("QueryBuilder Visible"), kVm, m_queryBuilderVisible);
    WriteSettingBool(QStringLiteral("MovieInfoBar Visible"), kVm, m_movieInfoBarVisible);
    WriteSettingInteger(QStringLiteral("MovieInfoBarWidth"), kVm, m_movieInfoBarWidth);
    WriteSettingInteger(QStringLiteral("PersonInfoBarWidth"), kVm, m_personInfoBarWidth);
    WriteSettingInteger(QStringLiteral("MovieInfoBarHeight"), kVm, m_movieInfoBarHeight);
    WriteSettingInteger(QStringLiteral("PersonBioHeight"), kVm, m_personBioHeight);
    WriteSettingInteger(QStringLiteral("MIBMovieListHeight"), kVm, m_mibMovieListHeight);
}

void TViewManager_frm::SwitchLayout(int viewType)
{
    if (!IsViewType(viewType))
        return;
    SaveCurrentView();
    m_viewCurrentType = viewType;
    if (!m_viewUserViewName.isEmpty() && userViewLayoutSwitch)
        userViewLayoutSwitch(viewType);
    ChangeView();
}

void TViewManager_frm::SetColumnLines(bool on)
{
    m_columnLines = on;
    WriteSettingBool(QStringLiteral("ColumnLines"), QString(), on);
    for (GridView &g : m_grids) {
        if (g.listDelegate) {
            g.listDelegate->setColumnLines(on);
            g.widget->viewport()->update();
        }
    }
}

void TViewManager_frm::GroupBy(const QString &field)
{
    GridView *g = focusedGrid();
    BrowseQuery *query = m_dataControllerInUse;
    if (!g || !query || g->viewType != ViewType::List || g->viewTable == ViewKind::Persons)
        return;
    readLayout(*g);
    g->layout.groupBy = ViewFieldNames(g->viewTable).contains(field) ? field : QString();
    if (query->onDemand())
        return; // grouping works on records in memory; the optimized mode has a page at a time
    if (g->layout.groupBy.isEmpty())
        m_groupProxy->setGroupColumn(-1);
    bindGrid(*g, *query);
    applyLayout(*g);
    m_lastSelectedCount = -1;
    UpdateRecordCount();
}

void TViewManager_frm::CustomizeColumns()
{
    GridView *g = focusedGrid();
    if (!g || !g->widget)
        return;
    readLayout(*g);
    QDialog dialog(this);
    dialog.setWindowTitle(QStringLiteral("Customize Columns"));
    auto *list = new QListWidget(&dialog);
    list->setDragDropMode(QAbstractItemView::InternalMove);
    QStringList fields;
    for (const GridColumn &column : std::as_const(g->layout.columns))
        fields << column.field;
    const QStringList captions = chooserCaptions(fields);
    for (const GridColumn &column : std::as_const(g->layout.columns)) {
        auto *item = new QListWidgetItem(captions.at(g->layout.indexOf(column.field)), list);
        item->setData(Qt::UserRole, column.field);
        item->setToolTip(column.field);
        item->setFlags(item->flags() | Qt::ItemIsUserCheckable | Qt::ItemIsDragEnabled);
        item->setCheckState(column.visible ? Qt::Checked : Qt::Unchecked);
    }
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, &dialog);
    connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
    auto *layout = new QVBoxLayout(&dialog);
    layout->addWidget(list);
    layout->addWidget(buttons);
    if (dialog.exec() != QDialog::Accepted)
        return;
    QList<GridColumn> columns;
    for (int i = 0; i < list->count(); ++i) {
        const QString field = list->item(i)->data(Qt::UserRole).toString();
        GridColumn column = g->layout.columns.value(g->layout.indexOf(field));
        column.field = field;
        column.visible = list->item(i)->checkState() == Qt::Checked;
        columns.append(column);
    }
    g->layout.columns = columns;
    applyLayout(*g);
    updateListFieldsShown();
    updateImageSizes(*g);
    updateFindFields();
}

void TViewManager_frm::UpdateRecordCount()
{
    if (!m_host)
        return;
    BrowseQuery *query = m_dataControllerInUse;
    if (!query || !query->Active()) {
        m_host->setRecordCountText(QString());
        return;
    }
    const int count = query->onDemand() ? query->RecordCount() : m_sortProxy->rowCount();
    const int selected = int(selectedRows().size());
    m_lastSelectedCount = selected;
    m_host->setRecordCountText(RecordCountText(count, selected));
}

QString TViewManager_frm::LastSqlLine() const
{
    return m_dataControllerInUse ? m_dataControllerInUse->SQL.lastLine() : QString();
}

void TViewManager_frm::CloseForm()
{
    if (m_closed)
        return;
    m_closed = true;
    if (m_viewUserViewName.isEmpty() && m_dataControllerInUse && IsOrderLine(LastSqlLine()))
        WriteSettingString(DataSourceName(m_dataControllerInUse->viewTable()), QStringLiteral("Sort\\Default"),
                           LastSqlLine());
    SaveCurrentView();
    SaveToRegistry();
    if (HasDM1())
        DM1().CloseViewDatasets();
}

QList<int> TViewManager_frm::selectedRows() const
{
    QList<int> rows;
    const QAbstractItemView *view = focusedGridView();
    if (!view || !view->selectionModel())
        return rows;
    const QItemSelection selection = view->selectionModel()->selection();
    QSet<int> seen; // ranges may overlap; a whole collection may be selected
    for (const QItemSelectionRange &range : selection) {
        for (int row = range.top(); row <= range.bottom(); ++row) {
            const int source = sourceRow(view->model()->index(row, range.left()));
            if (source >= 0 && !seen.contains(source)) {
                seen.insert(source);
                rows.append(source);
            }
        }
    }
    return rows;
}

int TViewManager_frm::sourceRow(const QModelIndex &viewIndex) const
{
    QModelIndex index = viewIndex;
    while (const auto *proxy = qobject_cast<const QAbstractProxyModel *>(index.model()))
        index = proxy->mapToSource(index);
    return index.isValid() && qobject_cast<const BrowseQuery *>(index.model()) ? index.row() : -1;
}

QModelIndex TViewManager_frm::viewIndexOfSourceRow(int row) const
{
    const QAbstractItemView *view = focusedGridView();
    BrowseQuery *query = m_dataControllerInUse;
    if (!view || !query || !view->model())
        return QModelIndex();
    int column = 0;
    if (const auto *list = qobject_cast<const QListView *>(view))
        column = list->modelColumn();
    else if (const auto *table = qobject_cast<const QTableView *>(view)) {
        // The title column when shown, so that typing searches the titles.
        const QHeaderView *header = table->horizontalHeader();
        column = query->fieldColumn(titleField(query->viewTable()));
        for (int visual = 0; (column < 0 || header->isSectionHidden(column)) && visual < header->count(); ++visual) {
            if (!header->isSectionHidden(header->logicalIndex(visual)))
                column = header->logicalIndex(visual);
        }
    }
    QModelIndex index = query->index(row, column);
    if (view->model() == query)
        return index;
    index = m_sortProxy->mapFromSource(index);
    if (view->model() == m_groupProxy)
        index = m_groupProxy->mapFromSource(index);
    return index;
}

void TViewManager_frm::selectSourceRow(int row)
{
    QAbstractItemView *view = focusedGridView();
    const QModelIndex index = viewIndexOfSourceRow(row);
    if (!view || !index.isValid())
        return;
    view->selectionModel()->setCurrentIndex(index, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    view->scrollTo(index);
}

int TViewManager_frm::focusedRow() const
{
    const QAbstractItemView *view = focusedGridView();
    return view ? sourceRow(view->currentIndex()) : -1;
}

double TViewManager_frm::focusedKey() const
{
    const int row = focusedRow();
    return row >= 0 && m_dataControllerInUse ? m_dataControllerInUse->keyValue(row)
                                             : std::numeric_limits<double>::quiet_NaN();
}

void TViewManager_frm::focusGrid()
{
    if (QAbstractItemView *view = focusedGridView())
        view->setFocus();
}

void TViewManager_frm::fetchFailed(const QString &message)
{
    if (m_reportingFailure)
        return;
    m_reportingFailure = true;
    userInterface().setBusyCursor(false);
    userInterface().showApplicationError(message);
    m_reportingFailure = false;
    m_lastSelectedCount = -1;
    UpdateRecordCount();
}

void TViewManager_frm::selectionChanged()
{
    const int selected = int(selectedRows().size());
    if (const GridView *g = focusedGrid(); g && g->checkBoxes && g->checkBoxes->isVisible())
        g->checkBoxes->viewport()->update(); // the check boxes follow the selection
    if (selected == m_lastSelectedCount)
        return;
    UpdateRecordCount();
    emit selectionCountChanged(selected);
}

void TViewManager_frm::currentChanged()
{
    if (m_dataControllerInUse)
        emit focusedRecordChanged(m_dataControllerInUse->viewTable(), focusedKey());
}

void TViewManager_frm::headerClicked(int logicalIndex)
{
    GridView *g = focusedGrid();
    BrowseQuery *query = m_dataControllerInUse;
    if (!g || !query || g->viewType != ViewType::List)
        return;
    const QString field = query->fieldNames().value(logicalIndex);
    if (field.isEmpty())
        return;
    if (query->onDemand()) {
        emit optimizedHeaderClicked(field);
        return;
    }
    const bool descending = g->layout.sortField == field && !g->layout.sortDescending;
    g->layout.sortField = field;
    g->layout.sortDescending = descending;
    const Qt::SortOrder order = descending ? Qt::DescendingOrder : Qt::AscendingOrder;
    m_sortProxy->sort(logicalIndex, order);
    QHeaderView *header = static_cast<QTableView *>(g->widget)->horizontalHeader();
    header->setSortIndicatorShown(true);
    header->setSortIndicator(logicalIndex, order);
    // After a sort the grid starts at its top row.
    if (g->widget->model()->rowCount() > 0) {
        const QModelIndex top = g->widget->model()->index(0, g->widget->currentIndex().column());
        g->widget->selectionModel()->setCurrentIndex(top,
                                                     QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
        g->widget->scrollToTop();
    }
}

void TViewManager_frm::headerMenu(const QPoint &pos)
{
    GridView *g = focusedGrid();
    auto *table = g ? qobject_cast<QTableView *>(g->widget) : nullptr;
    if (!table)
        return;
    QHeaderView *header = table->horizontalHeader();
    const QStringList fields = ViewFieldNames(g->viewTable);
    QMenu menu(this);
    const QStringList captions = chooserCaptions(fields);
    for (int logical = 0; logical < fields.size(); ++logical) {
        QAction *action = menu.addAction(captions.at(logical));
        action->setCheckable(true);
        action->setChecked(!header->isSectionHidden(logical));
        connect(action, &QAction::toggled, this, [this, header, logical, g](bool shown) {
            header->setSectionHidden(logical, !shown);
            if (shown && header->sectionSize(logical) < 16)
                header->resizeSection(logical, 100);
            readLayout(*g);
            updateListFieldsShown();
            updateFindFields();
        });
    }
    menu.exec(header->mapToGlobal(pos));
}

bool TViewManager_frm::checkBoxClicked(GridView &g, const QPoint &pos)
{
    auto *table = static_cast<QTableView *>(g.widget);
    const int row = g.checkBoxes->logicalIndexAt(pos);
    if (row < 0 || !table->model())
        return false;
    QItemSelectionModel *selection = table->selectionModel();
    const QModelIndex index = table->model()->index(row, 0);
    if (index.data(GroupProxyModel::GroupHeaderRole).toBool()) {
        // A group's box selects or clears every record of the group.
        QItemSelection members;
        for (const int sourceRow : m_groupProxy->sourceRowsOfGroup(row)) {
            const QModelIndex member = m_groupProxy->mapFromSource(m_sortProxy->index(sourceRow, 0));
            if (member.isValid())
                members.select(member, member);
        }
        const bool all = GroupFullySelected(table->model(), row, selection);
        selection->select(members, (all ? QItemSelectionModel::Deselect : QItemSelectionModel::Select) |
                                       QItemSelectionModel::Rows);
        return true;
    }
    // A row's box adds the row to the selection or takes it out, leaving the others as they are.
    selection->select(index, QItemSelectionModel::Toggle | QItemSelectionModel::Rows);
    selection->setCurrentIndex(index, QItemSelectionModel::NoUpdate);
    return true;
}

bool TViewManager_frm::eventFilter(QObject *watched, QEvent *event)
{
    if ((watched == m_findPanel || watched == m_instantSearch) &&
        (event->type() == QEvent::FocusIn || event->type() == QEvent::FocusOut)) {
        if (searchBoxFocusChanged)
            searchBoxFocusChanged(event->type() == QEvent::FocusIn);
        return QWidget::eventFilter(watched, event);
    }
    GridView *g = focusedGrid();
    if (!g || !g->widget)
        return QWidget::eventFilter(watched, event);
    if (watched == g->widget && event->type() == QEvent::KeyPress) {
        const auto *key = static_cast<QKeyEvent *>(event);
        if ((key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) && m_dataControllerInUse) {
            const int row = focusedRow();
            if (row >= 0)
                emit recordActivated(m_dataControllerInUse->viewTable(), m_dataControllerInUse->keyValue(row));
            return true;
        }
    }
    if (g->checkBoxes && watched == g->checkBoxes->viewport() && event->type() == QEvent::MouseButtonPress)
        return checkBoxClicked(*g, static_cast<QMouseEvent *>(event)->position().toPoint());
    if (watched == g->widget->viewport() && g->listDelegate && event->type() == QEvent::MouseButtonPress) {
        // A click on a group header row opens or closes the group.
        auto *table = static_cast<QTableView *>(g->widget);
        const QModelIndex index = table->indexAt(static_cast<QMouseEvent *>(event)->position().toPoint());
        if (index.isValid() && index.data(GroupProxyModel::GroupHeaderRole).toBool()) {
            m_groupProxy->toggleCollapsed(index.row());
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

// --- The commands on the view's records ---

namespace {

// The delete dialog: the question, the choice of deleting the movie files too, OK and Cancel.
bool runDeleteDialog(QWidget *parent, const QString &question, bool *deleteFiles)
{
    QDialog dialog(parent);
    dialog.setObjectName(QStringLiteral("TDeleteMovie_frm"));
    dialog.setWindowTitle(GetText(Txt::DeleteCaption));
    auto *text = new QLabel(question, &dialog);
    text->setWordWrap(true);
    auto *files = new QCheckBox(GetText(Txt::DeleteMovieFiles), &dialog);
    files->setChecked(*deleteFiles);
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, &dialog);
    QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
    auto *layout = new QVBoxLayout(&dialog);
    layout->addWidget(text);
    layout->addWidget(files);
    layout->addWidget(buttons);
    if (dialog.exec() != QDialog::Accepted)
        return false;
    *deleteFiles = files->isChecked();
    return true;
}

QString existingFolderOr(const QString &folder, const QString &fallback)
{
    return !folder.isEmpty() && QFileInfo(folder).isDir() ? folder : fallback;
}

} // namespace

void TViewManager_frm::installCommandDefaults()
{
    openAddress = [](const QUrl &address) { return QDesktopServices::openUrl(address); };
    deleteDialog = [this](const QString &question, bool *deleteFiles) {
        return runDeleteDialog(this, question, deleteFiles);
    };
    chooseFolder = [this](const QString &title, const QString &startFolder) {
        return QFileDialog::getExistingDirectory(this, title, startFolder);
    };
    chooseImageFile = [this](const QString &startFolder) {
        return QFileDialog::getOpenFileName(this, QString(), startFolder,
                                            QStringLiteral("Pictures (*.jpg *.jpeg *.png *.bmp *.gif)"));
    };
    imageExportDialog = [this](const QList<ImageExportItem> &items) {
        TImageExport_frm dialog(DM1().MainConnection, items, this);
        dialog.exec();
    };
    connect(this, &TViewManager_frm::recordActivated, this, [this] { openEntry(); });
    for (QLineEdit *box : {m_findPanel, m_instantSearch})
        box->installEventFilter(this);
}

bool TViewManager_frm::viewHasRows() const
{
    const BrowseQuery *query = m_dataControllerInUse;
    return query && query->Active() && query->rowCount() > 0;
}

bool TViewManager_frm::focusedOnLoan() const
{
    BrowseQuery *query = m_dataControllerInUse;
    const int row = focusedRow();
    if (!query || row < 0 || query->viewTable() == ViewKind::Persons)
        return false;
    // As the views show it: lent only to a borrower who exists.
    return !query->fieldValue(row, QStringLiteral("LENDALERT")).toString().isEmpty();
}

QList<int> TViewManager_frm::commandRows() const
{
    QList<int> rows = selectedRows();
    if (rows.size() > 1) {
        std::reverse(rows.begin(), rows.end());
        return rows;
    }
    const int focused = focusedRow();
    return focused >= 0 ? QList<int>{focused} : QList<int>{};
}

double TViewManager_frm::mediaIdOfRow(int row)
{
    BrowseQuery *query = m_dataControllerInUse;
    if (!query)
        return -1;
    const QVariant id = query->fieldValue(row, QStringLiteral("MEDIA_ID"));
    return id.isNull() ? -1 : id.toDouble();
}

QString TViewManager_frm::titleOfRow(int row)
{
    BrowseQuery *query = m_dataControllerInUse;
    if (!query)
        return QString();
    return query->fieldValue(row, titleField(query->viewTable())).toString();
}

void TViewManager_frm::showDatabaseError(const QString &message)
{
    userInterface().setBusyCursor(false);
    ShowErrorBox(QString(), QString(), message);
}

bool TViewManager_frm::openInShell(const QUrl &address)
{
    return openAddress && address.isValid() && openAddress(address);
}

double TViewManager_frm::movieInFocus()
{
    if (!m_dataControllerInUse)
        return -1;
    if (m_dataControllerInUse->viewTable() == ViewKind::Persons)
        return filmographyMovieId ? filmographyMovieId() : -1;
    return GetSelectedMovieID();
}

QList<double> TViewManager_frm::loadedMediaIds()
{
    QList<double> mediaIds;
    if (!m_dataControllerInUse || m_dataControllerInUse->viewTable() == ViewKind::Persons)
        return mediaIds;
    QSet<double> seen;
    for (int row = 0; row < m_dataControllerInUse->rowCount(); ++row) {
        const double mediaId = mediaIdOfRow(row);
        if (mediaId >= 0 && !seen.contains(mediaId)) {
            seen.insert(mediaId);
            mediaIds << mediaId;
        }
    }
    return mediaIds;
}

void TViewManager_frm::openEntry()
{
    BrowseQuery *query = m_dataControllerInUse;
    const int row = focusedRow();
    if (!viewHasRows() || row < 0)
        return;
    bool changed = false;
    if (query->viewTable() == ViewKind::Persons) {
        if (editPerson)
            changed = editPerson(query->keyValue(row));
    } else if (editMedia) {
        const double mediaId = mediaIdOfRow(row);
        if (mediaId >= 0)
            changed = editMedia(mediaId);
    }
    if (changed)
        RefreshViewDatasets();
}

void TViewManager_frm::deleteSelected()
{
    BrowseQuery *query = m_dataControllerInUse;
    if (!viewHasRows())
        return;
    const QList<int> rows = commandRows();
    if (rows.isEmpty())
        return;
    const int selected = int(selectedRows().size());
    const QString question = DeleteQuestion(selected, titleOfRow(rows.constFirst()));
    QString error;
    if (query->viewTable() == ViewKind::Persons) {
        if (userInterface().showMessage(MessageKind::Confirmation, question, MessageButtons::YesNo) !=
            MessageAnswer::Yes)
            return;
        QList<double> persons;
        for (const int row : rows)
            persons << query->keyValue(row);
        BusyCursor busy;
        if (!DeletePersons(persons, &error))
            showDatabaseError(error);
    } else {
        bool deleteFiles = DeleteFilesWithMovies();
        if (!deleteDialog || !deleteDialog(question, &deleteFiles))
            return;
        SetDeleteFilesWithMovies(deleteFiles);
        MediaDeleteRequest request;
        request.viewTable = query->viewTable();
        request.sqlLines = query->SQL.lines();
        request.params = query->Params;
        request.deleteFiles = deleteFiles;
        for (const int row : rows) {
            // -1 is the key of an entry being made, never one to delete.
            if (const double id = mediaIdOfRow(row); id >= 0)
                request.mediaIds << id;
        }
        BusyCursor busy;
        if (DeleteMediaOfView(request, &error) == MediaDeletePath::Failed)
            showDatabaseError(error);
    }
    RefreshViewDatasets();
}

void TViewManager_frm::setRating(int rating)
{
    BrowseQuery *query = m_dataControllerInUse;
    if (!viewHasRows())
        return;
    QList<double> movies;
    if (query->viewTable() == ViewKind::Movies && selectedRows().size() > 1) {
        for (const int row : commandRows())
            movies << query->keyValue(row);
    } else if (const double movie = GetSelectedMovieID(); movie >= 0) {
        movies << movie;
    }
    if (movies.isEmpty())
        return;
    QString error;
    if (!SetUserRating(rating, movies, &error))
        showDatabaseError(error);
    RefreshViewDatasets();
    focusGrid();
}

void TViewManager_frm::SetLastWatched(const QDate &LastWatchedDate)
{
    BrowseQuery *query = m_dataControllerInUse;
    if (!viewHasRows())
        return;
    const double movie = GetSelectedMovieID();
    if (movie < 0)
        return;
    QString error;
    if (!ApplyLastWatched(movie, query->viewTable() == ViewKind::Media, LastWatchedDate, &error))
        showDatabaseError(error);
    RefreshViewDatasets();
    focusGrid();
}

void TViewManager_frm::returnLoan()
{
    BrowseQuery *query = m_dataControllerInUse;
    if (!viewHasRows() || query->viewTable() == ViewKind::Persons)
        return;
    QList<double> media;
    for (const int row : commandRows()) {
        if (const double id = mediaIdOfRow(row); id >= 0)
            media << id;
    }
    QString error;
    if (!ReturnLoans(media, &error))
        showDatabaseError(error);
    RefreshViewDatasets();
}

void TViewManager_frm::playTrailer()
{
    if (!viewHasRows())
        return;
    const double movie = movieInFocus();
    if (movie < 0)
        return;
    openInShell(TrailerAddress(ReadTrailerInfo(movie)));
}

void TViewManager_frm::openContainingFolder()
{
    if (!viewHasRows())
        return;
    const double movie = movieInFocus();
    if (movie < 0)
        return;
    const QString folder = MovieFolderToOpen(movie);
    if (folder.isEmpty()) {
        userInterface().showMessage(MessageKind::Information, GetText(Txt::MovieFileNotFound), MessageButtons::Ok);
        return;
    }
    openInShell(QUrl::fromLocalFile(folder));
}

QVariant TViewManager_frm::focusedImdbId()
{
    BrowseQuery *query = m_dataControllerInUse;
    const int row = focusedRow();
    if (!query || row < 0)
        return QVariant();
    if (query->viewTable() == ViewKind::Media) {
        const int position = infoPaneMovieListIndex ? infoPaneMovieListIndex() : 0;
        return ImdbIdOfMediaMovie(query->keyValue(row), position + 1);
    }
    return query->fieldValue(row, QStringLiteral("IMDBID"));
}

void TViewManager_frm::openImdbPage()
{
    if (!viewHasRows() || focusedRow() < 0)
        return;
    const bool person = m_dataControllerInUse->viewTable() == ViewKind::Persons;
    const QString address = person ? ImdbPageAddress(PersonPageTemplate(), QStringLiteral("nm"), focusedImdbId())
                                   : ImdbPageAddress(TitlePageTemplate(), QStringLiteral("tt"), focusedImdbId());
    if (address.isEmpty()) {
        userInterface().showMessage(MessageKind::Information, GetText(Txt::NoImdbNumber), MessageButtons::Ok);
        return;
    }
    openInShell(QUrl(address));
}

void TViewManager_frm::openReviewPage()
{
    if (!viewHasRows() || focusedRow() < 0 || m_dataControllerInUse->viewTable() == ViewKind::Persons)
        return;
    const QString id = PaddedImdbId(focusedImdbId());
    if (id.isEmpty()) {
        userInterface().showMessage(MessageKind::Information, GetText(Txt::NoImdbNumber), MessageButtons::Ok);
        return;
    }
    const QString address = reviewPageAddress ? reviewPageAddress(id) : QString();
    if (!address.isEmpty())
        openInShell(QUrl(address));
}

void TViewManager_frm::copyAssociatedFiles()
{
    BrowseQuery *query = m_dataControllerInUse;
    if (!viewHasRows() || query->viewTable() == ViewKind::Persons || !chooseFolder)
        return;
    const QList<int> rows = commandRows();
    if (rows.isEmpty())
        return;
    const QString section = QStringLiteral("VM");
    const QString chosen =
        chooseFolder(GetText(Txt::SelectAFolder), ReadSettingStringLenient(QStringLiteral("CopyToFolder"), section));
    if (chosen.isEmpty())
        return;
    WriteSettingString(QStringLiteral("CopyToFolder"), section, chosen);
    const bool several = rows.size() > 1;
    BusyCursor busy;
    for (const int row : rows) {
        const QString target = CopyTargetFolder(
            chosen, titleOfRow(row), query->fieldValue(row, QStringLiteral("PRODUCTIONYEAR")).toString(), several);
        // A medium's record stands for every movie on it.
        const QList<double> movies = query->viewTable() == ViewKind::Movies ? QList<double>{query->keyValue(row)}
                                                                            : MoviesOfMedium(query->keyValue(row));
        for (const double movie : movies)
            CopyMovieFiles(movie, target);
        userInterface().processEvents();
    }
    RefreshViewDatasets();
}

void TViewManager_frm::coverFromClipboard()
{
    if (!viewHasRows())
        return;
    if (userInterface().showMessage(MessageKind::Confirmation, GetText(Txt::UseClipboardPicture),
                                    MessageButtons::YesNo) != MessageAnswer::Yes)
        return;
    const QImage picture = QGuiApplication::clipboard()->image();
    const QString file = CoverFileFromImage(picture);
    if (!file.isEmpty())
        applyCoverFile(file, true);
}

void TViewManager_frm::coverFromFile()
{
    if (!viewHasRows() || !chooseImageFile)
        return;
    const QString section = QStringLiteral("Movie Editor");
    const QString start =
        existingFolderOr(ReadSettingStringLenient(QStringLiteral("LastManualImageDir"), section), GetTempFolder());
    const QString file = chooseImageFile(start);
    if (file.isEmpty())
        return;
    WriteSettingString(QStringLiteral("LastManualImageDir"), section, QFileInfo(file).absolutePath());
    applyCoverFile(file, false);
}

void TViewManager_frm::applyCoverFile(const QString &imageFile, bool temporaryFile)
{
    BrowseQuery *query = m_dataControllerInUse;
    if (viewHasRows()) {
        QList<double> keys;
        if (query->viewTable() == ViewKind::Persons) {
            if (focusedRow() >= 0)
                keys << query->keyValue(focusedRow());
        } else {
            for (const int row : commandRows()) {
                if (const double id = mediaIdOfRow(row); id >= 0)
                    keys << id;
            }
        }
        BusyCursor busy;
        ApplyCoverRule(query->viewTable(), imageFile, keys);
    }
    if (temporaryFile)
        QFile::remove(imageFile);
    RefreshViewDatasets();
    focusGrid();
}

void TViewManager_frm::selectAll()
{
    QAbstractItemView *view = focusedGridView();
    if (!view || !view->model())
        return;
    // Every record, not only the pages read so far.
    BusyCursor busy;
    while (view->model()->canFetchMore(QModelIndex()))
        view->model()->fetchMore(QModelIndex());
    view->selectAll();
}

void TViewManager_frm::exportCoverArt()
{
    BrowseQuery *query = m_dataControllerInUse;
    GridView *g = focusedGrid();
    if (!viewHasRows() || !g || query->viewTable() == ViewKind::Persons || !imageExportDialog)
        return;
    if (selectedRows().isEmpty() && focusedRow() >= 0)
        selectSourceRow(focusedRow());
    QList<ImageExportItem> items;
    for (const int row : selectedRows()) {
        ImageExportItem item;
        item.mediaId = mediaIdOfRow(row);
        item.title = titleOfRow(row);
        item.seqNumber = query->fieldValue(row, QStringLiteral("SEQNUMBER"));
        if (item.mediaId >= 0)
            items << item;
    }
    g->widget->setUpdatesEnabled(false);
    imageExportDialog(items);
    g->widget->setUpdatesEnabled(true);
    RefreshViewDatasets();
}

void TViewManager_frm::setContextMenus(QMenu *entries, QMenu *persons, QMenu *searchBox)
{
    m_entriesMenu = entries;
    m_personsMenu = persons;
    for (QLineEdit *box : {m_findPanel, m_instantSearch}) {
        box->setContextMenuPolicy(searchBox ? Qt::CustomContextMenu : Qt::DefaultContextMenu);
        disconnect(box, &QWidget::customContextMenuRequested, this, nullptr);
        if (searchBox) {
            connect(box, &QWidget::customContextMenuRequested, this,
                    [box, searchBox](const QPoint &pos) { searchBox->exec(box->mapToGlobal(pos)); });
        }
    }
}

void TViewManager_frm::showContextMenu(const QPoint &pos)
{
    QAbstractItemView *view = focusedGridView();
    if (!view || !m_dataControllerInUse)
        return;
    QMenu *menu = m_dataControllerInUse->viewTable() == ViewKind::Persons ? m_personsMenu : m_entriesMenu;
    if (menu)
        menu->exec(view->viewport()->mapToGlobal(pos));
}
