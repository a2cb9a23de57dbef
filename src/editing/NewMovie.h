#pragma once

#include "editing/MovieEditor.h"

#include <QDialog>
#include <QImage>
#include <QList>

#include <functional>

class QAction;
class QCheckBox;
class QComboBox;
class QDoubleSpinBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPlainTextEdit;
class QPushButton;
class QSpinBox;
class QSplitter;
class QStatusBar;
class QTabWidget;
class QToolButton;

// The options of the main window that the editor follows.
struct MovieEditorOptions
{
    bool useAutoFormat = true;
    bool useAutoCounter = true;
    bool applyLastWatchedToDuplicates = true;
    QString currencySymbol; // shown beside price, budget and gross revenue
    // Whether the main window's cast and crew clipboards hold a content.
    bool castClipboardFilled = false;
    bool crewClipboardFilled = false;
};
// The options as stored ("Use AutoFormat", "Use AutoCounter", "ApplyLastWatchedToDuplicates",
// "CurrencyString" of "Options").
MovieEditorOptions StoredMovieEditorOptions();

// The media the editor steps through with Open Previous and Open Next: the keys in the order the
// opener's view shows them and the position of the one opened.
struct EntrySequence
{
    QList<double> mediaIds;
    int position = -1;
};

// The dialogs the editor opens from its buttons. Each is provided by the feature that owns it;
// until then its button stays disabled.
enum class EditorDialog {
    MediaTypes,      // the media types editor
    LookupEditor,    // the lookup editor of table
    PickList,        // the pick list of table over items (genres, formats, subtitles, keywords)
    AudioFormat,     // adds "language: audio format" items
    SoundtrackTrack, // adds soundtrack items
    ListText,        // adds a special feature or filming location (table FEATURES or FILMINGLOCATION)
    CastAndCrew,
    Awards,
    TechnicalData,
    VideoFileData, // technical data read from the movie file
    Episodes,
    MovieFiles, // the file association dialog
    MovieGroup,
    ImdbPage,        // "Visit IMDB Page"
    RottenPage,      // "Visit Rotten Tomatoes page"
    CopyToClipboard, // hands the content to the copy clipboard
    PasteCast,
    PasteCrew,
};

struct EditorDialogRequest
{
    QWidget *parent = nullptr;
    double mediaId = -1;
    double movieId = -1;
    QString table;
    QStringList *items = nullptr; // the list the dialog edits, where it edits one
};
// Returns true when the dialog changed something. Dialogs write through the main connection and
// never commit: the editor's save commits their rows, closing without saving undoes them.
using EditorDialogHandler = std::function<bool(EditorDialogRequest &request)>;
// Connects a dialog to the editor's buttons; an empty handler disconnects it.
void SetEditorDialog(EditorDialog dialog, EditorDialogHandler handler);
bool HasEditorDialog(EditorDialog dialog);

// Opens the editor modally on a medium; true when the entry was saved or deleted, so that the
// opener refreshes its views.
bool EditMedia(QWidget *parent, double mediaId, const MovieEditorOptions &options, const EntrySequence &sequence = {});
// Opens the editor modally on a new entry.
bool NewMedia(QWidget *parent, const MovieEditorOptions &options);

// The movie and media editor: one medium with its contents (movies), their fields and lists.
class TNewMovie_frm : public QDialog
{
    Q_OBJECT

public:
    explicit TNewMovie_frm(const MovieEditorOptions &options, QWidget *parent = nullptr);
    ~TNewMovie_frm() override;

    double FMediaID = -1;
    EntrySequence FDataSetInUse;

    bool ChangesMadeInLastEntrySession = false;
    bool ChangesMadeToCurrentEntry = false;
    bool FullRefreshOnClose = false;

