#pragma once

#include <QString>

#include <functional>

class QDate;
class QMenu;
class QWidget;

// What the main window asks of the view manager it embeds for the movies, media and persons nodes
// and the user views. The window reaches the view manager only through this, so its own sequences
// (leaving a view, switching layouts and databases) do not depend on how views are drawn.
class EmbeddedViewManager
{
public:
    virtual ~EmbeddedViewManager() = default;

    // The form that goes into the client area; owned by its parent widget.
    virtual QWidget *form() const = 0;

    virtual int viewCurrentTable() const = 0;
    virtual int viewCurrentType() const = 0;
    virtual void setViewCurrentTable(int table) = 0;
    virtual void setViewCurrentType(int type) = 0;
    // The caption of the open user view, empty for the built-in views.
    virtual QString viewUserViewName() const = 0;

    // Opens the view of the selected tree node (absolute index and caption).
    virtual void changeView(int node, const QString &caption) = 0;
    // The layout commands: saves the current view, takes the new layout and reopens.
    virtual void switchLayout(int type) = 0;
    virtual void saveCurrentView() = 0;
    virtual void saveToRegistry() = 0;
    virtual void refreshViewDatasets() = 0;
    virtual void initGridModeSettings() = 0;
    // The collection's stored thumbnail size, applied after the database changed.
    virtual void applyStoredThumbnailSize() = 0;
    // The thumbnail-size commands: stores the new size in the collection and reopens the view.
    virtual void updateThumbnailHeight(int size) = 0;
    // The order line of the open query and the name it is stored under in "Sort\Default".
    virtual QString lastSqlLine() const = 0;
    virtual QString dataSourceName() const = 0;
    // Empties the movie query's SQL so the movies view rebuilds from its base select.
    virtual void emptyMovieQuery() = 0;
    virtual void focusGrid() = 0;
    // The form goes after a database switch: what it would store on closing belongs to the old
    // collection and is dropped.
    virtual void discardState() = 0;

    // What the command rules read of the open view.
    virtual bool viewHasRows() const { return false; }
    virtual bool focusedOnLoan() const { return false; }
    virtual int selectedCount() const { return 0; }

    // The commands the view manager carries out itself on its selection; each does nothing in an
    // empty view.
    virtual void openEntry() {}
    virtual void deleteSelected() {}
    virtual void setRating(int /*rating*/) {}
    virtual void setLastWatched(const QDate & /*date*/) {}
    virtual void returnLoan() {}
    virtual void playTrailer() {}
    virtual void openContainingFolder() {}
    virtual void openImdbPage() {}
    virtual void openReviewPage() {}
    virtual void copyAssociatedFiles() {}
    virtual void coverFromClipboard() {}
    virtual void coverFromFile() {}
    virtual void selectAll() {}
    virtual void exportCoverArt() {}
    // Applies a picture file (a downloaded cover) to the selection by the cover rule; a temporary
    // file is deleted afterwards.
    virtual void applyCoverFile(const QString & /*imageFile*/, bool /*temporaryFile*/) {}
    // The MOVIE_ID the "&Movie" and trailer commands act on; -1 for none.
    virtual double movieInFocus() { return -1; }
    // The context menus, built by the window from its commands: one for the movie and media
    // views, one for the person view, one for the instant-search box.
    virtual void setContextMenus(QMenu * /*entries*/, QMenu * /*persons*/, QMenu * /*searchBox*/) {}
    // While the instant-search box has the focus, Del edits its text instead of deleting entries.
    std::function<void(bool focused)> searchBoxFocusChanged;
};
