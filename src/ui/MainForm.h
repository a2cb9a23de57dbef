#pragma once

#include "database/SortTitles.h"
#include "editing/NewMovie.h"
#include "ui/CommandTable.h"
#include "ui/EmbeddedViewManager.h"
#include "ui/Navigation.h"
#include "views/ViewHost.h"

#include <QMainWindow>
#include <QPointer>
#include <QStringList>

#include <functional>
#include <memory>

class QAction;
class QActionGroup;
class QComboBox;
class QFrame;
class QLabel;
class QLocalServer;
class QMenu;
class QSplitter;
class QStackedWidget;
class QToolButton;
class QTreeWidget;
class QTreeWidgetItem;
class QVBoxLayout;
class CommandActions;
class Ribbon;
class TBackstage_frm;
class TViewManager_frm;

// The main window: the command bar, the navigation tree of views, the client area that embeds one
// content form at a time, the status bar with the record count and the database switcher, and the
// "File" page. It keeps the flags other parts of the program read and write.
class TMainFormRNZ_frm : public QMainWindow, public ViewHost
{
    Q_OBJECT
public:
    TMainFormRNZ_frm();
    ~TMainFormRNZ_frm() override;

    // Loads the language texts; false when the program must end (the user was told why and the
    // end was requested).
    bool LoadTranslation();
    void translate();

    // Called once, the first time the window is shown (frees the splash window).
    std::function<void()> onFirstShow;
    // Makes the view manager for nodes 1 to 3 and the user views.
    using ViewManagerFactory = std::function<std::unique_ptr<EmbeddedViewManager>(ViewHost *, QWidget *parent)>;
    ViewManagerFactory viewManagerFactory;

    // Rebuilds the navigation tree from the fixed nodes and the collection's user views.
    void RefreshViews(bool InitViewAfter);
    // Selects the node with that absolute index; an index without a node is ignored.
    void ChangeViewIndex(int ViewAbsoluteIndex);
    int selectedViewIndex() const;
    void RefreshDatabaseSelector();
    // After movies were added elsewhere: reopens whatever the client area shows.
    void RefreshViewDataSources();
    void ActivateScheme();
    // Closes the views of the open collection, opens another and shows its start node. False
    // when the database could not be opened (the user was told).
    bool SwitchDatabase(const QString &databaseString);
    // Announces a newer program version (language text 1301) with the address of its installer.
    void SetUpdateNotice(const QString &upgradeUrl);
    void HideUpdateNotice();
    bool updateNoticeVisible() const;
    // Fetches the installer named by UpgradeURL into the given file; empty function: no download.
    std::function<bool(const QString &url, const QString &targetFile)> downloadUpdateInstaller;
    void ShowBackstage(bool show);
    bool backstageShown() const;
    void setRibbonMinimized(bool minimized);
    bool ribbonMinimized() const;

    // The one place where a command gets its work; a command without one is shown disabled. The
    // second form serves drop-down items that pass a value (rating, size, field, format).
    void connectCommand(Command command, std::function<void()> handler);
    void connectCommand(Command command, std::function<void(int argument)> handler);
    // The shared action of a command or of one of its drop-down items.
    QAction *commandAction(Command command, int argument = NoArgument) const;
    CommandActions &commands() const { return *m_commands; }
    // Enables the commands for the content, the view kind and layout, and the focused record.
    void updateCommandStates();
    CommandContext commandContext() const;
    // While the database-operations dialog is open the switcher does nothing.
    void setDatabaseOperationsOpen(bool open);

    // The regions, for the parts of the program that fill them and for tests.
    QTreeWidget *navigationTree() const { return m_tree; }
    QComboBox *databaseSelector() const { return m_databaseSelector; }
    TBackstage_frm *backstage() const { return m_backstage; }
    Ribbon *ribbon() const { return m_ribbon; }
    QMenu *navigationTreeMenu() const { return m_treeMenu; }
    QWidget *addMoviesButton() const;
    QAction *layoutAction(int viewCurrentType) const;
    QAction *thumbnailSizeAction(int size) const;
    QString recordCountText() const;
    QString statusText() const;
    bool optimizedIndicatorShown() const;
    QString updateNoticeText() const;
    ContentKind embeddedContent() const { return m_content; }
    EmbeddedViewManager *viewManager() const { return m_viewManager.get(); }
    // The tree-icon list: one entry per absolute node index.
    const QStringList &treeIcons() const { return m_treeIcons; }
    int nodeIconIndex(int absoluteIndex) const;
    QString nodeCaption(int absoluteIndex) const;
    int nodeCount() const;
    bool saveViewFlag() const { return m_saveView; }

