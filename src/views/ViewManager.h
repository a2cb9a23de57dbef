#pragma once

#include "reports/ImageExport.h"
#include "views/BrowseQuery.h"
#include "views/BrowseSql.h"
#include "views/ViewFields.h"

#include <QDate>
#include <QPointer>
#include <QUrl>
#include <QWidget>

#include <array>
#include <functional>

class GroupProxyModel;
class QAbstractItemView;
class QItemSelection;
class QLineEdit;
class QListView;
class QMenu;
class QStackedWidget;
class QTableView;
class QToolButton;
class TCardDelegate;
class TCheckBoxHeader;
class TListCellDelegate;
class ViewHost;
class ViewSortFilterProxy;

// The view manager: the form the main window embeds to browse the collection as movies, media or
// persons, each in a list, thumbnail or card layout (nine grid views, one per kind and layout).
// Only the grid view in use is bound to its browse query; the two other queries are closed.
class TViewManager_frm : public QWidget
{
    Q_OBJECT
public:
    explicit TViewManager_frm(ViewHost *host, QWidget *parent = nullptr);
    ~TViewManager_frm() override;

    // The kind (10 movies, 20 media, 30 persons) and the layout (1 list, 2 thumbnails, 3 cards)
    // that the next ChangeView opens and the open view shows.
    int ViewCurrentTable() const { return m_viewCurrentTable; }
    void setViewCurrentTable(int viewTable);
    int ViewCurrentType() const { return m_viewCurrentType; }
    void setViewCurrentType(int viewType);
    // The caption of the open user view; empty for the built-in views.
    QString ViewUserViewName() const { return m_viewUserViewName; }
    void setViewUserViewName(const QString &name) { m_viewUserViewName = name; }
    // The browse query of the open view: "the current view's query" of every searching Part.
    BrowseQuery *DataControllerInUse() const { return m_dataControllerInUse; }

    // Opens the view of a tree node (absolute index, caption); without arguments the node last
    // opened. Nodes above 8 are user views.
    void ChangeView(int node, const QString &caption);
    void ChangeView();
    // For a user-view node hands over to the user-view loader; otherwise clears ViewUserViewName.
    void LoadCurrentView(int node, const QString &caption);
    void MoviesView();
    void MediaView();
    void PersonView();

    // The data mode of the movie and media queries from the host (optimized or not).
    void InitGridModeSettings();
    // "OddRowColor", "CheckboxMultiselect" and "ColumnLines" on every grid view.
    void InitViewSettings();
    // Marks the layout button of ViewCurrentType.
    void InitViewTypeButton();
    // Applies a thumbnail size (clamped to 1..25) to the three thumbnail layouts and stores it in
    // the collection, rendering the covers again when it crosses 13/14.
    void UpdateThumbnailHeight(int ThumbnailHeight);
    // Applies a thumbnail size without storing it (at start and after a database switch).
    void ApplyThumbnailSize(int size);
    int thumbnailSize() const { return m_thumbnailSize; }
    // The "Small", "Medium" and "Large" commands (5, 12, 24): close the queries, apply and store
    // the size and open the view again.
    void ThumbnailSizeCommand(int size);

    // Reads the open view again after a change to the database and keeps the focused record.
    void RefreshViewDatasets();
    // The MOVIE_ID of the focused record (in the media view the movie chosen in the info pane's
    // movie list); -1 when there is none.
    double GetSelectedMovieID();

    // Stores the focused grid view's layout (built-in views: settings; user views: the
    // user-view hook) and the layout type of the kind.
    void SaveCurrentView();
    // Stores the "VM" settings.
    void SaveToRegistry();
    // The layout buttons: saves the view, takes the layout and opens it.
    void SwitchLayout(int viewType);
    // The "Column Lines" command: switches the lines at once and stores the setting.
    void SetColumnLines(bool on);
    bool columnLines() const { return m_columnLines; }
    // Groups the list layout by a field (empty: no grouping). In-memory, so normal mode only.
    void GroupBy(const QString &field);
    // The column and card-row chooser of the focused grid view.
    void CustomizeColumns();
    // Shows the record count of the open view in the host's first status panel.
    void UpdateRecordCount();
    // The last line of the open query's SQL (its order line), as stored under "Sort\Default".
    QString LastSqlLine() const;
    // Closes the form's state: order line, layouts, settings, then the browse queries. Runs once;
    // the destructor runs it when the window did not.
    void CloseForm();

