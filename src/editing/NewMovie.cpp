#include "editing/NewMovie.h"

#include "core/GlobalFunctions.h"
#include "core/TextNumbers.h"
#include "core/UserInterface.h"
#include "database/DM1_u.h"
#include "database/RecordHelpers.h"
#include "database/SortTitles.h"
#include "editing/FormFillers.h"
#include "reports/PicPrev.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QDesktopServices>
#include <QDir>
#include <QDoubleSpinBox>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileDialog>
#include <QFileInfo>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QLocale>
#include <QMap>
#include <QMenu>
#include <QMimeData>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QSpinBox>
#include <QSplitter>
#include <QStatusBar>
#include <QTabWidget>
#include <QToolBar>
#include <QToolButton>
#include <QUrl>
#include <QVBoxLayout>

namespace {

const QString kSection = QStringLiteral("Movie Editor");
const QString kOptions = QStringLiteral("Options");

QMap<EditorDialog, EditorDialogHandler> &dialogHandlers()
{
    static QMap<EditorDialog, EditorDialogHandler> handlers;
    return handlers;
}

// Widths of panes that belong to tabs of other features: read and written back unchanged, so
// their stored values survive an editor session.
const QStringList kPaneWidths = {QStringLiteral("CreditsPaneWidth"), QStringLiteral("TriviaPaneWidth"),
                                 QStringLiteral("FilmingLocationsPaneWidth"),
                                 QStringLiteral("AdditionalLeftPaneWidth")};
const QList<int> kPaneDefaults = {233, 310, 310, 233};

QStringList itemsOf(const QListWidget *list)
{
    QStringList items;
    for (int i = 0; i < list->count(); ++i)
        items << list->item(i)->text();
    return items;
}

void setItems(QListWidget *list, const QStringList &items)
{
    list->clear();
    list->addItems(items);
}

QComboBox *distinctDropDown(int maxLength)
{
    auto *box = new QComboBox;
    box->setEditable(true);
    box->setInsertPolicy(QComboBox::NoInsert);
    box->lineEdit()->setMaxLength(maxLength);
    return box;
}

QComboBox *lookupDropDown()
{
    auto *box = new QComboBox;
    box->setEditable(true);
    box->setInsertPolicy(QComboBox::NoInsert);
    return box;
}

void fillLookupList(QComboBox *box, const QString &table)
{
    const QString text = box->currentText();
    box->clear();
    box->addItem(QString());
    box->addItems(DistinctValues(table, QStringLiteral("NAME")));
    if (box->isEditable())
        box->setEditText(text);
    else
        box->setCurrentIndex(std::max(0, box->findText(text)));
}

void setComboText(QComboBox *box, const QString &text)
{
    const int index = box->findText(text, Qt::MatchFixedString);
    if (box->isEditable()) {
        box->setCurrentIndex(index);
        box->setEditText(text);
    } else {
        box->setCurrentIndex(std::max(0, index));
    }
}

QSpinBox *spin(int minimum, int maximum, int value)
{
    auto *box = new QSpinBox;
    box->setRange(minimum, maximum);
    box->setValue(value);
    return box;
}

QLineEdit *textField(int maxLength)
{
    auto *edit = new QLineEdit;
    edit->setMaxLength(maxLength);
    return edit;
}

QLineEdit *dateField()
{
    auto *edit = new QLineEdit;
    edit->setPlaceholderText(DateFieldFormat().toLower());
    // Wide enough for the longest date of the format, with room for the frame.
    const QString longest = FormatDateField(QDate(2000, 12, 28));
    edit->setFixedWidth(edit->fontMetrics().horizontalAdvance(longest + QStringLiteral("MM")) + 12);
    return edit;
}

QWidget *row(std::initializer_list<QWidget *> widgets, bool stretch = false)
{
    auto *box = new QWidget;
    auto *layout = new QHBoxLayout(box);
    layout->setContentsMargins(0, 0, 0, 0);
    for (QWidget *w : widgets)
        layout->addWidget(w);
    if (stretch)
        layout->addStretch();
    return box;
}

QPushButton *smallButton(const QString &text)
{
    auto *button = new QPushButton(text);
    button->setFixedWidth(28);
    return button;
}

QString captionOf(const QString &caption)
{
    QString text = caption;
    text.remove(QLatin1Char('&'));
    if (text.endsWith(QLatin1Char(':')))
        text.chop(1);
    return text;
}

// The region code list: the position is what is stored.
const QStringList &regionItems()
{
    static const QStringList items = {QString(),
                                      QStringLiteral("1 - US, Canada"),
                                      QStringLiteral("2 - Europe"),
                                      QStringLiteral("3 - Southeast Asia"),
                                      QStringLiteral("4 - Latin America"),
                                      QStringLiteral("5 - Africa"),
                                      QStringLiteral("6 - China"),
                                      QStringLiteral("7 - MPAA related and Chine pre-release"),
                                      QStringLiteral("8 - International Venues")};
    return items;
}

// The one editor that may be open.
TNewMovie_frm *theEditor = nullptr;

} // namespace

MovieEditorOptions StoredMovieEditorOptions()
{
    MovieEditorOptions options;
    options.useAutoFormat = ReadSettingBoolLenient(QStringLiteral("Use AutoFormat"), kOptions, true);
    options.useAutoCounter = ReadSettingBoolLenient(QStringLiteral("Use AutoCounter"), kOptions, true);
    options.applyLastWatchedToDuplicates =
        ReadSettingBoolLenient(QStringLiteral("ApplyLastWatchedToDuplicates"), kOptions, true);
    options.currencySymbol = ReadSettingString(QStringLiteral("CurrencyString"), kOptions,
                                               QLocale().currencySymbol(QLocale::CurrencySymbol));
    return options;
}

void SetEditorDialog(EditorDialog dialog, EditorDialogHandler handler)
{
    if (handler)
        dialogHandlers().insert(dialog, std::move(handler));
    else
        dialogHandlers().remove(dialog);
}

bool HasEditorDialog(EditorDialog dialog)
{
    return dialogHandlers().contains(dialog);
}

bool EditMedia(QWidget *parent, double mediaId, const MovieEditorOptions &options, const EntrySequence &sequence)
{
    TNewMovie_frm editor(options, parent);
    editor.FMediaID = mediaId;
    editor.FDataSetInUse = sequence;
    editor.exec();
    return editor.ChangesMadeInLastEntrySession;
}

bool NewMedia(QWidget *parent, const MovieEditorOptions &options)
{
    return EditMedia(parent, -1, options);
}

// --- Creating the window ---

TNewMovie_frm::TNewMovie_frm(const MovieEditorOptions &options, QWidget *parent)
    : QDialog(parent)
    , FOptions(options)
{
    theEditor = this;
    setObjectName(QStringLiteral("TNewMovie_frm"));
    setWindowTitle(QStringLiteral("Media Properties"));
    setSizeGripEnabled(true);
    buildActions();
    buildWindow();
    fillDropDowns();
    watchChanges();
    // Enter in a field must not press a button of the window.
    for (QPushButton *button : findChildren<QPushButton *>())
        button->setAutoDefault(false);
    FContentsPane->hide();
    actPasteCast->setEnabled(FOptions.castClipboardFilled && HasEditorDialog(EditorDialog::PasteCast));
    actPasteCrew->setEnabled(FOptions.crewClipboardFilled && HasEditorDialog(EditorDialog::PasteCrew));
}

TNewMovie_frm::~TNewMovie_frm()
{
    // An editor freed without being closed must not leave its session's rows pending.
    if (FShown && !FClosed && HasDM1())
        DiscardSession(DM1());
    if (theEditor == this)
        theEditor = nullptr;
}

void TNewMovie_frm::buildActions()
{
    auto make = [this](const QString &text, const QString &name, auto slot, const QKeySequence &key = {}) {
        auto *action = new QAction(text, this);
        action->setObjectName(name);
        if (!key.isEmpty()) {
            action->setShortcut(key);
            action->setShortcutContext(Qt::WindowShortcut);
        }
        addAction(action);
        connect(action, &QAction::triggered, this, slot);
        return action;
    };
    actSave = make(
        QStringLiteral("Save"), QStringLiteral("actSave"), [this] { SaveClick(); }, QKeySequence(Qt::CTRL | Qt::Key_S));
    actSaveAndClose =
        make(QStringLiteral("&Save and Close"), QStringLiteral("actSaveAndClose"), &TNewMovie_frm::SaveAndCloseClick);
    actSaveAndNew =
        make(QStringLiteral("Save and New"), QStringLiteral("actSaveAndNew"), &TNewMovie_frm::SaveAndNewClick);
    actNewEntry = make(QStringLiteral("New Entry"), QStringLiteral("actNewEntry"), &TNewMovie_frm::NewEntryClick,
                       QKeySequence(Qt::CTRL | Qt::Key_N));
    actDelete = make(QStringLiteral("Delete"), QStringLiteral("actDelete"), &TNewMovie_frm::DeleteClick,
                     QKeySequence(Qt::CTRL | Qt::Key_D));
    actOpenPrevious =
        make(QStringLiteral("Open Previous"), QStringLiteral("actOpenPrevious"), &TNewMovie_frm::OpenPreviousClick);
    actOpenNext = make(QStringLiteral("Open Next"), QStringLiteral("actOpenNext"), &TNewMovie_frm::OpenNextClick);
    actNewContent =
        make(QStringLiteral("New Content"), QStringLiteral("actNewContent"), &TNewMovie_frm::NewContentClick);
    actContentsPane = make(QStringLiteral("Contents Pane"), QStringLiteral("actContentsPane"),
                           [this](bool on) { FContentsPane->setVisible(on); });
    actContentsPane->setCheckable(true);
    actSeriesPage = make(QStringLiteral("TV-Series Page"), QStringLiteral("actSeriesPage"), [this](bool on) {
        const int index = FTabs->indexOf(FSeriesTab);
        FTabs->setTabVisible(index, on);
    });
    actSeriesPage->setCheckable(true);
    actVisitImdb = make(QStringLiteral("Visit IMDB Page"), QStringLiteral("actVisitImdb"),
                        [this] { linkClick(EditorDialog::ImdbPage); });
    actRemoveImdb = make(QStringLiteral("Remove IMDb association"), QStringLiteral("actRemoveImdb"),
                         &TNewMovie_frm::RemoveImdbClick);
    actVisitRotten = make(QStringLiteral("Visit Rotten Tomatoes page"), QStringLiteral("actVisitRotten"),
                          [this] { linkClick(EditorDialog::RottenPage); });
    actRemoveFront = make(QStringLiteral("Remove Cover Art"), QStringLiteral("actRemoveFront"),
                          [this] { setCover(true, QImage()); });
    actRemoveBack = make(QStringLiteral("Remove Back Cover Art"), QStringLiteral("actRemoveBack"),
                         [this] { setCover(false, QImage()); });
    actCopyToClipboard = make(QStringLiteral("Copy Movie to Clipboard"), QStringLiteral("actCopyToClipboard"),
                              &TNewMovie_frm::CopyToClipboardClick);
    actPasteCast = make(QStringLiteral("Paste Cast"), QStringLiteral("actPasteCast"),
                        [this] { runDialog(EditorDialog::PasteCast, QString(), nullptr); });
    actPasteCrew = make(QStringLiteral("Paste Crew"), QStringLiteral("actPasteCrew"),
                        [this] { runDialog(EditorDialog::PasteCrew, QString(), nullptr); });
    actMovieGroup = make(QStringLiteral("Movie Group..."), QStringLiteral("actMovieGroup"),
                         [this] { runDialog(EditorDialog::MovieGroup, QString(), nullptr); });
    actHelp = make(QStringLiteral("Reelnest Help"), QStringLiteral("actHelp"), &TNewMovie_frm::HelpClick,
                   QKeySequence(Qt::Key_F1));
    actAbout = make(QStringLiteral("About Reelnest"), QStringLiteral("actAbout"), &TNewMovie_frm::AboutClick);
    actClose = make(QStringLiteral("Close"), QStringLiteral("actClose"), [this] { close(); });

    actVisitImdb->setEnabled(false);
    actVisitRotten->setEnabled(HasEditorDialog(EditorDialog::RottenPage));
    actCopyToClipboard->setEnabled(HasEditorDialog(EditorDialog::CopyToClipboard));
    actMovieGroup->setEnabled(HasEditorDialog(EditorDialog::MovieGroup));
}