    double currentMovieId() const { return FCurrentMovieID; }
    // The contents in their order, as the contents pane shows them.
    QList<ContentRow> contents() const { return FContents; }
    void setCover(bool front, const QImage &image);
    QImage cover(bool front) const { return front ? FFrontCover : FBackCover; }
    // Loads a picture file into a cover box; false when the file is no picture.
    bool loadCoverFile(bool front, const QString &fileName);

public slots:
    // Saves the entry; false when it was not saved (and the editor keeps the input).
    bool SaveClick();
    void SaveAndCloseClick();
    void SaveAndNewClick();
    void NewEntryClick();
    void DeleteClick();
    void OpenPreviousClick();
    void OpenNextClick();
    void NewContentClick();
    void DeleteContentClick();
    void MoveUpClick();
    void MoveDownClick();
    void SeqNumberButtonClick();

protected:
    void showEvent(QShowEvent *event) override;
    void done(int result) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    struct CoverBox;

    void buildActions();
    void buildWindow();
    QWidget *buildMediumPanel();
    QWidget *buildCoverPanel();
    QWidget *buildGeneralTab();
    QWidget *buildAdditionalTab();
    QWidget *buildPlotTab();
    QWidget *buildCastTab();
    QWidget *buildSeriesTab();
    QWidget *buildAwardsTab();
    QWidget *buildTechDataTab();
    QWidget *buildCommentsTab();
    QWidget *buildListBox(const QString &caption, QListWidget *&list, EditorDialog addDialog, const QString &table,
                          bool withLookupEditor);
    QPushButton *dialogButton(const QString &text, EditorDialog dialog, const QString &table = QString());
    void fillDropDowns();
    void watchChanges();
    void autoFormat(QLineEdit *edit);
    void restoreWindowSettings();
    void storeWindowSettings();
    void applyDefaultValues();

    void FieldChange();
    void loadMedium();
    void clearMediumFields();
    void clearContentFields();
    void loadContent(double movieId);
    void showContents(double selectMovieId);
    void applyMediaType();
    void updateSeriesTab(bool forceShow);
    void updateCommandStates();
    void updateCaption();

    bool validateInput(MediaRecord *media, MovieRecord *movie);
    bool fillMovieRecord(MovieRecord *movie);
    bool fillMediaRecord(MediaRecord *media);
    ContentLists currentLists() const;
    bool saveCurrentContent();
    bool addContent(bool fromCommand);
    bool askToSavePending();
    void startNewEntry();
    void openSibling(int step);
    void contentRowChanged(int row);
    void runDialog(EditorDialog dialog, const QString &table, QListWidget *list);
    void showSaveError(const QString &detail);
    void refuseInput(QWidget *field, const QString &message);

    void MediaTitleExit();
    void MovieTitleExit();
    void DiscsExit();
    void LastWatchedExit();
    void TrailerBrowseClick();
    void TrailerPlayClick();
    void OfficialSiteClick();
    void RemoveImdbClick();
    void CopyToClipboardClick();
    void linkClick(EditorDialog dialog);
    void HelpClick();
    void AboutClick();
    void coverClick(bool front);
    void addCoverClick(bool front);
    void pasteCover(bool front);
    void updateCoverBox(bool front);

    MovieEditorOptions FOptions;
    double FCurrentMovieID = -1;
    int FCurrentGroupID = 0;
    int FCurrentGroupIndex = 0;
    int FImdbID = 0;
    bool DoNotSaveMovie = false;
    bool FLoading = false;
    bool FShown = false;
    bool FClosed = false;
    QList<ContentRow> FContents;
    QImage FFrontCover;
    QImage FBackCover;

    // Controls
    QToolButton *FContentsPaneButton = nullptr;
    QSplitter *FSplitter = nullptr;
    QWidget *FContentsPane = nullptr;
    QListWidget *FContentsList = nullptr;
    QTabWidget *FTabs = nullptr;
    QWidget *FSeriesTab = nullptr;
    QStatusBar *FStatusBar = nullptr;
    QLabel *FGroupPanel = nullptr;
    QLabel *FDatesPanel = nullptr;