    // The grid view in use and its records.
    QAbstractItemView *focusedGridView() const;
    QString focusedGridViewName() const;
    // The browse-query rows of the selected records, and of the focused one (-1 for none).
    QList<int> selectedRows() const;
    int focusedRow() const;
    double focusedKey() const;
    void focusGrid();
    // The find panel (normal mode) and the instant-search box (optimized mode).
    QLineEdit *findPanel() const { return m_findPanel; }
    QLineEdit *instantSearchBox() const { return m_instantSearch; }
    // The layout a grid view would show now (its stored or first-use layout, as adjusted).
    GridLayout gridLayout(const QString &gridViewName);

    // Hooks of the Parts that build on the views. The user-view loader prepares kind, layout and
    // SQL of a user view (calling ApplyUserViewLayout with its layout text) and returns false when
    // the view was not found; the store hook writes a user view's layout text.
    std::function<bool(TViewManager_frm &, const QString &caption)> userViewLoader;
    std::function<void(const QString &layoutText)> storeUserViewLayout;
    // A layout switch while a user view is open: the user view takes its layout of that type.
    std::function<void(int viewType)> userViewLayoutSwitch;
    // The position chosen in the info pane's movie list (media view); 0 without a pane.
    std::function<int()> infoPaneMovieListIndex;
    // The layout a user view brings; applied to its grid view instead of the stored one.
    void ApplyUserViewLayout(const QString &layoutText);

    // What the command rules read of the open view.
    bool viewHasRows() const;
    // The focused record's medium is lent (movies and media views).
    bool focusedOnLoan() const;
    int selectedCount() const { return int(selectedRows().size()); }

    // The commands carried out on the view's records; each does nothing in an empty view.
    // "Edit", double click and Enter: the editor of the focused entry.
    void openEntry();
    void deleteSelected();
    // "Set Rating": 10 down to 1, 0 for "not rated".
    void setRating(int rating);
    // "today" and "yesterday".
    void SetLastWatched(const QDate &LastWatchedDate);
    void returnLoan();
    void playTrailer();
    void openContainingFolder();
    void openImdbPage();
    // The review site's page of the focused title, found by reviewPageAddress.
    void openReviewPage();
    void copyAssociatedFiles();
    void coverFromClipboard();
    void coverFromFile();
    // Applies a picture file to the selection by the cover rule; a temporary file is deleted
    // afterwards.
    void applyCoverFile(const QString &imageFile, bool temporaryFile);
    void selectAll();
    void exportCoverArt();
    // The context menus of the movie and media views, of the person views and of the search boxes
    // (owned by the window).
    void setContextMenus(QMenu *entries, QMenu *persons, QMenu *searchBox);

    // The movie the trailer, movie file and folder commands act on: the focused movie, in the media
    // view the one chosen in the info pane, in the person view the focused filmography row's.
    double movieInFocus();
    // The media of the loaded rows in the view's order, each once: what the editor steps through.
    QList<double> loadedMediaIds();