void TNewMovie_frm::buildWindow()
{
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);

    auto *bar = new QToolBar;
    bar->setObjectName(QStringLiteral("MovieRibbon"));
    bar->setToolButtonStyle(Qt::ToolButtonTextOnly);
    bar->addAction(actSave);
    bar->addAction(actSaveAndClose);
    bar->addAction(actSaveAndNew);
    bar->addSeparator();
    bar->addAction(actNewEntry);
    bar->addAction(actNewContent);
    bar->addAction(actDelete);
    bar->addSeparator();
    bar->addAction(actOpenPrevious);
    bar->addAction(actOpenNext);
    bar->addSeparator();
    bar->addAction(actContentsPane);
    bar->addAction(actSeriesPage);
    auto *more = new QToolButton;
    more->setText(QStringLiteral("More"));
    more->setPopupMode(QToolButton::InstantPopup);
    auto *menu = new QMenu(more);
    for (QAction *a : {actVisitImdb, actVisitRotten, actRemoveImdb})
        menu->addAction(a);
    menu->addSeparator();
    for (QAction *a : {actRemoveFront, actRemoveBack, actCopyToClipboard, actPasteCast, actPasteCrew, actMovieGroup})
        menu->addAction(a);
    menu->addSeparator();
    for (QAction *a : {actHelp, actAbout, actClose})
        menu->addAction(a);
    more->setMenu(menu);
    bar->addWidget(more);
    layout->addWidget(bar);

    FSplitter = new QSplitter(Qt::Horizontal);
    FSplitter->setObjectName(QStringLiteral("EditorSplitter"));
    FSplitter->setChildrenCollapsible(false);

    FContentsPane = new QWidget;
    FContentsPane->setObjectName(QStringLiteral("ContentsPane"));
    auto *paneLayout = new QVBoxLayout(FContentsPane);
    paneLayout->setContentsMargins(6, 6, 0, 6);
    FContentsList = new QListWidget;
    FContentsList->setObjectName(QStringLiteral("ContentsList"));
    FContentsList->setContextMenuPolicy(Qt::CustomContextMenu);
    FContentsList->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    FContentsList->setTextElideMode(Qt::ElideRight);
    paneLayout->addWidget(FContentsList);
    auto *addContent = new QPushButton(QStringLiteral("New Content"));
    addContent->setObjectName(QStringLiteral("btnNewContent"));
    auto *removeContent = new QPushButton(QStringLiteral("Delete"));
    removeContent->setObjectName(QStringLiteral("btnDeleteContent"));
    paneLayout->addWidget(row({addContent, removeContent}));
    connect(addContent, &QPushButton::clicked, this, &TNewMovie_frm::NewContentClick);
    connect(removeContent, &QPushButton::clicked, this, &TNewMovie_frm::DeleteContentClick);
    connect(FContentsList, &QListWidget::currentRowChanged, this, &TNewMovie_frm::contentRowChanged);
    connect(FContentsList, &QWidget::customContextMenuRequested, this, [this](const QPoint &pos) {
        QMenu popup(this);
        popup.addAction(QStringLiteral("&Move Up"), this, &TNewMovie_frm::MoveUpClick);
        popup.addAction(QStringLiteral("&Move Down"), this, &TNewMovie_frm::MoveDownClick);
        popup.exec(FContentsList->viewport()->mapToGlobal(pos));
    });
    FSplitter->addWidget(FContentsPane);

    auto *main = new QWidget;
    auto *mainLayout = new QVBoxLayout(main);
    mainLayout->setContentsMargins(8, 8, 8, 4);
    auto *top = new QHBoxLayout;
    top->addWidget(buildMediumPanel(), 1);
    top->addWidget(buildCoverPanel());
    mainLayout->addLayout(top);

    FTabs = new QTabWidget;
    FTabs->setObjectName(QStringLiteral("EditorTabs"));
    FTabs->addTab(buildGeneralTab(), QStringLiteral("General"));
    FTabs->addTab(buildAdditionalTab(), QStringLiteral("Additional"));
    FTabs->addTab(buildPlotTab(), QStringLiteral("Plot"));
    FTabs->addTab(buildCastTab(), QStringLiteral("Cast and Credits"));
    FSeriesTab = buildSeriesTab();
    FTabs->addTab(FSeriesTab, QStringLiteral("TV-Series"));
    FTabs->addTab(buildAwardsTab(), QStringLiteral("Awards"));
    FTabs->addTab(buildTechDataTab(), QStringLiteral("Tech Data"));
    FTabs->addTab(buildCommentsTab(), QStringLiteral("Comments"));
    mainLayout->addWidget(FTabs, 1);
    FSplitter->addWidget(main);
    FSplitter->setStretchFactor(1, 1);
    FSplitter->setSizes({158, 800});
    layout->addWidget(FSplitter, 1);

    FStatusBar = new QStatusBar;
    FStatusBar->setSizeGripEnabled(false);
    FGroupPanel = new QLabel;
    FGroupPanel->setObjectName(QStringLiteral("GroupPanel"));
    FDatesPanel = new QLabel;
    FDatesPanel->setObjectName(QStringLiteral("DatesPanel"));
    FStatusBar->addWidget(FGroupPanel, 1);
    FStatusBar->addWidget(FDatesPanel, 2);
    layout->addWidget(FStatusBar);
}

QWidget *TNewMovie_frm::buildMediumPanel()
{
    auto *box = new QGroupBox;
    box->setObjectName(QStringLiteral("MediumPanel"));
    auto *grid = new QGridLayout(box);
    grid->setHorizontalSpacing(8);

    edMediaTitle = textField(100);
    edMediaTitle->setObjectName(QStringLiteral("edMediaTitle"));
    spLength = spin(1, 9999, 180);
    spLength->setObjectName(QStringLiteral("spLength"));
    lblLength = new QLabel(QStringLiteral("Length:"));
    cbEdition = distinctDropDown(50);
    cbEdition->setObjectName(QStringLiteral("cbEdition"));
    edSeqNumber = textField(9);
    edSeqNumber->setObjectName(QStringLiteral("edSeqNumber"));
    auto *seqButton = smallButton(QStringLiteral("#"));
    seqButton->setObjectName(QStringLiteral("btnSeqNumber"));
    connect(seqButton, &QPushButton::clicked, this, &TNewMovie_frm::SeqNumberButtonClick);
    cbRegion = new QComboBox;
    cbRegion->setObjectName(QStringLiteral("cbRegion"));
    cbRegion->addItems(regionItems());
    edUPC = textField(13);
    edUPC->setObjectName(QStringLiteral("edUPC"));
    cbMediaType = new QComboBox;
    cbMediaType->setObjectName(QStringLiteral("cbMediaType"));
    auto *mediaTypeButton = dialogButton(QStringLiteral("..."), EditorDialog::MediaTypes);
    spDiscs = spin(1, 999, 1);
    spDiscs->setObjectName(QStringLiteral("spDiscs"));
    cbLocation = distinctDropDown(40);
    cbLocation->setObjectName(QStringLiteral("cbLocation"));
    edBuyDate = dateField();
    edBuyDate->setObjectName(QStringLiteral("edBuyDate"));
    edPrice = textField(20);
    edPrice->setObjectName(QStringLiteral("edPrice"));
    edPrice->installEventFilter(this);
    cbStatus = distinctDropDown(25);
    cbStatus->setObjectName(QStringLiteral("cbStatus"));

    auto label = [](const QString &text, QWidget *buddy) {
        auto *caption = new QLabel(text);
        caption->setBuddy(buddy);
        return caption;
    };
    lblLength->setBuddy(spLength);
    grid->addWidget(label(QStringLiteral("Media Title:"), edMediaTitle), 0, 0);
    grid->addWidget(edMediaTitle, 0, 1, 1, 3);
    grid->addWidget(lblLength, 0, 4);
    grid->addWidget(spLength, 0, 5);
    grid->addWidget(label(QStringLiteral("Edition:"), cbEdition), 1, 0);
    grid->addWidget(cbEdition, 1, 1);
    grid->addWidget(label(QStringLiteral("Seq. Number:"), edSeqNumber), 1, 2);
    grid->addWidget(row({edSeqNumber, seqButton}), 1, 3);
    grid->addWidget(label(QStringLiteral("Region:"), cbRegion), 1, 4);
    grid->addWidget(cbRegion, 1, 5);
    grid->addWidget(label(QStringLiteral("Media Type:"), cbMediaType), 2, 0);
    grid->addWidget(row({cbMediaType, mediaTypeButton}), 2, 1);
    grid->addWidget(label(QStringLiteral("Discs:"), spDiscs), 2, 2);
    grid->addWidget(spDiscs, 2, 3);
    grid->addWidget(label(QStringLiteral("UPC:"), edUPC), 2, 4);
    grid->addWidget(edUPC, 2, 5);
    grid->addWidget(label(QStringLiteral("L&ocation:"), cbLocation), 3, 0);
    grid->addWidget(cbLocation, 3, 1);
    grid->addWidget(label(QStringLiteral("&Date Purchased:"), edBuyDate), 3, 2);
    grid->addWidget(edBuyDate, 3, 3);
    grid->addWidget(label(QStringLiteral("&Price:"), edPrice), 3, 4);
    auto *currency = new QLabel(FOptions.currencySymbol);
    grid->addWidget(row({currency, edPrice}), 3, 5);
    grid->addWidget(label(QStringLiteral("Stat&us:"), cbStatus), 4, 0);
    grid->addWidget(cbStatus, 4, 1);
    for (QComboBox *box : {cbEdition, cbMediaType, cbLocation, cbStatus})
        box->setMinimumWidth(170);
    grid->setColumnStretch(1, 3);
    grid->setColumnStretch(3, 1);
    grid->setColumnStretch(5, 2);

    connect(edMediaTitle, &QLineEdit::editingFinished, this, &TNewMovie_frm::MediaTitleExit);
    connect(spDiscs, &QSpinBox::editingFinished, this, &TNewMovie_frm::DiscsExit);
    connect(cbMediaType, &QComboBox::currentIndexChanged, this, [this] {
        if (!FLoading)
            applyMediaType();
    });
    autoFormat(cbEdition->lineEdit());
    autoFormat(cbLocation->lineEdit());
    autoFormat(cbStatus->lineEdit());
    return box;
}