    QLineEdit *edMediaTitle = nullptr;
    QLabel *lblLength = nullptr;
    QSpinBox *spLength = nullptr;
    QComboBox *cbEdition = nullptr;
    QLineEdit *edSeqNumber = nullptr;
    QComboBox *cbRegion = nullptr;
    QLineEdit *edUPC = nullptr;
    QComboBox *cbMediaType = nullptr;
    QSpinBox *spDiscs = nullptr;
    QComboBox *cbLocation = nullptr;
    QLineEdit *edBuyDate = nullptr;
    QLineEdit *edPrice = nullptr;
    QComboBox *cbStatus = nullptr;
    QLabel *imgFront = nullptr;
    QLabel *imgBack = nullptr;
    QPushButton *btnAddFront = nullptr;
    QPushButton *btnAddBack = nullptr;

    QLineEdit *edMovieTitle = nullptr;
    QLineEdit *edTagline = nullptr;
    QLineEdit *edOrigTitle = nullptr;
    QSpinBox *spRunningTime = nullptr;
    QLineEdit *edReleaseDate = nullptr;
    QLineEdit *edTheatreDate = nullptr;
    QComboBox *cbStudio = nullptr;
    QComboBox *cbCertification = nullptr;
    QLabel *lblImdb = nullptr;
    QLineEdit *edTrailer = nullptr;
    QLineEdit *edBudget = nullptr;
    QLineEdit *edGross = nullptr;
    QSpinBox *spDisc = nullptr;
    QLineEdit *edProductionYear = nullptr;
    QLineEdit *edMovieFiles = nullptr;
    QPushButton *btnMovieFiles = nullptr;
    QPushButton *btnPlay = nullptr;
    QLineEdit *edLastWatched = nullptr;
    QSpinBox *spRating = nullptr;
    QSpinBox *spDeck = nullptr;
    QSpinBox *spSlot = nullptr;
    QComboBox *cbOwner = nullptr;
    QComboBox *cbOrigLanguage = nullptr;
    QLineEdit *edOfficialSite = nullptr;
    QComboBox *cbCountry = nullptr;
    QComboBox *cbDownloadType = nullptr;
    QLineEdit *edDownloadCode = nullptr;
    QSpinBox *spRotten = nullptr;
    QDoubleSpinBox *spImdbRating = nullptr;
    QCheckBox *chkWatched = nullptr;
    QCheckBox *chkFeaturesWatched = nullptr;
    QCheckBox *chk3D = nullptr;
    QCheckBox *chk4K = nullptr;
    QLineEdit *edPlotOutline = nullptr;
    QPlainTextEdit *mmPlot = nullptr;
    QPlainTextEdit *mmComments = nullptr;
    QPlainTextEdit *mmTrivia = nullptr;
    QComboBox *cbSeriesName = nullptr;
    QSpinBox *spSeason = nullptr;

    QListWidget *lstGenres = nullptr;
    QListWidget *lstFormats = nullptr;
    QListWidget *lstSubtitles = nullptr;
    QListWidget *lstKeywords = nullptr;
    QListWidget *lstFeatures = nullptr;
    QListWidget *lstFilmingLocations = nullptr;
    QListWidget *lstLanguages = nullptr;
    QListWidget *lstSoundtrack = nullptr;

    QList<QPushButton *> FDialogButtons;

    QAction *actSave = nullptr;
    QAction *actSaveAndClose = nullptr;
    QAction *actSaveAndNew = nullptr;
    QAction *actNewEntry = nullptr;
    QAction *actDelete = nullptr;
    QAction *actOpenPrevious = nullptr;
    QAction *actOpenNext = nullptr;
    QAction *actNewContent = nullptr;
    QAction *actContentsPane = nullptr;
    QAction *actSeriesPage = nullptr;
    QAction *actVisitImdb = nullptr;
    QAction *actRemoveImdb = nullptr;
    QAction *actVisitRotten = nullptr;
    QAction *actRemoveFront = nullptr;
    QAction *actRemoveBack = nullptr;
    QAction *actCopyToClipboard = nullptr;
    QAction *actPasteCast = nullptr;
    QAction *actPasteCrew = nullptr;
    QAction *actMovieGroup = nullptr;
    QAction *actHelp = nullptr;
    QAction *actAbout = nullptr;
    QAction *actClose = nullptr;
};