    // The editors: given the medium (movies and media views) or the person, they return whether
    // they changed anything. Unset: "Edit" does nothing.
    std::function<bool(double mediaId)> editMedia;
    std::function<bool(double personId)> editPerson;
    // The MOVIE_ID of the focused row of the info pane's filmography (person view); -1 for none.
    std::function<double()> filmographyMovieId;
    // The review site's page address of a zero-padded IMDb id; empty when there is none. Unset:
    // "Visit Rotten Tomatoes Page" only reports a missing IMDb id.
    std::function<QString(const QString &imdbId)> reviewPageAddress;
    // Where addresses and files are opened; the shell unless replaced.
    std::function<bool(const QUrl &)> openAddress;
    // The dialogs of the commands, replaceable so that they can run unattended. The delete dialog
    // gets the question and the "delete files" choice and returns OK; the folder and picture choosers
    // return the chosen path, empty for Cancel; the cover export gets the selection.
    std::function<bool(const QString &question, bool *deleteFiles)> deleteDialog;
    std::function<QString(const QString &title, const QString &startFolder)> chooseFolder;
    std::function<QString(const QString &startFolder)> chooseImageFile;
    std::function<void(const QList<ImageExportItem> &items)> imageExportDialog;
    // The instant-search box (or the find panel) gained or lost the focus.
    std::function<void(bool focused)> searchBoxFocusChanged;

signals:
    // The focused record changed (the info pane follows it); NaN key for none.
    void focusedRecordChanged(int viewTable, double key);
    void selectionCountChanged(int count);
    // Double click or Enter on a record: the "open the entry" command.
    void recordActivated(int viewTable, double key);
    // A header click in the optimized mode, for the SQL sort.
    void optimizedHeaderClicked(const QString &field);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    struct GridView
    {
        QString name;
        int viewTable = 0;
        int viewType = 0;
        QAbstractItemView *widget = nullptr;
        TListCellDelegate *listDelegate = nullptr;
        TCheckBoxHeader *checkBoxes = nullptr;
        TCardDelegate *cardDelegate = nullptr;
        GridLayout layout;
        bool layoutLoaded = false;
    };

    GridView &grid(int viewTable, int viewType);
    GridView *focusedGrid() const;
    void createWidget(GridView &g);
    void openKind(int viewTable);
    void bindGrid(GridView &g, BrowseQuery &query);
    void unbindGrid(GridView &g);
    void applyLayout(GridView &g);
    void readLayout(GridView &g);
    void loadStoredLayout(GridView &g);
    void updateListFieldsShown();
    void updateImageSizes(GridView &g);
    void updateFindFields();
    void updateSearchBoxes();
    void fetchFailed(const QString &message);
    void selectionChanged();
    void currentChanged();
    void headerClicked(int logicalIndex);
    void headerMenu(const QPoint &pos);
    bool checkBoxClicked(GridView &g, const QPoint &pos);
    int sourceRow(const QModelIndex &viewIndex) const;
    QModelIndex viewIndexOfSourceRow(int row) const;
    void selectSourceRow(int row);
    // The records a command visits: the selection from the last selected to the first, or the
    // focused record when at most one is selected.
    QList<int> commandRows() const;
    double mediaIdOfRow(int row);
    QString titleOfRow(int row);
    void showDatabaseError(const QString &message);
    bool openInShell(const QUrl &address);
    void showContextMenu(const QPoint &pos);
    void installCommandDefaults();
    // The IMDb id of the focused record; in the media view of the movie chosen in the info pane.
    QVariant focusedImdbId();

    ViewHost *m_host;
    std::array<GridView, 9> m_grids;
    QStackedWidget *m_stack;
    std::array<QToolButton *, 3> m_layoutButtons{};
    QLineEdit *m_findPanel;
    QLineEdit *m_instantSearch;
    ViewSortFilterProxy *m_sortProxy;
    GroupProxyModel *m_groupProxy;

    int m_viewCurrentTable = ViewKind::Movies;
    int m_viewCurrentType = ViewType::Thumbnails;
    QString m_viewUserViewName;
    QString m_userViewLayout;
    QPointer<BrowseQuery> m_dataControllerInUse;
    int m_focusedIndex = -1;
    int m_node = 1;
    QString m_nodeCaption;
    int m_thumbnailSize = 12;
    bool m_columnLines = false;
    bool m_oddRowColor = false;
    bool m_checkBoxes = true;
    int m_lastSelectedCount = -1;
    bool m_closed = false;
    bool m_reportingFailure = false;
    QPointer<QMenu> m_entriesMenu;
    QPointer<QMenu> m_personsMenu;

    // The "VM" values that other panes (quick filter, query bar, info pane) read and change.
    bool m_quickFilterVisible = true;
    bool m_queryBuilderVisible = false;
    bool m_movieInfoBarVisible = true;
    int m_movieInfoBarWidth = 310;
    int m_personInfoBarWidth = 310;
    int m_movieInfoBarHeight = 185;
    int m_personBioHeight = 195;
    int m_mibMovieListHeight = 66;
};