// A cover box: the picture, a click shows it enlarged, its menu changes, pastes or removes it,
// and a picture dropped on it replaces it.
QWidget *TNewMovie_frm::buildCoverPanel()
{
    auto *panel = new QWidget;
    auto *layout = new QHBoxLayout(panel);
    layout->setContentsMargins(0, 0, 0, 0);
    for (const bool front : {true, false}) {
        auto *column = new QVBoxLayout;
        auto *image = new QLabel;
        image->setObjectName(front ? QStringLiteral("imgFront") : QStringLiteral("imgBack"));
        image->setFixedSize(100, 142);
        image->setFrameShape(QFrame::StyledPanel);
        image->setAlignment(Qt::AlignCenter);
        image->setAcceptDrops(true);
        image->setContextMenuPolicy(Qt::CustomContextMenu);
        image->installEventFilter(this);
        auto *add = new QPushButton(QStringLiteral("Add Cover Art"));
        add->setObjectName(front ? QStringLiteral("btnAddFront") : QStringLiteral("btnAddBack"));
        connect(add, &QPushButton::clicked, this, [this, front] { addCoverClick(front); });
        connect(image, &QWidget::customContextMenuRequested, this, [this, image, front](const QPoint &pos) {
            QMenu popup(this);
            popup.addAction(QStringLiteral("Change Picture..."), this, [this, front] { addCoverClick(front); });
            popup.addAction(QStringLiteral("Paste Picture"), this, [this, front] { pasteCover(front); });
            popup.addAction(QStringLiteral("Remove Picture"), this, [this, front] { setCover(front, QImage()); });
            popup.exec(image->mapToGlobal(pos));
        });
        column->addWidget(image);
        column->addWidget(add);
        layout->addLayout(column);
        (front ? imgFront : imgBack) = image;
        (front ? btnAddFront : btnAddBack) = add;
    }
    return panel;
}

QPushButton *TNewMovie_frm::dialogButton(const QString &text, EditorDialog dialog, const QString &table)
{
    QPushButton *button = text == QLatin1String("...") ? smallButton(text) : new QPushButton(text);
    if (text != QLatin1String("..."))
        button->setMinimumWidth(button->sizeHint().width());
    button->setProperty("editorDialog", static_cast<int>(dialog));
    button->setEnabled(HasEditorDialog(dialog));
    connect(button, &QPushButton::clicked, this, [this, dialog, table] { runDialog(dialog, table, nullptr); });
    FDialogButtons << button;
    return button;
}

QWidget *TNewMovie_frm::buildGeneralTab()
{
    auto *page = new QWidget;
    auto *columns = new QHBoxLayout(page);
    auto *left = new QFormLayout;
    auto *right = new QFormLayout;
    columns->addLayout(left, 3);
    columns->addSpacing(12);
    columns->addLayout(right, 2);

    edMovieTitle = textField(100);
    edMovieTitle->setObjectName(QStringLiteral("edMovieTitle"));
    edTagline = textField(255);
    edTagline->setObjectName(QStringLiteral("edTagline"));
    edOrigTitle = textField(100);
    edOrigTitle->setObjectName(QStringLiteral("edOrigTitle"));
    spRunningTime = spin(1, 9999, 90);
    spRunningTime->setObjectName(QStringLiteral("spRunningTime"));
    edReleaseDate = dateField();
    edReleaseDate->setObjectName(QStringLiteral("edReleaseDate"));
    edTheatreDate = dateField();
    edTheatreDate->setObjectName(QStringLiteral("edTheatreDate"));
    cbStudio = distinctDropDown(50);
    cbStudio->setObjectName(QStringLiteral("cbStudio"));
    cbCertification = lookupDropDown();
    cbCertification->setObjectName(QStringLiteral("cbCertification"));
    lblImdb = new QLabel;
    lblImdb->setObjectName(QStringLiteral("lblImdb"));
    edTrailer = textField(255);
    edTrailer->setObjectName(QStringLiteral("edTrailer"));
    auto *browse = smallButton(QStringLiteral("..."));
    browse->setToolTip(GetText(Txt::Browse));
    auto *playTrailer = smallButton(QStringLiteral("▶"));
    connect(browse, &QPushButton::clicked, this, &TNewMovie_frm::TrailerBrowseClick);
    connect(playTrailer, &QPushButton::clicked, this, &TNewMovie_frm::TrailerPlayClick);
    edBudget = textField(20);
    edBudget->setObjectName(QStringLiteral("edBudget"));
    edGross = textField(20);
    edGross->setObjectName(QStringLiteral("edGross"));
    spDisc = spin(1, 1, 1);
    spDisc->setObjectName(QStringLiteral("spDisc"));
    edProductionYear = textField(4);
    edProductionYear->setObjectName(QStringLiteral("edProductionYear"));
    edProductionYear->setMaximumWidth(60);
    edProductionYear->installEventFilter(this);
    edMovieFiles = new QLineEdit;
    edMovieFiles->setObjectName(QStringLiteral("edMovieFiles"));
    edMovieFiles->setReadOnly(true);
    btnMovieFiles = dialogButton(QStringLiteral("..."), EditorDialog::MovieFiles);
    btnPlay = smallButton(QStringLiteral("▶"));
    btnPlay->setEnabled(false);
    edLastWatched = dateField();
    edLastWatched->setObjectName(QStringLiteral("edLastWatched"));
    spRating = spin(0, 10, 0);
    spRating->setObjectName(QStringLiteral("spRating"));
    spRating->setSuffix(QStringLiteral(" / 10"));
    spDeck = spin(0, 9999, 0);
    spDeck->setObjectName(QStringLiteral("spDeck"));
    spSlot = spin(0, 9999, 0);
    spSlot->setObjectName(QStringLiteral("spSlot"));
    cbOwner = distinctDropDown(25);
    cbOwner->setObjectName(QStringLiteral("cbOwner"));
    chkWatched = new QCheckBox(QStringLiteral("Movie has been watched"));
    chkWatched->setObjectName(QStringLiteral("chkWatched"));
    chkFeaturesWatched = new QCheckBox(QStringLiteral("Special Features has been watched"));
    chkFeaturesWatched->setObjectName(QStringLiteral("chkFeaturesWatched"));

    auto *minutes = new QLabel(QStringLiteral("min"));
    left->addRow(QStringLiteral("Movie Title:"), edMovieTitle);
    left->addRow(QStringLiteral("Tagline:"), edTagline);
    left->addRow(QStringLiteral("Original Title:"), edOrigTitle);
    left->addRow(QStringLiteral("Running Time:"), row({spRunningTime, minutes}, true));
    left->addRow(QStringLiteral("Release Date:"),
                 row({edReleaseDate, new QLabel(QStringLiteral("Theatre Date:")), edTheatreDate}, true));
    left->addRow(QStringLiteral("Studio:"), cbStudio);
    left->addRow(QStringLiteral("Certification:"),
                 row({cbCertification, dialogButton(QStringLiteral("..."), EditorDialog::LookupEditor,
                                                    QStringLiteral("CERTIFICATIONLIST"))}));
    left->addRow(QStringLiteral("IMDb:"), lblImdb);
    left->addRow(QStringLiteral("Trailer:"), row({edTrailer, browse, playTrailer}));
    left->addRow(QStringLiteral("Movie File(s):"), row({edMovieFiles, btnMovieFiles, btnPlay}));

    right->addRow(QStringLiteral("Budget:"), row({new QLabel(FOptions.currencySymbol), edBudget}));
    right->addRow(QStringLiteral("Gross Revenue:"), row({new QLabel(FOptions.currencySymbol), edGross}));
    right->addRow(QStringLiteral("Disc:"), row({spDisc}, true));
    right->addRow(QStringLiteral("Production Year:"), row({edProductionYear}, true));
    right->addRow(QStringLiteral("Last Watched:"), row({edLastWatched}, true));
    right->addRow(QStringLiteral("Rating:"), row({spRating}, true));
    auto *changer = new QGroupBox(QStringLiteral("Disc Changer"));
    auto *changerLayout = new QHBoxLayout(changer);
    changerLayout->addWidget(new QLabel(QStringLiteral("Deck:")));
    changerLayout->addWidget(spDeck);
    changerLayout->addWidget(new QLabel(QStringLiteral("Slot:")));
    changerLayout->addWidget(spSlot);
    right->addRow(changer);
    right->addRow(QStringLiteral("Owner:"), cbOwner);
    right->addRow(chkWatched);
    right->addRow(chkFeaturesWatched);

    connect(edMovieTitle, &QLineEdit::editingFinished, this, &TNewMovie_frm::MovieTitleExit);
    connect(edLastWatched, &QLineEdit::editingFinished, this, &TNewMovie_frm::LastWatchedExit);
    connect(cbCertification, &QComboBox::currentTextChanged, this, [this](const QString &name) {
        if (!FLoading)
            ShowLookupDescriptionHint(QStringLiteral("CERTIFICATIONLIST"), QStringLiteral("CERTIFICATION_ID"), name,
                                      cbCertification);
    });
    for (QLineEdit *edit : {edMovieTitle, edTagline, edOrigTitle, cbStudio->lineEdit(), cbOwner->lineEdit()})
        autoFormat(edit);
    return page;
}