    // ViewHost
    bool useGridMode() const override { return UseGridMode; }
    void setRecordCountText(const QString &text) override;
    void setStatusText(const QString &text) override;
    void setOptimizedIndicator(bool visible) override;
    void viewKindChanged(int viewCurrentTable, int viewCurrentType) override;
    bool isTerminating() const override { return m_terminating; }

    // The content form in the client area.
    QPointer<QWidget> EmbeddedForm;
    bool ChangesMadeInLastEntrySession = false;
    bool UseGridMode = false;
    bool UseAutoSearch = true;
    bool UseAutoFormat = true;
    bool UseAutoCounter = true;
    bool UseAutoBackup = false;
    QString UpgradeURL;
    int ErrorCounter = 0;
    // The words that sort titles leave out; every sort title of the program uses this list.
    SortWordList SortWords;

protected:
    void showEvent(QShowEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void buildRibbon();
    void buildNavigationPane();
    void buildClientArea();
    void buildStatusBar();
    void readOptions();
    void applyTouchMode();
    void connectBuiltInCommands();
    void connectViewCommand(Command command, std::function<void(EmbeddedViewManager &)> handler);
    void connectGridCommand(Command command, std::function<void(TViewManager_frm &)> handler);
    TViewManager_frm *viewManagerForm() const;
    void dispatch(std::optional<Command> target);
    MovieEditorOptions editorOptions() const;
    // "Movie (manual entry)": the editor on a new entry; the view reopens when it stored something.
    void newMovieEntry();
    void addMoviesClicked();
    void showAboutBox();
    void viewManagerEmbedded();
    void treeSelectionChanged(QTreeWidgetItem *current, QTreeWidgetItem *previous);
    void leaveNode(int index);
    void enterNode(int index);
    void embed(ContentKind content);
    void closeEmbeddedForm(bool saveState);
    void enableCommandsForContent();
    void selectStartNode();
    void databaseSelectorChanged(int index);
    void layoutCommand(int viewCurrentType);
    void thumbnailSizeCommand(int size);
    void updateNoticeClicked();
    void autoBackupAtClose();
    QString currentDatabase() const;

    QLocalServer *m_instanceServer;
    CommandActions *m_commands = nullptr;
    Ribbon *m_ribbon = nullptr;
    QActionGroup *m_layoutGroup = nullptr;
    QMenu *m_treeMenu = nullptr;
    QStackedWidget *m_pages = nullptr;
    QSplitter *m_splitter = nullptr;
    QWidget *m_navigationPane = nullptr;
    QToolButton *m_addMovies = nullptr;
    QTreeWidget *m_tree = nullptr;
    QFrame *m_updatePanel = nullptr;
    QLabel *m_updateTitle = nullptr;
    QLabel *m_updateText = nullptr;
    QWidget *m_embeddingPanel = nullptr;
    QVBoxLayout *m_embeddingLayout = nullptr;
    TBackstage_frm *m_backstage = nullptr;
    QLabel *m_recordCount = nullptr;
    QLabel *m_freeText = nullptr;
    QLabel *m_optimizedIndicator = nullptr;
    QComboBox *m_databaseSelector = nullptr;

    std::unique_ptr<EmbeddedViewManager> m_viewManager;
    ContentKind m_content = ContentKind::None;
    QList<QTreeWidgetItem *> m_nodes;
    QStringList m_treeIcons;
    int m_viewsHeight = 120;
    bool m_touchMode = false;
    bool m_rebuildingTree = false;
    bool m_fillingSelector = false;
    bool m_databaseOperationsOpen = false;
    bool m_saveView = true;
    bool m_terminating = false;
    bool m_shown = false;
    bool m_ribbonMinimized = false;
    bool m_optimizedShown = false;
};