QWidget *TNewMovie_frm::buildListBox(const QString &caption, QListWidget *&list, EditorDialog addDialog,
                                     const QString &table, bool withLookupEditor)
{
    auto *box = new QWidget;
    auto *layout = new QVBoxLayout(box);
    layout->setContentsMargins(0, 0, 0, 0);
    auto *head = new QHBoxLayout;
    head->addWidget(new QLabel(caption), 1);
    list = new QListWidget;
    list->setObjectName(QStringLiteral("lst") + captionOf(caption).remove(QLatin1Char(' ')));
    list->setSelectionMode(QAbstractItemView::ExtendedSelection);
    QListWidget *target = list;
    auto *add = smallButton(QStringLiteral("+"));
    add->setObjectName(list->objectName() + QStringLiteral("Add"));
    add->setProperty("editorDialog", static_cast<int>(addDialog));
    add->setEnabled(HasEditorDialog(addDialog));
    FDialogButtons << add;
    connect(add, &QPushButton::clicked, this,
            [this, addDialog, table, target] { runDialog(addDialog, table, target); });
    head->addWidget(add);
    if (withLookupEditor)
        head->addWidget(dialogButton(QStringLiteral("..."), EditorDialog::LookupEditor, table));
    auto *remove = smallButton(QStringLiteral("−"));
    remove->setObjectName(list->objectName() + QStringLiteral("Remove"));
    connect(remove, &QPushButton::clicked, this, [this, target] {
        const QList<QListWidgetItem *> selected = target->selectedItems();
        if (selected.isEmpty())
            return;
        qDeleteAll(selected);
        FieldChange();
    });
    head->addWidget(remove);
    layout->addLayout(head);
    layout->addWidget(list, 1);
    return box;
}

QWidget *TNewMovie_frm::buildAdditionalTab()
{
    auto *page = new QWidget;
    auto *columns = new QHBoxLayout(page);
    auto *left = new QFormLayout;
    cbOrigLanguage = lookupDropDown();
    cbOrigLanguage->setObjectName(QStringLiteral("cbOrigLanguage"));
    edOfficialSite = textField(200);
    edOfficialSite->setObjectName(QStringLiteral("edOfficialSite"));
    auto *openSite = smallButton(QStringLiteral("↗"));
    connect(openSite, &QPushButton::clicked, this, &TNewMovie_frm::OfficialSiteClick);
    cbCountry = lookupDropDown();
    cbCountry->setObjectName(QStringLiteral("cbCountry"));
    cbDownloadType = distinctDropDown(50);
    cbDownloadType->setObjectName(QStringLiteral("cbDownloadType"));
    edDownloadCode = textField(50);
    edDownloadCode->setObjectName(QStringLiteral("edDownloadCode"));
    spRotten = spin(0, 100, 0);
    spRotten->setObjectName(QStringLiteral("spRotten"));
    spImdbRating = new QDoubleSpinBox;
    spImdbRating->setObjectName(QStringLiteral("spImdbRating"));
    spImdbRating->setRange(0, 10);
    spImdbRating->setSingleStep(0.1);
    spImdbRating->setDecimals(1);
    spImdbRating->setSuffix(QStringLiteral(" / 10"));
    chk3D = new QCheckBox(QStringLiteral("3D"));
    chk3D->setObjectName(QStringLiteral("chk3D"));
    chk4K = new QCheckBox(QStringLiteral("4K"));
    chk4K->setObjectName(QStringLiteral("chk4K"));

    left->addRow(QStringLiteral("Original Language:"),
                 row({cbOrigLanguage, dialogButton(QStringLiteral("..."), EditorDialog::LookupEditor,
                                                   QStringLiteral("LANGUAGELIST"))}));
    left->addRow(QStringLiteral("Official Site:"), row({edOfficialSite, openSite}));
    left->addRow(QStringLiteral("Country:"),
                 row({cbCountry,
                      dialogButton(QStringLiteral("..."), EditorDialog::LookupEditor, QStringLiteral("COUNTRYLIST"))}));
    auto *download = new QGroupBox(QStringLiteral("Digital Download"));
    auto *downloadLayout = new QFormLayout(download);
    downloadLayout->addRow(QStringLiteral("Type:"), cbDownloadType);
    downloadLayout->addRow(QStringLiteral("Code:"), edDownloadCode);
    left->addRow(download);
    left->addRow(QStringLiteral("Rotten Tomatoes:"), row({spRotten}, true));
    left->addRow(QStringLiteral("IMDb rating:"), row({spImdbRating}, true));
    left->addRow(row({chk3D, chk4K}, true));
    columns->addLayout(left, 2);

    auto *lists = new QGridLayout;
    lists->addWidget(
        buildListBox(QStringLiteral("Genres:"), lstGenres, EditorDialog::PickList, QStringLiteral("GENRELIST"), true),
        0, 0);
    lists->addWidget(buildListBox(QStringLiteral("Video Formats:"), lstFormats, EditorDialog::PickList,
                                  QStringLiteral("FORMATLIST"), true),
                     0, 1);
    lists->addWidget(buildListBox(QStringLiteral("Special Features:"), lstFeatures, EditorDialog::ListText,
                                  QStringLiteral("FEATURES"), false),
                     0, 2);
    lists->addWidget(buildListBox(QStringLiteral("Audio Formats:"), lstLanguages, EditorDialog::AudioFormat,
                                  QStringLiteral("LANGUAGE"), false),
                     1, 0);
    lists->addWidget(buildListBox(QStringLiteral("Subtitles:"), lstSubtitles, EditorDialog::PickList,
                                  QStringLiteral("LANGUAGELIST"), true),
                     1, 1);
    lists->addWidget(buildListBox(QStringLiteral("Keywords:"), lstKeywords, EditorDialog::PickList,
                                  QStringLiteral("KEYWORDLIST"), true),
                     1, 2);
    columns->addLayout(lists, 3);
    autoFormat(cbDownloadType->lineEdit());
    return page;
}

QWidget *TNewMovie_frm::buildPlotTab()
{
    auto *page = new QWidget;
    auto *layout = new QFormLayout(page);
    edPlotOutline = textField(255);
    edPlotOutline->setObjectName(QStringLiteral("edPlotOutline"));
    mmPlot = new QPlainTextEdit;
    mmPlot->setObjectName(QStringLiteral("mmPlot"));
    layout->addRow(QStringLiteral("Plot Outline:"), edPlotOutline);
    layout->addRow(QStringLiteral("Plot:"), mmPlot);
    return page;
}

QWidget *TNewMovie_frm::buildCastTab()
{
    auto *page = new QWidget;
    auto *layout = new QVBoxLayout(page);
    layout->addWidget(dialogButton(QStringLiteral("Edit Cast and Credits..."), EditorDialog::CastAndCrew), 0,
                      Qt::AlignLeft);
    layout->addStretch();
    return page;
}

QWidget *TNewMovie_frm::buildSeriesTab()
{
    auto *page = new QWidget;
    auto *layout = new QFormLayout(page);
    cbSeriesName = distinctDropDown(50);
    cbSeriesName->setObjectName(QStringLiteral("cbSeriesName"));
    spSeason = spin(0, 99, 0);
    spSeason->setObjectName(QStringLiteral("spSeason"));
    layout->addRow(QStringLiteral("Series Name:"), cbSeriesName);
    layout->addRow(QStringLiteral("Season:"), row({spSeason}, true));
    layout->addRow(dialogButton(QStringLiteral("Edit Episodes..."), EditorDialog::Episodes));
    autoFormat(cbSeriesName->lineEdit());
    return page;
}

QWidget *TNewMovie_frm::buildAwardsTab()
{
    auto *page = new QWidget;
    auto *layout = new QVBoxLayout(page);
    layout->addWidget(dialogButton(QStringLiteral("Edit Awards..."), EditorDialog::Awards), 0, Qt::AlignLeft);
    layout->addStretch();
    return page;
}

QWidget *TNewMovie_frm::buildTechDataTab()
{
    auto *page = new QWidget;
    auto *layout = new QHBoxLayout(page);
    auto *buttons = new QVBoxLayout;
    buttons->addWidget(dialogButton(QStringLiteral("Edit Technical Data..."), EditorDialog::TechnicalData));
    buttons->addWidget(dialogButton(QStringLiteral("Read from Video File..."), EditorDialog::VideoFileData));
    buttons->addStretch();
    layout->addLayout(buttons);
    layout->addWidget(buildListBox(QStringLiteral("Filming Locations:"), lstFilmingLocations, EditorDialog::ListText,
                                   QStringLiteral("FILMINGLOCATION"), false),
                      1);
    layout->addWidget(buildListBox(QStringLiteral("Soundtrack:"), lstSoundtrack, EditorDialog::SoundtrackTrack,
                                   QStringLiteral("SOUNDTRACK"), false),
                      1);
    return page;
}

QWidget *TNewMovie_frm::buildCommentsTab()
{
    auto *page = new QWidget;
    auto *layout = new QFormLayout(page);
    mmComments = new QPlainTextEdit;
    mmComments->setObjectName(QStringLiteral("mmComments"));
    mmTrivia = new QPlainTextEdit;
    mmTrivia->setObjectName(QStringLiteral("mmTrivia"));
    layout->addRow(QStringLiteral("Comments:"), mmComments);
    layout->addRow(QStringLiteral("Trivia:"), mmTrivia);
    return page;
}

void TNewMovie_frm::fillDropDowns()
{
    FLoading = true;
    fillLookupList(cbMediaType, QStringLiteral("MEDIATYPE"));
    fillLookupList(cbCountry, QStringLiteral("COUNTRYLIST"));
    fillLookupList(cbCertification, QStringLiteral("CERTIFICATIONLIST"));
    fillLookupList(cbOrigLanguage, QStringLiteral("LANGUAGELIST"));
    FillDistinctValues(cbLocation, QStringLiteral("MEDIA"), QStringLiteral("LOCATION"));
    FillDistinctValues(cbStatus, QStringLiteral("MEDIA"), QStringLiteral("STATUS"));
    FillDistinctValues(cbSeriesName, QStringLiteral("MOVIE"), QStringLiteral("SERIESNAME"));
    FillDistinctValues(cbEdition, QStringLiteral("MEDIA"), QStringLiteral("EDITION"));
    FillDistinctValues(cbStudio, QStringLiteral("MOVIE"), QStringLiteral("STUDIO"));
    FillDistinctValues(cbOwner, QStringLiteral("MEDIA"), QStringLiteral("MEDIAOWNER"));
    FillDistinctValues(cbDownloadType, QStringLiteral("MOVIE"), QStringLiteral("DOWNLOAD_TYPE"));
    FLoading = false;
}

// One change handler for every field: any edit marks the entry as changed.
void TNewMovie_frm::watchChanges()
{
    const auto changed = [this] { FieldChange(); };
    for (QLineEdit *edit : findChildren<QLineEdit *>())
        connect(edit, &QLineEdit::textEdited, this, changed);
    for (QComboBox *box : findChildren<QComboBox *>())
        connect(box, &QComboBox::currentIndexChanged, this, changed);
    for (QSpinBox *box : findChildren<QSpinBox *>())
        connect(box, &QSpinBox::valueChanged, this, changed);
    connect(spImdbRating, &QDoubleSpinBox::valueChanged, this, changed);
    for (QCheckBox *box : findChildren<QCheckBox *>())
        connect(box, &QCheckBox::toggled, this, changed);
    for (QPlainTextEdit *memo : findChildren<QPlainTextEdit *>())
        connect(memo, &QPlainTextEdit::textChanged, this, changed);
}

void TNewMovie_frm::FieldChange()
{
    if (!FLoading)
        ChangesMadeToCurrentEntry = true;
}

void TNewMovie_frm::autoFormat(QLineEdit *edit)
{
    edit->installEventFilter(this);
    edit->setProperty("autoFormat", true);
}

bool TNewMovie_frm::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::KeyPress) {
        auto *key = static_cast<QKeyEvent *>(event);
        auto *edit = qobject_cast<QLineEdit *>(watched);
        if (edit && key->text().size() == 1 && key->text().at(0).isPrint()) {
            const QChar typed = key->text().at(0);
            if (edit == edPrice) {
                const QChar decimal = QLocale().decimalPoint().at(0);
                return !(typed.isDigit() || typed == decimal);
            }
            if (edit == edProductionYear)
                return !typed.isDigit();
            if (edit->property("autoFormat").toBool()) {
                const int position = edit->hasSelectedText() ? edit->selectionStart() : edit->cursorPosition();
                const QChar shaped = AutoCapitalizeChar(edit->text(), typed, position, FOptions.useAutoFormat);
                if (shaped != typed) {
                    edit->insert(QString(shaped));
                    FieldChange();
                    return true;
                }
            }
        }
    }
    auto *image = qobject_cast<QLabel *>(watched);
    if (image && (image == imgFront || image == imgBack)) {
        const bool front = image == imgFront;
        switch (event->type()) {
        case QEvent::MouseButtonRelease:
            if (static_cast<QMouseEvent *>(event)->button() == Qt::LeftButton)
                coverClick(front);
            return true;
        case QEvent::DragEnter: {
            auto *drag = static_cast<QDragEnterEvent *>(event);
            if (drag->mimeData()->hasImage() || drag->mimeData()->hasUrls())
                drag->acceptProposedAction();
            return true;
        }
        case QEvent::Drop: {
            auto *drop = static_cast<QDropEvent *>(event);
            const QMimeData *data = drop->mimeData();
            if (data->hasImage())
                setCover(front, qvariant_cast<QImage>(data->imageData()));
            else if (data->hasUrls() && data->urls().first().isLocalFile())
                loadCoverFile(front, data->urls().first().toLocalFile());
            drop->acceptProposedAction();
            return true;
        }
        default:
            break;
        }
    }
    return QDialog::eventFilter(watched, event);
}

// --- Showing the window and loading ---

void TNewMovie_frm::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    if (FShown)
        return;
    FShown = true;
    restoreWindowSettings();
    applyDefaultValues();
    loadMedium();
    FTabs->setCurrentIndex(0);
    ChangesMadeToCurrentEntry = false;
}

void TNewMovie_frm::restoreWindowSettings()
{
    const int contentsWidth = ReadSettingIntegerLenient(QStringLiteral("ContentsPaneWidth"), kSection, 0);
    if (contentsWidth != 0)
        FSplitter->setSizes({contentsWidth, std::max(400, width() - contentsWidth)});
    if (ReadSettingIntegerLenient(QStringLiteral("WindowWidth"), kSection, 0) == 0) {
        resize(1000, 680);
        return;
    }
    QRect bounds(ReadSettingIntegerLenient(QStringLiteral("WindowLeft"), kSection, 0),
                 ReadSettingIntegerLenient(QStringLiteral("WindowTop"), kSection, 0),
                 ReadSettingIntegerLenient(QStringLiteral("WindowWidth"), kSection, 1000),
                 ReadSettingIntegerLenient(QStringLiteral("WindowHeight"), kSection, 680));
    // A window stored on a screen that is no longer there comes back on the primary one.
    if (!QGuiApplication::screenAt(bounds.center()) && QGuiApplication::primaryScreen())
        bounds.moveTopLeft(QGuiApplication::primaryScreen()->availableGeometry().topLeft());
    move(bounds.topLeft());
    resize(bounds.size());
}

void TNewMovie_frm::storeWindowSettings()
{
    const int contentsWidth = FContentsPane->isVisible()
                                  ? FSplitter->sizes().value(0)
                                  : ReadSettingIntegerLenient(QStringLiteral("ContentsPaneWidth"), kSection, 158);
    WriteSettingInteger(QStringLiteral("ContentsPaneWidth"), kSection, contentsWidth);
    for (int i = 0; i < kPaneWidths.size(); ++i)
        WriteSettingInteger(kPaneWidths.at(i), kSection,
                            ReadSettingIntegerLenient(kPaneWidths.at(i), kSection, kPaneDefaults.at(i)));
    WriteSettingInteger(QStringLiteral("WindowLeft"), kSection, x());
    WriteSettingInteger(QStringLiteral("WindowTop"), kSection, y());
    WriteSettingInteger(QStringLiteral("WindowWidth"), kSection, width());
    WriteSettingInteger(QStringLiteral("WindowHeight"), kSection, height());
}

void TNewMovie_frm::applyDefaultValues()
{
    FLoading = true;
    const QString mediaType = ReadSettingString(QStringLiteral("Media Type"), QStringLiteral("Default Values"));
    cbMediaType->setCurrentIndex(std::max(0, cbMediaType->findText(mediaType)));
    const int region = ReadSettingIntegerLenient(QStringLiteral("Region Code"), QStringLiteral("Default Values"), -1);
    cbRegion->setCurrentIndex(region >= 0 && region < cbRegion->count() ? region : -1);
    FLoading = false;
}

void TNewMovie_frm::clearMediumFields()
{
    FLoading = true;
    edMediaTitle->clear();
    cbEdition->setCurrentIndex(-1);
    cbEdition->clearEditText();
    edSeqNumber->clear();
    edUPC->clear();
    edPrice->clear();
    edBuyDate->clear();
    setCover(true, QImage());
    setCover(false, QImage());
    for (QComboBox *box : {cbLocation, cbStatus, cbOwner}) {
        box->setCurrentIndex(-1);
        box->clearEditText();
    }
    spDiscs->setValue(1);
    spDisc->setMaximum(1);
    spDeck->setValue(0);
    spSlot->setValue(0);
    spLength->setValue(180);
    FDatesPanel->clear();
    FLoading = false;
}

void TNewMovie_frm::clearContentFields()
{
    FLoading = true;
    for (QLineEdit *edit :
         {edMovieTitle, edTagline, edOrigTitle, edReleaseDate, edTheatreDate, edTrailer, edBudget, edGross,
          edProductionYear, edMovieFiles, edLastWatched, edOfficialSite, edDownloadCode, edPlotOutline})
        edit->clear();
    for (QComboBox *box : {cbStudio, cbCertification, cbOrigLanguage, cbCountry, cbDownloadType, cbSeriesName}) {
        box->setCurrentIndex(-1);
        box->clearEditText();
    }
    spRunningTime->setValue(90);
    spDisc->setValue(1);
    spSeason->setValue(0);
    spRating->setValue(0);
    spRotten->setValue(0);
    spImdbRating->setValue(0);
    for (QCheckBox *box : {chkWatched, chkFeaturesWatched, chk3D, chk4K})
        box->setChecked(false);
    for (QPlainTextEdit *memo : {mmPlot, mmComments, mmTrivia})
        memo->clear();
    for (QListWidget *list : {lstGenres, lstFormats, lstSubtitles, lstKeywords, lstFeatures, lstFilmingLocations,
                              lstLanguages, lstSoundtrack})
        list->clear();
    FImdbID = 0;
    lblImdb->clear();
    FGroupPanel->clear();
    FLoading = false;
    updateCommandStates();
}

void TNewMovie_frm::loadMedium()
{
    clearMediumFields();
    clearContentFields();
    if (FMediaID == -1) {
        actOpenPrevious->setEnabled(false);
        actOpenNext->setEnabled(false);
        if (FOptions.useAutoCounter)
            edSeqNumber->setText(QString::number(NextFreeSeqNumber(1)));
        FContents.clear();
        addContent(false);
        edMovieTitle->clear();
        applyMediaType();
        updateCaption();
        return;
    }
    actOpenPrevious->setEnabled(FDataSetInUse.position > 0);
    actOpenNext->setEnabled(FDataSetInUse.position >= 0 && FDataSetInUse.position < FDataSetInUse.mediaIds.size() - 1);
    StoredMedium medium;
    if (!LoadMedium(FMediaID, &medium))
        return;
    const MediaRecord &r = medium.record;
    FLoading = true;
    edMediaTitle->setText(r.FTitle);
    spLength->setValue(std::max(1, r.FMediaTime));
    setComboText(cbEdition, r.FEdition);
    edSeqNumber->setText(QString::number(r.FSeqNumber));
    cbRegion->setCurrentIndex(r.FRegionCode >= 0 && r.FRegionCode < cbRegion->count() ? r.FRegionCode : -1);
    edUPC->setText(r.FUPC);
    cbMediaType->setCurrentIndex(std::max(0, cbMediaType->findText(medium.mediaTypeName)));
    spDiscs->setValue(std::max(1, r.FNoOfDiscs));
    setComboText(cbLocation, r.FLocation);
    edBuyDate->setText(FormatDateField(ShownDate(r.FBuyDate)));
    edPrice->setText(qRound(r.FBuyPrice) != 0 ? QLocale().toString(r.FBuyPrice, 'f', 2) : QString());
    setComboText(cbStatus, r.FStatus);
    spDeck->setValue(std::max(0, r.FDeck));
    spSlot->setValue(std::max(0, r.FSlot));
    setComboText(cbOwner, r.FMediaOwner);
    setCover(true, r.FFrontCover);
    setCover(false, r.FBackCover);
    FLoading = false;
    updateCaption();

    QString dates;
    if (medium.dateAdded.isValid())
        dates = GetText(Txt::DateAdded) + QStringLiteral(": ") +
                QLocale().toString(medium.dateAdded, QLocale::ShortFormat) + QStringLiteral("   ");
    if (medium.dateModified.isValid())
        dates += QStringLiteral("   ") + GetText(Txt::DateModified) + QStringLiteral(": ") +
                 QLocale().toString(medium.dateModified, QLocale::ShortFormat);
    FDatesPanel->setText(dates);

    spDisc->setMaximum(spDiscs->value());
    applyMediaType();
    const QList<ContentRow> contents = ContentsOfMedium(FMediaID);
    showContents(contents.isEmpty() ? -1 : contents.first().movieId);
    if (FContents.size() > 1) {
        FContentsPane->show();
        actContentsPane->setChecked(true);
    }
}

void TNewMovie_frm::updateCaption()
{
    if (FMediaID == -1)
        setWindowTitle(GetText(Txt::NewEntry) + QStringLiteral(" - ") + GetText(Txt::EntryProperties));
    else
        setWindowTitle(edMediaTitle->text() + QStringLiteral(" - ") + GetText(Txt::EntryProperties));
}

void TNewMovie_frm::applyMediaType()
{
    const MediaTypeFlags flags = MediaTypeFlagsOf(cbMediaType->currentText());
    const bool showPane = !flags.found || flags.viewContents || FContents.size() > 1;
    FContentsPane->setVisible(showPane);
    actContentsPane->setChecked(showPane);
    lblLength->setVisible(flags.specifyLength);
    spLength->setVisible(flags.specifyLength);
    cbMediaType->setToolTip(flags.hint);
}

// Reads the contents of the medium again and shows the one given (or the last when it is gone).
void TNewMovie_frm::showContents(double selectMovieId)
{
    FContents = ContentsOfMedium(FMediaID);
    const bool wasLoading = FLoading;
    FLoading = true;
    const QSignalBlocker blocker(FContentsList);
    FContentsList->clear();
    int select = FContents.size() - 1;
    for (int i = 0; i < FContents.size(); ++i) {
        FContentsList->addItem(FContents.at(i).title);
        if (FContents.at(i).movieId == selectMovieId)
            select = i;
    }
    FContentsList->setCurrentRow(select);
    FLoading = wasLoading;
    if (select >= 0)
        loadContent(FContents.at(select).movieId);
}

void TNewMovie_frm::loadContent(double movieId)
{
    clearContentFields();
    FCurrentMovieID = movieId;
    StoredContent content;
    if (!LoadContent(movieId, &content))
        return;
    const MovieRecord &r = content.record;
    FLoading = true;
    edMovieTitle->setText(r.FTitle);
    edTagline->setText(r.FTagline);
    edOrigTitle->setText(r.FOrigTitle);
    spRunningTime->setValue(std::max(1, r.FMovieTime));
    edReleaseDate->setText(FormatDateField(ShownDate(r.FReleaseDate)));
    edTheatreDate->setText(FormatDateField(ShownDate(r.FTheaterDate)));
    setComboText(cbStudio, r.FStudio);
    setComboText(cbCertification, content.certificationName);
    FImdbID = r.FImdbID;
    lblImdb->setText(r.FImdbID > 0 ? QString::number(r.FImdbID) : QString());
    edTrailer->setText(r.FClipPath);
    edBudget->setText(r.FBudget >= 1 ? QLocale().toString(r.FBudget, 'f', 0) : QString());
    edGross->setText(r.FGrossRevenue >= 1 ? QLocale().toString(r.FGrossRevenue, 'f', 0) : QString());
    spDisc->setValue(std::max(1, r.FDiscNo));
    edProductionYear->setText(r.FProductionYear);
    edLastWatched->setText(FormatDateField(ShownDate(r.FLastWatchedDate)));
    spRating->setValue(r.FUserRating);
    setComboText(cbOrigLanguage, content.originalLanguageName);
    edOfficialSite->setText(r.FOfficialSite);
    setComboText(cbCountry, content.countryName);
    setComboText(cbDownloadType, r.FDownload_Type);
    edDownloadCode->setText(r.FDownload_Code);
    spRotten->setValue(r.FRottenRating);
    spImdbRating->setValue(r.FImdbRating);
    chkWatched->setChecked(r.FWatched > 0);
    chkFeaturesWatched->setChecked(r.FFeaturesWatched > 0);
    chk3D->setChecked(r.FThreeD_Enabled > 0);
    chk4K->setChecked(r.FFourK_Enabled > 0);
    edPlotOutline->setText(r.FPlotOutline);
    mmPlot->setPlainText(r.FPlot);
    mmComments->setPlainText(r.FComments);
    mmTrivia->setPlainText(r.FTrivia);
    setComboText(cbSeriesName, r.FSeriesName);
    spSeason->setValue(r.FSeason);
    FCurrentGroupID = r.FGroup_ID;
    FCurrentGroupIndex = r.FGroup_Index;
    const ContentLists lists = LoadContentLists(movieId);
    setItems(lstGenres, lists.genres);
    setItems(lstFormats, lists.formats);
    setItems(lstSubtitles, lists.subtitles);
    setItems(lstKeywords, lists.keywords);
    setItems(lstFeatures, lists.features);
    setItems(lstFilmingLocations, lists.filmingLocations);
    setItems(lstLanguages, lists.languages);
    setItems(lstSoundtrack, lists.soundtrack);
    edMovieFiles->setText(MovieFilesText(movieId));
    FGroupPanel->setText(r.FGroup_ID >= 1 ? GetTextWithArg(Txt::PartOfMovieGroup, content.groupName) : QString());
    FLoading = false;
    updateSeriesTab(FMediaID == -1);
    updateCommandStates();
}

void TNewMovie_frm::updateSeriesTab(bool forceShow)
{
    const bool show = forceShow || ShowsSeriesTab(cbSeriesName->currentText(), spSeason->value(), FCurrentMovieID);
    FTabs->setTabVisible(FTabs->indexOf(FSeriesTab), show);
    actSeriesPage->setChecked(show);
}

void TNewMovie_frm::updateCommandStates()
{
    const bool hasImdb = FImdbID > 0;
    actRemoveImdb->setEnabled(hasImdb);
    actVisitImdb->setEnabled(hasImdb && HasEditorDialog(EditorDialog::ImdbPage));
    btnPlay->setEnabled(!edMovieFiles->text().isEmpty());
    for (QPushButton *button : FDialogButtons)
        button->setEnabled(HasEditorDialog(static_cast<EditorDialog>(button->property("editorDialog").toInt())));
}

// --- Moving between contents ---

void TNewMovie_frm::contentRowChanged(int row)
{
    if (FLoading || row < 0 || row >= FContents.size())
        return;
    const double target = FContents.at(row).movieId;
    if (target == FCurrentMovieID)
        return;
    if (!DoNotSaveMovie) {
        BusyCursor busy;
        if (!saveCurrentContent()) {
            // The content with the refused or failed input stays shown.
            const QSignalBlocker blocker(FContentsList);
            for (int i = 0; i < FContents.size(); ++i)
                if (FContents.at(i).movieId == FCurrentMovieID)
                    FContentsList->setCurrentRow(i);
            return;
        }
    }
    showContents(target);
}

bool TNewMovie_frm::saveCurrentContent()
{
    if (DoNotSaveMovie || FCurrentMovieID < 0)
        return true;
    MovieRecord movie;
    if (!fillMovieRecord(&movie))
        return false;
    QString error;
    if (!SaveContentInPlace(DM1(), movie, currentLists(), FOptions.applyLastWatchedToDuplicates, &error)) {
        showSaveError(error);
        return false;
    }
    return true;
}

bool TNewMovie_frm::addContent(bool fromCommand)
{
    if (fromCommand) {
        if (!saveCurrentContent())
            return false;
        ChangesMadeToCurrentEntry = true;
    }
    DoNotSaveMovie = true;
    double movieId = -1;
    try {
        movieId = AddContent(FMediaID, spDisc->value());
    } catch (const std::exception &e) {
        DoNotSaveMovie = false;
        showSaveError(QString::fromStdString(e.what()));
        return false;
    }
    showContents(movieId);
    updateSeriesTab(true);
    DoNotSaveMovie = false;
    return true;
}

void TNewMovie_frm::NewContentClick()
{
    if (!addContent(true))
        return;
    FContentsPane->show();
    actContentsPane->setChecked(true);
    FTabs->setCurrentIndex(0);
    edMovieTitle->setFocus();
    edMovieTitle->selectAll();
}

void TNewMovie_frm::DeleteContentClick()
{
    if (FContents.size() < 2)
        return;
    const int current = FContentsList->currentRow();
    const QString title = current >= 0 ? FContents.at(current).title : edMovieTitle->text();
    if (userInterface().showMessage(MessageKind::Confirmation, GetTextWithArg(Txt::DeleteEntry, title),
                                    MessageButtons::YesNo) != MessageAnswer::Yes)
        return;
    ChangesMadeToCurrentEntry = true;
    try {
        RemoveContent(FMediaID, FCurrentMovieID);
    } catch (const FbError &e) {
        showSaveError(e.message());
        return;
    }
    DoNotSaveMovie = true;
    FCurrentMovieID = -1;
    const QList<ContentRow> remaining = ContentsOfMedium(FMediaID);
    const int position = std::clamp(current, 0, static_cast<int>(remaining.size()) - 1);
    showContents(remaining.isEmpty() ? -1 : remaining.at(position).movieId);
    DoNotSaveMovie = false;
}

void TNewMovie_frm::MoveUpClick()
{
    const int index = FContentsList->currentRow();
    if (index <= 0 || !saveCurrentContent())
        return;
    try {
        if (MoveContent(FMediaID, index, true))
            ChangesMadeToCurrentEntry = true;
    } catch (const FbError &e) {
        showSaveError(e.message());
    }
    DoNotSaveMovie = true;
    showContents(FCurrentMovieID);
    DoNotSaveMovie = false;
}

void TNewMovie_frm::MoveDownClick()
{
    const int index = FContentsList->currentRow();
    if (index < 0 || index >= FContents.size() - 1 || !saveCurrentContent())
        return;
    try {
        if (MoveContent(FMediaID, index, false))
            ChangesMadeToCurrentEntry = true;
    } catch (const FbError &e) {
        showSaveError(e.message());
    }
    DoNotSaveMovie = true;
    showContents(FCurrentMovieID);
    DoNotSaveMovie = false;
}

// --- Input and records ---

void TNewMovie_frm::refuseInput(QWidget *field, const QString &message)
{
    for (QWidget *w = field; w && w != this; w = w->parentWidget()) {
        const int tab = FTabs->indexOf(w);
        if (tab >= 0)
            FTabs->setCurrentIndex(tab);
    }
    userInterface().showMessage(MessageKind::Warning, message, MessageButtons::Ok);
    field->setFocus();
}

namespace {

// The field's caption leads, so the user knows which field to correct.
QString notANumber(const QString &caption, const QString &text)
{
    return caption + QStringLiteral(": ") + GetTextWithArg(Txt::NotANumber, text);
}

QString notADate(const QString &caption, const QString &text)
{
    return caption + QStringLiteral(": ") + GetTextWithArg(Txt::NotADate, text) + QLatin1Char(' ') +
           FormatDateField(QDate::currentDate());
}

} // namespace

bool TNewMovie_frm::fillMovieRecord(MovieRecord *movie)
{
    struct DateInput
    {
        QLineEdit *field;
        const char *caption;
        QDate *target;
    };
    MovieRecord &r = *movie;
    QDate release, theatre, lastWatched;
    for (const DateInput &input :
         {DateInput{edReleaseDate, "Release Date", &release}, DateInput{edTheatreDate, "Theatre Date", &theatre},
          DateInput{edLastWatched, "Last Watched", &lastWatched}}) {
        if (!ParseDateField(input.field->text(), input.target)) {
            refuseInput(input.field, notADate(QLatin1String(input.caption), input.field->text()));
            return false;
        }
    }
    double budget = 0, gross = 0;
    if (!ParseAmount(edBudget->text(), FOptions.currencySymbol, &budget)) {
        refuseInput(edBudget, notANumber(QStringLiteral("Budget"), edBudget->text()));
        return false;
    }
    if (!ParseAmount(edGross->text(), FOptions.currencySymbol, &gross)) {
        refuseInput(edGross, notANumber(QStringLiteral("Gross Revenue"), edGross->text()));
        return false;
    }
    int year = 0;
    if (!edProductionYear->text().trimmed().isEmpty() && !ParseWholeNumber(edProductionYear->text(), &year)) {
        refuseInput(edProductionYear, notANumber(QStringLiteral("Production Year"), edProductionYear->text()));
        return false;
    }

    r.Clear();
    r.FMedia_ID = FMediaID;
    r.FMovie_ID = FCurrentMovieID;
    r.FListIndex = 1;
    for (int i = 0; i < FContents.size(); ++i)
        if (FContents.at(i).movieId == FCurrentMovieID)
            r.FListIndex = i + 1;
    const QString title = edMovieTitle->text().trimmed().isEmpty() ? GetText(Txt::NewMovie) : edMovieTitle->text();
    r.FTitle = title;
    r.FTitleSort = MakeSortTitle(title);
    r.FStudio = cbStudio->currentText();
    r.FReleaseDate = release.isValid() ? release : ZeroDate();
    r.FTheaterDate = theatre.isValid() ? theatre : ZeroDate();
    r.FMovieTime = spRunningTime->value();
    r.FCountry_ID = LookupId(QStringLiteral("COUNTRYLIST"), QStringLiteral("COUNTRY_ID"), cbCountry->currentText());
    r.FCertification_ID = LookupId(QStringLiteral("CERTIFICATIONLIST"), QStringLiteral("CERTIFICATION_ID"),
                                   cbCertification->currentText());
    r.FOriginal_Language_ID =
        LookupId(QStringLiteral("LANGUAGELIST"), QStringLiteral("LANGUAGE_ID"), cbOrigLanguage->currentText());
    r.FOfficialSite = edOfficialSite->text();
    r.FTagline = edTagline->text();
    r.FUserRating = spRating->value();
    r.FImdbID = FImdbID;
    r.FOrigTitle = edOrigTitle->text();
    r.FOrigTitleSort = MakeSortTitle(edOrigTitle->text());
    r.FClipPath = edTrailer->text();
    r.FPlotOutline = edPlotOutline->text();
    r.FPlot = mmPlot->toPlainText();
    r.FComments = mmComments->toPlainText();
    r.FTrivia = mmTrivia->toPlainText();
    r.FBudget = budget;
    r.FGrossRevenue = gross;
    r.FDiscNo = spDisc->value();
    r.FSeriesName = cbSeriesName->currentText();
    r.FSeason = spSeason->value();
    r.FLastWatchedDate = lastWatched.isValid() ? lastWatched : ZeroDate();
    r.FProductionYear = edProductionYear->text();
    r.FWatched = chkWatched->isChecked() || lastWatched.isValid() ? 1 : 0;
    r.FFeaturesWatched = chkFeaturesWatched->isChecked() ? 1 : 0;
    r.FImdbRating = spImdbRating->value();
    r.FThreeD_Enabled = chk3D->isChecked() ? 1 : 0;
    r.FFourK_Enabled = chk4K->isChecked() ? 1 : 0;
    r.FGroup_ID = FCurrentGroupID;
    r.FGroup_Index = FCurrentGroupIndex;
    r.FDownload_Type = cbDownloadType->currentText();
    r.FDownload_Code = edDownloadCode->text();
    r.FRottenRating = static_cast<qint16>(spRotten->value());
    return true;
}

bool TNewMovie_frm::fillMediaRecord(MediaRecord *media)
{
    QDate buyDate;
    if (!ParseDateField(edBuyDate->text(), &buyDate)) {
        refuseInput(edBuyDate, notADate(QStringLiteral("Date Purchased"), edBuyDate->text()));
        return false;
    }
    double price = 0;
    if (!ParseAmount(edPrice->text(), FOptions.currencySymbol, &price)) {
        refuseInput(edPrice, notANumber(QStringLiteral("Price"), edPrice->text()));
        return false;
    }
    int seqNumber = 0;
    if (!ParseWholeNumber(edSeqNumber->text(), &seqNumber)) {
        refuseInput(edSeqNumber, notANumber(GetText(Txt::SeqNumber), edSeqNumber->text()));
        return false;
    }
    MediaRecord &r = *media;
    r.Clear();
    r.FMedia_ID = FMediaID;
    r.FTitle = edMediaTitle->text();
    r.FTitleSort = MakeSortTitle(edMediaTitle->text());
    r.FMediaTime = spLength->isVisibleTo(this) ? spLength->value() : 0;
    r.FEdition = cbEdition->currentText();
    r.FSeqNumber = seqNumber;
    r.FMediaType_ID = LookupId(QStringLiteral("MEDIATYPE"), QStringLiteral("MEDIATYPE_ID"), cbMediaType->currentText());
    r.FRegionCode = cbRegion->currentIndex();
    r.FNoOfDiscs = spDiscs->value();
    r.FUPC = edUPC->text();
    r.FFrontCover = FFrontCover;
    r.FBackCover = FBackCover;
    r.FLocation = cbLocation->currentText();
    r.FStatus = cbStatus->currentText();
    r.FDeck = spDeck->value();
    r.FSlot = spSlot->value();
    r.FMediaOwner = cbOwner->currentText().trimmed();
    r.FBuyPrice = price;
    r.FBuyDate = buyDate.isValid() ? buyDate : ZeroDate();
    return true;
}

ContentLists TNewMovie_frm::currentLists() const
{
    ContentLists lists;
    lists.genres = itemsOf(lstGenres);
    lists.formats = itemsOf(lstFormats);
    lists.subtitles = itemsOf(lstSubtitles);
    lists.keywords = itemsOf(lstKeywords);
    lists.features = itemsOf(lstFeatures);
    lists.filmingLocations = itemsOf(lstFilmingLocations);
    lists.languages = itemsOf(lstLanguages);
    lists.soundtrack = itemsOf(lstSoundtrack);
    return lists;
}

// Both records are checked before anything is written, so refused input writes nothing.
bool TNewMovie_frm::validateInput(MediaRecord *media, MovieRecord *movie)
{
    return fillMovieRecord(movie) && fillMediaRecord(media);
}

void TNewMovie_frm::showSaveError(const QString &detail)
{
    ShowErrorBox(GetText(Txt::EntryNotSaved), GetText(Txt::EntryNotSavedSolution), detail);
}

// --- Saving ---

void TNewMovie_frm::SeqNumberButtonClick()
{
    edSeqNumber->setText(QString::number(NextFreeSeqNumber(1)));
    FieldChange();
}

bool TNewMovie_frm::SaveClick()
{
    if (edSeqNumber->text().trimmed().isEmpty())
        edSeqNumber->setText(QString::number(NextFreeSeqNumber(1)));
    const bool isNew = FMediaID == -1;
    int seqNumber = 0;
    if (isNew && ParseWholeNumber(edSeqNumber->text(), &seqNumber) && SequenceNumberTaken(seqNumber)) {
        userInterface().showMessage(MessageKind::Information, GetText(Txt::SeqNumberInUse), MessageButtons::Ok);
        edSeqNumber->setFocus();
        return false;
    }
    if (edMediaTitle->text().trimmed().isEmpty())
        edMediaTitle->setText(GetText(Txt::NewMedia));
    MediaRecord media;
    MovieRecord movie;
    if (!validateInput(&media, &movie))
        return false;
    DoNotSaveMovie = false;
    const EntrySaveResult result =
        SaveEntry(DM1(), media, movie, currentLists(), isNew, FOptions.applyLastWatchedToDuplicates);
    if (!result.saved) {
        showSaveError(result.error);
        return false;
    }
    ChangesMadeInLastEntrySession = true;
    ChangesMadeToCurrentEntry = false;
    if (isNew) {
        FMediaID = result.mediaId;
        FullRefreshOnClose = true;
    }
    updateCaption();
    DoNotSaveMovie = true;
    const QList<ContentRow> contents = ContentsOfMedium(FMediaID);
    FCurrentMovieID = -1;
    showContents(contents.isEmpty() ? -1 : contents.last().movieId);
    DoNotSaveMovie = false;
    ChangesMadeToCurrentEntry = false;
    return true;
}

void TNewMovie_frm::SaveAndCloseClick()
{
    if (SaveClick())
        close();
}

void TNewMovie_frm::SaveAndNewClick()
{
    if (SaveClick())
        startNewEntry();
}

// The save question before the editor leaves the entry: false when the user wanted to save and
// the save did not succeed.
bool TNewMovie_frm::askToSavePending()
{
    if (!ChangesMadeToCurrentEntry)
        return true;
    if (userInterface().showMessage(MessageKind::Confirmation, GetText(Txt::UnsavedChangesQuestion),
                                    MessageButtons::YesNo) != MessageAnswer::Yes)
        return true;
    return SaveClick();
}

void TNewMovie_frm::startNewEntry()
{
    DiscardSession(DM1());
    FMediaID = -1;
    FCurrentGroupID = 0;
    FCurrentGroupIndex = 0;
    FCurrentMovieID = -1;
    loadMedium();
    ChangesMadeToCurrentEntry = false;
}

void TNewMovie_frm::NewEntryClick()
{
    if (askToSavePending())
        startNewEntry();
}

void TNewMovie_frm::openSibling(int step)
{
    const int position = FDataSetInUse.position + step;
    if (position < 0 || position >= FDataSetInUse.mediaIds.size() || !askToSavePending())
        return;
    QWidget *focus = focusWidget();
    DiscardSession(DM1());
    FDataSetInUse.position = position;
    FMediaID = FDataSetInUse.mediaIds.at(position);
    FCurrentMovieID = -1;
    loadMedium();
    FTabs->setCurrentIndex(0);
    ChangesMadeToCurrentEntry = false;
    if (focus)
        focus->setFocus();
}

void TNewMovie_frm::OpenPreviousClick()
{
    openSibling(-1);
}

void TNewMovie_frm::OpenNextClick()
{
    openSibling(1);
}

void TNewMovie_frm::DeleteClick()
{
    if (userInterface().showMessage(MessageKind::Confirmation, GetText(Txt::DeleteThisEntry), MessageButtons::YesNo) !=
        MessageAnswer::Yes)
        return;
    QString error;
    if (!DeleteEntry(DM1(), FMediaID, &error)) {
        showSaveError(error);
        return;
    }
    ChangesMadeInLastEntrySession = true;
    ChangesMadeToCurrentEntry = false;
    close();
}

// --- Closing ---

void TNewMovie_frm::done(int result)
{
    if (ChangesMadeToCurrentEntry &&
        userInterface().showMessage(MessageKind::Confirmation, GetText(Txt::UnsavedChangesQuestion),
                                    MessageButtons::YesNo) == MessageAnswer::Yes &&
        !SaveClick())
        return;
    if (FullRefreshOnClose && HasDM1())
        DM1().CloseViewDatasets();
    DiscardSession(DM1());
    ChangesMadeToCurrentEntry = false;
    storeWindowSettings();
    FClosed = true;
    QDialog::done(result);
}

// --- Field handlers ---

void TNewMovie_frm::MediaTitleExit()
{
    updateCaption();
    if (FContentsList->currentRow() != 0)
        return;
    const QString newMovie = GetText(Txt::NewMovie);
    const QString movieTitle = edMovieTitle->text().trimmed();
    if (!movieTitle.isEmpty() && movieTitle != newMovie)
        return;
    edMovieTitle->setText(edMediaTitle->text());
    const QString original = edOrigTitle->text().trimmed();
    if (original.isEmpty() || original == newMovie)
        edOrigTitle->setText(edMediaTitle->text());
}

void TNewMovie_frm::MovieTitleExit()
{
    if (edOrigTitle->text().trimmed().isEmpty() && !edMovieTitle->text().trimmed().isEmpty()) {
        edOrigTitle->setText(edMovieTitle->text());
        FieldChange();
    }
    const int current = FContentsList->currentRow();
    if (current >= 0 && current < FContents.size() && FContentsList->item(current))
        FContentsList->item(current)->setText(edMovieTitle->text());
}

void TNewMovie_frm::DiscsExit()
{
    spDisc->setMaximum(spDiscs->value());
}

void TNewMovie_frm::LastWatchedExit()
{
    QDate date;
    if (ParseDateField(edLastWatched->text(), &date) && date.isValid() && !chkWatched->isChecked())
        chkWatched->setChecked(true);
}

void TNewMovie_frm::TrailerBrowseClick()
{
    const QString current = edTrailer->text().trimmed();
    const QString folder = current.isEmpty() ? QString() : QFileInfo(current).absolutePath();
    const QString file = QFileDialog::getOpenFileName(this, GetText(Txt::Browse), folder);
    if (file.isEmpty())
        return;
    edTrailer->setText(QDir::toNativeSeparators(file));
    FieldChange();
}

void TNewMovie_frm::TrailerPlayClick()
{
    const QString path = edTrailer->text().trimmed();
    if (!path.isEmpty())
        QDesktopServices::openUrl(QUrl::fromLocalFile(path));
}

void TNewMovie_frm::OfficialSiteClick()
{
    const QString site = edOfficialSite->text().trimmed();
    if (!site.isEmpty())
        QDesktopServices::openUrl(QUrl::fromUserInput(site));
}

void TNewMovie_frm::RemoveImdbClick()
{
    FImdbID = 0;
    lblImdb->clear();
    FieldChange();
    updateCommandStates();
}

void TNewMovie_frm::linkClick(EditorDialog dialog)
{
    if (FImdbID <= 0) {
        userInterface().showMessage(MessageKind::Information, GetText(Txt::NoImdbNumber), MessageButtons::Ok);
        return;
    }
    runDialog(dialog, QString(), nullptr);
}

void TNewMovie_frm::CopyToClipboardClick()
{
    if (ChangesMadeToCurrentEntry)
        userInterface().showMessage(MessageKind::Information, GetText(Txt::CopyShowsSavedState), MessageButtons::Ok);
    runDialog(EditorDialog::CopyToClipboard, QString(), nullptr);
}

void TNewMovie_frm::HelpClick()
{
    QDesktopServices::openUrl(QUrl::fromLocalFile(QDir(GetProgramFolder()).filePath(QStringLiteral("reelnest.chm"))));
}

void TNewMovie_frm::AboutClick()
{
    userInterface().showMessage(MessageKind::Information,
                                QStringLiteral("Reelnest ") + QStringLiteral(REELNEST_VERSION), MessageButtons::Ok);
}

// The one place where the dialogs of other features are opened.
void TNewMovie_frm::runDialog(EditorDialog dialog, const QString &table, QListWidget *list)
{
    const auto handler = dialogHandlers().value(dialog);
    if (!handler)
        return;
    QStringList items = list ? itemsOf(list) : QStringList();
    EditorDialogRequest request;
    request.parent = this;
    request.mediaId = FMediaID;
    request.movieId = FCurrentMovieID;
    request.table = table;
    request.items = list ? &items : nullptr;
    if (!handler(request))
        return;
    ChangesMadeToCurrentEntry = true;
    if (list) {
        setItems(list, items);
        return;
    }
    switch (dialog) {
    case EditorDialog::MediaTypes:
        fillLookupList(cbMediaType, QStringLiteral("MEDIATYPE"));
        applyMediaType();
        break;
    case EditorDialog::LookupEditor:
        fillLookupList(cbCertification, QStringLiteral("CERTIFICATIONLIST"));
        fillLookupList(cbOrigLanguage, QStringLiteral("LANGUAGELIST"));
        fillLookupList(cbCountry, QStringLiteral("COUNTRYLIST"));
        break;
    case EditorDialog::MovieFiles:
        edMovieFiles->setText(MovieFilesText(FCurrentMovieID));
        updateCommandStates();
        break;
    case EditorDialog::MovieGroup: {
        StoredContent content;
        if (LoadContent(FCurrentMovieID, &content)) {
            FCurrentGroupID = content.record.FGroup_ID;
            FCurrentGroupIndex = content.record.FGroup_Index;
            FGroupPanel->setText(FCurrentGroupID >= 1 ? GetTextWithArg(Txt::PartOfMovieGroup, content.groupName)
                                                      : QString());
        }
        break;
    }
    default:
        break;
    }
}

// --- Covers ---

void TNewMovie_frm::setCover(bool front, const QImage &image)
{
    (front ? FFrontCover : FBackCover) = image;
    updateCoverBox(front);
    FieldChange();
}

void TNewMovie_frm::updateCoverBox(bool front)
{
    QLabel *box = front ? imgFront : imgBack;
    const QImage &image = front ? FFrontCover : FBackCover;
    if (image.isNull())
        box->clear();
    else
        box->setPixmap(QPixmap::fromImage(
            image.scaled(box->contentsRect().size(), Qt::KeepAspectRatio, Qt::SmoothTransformation)));
    (front ? btnAddFront : btnAddBack)->setVisible(image.isNull());
}

bool TNewMovie_frm::loadCoverFile(bool front, const QString &fileName)
{
    const QImage image(fileName);
    if (image.isNull())
        return false;
    setCover(front, image);
    return true;
}

void TNewMovie_frm::pasteCover(bool front)
{
    const QImage image = QApplication::clipboard()->image();
    if (!image.isNull())
        setCover(front, image);
}

void TNewMovie_frm::coverClick(bool front)
{
    const QImage &image = front ? FFrontCover : FBackCover;
    if (image.isNull())
        return;
    TPicPrev_frm preview(this);
    preview.setFirstPicture(image);
    preview.setSecondPicture(front ? FBackCover : QImage());
    preview.exec();
}

void TNewMovie_frm::addCoverClick(bool front)
{
    QString folder = ReadSettingString(QStringLiteral("LastManualImageDir"), kSection);
    if (folder.isEmpty() || !QDir(folder).exists())
        folder = GetTempFolder();
    const QString file = QFileDialog::getOpenFileName(this, QStringLiteral("Select Picture"), folder,
                                                      QStringLiteral("Pictures (*.jpg *.jpeg *.png *.bmp *.gif)"));
    if (file.isEmpty() || !QFileInfo::exists(file))
        return;
    if (loadCoverFile(front, file))
        WriteSettingString(QStringLiteral("LastManualImageDir"), kSection, QFileInfo(file).absolutePath());
}
